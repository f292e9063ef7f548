#include "shell/frame_limit.h"

#include <atomic>

#include "app/main_window_handle.h"
#include "platform/message_queue.h"

namespace {

std::atomic<int> g_nFrameLimit{0};
std::atomic<int> g_nFramesRun{0};

}  // namespace

void SetFrameLimit(int nFrames) { g_nFrameLimit.store(nFrames > 0 ? nFrames : 0); }

int FramesRun() { return g_nFramesRun.load(); }

bool FrameLimitReached() {
  const int limit = g_nFrameLimit.load();
  return limit > 0 && g_nFramesRun.load() >= limit;
}

void CountFrameRun() {
  const int frames = g_nFramesRun.fetch_add(1) + 1;
  const int limit = g_nFrameLimit.load();
  if (limit > 0 && frames == limit) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}

void RestartFrameCount() { g_nFramesRun.store(0); }
