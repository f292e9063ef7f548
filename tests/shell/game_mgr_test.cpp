// The frame driver: scene switching and its failures, the frame-rate display, the present
// of each back end, the restore of lost DirectDraw surfaces and the pacing of frames.
#include "shell/game_mgr.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <list>
#include <new>
#include <string>
#include <vector>

#include "app/frame_timing.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "data/stage/stage_data.h"
#include "media/draw/dd_fill.h"
#include "media/draw/display_state.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "platform/display_window.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/fps_display.h"
#include "shell/game_requests.h"
#include "shell/scene_factory.h"
#include "shell/stand_in_scenes.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"

namespace {

// Scenes that count what happens to them.
struct cSceneLog {
  int made[kSceneTypeCount] = {};
  int deleted[kSceneTypeCount] = {};
  int runs[kSceneTypeCount] = {};
  int inits[kSceneTypeCount] = {};
  std::vector<int> deleteOrder;
  int failType = -1;        // the creator reports no memory for this type
  int throwType = -1;       // the scene of this type throws while it is made
  bool throwNoMemory = false;  // what it throws: std::bad_alloc, else a text
};
cSceneLog g_Log;

class cCountingScene : public cScene {
 public:
  explicit cCountingScene(int type) : m_nType(type) {
    if (type == g_Log.throwType) {
      if (g_Log.throwNoMemory) throw std::bad_alloc();
      throw "scene could not start";
    }
    ++g_Log.made[type];
  }
  ~cCountingScene() override {
    ++g_Log.deleted[m_nType];
    g_Log.deleteOrder.push_back(m_nType);
  }
  void Run() override {
    if (m_nState == -1) {
      ++g_Log.inits[m_nType];
      m_nState = 0;
    }
    ++g_Log.runs[m_nType];
  }
  int m_nType;
};

cScene* CountingCreator(int type) {
  if (type < 0 || type >= kSceneTypeCount || type == g_Log.failType) return nullptr;
  return new cCountingScene(type);
}

std::vector<UINT> g_SentToWindow;
LRESULT RecordingProc(HWND, UINT message, WPARAM, LPARAM) {
  g_SentToWindow.push_back(message);
  return 0;
}
HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x51)); }

// A clock that moves one millisecond each time it is read.
DWORD g_dwFakeNow = 1000;
DWORD TickingClock() { return g_dwFakeNow++; }

class GameMgrTest : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    OpenReportLog("Report_Game.txt");
    SetECLog(0, "EC_Game.txt");
    g_Log = cSceneLog{};
    SetSceneCreator(CountingCreator);
    g_hWnd = FakeWindow();
    SetMainWindowHandle(FakeWindow());
    SetMainWindowProc(RecordingProc);
    g_SentToWindow.clear();
    g_FpsDisplay = cFpsDisplay{};
    ResetFrameTiming();
    mgr.m_nFps = 60;
  }
  void TearDown() override {
    mgr.DeleteAllScenes();
    SetSceneCreator(nullptr);
    SetShowFps(0);
    SetTimeSource(nullptr);
    SetMainWindowProc(nullptr);
    SetMainWindowHandle(nullptr);
    g_hWnd = nullptr;
    g_RestoreGroups = cRestoreGroups{};
    g_bCopyPresent = 0;
    g_StageData.m_nStageFps = 0;
    cDisplayTest::TearDown();
  }
  std::string ReportLog() const { return ReadBytes("Report_Game.txt"); }

  cGameMgr mgr;
  cRecordingMessageBoxes boxes;
};

TEST_F(GameMgrTest, EachSceneChangeMakesAFreshSceneAndDeletesTheOthers) {
  struct Step {
    int scene;
    bool gameExists;
  };
  const Step steps[] = {{SCENE_TITLE, false}, {SCENE_GAME, true}, {SCENE_WORLDMAP, false}, {SCENE_GAME, true},
                        {SCENE_GAME, true}};
  for (const Step& step : steps) {
    mgr.m_nScene = step.scene;
    ASSERT_EQ(mgr.Frame(), 1);
    EXPECT_EQ(g_lpSceneGame != nullptr, step.gameExists) << step.scene;
    EXPECT_EQ(g_lpSceneGame, mgr.Scene(SCENE_GAME));
    for (int t = 0; t < kSceneTypeCount; ++t) EXPECT_EQ(mgr.Scene(t) != nullptr, t == step.scene) << t;
  }
  // Entering the play scene twice made two objects, each starting at its Init.
  EXPECT_EQ(g_Log.made[SCENE_GAME], 2);
  EXPECT_EQ(g_Log.inits[SCENE_GAME], 2);
  EXPECT_EQ(g_Log.runs[SCENE_GAME], 3);
  EXPECT_EQ(g_Log.deleted[SCENE_GAME], 1);
}

TEST_F(GameMgrTest, AnUnknownSceneTypeDeletesTheLiveSceneAndRunsNothing) {
  mgr.m_nScene = SCENE_GAME;
  ASSERT_EQ(mgr.Frame(), 1);
  mgr.m_nScene = 7;
  ASSERT_EQ(mgr.Frame(), 1);
  for (int t = 0; t < kSceneTypeCount; ++t) EXPECT_EQ(mgr.Scene(t), nullptr);
  EXPECT_EQ(g_lpSceneGame, nullptr);
  EXPECT_EQ(g_Log.runs[SCENE_GAME], 1);
  EXPECT_EQ(g_Log.deleted[SCENE_GAME], 1);
}

TEST_F(GameMgrTest, ASceneThatCannotBeMadeShowsTheMemoryBoxClosesAndIsNotRun) {
  g_Log.failType = SCENE_TITLE;
  ASSERT_EQ(mgr.Frame(), 1);
  EXPECT_EQ(mgr.Scene(SCENE_TITLE), nullptr);
  EXPECT_EQ(g_Log.runs[SCENE_TITLE], 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "メモリが不足しています！");
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
}

TEST_F(GameMgrTest, AThrowWhileASceneIsMadeIsReportedAndClosesTheProgram) {
  for (bool noMemory : {false, true}) {
    ClearPostedMessages();
    g_Log.throwType = SCENE_OPTION;
    g_Log.throwNoMemory = noMemory;
    mgr.m_nScene = SCENE_OPTION;
    ASSERT_EQ(mgr.Frame(), 1) << noMemory;  // the frame goes on
    EXPECT_EQ(mgr.Scene(SCENE_OPTION), nullptr);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1) << noMemory;
  }
  // The error-check log is off: without the report line the program would close unexplained.
  EXPECT_NE(ReportLog().find("scene could not start"), std::string::npos);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "メモリが不足しています！");
}

TEST_F(GameMgrTest, StandInScenesEnterAndDrawNothing) {
  InstallStandInScenes();
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDFillSurface(&g_BackBuffer, 9);
  const cPixelBuffer before = Pixels(&g_BackBuffer);
  for (int t = 0; t < kSceneTypeCount; ++t) {
    mgr.m_nScene = t;
    ASSERT_EQ(mgr.Frame(), 1);
    ASSERT_NE(mgr.Scene(t), nullptr);
    EXPECT_EQ(mgr.Scene(t)->m_nState, 0) << t;
  }
  EXPECT_EQ(Pixels(&g_BackBuffer).bytes, before.bytes);
  EXPECT_EQ(CreateStandInScene(kSceneTypeCount), nullptr);
}

TEST(FpsDisplayTest, TheAverageIsRenewedEachTimeTheRingIsFull) {
  cFpsDisplay state;
  for (int i = 0; i < 15; ++i) StoreFrameTime(state, 4);
  EXPECT_EQ(state.nAverage, 0u);  // not yet a full ring
  StoreFrameTime(state, 20);
  EXPECT_EQ(state.nAverage, 5u);  // (15 * 4 + 20) / 16
  EXPECT_EQ(state.nRingIndex, 0);
  // Frame times of a stalled machine must not wrap the sum.
  for (int i = 0; i < kFpsRingSize; ++i) StoreFrameTime(state, 0x40000000u);
  EXPECT_EQ(state.nAverage, 0x40000000u);
}

TEST_F(GameMgrTest, FramesShowTheFrameRateTextOnlyWhileAsked) {
  constexpr int kBack = 3, kText = 5, kBox = 20, kFrame = 30;
  cBoxGlyphSource glyphs;
  SetFontGlyphSource(&glyphs);
  InstallStandInScenes();
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSURFACEDATA box;
  ASSERT_TRUE(DDCreateSurface(&box, 640, 480, 0, 0, 0, 0, 0));
  DDFillSurface(&box, kBox);
  ASSERT_EQ(g_Font[0].Init("x", 0, 9, 10, 10, kText, &box, 1, kFrame, nullptr, 1), 1);
  ASSERT_EQ(g_Font[1].Init("x", 0, 16, 16, 16, kText, &box, 1, kFrame, nullptr, 1), 1);
  struct Case {
    int showFps;
    RECT where;  // the text's corner of the screen
  };
  const Case cases[] = {{0, {0, 0, 0, 0}}, {2, {549, 468, 640, 480}}, {1, {494, 462, 640, 480}}};
  for (const Case& c : cases) {
    SetShowFps(c.showFps);
    g_FpsDisplay = cFpsDisplay{};
    for (int i = 0; i < 3; ++i) {
      DDFillSurface(&g_BackBuffer, kBack);
      ASSERT_EQ(mgr.Frame(), 1);
    }
    // The ring is kept only while the text is shown.
    EXPECT_EQ(g_FpsDisplay.nRingIndex, c.showFps == 0 ? 0 : 3) << c.showFps;
    const cPixelBuffer& px = Pixels(&g_BackBuffer);
    const std::uint32_t background = px.Get(0, 0);
    int inside = 0, outside = 0;
    for (int y = 0; y < px.nHeight; ++y)
      for (int x = 0; x < px.nWidth; ++x) {
        if (px.Get(x, y) == background) continue;
        const bool in = x >= c.where.left && x < c.where.right && y >= c.where.top && y < c.where.bottom;
        ++(in ? inside : outside);
      }
    EXPECT_EQ(outside, 0) << c.showFps;
    EXPECT_EQ(inside > 0, c.showFps != 0) << c.showFps;
  }
  g_Font[0].Release();
  g_Font[1].Release();
  DDReleaseSurface(&box);
  SetFontGlyphSource(nullptr);
}

TEST_F(GameMgrTest, EveryBackEndShowsTheFrame) {
  struct Case {
    int config;
    int copyPresent;
    int stageFps;
  };
  // Direct3D windowed; DirectDraw windowed; full screen flipping, copying by the flag,
  // and copying for a stage above 60 frames per second.
  const Case cases[] = {{0, 0, 0}, {6, 0, 0}, {5, 0, 0}, {5, 1, 0}, {5, 0, 75}};
  for (const Case& c : cases) {
    ASSERT_TRUE(Bring(kAllConfigs[c.config])) << kAllConfigs[c.config].name;
    g_bCopyPresent = c.copyPresent;
    g_StageData.m_nStageFps = c.stageFps;
    mgr.m_nScene = c.stageFps > 0 ? SCENE_GAME : SCENE_TITLE;
    const std::uint64_t shownBefore = ShownFrameSerial();
    // Two frames, so that a flip shows a buffer that was a flip's back buffer before.
    for (int frame = 0; frame < 2; ++frame) {
      DDFillSurface(&g_BackBuffer, 9);
      DDFillRect(&g_BackBuffer, 0, 0, 320, 240, 200);
      ASSERT_EQ(mgr.Frame(), 1);
    }
    EXPECT_GT(ShownFrameSerial(), shownBefore) << kAllConfigs[c.config].name;
    std::vector<std::uint32_t> window;
    int w = 0, h = 0;
    ASSERT_EQ(ReadWindowPixels(window, w, h), 1);
    // The window shows the frame scaled: one point in the filled quarter, one outside it.
    const std::uint32_t inside = window[static_cast<std::size_t>(h / 8) * w + w / 8];
    const std::uint32_t outside = window[static_cast<std::size_t>(h * 5 / 8) * w + w * 5 / 8];
    EXPECT_NE(inside, outside) << kAllConfigs[c.config].name;
    DDEnd();
  }
}

TEST_F(GameMgrTest, ALostWindowedDirect3DDeviceIsRestoredThroughTheMainWindow) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSimulateDeviceLoss(true);
  ASSERT_EQ(mgr.Frame(), 1);
  EXPECT_EQ(g_SentToWindow, std::vector<UINT>{WM_GAME_RESTORE});
}

TEST_F(GameMgrTest, LostDirectDrawSurfacesComeBackAndAMissingPictureEndsTheGame) {
  ASSERT_TRUE(Bring(kAllConfigs[6]));
  std::vector<DDSURFACEDATA> stage(2);
  std::list<DDSURFACEDATA> messages(1);
  ASSERT_TRUE(LoadSheet(&stage[0]));
  ASSERT_TRUE(DDCreateSurface(&stage[1], 32, 32, 1, 0, 0, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&messages.front(), 64, 16, 1, 0, 0, 0, 0));
  g_RestoreGroups.lpStageBitmaps = &stage;
  g_RestoreGroups.lpMessageWindows = &messages;
  const std::vector<std::uint8_t> picture = Pixels(&stage[0]).bytes;
  DDFillSurface(&stage[0], 3);  // the reload must bring the picture back

  DDSimulateSurfaceLoss();
  ASSERT_EQ(mgr.Frame(), 1);
  EXPECT_EQ(Pixels(&stage[0]).bytes, picture);
  // Blank surfaces have no file to read: they are handed back to their owners to redraw,
  // and their loss must not end the game.
  EXPECT_EQ(stage[1].bLost, 1);
  EXPECT_EQ(messages.front().bLost, 1);

  // A picture whose file is gone cannot come back: the frame ends the game loop.
  std::remove("sheet.bmp");
  ForgetDirectoryListings();
  DDSimulateSurfaceLoss();
  EXPECT_EQ(mgr.Frame(), 0);
  for (DDSURFACEDATA& sd : stage) DDReleaseSurface(&sd);
  DDReleaseSurface(&messages.front());
}

TEST_F(GameMgrTest, DirectDrawFramesAreHeldToTheTargetRate) {
  ASSERT_TRUE(Bring(kAllConfigs[6]));
  // WaitFrame paces by the target rate of the one manager of the program.
  g_GameMgr.m_nFps = 60;
  SetTimeSource(TickingClock);
  const DWORD start = g_dwFakeNow;
  for (int i = 0; i < 11; ++i) ASSERT_EQ(mgr.Frame(), 1);
  g_GameMgr.m_nFps = 0;
  // Frame k may start 16 ms after frame k - 1 was allowed.
  EXPECT_GE(g_dwFakeNow - start, 10u * 16u);
}

TEST_F(GameMgrTest, Direct3DWithoutAKnownSixtyHertzDisplayIsHeldBySixtyFramesASecond) {
  struct Case {
    int hz;      // 0: the display does not tell
    int vsync;   // what is left of the vertical sync asked for
  };
  const Case cases[] = {{0, 0}, {75, 0}, {60, 1}};
  for (const Case& c : cases) {
    OverrideDisplayRefreshRate(c.hz);
    WriteTestArt();
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 1, 0, 1, 60, 1, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
    EXPECT_EQ(g_bVSync, c.vsync) << c.hz;
    if (c.vsync == 0) {
      ResetFrameTiming();
      SetTimeSource(TickingClock);
      const DWORD start = g_dwFakeNow;
      for (int i = 0; i < 61; ++i) ASSERT_EQ(mgr.Frame(), 1);
      // 61 presents at 60 a second span a whole second of the clock.
      EXPECT_GE(g_dwFakeNow - start, 1000u) << c.hz;
      SetTimeSource(nullptr);
    }
    DDEnd();
  }
  OverrideDisplayRefreshRate(0);
}

}  // namespace
