#include "platform/win_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "platform/cp932.h"
#include "platform/display_window.h"
#include "platform/display_window_sdl.h"
#include "platform/message_queue.h"
#include "platform/modal_host.h"
#include "platform/window_class.h"
#include "platform/window_registry.h"

namespace tovrel_platform {
namespace {

std::map<HWND, std::unique_ptr<cHostWindow>> g_windows;
std::uintptr_t g_nextHandle = 0x10000;

}  // namespace

HWND AddHostWindow(const cHostWindow& window) {
  HWND handle = reinterpret_cast<HWND>(g_nextHandle);
  g_nextHandle += 0x10;
  auto added = std::make_unique<cHostWindow>(window);
  added->handle = handle;
  g_windows[handle] = std::move(added);
  return handle;
}

cHostWindow* FindHostWindow(HWND handle) {
  const auto it = g_windows.find(handle);
  return it != g_windows.end() ? it->second.get() : nullptr;
}

void RemoveHostWindow(HWND handle) { g_windows.erase(handle); }

LRESULT CallWindow(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  cHostWindow* window = FindHostWindow(handle);
  if (window == nullptr) return 0;  // gone: dropped quietly
  if (window->type == eHostWindowType::kMain) return window->proc != nullptr ? window->proc(handle, msg, wParam, lParam) : 0;
  if (window->subclass != nullptr) return window->subclass(handle, msg, wParam, lParam);
  if (window->type == eHostWindowType::kDialog) return DefaultDialogProc(handle, msg, wParam, lParam);
  return DefaultControlProc(handle, msg, wParam, lParam);
}

LRESULT DefaultDialogProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  cHostWindow* window = FindHostWindow(handle);
  if (window == nullptr || window->type != eHostWindowType::kDialog || window->dlgProc == nullptr) return 0;
  return window->dlgProc(handle, msg, wParam, lParam);
}

}  // namespace tovrel_platform

using tovrel_platform::cHostWindow;
using tovrel_platform::eHostWindowType;
using tovrel_platform::FindHostWindow;

namespace {

std::optional<WindowMetrics> g_metricsOverride;
std::optional<POINT> g_cursorOverride;
HWND const kDesktop = reinterpret_cast<HWND>(std::uintptr_t{0x100});

// The frame around a window's client area by its style, from the metrics in force (all 0
// on this system, where SDL sizes the client area; tests inject others).
RECT FrameOf(DWORD style) {
  RECT frame{0, 0, 0, 0};
  if ((style & WS_CAPTION) != 0) frame.top += GetSystemMetrics(SM_CYCAPTION);
  if ((style & WS_THICKFRAME) != 0) {
    frame.left = frame.right = GetSystemMetrics(SM_CXFRAME);
    frame.top += GetSystemMetrics(SM_CYFRAME);
    frame.bottom = GetSystemMetrics(SM_CYFRAME);
  } else if ((style & WS_DLGFRAME) != 0) {
    frame.left = frame.right = GetSystemMetrics(SM_CXDLGFRAME);
    frame.top += GetSystemMetrics(SM_CYDLGFRAME);
    frame.bottom = GetSystemMetrics(SM_CYDLGFRAME);
  }
  return frame;
}

void SetClientFromOuter(cHostWindow& window) {
  const RECT frame = FrameOf(window.style);
  window.nClientW = std::max(0, static_cast<int>(window.rect.right - window.rect.left - frame.left - frame.right));
  window.nClientH = std::max(0, static_cast<int>(window.rect.bottom - window.rect.top - frame.top - frame.bottom));
}

// The main window's outer rectangle as it is now: from SDL's client area when the display
// window is open, else the one last set.
RECT LiveRect(cHostWindow& window) {
  if (window.type == eHostWindowType::kMain) {
    if (SDL_Window* sdl = DisplaySdlWindow()) {
      int x = 0, y = 0, w = 0, h = 0;
      SDL_GetWindowPosition(sdl, &x, &y);
      SDL_GetWindowSize(sdl, &w, &h);
      const RECT frame = FrameOf(window.style);
      window.rect = RECT{x - frame.left, y - frame.top, x + w + frame.right, y + h + frame.bottom};
      window.nClientW = w;
      window.nClientH = h;
    }
  }
  return window.rect;
}

}  // namespace

WindowMetrics CurrentWindowMetrics() {
  if (g_metricsOverride) return *g_metricsOverride;
  WindowMetrics metrics;
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
    SDL_Rect bounds{}, usable{};
    if (SDL_GetDisplayBounds(0, &bounds) == 0) {
      metrics.nScreenWidth = bounds.w;
      metrics.nScreenHeight = bounds.h;
      metrics.workArea = RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
    }
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
      metrics.workArea = RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
  }
  return metrics;
}

void OverrideWindowMetrics(const WindowMetrics* metrics) {
  if (metrics != nullptr) g_metricsOverride = *metrics;
  else g_metricsOverride.reset();
}

int GetSystemMetrics(int index) {
  const WindowMetrics m = CurrentWindowMetrics();
  switch (index) {
    case SM_CXSCREEN: return m.nScreenWidth;
    case SM_CYSCREEN: return m.nScreenHeight;
    case SM_CXVSCROLL: return m.nVScrollX;
    case SM_CYHSCROLL: return m.nHScrollY;
    case SM_CYCAPTION: return m.nCaption;
    case SM_CXDLGFRAME: return m.nDlgFrameX;
    case SM_CYDLGFRAME: return m.nDlgFrameY;
    case SM_CYMENU: return m.nMenu;
    case SM_CXFULLSCREEN: return m.workArea.right - m.workArea.left;
    case SM_CYFULLSCREEN: return m.workArea.bottom - m.workArea.top - m.nCaption;
    case SM_CXFRAME: return m.nFrameX;
    case SM_CYFRAME: return m.nFrameY;
    default: return 0;
  }
}

BOOL SystemParametersInfoA(UINT action, UINT, void* param, UINT) {
  if (action != SPI_GETWORKAREA || param == nullptr) return FALSE;
  *static_cast<RECT*>(param) = CurrentWindowMetrics().workArea;
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  if (g_cursorOverride) {
    *point = *g_cursorOverride;
    return TRUE;
  }
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return FALSE;
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  *point = POINT{x, y};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  if (g_cursorOverride) {
    g_cursorOverride = POINT{x, y};
    return TRUE;
  }
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return FALSE;
  return SDL_WarpMouseGlobal(x, y) == 0 ? TRUE : FALSE;
}

void OverrideCursorPos(const POINT* point) {
  if (point != nullptr) g_cursorOverride = *point;
  else g_cursorOverride.reset();
}

BOOL ScreenToClient(HWND hWnd, POINT* point) {
  RECT rect{};
  if (point == nullptr || !GetWindowRect(hWnd, &rect)) return FALSE;
  const cHostWindow* window = FindHostWindow(hWnd);
  const RECT frame = window != nullptr && window->type != eHostWindowType::kControl ? FrameOf(window->style) : RECT{};
  point->x -= rect.left + frame.left;
  point->y -= rect.top + frame.top;
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, POINT* point) {
  RECT rect{};
  if (point == nullptr || !GetWindowRect(hWnd, &rect)) return FALSE;
  const cHostWindow* window = FindHostWindow(hWnd);
  const RECT frame = window != nullptr && window->type != eHostWindowType::kControl ? FrameOf(window->style) : RECT{};
  point->x += rect.left + frame.left;
  point->y += rect.top + frame.top;
  return TRUE;
}

HWND CreateWindowExA(DWORD, const char* windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                     WNDPROC proc) {
  cHostWindow window;
  window.type = eHostWindowType::kMain;
  window.parent = parent;
  window.proc = proc;
  window.style = style;
  window.text = windowName != nullptr ? windowName : "";
  window.className = ClassNameOfWindowProc(proc);
  window.rect = RECT{x, y, x + width, y + height};
  SetClientFromOuter(window);
  window.bVisible = (style & WS_VISIBLE) != 0;
  // Metrics and the cursor come from the display from now on.
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) SDL_InitSubSystem(SDL_INIT_VIDEO);
  tovrel_platform::CanShowOnScreen();  // other threads learn whether boxes can show
  HWND handle = tovrel_platform::AddHostWindow(window);
  SetMainWindowHandle(handle);
  SetMainWindowProc(proc);
  if (proc != nullptr) {
    proc(handle, WM_CREATE, 0, 0);
    proc(handle, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    const cHostWindow* made = FindHostWindow(handle);
    proc(handle, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(made->nClientW), static_cast<WORD>(made->nClientH)));
  }
  return handle;
}

BOOL DestroyWindow(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  tovrel_platform::CallWindow(hWnd, WM_DESTROY, 0, 0);
  // The controls go after their dialog, each told first, as the system does.
  window = FindHostWindow(hWnd);
  if (window == nullptr) return TRUE;
  const std::vector<HWND> controls = window->controls;
  for (HWND control : controls) tovrel_platform::CallWindow(control, WM_DESTROY, 0, 0);
  for (HWND control : controls) tovrel_platform::RemoveHostWindow(control);
  window = FindHostWindow(hWnd);
  if (window == nullptr) return TRUE;
  if (window->type == eHostWindowType::kMain && GetMainWindowHandle() == hWnd) {
    SetMainWindowHandle(nullptr);
    SetMainWindowProc(nullptr);
  }
  tovrel_platform::RemoveHostWindow(hWnd);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return FindHostWindow(hWnd) != nullptr ? TRUE : FALSE; }
HWND GetDesktopWindow() { return kDesktop; }
HWND GetParent(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  return window != nullptr ? window->parent : nullptr;
}

BOOL GetWindowRect(HWND hWnd, RECT* rect) {
  if (rect == nullptr) return FALSE;
  if (hWnd == kDesktop) {
    const WindowMetrics m = CurrentWindowMetrics();
    *rect = RECT{0, 0, m.nScreenWidth, m.nScreenHeight};
    return TRUE;
  }
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  if (window->type == eHostWindowType::kControl) {
    // Controls keep their rectangle in the dialog's client area.
    RECT dialog{};
    GetWindowRect(window->parent, &dialog);
    const RECT& r = window->control.rect;
    *rect = RECT{dialog.left + r.left, dialog.top + r.top, dialog.left + r.right, dialog.top + r.bottom};
    return TRUE;
  }
  *rect = LiveRect(*window);
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, RECT* rect) {
  if (rect == nullptr) return FALSE;
  if (hWnd == kDesktop) {
    const WindowMetrics m = CurrentWindowMetrics();
    *rect = RECT{0, 0, m.nScreenWidth, m.nScreenHeight};
    return TRUE;
  }
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  if (window->type == eHostWindowType::kControl) {
    const RECT& r = window->control.rect;
    *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
    return TRUE;
  }
  LiveRect(*window);
  *rect = RECT{0, 0, window->nClientW, window->nClientH};
  return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  if (window->type == eHostWindowType::kControl) {
    RECT& r = window->control.rect;
    if ((flags & SWP_NOMOVE) == 0) r = RECT{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
    if ((flags & SWP_NOSIZE) == 0) r = RECT{r.left, r.top, r.left + cx, r.top + cy};
    return TRUE;
  }
  const RECT before = LiveRect(*window);
  RECT after = before;
  if ((flags & SWP_NOMOVE) == 0) after = RECT{x, y, x + (before.right - before.left), y + (before.bottom - before.top)};
  if ((flags & SWP_NOSIZE) == 0) after.right = after.left + cx, after.bottom = after.top + cy;
  window->rect = after;
  SetClientFromOuter(*window);
  if (window->type == eHostWindowType::kMain) {
    if (SDL_Window* sdl = DisplaySdlWindow()) {
      const RECT frame = FrameOf(window->style);
      if ((flags & SWP_NOMOVE) == 0) SDL_SetWindowPosition(sdl, after.left + frame.left, after.top + frame.top);
      if ((flags & SWP_NOSIZE) == 0) SDL_SetWindowSize(sdl, window->nClientW, window->nClientH);
    }
  }
  if (after.left != before.left || after.top != before.top)
    tovrel_platform::CallWindow(hWnd, WM_MOVE, 0,
                                MAKELPARAM(static_cast<WORD>(after.left), static_cast<WORD>(after.top)));
  if (after.right - after.left != before.right - before.left || after.bottom - after.top != before.bottom - before.top)
    tovrel_platform::CallWindow(hWnd, WM_SIZE, 0,
                                MAKELPARAM(static_cast<WORD>(window->nClientW), static_cast<WORD>(window->nClientH)));
  return TRUE;
}

LONG GetWindowLongA(HWND hWnd, int index) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || index != GWL_STYLE) return 0;
  DWORD style = window->type == eHostWindowType::kControl ? window->control.style : window->style;
  style = (style & ~(WS_DISABLED | WS_VISIBLE)) | (window->bEnabled ? 0 : WS_DISABLED) |
          (window->bVisible ? WS_VISIBLE : 0);
  return static_cast<LONG>(style);
}

LONG SetWindowLongA(HWND hWnd, int index, LONG value) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || index != GWL_STYLE) return 0;
  const LONG previous = GetWindowLongA(hWnd, index);
  const DWORD style = static_cast<DWORD>(value);
  if (window->type == eHostWindowType::kControl) window->control.style = style;
  else window->style = style;
  window->bEnabled = (style & WS_DISABLED) == 0;
  window->bVisible = (style & WS_VISIBLE) != 0;
  window->control.bEnabled = window->bEnabled;
  window->control.bVisible = window->bVisible;
  return previous;
}

BOOL ShowWindow(HWND hWnd, int command) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  const BOOL wasVisible = window->bVisible ? TRUE : FALSE;
  window->bVisible = command != SW_HIDE;
  window->control.bVisible = window->bVisible;
  const bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
  const bool maximise = command == SW_MAXIMIZE;
  const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL;
  if (minimise) window->bMinimized = true;
  if (maximise) window->bMinimized = false, window->bMaximized = true;
  if (restore) window->bMinimized = false, window->bMaximized = false;
  if (window->type == eHostWindowType::kMain) {
    if (SDL_Window* sdl = DisplaySdlWindow()) {
      if (window->bVisible) SDL_ShowWindow(sdl);
      else SDL_HideWindow(sdl);
      if (minimise) SDL_MinimizeWindow(sdl);
      if (maximise) SDL_MaximizeWindow(sdl);
      if (restore) SDL_RestoreWindow(sdl);
    }
  }
  return wasVisible;
}

namespace {

// The main window's SDL state flags while it shows on screen; nullopt where SDL keeps no
// such state (no display window, or a driver that shows nothing).
std::optional<Uint32> OnScreenFlags(const cHostWindow& window) {
  if (window.type != eHostWindowType::kMain || !tovrel_platform::CanShowOnScreen()) return std::nullopt;
  SDL_Window* sdl = DisplaySdlWindow();
  if (sdl == nullptr) return std::nullopt;
  return SDL_GetWindowFlags(sdl);
}

}  // namespace

BOOL IsIconic(HWND hWnd) {
  const cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  if (const std::optional<Uint32> flags = OnScreenFlags(*window)) return (*flags & SDL_WINDOW_MINIMIZED) != 0;
  return window->bMinimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
  const cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  if (const std::optional<Uint32> flags = OnScreenFlags(*window)) return (*flags & SDL_WINDOW_MAXIMIZED) != 0;
  return window->bMaximized ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  return window != nullptr && window->bVisible ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  const BOOL wasDisabled = window->bEnabled ? FALSE : TRUE;
  window->bEnabled = enable != 0;
  window->control.bEnabled = window->bEnabled;
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  return window != nullptr && window->bEnabled ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND hWnd, const char* text) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return FALSE;
  std::string value = text != nullptr ? text : "";
  if (window->type == eHostWindowType::kControl) {
    DialogControlState& c = window->control;
    if (c.kind == eDialogItemKind::kEdit && c.nLimit > 0 && value.size() > static_cast<std::size_t>(c.nLimit)) {
      // An edit control holds at most its limit, never half a double-byte character.
      std::size_t keep = 0;
      while (keep < value.size()) {
        const std::size_t step =
            (static_cast<unsigned char>(value[keep]) >= 0x81 && keep + 1 < value.size() &&
             ((static_cast<unsigned char>(value[keep]) <= 0x9F) || static_cast<unsigned char>(value[keep]) >= 0xE0))
                ? 2
                : 1;
        if (keep + step > static_cast<std::size_t>(c.nLimit)) break;
        keep += step;
      }
      value.resize(keep);
    }
    c.text = value;
    const int length = static_cast<int>(c.text.size());
    c.nSelStart = std::min(c.nSelStart, length);
    c.nSelEnd = std::min(c.nSelEnd, length);
  }
  window->text = std::move(value);
  // The main window's title is the title of the window on the desktop.
  if (window->type == eHostWindowType::kMain && hWnd == GetMainWindowHandle())
    SetDisplayWindowTitle(Cp932ToUtf8(window->text));
  return TRUE;
}

int GetClassNameA(HWND hWnd, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  const cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || window->className.empty()) return 0;
  const std::size_t n = std::min(window->className.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, window->className.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

int GetWindowTextA(HWND hWnd, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return 0;
  const std::string& text = window->type == eHostWindowType::kControl ? window->control.text : window->text;
  // Whole characters only: a lead byte whose trail would not fit stays out.
  std::size_t n = 0;
  const std::size_t room = static_cast<std::size_t>(size - 1);
  while (n < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[n]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const std::size_t step = lead && n + 1 < text.size() ? 2 : 1;
    if (n + step > room) break;
    n += step;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

int GetWindowTextLengthA(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return 0;
  return static_cast<int>(window->type == eHostWindowType::kControl ? window->control.text.size() : window->text.size());
}

void SimulateMainWindowMove(int x, int y) {
  cHostWindow* window = FindHostWindow(GetMainWindowHandle());
  if (window == nullptr) return;
  const int w = window->rect.right - window->rect.left;
  const int h = window->rect.bottom - window->rect.top;
  window->rect = RECT{x, y, x + w, y + h};
  if (SDL_Window* sdl = DisplaySdlWindow()) SDL_SetWindowPosition(sdl, x, y);
}

LRESULT DefWindowProcA(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(hWnd);
  return 0;
}
