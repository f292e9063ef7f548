// A stage whose structure is sound but whose numbers are absurd (a gravity of NaN, sizes
// and times at the ends of the int32) is read into numbers play can compute with: each
// value outside its range is clamped into it (a NaN or an infinity takes the member's
// default) with one report line naming the file, the member and the value found; values
// inside their ranges are left alone and reported by nobody.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "data/stage/stage_data.h"
#include "tests/data/range_report_support.h"
#include "tests/data/stage_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stage_test;

constexpr const char* kStageRangesFile = "data\\stg4\\odd.stg4_811";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class StageRangesTest : public cStageTest {
 protected:
  static std::vector<std::string> ReadReporting(cStageData& stage, const std::vector<std::uint8_t>& body) {
    return range_test::ReadReporting(stage, body, kStageRangesFile);
  }

  cTempFolder m_Folder{"stage_ranges"};
};

// A registered member of a version-811 body, found by the table of stored members.
double StoredValue(const std::vector<std::uint8_t>& body, const std::string& name) {
  std::size_t at = 4;  // the member count
  for (const cStoredMember& m : kMembers) {
    const std::size_t size = m.bDouble ? sizeof(double) : sizeof(std::int32_t);
    if (name == m.lpName) {
      if (m.bDouble) {
        double d = 0;
        std::memcpy(&d, body.data() + at, size);
        return d;
      }
      std::int32_t n = 0;
      std::memcpy(&n, body.data() + at, size);
      return n;
    }
    at += size;
  }
  ADD_FAILURE() << name << " is not a stored member";
  return 0;
}

std::string Line(const std::string& rest) { return range_test::FileLine(kStageRangesFile, rest); }

TEST_F(StageRangesTest, SettingsOutsideTheirRangesAreClampedWithOneLineEach) {
  const struct {
    const char* lpMember;
    double dIn;
    double dOut;
    const char* lpLine;  // after "<file> : "; null when nothing is reported
  } cases[] = {
      {"m_dGravity", kNaN, 0.4, "m_dGravity の値 nan は有限の数ではないため既定値 0.4 にしました"},
      {"m_dGravity", kInf, 0.4, "m_dGravity の値 inf は有限の数ではないため既定値 0.4 にしました"},
      {"m_dGravity", -kInf, 0.4, "m_dGravity の値 -inf は有限の数ではないため既定値 0.4 にしました"},
      {"m_dGravity", 1e9, 60.0, "m_dGravity の値 1e+09 は範囲 -60 ～ 60 の外のため 60 にしました"},
      {"m_dGravity", -1e308, -60.0, "m_dGravity の値 -1e+308 は範囲 -60 ～ 60 の外のため -60 にしました"},
      {"m_dGravity", 0.4, 0.4, nullptr},
      {"m_dGravity", -2.5, -2.5, nullptr},
      {"m_nPlayerWalkW", INT32_MIN, 1, "m_nPlayerWalkW の値 -2147483648 は範囲 1 ～ 1024 の外のため 1 にしました"},
      {"m_nPlayerWalkH", INT32_MAX, 1024,
       "m_nPlayerWalkH の値 2147483647 は範囲 1 ～ 1024 の外のため 1024 にしました"},
      {"m_nCharaWalkW", 0, 1, "m_nCharaWalkW の値 0 は範囲 1 ～ 1024 の外のため 1 にしました"},
      {"m_nCharaHitWalkW", INT32_MIN, 0,
       "m_nCharaHitWalkW の値 -2147483648 は範囲 0 ～ 1024 の外のため 0 にしました"},
      {"m_nCharaHitWalkW", 0, 0, nullptr},
      {"m_nPlayerHitKind2H", INT32_MAX, 1024,
       "m_nPlayerHitKind2H の値 2147483647 は範囲 0 ～ 1024 の外のため 1024 にしました"},
      {"m_nItemW", INT32_MIN, 1, "m_nItemW の値 -2147483648 は範囲 1 ～ 1024 の外のため 1 にしました"},
      {"m_nItemH", 32, 32, nullptr},
      {"m_nCharaKeyedInvincible", INT32_MIN, 0,
       "m_nCharaKeyedInvincible の値 -2147483648 は範囲 0 ～ 99999 の外のため 0 にしました"},
      {"m_nPlayerInvincible", INT32_MAX, 99999,
       "m_nPlayerInvincible の値 2147483647 は範囲 0 ～ 99999 の外のため 99999 にしました"},
      {"m_nCollisionLevel", 0, 1, "m_nCollisionLevel の値 0 は範囲 1 ～ 19 の外のため 1 にしました"},
      {"m_nCollisionLevel", 25, 19, "m_nCollisionLevel の値 25 は範囲 1 ～ 19 の外のため 19 にしました"},
      {"m_nHitChecksPerFrame", -1, 0, "m_nHitChecksPerFrame の値 -1 は範囲 0 ～ 5 の外のため 0 にしました"},
      {"m_nStageFps", 0, 1, "m_nStageFps の値 0 は範囲 1 ～ 1000 の外のため 1 にしました"},
      {"m_nTimeLimit", 5000, 999, "m_nTimeLimit の値 5000 は範囲 0 ～ 999 の外のため 999 にしました"},
      {"m_nTimeWarning", INT32_MIN, 0, "m_nTimeWarning の値 -2147483648 は範囲 0 ～ 999 の外のため 0 にしました"},
      {"m_nAutoScrollX", INT32_MAX, 6400,
       "m_nAutoScrollX の値 2147483647 は範囲 -6400 ～ 6400 の外のため 6400 にしました"},
      // A scroll limit above the stage is pulled in by the repairs of the stage itself,
      // silently; below it only the int32's far end is out of range.
      {"m_nLimitTop", -20, -20, nullptr},
      {"m_nLimitTop", INT32_MIN, -32767,
       "m_nLimitTop の値 -2147483648 は範囲 -32767 ～ 32767 の外のため -32767 にしました"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lpMember << " = " << c.dIn);
    cStageData stage;
    const std::vector<std::string> lines = ReadReporting(stage, StageBody(g_nDataVersion, {{c.lpMember, c.dIn}}));
    const double value = StoredValue(BodyOf(stage), c.lpMember);
    EXPECT_EQ(value, c.dOut);
    if (c.lpLine == nullptr) {
      EXPECT_TRUE(lines.empty()) << lines.front();
    } else {
      EXPECT_EQ(lines, std::vector<std::string>{Line(c.lpLine)});
    }
  }
}

TEST_F(StageRangesTest, TheGravityStepFollowsTheRepairedGravity) {
  cStageData stage;
  ReadReporting(stage, StageBody(g_nDataVersion, {{"m_dGravity", kNaN}, {"m_nCollisionLevel", 0}}));
  EXPECT_EQ(stage.m_nSubSteps, 1);
  EXPECT_EQ(stage.m_dGravityStep, 0.4);
}

TEST_F(StageRangesTest, RangesAndBackgroundsAreClampedPerElement) {
  cStageData made;
  made.m_OutRange[OUTRANGE_ITEM].m_nLeft = INT32_MIN;
  made.m_OutRange[OUTRANGE_PLAYER_SHOT].m_nBottom = 40000;
  made.m_vBack.resize(2, made.m_vBack[0]);
  made.m_vBack[1].m_dSpeedX = kNaN;
  made.m_vBack[1].m_dPosY = -1e12;
  made.m_vBack[0].m_dSpeedY = 2.5;

  cStageData stage;
  const std::vector<std::string> lines = ReadReporting(stage, BodyOf(made));
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_ITEM].m_nLeft, -32767);
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_PLAYER_SHOT].m_nBottom, 32767);
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_PLAYER_SHOT].m_nTop, 10);
  EXPECT_EQ(stage.m_vBack[1].m_dSpeedX, 0.1);
  EXPECT_EQ(stage.m_vBack[1].m_dPosY, -1048576.0);
  EXPECT_EQ(stage.m_vBack[0].m_dSpeedY, 2.5);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       Line("m_OutRange[2].m_nLeft の値 -2147483648 は範囲 -32767 ～ 32767 の外のため -32767 にしました"),
                       Line("m_OutRange[4].m_nBottom の値 40000 は範囲 -32767 ～ 32767 の外のため 32767 にしました"),
                       Line("m_vBack[1].m_dSpeedX の値 nan は有限の数ではないため既定値 0.1 にしました"),
                       Line("m_vBack[1].m_dPosY の値 -1e+12 は範囲 -1.04858e+06 ～ 1.04858e+06 の外のため "
                            "-1.04858e+06 にしました"),
                   }));
}

TEST_F(StageRangesTest, ANewStageIsInRangeAndReportsNothing) {
  cStageData made;
  cStageData stage;
  EXPECT_TRUE(ReadReporting(stage, BodyOf(made)).empty());
  EXPECT_TRUE(stage.SameMembersAs(made));
}

// Data read in memory without a file (the integrity check of a replay's stage body) is
// repaired the same way but reports nothing: the load that follows reports.
TEST_F(StageRangesTest, DataWithoutAFileNameIsRepairedSilently) {
  ASSERT_EQ(OpenReportLog(range_test::kReportLog), 1);
  cStageData stage;
  ASSERT_TRUE(ReadAt(stage, g_nDataVersion, StageBody(g_nDataVersion, {{"m_nItemW", INT32_MIN}})));
  EXPECT_EQ(stage.m_nItemW, 1);
  EXPECT_TRUE(range_test::ReportLines().empty());
}

}  // namespace
