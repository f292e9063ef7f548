#pragma once
// A wait request of the running stage: what a pause loop waits for (a game wait, a
// message, an effect, a picture, the extra-life notice), read by PauseLoop.
#include <cstdint>

enum WAITKIND : std::int32_t {
  WAIT_GAME = 0,
  WAIT_MESSAGE = 1,
  WAIT_EFFECT = 2,
  WAIT_PICTURE = 3,
  WAIT_EXTRA_LIFE = 4,
};

class cWaitReq {
 public:
  // A message that opens a new window ignores the key for 10 frames; a continued one
  // reacts at once.
  void Set(std::int32_t nKind, std::int32_t bKeyWait, std::int32_t nCountdown, std::int32_t bContinued) {
    m_nKind = nKind;
    m_bKeyWait = bKeyWait;
    m_nCountdown = nCountdown;
    m_nSpare = 0;
    m_nDelay = bKeyWait != 0 && nKind == WAIT_MESSAGE && bContinued == 0 ? 10 : 0;
  }

  std::int32_t m_nKind = 0;
  std::int32_t m_nDelay = 0;      // frames at the start during which the key is not read
  std::int32_t m_bKeyWait = 0;    // 1: ends on the decision button; 0: on the countdown
  std::int32_t m_nCountdown = 0;  // frames left without key wait
  std::int32_t m_nSpare = 0;
};
