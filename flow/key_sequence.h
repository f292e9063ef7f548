#pragma once
// The key-sequence search over an input record's run-length key history: a tested moment
// that moves back and forth in time, one cursor and age per key slot, and the tests of one
// key condition against it. The flow runtime (cCharaBase::CheckKeyConds) walks a flow's key
// conditions with these; the player's jump tests the current keys alone.
#include <array>
#include <cstdint>
#include <vector>

class cInput;
class cKeyCond;

// Key slots: 0-9 the direction buffers of cInput, 10-18 its button buffers.
constexpr int kKeyDirSlots = 10;
constexpr int kKeySlotCount = 19;

// The tested moment of one search: for each slot the history entry it falls in (0 =
// newest) and how many frames that entry's state has lasted up to the moment.
struct cKeySearchState {
  std::array<std::int32_t, kKeySlotCount> m_nCursor{};
  std::array<std::int32_t, kKeySlotCount> m_nTime{};
};

// The run entry {state, frames} of `slot` at history position `cursor` of `input`.
struct cKeyRun {
  std::int32_t nState;
  std::int32_t nFrames;
};
cKeyRun GetKeyRun(const cInput& input, int slot, int cursor);

// A search state at the present moment: every cursor 0, every time the newest frames.
void InitKeySearch(cKeySearchState& state, const cInput& input);

// Whether a history entry of age t satisfies the wanted slot state (1 pressed, 2 released).
int KeyStateMatches(const cKeyRun& entry, int t, const cKeyCond& kc, std::int8_t state);

// Moves the tested moment by delta frames (negative = back in time). Always 1.
int ShiftKeyCursors(cKeySearchState& state, const cInput& input, int delta);

// One key condition at the tested moment. `found` receives the frame count the match
// spans (by the condition's key mode). A condition written for a character facing right
// reads its direction slots mirrored while `facingLeft`.
int MatchKeyCondAtState(const cKeyCond& kc, const cKeySearchState& state, int* found, const cInput& input,
                        bool facingLeft);

// One key condition against the current keys only: no mirror, no hold times.
int KeyCondHeldNow(const cKeyCond& kc, const cInput& input);

// The first direction slot 0-9 whose newest entry is pressed; 0 when none.
int GetFirstHeldKeySlot(const cInput& input);

// The direction slot read for `slot` by a mirrored key condition on a character facing left.
int MirrorKeySlot(int slot);

// The whole sequence test of a flow's key conditions (oldest first, the last one is the
// current input) on `input`: each earlier condition must have held just before the
// moment the next one began, or up to `window` frames before it. In hold mode with
// `heldMatch` set the last condition alone decides. `legacyKeySeq` keeps the old rule
// that accepts an earlier condition found only by looking one frame past the window even
// when the later one already held at that moment.
int MatchKeySequenceOn(const std::vector<cKeyCond*>& keys, std::int8_t window, bool holdMode, bool heldMatch,
                       const cInput& input, bool facingLeft, bool legacyKeySeq);
