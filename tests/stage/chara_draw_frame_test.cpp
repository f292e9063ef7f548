// Characters drawn into the back buffer in a few poses, on every display mode, compared
// pixel for pixel with the same cells blitted by hand: which sheet, which cell, where, at
// what size, with the mark on top; a blinking character first disappears.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/database/anime_set_data.h"
#include "data/database/chara_effect_data.h"
#include "data/database/database.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_pixels.h"
#include "objects/chara.h"
#include "objects/chara_effect.h"
#include "objects/distance_ranges.h"
#include "objects/part_graphic.h"
#include "app/test_play_flag.h"
#include "data/flow/condition.h"
#include "data/flow/flow_enumerations.h"
#include "shell/game_mgr.h"
#include "stage/effect_run_tables.h"
#include "stage/scene_game.h"
#include "tests/media/draw_test_util.h"

namespace {

constexpr int kBackground = 9;

cAnimeSetData SetShowing(std::int32_t pattern) {
  cAnimeSetData set;
  set.m_vState.assign(1, cAnimeData());
  cAnimeFrame frame;
  frame.m_nPattern = pattern;
  frame.m_nTime = 100;
  set.m_vState[0].m_vFrame = {frame};
  return set;
}

class CharaDrawFrame : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    m_SavedDatabase = g_Database;
    g_Database.m_AnimeSet = {cAnimeSetData(), SetShowing(0), SetShowing(1)};
    cCharaEffectData blink;
    blink.m_nKind = 6;
    blink.m_nParam[0] = 100;
    blink.m_nParam[1] = 0;  // flips every frame
    cCharaEffectData burst;  // quarters 6 dots apart at first
    burst.m_nKind = 1;
    burst.m_nParam[0] = 10;
    burst.m_nParam[1] = 6;
    burst.m_nParam[2] = 30;
    cCharaEffectData zoom;  // 40 dots wide at first: 8 more than the sprite
    zoom.m_nKind = 11;
    zoom.m_nParam[0] = 10;
    zoom.m_nParam[1] = 40;
    zoom.m_nParam[2] = 64;
    // Damaged entries: bands that would divide by zero or have no size.
    const auto damaged = [](std::int32_t kind, std::int32_t p3, std::int32_t p4) {
      cCharaEffectData e;
      e.m_nKind = kind;
      e.m_nParam[0] = 10;
      e.m_nParam[1] = 4;
      e.m_nParam[2] = 20;
      e.m_nParam[3] = p3;
      e.m_nParam[4] = p4;
      return e;
    };
    g_Database.m_CharaEffect = {cCharaEffectData(), blink,
                                burst,              zoom,
                                damaged(2, 0, 0),   damaged(3, -3, 0),
                                damaged(4, 2, 0),   damaged(10, 0, 0)};
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
  }
  void TearDown() override {
    g_Database = m_SavedDatabase;
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
    cDisplayTest::TearDown();
  }
  // The first character sheet, plain and mirrored per cell, and the mark sheet.
  bool LoadSheets() {
    if (!LoadSheet(&g_FixedSurface[kFirstCharaSheetRow]) || !LoadSheet(&g_FixedSurface[kMarkSheetRow])) return false;
    DDSURFACEDATA& mirrored = g_FixedSurface[kFirstCharaSheetRow + 1];
    if (lpDTCon != nullptr) {
      if (DDCreateSurfaceFromFile(&mirrored, "sheet.bmp", 1, g_nBpp, 0, 0, 1, 0, 32, 0, 0) != 0) return false;
      mirrored.lpAlias = &g_FixedSurface[kFirstCharaSheetRow];
      return true;
    }
    return LoadSheet(&mirrored, 0, 0, 32);
  }
  static void MakeChara(cChara& c, int x, int y, std::int32_t facing, std::int32_t set, std::int32_t giant) {
    c.m_dX = x;
    c.m_dY = y;
    c.m_nFacing = facing;
    c.m_nGraphic = 0;
    c.m_Def.m_nGraphicKind = PARTKIND_CHARA;
    c.m_Def.m_nSize = static_cast<std::int8_t>(giant);
    c.m_nBaseCellW = c.m_nBaseCellH = 32;
    c.m_nCellW = c.m_nCellH = 32 * giant;
    c.SetAnimeSet(set, 1);
  }
  // Compares the frame drawn with the one `reference` blits by hand over the background.
  template <typename Reference>
  void ExpectSameAs(const std::string& name, Reference reference) {
    const cPixelBuffer drawn = Pixels(&g_BackBuffer);
    DDFillSurface(&g_BackBuffer, kBackground);
    reference();
    const cPixelBuffer expected = Pixels(&g_BackBuffer);
    ExpectPixels(std::string(GetParam().name) + "_" + name, drawn,
                 [&](int x, int y) -> std::uint32_t { return expected.Get(x, y); });
  }

 private:
  cDatabase m_SavedDatabase;
};

TEST_P(CharaDrawFrame, PosesDrawTheirCellsWhereTheCharacterStands) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  ASSERT_TRUE(LoadSheets());
  DDSURFACEDATA* plain = &g_FixedSurface[kFirstCharaSheetRow];
  DDSURFACEDATA* mirrored = &g_FixedSurface[kFirstCharaSheetRow + 1];
  DDSURFACEDATA* marks = &g_FixedSurface[kMarkSheetRow];

  DDFillSurface(&g_BackBuffer, kBackground);
  cChara left, right, giant, marked;
  MakeChara(left, 10, 20, 0, 2, 1);   // pattern 1, facing left
  MakeChara(right, 60, 20, 1, 1, 1);  // pattern 0, facing right: the mirrored sheet
  MakeChara(giant, 110, 20, 0, 2, 2); // pattern 1 at twice the size
  MakeChara(marked, 200, 100, 0, 1, 1);
  marked.m_Def.m_nEmblemShow = 1;
  marked.m_Def.m_nEmblem = 1;  // mark 1: cell (0, 32)
  for (cChara* c : {&left, &right, &giant, &marked}) c->Draw(&g_BackBuffer, 0);
  ExpectSameAs("poses", [&] {
    DDBlt(&g_BackBuffer, 10, 20, 32, 32, plain, 32, 0, 1);
    DDBlt(&g_BackBuffer, 60, 20, 32, 32, mirrored, 0, 0, 1);
    DDStretchBlt(&g_BackBuffer, 110, 20, 64, 64, plain, 32, 0, 32, 32, 1);
    DDBlt(&g_BackBuffer, 200, 100, 32, 32, plain, 0, 0, 1);
    DDBlt(&g_BackBuffer, 200, 100, 32, 32, marks, 0, 32, 1);
  });
}

TEST_P(CharaDrawFrame, ABlinkingCharacterFirstDisappearsAndATransparentOneStaysUnseen) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  ASSERT_TRUE(LoadSheets());
  DDSURFACEDATA* plain = &g_FixedSurface[kFirstCharaSheetRow];
  cChara blinking, hidden;
  MakeChara(blinking, 30, 40, 0, 2, 1);
  blinking.m_CharaEffect.Start(1, CHARAFX_RUN_NORMAL, 0);
  MakeChara(hidden, 100, 40, 0, 1, 1);
  hidden.m_Def.m_bHidden = 1;

  DDFillSurface(&g_BackBuffer, kBackground);
  blinking.Draw(&g_BackBuffer, 0);
  hidden.Draw(&g_BackBuffer, 0);
  ExpectSameAs("blink_off", [] {});

  DDFillSurface(&g_BackBuffer, kBackground);
  blinking.Draw(&g_BackBuffer, 0);
  hidden.Draw(&g_BackBuffer, 0);
  ExpectSameAs("blink_on", [&] { DDBlt(&g_BackBuffer, 30, 40, 32, 32, plain, 32, 0, 1); });
  EXPECT_EQ(blinking.m_CharaEffect.m_nId, 1);
}

TEST_P(CharaDrawFrame, EffectsDrawTheSpriteThroughTheirBlitAtTheirValue) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  ASSERT_TRUE(LoadSheets());
  DDSURFACEDATA* plain = &g_FixedSurface[kFirstCharaSheetRow];
  cChara burst, zoom;
  MakeChara(burst, 30, 40, 0, 2, 1);
  burst.m_CharaEffect.Start(2, CHARAFX_RUN_NORMAL, 0);
  MakeChara(zoom, 150, 60, 0, 1, 1);
  zoom.m_CharaEffect.Start(3, CHARAFX_RUN_NORMAL, 0);
  DDFillSurface(&g_BackBuffer, kBackground);
  burst.Draw(&g_BackBuffer, 0);
  zoom.Draw(&g_BackBuffer, 0);
  ExpectSameAs("burst_zoom", [&] {
    DDQuarterSplitBlt(&g_BackBuffer, 30, 40, 32, 32, plain, 32, 0, 6, 1);
    DDStretchBlt(&g_BackBuffer, 146, 56, 40, 40, plain, 0, 0, 32, 32, 1);
  });
  EXPECT_GT(burst.m_CharaEffect.m_dValue, 6.0);  // stepped after drawing
}

TEST_P(CharaDrawFrame, DistanceRangesShowByTheirDisplaySetting) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  cSceneGame scene;
  g_lpSceneGame = &scene;
  cChara chara;
  MakeChara(chara, 100, 50, 0, 1, 1);
  chara.UpdateScreenRect();
  chara.m_bOnScreen = 1;
  chara.m_bActive = 1;
  scene.m_vGroupList.assign(kGroupCount, {});
  scene.m_vGroupList[1].push_back(&chara);
  cCond always;  // shown always, colour 2, 2 half-blocks either side of the whole cell
  always.m_nKind = COND_DISTANCE;
  always.m_nLeftSrc = 1;
  always.m_nSelect = 2;
  always.m_nValue = 2;
  always.m_nShape = 0;
  cCond testPlayOnly = always;  // a horizontal pair, only in a test play
  testPlayOnly.m_nLeftSrc = 2;
  testPlayOnly.m_nShape = 3;
  chara.m_Def.m_vCond.Edit() = {always, testPlayOnly};
  const int savedTestPlay = g_bTestPlay;
  g_bTestPlay = 0;
  DDFillSurface(&g_BackBuffer, kBackground);
  DrawDistanceCondRanges(&g_BackBuffer);
  g_lpSceneGame = nullptr;
  g_bTestPlay = savedTestPlay;
  // The cell spans 100..131: the lines stand 32 dots outside it, in colour group 2
  // (entries 216-219), the entry stepping with the blink counter.
  const auto colour = static_cast<DWORD>(216 + (RangeBlinkCounter() >> 3));
  ExpectSameAs("ranges", [colour] {
    DDFillRect(&g_BackBuffer, 68, 0, 1, 480, colour);
    DDFillRect(&g_BackBuffer, 164, 0, 1, 480, colour);
  });
}

TEST_P(CharaDrawFrame, EffectsWithBandsOfNoSizeDrawTheSpritePlainly) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  ASSERT_TRUE(LoadSheets());
  DDSURFACEDATA* plain = &g_FixedSurface[kFirstCharaSheetRow];
  // Split in rows by 0 parts and in columns by -3, a wave of roughness 0, a circle of
  // step 0: each shows the sprite as it is and runs on.
  const std::int32_t plainIds[] = {4, 5, 6, 7};
  cChara charas[4];
  DDFillSurface(&g_BackBuffer, kBackground);
  for (int i = 0; i < 4; ++i) {
    MakeChara(charas[i], 10 + 50 * i, 30, 0, 2, 1);
    charas[i].m_CharaEffect.Start(plainIds[i], CHARAFX_RUN_NORMAL, 0);
    charas[i].Draw(&g_BackBuffer, 0);
    EXPECT_EQ(charas[i].m_CharaEffect.m_nId, plainIds[i]);  // still running
  }
  ExpectSameAs("plain_fallbacks", [&] {
    for (int i = 0; i < 4; ++i) DDBlt(&g_BackBuffer, 10 + 50 * i, 30, 32, 32, plain, 32, 0, 1);
  });
}

INSTANTIATE_TEST_SUITE_P(AllModes, CharaDrawFrame, ::testing::ValuesIn(kAllConfigs),
                         [](const ::testing::TestParamInfo<DisplayConfig>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
