// Repairs of a stage, the physics values of its collision level and the size limits.
#include <gtest/gtest.h>

#include <climits>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_block.h"
#include "data/common/palette_kind.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_size_limits.h"
#include "tests/data/stage_test_support.h"

namespace {

using namespace stage_test;

class StageNormalizeTest : public cStageTest {};

TEST_F(StageNormalizeTest, ScrollLimitsAreClampedToTheStageFromAbove) {
  const struct {
    std::int32_t nWidth, nHeight;
    std::int32_t in[4];   // left, right, top, bottom
    std::int32_t out[4];
  } cases[] = {
      {30, 20, {100, 100, 100, 100}, {10, 29, 5, 19}},
      {30, 20, {10, 29, 5, 19}, {10, 29, 5, 19}},
      {30, 20, {-5, -5, -5, -5}, {-5, -5, -5, -5}},  // no lower clamp
      {0, 0, {0, 0, 0, 0}, {-20, -1, -15, -1}},
      // A width far below zero lowers the limits to the smallest value, without overflow.
      {INT32_MIN, INT32_MIN, {0, 0, 0, 0}, {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nWidth << " x " << c.nHeight << " left " << c.in[0]);
    cStageData stage;
    stage.m_nWidth = c.nWidth;
    stage.m_nHeight = c.nHeight;
    stage.m_nLimitLeft = c.in[0];
    stage.m_nLimitRight = c.in[1];
    stage.m_nLimitTop = c.in[2];
    stage.m_nLimitBottom = c.in[3];
    stage.Normalize();
    EXPECT_EQ(stage.m_nLimitLeft, c.out[0]);
    EXPECT_EQ(stage.m_nLimitRight, c.out[1]);
    EXPECT_EQ(stage.m_nLimitTop, c.out[2]);
    EXPECT_EQ(stage.m_nLimitBottom, c.out[3]);
  }
}

TEST_F(StageNormalizeTest, MusicOutsideTheBgmDatabaseMeansNone) {
  SetBgmCount(5);
  const struct {
    std::int32_t in, out;
  } cases[] = {{5, 0}, {4, 4}, {0, 0}, {-1, 0}, {INT32_MAX, 0}};
  for (const auto& c : cases) {
    cStageData stage;
    stage.m_nBgm = c.in;
    stage.Normalize();
    EXPECT_EQ(stage.m_nBgm, c.out) << c.in;
  }
}

TEST_F(StageNormalizeTest, DefinitionListsHoldAtLeastTwoEntries) {
  cStageData stage;
  stage.m_vBlockDef.resize(1);
  stage.m_vCharaDef.clear();
  stage.m_vItemDef.resize(3);
  stage.m_vItemDef[2].m_strName = "third";
  stage.Normalize();
  EXPECT_EQ(stage.m_vBlockDef.size(), 2u);
  EXPECT_EQ(stage.m_vCharaDef.size(), 2u);
  ASSERT_EQ(stage.m_vItemDef.size(), 3u);
  EXPECT_EQ(stage.m_vItemDef[2].m_strName, "third");

  // The added entry is a new entry of its class.
  cPaletteBlock fresh;
  EXPECT_EQ(BodyOf(stage.m_vBlockDef[1]), BodyOf(fresh));
}

// References of kind 2 are tested against the definitions of g_StageData once they are
// filled up: the item list of one entry has an entry 1 by then.
TEST_F(StageNormalizeTest, CommandsSeeTheDefinitionsFilledUp) {
  g_StageData.m_vItemDef.resize(1);
  g_StageData.m_vCharaDef.resize(2);
  std::vector<cFlowCmd>& cmds = g_StageData.m_vCharaDef[1].m_vFlow.emplace_back().m_vCmd;
  for (std::int16_t index : {1, 2}) {
    cFlowCmd& shot = cmds.emplace_back();
    shot.m_nKind = FLOWCMD_SHOT;
    CreateEdShot(shot.m_pShot);
    shot.m_pShot->m_nItemPalette = PALETTE_STAGE;
    shot.m_pShot->m_nItemIndex = index;
  }
  g_StageData.Normalize();
  ASSERT_EQ(g_StageData.m_vItemDef.size(), 2u);
  EXPECT_EQ(cmds[0].m_pShot->m_nItemPalette, PALETTE_STAGE);
  EXPECT_EQ(cmds[0].m_pShot->m_nItemIndex, 1);
  EXPECT_EQ(cmds[1].m_pShot->m_nItemPalette, 0);
  EXPECT_EQ(cmds[1].m_pShot->m_nItemIndex, 0);
}

TEST_F(StageNormalizeTest, EveryDefinitionAndPlacementIsRepaired) {
  cStageData stage;
  cPaletteChara player;
  player.m_nController = CHARACTRL_PLAYER;
  player.m_nCopies = 4;
  player.m_nSize = -3;
  stage.m_vCharaDef.assign(2, player);
  stage.m_vCharaPlace.assign(2, player);
  cPaletteBlock empty;
  empty.m_nGraphic = 0;
  empty.m_nHit = 1;
  empty.m_bProtected = 1;
  stage.m_vBlockPlace.assign(1, empty);
  cPaletteItem item;
  item.m_nSize = 0;
  stage.m_vItemPlace.assign(1, item);

  stage.Normalize();
  for (const cPaletteChara& c : stage.m_vCharaDef) {
    EXPECT_EQ(c.m_nCopies, 0);
    EXPECT_EQ(c.m_nSize, 1);
  }
  for (const cPaletteChara& c : stage.m_vCharaPlace) {
    EXPECT_EQ(c.m_nCopies, 0);
    EXPECT_EQ(c.m_nSize, 1);
  }
  EXPECT_EQ(stage.m_vBlockPlace[0].m_nHit, 0);
  EXPECT_EQ(stage.m_vBlockPlace[0].m_bProtected, 0);
  EXPECT_EQ(stage.m_vItemPlace[0].m_nSize, 1);
}

TEST_F(StageNormalizeTest, CollisionLevelGivesSubStepsAndSpeedLimits) {
  const struct {
    int nLevel;
    int nStored;
    int n;
    double dSpeedLimit;
  } cases[] = {
      {1, 1, 1, 6},     {3, 3, 3, 18},    {10, 10, 10, 60}, {11, 11, 1, 60}, {15, 15, 5, 60}, {19, 19, 9, 60},
      // Levels the authoring tool never stores are taken as the default level.
      {0, 10, 10, 60},  {-3, 10, 10, 60}, {20, 10, 10, 60}, {INT_MAX, 10, 10, 60}, {INT_MIN, 10, 10, 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nLevel);
    cStageData stage;
    stage.m_dGravity = 0.5;
    stage.SetCollisionLevel(c.nLevel);
    EXPECT_EQ(stage.m_nCollisionLevel, c.nStored);
    EXPECT_EQ(stage.m_nSubSteps, c.n);
    EXPECT_EQ(stage.m_dSubSteps, c.n);
    EXPECT_EQ(stage.m_nSubSteps6, 6 * c.n);
    EXPECT_EQ(stage.m_nSubSteps8, 8 * c.n);
    EXPECT_EQ(stage.m_dSubStepsSq, c.n * c.n);
    EXPECT_EQ(stage.m_dSpeedLimit, c.dSpeedLimit);
    EXPECT_EQ(stage.m_dSpeedLimitStep, c.dSpeedLimit / c.n);
    EXPECT_EQ(stage.m_dGravityStep, 0.5 / (c.n * c.n));
  }
}

TEST_F(StageNormalizeTest, NormalizeDerivesThePhysicsValuesOfTheStoredLevel) {
  cStageData stage;
  stage.m_nCollisionLevel = 15;
  stage.m_nSubSteps = 77;
  stage.m_dGravityStep = 9;
  stage.Normalize();
  EXPECT_EQ(stage.m_nSubSteps, 5);
  EXPECT_EQ(stage.m_dSpeedLimitStep, 12);
  EXPECT_EQ(stage.m_dGravityStep, 0.4 / 25);
}

TEST(StageSizeLimitsTest, GridOfTheStatedSizeIsBounded) {
  EXPECT_EQ(StageGridCells(1000, 100), 1024 * 120);
  EXPECT_EQ(StageGridCells(0, 0), 32 * 20);
  EXPECT_EQ(StageGridCells(12, 0), 32 * 20);
  EXPECT_EQ(StageGridCells(13, 0), 64 * 20);
  const struct {
    std::int32_t nWidth, nHeight;
    bool bAccepted;
  } cases[] = {
      {1000, 100, true}, {2000, 1000, true}, {2000, 1100, false}, {0, 0, true},          {-1, 10, false},
      {10, -1, false},   {32767, 1, true},   {32768, 1, false},   {16000, 100, true},    {16000, 200, false},
      {100, 16000, true}, {40000, 0, false},
      {INT32_MAX, INT32_MAX, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StageSizeWithinLimits(c.nWidth, c.nHeight), c.bAccepted) << c.nWidth << " x " << c.nHeight;
  EXPECT_TRUE(StagePixelSizeWithinLimits(1000 * 32));
  EXPECT_FALSE(StagePixelSizeWithinLimits(-32));
  EXPECT_FALSE(StagePixelSizeWithinLimits(INT32_MAX));
}

}  // namespace
