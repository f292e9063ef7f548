#include "platform/main_loop.h"

#include <SDL.h>

#include <atomic>
#include <cstring>

#include "platform/display_window.h"
#include "platform/display_window_sdl.h"
#include "platform/input_snapshot.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"
#include "platform/win_window.h"

namespace {

constexpr WPARAM kSizeRestored = 0;   // SIZE_RESTORED
constexpr WPARAM kSizeMaximized = 2;  // SIZE_MAXIMIZED
// The user event that wakes the loop; frames handed over push plain user events (code 0).
constexpr Sint32 kWakeCode = 0x7476;

std::atomic<bool> g_bWakePending{false};
bool g_bReportedActive = false;

// Any thread. One wake event at a time is enough: the loop looks at its whole queue once
// woken, so a burst of posts costs one event, not one each.
void WakeMainLoop() {
  if (g_bWakePending.exchange(true)) return;
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  wake.user.code = kWakeCode;
  if (SDL_PushEvent(&wake) != 1) g_bWakePending.store(false);
}

LRESULT ToMainWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND main = GetMainWindowHandle();
  return main != nullptr ? SendMessageA(main, message, wParam, lParam) : 0;
}

LPARAM Pair(int low, int high) {
  return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(low)), static_cast<WORD>(static_cast<std::int16_t>(high)));
}

bool DriverGivesNoFocus() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool IsApplicationActive() {
  SDL_Window* window = DisplaySdlWindow();
  if (window == nullptr) return false;
  const Uint32 flags = SDL_GetWindowFlags(window);
  if ((flags & SDL_WINDOW_SHOWN) == 0 || (flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0) return false;
  return (flags & SDL_WINDOW_INPUT_FOCUS) != 0 || DriverGivesNoFocus();
}

// Activation follows the window's state rather than single events, so that a focus
// change seen by a dialog's own event loop is not lost to the game.
void ReportActivation() {
  if (GetMainWindowHandle() == nullptr) return;
  const bool active = IsApplicationActive();
  if (active == g_bReportedActive) return;
  g_bReportedActive = active;
  ToMainWindow(WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  SDL_Window* window = DisplaySdlWindow();
  if (window == nullptr || event.windowID != SDL_GetWindowID(window)) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      ToMainWindow(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_MOVED:
      ToMainWindow(WM_MOVE, 0, Pair(event.data1, event.data2));
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      const bool maximized = (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED) != 0;
      ToMainWindow(WM_SIZE, maximized ? kSizeMaximized : kSizeRestored, Pair(event.data1, event.data2));
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      ToMainWindow(WM_PAINT, 0, 0);
      break;
    default:
      break;
  }
}

void HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      ToMainWindow(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
      if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE) {
        // Repeat count 1; bit 30 tells a held key's repeat from its first press.
        ToMainWindow(WM_KEYDOWN, VK_ESCAPE, event.key.repeat ? (LPARAM{1} << 30) | 1 : 1);
      }
      break;
    case SDL_USEREVENT:
      if (event.user.code == kWakeCode) g_bWakePending.store(false);
      break;
    default:
      break;
  }
}

}  // namespace

void BeginMainLoop() {
  // The window's close button ends the program through WM_CLOSE, not through SDL_QUIT,
  // which would ask a second time.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // SDL drops joystick input while no window has the keyboard focus; where no focus is
  // ever given, the shown window is active and its joysticks count.
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && DriverGivesNoFocus())
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  g_bWakePending.store(false);
  SetMainQueueWakeHook(WakeMainLoop);
}

void EndMainLoop() {
  SetMainQueueWakeHook(nullptr);
  CloseInputDevices();
}

void PumpMainWindowEvents(int waitMs) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    // No window, so no events: only the queue can wake the loop.
    if (waitMs > 0) Sleep(1);
    return;
  }
  SDL_Event event;
  if (waitMs > 0 && SDL_WaitEventTimeout(&event, waitMs) == 1) HandleEvent(event);
  while (SDL_PollEvent(&event) == 1) HandleEvent(event);
  ReportActivation();
  PublishInputFromSdl();
  ShowNewestFrame();
}
