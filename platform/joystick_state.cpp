#include "platform/joystick_state.h"

#include <bit>
#include <mutex>

namespace {

// X, Y and the buttons of one joystick must be read as one frame's state, so the table
// is guarded; a query holds the lock only for a copy of 16 bytes.
std::mutex g_joystickLock;
JoystickSnapshot g_joysticks[kJoystickIdCount];

bool IsJoystickId(long long id) { return id >= 0 && id < kJoystickIdCount; }

}  // namespace

MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info) {
  if (!IsJoystickId(joystickId) || !info || info->dwSize != sizeof(JOYINFOEX)) return JOYERR_PARMS;
  const JoystickSnapshot state = GetJoystickState(static_cast<int>(joystickId));
  if (!state.bPresent) return JOYERR_UNPLUGGED;
  if (info->dwFlags & JOY_RETURNX) info->dwXpos = state.dwX;
  if (info->dwFlags & JOY_RETURNY) info->dwYpos = state.dwY;
  if (info->dwFlags & JOY_RETURNBUTTONS) {
    info->dwButtons = state.dwButtons;
    info->dwButtonNumber = static_cast<DWORD>(std::popcount(state.dwButtons));
  }
  return JOYERR_NOERROR;
}

void SetJoystickState(int joystickId, const JoystickSnapshot& state) {
  if (!IsJoystickId(joystickId)) return;
  JoystickSnapshot stored = state;
  if (stored.dwX > 65535) stored.dwX = 65535;
  if (stored.dwY > 65535) stored.dwY = 65535;
  std::lock_guard<std::mutex> lock(g_joystickLock);
  g_joysticks[joystickId] = stored;
}

JoystickSnapshot GetJoystickState(int joystickId) {
  if (!IsJoystickId(joystickId)) return {};
  std::lock_guard<std::mutex> lock(g_joystickLock);
  return g_joysticks[joystickId];
}

void ClearJoystickStates() {
  std::lock_guard<std::mutex> lock(g_joystickLock);
  for (JoystickSnapshot& joystick : g_joysticks) joystick = {};
}
