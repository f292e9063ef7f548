#include "data/flow/flow_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/test_play_flag.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/system/system_data.h"
#include "flow_test_support.h"

namespace {

using FlowCmdTest = FlowRecordTest;

TEST_F(FlowCmdTest, NewCommandPlaysItsSoundOnScreenOnlyAndHoldsNothingElse) {
  const cFlowCmd cmd;
  EXPECT_EQ(cmd.m_bSoundCond, 1);
  EXPECT_EQ(cmd.m_bItemCmd | cmd.m_nKind | cmd.m_nTime | cmd.m_nTimeStep | cmd.m_bNoWait | cmd.m_nSound | cmd.m_nAnime,
            0);
  EXPECT_FALSE(cmd.m_pMove || cmd.m_pShot || cmd.m_pCond);
  EXPECT_TRUE(cmd.m_sText.empty() && cmd.m_vFlow.empty() && cmd.m_vParam.empty());
}

TEST_F(FlowCmdTest, WritesTheFileLayoutWithoutBlocks) {
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_MESSAGE;
  cmd.m_nTime = 300;
  cmd.m_nTimeStep = -2;
  cmd.m_nSound = 7;
  cmd.m_bSoundCond = 0;
  cmd.m_nAnime = 9;
  cmd.m_sText = "ab";
  cmd.m_vParam.assign(18, 0);
  cmd.m_vParam[13] = 999;
  const std::vector<std::uint8_t> expected =
      cByteBuilder()
          .I32(8).I8(0).I8(19).I16(300).I16(-2).I8(0).I16(7).I8(0).I16(9)
          .I32(1).I32(3).I8('a').I8('b').I8(0)
          .I32(0).I32(0).I32(0)  // no blocks
          .I32(0)                // no flows
          .I32(18).Fill(13 * 4).I32(999).Fill(4 * 4)
          .Get();
  EXPECT_EQ(BytesOf(cmd), expected);

  cFlowCmd back;
  const cDataReader in = ReadAt(back, expected, 811);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(back.m_pMove || back.m_pShot || back.m_pCond);
  EXPECT_EQ(back.m_sText, "ab");
  EXPECT_EQ(BytesOf(back), expected);
}

TEST_F(FlowCmdTest, WritesEachBlockAfterItsFlag) {
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_FLOW_OPERATION;
  cmd.m_vParam = {1, 2, 3, 4};
  CreateEdMove(cmd.m_pMove);
  cmd.m_pMove->m_nSpeed = 25;
  CreateEdShot(cmd.m_pShot);
  cmd.m_pShot->m_nPower = 1000;
  CreateCondList(cmd.m_pCond);
  cmd.m_pCond->m_bEnabled = 1;
  cmd.m_pCond->m_vCond.resize(2);

  cByteBuilder expected;
  CmdScalars head;
  head.nKind = FLOWCMD_FLOW_OPERATION;
  AppendCmdHead(expected, head);
  expected.I32(1).Bytes(BytesOf(*cmd.m_pMove));
  expected.I32(1).Bytes(BytesOf(*cmd.m_pShot));
  expected.I32(1).Bytes(BytesOf(*cmd.m_pCond));
  expected.Count(0);
  AppendParams(expected, {1, 2, 3, 4});
  EXPECT_EQ(BytesOf(cmd), expected.Get());

  cFlowCmd back;
  const cDataReader in = ReadAt(back, expected.Get(), 811);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  ASSERT_TRUE(back.m_pMove && back.m_pShot && back.m_pCond);
  EXPECT_EQ(back.m_pMove->m_nSpeed, 25);
  EXPECT_EQ(back.m_pShot->m_nPower, 1000);
  EXPECT_EQ(back.m_pCond->m_vCond.size(), 2u);
  EXPECT_EQ(BytesOf(back), expected.Get());
}

TEST_F(FlowCmdTest, FilesBefore764HaveNoConditionBlockFlag) {
  cByteBuilder b;
  CmdScalars head;
  head.bItemCmd = 1;
  head.nKind = ITEMCMD_CHANGE_FLOW;
  AppendCmdHead(b, head);
  b.I32(0).I32(0);  // movement and shot flags; the next int32 is the flow count
  FlowScalars flow;
  flow.nID = 6;
  b.Count(1);
  AppendFlow(b, 763, flow);
  AppendParams(b, {1, 6});

  cFlowCmd cmd;
  const cDataReader in = ReadAt(cmd, b.Get(), 763);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(cmd.m_pCond);
  ASSERT_EQ(cmd.m_vFlow.size(), 1u);
  EXPECT_EQ(cmd.m_vFlow[0].m_nID, 6);
  EXPECT_EQ(cmd.m_vParam, (std::vector<std::int32_t>{1, 6}));
}

TEST_F(FlowCmdTest, ItemCommandKeepsItsFlowsThroughARoundTrip) {
  cFlowCmd cmd;
  cmd.m_bItemCmd = 1;
  cmd.m_nKind = ITEMCMD_CHANGE_FLOW;
  cmd.m_vParam = {0, 0};
  cmd.m_vFlow.resize(2);
  cmd.m_vFlow[1].m_nTrigger = 9;
  cmd.m_vFlow[1].m_vCmd.resize(1);
  cmd.m_vFlow[1].m_vCmd[0].m_nKind = FLOWCMD_TURN;
  cmd.m_vFlow[1].m_vCmd[0].m_vParam = {5};
  const std::vector<std::uint8_t> bytes = BytesOf(cmd);

  cFlowCmd back;
  ReadAt(back, bytes, 811);
  ASSERT_EQ(back.m_vFlow.size(), 2u);
  EXPECT_EQ(back.m_vFlow[1].m_nTrigger, 9);
  EXPECT_EQ(back.m_vFlow[1].m_vCmd.at(0).m_vParam, (std::vector<std::int32_t>{5}));
  EXPECT_EQ(BytesOf(back), bytes);
}

TEST_F(FlowCmdTest, TestFlowsAreRemovedUnlessKept) {
  cFlowCmd cmd;
  cmd.m_bItemCmd = 1;
  cmd.m_nKind = ITEMCMD_CHANGE_FLOW;
  cmd.m_vFlow.resize(3);
  cmd.m_vFlow[0].m_bTestOnly = 1;
  cmd.m_vFlow[2].m_nID = 3;
  const std::vector<std::uint8_t> bytes = BytesOf(cmd);

  struct Case {
    int bTestPlay, bKeep;
    std::size_t expectedFlows;
  };
  for (const Case c : {Case{0, 0, 2}, Case{1, 0, 3}, Case{0, 1, 3}}) {
    g_bTestPlay = c.bTestPlay;
    g_SystemData.m_bKeepTestFlows = c.bKeep;
    cFlowCmd back;
    ReadAt(back, bytes, 811);
    EXPECT_EQ(back.m_vFlow.size(), c.expectedFlows) << c.bTestPlay << c.bKeep;
    EXPECT_EQ(back.m_vFlow.back().m_nID, 3);
  }
}

// Copies of a command own blocks of their own, at every depth.
TEST_F(FlowCmdTest, CopiesGetBlocksOfTheirOwn) {
  cFlowCmd source;
  source.m_bItemCmd = 1;
  source.m_nKind = ITEMCMD_WARP;
  CreateEdMove(source.m_pMove);
  source.m_pMove->m_nMode = 2;
  CreateEdShot(source.m_pShot);
  CreateCondList(source.m_pCond);
  source.m_vFlow.resize(1);
  source.m_vFlow[0].m_vCmd.resize(1);
  CreateEdShot(source.m_vFlow[0].m_vCmd[0].m_pShot);

  cFlowCmd copied(source);
  cFlowCmd assigned;
  CreateEdMove(assigned.m_pMove);
  assigned = source;
  for (cFlowCmd* copy : {&copied, &assigned}) {
    ASSERT_TRUE(copy->m_pMove && copy->m_pShot && copy->m_pCond);
    EXPECT_NE(copy->m_pMove.get(), source.m_pMove.get());
    EXPECT_NE(copy->m_pShot.get(), source.m_pShot.get());
    EXPECT_NE(copy->m_pCond.get(), source.m_pCond.get());
    EXPECT_NE(copy->m_vFlow.at(0).m_vCmd.at(0).m_pShot.get(), source.m_vFlow[0].m_vCmd[0].m_pShot.get());
    EXPECT_EQ(copy->m_pMove->m_nMode, 2);
    copy->m_pMove->m_nMode = 4;
    EXPECT_EQ(source.m_pMove->m_nMode, 2);
    EXPECT_EQ(copy->m_pMove.use_count(), 1);
  }
  EXPECT_EQ(BytesOf(copied), BytesOf(assigned));
}

TEST_F(FlowCmdTest, AssigningACommandWithoutBlocksEmptiesTheTargetsHolders) {
  cFlowCmd target;
  CreateEdMove(target.m_pMove);
  CreateEdShot(target.m_pShot);
  CreateCondList(target.m_pCond);
  target = cFlowCmd();
  EXPECT_FALSE(target.m_pMove || target.m_pShot || target.m_pCond);
}

TEST_F(FlowCmdTest, SelfAssignmentKeepsTheBlocks) {
  cFlowCmd cmd;
  CreateEdShot(cmd.m_pShot);
  cmd.m_pShot->m_nCount = 3;
  const cFlowCmd& same = cmd;
  cmd = same;
  ASSERT_TRUE(cmd.m_pShot);
  EXPECT_EQ(cmd.m_pShot->m_nCount, 3);
}

TEST_F(FlowCmdTest, ListAssignmentCopiesElementByElement) {
  std::vector<cFlowCmd> source(2);
  CreateEdMove(source[1].m_pMove);
  std::vector<cFlowCmd> target(5);
  AssignFlowCmdList(target, source);
  ASSERT_EQ(target.size(), 2u);
  ASSERT_TRUE(target[1].m_pMove);
  EXPECT_NE(target[1].m_pMove.get(), source[1].m_pMove.get());
}

TEST_F(FlowCmdTest, DamagedParameterCountLeavesAnEmptyList) {
  for (const auto& [badCount, damage] : {std::pair{-5, DATADAMAGE_NEGATIVE_COUNT},
                                        std::pair{1 << 30, DATADAMAGE_COUNT_PAST_END}}) {
    cByteBuilder b;
    CmdScalars head;
    head.nKind = 99;  // outside the tables: the list would be kept as read
    AppendCmdHead(b, head);
    b.I32(0).I32(0).I32(0).Count(0).Count(badCount).I32(1);
    cFlowCmd cmd;
    const cDataReader in = ReadAt(cmd, b.Get(), 811);
    EXPECT_EQ(in.Damage(), damage) << badCount;
    EXPECT_TRUE(cmd.m_vParam.empty()) << badCount;
  }
}

TEST_F(FlowCmdTest, BlockCutShortKeepsItsDefaultsBeyondTheEnd) {
  cByteBuilder b;
  CmdScalars head;
  head.nKind = FLOWCMD_MOVE_STRAIGHT;
  AppendCmdHead(b, head);
  b.I32(1).I32(33).I8(1);  // a movement block holding only its mode
  cFlowCmd cmd;
  const cDataReader in = ReadAt(cmd, b.Get(), 811);
  EXPECT_TRUE(in.Truncated() || in.Damaged());
  ASSERT_TRUE(cmd.m_pMove);
  EXPECT_EQ(cmd.m_pMove->m_nSpeed, 10);
}

}  // namespace
