#include "app/mouse_state.h"

#include "platform/key_state.h"
#include "platform/win_types.h"

namespace {

// Only one window updates its mouse state at a time, so the edge logic keeps its memory
// once for the whole program rather than per object.
int s_bLeftBefore = 0;
int s_bRightBefore = 0;
int s_bLeftLatch = 0;
int s_bRightLatch = 0;

int IsButtonDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0 ? 1 : 0; }

// Pressed is 1 in exactly one update per press: the first that sees the button down.
void UpdatePress(int virtualKey, int& latch, int& pressed) {
  if (!IsButtonDown(virtualKey)) {
    latch = 0;
    pressed = 0;
  } else if (latch) {
    pressed = 0;
  } else {
    latch = 1;
    pressed = 1;
  }
}

}  // namespace

int cMouseState::Update(int mask) {
  s_bLeftBefore = m_bLeft;
  s_bRightBefore = m_bRight;
  if (mask & 1) {
    m_bLeft = IsButtonDown(VK_LBUTTON);
    m_bRight = IsButtonDown(VK_RBUTTON);
  }
  if (mask & 2) {
    UpdatePress(VK_LBUTTON, s_bLeftLatch, m_bLeftPush);
    UpdatePress(VK_RBUTTON, s_bRightLatch, m_bRightPush);
  }
  if (mask & 4) {
    m_bLeftRelease = (s_bLeftBefore && !m_bLeft) ? 1 : 0;
    m_bRightRelease = (s_bRightBefore && !m_bRight) ? 1 : 0;
  }
  return 1;
}
