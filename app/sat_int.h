#pragma once
// 32-bit arithmetic on numbers a game file may have set to anything (sizes, offsets,
// times, positions far off the screen): the exact result when it fits, else the nearest
// int32 limit. Results that fit are those of plain int arithmetic, so normal play is the
// same; only what used to overflow (undefined) now comes out saturated.
#include <cstdint>
#include <limits>

// An int64 held to the int32 range.
[[nodiscard]] constexpr std::int32_t SatInt32(std::int64_t v) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v < lo ? lo : v > hi ? hi : v);
}

[[nodiscard]] constexpr std::int32_t SatAdd(std::int32_t a, std::int32_t b) {
  return SatInt32(static_cast<std::int64_t>(a) + b);
}

[[nodiscard]] constexpr std::int32_t SatSub(std::int32_t a, std::int32_t b) {
  return SatInt32(static_cast<std::int64_t>(a) - b);
}

[[nodiscard]] constexpr std::int32_t SatMul(std::int32_t a, std::int32_t b) {
  return SatInt32(static_cast<std::int64_t>(a) * b);
}

// -a; -INT32_MIN gives INT32_MAX.
[[nodiscard]] constexpr std::int32_t SatNeg(std::int32_t a) { return SatInt32(-static_cast<std::int64_t>(a)); }
