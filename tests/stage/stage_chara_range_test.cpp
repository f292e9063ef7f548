// When a stage character takes part: its screen-range mode decides which axes of the view
// its activation range tests, and the appear mode 1 keeps it in play once it has entered.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "objects/chara.h"
#include "tests/stage/object_world.h"

namespace {

class StageCharaRangeTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    g_StageData.m_nCharaFlyW = 16;
    g_StageData.m_nCharaFlyH = 16;
    m_vTable.assign(kAppearSwitchCount, 0);
  }

  // A flying character (it never stays in play by being in the air) at a world position.
  static cChara Flyer(int screenRange, int appearRule, double x, double y) {
    cPaletteChara def;
    def.m_nFlying = 1;
    def.m_nScreenRange = static_cast<std::int8_t>(screenRange);
    def.m_nActiveRule = static_cast<std::int8_t>(appearRule);
    cChara chara;
    chara.Init(1, def, nullptr, 0, 0, 0);
    chara.m_dX = x;
    chara.m_dY = y;
    chara.ClampX(2);
    chara.ClampY(2);
    return chara;
  }

  std::int32_t Takes(cChara& chara) {
    chara.UpdateActive(m_vTable);
    return chara.CheckAppear(m_vTable);
  }

  std::vector<std::int8_t> m_vTable;
};

// The view shows x 320..959 and y 320..799.
TEST_F(StageCharaRangeTest, ScreenRangeModeChoosesTheTestedAxes) {
  constexpr double kOnX = 500, kOffX = 1100, kOnY = 400, kOffY = 900;
  struct Case {
    int mode;
    double x, y;
    std::int32_t takes;
  };
  const Case cases[] = {
      {0, kOnX, kOnY, 1},  {0, kOffX, kOnY, 0}, {0, kOnX, kOffY, 0}, {0, kOffX, kOffY, 0},
      {1, kOnX, kOffY, 1}, {1, kOffX, kOnY, 0},  // "X座標のみ画面内"
      {2, kOffX, kOnY, 1}, {2, kOnX, kOffY, 0},  // "Y座標のみ画面内"
      {3, kOffX, kOffY, 1},                      // "全範囲"
      {9, kOffX, kOnY, 0},                       // an unknown mode tests both axes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.x << ", " << c.y);
    cChara chara = Flyer(c.mode, 0, c.x, c.y);
    EXPECT_EQ(Takes(chara), c.takes);
    EXPECT_EQ(chara.m_bInRange, c.takes);
    EXPECT_EQ(chara.m_bAppeared, c.takes);
  }
}

TEST_F(StageCharaRangeTest, AppearModeOneStaysInPlayAfterEntering) {
  for (const int rule : {0, 1}) {
    SCOPED_TRACE(rule);
    cChara chara = Flyer(0, rule, 500, 400);
    ASSERT_EQ(Takes(chara), 1);
    chara.m_dX = 1100;
    chara.ClampX(2);
    EXPECT_EQ(Takes(chara), rule);
  }
}

}  // namespace
