#include "flow/percent_of_rounded.h"

#include <cstdint>

#include "objects/trunc.h"

int PercentOfRounded(int value, int percent) {
  // The product wraps as the game's 32-bit arithmetic does, without signed overflow.
  const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * static_cast<std::uint32_t>(percent));
  double p = static_cast<double>(product) * 0.01;
  p = p >= 0.0 ? p + 0.5 : p - 0.5;
  return TruncToInt(p);
}
