// The value operations of status commands and bindings in three widths, with their
// overflow rows, and the status value table that conditions, commands and code share.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "data/flow/flow_enumerations.h"
#include "data/flow/condition.h"
#include "flow/compare_with_percent.h"
#include "flow/status_command.h"
#include "flow/status_values.h"
#include "flow/var_op.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

TEST(ApplyVarOp, ThirtyTwoBitsWithOverflowRows) {
  struct Case {
    std::int32_t x, v;
    int op;
    std::int32_t min, max, expected;
  };
  constexpr std::int32_t kLo = -999999;
  constexpr std::int32_t kHi = 999999;
  const std::vector<Case> cases = {
      {5, 7, VAROP_SET, kLo, kHi, 7},
      {5, 7, VAROP_ADD, kLo, kHi, 12},
      {5, 7, VAROP_SUB, kLo, kHi, -2},
      {INT_MAX, 1, VAROP_ADD, INT_MIN, INT_MAX, INT_MIN},  // add wraps
      {INT_MIN, 1, VAROP_SUB, INT_MIN, INT_MAX, INT_MAX},  // subtract wraps
      {999990, 20, VAROP_ADD, kLo, kHi, kHi},              // then the clamp
      // 999999 x 999999 wraps negative for two positive factors: the maximum.
      {999999, 999999, VAROP_MUL, kLo, kHi, kHi},
      {999999, 999999, VAROP_MUL, INT_MIN, INT_MAX, INT_MAX},
      // 65536 x 65536 wraps to 0, which the sign rule accepts.
      {65536, 65536, VAROP_MUL, kLo, kHi, 0},
      // -1000 x 1000 is not positive: kept, then clamped.
      {-1000, 1000, VAROP_MUL, kLo, kHi, kLo},
      {-65536, 65537, VAROP_MUL, INT_MIN, INT_MAX, -65536},   // wraps, sign kept: accepted
      {-3, -4, VAROP_MUL, kLo, kHi, 12},
      {0, -4, VAROP_MUL, kLo, kHi, 0},                     // zero counts as non-negative
      {-50000, 50000, VAROP_MUL, INT_MIN, INT_MAX, INT_MIN},  // differing signs, positive wrap
      {-7, 2, VAROP_DIV, kLo, kHi, -3},                    // toward zero
      {7, 0, VAROP_DIV, kLo, kHi, 7},                      // by 0 leaves the value
      {2000000, 0, VAROP_DIV, kLo, kHi, kHi},              // ... then the clamp
      {INT_MIN, -1, VAROP_DIV, INT_MIN, INT_MAX, INT_MIN}, // wraps instead of trapping
      {-7, 3, VAROP_MOD, kLo, kHi, -1},                    // sign of x
      {7, -3, VAROP_MOD, kLo, kHi, 1},
      {7, 0, VAROP_MOD, kLo, kHi, 7},
      {INT_MIN, -1, VAROP_MOD, INT_MIN, INT_MAX, 0},
      {101, 50, VAROP_PERCENT, kLo, kHi, 51},              // 50.5 rounds away from zero
      {-101, 50, VAROP_PERCENT, kLo, kHi, -51},
      {50, 7, 7, 0, 40, 40},                               // other operations only clamp
      {-5, 7, -1, 0, 40, 0},
  };
  for (const Case& c : cases) {
    std::int32_t x = c.x;
    ApplyVarOp(&x, c.v, c.op, c.min, c.max);
    EXPECT_EQ(x, c.expected) << c.x << " op " << c.op << " " << c.v;
  }
}

TEST(ApplyVarOp, NarrowWidthsComputeAndClampInTheirWidth) {
  struct Case {
    int width;  // 16 or 8
    int x, v, op, min, max, expected;
  };
  const std::vector<Case> cases = {
      {8, 120, 10, VAROP_ADD, -128, 127, -126},     // wraps in 8 bits
      {8, 120, 10, VAROP_ADD, -20, 20, -20},        // and the wrapped value is clamped
      {8, -128, 1, VAROP_SUB, -128, 127, 127},
      {8, 16, 16, VAROP_MUL, -128, 127, 0},         // 256 wraps to 0
      {8, 12, 12, VAROP_MUL, -128, 127, 127},       // 144 wraps negative: the maximum
      {8, -12, 12, VAROP_MUL, -128, 127, -128},     // -144 wraps positive: the minimum
      {8, -128, -1, VAROP_DIV, -128, 127, -128},    // 128 does not fit: wraps
      {8, -128, -1, VAROP_MOD, -128, 127, 0},
      {8, 9, 0, VAROP_DIV, 0, 7, 7},
      {8, 100, 50, VAROP_PERCENT, -128, 127, 50},   // 5000 as a 32-bit product
      {8, 100, 127, VAROP_PERCENT, -128, 127, 127}, // 127 fits
      {16, 32767, 1, VAROP_ADD, -32768, 32767, -32768},
      {16, 300, 300, VAROP_MUL, 0, 200, 200},       // 90000 wraps to 24464, clamped
      {16, 256, 256, VAROP_MUL, 0, 200, 0},         // 65536 wraps to 0
      {16, -32768, -1, VAROP_DIV, -32768, 32767, -32768},
      {16, -32768, -1, VAROP_MOD, -32768, 32767, 0},
      {16, 150, 3, VAROP_SET, 0, 119, 3},
  };
  for (const Case& c : cases) {
    if (c.width == 8) {
      auto x = static_cast<std::int8_t>(c.x);
      ApplyVarOp8(&x, static_cast<std::int8_t>(c.v), c.op, static_cast<std::int8_t>(c.min),
                  static_cast<std::int8_t>(c.max));
      EXPECT_EQ(x, c.expected) << "8 bits: " << c.x << " op " << c.op << " " << c.v;
    } else {
      auto x = static_cast<std::int16_t>(c.x);
      ApplyVarOp16(&x, static_cast<std::int16_t>(c.v), c.op, static_cast<std::int16_t>(c.min),
                   static_cast<std::int16_t>(c.max));
      EXPECT_EQ(x, c.expected) << "16 bits: " << c.x << " op " << c.op << " " << c.v;
    }
  }
}

TEST(ClampValue, BelowMinimumFirstThenAboveMaximum) {
  std::int32_t x = -5;
  EXPECT_EQ(ClampValue(&x, 0, 10), 0);
  x = 15;
  EXPECT_EQ(ClampValue(&x, 0, 10), 10);
  x = 5;
  EXPECT_EQ(ClampValue(&x, 0, 10), 5);
  // A reversed range: the minimum test decides first.
  x = 3;
  EXPECT_EQ(ClampValue(&x, 5, 1), 5);
  std::int8_t y = -30;
  EXPECT_EQ(ClampValue8(&y, -20, 20), -20);
  EXPECT_EQ(y, -20);
}

TEST(PercentOfRounded, NarrowFormsTakeTheValueInTheirWidthFirst) {
  EXPECT_EQ(PercentOfRounded8(300, 50), 22);      // 300 is 44 in 8 bits
  EXPECT_EQ(PercentOfRounded8(-1, 50), -1);       // -0.5 rounds away from zero
  EXPECT_EQ(PercentOfRounded16(65636, 50), 50);   // 65636 is 100 in 16 bits
  EXPECT_EQ(PercentOfRounded16(40000, 10), -2554);  // 40000 is -25536
}

TEST(CompareWithPercent, PercentOfTheBaseKeptWithinTheRange) {
  struct Case {
    int value, base, cmpValue, percent, min, max, code, expected;
    bool narrow;
  };
  const std::vector<Case> cases = {
      {50, 100, 50, 0, 0, 999999, CMP_EQ, 1, false},    // plain compare value
      {50, 101, 50, 1, 0, 999999, CMP_EQ, 0, false},    // 50.5 rounds to 51
      {51, 101, 50, 1, 0, 999999, CMP_EQ, 1, false},
      {0, -100, 50, 1, 0, 999999, CMP_EQ, 1, false},    // -50 raised to the minimum
      {10, 100, 50, 1, 0, 10, CMP_EQ, 1, false},        // 50 lowered to the maximum
      {-15536, 50000, 0, 0, 0, 0, CMP_EQ, 1, true},     // 50000 is -15536 in 16 bits
      {-7768, 50000, 50, 1, -32768, 32767, CMP_EQ, 1, true},
  };
  for (const Case& c : cases) {
    cCond cond;
    cond.m_nValue = c.narrow && c.percent == 0 ? c.base : c.cmpValue;
    cond.m_bPercentOfMax = static_cast<std::int8_t>(c.percent);
    cond.m_nCmp = static_cast<std::int8_t>(c.code);
    const int got = c.narrow ? CompareWithPercent16(c.value, c.base, cond, c.min, c.max)
                             : CompareWithPercent(c.value, c.base, cond, c.min, c.max);
    EXPECT_EQ(got, c.expected) << c.value << " vs " << c.cmpValue << " of " << c.base;
  }
}

using StatusValueTest = FlowWorldTest;

TEST_F(StatusValueTest, FieldsStoreInTheirWidthAndReadBackSignExtended) {
  cFlowTestChara c;
  struct Case {
    int field;
    std::int32_t stored, read;
  };
  const std::vector<Case> cases = {
      {kStatusHp, 1234567, 1234567},   {kStatusMaxSp, -5, -5},
      {kStatusCharaId, 300, 44},       {kStatusZ, 255, -1},
      {kStatusMark, 65536 + 119, 119}, {kStatusSight, 40, 40},
      {kStatusImpact, -20, -20},       {kStatusStop, 40000, -25536},
      {kStatusScore, -999999, -999999},
  };
  for (const Case& cs : cases) {
    SetCharaStatusValue(c, cs.field, 0, cs.stored);
    EXPECT_EQ(GetCharaStatusValue(c, cs.field, 0), cs.read) << "field " << cs.field;
  }
  SetCharaStatusValue(c, kStatusCharaVar, 8, 77);
  EXPECT_EQ(GetCharaStatusValue(c, kStatusCharaVar, 8), 77);
  EXPECT_EQ(GetCharaStatusValue(c, 15, 0), 0);
  EXPECT_EQ(GetCharaStatusValue(c, -1, 0), 0);
}

TEST_F(StatusValueTest, BadIndicesAreReportedAndWriteNothing) {
  cFlowTestChara c;
  SetCharaStatusValue(c, kStatusCharaVar, kCharaVarCount, 5);
  SetCharaStatusValue(c, kStatusCharaVar, -1, 5);
  for (int i = 0; i < kCharaVarCount; ++i) EXPECT_EQ(c.m_vCharaVar[static_cast<std::size_t>(i)], 0);
  EXPECT_EQ(VariableSlot(*m_pScene, 0, 1001), nullptr);
  EXPECT_EQ(VariableSlot(*m_pScene, 1, -1), nullptr);
  EXPECT_EQ(VariableSlot(*m_pScene, 2, 0), nullptr);
  EXPECT_EQ(PostedCloses(), 4);
  ASSERT_NE(VariableSlot(*m_pScene, 1, 3), nullptr);
  *VariableSlot(*m_pScene, 1, 3) = 9;
  EXPECT_EQ(GetVariable(*m_pScene, 1, 3), 9);
  EXPECT_EQ(GetVariable(*m_pScene, 2, 3), 0);
}

TEST_F(StatusValueTest, SystemValuesAsStoredAndAsOperands) {
  m_pScene->m_nTimeLeft = 300;
  m_pScene->m_bNoTimeLimit = 1;
  g_Progress.m_nLives = kUnlimitedLivesValue;
  g_Progress.m_nStageScore = 1200;
  g_StageData.m_nAutoScrollX = -40;
  EXPECT_EQ(GetSystemValue(*m_pScene, kSystemTime), 300);
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemTime), 0);
  EXPECT_EQ(GetSystemValue(*m_pScene, kSystemLives), kUnlimitedLivesValue);
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemLives), 0);
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemScore), 1200);
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemScrollX), -40);
  EXPECT_FALSE(GetSystemValue(*m_pScene, 5).has_value());
  EXPECT_EQ(GetSystemOperand(*m_pScene, 5), 0);
  m_pScene->m_bNoTimeLimit = 0;
  g_Progress.m_nLives = 3;
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemTime), 300);
  EXPECT_EQ(GetSystemOperand(*m_pScene, kSystemLives), 3);
  g_StageData.m_nAutoScrollX = 0;
  g_Progress.m_nLives = 0;
  g_Progress.m_nStageScore = 0;
}

// Parameters of a status command: target kind, variable kind and index, subject, field,
// operation, operand source and constant; the rest 0.
std::vector<std::int32_t> StatusParams(int targetKind, int varKind, int index, int subject, int field, int op,
                                       int src, int constant) {
  std::vector<std::int32_t> p(18, 0);
  p[0] = targetKind;
  p[1] = varKind;
  p[2] = index;
  p[3] = subject;
  p[4] = field;
  p[5] = op;
  p[6] = src;
  p[7] = constant;
  return p;
}

TEST_F(StatusValueTest, StatusCommandOnCharacterFields) {
  struct Case {
    const char* what;
    int field, op, constant;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {"character ID taken as 8 bits", kStatusCharaId, VAROP_SET, 300, 44},
      {"Z clamped", kStatusZ, VAROP_ADD, 20, 7},
      {"mark in 16 bits", kStatusMark, VAROP_SET, 65536 + 100, 100},
      {"power saturates", kStatusPower, VAROP_MUL, 999999, 999999},
      {"defence clamped at 0", kStatusDefence, VAROP_SUB, 5, 0},
      {"unknown operation only clamps", kStatusImpact, 9, 5, 0},
  };
  for (const Case& c : cases) {
    cFlowTestChara chara;
    chara.m_Def.m_nBodyPower = 999999;
    ExecStatusCommand(chara, StatusParams(0, 0, 0, 0, c.field, c.op, 0, c.constant));
    EXPECT_EQ(GetCharaStatusValue(chara, c.field, 0), c.expected) << c.what;
  }
}

TEST_F(StatusValueTest, StatusCommandOnHpAndItsMaximum) {
  cFlowTestChara chara;
  chara.m_Def.m_nMaxHp = 101;
  chara.m_nHp = 10;
  std::vector<std::int32_t> p = StatusParams(0, 0, 0, 0, kStatusHp, VAROP_SET, 0, 50);
  p[15] = 1;  // percent of the maximum: 50.5 becomes 51
  ExecStatusCommand(chara, p);
  EXPECT_EQ(chara.m_nHp, 51);
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 0, kStatusMaxHp, VAROP_SET, 0, 200));
  EXPECT_EQ(chara.m_nHp, 51);  // raising the maximum leaves HP
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 0, kStatusMaxHp, VAROP_SET, 0, 30));
  EXPECT_EQ(chara.m_nHp, 30);  // lowering it below HP lowers HP
  EXPECT_EQ(m_pScene->m_bKilled, 0);

  // Another character brought to 0 HP is left for the play state to find.
  cFlowTestChara other;
  other.m_nHp = 5;
  chara.m_vTarget[1] = &other;
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 2, kStatusHp, VAROP_SUB, 0, 10));
  EXPECT_EQ(other.m_nHp, 0);
  EXPECT_EQ(m_pScene->m_bKilled, 1);
  chara.m_vTarget[1] = nullptr;
}

TEST_F(StatusValueTest, StatusCommandThatDoesNothing) {
  cFlowTestChara chara;
  chara.m_Def.m_nDefence = 7;
  std::vector<std::int32_t> emptySlotOperand = StatusParams(0, 0, 0, 0, kStatusDefence, VAROP_SET, 2, 0);
  emptySlotOperand[12] = 3;  // operand from target slot 3, which is empty
  std::vector<std::int32_t> invincible = StatusParams(0, 0, 0, 0, kStatusDefence, VAROP_SET, 0, 1);
  invincible[17] = 1;
  chara.m_Def.m_nInvincible = 1;
  const std::vector<std::vector<std::int32_t>> cases = {
      emptySlotOperand,
      invincible,
      StatusParams(0, 0, 0, 1, kStatusDefence, VAROP_SET, 0, 1),  // empty target slot
      StatusParams(0, 0, 0, 6, kStatusDefence, VAROP_SET, 0, 1),  // no such subject
      StatusParams(2, 0, 0, 0, kStatusDefence, VAROP_SET, 0, 1),  // no such target kind
      std::vector<std::int32_t>(5, 0),                             // damaged: too short
  };
  for (const std::vector<std::int32_t>& p : cases) ExecStatusCommand(chara, p);
  EXPECT_EQ(chara.m_Def.m_nDefence, 7);
  EXPECT_EQ(PostedCloses(), 0);
  ExecStatusCommand(chara, StatusParams(0, 0, kCharaVarCount, 0, kStatusCharaVar, VAROP_SET, 0, 1));
  EXPECT_EQ(PostedCloses(), 1);  // a bad character-variable index is reported, not written
}

TEST_F(StatusValueTest, StatusCommandOnVariablesAndSystemValues) {
  cFlowTestChara chara;
  m_pScene->m_vStageVar[5] = 200;
  std::vector<std::int32_t> p = StatusParams(1, 1, 5, 0, 0, VAROP_ADD, 0, 50);
  p[14] = 1;  // 50 % of the current value
  ExecStatusCommand(chara, p);
  EXPECT_EQ(m_pScene->m_vStageVar[5], 300);

  g_Progress.m_nLives = kUnlimitedLivesValue;
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 5, kSystemLives, VAROP_SET, 0, 3));
  EXPECT_EQ(g_Progress.m_nLives, kUnlimitedLivesValue);
  g_Progress.m_nLives = 3;
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 5, kSystemLives, VAROP_ADD, 0, 200));
  EXPECT_EQ(g_Progress.m_nLives, 99);
  m_pScene->m_nTimeLeft = 10;
  ExecStatusCommand(chara, StatusParams(0, 0, 0, 5, kSystemTime, VAROP_SUB, 0, 20));
  EXPECT_EQ(m_pScene->m_nTimeLeft, 0);
  g_Progress.m_nLives = 0;
}

TEST_F(StatusValueTest, TheFlowCommandRunsTheStatusOperation) {
  cFlowTestChara chara;
  cFlowCmd cmd = Cmd(FLOWCMD_STATUS);
  ASSERT_EQ(cmd.m_vParam.size(), 18U);
  cmd.m_vParam = StatusParams(0, 0, 0, 0, kStatusDefence, VAROP_SET, 0, 12);
  EXPECT_EQ(chara.CmdStatus(cmd), 0);
  EXPECT_EQ(chara.m_Def.m_nDefence, 12);
}

}  // namespace
