#pragma once
// The dialogs' text control bound to one of the program's strings, kept within the line
// and length rules of edit_line_rules.h while the user types. The bound string changes
// only in UpdateData; every edit is checked as it happens (EN_UPDATE) and the control is
// given back the text the rules allow.
#include <string>

#include "app/ui/dialog.h"
#include "app/ui/edit_line_rules.h"

class cEdit : public cControl {
 public:
  cEdit() : cControl(kCtrlEdit) {}

  // Attaches to the bind's control, takes its limits (zeros: the defaults), shows the
  // bound string, cut to the limits when it is too long for them.
  void Attach(cDialog* dialog, const cEditBind& bind);

  // Shows the bound string.
  void UpdateControl() override;
  // Reads the control into the bound string (unless the dialog is pushing values into its
  // controls), with the read buffer of the limits.
  void UpdateData() override;
  // The check after each edit: wrap, refuse or undo as the rules say.
  void OnChange() override;

  const cEditLineRules& Rules() const { return m_Rules; }

 private:
  // Writes the outcome of a check into the control.
  void Show(const cEditCheck& check);

  std::string* m_pStr = nullptr;
  cEditLineRules m_Rules;
};
