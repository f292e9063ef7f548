#include "flow/code_eval.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "app/random.h"
#include "flow_test_fixture.h"
#include "platform/message_box.h"

namespace {

class CodeEvalTest : public FlowWorldTest {
 protected:
  void SetUp() override {
    FlowWorldTest::SetUp();
    m_SavedLives = g_Progress.m_nLives;
    m_Chara.m_Def.m_nMaxHp = 100;
    m_Chara.m_nHp = 25;
  }
  void TearDown() override {
    g_Progress.m_nLives = m_SavedLives;
    FlowWorldTest::TearDown();
  }
  std::int32_t& C(int i) { return g_Progress.m_Vars.at(static_cast<std::size_t>(i)); }
  std::string Shown() const { return m_Boxes.shown.empty() ? std::string() : m_Boxes.shown.back().text; }

  cRecordingMessageBoxes m_Boxes;
  cFlowTestChara m_Chara;
  std::int32_t m_SavedLives = 0;
};

struct cCodeCase {
  const char* text;
  std::int32_t c2;       // common variable 2 before the run
  int var;               // the common variable checked afterwards
  std::int32_t value;    // its value
  int result;            // ExecCode's result
  const char* message;   // the box shown, "" for none
};

TEST_F(CodeEvalTest, TextSetsVariablesAndReportsErrors) {
  const cCodeCase cases[] = {
      {"C1 = 5", 0, 1, 5, 1, ""},
      {"C1=5", 0, 1, 0, 1, ""},  // one token: reads C1, changes nothing
      {"C1 = C2 + 3 * 2", 4, 1, 10, 1, ""},
      {"C3 = (1 + 2) * 3", 0, 3, 9, 1, ""},
      {"C3 = 1 + 2 * 3", 0, 3, 7, 1, ""},
      {"C3 = 7 / 2", 0, 3, 3, 1, ""},
      {"C3 = -7 % 3", 0, 3, -1, 1, ""},
      {"C1 = 7 + 5 % 3", 0, 1, 9, 1, ""},  // "%" binds as "*" and "/" do
      {"C1 = 10 - 7 % 4", 0, 1, 7, 1, ""},
      {"C1 = 2 * 7 % 4 - 1", 0, 1, 1, 1, ""},  // left to right within a level
      {"C1 = ((2 - 5)) * (C2)", 6, 1, -18, 1, ""},
      {"C1 = 3 * (2 + rand(4, 4))", 0, 1, 18, 1, ""},
      {"C1 = 2000000", 0, 1, 999999, 1, ""},
      {"C1 = 99999999999", 0, 1, 999999, 1, ""},
      {"C1 = 65536 * 32768 / -1", 0, 1, -999999, 1, ""},
      {"C1 = 2147483647 + 1", 0, 1, -999999, 1, ""},
      {"C1 = abc", 0, 1, 0, 1, ""},
      {"C1 = 12abc", 0, 1, 12, 1, ""},
      {"C1 = 1 + 2 + 3", 0, 1, 6, 1, ""},
      {"S2 = 8", 0, 1, 0, 1, ""},
      {"C4 = 5 / 0", 0, 4, 0, 0, "0除算が行われました！(C4 = 5 / 0)"},
      {"C4 = 5 % (1 - 1)", 0, 4, 0, 0, "0除算が行われました！(C4 = 5 % 0)"},
      {"C1 = C2 = 5", 7, 1, 7, 0, "代入先が不正です！"},
      {"5 = 3", 0, 1, 0, 0, "代入先が不正です！"},
      {"C1 = (2 + 3", 0, 1, 0, 0, "\")\"が見つかりません！"},
      {"C2 = rand(1)", 0, 2, 0, 0, "関数 rand の引数が不正です！"},
      {"C2 = rand(1, 2, 3)", 0, 2, 0, 0, "関数 rand の引数が不正です！"},
      {"foo.hp = 1", 0, 1, 0, 0, "オブジェクト \"foo.\" が認識できません！"},
      {"C1 = foo.hp", 0, 1, 25, 1, ""},  // an unknown name after a token is dropped: my.hp
      {"C1 = 5 +", 0, 1, 0, 0, ""},  // a missing operand stops with the error set
      {"* C1 = 5", 0, 1, 0, 0, ""},
      {"C1 = sys.hp", 0, 1, 0, 0, ""},  // sys has no character fields
      {"C1 = tg2.hp", 0, 1, 0, 0, ""},  // empty slot: no message
  };
  for (const cCodeCase& c : cases) {
    SCOPED_TRACE(c.text);
    g_Progress.m_Vars.assign(1001, 0);
    C(2) = c.c2;
    m_Boxes.shown.clear();
    EXPECT_EQ(ExecCode(c.text, &m_Chara), c.result);
    EXPECT_EQ(C(c.var), c.value);
    EXPECT_EQ(Shown(), c.message);
    EXPECT_EQ(g_bCodeError, c.result == 0 ? 1 : 0);
  }
  EXPECT_EQ(m_pScene->m_vStageVar.at(2), 8);
}

TEST_F(CodeEvalTest, DivisionOfTheSmallestIntByMinusOneWrapsInsteadOfTrapping) {
  EXPECT_EQ(EvalCodeStatement("65536 * 32768 / -1", &m_Chara), INT_MIN);
  EXPECT_EQ(EvalCodeStatement("65536 * 32768 % -1", &m_Chara), 0);
  EXPECT_EQ(EvalCodeStatement("-2147483648 / -1", &m_Chara), INT_MIN);
  EXPECT_EQ(EvalCodeParens("(65536 * 32768) / -1", &m_Chara), INT_MIN);
  EXPECT_EQ(EvalCodeStatement("7", &m_Chara), 7);
  EXPECT_EQ(EvalCodeStatement("", &m_Chara), 0);
}

TEST_F(CodeEvalTest, DamagedTextsTooDeepOrTooLongAreRefusedWithAMessage) {
  const std::string deep = "C1 = " + std::string(100, '(') + "1" + std::string(100, ')');
  EXPECT_EQ(ExecCode(deep, &m_Chara), 0);
  EXPECT_EQ(Shown(), "括弧が深すぎます！");
  std::string deepCalls = "1";
  for (int i = 0; i < 100; ++i) deepCalls = "rand(1, " + deepCalls + ")";
  m_Boxes.shown.clear();
  EXPECT_EQ(ExecCode("C1 = " + deepCalls, &m_Chara), 0);
  EXPECT_EQ(Shown(), "括弧が深すぎます！");
  const std::string fine = "C1 = " + std::string(60, '(') + "2" + std::string(60, ')');
  EXPECT_EQ(ExecCode(fine, &m_Chara), 1);
  EXPECT_EQ(C(1), 2);

  std::string longText = "C1 = 1";
  while (longText.size() <= 4096) longText += " + 1";
  m_Boxes.shown.clear();
  EXPECT_EQ(ExecCode(longText, &m_Chara), 0);
  EXPECT_EQ(m_Boxes.shown.size(), 1u);
  EXPECT_EQ(C(1), 2);
}

TEST_F(CodeEvalTest, LegacyReductionKeepsTheRightOperandBehind) {
  g_SystemData.m_bRuleCode752 = 1;
  EXPECT_EQ(ExecCode("C1 = 1 + 2 + 3", &m_Chara), 1);
  EXPECT_EQ(C(1), 3);
}

TEST_F(CodeEvalTest, RandDrawsInclusiveRangesInEitherOrder) {
  SeedRand(7);
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(ExecCode("C2 = rand(6, 1)", &m_Chara), 1);
    EXPECT_GE(C(2), 1);
    EXPECT_LE(C(2), 6);
  }
  // The full 32-bit span goes through the generator's own wide path, never a zero divisor.
  EXPECT_EQ(ExecCode("C2 = rand(-2147483648, 2147483647)", &m_Chara), 1);
}

TEST_F(CodeEvalTest, HpChangesOfTheRunningCharacterStartItsGauge) {
  struct { std::int32_t hp; std::int32_t after; double segment; } cases[] = {
      {25, 15, -5.0},  // -10 of a maximum of 100: 50 px x -10 / 100
      {4, 0, -2.0},    // clamped at 0: the gauge shows the -4 that was taken
  };
  for (const auto& c : cases) {
    m_Chara.m_nHp = c.hp;
    m_Chara.m_HpGauge = cGaugeAnim();
    EXPECT_EQ(ExecCode("my.hp = my.hp - 10", &m_Chara), 1);
    EXPECT_EQ(m_Chara.m_nHp, c.after);
    EXPECT_EQ(m_Chara.m_HpGauge.m_nFrames, 120);
    EXPECT_DOUBLE_EQ(m_Chara.m_HpGauge.m_dSegment, c.segment);
  }
}

TEST_F(CodeEvalTest, CharacterFieldsClampToTheirRangesAndWidths) {
  m_Chara.m_nHp = 0;
  EXPECT_EQ(ExecCode("my.mhp = 10", &m_Chara), 1);
  EXPECT_EQ(m_Chara.m_Def.m_nMaxHp, 10);
  EXPECT_EQ(m_Chara.m_nHp, 1);
  EXPECT_EQ(ExecCode("my.cid = 300", &m_Chara), 1);
  EXPECT_EQ(m_Chara.m_Def.m_nCharaId, 99);
  EXPECT_EQ(ExecCode("my.stop = -5", &m_Chara), 1);
  EXPECT_EQ(m_Chara.m_Def.m_nStopEase, 0);
  EXPECT_EQ(ExecCode("my.v3 = 42", &m_Chara), 1);
  EXPECT_EQ(m_Chara.m_vCharaVar.at(3), 42);
  EXPECT_EQ(ExecCode("C1 = my.v3 + my.cid", &m_Chara), 1);
  EXPECT_EQ(C(1), 141);
}

TEST_F(CodeEvalTest, TargetsReachOtherCharactersAndAnEmptySlotFailsSilently) {
  EXPECT_EQ(ExecCode("tg.hp = 0", &m_Chara), 0);
  EXPECT_TRUE(m_Boxes.shown.empty());
  EXPECT_EQ(m_pScene->m_bKilled, 0);

  cFlowTestChara target;
  target.m_Def.m_nMaxHp = 50;
  target.m_nHp = 30;
  m_Chara.m_vTarget[0] = &target;
  EXPECT_EQ(ExecCode("tg1.hp = 0", &m_Chara), 1);
  EXPECT_EQ(target.m_nHp, 0);
  EXPECT_EQ(m_pScene->m_bKilled, 1);
  EXPECT_EQ(m_Chara.m_HpGauge.m_nFrames, 0);  // only the running character's gauges
  m_Chara.m_vTarget[0] = nullptr;
}

TEST_F(CodeEvalTest, UnlimitedLivesReadZeroAndStayUnlimited) {
  g_Progress.m_nLives = 999999;
  EXPECT_EQ(ExecCode("sys.life = 5", &m_Chara), 1);
  EXPECT_EQ(g_Progress.m_nLives, 999999);
  C(5) = 9;
  EXPECT_EQ(ExecCode("C5 = sys.life", &m_Chara), 1);
  EXPECT_EQ(C(5), 0);
  g_Progress.m_nLives = 3;
  EXPECT_EQ(ExecCode("life = 120", &m_Chara), 1);
  EXPECT_EQ(g_Progress.m_nLives, 99);
}

TEST_F(CodeEvalTest, ScrollSpeedsClampAndReachTheScrollAxes) {
  const cStageData saved = g_StageData;
  g_StageData.m_nScrollModeX = 1;
  g_StageData.m_nScrollModeY = 0;
  EXPECT_EQ(ExecCode("sys.scrlx = 600", &m_Chara), 1);
  EXPECT_EQ(g_StageData.m_nAutoScrollX, 480);
  EXPECT_DOUBLE_EQ(m_pScene->m_ScrollX.m_dSpeed, 48.0);
  EXPECT_EQ(m_pScene->m_ScrollX.m_bAuto, 1);
  EXPECT_EQ(ExecCode("scrly = -20", &m_Chara), 1);
  EXPECT_EQ(g_StageData.m_nAutoScrollY, -20);
  EXPECT_EQ(m_pScene->m_ScrollY.m_bAuto, 0);  // a following axis stays off
  g_StageData = saved;
}

TEST_F(CodeEvalTest, VariableIndexOutsideTheTableUsesTheGuardedElement) {
  C(0) = 3;
  EXPECT_EQ(ExecCode("C1 = Cx", &m_Chara), 1);  // no number: variable 0
  EXPECT_EQ(C(1), 3);
  EXPECT_EQ(PostedCloses(), 0);
  EXPECT_EQ(ExecCode("C1 = C1001", &m_Chara), 1);
  EXPECT_EQ(C(1), 3);
  EXPECT_EQ(PostedCloses(), 1);
}

TEST_F(CodeEvalTest, CodeCommandEvaluatesOnEveryStepOfItsTime) {
  cFlowTestChara chara;
  cFlowCmd code = Cmd(FLOWCMD_CODE, 1);  // a tenth of a second: 6 steps
  code.m_sText = "C1 = C1 + 1";
  chara.Attach({Flow({code, Cmd(FLOWCMD_MOVE_DISABLE, 0)})});
  for (int step = 1; step <= 6; ++step) {
    chara.SubStep();
    EXPECT_EQ(C(1), step);
  }
  chara.SubStep();
  EXPECT_EQ(C(1), 6);
  EXPECT_EQ(chara.m_bHeld, 1);
}

}  // namespace
