// Subclassing, window properties and scroll-bar state of dialogs and their controls, kept
// in the host's window records.
#include <algorithm>

#include "platform/window_registry.h"

using tovrel_platform::cHostWindow;
using tovrel_platform::eHostWindowType;
using tovrel_platform::FindHostWindow;

namespace {

cHostWindow* Subclassable(HWND hWnd) {
  cHostWindow* window = FindHostWindow(hWnd);
  return window != nullptr && window->type != eHostWindowType::kMain ? window : nullptr;
}

WNDPROC SystemProcOf(const cHostWindow& window) {
  return window.type == eHostWindowType::kDialog ? &tovrel_platform::DefaultDialogProc
                                                  : &tovrel_platform::DefaultControlProc;
}

// The bar's record: a window's own bar, or a control's; null for another combination.
SCROLLINFO* BarOf(HWND hWnd, int bar) {
  cHostWindow* window = Subclassable(hWnd);
  if (window == nullptr) return nullptr;
  const bool bControl = window->type == eHostWindowType::kControl;
  if (bar == SB_CTL) return bControl ? &window->scroll[SB_CTL] : nullptr;
  if (bar == SB_HORZ || bar == SB_VERT) return &window->scroll[bar];
  return nullptr;
}

}  // namespace

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
  const cHostWindow* window = Subclassable(hWnd);
  if (window == nullptr || index != GWLP_WNDPROC) return 0;
  const WNDPROC proc = window->subclass != nullptr ? window->subclass : SystemProcOf(*window);
  return reinterpret_cast<LONG_PTR>(proc);
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  cHostWindow* window = Subclassable(hWnd);
  if (window == nullptr || index != GWLP_WNDPROC || value == 0) return 0;
  const LONG_PTR previous = GetWindowLongPtrA(hWnd, index);
  const auto proc = reinterpret_cast<WNDPROC>(value);
  // Putting the system's procedure back ends the subclassing.
  window->subclass = proc == SystemProcOf(*window) ? nullptr : proc;
  return previous;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc != nullptr ? proc(hWnd, message, wParam, lParam) : 0;
}

BOOL SetPropA(HWND hWnd, const char* name, HANDLE data) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || name == nullptr) return FALSE;
  window->props[name] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hWnd, const char* name) {
  const cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || name == nullptr) return nullptr;
  const auto found = window->props.find(name);
  return found != window->props.end() ? found->second : nullptr;
}

HANDLE RemovePropA(HWND hWnd, const char* name) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr || name == nullptr) return nullptr;
  const auto found = window->props.find(name);
  if (found == window->props.end()) return nullptr;
  HANDLE data = found->second;
  window->props.erase(found);
  return data;
}

int SetScrollInfo(HWND hWnd, int bar, const SCROLLINFO* info, BOOL) {
  SCROLLINFO* state = BarOf(hWnd, bar);
  if (state == nullptr || info == nullptr) return 0;
  if ((info->fMask & SIF_RANGE) != 0) {
    state->nMin = info->nMin;
    state->nMax = std::max(info->nMin, info->nMax);
  }
  if ((info->fMask & SIF_PAGE) != 0) state->nPage = info->nPage;
  if ((info->fMask & SIF_POS) != 0) state->nPos = info->nPos;
  // Widened to 64 bits: a range from game data may span the whole int.
  const long long span = static_cast<long long>(state->nMax) - state->nMin + 1;
  state->nPage = static_cast<UINT>(std::min<long long>(state->nPage, span));
  const long long last = static_cast<long long>(state->nMax) - std::max<long long>(static_cast<long long>(state->nPage) - 1, 0);
  state->nPos = static_cast<int>(std::clamp<long long>(state->nPos, state->nMin, std::max<long long>(last, state->nMin)));
  state->nTrackPos = state->nPos;
  return state->nPos;
}

BOOL GetScrollInfo(HWND hWnd, int bar, SCROLLINFO* info) {
  const SCROLLINFO* state = BarOf(hWnd, bar);
  if (state == nullptr || info == nullptr) return FALSE;
  if ((info->fMask & SIF_RANGE) != 0) {
    info->nMin = state->nMin;
    info->nMax = state->nMax;
  }
  if ((info->fMask & SIF_PAGE) != 0) info->nPage = state->nPage;
  if ((info->fMask & SIF_POS) != 0) info->nPos = state->nPos;
  if ((info->fMask & SIF_TRACKPOS) != 0) info->nTrackPos = state->nTrackPos;
  return TRUE;
}
