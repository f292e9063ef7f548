#include "app/ui/window_list.h"

#include <algorithm>

#include "app/ui/dialog.h"
#include "app/ui/window.h"

cWindowList g_WindowList;

void cWindowList::ShowWindows(int bShow) {
  for (cWindow* window : m_Windows) ShowWindow(window->m_hWnd, bShow ? SW_SHOW : SW_HIDE);
  for (cControl* control : m_Controls)
    if (control->m_hWnd != nullptr) ShowWindow(control->m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}

void cWindowList::EnableWindows(int bEnable) {
  // The style bit itself changes: what the windows had before comes back unchanged.
  for (cWindow* window : m_Windows) {
    if (bEnable) window->RemoveStyle(WS_DISABLED);
    else window->AddStyle(WS_DISABLED);
  }
  for (cControl* control : m_Controls) {
    if (control->m_hWnd == nullptr) continue;
    if (bEnable) control->RemoveStyle(WS_DISABLED);
    else control->AddStyle(WS_DISABLED);
  }
}

int cWindowList::RemoveWindow(cWindow* window) {
  const auto it = std::find(m_Windows.begin(), m_Windows.end(), window);
  if (it == m_Windows.end()) return 0;
  m_Windows.erase(it);
  return 1;
}
