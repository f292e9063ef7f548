// The thread wrapper: start, wait, suspend, resume and the cooperative end, and the
// waits of a starter on its thread.
#include <atomic>
#include <thread>

#include "app/thread.h"
#include "tests/threads/thread_test_support.h"

using thread_test::cThreadTest;
using thread_test::ProcLog;
using thread_test::TestWindow;

namespace {

class Threads : public cThreadTest {};

struct cRun {
  std::atomic<int> nSteps{0};
  std::atomic<bool> bSawQuit{false};
  std::atomic<bool> bUnwound{false};
  std::atomic<bool> bRelease{false};
};

struct cUnwindWitness {
  cRun* pRun;
  ~cUnwindWitness() { pRun->bUnwound = true; }
};

// A frame loop as the pause and ranking loops run it: peek, then a 1 ms sleep.
unsigned FrameLoop(void* arg) {
  auto* run = static_cast<cRun*>(arg);
  for (;;) {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        run->bSawQuit = true;
        return 0;
      }
    }
    run->nSteps.fetch_add(1);
    Sleep(1);
  }
}

// Never looks at its queue.
unsigned Deaf(void* arg) {
  auto* run = static_cast<cRun*>(arg);
  cUnwindWitness witness{run};
  for (;;) {
    run->nSteps.fetch_add(1);
    Sleep(1);
  }
}

// Returns when released.
unsigned UntilReleased(void* arg) {
  auto* run = static_cast<cRun*>(arg);
  while (!run->bRelease.load()) Sleep(1);
  return 0;
}

unsigned SendsToTheWindow(void* arg) {
  auto* run = static_cast<cRun*>(arg);
  cUnwindWitness witness{run};
  run->nSteps = 1;
  SendMessageA(TestWindow(), WM_USER, 0, 0);
  run->nSteps = 2;
  return 0;
}

}  // namespace

TEST_F(Threads, WaitReturnsWhenTheThreadHasEndedAndAtOnceWithoutOne) {
  cThread thread;
  thread.Wait();  // none runs
  cRun run;
  ASSERT_TRUE(thread.Start(UntilReleased, &run));
  EXPECT_TRUE(thread.IsRunning());
  std::thread releaser([&run] {
    Sleep(10);
    run.bRelease = true;
  });
  thread.Wait();
  releaser.join();
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.ThreadId(), 0u);
  thread.Wait();
}

TEST_F(Threads, StartRefusesWhileOneRunsAndReusesAnEndedOne) {
  cThread thread;
  cRun first;
  ASSERT_TRUE(thread.Start(UntilReleased, &first));
  cRun second;
  EXPECT_FALSE(thread.Start(UntilReleased, &second));  // the running one keeps its handle
  first.bRelease = true;
  ASSERT_TRUE(Eventually([&] { return !thread.IsRunning(); }));
  second.bRelease = true;
  EXPECT_TRUE(thread.Start(UntilReleased, &second));  // the ended one was never waited for
  thread.Wait();
}

TEST_F(Threads, ExitEndsALoopThroughItsQuitMessage) {
  cThread thread;
  cRun run;
  ASSERT_TRUE(thread.Start(FrameLoop, &run));
  ASSERT_TRUE(Eventually([&run] { return run.nSteps.load() > 2; }));
  thread.Exit();
  EXPECT_TRUE(run.bSawQuit.load());
  EXPECT_FALSE(thread.IsRunning());
  thread.Exit();  // nothing left
}

TEST_F(Threads, ExitResumesASuspendedThreadWhichEndsThroughItsQuitMessage) {
  cThread thread;
  cRun run;
  ASSERT_TRUE(thread.Start(FrameLoop, &run));
  ASSERT_TRUE(Eventually([&run] { return run.nSteps.load() > 2; }));
  ASSERT_TRUE(thread.Suspend());
  Sleep(20);
  const int stopped = run.nSteps.load();
  Sleep(20);
  EXPECT_EQ(run.nSteps.load(), stopped);
  thread.Exit();
  EXPECT_TRUE(run.bSawQuit.load());
}

TEST_F(Threads, ExitUnwindsAThreadThatIgnoresItsQueueAndJoinsIt) {
  cThread thread;
  cRun run;
  ASSERT_TRUE(thread.Start(Deaf, &run));
  const DWORD start = timeGetTime();
  thread.Exit();
  EXPECT_TRUE(run.bUnwound.load());
  EXPECT_FALSE(thread.IsRunning());
  // Two hundred quit messages, a millisecond apart, before it is asked to unwind.
  EXPECT_GE(timeGetTime() - start, static_cast<DWORD>(cThread::kQuitTurnsBeforeKill));
}

TEST_F(Threads, ExitReleasesAThreadBlockedInASendToTheWindow) {
  const struct {
    const char* name;
    bool shutdown;
  } cases[] = {{"shutdown begun first", true}, {"no shutdown: unwound", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetShutdown();
    cThread thread;
    cRun run;
    ASSERT_TRUE(thread.Start(SendsToTheWindow, &run));
    ASSERT_TRUE(Eventually([&run] { return run.nSteps.load() == 1; }));
    if (c.shutdown) BeginShutdown();
    thread.Exit();  // the main thread serves nothing meanwhile
    EXPECT_EQ(run.nSteps.load(), c.shutdown ? 2 : 1);  // the send gave up, or it unwound
    EXPECT_TRUE(run.bUnwound.load());
  }
  EXPECT_TRUE(ProcLog().Get().empty());
}

TEST_F(Threads, OneJoinerWhenAStarterWaitsWhileTheMainThreadExits) {
  // The game thread waits on the pause loop while the close sequence ends that loop:
  // both calls return and the thread is joined once.
  for (int round = 0; round < 20; ++round) {
    cThread pause;
    cRun run;
    ASSERT_TRUE(pause.Start(FrameLoop, &run));
    std::atomic<bool> waited{false};
    std::thread starter([&] {
      pause.Wait();
      waited = true;
    });
    if (round % 2 == 0) Sleep(2);
    pause.Exit();
    starter.join();
    EXPECT_TRUE(waited.load());
    EXPECT_TRUE(run.bSawQuit.load());
    EXPECT_FALSE(pause.IsRunning());
  }
}

TEST_F(Threads, WaitForEndOrMessageWakesForEitherAndForAThreadTakenByExit) {
  cThread thread;
  cRun run;
  ASSERT_TRUE(thread.Start(UntilReleased, &run));
  EXPECT_EQ(thread.WaitForEndOrMessage(10), WAIT_TIMEOUT);
  PostMessageA(nullptr, WM_USER, 0, 0);
  EXPECT_EQ(thread.WaitForEndOrMessage(INFINITE), WAIT_OBJECT_0 + 1);
  ClearPostedMessages();
  std::thread closer([&] {
    Sleep(5);
    run.bRelease = true;
    thread.Exit();
  });
  EXPECT_EQ(thread.WaitForEndOrMessage(INFINITE), WAIT_OBJECT_0);
  closer.join();
  EXPECT_EQ(thread.WaitForEndOrMessage(INFINITE), WAIT_OBJECT_0);  // taken by Exit
}

TEST_F(Threads, WorkerThreadsAreSuspendedAndResumedTogether) {
  cRun game;
  cRun load;
  ASSERT_TRUE(thGame.Start(FrameLoop, &game));
  ASSERT_TRUE(thLoad.Start(FrameLoop, &load));
  ASSERT_TRUE(Eventually([&] { return game.nSteps.load() > 2 && load.nSteps.load() > 2; }));
  SuspendWorkerThreads();  // thPause and thRanking hold no thread: nothing to do
  Sleep(20);
  const int gameStopped = game.nSteps.load();
  const int loadStopped = load.nSteps.load();
  Sleep(20);
  EXPECT_EQ(game.nSteps.load(), gameStopped);
  EXPECT_EQ(load.nSteps.load(), loadStopped);
  ResumeWorkerThreads();
  EXPECT_TRUE(Eventually([&] { return game.nSteps.load() > gameStopped && load.nSteps.load() > loadStopped; }));
  thLoad.Exit();
  thGame.Exit();
  EXPECT_TRUE(game.bSawQuit.load());
  EXPECT_TRUE(load.bSawQuit.load());
}

namespace {

cThread g_Self;
std::atomic<int> g_SelfSteps{0};

// Waits for and ends its own thread object, as a loop might on its way out.
unsigned WaitsForItself(void*) {
  g_Self.Wait();
  g_SelfSteps = 1;
  g_Self.Exit();  // posts itself a quit instead of waiting for its own end
  MSG msg{};
  g_SelfSteps = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? 2 : 3;
  return 0;
}

}  // namespace

TEST_F(Threads, AThreadWaitingForOrEndingItselfDoesNotHang) {
  ASSERT_TRUE(g_Self.Start(WaitsForItself, nullptr));
  g_Self.Wait();
  EXPECT_EQ(g_SelfSteps.load(), 2);
}
