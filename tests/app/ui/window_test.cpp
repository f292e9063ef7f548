#include "app/ui/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "tests/support/temp_dir.h"

namespace {

// Metrics of a desktop with a caption and dialog frames, so that every frame term counts.
WindowMetrics TestMetrics() {
  WindowMetrics m;
  m.nScreenWidth = 1024;
  m.nScreenHeight = 768;
  m.workArea = RECT{0, 0, 1024, 768};
  m.nCaption = 20;
  m.nFrameX = m.nFrameY = 4;
  m.nDlgFrameX = m.nDlgFrameY = 3;
  m.nVScrollX = m.nHScrollY = 17;
  m.nMenu = 19;
  return m;
}

constexpr DWORD kMainStyle = WS_POPUPWINDOW | WS_DLGFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// A main window whose procedure handles WM_MOVE itself, as the game's main window does,
// and hands everything else to the framework. It records what it was sent.
class cMainLike : public cFrameWnd {
 public:
  static LRESULT CALLBACK_Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return s_pThis->WndProc(hwnd, msg, wParam, lParam);
  }
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(msg);
    if (msg == WM_MOVE) return 0;
    return DispatchMsg(hwnd, msg, wParam, lParam);
  }
  void OnInit(WPARAM, LPARAM) override { ++inits; }
  std::vector<UINT> seen;
  int inits = 0;
  static cMainLike* s_pThis;
};
cMainLike* cMainLike::s_pThis = nullptr;

class WindowTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const WindowMetrics metrics = TestMetrics();
    OverrideWindowMetrics(&metrics);
    const POINT cursor{0, 0};
    OverrideCursorPos(&cursor);
    cMainLike::s_pThis = &main;
    main.SetFrame(640, 480, 100, 100, 640, 480, kMainStyle, 0, 0, 0, 0, 0);
  }
  void TearDown() override {
    if (main.m_hWnd != nullptr) DestroyWindow(main.m_hWnd);
    OverrideWindowMetrics(nullptr);
    OverrideCursorPos(nullptr);
    cTempDirTest::TearDown();
  }
  cMainLike main;
};

TEST_F(WindowTest, MainWindowFrameIsTheClientPlusCaptionAndDialogFrames) {
  EXPECT_EQ(main.m_OuterSize.right, 640 + 2 * 3);
  EXPECT_EQ(main.m_OuterSize.bottom, 480 + 20 + 2 * 3);
  EXPECT_EQ(main.m_nDrawW, 640);
  EXPECT_EQ(main.m_nDrawH, 480);
  MINMAXINFO mm{};
  mm.ptMaxSize = POINT{1, 2};
  main.GetMinMaxInfo(&mm);
  EXPECT_EQ(mm.ptMinTrackSize.x, 100 + 6);
  EXPECT_EQ(mm.ptMinTrackSize.y, 100 + 26);
  EXPECT_EQ(mm.ptMaxTrackSize.x, 640 + 6);
  EXPECT_EQ(mm.ptMaxTrackSize.y, 480 + 26);
  EXPECT_EQ(mm.ptMaxSize.x, 1);  // the rest untouched
}

TEST_F(WindowTest, CreationDeliversCreateMoveAndSizeBeforeItReturns) {
  ASSERT_EQ(main.Create("main", 100, 100, &cMainLike::CALLBACK_Proc), 1);
  EXPECT_EQ(main.seen, (std::vector<UINT>{WM_CREATE, WM_MOVE, WM_SIZE}));
  EXPECT_EQ(main.inits, 1);
  EXPECT_EQ(main.m_hWnd, GetMainWindowHandle());
  main.Center();
  POINT pos{};
  main.GetPos(pos);
  EXPECT_EQ(pos.x, (1024 - 646) / 2);
  EXPECT_EQ(pos.y, (768 - 506) / 2);
}

// The main window swallows WM_MOVE, so the framework's remembered position goes stale;
// the position read for saving comes from the window itself.
TEST_F(WindowTest, PositionIsReadFromTheWindowNotFromWhatWasLastRemembered) {
  ASSERT_EQ(main.Create("main", 100, 100, &cMainLike::CALLBACK_Proc), 1);
  SimulateMainWindowMove(300, 200);
  POINT pos{};
  main.GetPos(pos);
  EXPECT_EQ(pos.x, 300);
  EXPECT_EQ(pos.y, 200);
  const HWND handle = main.m_hWnd;
  DestroyWindow(handle);
  EXPECT_EQ(main.m_hWnd, nullptr);
  // Messages to a window that is gone are dropped quietly.
  EXPECT_EQ(SendMessageA(handle, WM_COMMAND, 1, 0), 0);
}

TEST_F(WindowTest, RelocateClampsToTheWorkArea) {
  struct Case {
    int x, y;
    int wantX, wantY;
  } cases[] = {
      {-50, 5000, 0, 768 - 506},
      {2000, -3, 1024 - 646, 0},
      {10, 20, 10, 20},
  };
  ASSERT_EQ(main.Create("main", 100, 100, &cMainLike::CALLBACK_Proc), 1);
  for (const Case& c : cases) {
    main.SetStoredPos(c.x, c.y);
    main.Relocate();
    POINT pos{};
    main.GetPos(pos);
    EXPECT_EQ(pos.x, c.wantX) << c.x;
    EXPECT_EQ(pos.y, c.wantY) << c.y;
  }
}

TEST_F(WindowTest, CursorOutsideTheDrawingAreaLeavesTheMouseStateAlone) {
  ASSERT_EQ(main.Create("main", 100, 100, &cMainLike::CALLBACK_Proc), 1);
  // The client area starts inside the left frame and below the caption and top frame.
  POINT inside{100 + 3 + 30, 100 + 23 + 40};
  OverrideCursorPos(&inside);
  EXPECT_EQ(main.UpdateMouse(0, 7), 1);
  EXPECT_EQ(main.m_Mouse.m_nX, 30);
  EXPECT_EQ(main.m_Mouse.m_nY, 40);
  POINT outside{100 + 3 + 700, 100 + 23 + 40};
  OverrideCursorPos(&outside);
  EXPECT_EQ(main.UpdateMouse(0, 7), 0);
  EXPECT_EQ(main.m_Mouse.m_nX, 30);
  EXPECT_EQ(main.UpdateMouse(1, 7), 1);
  EXPECT_EQ(main.m_Mouse.m_nX, 700);
}

TEST_F(WindowTest, MessageNamesAndTheLogLine) {
  struct Case {
    UINT msg;
    const char* name;
  } cases[] = {
      {0x0000, "WM_NULL"},         {0x0100, "WM_KEYFIRST"}, {0x010F, "WM_IME_COMPOSITION"},
      {0x0200, "WM_MOUSEFIRST"},   {0x0400, "WM_USER"},     {0x8000, "WM_APP"},
      {0x038F, "WM_PENWINLAST"},   {0x0401, "1025"},        {0xFFFFFFFFu, "4294967295"},
  };
  for (const Case& c : cases) EXPECT_STREQ(GetMsgName(c.msg), c.name);

  SetECLog(1, "EC_Game.txt");
  main.SetMessageLog(1, "main");
  main.DispatchMsg(nullptr, WM_SIZE, 0x00020001u, MAKELPARAM(640, 480));
  main.DispatchMsg(nullptr, WM_GETTEXT, 0, 0);  // never logged
  SetECLog(0, "EC_Game.txt");
  EXPECT_EQ(ReadBytes("EC_Game.txt"), "main | msg:WM_SIZE | wp:131073(2,1) | lp:31457920(480,640)\r\n");
}

}  // namespace
