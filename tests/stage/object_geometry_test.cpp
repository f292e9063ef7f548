#include "objects/game_obj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/stage/screen_out_range.h"
#include "objects/trunc.h"
#include "stage/block_grid.h"
#include "tests/stage/object_world.h"

namespace {

class ObjectGeometryTest : public ObjectWorldTest {
 protected:
  // A plain object with a w x h box at (x, y); mode 3 of the clamps moves nothing and
  // brings the far edges and block cells up to date.
  static cGameObj MakeBox(double x, double y, int w, int h) {
    cGameObj obj;
    obj.Init(1, 1, 0, 1, 0, nullptr, 0, 0, 0, w, h, 32, 32, 0, 0, 0, nullptr);
    obj.m_dX = x;
    obj.m_dY = y;
    obj.ClampX(3);
    obj.ClampY(3);
    return obj;
  }
};

TEST(TruncToIntTest, TruncatesTowardZeroAndDefinesTheRest) {
  constexpr int kIndefinite = std::numeric_limits<int>::min();
  const struct {
    double in;
    int out;
  } cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {-0.5, 0},
      {2147483647.9, 2147483647},
      {-2147483648.9, kIndefinite},
      {2147483648.0, kIndefinite},
      {std::numeric_limits<double>::quiet_NaN(), kIndefinite},
      {std::numeric_limits<double>::infinity(), kIndefinite},
      {-std::numeric_limits<double>::infinity(), kIndefinite},
  };
  for (const auto& c : cases) EXPECT_EQ(TruncToInt(c.in), c.out) << c.in;
}

// World 0..1280, stage 320..960, scroll limits narrowed to 400..900; box 16 wide.
TEST_F(ObjectGeometryTest, ClampXKeepsTheBoxInsideAndReportsTheEdge) {
  Scene().m_ScrollX.m_nMin = 400;
  Scene().m_ScrollX.m_nMax = 900;
  const struct {
    int mode;
    double x;
    double xAfter;
    int code;
  } cases[] = {
      {2, -0.5, 0, 3},     {2, 1265, 1264, 3}, {2, 944, 944, 1},  // ends one dot before the stage end
      {2, 945, 945, 2},    {2, 319, 319, 2},   {2, 350, 350, 1},
      {2, 500, 500, 0},    {1, 300, 320, 0},   {1, 950, 944, 0},
      {1, 350, 350, 1},    {0, 350, 400, 0},   {0, 890, 884, 0},
      {7, -50, -50, 0},
  };
  for (const auto& c : cases) {
    cGameObj obj = MakeBox(c.x, 400, 16, 16);
    EXPECT_EQ(obj.ClampX(c.mode), c.code) << c.mode << " " << c.x;
    EXPECT_EQ(obj.m_dX, c.xAfter) << c.mode << " " << c.x;
    EXPECT_EQ(obj.m_dRight, obj.m_dX + 15);
    EXPECT_EQ(obj.m_nCellL, TruncToInt(obj.m_dX) >> 5);
    EXPECT_EQ(obj.m_nCellR, TruncToInt(obj.m_dRight) >> 5);
  }
}

// World 0..960, stage 320..640, scroll limits narrowed to 340..600. An object as tall as
// the margin (320) is never held at the world's edges.
TEST_F(ObjectGeometryTest, ClampYHoldsOnlyObjectsShorterThanTheMargin) {
  Scene().m_ScrollY.m_nMin = 340;
  Scene().m_ScrollY.m_nMax = 600;
  const struct {
    int h;
    double y;
    double yAfter;
    int code;
  } cases[] = {
      {16, -3, 0, 3},    {319, -1, 0, 3},   {320, -3, -3, 0}, {16, 950, 944, 6}, {320, 700, 700, 0},
      {16, 300, 300, 2}, {16, 630, 630, 5}, {16, 330, 330, 1}, {16, 590, 590, 4}, {16, 400, 400, 0},
  };
  for (const auto& c : cases) {
    cGameObj obj = MakeBox(500, c.y, 16, c.h);
    EXPECT_EQ(obj.ClampY(2), c.code) << c.h << " " << c.y;
    EXPECT_EQ(obj.m_dY, c.yAfter) << c.h << " " << c.y;
    EXPECT_EQ(obj.m_dBottom, obj.m_dY + c.h - 1);
    EXPECT_EQ(obj.m_nCellB, TruncToInt(obj.m_dBottom) >> 5);
  }
}

TEST_F(ObjectGeometryTest, CellsOutsideTheGridReadAsEmpty) {
  const struct {
    int column;
    int row;
    bool inside;
  } cases[] = {
      {0, 0, true}, {63, 29, true}, {-1, 0, false}, {64, 0, false}, {0, -1, false}, {0, 30, false},
      {-2147483647 - 1, 5, false}, {5, 2147483647, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BlockCellAt(c.column, c.row) != nullptr, c.inside) << c.column << " " << c.row;
  }
  EXPECT_EQ(BlockCellAtIndex(-1), nullptr);
  EXPECT_EQ(BlockCellAtIndex(30 << kShift), nullptr);
  EXPECT_NE(BlockCellAtIndex((30 << kShift) - 1), nullptr);
}

// An object 400 dots tall reaches above and below the grid; its corner probes must not
// read beside the grid, and still find the solid cells inside it.
TEST_F(ObjectGeometryTest, TallObjectsProbeOnlyCellsInsideTheGrid) {
  cGameObj above = MakeBox(500, -40, 16, 400);
  EXPECT_LT(above.m_nCellT, 0);
  EXPECT_FALSE(above.TouchesSolidBlock());
  SetSolid(15, 11);  // bottom-left corner: x 500 -> column 15, bottom 359 -> row 11
  EXPECT_TRUE(above.TouchesSolidBlock());

  cGameObj below = MakeBox(500, 900, 16, 400);
  EXPECT_GE(below.m_nCellB, kStageH + 20);
  EXPECT_FALSE(below.TouchesSolidBlock());
  SetSolid(15, 28);
  EXPECT_TRUE(below.TouchesSolidBlockEx(0));
}

TEST_F(ObjectGeometryTest, ScalingKeepsTheBoxCentreAndMultipliesTheSizes) {
  cGameObj obj = MakeBox(500, 400, 24, 16);
  obj.SetScale(3, 3);
  EXPECT_EQ(obj.m_dX, 500);
  EXPECT_EQ(obj.m_nBoxW, 24);
  obj.SetScale(3, 1);
  EXPECT_EQ(obj.m_dX, 476);
  EXPECT_EQ(obj.m_nBoxW, 72);
  EXPECT_EQ(obj.m_nBoxH, 48);
  EXPECT_EQ(obj.m_nCellW, 96);
  EXPECT_EQ(obj.m_dRight, 476 + 71);
}

TEST_F(ObjectGeometryTest, RemovalTestCountsTheWorldsOuterDotAsOutside) {
  const cScreenOutRange noSides;
  const struct {
    double x;
    double y;
    int onScreen;
    bool outside;
  } cases[] = {
      {0, 400, 0, true}, {0, 400, 1, false}, {1, 400, 0, false}, {1264, 400, 0, true}, {1263, 400, 0, false},
      {500, 0, 0, true},  {500, 944, 0, true}, {500, 943, 0, false},
  };
  for (const auto& c : cases) {
    cGameObj obj = MakeBox(c.x, c.y, 16, 16);
    obj.m_bOnScreen = c.onScreen;
    EXPECT_EQ(obj.IsOutsideActiveArea(noSides), c.outside) << c.x << " " << c.y << " " << c.onScreen;
  }
  // The left side 2 blocks beyond the view: the view starts at 320, so a box ending at
  // dot 256 or before is out.
  cScreenOutRange left;
  left.m_bLeft = 1;
  left.m_nLeft = 2;
  EXPECT_TRUE(MakeBox(241, 400, 16, 16).IsOutsideActiveArea(left));
  EXPECT_FALSE(MakeBox(242, 400, 16, 16).IsOutsideActiveArea(left));
}

TEST(ApplyFrictionTest, SlowsTowardZeroWithoutCrossingIt) {
  cGameObj obj;
  obj.m_dFriction = 0.5;
  const struct {
    double speed;
    int on;
    double after;
  } cases[] = {{0.3, 1, 0}, {-0.3, 1, 0}, {1.0, 1, 0.5}, {-1.0, 1, -0.5}, {0, 1, 0}, {0.3, 0, 0.3}};
  for (const auto& c : cases) {
    double speed = c.speed;
    obj.ApplyFriction(speed, c.on);
    EXPECT_EQ(speed, c.after) << c.speed;
  }
}

TEST_F(ObjectGeometryTest, ImpactVelocityCoversSixteenDotsPerHalfBlock) {
  double vx = 7;
  double vy = 7;
  CalcImpactVelocity(&vx, &vy, 0, 1, 0);
  EXPECT_EQ(vx, 7);
  EXPECT_EQ(vy, 7);
  CalcImpactVelocity(&vx, &vy, 5, 0, 0);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vy, 0);
  CalcImpactVelocity(&vx, &vy, 1, 1, 0);
  EXPECT_DOUBLE_EQ(vx, (std::sqrt(129.0) - 1) / 2);
  EXPECT_EQ(vy, 0);
  CalcImpactVelocity(&vx, &vy, -2, 0, 3);
  EXPECT_EQ(vx, 0);
  EXPECT_DOUBLE_EQ(vy, -(std::sqrt(257.0) - 1) / 2);
}

// The speed limit holds the stored velocity (a terminal speed), not only the step.
TEST_F(ObjectGeometryTest, MoveClampsTheStoredVelocityToTheSpeedLimit) {
  cGameObj obj = MakeBox(500, 400, 16, 16);
  obj.m_dVx = 10;
  obj.m_dVy = -10;
  EXPECT_EQ(obj.MoveX(2), 0);
  EXPECT_EQ(obj.MoveY(2), 0);
  EXPECT_EQ(obj.m_dVx, 6);
  EXPECT_EQ(obj.m_dVy, -6);
  EXPECT_EQ(obj.m_dX, 506);
  EXPECT_EQ(obj.m_dY, 394);
}

TEST_F(ObjectGeometryTest, ScreenRectangleRoundsByMotionKind) {
  Scene().m_ScrollX.m_dPos = 100.6;
  Scene().m_ScrollY.m_dPos = 100.6;
  const struct {
    int flying;
    double speed;  // both axes
    int sync;
    int left;
    int top;
  } cases[] = {
      {0, 0, 0, 392, 392},    // walking: trunc((x - off) - trunc(sx))
      {1, 0, 0, 392, 392},    // flying, still screen: trunc(x) - trunc(sx) - off
      {1, 0.5, 1, 391, 392},  // riding the automatic scroll: trunc(x - sx) - off (+1 vertically)
      {1, 0.5, 0, 392, 392},
  };
  for (const auto& c : cases) {
    Scene().m_ScrollX.m_dSpeed = Scene().m_ScrollY.m_dSpeed = c.speed;
    cGameObj obj = MakeBox(500.2, 500.2, 16, 16);
    obj.m_nBoxOffX = obj.m_nBoxOffY = 8;
    obj.m_bNoGravity = c.flying;
    obj.m_bScrollSync = c.sync;
    obj.UpdateScreenRect();
    EXPECT_EQ(obj.m_rcScreen.left, c.left) << c.flying << c.speed << c.sync;
    EXPECT_EQ(obj.m_rcScreen.top, c.top) << c.flying << c.speed << c.sync;
    EXPECT_EQ(obj.m_rcScreen.right, c.left + 31);
  }
}

TEST(DistanceRangeTest, RangeEndsFromTheCellAndTheMargins) {
  const struct {
    int low;
    int high;
    int whole;
    int lowEnd;
    int highEnd;
  } cases[] = {{0, 0, 0, 116, 116}, {10, 0, 0, 90, 116}, {0, 10, 0, 116, 142}, {0, 0, 1, 100, 132},
               {5, 0, 1, 95, 116}};
  for (const auto& c : cases) {
    int lowEnd = 0;
    int highEnd = 0;
    CalcRangeOnAxis(100, 32, c.low, c.high, c.whole, &lowEnd, &highEnd);
    EXPECT_EQ(lowEnd, c.lowEnd);
    EXPECT_EQ(highEnd, c.highEnd);
  }
}

}  // namespace
