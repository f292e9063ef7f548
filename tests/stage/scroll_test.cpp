#include "stage/scroll.h"

#include <gtest/gtest.h>

#include "data/stage/stage_data.h"

namespace {

cScroll Axis(int view, int min, int max) {
  cScroll s;
  s.m_nView = view;
  s.m_nMin = min;
  s.m_nMax = max;
  return s;
}

TEST(ScrollTest, ClampHoldsThePositionInItsRange) {
  struct Case {
    double pos;
    int view, min, max;
    double expectPos;
    int expectAtLimit;
  } const cases[] = {
      {100, 640, 320, 2000, 320, 1},     // below min
      {500, 640, 320, 2000, 500, 0},     // inside
      {1359.5, 640, 320, 2000, 1359.5, 0},  // just short of the end
      {1360, 640, 320, 2000, 1360, 1},   // position + view reaching max counts as the limit
      {1800, 640, 320, 2000, 1360, 1},   // past the end
      {900, 640, 320, 800, 320, 1},      // range shorter than the view: stays at min
      {320, 640, 320, 800, 320, 1},
  };
  for (const Case& c : cases) {
    cScroll s = Axis(c.view, c.min, c.max);
    s.m_dPos = c.pos;
    s.Clamp();
    EXPECT_EQ(s.m_dPos, c.expectPos) << c.pos << " in [" << c.min << ", " << c.max << ")";
    EXPECT_EQ(s.m_bAtLimit, c.expectAtLimit) << c.pos;
  }
}

TEST(ScrollTest, RangeFromTheStageCells) {
  cScroll s;
  s.m_nOrigin = 320;
  s.m_nExtent = 2000;
  s.SetRange(2, 30, 1, 1);
  EXPECT_EQ(s.m_nMin, 2 * 32 + 320);
  EXPECT_EQ(s.m_nMax, 31 * 32 + 320);
  // An end before the start is raised to it.
  s.SetRange(10, 3, 1, 1);
  EXPECT_EQ(s.m_nMax, s.m_nMin);
  // Without the limits: the stage's own area, with no raise.
  s.SetRange(10, 3, 0, 0);
  EXPECT_EQ(s.m_nMin, 320);
  EXPECT_EQ(s.m_nMax, 2000);
  // Cells from a damaged file cannot overflow the dot positions.
  s.SetRange(2147483647, 2147483647, 1, 1);
  EXPECT_EQ(s.m_nMin, 2147483647);
  EXPECT_EQ(s.m_nMax, 2147483647);
}

TEST(ScrollTest, AutoScrollSpeedPerSubStep) {
  cStageData saved = g_StageData;
  g_StageData.m_dGravity = 0.4;
  g_StageData.SetCollisionLevel(4);
  cScroll s = Axis(640, 320, 100000);
  s.SetSpeed(1, 15);
  EXPECT_EQ(s.m_bAuto, 1);
  EXPECT_EQ(s.m_dSpeed, 15 * 0.1 / 4.0);
  s.m_dPos = 320;
  s.Step();
  EXPECT_EQ(s.m_dPos, 320 + 15 * 0.1 / 4.0);
  s.SetSpeed(0, 15);
  EXPECT_EQ(s.m_bAuto, 0);
  EXPECT_EQ(s.m_dSpeed, 0);
  g_StageData = saved;
}

}  // namespace
