// Key conditions and key sequences on player 1's recorded keys.
#include <gtest/gtest.h>

#include <vector>

#include "data/flow/key_condition.h"
#include "flow/key_sequence.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

constexpr WORD kLeft = 1, kRight = 2, kDown = 8;

using FlowKeyTest = FlowWorldTest;

cKeyCond Keys(std::vector<std::pair<int, int>> slots, int mode = KEYMATCH_ALL) {
  cKeyCond kc;
  kc.m_bAnyHold = 1;
  kc.m_nKeyMatch = static_cast<std::int8_t>(mode);
  for (const auto& [slot, state] : slots) kc.m_vKey[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(state);
  return kc;
}

int Sequence(std::vector<cKeyCond>& conds, int window, bool facingLeft = false) {
  std::vector<cKeyCond*> keys;
  for (cKeyCond& kc : conds) keys.push_back(&kc);
  return MatchKeySequenceOn(keys, static_cast<std::int8_t>(window), false, false, g_Input[0], facingLeft, false);
}

void Hold(WORD dir, int frames) {
  for (int i = 0; i < frames; ++i) FlowWorldTest::Frame(dir);
}

TEST_F(FlowKeyTest, DownThenRightNeedsTheStatesBackToBackOrWithinTheWindow) {
  struct Case {
    const char* name;
    int gap;  // neutral frames between the two states
    int window;
    int holds;
  };
  for (const Case& c : {Case{"back to back", 0, 0, 1}, Case{"gap, no window", 1, 0, 0}, Case{"gap in window", 1, 1, 1},
                        Case{"gap of five", 5, 5, 1}, Case{"gap past window", 6, 5, 0}}) {
    g_Input[0].Reset();
    Hold(0, 3);
    Hold(kDown, 5);
    Hold(0, c.gap);
    Hold(kRight, 3);
    std::vector<cKeyCond> conds = {Keys({{4, 1}}), Keys({{2, 1}})};
    EXPECT_EQ(Sequence(conds, c.window), c.holds) << c.name;
  }
  // Down and right together are down-right: the exact right slot is not pressed.
  g_Input[0].Reset();
  Hold(kDown, 5);
  Hold(kDown | kRight, 3);
  std::vector<cKeyCond> conds = {Keys({{4, 1}}), Keys({{2, 1}})};
  EXPECT_EQ(Sequence(conds, 0), 0);
}

TEST_F(FlowKeyTest, ShiftingBackLandsOnTheLastFrameOfTheStateBefore) {
  Hold(kDown, 5);
  Hold(kRight, 3);
  cKeySearchState state;
  InitKeySearch(state, g_Input[0]);
  EXPECT_EQ(state.m_nTime[2], 3);
  ShiftKeyCursors(state, g_Input[0], -3);
  EXPECT_EQ(state.m_nCursor[4], 1);
  EXPECT_EQ(state.m_nTime[4], 5);
  EXPECT_EQ(GetKeyRun(g_Input[0], 4, state.m_nCursor[4]).nState, 1);
}

TEST_F(FlowKeyTest, KeyModesAndMirroring) {
  Hold(kLeft, 2);
  Hold(kLeft | 4, 2);  // up-left, with button 1 held from the next frame
  FlowWorldTest::Frame(kLeft | 4, 1);
  struct Case {
    const char* name;
    cKeyCond kc;
    bool facingLeft;
    int expected;
  };
  cKeyCond mirrored = Keys({{7, 1}});  // up-right, written for a character facing right
  mirrored.m_bFacingRelative = 1;
  const std::vector<Case> cases = {
      {"all don't-care, mode all", Keys({}), false, 1},
      {"all don't-care, mode any", Keys({}, KEYMATCH_ANY), false, 0},
      {"all don't-care, mode one", Keys({}, KEYMATCH_EXACTLY_ONE), false, 0},
      {"two held, exactly one", Keys({{5, 1}, {11, 1}}, KEYMATCH_EXACTLY_ONE), false, 0},
      {"one of two held", Keys({{1, 1}, {11, 1}}, KEYMATCH_EXACTLY_ONE), false, 1},
      {"any direction and released button 2", Keys({{9, 1}, {12, 2}}), false, 1},
      {"mirrored, facing left", mirrored, true, 1},
      {"mirrored, facing right", mirrored, false, 0},
      {"unknown mode", Keys({{3, 1}}, 7), false, 1},
  };
  for (const Case& c : cases) {
    cKeySearchState state;
    InitKeySearch(state, g_Input[0]);
    int found = -1;
    EXPECT_EQ(MatchKeyCondAtState(c.kc, state, &found, g_Input[0], c.facingLeft), c.expected) << c.name;
  }
  EXPECT_EQ(GetFirstHeldKeySlot(g_Input[0]), 5);
  EXPECT_EQ(KeyCondHeldNow(Keys({{11, 1}}), g_Input[0]), 1);
}

TEST_F(FlowKeyTest, HoldTimesBoundAPressedSlot) {
  Hold(kRight, 4);
  cKeyCond kc = Keys({{2, 1}});
  kc.m_bAnyHold = 0;
  kc.m_nHoldMin = 2;
  kc.m_nHoldMax = 3;
  cKeySearchState state;
  InitKeySearch(state, g_Input[0]);
  int found = 0;
  EXPECT_EQ(MatchKeyCondAtState(kc, state, &found, g_Input[0], false), 0);
  kc.m_nHoldMax = 4;
  EXPECT_EQ(MatchKeyCondAtState(kc, state, &found, g_Input[0], false), 1);
  EXPECT_EQ(found, 4);
}

// Right pressed, edge mode: the flow starts in the frame right becomes held and not again
// until right is released; hold mode starts it whenever it is idle while right is held.
TEST_F(FlowKeyTest, EdgeModeFiresOncePerPressHoldModeWhileHeld) {
  for (const std::int8_t holdMode : {0, 1}) {
    g_Input[0].Reset();
    cFlow flow = Flow({Cmd(FLOWCMD_WAIT, 0)});
    flow.m_vKeyCond = {Keys({{2, 1}})};
    flow.m_bKeyRepeat = holdMode;
    cFlowTestChara chara;
    chara.Attach({flow});
    std::vector<int> starts;
    const WORD frames[] = {0, kRight, kRight, kRight, 0, kRight};
    for (const WORD dir : frames) {
      Frame(dir);
      chara.ResetTriggerLatches();
      chara.FireTrigger(FLOWTRIG_ALWAYS);
      starts.push_back(chara.RunAt(0).m_bRunning);
      chara.Run();
    }
    const std::vector<int> expected = holdMode == 0 ? std::vector<int>{0, 1, 0, 0, 0, 1} : std::vector<int>{0, 1, 1, 1, 0, 1};
    EXPECT_EQ(starts, expected) << "hold mode " << int{holdMode};
  }
}

// While an edge-mode combination stays held its switch stays raised, so another
// always-flow of the switch does not take over.
TEST_F(FlowKeyTest, HeldEdgeCombinationKeepsItsSwitchRaised) {
  cFlow keyed = Flow({Cmd(FLOWCMD_WAIT, 0)}, FLOWTRIG_ALWAYS, 5);
  keyed.m_vKeyCond = {Keys({{2, 1}})};
  cFlow idle = Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 5);
  cFlowTestChara chara;
  chara.Attach({keyed, idle});
  Frame(kRight);
  chara.ResetTriggerLatches();
  chara.SubStep();
  Frame(kRight);
  chara.ResetTriggerLatches();
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(1).m_bRunning, 0);
  Frame(0);
  chara.ResetTriggerLatches();
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(1).m_bRunning, 1);
}

}  // namespace
