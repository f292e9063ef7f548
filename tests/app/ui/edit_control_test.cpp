// The edit control in a dialog run by the host under a script: the rules reach the text
// the user sees as each edit happens, and the bound string only when the dialog accepts.
#include "app/ui/edit_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialog_script.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr WORD kResource = 9102;
constexpr WORD kNameId = 1000;

// A name-entry shaped dialog: one edit control and OK.
constexpr DialogItemTemplate kItems[] = {
    {kNameId, eDialogItemKind::kEdit, "", 10, 10, 60, 12, 0},
    {IDOK, eDialogItemKind::kDefPushButton, "OK", 10, 30, 40, 14, 0},
};
constexpr DialogTemplate kTemplate = {kResource, "name", 80, 50, true, kItems, 2};

class cNameDialog : public cDialog {
 public:
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    cEditBind bind;
    bind.Set(kNameId, &name, 3, 1);
    m_Name.Attach(this, bind);
    m_Controls = {&m_Name};
    SetCreated(1);
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (!IsCommandEnabled(wParam)) return;
    cDialog::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == IDOK) {
      UpdateData();
      Close(1);
    }
  }
  std::string name;
  cEdit m_Name;
};

cNameDialog* g_pDialog = nullptr;

INT_PTR NameDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_pDialog->WndProc(hwnd, msg, wParam, lParam);
}

using A = DialogAction;

class EditControlTest : public cTempDirTest {
 protected:
  void TearDown() override {
    cHook::Unhook();
    cTempDirTest::TearDown();
  }
  cDialogScript script;
};

TEST_F(EditControlTest, TypedTextIsKeptToOneLineOfThreeCharacters) {
  struct Case {
    const char* name;
    std::string bound;
    std::vector<DialogAction> actions;
    std::string opened;  // the control when the dialog opened
    std::string shown;   // the control at the end
    int caret;
    INT_PTR result;
    std::string after;   // the bound string afterwards
  } const cases[] = {
      {"bound name cut when shown", "abcde", {A::Click(IDOK)}, "abc", "abc", 0, 1, "abc"},
      {"fourth character refused", "abc", {A::SetText(kNameId, "abcd"), A::Click(IDOK)}, "abc", "abc", 3, 1, "abc"},
      {"three double-byte characters", "", {A::SetText(kNameId, "あいう"), A::Click(IDOK)}, "", "あいう", 6, 1,
       "あいう"},
      {"a second line refused", "ab", {A::SetText(kNameId, "ab\r\nc"), A::Click(IDOK)}, "ab", "ab", 2, 1, "ab"},
      {"cancel leaves the bound string", "ab", {A::SetText(kNameId, "x"), A::Close()}, "ab", "x", 1, 0, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cNameDialog dialog;
    dialog.name = c.bound;
    g_pDialog = &dialog;
    script.AddDialog(kResource, c.actions);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &kTemplate, nullptr, &NameDialogProc, 0), c.result);
    EXPECT_EQ(dialog.name, c.after);
    ASSERT_FALSE(script.dialogs.empty());
    const ShownDialog& shown = script.dialogs.back();
    ASSERT_EQ(shown.atStart.size(), 2u);
    EXPECT_EQ(shown.atStart[0].text, c.opened);
    EXPECT_EQ(shown.atEnd[0].text, c.shown);
    EXPECT_EQ(shown.atEnd[0].nSelStart, c.caret);
    EXPECT_EQ(shown.atEnd[0].nSelEnd, c.caret);
  }
  g_pDialog = nullptr;
}

}  // namespace
