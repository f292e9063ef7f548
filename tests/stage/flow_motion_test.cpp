// The movement, turn and jump commands: velocities per sub-step, facing, acceleration,
// and the preparation of move times and jump times.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "flow/cmd_prepare.h"
#include "flow/wave_velocity.h"
#include "objects/game_obj.h"
#include "objects/move_support.h"
#include "objects/player.h"
#include "stage/stage_world.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

using FlowMotionTest = FlowWorldTest;

// Runs one sub-step with the sub-step velocity cleared first, as the play step does.
void Step(cFlowTestChara& chara) {
  chara.m_dVx = 0;
  chara.m_dVy = 0;
  chara.SubStep();
}

TEST_F(FlowMotionTest, StraightMoveVelocityAndFacingByDirection) {
  SetSubSteps(2);  // speed 10 tenths of a dot per frame: 0.5 dots per sub-step
  const double s = 0.5;
  const double k = g_dDiagonal * s;
  struct Case {
    const char* name;
    std::int8_t dir;
    std::int32_t facing;
    std::int32_t flying;
    double vx, vy;
    std::int32_t facingAfter;
  };
  const std::vector<Case> cases = {
      {"right", MOVEDIR_RIGHT, 0, 0, s, 0, 1},
      {"forward facing left", MOVEDIR_FORWARD, 0, 0, -s, 0, 0},
      {"backward facing right", MOVEDIR_BACKWARD, 1, 0, -s, 0, 0},
      {"up-right walking", MOVEDIR_UP_RIGHT, 0, 0, k, 0, 1},
      {"up-right flying", MOVEDIR_UP_RIGHT, 0, 1, k, -k, 1},
      {"up walking", MOVEDIR_UP, 1, 0, 0, 0, 1},
      {"down flying", MOVEDIR_DOWN, 1, 1, 0, s, 1},
  };
  for (const Case& c : cases) {
    cFlowTestChara chara;
    chara.m_nFacing = c.facing;
    chara.m_bNoGravity = c.flying;
    chara.Attach({Flow({MoveCmd(FLOWCMD_MOVE_STRAIGHT, c.dir, 10, 1)})});
    for (int step = 0; step < 12; ++step) {
      Step(chara);
      ASSERT_DOUBLE_EQ(chara.m_dVx, c.vx) << c.name << " step " << step;
      ASSERT_DOUBLE_EQ(chara.m_dVy, c.vy) << c.name << " step " << step;
    }
    EXPECT_EQ(chara.m_nFacing, c.facingAfter) << c.name;
    EXPECT_EQ(chara.RunAt(0).m_bRunning, 0) << c.name << ": 12 sub-steps for one tenth at n = 2";
  }
}

TEST_F(FlowMotionTest, LockedAxesStayStillUnlessTheOldRuleIgnoresLocks) {
  for (const std::int32_t oldRule : {0, 1}) {
    g_SystemData.m_bRuleMoveStraight773 = oldRule;
    cFlowCmd move = MoveCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_UP_RIGHT, 10, 1);
    move.m_pMove->m_bLockX = 1;
    cFlowTestChara chara;
    chara.m_bNoGravity = 1;
    chara.Attach({Flow({move})});
    Step(chara);
    EXPECT_DOUBLE_EQ(chara.m_dVx, oldRule != 0 ? g_dDiagonal : 0.0) << "old rule " << oldRule;
    EXPECT_DOUBLE_EQ(chara.m_dVy, -g_dDiagonal);
  }
}

TEST_F(FlowMotionTest, FixedFacingCharacterTurnedByAnotherCommandReversesItsMove) {
  cFlowCmd move = MoveCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_FORWARD, 10, 1);
  cFlowTestChara chara;
  chara.m_Def.m_bFixedFacing = 1;
  chara.m_nFacing = 1;
  chara.Attach({Flow({move})});
  Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dVx, 1.0);
  chara.m_nFacing = 0;
  Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dVx, -1.0);
  Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dVx, -1.0);
}

// The accelerating move grows the command velocity toward its speed and holds it within
// the second speed; against the motion the reversal factor scales the step.
TEST_F(FlowMotionTest, AcceleratingMoveGrowsTheCommandVelocityWithinTheSecondSpeed) {
  SetSubSteps(2);
  cFlowCmd move = MoveCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_RIGHT, 10, 10);
  move.m_pMove->m_bInertia = 1;
  move.m_pMove->m_nAccel = 1;  // second speed 0.1 / 2 = 0.05 dots per sub-step
  move.m_pMove->m_fBrake = 3.0;
  cFlowTestChara chara;
  chara.m_bFrictionX = 1;
  chara.Attach({Flow({move})});
  const double a = PerSecToPerStep(0.5);
  Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dCmdVx, a);
  EXPECT_EQ(chara.m_bFrictionX, 0);
  EXPECT_DOUBLE_EQ(chara.m_dVx, 0.0);
  for (int i = 0; i < 20; ++i) Step(chara);
  EXPECT_DOUBLE_EQ(chara.m_dCmdVx, 0.05);

  cFlowCmd back = MoveCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_LEFT, 10, 10);
  back.m_pMove->m_bInertia = 1;
  back.m_pMove->m_nAccel = 1;
  back.m_pMove->m_fBrake = 3.0;
  cFlowTestChara braking;
  braking.m_dCmdVx = 0.05;
  braking.m_bFrictionX = 1;
  braking.Attach({Flow({back})});
  Step(braking);
  EXPECT_DOUBLE_EQ(braking.m_dCmdVx, 0.05 - a * 3.0);
  EXPECT_EQ(braking.m_bFrictionX, 1);
}

TEST_F(FlowMotionTest, GroundTurnOnAFlyerAndMoveDisable) {
  cFlowTestChara flyer;
  flyer.m_bNoGravity = 1;
  flyer.m_bFixScreenX = 1;
  flyer.Attach({Flow({MoveCmd(FLOWCMD_MOVE_GROUND_TURN, 0, 10, 1)})});
  Step(flyer);
  EXPECT_EQ(flyer.m_bFixScreenX, 1);
  EXPECT_EQ(flyer.m_dVx, 0.0);

  // While an impact pushes a walker, the ground move keeps going forward at its speed.
  cFlowTestChara pushed;
  pushed.m_nFacing = 0;
  pushed.m_dImpactVx = 1;
  pushed.Attach({Flow({MoveCmd(FLOWCMD_MOVE_GROUND_TURN, 0, 10, 1)})});
  Step(pushed);
  EXPECT_DOUBLE_EQ(pushed.m_dVx, -1.0);
  EXPECT_EQ(pushed.m_nFacing, 0);

  cFlowTestChara held;
  held.m_dImpactVx = 2;
  held.m_dCmdVy = -1;
  held.Attach({Flow({Cmd(FLOWCMD_MOVE_DISABLE, 1)})});
  held.m_dVx = 3;
  held.SubStep();
  EXPECT_EQ(held.m_dVx, 0.0);
  EXPECT_EQ(held.m_dImpactVx, 0.0);
  EXPECT_EQ(held.m_dCmdVy, 0.0);
  EXPECT_EQ(held.m_bHeld, 1);
}

TEST_F(FlowMotionTest, TurnCommandByChoice) {
  cFlowTestChara target;
  target.m_dX = 100;
  struct Case {
    const char* name;
    std::int32_t choice;
    std::int8_t fixedFacing;
    std::int32_t facingBefore, facingAfter, count;
  };
  const std::vector<Case> cases = {
      {"no fixed facing: nothing", 1, 0, 0, 0, 0},
      {"right", 1, 1, 0, 1, 1},
      {"toward target 1 at the same centre", 2, 1, 1, 0, 1},
      {"away from target 1 at the same centre", 3, 1, 0, 1, 1},
      {"toward empty target 2", 4, 1, 1, 1, 0},
      {"toward the last wall (left)", 10, 1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    cFlowCmd turn = Cmd(FLOWCMD_TURN, 1);
    turn.m_vParam[0] = c.choice;
    cFlowTestChara chara;
    chara.m_dX = 100;
    chara.m_vTarget[0] = &target;
    chara.m_nWallSide = 0;
    chara.m_Def.m_bFixedFacing = c.fixedFacing;
    chara.m_nFacing = c.facingBefore;
    chara.Attach({Flow({turn})});
    chara.SubStep();
    EXPECT_EQ(chara.m_nFacing, c.facingAfter) << c.name;
    EXPECT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nCount, c.count) << c.name;
  }
}

// The jump runs the character's jump on every step of a time taken from its height:
// 4 half-blocks at gravity 0.4 and n = 1 reach the apex in 19 sub-steps, time 4 tenths.
TEST_F(FlowMotionTest, JumpRunsTheCharactersJumpForItsApexTime) {
  cFlowCmd jump = Cmd(FLOWCMD_JUMP, 0);
  jump.m_vParam[2] = 4;
  cFlowTestChara chara;
  chara.Attach({Flow({jump})});
  const cFlowCmdRun& run = chara.RunAt(0).m_vCmdRun[0];
  EXPECT_EQ(chara.m_Def.m_vFlow.Get()[0].m_vCmd[0].m_nTime, 4);
  EXPECT_EQ(run.m_nDuration, 24);
  EXPECT_DOUBLE_EQ(run.m_dSpeed, chara.JumpSpeedFromHbl(4));
  for (int i = 0; i < 30; ++i) {
    chara.ResetTriggerLatches();
    chara.SubStep();
  }
  EXPECT_EQ(chara.m_nJumpCalls, 30);  // the always-flow starts again when the jump ends
  EXPECT_EQ(chara.m_pLastJumpRun, &chara.RunAt(0).m_vCmdRun[0]);
}

// Distance 8 half-blocks (128 dots); speed 10 tenths at n = 2 is 0.5 dots per sub-step.
TEST_F(FlowMotionTest, MoveTimeFromDistanceNeverDividesByZero) {
  SetSubSteps(2);
  struct Case {
    const char* name;
    std::int8_t mode;
    std::int16_t time, speed, dist;
    std::int32_t legacyNegative;
    std::int32_t duration;
    double speedPerStep;
  };
  const std::vector<Case> cases = {
      {"time and distance", 1, 2, 10, 8, 0, 24, 128.0 / 24},
      {"time 0 covers the distance in one step", 1, 0, 10, 8, 0, 0, 128.0},
      {"speed and distance", 2, 2, 10, 8, 0, 256, 0.5},
      {"speed 0 takes no time", 2, 2, 0, 8, 0, 0, 0.0},
      {"negative distance made positive", 2, 2, 10, -8, 0, 256, 0.5},
      {"negative distance kept by the old rule", 2, 2, 10, -8, 1, -256, 0.5},
  };
  for (const Case& c : cases) {
    g_SystemData.m_bRuleMoveTime695 = c.legacyNegative;
    cFlowCmd move = MoveCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_RIGHT, c.speed, c.time);
    move.m_pMove->m_nSpeedMode = c.mode;
    move.m_pMove->m_nDist = c.dist;
    cFlowTestChara chara;
    chara.Attach({Flow({move})});
    const cFlowCmdRun& run = chara.RunAt(0).m_vCmdRun[0];
    EXPECT_EQ(run.m_nDuration, c.duration) << c.name;
    EXPECT_DOUBLE_EQ(run.m_dSpeed, c.speedPerStep) << c.name;
  }
}

TEST_F(FlowMotionTest, CirclePreparationWithZeroTimeOrSpeed) {
  for (const std::int8_t mode : {0, 1}) {
    cFlowCmd circle = MoveCmd(FLOWCMD_MOVE_CIRCLE, 0, 0, 0);
    circle.m_pMove->m_nSpeedMode = mode;
    circle.m_pMove->m_nAngle = 0;
    circle.m_pMove->m_nDist = 90;
    circle.m_pMove->m_nHoming = 30;  // radius clamped to 20 half-blocks
    cFlowTestChara chara;
    chara.Attach({Flow({circle})});
    const cFlowCmdRun& run = chara.RunAt(0).m_vCmdRun[0];
    EXPECT_EQ(run.m_nDist, 320);
    EXPECT_TRUE(std::isfinite(run.m_dSpeed));
    EXPECT_EQ(run.m_nDuration, 0);
    if (mode == 0) {
      EXPECT_DOUBLE_EQ(run.m_dSpeed, 90.0);
    }
  }
}

}  // namespace

namespace {

// The hero's jump flow as stages give it: button 1 pressed (edge mode), the height held
// by the key. Pressing starts the rise at the jump speed; letting go early cuts the
// rising speed to 0.3 of itself.
TEST_F(FlowMotionTest, HeroJumpRisesWhileTheButtonIsHeldAndIsCutWhenReleased) {
  cFlow flow = Flow({Cmd(FLOWCMD_JUMP, 0)});
  flow.m_vCmd[0].m_vParam[0] = 1;
  flow.m_vCmd[0].m_vParam[2] = 4;
  cKeyCond button;
  button.m_bAnyHold = 1;
  button.m_vKey[11] = KEYSLOT_PRESSED;
  flow.m_vKeyCond = {button};

  g_vPlayer.assign(1, cPlayer());
  cPlayer& hero = g_vPlayer[0];
  hero.m_vTarget.assign(kTargetSlots, nullptr);
  hero.m_vSwitch.assign(kSwitchCount, 0);
  hero.m_vSwitchClear.assign(kSwitchCount, 0);
  hero.m_vSwitchFrame.assign(kSwitchCount, 0);
  hero.m_nKind = 0;
  hero.m_nHp = 1;
  hero.m_bAirborne = 0;
  hero.m_bJumpReady = 1;
  hero.m_Def.m_vFlow = std::vector<cFlow>{flow};
  hero.SetFlows(hero.m_Def.m_vFlow.Edit(), 0, -1);
  const double speed = hero.JumpSpeedFromHbl(4);

  auto subStep = [&hero](WORD buttons) {
    Frame(0, buttons);
    hero.ResetTriggerLatches();
    hero.FireTrigger(FLOWTRIG_ALWAYS);
    hero.RunFlows(0);
  };
  subStep(1);
  EXPECT_DOUBLE_EQ(hero.m_dVy, speed);
  EXPECT_EQ(hero.m_bJumping, 1);
  hero.m_bAirborne = 1;
  subStep(1);
  EXPECT_DOUBLE_EQ(hero.m_dVy, speed);  // held: the rise goes on untouched
  subStep(0);
  EXPECT_DOUBLE_EQ(hero.m_dVy, speed * 0.3);
  EXPECT_EQ(hero.m_bJumpHoldOver, 1);
  EXPECT_EQ(m_pScene->m_pFlowRun, nullptr);
  g_vPlayer.clear();
}

}  // namespace

namespace {

// The running jump (kind 2) takes its height from the walking speed: 6 half-blocks at 4
// dots a frame or faster, 2 at 1 dot a frame or slower, in between on the line from 2 to
// 6 (cut to whole half-blocks); the rise starts at the speed of a jump of that many
// half-blocks, so the apex is that high.
TEST_F(FlowMotionTest, RunningJumpHeightFollowsTheWalkingSpeedInHalfBlocks) {
  struct Case {
    double cmdVx;  // dots per sub-step, n = 1
    std::int8_t hbl;
  } const cases[] = {{5, 6}, {-4, 6}, {2.5, 4}, {1.5, 3}, {1, 2}, {0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cmdVx);
    cFlow flow = Flow({Cmd(FLOWCMD_JUMP, 0)});
    flow.m_vCmd[0].m_vParam[0] = 2;
    flow.m_vCmd[0].m_vParam[1] = 40;  // full height from 40 tenths of a dot a frame
    flow.m_vCmd[0].m_vParam[2] = 6;
    flow.m_vCmd[0].m_vParam[3] = 10;  // least height up to 10 tenths
    flow.m_vCmd[0].m_vParam[4] = 2;
    cKeyCond button;
    button.m_bAnyHold = 1;
    button.m_vKey[11] = KEYSLOT_PRESSED;
    flow.m_vKeyCond = {button};

    g_vPlayer.assign(1, cPlayer());
    cPlayer& hero = g_vPlayer[0];
    hero.m_vTarget.assign(kTargetSlots, nullptr);
    hero.m_vSwitch.assign(kSwitchCount, 0);
    hero.m_vSwitchClear.assign(kSwitchCount, 0);
    hero.m_vSwitchFrame.assign(kSwitchCount, 0);
    hero.m_nKind = 0;
    hero.m_nHp = 1;
    hero.m_bAirborne = 0;
    hero.m_bJumpReady = 1;
    hero.m_Def.m_vFlow = std::vector<cFlow>{flow};
    hero.SetFlows(hero.m_Def.m_vFlow.Edit(), 0, -1);
    hero.m_dCmdVx = c.cmdVx;
    Frame(0, 1);
    hero.ResetTriggerLatches();
    hero.FireTrigger(FLOWTRIG_ALWAYS);
    hero.RunFlows(0);
    EXPECT_EQ(hero.m_bJumping, 1);
    EXPECT_EQ(hero.m_dVy, hero.JumpSpeedFromHbl(c.hbl));
  }
  g_vPlayer.clear();
}

TEST_F(FlowMotionTest, WavePhaseWrapsOnceAt360TimesN) {
  struct Case {
    double phase, dPhase, after;
  };
  for (const Case& c : {Case{359, 2, 1}, Case{359, 722, 721}, Case{10, 5, 15}}) {
    double p = c.phase;
    WaveVelocityX(16, 1, &p, c.dPhase, 0);
    EXPECT_DOUBLE_EQ(p, c.after) << c.phase << " + " << c.dPhase;
  }
}

// A quarter circle of radius 1 half-block in 6 sub-steps (n = 1): 15 degrees a step.
// Counter-clockwise from angle 0 the flyer starts moving left and, with the vertical wave
// a quarter turn ahead, not yet vertically; a walker gets no vertical part; radius 0
// moves nothing.
TEST_F(FlowMotionTest, CircleMoveFollowsTwoWavesAQuarterTurnApart) {
  const double k = 0.017453292519943295;
  struct Case {
    const char* name;
    std::int32_t flying;
    std::int16_t radius;
    double vx, vy;
  };
  for (const Case& c : {Case{"flyer", 1, 1, -(16 * k * 1.0 * 15), -(16 * k * std::cos(k * 90) * 15)},
                        Case{"walker", 0, 1, -(16 * k * 1.0 * 15), 0}, Case{"radius 0", 1, 0, 0, 0}}) {
    cFlowCmd circle = MoveCmd(FLOWCMD_MOVE_CIRCLE, 1, 0, 1);
    circle.m_pMove->m_nAngle = 0;
    circle.m_pMove->m_nDist = 90;
    circle.m_pMove->m_nHoming = c.radius;
    cFlowTestChara chara;
    chara.m_bNoGravity = c.flying;
    chara.Attach({Flow({circle})});
    EXPECT_DOUBLE_EQ(chara.RunAt(0).m_vCmdRun[0].m_dSpeed, 15.0) << c.name;
    Step(chara);
    EXPECT_DOUBLE_EQ(chara.m_dVx, c.vx) << c.name;
    EXPECT_DOUBLE_EQ(chara.m_dVy, c.vy) << c.name;
  }
}

}  // namespace
