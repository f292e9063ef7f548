#pragma once
// Shot sheets were renumbered in version 219: entries of older files that draw from a
// shot sheet name one number lower.
#include <cstdint>

constexpr std::uint32_t kShotGraphicRenumbered = 219;

// For graphic kind 3 (shot sheets): the graphic number grows by 1 and is then at most
// kMaxShotGraphic. Other kinds are left alone.
void UpgradeShotGraphic(std::int8_t graphicKind, std::int16_t& graphic);
