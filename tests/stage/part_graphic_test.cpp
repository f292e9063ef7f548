// Where a part's picture is read from: sheets, cells, the dedicated bitmaps with custom
// cells, and the numbers from damaged data that must neither read another sheet nor stop
// the game.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/database/bmp_chara_exc_data.h"
#include "data/database/database.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "objects/chara.h"
#include "objects/chara_effect_draw.h"
#include "objects/part_graphic.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"

namespace {

class PartGraphicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedDatabase = g_Database;
    for (int row = 0; row < kFixedSurfaceCount; ++row) {
      m_SavedSize.push_back({g_FixedSurface[row].nWidth, g_FixedSurface[row].nHeight});
      // Every sheet as large as the game's: 640 x 480.
      g_FixedSurface[row].nWidth = 640;
      g_FixedSurface[row].nHeight = 480;
    }
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    // One dedicated bitmap (entry 1): four surfaces.
    m_pScene->m_vCharaExcSurface.resize(4);
    for (DDSURFACEDATA& sd : m_pScene->m_vCharaExcSurface) {
      sd.nWidth = 512;
      sd.nHeight = 2048;
    }
    g_Database.m_BmpCharaExc.assign(2, cBmpCharaExcData());
  }
  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    for (int row = 0; row < kFixedSurfaceCount; ++row) {
      g_FixedSurface[row].nWidth = m_SavedSize[static_cast<std::size_t>(row)].first;
      g_FixedSurface[row].nHeight = m_SavedSize[static_cast<std::size_t>(row)].second;
    }
    g_Database = m_SavedDatabase;
  }
  static int RowOf(const DDSURFACEDATA* sd) { return sd == nullptr ? -1 : static_cast<int>(sd - g_FixedSurface); }
  int DedicatedIndexOf(const DDSURFACEDATA* sd) const {
    return sd == nullptr ? -1 : static_cast<int>(sd - m_pScene->m_vCharaExcSurface.data());
  }

  cSceneGame* m_pScene = nullptr;

 private:
  cDatabase m_SavedDatabase;
  std::vector<std::pair<int, int>> m_SavedSize;
};

TEST_F(PartGraphicTest, SheetsAndCellsOfEachKind) {
  struct Case {
    const char* name;
    std::int32_t use;
    std::int32_t kind;
    std::int32_t graphic;
    std::int32_t pattern;
    std::int32_t extra;
    std::int32_t facing;
    int rowThis;
    int rowOther;
    std::int32_t cellX;
    std::int32_t cellY;
  };
  const Case cases[] = {
      {"block", PARTUSE_PLAIN, PARTKIND_BLOCK, 17, 0, 0, 0, 2, 2, 32, 64},
      {"character facing left", PARTUSE_CHARA, PARTKIND_CHARA, 16, 2, 1, 0, 6, 7, 96, 32},
      {"character facing right", PARTUSE_CHARA, PARTKIND_CHARA, 16, 2, 1, 1, 7, 6, 96, 32},
      {"character icon past pattern 19: the mirrored sheet", PARTUSE_PLAIN, PARTKIND_CHARA, 3, 25, 0, 0, 5, 4, 160, 96},
      {"character past the eighth sheet: first cell", PARTUSE_CHARA, PARTKIND_CHARA, 120, 1, 0, 0, 4, 5, 0, 0},
      {"negative character graphic: first cell", PARTUSE_CHARA, PARTKIND_CHARA, -3, 1, 0, 1, 4, 5, 0, 0},
      {"character cell past its sheet: first cell", PARTUSE_CHARA, PARTKIND_CHARA, 2, 15, 10, 1, 4, 5, 0, 0},
      {"item frame", PARTUSE_ITEM, PARTKIND_ITEM, 16, 0, 1, 0, 40, 40, 96, 32},
      {"shot facing right", PARTUSE_CHARA, PARTKIND_SHOT, 31, 0, 0, 1, 64, 63, 64, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cChara obj;
    obj.m_nFacing = c.facing;
    cPartGraphic part;
    part.Set(c.use, c.kind, c.graphic, c.pattern, &obj, c.extra);
    ASSERT_TRUE(part.HasPicture());
    EXPECT_EQ(RowOf(part.m_pSrc[0]), c.rowThis);
    EXPECT_EQ(RowOf(part.m_pSrc[1]), c.rowOther);
    EXPECT_EQ(part.m_nCellX, c.cellX);
    EXPECT_EQ(part.m_nCellY, c.cellY);
    EXPECT_EQ(part.m_bCustomCell, 0);
  }
}

TEST_F(PartGraphicTest, DedicatedBitmapsWithCustomCellsOfAnySize) {
  struct Case {
    const char* name;
    std::int32_t large;
    std::int32_t factor;
    std::int32_t pattern;
    std::int32_t cellSize;
    std::int32_t cellX;
    std::int32_t cellY;
  };
  const Case cases[] = {
      {"plain cells, 16 a row", 0, 0, 17, 1, 32, 32},
      {"cells of two blocks, 8 a row", 1, 2, 9, 2, 64, 64},
      {"size 0 would divide by zero: one block", 1, 0, 17, 1, 32, 32},
      {"negative size: one block", 1, -4, 3, 1, 96, 0},
      {"size past a row would leave none: one cell a row", 1, 40, 3, 16, 0, 1536},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_Database.m_BmpCharaExc[1].m_bLarge = c.large;
    g_Database.m_BmpCharaExc[1].m_nLargeFactor = c.factor;
    cChara obj;
    obj.m_nFacing = 1;
    cPartGraphic part;
    part.Set(PARTUSE_CHARA, PARTKIND_DEDICATED, 1, c.pattern, &obj, 0);
    ASSERT_TRUE(part.HasPicture());
    EXPECT_EQ(DedicatedIndexOf(part.m_pSrc[0]), 1);  // the mirrored one for facing right
    EXPECT_EQ(DedicatedIndexOf(part.m_pSrc[1]), 0);
    EXPECT_EQ(DedicatedIndexOf(part.m_pCompanion[0]), 3);
    EXPECT_EQ(part.m_bCustomCell, c.large);
    EXPECT_EQ(part.m_nCellSize, c.cellSize);
    EXPECT_EQ(part.m_nCellX, c.cellX);
    EXPECT_EQ(part.m_nCellY, c.cellY);
  }
}

TEST_F(PartGraphicTest, PartsWithoutAPictureDrawNothing) {
  struct Case {
    const char* name;
    std::int32_t kind;
    std::int32_t graphic;
  };
  const Case cases[] = {
      {"dedicated bitmap 0", PARTKIND_DEDICATED, 0},
      {"dedicated bitmap not loaded", PARTKIND_DEDICATED, 2},
      {"negative dedicated bitmap", PARTKIND_DEDICATED, -7},
      {"negative block", PARTKIND_BLOCK, -1},
      {"unknown kind", 9, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cChara obj;
    cPartGraphic part;
    part.Set(PARTUSE_CHARA, c.kind, c.graphic, 0, &obj, 0);
    EXPECT_FALSE(part.HasPicture());
    // Drawing it does nothing and does not crash.
    DrawPartIcon(&g_BackBuffer, 0, 0, c.kind, c.graphic, 0);
  }
  // Without a stage scene there are no dedicated bitmaps.
  g_lpSceneGame = nullptr;
  cPartGraphic part;
  part.Set(PARTUSE_PLAIN, PARTKIND_DEDICATED, 1, 0, nullptr, 0);
  EXPECT_FALSE(part.HasPicture());
  g_lpSceneGame = m_pScene;
}

TEST_F(PartGraphicTest, SpritesAreScaledOnlyWhenTheirSizeDiffersFromTheCell) {
  struct Case {
    const char* name;
    std::int32_t giant;
    std::int32_t large;
    std::int32_t factor;
    bool scaled;
  };
  const Case cases[] = {
      {"giant 1, plain cell", 1, 0, 0, false},
      {"giant 2, plain cell", 2, 0, 0, true},
      {"giant 2, custom cell of 2", 2, 1, 2, false},
      {"giant 1, custom cell of 2", 1, 1, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_Database.m_BmpCharaExc[1].m_bLarge = c.large;
    g_Database.m_BmpCharaExc[1].m_nLargeFactor = c.factor;
    cChara chara;
    chara.m_Def.m_nSize = static_cast<std::int8_t>(c.giant);
    cPartGraphic part;
    part.Set(PARTUSE_CHARA, PARTKIND_DEDICATED, 1, 0, &chara, 0);
    EXPECT_EQ(CharaSpriteScaled(chara, part), c.scaled);
  }
}

}  // namespace
