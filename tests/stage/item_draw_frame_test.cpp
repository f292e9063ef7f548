// Items drawn into the back buffer on every display mode, compared pixel for pixel with
// the cells blitted by hand: an item of the item sheet is stretched from its 32 x 32 cell
// when it is larger, and an item of a dedicated bitmap with cells of two blocks shows its
// whole 64 x 64 cell: shrunk at size 1, copied as it stands at size 2.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/database/bmp_chara_exc_data.h"
#include "data/database/database.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_pixels.h"
#include "objects/item.h"
#include "objects/part_graphic.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/stage_draw_parts.h"
#include "tests/media/draw_test_util.h"

namespace {

constexpr int kItemFrameBackground = 9;
constexpr DWORD kKey = 1;

class ItemDrawFrame : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    m_SavedDatabase = g_Database;
    // Dedicated bitmap 1 holds cells of two blocks.
    g_Database.m_BmpCharaExc.assign(2, cBmpCharaExcData());
    g_Database.m_BmpCharaExc[1].m_bLarge = 1;
    g_Database.m_BmpCharaExc[1].m_nLargeFactor = 2;
  }
  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;  // releases its dedicated bitmaps before the display goes
    m_pScene = nullptr;
    g_Database = m_SavedDatabase;
    cDisplayTest::TearDown();
  }
  // The item sheet and dedicated bitmap 1 (its four surfaces), all the test sheet.
  bool LoadSheets() {
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    if (!LoadSheet(&g_FixedSurface[kItemSheetRow]) || !LoadSheet(&g_FixedSurface[kItemSheetRow + 1])) return false;
    m_pScene->m_vCharaExcSurface.resize(4);
    for (DDSURFACEDATA& sd : m_pScene->m_vCharaExcSurface)
      if (!LoadSheet(&sd)) return false;
    return true;
  }
  static void MakeItem(cItem& item, int x, int y, std::int8_t kind, std::int16_t graphic, std::int8_t size) {
    item.m_ItemDef.m_nGraphicKind = kind;
    item.m_ItemDef.m_nGraphic = graphic;
    item.m_ItemDef.m_nPattern = 0;
    item.m_ItemDef.m_nSize = size;
    item.m_nBaseCellW = item.m_nBaseCellH = 32;
    item.m_nCellW = item.m_nCellH = 32 * size;
    item.m_rcScreen.left = x;
    item.m_rcScreen.top = y;
  }

  cSceneGame* m_pScene = nullptr;

 private:
  cDatabase m_SavedDatabase;
};

TEST_P(ItemDrawFrame, ItemsShowTheirWholeCellAtTheirSize) {
  ASSERT_TRUE(Bring(GetParam(), 320, 240));
  ASSERT_TRUE(LoadSheets());
  DDSURFACEDATA* itemSheet = &g_FixedSurface[kItemSheetRow];
  DDSURFACEDATA* dedicated = &m_pScene->m_vCharaExcSurface[0];
  const struct {
    const char* name;
    std::int8_t kind;
    std::int16_t graphic;
    std::int8_t size;
  } cases[] = {
      {"item sheet, size 1: copied", PARTKIND_ITEM, 0, 1},
      {"item sheet, size 2: stretched from 32 x 32", PARTKIND_ITEM, 0, 2},
      {"two-block cells, size 1: shrunk from 64 x 64", PARTKIND_DEDICATED, 1, 1},
      {"two-block cells, size 2: copied", PARTKIND_DEDICATED, 1, 2},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DDFillSurface(&g_BackBuffer, kItemFrameBackground);
    cItem item;
    MakeItem(item, 20, 30, c.kind, c.graphic, c.size);
    DrawItemSprite(item, 1);
    const cPixelBuffer drawn = Pixels(&g_BackBuffer);
    DDFillSurface(&g_BackBuffer, kItemFrameBackground);
    const int w = 32 * c.size;
    if (c.kind == PARTKIND_ITEM) {
      if (c.size == 1) DDBlt(&g_BackBuffer, 20, 30, w, w, itemSheet, 0, 0, kKey);
      else DDStretchBlt(&g_BackBuffer, 20, 30, w, w, itemSheet, 0, 0, 32, 32, kKey);
    } else {
      if (c.size == 2) DDBlt(&g_BackBuffer, 20, 30, w, w, dedicated, 0, 0, kKey);
      else DDStretchBlt(&g_BackBuffer, 20, 30, w, w, dedicated, 0, 0, 64, 64, kKey);
    }
    const cPixelBuffer expected = Pixels(&g_BackBuffer);
    ExpectPixels(std::string(GetParam().name) + "_item_" + std::to_string(n++), drawn,
                 [&](int x, int y) -> std::uint32_t { return expected.Get(x, y); });
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, ItemDrawFrame, ::testing::ValuesIn(kAllConfigs),
                         [](const ::testing::TestParamInfo<DisplayConfig>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
