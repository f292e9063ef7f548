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

// A dialog of the test's own with both of its own scroll bars (scroll flags 3), the
// start-up dialog's text as its canvas and, set up through a record, the vertical bar of
// the dialog window itself. A probe control records what the keys do.
class cScrollDialog;
class cScrollProbe : public cStaticText {
 public:
  void OnKeyDown(int vk, LPARAM, int) override;
  int OnScroll(WPARAM, LPARAM) override;
  cScrollDialog* owner = nullptr;
  std::vector<std::pair<int, int>> positions;  // (horizontal, vertical) after each scroll
  HWND focusSeen = nullptr;
  LRESULT rightClick = -1;
};

class cScrollDialog : public cDialog {
 public:
  cScrollDialog() {
    Setup(IDD_BOOT, nullptr, 1, nullptr);
    SetFrame(200, 100, 100, 100, 640, 480, 0, 0, 0, 0, 0, 3);
    m_HScrollData = SCROLLBARDATA{0, nullptr, SB_CTL, 0, 50, 10, 1};
    m_VScrollData = SCROLLBARDATA{0, nullptr, SB_CTL, 0, 20, 5, 1};
  }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    m_Canvas.Attach(this, 1005);
    m_Probe.owner = this;
    m_Probe.Attach(this, 1006);
    m_Target.Create(this, SCROLLBARDATA{1004, &m_hWnd, SB_VERT, 0, 99, 10, 1});
    m_Controls.push_back(&m_Probe);
    subclassed = GetPropA(m_hWnd, "DLG_CLASS") == this &&
                 GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&cDialog::SubclassProc);
    barSubclassed = GetPropA(m_VScroll.m_hWnd, "CTRL_SCROLL_CLASS") == &m_VScroll &&
                    GetWindowLongPtrA(m_VScroll.m_hWnd, GWLP_WNDPROC) ==
                        reinterpret_cast<LONG_PTR>(&cScrollBar::SubclassProc);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(m_hWnd, SB_VERT, &info);
    targetRange = {info.nMin, info.nMax, static_cast<int>(info.nPage)};
    SetCreated(1);
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (!IsCommandEnabled(wParam)) return;
    cDialog::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == 1001) Close(0);
  }
  void OnPaint() override { ++paints; }
  static int Pos(const cScrollBar& bar) {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar.m_hWnd, SB_CTL, &info);
    return info.nPos;
  }

  cScrollProbe m_Probe;
  cScrollBar m_Target;
  int paints = 0;
  bool subclassed = false;
  bool barSubclassed = false;
  std::vector<int> targetRange;
};

void cScrollProbe::OnKeyDown(int vk, LPARAM, int) {
  if (vk == VK_F1 + 1) {
    SetFocus(owner->m_VScroll.m_hWnd);
    rightClick = SendMessageA(owner->m_VScroll.m_hWnd, WM_RBUTTONUP, 0, 0);
  } else if (vk == VK_F1 + 2) {
    focusSeen = GetFocus();
  } else if (vk == VK_F1 + 3) {
    owner->SetClientSize(300, 200);
  }
}

int cScrollProbe::OnScroll(WPARAM, LPARAM) {
  positions.emplace_back(cScrollDialog::Pos(owner->m_HScroll), cScrollDialog::Pos(owner->m_VScroll));
  return 0;
}

TEST_F(DialogTest, ADialogsOwnScrollBarsScrollByKeysAndFollowItsSize) {
  WindowMetrics metrics = CurrentWindowMetrics();
  metrics.nHScrollY = metrics.nVScrollX = 17;
  OverrideWindowMetrics(&metrics);
  cScrollDialog dialog;
  script.AddDialog(IDD_BOOT, {A::Key(VK_DOWN), A::Key(VK_DOWN), A::Key(VK_NEXT), A::Key(VK_NEXT), A::Key(VK_NEXT),
                              A::Key(VK_END), A::Key(VK_HOME), A::Key(VK_NEXT), A::Key(VK_F1 + 1), A::Key(VK_F1 + 2),
                              A::Key(VK_F1 + 3), A::Click(1001)});
  EXPECT_EQ(dialog.DoModal(0), 0);
  OverrideWindowMetrics(nullptr);
  EXPECT_TRUE(dialog.subclassed);
  EXPECT_TRUE(dialog.barSubclassed);
  EXPECT_EQ(dialog.targetRange, (std::vector<int>{0, 99, 10}));
  // Vertical 0 .. 20 with a page of 5 ends at 16; horizontal 0 .. 50 with a page of 10.
  EXPECT_EQ(dialog.m_Probe.positions, (std::vector<std::pair<int, int>>{
                                          {0, 1}, {0, 2}, {0, 7}, {0, 12}, {0, 16}, {10, 16}, {0, 16}, {0, 16}}));
  EXPECT_EQ(dialog.paints, 7) << "a request that moves nothing draws nothing";
  // The focus a bar took went on to the canvas; a right click on a bar does nothing.
  EXPECT_EQ(dialog.m_Probe.focusSeen, dialog.m_Canvas.m_hWnd);
  EXPECT_EQ(dialog.m_Probe.rightClick, 0);
  // After the resize to 300 x 200 the bars sit below and right of the drawing area.
  ASSERT_EQ(script.dialogs.size(), 1u);
  std::vector<RECT> bars;
  for (const DialogControlState& c : script.dialogs[0].atEnd)
    if (c.kind == eDialogItemKind::kScrollBar) bars.push_back(c.rect);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ((std::vector<LONG>{bars[0].left, bars[0].top, bars[0].right, bars[0].bottom}),
            (std::vector<LONG>{0, 200, 300, 217}));
  EXPECT_EQ((std::vector<LONG>{bars[1].left, bars[1].top, bars[1].right, bars[1].bottom}),
            (std::vector<LONG>{300, 0, 317, 200}));
}

}  // namespace
