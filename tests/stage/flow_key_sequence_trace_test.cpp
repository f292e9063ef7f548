// A key sequence in real play, through the player's scripted input and trace: the hero
// jumps when down is followed by right, with no frame between them unless the flow's key
// window allows the gap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/key_condition.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kSlotRight = 2;
constexpr int kSlotDown = 4;

cKeyCond Pressed(int slot) {
  cKeyCond kc;
  kc.m_bAnyHold = 1;
  kc.m_vKey[static_cast<std::size_t>(slot)] = KEYSLOT_PRESSED;
  return kc;
}

cStagePlan SequenceRoom(std::int8_t window) {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(20, '.'));
  plan.vMap.back() = std::string(20, '#');
  for (std::string& row : plan.vMap) row.front() = row.back() = '#';
  plan.vMap[13][5] = 'P';
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_nKeyWindow = window;
  flow.m_vKeyCond = {Pressed(kSlotDown), Pressed(kSlotRight)};
  cFlowCmd jump;
  jump.m_nKind = FLOWCMD_JUMP;
  jump.m_vParam.assign(static_cast<std::size_t>(GetFlowCmdParamCount(FLOWCMD_JUMP)), 0);
  jump.m_vParam[2] = 4;
  flow.m_vCmd = {jump};
  plan.Hero.m_vFlow = std::vector<cFlow>{flow};
  return plan;
}

class FlowKeySequenceTraceTest : public cTempDirTest {};

TEST_F(FlowKeySequenceTraceTest, DownThenRightJumps) {
  struct Case {
    const char* name;
    int gap;
    std::int8_t window;
    bool jumps;
  };
  for (const Case& c : {Case{"back to back", 0, 0, true}, Case{"a gap, no window", 1, 0, false},
                        Case{"a gap within the window", 1, 3, true}, Case{"right alone", -1, 0, false}}) {
    SCOPED_TRACE(c.name);
    std::vector<cInputSpan> input = {{60, 0, 0}};
    if (c.gap >= 0) input.push_back({5, kDirDown, 0});
    if (c.gap > 0) input.push_back({c.gap, 0, 0});
    input.push_back({3, kDirRight, 0});
    input.push_back({40, 0, 0});
    const cPlayResult run = PlayPlan(SequenceRoom(c.window), 120, input);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    ASSERT_GE(run.FirstPlayIndex(), 0) << run.strOutput;
    bool bRose = false;
    for (const cTraceFrame* frame : run.PlayFrames()) bRose = bRose || frame->Player().dVy < 0;
    EXPECT_EQ(bRose, c.jumps);
  }
}

}  // namespace
