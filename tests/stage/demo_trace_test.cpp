// The demo game's first stage as a person plays it from the command line: walking right
// and jumping now and then climbs the steps, and the camera follows the hero on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

class DemoTraceTest : public cTempDirTest {};

TEST_F(DemoTraceTest, WalkingAndJumpingClimbsTheStepsWithTheCameraFollowing) {
  ASSERT_EQ(WriteDemoGame(), 1);
  cPlayRequest request;
  request.strStagePath = GameStagePath("stage1");
  request.nFrames = 300;
  request.vInput.push_back({60, 0, 0});
  for (int i = 0; i < 6; ++i) {
    request.vInput.push_back({20, kDirRight, kButton1});
    request.vInput.push_back({25, kDirRight, 0});
  }
  const cPlayResult run = RunPlayer(request);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  ASSERT_GE(run.FirstPlayIndex(), 0) << run.strOutput;

  // The steps end at column 13; the hero goes on beyond them on its own feet.
  const cTraceFrame& last = run.vFrames.back();
  EXPECT_EQ(last.nState, 2);
  EXPECT_GE((static_cast<int>(last.Player().dX) >> 5) - 10, 16) << last.strLine;
  EXPECT_GT(last.dScrollX, run.vFrames.front().dScrollX) << last.strLine;
  EXPECT_EQ(last.Player().nFacing, 1);
}

}  // namespace
