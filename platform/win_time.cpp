#include "platform/win_time.h"

// <chrono> is not included: under -fexec-charset=CP932 GCC 12 rejects its "\u00b5s" suffix.
#include <sched.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "platform/threads.h"

namespace {

std::atomic<TimeSource> g_timeSource{nullptr};

DWORD MonotonicMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<DWORD>(ms);  // wraps every 49.7 days, as on Windows
}

}  // namespace

DWORD timeGetTime() {
  if (const TimeSource source = g_timeSource.load(std::memory_order_acquire)) return source();
  return MonotonicMilliseconds();
}

// A sleep is a point where a suspended thread stops and a thread asked to end unwinds.
void Sleep(DWORD milliseconds) {
  PassThreadGate();
  if (milliseconds == 0) {
    sched_yield();  // gives up the rest of the time slice, as Sleep(0) does
    return;
  }
  timespec rest{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
  }
  PassThreadGate();
}

void GetLocalTime(SYSTEMTIME* time) {
  if (time == nullptr) return;
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  const time_t seconds = now.tv_sec;
  localtime_r(&seconds, &local);
  time->wYear = static_cast<WORD>(local.tm_year + 1900);
  time->wMonth = static_cast<WORD>(local.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(local.tm_wday);  // 0 = Sunday, as on Windows
  time->wDay = static_cast<WORD>(local.tm_mday);
  time->wHour = static_cast<WORD>(local.tm_hour);
  time->wMinute = static_cast<WORD>(local.tm_min);
  time->wSecond = static_cast<WORD>(local.tm_sec > 59 ? 59 : local.tm_sec);  // no leap second
  time->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}

UINT timeBeginPeriod(UINT /*period*/) { return TIMERR_NOERROR; }
UINT timeEndPeriod(UINT /*period*/) { return TIMERR_NOERROR; }

void SetTimeSource(TimeSource source) { g_timeSource.store(source, std::memory_order_release); }
