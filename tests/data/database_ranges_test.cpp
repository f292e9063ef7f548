// The databases' numbers that play computes with are loaded into their ranges: an effect
// kind's parameters into the ranges of the kind's table, times, pictures, offsets and sizes
// into ranges that keep play's arithmetic defined. A value outside is clamped to the
// nearer end with one report line naming the file, the entry and the member; values inside
// are left alone, and a parameter slot the kind does not read is never touched.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/database/database.h"
#include "platform/message_queue.h"
#include "tests/data/range_report_support.h"
#include "tests/support/database_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace range_test;

class DatabaseRangesTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bStripCR = 1;
    g_Database.Reset();
  }
  void TearDown() override {
    g_Database.Reset();
    ClearPostedMessages();
    cTempDirTest::TearDown();
  }
};

TEST_F(DatabaseRangesTest, NumbersOutsideTheirRangesAreClampedWithOneLineEach) {
  using Member = std::int32_t& (*)(cDatabase&);
  const struct {
    Member member;
    std::int32_t nIn, nOut;
    const char* lpFile;
    const char* lpLine;  // after "<file> : "; null when nothing is reported
  } cases[] = {
      {[](cDatabase& d) -> std::int32_t& { return d.m_Anime[1].m_vFrame[0].m_nTime; }, INT32_MIN, 0,
       "data\\database\\Anime.dat", "[1].m_vFrame[0].m_nTime の値 -2147483648 は範囲 0 ～ 9999 の外のため 0 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_Anime[1].m_vFrame[0].m_nPattern; }, INT32_MAX, 65535,
       "data\\database\\Anime.dat",
       "[1].m_vFrame[0].m_nPattern の値 2147483647 は範囲 0 ～ 65535 の外のため 65535 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_Anime[1].m_vFrame[0].m_nTime; }, 9999, 9999,
       "data\\database\\Anime.dat", nullptr},
      {[](cDatabase& d) -> std::int32_t& { return d.m_AnimeSet[0].m_nInvincibleOffset; }, INT32_MIN, -65535,
       "data\\database\\AnimeSet.dat",
       "[0].m_nInvincibleOffset の値 -2147483648 は範囲 -65535 ～ 65535 の外のため -65535 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_AnimeSet[0].m_vState[2].m_vFrame[0].m_nTime; }, -1, 0,
       "data\\database\\AnimeSet.dat",
       "[0].m_vState[2].m_vFrame[0].m_nTime の値 -1 は範囲 0 ～ 9999 の外のため 0 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_SwordType[0].m_vFrame[0].m_nOffsetX; }, INT32_MIN, -4096,
       "data\\database\\SwordType.dat",
       "[0].m_vFrame[0].m_nOffsetX の値 -2147483648 は範囲 -4096 ～ 4096 の外のため -4096 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_SwordType[0].m_vFrame[0].m_nWidth; }, INT32_MAX, 4096,
       "data\\database\\SwordType.dat",
       "[0].m_vFrame[0].m_nWidth の値 2147483647 は範囲 0 ～ 4096 の外のため 4096 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_Effect[1].m_nWidth; }, 0, 1, "data\\database\\Effect.dat",
       "[1].m_nWidth の値 0 は範囲 1 ～ 4096 の外のため 1 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_Effect[1].m_vFrame[0].m_nTime; }, INT32_MAX, 9999,
       "data\\database\\Effect.dat", "[1].m_vFrame[0].m_nTime の値 2147483647 は範囲 0 ～ 9999 の外のため 9999 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_CharaEffect[1].m_nKind; }, 40, 16,
       "data\\database\\CharaEffect.dat", "[1].m_nKind の値 40 は範囲 0 ～ 16 の外のため 16 にしました"},
      // Kind 6 (blink) reads its time and its interval, 1 to 9999 each.
      {[](cDatabase& d) -> std::int32_t& { return d.m_CharaEffect[1].m_nParam[1]; }, INT32_MIN, 1,
       "data\\database\\CharaEffect.dat",
       "[1].m_nParam[1] の値 -2147483648 は範囲 1 ～ 9999 の外のため 1 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_CharaEffect[1].m_nParam[3]; }, INT32_MIN, INT32_MIN,
       "data\\database\\CharaEffect.dat", nullptr},
      // Screen kind 1 reads its time from slot 0.
      {[](cDatabase& d) -> std::int32_t& { return d.m_ScrEffect[1].m_nParam[0]; }, 0, 1,
       "data\\database\\ScrEffect.dat", "[1].m_nParam[0] の値 0 は範囲 1 ～ 9999 の外のため 1 にしました"},
      {[](cDatabase& d) -> std::int32_t& { return d.m_ScrEffect[1].m_nKind; }, -3, 0,
       "data\\database\\ScrEffect.dat", "[1].m_nKind の値 -3 は範囲 0 ～ 13 の外のため 0 にしました"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.lpLine ? c.lpLine : "in range") << " " << c.nIn);
    cDatabase made;
    made.m_CharaEffect[1].m_nKind = 6;
    made.m_CharaEffect[1].m_nParam[0] = 10;
    made.m_CharaEffect[1].m_nParam[1] = 2;
    made.m_CharaEffect[1].m_nParam[2] = 1;  // unread by kind 6, in the range of kind 16
    made.m_ScrEffect[1].m_nKind = 1;
    made.m_ScrEffect[1].m_nParam[0] = 10;
    c.member(made) = c.nIn;
    ASSERT_EQ(SaveDatabaseFiles(made), 1);
    ASSERT_EQ(OpenReportLog(kReportLog), 1);
    ASSERT_EQ(g_Database.Load(), 1);
    EXPECT_EQ(c.member(g_Database), c.nOut);
    const std::vector<std::string> lines = ReportLines();
    if (c.lpLine == nullptr)
      EXPECT_TRUE(lines.empty()) << lines.front();
    else
      EXPECT_EQ(lines, std::vector<std::string>{FileLine(c.lpFile, c.lpLine)});
  }
}

}  // namespace
