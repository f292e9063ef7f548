// A frame in a real window, for a person to look at: runs only when TOVREL_REAL_WINDOW is
// set (under Xvfb, for example), and keeps the window up for TOVREL_REAL_WINDOW_MS
// milliseconds (default 3000) so that a screenshot can be taken.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/display_window.h"
#include "platform/win_time.h"
#include "tests/media/draw_test_util.h"

namespace {

class RealWindowTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {};

TEST_P(RealWindowTest, ShowsAScene) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const DWORD keep = ms != nullptr ? static_cast<DWORD>(std::atoi(ms)) : 3000;
  ASSERT_TRUE(Bring(GetParam())) << DisplayWindowError();
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  // Background bands, sprites opaque, keyed, stretched and clipped, a circle and a frame.
  for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 8);
  DDBlt(&g_BackBuffer, 40, 40, 64, 64, &m_Sheet, 0, 0, 0);
  DDBlt(&g_BackBuffer, 140, 40, 64, 64, &m_Sheet, 0, 0, 1);
  DDStretchBlt(&g_BackBuffer, 240, 40, 192, 192, &m_Sheet, 0, 0, 64, 64, 1);
  DDBlt(&g_BackBuffer, -32, 300, 64, 64, &m_Sheet, 0, 0, 1);
  DDBlt(&g_BackBuffer, 608, 440, 64, 64, &m_Sheet, 0, 0, 1);
  for (int r = 20; r <= 80; r += 20) DDDrawCircle(&g_BackBuffer, 520, 300, r, 255);
  DDFillRect(&g_BackBuffer, 100, 400, 200, 4, 255);
  DDFillRect(&g_BackBuffer, 100, 400, 4, 60, 255);
  ShowBackBufferFor(keep);
  std::vector<std::uint32_t> window;
  int w = 0, h = 0;
  ASSERT_EQ(ReadWindowPixels(window, w, h), 1);
  DumpPixels(std::string("real_window_") + GetParam().name, Pixels(&g_BackBuffer));
}

INSTANTIATE_TEST_SUITE_P(Modes, RealWindowTest, ::testing::Values(kAllConfigs[0], kAllConfigs[3]),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
