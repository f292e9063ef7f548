#include "platform/threads.h"

#include <memory>
#include <mutex>
#include <system_error>
#include <exception>
#include <thread>

#include <SDL.h>

#include "platform/thread_state.h"

using tovrel_platform::cThreadState;

class cThreadObject {
 public:
  std::shared_ptr<cThreadState> State;
  std::thread Thread;
};

namespace {

void RunThread(std::shared_ptr<cThreadState> state, THREADROUTINE routine, void* arg) {
  tovrel_platform::AdoptThreadState(state);
  unsigned exitCode = 0;
  try {
    // A thread created suspended would stop here; the gate also catches a kill that came
    // before the routine ran.
    PassThreadGate();
    exitCode = routine(arg);
  } catch (const cThreadKilled&) {
    exitCode = kKilledThreadExitCode;
  }
  // SDL keeps per-thread data (its error text, set by calls such as a bitmap load that
  // fails a format test) that it frees itself only for threads it created.
  SDL_TLSCleanup();
  tovrel_platform::EndThreadState(state, exitCode);
}

// Waits on a state's condition for `ms` milliseconds (INFINITE: without a bound) until
// `done` holds. True when it holds.
template <typename Done>
bool WaitFor(std::unique_lock<std::mutex>& lock, cThreadState& state, DWORD ms, Done done) {
  if (ms == INFINITE) {
    state.Wake.wait(lock, done);
    return true;
  }
  return state.Wake.wait_for(lock, std::chrono::milliseconds(ms), done);
}

}  // namespace

HTHREAD BeginThread(THREADROUTINE routine, void* arg, DWORD* threadId) {
  if (routine == nullptr) return nullptr;
  auto thread = std::make_unique<cThreadObject>();
  thread->State = tovrel_platform::NewThreadState();  // the queue exists before the routine runs
  try {
    thread->Thread = std::thread(RunThread, thread->State, routine, arg);
  } catch (const std::system_error&) {
    tovrel_platform::EndThreadState(thread->State, 0);
    return nullptr;
  }
  if (threadId != nullptr) *threadId = thread->State->Id;
  return thread.release();
}

DWORD WaitForThread(HTHREAD thread, DWORD ms) {
  if (thread == nullptr) return WAIT_FAILED;
  cThreadState& state = *thread->State;
  std::unique_lock<std::mutex> lock(state.Lock);
  return WaitFor(lock, state, ms, [&] { return state.bEnded.load(); }) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL CloseThreadHandle(HTHREAD thread) {
  if (thread == nullptr) return 0;
  if (thread->Thread.joinable()) thread->Thread.join();
  delete thread;
  return 1;
}

BOOL GetExitCodeThread(HTHREAD thread, DWORD* exitCode) {
  if (thread == nullptr || exitCode == nullptr) return 0;
  std::lock_guard<std::mutex> lock(thread->State->Lock);
  *exitCode = thread->State->bEnded.load() ? thread->State->nExitCode : 0;
  return 1;
}

DWORD SuspendThread(HTHREAD thread) {
  if (thread == nullptr) return static_cast<DWORD>(-1);
  std::lock_guard<std::mutex> lock(thread->State->Lock);
  return static_cast<DWORD>(thread->State->nSuspendCount++);
}

DWORD ResumeThread(HTHREAD thread) {
  if (thread == nullptr) return static_cast<DWORD>(-1);
  cThreadState& state = *thread->State;
  std::lock_guard<std::mutex> lock(state.Lock);
  const int previous = state.nSuspendCount;
  if (previous > 0) --state.nSuspendCount;
  if (state.nSuspendCount == 0) state.Wake.notify_all();
  return static_cast<DWORD>(previous);
}

void RequestThreadKill(HTHREAD thread) {
  if (thread == nullptr) return;
  cThreadState& state = *thread->State;
  std::lock_guard<std::mutex> lock(state.Lock);
  state.bKill.store(true);
  state.Wake.notify_all();
}

DWORD MsgWaitForThreadEnd(DWORD threadId, DWORD ms) {
  PassThreadGate();
  const std::shared_ptr<cThreadState> target = tovrel_platform::FindThreadState(threadId);
  if (!target) return WAIT_OBJECT_0;
  const std::shared_ptr<cThreadState> self = tovrel_platform::CurrentThreadState();
  if (target == self) return WAIT_FAILED;  // a thread cannot outlive itself
  {
    std::lock_guard<std::mutex> lock(target->Lock);
    target->EndWatchers.push_back(self);
  }
  bool ended = false;
  bool input = false;
  {
    std::unique_lock<std::mutex> lock(self->Lock);
    WaitFor(lock, *self, ms, [&] {
      ended = target->bEnded.load();
      input = !self->Posted.empty() || !self->Sent.empty();
      return ended || input || self->bKill.load();
    });
  }
  {
    std::lock_guard<std::mutex> lock(target->Lock);
    auto& watchers = target->EndWatchers;
    for (auto it = watchers.begin(); it != watchers.end(); ++it) {
      if (it->lock() == self) {
        watchers.erase(it);
        break;
      }
    }
  }
  PassThreadGate();  // unwinds a thread asked to end
  if (ended) return WAIT_OBJECT_0;
  if (input) return WAIT_OBJECT_0 + 1;
  return WAIT_TIMEOUT;
}

void PassThreadGate() {
  cThreadState* state = tovrel_platform::ExistingThreadState();
  if (state == nullptr) return;
  // A destructor that sleeps or peeks while the thread already unwinds must not throw
  // again: that would end the process.
  const bool unwinding = std::uncaught_exceptions() > 0;
  if (state->bKill.load()) {
    if (unwinding) return;
    throw cThreadKilled{};
  }
  std::unique_lock<std::mutex> lock(state->Lock);
  if (state->nSuspendCount == 0) return;
  state->Wake.wait(lock, [&] { return state->nSuspendCount == 0 || state->bKill.load(); });
  if (state->bKill.load() && !unwinding) throw cThreadKilled{};
}
