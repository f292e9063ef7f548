// Colour: palette numbers in every format, the palette read from its picture, the colour
// key, index data, blending, rotation, variants and animation.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "data/system/system_data.h"
#include "platform/message_box.h"
#include "tests/media/draw_test_util.h"
#include "writers/bmp_writer.h"

namespace {

class ColourTest : public cDisplayTest {};

TEST_F(ColourTest, PaletteNumbersBecomePixelsOfEveryFormat) {
  struct {
    int config;
    DWORD number;
    DWORD expected;
  } cases[] = {
      {0, 0, 0},                                    // Direct3D: number 0 is transparent
      {0, 9, 0xFF000000u | TestPaletteColour(9)},   //
      {0, 256, 0},                                  // past the palette
      {1, 200, 0xFF0020BDu},                        // channels read back from 5 bits: 192 -> 189
      {3, 77, 77},                                  // 8 bits: the number itself
      {3, 256, 0},
      {4, 9, (4u << 11) | (8u << 5)},               // raw 5/6-bit channels of (32, 32, 0)
      {5, 200, TestPaletteColour(200)},
      {5, 300, 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Bring(kAllConfigs[c.config]));
    EXPECT_EQ(PalNumToRGB(c.number), c.expected) << kAllConfigs[c.config].name << " " << c.number;
    DDEnd();
  }
  ASSERT_TRUE(Bring(kAllConfigs[4]));
  g_Palette[7] = PALETTEENTRY{31, 63, 31, 0};
  EXPECT_EQ(PalNumToRGB(7), 0xFFFFu);
}

TEST_F(ColourTest, PaletteAndKeyComeFromThePalettePicture) {
  struct {
    int config;
    PALETTEENTRY entry9;
    DWORD transmit;
  } cases[] = {
      {0, {32, 32, 0, 255}, 0},
      {1, {32, 32, 0, 255}, 0xFC1F},
      {3, {32, 32, 0, PC_EXPLICIT}, 0},
      {4, {4, 8, 0, 0}, 0xF81F},
      {5, {32, 32, 0, 0}, 0xFF00FF},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Bring(kAllConfigs[c.config]));
    const PALETTEENTRY& e = g_Palette[9];
    EXPECT_EQ((std::vector<int>{e.peRed, e.peGreen, e.peBlue, e.peFlags}),
              (std::vector<int>{c.entry9.peRed, c.entry9.peGreen, c.entry9.peBlue, c.entry9.peFlags}))
        << kAllConfigs[c.config].name;
    EXPECT_EQ(g_dwTransmit, c.transmit) << kAllConfigs[c.config].name;
    if (lpDTCon != nullptr) {
      // The key keeps the texel's own channels (5 bits at 16 bits); the clear colour is
      // the full colour at both depths.
      const int full = g_nBpp == 16 ? 31 : 255;
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtRed, full);
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtGreen, 0);
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtBlue, full);
      EXPECT_EQ(lpDTCon->argbTransmit, 0xFFFF00FFu);
      EXPECT_EQ(lpDTCon->wTransmit_16, c.config == 1 ? 0xFC1F : 0);
    }
    DDEnd();
  }
}

// Under Direct3D at 16 bits the key travels as the texel's raw channel values: the texel
// comes back whole, and only the clear colour of render targets is widened to 8 bits.
TEST_F(ColourTest, Direct3D16KeyKeepsTheTexelsOwnChannels) {
  ASSERT_TRUE(Bring(kAllConfigs[1]));
  // (140, 165, 28) is the texel (17, 20, 3), 0xC683 with its alpha bit.
  WriteFile("key.bmp", MakeBmp8(1, 1, std::vector<std::uint32_t>(256, 0x8CA51Cu), {0}));
  ASSERT_EQ(SetTrans("key.bmp"), 1);
  EXPECT_EQ(g_dwTransmit, 0xC683u);
  EXPECT_EQ(lpDTCon->wTransmit_16, 0xC683);
  EXPECT_EQ(lpDTCon->argbTransmit, 0xFF8BA418u);
  struct {
    BYTE r, g, b;
    WORD texel;
    D3DCOLOR clear;
  } cases[] = {
      {31, 0, 31, 0xFC1F, 0xFFFF00FFu},
      {17, 20, 3, 0xC683, 0xFF8BA418u},
      {0, 0, 0, 0x8000, 0xFF000000u},
  };
  for (const auto& c : cases) {
    DDSetTransmit(c.r, c.g, c.b);
    EXPECT_EQ(lpDTCon->wTransmit_16, c.texel) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    EXPECT_EQ(lpDTCon->argbTransmit, c.clear) << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

TEST_F(ColourTest, IndexDataNamesThePaletteNumberOfEveryPixel) {
  for (int config : {0, 1, 4, 5}) {
    ASSERT_TRUE(Bring(kAllConfigs[config]));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "sheet.bmp", 1, g_nBpp, 0, 0, 0, 1, 0, 0, 0), 0);
    const BYTE* index = DDSurfaceIndex(&sd);
    ASSERT_NE(index, nullptr);
    const cPixelBuffer& px = Pixels(&sd);
    const int stride = px.nPitch / px.BytesPerPixel();
    int wrong = 0;
    for (int y = 0; y < kSheetSize; ++y)
      for (int x = 0; x < kSheetSize; ++x) wrong += index[y * stride + x] != SheetIndex(x, y);
    EXPECT_EQ(wrong, 0) << kAllConfigs[config].name;
    DDReleaseSurface(&sd);
    DDEnd();
  }
}

TEST(PaletteArithmeticTest, RotationMovesTheRangeOnly) {
  struct {
    int first, last, count, dir;
    const char* expected;  // entries 0-7 as letters
  } cases[] = {
      {2, 5, 1, 1, "abdefcgh"}, {2, 5, 1, 0, "abfcdegh"}, {2, 5, 5, 1, "abdefcgh"},
      {2, 5, 1, 7, "abcdefgh"}, {0, 7, 3, 1, "defghabc"},
  };
  const int savedBpp = g_nBpp;
  g_nBpp = 8;
  for (const auto& c : cases) {
    PALETTEENTRY palette[256] = {};
    for (int i = 0; i < 8; ++i) palette[i].peRed = static_cast<BYTE>('a' + i);
    DDRotatePalette(palette, c.first, c.last, c.count, c.dir, palette);
    std::string got;
    for (int i = 0; i < 8; ++i) got += static_cast<char>(palette[i].peRed);
    EXPECT_EQ(got, c.expected) << c.first << "-" << c.last << " by " << c.count << " dir " << c.dir;
  }
  g_nBpp = savedBpp;
}

TEST(PaletteArithmeticTest, BlendingMovesEntriesTowardTheColour) {
  struct {
    int strength;
    int expectedRed;
  } cases[] = {{256, 200}, {0, 100}, {128, 150}, {64, 125}};
  for (const auto& c : cases) {
    PALETTEENTRY src[256] = {}, dst[256] = {};
    src[3] = PALETTEENTRY{200, 0, 0, 0};
    DDBlendPalette(dst, 3, 3, c.strength, 100, 0, 0, src);
    EXPECT_EQ(dst[3].peRed, c.expectedRed) << c.strength;
    EXPECT_EQ(dst[3].peFlags, 1);
  }
  PALETTEENTRY untouched[256] = {};
  DDBlendPalette(untouched, 5, 4, 0, 100, 100, 100, untouched);
  EXPECT_EQ(untouched[4].peRed, 0);
}

TEST(PaletteArithmeticTest, PingPongTurnsBeforeTheBounds) {
  constexpr int kIntMin = std::numeric_limits<int>::min();
  constexpr int kIntMax = std::numeric_limits<int>::max();
  struct {
    int value, dir, step, outValue, outDir, result;
  } cases[] = {
      {250, 0, 10, 250, 1, 0}, {240, 0, 10, 250, 0, 0}, {5, 1, 10, 5, 0, 1}, {20, 1, 10, 10, 1, 0}, {7, 0, 0, 7, 0, 0},
      // Speeds from a damaged System.dat: a step past the int range turns or stays at the
      // int limit instead of wrapping.
      {kIntMin, 0, kIntMin, kIntMin, 0, 0}, {0, 1, kIntMin, kIntMax, 1, 0}, {10, 0, kIntMax, 10, 1, 0},
      {10, 1, kIntMax, 10, 0, 1},
  };
  for (const auto& c : cases) {
    int value = c.value, dir = c.dir;
    EXPECT_EQ(PingPong(&value, &dir, c.step, 0, 255), c.result) << c.value;
    EXPECT_EQ(value, c.outValue) << c.value;
    EXPECT_EQ(dir, c.outDir) << c.value;
  }
}

class PaletteVariantTest : public cDisplayTest {
 protected:
  void WriteBlendTables(std::initializer_list<int> variants) {
    for (int n : variants) {
      char name[32];
      std::snprintf(name, sizeof name, "bmp/hbt/hbt%02d.dat", n);
      WriteFile(name, std::string(65536, static_cast<char>(n)));
    }
  }
};

TEST_F(PaletteVariantTest, VariantsRotateOrRepeatTheColourBlocks) {
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  WriteBlendTables({0, 1, 12, 23});
  PALETTEENTRY loaded[256];
  std::memcpy(loaded, g_Palette, sizeof loaded);
  ASSERT_EQ(SetPaletteVariant(0), 1);
  EXPECT_EQ(std::memcmp(g_Palette, loaded, sizeof loaded), 0);
  ASSERT_EQ(SetPaletteVariant(1), 1);
  EXPECT_EQ(g_Palette[16].peRed, loaded[32].peRed);
  EXPECT_EQ(g_Palette[207].peGreen, loaded[31].peGreen);
  ASSERT_EQ(SetPaletteVariant(12), 1);
  for (int block = 0; block < 12; ++block)
    for (int i = 0; i < 16; ++i) EXPECT_EQ(g_Palette[16 + block * 16 + i].peRed, loaded[16 + i].peRed);
  EXPECT_EQ(g_BlendTable[100], 12);
  EXPECT_EQ(lpDDPalette->entries[40].peGreen, g_Palette[40].peGreen);
}

TEST_F(PaletteVariantTest, VariantNumbersPastTheLastAreClamped) {
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  WriteBlendTables({0, 23});
  ASSERT_EQ(SetPaletteVariant(23), 1);
  PALETTEENTRY last[256];
  std::memcpy(last, g_Palette, sizeof last);
  ASSERT_EQ(SetPaletteVariant(40), 1);
  EXPECT_EQ(std::memcmp(g_Palette, last, sizeof last), 0);
  ASSERT_EQ(SetPaletteVariant(-5), 1);
  EXPECT_EQ(g_BlendTable[0], 0);
}

TEST_F(PaletteVariantTest, MissingOrShortBlendTableLeavesTheDisplayPalette) {
  cRecordingMessageBoxes boxes;
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  WriteFile("bmp/hbt/hbt05.dat", std::string(1000, 'x'));
  const PALETTEENTRY before = lpDDPalette->entries[50];
  EXPECT_EQ(SetPaletteVariant(4), 0);
  EXPECT_EQ(SetPaletteVariant(5), 0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "bmp\\hbt\\hbt04.dat の読み込みに失敗！");
  EXPECT_EQ(lpDDPalette->entries[50].peRed, before.peRed);
  DDEnd();
  ASSERT_TRUE(Bring(kAllConfigs[5]));
  EXPECT_EQ(SetPaletteVariant(4), 1);  // only the 8-bit display has variants
}

TEST_F(ColourTest, PaletteAnimationTurnsEveryGroupOnEverySixthFrame) {
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  ResetPaletteAnime();
  g_SystemData.m_bPaletteAnime = 1;
  const PALETTEENTRY first = g_DispPalette[208], second = g_DispPalette[209];
  for (int call = 1; call <= 5; ++call) UpdatePaletteAnime();
  EXPECT_EQ(g_DispPalette[208].peRed, first.peRed);
  UpdatePaletteAnime();
  EXPECT_EQ(g_DispPalette[208].peRed, second.peRed);
  EXPECT_EQ(g_DispPalette[211].peRed, first.peRed);
  EXPECT_EQ(lpDDPalette->entries[208].peRed, second.peRed);
  g_SystemData.m_bPaletteAnime = 0;
  for (int call = 1; call <= 6; ++call) UpdatePaletteAnime();
  EXPECT_EQ(g_DispPalette[208].peRed, second.peRed);
}

TEST_F(ColourTest, ColourBlendPairsPulse) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  ResetPaletteAnime();
  g_SystemData.m_nColorAnimeSpeed = 100;
  UpdatePaletteAnime();  // pulses 0 -> 100
  EXPECT_EQ(g_ColorBlend[1].dwDiffuse, 0xFF000000u);
  UpdatePaletteAnime();  // 100 -> 200
  EXPECT_EQ(g_ColorBlend[1].dwDiffuse, D3DCOLOR_ARGB(255, 100, 100, 100));
  EXPECT_EQ(g_ColorBlend[1].nColorOp, D3DTOP_ADD);
  EXPECT_EQ(g_ColorBlend[2].nColorOp, D3DTOP_SUBTRACT);
  EXPECT_EQ(g_ColorBlend[7].dwDiffuse, D3DCOLOR_ARGB(255, 100, 0, 25));
  EXPECT_EQ(g_ColorBlend[9].dwDiffuse, D3DCOLOR_ARGB(255, 100, 0, 0));
  // 200 turns at the top; 200 -> 100; 100 turns at the bottom, and the next pair takes the
  // next colour.
  for (int i = 0; i < 4; ++i) UpdatePaletteAnime();
  EXPECT_EQ(g_ColorBlend[9].dwDiffuse, D3DCOLOR_ARGB(255, 0, 100, 0));
  EXPECT_EQ(g_ColorBlend[0].dwDiffuse, 0u);
  g_SystemData.m_nColorAnimeSpeed = 0;
}

}  // namespace
