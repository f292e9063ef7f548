// Play arithmetic on numbers a damaged stage can carry (NaN positions, sizes and times at
// the int32 limits): each result that used to overflow comes out saturated at the nearest
// limit, and each that fits is the plain one.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "objects/chara.h"
#include "objects/player.h"
#include "tests/stage/object_world.h"

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class ExtremeNumbersTest : public ObjectWorldTest {};

TEST_F(ExtremeNumbersTest, SumsOfSizesPositionsAndTimesSaturate) {
  const struct {
    const char* what;
    std::function<std::vector<std::int64_t>()> run;
    std::vector<std::int64_t> expected;
  } cases[] = {
      {"hit area at a NaN y with an offset upward: top",
       [] {
         cHitArea area;
         area.SetBoth(0, -1, 8, 8);
         area.UpdateY(kNaN);
         return std::vector<std::int64_t>{static_cast<std::int64_t>(area.m_rc.top)};
       },
       {kMin}},
      {"hit area at the far right with an offset: left",
       [] {
         cHitArea area;
         area.SetBoth(5, 0, 8, 8);
         area.UpdateX(2147483645.0);
         return std::vector<std::int64_t>{static_cast<std::int64_t>(area.m_rc.left)};
       },
       {kMax}},
      {"player walking INT32_MIN wide and high, bottom-aligned: box offsets",
       [] {
         g_StageData.m_nPlayerWalkW = static_cast<std::int32_t>(kMin);
         g_StageData.m_nPlayerWalkH = static_cast<std::int32_t>(kMin);
         g_StageData.m_bPlayerWalkBottom = 1;
         cPlayer player;
         std::int32_t offX = 0, offY = 0, w = 0, h = 0;
         player.GetSizeByFlying(&offX, &offY, &w, &h);
         return std::vector<std::int64_t>{offX, offY};
       },
       {kMax >> 1, kMax}},
      {"player walking 24 high, centred: box offsets as before",
       [] {
         g_StageData.m_nPlayerWalkW = 16;
         g_StageData.m_nPlayerWalkH = 24;
         g_StageData.m_bPlayerWalkBottom = 0;
         cPlayer player;
         std::int32_t offX = 0, offY = 0, w = 0, h = 0;
         player.GetSizeByFlying(&offX, &offY, &w, &h);
         return std::vector<std::int64_t>{offX, offY};
       },
       {8, 4}},
      {"character hit area INT32_MIN wide and high beside an INT32_MAX-wide box: offsets",
       [] {
         cChara chara;
         chara.m_nBoxOffX = (32 - static_cast<std::int32_t>(kMax)) >> 1;
         chara.m_nBoxOffY = static_cast<std::int32_t>(kMin);
         chara.SetCharaHitRect(1, static_cast<std::int32_t>(kMin), static_cast<std::int32_t>(kMin));
         return std::vector<std::int64_t>{chara.m_HitChara.m_nOffX, chara.m_HitChara.m_nOffY};
       },
       {kMax, kMax}},
      {"keyed invincibility of INT32_MIN sub-steps and of 2: keys left after one tick, steps of the second",
       [] {
         cChara chara;
         chara.m_lstInvincibleKey.push_back(cInvincibleKey{1, static_cast<std::int32_t>(kMin)});
         chara.m_lstInvincibleKey.push_back(cInvincibleKey{2, 2});
         chara.TickInvincibility();
         return std::vector<std::int64_t>{static_cast<std::int64_t>(chara.m_lstInvincibleKey.size()),
                                          chara.m_lstInvincibleKey.front().m_nSteps};
       },
       {1, 1}},
      {"keyed invincibility of INT32_MAX frames at several sub-steps: steps",
       [] {
         g_StageData.SetCollisionLevel(10);
         g_StageData.m_nCharaKeyedInvincible = static_cast<std::int32_t>(kMax);
         cChara chara;
         chara.m_nKind = 1;
         chara.StartInvincibilityFor(7);
         return std::vector<std::int64_t>{chara.m_lstInvincibleKey.back().m_nSteps};
       },
       {kMax}},
      {"flying object at a NaN x, box offset 4: screen left and right",
       [] {
         cGameObj obj;
         obj.Init(1, 1, 0, 1, 0, nullptr, 0, 4, 0, 16, 16, 32, 32, 0, 1, 0, nullptr);
         obj.m_dX = kNaN;
         obj.m_dY = 400;
         obj.UpdateScreenRect();
         return std::vector<std::int64_t>{obj.m_rcScreen.left, obj.m_rcScreen.right};
       },
       {kMin, kMin + 31}},
      {"object at the far right, cell 1000 wide: screen right",
       [] {
         cGameObj obj;
         obj.Init(1, 1, 0, 1, 0, nullptr, 0, 0, 0, 16, 16, 1000, 32, 0, 1, 0, nullptr);
         obj.m_dX = 2147483640.0;
         obj.m_dY = 400;
         obj.UpdateScreenRect();
         return std::vector<std::int64_t>{obj.m_rcScreen.right};
       },
       {kMax}},
      {"box INT32_MAX wide scaled by 2: width",
       [] {
         cGameObj obj;
         obj.Init(1, 1, 0, 1, 0, nullptr, 0, 0, 0, static_cast<std::int32_t>(kMax), 16, 32, 32, 0, 1, 0, nullptr);
         obj.SetScale(2, 1);
         return std::vector<std::int64_t>{obj.m_nBoxW};
       },
       {kMax}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.run(), c.expected) << c.what;
}

}  // namespace
