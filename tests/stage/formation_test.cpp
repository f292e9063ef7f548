// Formations: the places and velocities of the objects one firing copy creates, by
// direction code, object count and formation value, for a 32 x 32 firer whose screen
// rectangle is (100, 84) - (131, 115) on a view scrolled to (0, 0), so its centre is at
// world (116, 100).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/chara_base.h"
#include "objects/formations.h"
#include "objects/move_support.h"
#include "platform/message_queue.h"
#include "tests/stage/object_world.h"

namespace {

struct cPlaced {
  int x;
  int y;
  double vx;
  double vy;
};

class cRecordingSink final : public cFormationSink {
 public:
  void Place(const FORMATIONSLOT& slot) override { m_vPlaced.push_back({slot.m_nX, slot.m_nY, slot.m_dVx, slot.m_dVy}); }
  std::vector<cPlaced> m_vPlaced;
};

// A character that stands still on the screen: its rectangle is set by the test.
class cStillChara : public cCharaBase {
 public:
  cStillChara() {
    m_vTarget.assign(kTargetSlots, nullptr);
    m_bNoLinkRelease = 1;
  }
  void Place(int left, int top, int size) {
    m_rcScreen = {left, top, left + size - 1, top + size - 1};
    m_nCellW = m_nCellH = size;
  }
};

constexpr double kK = 0.70710678118654746;  // 1 / sqrt(2)

class FormationTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    Scene().m_ScrollX.m_dPos = 0;
    Scene().m_ScrollY.m_dPos = 0;
    m_Firer.Place(100, 84, 32);
    ClearPostedMessages();
  }
  void TearDown() override {
    ClearPostedMessages();
    ObjectWorldTest::TearDown();
  }

  FORMATIONSLOT Slot(int dir, double speed = 2.0, int size = 16) {
    FORMATIONSLOT slot;
    slot.m_nDir = dir;
    slot.m_dSpeed = speed;
    slot.m_nCellW = slot.m_nCellH = size;
    return slot;
  }

  cEdShot Block(int formation, int count, int p1 = 0, int p2 = 0, int p3 = 0) {
    cEdShot block;
    block.m_nFormation = static_cast<std::int8_t>(formation);
    block.m_nCount = static_cast<std::int8_t>(count);
    block.m_nFormParam[0] = static_cast<std::int16_t>(p1);
    block.m_nFormParam[1] = static_cast<std::int16_t>(p2);
    block.m_nFormParam[2] = static_cast<std::int16_t>(p3);
    return block;
  }

  std::vector<cPlaced> Run(const cEdShot& block, FORMATIONSLOT slot) {
    cRecordingSink sink;
    RunFormation(sink, m_Firer, block, slot);
    return sink.m_vPlaced;
  }

  static void ExpectPlaces(const std::vector<cPlaced>& got, const std::vector<cPlaced>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(got[i].x, want[i].x);
      EXPECT_EQ(got[i].y, want[i].y);
      EXPECT_NEAR(got[i].vx, want[i].vx, 1e-9);
      EXPECT_NEAR(got[i].vy, want[i].vy, 1e-9);
    }
  }

  cStillChara m_Firer;
};

TEST_F(FormationTest, StraightALinesUpAcrossEachDirection) {
  // Three 16-dot shots, one half-block apart, beside the firer on the side of d.
  const double s = 2.0;
  const double ks = kK * s;
  const struct {
    int dir;
    std::vector<cPlaced> want;
  } cases[] = {
      {MOVEDIR_LEFT, {{85, 60, -s, 0}, {85, 92, -s, 0}, {85, 124, -s, 0}}},
      {MOVEDIR_RIGHT, {{132, 60, s, 0}, {132, 92, s, 0}, {132, 124, s, 0}}},
      {MOVEDIR_UP, {{76, 68, 0, -s}, {108, 68, 0, -s}, {140, 68, 0, -s}}},
      {MOVEDIR_DOWN, {{76, 116, 0, s}, {108, 116, 0, s}, {140, 116, 0, s}}},
      {MOVEDIR_UP_LEFT, {{68, 97, -ks, -ks}, {90, 75, -ks, -ks}, {112, 53, -ks, -ks}}},
      {MOVEDIR_DOWN_LEFT, {{68, 85, -ks, ks}, {90, 107, -ks, ks}, {112, 129, -ks, ks}}},
      {MOVEDIR_UP_RIGHT, {{101, 52, ks, -ks}, {123, 74, ks, -ks}, {145, 96, ks, -ks}}},
      {MOVEDIR_DOWN_RIGHT, {{101, 130, ks, ks}, {123, 108, ks, ks}, {145, 86, ks, ks}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    ExpectPlaces(Run(Block(SHOTFORM_STRAIGHT_A, 3, 1), Slot(c.dir, s)), c.want);
  }
}

TEST_F(FormationTest, StraightBStacksUpwardFromTheFirersFeet) {
  const struct {
    int dir;
    int facing;
    std::vector<cPlaced> want;
  } cases[] = {
      {MOVEDIR_LEFT, 0, {{85, 100, -2, 0}, {85, 68, -2, 0}}},
      {MOVEDIR_DOWN_RIGHT, 0, {{132, 100, kK * 2, kK * 2}, {132, 68, kK * 2, kK * 2}}},
      // Straight up or down: the stack stands on the side the firer faces.
      {MOVEDIR_UP, 1, {{132, 100, 0, -2}, {132, 68, 0, -2}}},
      {MOVEDIR_UP, 0, {{85, 100, 0, -2}, {85, 68, 0, -2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    m_Firer.m_nFacing = c.facing;
    ExpectPlaces(Run(Block(SHOTFORM_STRAIGHT_B, 2, 1), Slot(c.dir)), c.want);
  }
}

TEST_F(FormationTest, SpreadFansAroundTheDirectionFromOnePoint) {
  const double c30 = 2 * std::cos(30 * 0.017453292519943295);
  const double c15 = 2 * std::cos(15 * 0.017453292519943295);
  const double s15 = 2 * std::sin(15 * 0.017453292519943295);
  const struct {
    int count;
    std::vector<cPlaced> want;
  } cases[] = {
      {3, {{85, 92, -c30, 1}, {85, 92, -2, 0}, {85, 92, -c30, -1}}},  // -30, 0, +30
      {2, {{85, 92, -c15, s15}, {85, 92, -c15, -s15}}},                // -15, +15
      {0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    ExpectPlaces(Run(Block(SHOTFORM_SPREAD, c.count, 30), Slot(MOVEDIR_LEFT)), c.want);
  }
}

TEST_F(FormationTest, ExplosionAndSurroundRingTheirCentres) {
  // Explosion: from the firer's centre, left, up, right, down.
  ExpectPlaces(Run(Block(SHOTFORM_EXPLOSION, 4), Slot(MOVEDIR_LEFT)),
               {{108, 92, -2, 0}, {108, 92, 0, -2}, {108, 92, 2, 0}, {108, 92, 0, 2}});
  EXPECT_TRUE(Run(Block(SHOTFORM_EXPLOSION, 0), Slot(MOVEDIR_LEFT)).empty());

  // Surround the firer itself (selector 2) at 6 half-blocks: 96 dots out, flying in.
  cEdShot block = Block(SHOTFORM_SURROUND, 4, 6);
  block.m_nFormOrigin = 2;
  ExpectPlaces(Run(block, Slot(MOVEDIR_LEFT)), {{204, 92, -2, 0}, {108, 188, 0, -2}, {13, 92, 2, 0}, {108, -3, 0, 2}});
  // Around the aim target, with the slot empty: nothing.
  block.m_nFormOrigin = 0;
  EXPECT_TRUE(Run(block, Slot(MOVEDIR_LEFT)).empty());
  block.m_nFormOrigin = 2;
  block.m_nCount = 0;
  EXPECT_TRUE(Run(block, Slot(MOVEDIR_LEFT)).empty());
}

TEST_F(FormationTest, LightningRowsEnterFromTheFarEdgeOfTheView) {
  struct Case {
    int count, p1, p2, p3;
    int oldRows;
    std::vector<cPlaced> want;
  };
  const Case cases[] = {
      // Two rows of one, one half-block apart, entering at the right edge on the
      // firer's centre line.
      {2, 1, 1, 0, 0, {{624, 92, -2, 0}, {592, 92, -2, 0}}},
      // Two columns one half-block apart, centred on that line.
      {2, 1, 2, 1, 0, {{624, 84, -2, 0}, {624, 100, -2, 0}, {592, 84, -2, 0}, {592, 100, -2, 0}}},
      // The old rule puts the rows next to each other.
      {2, 1, 1, 0, 1, {{624, 92, -2, 0}, {608, 92, -2, 0}}},
      {2, 1, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p2 * 10 + c.oldRows);
    g_SystemData.m_bRuleShot555 = c.oldRows;
    cEdShot block = Block(SHOTFORM_LIGHTNING, c.count, c.p1, c.p2, c.p3);
    block.m_nFormOrigin = 2;
    ExpectPlaces(Run(block, Slot(MOVEDIR_LEFT)), c.want);
  }
  // A column count past the editor's limit of 50 (damaged or hostile data) is held to
  // it: 3 rows of 50, not of 32767.
  g_SystemData.m_bRuleShot555 = 0;
  cEdShot block = Block(SHOTFORM_LIGHTNING, 3, 1, 32767, 1);
  block.m_nFormOrigin = 2;
  const std::vector<cPlaced> placed = Run(block, Slot(MOVEDIR_LEFT));
  ASSERT_EQ(placed.size(), 150U);
  EXPECT_EQ(placed[0].y, 92 - (24 * 16 + 8));  // 50 columns centred on the firer's line
  EXPECT_EQ(placed[49].y, placed[0].y + 49 * 16);
}

TEST_F(FormationTest, AnglesTurnTheFlightAndAimAtTheTarget) {
  // A copy angle keeps the places of the direction and turns the velocity.
  FORMATIONSLOT slot = Slot(MOVEDIR_LEFT);
  slot.m_nAngle = 90;
  ExpectPlaces(Run(Block(SHOTFORM_STRAIGHT_A, 1), slot), {{85, 92, 0, -2}});

  // Aimed: toward the target's centre, here straight to the right of the shot's centre.
  cStillChara target;
  target.Place(300, 84, 32);
  m_Firer.m_vTarget[1] = &target;
  cEdShot block = Block(SHOTFORM_STRAIGHT_A, 1);
  block.m_bAimTarget = 1;
  block.m_nAimSlot = 1;
  ExpectPlaces(Run(block, Slot(MOVEDIR_LEFT)), {{85, 92, 2, 0}});
  FORMATIONSLOT aim = Slot(MOVEDIR_LEFT);
  EXPECT_EQ(AimAngle(316, 300, m_Firer, block, aim), 90);  // the target is straight above
  // An empty aim slot falls back to the facing.
  m_Firer.m_vTarget[1] = nullptr;
  m_Firer.m_nFacing = 1;
  EXPECT_EQ(AimAngle(0, 0, m_Firer, block, aim), 180);
  m_Firer.m_nFacing = 0;
  EXPECT_EQ(AimAngle(0, 0, m_Firer, block, aim), 0);
}

TEST_F(FormationTest, AimLeadsATargetThatRidesTheScroll) {
  // The target is straight above the aiming point while the view scrolls right.
  cStillChara target;
  target.Place(100, 0, 32);
  target.m_bScrollSync = 1;
  m_Firer.m_vTarget[0] = &target;
  Scene().m_ScrollX.m_dSpeed = 1;
  Scene().m_ScrollX.m_bAtLimit = 0;
  cEdShot block = Block(SHOTFORM_STRAIGHT_A, 1);
  block.m_bAimTarget = 1;
  block.m_nSpeed = 40;
  const struct {
    int blockSync;
    int targetSync;
    int scrollAtLimit;
    bool leads;
  } cases[] = {{0, 1, 0, true}, {1, 1, 0, false}, {0, 0, 0, false}, {0, 1, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blockSync * 100 + c.targetSync * 10 + c.scrollAtLimit);
    block.m_bScrollSync = static_cast<std::int8_t>(c.blockSync);
    target.m_bScrollSync = c.targetSync;
    Scene().m_ScrollX.m_bAtLimit = c.scrollAtLimit;
    FORMATIONSLOT slot = Slot(MOVEDIR_LEFT, 4.0);
    const int angle = AimAngle(116, 300, m_Firer, block, slot);
    if (c.leads) {
      // Up and ahead, to the right, still at the copy's speed.
      EXPECT_GT(angle, 90);
      EXPECT_LT(angle, 180);
      EXPECT_NEAR(slot.m_dSpeed, 4.0, 1e-9);
    } else {
      EXPECT_EQ(angle, 90);
      EXPECT_EQ(slot.m_dSpeed, 4.0);
    }
  }
}

TEST_F(FormationTest, TurnedFormationStartsAtTheAngleAroundTheFirer) {
  // A square firer and shot: the start lies half the firer, half the shot and one dot
  // from the centre, in the direction of the angle (within the truncation of a dot).
  const struct {
    int angle;
    int x, y;
  } cases[] = {{0, 84, 92}, {90, 108, 68}, {180, 132, 92}, {270, 108, 116}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    FORMATIONSLOT slot = Slot(MOVEDIR_LEFT);
    PlaceAtAngle(slot, m_Firer, c.angle);
    EXPECT_NEAR(slot.m_nStartX, c.x, 1);
    EXPECT_NEAR(slot.m_nStartY, c.y, 1);
  }
  cEdShot block = Block(SHOTFORM_SPREAD, 1);
  block.m_bTurnFormation = 1;
  FORMATIONSLOT slot = Slot(MOVEDIR_LEFT);
  slot.m_nAngle = 90;
  const std::vector<cPlaced> placed = Run(block, slot);
  ASSERT_EQ(placed.size(), 1U);
  EXPECT_NEAR(placed[0].x, 108, 1);
  EXPECT_NEAR(placed[0].y, 68, 1);
  EXPECT_NEAR(placed[0].vy, -2, 1e-9);
}

TEST_F(FormationTest, UnknownDirectionOrFormationCreatesNothing) {
  // A direction outside the layouts' table (an old replay's key rule gives 0) leaves no
  // place and no velocity from an earlier copy behind.
  for (int formation : {SHOTFORM_STRAIGHT_A, SHOTFORM_STRAIGHT_B, SHOTFORM_SPREAD, SHOTFORM_LIGHTNING}) {
    SCOPED_TRACE(formation);
    cEdShot block = Block(formation, 3, 1, 1);
    block.m_nFormOrigin = 2;
    FORMATIONSLOT slot = Slot(0);
    slot.m_nStartX = slot.m_nStepX = 12345;
    slot.m_dVx = 7.5;
    cRecordingSink sink;
    RunFormation(sink, m_Firer, block, slot);
    EXPECT_TRUE(sink.m_vPlaced.empty());
    EXPECT_EQ(slot.m_nStartX, 0);
    EXPECT_EQ(slot.m_nStepX, 0);
    EXPECT_EQ(slot.m_dVx, 0);
  }
  // A formation value outside the table is reported and creates nothing.
  for (int formation : {-1, kShotFormCount, 127}) {
    SCOPED_TRACE(formation);
    ClearPostedMessages();
    EXPECT_TRUE(Run(Block(formation, 3, 1), Slot(MOVEDIR_LEFT)).empty());
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
  }
}

}  // namespace
