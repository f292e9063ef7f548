// The stage and replay file dialog: which box it opens for each mode, and what it hands
// back.
#include "shell/file_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/ui/dialog_resources.h"
#include "platform/dialog_script.h"
#include "platform/file_browser.h"
#include "platform/host_files.h"
#include "tests/support/temp_dir.h"

namespace {

class FileDialogTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    MakeFile("data/stg4/a.stg4_811");
    MakeFile("user_data/rpl4/r.rpl4_811");
    m_SavedIni = g_SystemIni;
  }
  void TearDown() override {
    cHook::Unhook();
    g_SystemIni = m_SavedIni;
    cTempDirTest::TearDown();
  }
  std::string Report() { return ReadBytes("Report_Game.txt"); }
  // Runs the dialog once with the file box answered by `answer`.
  // A folder of the answer is taken inside the game folder, as the browser has it.
  INT_PTR Run(int mode, std::string& result, FileBoxAnswer answer) {
    if (!answer.folder.empty()) answer.folder = std::filesystem::current_path().string() + "/" + answer.folder;
    script.AddDialog(IDD_FILE, {});
    script.AddFileBox(answer);
    cFileDlg dialog(IDD_FILE, nullptr, 1, nullptr, &result, mode);
    return dialog.DoModal(0);
  }

  cDialogScript script;

 private:
  cSystemIni m_SavedIni;
};

TEST_F(FileDialogTest, EachModeOpensItsBoxAndHandsBackTheChosenPath) {
  struct Case {
    int mode;
    int english;
    FileBoxAnswer answer;
    INT_PTR result;
    const char* path;  // the result text afterwards (a cancelled save box keeps the proposal)
    const char* title;
    const char* folder;
    const char* shown;     // the filter's text
    const char* patterns;
    const char* defExt;
    std::vector<std::string> matching, notMatching;
  } const cases[] = {
      {FILEDLG_LOAD_STAGE, 0, {true, "data/stg4", {"a.stg4_811"}}, 1, "data\\stg4\\a.stg4_811",
       "ステージファイルの読み込み", "data\\stg4\\", "StageFile ( *.stg4_*;*.rpl4_* )", "*.stg4_*;*.rpl4_*", "",
       {"a.stg4_811", "b.STG4_000", "r.rpl4_811", "r.rpl4_172"}, {"a.dat", "stg4_811"}},
      {FILEDLG_LOAD_REPLAY, 0, {true, "user_data/rpl4", {"r.rpl4_811"}}, 1, "user_data\\rpl4\\r.rpl4_811",
       "リプレイファイルの読み込み", "user_data\\rpl4", "ReplayFile ( *.rpl4_* )", "*.rpl4_*", "",
       {"r.rpl4_811", "old.rpl4_172"}, {"a.stg4_811", "rpl4_811"}},
      {FILEDLG_SAVE_REPLAY, 0, {true, "user_data/rpl4", {"new"}}, 1, "user_data\\rpl4\\new.rpl4_811",
       "リプレイファイルの保存", "user_data\\rpl4\\", "ReplayFile ( *.rpl4_811 )", "*.rpl4_811", "rpl4_811",
       {"r.rpl4_811"}, {"r.rpl4_172", "a.stg4_811"}},
      {FILEDLG_LOAD_STAGE, 1, {}, 0, "", "load stage file", "data\\stg4\\", "StageFile ( *.stg4_*;*.rpl4_* )",
       "*.stg4_*;*.rpl4_*", "", {}, {}},
      {FILEDLG_LOAD_REPLAY, 1, {}, 0, "", "load replay file", "user_data\\rpl4", "ReplayFile ( *.rpl4_* )",
       "*.rpl4_*", "", {}, {}},
      {FILEDLG_SAVE_REPLAY, 1, {}, 0, "user_data\\rpl4\\stage1__2024__05_01__10_05.rpl4_811", "save replay file", "user_data\\rpl4\\", "ReplayFile ( *.rpl4_811 )",
       "*.rpl4_811", "rpl4_811", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + (c.english ? " English" : ""));
    g_SystemIni.m_bEnglish = c.english;
    std::string result = "user_data\\rpl4\\stage1__2024__05_01__10_05.rpl4_811";
    const std::string proposed = result;
    EXPECT_EQ(Run(c.mode, result, c.answer), c.result);
    EXPECT_EQ(result, c.path);
    ASSERT_FALSE(script.fileBoxes.empty());
    const FileBrowserRequest& box = script.fileBoxes.back();
    EXPECT_EQ(box.bSave, c.mode == FILEDLG_SAVE_REPLAY);
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.initialDir, c.folder);
    ASSERT_EQ(box.filters.size(), 1u);
    EXPECT_EQ(box.filters[0].first, c.shown);
    EXPECT_EQ(box.filters[0].second, c.patterns);
    EXPECT_EQ(box.defExt, c.defExt);
    if (c.mode == FILEDLG_SAVE_REPLAY) {
      EXPECT_EQ(box.proposedName, proposed);
    }
    for (const std::string& name : c.matching) EXPECT_TRUE(MatchesFilePatterns(name, c.patterns)) << name;
    for (const std::string& name : c.notMatching) EXPECT_FALSE(MatchesFilePatterns(name, c.patterns)) << name;
  }
  EXPECT_EQ(Report(), "");
}

TEST_F(FileDialogTest, UnknownModeChoosesNothing) {
  std::string result = "before";
  script.AddDialog(IDD_FILE, {});
  cFileDlg dialog(IDD_FILE, nullptr, 1, nullptr, &result, 3);
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_TRUE(script.fileBoxes.empty());
}

// The proposed replay name is an absolute path built from the game folder, the stage name
// and the date: it can pass what the box's buffer holds.
TEST_F(FileDialogTest, OverLongProposedReplayNamesAreShortenedWithAReportLine) {
  const std::string name = "stage__2024__05_01__10_05.rpl4_811";
  const std::string deep = "\\" + std::string(300, 'd') + "\\user_data\\rpl4\\";
  struct Case {
    const char* what;
    std::string proposed;
    std::string offered;
    bool reported;
  } const cases[] = {
      {"259 bytes fit", std::string(259 - name.size(), 'p') + name, std::string(259 - name.size(), 'p') + name, false},
      {"a deep folder: the name alone", deep + name, name, true},
      {"a name past any path: nothing", deep + std::string(300, 'n') + ".rpl4_811", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    std::string result = c.proposed;
    EXPECT_EQ(Run(FILEDLG_SAVE_REPLAY, result, {}), 0);
    ASSERT_FALSE(script.fileBoxes.empty());
    EXPECT_EQ(script.fileBoxes.back().proposedName, c.offered);
    EXPECT_EQ(Report() != "", c.reported);
  }
}

}  // namespace
