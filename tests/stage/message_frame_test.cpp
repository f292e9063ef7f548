// Message windows drawn into the back buffer on every display mode and compared pixel for
// pixel with the same pictures put there by hand: a window that waits for the key opens
// after nine frames at the screen centre, a framed one shows its growing box first, the
// extra-life icon rises over the hero; the message command updates a window of the same
// size in place and replaces one of another size at the same place; a window kept on the
// screen stays inside it and below the status bar.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "data/flow/flow_command.h"
#include "data/save/progress.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "objects/chara.h"
#include "objects/part_graphic.h"
#include "objects/player.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"

namespace {

constexpr int kMessageFrameTestBackground = 9;
constexpr int kText = 3;
constexpr int kFrameColour = 5;

class MessageFrame : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    SetFontGlyphSource(&m_Glyphs);
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    g_vPlayer.assign(1, cPlayer());
  }
  void TearDown() override {
    m_pScene->ClearMessages();
    m_pScene->m_lstMessage.clear();
    g_lpSceneGame = nullptr;
    delete m_pScene;
    g_vPlayer.clear();
    g_Font[1].Release();
    SetFontGlyphSource(nullptr);
    cDisplayTest::TearDown();
  }
  bool BringWithFont() {
    if (!Bring(GetParam())) return false;
    return g_Font[1].Init("x", 0, 16, 16, 16, kText, nullptr, 1, kFrameColour, nullptr, 0) == 1;
  }
  // One frame of the scene's messages over a plain background.
  void DrawMessagesFrame() {
    DDFillSurface(&g_BackBuffer, kMessageFrameTestBackground);
    m_pScene->DrawMessages(&g_BackBuffer, 0);
  }
  template <typename Reference>
  void ExpectSameAs(const std::string& name, Reference reference) {
    const cPixelBuffer drawn = Pixels(&g_BackBuffer);
    DDFillSurface(&g_BackBuffer, kMessageFrameTestBackground);
    reference();
    const cPixelBuffer expected = Pixels(&g_BackBuffer);
    ExpectPixels(std::string(GetParam().name) + "_" + name, drawn,
                 [&](int x, int y) -> std::uint32_t { return expected.Get(x, y); });
  }
  // The text as a window surface holds it, put at (x, y) by hand.
  static void BlitText(const char* text, int x, int y, int w, int h) {
    DDSURFACEDATA window;
    ASSERT_TRUE(DDCreateSurface(&window, w, h, 1, 0, 0, 0, 0));
    DDFillSurface(&window, 0);
    g_Font[1].DrawText(&window, 1, 1, text);
    DDBlt(&g_BackBuffer, x, y, w, h, &window, 0, 0, 1);
    DDReleaseSurface(&window);
  }
  // Pixels of the frame that are not the background: the window did draw something.
  static int InkedPixels() {
    const cPixelBuffer pixels = Pixels(&g_BackBuffer);
    const std::uint32_t background = pixels.Get(0, 0);
    int n = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) n += pixels.Get(x, y) != background ? 1 : 0;
    return n;
  }
  static cFlowCmd MessageCommand(const char* text, std::int32_t nId) {
    cFlowCmd cmd;
    cmd.m_sText = text;
    cmd.m_vParam.assign(18, 0);
    cmd.m_vParam[6] = 1;  // until the stage ends
    cmd.m_vParam[12] = 1;
    cmd.m_vParam[13] = nId;
    return cmd;
  }

  cBoxGlyphSource m_Glyphs;
  cSceneGame* m_pScene = nullptr;
};

TEST_P(MessageFrame, AWindowOpensAtTheScreenCentreAfterNineFrames) {
  ASSERT_TRUE(BringWithFont());
  cMessageSetup setup;
  setup.nKind = MSGKIND_TEXT;
  setup.lpText = "AB\nCDE";
  setup.nDispMode = MSGDISP_KEY;
  cMessage& window = m_pScene->m_lstMessage.emplace_back(setup);
  const int w = window.m_nWidth;
  const int h = window.m_nHeight;
  EXPECT_EQ(w, 3 * 16 + 2);
  EXPECT_EQ(h, 2 * 16 + 2);
  for (int frame = 1; frame <= 9; ++frame) {
    DrawMessagesFrame();
    ExpectSameAs("opening_" + std::to_string(frame), [] {});
  }
  DrawMessagesFrame();
  EXPECT_GT(InkedPixels(), 0);
  ExpectSameAs("open", [&] { BlitText("AB\nCDE", 320 - w / 2, 240 - h / 2, w, h); });
}

TEST_P(MessageFrame, AFramedWindowGrowsItsBoxFirst) {
  ASSERT_TRUE(BringWithFont());
  cMessageSetup setup;
  setup.nKind = MSGKIND_TEXT;
  setup.lpText = "ABCDEFGH";
  setup.nDispMode = MSGDISP_KEY;
  setup.bFramed = 1;
  setup.nPosMode = MSGPOS_SCREEN;
  setup.nBlockX = 2;
  setup.nBlockY = 3;
  setup.bScreenFixed = 1;
  cMessage& window = m_pScene->m_lstMessage.emplace_back(setup);
  const int w = window.m_nWidth;
  const int h = window.m_nHeight;
  for (int frame = 1; frame <= 5; ++frame) DrawMessagesFrame();
  EXPECT_GT(InkedPixels(), 0);
  ExpectSameAs("box_half", [&] {
    const int bw = static_cast<int>(0.1 * 5 * w);
    const int bh = static_cast<int>(0.1 * 5 * h);
    g_Font[1].DrawWindow(&g_BackBuffer, 64 + w / 2 - bw / 2, 96 + h / 2 - bh / 2, bw, bh);
  });
}

TEST_P(MessageFrame, TheExtraLifeIconRisesOverTheHero) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&g_FixedSurface[kAccessorySheetRow]));
  cPlayer& hero = g_vPlayer[0];
  hero.m_nObjId = 4;
  hero.m_dX = 100;
  hero.m_dY = 200;
  hero.m_nCellW = hero.m_nCellH = 32;
  m_pScene->m_lstMessage.emplace_back(ExtraLifeMessage(hero.m_nObjId));
  DrawMessagesFrame();
  ExpectSameAs("first", [&] { DDBlt(&g_BackBuffer, 108, 184, 16, 16, &g_FixedSurface[kAccessorySheetRow], 0, 48, 1); });
  for (int frame = 2; frame <= 30; ++frame) DrawMessagesFrame();
  ExpectSameAs("last", [&] { DDBlt(&g_BackBuffer, 108, 177, 16, 16, &g_FixedSurface[kAccessorySheetRow], 0, 48, 1); });
  DrawMessagesFrame();
  EXPECT_TRUE(m_pScene->m_lstMessage.empty());
}

TEST_P(MessageFrame, TheSameIdUpdatesInPlaceOrReplacesAtItsPlace) {
  ASSERT_TRUE(BringWithFont());
  cChara subject;
  cFlowCmd first = MessageCommand("AB", 3);
  subject.CmdMessage(first, 0);
  m_pScene->m_lstMessage.emplace_back(GameWaitMessage(100));
  ASSERT_EQ(m_pScene->m_lstMessage.size(), 2u);
  const cMessage* node = &m_pScene->m_lstMessage.front();
  const DDSURFACEDATA* surface = node->m_pSurface;

  cFlowCmd sameSize = MessageCommand("CD", 3);
  subject.CmdMessage(sameSize, 0);
  EXPECT_EQ(&m_pScene->m_lstMessage.front(), node);
  EXPECT_EQ(m_pScene->m_lstMessage.front().m_pSurface, surface);
  EXPECT_EQ(m_pScene->m_lstMessage.front().m_strText, "CD");
  EXPECT_EQ(m_pScene->m_lstMessageSurface.size(), 1u);

  cFlowCmd longer = MessageCommand("EFG", 3);
  subject.CmdMessage(longer, 0);
  ASSERT_EQ(m_pScene->m_lstMessage.size(), 2u);
  const cMessage& replaced = m_pScene->m_lstMessage.front();
  EXPECT_EQ(replaced.m_strText, "EFG");
  EXPECT_EQ(replaced.m_nWidth, 3 * 16 + 2);
  EXPECT_EQ(m_pScene->m_lstMessage.back().m_nKind, MSGKIND_WAIT);
  EXPECT_EQ(m_pScene->m_lstMessageSurface.size(), 1u);

  DrawMessagesFrame();
  EXPECT_GT(InkedPixels(), 0);
  ExpectSameAs("replaced", [&] { BlitText("EFG", 320 - 25, 240 - 9, 50, 18); });

  cFlowCmd remove = MessageCommand("", 3);
  remove.m_vParam[15] = 1;
  subject.CmdMessage(remove, 0);
  EXPECT_EQ(m_pScene->m_lstMessage.size(), 1u);
  EXPECT_TRUE(m_pScene->m_lstMessageSurface.empty());
  EXPECT_TRUE(m_pScene->m_lstMessageDef.empty());
}

TEST_P(MessageFrame, ARefreshedWindowFollowsItsVariable) {
  ASSERT_TRUE(BringWithFont());
  g_Progress.m_Vars.assign(1001, 0);
  g_Progress.m_Vars[5] = 7;
  cMessageSetup setup;
  setup.nKind = MSGKIND_TEXT;
  setup.lpText = "#C5";
  setup.nDispMode = MSGDISP_STAGE;
  setup.bMacro = 1;
  setup.bRefresh = 1;
  setup.nRefreshInterval = 2;
  setup.bScreenFixed = 1;  // centred again at its new size
  cMessage& window = m_pScene->m_lstMessage.emplace_back(setup);
  EXPECT_EQ(window.m_strText, "7");
  g_Progress.m_Vars[5] = 1234;
  m_pScene->m_nFrameCount = 3;  // not a refresh frame
  DrawMessagesFrame();
  EXPECT_EQ(window.m_strText, "7");
  m_pScene->m_nFrameCount = 4;
  DrawMessagesFrame();
  EXPECT_EQ(window.m_strText, "1234");
  EXPECT_EQ(window.m_nWidth, 4 * 16 + 2);
  EXPECT_EQ(m_pScene->m_lstMessageSurface.size(), 1u);
  EXPECT_EQ(window.m_pSurface, &m_pScene->m_lstMessageSurface.front());
  ExpectSameAs("refreshed", [&] { BlitText("1234", 320 - 33, 240 - 9, 66, 18); });
}

TEST_P(MessageFrame, AWindowKeptOnTheScreenStaysInsideItAndBelowTheStatusBar) {
  ASSERT_TRUE(BringWithFont());
  constexpr int w = 2 * 16 + 2;
  constexpr int h = 16 + 2;
  struct Case {
    const char* what;
    int bKeep;
    int x, y;  // where it is placed
    int shownX, shownY;
  } const cases[] = {
      {"inside: as placed", 1, 100, 100, 100, 100},
      {"over the status bar: just below it", 1, 100, 5, 100, 20},
      {"above the screen: just below the status bar", 1, 100, -40, 100, 20},
      {"low: on the bottom edge", 1, 100, 470, 100, 480 - h},
      {"one dot above the bottom edge: on it", 1, 100, 479 - h, 100, 480 - h},
      {"two dots above the bottom edge: as placed", 1, 100, 478 - h, 100, 478 - h},
      {"left of the screen: on its left edge", 1, -20, 100, 0, 100},
      {"right of the screen: on its right edge", 1, 620, 100, 640 - w, 100},
      {"not kept: over the status bar as placed", 0, 100, 5, 100, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cMessageSetup setup;
    setup.nKind = MSGKIND_TEXT;
    setup.lpText = "AB";
    setup.nDispMode = MSGDISP_STAGE;
    setup.nPosMode = MSGPOS_SCREEN;
    setup.nOffsetX = c.x;
    setup.nOffsetY = c.y;
    setup.bScreenFixed = 1;
    setup.bKeepOnScreen = c.bKeep;
    m_pScene->m_lstMessage.emplace_back(setup);
    DrawMessagesFrame();
    ExpectSameAs("kept", [&] { BlitText("AB", c.shownX, c.shownY, w, h); });
    m_pScene->ClearMessages();
    m_pScene->m_lstMessage.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, MessageFrame, ::testing::ValuesIn(kAllConfigs),
                         [](const ::testing::TestParamInfo<DisplayConfig>& info) { return std::string(info.param.name); });

}  // namespace
