#include "shell/test_play_notice.h"

#include <cstdint>

#include "app/test_play_flag.h"
#include "platform/tool_socket.h"

namespace {

// The window travels as the number its handle holds.
std::uint64_t WindowId(HWND hWnd) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hWnd)); }

}  // namespace

void NotifyTestPlayStart(HWND hWnd) {
  if (!g_bTestPlay) return;
  SendToolNotice(1, 1, WindowId(hWnd));
}

void NotifyTestPlayEnd(HWND hWnd, int result) {
  if (!g_bTestPlay) return;
  SendToolNotice(0, result, WindowId(hWnd));
}
