// A recorded play plays back to the same trace, frame by frame, and again after the
// replay's end has set the stage up anew. The scene runs in this process (the player's
// replays are saved and opened through file dialogs): a play with recording on, the
// replay saved to a file as the main window's save does, then that file opened as the
// title's replay choice does and played.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/flow/condition.h"
#include "data/flow/flow_enumerations.h"
#include "objects/player.h"
#include "stage/stage_world.h"
#include "tests/stage/replay_scene_fixture.h"
#include "tests/support/play_harness.h"
#include "writers/stage_writer.h"

namespace {

constexpr const char* kReplayPath = "played.rpl4_811";

int StateOf(const std::string& line) {
  cTraceFrame frame;
  std::string error;
  return ParseTraceLine("{\"frame\": 0" + line, frame, error) ? frame.nState : -1;
}

using ReplayTraceTest = cReplaySceneTest;

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
  StartRecording(BuildPlannedStage(plan));
  cSceneGame& recording = NewScene();
  std::vector<std::string> recorded;
  for (const auto& [dir, button] : words) {
    g_Input[0].m_wDir = dir;
    g_Input[0].m_wButton = button;
    recording.Run();
    recorded.push_back(SceneTraceLine(recording));
    ASSERT_EQ(StateOf(recorded.back()), GAMESTATE_PLAY) << recorded.back();
  }
  ASSERT_NE(recorded.front(), recorded.back()) << "the hero did not move";
  ASSERT_EQ(SaveReplay(kReplayPath, 0), true);
  EndScene();

  // Playback: the keyboard plays no part.
  ASSERT_TRUE(StartPlayback(kReplayPath));
  cSceneGame& playback = NewScene();
  std::vector<std::string> played;
  const std::size_t frames = words.size() * 2 + 120;
  for (std::size_t i = 0; i < frames; ++i) {
    g_Input[0].m_wDir = kDirDown;
    g_Input[0].m_wButton = kButton2;
    playback.Run();
    played.push_back(SceneTraceLine(playback));
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

// What play took from the input is what a replay keeps: a direction lock on the hero, or a
// button still held from a menu (ignored until every button is up), changes the play, and
// the playback, which knows nothing of either, gives the same frames.
TEST_F(ReplayTraceTest, APlayBackFollowsTheInputAsInputLocksAndAHeldButtonLeftIt) {
  struct Case {
    const char* what;
    // Before frame f of the recording: sets the lock or the held-button state.
    std::function<void(int f, cSceneGame& scene)> before;
  } const cases[] = {
      {"the hero's direction locked for a while",
       [](int f, cSceneGame&) {
         if (f == 8) g_vPlayer.at(0).m_bNoDirInput = 1;
         if (f == 30) g_vPlayer.at(0).m_bNoDirInput = 0;
       }},
      {"the hero's buttons locked for a while",
       [](int f, cSceneGame&) {
         if (f == 8) g_vPlayer.at(0).m_bNoButtonInput = 1;
         if (f == 30) g_vPlayer.at(0).m_bNoButtonInput = 0;
       }},
      {"the jump button still held from a menu",
       [](int f, cSceneGame& scene) {
         if (f == 10) scene.m_bWaitRelease = 1;
       }},
  };
  cStagePlan plan;
  plan.nCollisionLevel = 2;
  GiveWalkAndJump(plan.Hero, 30, 6);
  // Right held throughout; button 1 down from frame 10 to 29 (a jump at once unless
  // ignored), then a fresh press at frame 45.
  const std::vector<cInputSpan> script = {
      {10, kDirRight, 0}, {20, kDirRight, kButton1}, {15, kDirRight, 0}, {5, kDirRight, kButton1}, {25, kDirRight, 0}};
  std::vector<std::pair<std::uint16_t, std::uint16_t>> words;
  for (const cInputSpan& span : script)
    for (int i = 0; i < span.nCount; ++i) words.emplace_back(span.wDir, span.wButton);
  const auto record = [&](const std::function<void(int, cSceneGame&)>& before) {
    StartRecording(BuildPlannedStage(plan));
    cSceneGame& scene = NewScene();
    std::vector<std::string> lines;
    for (std::size_t f = 0; f < words.size(); ++f) {
      if (before) before(static_cast<int>(f), scene);
      g_Input[0].m_wDir = words[f].first;
      g_Input[0].m_wButton = words[f].second;
      scene.Run();
      lines.push_back(SceneTraceLine(scene));
    }
    return lines;
  };
  const std::vector<std::string> unlocked = record(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string> recorded = record(c.before);
    ASSERT_NE(recorded, unlocked) << "the lock changed nothing";
    ASSERT_EQ(SaveReplay(kReplayPath, 0), true);
    EndScene();
    ASSERT_TRUE(StartPlayback(kReplayPath));
    cSceneGame& playback = NewScene();
    for (std::size_t f = 0; f < recorded.size(); ++f) {
      g_Input[0].m_wDir = 0;
      g_Input[0].m_wButton = 0;
      playback.Run();
      const std::string line = SceneTraceLine(playback);
      if (line != recorded[f]) {
        ADD_FAILURE() << "frame " << f << ":\n" << line << "\nrecorded:\n" << recorded[f];
        break;
      }
    }
  }
  ClearPostedMessages();
}

// The previous stage's replay (F2) is saved with the progress of its own start, not with
// that of the stage that followed it: played back, it starts from the common variables
// it was recorded with.
TEST_F(ReplayTraceTest, ThePreviousStagesReplayPlaysBackFromItsOwnStart) {
  constexpr int kGateVar = 5;
  cStagePlan plan;
  cFlow walk = MakeWalkFlow(30);
  cCond gate;
  gate.m_nKind = COND_COMMON_VAR;
  gate.m_nVarIndex = kGateVar;
  gate.m_nValue = 0;
  gate.m_nCmp = CMP_EQ;
  walk.m_vCond = {gate};  // the hero walks only while the variable is 0
  plan.Hero.m_vFlow.push_back(walk);

  StartRecording(BuildPlannedStage(plan));
  cSceneGame& scene = NewScene();
  std::vector<std::string> recorded;
  for (int i = 0; i < 40; ++i) {
    g_Input[0].m_wDir = kDirRight;
    g_Input[0].m_wButton = 0;
    scene.Run();
    recorded.push_back(SceneTraceLine(scene));
  }
  ASSERT_NE(recorded.front(), recorded.back()) << "the hero did not walk";
  // The stage is cleared, leaving the variable set; the same stage starts again as a
  // clear in free play starts it, and a few frames of it are played.
  g_Progress.m_Vars[kGateVar] = 1;
  scene.SetStage(1, 1);
  scene.m_nState = GAMESTATE_PLAY;
  for (int i = 0; i < 5; ++i) scene.Run();
  ASSERT_EQ(SaveReplay(kReplayPath, 1), true);
  EndScene();

  ASSERT_TRUE(StartPlayback(kReplayPath));
  EXPECT_EQ(g_Progress.m_Vars[kGateVar], 0);
  cSceneGame& playback = NewScene();
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    playback.Run();
    ASSERT_EQ(SceneTraceLine(playback), recorded[i]) << "frame " << i;
  }
  ClearPostedMessages();
}

}  // namespace
