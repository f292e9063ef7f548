// The ranges of a stage's numbers. Where the authoring tool offers a fixed set of values
// (the collision level, the hit checks per frame) that set is the range; elsewhere the
// range keeps every computation play makes with the value inside the int32 and far from
// its ends, and no game made with the tool comes near it.
#include "data/stage/stage_ranges.h"

#include <cstdint>
#include <iterator>

#include "data/record/member_ranges.h"
#include "data/stage/stage_size_limits.h"

namespace {

using cStageIntRange = cIntRange<cStageData>;

// Scroll limits and out-of-screen margins are in blocks, turned into dots (x 32) and
// added to view positions: a stage side is the bound.
constexpr std::int32_t kStageRangeBlocks = kMaxStageSide;
// The time display has three digits, and time added in play stops at 999.
constexpr std::int32_t kStageRangeTime = 999;
// Tenths of a dot per frame: a whole view (640 dots) per frame.
constexpr std::int32_t kStageRangeAutoScroll = 6400;
// Body and hit sizes in dots, scaled by the object's size and centred in its 32-dot
// cell. A body of 0 dots would have its right edge left of its left one.
constexpr std::int32_t kStageRangeSize = 1024;
// Invincibility frames, multiplied by the sub-steps (at most 10) and counted down.
constexpr std::int32_t kStageRangeInvincible = 99999;

constexpr cStageIntRange kStageIntRanges[] = {
    {"m_nLimitLeft", &cStageData::m_nLimitLeft, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nLimitRight", &cStageData::m_nLimitRight, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nLimitTop", &cStageData::m_nLimitTop, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nLimitBottom", &cStageData::m_nLimitBottom, -kStageRangeBlocks, kStageRangeBlocks},
    // The frame rate paces the frames and times the blinking of the time display.
    {"m_nStageFps", &cStageData::m_nStageFps, 1, 1000},
    {"m_nTimeLimit", &cStageData::m_nTimeLimit, 0, kStageRangeTime},
    {"m_nTimeWarning", &cStageData::m_nTimeWarning, 0, kStageRangeTime},
    {"m_nAutoScrollX", &cStageData::m_nAutoScrollX, -kStageRangeAutoScroll, kStageRangeAutoScroll},
    {"m_nAutoScrollY", &cStageData::m_nAutoScrollY, -kStageRangeAutoScroll, kStageRangeAutoScroll},
    {"m_nCollisionLevel", &cStageData::m_nCollisionLevel, kMinCollisionLevel, kMaxCollisionLevel},
    {"m_nHitChecksPerFrame", &cStageData::m_nHitChecksPerFrame, 0, 5},
    {"m_nPlayerWalkW", &cStageData::m_nPlayerWalkW, 1, kStageRangeSize},
    {"m_nPlayerWalkH", &cStageData::m_nPlayerWalkH, 1, kStageRangeSize},
    {"m_nPlayerFlyW", &cStageData::m_nPlayerFlyW, 1, kStageRangeSize},
    {"m_nPlayerFlyH", &cStageData::m_nPlayerFlyH, 1, kStageRangeSize},
    {"m_nPlayerHitWalkW", &cStageData::m_nPlayerHitWalkW, 0, kStageRangeSize},
    {"m_nPlayerHitWalkH", &cStageData::m_nPlayerHitWalkH, 0, kStageRangeSize},
    {"m_nPlayerHitFlyW", &cStageData::m_nPlayerHitFlyW, 0, kStageRangeSize},
    {"m_nPlayerHitFlyH", &cStageData::m_nPlayerHitFlyH, 0, kStageRangeSize},
    {"m_nPlayerHitKind1W", &cStageData::m_nPlayerHitKind1W, 0, kStageRangeSize},
    {"m_nPlayerHitKind1H", &cStageData::m_nPlayerHitKind1H, 0, kStageRangeSize},
    {"m_nPlayerBoxW", &cStageData::m_nPlayerBoxW, 0, kStageRangeSize},
    {"m_nPlayerBoxH", &cStageData::m_nPlayerBoxH, 0, kStageRangeSize},
    {"m_nCharaWalkW", &cStageData::m_nCharaWalkW, 1, kStageRangeSize},
    {"m_nCharaWalkH", &cStageData::m_nCharaWalkH, 1, kStageRangeSize},
    {"m_nCharaFlyW", &cStageData::m_nCharaFlyW, 1, kStageRangeSize},
    {"m_nCharaFlyH", &cStageData::m_nCharaFlyH, 1, kStageRangeSize},
    {"m_nCharaHitWalkW", &cStageData::m_nCharaHitWalkW, 0, kStageRangeSize},
    {"m_nCharaHitWalkH", &cStageData::m_nCharaHitWalkH, 0, kStageRangeSize},
    {"m_nCharaHitFlyW", &cStageData::m_nCharaHitFlyW, 0, kStageRangeSize},
    {"m_nCharaHitFlyH", &cStageData::m_nCharaHitFlyH, 0, kStageRangeSize},
    {"m_nCharaHitKind1W", &cStageData::m_nCharaHitKind1W, 0, kStageRangeSize},
    {"m_nCharaHitKind1H", &cStageData::m_nCharaHitKind1H, 0, kStageRangeSize},
    {"m_nItemW", &cStageData::m_nItemW, 1, kStageRangeSize},
    {"m_nItemH", &cStageData::m_nItemH, 1, kStageRangeSize},
    {"m_nPlayerHitKind2W", &cStageData::m_nPlayerHitKind2W, 0, kStageRangeSize},
    {"m_nPlayerHitKind2H", &cStageData::m_nPlayerHitKind2H, 0, kStageRangeSize},
    {"m_nCharaHitKind2W", &cStageData::m_nCharaHitKind2W, 0, kStageRangeSize},
    {"m_nCharaHitKind2H", &cStageData::m_nCharaHitKind2H, 0, kStageRangeSize},
    {"m_nCharaKeyedInvincible", &cStageData::m_nCharaKeyedInvincible, 0, kStageRangeInvincible},
    {"m_nCharaInvincible", &cStageData::m_nCharaInvincible, 0, kStageRangeInvincible},
    {"m_nPlayerKeyedInvincible", &cStageData::m_nPlayerKeyedInvincible, 0, kStageRangeInvincible},
    {"m_nPlayerInvincible", &cStageData::m_nPlayerInvincible, 0, kStageRangeInvincible},
};

// Gravity in dots per frame squared: a frame moves at most 60 dots, so a pull beyond that
// only stops everything.
constexpr cRealRange<cStageData> kStageRealRanges[] = {
    {"m_dGravity", &cStageData::m_dGravity, -60.0, 60.0, 0.4},
};

constexpr cIntRange<cScreenOutRange> kOutRangeRanges[] = {
    {"m_nLeft", &cScreenOutRange::m_nLeft, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nRight", &cScreenOutRange::m_nRight, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nTop", &cScreenOutRange::m_nTop, -kStageRangeBlocks, kStageRangeBlocks},
    {"m_nBottom", &cScreenOutRange::m_nBottom, -kStageRangeBlocks, kStageRangeBlocks},
};

// A layer's scroll factor times a view position (below 2^20 dots) is drawn as an int32;
// its own speed and its offset are wrapped into the picture, an offset without auto
// scrolling is added to the view position.
constexpr double kStageRangeBackSpeed = 1000.0;
constexpr double kStageRangeBackPos = 1048576.0;
constexpr cRealRange<cStageBack> kBackRanges[] = {
    {"m_dSpeedX", &cStageBack::m_dSpeedX, -kStageRangeBackSpeed, kStageRangeBackSpeed, 0.1},
    {"m_dSpeedY", &cStageBack::m_dSpeedY, -kStageRangeBackSpeed, kStageRangeBackSpeed, 0.1},
    {"m_dPosX", &cStageBack::m_dPosX, -kStageRangeBackPos, kStageRangeBackPos, 0.0},
    {"m_dPosY", &cStageBack::m_dPosY, -kStageRangeBackPos, kStageRangeBackPos, 0.0},
};

}  // namespace

void ClampStageRanges(cStageData& stage, const std::string& file) {
  const cRangeSource source{file.c_str()};
  ClampIntoRanges<cStageData>(stage, kStageIntRanges, source);
  ClampIntoRanges<cStageData>(stage, kStageRealRanges, source);
  for (std::size_t i = 0; i < std::size(stage.m_OutRange); ++i)
    ClampIntoRanges<cScreenOutRange>(stage.m_OutRange[i], kOutRangeRanges, source.Element("m_OutRange", i));
  for (std::size_t i = 0; i < stage.m_vBack.size(); ++i)
    ClampIntoRanges<cStageBack>(stage.m_vBack[i], kBackRanges, source.Element("m_vBack", i));
}
