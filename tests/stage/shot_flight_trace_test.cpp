// The hero's shots in real play, read back from the player's trace: one flies its range
// and is gone, the next flies straight for its trajectory's distance, then falls under
// the stage's gravity until the floor stops it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr std::int16_t kShotFlightTraceTestShotSpeed = 40;  // tenths of a dot per frame: four dots a frame
constexpr std::int16_t kRange = 6;       // half-blocks: 96 dots less the shot's 16

// A flow that fires one shot forward when button `nButton` is pressed.
cFlow FireOnButton(int nButton, std::int8_t nTrajectory, std::int16_t nTrajValue, bool bRange) {
  cFlow flow = MakeJumpFlow(nButton, 1, false);
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_nSpeed = kShotFlightTraceTestShotSpeed;
  block.m_nTrajectory = nTrajectory;
  block.m_nTrajParam[0] = nTrajValue;
  block.m_bRangeLimit = bRange ? 1 : 0;
  block.m_nRange = kRange;
  flow.m_vCmd = {shot};
  return flow;
}

// The hero faces right on a ledge high at the left of the box, above an empty room.
cStagePlan Range() {
  cStagePlan plan;
  plan.vMap[13][2] = '.';
  plan.vMap[5][2] = 'P';
  plan.vMap[6].replace(1, 2, "##");
  plan.Hero.m_vFlow =
      std::vector<cFlow>{FireOnButton(1, SHOTTRAJ_STRAIGHT, 0, true), FireOnButton(2, SHOTTRAJ_FALL, 2, false)};
  return plan;
}

class ShotFlightTraceTest : public cTempDirTest {};

TEST_F(ShotFlightTraceTest, ShotsFlyTheirRangeOrFallToTheFloor) {
  const std::vector<cInputSpan> input = {{50, 0, 0}, {1, 0, kButton1}, {39, 0, 0}, {1, 0, kButton2}, {69, 0, 0}};
  cStagePlan plan = Range();
  const cPlayResult run = PlayPlan(plan, 160, input);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  ASSERT_GE(run.FirstPlayIndex(), 0) << run.strOutput;

  // Each shot's places, frame by frame, by id.
  std::map<int, std::vector<cTraceObject>> flights;
  for (const cTraceFrame* frame : run.PlayFrames()) {
    for (const cTraceObject& obj : frame->vObjects) {
      if (obj.strKind == "shot") flights[obj.nId].push_back(obj);
    }
  }
  ASSERT_EQ(flights.size(), 2U);
  ASSERT_EQ(flights.begin()->first, 0);
  ASSERT_EQ(std::next(flights.begin())->first, 1);

  // 80 dots at 0.4 dots a sub-step are 200 sub-steps: 20 frames, the first seen after
  // its first frame of flight.
  const std::vector<cTraceObject>& ranged = flights[0];
  ASSERT_EQ(ranged.size(), 20U);
  for (std::size_t i = 1; i < ranged.size(); ++i) {
    EXPECT_NEAR(ranged[i].dX - ranged[i - 1].dX, 4.0, 1e-9);
    EXPECT_EQ(ranged[i].dY, ranged[0].dY);
    EXPECT_EQ(ranged[i].nFacing, 1);
  }

  // Two half-blocks (32 dots, 80 sub-steps) straight, then gravity adds the stage's
  // gravity to its fall in every frame, while it keeps its four dots a frame across.
  const std::vector<cTraceObject>& falling = flights[1];
  ASSERT_GT(falling.size(), 20U);
  for (std::size_t i = 1; i < 8; ++i) EXPECT_EQ(falling[i].dY, falling[0].dY) << i;
  for (std::size_t i = 10; i + 1 < falling.size(); ++i) {
    EXPECT_NEAR(falling[i].dX - falling[i - 1].dX, 4.0, 1e-9);
    const double before = falling[i].dY - falling[i - 1].dY;
    const double after = falling[i + 1].dY - falling[i].dY;
    EXPECT_NEAR(after - before, plan.dGravity, 1e-6) << i;
  }
  // Gone on the floor: the room's floor row starts at world y (14 + 10) x 32.
  const cTraceObject& last = falling.back();
  EXPECT_LT(last.dY + 15, 24 * 32);
  EXPECT_GT(last.dY + 15 + (last.dY - falling[falling.size() - 2].dY), 24 * 32 - 16);
}

}  // namespace
