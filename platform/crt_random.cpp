#include "platform/crt_random.h"

#include <cstdint>

namespace {
// Each thread starts from seed 1, as a new thread of the Windows C runtime does.
thread_local std::uint32_t t_state = 1;
}  // namespace

void CrtSrand(unsigned int seed) { t_state = static_cast<std::uint32_t>(seed); }

int CrtRand() {
  t_state = t_state * 214013u + 2531011u;
  return static_cast<int>((t_state >> 16) & 0x7FFFu);
}
