// Flow commands and bindings from damaged data: missing blocks, slot numbers, patterns
// and values that the authoring tool never writes do nothing, or take the guarded
// default, and never trap.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "flow/apply_arrange.h"
#include "flow/chara_search.h"
#include "flow/var_param_table.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

class FlowDamagedDataTest : public FlowWorldTest {
 protected:
  void SetUp() override {
    FlowWorldTest::SetUp();
    InitVarParamTable();
  }
};

TEST_F(FlowDamagedDataTest, MovementCommandsWithoutTheirBlockDoNothing) {
  const std::vector<int> kinds = {FLOWCMD_MOVE_STRAIGHT, FLOWCMD_MOVE_GROUND_TURN, FLOWCMD_MOVE_CIRCLE,
                                  FLOWCMD_MOVE_CHARGE,   FLOWCMD_MOVE_HOMING,      FLOWCMD_MOVE_AVOID_OFFSCREEN};
  for (const int kind : kinds) {
    cFlowTestChara target;
    cFlowTestChara chara;
    chara.m_vTarget[0] = &target;
    chara.Attach({Flow({Cmd(kind, 1)})});
    chara.SubStep();
    EXPECT_EQ(chara.m_dVx, 0.0) << kind;
    EXPECT_EQ(chara.m_bMoving, 0) << kind;
  }
  EXPECT_EQ(PostedCloses(), 0);
}

TEST_F(FlowDamagedDataTest, TargetSlotOutsideTheFourIsReportedAndReadsSlotOne) {
  for (const int kind : {FLOWCMD_MOVE_CHARGE, FLOWCMD_MOVE_HOMING}) {
    cFlowTestChara target;
    target.m_nCellW = 32;
    target.m_rcScreen.left = 300;
    cFlowTestChara chara;
    chara.m_nCellW = 32;
    chara.m_vTarget[0] = &target;
    cFlowCmd move = MoveCmd(kind, 0, 10, 1);
    move.m_pMove->m_nTargetSlot = 9;
    chara.Attach({Flow({move})});
    const int closes = PostedCloses();
    chara.SubStep();
    EXPECT_GE(PostedCloses(), closes + 1) << kind;
    EXPECT_DOUBLE_EQ(chara.m_dVx, 1.0) << kind;
  }
}

TEST_F(FlowDamagedDataTest, BindingsOnValuesOutsideTheirTables) {
  g_Progress.m_Vars[1] = -1;
  g_Progress.m_Vars[2] = 30;
  // A stored INT_MIN divided by -1 wraps instead of trapping, then meets the limits.
  cFlowCmd setTarget = Cmd(FLOWCMD_SET_TARGET);
  setTarget.m_vParam[13] = INT_MIN;
  const std::vector<std::int32_t> divide = {FLOWCMD_SET_TARGET, 2, VAROP_DIV, 0, 1};
  ApplyArrange(&setTarget, &divide, nullptr);
  EXPECT_EQ(setTarget.m_vParam[13], -999999);
  setTarget.m_vParam[13] = INT_MIN;
  const std::vector<std::int32_t> remainder = {FLOWCMD_SET_TARGET, 2, VAROP_MOD, 0, 1};
  ApplyArrange(&setTarget, &remainder, nullptr);
  EXPECT_EQ(setTarget.m_vParam[13], 0);

  // A formation or trajectory past the tables has no settable range: the value is 0.
  cFlowCmd shot = Cmd(FLOWCMD_SHOT);
  CreateEdShot(shot.m_pShot);
  shot.m_pShot->m_nFormation = 99;
  shot.m_pShot->m_nTrajectory = -3;
  const std::vector<std::int32_t> form1 = {FLOWCMD_SHOT, 2, VAROP_SET, 0, 2};
  const std::vector<std::int32_t> traj1 = {FLOWCMD_SHOT, 15, VAROP_SET, 0, 2};
  ApplyArrange(&shot, &form1, nullptr);
  ApplyArrange(&shot, &traj1, nullptr);
  EXPECT_EQ(shot.m_pShot->m_nFormParam[0], 0);
  EXPECT_EQ(shot.m_pShot->m_nTrajParam[0], 0);

  // The moves without settable parameters take no binding and report nothing.
  for (const int kind : {FLOWCMD_MOVE_GROUND_TURN, FLOWCMD_MOVE_CIRCLE, FLOWCMD_MOVE_AVOID_OFFSCREEN}) {
    cFlowCmd move = MoveCmd(kind, 0, 10, 1);
    const cEdMove before = *move.m_pMove;
    const std::vector<std::int32_t> binding = {kind, 0, VAROP_SET, 0, 2};
    ApplyArrange(&move, &binding, nullptr);
    EXPECT_EQ(move.m_pMove->m_nSpeed, before.m_nSpeed) << kind;
  }
  EXPECT_EQ(PostedCloses(), 0);
}

TEST_F(FlowDamagedDataTest, VariableFilterOfTheSearchesWithExtremeValues) {
  cFlowTestChara chara;
  struct Case {
    std::int32_t variable, value, op;
    bool passes;
  };
  const std::vector<Case> cases = {
      {INT_MIN, -1, 6, true},  // a multiple of -1: no trap on the smallest int
      {INT_MIN, 3, 6, false},  // 2147483648 is not a multiple of 3
      {INT_MIN, 2, 7, false},
      {5, 0, 6, true},         // a multiple of 0: always
      {5, 0, 7, false},        // not a multiple of 0: never
      {5, 5, 8, false},        // an unknown comparison fails
  };
  for (const Case& c : cases) {
    chara.m_vCharaVar[3] = c.variable;
    sCharaFilter filter;
    filter.bByVar = 1;
    filter.nVarIndex = 3;
    filter.nValue = c.value;
    filter.nOp = c.op;
    EXPECT_EQ(PassesCharaFilter(chara, filter), c.passes) << c.variable << " op " << c.op << " " << c.value;
  }
  EXPECT_EQ(PostedCloses(), 0);
}

}  // namespace
