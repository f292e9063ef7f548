// Fills, the rectangle batch, pixels, circles and bitmap text on both back ends.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/media/draw_test_util.h"

namespace {

class FillTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {};

// The pixel a palette number fills with in the back buffer, taken from a fill of a
// corner, so that each test below checks where a fill lands, not its colour rules.
std::uint32_t FillValue(DWORD number) {
  DDFillRect(&g_BackBuffer, 639, 479, 1, 1, number);
  return Pixels(&g_BackBuffer).Get(639, 479);
}

TEST_P(FillTest, RectanglesAreCutToTheSurface) {
  ASSERT_TRUE(Bring(GetParam()));
  const std::uint32_t background = FillValue(9), ink = FillValue(200);
  struct {
    const char* name;
    int x, y, w, h;
    RECT expect;
  } cases[] = {
      {"Inside", 10, 20, 30, 40, {10, 20, 40, 60}},
      {"LeftOfSurface", -10, 0, 50, 5, {0, 0, 40, 5}},
      {"AboveSurface", 0, -3, 5, 10, {0, 0, 5, 7}},
      {"PastRightAndBottom", 630, 470, 50, 50, {630, 470, 640, 480}},
      {"LeftAndPastRight", -10, 100, 700, 2, {0, 100, 640, 102}},
      {"Empty", 10, 10, 0, 10, {0, 0, 0, 0}},
      {"Outside", 700, 10, 5, 5, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    DDFillSurface(&g_BackBuffer, 9);
    DDFillRect(&g_BackBuffer, c.x, c.y, c.w, c.h, 200);
    ExpectPixels(std::string(GetParam().name) + "_fill_" + c.name, Pixels(&g_BackBuffer), [&](int x, int y) {
      return (x >= c.expect.left && x < c.expect.right && y >= c.expect.top && y < c.expect.bottom) ? ink : background;
    });
  }
}

TEST_P(FillTest, CircleOutlinesAndPixels) {
  ASSERT_TRUE(Bring(GetParam()));
  const std::uint32_t background = FillValue(9), ink = FillValue(200);
  DDFillSurface(&g_BackBuffer, 9);
  DDDrawCircle(&g_BackBuffer, 100, 100, 1, 200);  // the four neighbours only
  DDDrawCircle(&g_BackBuffer, 300, 200, 40, 200);
  DDDrawCircle(&g_BackBuffer, 630, 470, 20, 200);  // partly outside
  DDDrawCircle(&g_BackBuffer, 50, 50, 0, 200);     // nothing
  DDPutPixel(&g_BackBuffer, 5, 5, 200);
  DDPutPixel(&g_BackBuffer, -1, 5, 200);
  DDPutPixel(&g_BackBuffer, 640, 5, 200);
  const cPixelBuffer& back = Pixels(&g_BackBuffer);
  EXPECT_EQ(back.Get(101, 100), ink);
  EXPECT_EQ(back.Get(99, 100), ink);
  EXPECT_EQ(back.Get(100, 101), ink);
  EXPECT_EQ(back.Get(100, 99), ink);
  EXPECT_EQ(back.Get(100, 100), background);
  EXPECT_EQ(back.Get(101, 101), background);
  EXPECT_EQ(back.Get(5, 5), ink);
  EXPECT_EQ(back.Get(50, 50), background);
  // Every plotted point of the large circle lies within a pixel of its radius, and the
  // circle is closed in all four directions.
  int plotted = 0;
  for (int y = 150; y <= 250; ++y)
    for (int x = 250; x <= 350; ++x)
      if (back.Get(x, y) == ink) {
        ++plotted;
        EXPECT_NEAR(std::hypot(x - 300, y - 200), 40.0, 1.0) << x << "," << y;
      }
  EXPECT_GT(plotted, 200);
  EXPECT_EQ(back.Get(340, 200), ink);
  EXPECT_EQ(back.Get(260, 200), ink);
  EXPECT_EQ(back.Get(300, 160), ink);
  EXPECT_EQ(back.Get(300, 240), ink);
  EXPECT_EQ(back.Get(639, 470), background);
  EXPECT_EQ(back.Get(630, 450), ink);
}

TEST_P(FillTest, BitmapTextFollowsTheSheetLayoutAndWraps) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  struct {
    std::string text;
    int cw, ch;
    struct Cell {
      int x, y, sx, sy;
    } cells[3];
  } cases[] = {
      // 'A' is 0x41: column 1, row 4; after the line feed 'B' one cell lower at the start.
      {"A\nB", 4, 4, {{10, 20, 4, 16}, {10, 24, 8, 16}, {-1, 0, 0, 0}}},
      // 0xA6 sits at row 0, column 6; 0xC1 at row 8, column 1.
      {"\xA6\xC1", 4, 4, {{10, 20, 24, 0}, {14, 20, 4, 32}, {-1, 0, 0, 0}}},
      // 160 cells of 4 reach the screen width: the next one starts the next line.
      {std::string(160, 'A') + "B", 4, 4, {{10 + 100 * 4, 20, 4, 16}, {10, 24, 8, 16}, {-1, 0, 0, 0}}},
  };
  const cPixelBuffer& sheet = Pixels(&m_Sheet);
  for (const auto& c : cases) {
    DDFillSurface(&g_BackBuffer, 9);
    const cPixelBuffer before = Pixels(&g_BackBuffer);
    DDDrawBitmapText(&g_BackBuffer, 10, 20, c.cw, c.ch, &m_Sheet, c.text.c_str());
    const cPixelBuffer& back = Pixels(&g_BackBuffer);
    for (const auto& cell : c.cells) {
      if (cell.x < 0) break;
      const int w = std::min(c.cw, 4);
      for (int j = 0; j < c.ch; ++j)
        for (int i = 0; i < w && cell.x + i < 640; ++i) {
          const std::uint32_t t = sheet.Get(cell.sx + i, cell.sy + j);
          const bool key = SheetIndex(cell.sx + i, cell.sy + j) == 0;
          const std::uint32_t want = key ? before.Get(cell.x + i, cell.y + j)
                                         : (back.format == sheet.format ? t : ArgbToPixel(back.format, PixelToArgb(sheet.format, t) | 0xFF000000u));
          EXPECT_EQ(back.Get(cell.x + i, cell.y + j), want) << c.text.substr(0, 8) << " cell at " << cell.x << "," << cell.y;
        }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, FillTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

class Direct3DFillTest : public cDisplayTest {};

TEST_F(Direct3DFillTest, KeyedTargetFilledWithNumberZeroTurnsTransparent) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSURFACEDATA work;
  ASSERT_TRUE(DDCreateSurface(&work, 32, 32, 1, 0, 0, 0, 0));
  DDFillSurface(&work, 9);
  EXPECT_EQ(Pixels(&work).Get(5, 5), 0xFF000000u | TestPaletteColour(9));
  DDFillSurface(&work, 0);
  EXPECT_EQ(Pixels(&work).Get(5, 5), 0u);
  // A number past the palette fills with colour 0, the transparent value here.
  DDFillSurface(&work, 9);
  DDFillSurface(&work, 300);
  EXPECT_EQ(Pixels(&work).Get(5, 5), 0u);
  DDReleaseSurface(&work);
}

TEST_F(Direct3DFillTest, RectangleBatchDrawsAtTheFlush) {
  ASSERT_TRUE(Bring(kAllConfigs[1]));
  DDFillSurface(&g_BackBuffer, 9);
  const std::uint32_t background = Pixels(&g_BackBuffer).Get(0, 0);
  DDBeginRectBatch();
  DDFillRect(&g_BackBuffer, 0, 0, 10, 10, 200);
  DDDrawCircle(&g_BackBuffer, 100, 100, 5, 200);
  EXPECT_EQ(Pixels(&g_BackBuffer).Get(5, 5), background);
  EXPECT_EQ(DDFlushRectBatch(), 1);
  EXPECT_NE(Pixels(&g_BackBuffer).Get(5, 5), background);
  EXPECT_NE(Pixels(&g_BackBuffer).Get(105, 100), background);
  EXPECT_EQ(g_bRectBatch, 0);
}

TEST_F(Direct3DFillTest, SystemMemoryFillsConvertTheColourChannelByChannel) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[1]}) {
    ASSERT_TRUE(Bring(config));
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFillRectRGB(&sd, -2, 0, 4, 8, 0xFFF80840u);
    const std::uint32_t want = g_nBpp == 32 ? 0xFFF80840u : (0x8000u | (30u << 10) | (0u << 5) | 7u);
    EXPECT_EQ(Pixels(&sd).Get(1, 3), want) << config.name;
    EXPECT_EQ(Pixels(&sd).Get(2, 3), 0u) << config.name;
    DDReleaseSurface(&sd);
    DDEnd();
  }
}

TEST_F(Direct3DFillTest, OpaqueCopyOfAKeyedSpriteLeavesTheKeyColourInTheBackBuffer) {
  for (const DisplayConfig& config : {kAllConfigs[0], kAllConfigs[2]}) {
    ASSERT_TRUE(Bring(config));
    ASSERT_TRUE(LoadSheet(&m_Sheet));
    DDFillSurface(&g_BackBuffer, 9);
    DDBlt(&g_BackBuffer, 0, 0, 8, 8, &m_Sheet, 0, 0, 0);
    // (0, 0) of the sheet is transparent: the key colour shows, at 16 bits as well.
    const std::uint32_t key = Pixels(&g_BackBuffer).Get(0, 0);
    EXPECT_EQ(PixelToArgb(Pixels(&g_BackBuffer).format, key), 0xFFFF00FFu) << config.name;
    DDReleaseSurface(&m_Sheet);
    DDEnd();
  }
}

}  // namespace
