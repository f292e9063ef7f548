// The screen fades on every back end and depth, on a small screen: the angle each call
// draws at, when a fade reports its end and where the next one starts, what a Direct3D
// frame, a true-colour DirectDraw frame and the 8-bit palette show at each step, a step
// whose target cannot be set, and the DirectDraw colour fade on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "app/report_log.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_fade.h"
#include "media/draw/fade_span.h"
#include "media/draw/surface_lock.h"
#include "tests/media/draw_test_util.h"

namespace {

constexpr int kW = 20, kH = 12;
constexpr BYTE kRed = 40, kGreen = 80, kBlue = 120;

// A picture value for pixel (x, y) in the format; `seed` makes a second, different one.
std::uint32_t PictureValue(ePixelFormat f, int x, int y, int seed) {
  const std::uint32_t v = static_cast<std::uint32_t>(x * 37 + y * 101 + seed * 53);
  switch (f) {
    case ePixelFormat::kP8: return 1 + v % 250;
    case ePixelFormat::kR5G6B5: return (v * 2654435761u) & 0xFFFF;
    case ePixelFormat::kA1R5G5B5: return 0x8000u | ((v * 2654435761u) & 0x7FFF);
    case ePixelFormat::kX8R8G8B8: return (v * 2654435761u) & 0x00FFFFFFu;
    case ePixelFormat::kA8R8G8B8: return 0xFF000000u | ((v * 2654435761u) & 0x00FFFFFFu);
  }
  return 0;
}

void Paint(cPixelBuffer& px, int seed) {
  for (int y = 0; y < px.nHeight; ++y)
    for (int x = 0; x < px.nWidth; ++x) px.Put(x, y, PictureValue(px.format, x, y, seed));
}

double Sine(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }

struct FadeCase {
  const char* name;
  bool bIn;
  int step;
  int reset;
  std::vector<double> angles;  // the angle each call draws at; the last call reports the end
};

const FadeCase kFadeCases[] = {
    // Ten calls: the call at 0 draws the colour and reports the end.
    {"OutStep10", false, 10, 0, {90, 80, 70, 60, 50, 40, 30, 20, 10, 0}},
    {"OutStep25", false, 25, 0, {90, 65, 40, 15, 0}},
    {"OutReset", false, 10, 1, {0}},
    {"InStep10", true, 10, 0, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
    {"InStep25", true, 25, 0, {0, 25, 50, 75, 90}},
    {"InReset", true, 10, 1, {90}},
};

class FadeTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    SetECLog(1, "EC_Game.txt");
    DDResetFades();
  }
  void TearDown() override {
    DDResetFades();
    SetECLog(0, "EC_Game.txt");
    cDisplayTest::TearDown();
  }
  static bool Step(const FadeCase& c, int reset) {
    return c.bIn ? DDFadeIn(g_DispPalette, 0, 255, kRed, kGreen, kBlue, c.step, g_Palette, reset)
                 : DDFadeOut(g_DispPalette, 0, 255, kRed, kGreen, kBlue, c.step, g_Palette, reset);
  }
  // What the frame (or the palette) must show at the angle. `start` is the frame the fade
  // began on, `now` the frame drawn before this step.
  static void ExpectStep(const std::string& name, double angle, const cPixelBuffer& start, const cPixelBuffer& now) {
    const cPixelBuffer& back = Pixels(&g_BackBuffer);
    if (lpDTCon != nullptr) {
      cPixelBuffer want = now;
      DrawColorQuad(want, 0, 0, kW, kH, D3DCOLOR_ARGB(255 - static_cast<int>(Sine(angle) * 255), 0, 0, 0));
      ExpectPixels(name, back, [&](int x, int y) { return want.Get(x, y); });
    } else if (g_nBpp == 8) {
      const int v = static_cast<int>(Sine(angle) * 256);
      for (int i : {1, 7, 128, 255}) {
        const PALETTEENTRY& e = g_DispPalette[i];
        EXPECT_EQ(e.peRed, (kRed * (256 - v) + v * g_Palette[i].peRed) >> 8) << name << " entry " << i;
        EXPECT_EQ(e.peBlue, (kBlue * (256 - v) + v * g_Palette[i].peBlue) >> 8) << name << " entry " << i;
        EXPECT_EQ(lpDDPalette->entries[i].peGreen, e.peGreen) << name << " entry " << i;
      }
      ExpectPixels(name, back, [&](int x, int y) { return now.Get(x, y); });
    } else {
      cPixelBuffer want = now;
      for (int y = 0; y < kH; ++y)
        FadeRow(want.format, want.Row(y), start.Row(y), kW, static_cast<int>(Sine(angle) * 256), kRed, kGreen, kBlue);
      ExpectPixels(name, back, [&](int x, int y) { return want.Get(x, y); });
    }
  }
};

TEST_P(FadeTest, EachCallDrawsItsAngleAndTheLastReportsTheEnd) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  cPixelBuffer& back = Pixels(&g_BackBuffer);
  for (const FadeCase& c : kFadeCases) {
    // Twice: the second run shows that the end put the angle back to the start.
    for (int run = 0; run < 2; ++run) {
      std::copy(g_Palette, g_Palette + 256, g_DispPalette);
      Paint(back, 1);
      const cPixelBuffer start = back;
      for (std::size_t k = 0; k < c.angles.size(); ++k) {
        // The scene draws a new frame each time: DirectDraw keeps mixing from the first.
        if (k > 0) Paint(back, static_cast<int>(k) + 1);
        const cPixelBuffer now = back;
        const std::string name = std::string(GetParam().name) + "_" + c.name + "_run" + std::to_string(run) +
                                 "_call" + std::to_string(k);
        EXPECT_EQ(Step(c, c.reset), k + 1 == c.angles.size()) << name;
        ExpectStep(name, c.angles[k], start, now);
      }
    }
  }
}

// A fade abandoned halfway goes on from where it stopped; each fade keeps its own angle.
TEST_P(FadeTest, AnAbandonedFadeContinues) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  const FadeCase out = kFadeCases[0], in = kFadeCases[3];
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(Step(out, 0));
  EXPECT_FALSE(Step(in, 0));
  int calls = 0;
  while (!Step(out, 0) && calls < 20) ++calls;
  EXPECT_EQ(calls, 5);  // 50, 40, 30, 20, 10 go on; 0 reports the end
}

TEST_P(FadeTest, AStepWhoseTargetCannotBeSetIsTriedAgain) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  if (lpDTCon == nullptr) GTEST_SKIP() << "the Direct3D quad only";
  cPixelBuffer* saved = g_BackBuffer.lpDT->lpSurface;
  cPixelBuffer& back = *saved;
  Paint(back, 1);
  const cPixelBuffer before = back;
  g_BackBuffer.lpDT->lpSurface = nullptr;
  EXPECT_FALSE(DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 0));
  EXPECT_FALSE(DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 1));
  g_BackBuffer.lpDT->lpSurface = saved;
  lpDevice->SetRenderTarget(saved);
  ExpectPixels("untouched", back, [&](int x, int y) { return before.Get(x, y); });
  int calls = 1;
  while (!DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 0) && calls < 20) ++calls;
  EXPECT_EQ(calls, 1);  // the reset above had set the angle to 0 before the target failed
}

// Under Direct3D with the virtual back buffer on, the fade darkens that buffer.
TEST_P(FadeTest, TheVirtualBackBufferIsWhatFades) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  if (lpDTCon == nullptr) GTEST_SKIP() << "Direct3D only";
  DDSetVirtualBackBuffer(1);
  cPixelBuffer& virt = Pixels(&g_VirBackBuffer);
  cPixelBuffer& back = Pixels(&g_BackBuffer);
  Paint(virt, 1);
  Paint(back, 2);
  const cPixelBuffer backBefore = back;
  EXPECT_TRUE(DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 1));
  const std::uint32_t black = ArgbToPixel(virt.format, 0xFF000000u);
  ExpectPixels("virtual", virt, [&](int, int) { return black; });
  ExpectPixels("back", back, [&](int x, int y) { return backBefore.Get(x, y); });
  DDSetVirtualBackBuffer(0);
}

// ---- The colour fade on its own ----

struct UnPalCase {
  const char* name;
  int amount;      // as passed
  int effective;   // as mixed
  int srcW, srcH;  // the source; the destination is kW x kH
};

const UnPalCase kUnPalCases[] = {
    {"Colour", 0, 0, kW, kH},          {"Half", 128, 128, kW, kH},
    {"Picture", 256, 256, kW, kH},     {"BelowZero", -40, 0, kW, kH},
    {"AboveFull", 999, 256, kW, kH},   {"SmallerSource", 100, 100, 7, 5},
};

TEST_P(FadeTest, ColourFadeMixesWhatBothSurfacesHold) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  for (const UnPalCase& c : kUnPalCases) {
    DDSURFACEDATA dst, src;
    ASSERT_TRUE(DDCreateSurface(&dst, kW, kH, 0, 0, 0, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&src, c.srcW, c.srcH, 0, 0, 0, 0, 0));
    cPixelBuffer& d = Pixels(&dst);
    cPixelBuffer& s = Pixels(&src);
    Paint(d, 3);
    Paint(s, 4);
    const cPixelBuffer before = d;
    EXPECT_EQ(DDFade_UnPal(&dst, c.amount, kRed, kGreen, kBlue, &src), 1) << c.name;
    const std::string name = std::string(GetParam().name) + "_" + c.name;
    if (lpDTCon != nullptr || g_nBpp == 8) {
      ExpectPixels(name, d, [&](int x, int y) { return before.Get(x, y); });
    } else {
      cPixelBuffer want = before;
      for (int y = 0; y < std::min(kH, s.nHeight); ++y)
        FadeRow(want.format, want.Row(y), s.Row(y), std::min(kW, s.nWidth), c.effective, kRed, kGreen, kBlue);
      ExpectPixels(name, d, [&](int x, int y) { return want.Get(x, y); });
    }
    DDReleaseSurface(&src);
    DDReleaseSurface(&dst);
  }
  if (lpDTCon != nullptr) {
    EXPECT_NE(ReadBytes("EC_Game.txt").find("D3DではDDFade_UnPalは未対応"), std::string::npos);
  }
}

TEST_P(FadeTest, ColourFadeOfALostSurfaceFails) {
  ASSERT_TRUE(Bring(GetParam(), kW, kH));
  if (lpDTCon != nullptr) GTEST_SKIP() << "DirectDraw only";
  DDSimulateSurfaceLoss();
  EXPECT_EQ(DDFade_UnPal(&g_BackBuffer, 100, 0, 0, 0, &g_FadeSD), 0);
}

INSTANTIATE_TEST_SUITE_P(AllModes, FadeTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
