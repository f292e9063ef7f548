#pragma once
// The input record of one player. Once a frame the keyboard and the joysticks are polled
// into it, by the fixed layout or by the user's key configuration; it keeps this frame's
// direction and button words, run-length histories of both, the sequence buffers that the
// key conditions of flows test, and the auto-repeat and one-shot filters of the menus.
// Records are plain values: the pause loop works on a copy of g_Input.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/joystick_state.h"
#include "platform/win_types.h"

// Direction bits of m_wDir; diagonals set two.
constexpr WORD kDirLeft = 1;
constexpr WORD kDirRight = 2;
constexpr WORD kDirUp = 4;
constexpr WORD kDirDown = 8;

// The direction as a digit of the 3 by 3 grid numbered row by row from the top left:
// 1 up-left, 2 up, 3 up-right, 4 left, 5 none, 6 right, 7 down-left, 8 down, 9 down-right.
// Left wins over right and up over down.
int GetKeypadDir(WORD dir);

class cInput {
 public:
  // A value and how many consecutive frames it lasted.
  struct HistoryRun {
    WORD wValue;
    std::int32_t nFrames;
  };
  // A state of a sequence buffer's condition (1 holds, 0 does not) and how many frames it
  // has lasted, saturating at INT_MAX.
  struct SeqRun {
    std::int32_t nState;
    std::int32_t nFrames;
  };
  // Newest first, always kSeqLength entries.
  using SeqBuffer = std::vector<SeqRun>;

  static constexpr int kHistoryLength = 32;
  static constexpr int kSeqLength = 32;
  // Direction buffers: 0 none, 1 left, 2 right, 3 up, 4 down, 5 up-left, 6 down-left,
  // 7 up-right, 8 down-right (each exactly), 9 any direction.
  static constexpr int kDirSeqCount = 10;
  // Button buffers: 0 no button, 1-8 button n held.
  static constexpr int kButtonSeqCount = 9;
  static constexpr int kButtonCount = 8;
  // Poll flags.
  static constexpr int kPollJoystick = 1;
  static constexpr int kPollKeyboard = 2;

  cInput();

  // The state of a new record: words, histories, sequence buffers, filters and the
  // joystick retry state. The repeat timing and the joystick button masks are kept.
  void Reset();
  // Button n+1 of the fixed layout answers to joystick button mask 1 << n.
  void SetDefaultJoyButtons();
  // Auto-repeat delay and interval in frames.
  void SetRepeat(DWORD delay, DWORD interval);

  // The fixed layout: joystick `joystickId` (flags bit 0) before the arrow keys and
  // Z X C V A S D F (flags bit 1). 0 without touching the record while the key
  // configuration is in use, else 1. A failed joystick is not asked again for
  // 2 x retryFactor polls.
  int Poll(int joystickId, int flags, int retryFactor);
  // The user's key configuration (g_KeyConfig). 0 without touching the record while the
  // configuration is not in use, else 1.
  int PollKeyConfig(int retryFactor);
  // Whether a stick code's test holds; false for any code that is not a stick code.
  static bool IsStickDir(const JOYINFOEX& joystick, WORD code);

  void ClearDir();
  void ClearButtons();

  void ClearHistory();
  // Records this frame's words: ring 0 the directions, ring 1 the buttons.
  void UpdateHistory();
  // The value of ring 0 or 1 `age` frames ago (0 = this frame). An age beyond what the
  // ring holds yields the present value; an unknown ring yields 0.
  WORD GetHistory(int ring, int age) const;

  void ResetSequences();
  // Records this frame in the 10 direction and 9 button buffers.
  void UpdateSequences();
  // Records one buffer: its condition is (value AND code) != 0 with the bit test, value ==
  // code without it.
  static void PushSequence(SeqBuffer& buffer, WORD value, WORD code, bool bitTest);

  // Auto-repeat on m_wDir: a held direction shows on the frame it is pressed, then after
  // the delay, then every interval.
  void ApplyRepeat();
  // One-shot filter on the buttons of `mask` (0: all eight): after a press, no button of
  // the mask is reported again until all of them are up.
  void TriggerOnce(WORD mask);

  WORD m_wDir = 0;
  WORD m_wButton = 0;
  // Raw direction bits of the latest frames, four bits a frame, newest lowest.
  WORD m_wDirTrail = 0;
  std::array<std::array<HistoryRun, kHistoryLength>, 2> m_History{};
  std::array<std::int32_t, 2> m_nHistoryPos{};
  std::vector<SeqBuffer> m_vDirSeq;
  std::vector<SeqBuffer> m_vButtonSeq;
  std::int32_t m_nKeypad = 5;
  std::int32_t m_nRepeatH = 0;
  std::int32_t m_nRepeatV = 0;
  DWORD m_nRepeatDelay = 18;
  DWORD m_nRepeatInterval = 6;
  std::int32_t m_bTriggerHeld = 0;
  std::array<WORD, kButtonCount> m_wJoyButton{};
  // Kept per joystick id, so that an absent joystick's countdown never holds back a present
  // one: the last query succeeded, and polls left before a failed joystick is queried again.
  std::array<std::int32_t, kJoystickIdCount> m_bJoyOk{};
  std::array<std::int32_t, kJoystickIdCount> m_nJoyRetry{};

 private:
  // Queries joystick `id` unless its countdown holds it back; true when `joystick` was read.
  bool QueryJoystick(int id, int retryFactor, JOYINFOEX& joystick);
  void ApplyRepeatTo(WORD mask, WORD previous, std::int32_t& counter);
};

// One record per player; element 0 is input device 0, the player and the menus.
extern std::vector<cInput> g_Input;
