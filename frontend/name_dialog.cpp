#include "frontend/name_dialog.h"

#include <climits>
#include <new>

#include "app/main_window_handle.h"
#include "app/system_ini.h"
#include "app/ui/dialog_resources.h"
#include "data/option/option_data.h"
#include "media/draw/display_state.h"
#include "platform/dialog_host.h"
#include "platform/win_window.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"

namespace {

constexpr POINT kCornerOnScreen = {240, 220};
constexpr POINT kPointerInDialog = {80, 65};

}  // namespace

POINT NameDlgCorner(int bWindow, const RECT& mainWindow) {
  if (bWindow == 0) return kCornerOnScreen;
  return POINT{mainWindow.left + kCornerOnScreen.x, mainWindow.top + kCornerOnScreen.y};
}

std::string& StagePlayEntryName() {
  if (cSceneGame* scene = GameScene(); scene != nullptr) return scene->m_strEntryName;
  // Without a play scene nothing registers a ranking; the dialog edits a scratch name.
  static std::string name;
  return name;
}

cNameDlg::cNameDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList)
    : m_pName(g_GameMgr.m_nTitleSel == TITLEITEM_OPTION ? &g_OptionData.m_strRankName : &StagePlayEntryName()) {
  Setup(resourceId, parent, dialogFlag, windowList);
  RECT mainWindow{};
  if (g_bWindow != 0) GetWindowRect(g_hWnd, &mainWindow);
  m_ptCorner = NameDlgCorner(g_bWindow, mainWindow);
  SetCursorPos(m_ptCorner.x + kPointerInDialog.x, m_ptCorner.y + kPointerInDialog.y);
}

void cNameDlg::OnInit(WPARAM wParam, LPARAM lParam) {
  OnInitDialog(wParam, lParam);
  SetWindowPos(m_hWnd, nullptr, m_ptCorner.x, m_ptCorner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (g_SystemIni.m_bEnglish != 0) SetDlgItemTextA(m_hWnd, IDC_NAME_LABEL, "     Name");
  cEditBind bind;
  bind.Set(IDC_NAME_EDIT, m_pName, kRankNameChars, 1);
  m_Edit.Attach(this, bind);
  m_Controls = {&m_Edit};
  UpdateControls();
  // Typing replaces the name shown.
  SetFocus(m_Edit.m_hWnd);
  SendMessageA(m_Edit.m_hWnd, EM_SETSEL, 0, INT_MAX);
  SetCreated(1);
}

void cNameDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!IsCommandEnabled(wParam)) return;
  switch (LOWORD(wParam)) {
    case IDC_NAME_OK:
      UpdateData();
      Close(1);
      break;
    case IDC_NAME_CANCEL:
      Close(0);
      break;
    default:
      cDialog::OnCommand(wParam, lParam);
      break;
  }
}

cDialog* CreateNameDlg(cWindow* parent, cWindowList* windowList) {
  return new (std::nothrow) cNameDlg(IDD_NAME, parent, 1, windowList);
}
