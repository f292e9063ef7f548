// The per-thread queues, the send to the main window, the suspension gate and the
// cooperative end of a thread, at the level of the platform layer.
#include <atomic>
#include <thread>

#include "tests/threads/thread_test_support.h"

using thread_test::cThreadTest;
using thread_test::ProcLog;
using thread_test::TestWindow;

namespace {

class PlatformThreads : public cThreadTest {};

// Takes messages until WM_QUIT; returns the sum of the wParams taken before it.
unsigned SumUntilQuit(void*) {
  unsigned sum = 0;
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0)) sum += static_cast<unsigned>(msg.wParam);
  return sum;
}

// Sleeps in 1 ms steps, counting, and never looks at its queue.
unsigned CountForever(void* arg) {
  auto* counter = static_cast<std::atomic<int>*>(arg);
  for (;;) {
    counter->fetch_add(1);
    Sleep(1);
  }
}

DWORD JoinAndExitCode(HTHREAD thread) {
  EXPECT_EQ(WaitForThread(thread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_EQ(GetExitCodeThread(thread, &code), 1);
  CloseThreadHandle(thread);
  return code;
}

}  // namespace

TEST_F(PlatformThreads, TheFirstPostToANewThreadArrives) {
  // The queue exists before the routine runs: posts made right after the start, before
  // the thread has run at all, are all taken, and in order.
  for (int round = 0; round < 20; ++round) {
    DWORD id = 0;
    HTHREAD thread = BeginThread(SumUntilQuit, nullptr, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(PostThreadMessageA(id, WM_USER, 5, 0), 1);
    EXPECT_EQ(PostThreadMessageA(id, WM_USER, 7, 0), 1);
    EXPECT_EQ(PostThreadMessageA(id, WM_QUIT, 100, 0), 1);
    EXPECT_EQ(JoinAndExitCode(thread), 12u);
  }
}

TEST_F(PlatformThreads, PostsToEndedOrUnknownThreadsFail) {
  DWORD id = 0;
  HTHREAD thread = BeginThread(SumUntilQuit, nullptr, &id);
  ASSERT_NE(thread, nullptr);
  PostThreadMessageA(id, WM_QUIT, 0, 0);
  JoinAndExitCode(thread);
  EXPECT_EQ(PostThreadMessageA(id, WM_USER, 0, 0), 0);
  EXPECT_EQ(PostThreadMessageA(0xFFFFFF00u, WM_USER, 0, 0), 0);
  EXPECT_EQ(BeginThread(nullptr, nullptr, &id), nullptr);
  EXPECT_EQ(WaitForThread(nullptr, 0), WAIT_FAILED);
}

TEST_F(PlatformThreads, PeekFiltersKeepsOrGetsAndQuitEndsGet) {
  // On the main thread: messages posted to the window and to the thread share its queue.
  PostMessageA(nullptr, WM_USER + 1, 1, 0);
  PostThreadMessageA(GetCurrentThreadId(), WM_USER + 2, 2, 0);
  PostMessageA(TestWindow(), WM_USER + 3, 3, 0);
  MSG msg{};
  ASSERT_EQ(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE), 1);
  EXPECT_EQ(msg.message, WM_USER + 2);
  EXPECT_EQ(msg.hwnd, nullptr);  // a thread message has no window
  ASSERT_EQ(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE), 1);
  EXPECT_EQ(msg.hwnd, TestWindow());
  ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), 1);
  EXPECT_EQ(msg.message, WM_USER + 1);
  EXPECT_EQ(msg.hwnd, TestWindow());  // posted to the null handle, it is the window's
  EXPECT_EQ(DispatchMessageA(&msg), 2);  // the procedure's answer
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER + 2);
  EXPECT_EQ(DispatchMessageA(&msg), 0);  // nothing dispatches a thread message
  EXPECT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), 0);
  PostQuitMessage(3);
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

std::atomic<int> g_wakes{0};
void CountWake() { g_wakes.fetch_add(1); }

TEST_F(PlatformThreads, SentMessagesAreServedBeforePostedOnesAndAnswered) {
  // The main loop's own event wait is woken for every post and send to the main thread.
  g_wakes = 0;
  SetMainQueueWakeHook(CountWake);
  PostMessageA(nullptr, WM_USER + 1, 0, 0);
  std::atomic<LRESULT> answer{-1};
  std::thread sender([&answer] { answer = SendMessageA(TestWindow(), WM_USER + 9, 21, 0); });
  // The send is served at a peek of the main thread, before the posted message is given.
  ASSERT_TRUE(Eventually([] {
    MSG peeked{};
    PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
    return !ProcLog().Get().empty();
  }));
  sender.join();
  EXPECT_EQ(answer.load(), 42);
  MSG msg{};
  ASSERT_EQ(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), 1);
  EXPECT_EQ(msg.message, WM_USER + 1);
  EXPECT_EQ(ProcLog().Get(), (std::vector<UINT>{WM_USER + 9}));  // the posted one was not dispatched
  EXPECT_EQ(g_wakes.load(), 2);
  SetMainQueueWakeHook(nullptr);
}

TEST_F(PlatformThreads, GetAndWaitServeSendsWhileTheyWait) {
  std::thread sender([] {
    EXPECT_EQ(SendMessageA(TestWindow(), WM_USER + 5, 4, 0), 8);
    PostMessageA(nullptr, WM_USER + 6, 0, 0);
    EXPECT_EQ(SendMessageA(TestWindow(), WM_USER + 7, 1, 0), 2);
    PostMessageA(nullptr, WM_QUIT, 0, 0);
  });
  EXPECT_EQ(WaitMessage(), 1);  // serves the first send, returns for the posted message
  MSG msg{};
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER + 6);
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);  // serves the second send on its way
  sender.join();
  EXPECT_EQ(ProcLog().Get(), (std::vector<UINT>{WM_USER + 5, WM_USER + 7}));
}

// Each send lands between the main thread's serving and its wait at some point in a long
// run of round trips; none may be left waiting. A watchdog posts a nudge (which would free
// a forgotten send) only when the run has stalled, and a stall is the fault.
TEST_F(PlatformThreads, ALongRunOfSendsToAWaitingMainThreadNeverStalls) {
  constexpr int kSends = 20000;
  std::atomic<int> answered{0};
  std::atomic<bool> finished{false};
  std::thread sender([&] {
    for (int i = 0; i < kSends; ++i) {
      if (SendMessageA(TestWindow(), WM_USER + 5, 1, 0) == 2) ++answered;
    }
    finished = true;
    PostMessageA(nullptr, WM_QUIT, 0, 0);
  });
  std::atomic<int> nudges{0};
  std::thread watchdog([&] {
    int last = -1;
    while (!finished) {
      Sleep(500);
      const int now = answered.load();
      if (now == last && !finished) {
        ++nudges;
        PostMessageA(nullptr, WM_USER + 6, 0, 0);
      }
      last = now;
    }
  });
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0)) {
  }
  sender.join();
  watchdog.join();
  EXPECT_EQ(answered.load(), kSends);
  EXPECT_EQ(nudges.load(), 0);
}

TEST_F(PlatformThreads, SendsAreRefusedOrCalledDirectly) {
  // On the main thread the procedure is called at once; other handles are refused.
  EXPECT_EQ(SendMessageA(TestWindow(), WM_USER, 10, 0), 20);
  EXPECT_EQ(SendMessageA(nullptr, WM_USER, 10, 0), 0);
  EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(std::uintptr_t{0x99}), WM_USER, 10, 0), 0);
  EXPECT_EQ(ProcLog().Get().size(), 1u);
}

TEST_F(PlatformThreads, ShutdownReleasesABlockedSenderAndRefusesNewOnes) {
  std::atomic<int> state{0};
  std::thread sender([&state] {
    state = 1;
    const LRESULT result = SendMessageA(TestWindow(), WM_USER, 1, 0);
    state = result == 0 ? 2 : 3;
    state = SendMessageA(TestWindow(), WM_USER, 1, 0) == 0 ? 4 : 5;
  });
  ASSERT_TRUE(Eventually([&state] { return state.load() == 1; }));
  Sleep(20);  // the main thread serves nothing: the sender stays blocked
  EXPECT_EQ(state.load(), 1);
  BeginShutdown();
  sender.join();
  EXPECT_EQ(state.load(), 4);
  // The message given up is not served later.
  MSG msg{};
  PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
  EXPECT_TRUE(ProcLog().Get().empty());
}

TEST_F(PlatformThreads, ASuspendedThreadStopsAtItsNextCallAndGoesOnWhenResumed) {
  std::atomic<int> counter{0};
  HTHREAD thread = BeginThread(CountForever, &counter, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(Eventually([&counter] { return counter.load() > 3; }));
  EXPECT_EQ(SuspendThread(thread), 0u);
  EXPECT_EQ(SuspendThread(thread), 1u);  // counted
  Sleep(50);
  const int stopped = counter.load();
  Sleep(50);
  EXPECT_EQ(counter.load(), stopped);
  EXPECT_EQ(ResumeThread(thread), 2u);
  Sleep(30);
  EXPECT_EQ(counter.load(), stopped);  // still suspended once
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_TRUE(Eventually([&] { return counter.load() > stopped; }));
  EXPECT_EQ(ResumeThread(thread), 0u);  // not suspended: nothing to undo
  RequestThreadKill(thread);
  EXPECT_EQ(JoinAndExitCode(thread), kKilledThreadExitCode);
  EXPECT_EQ(SuspendThread(nullptr), static_cast<DWORD>(-1));
  EXPECT_EQ(ResumeThread(nullptr), static_cast<DWORD>(-1));
}

namespace {

std::atomic<int> g_swallowed{0};
std::atomic<int> g_unwound{0};
// Set by each routine once it runs, so the kill is requested only after the routine has
// begun (a busy machine may start a thread late).
std::atomic<int> g_started{0};

// Sleeps in its destructor, as cleanup code may: during the unwinding that must not
// throw again.
struct cMessageUnwindWitness {
  ~cMessageUnwindWitness() {
    Sleep(1);
    g_unwound.fetch_add(1);
  }
};

// Catches everything once, as careless code might; the kill still ends it.
unsigned SwallowOnce(void*) {
  cMessageUnwindWitness witness;
  g_started = 1;
  try {
    for (;;) Sleep(1);
  } catch (...) {
    g_swallowed.fetch_add(1);
  }
  for (;;) Sleep(1);
}

unsigned BlockedInGet(void*) {
  cMessageUnwindWitness witness;
  g_started = 1;
  MSG msg{};
  GetMessageA(&msg, nullptr, WM_USER + 50, WM_USER + 50);  // never posted
  return 1;
}

unsigned BlockedInSend(void*) {
  cMessageUnwindWitness witness;
  g_started = 1;
  SendMessageA(TestWindow(), WM_USER, 0, 0);  // the main thread never serves it
  return 1;
}

}  // namespace

TEST_F(PlatformThreads, AKilledThreadUnwindsWhereverItWaitsInTheLayer) {
  const struct {
    const char* name;
    THREADROUTINE routine;
    int swallowed;
  } cases[] = {
      {"swallowed by a catch-all", SwallowOnce, 1},
      {"blocked in GetMessage", BlockedInGet, 0},
      {"blocked in a send", BlockedInSend, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_swallowed = 0;
    g_unwound = 0;
    g_started = 0;
    HTHREAD thread = BeginThread(c.routine, nullptr, nullptr);
    ASSERT_NE(thread, nullptr);
    while (g_started.load() == 0) Sleep(1);
    Sleep(10);
    EXPECT_EQ(WaitForThread(thread, 0), WAIT_TIMEOUT);
    RequestThreadKill(thread);
    EXPECT_EQ(JoinAndExitCode(thread), kKilledThreadExitCode);
    EXPECT_EQ(g_unwound.load(), 1);  // its locals were destroyed: it unwound, was not cut off
    EXPECT_EQ(g_swallowed.load(), c.swallowed);
  }
  EXPECT_TRUE(ProcLog().Get().empty());  // the abandoned send is never served
  MSG msg{};
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_TRUE(ProcLog().Get().empty());
}

TEST_F(PlatformThreads, MsgWaitReturnsForTheEndOrForAMessage) {
  DWORD id = 0;
  HTHREAD thread = BeginThread(SumUntilQuit, nullptr, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(MsgWaitForThreadEnd(id, 20), WAIT_TIMEOUT);
  std::thread poster([] { PostMessageA(nullptr, WM_USER, 0, 0); });
  EXPECT_EQ(MsgWaitForThreadEnd(id, INFINITE), WAIT_OBJECT_0 + 1);
  poster.join();
  ClearPostedMessages();
  std::thread quitter([id] {
    Sleep(5);
    PostThreadMessageA(id, WM_QUIT, 0, 0);
  });
  EXPECT_EQ(MsgWaitForThreadEnd(id, INFINITE), WAIT_OBJECT_0);
  quitter.join();
  EXPECT_EQ(MsgWaitForThreadEnd(id, INFINITE), WAIT_OBJECT_0);  // an ended thread is unknown
  JoinAndExitCode(thread);
}
