#include "media/input/input.h"

#include <climits>

std::vector<cInput> g_Input(1);

namespace {

constexpr WORD kButtonMaskAll = 0xFF;

// Sequence buffers in the order UpdateSequences fills them: the code each tests and
// whether by bit test (else by equality).
struct SeqCondition {
  WORD wCode;
  bool bBitTest;
};
constexpr SeqCondition kDirConditions[cInput::kDirSeqCount] = {
    {0, false}, {kDirLeft, false}, {kDirRight, false}, {kDirUp, false}, {kDirDown, false},
    {5, false}, {9, false},        {6, false},         {10, false},     {15, true},
};
constexpr SeqCondition kButtonConditions[cInput::kButtonSeqCount] = {
    {0, false}, {1, true}, {2, true}, {4, true}, {8, true}, {16, true}, {32, true}, {64, true}, {128, true},
};

void Saturate(std::int32_t& frames) {
  if (frames < INT_MAX) ++frames;
}

}  // namespace

int GetKeypadDir(WORD dir) {
  int digit = (dir & kDirLeft) ? 4 : (dir & kDirRight) ? 6 : 5;
  if (dir & kDirUp) {
    digit -= 3;
  } else if (dir & kDirDown) {
    digit += 3;
  }
  return digit;
}

cInput::cInput() { Reset(); }

void cInput::Reset() {
  m_wDir = 0;
  m_wButton = 0;
  m_wDirTrail = 0;
  ClearHistory();
  ResetSequences();
  m_nKeypad = 5;
  m_nRepeatH = 0;
  m_nRepeatV = 0;
  m_bTriggerHeld = 0;
  m_bJoyOk.fill(0);
  m_nJoyRetry.fill(0);
}

void cInput::SetDefaultJoyButtons() {
  for (int n = 0; n < kButtonCount; ++n) m_wJoyButton[n] = static_cast<WORD>(1u << n);
}

void cInput::SetRepeat(DWORD delay, DWORD interval) {
  m_nRepeatDelay = delay;
  m_nRepeatInterval = interval;
}

void cInput::ClearDir() {
  m_wDir = 0;
  m_nKeypad = 5;
}

void cInput::ClearButtons() { m_wButton = 0; }

void cInput::ClearHistory() {
  for (auto& ring : m_History) ring.fill(HistoryRun{0, 0});
  m_nHistoryPos.fill(0);
}

void cInput::UpdateHistory() {
  const WORD values[2] = {m_wDir, m_wButton};
  for (int ring = 0; ring < 2; ++ring) {
    std::int32_t& pos = m_nHistoryPos[ring];
    pos &= kHistoryLength - 1;
    HistoryRun& newest = m_History[ring][pos];
    if (newest.wValue == values[ring]) {
      Saturate(newest.nFrames);
    } else {
      pos = (pos + 1) % kHistoryLength;
      m_History[ring][pos] = HistoryRun{values[ring], 1};
    }
  }
}

WORD cInput::GetHistory(int ring, int age) const {
  if (ring < 0 || ring > 1) return 0;
  // Wide enough for an age of INT_MAX plus one.
  long long remaining = static_cast<long long>(age) + 1;
  int pos = m_nHistoryPos[ring] & (kHistoryLength - 1);
  for (int step = 0; step < kHistoryLength; ++step) {
    const HistoryRun& run = m_History[ring][pos];
    if (remaining > run.nFrames) {
      remaining -= run.nFrames;
      pos = (pos + kHistoryLength - 1) % kHistoryLength;
    }
  }
  return m_History[ring][pos].wValue;
}

void cInput::ResetSequences() {
  m_vDirSeq.assign(kDirSeqCount, SeqBuffer(kSeqLength, SeqRun{0, 0}));
  m_vButtonSeq.assign(kButtonSeqCount, SeqBuffer(kSeqLength, SeqRun{0, 0}));
}

void cInput::UpdateSequences() {
  if (m_vDirSeq.size() != kDirSeqCount || m_vButtonSeq.size() != kButtonSeqCount) ResetSequences();
  for (int n = 0; n < kDirSeqCount; ++n)
    PushSequence(m_vDirSeq[n], m_wDir, kDirConditions[n].wCode, kDirConditions[n].bBitTest);
  for (int n = 0; n < kButtonSeqCount; ++n)
    PushSequence(m_vButtonSeq[n], m_wButton, kButtonConditions[n].wCode, kButtonConditions[n].bBitTest);
}

void cInput::PushSequence(SeqBuffer& buffer, WORD value, WORD code, bool bitTest) {
  if (buffer.empty()) return;
  const bool met = bitTest ? (value & code) != 0 : value == code;
  SeqRun& front = buffer.front();
  if ((front.nState == 0) == met) {
    // The condition changed: a new run in front, the oldest one dropped. The buffer is
    // small and changes at a key press at most, so a shift costs little.
    buffer.pop_back();
    buffer.insert(buffer.begin(), SeqRun{met ? 1 : 0, 1});
  } else {
    Saturate(front.nFrames);
  }
}

void cInput::ApplyRepeat() {
  m_wDirTrail = static_cast<WORD>((m_wDirTrail << 4) | m_wDir);
  const WORD previous = static_cast<WORD>((m_wDirTrail >> 4) & 0xF);
  ApplyRepeatTo(kDirLeft | kDirRight, previous, m_nRepeatH);
  ApplyRepeatTo(kDirUp | kDirDown, previous, m_nRepeatV);
}

void cInput::ApplyRepeatTo(WORD mask, WORD previous, std::int32_t& counter) {
  if ((m_wDir & mask) != (previous & mask)) {
    counter = 0;
    return;
  }
  Saturate(counter);
  // An interval of 0 would divide by zero; it repeats as often as 1 does.
  const DWORD interval = m_nRepeatInterval ? m_nRepeatInterval : 1;
  const DWORD held = static_cast<DWORD>(counter);
  if (held < m_nRepeatDelay || held % interval != 0) m_wDir = static_cast<WORD>(m_wDir & ~mask);
}

void cInput::TriggerOnce(WORD mask) {
  mask = static_cast<WORD>((mask ? mask : kButtonMaskAll) & kButtonMaskAll);
  const WORD onEntry = m_wButton;
  for (int n = 0; n < kButtonCount; ++n) {
    const WORD bit = static_cast<WORD>(1u << n);
    if (!(mask & bit) || !(m_wButton & bit)) continue;
    if (!m_bTriggerHeld) {
      // A fresh press: this frame's buttons stay as they are.
      m_bTriggerHeld = 1;
      return;
    }
    m_wButton = static_cast<WORD>(m_wButton & ~bit);
  }
  if ((onEntry & mask) == 0) {
    m_bTriggerHeld = 0;
  } else {
    m_wButton = static_cast<WORD>(m_wButton & ~mask);
  }
}
