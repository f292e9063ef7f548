#include "app/frame_timing.h"

#include <atomic>

#include "platform/win_time.h"

namespace {

std::atomic<bool (*)()> g_isDirect3D{nullptr};
std::atomic<bool> g_bUnpaced{false};

DWORD g_dwStopwatchStart = 0;
DWORD g_dwLastFrameTime = 0;

std::int32_t g_nEveryCounter = 0;

bool g_bFpsStarted = false;
DWORD g_dwFpsWindowStart = 0;
DWORD g_dwFpsFrames = 0;
DWORD g_dwFpsLast = 0;

bool g_bDDStarted = false;
DWORD g_dwDDDue = 0;

bool g_bD3DStarted = false;
DWORD g_dwD3DSecondStart = 0;
int g_nD3DFrame = 0;

constexpr DWORD kFpsWindowMs = 1000;

// Milliseconds from `from` to `to` on the wrapping clock: negative while `to` is earlier.
std::int32_t Elapsed(DWORD from, DWORD to) { return static_cast<std::int32_t>(to - from); }

}  // namespace

void StartFrameTime() { g_dwStopwatchStart = timeGetTime(); }

DWORD GetFrameTime(int measure) {
  if (measure != 0) g_dwLastFrameTime = timeGetTime() - g_dwStopwatchStart;
  return g_dwLastFrameTime;
}

std::int32_t CountEvery(int mode, int n) {
  if (mode == 0) {
    g_nEveryCounter = 0;
    return 0;
  }
  if (mode == 2) return g_nEveryCounter == 0 ? 1 : 0;
  ++g_nEveryCounter;
  if (g_nEveryCounter >= n) {
    g_nEveryCounter = 0;
    return 1;
  }
  return 0;
}

DWORD CountFps(int count) {
  const DWORD now = timeGetTime();
  if (!g_bFpsStarted) {
    g_bFpsStarted = true;
    g_dwFpsWindowStart = now;
  }
  if (count == 0) return g_dwFpsLast;
  if (Elapsed(g_dwFpsWindowStart, now) >= static_cast<std::int32_t>(kFpsWindowMs)) {
    g_dwFpsWindowStart = now;
    g_dwFpsLast = g_dwFpsFrames;
    g_dwFpsFrames = 0;
    return g_dwFpsLast;
  }
  ++g_dwFpsFrames;
  return g_dwFpsLast;
}

void SetFramesUnpaced(bool bUnpaced) { g_bUnpaced.store(bUnpaced); }
bool FramesUnpaced() { return g_bUnpaced.load(); }

bool FrameLimitDD(int fps) {
  if (g_bUnpaced.load()) return true;
  const DWORD now = timeGetTime();
  if (!g_bDDStarted) {
    g_bDDStarted = true;
    g_dwDDDue = now;
  }
  if (fps <= 0) return true;
  if (Elapsed(g_dwDDDue, now) < 0) return false;
  // Counted from the frame allowed, not from the due time: a late frame is not caught up.
  g_dwDDDue = now + static_cast<DWORD>(1000 / fps);
  return true;
}

bool FrameLimitD3D(int fps) {
  if (g_bUnpaced.load()) return true;
  bool (*isDirect3D)() = g_isDirect3D.load(std::memory_order_acquire);
  if (isDirect3D == nullptr || !isDirect3D() || fps <= 0) return true;
  const DWORD now = timeGetTime();
  if (!g_bD3DStarted) {
    g_bD3DStarted = true;
    g_dwD3DSecondStart = now;
    g_nD3DFrame = 0;
  }
  // The exact period, not rounded to whole milliseconds.
  const double period = 1000.0 / fps;
  const double due = g_nD3DFrame * period;
  const double elapsed = static_cast<double>(Elapsed(g_dwD3DSecondStart, now));
  if (elapsed < due) return false;
  // After a stall (a frame more than a period late) the second starts afresh from now, so
  // that the missed frames are not presented back to back to catch up.
  if (elapsed - due > period) {
    g_dwD3DSecondStart = now;
    g_nD3DFrame = 0;
  }
  if (++g_nD3DFrame >= fps) {
    // The next second starts exactly one second after this one: anchoring it at the
    // present time instead would add the polling delay to every second and lose frames.
    g_nD3DFrame = 0;
    g_dwD3DSecondStart += 1000;
  }
  return true;
}

void SetFrameTimingDirect3DQuery(bool (*isDirect3D)()) {
  g_isDirect3D.store(isDirect3D, std::memory_order_release);
}

void ResetFrameTiming() {
  g_dwStopwatchStart = 0;
  g_dwLastFrameTime = 0;
  g_nEveryCounter = 0;
  g_bFpsStarted = false;
  g_dwFpsWindowStart = 0;
  g_dwFpsFrames = 0;
  g_dwFpsLast = 0;
  g_bDDStarted = false;
  g_dwDDDue = 0;
  g_bD3DStarted = false;
  g_dwD3DSecondStart = 0;
  g_nD3DFrame = 0;
  g_bUnpaced.store(false);
}
