// Japanese text in a real window, for a person to look at: runs only when
// TOVREL_REAL_WINDOW is set (under Xvfb, for example) and keeps the window up for
// TOVREL_REAL_WINDOW_MS milliseconds (default 3000) so that a screenshot can be taken.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "media/draw/font.h"
#include "platform/display_window.h"
#include "platform/win_time.h"
#include "tests/media/draw_test_util.h"

namespace {

class RealWindowTextTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void TearDown() override {
    for (cFont& font : m_Fonts) font.Release();
    DDReleaseSurface(&m_Box);
    cDisplayTest::TearDown();
  }
  cFont m_Fonts[5];
  DDSURFACEDATA m_Box;
};

TEST_P(RealWindowTextTest, ShowsJapaneseText) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const DWORD keep = ms != nullptr ? static_cast<DWORD>(std::atoi(ms)) : 3000;
  ASSERT_TRUE(Bring(GetParam())) << DisplayWindowError();
  ASSERT_TRUE(DDCreateSurface(&m_Box, 640, 480, 0, 0, 0, 0, 0));
  DDFillSurface(&m_Box, 9);
  // The three system fonts' sizes with their caches, a mincho face and a proportional one.
  ASSERT_EQ(m_Fonts[0].Init("ＭＳ ゴシック", 0, 9, 10, 10, 255, &m_Box, 1, 200, nullptr, 1), 1);
  ASSERT_EQ(m_Fonts[1].Init("ＭＳ ゴシック", 0, 16, 16, 16, 255, &m_Box, 1, 200, nullptr, 1), 1);
  ASSERT_EQ(m_Fonts[2].Init("ＭＳ ゴシック", 0, 30, 32, 32, 255, &m_Box, 1, 200, nullptr, 0), 1);
  ASSERT_EQ(m_Fonts[3].Init("ＭＳ 明朝", 0, 24, 24, 26, 200, &m_Box, 1, 200, nullptr, 0), 1);
  ASSERT_EQ(m_Fonts[4].Init("ＭＳ Ｐゴシック", 0, 16, 0, 18, 255, &m_Box, 1, 200, nullptr, 0), 1);
  for (int band = 0; band < 8; ++band) DDFillRect(&g_BackBuffer, 0, band * 60, 640, 60, 8 + band * 8);
  m_Fonts[2].DrawText(&g_BackBuffer, 16, 12, "ステージ１　クリア！");
  m_Fonts[1].DrawText(&g_BackBuffer, 16, 60, "日本語のテキスト、かなカナ ｶﾀｶﾅ ABC xyz 0123");
  m_Fonts[1].DrawText(&g_BackBuffer, 16, 80, "漢字は初めて使う時にキャッシュに入ります。");
  m_Fonts[0].DrawText(&g_BackBuffer, 16, 110, "小さい文字：ＳＣＯＲＥ 0012345  残り時間 99  ﾊﾝｶｸｶﾀｶﾅ");
  m_Fonts[3].DrawText(&g_BackBuffer, 16, 140, "明朝体の見出し：冒険の始まり");
  m_Fonts[4].DrawText(&g_BackBuffer, 16, 180, "プロポーショナル：Width varies, いろはにほへと");
  m_Fonts[1].DrawTextBox(&g_BackBuffer, 40, 240, 0, 0, "メッセージウィンドウ\n二行目のテキストです。\nＯＫ", 8);
  m_Fonts[1].DrawTextBoxF(&g_BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", 60, 12);
  m_Fonts[0].DrawTextF(&g_BackBuffer, 549, 440, "FPS%2d(%2d)", 59, 16);
  ShowBackBufferFor(keep);
  DumpPixels(std::string("real_window_text_") + GetParam().name, Pixels(&g_BackBuffer));
}

INSTANTIATE_TEST_SUITE_P(Modes, RealWindowTextTest, ::testing::Values(kAllConfigs[0], kAllConfigs[3]),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
