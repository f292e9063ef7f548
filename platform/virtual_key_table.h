#pragma once
// Which host keys (SDL scancodes, numbered by their place on a US keyboard) stand for
// which Windows virtual-key code. Internal to the platform layer; the tests read it to
// check its coverage.
#include <span>

namespace tovrel_platform {

struct VirtualKeyScancode {
  int virtualKey;
  int scancode;
};

// Every pair. A code may have several keys (Enter and keypad Enter, either Shift for
// VK_SHIFT) and a key several codes (left Shift is VK_SHIFT and VK_LSHIFT).
std::span<const VirtualKeyScancode> VirtualKeyScancodes();

}  // namespace tovrel_platform
