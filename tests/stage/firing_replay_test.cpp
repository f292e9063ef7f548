// A recorded play in which a character scatters its volleys at random plays back with
// the same shots in the same places, frame by frame: the scatter comes from the seeded
// generator the replay restores.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "objects/move_support.h"
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

constexpr const char* kReplayPath = "volleys.rpl4_811";
constexpr int kFrames = 90;

// The trace line of the scene's frame without its frame number.
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

// The character scatters a fan of three shots by up to 40 degrees every tenth of a
// second, two copies a volley.
cStagePlan ScatterRoom() {
  cStagePlan plan;
  plan.nCollisionLevel = 2;
  plan.vMap[13][15] = 'C';
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  shot.m_nTime = 20;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_SPREAD;
  block.m_nFormParam[0] = 20;
  block.m_nCount = 3;
  block.m_nCopies = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_nAngle = 30;
  block.m_nSpread = 40;
  block.m_nSpeed = 15;
  block.m_bPassBlocks = 1;
  cFlow fire;
  fire.m_nTrigger = FLOWTRIG_ALWAYS;
  fire.m_vCmd = {shot};
  plan.Chara.m_vFlow = std::vector<cFlow>{fire};
  return plan;
}

class FiringReplayTest : public cTempDirTest {
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
    ClearPostedMessages();
    cTempDirTest::TearDown();
  }

  std::vector<std::string> Play() {
    EndScene();
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    m_pScene->SetStage(1, 1);
    m_pScene->m_nState = GAMESTATE_PLAY;
    std::vector<std::string> lines;
    for (int i = 0; i < kFrames; ++i) {
      g_Input[0].m_wDir = 0;
      g_Input[0].m_wButton = 0;
      m_pScene->Run();
      lines.push_back(TraceLine(*m_pScene));
    }
    return lines;
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

TEST_F(FiringReplayTest, ScatteredVolleysPlayBackInTheSamePlaces) {
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_StageData = BuildPlannedStage(ScatterRoom());
  g_StageDataOrg = g_StageData;
  const std::vector<std::string> recorded = Play();
  ASSERT_NE(recorded.back().find("\"shot\""), std::string::npos) << recorded.back();
  ASSERT_TRUE(SaveReplay(kReplayPath, 0));
  EndScene();

  g_Replay.Reset();
  g_StageData = cStageData();
  g_StageDataOrg = cStageData();
  g_GameMgr.m_nTitleSel = TITLEITEM_REPLAY;
  ASSERT_TRUE(LoadReplay(kReplayPath));
  g_StageData.m_strPath = kReplayPath;
  const std::vector<std::string> played = Play();
  for (std::size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "frame " << i;
}

}  // namespace
