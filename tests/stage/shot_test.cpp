#include "objects/shot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "data/database/database.h"
#include "data/database/sword_type_data.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/chara.h"
#include "platform/message_queue.h"
#include "tests/stage/object_world.h"

namespace {

// The world of ObjectWorldTest (1280 x 960 dots, view at (320, 320)) with one stage
// character, the firer, and a copy of the SwordType database that the tests fill.
class ShotTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    // As the set-up makes it: the far limit is the stage's pixel width + 640.
    Scene().m_ScrollX.m_nFarLimit = Scene().m_ScrollX.m_nCells * 32;
    Scene().m_ScrollY.m_nFarLimit = Scene().m_ScrollY.m_nCells * 32;
    m_SavedSwords = g_Database.m_SwordType;
    g_Database.m_SwordType.clear();
    cChara& firer = g_listChara.emplace_back();
    firer.Reset(nullptr, 0, 0, 0);
    firer.m_nObjId = 7;
    firer.m_Def.m_nSide = 3;
    // A flying 32 x 32 box at (400, 400): screen rectangle (80, 80) - (111, 111).
    firer.cGameObj::Init(7, 1, 0, 3, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 1, 1, 0, nullptr);
    firer.m_dX = 400;
    firer.m_dY = 400;
    firer.cGameObj::ClampX(3);
    firer.cGameObj::ClampY(3);
  }

  void TearDown() override {
    Scene().m_lstShot.clear();
    g_Database.m_SwordType = m_SavedSwords;
    ObjectWorldTest::TearDown();
  }

  static cChara& Firer() { return g_listChara.front(); }

  // A place of a formation: (x, y) with a velocity in dots per frame.
  static FORMATIONSLOT Slot(int x, int y, double vx, double vy) {
    FORMATIONSLOT slot;
    slot.m_nX = x;
    slot.m_nY = y;
    slot.m_dVx = vx;
    slot.m_dVy = vy;
    slot.m_dSpeed = std::hypot(vx, vy);
    return slot;
  }

  // One sub-step as the play step runs it; true when the shot is to be erased.
  static bool Step(cShot& shot) {
    if (shot.Update() != 0) return true;
    shot.ApplyGravity();
    shot.StepY();
    shot.StepX();
    return shot.HitsSolidBlock();
  }

  // Sub-steps until the shot is erased (at most nMax); the x after each step.
  static std::vector<double> Fly(cShot& shot, int nMax) {
    std::vector<double> xs;
    for (int i = 0; i < nMax && !Step(shot); ++i) xs.push_back(shot.m_dX);
    return xs;
  }

  static cSwordTypeData& AddSwordType(const std::vector<cSwordFrame>& frames) {
    cSwordTypeData& type = g_Database.m_SwordType.emplace_back();
    type.m_vFrame = frames;
    return type;
  }

  static cSwordFrame Frame(int side, int w, int h, int time) {
    cSwordFrame f;
    f.m_nSide = side;
    f.m_nWidth = w;
    f.m_nHeight = h;
    f.m_nTime = time;
    f.m_bMirrorX = 1;
    f.m_bMirrorY = 0;
    return f;
  }

  std::vector<cSwordTypeData> m_SavedSwords;
};

TEST_F(ShotTest, SetUpTakesFacingSizesSideAndLinksFromFirerAndSlot) {
  g_StageData.m_nPlayerHitKind2W = 8;
  g_StageData.m_nPlayerHitKind2H = 6;
  g_StageData.m_nCharaHitKind2W = 12;
  g_StageData.m_nCharaHitKind2H = 10;
  cChara& firer = Firer();
  cChara target;
  target.Reset(nullptr, 0, 0, 0);
  firer.m_vTarget[2] = &target;

  cEdShot block;
  block.m_nScale = 0;
  block.m_nTrajectory = SHOTTRAJ_AIM_TARGET;
  block.m_nTrajSlot = 2;
  cShot shot;
  ASSERT_TRUE(shot.Init(11, firer, FLOWCMD_SHOT, block, Slot(500, 420, -3, 0)));
  EXPECT_EQ(block.m_nScale, 1) << "a factor of 0 is mended in the command's own block";
  EXPECT_EQ(shot.m_nObjId, 11);
  EXPECT_EQ(shot.m_nWielderId, 7);
  EXPECT_EQ(shot.m_nFacing, 0);
  EXPECT_EQ(shot.m_nLayer, 3) << "the firer's side";
  EXPECT_EQ(shot.m_nBoxW, 16);
  EXPECT_EQ(shot.m_HitArea.m_nOffX, 2) << "the computer characters' shot size, centred in the cell";
  EXPECT_EQ(shot.m_HitArea.m_nOffY, 3);
  EXPECT_DOUBLE_EQ(shot.m_HitArea.m_rc.left, 502);
  EXPECT_DOUBLE_EQ(shot.m_HitArea.m_rc.bottom, 432);
  EXPECT_DOUBLE_EQ(shot.m_dBaseVx, -3);
  EXPECT_EQ(shot.m_pTarget, &target);
  EXPECT_EQ(shot.m_pOwner, &firer);

  cShot& added = AddShot(Scene().m_lstShot, shot);
  added.RegisterLinks();
  added.RegisterLinks();
  ASSERT_EQ(target.m_vShotLinkedBy.size(), 1u);
  EXPECT_EQ(target.m_vShotLinkedBy[0].m_pObj, &added);
  ASSERT_EQ(firer.m_vShotLinkedBy.size(), 1u);
  EXPECT_EQ(firer.m_vShotLinkedBy[0].m_nSlot, 4);
  EXPECT_EQ(Scene().m_vGroupShotList[3].front(), &added);
  Scene().EraseShot(Scene().m_lstShot.begin());
  EXPECT_TRUE(target.m_vShotLinkedBy.empty());
  EXPECT_TRUE(firer.m_vShotLinkedBy.empty());
  EXPECT_TRUE(Scene().m_vGroupShotList[3].empty());

  // A player's shot, its own side, facing by the slot, the firer's facing at speed 0.
  firer.m_nKind = 0;
  block.m_bFirerSide = 0;
  block.m_nSide = 5;
  block.m_nTrajectory = SHOTTRAJ_STRAIGHT;
  cShot own;
  ASSERT_TRUE(own.Init(12, firer, FLOWCMD_SHOT, block, Slot(500, 420, 0, 2)));
  EXPECT_EQ(own.m_nLayer, 5);
  EXPECT_EQ(own.m_nFacing, 1);
  EXPECT_EQ(own.m_HitArea.m_nOffX, 4);
  EXPECT_EQ(own.m_HitArea.m_nH, 6);
  own.RegisterLinks();
  EXPECT_EQ(own.m_pTarget, nullptr) << "only the target trajectories keep their target";
  own.ReleaseLinks();
  firer.m_vTarget[2] = nullptr;
}

TEST_F(ShotTest, RangeAndLifeEndTheFlight) {
  struct Case {
    const char* name;
    int level;
    double vx;             // dots per frame
    int range;             // half-blocks; 0 without the range limit
    int life;              // tenths of a second; -1 without the timed life
    int stop;              // stop at the end of the range
    std::vector<double> xs;  // x after each sub-step until erased
  };
  const Case cases[] = {
      {"range of 2 hbl at 4 dots a frame: 16 dots in 4 frames", 1, 4, 2, -1, 0, {404, 408, 412, 416}},
      {"range shorter than a frame is flown in exactly one frame", 4, 40, 2, -1, 0, {404, 408, 412, 416}},
      {"stopped at the range's end, it stays until its life ends", 1, 4, 2, 1, 1, {404, 408, 412, 416, 416, 416}},
      {"timed life 0 ends at the first update", 1, 16, 0, 0, 0, {}},
      {"one tenth of a second at two sub-steps is 12 sub-steps", 2, 2, 0, 1, 0,
       {401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411, 412}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLevel(c.level);
    cEdShot block;
    block.m_bRangeLimit = c.range > 0 ? 1 : 0;
    block.m_nRange = static_cast<std::int16_t>(c.range);
    block.m_bLifeLimit = c.life >= 0 ? 1 : 0;
    block.m_nLife = static_cast<std::int16_t>(c.life);
    block.m_bStopAtRange = static_cast<std::int8_t>(c.stop);
    FORMATIONSLOT slot = Slot(400, 400, c.vx, 0);
    slot.m_nRange = c.range;
    slot.m_nLife = c.life;
    cShot shot;
    ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, slot));
    const std::vector<double> xs = Fly(shot, 40);
    ASSERT_EQ(xs.size(), c.xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_DOUBLE_EQ(xs[i], c.xs[i]) << "sub-step " << i;
  }
}

TEST_F(ShotTest, SpeedIsRebuiltFromScrollAccelerationAndBaseVelocity) {
  struct Case {
    const char* name;
    double vx;
    int sync;
    int accel;          // tenths of a dot per frame per second; 0 off
    double scrollSpeed;  // horizontal auto-scroll, dots per sub-step
    int scrollAtLimit;
    std::vector<double> dx;  // x moved in each sub-step
  };
  const Case cases[] = {
      {"straight", 2, 0, 0, 0, 0, {2, 2, 2}},
      {"a synchronised shot of speed 0 rides the scroll", 0, 1, 0, 1.5, 0, {1.5, 1.5, 1.5}},
      {"not at a held scroll", 0, 1, 0, 1.5, 1, {}},
      {"an unsynchronised shot ignores the scroll", 2, 0, 0, 1.5, 0, {2, 2, 2}},
      // 60 tenths: 6 dots a frame per second, 0.1 per sub-step at one sub-step, which
      // the update adds to the base velocity and the step once more to the speed.
      {"acceleration", 2, 0, 60, 0, 0, {2.2, 2.3, 2.4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene().m_ScrollX.m_dSpeed = c.scrollSpeed;
    Scene().m_ScrollX.m_bAtLimit = c.scrollAtLimit;
    cEdShot block;
    block.m_bScrollSync = static_cast<std::int8_t>(c.sync);
    block.m_bAccelerate = c.accel != 0 ? 1 : 0;
    block.m_nAccel = static_cast<std::int16_t>(c.accel);
    cShot shot;
    ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, Slot(400, 400, c.vx, 0)));
    for (std::size_t i = 0; i < 3; ++i) {
      const double before = shot.m_dX;
      ASSERT_FALSE(Step(shot));
      EXPECT_NEAR(shot.m_dX - before, c.dx.empty() ? 0.0 : c.dx[i], 1e-12) << "sub-step " << i;
      EXPECT_DOUBLE_EQ(shot.m_dY, 400);
    }
  }
}

TEST_F(ShotTest, RangeRescaleOfAShotWithoutVelocityGivesNoNaN) {
  // A range of 0 at 10 dots a sub-step would be flown in under a frame, so the range is
  // spread over the frame along the velocity, which is (0, 0) here: the shot stands.
  SetLevel(4);
  cEdShot block;
  block.m_bRangeLimit = 1;
  FORMATIONSLOT slot = Slot(400, 400, 0, 0);
  slot.m_dSpeed = 40;
  cShot shot;
  ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, slot));
  EXPECT_EQ(shot.m_nRangeSteps, 4);
  EXPECT_EQ(shot.m_dBaseVx, 0);
  EXPECT_EQ(shot.m_dBaseVy, 0);
  EXPECT_EQ(Fly(shot, 10), std::vector<double>(4, 400.0));
}

TEST_F(ShotTest, ShotOfASideOutsideTheListsIsReportedAndFiledNowhere) {
  ClearPostedMessages();
  cEdShot block;
  block.m_bFirerSide = 0;
  block.m_nSide = 9;
  cShot shot;
  ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, Slot(400, 400, 1, 0)));
  AddShot(Scene().m_lstShot, shot);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
  for (const std::list<cShot*>& group : Scene().m_vGroupShotList) EXPECT_TRUE(group.empty());
  Scene().EraseShot(Scene().m_lstShot.begin());
  EXPECT_TRUE(Scene().m_lstShot.empty());
  ClearPostedMessages();
}

TEST_F(ShotTest, FacingFollowsTheSignOfTheSpeed) {
  cEdShot block;
  cShot shot;
  ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, Slot(400, 400, 2, 0)));
  ASSERT_FALSE(Step(shot));
  EXPECT_EQ(shot.m_nFacing, 1);
  shot.m_dBaseVx = -1;
  ASSERT_FALSE(Step(shot));
  EXPECT_EQ(shot.m_nFacing, 0);
  shot.m_dBaseVx = 0;
  ASSERT_FALSE(Step(shot));
  EXPECT_EQ(shot.m_nFacing, 0) << "a shot that stands keeps its last facing";
}

TEST_F(ShotTest, SolidBlocksStopShotsSampledEvery32Dots) {
  struct Case {
    const char* name;
    int scale;
    int passBlocks;
    int column, row;  // the solid cell
    bool hit;
  };
  // The shot's box starts at (400, 400): cell (12, 12).
  const Case cases[] = {
      {"a small shot on a solid cell", 1, 0, 12, 12, true},
      {"passing blocks", 1, 1, 12, 12, false},
      {"a small shot beside it", 1, 0, 13, 12, false},
      // 80 x 80: columns and rows of 400, 432, 464 and 479 -> cells 12 .. 14.
      {"a wide shot reaches its last column", 5, 0, 14, 12, true},
      {"and its last row", 5, 0, 12, 14, true},
      {"not a cell past it", 5, 0, 15, 12, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (cBlockCell& cell : g_vBlockMap) cell.m_nHit = 0;
    SetSolid(c.column, c.row);
    cEdShot block;
    block.m_nScale = static_cast<std::int8_t>(c.scale);
    block.m_bPassBlocks = static_cast<std::int8_t>(c.passBlocks);
    cShot shot;
    // With the scale the box grows around its centre; the slot is placed back.
    ASSERT_TRUE(shot.Init(1, Firer(), FLOWCMD_SHOT, block, Slot(400, 400, 0, 0)));
    EXPECT_DOUBLE_EQ(shot.m_dX, 400);
    EXPECT_EQ(shot.HitsSolidBlock(), c.hit);
  }
}

TEST_F(ShotTest, HugeSwordFromDataIsTestedWithoutWalkingPastTheWorld) {
  AddSwordType({Frame(0, 2000000000, 2000000000, 1)});
  SetSolid(39, 29);
  cEdShot block;
  cShot sword;
  ASSERT_TRUE(sword.Init(1, Firer(), FLOWCMD_SWORD, block, Slot(0, 0, 0, 0)));
  sword.m_dX = -1000000;
  sword.m_dY = -1000000;
  sword.cGameObj::ClampX(3);
  sword.cGameObj::ClampY(3);
  EXPECT_TRUE(sword.HitsSolidBlock());
}

TEST_F(ShotTest, SwordTypeWithoutFramesMakesNoSword) {
  AddSwordType({});
  cEdShot block;
  cShot sword;
  EXPECT_FALSE(sword.Init(1, Firer(), FLOWCMD_SWORD, block, Slot(400, 400, 0, 0)));
}

TEST_F(ShotTest, SwordIsPlacedBesideItsWielderFrameByFrame) {
  struct Case {
    const char* name;
    int side;
    int wielderFacing;
    int offX, offY;
    int mirrorY;
    double x, y;
    int facing;
  };
  // The wielder's screen rectangle is (80, 80) - (111, 111), its cell 32 x 32, the view
  // at (320, 320); the sword frame is 24 x 8.
  const Case cases[] = {
      {"in front, facing right", 0, 1, 0, 0, 0, 432, 412, 1},
      {"in front, facing left", 0, 0, 0, 0, 0, 376, 412, 0},
      {"behind, facing right", 1, 1, 0, 0, 0, 376, 412, 0},
      {"behind, facing left", 1, 0, 0, 0, 0, 432, 412, 1},
      {"above", 2, 1, 0, 0, 0, 404, 392, 1},
      {"below", 3, 0, 0, 0, 0, 404, 432, 0},
      {"offset mirrored on x facing right", 0, 1, 5, 3, 0, 427, 415, 1},
      {"and on y when asked", 0, 1, 5, 3, 1, 427, 409, 1},
      {"offset added facing left", 0, 0, 5, 3, 1, 381, 415, 0},
      {"an unknown placement stays where it was", 9, 1, 0, 0, 0, 500, 300, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_Database.m_SwordType.clear();
    cSwordFrame frame = Frame(c.side, 24, 8, 1);
    frame.m_nOffsetX = c.offX;
    frame.m_nOffsetY = c.offY;
    frame.m_bMirrorY = c.mirrorY;
    AddSwordType({frame});
    Firer().m_nFacing = c.wielderFacing;
    cEdShot block;
    cShot sword;
    ASSERT_TRUE(sword.Init(1, Firer(), FLOWCMD_SWORD, block, Slot(500, 300, 0, 0)));
    ASSERT_EQ(sword.Update(), 0);
    EXPECT_DOUBLE_EQ(sword.m_dX, c.x);
    EXPECT_DOUBLE_EQ(sword.m_dY, c.y);
    EXPECT_EQ(sword.m_nFacing, c.facing);
    EXPECT_EQ(sword.m_HitArea.m_rc.right, c.x + 23);
  }
}

TEST_F(ShotTest, SwordFramesLastTheirTimeAndOneSubStepMore) {
  struct Case {
    const char* name;
    int level;
    std::vector<int> times;
    int scale;
    std::vector<int> widths;  // cell width in each sub-step until the sword ends
  };
  const Case cases[] = {
      {"time 1 at two sub-steps lasts 13 sub-steps", 2, {1}, 1, std::vector<int>(13, 10)},
      {"frames of time 0 last one sub-step each", 1, {0, 0}, 1, {10, 11}},
      {"the giant factor scales every frame", 1, {0, 0}, 2, {20, 22}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLevel(c.level);
    g_Database.m_SwordType.clear();
    std::vector<cSwordFrame> frames;
    for (std::size_t i = 0; i < c.times.size(); ++i)
      frames.push_back(Frame(0, 10 + static_cast<int>(i), 8, c.times[i]));
    AddSwordType(frames);
    cEdShot block;
    block.m_nScale = static_cast<std::int8_t>(c.scale);
    cShot sword;
    ASSERT_TRUE(sword.Init(1, Firer(), FLOWCMD_SWORD, block, Slot(400, 400, 0, 0)));
    std::vector<int> widths;
    for (int i = 0; i < 100; ++i) {
      const bool bEnd = sword.Update() != 0;
      widths.push_back(sword.m_nCellW);
      if (bEnd) break;
    }
    EXPECT_EQ(widths, c.widths);
  }
}

TEST_F(ShotTest, SwordGoesWithItsWielder) {
  AddSwordType({Frame(0, 24, 8, 10)});
  cEdShot block;
  cShot sword;
  ASSERT_TRUE(sword.Init(1, Firer(), FLOWCMD_SWORD, block, Slot(400, 400, 0, 0)));
  sword.RegisterLinks();
  EXPECT_EQ(sword.Update(), 0);
  g_listChara.clear();
  EXPECT_EQ(sword.m_pOwner, nullptr);
  EXPECT_EQ(sword.Update(), 1);
}

}  // namespace
