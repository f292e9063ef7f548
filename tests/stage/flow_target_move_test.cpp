// The charge and homing moves: the charge aims once and keeps its velocity, turned by the
// command's angle under the old or the new rule; the homing move re-aims every step or,
// with a lag, at the point where the target was a lag period before.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "flow/move_target.h"
#include "objects/game_obj.h"
#include "objects/move_support.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

class FlowTargetMoveTest : public FlowWorldTest {
 protected:
  // Puts the sprite cell (32 x 32) of `c` at a screen position; the moves aim from and at
  // cell centres.
  static void PlaceCell(cCharaBase& c, int left, int top) {
    c.m_nCellW = c.m_nCellH = 32;
    c.m_rcScreen.left = left;
    c.m_rcScreen.top = top;
  }

  static void Step(cFlowTestChara& chara) {
    chara.m_dVx = 0;
    chara.m_dVy = 0;
    chara.SubStep();
  }

  static cFlowCmd Charge(std::int16_t speed, std::int16_t time, std::int16_t angle = 0) {
    cFlowCmd cmd = MoveCmd(FLOWCMD_MOVE_CHARGE, 0, speed, time);
    cmd.m_pMove->m_nAngle = angle;
    cmd.m_pMove->m_bMirrorAngle = 0;
    cmd.m_pMove->m_bMirrorX = 0;
    return cmd;
  }

  static cFlowCmd Homing(std::int16_t speed, std::int16_t time, std::int16_t lag) {
    cFlowCmd cmd = MoveCmd(FLOWCMD_MOVE_HOMING, 0, speed, time);
    cmd.m_pMove->m_nHoming = lag;
    cmd.m_pMove->m_bMirrorX = 0;
    return cmd;
  }
};

TEST(TurnChargeVelocity, AngleUnderTheNewAndTheOldRule) {
  struct Case {
    const char* name;
    double vx, vy;
    int angle;
    bool flying, oldRule;
    double vxAfter, vyAfter;
  };
  const double s = 2.0;
  const double c30 = s * std::cos(30 * 0.017453292519943278);
  const double s30 = s * std::sin(30 * 0.017453292519943278);
  const std::vector<Case> cases = {
      // Rightward: atan2 0 -> 180 degrees; 180 + 30 turns it 30 degrees clockwise on
      // screen (down and to the right).
      {"right, new rule, flying", 2, 0, 30, true, false, c30, s30},
      {"right, new rule, walking", 2, 0, 30, false, false, c30, 0},
      // Leftward: atan2 180 -> 360; 390 degrees points left and down.
      {"left, new rule, flying", -2, 0, 30, true, false, -c30, -s30},
      // The old rule measures from the other axis: rightward is atan2(2, 0) = 90 -> 180,
      // and its cosine keeps the sign, so the turned velocity points left.
      {"right, old rule, flying", 2, 0, 30, true, true, -c30, s30},
      {"right, old rule, walking", 2, 0, 30, false, true, -c30, 0},
  };
  for (const Case& c : cases) {
    double vx = c.vx;
    double vy = c.vy;
    TurnChargeVelocity(&vx, &vy, s, c.angle, c.flying, c.oldRule);
    EXPECT_NEAR(vx, c.vxAfter, 1e-12) << c.name;
    EXPECT_NEAR(vy, c.vyAfter, 1e-12) << c.name;
  }
  // The direction is taken in whole degrees before the turn: atan2 gives -153.43 degrees,
  // + 180 is 26.57, kept as 26.
  double vx = -2;
  double vy = -1;
  TurnChargeVelocity(&vx, &vy, 1.0, 1, true, false);
  EXPECT_NEAR(vx, -std::cos(27 * 0.017453292519943278), 1e-12);
  EXPECT_NEAR(vy, -std::sin(27 * 0.017453292519943278), 1e-12);
}

TEST_F(FlowTargetMoveTest, MoveTargetTakesTheAxesTheLocksLeaveFree) {
  cFlowTestChara target;
  PlaceCell(target, 100, 200);
  cFlowCmd cmd = Charge(10, 1);
  cFlowCmdRun run;
  run.m_lpCmd = &cmd;
  run.m_nTargetX = 5;
  run.m_nTargetY = -7;
  struct Case {
    std::int8_t lockX, lockY;
    double x, y;
  };
  const std::vector<Case> cases = {
      {0, 0, 121, 209}, {0, 1, 121, -1}, {1, 0, -1, 209}, {1, 1, 121, -1}};
  for (const Case& c : cases) {
    cmd.m_pMove->m_bLockX = c.lockX;
    cmd.m_pMove->m_bLockY = c.lockY;
    double x = -1;
    double y = -1;
    CalcMoveTarget(target, &x, &y, run);
    EXPECT_EQ(x, c.x) << int{c.lockX} << int{c.lockY};
    EXPECT_EQ(y, c.y) << int{c.lockX} << int{c.lockY};
  }
}

TEST_F(FlowTargetMoveTest, ChargeAimsOnceAndKeepsItsVelocity) {
  struct Case {
    const char* name;
    bool flying;
    double vx, vy;
  };
  // Target 300 right and 400 below: one dot per step splits 3 : 4 when flying.
  const std::vector<Case> cases = {{"walking", false, 1.0, 0.0}, {"flying", true, 0.6, 0.8}};
  for (const Case& c : cases) {
    cFlowTestChara target;
    PlaceCell(target, 400, 500);
    cFlowTestChara chara;
    PlaceCell(chara, 100, 100);
    chara.m_bNoGravity = c.flying ? 1 : 0;
    chara.m_vTarget[0] = &target;
    chara.Attach({Flow({Charge(10, 1)})});
    for (int step = 0; step < 6; ++step) {
      Step(chara);
      ASSERT_NEAR(chara.m_dVx, c.vx, 1e-12) << c.name << " step " << step;
      ASSERT_NEAR(chara.m_dVy, c.vy, 1e-12) << c.name << " step " << step;
      // The target moving away does not change the dash.
      PlaceCell(target, 50, 0);
    }
    EXPECT_EQ(chara.m_nFacing, 1) << c.name;
  }
}

TEST_F(FlowTargetMoveTest, ChargeWithoutALiveTargetStandsForItsTime) {
  for (const bool dying : {false, true}) {
    cFlowTestChara target;
    PlaceCell(target, 400, 100);
    target.m_bDying = 1;
    cFlowTestChara chara;
    PlaceCell(chara, 100, 100);
    chara.m_vTarget[0] = dying ? &target : nullptr;
    chara.Attach({Flow({Charge(10, 1)})});
    // A velocity left over from an earlier run is not reused.
    chara.RunAt(0).m_vCmdRun[0].m_dVX = 5;
    for (int step = 0; step < 5; ++step) {
      Step(chara);
      ASSERT_EQ(chara.m_dVx, 0.0) << "dying " << dying << " step " << step;
      target.m_bDying = 0;  // a target that recovers later changes nothing either
    }
    EXPECT_EQ(chara.RunAt(0).m_bRunning, 1) << "the command still holds its time";
  }
}

TEST_F(FlowTargetMoveTest, ChargeTurnedByItsAngle) {
  for (const std::int32_t oldRule : {0, 1}) {
    g_SystemData.m_bRuleCharge728 = oldRule;
    cFlowTestChara target;
    PlaceCell(target, 400, 100);
    cFlowTestChara chara;
    PlaceCell(chara, 100, 100);
    chara.m_bNoGravity = 1;
    chara.m_vTarget[0] = &target;
    chara.Attach({Flow({Charge(10, 1, 30)})});
    Step(chara);
    // Rightward turned by 30 degrees, down the screen; the old rule measures from the
    // other axis and ends pointing left.
    const double c30 = std::cos(30 * 0.017453292519943278);
    EXPECT_NEAR(chara.m_dVx, oldRule != 0 ? -c30 : c30, 1e-12) << "old rule " << oldRule;
    EXPECT_NEAR(chara.m_dVy, 0.5, 1e-12) << "old rule " << oldRule;
  }
}

TEST_F(FlowTargetMoveTest, HomingReaimsEveryStepWithoutLag) {
  cFlowTestChara target;
  PlaceCell(target, 400, 100);
  cFlowTestChara chara;
  PlaceCell(chara, 100, 100);
  chara.m_bNoGravity = 1;
  chara.m_vTarget[0] = &target;
  chara.Attach({Flow({Homing(10, 10, 0)})});
  Step(chara);
  EXPECT_NEAR(chara.m_dVx, 1.0, 1e-12);
  PlaceCell(target, 100, 400);
  Step(chara);
  EXPECT_NEAR(chara.m_dVx, 0.0, 1e-12);
  EXPECT_NEAR(chara.m_dVy, 1.0, 1e-12);
}

// A lag of 2 half-blocks at n = 1 re-aims every second step at the point queued two steps
// before.
TEST_F(FlowTargetMoveTest, HomingWithALagAimsWhereTheTargetWasALagPeriodBefore) {
  cFlowTestChara target;
  cFlowTestChara chara;
  PlaceCell(chara, 100, 100);
  chara.m_bNoGravity = 1;
  chara.m_vTarget[0] = &target;
  chara.Attach({Flow({Homing(10, 10, 2)})});
  ASSERT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nDist, 2);
  // Where the target is at each step, and the horizontal velocity expected then.
  struct Case {
    int targetLeft;  // same height as the character: the aim is horizontal
    double vx;
  };
  const std::vector<Case> cases = {
      {400, 1.0},   // step 0: aims at the target now (right) and queues it
      {0, 1.0},     // step 1: keeps the velocity
      {0, 1.0},     // step 2: aims at the point queued at step 0 (right), queues left
      {400, 1.0},   // step 3: keeps
      {400, -1.0},  // step 4: aims at the point of step 2 (left)
      {400, -1.0},  // step 5: keeps
      {0, 1.0},     // step 6: the point of step 4 (right)
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    PlaceCell(target, cases[i].targetLeft, 100);
    Step(chara);
    ASSERT_NEAR(chara.m_dVx, cases[i].vx, 1e-12) << "step " << i;
    EXPECT_LE(chara.RunAt(0).m_vCmdRun[0].m_listWork.size(), 1u) << "step " << i;
  }
}

TEST_F(FlowTargetMoveTest, HomingPausesWhileTheTargetIsMissingOrDyingAndWalkersMoveOnlySideways) {
  cFlowTestChara target;
  PlaceCell(target, 400, 400);
  cFlowTestChara chara;
  PlaceCell(chara, 100, 100);
  chara.Attach({Flow({Homing(10, 10, 0)})});
  Step(chara);  // empty slot: nothing, the counter stays
  EXPECT_EQ(chara.m_dVx, 0.0);
  EXPECT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nCount, 0);
  chara.m_vTarget[0] = &target;
  target.m_bDying = 1;
  Step(chara);
  EXPECT_EQ(chara.m_dVx, 0.0);
  EXPECT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nCount, 0);
  target.m_bDying = 0;
  Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dVx, 1.0) << "a walker moves at full speed toward the target's x";
  EXPECT_EQ(chara.m_dVy, 0.0);
  EXPECT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nCount, 1);

  cFlowCmd locked = Homing(10, 10, 0);
  locked.m_pMove->m_bLockX = 1;
  cFlowTestChara walker;
  PlaceCell(walker, 100, 100);
  walker.m_vTarget[0] = &target;
  walker.Attach({Flow({locked})});
  Step(walker);
  EXPECT_EQ(walker.m_dVx, 0.0);
  EXPECT_EQ(walker.m_bMoving, 0) << "no movement step for a walker locked on x";
  EXPECT_EQ(walker.RunAt(0).m_vCmdRun[0].m_nCount, 0);
}

}  // namespace
