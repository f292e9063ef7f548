// Command parameters bound to variables: the settable-parameter table, and bindings
// applied to the next command with their operations, limits and invalid operands.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "flow/apply_arrange.h"
#include "flow/var_param_table.h"
#include "objects/player.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

class VarParamTest : public FlowWorldTest {
 protected:
  void SetUp() override {
    FlowWorldTest::SetUp();
    InitVarParamTable();
  }

  static cFlowCmd ShotCmd() {
    cFlowCmd cmd = Cmd(FLOWCMD_SHOT);
    CreateEdShot(cmd.m_pShot);
    return cmd;
  }
};

TEST_F(VarParamTest, TableListsTheSettableParametersPerKind) {
  ASSERT_EQ(g_VarParamTable.size(), 40U);
  struct Case {
    int kind;
    std::size_t count;
    bool accessors;
  };
  const std::vector<Case> cases = {
      {FLOWCMD_MOVE_STRAIGHT, 6, true}, {FLOWCMD_MOVE_GROUND_TURN, 0, true}, {FLOWCMD_MOVE_HOMING, 6, true},
      {FLOWCMD_SHOT, 29, true},         {FLOWCMD_SWORD, 4, true},            {FLOWCMD_SUMMON_CHARA, 8, true},
      {FLOWCMD_STAGE_CLEAR, 5, true},   {FLOWCMD_STATUS, 2, true},           {FLOWCMD_CHANGE_BACK, 1, true},
      {FLOWCMD_WAIT, 0, false},         {FLOWCMD_CODE, 0, false},            {FLOWCMD_LOOP, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g_VarParamTable[static_cast<std::size_t>(c.kind)].size(), c.count) << "kind " << c.kind;
    EXPECT_EQ(g_VarParamGetters[c.kind] != nullptr, c.accessors) << "kind " << c.kind;
    EXPECT_EQ(g_VarParamSetters[c.kind] != nullptr, c.accessors) << "kind " << c.kind;
  }
  const VARPARAMDESC& speed = g_VarParamTable[FLOWCMD_SHOT][18];
  EXPECT_EQ(speed.m_nMin, -200);
  EXPECT_EQ(speed.m_nMax, 200);
}

TEST_F(VarParamTest, OperationsOnAShotParameterWithTheirLimits) {
  struct Case {
    int param;      // 18 speed (int16, -200..200), 27 power (int32, -999999..999999)
    std::int32_t cur;
    int op;
    std::int32_t operand, expected;
  };
  const std::vector<Case> cases = {
      {18, 0, VAROP_SET, 500, 200},
      {18, 0, VAROP_SET, -500, -200},
      {18, 10, VAROP_ADD, 5, 15},
      {18, 10, VAROP_SUB, 15, -5},
      {27, 50000, VAROP_MUL, 50000, 999999},     // wraps negative: the maximum
      {27, -50000, VAROP_MUL, 50000, -999999},   // wraps positive: the minimum
      {27, -5, VAROP_MUL, 0, 0},
      {27, 100000, VAROP_MUL, 100000, 999999},   // wraps to the expected sign: only clamped
      {27, 33, VAROP_PERCENT, 50, 17},
      {27, -33, VAROP_PERCENT, 50, -17},
      {27, 123, VAROP_DIV, 0, 123},
      {27, 7, VAROP_DIV, -2, -3},
      {27, 7, VAROP_MOD, -2, 1},
      {27, 7, VAROP_MOD, 0, 7},
      {27, 7, 9, 100, 7},                        // other operations keep the value
  };
  for (const Case& c : cases) {
    cFlowCmd cmd = ShotCmd();
    cmd.m_pShot->m_nSpeed = static_cast<std::int16_t>(c.cur);
    cmd.m_pShot->m_nPower = c.cur;
    g_Progress.m_Vars[12] = c.operand;
    const std::vector<std::int32_t> b = {FLOWCMD_SHOT, c.param, c.op, 0, 12};
    ApplyArrange(&cmd, &b, nullptr);
    const std::int32_t got = c.param == 18 ? cmd.m_pShot->m_nSpeed : cmd.m_pShot->m_nPower;
    EXPECT_EQ(got, c.expected) << "param " << c.param << ": " << c.cur << " op " << c.op << " " << c.operand;
  }
}

TEST_F(VarParamTest, BindingsThatDoNothing) {
  cFlowTestChara chara;
  chara.m_vCharaVar[0] = 9;
  g_Progress.m_Vars[0] = 50;
  m_pScene->m_vStageVar[0] = 50;
  struct Case {
    const char* what;
    std::vector<std::int32_t> binding;
    std::int16_t expected;  // the shot's speed, 1 before
  };
  const std::vector<Case> cases = {
      {"common variable 0", {FLOWCMD_SHOT, 18, VAROP_SET, 0, 0}, 1},
      {"stage variable 0", {FLOWCMD_SHOT, 18, VAROP_SET, 1, 0}, 1},
      {"common variable past the end", {FLOWCMD_SHOT, 18, VAROP_SET, 0, 1001}, 1},
      {"character variable past the end", {FLOWCMD_SHOT, 18, VAROP_SET, 2, kCharaVarCount}, 1},
      {"unknown source", {FLOWCMD_SHOT, 18, VAROP_SET, 3, 1}, 1},
      {"another kind", {FLOWCMD_SWORD, 0, VAROP_SET, 2, 0}, 1},
      {"too short", {FLOWCMD_SHOT, 18, VAROP_SET, 2}, 1},
      {"character variable 0 is an operand", {FLOWCMD_SHOT, 18, VAROP_SET, 2, 0}, 9},
  };
  for (const Case& c : cases) {
    cFlowCmd cmd = ShotCmd();
    cmd.m_pShot->m_nSpeed = 1;
    ApplyArrange(&cmd, &c.binding, &chara);
    EXPECT_EQ(cmd.m_pShot->m_nSpeed, c.expected) << c.what;
  }
  EXPECT_EQ(PostedCloses(), 0);
}

TEST_F(VarParamTest, DamagedCommandsAndParameterNumbersChangeNothingSafely) {
  g_Progress.m_Vars[1] = 5;
  cFlowCmd noShot = Cmd(FLOWCMD_SHOT);
  const std::vector<std::int32_t> speed = {FLOWCMD_SHOT, 18, VAROP_SET, 0, 1};
  ApplyArrange(&noShot, &speed, nullptr);  // the block is missing: nothing to write
  EXPECT_EQ(PostedCloses(), 0);

  cFlowCmd cmd = ShotCmd();
  cmd.m_pShot->m_nPower = 3;
  const std::vector<std::int32_t> outside = {FLOWCMD_SHOT, 29, VAROP_SET, 0, 1};
  ApplyArrange(&cmd, &outside, nullptr);  // reported, nothing written
  EXPECT_EQ(PostedCloses(), 1);
  EXPECT_EQ(cmd.m_pShot->m_nPower, 3);

  cFlowCmd shortList = Cmd(FLOWCMD_MESSAGE);
  shortList.m_vParam.clear();
  const std::vector<std::int32_t> message = {FLOWCMD_MESSAGE, 0, VAROP_SET, 0, 1};
  ApplyArrange(&shortList, &message, nullptr);
  EXPECT_TRUE(shortList.m_vParam.empty());
}

TEST_F(VarParamTest, PatternValuesTakeTheirLimitsFromTheShotsPattern) {
  g_Progress.m_Vars[1] = 30;
  cFlowCmd cmd = ShotCmd();
  cmd.m_pShot->m_nFormation = SHOTFORM_STRAIGHT_A;
  const std::vector<std::int32_t> form2 = {FLOWCMD_SHOT, 3, VAROP_SET, 0, 1};
  ApplyArrange(&cmd, &form2, nullptr);
  EXPECT_EQ(cmd.m_pShot->m_nFormParam[1], 0);  // unused value: range 0-0
  cmd.m_pShot->m_nFormation = SHOTFORM_LIGHTNING;
  ApplyArrange(&cmd, &form2, nullptr);
  EXPECT_EQ(cmd.m_pShot->m_nFormParam[1], 30);  // columns 1-50
  g_Progress.m_Vars[1] = 500;
  cmd.m_pShot->m_nTrajectory = SHOTTRAJ_WAVE;
  const std::vector<std::int32_t> traj3 = {FLOWCMD_SHOT, 17, VAROP_SET, 0, 1};
  ApplyArrange(&cmd, &traj3, nullptr);
  EXPECT_EQ(cmd.m_pShot->m_nTrajParam[2], 359);  // start angle 0-359
  // A summoned character's first formation value is its parameter 2.
  cFlowCmd summon = Cmd(FLOWCMD_SUMMON_CHARA);
  CreateEdShot(summon.m_pShot);
  summon.m_pShot->m_nFormation = SHOTFORM_SURROUND;
  const std::vector<std::int32_t> summonForm1 = {FLOWCMD_SUMMON_CHARA, 2, VAROP_SET, 0, 1};
  ApplyArrange(&summon, &summonForm1, nullptr);
  EXPECT_EQ(summon.m_pShot->m_nFormParam[0], 40);
}

TEST_F(VarParamTest, PendingBindingsApplyInOrderAndItemCommandsUseTheirOwnNumbering) {
  g_Progress.m_Vars[1] = 10;
  g_Progress.m_Vars[2] = 3;
  cFlowRun run;
  run.m_listArrange.push_back({FLOWCMD_SHOT, 18, VAROP_SET, 0, 1});
  run.m_listArrange.push_back({FLOWCMD_SHOT, 18, VAROP_MUL, 0, 2});
  cFlowCmd cmd = ShotCmd();
  ApplyFlowArranges(&cmd, nullptr, &run);
  EXPECT_EQ(cmd.m_pShot->m_nSpeed, 30);  // set, then multiply
  ApplyFlowArranges(&cmd, nullptr, nullptr);
  EXPECT_EQ(cmd.m_pShot->m_nSpeed, 30);

  // The item stage-clear command is the flow stage-clear command in item numbering.
  cFlowCmd clear = Cmd(FLOWCMD_STAGE_CLEAR);
  clear.m_bItemCmd = 1;
  clear.m_nKind = static_cast<std::int8_t>(FLOWCMD_STAGE_CLEAR - 15);
  cPlayer player;
  player.m_lstItemBinding.push_back({FLOWCMD_STAGE_CLEAR, 0, VAROP_SET, 0, 1});
  ApplyItemArranges(&clear, &player);
  EXPECT_EQ(clear.m_vParam.at(1), 10);
}

TEST_F(VarParamTest, ACommandThatBeginsTakesThePendingBindingsOfItsRun) {
  cFlowTestChara chara;
  chara.m_vCharaVar[2] = 150;
  cFlowRun run;
  run.m_listArrange.push_back({FLOWCMD_SHOT, 18, VAROP_SET, 2, 2});
  m_pScene->m_pFlowChara = &chara;
  m_pScene->m_pFlowRun = &run;

  // A binding command begins without taking them; the next command takes and drops them.
  cFlowCmd arrange = Cmd(FLOWCMD_ARRANGE);
  cFlowCmdRun arrangeRun;
  arrangeRun.m_lpCmd = &arrange;
  arrangeRun.Begin();
  EXPECT_EQ(run.m_listArrange.size(), 1U);
  cFlowCmd shot = ShotCmd();
  cFlowCmdRun shotRun;
  shotRun.m_lpCmd = &shot;
  shotRun.Begin();
  EXPECT_EQ(shot.m_pShot->m_nSpeed, 150);
  EXPECT_TRUE(run.m_listArrange.empty());

  m_pScene->m_pFlowChara = nullptr;
  m_pScene->m_pFlowRun = nullptr;
}

}  // namespace
