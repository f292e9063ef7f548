#include "shell/main_wnd.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/path_table.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/thread.h"
#include "app/ui/dialog.h"
#include "app/ui/dialog_resources.h"
#include "app/ui/window_list.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "media/draw/dd_display.h"
#include "media/sound/bgm.h"
#include "platform/display_window.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"
#include "shell/file_dialog.h"
#include "shell/game_requests.h"
#include "shell/play_services.h"
#include "shell/test_play_notice.h"
#include "shell/window_data.h"

cMainWnd g_MainWnd;
std::atomic<int> g_bActive{0};
std::atomic<int> g_bGameRunning{0};
std::atomic<int> g_bNameEntryDone{0};
std::atomic<int> g_bRequestDone{0};
std::atomic<int> g_bRequestResult{0};

namespace {

// Runs the dialog that `make` builds (with the non-throwing new) modally while the game
// holds still: dialog mode on, so that it can show over a full screen, and the worker
// threads suspended, so that no game code runs meanwhile; both are undone afterwards.
// A dialog that cannot be allocated is reported (the box also asks the window to close)
// and counts as cancelled. The dialog's result; 0 when none ran.
template <typename Make>
INT_PTR RunModalRequest(Make make) {
  DDSetDialogMode(1);
  SuspendWorkerThreads();
  INT_PTR result = 0;
  cDialog* dialog = make();
  if (dialog == nullptr) {
    MemErrMesBox();
  } else {
    result = dialog->DoModal(0);
    delete dialog;
    dialog = nullptr;
  }
  DDSetDialogMode(0);
  ResumeWorkerThreads();
  return result;
}

// Runs the file dialog in `mode`; 1 when a file was chosen, its path then in `path`. A
// dialog that could not be shown at all (-1) chose nothing.
int ChooseFile(int mode, std::string& path) {
  const INT_PTR result = RunModalRequest([&]() -> cDialog* {
    return new (std::nothrow) cFileDlg(IDD_FILE, &g_MainWnd, 1, &g_WindowList, &path, mode);
  });
  return result == 1 ? 1 : 0;
}

void OnNameEntry() {
  if (PlayServices().CreateNameDlg == nullptr)
    WriteReport("%s が組み込まれていません", "cNameDlg");
  else
    RunModalRequest([] { return PlayServices().CreateNameDlg(&g_MainWnd, &g_WindowList); });
  // The dialog keeps the typed name itself; its result is not needed.
  g_bNameEntryDone = 1;
}

// A chosen file whose follow-up fails reports result 0 after the failure was shown: the
// sender then stays where it was (the title menu, or play) and the program goes on, as
// after a cancelled dialog. Ending the program over one unusable file would throw the
// game away.
void OnOpenStage() {
  std::string path;
  int result = ChooseFile(FILEDLG_LOAD_STAGE, path);
  // The loader shows why a stage cannot be started.
  if (result && !StartFreeStageService(path.c_str(), 0)) result = 0;
  g_bRequestResult = result;
  g_bRequestDone = 1;
}

// The replay files say themselves why a file cannot be read or written.
void OnOpenReplay() {
  std::string path;
  int result = ChooseFile(FILEDLG_LOAD_REPLAY, path);
  if (result) {
    if (LoadReplayService(path.c_str()))
      // Stage play sets the stage up again from the file being played.
      g_StageData.m_strPath = path;
    else
      result = 0;
  }
  g_bRequestResult = result;
  g_bRequestDone = 1;
}

// The replay is saved with the stage data, its pristine copy and the progress at the
// start of the replay's stage (the save service takes them).
void OnSaveReplay(WPARAM wParam) {
  const int bPrevious = wParam == 0 ? 0 : 1;
  std::string path;
  int result = 0;
  // Without a stage being played there is nothing to name the file after: no dialog.
  if (!g_Progress.m_strStageName.empty() && MakeReplayFileNameService(path, g_Progress.m_strStageName)) {
    result = ChooseFile(FILEDLG_SAVE_REPLAY, path);
    if (result && !SaveReplayService(path.c_str(), bPrevious)) result = 0;
  }
  g_bRequestResult = result;
  g_bRequestDone = 1;
}

// What the watch over one thread's end shares with the thread that ends it.
struct cEndWatch {
  std::atomic<int> bEnded{0};
  const char* pName = "";
  DWORD dwStart = 0;
  DWORD dwLimit = 0;
};

unsigned WatchThreadEnd(void* arg) {
  cEndWatch& watch = *static_cast<cEndWatch*>(arg);
  while (watch.bEnded.load() == 0) {
    if (static_cast<std::int32_t>(timeGetTime() - watch.dwStart) >= static_cast<std::int32_t>(watch.dwLimit)) {
      WriteReport("%s が %u ミリ秒たっても終了しないため、プログラムを強制終了します", watch.pName,
                  static_cast<unsigned>(watch.dwLimit));
      // No destructor, no release and no flush: the stuck thread may hold any of them.
      std::_Exit(kStuckThreadExitCode);
    }
    Sleep(1);
  }
  return 0;
}

}  // namespace

void ExitThreadWithin(cThread& thread, const char* name, DWORD limitMs) {
  if (!thread.IsRunning()) {
    thread.Exit();  // releases a thread that has ended; nothing to wait for
    return;
  }
  cEndWatch watch;
  watch.pName = name;
  watch.dwStart = timeGetTime();
  watch.dwLimit = limitMs;
  cThread watcher;
  // Without a watcher the wait is as unbounded as it always was; the close still runs.
  const bool bWatching = watcher.Start(WatchThreadEnd, &watch);
  thread.Exit();
  watch.bEnded = 1;
  if (bWatching) watcher.Wait();
}

cMainWnd::~cMainWnd() {
  m_MemDC.Release();
  m_MemDC2.Release();
}

LRESULT cMainWnd::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  m_hWnd = hwnd;
  UpdateMouse(0, 7);
  switch (msg) {
    case WM_CREATE:
      SetCreated(1);
      return 0;
    case WM_DESTROY:
      WriteEC("WM_DESTROY");
      m_hWnd = nullptr;
      g_hWnd = nullptr;
      // The window is gone: the tool is told with the handle as it is held now, null.
      NotifyTestPlayEnd(m_hWnd, 1);
      PostQuitMessage(0);
      return 0;
    case WM_MOVE: {
      RECT client{};
      ::GetClientRect(hwnd, &client);
      POINT topLeft{client.left, client.top};
      POINT bottomRight{client.right, client.bottom};
      ClientToScreen(hwnd, &topLeft);
      ClientToScreen(hwnd, &bottomRight);
      g_rcClient = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
      return 0;
    }
    case WM_SIZE:
      UpdateStyle();
      if (m_hToolBar != nullptr) SendMessageA(m_hToolBar, WM_SIZE, wParam, lParam);
      return 0;
    case WM_PAINT:
      // Uncovered: the last finished frame is shown again, never the back buffer the game
      // thread may be drawing into. Before the game runs there is none to show.
      if (g_bGameRunning == 1) ShowLastFrameAgain();
      return 0;
    case WM_CLOSE:
      OnClose(hwnd);
      return 0;
    case WM_ACTIVATEAPP: {
      const int active = wParam != 0 ? 1 : 0;
      // A full-screen Direct3D device was lost when the application went away: it is
      // restored before the game loop sees the application active and draws again.
      if (g_bActive == 0 && active && lpDTCon != nullptr && g_bWindow == 0)
        SendMessageA(g_hWnd, WM_GAME_RESTORE, 0, 0);
      g_bActive = active;
      return 0;
    }
    case WM_GETMINMAXINFO:
      if (lpDTCon != nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
      GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return 0;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
      // The 8-bit display's palette travels with every frame handed to the window, so
      // there is no palette to set into the primary surface here.
      return 0;
    // The dialog requests answer 1: a sender whose send returns 0 knows the request was
    // given up (the program is closing) and that no done flag will come.
    case WM_GAME_NAMEENTRY:
      OnNameEntry();
      return 1;
    case WM_GAME_OPENSTAGE:
      OnOpenStage();
      return 1;
    case WM_GAME_OPENREPLAY:
      OnOpenReplay();
      return 1;
    case WM_GAME_SAVEREPLAY:
      OnSaveReplay(wParam);
      return 1;
    case WM_GAME_PLAYSE:
      OnPlaySE(wParam);
      return 0;
    case WM_GAME_PLAYBGM:
      OnPlayBgm(wParam, lParam);
      return 0;
    case WM_GAME_RESTORE:
      DDRestoreSurface();
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void cMainWnd::SaveWindowRecord(HWND hwnd) {
  // Full screen has no window position worth keeping; before the game runs the window
  // may not be where start-up meant to put it; minimised, its position is no place to
  // come back to.
  if (g_SystemIni.m_nWindowMode == 0 || g_bGameRunning != 1 || IsIconic(hwnd)) return;
  POINT pos{};
  GetPos(pos);
  g_WindowData.Set(pos.x, pos.y, m_ClientRect.right - m_ClientRect.left, m_ClientRect.bottom - m_ClientRect.top,
                   IsZoomed(hwnd) ? 1 : 0);
  // Not worth a word when it fails: the window opens centred next time.
  g_WindowData.SaveToFile(g_PathTable[PATH_WINDOW]);
}

void cMainWnd::OnClose(HWND hwnd) {
  SaveWindowRecord(hwnd);
  if (thPause.IsRunning()) {
    // The game thread waits for the pause loop: it is asked to end, and stage play closes
    // the window again once it has.
    WriteEC("WM_CLOSE thPause.m_hThread");
    RequestPlayQuitService();
    PostThreadMessageA(thPause.ThreadId(), WM_QUIT, 0, 0);
    return;
  }
  // Before any thread is ended: a thread blocked in a send to this window (which is busy
  // here and will not serve it) is released, so that it can see its quit message.
  BeginShutdown();
  WriteEC("WM_CLOSE 成功！");
  g_Bgm.Stop();
  ExitThreadWithin(thLoad, "thLoad");
  ExitThreadWithin(thPause, "thPause");
  ExitThreadWithin(thRanking, "thRanking");
  WriteEC("thPause.Exit()");
  ExitThreadWithin(thGame, "thGame");
  WriteEC("thGame.Exit()");
  DestroyWindow(hwnd);
}

void cMainWnd::Setup() { SetCreateParams(0, nullptr, nullptr); }

LRESULT MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_MainWnd.WndProc(hwnd, msg, wParam, lParam);
}
