#include "shell/win_main.h"

#include <atomic>
#include <cstring>

#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "app/report_log.h"
#include "app/system_report.h"
#include "app/test_play_flag.h"
#include "app/thread.h"
#include "app/ui/dialog.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_state.h"
#include "media/draw/font.h"
#include "media/sound/bgm.h"
#include "media/sound/sound.h"
#include "platform/main_loop.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/single_instance.h"
#include "platform/win_time.h"
#include "platform/window_class.h"
#include "platform/x11_window.h"
#include "shell/frame_limit.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "shell/test_play_notice.h"

HINSTANCE g_hInstance = nullptr;

namespace {

constexpr const char* kReportLogName = "Report_Game.txt";
constexpr const char* kECLogName = "EC_Game.txt";
constexpr const char* kDataVersionText = "811";
constexpr const char* kInstanceName = "ゲーム";
constexpr const char* kInstanceCaption = "二重起動";
constexpr const char* kWindowClassName = "Tovrelkit4";
constexpr int kProgramIcon = 101;

// The main window: a 640 x 480 client area with a caption, the system menu and the
// minimise and maximise boxes; at most that size and at least 100 x 100.
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr int kMinClientSize = 100;
constexpr int kWindowX = 100;
constexpr int kWindowY = 100;

// Posted to the new game thread until a post succeeds; the thread drops it.
constexpr UINT kThreadQueueProbe = WM_APP;
// The longest the message loop waits in one turn when nothing wakes it earlier.
constexpr int kIdleWaitMs = 100;

// Keeps the player to one instance. False when this process is to end: the user chose
// not to replace the running player, or it could not be ended.
bool KeepSingleInstance(cInstanceLock& lock) {
  // Taken, or no lock file can be had at all: the player runs without the guard then,
  // as it would where the system could make no mutex.
  if (lock.Acquire(kInstanceName) != eInstanceLock::kHeldByAnother) return true;
  const int answer = MessageBoxA(nullptr,
                                 "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\n"
                                 "Running this program now. Restart?",
                                 kInstanceCaption, MB_YESNO);
  if (answer != IDYES) return false;
  switch (lock.TakeOver(500)) {
    case eTakeOver::kCannotEnd:
      MessageBoxA(nullptr, "プログラムの終了に失敗しました。", kInstanceCaption, MB_OK);
      return false;
    case eTakeOver::kTaken:
    case eTakeOver::kNoProcess:  // the other player has no window yet: both run
    case eTakeOver::kStillHeld:  // ended, but its lock outlived the wait: start anyway
      break;
  }
  return true;
}

bool RegisterMainWindowClass(HINSTANCE hInstance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = hInstance;
  windowClass.hIcon = LoadIconA(hInstance, kProgramIcon);
  windowClass.hCursor = LoadArrowCursor();
  windowClass.hbrBackground = GetStockBrush(LTGRAY_BRUSH);
  windowClass.lpszClassName = kWindowClassName;
  windowClass.hIconSm = LoadIconA(hInstance, kProgramIcon);
  return RegisterClassExA(&windowClass) != 0;
}

bool CreateMainWindow() {
  g_MainWnd.SetFrame(kClientWidth, kClientHeight, kMinClientSize, kMinClientSize, kClientWidth, kClientHeight,
                     kMainWindowStyle, 0, 0, 0, 0, 0);
  if (!g_MainWnd.Create("", kWindowX, kWindowY, MainWndProc)) return false;
  g_MainWnd.Center();
  return true;
}

// The X server went away under the running player: the line is the last the log gets.
void ReportDisplayLost() { WriteReport("Xサーバとの接続が切れました！プログラムを終了します。"); }

// A WM_QUIT that did not come through the close sequence leaves threads running; they
// must not draw into a display that GameEnd releases.
void EndWorkerThreads() {
  ExitThreadWithin(thLoad, "thLoad");
  ExitThreadWithin(thPause, "thPause");
  ExitThreadWithin(thRanking, "thRanking");
  ExitThreadWithin(thGame, "thGame");
}

}  // namespace

unsigned GameLoop(void*) {
  RestartFrameCount();
  for (;;) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        WriteEC("GameLoop WM_QUIT!");
        return 1;
      }
      continue;  // the queue probe and anything else: dropped
    }
    // No frame runs past the count while the close sequence comes.
    if (!g_bActive.load() || FrameLimitReached()) {
      Sleep(1);
      continue;
    }
    if (!g_GameMgr.Frame()) {
      PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      return 1;
    }
    CountFrameRun();
  }
}

bool StartGameThread() {
  if (!thGame.Start(GameLoop, nullptr)) return false;
  // A post that succeeds proves the thread's queue exists, so the WM_QUIT of a later Exit
  // cannot be lost. A thread that has already ended (its first frame closed the program)
  // has no queue left to prove.
  while (!PostThreadMessageA(thGame.ThreadId(), kThreadQueueProbe, 0, 0)) {
    if (!thGame.IsRunning()) break;
    Sleep(1);
  }
  return true;
}

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    PumpMainWindowEvents(0);
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }
    PumpMainWindowEvents(kIdleWaitMs);
  }
}

void GameEnd() {
  if (lpDTCon != nullptr || lpDDCon != nullptr) {
    if (g_Font[0].m_lpFastFont_FullAdd) WriteReport("Font10 : %d", g_Font[0].m_lpFastFont_FullAdd->m_nCount);
    if (g_Font[1].m_lpFastFont_FullAdd) WriteReport("Font16 : %d", g_Font[1].m_lpFastFont_FullAdd->m_nCount);
  }
  timeEndPeriod(1);
  DSRelease();
  g_Bgm.Release();
  g_GameMgr.DeleteAllScenes();
  for (cFont& font : g_Font) font.Release();
  for (DDSURFACEDATA& strip : g_FontDigitSurface) DDReleaseSurface(&strip);
  if (g_bWindow) DDRelease();
  else DDEnd();
  cHook::Unhook();
}

int WinMain(HINSTANCE hInstance, HINSTANCE, const char* lpCmdLine, int nCmdShow) {
  SetECLog(0, kECLogName);
  char reportPath[MAX_PATH];
  std::strcpy(reportPath, kReportLogName);
  // A folder too deep for an absolute name: the name alone still names the file there.
  if (!MakeFullPath(reportPath)) std::strcpy(reportPath, kReportLogName);
  if (!OpenReportLog(reportPath)) return 0;
  WriteReport("App : ver %s", kDataVersionText);
  WriteSystemReport();

  g_bTestPlay = nCmdShow == kTestPlayShowCommand ? 1 : 0;
  // Held until the end of WinMain; released on every way out.
  cInstanceLock instance;
  if (!KeepSingleInstance(instance)) return 0;

  g_hInstance = hInstance;
  EndProgramOnDisplayLoss(ReportDisplayLost);
  if (!RegisterMainWindowClass(hInstance)) return 0;
  if (!CreateMainWindow()) {
    ErrMesBox("ウインドウが生成出来ません！");
    return 0;
  }
  // From now on a second player can end this one.
  instance.RecordProcess();
  if (g_bTestPlay) NotifyTestPlayStart(g_MainWnd.GetHandle());

  if (!GameInit(lpCmdLine != nullptr ? lpCmdLine : "", nCmdShow)) {
    GameEnd();
    if (g_bTestPlay) NotifyTestPlayEnd(g_MainWnd.GetHandle(), 0);
    return 0;
  }

  g_bGameRunning.store(1);
  if (!StartGameThread()) {
    // Nothing would ever draw or end the program: say so and end in order.
    g_bGameRunning.store(0);
    WriteReportBox("ゲームスレッドを開始できません！");
    GameEnd();
    if (g_bTestPlay) NotifyTestPlayEnd(g_MainWnd.GetHandle(), 0);
    return 0;
  }

  BeginMainLoop();
  const int exitCode = RunMessageLoop();
  EndMainLoop();
  EndWorkerThreads();
  GameEnd();
  return exitCode;
}
