// Rankings in the built player: a stage started from its file that clears at once, its
// result registered under the options' fixed name when the clear is left, the ranking
// shown until a key and the ranking file written in the free-play folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/option/option_data.h"
#include "data/save/play_mode.h"
#include "demo/demo_game.h"
#include "stage/ranking.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"
#include "writers/stage_writer.h"

namespace {

class RankingTraceTest : public cTempDirTest {};

TEST_F(RankingTraceTest, AClearIsRegisteredShownAndWrittenUnderTheFixedName) {
  ASSERT_EQ(WriteDemoGame(), 1);
  cStagePlan plan;
  plan.vMap = {
      "..........",
      "..P.......",
      "##########",
  };
  cFlowCmd clear;
  clear.m_nKind = FLOWCMD_STAGE_CLEAR;
  plan.Hero.m_vFlow.push_back(MakeLoopingFlow({clear}));
  cGameContent game = PlannedGame({plan});
  cModeRanking& free = game.System.m_ModeRanking.at(PLAYMODE_FREE);
  free.m_bRankingOn = 1;
  free.m_ResultOn = {1, 0, 1, 0, 0};
  cOptionData options;
  options.m_nRankRegMode = RANKREG_AUTO_FIXED_NAME;
  options.m_strRankName = "zzz";
  game.Options = options;

  // The clear state takes the decision once its banner time is over; the ranking then
  // waits for a new press of the decision button.
  const std::vector<cInputSpan> input = {
      {260, 0, 0}, {1, 0, kButton1}, {20, 0, 0}, {1, 0, kButton1}, {60, 0, 0},
  };
  const cPlayResult run = PlayGame(game, plan.strName, 400, input);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  bool bCleared = false;
  for (const cTraceFrame& frame : run.vFrames) bCleared = bCleared || frame.nState == 4;
  ASSERT_TRUE(bCleared) << run.strOutput;

  cRankingSet written;
  ASSERT_EQ(written.LoadFromFile("user_data\\free\\stage1.rkg"), 1) << run.strOutput;
  const cRankEntry& best = written.m_vRanking.at(0).m_vEntry.at(0);
  EXPECT_EQ(best.m_bUsed, 1);
  EXPECT_EQ(best.m_strName, "zzz");
  EXPECT_EQ(written.m_vRanking.at(2).m_vEntry.at(0).m_strName, "zzz");  // the clear time too
  EXPECT_EQ(written.m_vRanking.at(1).m_vEntry.at(0).m_bUsed, 0);         // not ranked in free play
}

}  // namespace
