#include "platform/input_snapshot.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/joystick_state.h"
#include "platform/key_state.h"
#include "platform/virtual_key_table.h"
#include "platform/virtual_keys.h"

namespace {

using tovrel_platform::VirtualKeyScancodes;

std::set<int> HeldKeys() {
  std::set<int> held;
  for (int vk = 0; vk < 256; ++vk) {
    if (GetAsyncKeyState(vk) & 0x8000) held.insert(vk);
  }
  return held;
}

class InputSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override { PublishInputFrame({}); }
  void TearDown() override { PublishInputFrame({}); }
};

// Every key a key configuration may name must reach GetAsyncKeyState through some key.
TEST_F(InputSnapshotTest, EveryConfigurableKeyHasAHostKey) {
  std::vector<int> codes;
  for (int c = 'A'; c <= 'Z'; ++c) codes.push_back(c);
  for (int c = '0'; c <= '9'; ++c) codes.push_back(c);
  for (int n = 0; n < 24; ++n) codes.push_back(VK_F1 + n);
  for (int n = 0; n < 10; ++n) codes.push_back(VK_NUMPAD0 + n);
  const int named[] = {
      VK_MULTIPLY, VK_ADD,      VK_SEPARATOR, VK_SUBTRACT,   VK_DECIMAL,    VK_DIVIDE,   VK_NUMLOCK, VK_SHIFT,
      VK_CONTROL,  VK_MENU,     VK_LSHIFT,    VK_RSHIFT,     VK_LCONTROL,   VK_RCONTROL, VK_LMENU,   VK_RMENU,
      VK_SPACE,    VK_RETURN,   VK_BACK,      VK_TAB,        VK_ESCAPE,     VK_PAUSE,    VK_CAPITAL, VK_SCROLL,
      VK_PRIOR,    VK_NEXT,     VK_END,       VK_HOME,       VK_LEFT,       VK_UP,       VK_RIGHT,   VK_DOWN,
      VK_INSERT,   VK_DELETE,   VK_SNAPSHOT,  VK_LWIN,       VK_RWIN,       VK_APPS,     VK_OEM_1,   VK_OEM_PLUS,
      VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,   VK_OEM_3,      VK_OEM_4,    VK_OEM_5,   VK_OEM_6,
      VK_OEM_7,    VK_OEM_102,  VK_KANA,      VK_KANJI,      VK_CONVERT,    VK_NONCONVERT, VK_OEM_ATTN,
      VK_OEM_COPY, VK_OEM_AUTO, VK_OEM_ENLW,
  };
  codes.insert(codes.end(), std::begin(named), std::end(named));
  std::set<int> mapped;
  for (const auto& pair : VirtualKeyScancodes()) mapped.insert(pair.virtualKey);
  for (int code : codes) EXPECT_TRUE(mapped.count(code)) << "virtual key 0x" << std::hex << code;
}

TEST_F(InputSnapshotTest, TableHoldsOnlyValidDistinctPairs) {
  std::set<std::pair<int, int>> seen;
  for (const auto& pair : VirtualKeyScancodes()) {
    EXPECT_GT(pair.virtualKey, 0);
    EXPECT_LT(pair.virtualKey, 256);
    EXPECT_GT(pair.scancode, SDL_SCANCODE_UNKNOWN);
    EXPECT_LT(pair.scancode, SDL_NUM_SCANCODES);
    EXPECT_TRUE(seen.insert({pair.virtualKey, pair.scancode}).second)
        << "pair listed twice: " << pair.virtualKey << ", " << pair.scancode;
  }
}

// One host key (or mouse button) down at a time: exactly these codes read as held.
TEST_F(InputSnapshotTest, HostKeysPublishExactlyTheirCodes) {
  struct Case {
    int scancode;  // SDL_SCANCODE_UNKNOWN: none
    std::uint32_t mouse;
    std::set<int> held;
  };
  const Case cases[] = {
      {SDL_SCANCODE_A, 0, {'A'}},
      {SDL_SCANCODE_Z, 0, {'Z'}},
      {SDL_SCANCODE_0, 0, {'0'}},
      {SDL_SCANCODE_1, 0, {'1'}},
      {SDL_SCANCODE_KP_1, 0, {VK_NUMPAD0 + 1}},
      {SDL_SCANCODE_KP_0, 0, {VK_NUMPAD0}},
      {SDL_SCANCODE_F1, 0, {VK_F1}},
      {SDL_SCANCODE_F13, 0, {VK_F1 + 12}},
      {SDL_SCANCODE_LSHIFT, 0, {VK_SHIFT, VK_LSHIFT}},
      {SDL_SCANCODE_RSHIFT, 0, {VK_SHIFT, VK_RSHIFT}},
      {SDL_SCANCODE_RCTRL, 0, {VK_CONTROL, VK_RCONTROL}},
      {SDL_SCANCODE_LALT, 0, {VK_MENU, VK_LMENU}},
      {SDL_SCANCODE_RETURN, 0, {VK_RETURN}},
      {SDL_SCANCODE_KP_ENTER, 0, {VK_RETURN}},
      {SDL_SCANCODE_SPACE, 0, {VK_SPACE}},
      {SDL_SCANCODE_LEFT, 0, {VK_LEFT}},
      {SDL_SCANCODE_DOWN, 0, {VK_DOWN}},
      {SDL_SCANCODE_SEMICOLON, 0, {VK_OEM_1}},
      {SDL_SCANCODE_SLASH, 0, {VK_OEM_2}},
      {SDL_SCANCODE_INTERNATIONAL1, 0, {VK_OEM_102}},
      {SDL_SCANCODE_INTERNATIONAL3, 0, {VK_OEM_5}},
      {SDL_SCANCODE_INTERNATIONAL4, 0, {VK_CONVERT}},
      {SDL_SCANCODE_INTERNATIONAL5, 0, {VK_NONCONVERT}},
      {SDL_SCANCODE_LANG5, 0, {VK_KANJI, VK_OEM_AUTO, VK_OEM_ENLW}},
      {SDL_SCANCODE_CAPSLOCK, 0, {VK_CAPITAL, VK_OEM_ATTN}},
      {SDL_SCANCODE_UNKNOWN, 1u << 0, {VK_LBUTTON}},
      {SDL_SCANCODE_UNKNOWN, 1u << 1, {VK_MBUTTON}},
      {SDL_SCANCODE_UNKNOWN, 1u << 2, {VK_RBUTTON}},
      {SDL_SCANCODE_UNKNOWN, (1u << 3) | (1u << 4), {VK_XBUTTON1, VK_XBUTTON2}},
      {SDL_SCANCODE_UNKNOWN, 0, {}},
      {SDL_SCANCODE_UNKNOWN, 0xFFFFFFE0u, {}},  // buttons the game has no code for
  };
  for (const Case& c : cases) {
    std::uint8_t keys[SDL_NUM_SCANCODES] = {};
    if (c.scancode != SDL_SCANCODE_UNKNOWN) keys[c.scancode] = 1;
    PublishKeyboardState(keys, SDL_NUM_SCANCODES, c.mouse);
    EXPECT_EQ(HeldKeys(), c.held) << "scancode " << c.scancode << ", mouse " << c.mouse;
  }
}

TEST_F(InputSnapshotTest, EachFrameReplacesTheLast) {
  std::uint8_t keys[SDL_NUM_SCANCODES] = {};
  keys[SDL_SCANCODE_X] = 1;
  keys[SDL_SCANCODE_UP] = 1;
  PublishKeyboardState(keys, SDL_NUM_SCANCODES, 1);
  EXPECT_EQ(HeldKeys(), (std::set<int>{VK_LBUTTON, VK_UP, 'X'}));
  keys[SDL_SCANCODE_X] = 0;
  PublishKeyboardState(keys, SDL_NUM_SCANCODES, 0);
  EXPECT_EQ(HeldKeys(), (std::set<int>{VK_UP}));
  // A code set by hand that no host key stands for is up after the next frame.
  SetKeyHeld(0xFF, true);
  PublishKeyboardState(keys, SDL_NUM_SCANCODES, 0);
  EXPECT_EQ(HeldKeys(), (std::set<int>{VK_UP}));
}

TEST_F(InputSnapshotTest, ShortOrMissingKeyTablesReadAsUp) {
  std::uint8_t keys[SDL_NUM_SCANCODES];
  std::fill(std::begin(keys), std::end(keys), 1);
  // Only the first entries are SDL's; letters (scancodes 4-29) are inside, arrows are not.
  PublishKeyboardState(keys, SDL_SCANCODE_Z + 1, 0);
  const std::set<int> held = HeldKeys();
  EXPECT_TRUE(held.count('A'));
  EXPECT_TRUE(held.count('Z'));
  EXPECT_FALSE(held.count(VK_LEFT));
  EXPECT_FALSE(held.count(VK_SPACE));
  PublishKeyboardState(nullptr, SDL_NUM_SCANCODES, 0);
  EXPECT_TRUE(HeldKeys().empty());
}

TEST_F(InputSnapshotTest, ScriptedFramesReplaceKeysAndJoysticks) {
  JoystickSnapshot pushedLeft;
  pushedLeft.bPresent = true;
  pushedLeft.dwX = 0;
  pushedLeft.dwButtons = 0x5;
  PublishInputFrame({{'Z', VK_LEFT, 999, -1}, {{1, pushedLeft}, {40, pushedLeft}}});
  EXPECT_EQ(HeldKeys(), (std::set<int>{'Z', VK_LEFT}));
  EXPECT_FALSE(GetJoystickState(0).bPresent);
  EXPECT_TRUE(GetJoystickState(1).bPresent);
  EXPECT_EQ(GetJoystickState(1).dwX, 0u);
  PublishInputFrame({{'X'}, {}});
  EXPECT_EQ(HeldKeys(), (std::set<int>{'X'}));
  EXPECT_FALSE(GetJoystickState(1).bPresent);
}

TEST_F(InputSnapshotTest, JoystickQueriesCheckTheirArguments) {
  JoystickSnapshot present;
  present.bPresent = true;
  present.dwX = 70000;  // taken as the largest position
  present.dwY = 123;
  present.dwButtons = 0x80000201u;
  SetJoystickState(2, present);
  SetJoystickState(kJoystickIdCount, present);  // ignored
  SetJoystickState(-1, present);                // ignored

  struct Case {
    const char* name;
    UINT id;
    bool nullRecord;
    DWORD size;
    DWORD flags;
    MMRESULT result;
    DWORD x, y, buttons, buttonNumber;  // 7 = left as the caller set it
  };
  constexpr DWORD kAll = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
  const Case cases[] = {
      {"present, all", 2, false, 52, kAll, JOYERR_NOERROR, 65535, 123, 0x80000201u, 3},
      {"present, X only", 2, false, 52, JOY_RETURNX, JOYERR_NOERROR, 65535, 7, 7, 7},
      {"present, buttons only", 2, false, 52, JOY_RETURNBUTTONS, JOYERR_NOERROR, 7, 7, 0x80000201u, 3},
      {"unplugged", 0, false, 52, kAll, JOYERR_UNPLUGGED, 7, 7, 7, 7},
      {"last id, unplugged", kJoystickIdCount - 1, false, 52, kAll, JOYERR_UNPLUGGED, 7, 7, 7, 7},
      {"id past the table", kJoystickIdCount, false, 52, kAll, JOYERR_PARMS, 7, 7, 7, 7},
      {"id -1 as unsigned", static_cast<UINT>(-1), false, 52, kAll, JOYERR_PARMS, 7, 7, 7, 7},
      {"record size wrong", 2, false, 48, kAll, JOYERR_PARMS, 7, 7, 7, 7},
      {"no record", 2, true, 52, kAll, JOYERR_PARMS, 7, 7, 7, 7},
  };
  for (const Case& c : cases) {
    JOYINFOEX info;
    std::fill_n(reinterpret_cast<DWORD*>(&info), sizeof(info) / sizeof(DWORD), DWORD{7});
    info.dwSize = c.size;
    info.dwFlags = c.flags;
    EXPECT_EQ(joyGetPosEx(c.id, c.nullRecord ? nullptr : &info), c.result) << c.name;
    EXPECT_EQ(info.dwXpos, c.x) << c.name;
    EXPECT_EQ(info.dwYpos, c.y) << c.name;
    EXPECT_EQ(info.dwButtons, c.buttons) << c.name;
    EXPECT_EQ(info.dwButtonNumber, c.buttonNumber) << c.name;
    EXPECT_EQ(info.dwZpos, 7u) << c.name;
    EXPECT_EQ(info.dwPOV, 7u) << c.name;
  }
}

// The game thread must never see X, Y and the buttons of two different frames together.
TEST_F(InputSnapshotTest, JoystickStateIsNeverReadHalfWritten) {
  JoystickSnapshot low{true, 0, 0, 0};
  JoystickSnapshot high{true, 65535, 65535, 0xFFFFFFFFu};
  SetJoystickState(0, low);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int n = 0; !stop.load(); ++n) SetJoystickState(0, (n & 1) ? high : low);
  });
  int mixed = 0;
  for (int n = 0; n < 200000; ++n) {
    JOYINFOEX info{};
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    const bool present = joyGetPosEx(0, &info) == JOYERR_NOERROR;
    const bool isLow = info.dwXpos == 0 && info.dwYpos == 0 && info.dwButtons == 0;
    const bool isHigh = info.dwXpos == 65535 && info.dwYpos == 65535 && info.dwButtons == 0xFFFFFFFFu;
    if (!present || (!isLow && !isHigh)) ++mixed;
  }
  stop = true;
  writer.join();
  EXPECT_EQ(mixed, 0);
}

// SDL under its dummy video driver, with virtual joysticks standing in for real ones.
class SdlInputTest : public InputSnapshotTest {
 protected:
  void SetUp() override {
    InputSnapshotTest::SetUp();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  }
  void TearDown() override {
    CloseInputDevices();
    for (SDL_Joystick* joystick : m_Virtual) SDL_JoystickClose(joystick);
    SDL_Quit();
    InputSnapshotTest::TearDown();
  }

  // Attaches a virtual joystick with two axes and ten buttons; returns its device index.
  int Attach() {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 10, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    return index;
  }
  // A handle of our own to drive the virtual joystick at a device index.
  SDL_Joystick* Drive(int index) {
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    EXPECT_NE(joystick, nullptr) << SDL_GetError();
    m_Virtual.push_back(joystick);
    return joystick;
  }
  static JoystickSnapshot Published(int id) { return GetJoystickState(id); }

  std::vector<SDL_Joystick*> m_Virtual;
};

TEST_F(SdlInputTest, NothingHeldWithoutInput) {
  SetKeyHeld('Z', true);  // left over from an earlier frame
  SDL_PumpEvents();
  PublishInputFromSdl();
  EXPECT_TRUE(HeldKeys().empty());
  for (int id = 0; id < kJoystickIdCount; ++id) EXPECT_FALSE(Published(id).bPresent) << id;
}

TEST_F(SdlInputTest, JoystickAxesAndButtonsArePublished) {
  SDL_Joystick* pad = Drive(Attach());
  struct Case {
    Sint16 x, y;
    std::vector<int> buttons;
    DWORD publishedX, publishedY, publishedButtons;
  };
  const Case cases[] = {
      {0, 0, {}, 32768, 32768, 0},
      {-32768, 32767, {0}, 0, 65535, 0x1},
      {32767, -32768, {1, 9}, 65535, 0, 0x202},
      {-22768, 0, {}, 10000, 32768, 0},
  };
  for (const Case& c : cases) {
    SDL_JoystickSetVirtualAxis(pad, 0, c.x);
    SDL_JoystickSetVirtualAxis(pad, 1, c.y);
    for (int n = 0; n < 10; ++n) {
      const bool down = std::find(c.buttons.begin(), c.buttons.end(), n) != c.buttons.end();
      SDL_JoystickSetVirtualButton(pad, n, down ? SDL_PRESSED : SDL_RELEASED);
    }
    SDL_JoystickUpdate();
    PublishInputFromSdl();
    const JoystickSnapshot state = Published(0);
    EXPECT_TRUE(state.bPresent);
    EXPECT_EQ(state.dwX, c.publishedX) << c.x;
    EXPECT_EQ(state.dwY, c.publishedY) << c.y;
    EXPECT_EQ(state.dwButtons, c.publishedButtons) << c.x;
  }
  EXPECT_FALSE(Published(1).bPresent);
}

TEST_F(SdlInputTest, UnpluggedJoysticksGoAndPluggedOnesAreFound) {
  const int first = Attach();
  const int second = Attach();
  ASSERT_EQ(first, 0);
  ASSERT_EQ(second, 1);
  SDL_Joystick* secondPad = Drive(second);
  SDL_JoystickSetVirtualButton(secondPad, 3, SDL_PRESSED);
  SDL_JoystickUpdate();
  PublishInputFromSdl();
  EXPECT_TRUE(Published(0).bPresent);
  EXPECT_EQ(Published(0).dwButtons, 0u);
  EXPECT_EQ(Published(1).dwButtons, 0x8u);

  // The first goes: the second moves up to id 0, as the host lists it.
  ASSERT_EQ(SDL_JoystickDetachVirtual(first), 0);
  SDL_JoystickUpdate();
  PublishInputFromSdl();
  EXPECT_TRUE(Published(0).bPresent);
  EXPECT_EQ(Published(0).dwButtons, 0x8u);
  EXPECT_FALSE(Published(1).bPresent);

  // A joystick plugged in later is found on the next frame.
  ASSERT_EQ(Attach(), 1);
  SDL_JoystickUpdate();
  PublishInputFromSdl();
  EXPECT_TRUE(Published(1).bPresent);
  EXPECT_EQ(Published(1).dwButtons, 0u);

  CloseInputDevices();
  EXPECT_FALSE(Published(0).bPresent);
}

TEST(SdlInputWithoutJoysticks, EveryIdReadsUnpluggedWithoutTheSubsystem) {
  JoystickSnapshot present{true, 1, 2, 3};
  SetJoystickState(0, present);
  PublishInputFromSdl();  // SDL not initialised at all
  EXPECT_FALSE(GetJoystickState(0).bPresent);
  EXPECT_TRUE(HeldKeys().empty());
}

}  // namespace
