// A recorded play plays back to the same trace, frame by frame, and again after the
// replay's end has set the stage up anew. The scene runs in this process (the player's
// replays are saved and opened through file dialogs): a play with recording on, the
// replay saved to a file as the main window's save does, then that file opened as the
// title's replay choice does and played.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/play_trace.h"
#include "stage/replay.h"
#include "stage/replay_files.h"
#include "stage/scene_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr const char* kReplayPath = "played.rpl4_811";

// The trace line of the scene's current frame, without its frame number (the playback's
// frames are numbered on from its own start).
std::string TraceLine(const cSceneGame& scene) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return std::string();
  WritePlayTraceLine(file, 0, scene);
  std::string line;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) line.push_back(static_cast<char>(c));
  std::fclose(file);
  const std::size_t comma = line.find(',');
  return comma == std::string::npos ? line : line.substr(comma);
}

int StateOf(const std::string& line) {
  cTraceFrame frame;
  std::string error;
  return ParseTraceLine("{\"frame\": 0" + line, frame, error) ? frame.nState : -1;
}

class ReplayTraceTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_SavedSystem = g_SystemData;
    m_nSavedTitleSel = g_GameMgr.m_nTitleSel;
    m_nSavedPlayMode = g_GameMgr.m_nPlayMode;
    g_SystemData = cSystemData();
    g_SystemData.m_bRecordReplay = 1;
    g_Input.assign(1, cInput());
    g_Progress.NewGame();
    g_Progress.m_Vars.assign(1001, 0);
    g_GameMgr.m_nPlayMode = 2;
  }
  void TearDown() override {
    EndScene();
    g_SystemData = m_SavedSystem;
    g_GameMgr.m_nTitleSel = m_nSavedTitleSel;
    g_GameMgr.m_nPlayMode = m_nSavedPlayMode;
    cTempDirTest::TearDown();
  }

  // A new scene set up on the stage held in g_StageData and g_StageDataOrg, in play.
  cSceneGame& NewScene() {
    EndScene();
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    m_pScene->SetStage(1, 1);
    m_pScene->m_nState = GAMESTATE_PLAY;
    return *m_pScene;
  }
  void EndScene() {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    m_pScene = nullptr;
  }

  cSceneGame* m_pScene = nullptr;
  cSystemData m_SavedSystem;
  int m_nSavedTitleSel = 0;
  int m_nSavedPlayMode = 0;
};

TEST_F(ReplayTraceTest, APlayBackGivesTheRecordedTraceAndLoopsFromTheStart) {
  // Two sub-steps a frame; the hero walks right, jumps on the way, stands, walks left.
  cStagePlan plan;
  plan.nCollisionLevel = 2;
  GiveWalkAndJump(plan.Hero, 30, 6);
  const std::vector<cInputSpan> script = {{20, kDirRight, 0}, {12, kDirRight, kButton1}, {25, 0, 0}, {30, kDirLeft, 0}};
  std::vector<std::pair<std::uint16_t, std::uint16_t>> words;
  for (const cInputSpan& span : script)
    for (int i = 0; i < span.nCount; ++i) words.emplace_back(span.wDir, span.wButton);

  // Recording.
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_StageData = BuildPlannedStage(plan);
  g_StageDataOrg = g_StageData;
  cSceneGame& recording = NewScene();
  std::vector<std::string> recorded;
  for (const auto& [dir, button] : words) {
    g_Input[0].m_wDir = dir;
    g_Input[0].m_wButton = button;
    recording.Run();
    recorded.push_back(TraceLine(recording));
    ASSERT_EQ(StateOf(recorded.back()), GAMESTATE_PLAY) << recorded.back();
  }
  ASSERT_NE(recorded.front(), recorded.back()) << "the hero did not move";
  ASSERT_EQ(SaveReplay(kReplayPath, 0), true);
  EndScene();

  // Playback: the keyboard plays no part.
  g_Replay.Reset();
  g_StageData = cStageData();
  g_StageDataOrg = cStageData();
  g_GameMgr.m_nTitleSel = TITLEITEM_REPLAY;
  ASSERT_TRUE(LoadReplay(kReplayPath));
  g_StageData.m_strPath = kReplayPath;
  cSceneGame& playback = NewScene();
  std::vector<std::string> played;
  const std::size_t frames = words.size() * 2 + 120;
  for (std::size_t i = 0; i < frames; ++i) {
    g_Input[0].m_wDir = kDirDown;
    g_Input[0].m_wButton = kButton2;
    playback.Run();
    played.push_back(TraceLine(playback));
  }
  for (std::size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "frame " << i;

  // The replay's end sets the stage up again; after the start state the same play
  // follows.
  std::size_t i = recorded.size();
  ASSERT_NE(StateOf(played[i]), GAMESTATE_PLAY) << played[i];
  while (i < played.size() && StateOf(played[i]) != GAMESTATE_PLAY) ++i;
  ++i;  // the frame that left the start state runs no play step
  ASSERT_LE(i + recorded.size(), played.size());
  for (std::size_t f = 0; f < recorded.size(); ++f)
    ASSERT_EQ(played[i + f], recorded[f]) << "frame " << f << " of the second run";
  ClearPostedMessages();
}

}  // namespace
