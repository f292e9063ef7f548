// The main thread between messages: what SDL's events become for the main window, when
// the application counts as active, and that a message or a frame from another thread
// wakes a waiting loop at once.
#include "platform/main_loop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/display_window.h"
#include "platform/display_window_sdl.h"
#include "platform/joystick_state.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"
#include "platform/win_window.h"

namespace {

struct cReceived {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const cReceived&) const = default;
};
std::vector<cReceived> g_Received;

LRESULT RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  // What the window makes of its own creation is not what these tests look at.
  if (message != WM_CREATE) g_Received.push_back({message, wParam, lParam});
  return 0;
}

std::ostream& operator<<(std::ostream& out, const cReceived& r) {
  return out << "{0x" << std::hex << r.message << std::dec << ", " << r.wParam << ", " << r.lParam << "}";
}

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    MarkMainThread();
    ASSERT_EQ(OpenDisplayWindow(DisplayWindowOptions()), 1) << DisplayWindowError();
    ASSERT_NE(CreateWindowExA(0, "", WS_POPUP | WS_CAPTION, 0, 0, 640, 480, nullptr, RecordingProc), nullptr);
    BeginMainLoop();
    // The window's own start (shown, and so active under this driver) is behind us.
    PumpMainWindowEvents(0);
    g_Received.clear();
  }
  void TearDown() override {
    EndMainLoop();
    DestroyWindow(GetMainWindowHandle());
    CloseDisplayWindow();
    ClearPostedMessages();
  }
  static Uint32 WindowId() { return SDL_GetWindowID(DisplaySdlWindow()); }
  static SDL_Event WindowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
  }
  static SDL_Event KeyEvent(SDL_Scancode scancode, bool repeat) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = WindowId();
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    return event;
  }
};

TEST_F(MainLoopTest, WindowEventsBecomeTheMainWindowsMessages) {
  struct Case {
    const char* name;
    SDL_Event event;
    std::vector<cReceived> expected;
  };
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_Event otherWindow = WindowEvent(SDL_WINDOWEVENT_CLOSE);
  otherWindow.window.windowID = WindowId() + 100;
  const Case cases[] = {
      {"close button", WindowEvent(SDL_WINDOWEVENT_CLOSE), {{WM_CLOSE, 0, 0}}},
      {"interrupt", quit, {{WM_CLOSE, 0, 0}}},
      {"moved", WindowEvent(SDL_WINDOWEVENT_MOVED, 120, 80), {{WM_MOVE, 0, MAKELPARAM(120, 80)}}},
      {"moved off the left", WindowEvent(SDL_WINDOWEVENT_MOVED, -8, 30), {{WM_MOVE, 0, MAKELPARAM(0xFFF8, 30)}}},
      {"resized", WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600), {{WM_SIZE, 0, MAKELPARAM(800, 600)}}},
      {"uncovered", WindowEvent(SDL_WINDOWEVENT_EXPOSED), {{WM_PAINT, 0, 0}}},
      {"Esc", KeyEvent(SDL_SCANCODE_ESCAPE, false), {{WM_KEYDOWN, VK_ESCAPE, 1}}},
      {"Esc held", KeyEvent(SDL_SCANCODE_ESCAPE, true), {{WM_KEYDOWN, VK_ESCAPE, (LPARAM{1} << 30) | 1}}},
      {"another key: read from the snapshot", KeyEvent(SDL_SCANCODE_Z, false), {}},
      {"another window's close", otherWindow, {}},
  };
  for (const Case& c : cases) {
    g_Received.clear();
    SDL_Event event = c.event;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    PumpMainWindowEvents(0);
    EXPECT_EQ(g_Received, c.expected) << c.name;
  }
}

TEST_F(MainLoopTest, AShownWindowIsActiveWithoutAFocusToGive) {
  // SetUp's first turn found the window shown: active once, and not again.
  PumpMainWindowEvents(0);
  EXPECT_TRUE(g_Received.empty());
  struct Step {
    int show;
    std::vector<cReceived> expected;
  };
  const Step steps[] = {
      {SW_HIDE, {{WM_ACTIVATEAPP, 0, 0}}},
      {SW_HIDE, {}},
      {SW_SHOW, {{WM_ACTIVATEAPP, 1, 0}}},
  };
  for (const Step& step : steps) {
    g_Received.clear();
    ShowWindow(GetMainWindowHandle(), step.show);
    PumpMainWindowEvents(0);
    PumpMainWindowEvents(0);
    EXPECT_EQ(g_Received, step.expected) << step.show;
  }
}

// Another thread queues work while the main thread waits for a long time; the wait must
// end at once rather than at its limit.
TEST_F(MainLoopTest, WorkFromAnotherThreadEndsTheWaitAtOnce) {
  constexpr int kLongWaitMs = 20000;
  struct Case {
    const char* name;
    void (*work)();
  };
  const Case cases[] = {
      {"posted", [] { PostMessageA(GetMainWindowHandle(), WM_USER + 7, 0, 0); }},
      {"sent", [] { SendMessageA(GetMainWindowHandle(), WM_USER + 8, 0, 0); }},
      {"frame handed over", [] {
         cDisplayFrame frame;
         frame.nWidth = 4;
         frame.nHeight = 4;
         frame.nPitch = 16;
         frame.bytes.assign(16 * 4, 0);
         HandOverFrame(frame);
       }},
  };
  for (const Case& c : cases) {
    g_Received.clear();
    const std::uint64_t shownBefore = ShownFrameSerial();
    std::thread other([&c] {
      Sleep(30);
      c.work();
    });
    const DWORD start = timeGetTime();
    PumpMainWindowEvents(kLongWaitMs);
    const DWORD waited = timeGetTime() - start;
    // The sent message is served by the next look at the queue, as the loop does.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    other.join();
    EXPECT_LT(waited, static_cast<DWORD>(kLongWaitMs / 4)) << c.name;
    if (std::string(c.name) == "frame handed over") EXPECT_GT(ShownFrameSerial(), shownBefore);
    else EXPECT_EQ(g_Received.size(), 1u) << c.name;
  }
}

// The game thread reads joysticks from the snapshot the loop publishes.
TEST_F(MainLoopTest, EachTurnPublishesTheJoysticks) {
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr);
  SDL_JoystickSetVirtualButton(pad, 2, SDL_PRESSED);
  // The first turn finds the new joystick and opens it; the next one reads it.
  PumpMainWindowEvents(0);
  PumpMainWindowEvents(0);
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNBUTTONS;
  EXPECT_EQ(joyGetPosEx(index, &info), JOYERR_NOERROR);
  EXPECT_EQ(info.dwButtons, 0x4u);
  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(index);
}

}  // namespace
