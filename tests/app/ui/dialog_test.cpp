#include "app/ui/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/report_log.h"
#include "app/ui/dialog_resources.h"
#include "platform/dialog_script.h"
#include "platform/virtual_keys.h"
#include "tests/support/temp_dir.h"

namespace {

// A dialog shaped like the start-up one: two radio buttons on one value, a check box,
// start and cancel. It counts the keys its controls see.
class cKeyCounter : public cStaticText {
 public:
  void OnKeyDown(int vk, LPARAM, int) override { keys.push_back(vk); }
  int OnScroll(WPARAM, LPARAM) override { return ++scrolls, 0; }
  std::vector<int> keys;
  int scrolls = 0;
};

class cTestDialog : public cDialog {
 public:
  cTestDialog() {
    Setup(IDD_BOOT, nullptr, 1, nullptr);
    SetFrame(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    m_Direct3D.Bind(&mode, 1);
    m_DirectDraw.Bind(&mode, 0);
    m_Check.Bind(&dontAsk);
    m_Direct3D.Attach(this, 1002);
    m_DirectDraw.Attach(this, 1003);
    m_Check.Attach(this, 1004);
    m_Keys.Attach(this, 1005);
    m_Controls = {&m_Direct3D, &m_DirectDraw, &m_Check, &m_Keys};
    UpdateControls();
    SetWindowTextA(m_hWnd, "caption");
    SetCreated(1);
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (!IsCommandEnabled(wParam)) return;
    cDialog::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == 1000) {
      UpdateData();
      Close(1);
    } else if (LOWORD(wParam) == 1001) {
      Close(0);
    }
  }
  int mode = 1;
  int dontAsk = 0;
  cRadioButton m_Direct3D, m_DirectDraw;
  cCheckBox m_Check;
  cKeyCounter m_Keys;
};

using A = DialogAction;

class DialogTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
  }
  void TearDown() override {
    cHook::Unhook();
    cTempDirTest::TearDown();
  }
  cDialogScript script;
};

TEST_F(DialogTest, ControlsShowTheBoundValuesAndAcceptReadsThemBack) {
  struct Case {
    const char* name;
    std::vector<DialogAction> actions;
    INT_PTR result;
    int mode;
    int dontAsk;
  } cases[] = {
      {"start as it is", {A::Click(1000)}, 1, 1, 0},
      {"other mode and do not ask", {A::Click(1003), A::Click(1004), A::Click(1000)}, 1, 0, 1},
      {"changes then cancel keep the values", {A::Click(1003), A::Click(1001)}, 0, 1, 0},
      {"close request is a cancel", {A::Click(1004), A::Close()}, 0, 1, 0},
      {"Enter presses the default button", {A::Click(1003), A::Key(VK_RETURN)}, 1, 0, 0},
      {"Enter during a composition does not", {A::Compose("\x82\xA0"), A::Key(VK_RETURN), A::Close()}, 0, 1, 0},
      {"Enter after the composition ends does",
       {A::Compose("\x82\xA0"), A::Key(VK_RETURN), A::Compose(""), A::Key(VK_RETURN)}, 1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cTestDialog dialog;
    script.AddDialog(IDD_BOOT, c.actions);
    EXPECT_EQ(dialog.DoModal(0), c.result);
    EXPECT_EQ(dialog.mode, c.mode);
    EXPECT_EQ(dialog.dontAsk, c.dontAsk);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
  }
  ASSERT_EQ(script.dialogs.size(), std::size(cases));
  // The controls showed the bound values when the dialog opened.
  const ShownDialog& first = script.dialogs[0];
  EXPECT_EQ(first.caption, "caption");
  auto check = [&](WORD id) {
    for (const DialogControlState& c : first.atStart)
      if (c.nId == id) return c.nCheck;
    return -1;
  };
  EXPECT_EQ(check(1002), 1);
  EXPECT_EQ(check(1003), 0);
  EXPECT_EQ(check(1004), 0);
}

// A dialog that cannot run is a failure with a report line, never an answer.
TEST_F(DialogTest, ADialogThatCannotRunGivesMinusOneAndAReportLine) {
  cTestDialog dialog;
  EXPECT_EQ(dialog.DoModal(0), -1);  // no scripted answer
  EXPECT_NE(ReadBytes("Report_Game.txt").find("103"), std::string::npos);
}

TEST_F(DialogTest, EveryKeyReachesTheControlsOnceAndTabNever) {
  cTestDialog dialog;
  script.AddDialog(IDD_BOOT, {A::Key(VK_LEFT), A::Key('A'), A::Key(VK_TAB), A::Key(VK_F1), A::Key(VK_NEXT),
                              A::Key(VK_CONTROL), A::Click(1001)});
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_EQ(dialog.m_Keys.keys, (std::vector<int>{VK_LEFT, 'A', VK_F1, VK_NEXT, VK_CONTROL}));
  // The dialog has no scroll bars: the navigation keys ask nothing to scroll.
  EXPECT_EQ(dialog.m_Keys.scrolls, 0);
}

TEST_F(DialogTest, AValueNoRadioButtonStandsForShowsBothUncheckedUntilOneIsPicked) {
  cTestDialog dialog;
  script.AddDialog(IDD_BOOT, {A::Click(1003), A::Click(1000)});
  dialog.mode = 7;  // neither button stands for it: both show unchecked
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(dialog.mode, 0);
  const ShownDialog& shown = script.dialogs.back();
  for (const DialogControlState& c : shown.atStart)
    if (c.nId == 1002 || c.nId == 1003) {
      EXPECT_EQ(c.nCheck, 0);
    }
}

// A command that arrives while one is handled is dropped.
class cNestingDialog : public cTestDialog {
 public:
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    ++commands;
    if (LOWORD(wParam) == 1000) nested = static_cast<int>(SendMessageA(m_hWnd, WM_COMMAND, 1001, 0));
    cTestDialog::OnCommand(wParam, lParam);
  }
  int commands = 0;
  int nested = -1;
};

TEST_F(DialogTest, CommandSentFromInsideOnCommandIsDropped) {
  cNestingDialog dialog;
  script.AddDialog(IDD_BOOT, {A::Click(1000)});
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(dialog.commands, 1);
  EXPECT_EQ(dialog.nested, 0);
}

TEST_F(DialogTest, GetDlgItemStrStaysInsideItsBuffer) {
  struct Case {
    int count;
    std::string text;
    std::string expected;
  } cases[] = {
      {7, "abc", "abc"},
      {4, "abcdef", "abc"},
      {4, "\x82\xA0\x82\xA2", "\x82\xA0"},  // never half a double-byte character
      {0, "abc", ""},
      {9000, std::string(6000, 'x'), std::string(5119, 'x')},  // the buffer holds 5120
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    class cReader : public cTestDialog {
     public:
      void OnInit(WPARAM w, LPARAM l) override {
        cTestDialog::OnInit(w, l);
        SetDlgItemStr(m_hWnd, 1005, text);
        GetDlgItemStr(m_hWnd, 1005, read, count);
        Close(1);
      }
      std::string text, read;
      int count = 0;
    } dialog;
    dialog.text = c.text;
    dialog.count = c.count;
    script.AddDialog(IDD_BOOT, {});
    EXPECT_EQ(dialog.DoModal(0), 1);
    EXPECT_EQ(dialog.read, c.expected);
  }
}

}  // namespace

namespace {

// An edit control that holds at most three bytes: a longer change is refused by writing the
// previous text back from its EN_UPDATE handler, with the caret where it was.
class cThreeBytes : public cControl {
 public:
  cThreeBytes() : cControl(kCtrlEdit) {}
  void OnChange() override {
    std::string text;
    GetDlgItemStr(m_hDialog, m_nId, text, 64);
    DWORD start = 0, end = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    seen.push_back(text);
    if (text.size() > 3) {
      SetDlgItemStr(m_hDialog, m_nId, previous);
      SendMessageA(m_hWnd, EM_SETSEL, start - 1, end - 1);
    } else {
      previous = text;
    }
  }
  std::string previous;
  std::vector<std::string> seen;
};

class cNameLike : public cDialog {
 public:
  cNameLike() {
    Setup(IDD_NAME, nullptr, 1, nullptr);
    SetFrame(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    m_Edit.Attach(this, 1003);
    m_Controls = {&m_Edit};
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    cDialog::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == 1000) {
      GetDlgItemStr(m_hWnd, 1003, name, 7);
      Close(1);
    }
  }
  cThreeBytes m_Edit;
  std::string name;
};

TEST_F(DialogTest, EachEditReachesTheControlAtOnceAndItsRefusalStands) {
  cNameLike dialog;
  script.AddDialog(IDD_NAME, {A::SetText(1003, "ab"), A::SetText(1003, "abc"), A::SetText(1003, "abcd"), A::Click(1000)});
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(dialog.m_Edit.seen, (std::vector<std::string>{"ab", "abc", "abcd"}));
  EXPECT_EQ(dialog.name, "abc");
  const ShownDialog& shown = script.dialogs.back();
  for (const DialogControlState& c : shown.atEnd)
    if (c.nId == 1003) {
      EXPECT_EQ(c.text, "abc");
      EXPECT_EQ(c.nSelStart, 3);  // the caret stays where the keystroke put it, within the text
    }
}

}  // namespace
