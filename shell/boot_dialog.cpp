#include "shell/boot_dialog.h"

#include <memory>
#include <new>

#include "app/message_boxes.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/ui/dialog_resources.h"
#include "data/boot/boot_data.h"
#include "data/record/data_record.h"
#include "data/system/system_data.h"

namespace {

// Where the dialog opens relative to the main window's top-left corner, and where the
// mouse is put from the dialog's corner: onto the Start button.
constexpr int kBootDlgOffsetX = 320 - 187;
constexpr int kBootDlgOffsetY = 240 - 136;
constexpr double kStartButtonX = 181.9;
constexpr double kStartButtonY = 198.9;

}  // namespace

cBootDlg::cBootDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList) {
  Setup(resourceId, parent, dialogFlag, windowList);
}

void cBootDlg::OnInit(WPARAM wParam, LPARAM lParam) {
  OnInitDialog(wParam, lParam);
  SetWindowTextA(m_hWnd, g_SystemData.m_strTitle.c_str());
  m_Direct3D.Bind(&g_BootData.m_nDrawMode, BOOTDRAW_DIRECT3D);
  m_DirectDraw.Bind(&g_BootData.m_nDrawMode, BOOTDRAW_DIRECTDRAW);
  m_NoAsk.Bind(&g_BootData.m_bNoAsk);
  m_Direct3D.Attach(this, IDC_BOOT_DIRECT3D);
  m_DirectDraw.Attach(this, IDC_BOOT_DIRECTDRAW);
  m_NoAsk.Attach(this, IDC_BOOT_NO_ASK);
  m_Note.Attach(this, IDC_BOOT_NOTE);
  m_Controls = {&m_Direct3D, &m_DirectDraw, &m_NoAsk, &m_Note};
  UpdateControls();
  if (g_SystemIni.m_bEnglish) {
    SetDlgItemTextA(m_hWnd, IDC_BOOT_GROUP, "Drawing mode");
    SetDlgItemTextA(m_hWnd, IDC_BOOT_START, "Start");
    SetDlgItemTextA(m_hWnd, IDC_BOOT_CANCEL, "Cancel");
    m_Note.SetText("Configure the detail settings at \"System.ini\".");
    m_NoAsk.SetText("Do not ask this dialog again");
  }
  SetCreated(1);
}

void cBootDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!IsCommandEnabled(wParam)) return;
  switch (LOWORD(wParam)) {
    case IDC_BOOT_START:
      UpdateData();
      // A choice that cannot be kept still holds for this run; the write reports why.
      g_BootData.SaveToFile(kBootFilePath);
      Close(1);
      break;
    case IDC_BOOT_CANCEL:
      Close(0);
      break;
    default:
      cDialog::OnCommand(wParam, lParam);
      break;
  }
}

int RunBootDialog(cWindow* parent, cWindowList* windowList) {
  if (g_SystemIni.m_nDirect3D < 2) return 1;
  if (!g_BootData.LoadFromFile(kBootFilePath) && g_bFileTooNew)
    WriteReport("%s : ソフトより上位のバージョンのファイルのため使いません", kBootFilePath);
  if (!g_BootData.m_bNoAsk) {
    std::unique_ptr<cBootDlg> dialog(new (std::nothrow) cBootDlg(IDD_BOOT, parent, 1, windowList));
    if (!dialog) {
      MemErrMesBox();
      return 0;
    }
    POINT corner{};
    if (parent != nullptr) parent->GetPos(corner);
    corner.x += kBootDlgOffsetX;
    corner.y += kBootDlgOffsetY;
    dialog->SetStoredPos(corner.x, corner.y);
    SetCursorPos(static_cast<int>(corner.x + kStartButtonX), static_cast<int>(corner.y + kStartButtonY));
    const INT_PTR result = dialog->DoModal(0);
    if (result != 1) {
      // Only Start goes on; a dialog that could not run has said why in its own line.
      if (result != 0) WriteReport("起動ダイアログを表示できないため終了します");
      return 0;
    }
  }
  g_SystemIni.m_nDirect3D = g_BootData.m_nDrawMode == BOOTDRAW_DIRECT3D ? 1 : 0;
  return 1;
}
