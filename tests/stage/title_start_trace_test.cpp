// The player started without a stage opens on the title; keys taken from a script walk
// its menu to the challenge list and start the first challenge stage, which is then
// played with the stage's own placements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

class TitleStartTraceTest : public cTempDirTest {};

TEST_F(TitleStartTraceTest, TheTitleMenuLeadsThroughTheChallengeListToAPlayedStage) {
  ASSERT_EQ(WriteDemoGame(), 1);
  cGameContent game;
  game.System.m_bTitlePictures = 0;
  game.Stages[0].strName = "c01-1";  // challenge stage 1
  ASSERT_EQ(WriteGame(game), 1);

  cPlayRequest request;
  request.strStagePath = "";  // no stage: the title
  request.nFrames = 400;
  const std::vector<cInputSpan> input = {
      {60, 0, 0},                                     // the title fades in
      {1, kDirDown, 0}, {1, 0, 0}, {1, kDirDown, 0},  // down to "challenge"
      {1, 0, 0},        {1, 0, kButton1},             // chosen
      {90, 0, 0},                                     // out of the title, into the list
      {1, 0, kButton1},                               // the stage under the cursor
  };
  request.vInput = input;
  const cPlayResult run = RunPlayer(request);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  ASSERT_FALSE(run.vFrames.empty()) << "stage play never started\n" << run.strOutput;
  ASSERT_GE(run.FirstPlayIndex(), 0) << run.strOutput;

  // The stage's hero and its item stand where the stage placed them: the stage was loaded
  // into the stage being played, not emptied by its settings copy.
  const cTraceFrame& first = run.vFrames[static_cast<std::size_t>(run.FirstPlayIndex())];
  const cTraceObject& hero = first.Player();
  EXPECT_EQ((static_cast<int>(hero.dX) >> 5) - 10, 2) << first.strLine;
  EXPECT_NE(first.Find("item"), nullptr) << first.strLine;
}

}  // namespace
