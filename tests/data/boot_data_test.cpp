// The start-up choice in user_data\Boot.dat: its bytes, and files that cannot be used.
#include "data/boot/boot_data.h"

#include <gtest/gtest.h>

#include <string>

#include "app/report_log.h"
#include "platform/host_files.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

class BootDataTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(MakeDirectory("user_data"), 1);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  std::string Report() { return ReadBytes("Report_Game.txt"); }
  static Bytes File(std::int32_t version, std::int32_t members, std::int32_t mode, std::int32_t noAsk) {
    return cByteBuilder().I32(version).I32(members).I32(mode).I32(noAsk).I32(0).Get();
  }
};

TEST_F(BootDataTest, NewRecordAsksForDirect3DAndRoundTrips) {
  cBootData boot;
  EXPECT_EQ(boot.m_nDrawMode, BOOTDRAW_DIRECT3D);
  EXPECT_EQ(boot.m_bNoAsk, 0);
  boot.m_nDrawMode = BOOTDRAW_DIRECTDRAW;
  boot.m_bNoAsk = 1;
  ASSERT_EQ(boot.SaveToFile(kBootFilePath), 1);
  EXPECT_EQ(ReadTestFile(Dir() + "/user_data/Boot.dat"), File(811, 2, 0, 1));
  cBootData in;
  ASSERT_EQ(in.LoadFromFile(kBootFilePath), 1);
  EXPECT_EQ(in.m_nDrawMode, BOOTDRAW_DIRECTDRAW);
  EXPECT_EQ(in.m_bNoAsk, 1);
  EXPECT_EQ(Report(), "");
}

// What is in place of a usable file: the record keeps what it had (the defaults at
// start-up), and the report log says why, except for a file that is simply missing.
TEST_F(BootDataTest, UnusableFilesKeepTheRecord) {
  const Bytes good = File(811, 2, 0, 1);
  struct Case {
    const char* name;
    Bytes bytes;
    bool reported;
  } const cases[] = {
      {"no version word", Bytes{1, 2}, true},
      {"no body", FirstBytes(good, 4), true},
      {"cut in the members", FirstBytes(good, 10), true},
      {"negative text count", cByteBuilder().I32(811).I32(2).I32(0).I32(1).I32(-1).Get(), true},
      {"member count past the file", File(811, 1000000, 0, 1), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    WriteTestFile(Dir() + "/user_data/Boot.dat", c.bytes);
    cBootData in;
    EXPECT_EQ(in.LoadFromFile(kBootFilePath), 0);
    EXPECT_EQ(in.m_nDrawMode, BOOTDRAW_DIRECT3D);
    EXPECT_EQ(in.m_bNoAsk, 0);
    EXPECT_EQ(Report() != "", c.reported) << Report();
  }
  WriteTestFile(Dir() + "/user_data/Boot.dat", File(812, 2, 0, 1));
  cBootData newer;
  EXPECT_EQ(newer.LoadFromFile(kBootFilePath), 0);
  EXPECT_EQ(g_bFileTooNew, 1);
  EXPECT_EQ(newer.m_bNoAsk, 0);
}

TEST_F(BootDataTest, UnknownDrawingModeReadsAsDirectDrawWithAReportLine) {
  for (std::int32_t mode : {2, -1, 0x7FFFFFFF}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    WriteTestFile(Dir() + "/user_data/Boot.dat", File(811, 2, mode, 1));
    cBootData in;
    ASSERT_EQ(in.LoadFromFile(kBootFilePath), 1);
    EXPECT_EQ(in.m_nDrawMode, BOOTDRAW_DIRECTDRAW);
    EXPECT_EQ(in.m_bNoAsk, 1);
    EXPECT_NE(Report(), "");
  }
}

}  // namespace
