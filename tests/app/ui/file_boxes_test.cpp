#include "app/ui/file_boxes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "platform/dialog_script.h"
#include "tests/support/temp_dir.h"

namespace {

const char kFilter[] = "Replay\0*.rpl4_*\0\0";

int s_nBlackened = 0;
int s_nRestored = 0;
int s_bFullScreen = 0;

class FileBoxTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
    s_nBlackened = s_nRestored = s_bFullScreen = 0;
    FileBoxDisplayHooks hooks;
    hooks.isFullScreenActive = [] { return s_bFullScreen; };
    hooks.blackenPaletteEntry0 = [] {
      ++s_nBlackened;
      return 1;
    };
    hooks.restorePaletteEntry0 = [] { ++s_nRestored; };
    SetFileBoxDisplayHooks(hooks);
    MakeFile("user_data/rpl4/a.rpl4_1");
    MakeFile("user_data/rpl4/b.rpl4_1");
  }
  void TearDown() override {
    SetFileBoxDisplayHooks(FileBoxDisplayHooks{});
    cTempDirTest::TearDown();
  }
  cDialogScript script;
};

TEST_F(FileBoxTest, OpenGivesProgramPathsRelativeToTheGameFolder) {
  const std::string cwd = std::filesystem::current_path().string();
  script.AddFileBox({true, Dir() + "/user_data/rpl4", {"a"}});
  char buffer[MAX_PATH];
  std::vector<std::string> list;
  ASSERT_EQ(OpenFileBox(nullptr, buffer, sizeof buffer, "user_data\\rpl4", "Open", kFilter, "rpl4_1", 0, &list), 1);
  EXPECT_STREQ(buffer, "user_data\\rpl4\\a.rpl4_1");
  EXPECT_EQ(list, std::vector<std::string>{"user_data\\rpl4\\a.rpl4_1"});
  EXPECT_EQ(std::filesystem::current_path().string(), cwd);  // the current folder stays
  ASSERT_EQ(script.fileBoxes.size(), 1u);
  EXPECT_EQ(script.fileBoxes[0].filters.size(), 1u);
  EXPECT_TRUE(script.fileBoxes[0].bMustExist);
  EXPECT_EQ(s_nBlackened, 1);
  EXPECT_EQ(s_nRestored, 1);
}

TEST_F(FileBoxTest, MultipleSelectionPacksTheFolderAndTheNames) {
  script.AddFileBox({true, Dir() + "/user_data/rpl4", {"a.rpl4_1", "b.rpl4_1"}});
  char buffer[MAX_PATH];
  std::vector<std::string> list;
  ASSERT_EQ(OpenFileBox(nullptr, buffer, sizeof buffer, "", "Open", kFilter, "", 1, &list), 1);
  const char packed[] = "user_data\\rpl4\0a.rpl4_1\0b.rpl4_1\0";
  EXPECT_EQ(std::memcmp(buffer, packed, sizeof packed), 0);
  EXPECT_EQ(list, (std::vector<std::string>{"user_data\\rpl4\\a.rpl4_1", "user_data\\rpl4\\b.rpl4_1"}));
}

TEST_F(FileBoxTest, CancelAndRefusalsLeaveACleanBufferAndThePaletteRestored) {
  struct Case {
    const char* name;
    FileBoxAnswer answer;
    int bufferSize;
  } cases[] = {
      {"cancel", {false, "", {}}, MAX_PATH},
      {"a file that is not there", {true, Dir() + "/user_data/rpl4", {"zzz"}}, MAX_PATH},
      {"a path too long for the buffer", {true, Dir() + "/user_data/rpl4", {"a.rpl4_1"}}, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s_nBlackened = s_nRestored = 0;
    script.AddFileBox(c.answer);
    std::vector<char> buffer(static_cast<std::size_t>(c.bufferSize), 'x');
    std::vector<std::string> list;
    EXPECT_EQ(OpenFileBox(nullptr, buffer.data(), c.bufferSize, "", "Open", kFilter, "rpl4_1", 0, &list), 0);
    EXPECT_EQ(std::string(buffer.data(), strnlen(buffer.data(), buffer.size())), "");
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(s_nRestored, s_nBlackened);
  }
}

TEST_F(FileBoxTest, SaveProposesTheNameAddsTheExtensionAndAsksBeforeReplacing) {
  char buffer[MAX_PATH] = "proposed";
  script.AddFileBox({true, Dir() + "/user_data/rpl4", {"c"}});
  ASSERT_EQ(SaveFileBox(nullptr, buffer, "user_data\\rpl4", "Save", kFilter, "rpl4_1", 1), 1);
  EXPECT_EQ(script.fileBoxes.back().proposedName, "proposed");
  EXPECT_STREQ(buffer, "user_data\\rpl4\\c.rpl4_1");

  // Replacing a file is asked about; "no" keeps the box from confirming.
  script.AddBoxAnswer("Save", "", IDNO);
  script.AddFileBox({true, Dir() + "/user_data/rpl4", {"a"}});
  EXPECT_EQ(SaveFileBox(nullptr, buffer, "", "Save", kFilter, "rpl4_1", 0), 0);
  ASSERT_FALSE(script.boxes.empty());
  EXPECT_EQ(script.boxes.back().type, MB_YESNO);
  EXPECT_TRUE(script.fileBoxes.back().proposedName.empty());  // cleared without keepName
}

TEST_F(FileBoxTest, AChosenPathThatCannotBeAProgramPathIsRefusedAloud) {
  // Deep inside the game folder: the program path passes 259 bytes.
  const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
  MakeFile(deep + "/" + std::string(30, 'f') + ".rpl4_1");
  script.AddFileBox({true, Dir() + "/" + deep, {std::string(30, 'f')}});
  char buffer[1024];
  EXPECT_EQ(OpenFileBox(nullptr, buffer, sizeof buffer, "", "Open", kFilter, "rpl4_1", 0, nullptr), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_NE(ReadBytes("Report_Game.txt").find("259"), std::string::npos);
}

TEST_F(FileBoxTest, OverAFullScreenFrameTheBoxIsHooked) {
  for (int full : {0, 1}) {
    s_bFullScreen = full;
    script.AddFileBox({false, "", {}});
    char buffer[MAX_PATH];
    OpenFileBox(nullptr, buffer, sizeof buffer, "", "Open", kFilter, "", 0, nullptr);
    EXPECT_EQ(LastFileBoxHooked(), full);
  }
}

}  // namespace
