#include "data/flow/command_loops.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/flow/flow_command_kinds.h"
#include "platform/message_queue.h"
#include "tests/support/temp_dir.h"

namespace {

// A command list written as a text: a letter is a wait command named by that letter
// (kept in m_nTime), "L(n,g)" a loop command with p[0] = n and p[1] = g.
struct Sketch {
  char name;  // 0 for a loop
  std::int32_t times, body;
};

cFlowCmd Wait(char name, std::int8_t bItemCmd = 0) {
  cFlowCmd cmd;
  cmd.m_bItemCmd = bItemCmd;
  cmd.m_nKind = static_cast<std::int8_t>(bItemCmd ? int{ITEMCMD_GAME_WAIT} : int{FLOWCMD_WAIT});
  cmd.m_nTime = name;
  return cmd;
}

cFlowCmd Loop(std::int32_t times, std::int32_t body, std::int8_t bItemCmd = 0) {
  cFlowCmd cmd;
  cmd.m_bItemCmd = bItemCmd;
  cmd.m_nKind = static_cast<std::int8_t>(bItemCmd ? int{ITEMCMD_LOOP} : int{FLOWCMD_LOOP});
  cmd.m_vParam = {times, body};
  return cmd;
}

std::vector<cFlowCmd> Build(const std::vector<Sketch>& sketch, std::int8_t bItemCmd = 0) {
  std::vector<cFlowCmd> list;
  for (const Sketch& s : sketch) list.push_back(s.name ? Wait(s.name, bItemCmd) : Loop(s.times, s.body, bItemCmd));
  return list;
}

std::string Names(const std::vector<cFlowCmd>& list) {
  std::string names;
  for (const cFlowCmd& cmd : list) {
    const bool loop = cmd.m_bItemCmd ? cmd.m_nKind == ITEMCMD_LOOP : cmd.m_nKind == FLOWCMD_LOOP;
    names += loop ? '*' : static_cast<char>(cmd.m_nTime);
  }
  return names;
}

Sketch Cmd(char name) { return Sketch{name, 0, 0}; }
Sketch L(std::int32_t times, std::int32_t body) { return Sketch{0, times, body}; }

struct LoopCase {
  const char* name;
  std::vector<Sketch> list;
  const char* expected;
};
void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.name; }

class LoopExpansion : public ::testing::TestWithParam<LoopCase> {};

TEST_P(LoopExpansion, RepeatsEachBody) {
  const LoopCase& c = GetParam();
  for (std::int8_t bItemCmd : {0, 1}) {
    std::vector<cFlowCmd> list = Build(c.list, bItemCmd);
    EXPECT_TRUE(ExpandCmdLoops(list));
    EXPECT_EQ(Names(list), c.expected) << (bItemCmd ? "item commands" : "character commands");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LoopExpansion,
    ::testing::Values(
        LoopCase{"threeTimesTwo", {Cmd('A'), L(3, 2), Cmd('B'), Cmd('C'), Cmd('D')}, "ABCBCBCD"},
        LoopCase{"bodyCutToTheEnd", {Cmd('A'), L(3, 9), Cmd('B'), Cmd('C'), Cmd('D')}, "ABCDBCDBCD"},
        LoopCase{"onceKeepsTheBody", {L(1, 2), Cmd('B'), Cmd('C'), Cmd('D')}, "BCD"},
        LoopCase{"zeroTimesKeepsTheBody", {L(0, 1), Cmd('B'), Cmd('C')}, "BC"},
        LoopCase{"emptyBodyRemovesTheLoop", {Cmd('A'), L(5, 0), Cmd('B')}, "AB"},
        LoopCase{"negativeBodyRemovesTheLoop", {Cmd('A'), L(5, -3), Cmd('B')}, "AB"},
        LoopCase{"loopAtTheEnd", {Cmd('A'), L(4, 2)}, "A"},
        LoopCase{"nested", {L(2, 3), Cmd('A'), L(3, 1), Cmd('B'), Cmd('C')}, "ABBBABBBC"},
        // The inner loop's body reaches past the copy it sits in, into the next one.
        LoopCase{"innerBodyReachesIntoTheNextCopy", {L(2, 2), Cmd('A'), L(2, 1), Cmd('B')}, "AAABB"},
        LoopCase{"twoLoopsInARow", {L(2, 1), Cmd('A'), L(3, 1), Cmd('B')}, "AABBB"},
        LoopCase{"noLoops", {Cmd('A'), Cmd('B')}, "AB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoopExpansionKinds, OnlyTheLoopKindOfTheCommandsNumberingLoops) {
  // Kind 24 is the item loop but the character vanish command; kind 39 is no item kind.
  std::vector<cFlowCmd> list;
  cFlowCmd vanish = Loop(3, 1);
  vanish.m_nKind = FLOWCMD_VANISH;
  vanish.m_nTime = 'V';
  cFlowCmd item39 = Loop(3, 1, 1);
  item39.m_nKind = FLOWCMD_LOOP;
  item39.m_nTime = 'I';
  list.push_back(vanish);
  list.push_back(Wait('A'));
  list.push_back(item39);
  list.push_back(Wait('B'));
  EXPECT_TRUE(ExpandCmdLoops(list));
  EXPECT_EQ(Names(list), "VAIB");
}

TEST(LoopExpansionBlocks, CopiesOwnTheirBlocks) {
  std::vector<cFlowCmd> list{Loop(3, 1), Wait('S')};
  list[1].m_nKind = FLOWCMD_SHOT;
  CreateEdShot(list[1].m_pShot);
  list[1].m_pShot->m_nCount = 4;
  EXPECT_TRUE(ExpandCmdLoops(list));
  ASSERT_EQ(list.size(), 3u);
  for (const cFlowCmd& cmd : list) {
    ASSERT_TRUE(cmd.m_pShot);
    EXPECT_EQ(cmd.m_pShot->m_nCount, 4);
    EXPECT_EQ(cmd.m_pShot.use_count(), 1);
  }
  EXPECT_NE(list[0].m_pShot.get(), list[1].m_pShot.get());
  EXPECT_NE(list[1].m_pShot.get(), list[2].m_pShot.get());
}

TEST(LoopExpansionParams, MissingParametersCountAsZero) {
  std::vector<cFlowCmd> list{Loop(3, 1), Wait('A')};
  list[0].m_vParam.clear();
  EXPECT_TRUE(ExpandCmdLoops(list));
  EXPECT_EQ(Names(list), "A");
}

// Loop counts from a file are unbounded and multiply through nested loops; a body can
// even refill itself with loops. Past the limits the expansion stops and leaves the
// list without loops, each body once.
class LoopExpansionLimits : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    ClearPostedMessages();
  }
  static std::string Report() {
    std::ifstream in("Report_Game.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(LoopExpansionLimits, ExactlyTheLimitIsExpanded) {
  std::vector<cFlowCmd> list = Build({Cmd('A'), L(static_cast<std::int32_t>(kMaxExpandedCmds) - 1, 1), Cmd('B')});
  EXPECT_TRUE(ExpandCmdLoops(list));
  EXPECT_EQ(list.size(), kMaxExpandedCmds);
  EXPECT_EQ(Report(), "");
}

struct LimitCase {
  const char* name;
  std::vector<Sketch> list;
  const char* expected;
};
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class LoopExpansionLimit : public LoopExpansionLimits, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LoopExpansionLimit, StopsAndLeavesTheListWithoutLoops) {
  const LimitCase& c = GetParam();
  std::vector<cFlowCmd> list = Build(c.list);
  EXPECT_FALSE(ExpandCmdLoops(list));
  EXPECT_EQ(Names(list), c.expected);
  EXPECT_NE(Report().find("Loop commands expand past 65536 commands"), std::string::npos);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LoopExpansionLimit,
    ::testing::Values(LimitCase{"oneLoopTooLong", {Cmd('A'), L(65536, 1), Cmd('B')}, "AB"},
                      LimitCase{"hugeCount", {L(0x7fffffff, 0x7fffffff), Cmd('A'), Cmd('B')}, "AB"},
                      LimitCase{"nestedLoopsMultiply", {L(300, 2), L(300, 1), Cmd('A')}, "A"},
                      LimitCase{"deepNesting",
                                {L(16, 8), L(16, 7), L(16, 6), L(16, 5), L(16, 4), L(16, 3), L(16, 2), L(16, 1), Cmd('A')},
                                "A"},
                      // Each loop's body is the next loop: expanding never shortens the list.
                      LimitCase{"selfRefillingLoops", {L(2, 1), L(2, 1), Cmd('A')}, "A"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
