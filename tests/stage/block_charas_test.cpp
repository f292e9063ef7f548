// Block characters against a walking or flying character: landing and riding, ceilings,
// sideways pushes, crushing, carrying a rider and leaving a platform.
#include <gtest/gtest.h>

#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_enumerations.h"
#include "tests/stage/object_world.h"

namespace {

class BlockCharasTest : public ObjectWorldTest {
 protected:
  static void Put(cCharaBase& c, double x, double y) {
    c.m_dX = x;
    c.m_dY = y;
    c.m_dRight = x + c.m_nBoxW - 1;
    c.m_dBottom = y + c.m_nBoxH - 1;
  }

  // A block character of w x h at (x, y) moving by (vx, vy), its saved box where it is.
  cChara& AddSolid(double x, double y, int w, int h, double vx = 0, double vy = 0) {
    cChara& c = g_listChara.emplace_back();
    c.m_nObjId = ++m_nIds;
    c.m_nKind = 1;
    c.m_Def.m_bBlockChara = 1;
    c.m_bActive = 1;
    c.m_nBoxW = w;
    c.m_nBoxH = h;
    Put(c, x, y);
    c.SavePosition();
    c.m_dVx = vx;
    c.m_dVy = vy;
    return c;
  }

  // The walking character under test, 32 x 32, at (x, y), saved at (x, savedY).
  void PutMover(double x, double y, double savedY, double vx, double vy) {
    m_Mover.m_nObjId = 1;
    m_Mover.m_nKind = 1;
    m_Mover.m_nBoxW = m_Mover.m_nBoxH = 32;
    Put(m_Mover, x, savedY);
    m_Mover.SavePosition();
    Put(m_Mover, x, y);
    m_Mover.m_dVx = vx;
    m_Mover.m_dVy = vy;
  }

  // Gives `chara` one flow, without commands, started by `trigger`.
  static void GiveFlow(cChara& chara, int trigger) {
    cFlow flow;
    flow.m_nTrigger = static_cast<std::int8_t>(trigger);
    chara.m_Def.m_vFlow = std::vector<cFlow>{flow};
    chara.SetFlows(chara.m_Def.m_vFlow.Edit(), 0, -1);
  }

  cChara m_Mover;
  std::int32_t m_nIds = 100;
};

TEST_F(BlockCharasTest, WalkingCharacterAgainstAPlatform) {
  // The platform: 64 x 16 at (500, 500); its flow of the ridden trigger shows a landing.
  // Pressed: two more block characters reach into the upper half of the mover at x 510
  // from the left and the right.
  struct Case {
    const char* what;
    double x, y, savedY, vx, vy;
    bool pressed;
    std::int32_t expectResult;
    double expectX, expectY;
    int expectRiding, expectTop, expectRight;
  } const cases[] = {
      {"feet on the platform", 510, 480, 470, 0, 0.1, false, STEP_CONTINUE, 510, 468, 1, 0, 0},
      {"falling fast lands however deep", 510, 490, 470, 0, 3, false, STEP_CONTINUE, 510, 468, 1, 0, 0},
      {"slow and deep: the head is under it", 510, 490, 490, 0, 0.1, false, STEP_CONTINUE, 510, 516, 0, 0, 0},
      {"sideways into its upper half", 470, 495, 495, 1, 0, false, STEP_CONTINUE, 467.5, 495, 0, 0, 1},
      {"apart", 400, 400, 400, 0, 0, false, STEP_CONTINUE, 400, 400, 0, 0, 0},
      // Crushed on the platform without landing on it: no ride begins.
      {"feet on it, pressed from both sides", 510, 480, 470, 0, 0.1, true, STEP_DEFEAT, 508.5, 480, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_listChara.clear();
    m_Mover = cChara();
    cChara& platform = AddSolid(500, 500, 64, 16);
    GiveFlow(platform, FLOWTRIG_RIDDEN_BY_CHARA);
    if (c.pressed) {
      AddSolid(480, 470, 31, 20);
      AddSolid(541, 470, 31, 20);
    }
    PutMover(c.x, c.y, c.savedY, c.vx, c.vy);
    EXPECT_EQ(Scene().HitCharaSolid(m_Mover, g_listChara), c.expectResult);
    EXPECT_DOUBLE_EQ(m_Mover.m_dX, c.expectX);
    EXPECT_DOUBLE_EQ(m_Mover.m_dY, c.expectY);
    EXPECT_EQ(m_Mover.m_bRiding, c.expectRiding);
    EXPECT_EQ(platform.m_vFlowRun.at(0).m_bRunning, c.expectRiding);
    EXPECT_EQ(m_Mover.m_bHitTop, c.expectTop);
    EXPECT_EQ(m_Mover.m_bHitRight, c.expectRight);
    if (c.expectRiding != 0) {
      EXPECT_EQ(m_Mover.m_nRideOnId, platform.m_nObjId);
      EXPECT_EQ(m_Mover.m_dVy, 0);
    }
  }
}

TEST_F(BlockCharasTest, ALandingHeroClearsItsOwnSpringJumpOnly) {
  g_vPlayer.resize(1);
  cPlayer& player = g_vPlayer.front();
  player.m_bSpringJump = 1;
  // A hero among the stage characters lands: player 1's jump is not its own.
  AddSolid(500, 500, 64, 16);
  PutMover(510, 480, 470, 0, 0.1);
  m_Mover.m_nKind = 0;
  EXPECT_EQ(Scene().HitCharaSolid(m_Mover, g_listChara), STEP_CONTINUE);
  EXPECT_EQ(m_Mover.m_bRiding, 1);
  EXPECT_EQ(player.m_bSpringJump, 1);
  // Player 1 itself lands.
  player.m_nObjId = 2;
  player.m_nBoxW = player.m_nBoxH = 32;
  Put(player, 510, 480);
  player.m_rcSaved = cDoubleRect{510, 470, 541, 501};
  player.m_dVy = 0.1;
  EXPECT_EQ(Scene().HitCharaSolid(player, g_listChara), STEP_CONTINUE);
  EXPECT_EQ(player.m_bRiding, 1);
  EXPECT_EQ(player.m_bSpringJump, 0);
}

TEST_F(BlockCharasTest, CaughtBetweenARisingAndAFallingOneIsCrushed) {
  AddSolid(490, 525, 64, 16, 0, -1);  // below, rising
  AddSolid(490, 490, 64, 16, 0, 1);   // above, coming down
  PutMover(500, 500, 500, 0, 0);
  EXPECT_EQ(Scene().HitCharaSolid(m_Mover, g_listChara), STEP_DEFEAT);
  EXPECT_EQ(m_Mover.m_bHitTop, 1);
  EXPECT_EQ(m_Mover.m_bHitBottom, 1);
}

TEST_F(BlockCharasTest, ARiderIsCarriedAndLeavesWhenNothingIsUnderItsFeet) {
  struct Case {
    int flies;
    double expectVy;
  } const cases[] = {
      {0, 0.5},  // a walking platform that is not airborne: vertical speed kept
      {1, -2},   // a flying one takes the rider along vertically too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flies);
    g_listChara.clear();
    m_Mover = cChara();
    cChara& platform = AddSolid(500, 500, 64, 16);
    platform.m_bNoGravity = c.flies;
    platform.m_bAirborne = 0;
    PutMover(510, 468, 468, 0, 0.5);
    m_Mover.m_bRiding = 1;
    m_Mover.m_nRideOnId = platform.m_nObjId;
    m_Mover.m_rcContact = cDoubleRect{500, 500, 563, 515};
    Put(platform, 503, 498);
    Scene().CarryRider(m_Mover, g_listChara);
    EXPECT_DOUBLE_EQ(m_Mover.m_dVx, 3);
    EXPECT_DOUBLE_EQ(m_Mover.m_dVy, c.expectVy);
  }

  // Standing on it: the contact box follows it; once it is more than 5 dots below the
  // feet, riding ends.
  g_listChara.clear();
  m_Mover = cChara();
  cChara& platform = AddSolid(500, 500, 64, 16);
  PutMover(510, 466, 466, 0, 0);
  m_Mover.m_bRiding = 1;
  m_Mover.m_nRideOnId = platform.m_nObjId;
  Scene().HitCharaSolid(m_Mover, g_listChara);
  EXPECT_EQ(m_Mover.m_bRiding, 1);
  EXPECT_DOUBLE_EQ(m_Mover.m_rcContact.left, 500);
  Put(platform, 500, 505);
  Scene().HitCharaSolid(m_Mover, g_listChara);
  EXPECT_EQ(m_Mover.m_bRiding, 0);
}

TEST_F(BlockCharasTest, FlyingCharacters) {
  struct Case {
    const char* what;
    int flying;         // 2 stopped by blocks, 3 dies on blocks, 1 passes
    double platformVx;  // the platform is to the right of the mover
    std::int32_t expectResult;
    double expectX;
    int expectRight;
  } const cases[] = {
      {"stopped at its side", 2, 0, STEP_CONTINUE, 500 - 32, 1},
      {"a platform moving away is not snapped to", 2, 1, STEP_CONTINUE, 470, 0},
      {"dies on touching", 3, 0, STEP_DEFEAT, 470, 1},
      {"passes through", 1, 0, STEP_CONTINUE, 470, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_listChara.clear();
    m_Mover = cChara();
    AddSolid(500, 480, 32, 64, c.platformVx, 0);
    PutMover(470, 490, 490, 0, 0);
    m_Mover.SetFlying(c.flying);
    EXPECT_EQ(Scene().HitCharaSolid(m_Mover, g_listChara), c.expectResult);
    EXPECT_DOUBLE_EQ(m_Mover.m_dX, c.expectX);
    EXPECT_EQ(m_Mover.m_bHitRight, c.expectRight);
  }
}

TEST_F(BlockCharasTest, OverlapSearches) {
  cChara& a = AddSolid(500, 500, 32, 32);
  AddSolid(540, 500, 32, 32).m_bDying = 1;  // dying ones do not count
  PutMover(520, 520, 520, 0, 0);
  EXPECT_EQ(Scene().IsSolidCharaInBox(m_Mover), 1);
  EXPECT_EQ(Scene().IsSolidCharaAt(m_Mover, g_listChara, a.m_nObjId), 0);
  PutMover(552, 520, 520, 0, 0);
  EXPECT_EQ(Scene().IsSolidCharaInBox(m_Mover), 0);
  // Under the feet: the strip from the bottom edge 5 dots down.
  PutMover(500, 464, 464, 0, 0);
  EXPECT_EQ(Scene().FindSolidCharaUnderFeet(m_Mover), &a);
  PutMover(500, 463, 463, 0, 0);
  EXPECT_EQ(Scene().FindSolidCharaUnderFeet(m_Mover), nullptr);
}

}  // namespace
