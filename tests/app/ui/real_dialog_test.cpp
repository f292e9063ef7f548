// A message box and a dialog in a real window: runs only when TOVREL_REAL_WINDOW is set
// (under Xvfb, for example). Each waits TOVREL_REAL_WINDOW_MS milliseconds (default 1500)
// so that a screenshot can be taken, then is answered by key presses queued as if typed;
// with TOVREL_REAL_WINDOW_WAIT set nothing is queued and a person (or xdotool) answers.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "app/ui/dialog.h"
#include "app/ui/dialog_resources.h"
#include "app/ui/edit_control.h"
#include "app/ui/file_boxes.h"
#include "tests/support/temp_dir.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"

namespace {

class cBootLike : public cDialog {
 public:
  cBootLike() {
    Setup(IDD_BOOT, nullptr, 1, nullptr);
    SetFrame(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    m_D3D.Bind(&mode, 1);
    m_DD.Bind(&mode, 0);
    m_Check.Bind(&dontAsk);
    m_D3D.Attach(this, 1002);
    m_DD.Attach(this, 1003);
    m_Check.Attach(this, 1004);
    m_Controls = {&m_D3D, &m_DD, &m_Check};
    UpdateControls();
    SetWindowTextA(m_hWnd, "Smoke test");
    SetCreated(1);
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
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
  cRadioButton m_D3D, m_DD;
  cCheckBox m_Check;
};

// The ranking name entry: one line of three characters.
class cNameEntry : public cDialog {
 public:
  cNameEntry() {
    Setup(IDD_NAME, nullptr, 1, nullptr);
    SetFrame(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    cEditBind bind;
    bind.Set(1003, &name, 3, 1);
    m_Edit.Attach(this, bind);
    m_Controls = {&m_Edit};
    UpdateControls();
    SetFocus(m_Edit.m_hWnd);
    SendMessageA(m_Edit.m_hWnd, EM_SETSEL, 0, 0x7FFFFFFF);
    SetCreated(1);
  }
  void OnCommand(WPARAM wParam, LPARAM lParam) override {
    cDialog::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == 1000) {
      UpdateData();
      Close(1);
    } else if (LOWORD(wParam) == 1001) {
      Close(0);
    }
  }
  std::string name = "aaa";
  cEdit m_Edit;
};

LRESULT MainProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// Types the keys after a pause, unless a person answers.
std::thread TypeLater(std::vector<int> keys) {
  const char* ms = std::getenv("TOVREL_REAL_WINDOW_MS");
  const int wait = ms != nullptr ? std::atoi(ms) : 1500;
  const bool person = std::getenv("TOVREL_REAL_WINDOW_WAIT") != nullptr;
  return std::thread([=] {
    if (person) return;
    Sleep(static_cast<DWORD>(wait));
    for (int vk : keys) {
      QueueHostKeyPress(vk);
      Sleep(100);
    }
  });
}

class RealDialogTest : public cTempDirTest {};

TEST_F(RealDialogTest, BoxTheStartUpDialogAndTheFileBox) {
  if (std::getenv("TOVREL_REAL_WINDOW") == nullptr) GTEST_SKIP() << "set TOVREL_REAL_WINDOW to show a real window";
  // The main window exists, hidden, as at start-up; the game's display is not open yet.
  cFrameWnd main;
  main.SetFrame(640, 480, 100, 100, 640, 480, WS_POPUPWINDOW | WS_DLGFRAME, 0, 0, 0, 0, 0);
  ASSERT_EQ(main.Create("smoke", 100, 100, &MainProc), 1);

  std::thread typing = TypeLater({VK_RETURN});
  const int answer = MessageBoxA(nullptr, "ファイルが見つかりません。\nもう一度選んで下さい。", "確認", MB_OKCANCEL);
  typing.join();
  if (std::getenv("TOVREL_REAL_WINDOW_WAIT") == nullptr) {
    EXPECT_EQ(answer, IDOK);
  }

  // A box raised by another thread is shown by the main thread while it serves messages.
  std::atomic<int> fromThread{-1};
  std::thread worker([&] { fromThread = MessageBoxA(nullptr, "ゲームのスレッドからの知らせ", "通知", MB_OK); });
  typing = TypeLater({VK_RETURN});
  while (fromThread.load() < 0) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(5);
  }
  worker.join();
  typing.join();
  EXPECT_EQ(fromThread.load(), IDOK);

  cBootLike dialog;
  // Space and the arrows do not end it; Enter presses the default button.
  typing = TypeLater({VK_SPACE, VK_DOWN, VK_RETURN});
  const INT_PTR result = dialog.DoModal(0);
  typing.join();
  if (std::getenv("TOVREL_REAL_WINDOW_WAIT") == nullptr) {
    EXPECT_EQ(result, 1);
  }
  std::printf("box answer %d, dialog result %d, mode %d, do not ask %d\n", answer, static_cast<int>(result), dialog.mode,
              dialog.dontAsk);

  // The open file box on a folder of replays, stages and a file of another kind.
  // One name in UTF-8, one as raw CP932 bytes (as an archive from Windows leaves it).
  for (const std::string& name : {std::string("data/stg4/World.stg4_001"), std::string("user_data/rpl4/run.rpl4_001"),
                                 std::string(reinterpret_cast<const char*>(u8"user_data/rpl4/ステージ1.rpl4_003")),
                                 std::string("user_data/rpl4/リプレイ.rpl4_002"), std::string("user_data/rpl4/notes.txt")})
    MakeFile(name);
  typing = TypeLater({VK_ESCAPE});
  char chosen[MAX_PATH];
  const int opened = OpenFileBox(nullptr, chosen, sizeof chosen, "user_data\\rpl4", "リプレイファイルを開く",
                                 "Replay (*.rpl4_*)\0*.rpl4_*\0All\0*.*\0\0", "rpl4_001", 0, nullptr);
  typing.join();
  std::printf("file box %d: %s\n", opened, chosen);

  cNameEntry entry;
  typing = TypeLater({VK_RETURN});
  const INT_PTR named = entry.DoModal(0);
  typing.join();
  std::printf("name entry %d: %s\n", static_cast<int>(named), entry.name.c_str());
  cHook::Unhook();
}

}  // namespace
