// The start-up dialog, answered by scripts: what it shows, what it keeps in Boot.dat and
// how the start-up goes on after it.
#include "shell/boot_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/ui/dialog_resources.h"
#include "data/boot/boot_data.h"
#include "data/system/system_data.h"
#include "platform/dialog_script.h"
#include "platform/host_files.h"
#include "platform/virtual_keys.h"
#include "platform/win_window.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using A = DialogAction;
using Bytes = std::vector<std::uint8_t>;

Bytes BootFile(std::int32_t mode, std::int32_t noAsk) {
  return cByteBuilder().I32(811).I32(2).I32(mode).I32(noAsk).I32(0).Get();
}

const DialogControlState* Control(const std::vector<DialogControlState>& controls, WORD id) {
  for (const DialogControlState& c : controls)
    if (c.nId == id) return &c;
  return nullptr;
}

class BootDialogTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    ASSERT_EQ(MakeDirectory("user_data"), 1);
    m_SavedIni = g_SystemIni;
    m_SavedSystem = g_SystemData;
    g_SystemData.m_strTitle = "Test Game";
    g_SystemIni.m_nDirect3D = 2;
    g_SystemIni.m_bEnglish = 0;
    g_BootData = cBootData();
    OverrideCursorPos(&m_Cursor);
  }
  void TearDown() override {
    OverrideCursorPos(nullptr);
    cHook::Unhook();
    g_SystemIni = m_SavedIni;
    g_SystemData = m_SavedSystem;
    g_BootData = cBootData();
    cTempDirTest::TearDown();
  }
  std::string Report() { return ReadBytes("Report_Game.txt"); }

  cDialogScript script;
  POINT m_Cursor{-1, -1};

 private:
  cSystemIni m_SavedIni;
  cSystemData m_SavedSystem;
};

TEST_F(BootDialogTest, ChoiceGoesToDirect3DAndBootDat) {
  struct Case {
    const char* name;
    int direct3d;                      // System.ini's value
    std::optional<Bytes> bootFile;     // user_data\Boot.dat before
    std::optional<std::vector<A>> actions;  // none: no script for the dialog
    bool shown;
    int result;
    int direct3dAfter;
    std::optional<Bytes> bootFileAfter;  // none: no file
    bool reported;
  } const cases[] = {
      {"Direct3D chosen in System.ini asks nothing", 1, {}, {}, false, 1, 1, {}, false},
      {"DirectDraw chosen in System.ini asks nothing", 0, {}, {}, false, 1, 0, {}, false},
      {"Start as it is", 2, {}, std::vector<A>{A::Click(1000)}, true, 1, 1, BootFile(1, 0), false},
      {"DirectDraw and do not ask again", 2, {}, std::vector<A>{A::Click(1003), A::Click(1004), A::Click(1000)},
       true, 1, 0, BootFile(0, 1), false},
      {"Enter starts", 2, BootFile(0, 0), std::vector<A>{A::Key(VK_RETURN)}, true, 1, 0, BootFile(0, 0), false},
      {"Cancel ends the start-up and leaves Boot.dat", 2, BootFile(0, 0),
       std::vector<A>{A::Click(1002), A::Click(1004), A::Click(1001)}, true, 0, 2, BootFile(0, 0), false},
      {"closing the dialog is a cancel", 2, {}, std::vector<A>{A::Click(1003), A::Close()}, true, 0, 2, {}, false},
      {"a dialog that cannot run is no Start", 2, {}, {}, false, 0, 2, {}, true},
      {"do not ask: the stored choice", 3, BootFile(0, 1), {}, false, 1, 0, BootFile(0, 1), false},
      {"damaged Boot.dat asks with the defaults", 2, Bytes{1, 2, 3, 4, 5}, std::vector<A>{A::Click(1000)}, true, 1,
       1, BootFile(1, 0), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    std::filesystem::remove("user_data/Boot.dat");
    if (c.bootFile) WriteTestFile("user_data/Boot.dat", *c.bootFile);
    ForgetDirectoryListings();
    g_SystemIni.m_nDirect3D = c.direct3d;
    g_BootData = cBootData();
    const std::size_t shownBefore = script.dialogs.size();
    if (c.actions) script.AddDialog(IDD_BOOT, *c.actions);
    EXPECT_EQ(RunBootDialog(nullptr, nullptr), c.result);
    EXPECT_EQ(script.dialogs.size() - shownBefore, c.shown ? 1u : 0u);
    EXPECT_EQ(g_SystemIni.m_nDirect3D, c.direct3dAfter);
    if (c.bootFileAfter) {
      EXPECT_EQ(ReadTestFile("user_data/Boot.dat"), *c.bootFileAfter);
    } else {
      EXPECT_FALSE(Exists("user_data/Boot.dat"));
    }
    EXPECT_EQ(Report() != "", c.reported) << Report();
  }
}

TEST_F(BootDialogTest, ShowsTheStoredChoiceUnderTheGameTitleInEitherLanguage) {
  WriteTestFile("user_data/Boot.dat", BootFile(0, 0));
  struct Case {
    int english;
    const char* start;
    const char* cancel;
    const char* group;
    const char* note;
    const char* noAsk;
  } const cases[] = {
      {0, "ゲーム開始", "ゲーム中止", "描画モード", "詳細な設定は環境設定ファイル「System.ini」で行って下さい。",
       "次回からこのダイアログを表示しない"},
      {1, "Start", "Cancel", "Drawing mode", "Configure the detail settings at \"System.ini\".",
       "Do not ask this dialog again"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english);
    g_SystemIni.m_nDirect3D = 2;
    g_SystemIni.m_bEnglish = c.english;
    script.AddDialog(IDD_BOOT, {A::Click(1001)});
    EXPECT_EQ(RunBootDialog(nullptr, nullptr), 0);
    ASSERT_FALSE(script.dialogs.empty());
    const ShownDialog& shown = script.dialogs.back();
    EXPECT_EQ(shown.caption, "Test Game");
    const std::vector<DialogControlState>& at = shown.atStart;
    ASSERT_TRUE(Control(at, 1002) && Control(at, 1003) && Control(at, 1004));
    EXPECT_EQ(Control(at, 1002)->nCheck, 0);
    EXPECT_EQ(Control(at, 1003)->nCheck, 1);
    EXPECT_EQ(Control(at, 1004)->nCheck, 0);
    EXPECT_EQ(Control(at, 1000)->text, c.start);
    EXPECT_EQ(Control(at, 1001)->text, c.cancel);
    EXPECT_EQ(Control(at, 1006)->text, c.group);
    EXPECT_EQ(Control(at, 1005)->text, c.note);
    EXPECT_EQ(Control(at, 1004)->text, c.noAsk);
  }
  // The mouse goes onto the Start button: the dialog's corner at (133, 104) from the
  // main window's, plus (181.9, 198.9) cut to whole pixels.
  POINT cursor{};
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, 133 + 181);
  EXPECT_EQ(cursor.y, 104 + 198);
}

}  // namespace
