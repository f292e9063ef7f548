#pragma once
// What the layer keeps per thread: its message queue, the main thread's sent messages,
// the suspension gate and the kill flag. Internal to the platform layer.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/message_queue.h"

namespace tovrel_platform {

struct cThreadState;

struct cQueuedMessage {
  MSG Msg;
  bool bToWindow;  // posted to the main window (not to the thread): its hwnd is the window's
};

// A message sent to the main window by another thread. Its fields after the first four
// are guarded by the sender's lock; the sender waits on its own condition.
struct cSentMessage {
  UINT Message;
  WPARAM wParam;
  LPARAM lParam;
  std::shared_ptr<cThreadState> Sender;
  LRESULT Result = 0;
  bool bDone = false;       // the window procedure has returned
  bool bAbandoned = false;  // the sender gave up waiting; the message is not served
};

struct cThreadState {
  DWORD Id = 0;
  std::mutex Lock;
  // Signalled on everything a thread of the layer can wait for: a posted or sent message,
  // the reply to a send, a resume, a kill, the end of this thread or of a thread watched.
  std::condition_variable Wake;
  std::deque<cQueuedMessage> Posted;                // guarded by Lock
  std::deque<std::shared_ptr<cSentMessage>> Sent;   // main thread only; guarded by Lock
  std::uint64_t nArrivals = 0;                      // posts and sends so far; guarded by Lock
  int nSuspendCount = 0;                            // guarded by Lock
  // Threads waiting for this thread's end together with their own queue.
  std::vector<std::weak_ptr<cThreadState>> EndWatchers;  // guarded by Lock
  std::atomic<bool> bKill{false};
  std::atomic<bool> bEnded{false};
  unsigned nExitCode = 0;  // written before bEnded is set
};

// The calling thread's state: the main thread's for the main thread, a state made on
// the first call for a thread that the layer did not start.
std::shared_ptr<cThreadState> CurrentThreadState();
// The calling thread's state if it has one (no state is made); null otherwise.
cThreadState* ExistingThreadState();
std::shared_ptr<cThreadState> MainThreadState();
// A new state with a fresh id, findable by that id until the thread ends.
std::shared_ptr<cThreadState> NewThreadState();
// The state of a thread that has not ended; null for an unknown or ended thread.
std::shared_ptr<cThreadState> FindThreadState(DWORD id);
// Makes `state` the calling thread's own (the first thing a started thread does).
void AdoptThreadState(std::shared_ptr<cThreadState> state);
// The thread's routine has returned: the id stops naming it, waiters are woken.
void EndThreadState(const std::shared_ptr<cThreadState>& state, unsigned exitCode);

}  // namespace tovrel_platform

namespace tovrel_platform {
bool IsMainThreadNow();
void MarkMainThreadNow();
// Wakes every thread that waits in the layer, so that it looks at its flags again.
void WakeEveryThread();
}  // namespace tovrel_platform
