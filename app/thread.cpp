#include "app/thread.h"

#include "app/report_log.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"

cThread thGame;
cThread thPause;
cThread thRanking;
cThread thLoad;

namespace {

// A resume fails only for a handle that is no longer valid; a few tries are enough.
constexpr int kResumeTries = 3;
constexpr DWORD kResumeFailed = static_cast<DWORD>(-1);

}  // namespace

cThread::~cThread() { Exit(); }

bool cThread::Start(THREADROUTINE routine, void* arg) {
  std::lock_guard<std::mutex> lock(m_Lock);
  if (m_hThread != nullptr) {
    // A thread that ended without being waited for is released; one still running is
    // kept, or its handle would be lost and the thread never joined.
    if (WaitForThread(m_hThread, 0) == WAIT_TIMEOUT) return false;
    CloseThreadHandle(m_hThread);
    m_hThread = nullptr;
  }
  DWORD id = 0;
  m_hThread = BeginThread(routine, arg, &id);
  m_dwThreadId = m_hThread != nullptr ? id : 0;
  return m_hThread != nullptr;
}

void cThread::Wait() {
  if (IsCallingThread()) return;  // a thread cannot wait for its own end
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(m_Lock);
      if (m_hThread == nullptr) return;  // none ran, or Exit took it
      if (WaitForThread(m_hThread, 0) != WAIT_TIMEOUT) {
        CloseThreadHandle(m_hThread);
        m_hThread = nullptr;
        return;
      }
    }
    Sleep(1);
  }
}

bool cThread::Suspend() {
  std::lock_guard<std::mutex> lock(m_Lock);
  if (m_hThread == nullptr) return true;
  return SuspendThread(m_hThread) != kResumeFailed;
}

bool cThread::Resume() {
  std::lock_guard<std::mutex> lock(m_Lock);
  if (m_hThread == nullptr) return true;
  return ResumeThread(m_hThread) != kResumeFailed;
}

void cThread::Exit() {
  if (IsCallingThread()) {
    PostQuitMessage(0);  // it leaves through its own loop; waiting here would never end
    return;
  }
  std::unique_lock<std::mutex> lock(m_Lock);
  if (m_hThread == nullptr) return;
  // A thread suspended around a dialog must run to see its quit message.
  for (int i = 0; i < kResumeTries && ResumeThread(m_hThread) == kResumeFailed; ++i) {
  }
  WriteEC("Exit A");
  PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
  WriteEC("Exit B");
  WriteEC("Exit C");
  int turns = 0;
  while (WaitForThread(m_hThread, 0) == WAIT_TIMEOUT) {
    lock.unlock();
    Sleep(1);
    lock.lock();
    if (m_hThread == nullptr) return;  // a waiter took it: the thread has ended
    PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
    // A thread that does not look at its queue is unwound at its next call into the
    // layer and joined; it is never killed where it stands (it may hold a lock).
    if (++turns >= kQuitTurnsBeforeKill) RequestThreadKill(m_hThread);
  }
  WriteEC("Exit D");
  CloseThreadHandle(m_hThread);
  m_hThread = nullptr;
  WriteEC("Exit E");
}

DWORD cThread::WaitForEndOrMessage(DWORD ms) {
  DWORD id = 0;
  {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_hThread == nullptr) return WAIT_OBJECT_0;
    id = m_dwThreadId;
  }
  // By id, not by handle: Exit on another thread may release the handle meanwhile.
  return MsgWaitForThreadEnd(id, ms);
}

bool cThread::IsCallingThread() const {
  std::lock_guard<std::mutex> lock(m_Lock);
  return m_hThread != nullptr && m_dwThreadId == GetCurrentThreadId();
}

bool cThread::IsRunning() const {
  std::lock_guard<std::mutex> lock(m_Lock);
  return m_hThread != nullptr && WaitForThread(m_hThread, 0) == WAIT_TIMEOUT;
}

DWORD cThread::ThreadId() const {
  std::lock_guard<std::mutex> lock(m_Lock);
  return m_hThread != nullptr ? m_dwThreadId : 0;
}

void SuspendWorkerThreads() {
  thGame.Suspend();
  thPause.Suspend();
  thRanking.Suspend();
  thLoad.Suspend();
}

void ResumeWorkerThreads() {
  thGame.Resume();
  thPause.Resume();
  thRanking.Resume();
  thLoad.Resume();
}
