#include "platform/key_state.h"

#include <atomic>

namespace {

constexpr int kKeyCount = 256;
std::atomic<bool> g_held[kKeyCount];

bool IsKeyCode(int virtualKey) { return virtualKey >= 0 && virtualKey < kKeyCount; }

}  // namespace

SHORT GetAsyncKeyState(int virtualKey) {
  if (!IsKeyCode(virtualKey)) return 0;
  return g_held[virtualKey].load(std::memory_order_relaxed) ? static_cast<SHORT>(0x8000) : SHORT{0};
}

void SetKeyHeld(int virtualKey, bool held) {
  if (!IsKeyCode(virtualKey)) return;
  g_held[virtualKey].store(held, std::memory_order_relaxed);
}
