// The display part of the system report on each back end.
#include "media/draw/display_report.h"

#include <gtest/gtest.h>

#include "app/report_log.h"
#include "tests/media/draw_test_util.h"

namespace {

class DisplayReportTest : public cDisplayTest {};

TEST_F(DisplayReportTest, DirectDrawReportsMemoryAndRateWithoutTheDeviceDump) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  ASSERT_TRUE(Bring(kAllConfigs[3]));
  ASSERT_EQ(WriteDisplayReport(1), 1);
  const std::string log = ReadBytes("Report_Game.txt");
  for (const char* line : {"Mode : Fullscreen\r\n", "Bpp : 8\r\n", "VRAM Total : ", "VRAM Free : ", "RR : "})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  EXPECT_EQ(log.find("TextureMem"), std::string::npos);
  EXPECT_EQ(WriteDxDiagReport(1), 0);
  DWORD total = 0, free = 0;
  GetVideoMemory(&total, &free);
  EXPECT_GT(total, 0u);
  EXPECT_LE(free, total);
}

TEST_F(DisplayReportTest, Direct3DReportsTheDevice) {
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  ASSERT_EQ(WriteDisplayReport(1), 1);
  const std::string log = ReadBytes("Report_Game.txt");
  for (const char* line : {"Mode : Window\r\n", "Bpp : 32\r\n", "TextureMem : ", "Driver : ",
                           "TextureMaxSize : (8192,8192)\r\n", "D3DCAPS2_DYNAMICTEXTURES\r\n", "VSync : 0\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  EXPECT_EQ(log.find("VRAM Total"), std::string::npos);
  DWORD total = 1, free = 1;
  GetVideoMemory(&total, &free);
  EXPECT_EQ(total, 0u);
  EXPECT_EQ(free, 0u);
  EXPECT_GE(GetDDIVersion(), 9);
}

}  // namespace
