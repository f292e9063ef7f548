#pragma once
// Time as the program knows it: a millisecond counter, sleeps and the local date.
#include "platform/win_types.h"

// Milliseconds of a monotonic clock as a wrapping 32-bit count; compare two readings by
// their signed difference.
DWORD timeGetTime();
void Sleep(DWORD milliseconds);
void GetLocalTime(SYSTEMTIME* time);
// The timer resolution is always 1 ms here; kept so that callers read as written. Both
// return TIMERR_NOERROR.
constexpr UINT TIMERR_NOERROR = 0;
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);

// Test seam: a replacement for the millisecond counter; null restores the real one.
using TimeSource = DWORD (*)();
void SetTimeSource(TimeSource source);
