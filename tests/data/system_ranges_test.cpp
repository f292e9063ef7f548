// System.dat's numbers that the game computes with are read into their ranges: a value
// outside is clamped to the nearer end with one report line naming the file, the member
// and the value found; values inside are left alone; members with a rule of their own for
// other values keep it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "data/common/database_list_sizes.h"
#include "data/system/system_data.h"
#include "tests/data/range_report_support.h"
#include "tests/support/database_sizes_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace range_test;

constexpr const char* kSystemRangesFile = "data\\System.dat";

class SystemRangesTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    SetDatabaseSize(DBKIND_BGM, 4);
  }
  void TearDown() override {
    RestoreDatabaseAndPalettes();
    g_nFileVersion = g_nDataVersion;
    cTempDirTest::TearDown();
  }
};

TEST_F(SystemRangesTest, NumbersOutsideTheirRangesAreClampedWithOneLineEach) {
  using Member = std::int32_t& (*)(cSystemData&);
  const struct {
    Member member;
    std::int32_t nIn, nOut;
    const char* lpLine;  // after "<file> : "; null when nothing is reported
  } cases[] = {
      {[](cSystemData& s) -> std::int32_t& { return s.m_nColorAnimeSpeed; }, INT32_MIN, 0,
       "m_nColorAnimeSpeed の値 -2147483648 は範囲 0 ～ 255 の外のため 0 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_nColorAnimeSpeed; }, 300, 255,
       "m_nColorAnimeSpeed の値 300 は範囲 0 ～ 255 の外のため 255 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_nColorAnimeSpeed; }, 16, 16, nullptr},
      {[](cSystemData& s) -> std::int32_t& { return s.m_nExtraLifeScore; }, INT32_MIN, 0,
       "m_nExtraLifeScore の値 -2147483648 は範囲 0 ～ 2147483647 の外のため 0 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_nExtraLifeScore; }, INT32_MAX, INT32_MAX, nullptr},
      {[](cSystemData& s) -> std::int32_t& { return s.m_nChallengeCount; }, INT32_MAX, 999,
       "m_nChallengeCount の値 2147483647 は範囲 0 ～ 999 の外のため 999 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_Lives[2]; }, INT32_MIN, 0,
       "m_Lives[2] の値 -2147483648 は範囲 0 ～ 99 の外のため 0 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_Lives[0]; }, 100, 99,
       "m_Lives[0] の値 100 は範囲 0 ～ 99 の外のため 99 にしました"},
      {[](cSystemData& s) -> std::int32_t& { return s.m_Lives[3]; }, 99, 99, nullptr},
      {[](cSystemData& s) -> std::int32_t& { return s.m_StatusItems[3].m_nDigits; }, INT32_MAX, 32,
       "m_StatusItems[3].m_nDigits の値 2147483647 は範囲 0 ～ 32 の外のため 32 にしました"},
      // A colour depth has a rule of its own: an unknown one counts as 32 bits.
      {[](cSystemData& s) -> std::int32_t& { return s.m_nDepthDD; }, INT32_MIN, INT32_MIN, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.lpLine ? c.lpLine : "in range") << " " << c.nIn);
    cSystemData made;
    c.member(made) = c.nIn;
    cSystemData system;
    const std::vector<std::string> lines = ReadReporting(system, WrittenBody(made), kSystemRangesFile);
    EXPECT_EQ(c.member(system), c.nOut);
    if (c.lpLine == nullptr)
      EXPECT_TRUE(lines.empty()) << lines.front();
    else
      EXPECT_EQ(lines, std::vector<std::string>{FileLine(kSystemRangesFile, c.lpLine)});
  }
}

}  // namespace
