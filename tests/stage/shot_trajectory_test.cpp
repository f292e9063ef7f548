#include "objects/shot_trajectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/flow/flow_command_kinds.h"
#include "objects/chara.h"
#include "objects/shot.h"
#include "tests/stage/object_world.h"

namespace {

// The world of ObjectWorldTest at one sub-step a frame: a shot of speed 3 starts at
// (400, 400) flying right (screen centre (88, 88) with the view at (320, 320)); the hero
// and two characters of side 2 stand where each case puts them.
class ShotTrajectoryTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    g_vPlayer.resize(1);
    Place(g_vPlayer[0], 1, 0, 0);
    for (int i = 0; i < 2; ++i) {
      cChara& chara = g_listChara.emplace_back();
      chara.Reset(nullptr, 0, 0, 0);
      Place(chara, 10 + i, 2, 0);
      Scene().m_vGroupList[2].push_back(&chara);
    }
    m_Firer.Reset(nullptr, 0, 0, 0);
    Place(m_Firer, 20, 1, 0);
  }

  void TearDown() override {
    m_Firer.ReleaseLinks();
    ObjectWorldTest::TearDown();
  }

  // A flying 32 x 32 object whose screen centre is (cx, cy); active and on screen.
  static void Place(cCharaBase& chara, int id, int side, double cx, double cy = 0) {
    chara.cGameObj::Init(id, 1, 0, side, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 1, 1, 0, nullptr);
    MoveTo(chara, cx, cy);
    chara.m_bActive = 1;
    chara.m_bOnScreen = 1;
  }

  static void MoveTo(cCharaBase& chara, double cx, double cy) {
    chara.m_dX = cx - 16 + 320;
    chara.m_dY = cy - 16 + 320;
    chara.cGameObj::ClampX(3);
    chara.cGameObj::ClampY(3);
    chara.UpdateScreenRect();
  }

  static cChara& Chara(int i) { return *std::next(g_listChara.begin(), i); }

  // A shot of the kind and values, speed 3 dots a frame to the right.
  cShot MakeShot(int kind, int p1, int p2 = 0, int p3 = 0, int speed = 30, int accel = 0) {
    cEdShot block;
    block.m_nTrajectory = static_cast<std::int8_t>(kind);
    block.m_nTrajParam[0] = static_cast<std::int16_t>(p1);
    block.m_nTrajParam[1] = static_cast<std::int16_t>(p2);
    block.m_nTrajParam[2] = static_cast<std::int16_t>(p3);
    block.m_nSpeed = static_cast<std::int16_t>(speed);
    block.m_bAccelerate = accel != 0 ? 1 : 0;
    block.m_nAccel = static_cast<std::int16_t>(accel);
    FORMATIONSLOT slot;
    slot.m_nX = 400;
    slot.m_nY = 400;
    slot.m_dVx = speed * 0.1;
    slot.m_dSpeed = std::fabs(slot.m_dVx);
    cShot shot;
    EXPECT_TRUE(shot.Init(1, m_Firer, FLOWCMD_SHOT, block, slot));
    return shot;
  }

  // One sub-step of the play step; the base velocity after it.
  static void Step(cShot& shot) {
    ASSERT_EQ(shot.Update(), 0);
    shot.ApplyGravity();
    shot.StepY();
    shot.StepX();
  }

  cChara m_Firer;
};

struct Vel {
  double vx;
  double vy;
};

// Toward a point (dx, dy) away at speed 3.
Vel Toward(double dx, double dy) { return {3 * dx / std::hypot(dx, dy), 3 * dy / std::hypot(dx, dy)}; }

TEST_F(ShotTrajectoryTest, AimingTurnsOnceAtTheTriggerStep) {
  struct Case {
    const char* name;
    int kind;
    int p1, p2;
    int speed;
    bool targetLinked;
    std::vector<Vel> base;  // base velocity after each sub-step
    bool done;
  };
  // The hero's centre is 30 right and 40 below the shot's; the nearest of side 2 is 60
  // right and 80 below.
  const Vel straight{3, 0};
  const Case cases[] = {
      {"aim at the hero on the first sub-step", SHOTTRAJ_AIM_HERO, 0, 0, 30, false,
       {Toward(30, 40), Toward(30, 40)}, true},
      // 1 half-block at 3 dots a sub-step: the trigger is step 5, after 15 dots of flight.
      {"aim after one half-block", SHOTTRAJ_AIM_HERO, 1, 0, 30, false,
       {straight, straight, straight, straight, straight, Toward(15, 40), Toward(15, 40)}, true},
      {"aim at the nearest of side 2", SHOTTRAJ_AIM_NEAREST, 0, 2, 30, false, {Toward(60, 80)}, true},
      {"aim at the target", SHOTTRAJ_AIM_TARGET, 0, 0, 30, true, {Toward(-30, -40)}, true},
      {"no target flies straight and is done", SHOTTRAJ_AIM_TARGET, 0, 0, 30, false, {straight, straight}, true},
      {"a negative speed never reaches its trigger", SHOTTRAJ_AIM_HERO, 1, 0, -30, false,
       std::vector<Vel>(8, Vel{-3, 0}), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MoveTo(g_vPlayer[0], 88 + 30, 88 + 40);
    MoveTo(Chara(0), 88 + 60, 88 + 80);
    MoveTo(Chara(1), 88 + 90, 88 + 120);
    MoveTo(m_Firer, 88 - 30, 88 - 40);
    m_Firer.m_vTarget[0] = c.targetLinked ? &m_Firer : nullptr;
    cShot shot = MakeShot(c.kind, c.p1, c.p2, 0, c.speed);
    for (std::size_t i = 0; i < c.base.size(); ++i) {
      Step(shot);
      EXPECT_NEAR(shot.m_dBaseVx, c.base[i].vx, 1e-12) << "sub-step " << i;
      EXPECT_NEAR(shot.m_dBaseVy, c.base[i].vy, 1e-12) << "sub-step " << i;
    }
    EXPECT_EQ(shot.m_bTrajDone != 0, c.done);
    shot.m_pTarget = nullptr;
    m_Firer.m_vTarget[0] = nullptr;
  }
}

TEST_F(ShotTrajectoryTest, HomingSteersForItsStretchOfFlight) {
  struct Case {
    const char* name;
    int kind;
    int p1, p2, p3;
    int steps;
    int homedSteps;  // sub-steps whose base velocity points at the hero
  };
  const Case cases[] = {
      {"an end of 0 never homes", SHOTTRAJ_HOME_HERO, 0, 0, 0, 10, 0},
      {"from the start for 999 half-blocks", SHOTTRAJ_HOME_HERO, 0, 999, 0, 10, 10},
      // Start after 1 half-block (step 5), end after 2 (step 10).
      {"between one and two half-blocks", SHOTTRAJ_HOME_HERO, 1, 2, 0, 14, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cShot shot = MakeShot(c.kind, c.p1, c.p2, c.p3);
    int homed = 0;
    for (int i = 0; i < c.steps; ++i) {
      // The hero jumps from side to side, so that only a homing step points at it.
      const double heroX = 88 + (i % 2 == 0 ? 300 : -300);
      MoveTo(g_vPlayer[0], heroX, 88 + 200);
      shot.UpdateScreenRect();
      const Vel want = Toward(heroX - (shot.m_rcScreen.left + 8), 88 + 200 - (shot.m_rcScreen.top + 8));
      Step(shot);
      if (std::fabs(shot.m_dBaseVx - want.vx) < 1e-12 && std::fabs(shot.m_dBaseVy - want.vy) < 1e-12) ++homed;
    }
    EXPECT_EQ(homed, c.homedSteps);
  }
}

TEST_F(ShotTrajectoryTest, HomingOnTheNearestTakesTheNextWhenOneIsDefeated) {
  for (int kind : {SHOTTRAJ_HOME_NEAREST_STOP, SHOTTRAJ_HOME_NEAREST_RETARGET}) {
    SCOPED_TRACE(kind);
    MoveTo(Chara(0), 88, 88 + 100);
    MoveTo(Chara(1), 88, 88 - 200);
    Chara(0).m_bDying = 0;
    cShot shot = MakeShot(kind, 0, 999, 2);
    Step(shot);
    EXPECT_NEAR(shot.m_dBaseVx, 0, 1e-12);
    EXPECT_NEAR(shot.m_dBaseVy, 3, 1e-12) << "down to the nearest";
    Chara(0).m_bDying = 1;
    shot.m_dX = 400;
    shot.cGameObj::ClampX(3);
    Step(shot);
    EXPECT_NEAR(shot.m_dBaseVy, -3, 1e-12) << "up to the next nearest";
    Chara(1).m_bDying = 1;
    const double vy = shot.m_dBaseVy;
    Step(shot);
    EXPECT_DOUBLE_EQ(shot.m_dBaseVy, vy) << "no one left: homing pauses";
    Chara(1).m_bDying = 0;
  }
}

TEST_F(ShotTrajectoryTest, AcceleratingHomingShotSteersByItsAcceleration) {
  MoveTo(g_vPlayer[0], 88, 88 + 100);
  cShot shot = MakeShot(SHOTTRAJ_HOME_HERO, 0, 999, 0, 30, 60);
  Step(shot);
  // The base velocity is aimed at the start step, the acceleration (0.1 per sub-step)
  // along the aim on every step.
  EXPECT_NEAR(shot.m_dCmdVx, 0, 1e-12);
  EXPECT_NEAR(shot.m_dCmdVy, 0.1, 1e-12);
  EXPECT_NEAR(shot.m_dBaseVy, 3.1, 1e-12);
  Step(shot);
  EXPECT_NEAR(shot.m_dBaseVy, 3.2, 1e-12) << "kept and grown, not aimed again";
}

TEST_F(ShotTrajectoryTest, WaveSwingsSidewaysByItsAmplitude) {
  // Amplitude 1 half-block (16 dots), 10 degrees a frame: one swing takes 36 frames.
  cShot shot = MakeShot(SHOTTRAJ_WAVE, 1, 10, 0);
  double low = 400;
  double high = 400;
  for (int i = 0; i < 36; ++i) {
    Step(shot);
    low = std::min(low, shot.m_dY);
    high = std::max(high, shot.m_dY);
    EXPECT_NEAR(shot.m_dBaseVx, 3, 1e-9) << "the flight direction is kept";
  }
  EXPECT_EQ(shot.m_EdShot.m_nTrajParam[0], 16) << "the block holds the amplitude in dots";
  EXPECT_NEAR(low, 400 - 16, 1.5) << "a right-facing wave starts upward";
  // A sideways speed that changes its sign restarts from 0, which shortens the swings
  // after the first one.
  EXPECT_GT(high, 400 + 8);
  EXPECT_LE(high, 400 + 16);
  EXPECT_NEAR(shot.m_dX, 400 + 36 * 3, 1e-6);
}

TEST_F(ShotTrajectoryTest, WaveOfSpeedZeroDoesNotSwing) {
  cShot shot = MakeShot(SHOTTRAJ_WAVE, 1, 0, 90);
  for (int i = 0; i < 5; ++i) Step(shot);
  EXPECT_DOUBLE_EQ(shot.m_dY, 400);
  EXPECT_DOUBLE_EQ(shot.m_dX, 415);
}

TEST_F(ShotTrajectoryTest, FallHandsTheShotToGravity) {
  struct Case {
    const char* name;
    int p1;
    std::vector<double> y;  // y after each sub-step
  };
  // Gravity 0.4 a frame squared at one sub-step.
  const Case cases[] = {
      {"from the first sub-step", 0, {400.4, 401.2, 402.4}},
      {"after one half-block (step 5)", 1, {400, 400, 400, 400, 400, 400.4, 401.2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cShot shot = MakeShot(SHOTTRAJ_FALL, c.p1);
    for (std::size_t i = 0; i < c.y.size(); ++i) {
      Step(shot);
      EXPECT_NEAR(shot.m_dY, c.y[i], 1e-9) << "sub-step " << i;
    }
    EXPECT_EQ(shot.m_bNoGravity, 0);
    EXPECT_NEAR(shot.m_dX, 400 + 3.0 * static_cast<double>(c.y.size()), 1e-9) << "the horizontal flight goes on";
  }
}

TEST_F(ShotTrajectoryTest, KindOutsideTheTableFliesStraight) {
  for (int kind : {-1, 10, 127}) {
    SCOPED_TRACE(kind);
    cShot shot = MakeShot(kind, 1, 1, 1);
    for (int i = 0; i < 3; ++i) Step(shot);
    EXPECT_DOUBLE_EQ(shot.m_dX, 409);
    EXPECT_DOUBLE_EQ(shot.m_dY, 400);
  }
}

TEST(ShotTrajectorySteps, DistanceOverSpeedWithoutDividingByZero) {
  EXPECT_EQ(TrajectorySteps(1, 3), 5);
  EXPECT_EQ(TrajectorySteps(0, 3), 0);
  EXPECT_EQ(TrajectorySteps(4, 0), 0);
  EXPECT_EQ(TrajectorySteps(1, -3), -5);
}

}  // namespace
