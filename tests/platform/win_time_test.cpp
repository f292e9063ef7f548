#include "platform/win_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace {

DWORD FixedClock() { return 123456u; }

// Days since 1970-01-01 of a civil date, for the day of the week.
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

TEST(WinTime, TimeSourceSeam) {
  SetTimeSource(FixedClock);
  EXPECT_EQ(timeGetTime(), 123456u);
  SetTimeSource(nullptr);
  const DWORD a = timeGetTime();
  const DWORD b = timeGetTime();
  EXPECT_GE(static_cast<std::int32_t>(b - a), 0);  // monotonic, compared by signed difference
}

// A sleep lasts at least as long as asked (a shorter one would let the frame loop run
// ahead); Sleep(0) only gives up the time slice and comes back.
TEST(WinTime, SleepLastsAtLeastItsTime) {
  SetTimeSource(nullptr);
  Sleep(0);
  for (const DWORD milliseconds : {1u, 20u}) {
    const DWORD start = timeGetTime();
    Sleep(milliseconds);
    EXPECT_GE(static_cast<std::int32_t>(timeGetTime() - start), static_cast<std::int32_t>(milliseconds));
  }
}

TEST(WinTime, PeriodCallsReportNoError) {
  EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOERROR);
  EXPECT_EQ(timeEndPeriod(1), TIMERR_NOERROR);
}

TEST(WinTime, LocalTimeFieldsArePlausible) {
  const std::time_t before = std::time(nullptr);
  SYSTEMTIME t;
  GetLocalTime(&t);
  const std::time_t after = std::time(nullptr);
  EXPECT_GE(t.wYear, 2024);
  EXPECT_LE(t.wYear, 2200);
  EXPECT_GE(t.wMonth, 1);
  EXPECT_LE(t.wMonth, 12);
  EXPECT_GE(t.wDay, 1);
  EXPECT_LE(t.wDay, 31);
  EXPECT_LE(t.wDayOfWeek, 6);
  EXPECT_LE(t.wHour, 23);
  EXPECT_LE(t.wMinute, 59);
  EXPECT_LE(t.wSecond, 59);
  EXPECT_LE(t.wMilliseconds, 999);
  // 1970-01-01 was a Thursday (4); wDayOfWeek counts from Sunday = 0.
  const long days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
  EXPECT_EQ(t.wDayOfWeek, static_cast<WORD>(((days % 7) + 7 + 4) % 7));
  // The same date as the C library's local time, read just before or just after.
  bool sameAsBefore = false, sameAsAfter = false;
  for (std::time_t moment : {before, after}) {
    const std::tm local = *std::localtime(&moment);
    const bool same = local.tm_year + 1900 == t.wYear && local.tm_mon + 1 == t.wMonth &&
                      local.tm_mday == t.wDay && local.tm_hour == t.wHour && local.tm_min == t.wMinute;
    (moment == before ? sameAsBefore : sameAsAfter) = same;
  }
  EXPECT_TRUE(sameAsBefore || sameAsAfter);
}

// Run in a process of its own, so that a write through the null pointer fails this test
// alone, with its signal named.
TEST(WinTime, NullLocalTimeIsIgnored) {
  EXPECT_EXIT(
      {
        GetLocalTime(nullptr);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}
