// The system report: its line forms, the version table, and the facts read from Linux.
#include "app/system_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "app/report_log.h"
#include "platform/system_facts.h"
#include "tests/support/temp_dir.h"

namespace {

SystemReportFacts Facts() {
  SystemReportFacts f{};
  f.os = "Linux 6.1.0 x86_64 PID 2 Build 0";
  std::strcpy(f.cpu.szVendor, "GenuineIntel");
  std::strcpy(f.cpu.szBrand, "Test CPU");
  f.cpu.dClock = 2993456789.0;
  f.memory = MEMORYINFO{1073741824u, 536870912u, 0xFFFFFFFFu, 1048576u};
  f.nDiskFree = 2147483647;
  return f;
}

TEST(SystemReportTest, LinesTakeTheirForms) {
  const std::vector<std::string> lines = FormatSystemReport(Facts());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "OS : Linux 6.1.0 x86_64 PID 2 Build 0",
                       "CPU : GenuineIntel Test CPU 2993",
                       "Mem Total : 1024.000MB",
                       "Mem Free : 512MB",
                       "Vir Total : 4096.000MB",
                       "Vir Free :   1MB",
                       "HD Free : 2048MB",  // the cap: more than 2 GB free shows 2048
                   }));
}

TEST(SystemReportTest, ProcessorWithoutBrandLeavesTwoBlanks) {
  SystemReportFacts f = Facts();
  f.cpu.szBrand[0] = '\0';
  EXPECT_EQ(FormatSystemReport(f)[1], "CPU : GenuineIntel  2993");
}

TEST(SystemReportTest, WindowsVersionsByTheTable) {
  struct {
    int platform, major, minor;
    const char* name;
    int outMajor, outMinor;
  } cases[] = {
      {0, 3, 1, "Windows 3.1", 1, 0},      {1, 4, 0, "Windows 95", 1, 0},     {1, 4, 10, "Windows 98", 1, 10},
      {1, 4, 90, "Windows Me", 1, 90},     {1, 4, 20, nullptr, 1, 20},        {2, 3, 51, "Windows NT 3.51", 3, 51},
      {2, 5, 1, "Windows XP", 5, 1},       {2, 6, 0, "Windows Vista", 6, 0},  {2, 6, 2, "Windows 8", 6, 2},
      {2, 10, 0, nullptr, 10, 0},          {7, 9, 9, nullptr, 5, 1},
  };
  for (const auto& c : cases) {
    int major = -1, minor = -1;
    const char* name = OsNameOf(c.platform, c.major, c.minor, &major, &minor);
    EXPECT_STREQ(name, c.name) << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(major, c.outMajor);
    EXPECT_EQ(minor, c.outMinor);
  }
}

TEST(SystemReportTest, ThisSystemCountsAsVersionSix) {
  EXPECT_TRUE(IsOSVersionAtLeast(6, 0));
  EXPECT_TRUE(IsOSVersionAtLeast(5, 9));
  EXPECT_FALSE(IsOSVersionAtLeast(6, 1));
  std::string text;
  GetOSName(&text, nullptr, nullptr);
  EXPECT_NE(text.find("PID 2 Build 0"), std::string::npos) << text;
}

class SystemFactsTest : public cTempDirTest {};

TEST_F(SystemFactsTest, MemoryIsReadFromMeminfo) {
  MakeFile("meminfo", "MemTotal:        2048 kB\nMemFree:  10 kB\nMemAvailable:    1024 kB\nSwapTotal: 512 kB\n"
                      "SwapFree: 256 kB\nbroken line\n");
  MemoryFacts facts;
  ASSERT_EQ(ReadMemoryFacts(facts, "meminfo"), 1);
  EXPECT_EQ(facts.totalPhys, 2048u * 1024);
  EXPECT_EQ(facts.availPhys, 1024u * 1024);
  EXPECT_EQ(facts.totalSwap, 512u * 1024);
  EXPECT_EQ(facts.freeSwap, 256u * 1024);
  EXPECT_EQ(ReadMemoryFacts(facts, "missing"), 0);
  MakeFile("empty", "");
  EXPECT_EQ(ReadMemoryFacts(facts, "empty"), 0);
}

TEST_F(SystemFactsTest, ReportIsWrittenFromTheMachinesFacts) {
  ASSERT_EQ(WriteSystemReport(), 0);  // no report log yet
  ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  EXPECT_GT(GetDiskFreeBytes(nullptr), 0);
  EXPECT_EQ(GetDiskFreeBytes("no\\such\\folder"), 0);
  CPUNAME cpu;
  GetCPUName(&cpu);
  EXPECT_GT(cpu.dClock, 1e6);  // a measured clock of more than 1 MHz
  if (HasCpuId()) {
    EXPECT_EQ(std::strlen(cpu.szVendor), 12u);
  }
  ASSERT_EQ(WriteSystemReport(), 1);
  const std::string log = "\r\n" + ReadBytes("Report_Game.txt");
  for (const char* head : {"OS : ", "CPU : ", "Mem Total : ", "Mem Free : ", "Vir Total : ", "Vir Free : ", "HD Free : "})
    EXPECT_NE(log.find(std::string("\r\n") + head), std::string::npos) << head;
}

}  // namespace
