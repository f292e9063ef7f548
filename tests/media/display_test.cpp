// The display: set-up of every mode, the fallback, present through the window, the
// restore paths after simulated losses, the virtual back buffer and dialog mode.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/message_boxes.h"
#include "media/draw/display_report.h"
#include "platform/display_window.h"
#include "platform/message_box.h"
#include "platform/win_time.h"
#include "app/main_window_handle.h"
#include "platform/win_window.h"
#include "tests/media/draw_test_util.h"

namespace {

class DisplayTest : public cDisplayTest {};

TEST_F(DisplayTest, EveryModeSetsUpItsFormatsAndOneBackEnd) {
  struct Expect {
    ePixelFormat back;
    DDPIXELMASKS masks;
  };
  const Expect expects[7] = {
      {ePixelFormat::kX8R8G8B8, {16, 8, 0, 24, 255, 255, 255, 255}},
      {ePixelFormat::kA1R5G5B5, {10, 5, 0, 15, 31, 31, 31, 1}},
      {ePixelFormat::kR5G6B5, {10, 5, 0, 15, 31, 31, 31, 1}},
      {ePixelFormat::kP8, {0, 0, 0, 0, 0, 0, 0, 0}},
      {ePixelFormat::kR5G6B5, {11, 5, 0, 0, 31, 63, 31, 0}},
      {ePixelFormat::kX8R8G8B8, {16, 8, 0, 0, 255, 255, 255, 0}},
      {ePixelFormat::kX8R8G8B8, {16, 8, 0, 0, 255, 255, 255, 0}},
  };
  for (int i = 0; i < 7; ++i) {
    const DisplayConfig& c = kAllConfigs[i];
    g_TexMasks = DDPIXELMASKS{};
    ASSERT_TRUE(DDInit(c.bDirect3D, nullptr, 640, 480, c.nBpp, 0, c.bWindow, 1, 60, 0, g_FixedSurface,
                       g_FixedSurfaceDef, kFixedSurfaceCount, 0))
        << c.name;
    EXPECT_EQ(lpDTCon != nullptr, c.bDirect3D == 1) << c.name;
    EXPECT_EQ(lpDDCon != nullptr, c.bDirect3D == 0) << c.name;
    EXPECT_EQ(g_bDDReady, 1);
    EXPECT_EQ(g_nBytesPerPixel, c.nBpp / 8);
    EXPECT_EQ(Pixels(&g_BackBuffer).format, expects[i].back) << c.name;
    EXPECT_EQ(Pixels(&g_BackBuffer).nWidth, 640);
    const DDPIXELMASKS& m = g_TexMasks;
    const DDPIXELMASKS& e = expects[i].masks;
    EXPECT_EQ((std::vector<int>{m.nRShift, m.nGShift, m.nBShift, m.nRMax, m.nGMax, m.nBMax}),
              (std::vector<int>{e.nRShift, e.nGShift, e.nBShift, e.nRMax, e.nGMax, e.nBMax}))
        << c.name;
    if (lpDTCon != nullptr) {
      EXPECT_STREQ(g_BackBuffer.szName, "BackBuffer");
      EXPECT_STREQ(g_VirBackBuffer.szName, "VirBackBuffer");
      EXPECT_STREQ(g_WorkSD.szName, "WorkSD");
      EXPECT_EQ(lpDTCon->nAlphaOp, D3DTOP_SELECTARG1);
      EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);
    }
    DDEnd();
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
  }
}

TEST_F(DisplayTest, Direct3DAtEightBitsFailsAndDirectDrawTakesOver) {
  EXPECT_FALSE(DDInit(1, nullptr, 640, 480, 8, 0, 0, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
  DDEnd();
  ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 8, 0, 0, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_NE(lpDDCon, nullptr);
  EXPECT_EQ(DDPresent(60), 1);  // DirectDraw: nothing to do
}

TEST_F(DisplayTest, ASecondDirectDrawInitKeepsItsOwnContainer) {
  ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 0, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
  ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
  ASSERT_NE(lpDDCon, nullptr);
  lpDDCon->nFontCount = 3;  // a freed container would be caught by the address sanitizer here
  EXPECT_EQ(DDFillSurface(&g_BackBuffer, 0), DD_OK);
}

TEST_F(DisplayTest, WindowedVerticalSyncNeedsSixtyHertz) {
  struct {
    int hz;
    int vsync;
  } cases[] = {{60, 1}, {75, 0}};
  for (const auto& c : cases) {
    OverrideDisplayRefreshRate(c.hz);
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 1, g_FixedSurface, g_FixedSurfaceDef, 71, 0));
    EXPECT_EQ(g_bVSync, c.vsync) << c.hz;
    DDEnd();
  }
  OverrideDisplayRefreshRate(0);
}

int g_nLimiterCalls = 0;
bool DueOnThirdCall(int fps) {
  EXPECT_EQ(fps, 60);
  return ++g_nLimiterCalls >= 3;
}

TEST_F(DisplayTest, PresentWithoutVerticalSyncWaitsForTheFrameLimiter) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSetFrameLimiter(DueOnThirdCall);
  g_nLimiterCalls = 0;
  EXPECT_EQ(DDPresent(60), 1);
  EXPECT_EQ(g_nLimiterCalls, 3);
  DDSetFrameLimiter(nullptr);
}

TEST(DisplayInitErrorTest, StepCodesOfSurfacesAndUnknownCodesPass) {
  for (int code : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12}) EXPECT_FALSE(DDReportInitError(code)) << code;
  for (int code : {0, 8, 9, 13, -1}) EXPECT_TRUE(DDReportInitError(code)) << code;
}

TEST_F(DisplayTest, PresentedFrameReachesTheWindow) {
  for (const DisplayConfig& c : kAllConfigs) {
    ASSERT_TRUE(Bring(c)) << c.name;
    DDFillSurface(&g_BackBuffer, 9);
    DDFillRect(&g_BackBuffer, 0, 0, 320, 240, 200);
    if (lpDTCon != nullptr)
      ASSERT_EQ(DDPresent(60), 1) << c.name;
    else
      ASSERT_EQ(DDFlip(), 1) << c.name;
    std::vector<std::uint32_t> window;
    int w = 0, h = 0;
    ASSERT_EQ(ReadWindowPixels(window, w, h), 1) << c.name;
    ASSERT_GE(w, 640);
    ASSERT_GE(h, 480);
    // The window may be larger than the screen: the frame is scaled into it.
    const auto at = [&](int x, int y) { return window[static_cast<std::size_t>(y * h / 480) * w + x * w / 640]; };
    const std::uint32_t topLeft = at(100, 100), bottomRight = at(500, 400);
    if (c.nBpp == 16) {
      // Narrowed to 5 and 6 bits on the way: the window shows the back buffer's colour.
      const cPixelBuffer& shown = lpDTCon != nullptr ? lpDevice->backBuffer : g_PrimarySD.lpDDData->lpDDS->pixels;
      EXPECT_EQ(topLeft, PixelToArgb(shown.format, shown.Get(100, 100))) << c.name;
      EXPECT_EQ(bottomRight, PixelToArgb(shown.format, shown.Get(500, 400))) << c.name;
    } else {
      EXPECT_EQ(topLeft, 0xFF000000u | TestPaletteColour(200)) << c.name;
      EXPECT_EQ(bottomRight, 0xFF000000u | TestPaletteColour(9)) << c.name;
    }
    DDEnd();
  }
}

TEST_F(DisplayTest, FrameHandedOverFromTheGameThreadWaitsForVerticalSync) {
  DisplayWindowOptions options;
  options.bVSync = true;
  ASSERT_EQ(OpenDisplayWindow(options), 1);
  std::atomic<bool> returned{false};
  const std::uint64_t shownBefore = ShownFrameSerial();
  std::thread game([&returned] {
    cDisplayFrame frame;
    frame.nWidth = 640;
    frame.nHeight = 480;
    frame.nPitch = 640 * 4;
    frame.bytes.assign(640 * 480 * 4, 0x40);
    HandOverFrame(frame);
    returned = true;
  });
  Sleep(60);
  EXPECT_FALSE(returned.load());
  while (!ShowNewestFrame()) Sleep(1);
  game.join();
  EXPECT_TRUE(returned.load());
  EXPECT_GT(ShownFrameSerial(), shownBefore);
  CloseDisplayWindow();
}

TEST_F(DisplayTest, WithoutVerticalSyncTheGameThreadDoesNotWait) {
  ASSERT_EQ(OpenDisplayWindow(DisplayWindowOptions()), 1);
  std::thread game([] {
    cDisplayFrame frame;
    frame.nWidth = frame.nHeight = 4;
    frame.nPitch = 16;
    frame.bytes.assign(64, 0);
    HandOverFrame(frame);
  });
  game.join();
  EXPECT_EQ(ShowNewestFrame(), 1);
  EXPECT_EQ(ShowNewestFrame(), 0);  // nothing newer
  EXPECT_EQ(ShowLastFrameAgain(), 1);
  CloseDisplayWindow();
}

// ---- Restore after a lost device or lost surfaces ----

TEST_F(DisplayTest, RestoreWithNothingLostTouchesNothing) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSURFACEDATA blank;
  ASSERT_TRUE(DDCreateSurface(&blank, 32, 32, 1, 0, 0, 0, 0));
  DDFillSurface(&blank, 9);
  cSoftTexture* texture = blank.lpDT->lpTexture;
  const std::uint32_t pixel = Pixels(&blank).Get(3, 3);
  EXPECT_EQ(DDRestoreSurface(), 1);
  EXPECT_EQ(blank.lpDT->lpTexture, texture);
  EXPECT_EQ(Pixels(&blank).Get(3, 3), pixel);
  EXPECT_EQ(blank.bLost, 0);
  DDReleaseSurface(&blank);
}

TEST_F(DisplayTest, LostDeviceComesBackWithPicturesReloadedAndBlankSurfacesMarked) {
  ASSERT_TRUE(Bring(kAllConfigs[1]));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  DDSURFACEDATA blank, system;
  ASSERT_TRUE(DDCreateSurface(&blank, 32, 32, 1, 0, 0, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&system, 32, 32, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  DDFillSurface(&blank, 9);
  DDFillSurface(&system, 9);
  const cPixelBuffer sheetBefore = Pixels(&m_Sheet);
  const std::uint32_t systemPixel = Pixels(&system).Get(1, 1);

  DDSimulateDeviceLoss(false);
  EXPECT_EQ(DDPresent(60), 0);
  EXPECT_EQ(DDRestoreSurface(), 0);  // not yet resettable: nothing touched
  EXPECT_NE(blank.lpDT->lpTexture, nullptr);

  DDSimulateDeviceLoss(true);
  EXPECT_EQ(DDRestoreSurface(), 1);
  EXPECT_EQ(blank.bLost, 1);
  // Re-made and cleared to the key colour, as every new render target is.
  EXPECT_EQ(Pixels(&blank).Get(1, 1), ArgbToPixel(ePixelFormat::kA1R5G5B5, lpDTCon->argbTransmit));
  EXPECT_EQ(system.bLost, 0);
  EXPECT_EQ(Pixels(&system).Get(1, 1), systemPixel);
  EXPECT_EQ(m_Sheet.bLost, 0);
  ExpectPixels("restored_sheet", Pixels(&m_Sheet), [&](int x, int y) { return sheetBefore.Get(x, y); });
  EXPECT_EQ(DDPresent(60), 1);
  DDReleaseSurface(&blank);
  DDReleaseSurface(&system);
}

LRESULT QuietMainProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST_F(DisplayTest, AFullScreenWindowIsMinimisedWhileItsDeviceIsLost) {
  for (const int config : {2, 1}) {
    SCOPED_TRACE(kAllConfigs[config].name);
    g_hWnd = CreateWindowExA(0, "", WS_POPUP, 0, 0, 640, 480, nullptr, QuietMainProc);
    ASSERT_NE(g_hWnd, nullptr);
    ShowWindow(g_hWnd, SW_SHOW);
    ASSERT_TRUE(Bring(kAllConfigs[config]));
    const bool bFullScreen = kAllConfigs[config].bWindow == 0;
    DDSimulateDeviceLoss(true);
    EXPECT_EQ(DDPresent(60), 0);
    EXPECT_EQ(IsIconic(g_hWnd) != 0, bFullScreen);
    EXPECT_EQ(DDRestoreSurface(), 1);
    EXPECT_FALSE(IsIconic(g_hWnd));
    EXPECT_TRUE(IsWindowVisible(g_hWnd));
    EXPECT_EQ(DDPresent(60), 1);
    DDEnd();
    DestroyWindow(g_hWnd);
    g_hWnd = nullptr;
  }
}

TEST_F(DisplayTest, SurfacesAddedToAGrowingVectorAreAllRestored) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  std::vector<DDSURFACEDATA> surfaces;
  std::vector<DDSURFACEDEF> defs;
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(DDAddSurface(&surfaces, &defs, 16, 16, 1, 0, 0, 0));
  DDSimulateDeviceLoss(true);
  ASSERT_EQ(DDRestoreSurface(), 1);
  for (DDSURFACEDATA& sd : surfaces) {
    EXPECT_EQ(sd.bLost, 1);
    EXPECT_NE(sd.lpDT->lpTexture, nullptr);
  }
  DDReleaseSurfaceVector(&surfaces);
  EXPECT_EQ(lpDevice->LiveDefaultPoolTextures(), 2);  // the virtual back buffer and the work surface
}

TEST_F(DisplayTest, LostDirectDrawSurfacesAreReloadedOrMarked) {
  for (const DisplayConfig& c : {kAllConfigs[3], kAllConfigs[5]}) {
    ASSERT_TRUE(Bring(c));
    g_FixedSurfaceDef[2].Set("sheet.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const int rows[] = {2, 63, 67};
    ASSERT_TRUE(DDLoadSurfaces(g_FixedSurface, rows, 3));
    const cPixelBuffer before = Pixels(&g_FixedSurface[2]);
    DDFillSurface(&g_FixedSurface[63], 9);  // system memory: survives
    DDFillSurface(&g_FixedSurface[67], 9);  // video memory: lost
    g_DispPalette[5] = PALETTEENTRY{1, 2, 3, 0};
    DDSimulateSurfaceLoss();
    EXPECT_EQ(DDFillSurface(&g_BackBuffer, 1), DDERR_SURFACELOST);
    EXPECT_TRUE(DDRestore());
    ExpectPixels(std::string(c.name) + "_reloaded", Pixels(&g_FixedSurface[2]),
                 [&](int x, int y) { return before.Get(x, y); });
    EXPECT_EQ(g_FixedSurface[63].bLost, 0);
    EXPECT_EQ(g_FixedSurface[67].bLost, 1);
    EXPECT_EQ(DDFillSurface(&g_BackBuffer, 1), DD_OK);
    if (c.nBpp == 8) {
      EXPECT_EQ(lpDDPalette->entries[5].peBlue, 3);
    }
    g_FixedSurfaceDef[2].Set("bmp\\Block.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    for (DDSURFACEDATA& sd : g_FixedSurface) DDReleaseSurface(&sd);
    DDEnd();
  }
}

TEST_F(DisplayTest, RestoresRefuseTheOtherBackEnd) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  EXPECT_TRUE(DDRestore());
  void* bits = &bits;
  DDSURFACEDESC2 desc{};
  EXPECT_TRUE(DDLock(&g_BackBuffer, &desc, &bits, 32));
  DDEnd();
  ASSERT_TRUE(Bring(kAllConfigs[5]));
  EXPECT_EQ(DDRestoreSurface(), 1);
  EXPECT_TRUE(DDLock(&g_BackBuffer, &desc, &bits, 32));
  EXPECT_EQ(bits, desc.lpSurface);
  EXPECT_EQ(desc.lPitch, 640 * 4);
}

// ---- Virtual back buffer ----

TEST_F(DisplayTest, VirtualBackBufferCollectsTheFrameUntilPresent) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDFillSurface(&g_BackBuffer, 9);
  DDSetVirtualBackBuffer(1);
  DDFillRect(&g_BackBuffer, 0, 0, 10, 10, 200);
  EXPECT_EQ(lpDevice->backBuffer.Get(5, 5), 0xFF000000u | TestPaletteColour(9));
  EXPECT_EQ(Pixels(&g_VirBackBuffer).Get(5, 5), 0xFF000000u | TestPaletteColour(200));
  EXPECT_EQ(DDPresent(60), 1);
  EXPECT_EQ(lpDevice->backBuffer.Get(5, 5), 0xFF000000u | TestPaletteColour(200));
  DDSetVirtualBackBuffer(0);
  DDFillRect(&g_BackBuffer, 0, 0, 10, 10, 9);
  EXPECT_EQ(lpDevice->backBuffer.Get(5, 5), 0xFF000000u | TestPaletteColour(9));
}

// ---- Boxes over a full screen ----

class cDisplayDialogModeWitness : public cRecordingMessageBoxes {
 public:
  int Show(const MessageBoxRecord& box) override {
    inDialogMode.push_back(lpDevice != nullptr && lpDevice->InDialogMode());
    return cRecordingMessageBoxes::Show(box);
  }
  std::vector<bool> inDialogMode;
};

TEST_F(DisplayTest, FullScreenBoxesShowInDialogMode) {
  cDisplayDialogModeWitness boxes;
  ASSERT_TRUE(Bring(kAllConfigs[2]));
  ErrMesBox("full screen");
  EXPECT_EQ(DDMesBox("direct", "caption", MB_OK), 1);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "direct");
  EXPECT_EQ(boxes.inDialogMode, (std::vector<bool>{true, true}));
  EXPECT_FALSE(lpDevice->InDialogMode());
  DDEnd();
  ErrMesBox("after the display");
  EXPECT_EQ(boxes.inDialogMode.size(), 3u);
}

TEST_F(DisplayTest, WindowedDialogModeLeavesTheCursorAlone) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  const int counter = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  EXPECT_EQ(DDSetDialogMode(1), 1);
  EXPECT_EQ(DDSetDialogMode(0), 1);
  EXPECT_EQ(ShowCursor(TRUE) - 1, counter);
  ShowCursor(FALSE);
}

TEST_F(DisplayTest, SurfaceLeftAliveAtTheEndIsReported) {
  cRecordingMessageBoxes boxes;
  ASSERT_TRUE(Bring(kAllConfigs[5]));
  cSoftDDSurface* leaked = nullptr;
  ASSERT_EQ(lpDD->CreateSurface(8, 8, true, &leaked), DD_OK);
  DDEnd();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "DirectDraw");
  EXPECT_EQ(boxes.shown[0].text, "解放漏れがあります");
  leaked->Release();
}

}  // namespace
