#pragma once
// Windows of the program: the main window, dialog windows and their controls. Only the
// contract the program's window framework relies on is kept: rectangles, styles, texts,
// check states and selections, enabled flags, and the messages the framework reads. The
// main window's rectangle is read live from SDL once the display window is open; dialogs
// and their controls are drawn by the modal host inside the main window (dialog_host.h).
// Metrics come from a table of our own: frame sizes 0, since SDL sizes the client area;
// screen and work area from the usable display bounds. Tests inject their own.
// Main thread only, like every window call.
#include <cstdint>
#include <string>

#include "platform/message_queue.h"
#include "platform/win_types.h"

using INT_PTR = std::intptr_t;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFFu); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFFu); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

// Window messages the framework handles or sends (the full name list is the logger's).
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
constexpr UINT WM_PALETTECHANGED = 0x0311;
constexpr UINT WM_APP = 0x8000;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000u;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_DISABLED = 0x08000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;  // WS_BORDER | WS_DLGFRAME
constexpr DWORD WS_BORDER = 0x00800000u;
constexpr DWORD WS_DLGFRAME = 0x00400000u;
constexpr DWORD WS_VSCROLL = 0x00200000u;
constexpr DWORD WS_HSCROLL = 0x00100000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_THICKFRAME = 0x00040000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;
constexpr DWORD WS_TABSTOP = 0x00010000u;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr int GWL_STYLE = -16;

// Metrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYMENU = 15;
// The client area of a full-screen window: the work area less the caption.
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr UINT SPI_GETWORKAREA = 0x0030;

// SetWindowPos and ShowWindow.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

// Buttons and edit controls.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr WORD BN_CLICKED = 0;
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Scroll bars.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_BOTTOM = 7;

// --- metrics ---

// The figures behind GetSystemMetrics and the work area.
struct WindowMetrics {
  int nScreenWidth = 640;
  int nScreenHeight = 480;
  RECT workArea{0, 0, 640, 480};
  int nCaption = 0;   // SM_CYCAPTION
  int nFrameX = 0;    // SM_CXFRAME
  int nFrameY = 0;    // SM_CYFRAME
  int nDlgFrameX = 0; // SM_CXDLGFRAME
  int nDlgFrameY = 0; // SM_CYDLGFRAME
  int nVScrollX = 0;  // SM_CXVSCROLL
  int nHScrollY = 0;  // SM_CYHSCROLL
  int nMenu = 0;      // SM_CYMENU
};
// The metrics in force: the injected ones, else the display's (usable bounds of display 0
// when SDL video runs, 640 x 480 otherwise) with frame sizes 0.
WindowMetrics CurrentWindowMetrics();
// Test seam: null puts the display's metrics back.
void OverrideWindowMetrics(const WindowMetrics* metrics);

int GetSystemMetrics(int index);
// SPI_GETWORKAREA only: writes the work area into *(RECT*)param.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* param, UINT winIni);

// The cursor in screen coordinates, from SDL's global mouse state, or the injected one.
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// Test seam: a fixed cursor position; null: the real one.
void OverrideCursorPos(const POINT* point);
BOOL ScreenToClient(HWND hWnd, POINT* point);
BOOL ClientToScreen(HWND hWnd, POINT* point);

// --- windows ---

// The main window. Stands in for CreateWindowExA with a registered class: `proc` is the
// class's window procedure. The window becomes the main window (g_hWnd's handle, the
// receiver of posted and sent messages); WM_CREATE, the first WM_MOVE and WM_SIZE reach
// `proc` before this returns. `x`, `y`, `width`, `height` are the outer rectangle; the
// client area is the outer size less the frame metrics (0 on this system).
HWND CreateWindowExA(DWORD exStyle, const char* windowName, DWORD style, int x, int y, int width, int height,
                     HWND parent, WNDPROC proc);
// Sends WM_DESTROY and forgets the window; later messages to it are dropped quietly.
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetDesktopWindow();
HWND GetParent(HWND hWnd);

// Outer rectangle in screen coordinates; the main window's is read from SDL when the
// display window is open. The desktop window's is the screen.
BOOL GetWindowRect(HWND hWnd, RECT* rect);
// (0, 0, client width, client height).
BOOL GetClientRect(HWND hWnd, RECT* rect);
// Moves and/or sizes (outer rectangle, screen coordinates). Sends WM_MOVE and WM_SIZE
// when they change, as the system does.
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
LONG GetWindowLongA(HWND hWnd, int index);
LONG SetWindowLongA(HWND hWnd, int index, LONG value);
// SW_HIDE hides; every other command shows. The minimising commands (SW_MINIMIZE,
// SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE) minimise, SW_MAXIMIZE maximises, SW_RESTORE and
// SW_SHOWNORMAL bring the window back to its normal state; SW_SHOW keeps the state.
BOOL ShowWindow(HWND hWnd, int command);
// Whether the main window is minimised or maximised: as SDL has it while the display
// window shows on screen, else as ShowWindow last left it (SDL's dummy driver keeps no
// such state).
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL enable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, const char* text);
// Copies at most size - 1 bytes and a NUL (cut on a character boundary); returns the
// bytes copied. 0 and an empty buffer for an unknown window.
int GetWindowTextA(HWND hWnd, char* buffer, int size);
// The name of the window's class (the main window: the class registered with its
// procedure) into `buffer`, cut to size - 1 bytes; its length, 0 when the window has none.
int GetClassNameA(HWND hWnd, char* buffer, int size);
int GetWindowTextLengthA(HWND hWnd);
HWND SetFocus(HWND hWnd);
HWND GetFocus();

// --- subclassing, window properties and scroll bars (dialogs and their controls) ---

using LONG_PTR = std::intptr_t;
using HANDLE = void*;
constexpr int GWLP_WNDPROC = -4;
// GWLP_WNDPROC only: the procedure messages to a dialog or a control go to. A window the
// program has not subclassed answers with the system's procedure for it, which the
// program's replacement passes what it does not handle to (CallWindowProcA). 0 for the
// main window and for other indexes.
LONG_PTR GetWindowLongPtrA(HWND hWnd, int index);
// Installs a procedure and returns the one it replaces (0 when it cannot).
LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value);
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Named values kept with a window; they go with it.
BOOL SetPropA(HWND hWnd, const char* name, HANDLE data);
HANDLE GetPropA(HWND hWnd, const char* name);
HANDLE RemovePropA(HWND hWnd, const char* name);

struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
// A window's own bar (SB_HORZ, SB_VERT) or a scroll-bar control's (SB_CTL, the control's
// handle). As the system does: the page is kept within the range's size and the position
// within min .. max - (page - 1). Returns the position; 0 for an unknown window or bar.
int SetScrollInfo(HWND hWnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hWnd, int bar, SCROLLINFO* info);

// What the system does with a message a window procedure leaves to it: WM_CLOSE destroys
// the window; everything else is answered with 0.
LRESULT DefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Test seam: moves the main window as if the user had dragged it (no message is sent,
// like a move the main window's own handler swallowed).
void SimulateMainWindowMove(int x, int y);
