// The pixel effects through the display on every back end and depth: each effect drawn
// partly outside both surfaces changes only what it may; the Direct3D quads give the
// worked values of their stage operations; refusals, out-of-range parameters and lock
// failures; an effect whose source is its own destination reads the picture as it was.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>

#include "app/report_log.h"
#include "media/draw/dd_pixel_effects.h"
#include "media/draw/pixel_effect_loops.h"
#include "platform/message_box.h"
#include "platform/win_time.h"
#include "tests/media/draw_test_util.h"

namespace {

class PixelEffectsTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    SetECLog(1, "EC_Game.txt");
  }
  void TearDown() override {
    SetECLog(0, "EC_Game.txt");
    cDisplayTest::TearDown();
  }
  bool BringWithSheet() {
    if (!Bring(GetParam()) || !LoadSheet(&m_Sheet)) return false;
    for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 9);
    return true;
  }
  std::string ECLog() { return ReadBytes("EC_Game.txt"); }
  cRecordingMessageBoxes m_Boxes;  // the debug boxes of lock failures
};

// Each effect drawn from the sheet (64 x 64) at its top-left corner, reaching past the top
// and left of both the back buffer and the sheet; reach is the part of the back buffer it
// may change.
struct ReachCase {
  const char* name;
  std::function<bool(DDSURFACEDATA* sheet)> draw;
  RECT reach;
  bool b8Bit;
};
const ReachCase kReachCases[] = {
    {"Mosaic", [](DDSURFACEDATA* s) { return DDMosaic(&g_BackBuffer, -20, -10, 64, 64, 5, s, -12, -6, 0); },
     {0, 0, 44, 54}, true},
    {"Blur", [](DDSURFACEDATA* s) { return DDBlur(&g_BackBuffer, -20, -10, 64, 64, 3, 2, s, -12, -6, 1); },
     {0, 0, 44, 54}, false},
    {"TintLevel2", [](DDSURFACEDATA* s) {
       return DDAlphaBlt(&g_BackBuffer, -20, -10, 64, 64, s, -12, -6, 1, g_DispPalette, g_BlendTable, 200, 2);
     },
     {0, 0, 44, 54}, true},
    {"TintLevel0", [](DDSURFACEDATA* s) {
       return DDAlphaBlt(&g_BackBuffer, -20, -10, 64, 64, s, -12, -6, 1, g_DispPalette, g_BlendTable, 200, 0);
     },
     {0, 0, 44, 54}, true},
    {"Half", [](DDSURFACEDATA* s) { return DDHalfBlt(&g_BackBuffer, -20, -10, 64, 64, s, -12, -6, 1, g_BlendTable); },
     {0, 0, 44, 54}, true},
    {"Lens", [](DDSURFACEDATA* s) { return DDRadialBlt(&g_BackBuffer, 5, 8, 20, 12, s, 2, 3, 1, 1); },
     {0, 0, 26, 29}, true},
    {"Rotate", [](DDSURFACEDATA* s) { return DDRotateBlt(&g_BackBuffer, 4, 6, 64, 64, 32, 32, 30, s, -12, -6, 1); },
     {0, 0, 52, 54}, true},
};

TEST_P(PixelEffectsTest, EffectsPastTheEdgesChangeOnlyWhatTheyReach) {
  ASSERT_TRUE(BringWithSheet());
  for (const ReachCase& c : kReachCases) {
    if (!c.b8Bit && g_nBpp == 8) continue;
    for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 9);
    const cPixelBuffer before = Pixels(&g_BackBuffer);
    const cPixelBuffer sheet = Pixels(&m_Sheet);
    EXPECT_TRUE(c.draw(&m_Sheet)) << c.name;
    const cPixelBuffer& after = Pixels(&g_BackBuffer);
    int changed = 0;
    for (int y = 0; y < after.nHeight; ++y)
      for (int x = 0; x < after.nWidth; ++x) {
        const bool inside = x >= c.reach.left && x < c.reach.right && y >= c.reach.top && y < c.reach.bottom;
        if (after.Get(x, y) == before.Get(x, y)) continue;
        ++changed;
        ASSERT_TRUE(inside) << c.name << " changed " << x << "," << y;
      }
    EXPECT_GT(changed, 0) << c.name;
    EXPECT_EQ(Pixels(&m_Sheet).bytes, sheet.bytes) << c.name;
  }
}

TEST_P(PixelEffectsTest, RotationByZeroAboutTheCentreCopiesTheOpaquePixels) {
  ASSERT_TRUE(BringWithSheet());
  const cPixelBuffer before = Pixels(&g_BackBuffer);
  ASSERT_TRUE(DDRotateBlt(&g_BackBuffer, 132, 96, 64, 64, 32, 32, 0, &m_Sheet, 0, 0, 1));
  const cPixelBuffer& src = Pixels(&m_Sheet);
  const cPixelBuffer& back = Pixels(&g_BackBuffer);
  ExpectPixels(std::string("rotate0_") + GetParam().name, back, [&](int x, int y) -> std::uint32_t {
    if (x < 100 || x >= 164 || y < 64 || y >= 128) return before.Get(x, y);
    const std::uint32_t t = src.Get(x - 100, y - 64);
    if (SheetIndex(x - 100, y - 64) == 0) return before.Get(x, y);
    if (src.format == back.format) return t;
    return ArgbToPixel(back.format, PixelToArgb(src.format, t));
  });
}

// The quads' stage operations on a white opaque picture over black.
TEST_P(PixelEffectsTest, DirectThreeDQuadsGiveTheirStageResults) {
  ASSERT_TRUE(Bring(GetParam()));
  if (lpDTCon == nullptr) GTEST_SKIP() << "the quads are Direct3D's";
  DDSURFACEDATA white;
  ASSERT_TRUE(DDCreateSurface(&white, 8, 8, 1, 0, 0, 0, 0));
  cPixelBuffer& w = Pixels(&white);
  FillRectRaw(w, RECT{0, 0, 8, 8}, ArgbToPixel(w.format, 0xFFFFFFFFu));
  cPixelBuffer& back = Pixels(&g_BackBuffer);
  PALETTEENTRY palette[256] = {};
  palette[5] = PALETTEENTRY{0, 0, 0, 0};
  struct QuadCase {
    const char* name;
    std::function<bool()> draw;
    std::uint32_t argb;  // the pixel at (10, 10) afterwards
  };
  const QuadCase cases[] = {
      // Level 1: the picture's share is 128/255 of white, the black tint's the rest.
      {"TintLevel1", [&] { return DDAlphaBlt(&g_BackBuffer, 10, 10, 8, 8, &white, 0, 0, 1, palette, nullptr, 5, 1); },
       0xFF808080u},
      {"TintLevel5", [&] { return DDAlphaBlt(&g_BackBuffer, 10, 10, 8, 8, &white, 0, 0, 1, palette, nullptr, 5, 5); },
       0xFF000000u},
      // Strength 128: the picture at 127/255 of its opacity.
      {"Half", [&] { return DDHalfBlt(&g_BackBuffer, 10, 10, 8, 8, &white, 0, 0, 1, nullptr); }, 0xFF7F7F7Fu},
      {"HalfStrengthPast255", [&] { return DDHalfBltEx(&g_BackBuffer, 10, 10, 8, 8, &white, 0, 0, 1, nullptr, 999); },
       0xFF000000u},
      {"HalfStrengthNegative", [&] { return DDHalfBltEx(&g_BackBuffer, 10, 10, 8, 8, &white, 0, 0, 1, nullptr, -9); },
       0xFFFFFFFFu},
  };
  for (const QuadCase& c : cases) {
    FillRectRaw(back, RECT{0, 0, back.nWidth, back.nHeight}, ArgbToPixel(back.format, 0xFF000000u));
    EXPECT_TRUE(c.draw()) << c.name;
    EXPECT_EQ(back.Get(10, 10), ArgbToPixel(back.format, c.argb)) << c.name;
    EXPECT_EQ(back.Get(9, 10), ArgbToPixel(back.format, 0xFF000000u)) << c.name;
  }
  // The colour change multiplies the whole back buffer by the colour at full opacity, and
  // leaves it as it was at alpha 255.
  FillRectRaw(back, RECT{0, 0, back.nWidth, back.nHeight}, ArgbToPixel(back.format, 0xFFFFFFFFu));
  EXPECT_EQ(DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, 255, 255, 0, 0), 1);
  EXPECT_EQ(back.Get(300, 200), ArgbToPixel(back.format, 0xFFFFFFFFu));
  EXPECT_EQ(DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, 0, 255, 0, 0), 1);
  EXPECT_EQ(back.Get(300, 200), ArgbToPixel(back.format, 0xFFFF0000u));
  EXPECT_EQ(back.Get(639, 479), ArgbToPixel(back.format, 0xFFFF0000u));
  // An alpha past 255 draws nothing, and one below 0 draws at full opacity.
  EXPECT_EQ(DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, 999, 0, 0, 0), 1);
  EXPECT_EQ(back.Get(300, 200), ArgbToPixel(back.format, 0xFFFF0000u));
  EXPECT_EQ(DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, -7, 0, 0, 0), 1);
  EXPECT_EQ(back.Get(300, 200), ArgbToPixel(back.format, 0xFF000000u));
  DDReleaseSurface(&white);
}

// Refused or empty calls: the result, the log line, and a back buffer left as it was.
struct RefusalCase {
  const char* name;
  std::function<int(DDSURFACEDATA* sheet)> draw;
  int result;
  const char* line;  // expected in the error-check log, or null
  int onlyBpp;       // 0: every mode
  int onlyD3D;       // -1: both back ends
};
const RefusalCase kRefusals[] = {
    {"Blur8Bit", [](DDSURFACEDATA* s) { return static_cast<int>(DDBlur(&g_BackBuffer, 0, 0, 64, 64, 2, 2, s, 0, 0, 0)); },
     1, "8ビットぼかしは不可能！", 8, -1},
    {"ChangeColorUnderDirectDraw",
     [](DDSURFACEDATA*) { return DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, 0, 255, 0, 0); }, 1,
     "DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE bRed,BYTE "
     "bGreen,BYTE bBlue) は未対応",
     0, 0},
    {"TintColourPastThePalette",
     [](DDSURFACEDATA* s) {
       return static_cast<int>(DDAlphaBlt(&g_BackBuffer, 0, 0, 64, 64, s, 0, 0, 0, g_DispPalette, g_BlendTable, 256, 1));
     },
     1, "DDAlphaBlt Err nColor = 256", 0, -1},
    {"TintColourNegative",
     [](DDSURFACEDATA* s) {
       return static_cast<int>(DDAlphaBlt(&g_BackBuffer, 0, 0, 64, 64, s, 0, 0, 0, g_DispPalette, g_BlendTable, -3, 0));
     },
     1, "DDAlphaBlt Err nColor = -3", 0, -1},
    {"MosaicBlockZero", [](DDSURFACEDATA* s) { return static_cast<int>(DDMosaic(&g_BackBuffer, 0, 0, 64, 64, 0, s, 0, 0, 0)); },
     1, nullptr, 0, -1},
    {"MosaicBlockNegative",
     [](DDSURFACEDATA* s) { return static_cast<int>(DDMosaic(&g_BackBuffer, 0, 0, 64, 64, -7, s, 0, 0, 0)); }, 1, nullptr,
     0, -1},
    {"BlurRadiusZero",
     [](DDSURFACEDATA* s) { return static_cast<int>(DDBlur(&g_BackBuffer, 0, 0, 64, 64, 0, 4, s, 0, 0, 0)); }, 1,
     nullptr, 0, -1},
    {"LensDepthZero",
     [](DDSURFACEDATA* s) { return static_cast<int>(DDRadialBlt(&g_BackBuffer, 100, 100, 50, 0, s, 32, 32, 0, 1)); }, 1,
     nullptr, 0, -1},
    {"RotateEmpty",
     [](DDSURFACEDATA* s) { return static_cast<int>(DDRotateBlt(&g_BackBuffer, 100, 100, 0, 64, 0, 32, 45, s, 0, 0, 0)); },
     1, nullptr, 0, -1},
    {"MissingSource",
     [](DDSURFACEDATA*) { return static_cast<int>(DDHalfBlt(&g_BackBuffer, 0, 0, 64, 64, nullptr, 0, 0, 0, g_BlendTable)); },
     1, nullptr, 0, -1},
};

TEST_P(PixelEffectsTest, RefusalsAndEmptyCallsDrawNothing) {
  ASSERT_TRUE(BringWithSheet());
  for (const RefusalCase& c : kRefusals) {
    if (c.onlyBpp != 0 && c.onlyBpp != g_nBpp) continue;
    if (c.onlyD3D != -1 && c.onlyD3D != (lpDTCon != nullptr ? 1 : 0)) continue;
    const cPixelBuffer before = Pixels(&g_BackBuffer);
    EXPECT_EQ(c.draw(&m_Sheet), c.result) << c.name;
    EXPECT_EQ(Pixels(&g_BackBuffer).bytes, before.bytes) << c.name;
    if (c.line != nullptr) {
      EXPECT_NE(ECLog().find(c.line), std::string::npos) << c.name;
    }
  }
}

TEST_P(PixelEffectsTest, ALockThatFailsEndsTheEffectWithFalse) {
  ASSERT_TRUE(BringWithSheet());
  if (lpDTCon != nullptr)
    DDSimulateDeviceLoss(false);
  else
    DDSimulateSurfaceLoss();
  EXPECT_FALSE(DDMosaic(&g_BackBuffer, 0, 0, 64, 64, 4, &g_BackBuffer, 0, 0, 0));
  EXPECT_FALSE(DDRadialBlt(&g_BackBuffer, 100, 100, 20, 10, &g_BackBuffer, 100, 100, 0, 0));
  if (g_nBpp != 8) {
    EXPECT_FALSE(DDBlur(&g_BackBuffer, 0, 0, 64, 64, 2, 2, &g_BackBuffer, 0, 0, 0));
  }
  if (lpDTCon == nullptr) {
    EXPECT_FALSE(DDAlphaBlt(&g_BackBuffer, 0, 0, 64, 64, &g_BackBuffer, 0, 0, 0, g_DispPalette, g_BlendTable, 3, 2));
    EXPECT_FALSE(DDHalfBlt(&g_BackBuffer, 0, 0, 64, 64, &g_BackBuffer, 0, 0, 0, g_BlendTable));
    EXPECT_FALSE(DDRotateBlt(&g_BackBuffer, 100, 100, 64, 64, 32, 32, 10, &g_BackBuffer, 0, 0, 0));
  }
}

// Sizes, radii, levels, strengths and angles from game data at the ends of their range:
// each call returns at once with its usual result and stays inside both surfaces.
TEST_P(PixelEffectsTest, ParametersAtTheEndsOfTheirRangeFinish) {
  ASSERT_TRUE(BringWithSheet());
  DDSURFACEDATA* s = &m_Sheet;
  EXPECT_TRUE(DDMosaic(&g_BackBuffer, -5, -5, INT_MAX, INT_MAX, 1, s, 0, 0, 1));
  EXPECT_TRUE(DDMosaic(&g_BackBuffer, 10, 10, 64, 64, INT_MAX, s, 0, 0, 0));
  EXPECT_TRUE(DDBlur(&g_BackBuffer, -5, -5, INT_MAX, INT_MAX, INT_MAX, INT_MAX, s, 0, 0, 1));
  EXPECT_TRUE(DDAlphaBlt(&g_BackBuffer, -5, -5, INT_MAX, INT_MAX, s, 0, 0, 1, g_DispPalette, g_BlendTable, 200, INT_MAX));
  EXPECT_TRUE(DDAlphaBlt(&g_BackBuffer, -5, -5, INT_MAX, INT_MAX, s, 0, 0, 1, g_DispPalette, g_BlendTable, 200, INT_MIN));
  EXPECT_TRUE(DDHalfBltEx(&g_BackBuffer, -5, -5, INT_MAX, INT_MAX, s, 0, 0, 1, g_BlendTable, INT_MIN));
  EXPECT_TRUE(DDRadialBlt(&g_BackBuffer, 320, 240, INT_MAX, INT_MAX, s, 32, 32, 1, 1));
  EXPECT_TRUE(DDRadialBlt(&g_BackBuffer, INT_MIN, INT_MAX, INT_MAX, 3, s, 32, 32, 0, 0));
  EXPECT_TRUE(DDRotateBlt(&g_BackBuffer, 320, 240, INT_MAX, INT_MAX, INT_MAX / 2, INT_MIN / 2, INT_MIN, s, 0, 0, 1));
  EXPECT_TRUE(DDRotateBlt(&g_BackBuffer, INT_MAX, INT_MIN, 64, 64, INT_MIN, INT_MAX, 45, s, -40, -40, 0));
  EXPECT_EQ(DDChangeColor(&g_BackBuffer, 0, 0, INT_MAX, INT_MAX, INT_MIN, 1, 2, 3), 1);
}

// The source is the destination: the effect reads the picture as it was before it drew.
TEST_P(PixelEffectsTest, AnEffectOverItsOwnPictureReadsItAsItWas) {
  ASSERT_TRUE(BringWithSheet());
  DDBlt(&g_BackBuffer, 40, 40, 64, 64, &m_Sheet, 0, 0, 0);
  struct InPlace {
    const char* name;
    std::function<void(DDSURFACEDATA*)> viaDisplay;
    std::function<void(const cEffectPixels&)> viaLoops;
  };
  const InPlace cases[] = {
      {"Blur", [](DDSURFACEDATA* s) { DDBlur(s, 30, 30, 80, 80, 3, 3, s, 30, 30, 0); },
       [](const cEffectPixels& px) { BlurPixels(px, 30, 30, 80, 80, 3, 3, 30, 30, false); }},
      {"Lens", [](DDSURFACEDATA* s) { DDRadialBlt(s, 70, 70, 30, 20, s, 70, 70, 0, 0); },
       [](const cEffectPixels& px) { LensPixels(px, 70, 70, 30, 20, 70, 70, false, false); }},
  };
  for (const InPlace& c : cases) {
    if (g_nBpp == 8 && std::string(c.name) == "Blur") continue;
    cPixelBuffer source = Pixels(&g_BackBuffer);
    cPixelBuffer want = source;
    cEffectPixels px;
    px.src = cLockedPixels{source.bytes.data(), source.nPitch, source.nWidth, source.nHeight, source.format};
    px.dst = cLockedPixels{want.bytes.data(), want.nPitch, want.nWidth, want.nHeight, want.format};
    px.bDirect3D = lpDTCon != nullptr;
    px.dwKey = g_dwTransmit;
    c.viaLoops(px);
    c.viaDisplay(&g_BackBuffer);
    EXPECT_EQ(Pixels(&g_BackBuffer).bytes, want.bytes) << c.name;
  }
  // Turned by 0 degrees onto itself, 3 right and 1 down: a shifted copy of the picture as
  // it was, not one smeared by its own writes (the Direct3D quad included).
  const cPixelBuffer before = Pixels(&g_BackBuffer);
  ASSERT_TRUE(DDRotateBlt(&g_BackBuffer, 75, 73, 64, 64, 32, 32, 0, &g_BackBuffer, 40, 40, 0));
  ExpectPixels(std::string("rotate_self_") + GetParam().name, Pixels(&g_BackBuffer), [&](int x, int y) {
    if (x >= 43 && x < 107 && y >= 41 && y < 105) return before.Get(x - 3, y - 1);
    return before.Get(x, y);
  });
}

INSTANTIATE_TEST_SUITE_P(AllModes, PixelEffectsTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Every effect in a real window, for a person to look at: runs only when
// TOVREL_REAL_WINDOW is set (under Xvfb, for example), and keeps the window up for
// TOVREL_REAL_WINDOW_MS milliseconds (default 3000) so that a screenshot can be taken.
class PixelEffectsWindowTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {};

TEST_P(PixelEffectsWindowTest, ShowsEveryEffect) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const DWORD keep = ms != nullptr ? static_cast<DWORD>(std::atoi(ms)) : 3000;
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 8);
  // An 8-bit blend table of this palette: the entry nearest to the mean of two colours.
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const int r = (g_Palette[a].peRed + g_Palette[b].peRed) / 2, g = (g_Palette[a].peGreen + g_Palette[b].peGreen) / 2,
                bl = (g_Palette[a].peBlue + g_Palette[b].peBlue) / 2;
      int best = 1, bestDistance = 1 << 30;
      for (int n = 1; n < 256; ++n) {
        const int dr = g_Palette[n].peRed - r, dg = g_Palette[n].peGreen - g, db = g_Palette[n].peBlue - bl;
        if (dr * dr + dg * dg + db * db < bestDistance) {
          bestDistance = dr * dr + dg * dg + db * db;
          best = n;
        }
      }
      g_BlendTable[a * 256 + b] = static_cast<BYTE>(best);
    }
  // The sheet three times as large, for the effects of the second row.
  DDSURFACEDATA big;
  ASSERT_TRUE(DDCreateSurface(&big, 192, 192, 1, 0, 0, 0, 0));
  DDFillSurface(&big, 0);
  DDStretchBlt(&big, 0, 0, 192, 192, &m_Sheet, 0, 0, 64, 64, 1);
  // First row, left to right: the sheet as it is, mosaic, blur, tint, half copy, lens,
  // rotation by 30 degrees.
  const int y = 20;
  DDBlt(&g_BackBuffer, 16, y, 64, 64, &m_Sheet, 0, 0, 1);
  DDMosaic(&g_BackBuffer, 104, y, 64, 64, 8, &m_Sheet, 0, 0, 1);
  DDBlur(&g_BackBuffer, 192, y, 64, 64, 3, 3, &m_Sheet, 0, 0, 0);
  DDAlphaBlt(&g_BackBuffer, 280, y, 64, 64, &m_Sheet, 0, 0, 1, g_DispPalette, g_BlendTable, 7, 2);
  DDHalfBlt(&g_BackBuffer, 368, y, 64, 64, &m_Sheet, 0, 0, 1, g_BlendTable);
  DDRadialBlt(&g_BackBuffer, 488, y + 32, 30, 20, &m_Sheet, 32, 32, 1, 0);
  DDRotateBlt(&g_BackBuffer, 584, y + 32, 64, 64, 32, 32, 30, &m_Sheet, 0, 0, 1);
  // Second row, from the large picture: mosaic, blur, lens; and the rotation by 45
  // degrees half off the right edge.
  DDMosaic(&g_BackBuffer, 8, 140, 192, 192, 12, &big, 0, 0, 1);
  if (g_nBpp != 8) DDBlur(&g_BackBuffer, 216, 140, 192, 192, 4, 4, &big, 0, 0, 0);
  DDRadialBlt(&g_BackBuffer, 520, 236, 90, 60, &big, 96, 96, 1, 0);
  DDRotateBlt(&g_BackBuffer, 600, 420, 192, 192, 96, 96, 45, &big, 0, 0, 1);
  // A tinted and a half-transparent copy over the band edges, partly off the bottom.
  DDAlphaBlt(&g_BackBuffer, 16, 360, 192, 192, &big, 0, 0, 1, g_DispPalette, g_BlendTable, 200, 1);
  DDHalfBlt(&g_BackBuffer, 232, 360, 192, 192, &big, 0, 0, 1, g_BlendTable);
  ShowBackBufferFor(keep);
  DumpPixels(std::string("pixel_effects_") + GetParam().name, Pixels(&g_BackBuffer));
  DDReleaseSurface(&big);
}

INSTANTIATE_TEST_SUITE_P(Modes, PixelEffectsWindowTest,
                         ::testing::Values(kAllConfigs[0], kAllConfigs[2], kAllConfigs[3], kAllConfigs[4]),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
