#pragma once
// The player's main window: the only top-level window, and the place where the game
// thread's work meets the main thread. Its procedure ends the program in order, follows
// activation, and carries out what other threads ask of the main thread (the modal
// dialogs, sound effects and music, the restore of a lost Direct3D device).
#include <atomic>

#include "app/ui/window.h"

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
