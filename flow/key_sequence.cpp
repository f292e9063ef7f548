#include "flow/key_sequence.h"

#include <algorithm>
#include <climits>

#include "app/checked_access.h"
#include "data/flow/key_condition.h"
#include "media/input/input.h"

namespace {

constexpr int kLastCursor = cInput::kSeqLength - 1;

const cInput::SeqBuffer& SlotBuffer(const cInput& input, int slot) {
  if (slot < kKeyDirSlots) return CheckedAt(input.m_vDirSeq, slot);
  return CheckedAt(input.m_vButtonSeq, slot - kKeyDirSlots);
}

std::int32_t ClampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// A file may hold fewer than 19 slots; the missing ones are "don't care".
int WantedState(const cKeyCond& kc, int slot) {
  if (static_cast<std::size_t>(slot) >= kc.m_vKey.size()) return KEYSLOT_IGNORED;
  return static_cast<std::int8_t>(kc.m_vKey[static_cast<std::size_t>(slot)]);
}

// Combines the slot results by the condition's key mode.
int KeyModeResult(int mode, int matches, int misses) {
  switch (mode) {
    case KEYMATCH_ALL:
      return misses == 0 ? 1 : 0;
    case KEYMATCH_ANY:
      return matches >= 1 ? 1 : 0;
    case KEYMATCH_EXACTLY_ONE:
      return matches == 1 ? 1 : 0;
    default:
      return 1;
  }
}

}  // namespace

cKeyRun GetKeyRun(const cInput& input, int slot, int cursor) {
  const cInput::SeqRun& run = CheckedAt(SlotBuffer(input, slot), cursor);
  return cKeyRun{run.nState, run.nFrames};
}

void InitKeySearch(cKeySearchState& state, const cInput& input) {
  for (int k = 0; k < kKeySlotCount; ++k) {
    state.m_nCursor[static_cast<std::size_t>(k)] = 0;
    state.m_nTime[static_cast<std::size_t>(k)] = GetKeyRun(input, k, 0).nFrames;
  }
}

int KeyStateMatches(const cKeyRun& entry, int t, const cKeyCond& kc, std::int8_t state) {
  if (state == KEYSLOT_PRESSED) {
    if (entry.nState != 1) return 0;
    if (kc.m_bAnyHold != 0) return t >= 1 ? 1 : 0;
    return (kc.m_nHoldMin <= t && t <= kc.m_nHoldMax) ? 1 : 0;
  }
  if (state == KEYSLOT_RELEASED) return (entry.nState == 0 && t >= 1) ? 1 : 0;
  return 0;
}

int ShiftKeyCursors(cKeySearchState& state, const cInput& input, int delta) {
  for (int k = 0; k < kKeySlotCount; ++k) {
    std::int32_t& cursor = state.m_nCursor[static_cast<std::size_t>(k)];
    // Ages saturate like the history's own frame counts, so a long-held key never wraps.
    std::int64_t t = static_cast<std::int64_t>(state.m_nTime[static_cast<std::size_t>(k)]) + delta;
    if (delta <= 0) {
      while (t < 0 && cursor < kLastCursor) {
        ++cursor;
        t += GetKeyRun(input, k, cursor).nFrames;
      }
      // Going back one frame from a state's first frame lands on the last frame of the
      // state before it.
      if (t == 0 && cursor < kLastCursor) {
        ++cursor;
        t = GetKeyRun(input, k, cursor).nFrames;
      }
    } else {
      while (t > GetKeyRun(input, k, cursor).nFrames) {
        if (cursor == 0) break;  // a moment in the future: the current state lasts
        --cursor;
        t -= GetKeyRun(input, k, cursor).nFrames;
      }
    }
    state.m_nTime[static_cast<std::size_t>(k)] = ClampToInt32(t);
  }
  return 1;
}

int MirrorKeySlot(int slot) {
  switch (slot) {
    case 1: return 2;
    case 2: return 1;
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    default: return slot;
  }
}

int MatchKeyCondAtState(const cKeyCond& kc, const cKeySearchState& state, int* found, const cInput& input,
                        bool facingLeft) {
  const bool mirror = facingLeft && kc.m_bFacingRelative == 1;
  *found = 0;
  int matches = 0;
  int misses = 0;
  for (int k = 0; k < kKeySlotCount; ++k) {
    const int wanted = WantedState(kc, k);
    if (wanted == KEYSLOT_IGNORED) continue;
    const int slot = (mirror && k < kKeyDirSlots) ? MirrorKeySlot(k) : k;
    const auto at = static_cast<std::size_t>(slot);
    const int t = state.m_nTime[at];
    if (KeyStateMatches(GetKeyRun(input, slot, state.m_nCursor[at]), t, kc, static_cast<std::int8_t>(wanted))) {
      switch (kc.m_nKeyMatch) {
        case KEYMATCH_ALL:
          if (matches == 0 || t < *found) *found = t;
          break;
        case KEYMATCH_ANY:
          if (matches == 0 || t > *found) *found = t;
          break;
        default:
          *found = t;
          break;
      }
      ++matches;
    } else {
      ++misses;
    }
  }
  return KeyModeResult(kc.m_nKeyMatch, matches, misses);
}

int KeyCondHeldNow(const cKeyCond& kc, const cInput& input) {
  int matches = 0;
  int misses = 0;
  for (int k = 0; k < kKeySlotCount; ++k) {
    const int wanted = WantedState(kc, k);
    if (wanted == KEYSLOT_IGNORED) continue;
    const cKeyRun run = GetKeyRun(input, k, 0);
    const bool match = (wanted == KEYSLOT_PRESSED && run.nState == 1) || (wanted == KEYSLOT_RELEASED && run.nState == 0);
    if (match) {
      ++matches;
      if (kc.m_nKeyMatch == KEYMATCH_ANY) break;
    } else {
      ++misses;
    }
  }
  return KeyModeResult(kc.m_nKeyMatch, matches, misses);
}

int GetFirstHeldKeySlot(const cInput& input) {
  for (int k = 0; k < kKeyDirSlots; ++k) {
    if (GetKeyRun(input, k, 0).nState == 1) return k;
  }
  return 0;
}

int MatchKeySequenceOn(const std::vector<cKeyCond*>& keys, std::int8_t window, bool holdMode, bool heldMatch,
                       const cInput& input, bool facingLeft, bool legacyKeySeq) {
  if (keys.empty()) return 1;
  cKeySearchState state;
  InitKeySearch(state, input);
  int found = 0;
  const int last = static_cast<int>(keys.size()) - 1;
  for (int j = last;; --j) {
    const cKeyCond& kc = *keys[static_cast<std::size_t>(j)];
    if (j == last) {
      if (!MatchKeyCondAtState(kc, state, &found, input, facingLeft)) return 0;
      // While the combination stays held the earlier conditions are not tested again.
      if (holdMode && heldMatch) return 1;
    } else if (!MatchKeyCondAtState(kc, state, &found, input, facingLeft)) {
      if (window <= 0) return 0;
      bool matched = false;
      int i = 1;
      for (; i <= window; ++i) {
        ShiftKeyCursors(state, input, -1);
        if (MatchKeyCondAtState(kc, state, &found, input, facingLeft)) {
          matched = true;
          break;
        }
      }
      if (!matched) {
        ShiftKeyCursors(state, input, window);
        ShiftKeyCursors(state, input, 1);
        if (!MatchKeyCondAtState(kc, state, &found, input, facingLeft)) return 0;
        if (!legacyKeySeq) {
          int laterFound = 0;
          const cKeyCond& later = *keys[static_cast<std::size_t>(j + 1)];
          if (MatchKeyCondAtState(later, state, &laterFound, input, facingLeft)) return 0;
        }
      }
    }
    if (j == 0) return 1;
    ShiftKeyCursors(state, input, -found);
  }
}
