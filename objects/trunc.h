#pragma once
// Doubles become 32-bit integers in one place. Positions, speeds and percentages come from
// game data and may be NaN or far out of range; a plain cast would then be undefined. The
// result for those is the one the x86 conversion instruction gives (0x80000000, "integer
// indefinite"), so a game behaves the same on every build of the player.
#include <cstdint>
#include <limits>

// Truncation toward zero; NaN and values outside the int32 range give INT32_MIN.
[[nodiscard]] constexpr std::int32_t TruncToInt(double d) {
  if (d > -2147483649.0 && d < 2147483648.0) return static_cast<std::int32_t>(d);
  return std::numeric_limits<std::int32_t>::min();
}
