#include "objects/move_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/flow/movement_block.h"
#include "data/record/data_record.h"
#include "flow/flow_run.h"
#include "data/flow/flow_command.h"
#include "objects/chara.h"
#include "objects/move_toward.h"
#include "tests/stage/object_world.h"

namespace {

class MoveSupportTest : public ObjectWorldTest {
 protected:
  // A walking stage character with a 16 x 32 box at offset (8, 0), facing right.
  cChara& Chara(double x = 508, double y = 352) {
    m_Chara.Reset(nullptr, 0, 0, 0);
    m_Chara.cGameObj::Init(1, 1, 0, 1, 0, nullptr, 0, 8, 0, 16, 32, 32, 32, 1, 0, 0, nullptr);
    m_Chara.m_Def.m_bFixedFacing = 0;
    m_Chara.m_dX = x;
    m_Chara.m_dY = y;
    m_Chara.ClampX(3);
    m_Chara.ClampY(3);
    return m_Chara;
  }

  cChara m_Chara;
};

TEST_F(MoveSupportTest, JumpSpeedApexAndTime) {
  const struct {
    int level;
    int kind;
    std::int8_t height;  // half-blocks
    double speed;        // 0: not checked
    int steps;
    int time;
  } cases[] = {
      {1, 1, 4, -7.3582, 19, 4},
      {1, 0, 4, -7.2110, 19, 4},
      {2, 1, 4, 0, 38, 4},
      {2, 0, 4, 0, 37, 4},
      // A negative height (damaged data) jumps as high as height 0.
      {1, 1, -1, -0.4, 2, 1},
      {1, 0, -128, -0.392, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.kind) + " " + std::to_string(c.height));
    SetLevel(c.level);
    cChara& chara = Chara();
    chara.m_nKind = c.kind;
    const double v = chara.JumpSpeedFromHbl(c.height);
    if (c.speed != 0) {
      EXPECT_NEAR(v, c.speed, 1e-4);
    }
    EXPECT_EQ(chara.JumpApexSteps(v), c.steps);
    EXPECT_EQ(chara.JumpApexTime(c.height), c.time);
  }
}

TEST_F(MoveSupportTest, ImpactPowerAndResistance) {
  cChara& chara = Chara();
  chara.ApplyImpact(0, 1, 0);
  EXPECT_EQ(chara.m_bImpactAir, 0);

  // Resistance cancels the power: the old impact stays, opposing command speed goes.
  chara.m_Def.m_nImpactResist = 5;
  chara.m_dImpactVx = 2;
  chara.m_dCmdVx = -1;
  chara.m_dVy = 0.5;
  chara.ApplyImpact(3, -1, 0);
  EXPECT_EQ(chara.m_dImpactVx, 2);
  EXPECT_EQ(chara.m_dCmdVx, 0);
  EXPECT_EQ(chara.m_dVy, 0.5);
  EXPECT_EQ(chara.m_bImpactAir, 1);

  // (3, 4) shares power 7 as 3 and 4 half-blocks.
  chara.m_Def.m_nImpactResist = 0;
  chara.ApplyImpact(7, 3, 4);
  EXPECT_DOUBLE_EQ(chara.m_dImpactVx, (std::sqrt(1 + 128 * 3.0) - 1) / 2);
  EXPECT_DOUBLE_EQ(chara.m_dImpactVy, (std::sqrt(1 + 128 * 4.0) - 1) / 2);
}

TEST_F(MoveSupportTest, FullImpactKnocksThreeHundredTwentyDotsAtEveryRate) {
  for (int level : {1, 2, 10, 15}) {
    SetLevel(level);
    cChara& chara = Chara();
    chara.ApplyImpact(20, 1, 0);
    double travelled = 0;
    int steps = 0;
    while (chara.m_dImpactVx != 0 && steps < 10000) {
      travelled += chara.m_dImpactVx;
      chara.DecayImpactX();
      ++steps;
    }
    EXPECT_NEAR(travelled, 320, 1.0) << level;
  }
}

TEST_F(MoveSupportTest, ImpactDecaysToZeroWithoutCrossing) {
  SetLevel(2);
  cChara& chara = Chara();
  const struct {
    double before;
    double after;
  } cases[] = {{1.2, 0.7}, {0.3, 0}, {-0.3, 0}, {-1.2, -0.7}, {0, 0}};
  for (const auto& c : cases) {
    chara.m_dImpactVy = c.before;
    chara.DecayImpactY();
    EXPECT_DOUBLE_EQ(chara.m_dImpactVy, c.after) << c.before;
  }
}

TEST_F(MoveSupportTest, KeyDirectionFollowsTheReplaysVersion) {
  const struct {
    int replay;
    int version;
    int index;
    int keyFlag;
    int facing;
    int dir;
  } cases[] = {
      {0, 811, 0, 1, 1, MOVEDIR_RIGHT}, {0, 811, 0, 0, 0, MOVEDIR_LEFT}, {0, 811, 9, 0, 1, MOVEDIR_RIGHT},
      {0, 811, 9, 1, 1, 0},             {0, 811, 5, 1, 1, MOVEDIR_UP_LEFT}, {0, 811, 4, 0, 0, MOVEDIR_DOWN},
      {1, 777, 9, 0, 1, 0},             {1, 777, 0, 0, 0, MOVEDIR_LEFT},   {1, 778, 9, 1, 1, MOVEDIR_RIGHT},
      {1, 779, 9, 1, 0, MOVEDIR_LEFT},  {1, 780, 9, 1, 1, 0},              {1, 780, 9, 0, 1, MOVEDIR_RIGHT},
      {0, 811, 12, 0, 1, 0},
  };
  const int savedVersion = g_nFileVersion;
  for (const auto& c : cases) {
    g_GameMgr.m_nTitleSel = c.replay != 0 ? TITLEITEM_REPLAY : TITLEITEM_NEWGAME;
    g_nFileVersion = c.version;
    EXPECT_EQ(ResolveMoveDirection(c.index, c.keyFlag, c.facing), c.dir)
        << c.replay << " " << c.version << " " << c.index << " " << c.keyFlag;
  }
  g_nFileVersion = savedVersion;
}

TEST_F(MoveSupportTest, EightWayVelocityByMotionKind) {
  const double k = g_dDiagonal;
  const struct {
    int flying;
    int fixedFacing;
    int code;
    double vx;
    double vy;
    int turn;  // 9: left as the caller had it
  } cases[] = {
      {0, 0, MOVEDIR_UP, 0, 0, 0},          {1, 0, MOVEDIR_UP, 0, -2, 0},
      {0, 0, MOVEDIR_UP_LEFT, -k * 2, 0, 1}, {1, 0, MOVEDIR_DOWN_RIGHT, k * 2, k * 2, 2},
      {0, 0, MOVEDIR_FORWARD, 2, 0, 2},     {0, 0, MOVEDIR_BACKWARD, -2, 0, 1},
      {0, 1, MOVEDIR_LEFT, -2, 0, 9},       {0, 0, MOVEDIR_KEY + 1, 0, 0, 9},
  };
  for (const auto& c : cases) {
    cChara& chara = Chara();
    chara.m_bNoGravity = c.flying;
    chara.m_Def.m_bFixedFacing = static_cast<std::int8_t>(c.fixedFacing);
    double vx = 5;
    double vy = 5;
    int turn = 9;
    chara.DirectionToVelocity(&vx, &vy, &turn, 2, c.code);
    EXPECT_DOUBLE_EQ(vx, c.vx) << c.flying << " " << c.code;
    EXPECT_DOUBLE_EQ(vy, c.vy) << c.flying << " " << c.code;
    EXPECT_EQ(turn, c.turn) << c.flying << " " << c.code;
  }
}

TEST_F(MoveSupportTest, CommandAngleWrapsOnlyFromAbove) {
  cFlowCmd cmd;
  CreateEdMove(cmd.m_pMove);
  cFlowCmdRun run;
  run.m_lpCmd = &cmd;
  const struct {
    int angle;
    int step;
    int copy;
    int mirror;
    int direction;
    int result;
  } cases[] = {
      {370, 0, 0, 0, 0, 10}, {-30, 0, 0, 0, 0, -30}, {30, 0, 0, 1, 1, 330},
      {30, 0, 0, 1, 0, 30},  {100, 150, 2, 0, 0, 40}, {0, 0, 0, 1, 1, 360 - 360},
  };
  for (const auto& c : cases) {
    cChara& chara = Chara();
    cmd.m_pMove->m_nAngle = static_cast<std::int16_t>(c.angle);
    cmd.m_pMove->m_nAngleStep = static_cast<std::int16_t>(c.step);
    cmd.m_pMove->m_bMirrorAngle = static_cast<std::int8_t>(c.mirror);
    chara.m_nCopyIndex = static_cast<std::int16_t>(c.copy);
    chara.m_Def.m_nDirection = static_cast<std::int8_t>(c.direction);
    chara.CalcCommandAngle(&run);
    EXPECT_EQ(run.m_nAngle, c.result) << c.angle << " " << c.step << " " << c.copy;
  }
}

TEST_F(MoveSupportTest, VelocityToPointAtTheTargetStands) {
  cChara& chara = Chara();
  cEdMove move;
  move.m_nCoordKind = MOVECOORD_RELATIVE;
  move.m_bTimeToTarget = 1;
  move.m_bStopAtTarget = 0;
  double vx = 9;
  double vy = 9;
  int turn = 9;
  int frames = -1;
  chara.VelocityToPoint(&vx, &vy, &turn, 5, 0, 0, &move, &frames);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vy, 0);
  EXPECT_EQ(turn, 0);
  EXPECT_EQ(frames, 0);

  // Less than one step away: with stop-on-arrival the enabled axes stop.
  chara.VelocityToPoint(&vx, &vy, &turn, 5, 3, 0, &move, &frames);
  EXPECT_DOUBLE_EQ(vx, 5);
  move.m_bStopAtTarget = 1;
  chara.VelocityToPoint(&vx, &vy, &turn, 5, 3, 0, &move, &frames);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(turn, 0);
}

// The character stands across columns 15 and 16 on row 12; a drop opens on the right.
TEST_F(MoveSupportTest, GroundTurnAtALedgeFollowsTheSpeedSignUnderTheNewRule) {
  SetSolid(15, 12);
  const struct {
    int rule;
    double speed;
    int turn;
  } cases[] = {{0, 1, TURN_LEFT}, {0, -1, TURN_RIGHT}, {1, -1, TURN_LEFT}, {1, 1, TURN_LEFT}};
  for (const auto& c : cases) {
    g_SystemData.m_bRuleGroundTurn805 = c.rule;
    cChara& chara = Chara();
    cFlowCmdRun run;
    run.m_dSpeed = c.speed;
    chara.GroundTurnStep(&run, nullptr);
    EXPECT_EQ(run.m_nTurn, c.turn) << c.rule << " " << c.speed;
    EXPECT_EQ(run.m_dVX, c.speed);  // facing right
  }
}

TEST_F(MoveSupportTest, LedgeProbeBelowTheGridReadsEmpty) {
  cChara& chara = Chara(508, 940);  // the feet reach past the last row
  cFlowCmdRun run;
  run.m_dSpeed = 1;
  chara.GroundTurnStep(&run, nullptr);
  EXPECT_EQ(run.m_nTurn, TURN_NONE);
}

TEST_F(MoveSupportTest, PlaceAtBlockAddsHalfADotHorizontallyOnly) {
  cChara& chara = Chara();
  chara.m_Def.m_nSize = 1;
  chara.PlaceAtBlock(2, 3);
  EXPECT_EQ(chara.m_dX, (2 + 10) * 32 + 8 + 0.5);
  EXPECT_EQ(chara.m_dY, (3 + 10) * 32);
}

TEST_F(MoveSupportTest, VelocityTowardAPointFleesArrivesAndIntercepts) {
  double vx = 0;
  double vy = 0;
  int turn = 9;
  // Fleeing from a point straight above: right and down, never an arrival.
  const double t = g_dDiagonal * 2;
  EXPECT_EQ(CalcVelocityToward(&vx, &vy, &turn, nullptr, 100, 100, 100, 50, -2, 0, 0, 1), 0);
  EXPECT_DOUBLE_EQ(vx, t);
  EXPECT_DOUBLE_EQ(vy, t);
  EXPECT_EQ(turn, TURN_RIGHT);
  // At the point: no velocity (the distance counts as 1) and an arrival.
  turn = 9;
  EXPECT_EQ(CalcVelocityToward(&vx, &vy, &turn, nullptr, 100, 100, 100, 100, 3, 0, 0, 1), 1);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vy, 0);
  EXPECT_EQ(turn, TURN_NONE);
  // Two axes arrive within the speed, one axis only strictly inside it.
  EXPECT_EQ(CalcVelocityToward(&vx, &vy, &turn, nullptr, 100, 100, 103, 100, 3, 0, 0, 1), 1);
  EXPECT_EQ(CalcVelocityTowardX(&vx, &vy, &turn, nullptr, 100, 103, 3, 0, 1), 0);
  EXPECT_EQ(CalcVelocityTowardX(&vx, &vy, &turn, nullptr, 100, 102.9, 3, 0, 1), 1);
  EXPECT_EQ(vx, 3);
  EXPECT_EQ(turn, TURN_RIGHT);
  EXPECT_EQ(CalcVelocityTowardY(&vx, &vy, &turn, nullptr, 100, 90, 3, 0, 1), 0);
  EXPECT_EQ(vy, -3);
  EXPECT_EQ(turn, TURN_NONE);

  // A target riding the automatic scroll is intercepted; at its very point the intercept
  // ends early: no arrival and the turn left as it was.
  Scene().m_ScrollX.m_dSpeed = 1;
  cChara target;
  target.m_bScrollSync = 1;
  turn = 9;
  EXPECT_EQ(CalcVelocityToward(&vx, &vy, &turn, &target, 100, 100, 100, 100, 3, 0, 0, 1), 0);
  EXPECT_EQ(turn, 9);
  EXPECT_EQ(CalcVelocityToward(&vx, &vy, &turn, &target, 0, 0, 100, 0, 2, 0, 0, 0), 0);
  EXPECT_DOUBLE_EQ(vx, 2);
  EXPECT_DOUBLE_EQ(vy, 0);
  // A target that does not ride it: the scroll speed is taken off.
  target.m_bScrollSync = 0;
  CalcVelocityToward(&vx, &vy, &turn, &target, 0, 0, 100, 0, 2, 0, 0, 0);
  EXPECT_DOUBLE_EQ(vx, 1);
}

TEST_F(MoveSupportTest, BothAxesLockedStandsStill) {
  cChara& chara = Chara();
  cFlowCmd cmd;
  CreateEdMove(cmd.m_pMove);
  cmd.m_pMove->m_bLockX = 1;
  cmd.m_pMove->m_bLockY = 1;
  cFlowCmdRun run;
  run.m_lpCmd = &cmd;
  run.m_dVX = run.m_dVY = 4;
  run.m_nTurn = TURN_LEFT;
  EXPECT_EQ(chara.MoveTowardByAxes(&run, cmd.m_pMove.get(), nullptr, 0, 0), 0);
  EXPECT_EQ(run.m_dVX, 0);
  EXPECT_EQ(run.m_dVY, 0);
  EXPECT_EQ(run.m_nTurn, TURN_NONE);
  // Only y locked: the horizontal primitive, arriving and setting the centre on the point.
  cmd.m_pMove->m_bLockX = 0;
  cmd.m_pMove->m_bStopAtTarget = 1;
  run.m_dSpeed = 3;
  chara.UpdateScreenRect();
  const int centre = chara.m_rcScreen.left + 16;
  EXPECT_EQ(chara.MoveTowardByAxes(&run, cmd.m_pMove.get(), nullptr, centre + 2, 0), 1);
  EXPECT_EQ(run.m_dVX, 0);
  chara.UpdateScreenRect();
  EXPECT_EQ(chara.m_rcScreen.left + 16, centre + 2);
}

}  // namespace
