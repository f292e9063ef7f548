// Polling the keyboard and the joysticks into an input record.
#include <algorithm>
#include <climits>

#include "media/input/input.h"
#include "media/input/key_config.h"
#include "platform/joystick_state.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"

namespace {

// Stick thresholds: at or below the low one is left (up), above the high one right (down).
constexpr DWORD kStickLow = 10000;
constexpr DWORD kStickHigh = 55534;

constexpr int kFixedButtonKeys[cInput::kButtonCount] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

bool IsKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// Direction bits and digit from four held flags, each tested on its own (left and right
// together give bits 3 and digit 5).
void DirFromEach(bool left, bool right, bool up, bool down, WORD& dir, std::int32_t& keypad) {
  dir = 0;
  keypad = 5;
  if (left) {
    dir |= kDirLeft;
    keypad -= 1;
  }
  if (right) {
    dir |= kDirRight;
    keypad += 1;
  }
  if (up) {
    dir |= kDirUp;
    keypad -= 3;
  }
  if (down) {
    dir |= kDirDown;
    keypad += 3;
  }
}

void DirFromStick(const JOYINFOEX& joystick, WORD& dir, std::int32_t& keypad) {
  DirFromEach(joystick.dwXpos <= kStickLow, joystick.dwXpos > kStickHigh, joystick.dwYpos <= kStickLow,
              joystick.dwYpos > kStickHigh, dir, keypad);
}

}  // namespace

bool cInput::IsStickDir(const JOYINFOEX& joystick, WORD code) {
  switch (code) {
    case JOYSTICK_LEFT:
      return joystick.dwXpos <= kStickLow;
    case JOYSTICK_RIGHT:
      return joystick.dwXpos > kStickHigh;
    case JOYSTICK_UP:
      return joystick.dwYpos <= kStickLow;
    case JOYSTICK_DOWN:
      return joystick.dwYpos > kStickHigh;
    default:
      return false;
  }
}

bool cInput::QueryJoystick(int id, int retryFactor, JOYINFOEX& joystick) {
  if (id < 0 || id >= kJoystickIdCount) return false;
  if (!m_bJoyOk[id] && m_nJoyRetry[id] > 0) {
    --m_nJoyRetry[id];
    return false;
  }
  joystick = JOYINFOEX{};
  joystick.dwSize = sizeof(JOYINFOEX);
  joystick.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
  if (joyGetPosEx(static_cast<UINT>(id), &joystick) == JOYERR_NOERROR) {
    m_bJoyOk[id] = 1;
    return true;
  }
  m_bJoyOk[id] = 0;
  m_nJoyRetry[id] = static_cast<std::int32_t>(std::clamp(2LL * retryFactor, 0LL, static_cast<long long>(INT_MAX)));
  return false;
}

int cInput::Poll(int joystickId, int flags, int retryFactor) {
  if (g_KeyConfig.m_bUse) return 0;
  bool joystickDir = false;
  bool joystickButtons = false;
  JOYINFOEX joystick{};
  const bool read = QueryJoystick(joystickId, retryFactor, joystick);
  if (flags & kPollJoystick) {
    if (read) {
      DirFromStick(joystick, m_wDir, m_nKeypad);
      joystickDir = m_nKeypad != 5;
      m_wButton = 0;
      for (int n = 0; n < kButtonCount; ++n) {
        if (joystick.dwButtons & m_wJoyButton[n]) m_wButton = static_cast<WORD>(m_wButton | (1u << n));
      }
      joystickButtons = m_wButton != 0;
    } else {
      // A joystick that is absent or waiting out its countdown is centred with no button
      // down; a poll without the keyboard would otherwise repeat the last frame for good.
      ClearDir();
      ClearButtons();
    }
  }
  if (!(flags & kPollKeyboard)) return 1;
  if (!joystickDir) {
    DirFromEach(IsKeyDown(VK_LEFT), IsKeyDown(VK_RIGHT), IsKeyDown(VK_UP), IsKeyDown(VK_DOWN), m_wDir, m_nKeypad);
  }
  if (!joystickButtons) {
    m_wButton = 0;
    for (int n = 0; n < kButtonCount; ++n) {
      if (IsKeyDown(kFixedButtonKeys[n])) m_wButton = static_cast<WORD>(m_wButton | (1u << n));
    }
  }
  return 1;
}

int cInput::PollKeyConfig(int retryFactor) {
  const cKeyConfig& config = g_KeyConfig;
  if (!config.m_bUse) return 0;
  // Ids beyond what the joystick layer offers are never present; the bound also keeps a
  // damaged count from turning the poll into billions of queries.
  const int joystickCount = std::clamp<std::int32_t>(config.m_nJoyNum, 0, kJoystickIdCount);
  std::array<JOYINFOEX, kJoystickIdCount> joysticks{};
  std::array<bool, kJoystickIdCount> read{};
  for (int id = 0; id < joystickCount; ++id) read[id] = QueryJoystick(id, retryFactor, joysticks[id]);

  const auto held = [&](const cKeyConfig::Key& key) {
    if (key.nDevice == KEYDEV_KEYBOARD) return IsKeyDown(key.wCode);
    if (key.nDevice < 0 || key.nDevice >= joystickCount || !read[key.nDevice]) return false;
    const JOYINFOEX& joystick = joysticks[key.nDevice];
    return IsStickDir(joystick, key.wCode) || (key.wCode & joystick.dwButtons) != 0;
  };

  m_nKeypad = 5;
  m_wDir = 0;
  m_wButton = 0;
  if (held(config.m_Key[0])) {
    m_wDir |= kDirLeft;
    m_nKeypad -= 1;
  } else if (held(config.m_Key[1])) {
    m_wDir |= kDirRight;
    m_nKeypad += 1;
  }
  if (held(config.m_Key[2])) {
    m_wDir |= kDirUp;
    m_nKeypad -= 3;
  } else if (held(config.m_Key[3])) {
    m_wDir |= kDirDown;
    m_nKeypad += 3;
  }
  for (int n = 0; n < kButtonCount && n + 4 < config.m_nKeyNum; ++n) {
    if (held(config.m_Key[4 + n])) m_wButton = static_cast<WORD>(m_wButton | (1u << n));
  }
  return 1;
}
