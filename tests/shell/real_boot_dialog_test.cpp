// The start-up dialog over the main window in a real window: runs only when
// TOVREL_REAL_WINDOW is set (under Xvfb, for example). The dialog waits
// TOVREL_REAL_WINDOW_MS milliseconds (default 1500) so that a screenshot can be taken, then
// Enter starts; with TOVREL_REAL_WINDOW_WAIT a person answers. TOVREL_REAL_WINDOW_ENGLISH
// shows the English texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/system_ini.h"
#include "app/ui/dialog.h"
#include "data/boot/boot_data.h"
#include "data/system/system_data.h"
#include "platform/dialog_host.h"
#include "platform/host_files.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"
#include "shell/boot_dialog.h"
#include "tests/support/temp_dir.h"

namespace {

LRESULT MainProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

class RealBootDialogTest : public cTempDirTest {};

TEST_F(RealBootDialogTest, AsksOverTheMainWindow) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  ASSERT_EQ(MakeDirectory("user_data"), 1);
  cFrameWnd main;
  main.SetFrame(640, 480, 100, 100, 640, 480, WS_POPUPWINDOW | WS_DLGFRAME, 0, 0, 0, 0, 0);
  ASSERT_EQ(main.Create("main", 60, 40, &MainProc), 1);
  g_SystemData.m_strTitle = "テストゲーム";
  g_SystemIni.m_nDirect3D = 2;
  g_SystemIni.m_bEnglish = std::getenv("TOVREL_REAL_WINDOW_ENGLISH") != nullptr;

  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const int wait = ms != nullptr ? std::atoi(ms) : 1500;
  const bool person = std::getenv("TOVREL_REAL_WINDOW_WAIT") != nullptr;
  std::thread typing([=] {
    if (person) return;
    Sleep(static_cast<DWORD>(wait));
    QueueHostKeyPress(VK_RETURN);
  });
  const int goOn = RunBootDialog(&main, nullptr);
  typing.join();
  std::printf("start-up goes on %d, Direct3D %d, Boot.dat mode %d, do not ask %d\n", goOn, g_SystemIni.m_nDirect3D,
              g_BootData.m_nDrawMode, g_BootData.m_bNoAsk);
  if (!person) {
    EXPECT_EQ(goOn, 1);
  }
  cHook::Unhook();
}

}  // namespace
