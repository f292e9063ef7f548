#include "app/ui/edit_control.h"

#include "platform/key_state.h"
#include "platform/virtual_keys.h"

void cEdit::Attach(cDialog* dialog, const cEditBind& bind) {
  cControl::Attach(dialog, static_cast<WORD>(bind.nId));
  m_pStr = bind.lpStr;
  m_Rules.SetLimits(bind.nMaxLength, bind.nLineWidth, bind.nLineCount, bind.bCharMode);
  m_bInChange = 1;
  Show(m_Rules.Bind(m_pStr != nullptr ? *m_pStr : std::string()));
  m_bInChange = 0;
}

void cEdit::UpdateControl() {
  if (m_pStr != nullptr) SetDlgItemStr(m_hDialog, m_nId, *m_pStr);
}

void cEdit::UpdateData() {
  if (m_pStr == nullptr || (m_pDialog != nullptr && m_pDialog->IsUpdating())) return;
  GetDlgItemStr(m_hDialog, m_nId, *m_pStr, m_Rules.ReadBufferSize());
}

void cEdit::OnChange() {
  // Writing the checked text back makes the control report another change: that one
  // ends here.
  if (m_bInChange) return;
  m_bInChange = 1;
  // The whole text: the rules make the read cut themselves, so that a character the cut
  // halves still counts against the width.
  std::string text;
  GetDlgItemStr(m_hDialog, m_nId, text, kEditReadBufferBytes);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool backspace = (GetAsyncKeyState(VK_BACK) & 0x8000) != 0;
  Show(m_Rules.Check(text, static_cast<int>(start), static_cast<int>(end), backspace));
  m_bInChange = 0;
}

void cEdit::Show(const cEditCheck& check) {
  SetDlgItemStr(m_hDialog, m_nId, check.strText);
  if (check.bSetSelection)
    SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(check.nSelStart), static_cast<LPARAM>(check.nSelEnd));
}
