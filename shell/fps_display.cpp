#include "shell/fps_display.h"

#include <atomic>

cFpsDisplay g_FpsDisplay;

namespace {

std::atomic<int> g_nShowFps{0};

}  // namespace

void StoreFrameTime(cFpsDisplay& state, DWORD frameTime) {
  if (state.nRingIndex < 0 || state.nRingIndex >= kFpsRingSize) state.nRingIndex = 0;
  state.adwRing[state.nRingIndex] = frameTime;
  if (++state.nRingIndex < kFpsRingSize) return;
  state.nRingIndex = 0;
  // Summed in 64 bits: a frame held up for minutes (a debugger, a suspended machine) must
  // not wrap the sum into a small average.
  std::uint64_t sum = 0;
  for (DWORD t : state.adwRing) sum += t;
  state.nAverage = static_cast<unsigned>(sum / kFpsRingSize);
}

void SetShowFps(int nShowFps) { g_nShowFps.store(nShowFps, std::memory_order_relaxed); }
int GetShowFps() { return g_nShowFps.load(std::memory_order_relaxed); }

