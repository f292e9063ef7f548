#include "shell/main_wnd.h"

cMainWnd g_MainWnd;
std::atomic<int> g_bActive{0};
std::atomic<int> g_bGameRunning{0};
std::atomic<int> g_bNameEntryDone{0};
std::atomic<int> g_bRequestDone{0};
std::atomic<int> g_bRequestResult{0};

cMainWnd::~cMainWnd() = default;

LRESULT cMainWnd::WndProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

void cMainWnd::Setup() { SetCreateParams(0, nullptr, nullptr); }

LRESULT MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_MainWnd.WndProc(hwnd, msg, wParam, lParam);
}
