#include "app/report_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "tests/support/temp_dir.h"

namespace {

class ReportLogTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    SetECLog(0, "EC_Game.txt");
  }
};

TEST_F(ReportLogTest, OpenTruncatesAndEachWriteAppendsOneCrLfLine) {
  MakeFile("Report_Game.txt", "old run\r\n");
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  EXPECT_EQ(ReadBytes("Report_Game.txt"), "");
  EXPECT_EQ(WriteReport("App : ver %s", "811"), 1);
  EXPECT_EQ(WriteReport("%d%%", 50), 1);
  EXPECT_EQ(ReadBytes("Report_Game.txt"), "App : ver 811\r\n50%\r\n");
}

TEST_F(ReportLogTest, WriteNeverCreatesTheReportFile) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  std::filesystem::remove("Report_Game.txt");
  ForgetDirectoryListings();
  EXPECT_EQ(WriteReport("line"), 0);
  EXPECT_EQ(WriteReportText("line"), 0);
  EXPECT_EQ(WriteReportEC("line"), 0);
  EXPECT_FALSE(Exists("Report_Game.txt"));
}

TEST_F(ReportLogTest, FailedOpenKeepsTheEarlierReportLog) {
  ASSERT_EQ(OpenReportLog("first.txt"), 1);
  EXPECT_EQ(OpenReportLog("missing\\second.txt"), 0);
  EXPECT_EQ(OpenReportLog(std::string(MAX_PATH, 'x').c_str()), 0);
  EXPECT_EQ(WriteReport("still here"), 1);
  EXPECT_EQ(ReadBytes("first.txt"), "still here\r\n");
}

TEST_F(ReportLogTest, TextsAreWrittenLiterally) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  SetECLog(1, "EC_Game.txt");
  cRecordingMessageBoxes boxes;
  EXPECT_EQ(WriteReportText("50%s %d"), 1);
  EXPECT_EQ(WriteReportEC("open %s", "a%s.dat"), 1);
  EXPECT_EQ(WriteReportBox("load %s", "b%d.dat"), 1);
  EXPECT_EQ(ReadBytes("Report_Game.txt"), "50%s %d\r\nopen a%s.dat\r\nload b%d.dat\r\n");
  EXPECT_EQ(ReadBytes("EC_Game.txt"), "open a%s.dat\r\nload b%d.dat\r\n");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "load b%d.dat");
  EXPECT_EQ(boxes.shown[0].caption, "エラー");
}

TEST_F(ReportLogTest, BoxIsShownWithTheLineAlreadyInTheLog) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  struct LogReadingBoxes : cRecordingMessageBoxes {
    int Show(const MessageBoxRecord& box) override {
      logWhileShown = ReadBytes("Report_Game.txt");
      return cRecordingMessageBoxes::Show(box);
    }
    std::string logWhileShown;
  } boxes;
  EXPECT_EQ(WriteReportBox("fatal"), 1);
  EXPECT_EQ(boxes.logWhileShown, "fatal\r\n");
}

TEST_F(ReportLogTest, BoxFormsShowNothingWithoutAReportLog) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  std::filesystem::remove("Report_Game.txt");
  ForgetDirectoryListings();
  cRecordingMessageBoxes boxes;
  EXPECT_EQ(WriteReportBox("fatal"), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ReportLogTest, ErrorCheckLogSwitchedOffWritesNothingButFatalStillCloses) {
  EXPECT_EQ(WriteEC("a"), 0);
  EXPECT_EQ(WriteECText("b"), 0);
  EXPECT_EQ(WriteECf("%s", "c"), 0);
  WriteECFatal(nullptr, "scene %s", "d");
  EXPECT_FALSE(Exists("EC_Game.txt"));
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
}

// The first line of a run truncates the log, so this runs in a process of its own even
// when the whole test program runs in one.
TEST_F(ReportLogTest, ErrorCheckLogIsTruncatedByTheFirstLineOnly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        MakeFile("EC_Game.txt", "previous run\r\n");
        SetECLog(1, "EC_Game.txt");
        const int written = WriteEC("one 100%") + WriteECf("two %d", 2);
        WriteECFatal(nullptr, "three");
        const std::string log = ReadBytes("EC_Game.txt");
        std::fprintf(stderr, "written %d, closes %d, log [%s]", written, CountPostedMessages(WM_CLOSE), log.c_str());
        std::exit(written == 2 && log == "one 100%\r\ntwo 2\r\nthree\r\n" && CountPostedMessages(WM_CLOSE) == 1
                      ? 0
                      : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ReportLogTest, ErrorCheckLogFailedFirstOpenStillCountsAsOpened) {
  std::filesystem::create_directory("EC_Game.txt");  // the first open cannot create the file
  SetECLog(1, "EC_Game.txt");
  EXPECT_EQ(WriteEC("lost"), 0);
  std::filesystem::remove("EC_Game.txt");
  MakeFile("EC_Game.txt", "kept\r\n");
  EXPECT_EQ(WriteEC("appended"), 1);
  EXPECT_EQ(ReadBytes("EC_Game.txt"), "kept\r\nappended\r\n");
}

struct LongTextCase {
  const char* name;
  std::string piece;
  int repeat;
  std::size_t expectedLength;
  friend void PrintTo(const LongTextCase& c, std::ostream* os) { *os << c.name; }
};

class ReportLogLongText : public ReportLogTest, public ::testing::WithParamInterface<LongTextCase> {};

// Texts built from game data can be longer than a line: they are cut, never at half a
// double-byte character.
TEST_P(ReportLogLongText, CutsToWholeCharacters) {
  const LongTextCase& c = GetParam();
  std::string text;
  for (int i = 0; i < c.repeat; ++i) text += c.piece;
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  SetECLog(1, "EC_Game.txt");
  EXPECT_EQ(WriteReportEC("%s", text.c_str()), 1);
  const std::string expected = text.substr(0, c.expectedLength) + "\r\n";
  EXPECT_EQ(ReadBytes("Report_Game.txt"), expected);
  EXPECT_EQ(ReadBytes("EC_Game.txt"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReportLogLongText,
    ::testing::Values(LongTextCase{"fits", "x", 1023, 1023}, LongTextCase{"singleBytes", "x", 4000, 1023},
                      LongTextCase{"cutBetweenChars", "\x93\xFA" "a", 700, 1023},
                      LongTextCase{"cutInsideChar", "\x93\xFA", 600, 1022}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
