// Surfaces: bitmap files of every layout, damaged files, the device's size rules, the
// fixed table and its aliases, added and removed surfaces, mirrored copies and the 16-bit
// conversion of true-colour pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/bitmap_file.h"
#include "platform/message_box.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/bmp_writer.h"

namespace {

class SurfaceTest : public cDisplayTest {};

std::vector<std::uint32_t> Gradient(int w, int h) {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[y * w + x] = static_cast<std::uint32_t>((x * 20) << 16 | (y * 30) << 8 | (x + y));
  return px;
}

TEST_F(SurfaceTest, BitmapLayoutsReadTopDown) {
  const int w = 5, h = 3;
  const std::vector<std::uint32_t> rgb = Gradient(w, h);
  std::vector<std::uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = TestPaletteColour(i);
  std::vector<std::uint8_t> indices(w * h);
  for (int i = 0; i < w * h; ++i) indices[i] = static_cast<std::uint8_t>(i * 3);
  struct {
    const char* name;
    std::string bytes;
    int bits;
  } cases[] = {
      {"b8.bmp", MakeBmp8(w, h, palette, indices), 8},
      {"t8.bmp", MakeBmp8(w, h, palette, indices, true), 8},
      {"b24.bmp", MakeBmp24(w, h, rgb), 24},
      {"t24.bmp", MakeBmp24(w, h, rgb, true), 24},
      {"b32.bmp", MakeBmp32(w, h, rgb), 32},
  };
  for (const auto& c : cases) {
    WriteFile(c.name, c.bytes);
    cBitmapImage image;
    ASSERT_EQ(LoadBitmapFile(c.name, image), 1) << c.name;
    EXPECT_EQ(image.nBitsPerPixel, c.bits) << c.name;
    ASSERT_EQ(image.nWidth, w);
    ASSERT_EQ(image.nHeight, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t want = c.bits == 8 ? TestPaletteColour(indices[y * w + x]) : rgb[y * w + x];
        EXPECT_EQ(image.Rgb(x, y), want) << c.name << " " << x << "," << y;
      }
  }
}

TEST_F(SurfaceTest, DamagedBitmapsAreLoadFailures) {
  std::string header = MakeBmp24(4, 4, Gradient(4, 4));
  std::string huge = header;
  huge[18] = '\xFF';
  huge[19] = '\xFF';
  huge[20] = '\xFF';
  huge[21] = '\x00';  // 16 million pixels wide
  std::string negativeWidth = header;
  negativeWidth[21] = '\xFF';
  struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty.bmp", ""},
      {"magic.bmp", "BM"},
      {"huge.bmp", huge},
      {"negative.bmp", negativeWidth},
      {"truncated.bmp", header.substr(0, 70)},
      {"text.bmp", std::string(200, 'x')},
  };
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[5]}) {
    ASSERT_TRUE(Bring(config));
    for (const auto& c : cases) {
      WriteFile(c.name, c.bytes);
      DDSURFACEDATA sd;
      EXPECT_EQ(DDCreateSurfaceFromFile(&sd, c.name, 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0), 8) << config.name << c.name;
      DDReleaseSurface(&sd);
    }
    DDSURFACEDATA sd;
    const std::string longName(300, 'a');
    EXPECT_EQ(DDCreateSurfaceFromFile(&sd, longName.c_str(), 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0), 8);
    EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "missing.bmp", 1, g_nBpp, 0, 0, 0, 0, 0, 0, 0), 8);
    DDReleaseSurface(&sd);
    DDEnd();
  }
}

TEST_F(SurfaceTest, TextureSizesFollowTheDeviceRules) {
  struct {
    bool pow2, square;
    int w, h, texW, texH;
  } cases[] = {
      {false, false, 640, 480, 640, 480}, {true, false, 640, 480, 1024, 512}, {true, true, 640, 480, 1024, 1024},
      {true, false, 256, 960, 256, 1024}, {true, false, 1, 3, 1, 4},
  };
  const cSoftDeviceCaps saved = g_SoftDeviceCaps;
  for (const auto& c : cases) {
    g_SoftDeviceCaps.bPow2 = c.pow2;
    g_SoftDeviceCaps.bSquareOnly = c.square;
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, c.w, c.h, 1, 0, 0, 0, 0));
    EXPECT_EQ(sd.nWidth, c.w);
    EXPECT_EQ(sd.nHeight, c.h);
    EXPECT_EQ(sd.nTexWidth, c.texW) << c.w << "x" << c.h;
    EXPECT_EQ(sd.nTexHeight, c.texH) << c.w << "x" << c.h;
    DDReleaseSurface(&sd);
    DDEnd();
  }
  g_SoftDeviceCaps = saved;
}

TEST(FixedSurfaceTableTest, RowsAndAliasesFollowTheTable) {
  EXPECT_STREQ(g_FixedSurfaceDef[0].szFile, "bmp\\plt\\Palette.bmp");
  EXPECT_EQ(g_FixedSurfaceDef[0].nDDMemType, 1);
  EXPECT_STREQ(g_FixedSurfaceDef[19].szFile, "bmp\\Character8.bmp");
  EXPECT_EQ(g_FixedSurfaceDef[19].nMirrorW, 32);
  EXPECT_EQ(g_FixedSurfaceDef[19].bQuiet, 1);
  EXPECT_EQ(g_FixedSurfaceDef[21].nMirrorW, 16);
  EXPECT_STREQ(g_FixedSurfaceDef[37].szFile, "bmp\\Character8.bmp");
  EXPECT_EQ(g_FixedSurfaceDef[37].nDDMemType, 1);
  EXPECT_STREQ(g_FixedSurfaceDef[62].szFile, "背景その8.bmp");
  EXPECT_EQ(g_FixedSurfaceDef[64].nBlankH, 960);
  EXPECT_EQ(g_FixedSurfaceDef[69].nDTMemType, 2);
  EXPECT_EQ(g_FixedSurfaceDef[70].nBlankW, 1024);
  for (const DDSURFACEDEF& def : g_FixedSurfaceDef) EXPECT_EQ(def.bIndexData, 0);
  DDSetSurfaceAliases();
  const struct {
    int row, of;
  } aliases[] = {{3, 2}, {5, 4}, {19, 18}, {21, 20}, {22, 4}, {23, 4}, {24, 6}, {37, 18}, {38, 20}, {39, 20},
                 {41, 40}, {44, 43}, {68, 67}};
  int count = 0;
  for (const auto& a : aliases) EXPECT_EQ(g_FixedSurface[a.row].lpAlias, &g_FixedSurface[a.of]) << a.row;
  for (const DDSURFACEDATA& sd : g_FixedSurface) count += sd.lpAlias != nullptr;
  EXPECT_EQ(count, 10 + 18 + 3);
  for (DDSURFACEDATA& sd : g_FixedSurface) sd.lpAlias = nullptr;
}

TEST_F(SurfaceTest, LoadingFixedRowsReportsMissingPicturesUnlessQuiet) {
  cRecordingMessageBoxes boxes;
  ASSERT_TRUE(Bring(kAllConfigs[5]));
  const int quietRows[] = {6, 55, 63};
  EXPECT_TRUE(DDLoadSurfaces(g_FixedSurface, quietRows, 3));
  EXPECT_EQ(boxes.shown.size(), 0u);
  EXPECT_EQ(g_FixedSurface[6].lpDDData, nullptr);  // missing and quiet: left empty
  EXPECT_EQ(g_FixedSurface[63].nWidth, 256);
  const int loudRows[] = {2};
  EXPECT_FALSE(DDLoadSurfaces(g_FixedSurface, loudRows, 1));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "bmp\\Block.bmp の読み込みに失敗！");
}

TEST_F(SurfaceTest, AddedAndRemovedSurfacesKeepTheirDefinitionsInStep) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  std::vector<DDSURFACEDATA> vec;
  std::vector<DDSURFACEDEF> defs;
  EXPECT_FALSE(DDAddSurface(&vec, &defs, 0, 16, 1, 0, 0, 0));  // cannot be made...
  EXPECT_EQ(vec.size(), 1u);                                   // ...but stays appended
  EXPECT_EQ(defs.size(), 1u);
  EXPECT_TRUE(DDAddSurface(&vec, &defs, 16, 16, 1, 1, 0, 0));
  EXPECT_EQ(defs[1].bColorKey, 1);
  EXPECT_EQ(defs[1].nDDMemType, 1);
  DDReleaseSurfaceVector(&vec);

  std::list<DDSURFACEDATA> list;
  std::list<DDSURFACEDEF> listDefs;
  ASSERT_TRUE(DDAddSurfaceToList(&list, &listDefs, 8, 8, 0, 0, 0, 0));
  ASSERT_TRUE(DDInsertSurfaceToList(&list, &listDefs, -3, 4, 4, 1, 0, 0, 0));
  ASSERT_TRUE(DDInsertSurfaceToList(&list, &listDefs, 99, 2, 2, 0, 0, 0, 0));
  std::vector<int> widths;
  for (const DDSURFACEDATA& sd : list) widths.push_back(sd.nWidth);
  EXPECT_EQ(widths, (std::vector<int>{4, 8, 2}));
  EXPECT_EQ(listDefs.front().bColorKey, 1);
  DDSURFACEDATA stranger;
  EXPECT_EQ(DDRemoveSurfaceFromList(&list, &listDefs, &stranger), 0);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(DDRemoveSurfaceFromList(&list, &listDefs, &*std::next(list.begin())), 1);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(listDefs.size(), 2u);
  EXPECT_EQ(listDefs.back().bColorKey, 0);
  DDReleaseSurfaceList(&list);
}

TEST_F(SurfaceTest, ReleasingAnAliasOrAnEmptyRecordLeavesOthersAlone) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  DDSURFACEDATA alias, empty;
  ASSERT_EQ(DDCreateSurfaceFromFile(&alias, "sheet.bmp", 1, 32, 0, 0, 1, 0, 32, 0, 0), 0);
  alias.lpAlias = &m_Sheet;
  DDReleaseSurface(&alias);
  DDReleaseSurface(&empty);
  ASSERT_NE(DDSurfacePixels(&m_Sheet), nullptr);
  EXPECT_EQ(Pixels(&m_Sheet).nWidth, kSheetSize);
}

TEST_F(SurfaceTest, PartialCellsAreLeftUnmirrored) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[3]}) {
    ASSERT_TRUE(Bring(config));
    ASSERT_TRUE(LoadSheet(&m_Sheet));
    DDSURFACEDATA mirrored;
    ASSERT_TRUE(LoadSheet(&mirrored, 0, 0, 24));
    const cPixelBuffer& plain = Pixels(&m_Sheet);
    const cPixelBuffer& mir = Pixels(&mirrored);
    const std::uint32_t blank = lpDTCon != nullptr ? 0 : PalNumToRGB(0);
    ExpectPixels(std::string(config.name) + "_cells24", mir, [&](int x, int y) -> std::uint32_t {
      if (x >= kSheetSize || y >= kSheetSize) return mir.Get(x, y);
      if (x < 48) return plain.Get(24 * (x / 24 + 1) - (x % 24) - 1, y);
      // The last cell is partial: Direct3D keeps it as loaded, DirectDraw's copy ends
      // each row before it.
      return lpDTCon != nullptr ? plain.Get(x, y) : blank;
    });
    DDReleaseSurface(&mirrored);
    DDReleaseSurface(&m_Sheet);
    DDEnd();
  }
}

TEST_F(SurfaceTest, TrueColourPicturesAt16BitsNeverTurnOpaquePixelsTransparent) {
  // A game of palette colours: the key is the colour of the palette picture's key pixel.
  ASSERT_TRUE(Bring(kAllConfigs[4]));
  ASSERT_EQ(g_dwTransmit, 0xF81Fu);
  // Magenta is the key; (255, 3, 255) narrows to the key's value and is moved off it;
  // (0, 0, 0) is plain black.
  WriteFile("tc.bmp", MakeBmp24(3, 1, {0xFF00FF, 0xFF03FF, 0x000000}));
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "tc.bmp", 1, 16, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(Pixels(&sd).Get(0, 0), 0xF81Fu);
  EXPECT_EQ(Pixels(&sd).Get(1, 0), 0xF81Eu);
  EXPECT_EQ(Pixels(&sd).Get(2, 0), 0x0000u);
  DDReleaseSurface(&sd);
}

TEST_F(SurfaceTest, TrueColourPicturesAt8BitsTakeTheNearestPaletteEntries) {
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  ASSERT_EQ(g_dwTransmit, 0u);
  // The key colour; entry 9 exactly and nearly; black, nearest to entries 1 and 8 once the
  // key (entry 0) is left out, so the lower number; white, nearest to entry 255.
  const std::vector<std::uint32_t> colours{0xFF00FF, TestPaletteColour(9), TestPaletteColour(9) + 0x030102, 0x000000,
                                           0xFFFFFF};
  const std::vector<std::uint32_t> expected{0, 9, 9, 1, 255};
  WriteFile("tc.bmp", MakeBmp24(5, 1, colours));
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "tc.bmp", 1, 8, 0, 0, 0, 0, 0, 0, 0), 0);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixels(&sd).Get(x, 0), expected[x]) << x;
  DDReleaseSurface(&sd);
}

TEST_F(SurfaceTest, LargerBitmapTestAnswersOnlyUnderDirectDraw) {
  ASSERT_TRUE(Bring(kAllConfigs[5]));
  int result = -1;
  EXPECT_EQ(DDIsBitmapLarger(&result, "sheet.bmp", 63, 64), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DDIsBitmapLarger(&result, "sheet.bmp", 64, 64), 1);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(DDIsBitmapLarger(&result, "missing.bmp", 64, 64), 0);
  EXPECT_EQ(result, 0);
  DDEnd();
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  result = -1;
  EXPECT_EQ(DDIsBitmapLarger(&result, "missing.bmp", 64, 64), 1);
  EXPECT_EQ(result, -1);
}

}  // namespace
