// Fonts: layout, the glyph caches, boxes, icons, digit strips and restores on every back
// end and depth, exact to the pixel through a glyph source of boxes; the installed faces
// only as smoke tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/system/font_faces.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "platform/cp932.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"

namespace {

constexpr int kText = 5, kBack = 3, kIconBase = 100, kBox = 20, kFrame = 30;

std::uint32_t FontTestFillValue(DWORD number) {
  DDFillRect(&g_BackBuffer, 639, 479, 1, 1, number);
  return Pixels(&g_BackBuffer).Get(639, 479);
}

// Where a glyph or an icon is expected: code 0 with an icon cell for icons.
struct Placement {
  std::uint16_t code;  // CP932 code of the glyph
  int x, y;
  int icon = -1;
};

class FontTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    SetFontGlyphSource(&m_Source);
  }
  void TearDown() override {
    m_Font.Release();
    DDReleaseSurface(&m_Icons);
    DDReleaseSurface(&m_BoxPicture);
    for (DDSURFACEDATA& sd : g_FontDigitSurface) DDReleaseSurface(&sd);
    SetFontGlyphSource(nullptr);
    cDisplayTest::TearDown();
  }
  // The icon picture: cell k (16 x 16) filled with palette kIconBase + k.
  void MakeIcons(int pitch, int lineHeight) {
    ASSERT_TRUE(DDCreateSurface(&m_Icons, 26 * pitch, lineHeight, 1, 0, 0, 0, 0));
    for (int k = 0; k < 26; ++k) DDFillRect(&m_Icons, k * pitch, 0, pitch, lineHeight, kIconBase + k);
  }
  void MakeBoxPicture(int w, int h) {
    ASSERT_TRUE(DDCreateSurface(&m_BoxPicture, w, h, 0, 0, 0, 0, 0));
    DDFillSurface(&m_BoxPicture, kBox);
  }
  // The frame expected from placements of a font of the given sizes: box ink in the text
  // colour, icon cells in their colours, the background elsewhere.
  std::function<std::uint32_t(int, int)> Expected(const std::vector<Placement>& placed, int height, int pitch,
                                                  int lineHeight) {
    const std::uint32_t background = FontTestFillValue(kBack), ink = FontTestFillValue(kText);
    // Icon colours as a blit of the icon picture leaves them (a texture's 16-bit format
    // may differ from the back buffer's).
    std::vector<std::uint32_t> icons;
    if (DDSurfacePixels(&m_Icons) != nullptr)
      for (int k = 0; k < 26; ++k) {
        DDBlt(&g_BackBuffer, 639, 479, 1, 1, &m_Icons, k * pitch, 0, 1);
        icons.push_back(Pixels(&g_BackBuffer).Get(639, 479));
      }
    DDFillSurface(&g_BackBuffer, kBack);
    return [=](int x, int y) {
      std::uint32_t v = background;
      for (const Placement& p : placed) {
        if (p.icon >= 0) {
          if (x >= p.x && x < p.x + pitch && y >= p.y && y < p.y + lineHeight) v = icons[p.icon];
        } else if (cBoxGlyphSource::InkAt(height, Cp932CodeToUnicode(p.code), x - p.x, y - p.y)) {
          v = ink;
        }
      }
      return v;
    };
  }

  cBoxGlyphSource m_Source;
  cFont m_Font;
  DDSURFACEDATA m_Icons;
  DDSURFACEDATA m_BoxPicture;
};

std::uint16_t Code(const char* ch) {
  std::uint16_t code = 0;
  NextTextChar(ch, &code);
  return code;
}

// Pitch 16, line height 16, glyph height 16: a double-byte glyph sits at the pen, a single
// byte 2 pixels right of it (pitch / 8) and on the cell's top (line height / 16 - 1 = 0).
TEST_P(FontTest, FixedPitchLayoutIsTheSameWithAndWithoutCaches) {
  ASSERT_TRUE(Bring(GetParam()));
  MakeIcons(16, 16);
  struct {
    const char* name;
    const char* text;
    int x, y;
    std::vector<Placement> placed;
  } cases[] = {
      {"IconsAfterAFullWidthCharacter", "あa\nb", 32, 40,
       {{Code("あ"), 32, 40}, {0, 48, 40, 0}, {0, 32, 56, 1}}},
      {"SpacesAdvanceWithoutInk", "Aｱ　 B", 32, 40,
       {{'A', 34, 40}, {Code("ｱ"), 50, 40}, {'B', 98, 40}}},
      {"CharactersOutsideTheSeedList", "漢字ド", 32, 40,
       {{Code("漢"), 32, 40}, {Code("字"), 48, 40}, {Code("ド"), 64, 40}}},
      {"ThreeFullAndTwoHalfWidth", "あいうXY", 0, 0,
       {{Code("あ"), 0, 0}, {Code("い"), 16, 0}, {Code("う"), 32, 0}, {'X', 50, 0}, {'Y', 66, 0}}},
      {"LeadByteAtTheEnd", "Z\x82", 100, 100, {{'Z', 102, 100}}},
      {"PartlyOutsideTheSurface", "ああ\nAA", -8, -4,
       {{Code("あ"), -8, -4}, {Code("あ"), 8, -4}, {'A', -6, 12}, {'A', 10, 12}}},
      {"PastTheBottomRight", "ＡＢ\nCD", 624, 470,
       {{Code("Ａ"), 624, 470}, {Code("Ｂ"), 640, 470}, {'C', 626, 486}}},
  };
  for (int fast = 0; fast <= 1; ++fast) {
    ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 16, 16, kText, nullptr, 1, 0, &m_Icons, fast), 1);
    for (const auto& c : cases) {
      const auto expected = Expected(c.placed, 16, 16, 16);
      m_Font.DrawText(&g_BackBuffer, c.x, c.y, c.text);
      ExpectPixels(std::string(GetParam().name) + "_layout_" + c.name + (fast ? "_fast" : ""),
                   Pixels(&g_BackBuffer), expected);
    }
  }
}

TEST_P(FontTest, ProportionalAndCentredText) {
  ASSERT_TRUE(Bring(GetParam()));
  // Proportional: the pen moves by each glyph's advance (8 for a single byte at height 16).
  ASSERT_EQ(m_Font.Init("ＭＳ Ｐゴシック", 0, 16, 0, 20, kText, nullptr, 1, 0, nullptr, 0), 1);
  auto expected = Expected({{'A', 10, 10}, {Code("あ"), 18, 10}, {'B', 42, 10}, {'C', 10, 30}}, 16, 0, 20);
  m_Font.DrawText(&g_BackBuffer, 10, 10, "Aあ B\nC");
  ExpectPixels(std::string(GetParam().name) + "_proportional", Pixels(&g_BackBuffer), expected);
  const SIZE size = m_Font.MeasureText("Aあ B\nC");
  EXPECT_EQ(size.cx, 8 + 16 + 8 + 8);
  EXPECT_EQ(size.cy, 40);
  // Centred in a 20 x 20 cell: (20 - advance) / 2 across, (20 - 16) / 2 down.
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 20, 20, kText, nullptr, 1, 0, nullptr, 0), 1);
  m_Font.m_bCenter = 1;
  expected = Expected({{Code("あ"), 2, 2}, {'A', 26, 2}}, 16, 20, 20);
  m_Font.DrawText(&g_BackBuffer, 0, 0, "あA");
  ExpectPixels(std::string(GetParam().name) + "_centred", Pixels(&g_BackBuffer), expected);
}

TEST_P(FontTest, HalfCacheDrawsSingleBytesAndHalfWidthKatakana) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 16, 16, kText, nullptr, 1, 0, nullptr, 1), 1);
  struct {
    unsigned char byte;
    bool ink;
  } cases[] = {{'A', true}, {'~', true}, {0xA1, true}, {0xB1, true}, {0xDF, true}, {0x20, false}, {0x0A, false},
               {0x80, false}, {0x81, false}, {0x9F, false}, {0xA0, false}, {0xE0, false}, {0xFC, false}, {0xFF, false}};
  for (const auto& c : cases) {
    const char ch[2] = {static_cast<char>(c.byte), 0};
    const auto expected = Expected(c.ink ? std::vector<Placement>{{c.byte, 42, 40}} : std::vector<Placement>{}, 16, 16, 16);
    m_Font.m_lpFastFont_Half->DrawCell(&g_BackBuffer, 40, 40, ch[0], 1);
    ExpectPixels(std::string(GetParam().name) + "_cell_" + std::to_string(c.byte), Pixels(&g_BackBuffer), expected);
  }
  // With a line height below 16 a single byte sits one row above its cell: in the cache its
  // top row is cut at the cell, and the glyph below must not show in the cell's last row.
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 10, 10, 10, kText, nullptr, 1, 0, nullptr, 1), 1);
  const auto full = Expected({{'W', 41, 39}}, 10, 10, 10);
  m_Font.DrawText(&g_BackBuffer, 40, 40, "W");
  ExpectPixels(std::string(GetParam().name) + "_cell_cut", Pixels(&g_BackBuffer),
               [&](int x, int y) { return full(x, y < 40 ? 0 : y); });
}

TEST_P(FontTest, FullCacheGrowsOnFirstUseAndRendersDirectlyWhenFull) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 16, 16, kText, nullptr, 1, 0, nullptr, 1), 1);
  cFastFont& full = *m_Font.m_lpFastFont_FullAdd;
  ASSERT_EQ(full.m_nCount, 256);
  // The seed list holds ト twice: the first one is found; ド is not there.
  std::vector<int> to;
  for (int i = 0; i < 256; ++i)
    if (Code(kFastFontSeed + 2 * i) == Code("ト")) to.push_back(i);
  ASSERT_EQ(to.size(), 2u);
  EXPECT_EQ(full.Find("ト")->nIndex, to[0]);
  EXPECT_EQ(full.Find("ド"), nullptr);
  m_Font.DrawText(&g_BackBuffer, 0, 0, "漢");
  ASSERT_EQ(full.m_nCount, 257);
  const FASTFONTGLYPH* kan = full.Find("漢");
  ASSERT_NE(kan, nullptr);
  EXPECT_EQ(kan->nCellX, 256 % full.m_nCols);
  EXPECT_EQ(kan->nCellY, 256 / full.m_nCols);
  // From now on it comes from its cell: a cell painted over shows as painted.
  DDFillRect(&full.m_SD, 16 * kan->nCellX, 16 * kan->nCellY, 16, 16, kText);
  const std::uint32_t ink = FontTestFillValue(kText), background = FontTestFillValue(kBack);
  DDFillSurface(&g_BackBuffer, kBack);
  m_Font.DrawText(&g_BackBuffer, 200, 100, "漢");
  ExpectPixels(std::string(GetParam().name) + "_from_cell", Pixels(&g_BackBuffer), [&](int x, int y) {
    return x >= 200 && x < 216 && y >= 100 && y < 116 ? ink : background;
  });

  // Filled to capacity by drawing kanji: the last one is rendered into the grid's last
  // cell (column 31, row 29 of the 32 x 30 grid under DirectDraw).
  for (int lead = 0x90; lead <= 0x97 && full.m_nCount < full.m_nCapacity; ++lead)
    for (int trail = 0x40; trail <= 0xFC && full.m_nCount < full.m_nCapacity; ++trail) {
      if (trail == 0x7F) continue;
      const char text[3] = {static_cast<char>(lead), static_cast<char>(trail), 0};
      m_Font.DrawText(&g_BackBuffer, 0, 0, text);
    }
  ASSERT_EQ(full.m_nCount, full.m_nCapacity);
  const FASTFONTGLYPH& last = full.m_Glyphs.back();
  EXPECT_EQ(last.nCellX, full.m_nCols - 1);
  EXPECT_EQ(last.nCellY, full.m_nRows - 1);
  std::vector<std::uint32_t> lastCell;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      lastCell.push_back(Pixels(&full.m_SD).Get(16 * (full.m_nCols - 1) + x, 16 * (full.m_nRows - 1) + y));
  EXPECT_NE(std::count(lastCell.begin(), lastCell.end(), lastCell[0]), 256) << "the last glyph's cell holds no ink";
  const auto expected = Expected({{Code("字"), 100, 100}}, 16, 16, 16);
  m_Font.DrawText(&g_BackBuffer, 100, 100, "字");
  EXPECT_EQ(full.Find("字"), nullptr) << "with the cache full, the glyph is drawn without it";
  ExpectPixels(std::string(GetParam().name) + "_full_cache", Pixels(&g_BackBuffer), expected);
}

TEST_P(FontTest, BoxesAreSizedByTheirTextAndCentredOnTheirPicture) {
  ASSERT_TRUE(Bring(GetParam()));
  MakeBoxPicture(200, 100);
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 16, 16, kText, &m_BoxPicture, 1, kFrame, nullptr, 0), 1);
  const std::uint32_t frame = FontTestFillValue(kFrame), box = FontTestFillValue(kBox);
  struct {
    const char* name;
    int x, y, w, h, indent;
    RECT expectBox;  // inside the frame
  } cases[] = {
      {"MeasuredWithIndent", 100, 100, 0, 0, 8, {100, 100, 140, 132}},
      {"GivenSize", 100, 100, 60, 50, 0, {100, 100, 160, 150}},
      {"CentredOnThePictureNotTheScreen", kFontCentre, kFontCentre, 0, 0, 8, {80, 34, 120, 66}},
  };
  for (const auto& c : cases) {
    DDFillSurface(&g_BackBuffer, kBack);
    m_Font.DrawTextBox(&g_BackBuffer, c.x, c.y, c.w, c.h, "AB\nC", c.indent);
    const RECT& r = c.expectBox;
    cPixelBuffer& px = Pixels(&g_BackBuffer);
    const std::string name = std::string(GetParam().name) + "_box_" + c.name;
    EXPECT_EQ(px.Get(r.left - 1, r.top - 1), frame) << name;
    EXPECT_EQ(px.Get(r.right, r.bottom), frame) << name;
    EXPECT_EQ(px.Get(r.right - 1, r.bottom - 1), box) << name;
    EXPECT_EQ(px.Get(r.right + 1, r.bottom + 1), FontTestFillValue(kBack)) << name;
    // The first glyph at the indent: 'A' 2 pixels right of the pen (its row 1 is the
    // box glyph's gap).
    EXPECT_EQ(px.Get(r.left + c.indent + 2, r.top + 2), FontTestFillValue(kText)) << name;
  }
}

TEST_P(FontTest, LongTextsAreFormattedAndMeasuredWhole) {
  ASSERT_TRUE(Bring(GetParam()));
  MakeBoxPicture(640, 480);
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 10, 16, kText, &m_BoxPicture, 1, kFrame, nullptr, 1), 1);
  // Five lines of 60: 304 bytes, past any 256-byte buffer; the last character must show.
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += std::string(60, 'W') + (i < 4 ? "\n" : "");
  const auto expected = [&] {
    std::vector<Placement> placed;
    for (int line = 0; line < 5; ++line)
      for (int col = 0; col < 60; ++col) placed.push_back({'W', 1 + col * 10, line * 16});
    return Expected(placed, 16, 10, 16);
  }();
  m_Font.DrawTextF(&g_BackBuffer, 0, 0, "%s", lines.c_str());
  ExpectPixels(std::string(GetParam().name) + "_long_format", Pixels(&g_BackBuffer), expected);
  // A box of 600 bytes is measured whole: 59 columns by 10 lines.
  std::string box;
  for (int i = 0; i < 10; ++i) box += std::string(59, 'M') + "\n";
  DDFillSurface(&g_BackBuffer, kBack);
  m_Font.DrawTextBoxF(&g_BackBuffer, 20, 20, 0, 0, "%s", box.c_str());
  EXPECT_EQ(Pixels(&g_BackBuffer).Get(20 + 590, 20 + 160), FontTestFillValue(kFrame));
  // A line of more than 511 bytes is measured in full, fixed pitch and proportional.
  const std::string wide(700, 'Q');
  EXPECT_EQ(m_Font.GetTextExtent(wide.c_str()).cx, 7000);
  m_Font.m_nPitch = 0;
  EXPECT_EQ(m_Font.MeasureText(wide.c_str()).cx, 700 * 8);
}

TEST_P(FontTest, CachesAndStripsComeBackAfterALoss) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_EQ(m_Font.Init("ＭＳ ゴシック", 0, 16, 16, 16, kText, nullptr, 1, 0, nullptr, 1), 1);
  const FONTDESC desc{"ＭＳ ゴシック", 0, 16, 16, 16, kText, -1, 0, 0, -1, 1};
  ASSERT_EQ(InitDigitSurfaces(g_FontDigitSurface, g_ExtraSurfaceDef, 1, &m_Font, &desc), 1);
  m_Font.DrawText(&g_BackBuffer, 0, 0, "漢");  // one character added on demand
  std::vector<Placement> placed{{Code("漢"), 10, 10}, {Code("あ"), 26, 10}, {'A', 44, 10}, {Code("ｶ"), 60, 10}};
  for (int d = 0; d < 10; ++d) placed.push_back({static_cast<std::uint16_t>('0' + d), 10 + d * 16 + 2, 40});
  const auto draw = [&] {
    m_Font.DrawText(&g_BackBuffer, 10, 10, "漢あAｶ");
    DDBlt(&g_BackBuffer, 10, 40, 160, 16, &g_FontDigitSurface[0], 0, 0, 1);
  };
  auto expected = Expected(placed, 16, 16, 16);
  draw();
  ExpectPixels(std::string(GetParam().name) + "_before_loss", Pixels(&g_BackBuffer), expected);
  if (lpDTCon != nullptr) {
    DDSimulateDeviceLoss(true);
    ASSERT_EQ(DDRestoreSurface(), 1);
  } else {
    DDSimulateSurfaceLoss();
    ASSERT_TRUE(DDRestore());
  }
  // The game manager restores and redraws the strips it owns; the fonts rebuild their
  // caches themselves.
  if (lpDDCon != nullptr) g_FontDigitSurface[0].lpDDData->lpDDS->Restore();
  DrawDigitStrip(&g_FontDigitSurface[0], &m_Font);
  expected = Expected(placed, 16, 16, 16);
  draw();
  ExpectPixels(std::string(GetParam().name) + "_after_loss", Pixels(&g_BackBuffer), expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, FontTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

class FontSetUpTest : public cDisplayTest {
 protected:
  void TearDown() override {
    for (cFont& font : m_Fonts) font.Release();
    SetFontGlyphSource(nullptr);
    cDisplayTest::TearDown();
  }
  cFont m_Fonts[3];
};

TEST_F(FontSetUpTest, CacheCapacitiesFollowTheBackEnd) {
  cBoxGlyphSource source;
  SetFontGlyphSource(&source);
  struct {
    int config, pitch, lineHeight, cols, rows;
  } cases[] = {
      {0, 16, 16, 32, 32}, {0, 10, 10, 32, 32}, {0, 40, 48, 25, 21},
      {5, 16, 16, 32, 30}, {5, 10, 10, 32, 30}, {5, 32, 32, 20, 15},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Bring(kAllConfigs[c.config]));
    ASSERT_EQ(m_Fonts[0].Init("x", 0, 16, c.pitch, c.lineHeight, kText, nullptr, 0, 0, nullptr, 1), 1);
    const cFastFont& full = *m_Fonts[0].m_lpFastFont_FullAdd;
    EXPECT_EQ(full.m_nCols, c.cols) << c.config << " " << c.pitch;
    EXPECT_EQ(full.m_nRows, c.rows) << c.config << " " << c.lineHeight;
    EXPECT_EQ(full.m_nCapacity, c.cols * c.rows);
    EXPECT_EQ(m_Fonts[0].m_lpFastFont_Half->m_nCapacity, 256);
    m_Fonts[0].Release();
    DDEnd();
  }
}

TEST_F(FontSetUpTest, AMissingFaceFailsAndAFastFontWithoutPitchHasNoCaches) {
  cBoxGlyphSource source;
  SetFontGlyphSource(&source);
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  FONTDESC desc[3] = {g_FontDesc[0], g_FontDesc[1], g_FontDesc[2]};
  desc[0].nFast = desc[1].nFast = 1;
  EXPECT_EQ(InitFonts(m_Fonts, desc, 3), 1);
  EXPECT_EQ(m_Fonts[0].m_nID + 1, m_Fonts[1].m_nID);
  std::snprintf(desc[1].szFace, sizeof desc[1].szFace, "missing");
  EXPECT_EQ(InitFonts(m_Fonts, desc, 3), 0) << "text in a face that is not there would be invisible";
  // A digit strip that cannot be made is reported, not passed over.
  FONTDESC noPitch = desc[0];
  noPitch.nPitch = 0;
  EXPECT_EQ(InitDigitSurfaces(g_FontDigitSurface, g_ExtraSurfaceDef, 1, m_Fonts, &noPitch), 0);
  // A fast font without pitch draws without caches.
  EXPECT_EQ(m_Fonts[2].Init("x", 0, 16, 0, 16, kText, nullptr, 0, 0, nullptr, 1), 1);
  EXPECT_EQ(m_Fonts[2].m_lpFastFont_Half, nullptr);
  EXPECT_EQ(m_Fonts[2].m_lpFastFont_FullAdd, nullptr);
}

TEST_F(FontSetUpTest, FrameRateTextByShowFps) {
  cBoxGlyphSource source;
  SetFontGlyphSource(&source);
  ASSERT_TRUE(Bring(kAllConfigs[4]));
  DDSURFACEDATA box;
  ASSERT_TRUE(DDCreateSurface(&box, 640, 480, 0, 0, 0, 0, 0));
  DDFillSurface(&box, kBox);
  ASSERT_EQ(g_Font[0].Init("x", 0, 9, 10, 10, kText, &box, 1, kFrame, nullptr, 1), 1);
  ASSERT_EQ(g_Font[1].Init("x", 0, 16, 16, 16, kText, &box, 1, kFrame, nullptr, 1), 1);
  const std::uint32_t background = FontTestFillValue(kBack), frame = FontTestFillValue(kFrame), ink = FontTestFillValue(kText);
  struct {
    int nShowFps;
    RECT where;  // every changed pixel lies inside
    struct {
      int x, y;
    } probe;
    std::uint32_t probeValue;
  } cases[] = {
      {0, {0, 0, 0, 0}, {600, 470}, background},
      {2, {549, 468, 640, 480}, {550, 471}, ink},        // "F" of the first system font
      {1, {494, 462, 640, 480}, {494, 462}, frame},      // the second font's box frame
  };
  for (const auto& c : cases) {
    DDFillSurface(&g_BackBuffer, kBack);
    DrawFpsText(c.nShowFps, 60, 12);
    const cPixelBuffer& px = Pixels(&g_BackBuffer);
    int outside = 0;
    for (int y = 0; y < px.nHeight; ++y)
      for (int x = 0; x < px.nWidth; ++x)
        if (px.Get(x, y) != background &&
            !(x >= c.where.left && x < c.where.right && y >= c.where.top && y < c.where.bottom))
          ++outside;
    EXPECT_EQ(outside, 0) << c.nShowFps;
    EXPECT_EQ(px.Get(c.probe.x, c.probe.y), c.probeValue) << c.nShowFps;
  }
  g_Font[0].Release();
  g_Font[1].Release();
  DDReleaseSurface(&box);
}

TEST(LineLength, BytesUpToTheNextNewline) {
  struct {
    const char* text;
    int length;
  } cases[] = {
      {nullptr, 0}, {"", 0}, {"\n", 0}, {"abc", 3}, {"ab\ncd", 2}, {"漢字\n次", 4}, {"ｱｲ", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLineLength(c.text), c.length) << (c.text != nullptr ? c.text : "null");
}

TEST(FontSeedList, Holds256DoubleByteCharacters) {
  const std::string seed(kFastFontSeed);
  ASSERT_EQ(seed.size(), 512u);
  for (std::size_t i = 0; i < seed.size(); i += 2)
    EXPECT_TRUE(IsCp932LeadByte(static_cast<std::uint8_t>(seed[i]))) << i;
}

// ---- the installed faces ----

TEST(InstalledFaces, EveryFaceNameOfTheSystemDataOpens) {
  cGlyphSource& source = SystemGlyphSource();
  for (int i = 0; i < kSystemFontNameCount; ++i)
    EXPECT_GE(source.OpenFace(SystemFontNames[i]), 0) << i << " " << Cp932ToUtf8(SystemFontNames[i]) << ": "
                                                       << source.LastError();
  EXPECT_STREQ(InstalledFamilyOfFace("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_STREQ(InstalledFamilyOfFace("ＭＳ Ｐ明朝"), "IPAPMincho");
  EXPECT_STREQ(InstalledFamilyOfFace("Courier New"), "IPAPGothic");
}

class InstalledFaceTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void TearDown() override {
    m_Font.Release();
    cDisplayTest::TearDown();
  }
  cFont m_Font;
};

TEST_P(InstalledFaceTest, JapaneseTextInksOnlyItsCellsInTheTextColour) {
  ASSERT_TRUE(Bring(GetParam()));
  const std::uint32_t background = FontTestFillValue(kBack), ink = FontTestFillValue(kText);
  const char* const text = "日本語のテキスト ｶﾀｶﾅ ABC";
  // A face name no machine has is drawn too, in the face standing in for it.
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐ明朝", "Tovrel No Such Face 7f3a"}) {
    for (int fast = 0; fast <= 1; ++fast) {
      ASSERT_EQ(m_Font.Init(face, 0, 16, 16, 16, kText, nullptr, 0, 0, nullptr, fast), 1);
      DDFillSurface(&g_BackBuffer, kBack);
      m_Font.DrawText(&g_BackBuffer, 20, 30, text);
      const SIZE size = m_Font.GetTextExtent(text);
      const cPixelBuffer& px = Pixels(&g_BackBuffer);
      int inked = 0, stray = 0, wrong = 0;
      for (int y = 0; y < px.nHeight; ++y)
        for (int x = 0; x < px.nWidth; ++x) {
          const std::uint32_t v = px.Get(x, y);
          if (v == background) continue;
          ++inked;
          if (v != ink) ++wrong;
          if (x < 20 || x >= 20 + size.cx || y < 29 || y >= 30 + size.cy) ++stray;
        }
      const std::string name = std::string(GetParam().name) + " " + Cp932ToUtf8(face) + (fast ? " fast" : "");
      EXPECT_GT(inked, 400) << name;
      EXPECT_EQ(wrong, 0) << name;
      EXPECT_EQ(stray, 0) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, InstalledFaceTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
