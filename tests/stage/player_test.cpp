#include "objects/player.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/flow/flow_command.h"
#include "flow/flow_run.h"
#include "objects/item.h"
#include "tests/stage/object_world.h"

namespace {

class PlayerTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    g_StageData.m_nPlayerWalkW = 16;
    g_StageData.m_nPlayerWalkH = 24;
    g_StageData.m_bPlayerWalkBottom = 1;
    g_StageData.m_nPlayerFlyW = 16;
    g_StageData.m_nPlayerFlyH = 16;
    g_StageData.m_nPlayerHitWalkW = 16;
    g_StageData.m_nPlayerHitWalkH = 24;
    g_StageData.m_nPlayerHitKind1W = 16;
    g_StageData.m_nPlayerHitKind1H = 24;
    g_StageData.m_nPlayerBoxW = 16;
    g_StageData.m_nPlayerBoxH = 24;
    g_vPlayer.resize(1);
  }

  cPlayer& Hero() { return g_vPlayer[0]; }

  // A player standing, ready to jump, with a jump command of the given kind.
  void ReadyToJump(int kind) {
    cPaletteChara def;
    def.m_nController = 0;
    Hero().Init(0, def, 0, 0);
    Hero().m_bAirborne = 0;
    m_Cmd.m_vParam = {kind, 0, 0, 0, 0};
    m_Run.m_lpCmd = &m_Cmd;
    m_Run.m_nDuration = 10;
    m_Run.m_dSpeed = -7;
  }

  void Jump() {
    Hero().m_bJumpCmdRan = 0;  // a new sub-step
    Hero().RunJump(&m_Run);
  }

  cFlowCmd m_Cmd;
  cFlowCmdRun m_Run;
};

TEST_F(PlayerTest, PlayerNumberWithoutInputRecordReadsRecordZero) {
  const struct {
    int playerNo;
    int record;
  } cases[] = {{0, 0}, {1, 1}, {2, 0}, {-1, 0}, {127, 0}};
  for (const auto& c : cases) {
    cPaletteChara def;
    def.m_nPlayerNo = static_cast<std::int8_t>(c.playerNo);
    Hero().Init(0, def, 0, 0);
    EXPECT_EQ(Hero().m_pInput, &g_Input[static_cast<std::size_t>(c.record)]) << c.playerNo;
    EXPECT_EQ(&Hero().Input(), &g_Input[static_cast<std::size_t>(c.record)]);
  }
}

TEST_F(PlayerTest, HitPartsLargestFirstWithBoundedColours) {
  g_StageData.m_nPlayerPartSel0 = 9;   // box
  g_StageData.m_nPlayerPartSel1 = -3;  // area A
  g_StageData.m_nPlayerPartSel2 = 7;   // area C
  g_StageData.m_nPlayerPartSel3 = 2;   // area B
  cPaletteChara def;
  Hero().Init(0, def, 0, 0);
  // All four 16 x 24: the build order box, C, A, B stays.
  std::vector<int> types;
  for (const cHitPart& part : Hero().m_vHitPart) types.push_back(part.m_nType);
  EXPECT_EQ(types, (std::vector<int>{0, 2, 1, 3}));
  std::vector<int> colours;
  for (const cHitPart& part : Hero().m_vHitPart) colours.push_back(part.m_nColor);
  EXPECT_EQ(colours, (std::vector<int>{236, 236, 208, 216}));

  g_StageData.m_nPlayerBoxW = 30;  // area C grows
  Hero().Init(0, def, 0, 0);
  EXPECT_EQ(Hero().m_vHitPart.front().m_nType, 2);
}

TEST_F(PlayerTest, CameraFollowsOnlyAStillAxisAndTheLowerLimitWins) {
  cPaletteChara def;
  Hero().Init(0, def, 0, 0);
  cScroll& axis = Scene().m_ScrollX;
  axis.m_nMax = 2000;
  Hero().m_dX = 700;
  Hero().ConstrainX();
  EXPECT_EQ(axis.m_dPos, 700 - (320 - 8));

  axis.m_dSpeed = 0.5;
  axis.m_dPos = 320;
  Hero().ConstrainX();
  EXPECT_EQ(axis.m_dPos, 320);

  // A stage narrower than the view: the range 320..600 holds no 640-dot view.
  axis.m_dSpeed = 0;
  axis.m_nMax = 600;
  Hero().m_dX = 900;
  Hero().ConstrainX();
  EXPECT_EQ(axis.m_dPos, 320);
}

TEST_F(PlayerTest, IgnoreListHoldsIdsNotAddresses) {
  cItem item;
  item.m_nObjId = 5;
  Hero().Ignore(&item);
  EXPECT_FALSE(Hero().IsNotIgnored(&item));
  // A new item in the same storage is a different object.
  item.m_nObjId = 6;
  EXPECT_TRUE(Hero().IsNotIgnored(&item));
  item.m_nObjId = 5;
  Hero().Unignore(&item);
  EXPECT_TRUE(Hero().IsNotIgnored(&item));
}

TEST_F(PlayerTest, EarlyReleaseCutsTheRiseOnce) {
  ReadyToJump(0);  // kind 0: the key counts as held
  Jump();
  EXPECT_EQ(Hero().m_dVy, -7);
  EXPECT_EQ(m_Run.m_bStarted, 1);
  Jump();
  Jump();
  EXPECT_EQ(Hero().m_nJumpHoldSteps, 3);
  m_Cmd.m_vParam[0] = 1;  // key-controlled, and no key condition: not held
  Jump();
  EXPECT_DOUBLE_EQ(Hero().m_dVy, -7 * 0.3);
  EXPECT_EQ(Hero().m_bJumpHoldOver, 1);
  Jump();
  EXPECT_DOUBLE_EQ(Hero().m_dVy, -7 * 0.3);
}

TEST_F(PlayerTest, ReleaseAfterTheHoldEndedChangesNothing) {
  ReadyToJump(0);
  for (int i = 0; i < 10; ++i) Jump();
  EXPECT_EQ(Hero().m_bJumpHoldOver, 1);
  m_Cmd.m_vParam[0] = 1;
  Jump();
  EXPECT_EQ(Hero().m_dVy, -7);
}

TEST_F(PlayerTest, JumpOffACharacterWaitsForTheLastSubStep) {
  SetLevel(2);
  ReadyToJump(0);
  Hero().m_bRiding = 1;
  Scene().m_nSubStep = 1;
  Jump();
  EXPECT_EQ(Hero().m_dVy, 0);
  EXPECT_EQ(Hero().m_bRiding, 1);
  Scene().m_nSubStep = 2;
  Jump();
  EXPECT_EQ(Hero().m_dVy, -7 * 1.0199999809265137);
  EXPECT_EQ(Hero().m_bRiding, 0);
}

TEST_F(PlayerTest, ItemCommandsStopAtStageClearAndAtDefeat) {
  cPaletteChara def;
  Hero().Init(0, def, 0, 0);
  auto command = [](int kind) {
    cFlowCmd cmd;
    cmd.m_bItemCmd = 1;
    cmd.m_nKind = static_cast<std::int8_t>(kind);
    return cmd;
  };
  Hero().m_nHp = 10;
  std::vector<cFlowCmd> empty;
  EXPECT_EQ(Hero().RunItemCommands(empty), 0);
  // An unknown kind is skipped; the stage clear ends the list with 1.
  std::vector<cFlowCmd> clear = {command(99), command(-1), command(ITEMCMD_STAGE_CLEAR), command(ITEMCMD_NONE)};
  EXPECT_EQ(Hero().RunItemCommands(clear), 1);
  Hero().m_nHp = 0;
  std::vector<cFlowCmd> plain = {command(ITEMCMD_NONE)};
  EXPECT_EQ(Hero().RunItemCommands(plain), 2);
}

TEST_F(PlayerTest, SpeedLimitHoldsTheStoredVelocity) {
  cPaletteChara def;
  Hero().Init(0, def, 0, 0);
  Hero().m_dX = 500;
  Hero().m_dVx = 9;
  EXPECT_EQ(Hero().StepX(), 0);
  EXPECT_EQ(Hero().m_dVx, 6);
  EXPECT_EQ(Hero().m_dX, 506);
}

}  // namespace
