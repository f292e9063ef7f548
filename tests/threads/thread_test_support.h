#pragma once
// The fixture of the thread tests: a main window with a recording procedure, a clean
// main queue and no shutdown, before and after each test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/message_queue.h"
#include "platform/threads.h"
#include "platform/win_time.h"

namespace thread_test {

inline HWND TestWindow() { return reinterpret_cast<HWND>(std::uintptr_t{0x7000}); }

// What the main window's procedure was called with, in order.
struct cProcLog {
  std::mutex Lock;
  std::vector<UINT> Messages;
  void Add(UINT message) {
    std::lock_guard<std::mutex> lock(Lock);
    Messages.push_back(message);
  }
  std::vector<UINT> Get() {
    std::lock_guard<std::mutex> lock(Lock);
    return Messages;
  }
};

inline cProcLog& ProcLog() {
  static cProcLog log;
  return log;
}

// Answers a sent message with its wParam doubled.
inline LRESULT RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  ProcLog().Add(message);
  return static_cast<LRESULT>(wParam * 2);
}

class cThreadTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    ResetShutdown();
    SetMainWindowHandle(TestWindow());
    SetMainWindowProc(RecordingProc);
    ClearPostedMessages();
    std::lock_guard<std::mutex> lock(ProcLog().Lock);
    ProcLog().Messages.clear();
  }
  // Polls `done` in 1 ms sleeps for at most `ms` milliseconds; the result of the last look.
  template <typename Done>
  static bool Eventually(Done done, int ms = 5000) {
    for (int i = 0; i < ms; ++i) {
      if (done()) return true;
      Sleep(1);
    }
    return done();
  }
};

}  // namespace thread_test
