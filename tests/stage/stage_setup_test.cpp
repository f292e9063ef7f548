// Stage set-up: the grid geometry, the hit schedule, placement of characters and items,
// and the set-up's refusals of data that would break the running stage.
#include "stage/stage_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/random.h"
#include "data/flow/shot_block.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

TEST(StageGridTest, RowLengthIsThePowerOfTwoAboveTheWidthAndMargins) {
  struct Case {
    int width;
    int rowLength;
  } const cases[] = {{12, 32}, {13, 64}, {0, 32}, {44, 64}, {45, 128}, {32767, 65536}};
  for (const Case& c : cases) EXPECT_EQ(1 << GridRowShift(c.width), c.rowLength) << "W = " << c.width;
}

TEST(StageGridTest, HitScheduleSpreadsTheChecksOverTheSubSteps) {
  struct Case {
    int n, k;
    std::vector<std::int32_t> steps;
  } const cases[] = {
      {8, 3, {1, 0, 1, 0, 0, 1, 0, 0}},
      {8, 5, {1, 1, 0, 1, 1, 0, 1, 0}},
      // 8 / 7 summed in double precision stays just below 8: every entry is set.
      {8, 7, {1, 1, 1, 1, 1, 1, 1, 1}},
      {8, 0, {1, 1, 1, 1, 1, 1, 1, 1}},
      {3, 1, {1, 0, 0}},
      // Counts from a damaged file: negative is every sub-step, too many is every one.
      {4, -5, {1, 1, 1, 1}},
      {4, 2000000000, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    std::vector<std::int32_t> steps;
    BuildHitSteps(steps, c.n, c.k);
    EXPECT_EQ(steps, c.steps) << c.k << " of " << c.n;
  }
}

using StageSetupTest = StageSceneTest;

TEST_F(StageSetupTest, BackgroundRowsTakeOnlyNamesThatFit) {
  const std::vector<DDSURFACEDEF> saved(g_FixedSurfaceDef + kFirstBackgroundRow,
                                        g_FixedSurfaceDef + kFirstBackgroundRow + kBackgroundRowCount);
  g_StageData.m_vBack.resize(3);
  g_StageData.m_vBack[0].m_strPicture = "bmp\\back.bmp";
  g_StageData.m_vBack[1].m_strPicture = "bmp\\fill.bmp";
  g_StageData.m_vBack[0].m_bFill = 0;
  g_StageData.m_vBack[1].m_bFill = 1;
  g_StageData.m_vBack[2].m_bFill = 0;
  g_StageData.m_vBack[2].m_strPicture = std::string(5000, 'a');
  NameBackgroundRows();
  EXPECT_STREQ(g_FixedSurfaceDef[kFirstBackgroundRow].szFile, "bmp\\back.bmp");
  EXPECT_STREQ(g_FixedSurfaceDef[kFirstBackgroundRow + 1].szFile, "");
  EXPECT_STREQ(g_FixedSurfaceDef[kFirstBackgroundRow + 2].szFile, "");  // too long for the row
  EXPECT_STREQ(g_FixedSurfaceDef[kFirstBackgroundRow + 7].szFile, "");
  std::copy(saved.begin(), saved.end(), g_FixedSurfaceDef + kFirstBackgroundRow);
}

TEST_F(StageSetupTest, BuildsGridPlayerAndCounters) {
  g_StageData.m_vBlockPlace.resize(1);
  g_StageData.m_vBlockPlace[0].m_nGraphic = 7;
  g_StageData.m_vBlockPlace[0].m_nCellX = 4;
  g_StageData.m_vBlockPlace[0].m_nCellY = 11;
  g_StageData.m_nHitChecksPerFrame = 1;
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  EXPECT_EQ(m_pScene->m_ScrollX.m_nStride, 64);
  EXPECT_EQ(g_vBlockMap.size(), static_cast<std::size_t>((15 + 20) * 64));
  EXPECT_EQ(g_vBlockMap[(4 + 10) + ((11 + 10) << 6)].m_nGraphic, 7);
  ASSERT_EQ(g_vPlayer.size(), 1u);
  EXPECT_EQ(g_vPlayer[0].m_nObjId, 0);
  EXPECT_EQ(m_pScene->m_nNextCharaId, 1);
  EXPECT_EQ(m_pScene->m_vHitStep, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(m_pScene->m_nTimeLeft, 999);
  EXPECT_EQ(m_pScene->m_bNoTimeLimit, 1);
  EXPECT_EQ(m_pScene->m_vStageVar.size(), static_cast<std::size_t>(kStageVarCount));
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(StageSetupTest, WithoutRecordingEverySetUpDrawsTheSameNumbers) {
  // The seed starts defined and is kept from set-up to set-up when no replay records.
  std::vector<int> first;
  std::vector<int> second;
  for (std::vector<int>* draws : {&first, &second}) {
    delete m_pScene;
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
    for (int i = 0; i < 5; ++i) draws->push_back(GetRand(0, 1000000));
  }
  EXPECT_EQ(m_pScene->m_nSeed, 0);
  EXPECT_EQ(first, second);
}

TEST_F(StageSetupTest, RefusesAStageTooLargeForTheGrid) {
  struct Case {
    int width, height;
  } const cases[] = {{40000, 10}, {10, 40000}, {-1, 10}, {30000, 30000}};
  for (const Case& c : cases) {
    g_StageData.m_nWidth = c.width;
    g_StageData.m_nHeight = c.height;
    ClearPostedMessages();
    EXPECT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_FAILED) << c.width << " x " << c.height;
    EXPECT_GE(CountPostedMessages(WM_CLOSE), 1);
  }
}

TEST_F(StageSetupTest, CopiesOfAPlacementAndCarriedItems) {
  cPaletteChara none = Chara(CHARACTRL_COMPUTER, 6, 10);
  none.m_nCopies = -1;  // no character at all
  cPaletteChara three = Chara(CHARACTRL_COMPUTER, 8, 10);
  three.m_nCopies = 2;
  cPaletteChara carrier = Chara(CHARACTRL_COMPUTER, 10, 10);
  carrier.m_nCarryItem = 1;
  g_StageData.m_vCharaPlace.push_back(none);
  g_StageData.m_vCharaPlace.push_back(three);
  g_StageData.m_vCharaPlace.push_back(carrier);
  g_StageData.m_vItemPlace = {Item(2, 10), Item(12, 10)};
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  EXPECT_EQ(g_listChara.size(), 4u);
  int id = 1;
  for (const cChara& chara : g_listChara) EXPECT_EQ(chara.m_nObjId, id++);
  // The carried item is placed only as carried; the other one lies free.
  ASSERT_EQ(g_listItem.size(), 1u);
  EXPECT_EQ(g_listItem.front().m_ItemDef.m_nCellX, 2);
  EXPECT_EQ(g_listChara.back().m_Item.m_bCarried, 1);
  std::size_t listed = 0;
  for (const auto& group : m_pScene->m_vGroupList) listed += group.size();
  EXPECT_EQ(listed, 5u);
}

TEST_F(StageSetupTest, RepairsSidesOutsideTheGroupLists) {
  cPaletteChara chara = Chara(CHARACTRL_COMPUTER, 8, 10);
  chara.m_nSide = 12;
  g_StageData.m_vCharaPlace.push_back(chara);
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  ASSERT_EQ(g_listChara.size(), 1u);
  EXPECT_EQ(g_listChara.front().m_nLayer, kGroupCount - 1);
  EXPECT_EQ(m_pScene->m_vGroupList[kGroupCount - 1].size(), 1u);
}

TEST_F(StageSetupTest, SpawnedBlockOutsideTheGridChangesNothing) {
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  const std::vector<cBlockCell> before = g_vBlockMap;
  cEdShot summon;
  cPaletteBlock block;
  block.m_nGraphic = 3;
  // Column 64 is past the end of a 64-cell row: it must not land in the next row.
  const double xPastRow = 64 * 32;
  m_pScene->SpawnBlock(xPastRow, 12 * 32, 0, summon, block);
  m_pScene->SpawnBlock(100, -200, 0, summon, block);
  m_pScene->SpawnBlock(100, 35 * 32 + 40, 0, summon, block);
  for (std::size_t i = 0; i < g_vBlockMap.size(); ++i) ASSERT_EQ(g_vBlockMap[i].m_nGraphic, before[i].m_nGraphic) << i;
  // Inside, the cell changes.
  m_pScene->SpawnBlock(14 * 32, 12 * 32, 0, summon, block);
  EXPECT_EQ(g_vBlockMap[14 + (12 << 6)].m_nGraphic, 3);
}

TEST_F(StageSetupTest, ToggleChangesACellOncePerSetUp) {
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  cEdShot summon;
  summon.m_nBlockSummonMode = 2;
  cPaletteBlock block;
  block.m_nGraphic = 3;
  m_pScene->SpawnBlock(14 * 32, 12 * 32, 0, summon, block);
  m_pScene->SpawnBlock(14 * 32, 12 * 32, 0, summon, block);
  EXPECT_EQ(g_vBlockMap[14 + (12 << 6)].m_nGraphic, 3);
  EXPECT_EQ(m_pScene->m_vSummonedCell.size(), 1u);
}

}  // namespace
