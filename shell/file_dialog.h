#pragma once
// The stage and replay file dialog: a dialog that never shows itself; it opens the open
// or save file box, hands the chosen path to its caller and closes with the result.
#include <string>

#include "app/ui/dialog.h"

class cWindowList;

enum FILEDLGMODE {
  FILEDLG_LOAD_STAGE = 0,   // a stage file, or a replay (which begins with its stage)
  FILEDLG_LOAD_REPLAY = 1,
  FILEDLG_SAVE_REPLAY = 2,  // `result` holds the proposed name on entry
};

// DoModal gives 1 when a file was chosen (its program path then in `result`), 0 when the
// box was cancelled; -1 means the dialog could not run at all and is no choice either.
class cFileDlg : public cDialog {
 public:
  cFileDlg(WORD resourceId, cWindow* parent, int dialogFlag, cWindowList* windowList, std::string* result, int mode);

  void OnInit(WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  std::string* m_pResult;
  int m_nMode;
};
