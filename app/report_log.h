#pragma once
// The report log ("Report_Game.txt", always on) and the error-check log (switched off in
// the player). Every call opens its file, appends one line and closes it again, so a log
// survives a crash right after the call. Lines end in CR LF. Formatted texts are bounded
// (1023 characters); longer texts are cut, never overflow.
#include "platform/win_types.h"

constexpr int kLogTextMax = 1023;

int OpenReportLog(const char* path);
int WriteReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
int WriteReportEC(const char* format, ...) __attribute__((format(printf, 1, 2)));
int WriteReportBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The literal text as one report line ("%" is not a conversion).
int WriteReportText(const char* text);

void SetECLog(int enabled, const char* name);
// 1 while the error-check log is switched on.
int IsECLogEnabled();
int WriteEC(const char* text);
int WriteECText(const char* text);
int WriteECf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void WriteECFatal(HWND hwnd, const char* format, ...) __attribute__((format(printf, 2, 3)));
