#include "platform/input_snapshot.h"

#include <SDL2/SDL.h>

#include <array>

#include "platform/key_state.h"
#include "platform/virtual_key_table.h"
#include "platform/virtual_keys.h"

namespace {

constexpr int kVirtualKeyCount = 256;

// The joysticks opened so far, by id (SDL device index at the time of opening).
std::array<SDL_Joystick*, kJoystickIdCount> g_openJoysticks{};
// The joystick whose opening failed last, by id: opening a device can take milliseconds,
// so a joystick that refuses (no permission, say) is not tried again every frame.
std::array<SDL_JoystickID, kJoystickIdCount> g_refusedJoysticks = [] {
  std::array<SDL_JoystickID, kJoystickIdCount> none;
  none.fill(-1);
  return none;
}();

void PublishKeys(const std::array<bool, kVirtualKeyCount>& held) {
  for (int vk = 0; vk < kVirtualKeyCount; ++vk) SetKeyHeld(vk, held[vk]);
}

// SDL axes run from -32768 to 32767; the game's from 0 to 65535, centre 32768.
DWORD AxisToPosition(Sint16 value) { return static_cast<DWORD>(static_cast<int>(value) + 32768); }

// Drops the handle of an id whose joystick was unplugged or whose device index now names
// another joystick, and opens whatever SDL lists at the index.
SDL_Joystick* JoystickAt(int id, int deviceCount) {
  SDL_Joystick*& joystick = g_openJoysticks[id];
  if (joystick && (!SDL_JoystickGetAttached(joystick) || id >= deviceCount ||
                   SDL_JoystickGetDeviceInstanceID(id) != SDL_JoystickInstanceID(joystick))) {
    SDL_JoystickClose(joystick);
    joystick = nullptr;
  }
  if (!joystick && id < deviceCount) {
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(id);
    if (instance != g_refusedJoysticks[id]) {
      joystick = SDL_JoystickOpen(id);
      g_refusedJoysticks[id] = joystick ? -1 : instance;
    }
  }
  return joystick;
}

JoystickSnapshot ReadJoystick(SDL_Joystick* joystick) {
  JoystickSnapshot state;
  state.bPresent = true;
  state.dwX = AxisToPosition(SDL_JoystickGetAxis(joystick, 0));
  state.dwY = AxisToPosition(SDL_JoystickGetAxis(joystick, 1));
  const int buttons = SDL_JoystickNumButtons(joystick);
  for (int n = 0; n < buttons && n < 32; ++n) {
    if (SDL_JoystickGetButton(joystick, n)) state.dwButtons |= DWORD{1} << n;
  }
  return state;
}

void PublishJoysticks() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) {
    ClearJoystickStates();
    return;
  }
  const int deviceCount = SDL_NumJoysticks();
  for (int id = 0; id < kJoystickIdCount; ++id) {
    SDL_Joystick* joystick = JoystickAt(id, deviceCount);
    SetJoystickState(id, joystick ? ReadJoystick(joystick) : JoystickSnapshot{});
  }
}

}  // namespace

void PublishKeyboardState(const std::uint8_t* scancodeDown, int count, std::uint32_t mouseButtons) {
  std::array<bool, kVirtualKeyCount> held{};
  if (scancodeDown) {
    for (const tovrel_platform::VirtualKeyScancode& pair : tovrel_platform::VirtualKeyScancodes()) {
      if (pair.scancode < count && scancodeDown[pair.scancode]) held[pair.virtualKey] = true;
    }
  }
  constexpr int kMouseKeys[] = {VK_LBUTTON, VK_MBUTTON, VK_RBUTTON, VK_XBUTTON1, VK_XBUTTON2};
  for (int n = 0; n < 5; ++n) {
    if (mouseButtons & (1u << n)) held[kMouseKeys[n]] = true;
  }
  PublishKeys(held);
}

void PublishInputFromSdl() {
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  const Uint32 mouse = SDL_GetMouseState(nullptr, nullptr);
  PublishKeyboardState(keys, count, mouse);
  PublishJoysticks();
}

void CloseInputDevices() {
  for (SDL_Joystick*& joystick : g_openJoysticks) {
    if (joystick) SDL_JoystickClose(joystick);
    joystick = nullptr;
  }
  g_refusedJoysticks.fill(-1);
  ClearJoystickStates();
}

void PublishInputFrame(const cInputFrame& frame) {
  std::array<bool, kVirtualKeyCount> held{};
  for (int vk : frame.vHeldKeys) {
    if (vk >= 0 && vk < kVirtualKeyCount) held[vk] = true;
  }
  PublishKeys(held);
  for (int id = 0; id < kJoystickIdCount; ++id) {
    JoystickSnapshot state;
    for (const auto& [listedId, listedState] : frame.vJoysticks) {
      if (listedId == id) state = listedState;
    }
    SetJoystickState(id, state);
  }
}
