// Condition lists, their once-true latches, and the comparison and percentage helpers.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "data/flow/condition.h"
#include "flow/compare_by_code.h"
#include "flow/percent_of_rounded.h"
#include "objects/move_support.h"
#include "stage/block_cell.h"
#include "stage/block_conditions.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

using FlowConditionTest = FlowWorldTest;

cCond VarCond(int kind, int index, int value, int cmp = CMP_EQ) {
  cCond cond;
  cond.m_nKind = static_cast<std::int8_t>(kind);
  cond.m_nVarIndex = static_cast<std::int16_t>(index);
  cond.m_nValue = value;
  cond.m_nCmp = static_cast<std::int8_t>(cmp);
  return cond;
}

TEST(CompareByCode, CodesInThirtyTwoBits) {
  struct Case {
    int a, b, code, expected;
  };
  const std::vector<Case> cases = {
      {3, 3, CMP_EQ, 1},         {3, 4, CMP_NE, 1},          {4, 4, CMP_GE, 1},
      {5, 4, CMP_LE, 0},         {5, 4, CMP_GT, 1},          {-5, 4, CMP_LT, 1},
      {7, 0, CMP_MULTIPLE, 1},   {7, 0, CMP_NOT_MULTIPLE, 0}, {-6, 3, CMP_MULTIPLE, 1},
      {-6, -3, CMP_MULTIPLE, 1}, {7, 3, CMP_NOT_MULTIPLE, 1}, {INT_MIN, -1, CMP_MULTIPLE, 1},
      {INT_MIN, 2, CMP_MULTIPLE, 1}, {INT_MIN, 3, CMP_NOT_MULTIPLE, 1}, {1, 1, 8, 0},
      {1, 1, -1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareByCode(c.a, c.b, c.code), c.expected) << c.a << " " << c.code << " " << c.b;
  }
}

TEST(CompareByCode, NarrowWidthsTakeBothOperandsInTheirWidth) {
  EXPECT_EQ(CompareByCode8(300, 44, CMP_EQ), 1);
  EXPECT_EQ(CompareByCode8(200, 0, CMP_LT), 1);  // 200 is -56 in 8 bits
  EXPECT_EQ(CompareByCode8(-128, -1, CMP_MULTIPLE), 1);
  EXPECT_EQ(CompareByCode16(65541, 5, CMP_EQ), 1);
  EXPECT_EQ(CompareByCode16(40000, 0, CMP_GT), 0);
  EXPECT_EQ(CompareByCode16(-32768, 2, CMP_NOT_MULTIPLE), 0);
}

TEST(PercentOfRounded, RoundsHalfAwayFromZero) {
  struct Case {
    int value, percent, expected;
  };
  for (const Case& c : {Case{7, 50, 4}, Case{-7, 50, -4}, Case{1, 49, 0}, Case{50, 3, 2}, Case{-50, 3, -2},
                        Case{100, 100, 100}, Case{65536, 65536, 0}}) {
    EXPECT_EQ(PercentOfRounded(c.value, c.percent), c.expected) << c.value << " x " << c.percent << " %";
  }
}

TEST_F(FlowConditionTest, ListModes) {
  g_Progress.m_Vars[3] = 5;
  const cCond holds = VarCond(COND_COMMON_VAR, 3, 5);
  const cCond fails = VarCond(COND_COMMON_VAR, 3, 6);
  struct Case {
    const char* name;
    std::vector<cCond> conds;
    int mode;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"empty, all", {}, 0, true},      {"empty, any", {}, 1, false},
      {"all hold", {holds, holds}, 0, true}, {"one fails, all", {holds, fails}, 0, false},
      {"one holds, any", {fails, holds}, 1, true}, {"unknown mode", {holds}, 2, false},
      {"kind none", {VarCond(COND_NONE, 0, 0)}, 0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(m_pScene->CheckCondList(c.conds, c.mode, nullptr), c.expected) << c.name;
}

TEST_F(FlowConditionTest, VariableKindsReadTheirOwnVariables) {
  cFlowTestChara chara;
  g_Progress.m_Vars[10] = 1;
  m_pScene->m_vStageVar[10] = 2;
  chara.m_vCharaVar[4] = 3;
  EXPECT_TRUE(m_pScene->CheckCond(VarCond(COND_COMMON_VAR, 10, 1), &chara));
  EXPECT_TRUE(m_pScene->CheckCond(VarCond(COND_STAGE_VAR, 10, 2), &chara));
  EXPECT_TRUE(m_pScene->CheckCond(VarCond(COND_CHARA_VAR, 4, 3), &chara));
  EXPECT_FALSE(m_pScene->CheckCond(VarCond(COND_CHARA_VAR, 4, 3), nullptr));
  EXPECT_EQ(PostedCloses(), 0);
}

// With the once-true flag a flow whose condition held once keeps starting after the
// variable changed back; without it the flow stops starting.
TEST_F(FlowConditionTest, OnceTrueFlowKeepsStarting) {
  for (const std::int8_t once : {0, 1}) {
    g_Progress.m_Vars[1] = 1;
    cFlow flow = Flow({Cmd(FLOWCMD_WAIT, 0)});
    flow.m_vCond = {VarCond(COND_COMMON_VAR, 1, 1)};
    flow.m_bCondLatch = once;
    cFlowTestChara chara;
    chara.Attach({flow});
    chara.ResetTriggerLatches();
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(0).m_bFlowCondLatched, 1);
    g_Progress.m_Vars[1] = 0;
    chara.ResetTriggerLatches();
    chara.FireTrigger(FLOWTRIG_ALWAYS);
    EXPECT_EQ(chara.RunAt(0).m_bRunning, once) << "once " << int{once};
  }
}

TEST_F(FlowConditionTest, BlockConditionsAnswerThroughTheRunningStage) {
  cBlockCell cell;
  cell.m_vCond = std::vector<cCond>{VarCond(COND_STAGE_VAR, 7, 1)};
  cell.m_bCondLatch = 1;
  EXPECT_EQ(CheckBlockConds(cell), 0);
  m_pScene->m_vStageVar[7] = 1;
  EXPECT_EQ(CheckBlockConds(cell), 1);
  EXPECT_EQ(cell.m_bLatch, 1);
  m_pScene->m_vStageVar[7] = 0;
  EXPECT_EQ(CheckBlockConds(cell), 1);  // latched once true
  cell.m_bCondLatch = 0;
  EXPECT_EQ(CheckBlockConds(cell), 0);

  // Without a running stage only the empty list and the latch hold.
  g_lpSceneGame = nullptr;
  cell.m_bCondLatch = 1;
  EXPECT_EQ(CheckBlockConds(cell), 1);
  cell.m_bLatch = 0;
  EXPECT_EQ(CheckBlockConds(cell), 0);
  g_lpSceneGame = m_pScene;
}

// Conditions on characters. An empty target slot makes the state and distance kinds
// false whatever the negation, except "exists", which an empty slot fails.
TEST_F(FlowConditionTest, StateStatusAndDistanceKinds) {
  cFlowTestChara self;
  cFlowTestChara other;
  self.m_nFacing = 1;
  self.m_bAirborne = 0;
  self.m_Def.m_nSize = 3;
  other.m_dX = 40;
  other.m_bDying = 1;
  self.m_vTarget[1] = &other;
  struct Case {
    const char* name;
    int kind, subject, select, cmp, value, shape;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"facing left, is not, empty slot", COND_STATUS3, 3, 0, 1, 0, 0, false},
      {"exists, is not, empty slot", COND_STATUS3, 3, 4, 1, 0, 0, true},
      {"exists, dying target", COND_STATUS3, 2, 4, 0, 0, 0, false},
      {"self faces right", COND_STATUS3, 0, 1, 0, 0, 0, true},
      {"self stands on a block", COND_STATUS3, 0, 2, 0, 0, 0, true},
      {"giant factor at least 3", COND_STATUS2, 0, 5, CMP_GE, 3, 0, true},
      {"status field 0 never holds", COND_STATUS2, 0, 0, CMP_EQ, 0, 0, false},
      {"status of an empty slot", COND_STATUS2, 4, 5, CMP_GE, 0, 0, false},
      {"distance, empty slot, is not", COND_DISTANCE, 3, 0, 1, 4, 6, false},
      {"circle within 3 half-blocks", COND_DISTANCE, 2, 0, 0, 3, 6, true},
      {"circle within 2 half-blocks", COND_DISTANCE, 2, 0, 0, 2, 6, false},
      {"unknown shape", COND_DISTANCE, 2, 0, 0, 3, 9, false},
  };
  for (const Case& c : cases) {
    cCond cond;
    cond.m_nKind = static_cast<std::int8_t>(c.kind);
    cond.m_nSubject = static_cast<std::int8_t>(c.subject);
    cond.m_nSelect = static_cast<std::int8_t>(c.select);
    cond.m_nCmp = static_cast<std::int8_t>(c.cmp);
    cond.m_nShape = static_cast<std::int8_t>(c.shape);
    if (c.kind == COND_STATUS2) {
      cond.m_nVarIndex = static_cast<std::int16_t>(c.value);
    } else {
      cond.m_nValue = c.value;
    }
    EXPECT_EQ(m_pScene->CheckCond(cond, &self), c.expected) << c.name;
  }
}

// Status-value conditions: the target (a variable, a system value or a character's
// status in its own width) against the operand (constant, random, status or variable).
TEST_F(FlowConditionTest, StatusValueConditions) {
  cFlowTestChara self;
  cFlowTestChara computer;
  self.m_nKind = 0;
  self.m_nHp = 51;
  self.m_Def.m_nMaxHp = 101;
  self.m_Def.m_nCharaId = 44;
  self.m_Def.m_nStopEase = 20;
  self.m_Def.m_nDefence = 7;
  self.m_vCharaVar[2] = -3;
  self.m_vTarget[0] = &computer;
  computer.m_Def.m_nSightRange = 4;
  g_Progress.m_Vars[9] = 12;
  m_pScene->m_vStageVar[9] = 12;
  g_Progress.m_nLives = 999999;
  m_pScene->m_nTimeLeft = 30;
  struct Case {
    const char* name;
    int leftSrc, leftVarKind, subject, field, varIndex;
    int rightSrc, value, rightSubject, rightField, rightVarKind, rightVarIndex;
    int cmp, percent;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"common variable = 12", 1, 0, 0, 0, 9, 0, 12, 0, 0, 0, 0, CMP_EQ, 0, true},
      {"stage variable = stage variable", 1, 1, 0, 0, 9, 3, 0, 0, 0, 1, 9, CMP_EQ, 0, true},
      {"variable of an unknown kind", 1, 4, 0, 0, 9, 0, 12, 0, 0, 0, 0, CMP_EQ, 0, false},
      {"HP at least 50 % of the maximum (50.5 -> 51)", 0, 0, 0, 1, 0, 0, 50, 0, 0, 0, 0, CMP_GE, 1, true},
      {"HP above 50 % of the maximum", 0, 0, 0, 1, 0, 0, 50, 0, 0, 0, 0, CMP_GT, 1, false},
      {"defence with percent compares with 0", 0, 0, 0, 11, 0, 0, 50, 0, 0, 0, 0, CMP_GT, 1, true},
      {"character ID compared in 8 bits (300 is 44)", 0, 0, 0, 5, 0, 0, 300, 0, 0, 0, 0, CMP_EQ, 0, true},
      {"character variable 2", 0, 0, 0, 0, 2, 0, -3, 0, 0, 0, 0, CMP_EQ, 0, true},
      {"unlimited lives never compare", 0, 0, CONDSUBJ_SYSTEM, 4, 0, 0, 0, 0, 0, 0, 0, CMP_GE, 0, false},
      {"time left", 0, 0, CONDSUBJ_SYSTEM, 0, 0, 0, 30, 0, 0, 0, 0, CMP_EQ, 0, true},
      {"random operand between 7 and 7", 0, 0, 0, 11, 0, 1, 0, 0, 0, 0, 0, CMP_EQ, 0, true},
      {"operand from an empty slot", 0, 0, 0, 1, 0, 2, 0, 3, 1, 0, 0, CMP_GE, 0, false},
      {"operand: a computer's sight", 0, 0, 0, 1, 0, 2, 0, 1, 8, 0, 0, CMP_GE, 0, false},
      {"operand: own stoppability", 0, 0, 0, 1, 0, 2, 0, 0, 13, 0, 0, CMP_GT, 0, true},
      {"field outside the table", 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, CMP_EQ, 0, false},
      {"empty target slot", 0, 0, 4, 1, 0, 0, 0, 0, 0, 0, 0, CMP_GE, 0, false},
  };
  for (const Case& c : cases) {
    cCond cond;
    cond.m_nKind = COND_STATUS;
    cond.m_nLeftSrc = static_cast<std::int8_t>(c.leftSrc);
    cond.m_nLeftVarKind = static_cast<std::int8_t>(c.leftVarKind);
    cond.m_nSubject = static_cast<std::int8_t>(c.subject);
    cond.m_nSelect = static_cast<std::int8_t>(c.field);
    cond.m_nVarIndex = static_cast<std::int16_t>(c.varIndex);
    cond.m_nRightSrc = static_cast<std::int8_t>(c.rightSrc);
    cond.m_nValue = c.value;
    cond.m_nRandMin = cond.m_nRandMax = 7;
    cond.m_nRightSubject = static_cast<std::int8_t>(c.rightSubject);
    cond.m_nRightSelect = static_cast<std::int8_t>(c.rightField);
    cond.m_nRightVarKind = static_cast<std::int8_t>(c.rightVarKind);
    cond.m_nRightVarIndex = static_cast<std::int16_t>(c.rightVarIndex);
    cond.m_nCmp = static_cast<std::int8_t>(c.cmp);
    cond.m_bPercentOfMax = static_cast<std::int8_t>(c.percent);
    EXPECT_EQ(m_pScene->CheckCond(cond, &self), c.expected) << c.name;
  }
  EXPECT_DOUBLE_EQ(self.m_dFriction, AccelParamToStep(20));
  EXPECT_EQ(PostedCloses(), 0);
}

}  // namespace
