// The window record: kept across runs, clamped into the screen, and a damaged file that
// leaves the defaults and is reported, never deleted.
#include "shell/window_data.h"

#include <gtest/gtest.h>

#include <string>

#include "app/report_log.h"
#include "platform/screen_metrics.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char* kPath = "user_data\\Window.dat";

class WindowDataTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
    OverrideScreenMetrics(1280, 1000);
    MakeFile("user_data/keep", "");
  }
  void TearDown() override {
    OverrideScreenMetrics(0, 0);
    cTempDirTest::TearDown();
  }
  static int Save(int x, int y, int w, int h, int maximized) {
    cWindowData data;
    data.Set(x, y, w, h, maximized);
    return data.SaveToFile(kPath);
  }
};

TEST_F(WindowDataTest, APositionIsKeptAndClampedIntoTheScreen) {
  struct Case {
    int x, y;
    int wantX, wantY;
  };
  const Case cases[] = {{100, 200, 100, 200}, {5000, -30, 1280, 0}, {-1, 4000, 0, 1000}};
  for (const Case& c : cases) {
    ASSERT_EQ(Save(c.x, c.y, 800, 600, 1), 1);
    cWindowData data;
    ASSERT_EQ(data.LoadFromFile(kPath), 1);
    EXPECT_EQ(data.m_nX, c.wantX) << c.x;
    EXPECT_EQ(data.m_nY, c.wantY) << c.y;
    EXPECT_EQ(data.m_nWidth, 800);
    EXPECT_EQ(data.m_nHeight, 600);
    EXPECT_EQ(data.m_bMaximized, 1);
  }
}

TEST_F(WindowDataTest, ADamagedFileLeavesTheDefaultsIsReportedAndStaysOnDisk) {
  ASSERT_EQ(Save(100, 200, 800, 600, 1), 1);
  std::string bytes = ReadBytes("user_data/Window.dat");
  ASSERT_GT(bytes.size(), 8u);
  bytes.resize(bytes.size() - 6);  // cut inside the width
  MakeFile("user_data/Window.dat", bytes);
  cWindowData data;
  EXPECT_EQ(data.LoadFromFile(kPath), 0);
  EXPECT_EQ(data.m_nX, 0);  // not a position from the damaged file with a size from nowhere
  EXPECT_EQ(data.m_nWidth, 0);
  EXPECT_NE(ReadBytes("Report_Game.txt").find("Window.dat"), std::string::npos);
  EXPECT_EQ(ReadBytes("user_data/Window.dat"), bytes);
}

}  // namespace
