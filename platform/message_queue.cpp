#include "platform/message_queue.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/thread_state.h"
#include "platform/threads.h"

using tovrel_platform::cQueuedMessage;
using tovrel_platform::cSentMessage;
using tovrel_platform::cThreadState;

namespace {

std::atomic<HWND> g_mainWindow{nullptr};
std::atomic<WNDPROC> g_mainProc{nullptr};
std::atomic<void (*)()> g_wakeHook{nullptr};
std::atomic<bool> g_shutdown{false};
// A sent message that carries a task of the layer for the main thread, not a message for
// the window procedure.
constexpr UINT kMainThreadTask = 0xFFFE;
std::atomic<LRESULT (*)(HWND, UINT, WPARAM, LPARAM)> g_otherSend{nullptr};
std::atomic<BOOL (*)(HWND, UINT, WPARAM, LPARAM)> g_otherPost{nullptr};

bool InFilter(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

MSG Delivered(const cQueuedMessage& queued) {
  MSG msg = queued.Msg;
  // Every message posted to the window is the window's, whatever handle it was posted to.
  msg.hwnd = queued.bToWindow ? g_mainWindow.load(std::memory_order_acquire) : nullptr;
  return msg;
}

void Enqueue(cThreadState& state, const cQueuedMessage& message) {
  {
    std::lock_guard<std::mutex> lock(state.Lock);
    state.Posted.push_back(message);
    ++state.nArrivals;
    state.Wake.notify_all();
  }
  if (&state == tovrel_platform::MainThreadState().get()) {
    if (void (*wake)() = g_wakeHook.load(std::memory_order_acquire)) wake();
  }
}

// Runs the window procedure for every message other threads have sent, oldest first.
// Main thread only.
void ServeSentMessages(cThreadState& main) {
  for (;;) {
    std::shared_ptr<cSentMessage> sent;
    {
      std::lock_guard<std::mutex> lock(main.Lock);
      if (main.Sent.empty()) return;
      sent = std::move(main.Sent.front());
      main.Sent.pop_front();
    }
    {
      std::lock_guard<std::mutex> lock(sent->Sender->Lock);
      if (sent->bAbandoned) continue;
    }
    LRESULT result = 0;
    if (sent->Message == kMainThreadTask) {
      reinterpret_cast<void (*)(void*)>(sent->wParam)(reinterpret_cast<void*>(sent->lParam));
      result = 1;
    } else if (const WNDPROC proc = g_mainProc.load(std::memory_order_acquire))
      result = proc(g_mainWindow.load(std::memory_order_acquire), sent->Message, sent->wParam, sent->lParam);
    std::lock_guard<std::mutex> lock(sent->Sender->Lock);
    sent->Result = result;
    sent->bDone = true;
    sent->Sender->Wake.notify_all();
  }
}

// Takes or copies the first message in the filter. Caller holds the state's lock.
bool TakeLocked(cThreadState& state, MSG* msg, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = state.Posted.begin(); it != state.Posted.end(); ++it) {
    if (!InFilter(it->Msg.message, filterMin, filterMax)) continue;
    if (msg != nullptr) *msg = Delivered(*it);
    if (remove) state.Posted.erase(it);
    return true;
  }
  return false;
}

bool IsMainState(const cThreadState& state) { return &state == tovrel_platform::MainThreadState().get(); }

}  // namespace

BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hWnd != nullptr && hWnd != g_mainWindow.load(std::memory_order_acquire)) {
    if (auto post = g_otherPost.load(std::memory_order_acquire)) return post(hWnd, message, wParam, lParam);
    return 0;
  }
  Enqueue(*tovrel_platform::MainThreadState(), cQueuedMessage{MSG{hWnd, message, wParam, lParam}, true});
  return 1;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<cThreadState> state = tovrel_platform::FindThreadState(threadId);
  if (!state) return 0;
  Enqueue(*state, cQueuedMessage{MSG{nullptr, message, wParam, lParam}, false});
  return 1;
}

void PostQuitMessage(int exitCode) {
  Enqueue(*tovrel_platform::CurrentThreadState(),
          cQueuedMessage{MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0}, false});
}

void SetMainWindowHandle(HWND hWnd) { g_mainWindow.store(hWnd, std::memory_order_release); }

HWND GetMainWindowHandle() { return g_mainWindow.load(std::memory_order_acquire); }

void SetMainWindowProc(WNDPROC proc) { g_mainProc.store(proc, std::memory_order_release); }

void SetMainQueueWakeHook(void (*wake)()) { g_wakeHook.store(wake, std::memory_order_release); }

void MarkMainThread() { tovrel_platform::MarkMainThreadNow(); }

bool IsMainThread() { return tovrel_platform::IsMainThreadNow(); }

DWORD GetCurrentThreadId() { return tovrel_platform::CurrentThreadState()->Id; }

BOOL PeekMessageA(MSG* msg, HWND /*hWnd*/, UINT filterMin, UINT filterMax, UINT removeFlags) {
  PassThreadGate();
  const std::shared_ptr<cThreadState> self = tovrel_platform::CurrentThreadState();
  if (IsMainState(*self)) ServeSentMessages(*self);
  std::lock_guard<std::mutex> lock(self->Lock);
  return TakeLocked(*self, msg, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? 1 : 0;
}

BOOL GetMessageA(MSG* msg, HWND /*hWnd*/, UINT filterMin, UINT filterMax) {
  const std::shared_ptr<cThreadState> self = tovrel_platform::CurrentThreadState();
  const bool main = IsMainState(*self);
  MSG taken{};
  for (;;) {
    PassThreadGate();
    if (main) ServeSentMessages(*self);
    std::unique_lock<std::mutex> lock(self->Lock);
    if (TakeLocked(*self, &taken, filterMin, filterMax, true)) break;
    // A message sent after the serving above and before this lock was taken has already
    // counted as an arrival: waiting for the next one would leave its sender blocked.
    if (main && !self->Sent.empty()) continue;
    // Anything that arrives from now on wakes the wait; so do a kill and a resume.
    const std::uint64_t arrivals = self->nArrivals;
    self->Wake.wait(lock, [&] { return self->nArrivals != arrivals || self->bKill.load(); });
  }
  if (msg != nullptr) *msg = taken;
  return taken.message == WM_QUIT ? 0 : 1;
}

BOOL WaitMessage() {
  const std::shared_ptr<cThreadState> self = tovrel_platform::CurrentThreadState();
  const bool main = IsMainState(*self);
  for (;;) {
    PassThreadGate();
    if (main) ServeSentMessages(*self);
    std::unique_lock<std::mutex> lock(self->Lock);
    if (!self->Posted.empty()) return 1;
    self->Wake.wait(lock, [&] {
      return !self->Posted.empty() || !self->Sent.empty() || self->bKill.load();
    });
  }
}

BOOL TranslateMessage(const MSG* /*msg*/) { return 0; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr || msg->hwnd != g_mainWindow.load(std::memory_order_acquire))
    return 0;
  const WNDPROC proc = g_mainProc.load(std::memory_order_acquire);
  return proc != nullptr ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL RunOnMainThread(void (*task)(void*), void* context) {
  if (task == nullptr) return 0;
  if (IsMainThread()) {
    task(context);
    return 1;
  }
  const HWND main = g_mainWindow.load(std::memory_order_acquire);
  if (main == nullptr) return 0;
  return SendMessageA(main, kMainThreadTask, reinterpret_cast<WPARAM>(task), reinterpret_cast<LPARAM>(context)) != 0
             ? 1
             : 0;
}

void SetOtherWindowRouter(LRESULT (*send)(HWND, UINT, WPARAM, LPARAM), BOOL (*post)(HWND, UINT, WPARAM, LPARAM)) {
  g_otherSend.store(send, std::memory_order_release);
  g_otherPost.store(post, std::memory_order_release);
}

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hWnd == nullptr) return 0;
  if (hWnd != g_mainWindow.load(std::memory_order_acquire)) {
    // Dialogs and their controls live on the main thread only.
    auto send = g_otherSend.load(std::memory_order_acquire);
    return send != nullptr && IsMainThread() ? send(hWnd, message, wParam, lParam) : 0;
  }
  if (IsMainThread()) {
    const WNDPROC proc = g_mainProc.load(std::memory_order_acquire);
    return proc != nullptr ? proc(hWnd, message, wParam, lParam) : 0;
  }
  PassThreadGate();
  if (IsShutdownBegun()) return 0;
  const std::shared_ptr<cThreadState> self = tovrel_platform::CurrentThreadState();
  auto sent = std::make_shared<cSentMessage>(cSentMessage{message, wParam, lParam, self});
  {
    const std::shared_ptr<cThreadState> main = tovrel_platform::MainThreadState();
    std::lock_guard<std::mutex> lock(main->Lock);
    main->Sent.push_back(sent);
    ++main->nArrivals;
    main->Wake.notify_all();
  }
  if (void (*wake)() = g_wakeHook.load(std::memory_order_acquire)) wake();

  std::unique_lock<std::mutex> lock(self->Lock);
  self->Wake.wait(lock, [&] { return sent->bDone || IsShutdownBegun() || self->bKill.load(); });
  if (sent->bDone) return sent->Result;
  sent->bAbandoned = true;
  lock.unlock();
  {
    // Taken out of the main queue, so that it does not count as waiting input there.
    const std::shared_ptr<cThreadState> main = tovrel_platform::MainThreadState();
    std::lock_guard<std::mutex> mainLock(main->Lock);
    std::erase(main->Sent, sent);
  }
  PassThreadGate();  // unwinds a thread asked to end
  return 0;
}

void BeginShutdown() {
  g_shutdown.store(true, std::memory_order_seq_cst);
  tovrel_platform::WakeEveryThread();
}

bool IsShutdownBegun() { return g_shutdown.load(std::memory_order_seq_cst); }

void ResetShutdown() { g_shutdown.store(false, std::memory_order_seq_cst); }

BOOL TakePostedMessage(MSG* out) {
  const std::shared_ptr<cThreadState> main = tovrel_platform::MainThreadState();
  std::lock_guard<std::mutex> lock(main->Lock);
  return TakeLocked(*main, out, 0, 0, true) ? 1 : 0;
}

int CountPostedMessages(UINT message) {
  const std::shared_ptr<cThreadState> main = tovrel_platform::MainThreadState();
  std::lock_guard<std::mutex> lock(main->Lock);
  int count = 0;
  for (const cQueuedMessage& queued : main->Posted) {
    if (queued.Msg.message == message) ++count;
  }
  return count;
}

void ClearPostedMessages() {
  const std::shared_ptr<cThreadState> main = tovrel_platform::MainThreadState();
  std::lock_guard<std::mutex> lock(main->Lock);
  main->Posted.clear();
}
