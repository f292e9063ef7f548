// Data files that are not what they should be: a file that holds its version word and
// nothing else, or a folder or a named pipe where the file should be. Each load fails at
// once, leaves its record as its reader's rule for damage says, and writes a report line
// that says what was wrong.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "tests/support/byte_builder.h"
#include "tests/support/database_sizes_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

// A reader of whole data files, as the game calls it.
struct cFileLoad {
  const char* name;
  const char* hostPath;
  std::function<int()> load;
};

const std::vector<cFileLoad>& Loads() {
  static const std::vector<cFileLoad> loads = {
      {"system data", "data/System.dat", [] { return g_SystemData.LoadFromFile("data\\System.dat"); }},
      {"common palette", "data/CommonPalette.cplt4", [] { return LoadCommonPalette(); }},
      {"stage", "data/stg4/s.stg4_811", [] { return g_StageData.LoadFromFile("data\\stg4\\s.stg4_811"); }},
      {"database", "data/database/AnimeSet.dat", [] { return g_Database.Load(); }},
  };
  return loads;
}

class UnfitFilesTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bFileTooNew = 0;
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    std::filesystem::create_directories("data/stg4");
    std::filesystem::create_directories("data/database");
  }
  void TearDown() override {
    g_SystemData = cSystemData();
    g_StageData = cStageData();
    RestoreDatabaseAndPalettes();
    cTempDirTest::TearDown();
  }

  static std::string Report() { return ReadBytes("Report_Game.txt"); }

  // Runs `load` on a thread of its own, given ten seconds; a load still waiting then is
  // released by opening `pipe` at both ends and counts as blocked.
  static int LoadWithDeadline(const std::function<int()>& load, const char* pipe, bool& blocked) {
    std::atomic<bool> done{false};
    int result = -1;
    std::thread loader([&] {
      result = load();
      done = true;
    });
    for (int i = 0; i < 1000 && !done; ++i) usleep(10000);
    blocked = !done;
    const int other = blocked ? open(pipe, O_RDWR | O_NONBLOCK) : -1;
    loader.join();
    if (other >= 0) close(other);
    return result;
  }

  cRecordingMessageBoxes m_Boxes;
};

}  // namespace

TEST_F(UnfitFilesTest, VersionWordAloneIsNoRecord) {
  const std::string bodyMissing = "file ends before its first member";
  const std::vector<std::string> expected = {bodyMissing, bodyMissing, bodyMissing,
                                             "file ends inside its entries"};
  g_SystemData.m_strTitle = "kept";
  for (std::size_t i = 0; i < Loads().size(); ++i) {
    const cFileLoad& file = Loads()[i];
    SCOPED_TRACE(file.name);
    WriteTestFile(Dir() + "/" + file.hostPath, cByteBuilder().I32(811).Get());
    ForgetDirectoryListings();
    EXPECT_EQ(file.load(), 0);
    EXPECT_NE(Report().find(expected[i]), std::string::npos) << Report();
    std::filesystem::remove(file.hostPath);
  }
  // The system data keeps what it held; the palette is left with its template entries.
  EXPECT_EQ(g_SystemData.m_strTitle, "kept");
  EXPECT_EQ(g_CommonPalette.m_vChara.size(), cPalette().m_vChara.size());
}

TEST_F(UnfitFilesTest, WhatStandsInPlaceOfAFileIsNamed) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    std::string report;
  };
  const std::vector<Case> cases = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); },
       "ファイルではなくフォルダです"},
      {"named pipe", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
       "ファイルではなく名前付きパイプです"},
  };
  for (const Case& c : cases) {
    for (const cFileLoad& file : Loads()) {
      SCOPED_TRACE(std::string(c.what) + " as " + file.name);
      c.make(file.hostPath);
      ForgetDirectoryListings();
      bool blocked = false;
      EXPECT_EQ(LoadWithDeadline(file.load, file.hostPath, blocked), 0);
      EXPECT_FALSE(blocked);
      std::string line = std::string(file.hostPath) + " : " + c.report;
      std::replace(line.begin(), line.end(), '/', '\\');
      EXPECT_NE(Report().find(line), std::string::npos) << Report();
      EXPECT_EQ(Report().find("大きすぎます"), std::string::npos) << Report();
      std::filesystem::remove(file.hostPath);
    }
  }
}
