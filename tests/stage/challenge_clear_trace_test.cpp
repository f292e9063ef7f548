// A challenge run from the title: the first challenge stage, whose hero clears it by a
// flow after a second, ends with the clear, goes back to the challenge list and leaves
// the stage cleared and the next one open in the saved challenge progress.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"
#include "writers/stage_writer.h"

namespace {

class ChallengeClearTraceTest : public cTempDirTest {};

TEST_F(ChallengeClearTraceTest, AClearedChallengeStageIsSavedAndTheNextOneOpened) {
  ASSERT_EQ(WriteDemoGame(), 1);
  cStagePlan plan;
  plan.strName = "c01-1";
  cFlowCmd clear;
  clear.m_nKind = FLOWCMD_STAGE_CLEAR;
  clear.Normalize();
  plan.Hero.m_vFlow.push_back(MakeLoopingFlow({MakeWaitCmd(10), clear}));
  cGameContent game = PlannedGame({plan});
  game.System.m_nChallengeCount = 5;
  game.System.m_bFixedChallengeCount = 0;
  ASSERT_EQ(WriteGame(game), 1);

  cPlayRequest request;
  request.strStagePath = "";  // the title
  request.nFrames = 420;
  request.vInput = {
      {60, 0, 0},       {1, kDirDown, 0}, {1, 0, 0}, {1, kDirDown, 0}, {1, 0, 0},
      {1, 0, kButton1},  // challenge
      {90, 0, 0},
      {1, 0, kButton1},  // stage 1
  };
  // The clear is left with the decision button.
  for (int i = 0; i < 25; ++i) {
    request.vInput.push_back({9, 0, 0});
    request.vInput.push_back({1, 0, kButton1});
  }
  const cPlayResult run = RunPlayer(request);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  int clearAt = -1;
  int fadeOutAt = -1;
  for (std::size_t i = 0; i < run.vFrames.size(); ++i) {
    if (clearAt < 0 && run.vFrames[i].nState == 4) clearAt = static_cast<int>(i);
    if (clearAt >= 0 && fadeOutAt < 0 && run.vFrames[i].nState == 7) fadeOutAt = static_cast<int>(i);
  }
  ASSERT_GE(clearAt, 0) << "the stage was never cleared\n" << run.strOutput;
  ASSERT_GT(fadeOutAt, clearAt) << "the clear was never left";

  cProgress saved;
  ASSERT_TRUE(saved.LoadFromFile(kChallengeFilePath));
  ASSERT_GE(saved.m_ChallengeState.size(), 2u);
  EXPECT_EQ(saved.m_ChallengeState[0].m_bCleared, 1);
  EXPECT_EQ(saved.m_ChallengeState[1].m_bCleared, 0);
  EXPECT_EQ(saved.m_nChallengeOpen, 2);
}

}  // namespace
