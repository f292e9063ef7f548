#include "data/flow/flow.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_upgrades.h"
#include "flow_test_support.h"

namespace {

using FlowTest = FlowRecordTest;

TEST_F(FlowTest, NewFlowHasKeyWindowThreeAndNothingElse) {
  const cFlow flow;
  EXPECT_EQ(flow.m_nKeyWindow, 3);
  EXPECT_EQ(flow.m_nID | flow.m_nSwitch | flow.m_bTestOnly | flow.m_nCondMode | flow.m_bCondLatch |
                flow.m_nTrigger | flow.m_bTriggerTarget | flow.m_nTriggerSlot | flow.m_bKeyRepeat,
            0);
  EXPECT_TRUE(flow.m_sMemo.empty());
  EXPECT_TRUE(flow.m_vCond.empty() && flow.m_vKeyCond.empty() && flow.m_vCmd.empty());
}

TEST_F(FlowTest, NewKeyConditionHasNineteenIgnoredSlots) {
  const cKeyCond key;
  EXPECT_EQ(key.m_vKey, std::vector<std::uint8_t>(19, 0));
}

// A flow with one condition, one key condition of five slots and one jump command, as
// the current version writes it.
std::vector<std::uint8_t> GoldenFlow() {
  return cByteBuilder()
      // registered part: ten scalars, then the memo
      .I32(10).I8(2).I8(0).I8(0).I8(1).I8(1).I8(7).I8(1).I8(3).I8(5).I8(1)
      .I32(1).I32(1)
      // one condition: kind 1, value 42, comparison 2
      .I32(1)
      .I32(17).I8(1).I32(42).I32(0).I32(0).I8(0).I8(0).I8(0).I8(0).I16(0).I8(0).I8(0).I8(0).I8(0).I16(0)
      .I8(2).I8(0).I8(0).I32(0)
      // one key condition: facing-relative, held 2 to 30 frames, any slot, five slots
      .I32(1)
      .I32(5).I8(1).I16(2).I16(30).I8(0).I8(1).I32(0)
      .I32(5).I8(0).I8(1).I8(2).I8(0).I8(1)
      // one jump command: time 12, step 3, no wait, five parameters
      .I32(1)
      .I32(8).I8(0).I8(10).I16(12).I16(3).I8(1).I16(0).I8(1).I16(0).I32(1).I32(1)
      .I32(0).I32(0).I32(0)
      .I32(0)
      .I32(5).I32(1).I32(-2).I32(3).I32(4).I32(5)
      .Get();
}

TEST_F(FlowTest, WritesTheFileLayout) {
  cFlow flow;
  flow.m_nID = 2;
  flow.m_nCondMode = 1;
  flow.m_bCondLatch = 1;
  flow.m_nTrigger = 7;
  flow.m_bTriggerTarget = 1;
  flow.m_nTriggerSlot = 3;
  flow.m_nKeyWindow = 5;
  flow.m_bKeyRepeat = 1;
  flow.m_vCond.resize(1);
  flow.m_vCond[0].m_nKind = 1;
  flow.m_vCond[0].m_nValue = 42;
  flow.m_vCond[0].m_nCmp = 2;
  flow.m_vKeyCond.resize(1);
  cKeyCond& key = flow.m_vKeyCond[0];
  key.m_bFacingRelative = 1;
  key.m_nHoldMin = 2;
  key.m_nHoldMax = 30;
  key.m_nKeyMatch = 1;
  key.m_vKey = {0, 1, 2, 0, 1};
  flow.m_vCmd.resize(1);
  cFlowCmd& cmd = flow.m_vCmd[0];
  cmd.m_nKind = FLOWCMD_JUMP;
  cmd.m_nTime = 12;
  cmd.m_nTimeStep = 3;
  cmd.m_bNoWait = 1;
  cmd.m_vParam = {1, -2, 3, 4, 5};

  EXPECT_EQ(BytesOf(flow), GoldenFlow());
}

TEST_F(FlowTest, ReadsTheFileLayoutAndWritesItBackUnchanged) {
  cFlow flow;
  const cDataReader in = ReadAt(flow, GoldenFlow(), 811);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(flow.m_nTrigger, 7);
  EXPECT_EQ(flow.m_nTriggerSlot, 3);
  ASSERT_EQ(flow.m_vKeyCond.size(), 1u);
  EXPECT_EQ(flow.m_vKeyCond[0].m_vKey.size(), 5u);  // as stored, not 19
  EXPECT_EQ(flow.m_vKeyCond[0].m_nHoldMax, 30);
  ASSERT_EQ(flow.m_vCmd.size(), 1u);
  EXPECT_EQ(flow.m_vCmd[0].m_vParam, (std::vector<std::int32_t>{1, -2, 3, 4, 5}));

  EXPECT_EQ(BytesOf(flow), GoldenFlow());
}

TEST_F(FlowTest, MemoIsWrittenButNeverKeptOnReading) {
  cFlow flow;
  flow.m_sMemo = "memo";
  const std::vector<std::uint8_t> bytes = BytesOf(flow);
  cByteBuilder expected;
  FlowScalars scalars;
  scalars.sMemo = "memo";
  AppendFlow(expected, 811, scalars);
  EXPECT_EQ(bytes, expected.Get());

  cFlow back;
  back.m_sMemo = "old";
  ReadAt(back, bytes, 811);
  EXPECT_EQ(back.m_sMemo, "");
}

// Members of a flow by the version of its file: what an old file lacks keeps the
// defaults of a new flow.
struct FlowGateCase {
  const char* name;
  int version;
  std::int8_t expectedTriggerTarget;
  std::int8_t expectedTriggerSlot;
};
void PrintTo(const FlowGateCase& c, std::ostream* os) { *os << c.name; }

class FlowGate : public FlowRecordTest, public ::testing::WithParamInterface<FlowGateCase> {};

TEST_P(FlowGate, ReadsTheMembersOfItsVersion) {
  const FlowGateCase& c = GetParam();
  FlowScalars scalars;
  scalars.nID = 4;
  scalars.bTriggerTarget = 1;
  scalars.nTriggerSlot = 2;
  scalars.nKeyWindow = 9;
  scalars.bKeyRepeat = 1;
  scalars.sMemo = "m";
  cByteBuilder b;
  AppendFlow(b, c.version, scalars);

  cFlow flow;
  const cDataReader in = ReadAt(flow, b.Get(), c.version);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(flow.m_nID, 4);
  EXPECT_EQ(flow.m_bTriggerTarget, c.expectedTriggerTarget);
  EXPECT_EQ(flow.m_nTriggerSlot, c.expectedTriggerSlot);
  EXPECT_EQ(flow.m_nKeyWindow, 9);
  EXPECT_EQ(flow.m_bKeyRepeat, 1);
  EXPECT_EQ(flow.m_sMemo, "");
}

INSTANTIATE_TEST_SUITE_P(Versions, FlowGate,
                         ::testing::Values(FlowGateCase{"v675_noMemo", 675, 0, 0},
                                           FlowGateCase{"v761_memo", 761, 0, 0},
                                           FlowGateCase{"v762_triggerTarget", 762, 1, 0},
                                           FlowGateCase{"v767_triggerSlot", 767, 1, 2},
                                           FlowGateCase{"v811", 811, 1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// Trigger renumbering of old files: triggers were inserted at 132 (before 11), 164
// (before 5) and 762 (before 18); switches of triggered flows were cleared below 163.
struct TriggerCase {
  const char* name;
  int version;
  std::int8_t trigger;
  std::int8_t switchIn;
  std::int8_t expectedTrigger;
  std::int8_t expectedSwitch;
};
void PrintTo(const TriggerCase& c, std::ostream* os) { *os << c.name; }

class TriggerUpgrade : public FlowRecordTest, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(TriggerUpgrade, RenumbersTheTrigger) {
  const TriggerCase& c = GetParam();
  FlowScalars scalars;
  scalars.nTrigger = c.trigger;
  scalars.nSwitch = c.switchIn;
  cByteBuilder b;
  AppendFlow(b, c.version, scalars);
  cFlow flow;
  ReadAt(flow, b.Get(), c.version);
  EXPECT_EQ(flow.m_nTrigger, c.expectedTrigger);
  EXPECT_EQ(flow.m_nSwitch, c.expectedSwitch);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, TriggerUpgrade,
    ::testing::Values(
        // 100: 11 -> 12 (131 or lower) -> 14 (below 164); below 18 at the 762 step.
        TriggerCase{"v100_trigger11", 100, 11, 5, 14, 0},
        TriggerCase{"v131_trigger10", 131, 10, 0, 12, 0},
        TriggerCase{"v132_trigger11", 132, 11, 0, 13, 0},
        TriggerCase{"v162_alwaysKeepsSwitch", 162, 0, 5, 0, 5},
        TriggerCase{"v162_triggeredLosesSwitch", 162, 3, 5, 3, 0},
        TriggerCase{"v163_keepsSwitch", 163, 5, 5, 7, 5},
        TriggerCase{"v164_trigger5", 164, 5, 0, 5, 0},
        TriggerCase{"v761_trigger18", 761, 18, 0, 21, 0},
        TriggerCase{"v761_trigger17", 761, 17, 0, 17, 0},
        TriggerCase{"v762_trigger18", 762, 18, 0, 18, 0},
        TriggerCase{"v811_unchanged", 811, 18, 4, 18, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, RemoveTestFlowsKeepsTheOrderOfTheOthers) {
  std::vector<cFlow> flows(5);
  for (int i = 0; i < 5; ++i) flows[static_cast<std::size_t>(i)].m_nID = static_cast<std::int8_t>(i + 1);
  flows[0].m_bTestOnly = 1;
  flows[1].m_bTestOnly = 1;
  flows[3].m_bTestOnly = 2;
  RemoveTestFlows(flows);
  ASSERT_EQ(flows.size(), 2u);
  EXPECT_EQ(flows[0].m_nID, 3);
  EXPECT_EQ(flows[1].m_nID, 5);
}

TEST_F(FlowTest, CopiesAreIndependent) {
  cFlow flow;
  flow.m_nTrigger = 4;
  flow.m_vCmd.resize(1);
  CreateEdMove(flow.m_vCmd[0].m_pMove);
  flow.m_vCmd[0].m_pMove->m_nSpeed = 30;

  cFlow copy(flow);
  cFlow assigned;
  assigned = flow;
  for (cFlow* other : {&copy, &assigned}) {
    EXPECT_EQ(other->m_nTrigger, 4);
    ASSERT_EQ(other->m_vCmd.size(), 1u);
    ASSERT_TRUE(other->m_vCmd[0].m_pMove);
    EXPECT_NE(other->m_vCmd[0].m_pMove.get(), flow.m_vCmd[0].m_pMove.get());
    EXPECT_EQ(other->m_vCmd[0].m_pMove->m_nSpeed, 30);
  }
  EXPECT_EQ(BytesOf(copy), BytesOf(flow));
}

// Flows hold commands which hold flows. 64 nested records are read; one more level is
// damaged data, and a crafted file nested far deeper must not exhaust the stack.
std::vector<std::uint8_t> NestedFlowBytes(int nFlows) {
  cByteBuilder b;
  for (int i = 0; i < nFlows; ++i) {
    AppendFlow(b, 811, FlowScalars{}, 1);  // one command, which holds the next flow
    CmdScalars item;
    item.bItemCmd = 1;
    item.nKind = ITEMCMD_CHANGE_FLOW;
    AppendCmdHead(b, item);
    b.I32(0).I32(0).I32(0);
    b.Count(i + 1 < nFlows ? 1 : 0);
  }
  for (int i = 0; i < nFlows; ++i) AppendParams(b, {0, 0});  // the commands' parameters, innermost first
  return b.Get();
}

int NestedDepth(const cFlow& flow) {
  int depth = 1;
  for (const cFlow* f = &flow; !f->m_vCmd.empty() && !f->m_vCmd[0].m_vFlow.empty(); f = &f->m_vCmd[0].m_vFlow[0])
    ++depth;
  return depth;
}

TEST_F(FlowTest, ReadsNestingUpToTheLimit) {
  cFlow flow;
  const cDataReader in = ReadAt(flow, NestedFlowBytes(32), 811);  // 64 records: 32 flows, 32 commands
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(NestedDepth(flow), 32);
}

TEST_F(FlowTest, DeeperNestingIsDamaged) {
  cFlow flow;
  const cDataReader in = ReadAt(flow, NestedFlowBytes(33), 811);
  EXPECT_EQ(in.Damage(), DATADAMAGE_NESTING);
  EXPECT_LE(NestedDepth(flow), 33);
}

TEST_F(FlowTest, CraftedDeepNestingStopsWithoutExhaustingTheStack) {
  cFlow flow;
  const cDataReader in = ReadAt(flow, NestedFlowBytes(200000), 811);
  EXPECT_EQ(in.Damage(), DATADAMAGE_NESTING);
  EXPECT_LE(NestedDepth(flow), 33);
}

TEST_F(FlowTest, DamagedCountsLeaveEmptyLists) {
  for (const auto& [badCount, damage] : {std::pair{-1, DATADAMAGE_NEGATIVE_COUNT},
                                        std::pair{0x7fffffff, DATADAMAGE_COUNT_PAST_END}}) {
    cByteBuilder b;
    AppendFlowHead(b, 811, FlowScalars{});
    b.Count(0).Count(badCount).Count(0);
    cFlow flow;
    const cDataReader in = ReadAt(flow, b.Get(), 811);
    EXPECT_EQ(in.Damage(), damage) << badCount;
    EXPECT_TRUE(flow.m_vKeyCond.empty()) << badCount;
    EXPECT_TRUE(flow.m_vCmd.empty()) << badCount;
  }
}

TEST_F(FlowTest, TruncatedFlowKeepsDefaultsBeyondTheEnd) {
  cByteBuilder b;
  FlowScalars scalars;
  scalars.nTrigger = 6;
  AppendFlow(b, 811, scalars, 1);
  std::vector<std::uint8_t> bytes = b.Get();
  bytes.push_back(8);  // the command's member count, cut short
  cFlow flow;
  const cDataReader in = ReadAt(flow, bytes, 811);
  EXPECT_TRUE(in.Truncated() || in.Damaged());
  EXPECT_EQ(flow.m_nTrigger, 6);
}

}  // namespace
