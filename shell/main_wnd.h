#pragma once
// The player's main window: the only top-level window, and the place where the game
// thread's work meets the main thread. Its procedure ends the program in order, follows
// activation, and carries out what other threads ask of the main thread (the modal
// dialogs, sound effects and music, the restore of a lost Direct3D device).
#include <atomic>

#include "app/ui/window.h"
#include "platform/win_types.h"

class cThread;

class cMainWnd : public cFrameWnd {
 public:
  ~cMainWnd() override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The main window paints nothing through the framework.
  void OnPaint() override {}
  // Gives the window its creation parameters: id 0, no parent, no window list, and
  // MainWndProc as its procedure.
  void Setup();

 private:
  // The close sequence: keeps the window record, then either asks a running pause loop to
  // end (stage play closes again afterwards) or ends the program in order.
  void OnClose(HWND hwnd);
  // Keeps where the window is and how large, in the windowed modes only.
  void SaveWindowRecord(HWND hwnd);
};

extern cMainWnd g_MainWnd;

// The window procedure registered for the main window: hands every message to g_MainWnd.
LRESULT MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// 1 while the application is active; written by the main thread, polled by the others.
extern std::atomic<int> g_bActive;
// 1 from just before the game thread starts; the close sequence keeps the window record
// and WM_PAINT shows the last frame only from then on.
extern std::atomic<int> g_bGameRunning;
// Done flags and result of the requests that run a modal dialog on the main thread.
extern std::atomic<int> g_bNameEntryDone;
extern std::atomic<int> g_bRequestDone;
extern std::atomic<int> g_bRequestResult;

// How long the close sequence waits for one thread to end: its quit turns (about 200 ms),
// then the time a thread asked to unwind needs to reach its next call into the platform
// layer.
constexpr DWORD kThreadEndLimitMs = 1000;
// The exit code of a process that ended because one of its threads would not.
constexpr int kStuckThreadExitCode = 3;
// cThread::Exit with a bound: a thread still running `limitMs` after the call (busy
// outside the platform layer, where neither its quit message nor the unwind request
// reaches it) ends the process at once, after one report line naming it. Nothing else is
// written, saved or released then: the stuck thread may be using any of it.
void ExitThreadWithin(cThread& thread, const char* name, DWORD limitMs = kThreadEndLimitMs);
