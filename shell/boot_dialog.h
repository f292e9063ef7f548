#pragma once
// The start-up dialog: before the display starts, it lets the user pick Direct3D or
// DirectDraw and tick that the question is not asked again; the choice is kept in
// user_data\Boot.dat. It runs when System.ini's Direct3D asks for it (2 or more).
#include "app/ui/dialog.h"

class cWindowList;

// Control ids of the start-up dialog's resource.
enum BOOTDLGID : WORD {
  IDC_BOOT_START = 1000,
  IDC_BOOT_CANCEL = 1001,
  IDC_BOOT_DIRECT3D = 1002,
  IDC_BOOT_DIRECTDRAW = 1003,
  IDC_BOOT_NO_ASK = 1004,
  IDC_BOOT_NOTE = 1005,
  IDC_BOOT_GROUP = 1006,
};

// Bound to g_BootData. Start saves it and closes with 1, Cancel closes with 0.
class cBootDlg : public cDialog {
 public:
  cBootDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList);

  void OnInit(WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  cRadioButton m_Direct3D;
  cRadioButton m_DirectDraw;
  cCheckBox m_NoAsk;
  cStaticText m_Note;
};

// The start-up step of the dialog. With Direct3D below 2 in g_SystemIni nothing is asked.
// Otherwise Boot.dat is read into g_BootData (a missing or unusable file leaves the
// defaults) and, unless it says not to ask, the dialog runs over `parent` (the main
// window). Then g_SystemIni's Direct3D := 1 for the Direct3D drawing mode, else 0.
// 0 ends the start-up: Cancel, or a dialog that could not run (a report line says why;
// it is never taken as Start). 1 goes on.
int RunBootDialog(cWindow* parent, cWindowList* windowList);
