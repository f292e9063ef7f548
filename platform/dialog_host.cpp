#include "platform/dialog_host.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/dialog_script.h"
#include "platform/modal_host.h"
#include "platform/virtual_keys.h"
#include "platform/window_registry.h"

using tovrel_platform::cHostWindow;
using tovrel_platform::eHostWindowType;
using tovrel_platform::FindHostWindow;

namespace {

std::string g_error;
// The dialogs running, innermost last.
std::vector<HWND> g_running;
HOOKPROC g_hook = nullptr;
HHOOK const kHookHandle = reinterpret_cast<HHOOK>(std::uintptr_t{0x200});

bool Takes(eDialogItemKind kind) {
  switch (kind) {
    case eDialogItemKind::kPushButton:
    case eDialogItemKind::kDefPushButton:
    case eDialogItemKind::kCheckBox:
    case eDialogItemKind::kRadioButton:
    case eDialogItemKind::kEdit:
      return true;
    default:
      return false;
  }
}

cHostWindow* Control(HWND handle) {
  cHostWindow* window = FindHostWindow(handle);
  return window != nullptr && window->type == eHostWindowType::kControl ? window : nullptr;
}

cHostWindow* Dialog(HWND handle) {
  cHostWindow* window = FindHostWindow(handle);
  return window != nullptr && window->type == eHostWindowType::kDialog ? window : nullptr;
}

LRESULT SendToControl(cHostWindow& window, UINT msg, WPARAM wParam, LPARAM lParam) {
  DialogControlState& c = window.control;
  const int length = static_cast<int>(c.text.size());
  switch (msg) {
    case BM_GETCHECK: return c.nCheck;
    case BM_SETCHECK: c.nCheck = static_cast<int>(wParam); return 0;
    case EM_GETSEL:
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(c.nSelStart);
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(c.nSelEnd);
      return static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(c.nSelStart), static_cast<WORD>(c.nSelEnd)));
    case EM_SETSEL: {
      // -1 as the start removes the selection; an end of -1 means the end of the text.
      int start = static_cast<int>(static_cast<LONG>(wParam));
      int end = static_cast<int>(static_cast<LONG>(lParam));
      if (end < 0) end = length;
      if (start < 0) start = end;
      c.nSelStart = std::clamp(start, 0, length);
      c.nSelEnd = std::clamp(end, 0, length);
      return 0;
    }
    case EM_LIMITTEXT: c.nLimit = static_cast<int>(wParam); return 0;
    case WM_SETTEXT: return SetWindowTextA(window.handle, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return GetWindowTextA(window.handle, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_SETREDRAW: return 0;
    default: return 0;
  }
}

LRESULT RouteSend(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  cHostWindow* window = FindHostWindow(hWnd);
  if (window == nullptr) return 0;
  return tovrel_platform::CallWindow(hWnd, msg, wParam, lParam);
}

BOOL RoutePost(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  cHostWindow* dialog = Dialog(hWnd);
  if (dialog == nullptr) return FALSE;
  dialog->posted.push_back(MSG{hWnd, msg, wParam, lParam});
  return TRUE;
}

struct cRouterInstaller {
  cRouterInstaller() { SetOtherWindowRouter(&RouteSend, &RoutePost); }
};

void Command(cHostWindow& dialog, WORD id, WORD code, HWND control) {
  tovrel_platform::CallWindow(dialog.handle, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

// Radio buttons form a group from one carrying WS_GROUP (or following another kind of
// control) up to the next such start.
void CheckRadioInGroup(cHostWindow& dialog, HWND picked) {
  const auto& list = dialog.controls;
  const auto at = std::find(list.begin(), list.end(), picked);
  if (at == list.end()) return;
  auto starts = [&](std::vector<HWND>::const_iterator it) {
    const cHostWindow* c = Control(*it);
    return c == nullptr || c->control.kind != eDialogItemKind::kRadioButton || (c->control.style & WS_GROUP) != 0;
  };
  auto first = at;
  while (first != list.begin() && !starts(first)) --first;
  if (const cHostWindow* c = Control(*first); c == nullptr || c->control.kind != eDialogItemKind::kRadioButton)
    ++first;
  for (auto it = first; it != list.end(); ++it) {
    if (it != first && starts(it)) break;
    if (cHostWindow* c = Control(*it)) c->control.nCheck = *it == picked ? 1 : 0;
  }
}

}  // namespace

namespace tovrel_platform {

LRESULT DefaultControlProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  cHostWindow* window = Control(handle);
  return window != nullptr ? SendToControl(*window, msg, wParam, lParam) : 0;
}

void SetHostError(const std::string& error) { g_error = error; }

void DrainPosted(cHostWindow& dialog) {
  // A message handled here may post more; each is taken in turn. A dialog that ends stops
  // taking them, as its window is gone.
  for (int guard = 0; guard < 10000 && !dialog.posted.empty() && !dialog.bEnded; ++guard) {
    const MSG msg = dialog.posted.front();
    dialog.posted.pop_front();
    CallWindow(dialog.handle, msg.message, msg.wParam, msg.lParam);
  }
}

int DefaultButtonId(const cHostWindow& dialog) {
  for (HWND handle : dialog.controls)
    if (const cHostWindow* c = Control(handle); c != nullptr && c->control.kind == eDialogItemKind::kDefPushButton)
      return c->control.nId;
  return IDOK;
}

void HostSetFocus(cHostWindow& dialog, HWND control) {
  if (dialog.focus == control) return;
  const HWND old = dialog.focus;
  dialog.focus = control;
  if (const cHostWindow* c = Control(old); c != nullptr && c->control.kind == eDialogItemKind::kEdit)
    Command(dialog, c->control.nId, EN_KILLFOCUS, old);
  if (const cHostWindow* c = Control(control); c != nullptr && c->control.kind == eDialogItemKind::kEdit)
    Command(dialog, c->control.nId, EN_SETFOCUS, control);
  DrainPosted(dialog);
}

void HostClick(cHostWindow& dialog, HWND control) {
  cHostWindow* c = Control(control);
  if (c == nullptr || !c->bEnabled || !c->bVisible || dialog.bEnded) return;
  switch (c->control.kind) {
    case eDialogItemKind::kCheckBox: c->control.nCheck = c->control.nCheck != 0 ? 0 : 1; break;
    case eDialogItemKind::kRadioButton: CheckRadioInGroup(dialog, control); break;
    case eDialogItemKind::kPushButton:
    case eDialogItemKind::kDefPushButton: break;
    default: return;  // texts, frames and edits are not pressed
  }
  if (Takes(c->control.kind) && c->control.kind != eDialogItemKind::kEdit) dialog.focus = control;
  Command(dialog, c->control.nId, BN_CLICKED, control);
  DrainPosted(dialog);
}

void HostEditChanged(cHostWindow& dialog, HWND control, const std::string& text, int selStart, int selEnd) {
  cHostWindow* c = Control(control);
  if (c == nullptr || c->control.kind != eDialogItemKind::kEdit || !c->bEnabled || dialog.bEnded) return;
  if ((c->control.style & ES_READONLY) != 0) return;
  HostSetFocus(dialog, control);
  SetWindowTextA(control, text.c_str());
  const int length = static_cast<int>(c->control.text.size());
  c->control.nSelStart = std::clamp(selStart, 0, length);
  c->control.nSelEnd = std::clamp(selEnd, 0, length);
  Command(dialog, c->control.nId, EN_UPDATE, control);
  if (!dialog.bEnded) Command(dialog, c->control.nId, EN_CHANGE, control);
  DrainPosted(dialog);
}

void HostKey(cHostWindow& dialog, int vk, bool down) {
  if (dialog.bEnded) return;
  if (g_hook != nullptr) g_hook(HC_ACTION, static_cast<WPARAM>(vk), down ? 1 : static_cast<LPARAM>(0xC0000001u));
  DrainPosted(dialog);
  if (!down || dialog.bEnded) return;
  // What the system's dialog manager does with the key besides.
  if (vk == VK_TAB) {
    std::vector<HWND> stops;
    for (HWND handle : dialog.controls)
      if (const cHostWindow* c = Control(handle); c != nullptr && Takes(c->control.kind) && c->bEnabled && c->bVisible)
        stops.push_back(handle);
    if (stops.empty()) return;
    auto at = std::find(stops.begin(), stops.end(), dialog.focus);
    HostSetFocus(dialog, at == stops.end() || ++at == stops.end() ? stops.front() : *at);
  } else if (vk == VK_RETURN && dialog.composition.empty()) {
    const int id = DefaultButtonId(dialog);
    if (HWND button = GetDlgItem(dialog.handle, id)) HostClick(dialog, button);
    else Command(dialog, static_cast<WORD>(id), BN_CLICKED, nullptr);
  } else if (vk == VK_ESCAPE) {
    Command(dialog, IDCANCEL, BN_CLICKED, nullptr);
  }
  DrainPosted(dialog);
}

void HostScroll(cHostWindow& dialog, HWND control, int pos) {
  const cHostWindow* c = Control(control);
  if (c == nullptr || c->control.kind != eDialogItemKind::kScrollBar || !c->bEnabled || dialog.bEnded) return;
  const UINT msg = (c->control.style & SBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
  CallWindow(dialog.handle, msg, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(control));
  DrainPosted(dialog);
}

void HostRightClick(cHostWindow& dialog, HWND control) {
  if (Control(control) == nullptr || dialog.bEnded) return;
  CallWindow(control, WM_RBUTTONUP, 0, 0);
  DrainPosted(dialog);
}

void HostClose(cHostWindow& dialog) {
  if (dialog.bEnded) return;
  CallWindow(dialog.handle, WM_CLOSE, 0, 0);
  DrainPosted(dialog);
}

}  // namespace tovrel_platform

namespace {

void ApplyScript(cHostWindow& dialog, const std::vector<DialogAction>& actions) {
  using eKind = DialogAction::eKind;
  for (const DialogAction& action : actions) {
    if (dialog.bEnded) return;
    switch (action.kind) {
      case eKind::kClick:
        tovrel_platform::HostClick(dialog, GetDlgItem(dialog.handle, action.nId));
        break;
      case eKind::kSetText: {
        const int end = static_cast<int>(action.text.size());
        tovrel_platform::HostEditChanged(dialog, GetDlgItem(dialog.handle, action.nId), action.text, end, end);
        break;
      }
      case eKind::kKey:
        tovrel_platform::HostKey(dialog, action.nValue, true);
        tovrel_platform::HostKey(dialog, action.nValue, false);
        break;
      case eKind::kCompose:
        dialog.composition = action.text;
        break;
      case eKind::kClose:
        tovrel_platform::HostClose(dialog);
        break;
    }
  }
}

std::vector<DialogControlState> Snapshot(const cHostWindow& dialog) {
  std::vector<DialogControlState> states;
  for (HWND handle : dialog.controls)
    if (const cHostWindow* c = Control(handle)) states.push_back(c->control);
  return states;
}

INT_PTR Fail(const std::string& error) {
  g_error = error;
  std::fprintf(stderr, "%s\n", error.c_str());
  return -1;
}

}  // namespace

const std::string& DialogHostError() { return g_error; }

INT_PTR DialogBoxIndirectParamA(HINSTANCE, const DialogTemplate* tpl, HWND parent, DLGPROC proc, LPARAM param) {
  static cRouterInstaller router;
  g_error.clear();
  if (tpl == nullptr || proc == nullptr) return Fail("dialog: no template or no procedure");
  if (!IsMainThread()) return Fail("dialog " + std::to_string(tpl->nResourceId) + ": not on the main thread");
  cDialogScript* script = ActiveDialogScript();
  std::vector<DialogAction> actions;
  if (script != nullptr) {
    if (!script->TakeDialog(tpl->nResourceId, actions))
      return Fail("dialog " + std::to_string(tpl->nResourceId) + ": no scripted answer");
  } else if (tpl->bVisible && !tovrel_platform::CanShowOnScreen()) {
    return Fail("dialog " + std::to_string(tpl->nResourceId) + ": no display to show it on");
  }

  cHostWindow dialog;
  dialog.type = eHostWindowType::kDialog;
  dialog.parent = parent;
  dialog.dlgProc = proc;
  dialog.dialog = tpl;
  dialog.style = WS_POPUP | WS_CAPTION | (tpl->bVisible ? WS_VISIBLE : 0);
  dialog.bVisible = tpl->bVisible;
  dialog.text = tpl->caption != nullptr ? tpl->caption : "";
  dialog.nClientW = DialogXToPixels(tpl->cx);
  dialog.nClientH = DialogYToPixels(tpl->cy);
  // Centred on the main window's client area (or the screen before it exists).
  RECT over{};
  if (!GetWindowRect(GetMainWindowHandle(), &over)) GetWindowRect(GetDesktopWindow(), &over);
  const int x = over.left + (over.right - over.left - dialog.nClientW) / 2;
  const int y = over.top + (over.bottom - over.top - dialog.nClientH) / 2;
  dialog.rect = RECT{x, y, x + dialog.nClientW, y + dialog.nClientH};
  const HWND hDlg = tovrel_platform::AddHostWindow(dialog);
  cHostWindow* self = FindHostWindow(hDlg);
  for (int i = 0; i < tpl->nItems; ++i) {
    const DialogItemTemplate& item = tpl->items[i];
    cHostWindow control;
    control.type = eHostWindowType::kControl;
    control.parent = hDlg;
    control.text = item.text != nullptr ? item.text : "";
    control.bEnabled = (item.style & WS_DISABLED) == 0;
    control.control = DialogControlState{};
    control.control.nId = item.nId;
    control.control.kind = item.kind;
    control.control.text = control.text;
    control.control.style = item.style;
    control.control.bEnabled = control.bEnabled;
    const int left = DialogXToPixels(item.x), top = DialogYToPixels(item.y);
    control.control.rect = RECT{left, top, left + DialogXToPixels(item.cx), top + DialogYToPixels(item.cy)};
    const HWND handle = tovrel_platform::AddHostWindow(control);
    self = FindHostWindow(hDlg);
    self->controls.push_back(handle);
  }
  HWND first = nullptr;
  for (HWND handle : self->controls)
    if (const cHostWindow* c = Control(handle); c != nullptr && Takes(c->control.kind) && c->bEnabled) {
      first = handle;
      break;
    }
  self->focus = first;
  g_running.push_back(hDlg);

  proc(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  tovrel_platform::DrainPosted(*self);

  ShownDialog shown;
  shown.nResourceId = tpl->nResourceId;
  shown.caption = self->text;
  shown.atStart = Snapshot(*self);
  std::string error;
  INT_PTR result = -1;
  if (!self->bEnded) {
    if (script != nullptr) {
      ApplyScript(*self, actions);
      if (!self->bEnded) tovrel_platform::HostClose(*self);
      if (!self->bEnded) error = "dialog " + std::to_string(tpl->nResourceId) + ": did not end when closed";
    } else if (!self->bVisible) {
      error = "dialog " + std::to_string(tpl->nResourceId) + ": hidden and did not end";
    } else {
      tovrel_platform::RunDialogOnScreen(*self, error);
    }
  }
  if (self->bEnded) result = self->result;
  shown.atEnd = Snapshot(*self);
  shown.result = result;
  if (script != nullptr && ActiveDialogScript() == script) script->dialogs.push_back(shown);

  g_running.pop_back();
  DestroyWindow(hDlg);
  if (!error.empty()) return Fail(error);
  return result;
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
  cHostWindow* dialog = Dialog(hDlg);
  if (dialog == nullptr) return FALSE;
  dialog->bEnded = true;
  dialog->result = result;
  return TRUE;
}

HWND GetDlgItem(HWND hDlg, int id) {
  cHostWindow* dialog = Dialog(hDlg);
  if (dialog == nullptr) return nullptr;
  for (HWND handle : dialog->controls)
    if (const cHostWindow* c = Control(handle); c != nullptr && c->control.nId == static_cast<WORD>(id)) return handle;
  return nullptr;
}

int GetDlgCtrlID(HWND hCtl) {
  const cHostWindow* c = Control(hCtl);
  return c != nullptr ? c->control.nId : 0;
}

UINT GetDlgItemTextA(HWND hDlg, int id, char* buffer, int size) {
  if (buffer != nullptr && size > 0) buffer[0] = '\0';
  const HWND control = GetDlgItem(hDlg, id);
  if (control == nullptr) return 0;
  return static_cast<UINT>(GetWindowTextA(control, buffer, size));
}

BOOL SetDlgItemTextA(HWND hDlg, int id, const char* text) {
  const HWND control = GetDlgItem(hDlg, id);
  return control != nullptr ? SetWindowTextA(control, text) : FALSE;
}

HWND GetActiveDialog() { return g_running.empty() ? nullptr : g_running.back(); }

HWND CreateDialogControl(HWND hDlg, WORD id, eDialogItemKind kind, DWORD style, const RECT& rect) {
  if (Dialog(hDlg) == nullptr) return nullptr;
  cHostWindow control;
  control.type = eHostWindowType::kControl;
  control.parent = hDlg;
  control.bEnabled = (style & WS_DISABLED) == 0;
  control.control.nId = id;
  control.control.kind = kind;
  control.control.style = style;
  control.control.bEnabled = control.bEnabled;
  control.control.rect = rect;
  const HWND handle = tovrel_platform::AddHostWindow(control);
  Dialog(hDlg)->controls.push_back(handle);
  return handle;
}

HWND SetFocus(HWND hWnd) {
  const cHostWindow* c = Control(hWnd);
  cHostWindow* dialog = c != nullptr ? Dialog(c->parent) : nullptr;
  if (dialog == nullptr) return nullptr;
  const HWND old = dialog->focus;
  tovrel_platform::HostSetFocus(*dialog, hWnd);
  return old;
}

HWND GetFocus() {
  cHostWindow* dialog = Dialog(GetActiveDialog());
  return dialog != nullptr ? dialog->focus : nullptr;
}

HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE, DWORD) {
  if (kind != WH_KEYBOARD || proc == nullptr) return nullptr;
  g_hook = proc;
  return kHookHandle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  if (hook != kHookHandle || g_hook == nullptr) return FALSE;
  g_hook = nullptr;
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) { return 0; }

HIMC ImmGetContext(HWND hWnd) {
  return Dialog(hWnd) != nullptr ? reinterpret_cast<HIMC>(hWnd) : nullptr;
}

LONG ImmGetCompositionStringA(HIMC context, DWORD index, void* buffer, DWORD size) {
  const cHostWindow* dialog = Dialog(reinterpret_cast<HWND>(context));
  if (dialog == nullptr || index != GCS_COMPSTR) return 0;
  const DWORD n = static_cast<DWORD>(dialog->composition.size());
  if (buffer != nullptr && size > 0) std::copy_n(dialog->composition.data(), std::min(n, size), static_cast<char*>(buffer));
  return static_cast<LONG>(n);
}

BOOL ImmReleaseContext(HWND, HIMC) { return TRUE; }
