// The ranking-name dialog: the name it edits, its limit of three characters, and what OK
// and a close without OK leave behind.
#include "frontend/name_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/system_ini.h"
#include "app/ui/dialog_resources.h"
#include "data/option/option_data.h"
#include "platform/dialog_script.h"
#include "platform/win_window.h"
#include "shell/game_mgr.h"

namespace {

using A = DialogAction;

const DialogControlState* Control(const std::vector<DialogControlState>& controls, WORD id) {
  for (const DialogControlState& control : controls)
    if (control.nId == id) return &control;
  return nullptr;
}

TEST(NameDialog, EditsTheNameOfTheSceneThatAsksForItWithinThreeCharacters) {
  struct Case {
    const char* what;
    int titleSel;
    std::vector<DialogAction> actions;
    INT_PTR result;
    std::string stageName;   // the stage-play scene's name afterwards
    std::string optionName;  // the option's fixed ranking name afterwards
  } const cases[] = {
      {"a name typed", TITLEITEM_FREE, {A::SetText(IDC_NAME_EDIT, "xyz"), A::Click(IDC_NAME_OK)}, 1, "xyz", "opt"},
      // The edit is refused as it happens: the name shown before comes back.
      {"one letter too many", TITLEITEM_FREE, {A::SetText(IDC_NAME_EDIT, "abcd"), A::Click(IDC_NAME_OK)}, 1, "stg",
       "opt"},
      {"double-byte characters count as one", TITLEITEM_NEWGAME,
       {A::SetText(IDC_NAME_EDIT, "あいうえ"), A::Click(IDC_NAME_OK)}, 1, "あいう", "opt"},
      {"closed without OK", TITLEITEM_FREE, {A::SetText(IDC_NAME_EDIT, "xyz")}, 0, "stg", "opt"},
      {"the option scene's name", TITLEITEM_OPTION, {A::SetText(IDC_NAME_EDIT, "q"), A::Click(IDC_NAME_OK)}, 1, "stg",
       "q"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_GameMgr.m_nTitleSel = c.titleSel;
    StagePlayEntryName() = "stg";
    g_OptionData.m_strRankName = "opt";
    cDialogScript script;
    script.AddDialog(IDD_NAME, c.actions);
    cNameDlg dialog(IDD_NAME, nullptr, 1, nullptr);
    EXPECT_EQ(dialog.DoModal(0), c.result);
    EXPECT_EQ(StagePlayEntryName(), c.stageName);
    EXPECT_EQ(g_OptionData.m_strRankName, c.optionName);
    // The dialog opens on the bound name, all of it selected, so that typing replaces it.
    ASSERT_EQ(script.dialogs.size(), 1u);
    const DialogControlState* edit = Control(script.dialogs[0].atStart, IDC_NAME_EDIT);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text, c.titleSel == TITLEITEM_OPTION ? "opt" : "stg");
    EXPECT_EQ(edit->nSelStart, 0);
    EXPECT_EQ(edit->nSelEnd, 3);
  }
  g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
}

TEST(NameDialog, OpensAtItsCornerOfTheScreenWithThePointerOnIt) {
  struct Case {
    int bWindow;
    RECT main;
    POINT expect;
  } const cases[] = {
      {1, {100, 50, 740, 530}, {340, 270}},
      {0, {100, 50, 740, 530}, {240, 220}},  // full screen: the screen's corner
  };
  for (const Case& c : cases) {
    const POINT corner = NameDlgCorner(c.bWindow, c.main);
    EXPECT_EQ(corner.x, c.expect.x);
    EXPECT_EQ(corner.y, c.expect.y);
  }
  const POINT start{0, 0};
  OverrideCursorPos(&start);
  cDialogScript script;
  script.AddDialog(IDD_NAME, {A::Click(IDC_NAME_OK)});
  cNameDlg dialog(IDD_NAME, nullptr, 1, nullptr);
  POINT pointer{};
  GetCursorPos(&pointer);
  EXPECT_GE(pointer.x, 240 + 80);
  EXPECT_GE(pointer.y, 220 + 65);
  OverrideCursorPos(nullptr);
}

TEST(NameDialog, EnglishLabelReadsName) {
  for (const int english : {0, 1}) {
    g_SystemIni.m_bEnglish = english;
    cDialogScript script;
    script.AddDialog(IDD_NAME, {A::Click(IDC_NAME_OK)});
    cNameDlg dialog(IDD_NAME, nullptr, 1, nullptr);
    dialog.DoModal(0);
    ASSERT_EQ(script.dialogs.size(), 1u);
    const DialogControlState* label = Control(script.dialogs[0].atStart, IDC_NAME_LABEL);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, english != 0 ? "     Name" : "登録名(3文字まで)");
  }
  g_SystemIni.m_bEnglish = 0;
}

}  // namespace
