#include "app/report_log.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "app/bounded_format.h"
#include "app/message_boxes.h"
#include "platform/host_files.h"
#include "platform/message_queue.h"

namespace {

// Report log: remembered once OpenReportLog has created it.
char g_szReportPath[MAX_PATH] = "";

// Error-check log: switched off in the player.
int g_bECLog = 0;
char g_szECPath[MAX_PATH] = "";
// Set by the first line written (even if its file could not be created), so the log
// is truncated at most once per run.
BYTE g_bECOpened = 0;

// The main thread and the game thread both write; one line at a time, so that two
// lines appended at once cannot land on the same end of the file.
std::mutex g_LogMutex;

int ReportLogCopyPath(char (&dest)[MAX_PATH], const char* path) {
  if (path == nullptr) return 0;
  const std::size_t length = std::strlen(path);
  if (length >= MAX_PATH) return 0;
  std::memcpy(dest, path, length + 1);
  return 1;
}

void WriteLine(FILE* file, const char* text) {
  std::fputs(text, file);
  std::fputs("\r\n", file);
}

// The report log exists once OpenReportLog succeeded; appending never creates it.
FILE* OpenReportForAppend() {
  if (g_szReportPath[0] == '\0') return nullptr;
  FILE* file = OpenFile(g_szReportPath, "r+b");
  if (file == nullptr) return nullptr;
  if (std::fseek(file, 0, SEEK_END) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

int WriteECLine(const char* text) {
  if (!g_bECLog) return 0;
  std::lock_guard<std::mutex> lock(g_LogMutex);
  FILE* file = nullptr;
  if (g_bECOpened) {
    file = OpenFile(g_szECPath, "ab");
  } else {
    file = OpenFile(g_szECPath, "wb");
    g_bECOpened = 1;
  }
  if (file == nullptr) return 0;
  WriteLine(file, text);
  std::fclose(file);
  return 1;
}

// Writes text as a report line and then to the error-check log; with box, shows it in
// an error box before the report file is closed.
int WriteReportLineAndEC(const char* text, bool box) {
  FILE* file = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_LogMutex);
    file = OpenReportForAppend();
    if (file == nullptr) return 0;
    WriteLine(file, text);
    // On the disk before anyone else appends, or their line would be overwritten.
    std::fflush(file);
  }
  WriteECLine(text);
  if (box) ErrMesBox(text);
  std::fclose(file);
  return 1;
}

}  // namespace

int OpenReportLog(const char* path) {
  std::lock_guard<std::mutex> lock(g_LogMutex);
  char candidate[MAX_PATH];
  if (!ReportLogCopyPath(candidate, path)) return 0;
  FILE* file = OpenFile(candidate, "wb");
  if (file == nullptr) return 0;
  std::fclose(file);
  std::memcpy(g_szReportPath, candidate, sizeof candidate);
  return 1;
}

int WriteReportText(const char* text) {
  std::lock_guard<std::mutex> lock(g_LogMutex);
  FILE* file = OpenReportForAppend();
  if (file == nullptr) return 0;
  WriteLine(file, text);
  std::fclose(file);
  return 1;
}

int WriteReport(const char* format, ...) {
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return WriteReportText(text);
}

int WriteReportEC(const char* format, ...) {
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return WriteReportLineAndEC(text, false);
}

int WriteReportBox(const char* format, ...) {
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return WriteReportLineAndEC(text, true);
}

void SetECLog(int enabled, const char* name) {
  std::lock_guard<std::mutex> lock(g_LogMutex);
  g_bECLog = enabled;
  if (!ReportLogCopyPath(g_szECPath, name)) g_szECPath[0] = '\0';
}

int IsECLogEnabled() { return g_bECLog; }

int WriteEC(const char* text) { return WriteECLine(text); }

int WriteECText(const char* text) { return WriteECLine(text); }

int WriteECf(const char* format, ...) {
  if (!g_bECLog) return 0;
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return WriteECLine(text);
}

void WriteECFatal(HWND hwnd, const char* format, ...) {
  if (g_bECLog) {
    char text[kLogTextMax + 1];
    FORMAT_BOUNDED_ARGS(text, format);
    WriteECLine(text);
  }
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
}
