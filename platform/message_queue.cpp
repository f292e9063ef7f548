#include "platform/message_queue.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace {

std::atomic<HWND> g_mainWindow{nullptr};
std::mutex g_lock;
std::deque<MSG> g_posted;  // exists from process start, before any window

}  // namespace

BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hWnd != nullptr && hWnd != g_mainWindow.load(std::memory_order_acquire)) return 0;
  std::lock_guard<std::mutex> lock(g_lock);
  g_posted.push_back(MSG{hWnd, message, wParam, lParam});
  return 1;
}

void SetMainWindowHandle(HWND hWnd) { g_mainWindow.store(hWnd, std::memory_order_release); }

HWND GetMainWindowHandle() { return g_mainWindow.load(std::memory_order_acquire); }

BOOL TakePostedMessage(MSG* out) {
  std::lock_guard<std::mutex> lock(g_lock);
  if (g_posted.empty()) return 0;
  if (out != nullptr) {
    *out = g_posted.front();
    out->hwnd = g_mainWindow.load(std::memory_order_acquire);  // every message is the window's
  }
  g_posted.pop_front();
  return 1;
}

int CountPostedMessages(UINT message) {
  std::lock_guard<std::mutex> lock(g_lock);
  int count = 0;
  for (const MSG& msg : g_posted) {
    if (msg.message == message) ++count;
  }
  return count;
}

void ClearPostedMessages() {
  std::lock_guard<std::mutex> lock(g_lock);
  g_posted.clear();
}
