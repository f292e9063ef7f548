#pragma once
// The ranking-name dialog: one line of at most three characters (a double-byte character
// counts as one). The main window runs it when stage play registers a ranking entry and
// when the option scene edits the fixed ranking name; OK keeps the typed name in the text
// the dialog is bound to, closing the dialog any other way keeps the text as it was.
#include <string>

#include "app/ui/dialog.h"
#include "app/ui/edit_control.h"

class cWindowList;

// Control ids of the dialog's resource.
enum NAMEDLGID : WORD {
  IDC_NAME_OK = 1000,
  IDC_NAME_CANCEL = 1001,
  IDC_NAME_EDIT = 1003,
  IDC_NAME_LABEL = 1007,
};

// The longest name, in characters.
constexpr int kRankNameChars = 3;

// The registration name of the stage-play scene, which the dialog edits outside the
// option scene.
std::string& StagePlayEntryName();

class cNameDlg : public cDialog {
 public:
  // Binds the option's fixed ranking name while the option scene is the title's choice,
  // else the stage-play scene's registration name. The dialog opens at (240, 220) of the
  // game's screen (of the main window's rectangle in a window, of the screen in full
  // screen), with the mouse pointer moved onto it.
  cNameDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList);

  void OnInit(WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  std::string* m_pName;
  cEdit m_Edit;
  POINT m_ptCorner{};  // the dialog's top-left corner, screen coordinates
};

// Where the name dialog's top-left corner goes: (240, 220) from the main window's
// top-left corner in a window, from the screen's in full screen.
POINT NameDlgCorner(int bWindow, const RECT& mainWindow);

// The main window's name dialog: resource 102, dialog flag 1; null when memory runs out.
cDialog* CreateNameDlg(cWindow* parent, cWindowList* windowList);
