#include "app/ui/dialog.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/report_log.h"
#include "app/ui/dialog_resources.h"
#include "app/ui/window_list.h"
#include "platform/virtual_keys.h"

namespace {

// The dialogs running, innermost last: the host's procedure finds its object here.
std::vector<std::pair<HWND, cDialog*>> s_Running;
cDialog* s_pStarting = nullptr;

INT_PTR CALLBACK_DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  cDialog* dialog = nullptr;
  for (auto it = s_Running.rbegin(); it != s_Running.rend(); ++it)
    if (it->first == hwnd) dialog = it->second;
  if (dialog == nullptr && msg == WM_INITDIALOG && s_pStarting != nullptr) {
    dialog = s_pStarting;
    s_pStarting = nullptr;
    s_Running.emplace_back(hwnd, dialog);
  }
  if (dialog == nullptr) return 0;
  return dialog->WndProc(hwnd, msg, wParam, lParam);
}

void Forget(HWND hwnd) {
  std::erase_if(s_Running, [&](const auto& entry) { return entry.first == hwnd; });
}

// The process-wide state of the keyboard hook.
HHOOK s_hHook = nullptr;
int s_bCtrl = 0;

// The hook object of a running dialog's window (what the window's "cHook" property held):
// found through the window, so a dialog object that is gone is never reached.
cHook* HookOfWindow(HWND hwnd) {
  for (auto it = s_Running.rbegin(); it != s_Running.rend(); ++it)
    if (it->first == hwnd && it->second->m_Hook.m_hDialog == hwnd) return &it->second->m_Hook;
  return nullptr;
}

}  // namespace

// --- controls ---

void cControl::Attach(cDialog* dialog, WORD id) {
  m_pDialog = dialog;
  m_hDialog = dialog != nullptr ? dialog->m_hWnd : nullptr;
  m_nId = id;
  m_hWnd = GetDlgItem(m_hDialog, id);
  GetPos();
}

void cControl::GetPos() {
  RECT rect{}, dialog{};
  if (!GetWindowRect(m_hWnd, &rect)) return;
  m_ScreenPos = POINT{rect.left, rect.top};
  GetWindowRect(m_hDialog, &dialog);
  const int left = m_pDialog != nullptr ? m_pDialog->m_nFrameLeft : 0;
  const int top = m_pDialog != nullptr ? m_pDialog->m_nFrameTop : 0;
  m_ClientPos = POINT{rect.left - left - dialog.left, rect.top - top - dialog.top};
}

void cControl::SetSize(int cx, int cy) {
  if (m_hWnd == nullptr) return;
  GetPos();
  SetWindowPos(m_hWnd, nullptr, m_ClientPos.x, m_ClientPos.y, cx, cy, SWP_NOZORDER);
}

void cControl::SetText(const char* text) { SetWindowTextA(m_hWnd, text); }

void cControl::AddStyle(DWORD bits) {
  SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) | bits));
}

void cControl::RemoveStyle(DWORD bits) {
  SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & ~bits));
}

void cControl::Enable(int bEnable) { EnableWindow(m_hWnd, bEnable); }

void cCheckBox::UpdateControl() {
  if (m_pValue != nullptr) SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(*m_pValue), 0);
}

void cCheckBox::UpdateData() {
  if (m_pValue == nullptr || (m_pDialog != nullptr && m_pDialog->IsUpdating())) return;
  *m_pValue = static_cast<int>(SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void cRadioButton::UpdateControl() {
  if (m_pValue != nullptr) SendMessageA(m_hWnd, BM_SETCHECK, *m_pValue == m_nButtonValue ? 1 : 0, 0);
}

void cRadioButton::UpdateData() {
  if (m_pValue == nullptr || (m_pDialog != nullptr && m_pDialog->IsUpdating())) return;
  // An unchecked button leaves the value to the checked one of its group.
  if (SendMessageA(m_hWnd, BM_GETCHECK, 0, 0) != 0) *m_pValue = m_nButtonValue;
}

void cScrollBar::Create(cDialog* dialog, const SCROLLBARDATA& record) {
  Attach(dialog, record.nId);
  m_phTarget = record.phTarget;
  m_nBar = record.nBar;
  m_nMin = record.nMin;
  m_nMax = record.nMax;
  m_nPage = record.nPage;
  m_bRedraw = record.bRedraw;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = m_nMin;
  info.nMax = m_nMax;
  info.nPage = static_cast<UINT>(std::max(m_nPage, 0));
  SetScrollInfo(BarWindow(), BarKind(), &info, m_bRedraw);
  if (m_hWnd == nullptr) return;
  SetPropA(m_hWnd, "CTRL_SCROLL_CLASS", this);
  m_pPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&cScrollBar::SubclassProc)));
}

LRESULT cScrollBar::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* bar = static_cast<cScrollBar*>(GetPropA(hwnd, "CTRL_SCROLL_CLASS"));
  if (bar == nullptr || bar->m_pPrevProc == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const WNDPROC previous = bar->m_pPrevProc;
  switch (msg) {
    case WM_RBUTTONUP:
      // No context menu on the bar.
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      RemovePropA(hwnd, "CTRL_SCROLL_CLASS");
      bar->m_pPrevProc = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

// --- the hook ---

int cHook::KeyboardHook(HWND dialog, int modeless) {
  m_hDialog = dialog;
  m_bModeless = modeless;
  if (s_hHook == nullptr) s_hHook = SetWindowsHookExA(WH_KEYBOARD, &cHook::HookProc, nullptr, GetCurrentThreadId());
  return s_hHook != nullptr ? 1 : 0;
}

void cHook::Unhook() {
  if (s_hHook != nullptr) UnhookWindowsHookEx(s_hHook);
  s_hHook = nullptr;
}

int cHook::IsDialogKey(int vk) {
  switch (vk) {
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
      return 1;
    default:
      return vk >= VK_F1 && vk <= VK_F1 + 7 ? 1 : 0;
  }
}

int cHook::CtrlLatch() { return s_bCtrl; }

LRESULT cHook::HookProc(int code, WPARAM vkParam, LPARAM lParam) {
  cHook* hook = HookOfWindow(GetActiveDialog());
  if (code >= 0 && code != HC_NOREMOVE && hook != nullptr) {
    const int vk = static_cast<int>(vkParam);
    const HWND dialog = hook->m_hDialog;
    const HIMC context = ImmGetContext(dialog);
    if (context == nullptr) DebugMesBox("Err ImmGetContext");
    const bool composing = context != nullptr && ImmGetCompositionStringA(context, GCS_COMPSTR, nullptr, 0) != 0;
    const bool blocked = hook->m_bModeless && s_bCtrl;
    if ((static_cast<std::uint32_t>(lParam) & 0x80000000u) != 0) {
      if (vk == VK_CONTROL) s_bCtrl = 0;
      if (!(hook->m_bModeless && s_bCtrl)) PostMessageA(dialog, WM_KEYUP, vkParam, lParam);
    } else if (vk == VK_RETURN && composing) {
      // The input method takes Enter to commit its composition.
    } else if (vk == VK_TAB) {
      // Tab only moves the focus.
    } else if (!composing && IsDialogKey(vk)) {
      PostMessageA(dialog, WM_DLG_KEY, vkParam, lParam);
    } else {
      if (vk == VK_CONTROL) s_bCtrl = 1;
      if (!blocked && !(hook->m_bModeless && s_bCtrl)) PostMessageA(dialog, WM_KEYDOWN, vkParam, lParam);
    }
    if (context != nullptr) ImmReleaseContext(dialog, context);
  }
  return CallNextHookEx(s_hHook, code, vkParam, lParam);
}

// --- the dialog ---

cDialog::cDialog() { m_bDialog = 1; }

cDialog::~cDialog() {
  if (m_bModeless && m_hWnd != nullptr) {
    Close(0);
    if (m_pWindowList == nullptr || !m_pWindowList->RemoveWindow(this)) ErrMesBoxf("ウインドウの破棄に失敗！");
  }
  m_Controls.clear();
}

void cDialog::Setup(WORD id, cWindow* owner, int dialogFlag, cWindowList* windowList) {
  m_bDialog = dialogFlag;
  m_bCreated = 0;
  m_bModeless = 0;
  m_nModalFlags = 0;
  m_bUpdating = 0;
  SetParentWnd(id, owner, windowList);
}

void cDialog::SetParentWnd(WORD id, cWindow* owner, cWindowList* windowList) {
  const HWND parent = owner != nullptr ? owner->m_hWnd : nullptr;
  m_pOwnerWnd = owner;
  m_pPrevProc = nullptr;
  SetCreateParams(id, parent, windowList);
}

INT_PTR cDialog::DoModal(int flags) {
  if (m_hWnd != nullptr) return 0;
  Close(0);
  m_bModeless = 0;
  m_nModalFlags = flags;
  if (m_pWindowList != nullptr) {
    if (flags & 2) m_pWindowList->ShowWindows(0);
    if (flags & 4) m_pWindowList->EnableWindows(0);
  }
  // The parent may have been made since Setup.
  if (m_pOwnerWnd != nullptr) m_hParent = m_pOwnerWnd->m_hWnd;
  INT_PTR result = -1;
  const DialogTemplate* resource = FindDialogResource(m_nId);
  if (resource == nullptr) {
    WriteReport("ダイアログ %u がありません", static_cast<unsigned>(m_nId));
  } else {
    s_pStarting = this;
    result = DialogBoxIndirectParamA(m_hInstance, resource, m_hParent, &CALLBACK_DialogProc, 0);
    s_pStarting = nullptr;
    // Not a choice of the user: the dialog could not be shown at all.
    if (result == -1)
      WriteReport("ダイアログ %u を表示できません: %s", static_cast<unsigned>(m_nId), DialogHostError().c_str());
  }
  m_hWnd = nullptr;
  // The saved procedure was that of the window just gone; the next run subclasses its own.
  m_pPrevProc = nullptr;
  if (m_pWindowList != nullptr) {
    if (flags & 2) m_pWindowList->ShowWindows(1);
    if (flags & 4) m_pWindowList->EnableWindows(1);
  }
  return result;
}

int cDialog::Close(int result) {
  m_nResult = result;
  m_Controls.clear();
  if (m_hWnd == nullptr) return 0;
  if (m_bModeless) DestroyWindow(m_hWnd);
  else EndDialog(m_hWnd, result);
  return 1;
}

int cDialog::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int result = DispatchMsg(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY: return 1;
    case WM_CLOSE: Close(0); return 1;
    default: return result != 0 ? 1 : 0;
  }
}

void cDialog::UpdateControls() {
  m_bUpdating = 1;
  for (cControl* control : m_Controls) control->UpdateControl();
  m_bUpdating = 0;
}

void cDialog::UpdateData() {
  for (cControl* control : m_Controls) control->UpdateData();
}

void cDialog::RefreshLists() {
  for (cControl* control : m_Controls)
    if (control->m_nKind == kCtrlList8) control->Refresh();
}

void cDialog::OnDestroy() {
  if (m_pWindowList == nullptr) return;
  if (m_nModalFlags & 2) m_pWindowList->ShowWindows(1);
  if (m_nModalFlags & 4) m_pWindowList->EnableWindows(1);
}

void cDialog::OnInitDialog(WPARAM, LPARAM) {
  m_Controls.clear();
  if (m_bModeless && m_pWindowList != nullptr) m_pWindowList->m_Windows.push_back(this);
  if (m_pPrevProc == nullptr) {
    SetPropA(m_hWnd, "DLG_CLASS", this);
    m_pPrevProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&cDialog::SubclassProc)));
  }
  UpdateStyle();
  CreateOwnScrollBars();
  Relocate();
  if (!m_Hook.KeyboardHook(m_hWnd, m_bModeless)) ErrMesBoxf("KeyboardHookに失敗!");
  UpdateMouse(0, 7);
  if (m_CreateSize.right != 0 || m_CreateSize.bottom != 0) SetClientSize(m_CreateSize.right, m_CreateSize.bottom);
}

LRESULT cDialog::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto* dialog = static_cast<cDialog*>(GetPropA(hwnd, "DLG_CLASS"));
  if (dialog == nullptr || dialog->m_pPrevProc == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return CallWindowProcA(dialog->m_pPrevProc, hwnd, msg, wParam, lParam);
}

void cDialog::CreateOwnScrollBars() {
  // Handles of an earlier run name windows that are gone.
  m_HScroll.m_hWnd = m_VScroll.m_hWnd = nullptr;
  const auto make = [this](cScrollBar& bar, SCROLLBARDATA& record, WORD id, DWORD style) {
    record.nId = id;
    record.phTarget = nullptr;
    record.nBar = SB_CTL;
    CreateDialogControl(m_hWnd, id, eDialogItemKind::kScrollBar, WS_CHILD | WS_VISIBLE | style, RECT{});
    bar.Create(this, record);
    m_Controls.push_back(&bar);
  };
  if ((m_nScroll & 1) != 0) make(m_HScroll, m_HScrollData, kDialogHScrollId, SBS_HORZ);
  if ((m_nScroll & 2) != 0) make(m_VScroll, m_VScrollData, kDialogVScrollId, SBS_VERT);
  PlaceScrollBars();
  SCROLLINFO start{};
  start.cbSize = sizeof start;
  start.fMask = SIF_POS;
  for (const cScrollBar* bar : {&m_HScroll, &m_VScroll})
    if (bar->m_hWnd != nullptr) SetScrollInfo(bar->m_hWnd, SB_CTL, &start, TRUE);
}

// The horizontal bar right below the drawing area and as wide; the vertical one right of
// it and as high.
void cDialog::PlaceScrollBars() {
  if (m_HScroll.m_hWnd != nullptr)
    SetWindowPos(m_HScroll.m_hWnd, nullptr, m_nDrawX, m_nDrawY + m_nDrawH, m_nDrawW, GetSystemMetrics(SM_CYHSCROLL),
                 SWP_NOZORDER);
  if (m_VScroll.m_hWnd != nullptr)
    SetWindowPos(m_VScroll.m_hWnd, nullptr, m_nDrawX + m_nDrawW, m_nDrawY, GetSystemMetrics(SM_CXVSCROLL), m_nDrawH,
                 SWP_NOZORDER);
}

void cDialog::OnCommand(WPARAM wParam, LPARAM) {
  const WORD id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  for (cControl* control : m_Controls) {
    if (control->m_nId != id) continue;
    const int kind = control->m_nKind;
    if (kind == kCtrlEditPlain || kind == kCtrlEdit) {
      if (code == EN_UPDATE) { control->OnChange(); break; }
      if (code == EN_KILLFOCUS) { control->OnKillFocus(); break; }
    } else if (kind == kCtrlList7) {
      if (code == 1) { control->OnChange(); break; }
    } else if (kind == kCtrlList8) {
      if (code == 1) { control->OnChange(); break; }
      if (code == 5) { control->OnKillFocus(); break; }
    }
  }
  for (cControl* control : m_Controls)
    if (control->m_nKind == kCtrlList8) {
      SendMessageA(control->m_hWnd, WM_SETREDRAW, 0, 0);
      control->AfterCommand();
    }
}

void cDialog::ScrollOwnBar(UINT msg, WPARAM wParam, LPARAM lParam) {
  const cScrollBar& bar = msg == WM_HSCROLL ? m_HScroll : m_VScroll;
  if (bar.m_hWnd == nullptr || reinterpret_cast<HWND>(lParam) != bar.m_hWnd) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(bar.m_hWnd, SB_CTL, &info)) return;
  const int before = info.nPos;
  // Widened: a position near the ends of int plus a page must not overflow.
  long long pos = before;
  const long long page = info.nPage;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK: pos = info.nTrackPos = HIWORD(wParam); break;
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: break;
  }
  info.fMask = SIF_POS;
  info.nPos = static_cast<int>(std::clamp<long long>(pos, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  SetScrollInfo(bar.m_hWnd, SB_CTL, &info, TRUE);
  GetScrollInfo(bar.m_hWnd, SB_CTL, &info);
  if (info.nPos != before) OnPaint();
}

int cDialog::DispatchMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int result = cWindow::DispatchMsg(hwnd, msg, wParam, lParam);
  // The keyboard belongs to the drawing area: a bar that took the focus hands it on.
  if (m_bCreated && m_Canvas.m_hWnd != nullptr) {
    const HWND focus = GetFocus();
    if (focus != nullptr && (focus == m_HScroll.m_hWnd || focus == m_VScroll.m_hWnd)) SetFocus(m_Canvas.m_hWnd);
  }
  switch (msg) {
    case WM_SIZE:
      PlaceScrollBars();
      break;
    case WM_DESTROY:
      OnDestroy();
      Forget(hwnd);
      break;
    case WM_INITDIALOG:
      OnInit(wParam, lParam);
      break;
    case WM_NOTIFY:
      for (cControl* control : m_Controls)
        if (control->OnNotify(wParam, lParam)) break;
      break;
    case WM_KEYDOWN: {
      // The navigation keys scroll the dialog's own bars; a bar without a window (the
      // dialog did not ask for it) is skipped, so no request reaches a bar never set up.
      UINT scroll = 0;
      WORD request = 0;
      switch (static_cast<int>(wParam)) {
        case VK_PRIOR: scroll = WM_VSCROLL; request = SB_PAGEUP; break;
        case VK_NEXT: scroll = WM_VSCROLL; request = SB_PAGEDOWN; break;
        case VK_END: scroll = WM_HSCROLL; request = SB_PAGERIGHT; break;
        case VK_HOME: scroll = WM_HSCROLL; request = SB_PAGELEFT; break;
        case VK_LEFT: scroll = WM_HSCROLL; request = SB_LINELEFT; break;
        case VK_UP: scroll = WM_VSCROLL; request = SB_LINEUP; break;
        case VK_RIGHT: scroll = WM_HSCROLL; request = SB_LINERIGHT; break;
        case VK_DOWN: scroll = WM_VSCROLL; request = SB_LINEDOWN; break;
        default: break;
      }
      if (scroll != 0) {
        const HWND bar = scroll == WM_HSCROLL ? m_HScroll.m_hWnd : m_VScroll.m_hWnd;
        if (bar != nullptr) PostMessageA(m_hWnd, scroll, request, reinterpret_cast<LPARAM>(bar));
      }
      if (!m_bModeless)
        for (cControl* control : m_Controls) control->OnKeyDown(static_cast<int>(wParam), lParam, cHook::CtrlLatch());
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      ScrollOwnBar(msg, wParam, lParam);
      for (cControl* control : m_Controls)
        if (control->OnScroll(wParam, lParam)) break;
      break;
    case WM_DLG_KEY:
      SendMessageA(m_hWnd, WM_KEYDOWN, wParam, lParam);
      break;
    default:
      break;
  }
  return result;
}

int IsCommandEnabled(WPARAM) { return 1; }

void GetDlgItemStr(HWND dialog, int id, std::string& string, int count) {
  // The read buffer holds 5120 bytes; a larger count would write past it.
  constexpr int kBuffer = 5120;
  char buffer[kBuffer];
  const int size = std::clamp(count, 1, kBuffer);
  const UINT copied = GetDlgItemTextA(dialog, id, buffer, size);
  const int full = GetWindowTextLengthA(GetDlgItem(dialog, id));
  if (static_cast<int>(copied) < full)
    WriteReport("コントロール %d の文字列を %u バイトに切り詰めました (%d バイト)", id, copied, full);
  string.assign(buffer, copied);
}

void SetDlgItemStr(HWND dialog, int id, const std::string& string) { SetDlgItemTextA(dialog, id, string.c_str()); }

void ReportMissingControl(UINT id) {
  DebugMesBox("コントロールID 【%u】 が見つかりません！", id);
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}
