#include "app/random.h"

#include <cstdint>

#include "platform/crt_random.h"

int GetRand(int a, int b) {
  const std::int64_t lo = a < b ? a : b;
  const std::int64_t hi = a < b ? b : a;
  // The span of INT_MIN..INT_MAX does not fit an int.
  const std::int64_t span = hi - lo + 1;
  return static_cast<int>(lo + CrtRand() % span);
}

void SeedRand(unsigned int seed) { CrtSrand(seed); }
