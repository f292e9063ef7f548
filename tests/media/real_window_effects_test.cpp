// Fades and transitions in a real window, for a person to look at: runs only when
// TOVREL_REAL_WINDOW is set (under Xvfb, for example). The first TOVREL_REAL_WINDOW_MS
// milliseconds (default 3000) show a scene half-way through a fade-out, the next as long
// the transitions side by side: wave, interlace, page turn, quarter split, circle and a box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "media/draw/dd_colour.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fade.h"
#include "platform/display_window.h"
#include "platform/win_time.h"
#include "tests/media/draw_test_util.h"

namespace {

class RealWindowEffectsTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void Scene() {
    for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 8);
    for (int k = 0; k < 6; ++k) DDStretchBlt(&g_BackBuffer, 20 + k * 100, 120, 96, 96, &m_Sheet, 0, 0, 64, 64, 1);
    for (int r = 20; r <= 80; r += 20) DDDrawCircle(&g_BackBuffer, 320, 360, r, 255);
  }
  void Show(DWORD ms, const std::string& name) {
    ShowBackBufferFor(ms);
    DumpPixels(name, Pixels(&g_BackBuffer));
  }
};

TEST_P(RealWindowEffectsTest, ShowsAFadeAndTheTransitions) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const DWORD keep = ms != nullptr ? static_cast<DWORD>(std::atoi(ms)) : 3000;
  ASSERT_TRUE(Bring(GetParam())) << DisplayWindowError();
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  DDResetFades();
  // Five steps of ten: the frame drawn at 50 degrees.
  for (int step = 0; step < 5; ++step) {
    Scene();
    DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 0);
  }
  Show(keep, std::string("real_window_fade_") + GetParam().name);
  DDResetFades();
  std::copy(g_Palette, g_Palette + 256, g_DispPalette);
  if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 256, g_DispPalette);

  // The picture the transitions take apart: bands with sprites over them.
  DDSURFACEDATA picture;
  ASSERT_TRUE(DDCreateSurface(&picture, 160, 120, 0, 0, 0, 0, 0));
  for (int band = 0; band < 6; ++band) DDFillRect(&picture, 0, band * 20, 160, 20, 100 + band * 20);
  DDBlt(&picture, 8, 28, 64, 64, &m_Sheet, 0, 0, 1);
  DDBlt(&picture, 88, 28, 64, 64, &m_Sheet, 0, 0, 1);
  DDFillSurface(&g_BackBuffer, 16);
  DDWaveBlt(&g_BackBuffer, 20, 20, 160, 120, 2, 8, 0, 2, &picture, 0, 0, 0, 1);
  DDInterlaceBlt(&g_BackBuffer, 240, 20, 160, 120, 10, 6, &picture, 0, 0, 0, 1);
  DDFlipTransBlt(&g_BackBuffer, 460, 20, 160, 120, &picture, 0, 0, &m_Sheet, 0, 0, 160, 120, 0, 50, 0);
  DDQuarterSplitBlt(&g_BackBuffer, 30, 240, 160, 120, &picture, 0, 0, 10, 0);
  DDCircleBlt(&g_BackBuffer, 320, 320, 80, 60, 55, 1, &picture, 80, 60, 0);
  DDDrawBox(&g_BackBuffer, 460, 260, 160, 120, &picture, 3, 255);
  Show(keep, std::string("real_window_transitions_") + GetParam().name);
  DDReleaseSurface(&picture);
}

INSTANTIATE_TEST_SUITE_P(Modes, RealWindowEffectsTest, ::testing::Values(kAllConfigs[0], kAllConfigs[4]),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
