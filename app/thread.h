#pragma once
// A worker thread of the program: started, waited for, suspended around dialogs and
// ended. Ending is cooperative: WM_QUIT is posted until the thread leaves by itself; a
// thread that does not is asked to unwind at its next call into the platform layer, and
// is then joined. No thread is ever killed where it stands.
#include <mutex>

#include "platform/threads.h"
#include "platform/win_types.h"

class cThread {
 public:
  cThread() = default;
  cThread(const cThread&) = delete;
  cThread& operator=(const cThread&) = delete;
  ~cThread();

  // Starts routine(arg); the thread's message queue exists before it runs. False when
  // the thread could not be made, or while a thread started earlier still runs.
  bool Start(THREADROUTINE routine, void* arg);
  // Returns once the thread has ended (and releases it) or when another caller took it
  // (Exit); at once when none runs. Waits in 1 ms sleeps.
  void Wait();
  // True without a thread.
  bool Suspend();
  bool Resume();
  // Ends the thread: resumes it, posts WM_QUIT every millisecond and, after
  // kQuitTurnsBeforeKill turns, asks it to unwind; returns once it has ended.
  void Exit();

  // Waits until the thread has ended or was taken by Exit (WAIT_OBJECT_0) or a message
  // waits in the calling thread's queue (WAIT_OBJECT_0 + 1), at most `ms` milliseconds.
  DWORD WaitForEndOrMessage(DWORD ms);
  bool IsRunning() const;
  DWORD ThreadId() const;

  // Quit messages posted before the thread is asked to unwind.
  static constexpr int kQuitTurnsBeforeKill = 200;

 private:
  bool IsCallingThread() const;

  mutable std::mutex m_Lock;  // one caller at a time takes and releases the handle
  DWORD m_dwThreadId = 0;
  HTHREAD m_hThread = nullptr;  // null while no thread is held
};

// The four threads: the game loop, the pause and ranking loops, the stage loader.
extern cThread thGame;
extern cThread thPause;
extern cThread thRanking;
extern cThread thLoad;

// Suspend / Resume on thGame, thPause, thRanking and thLoad, in this order; used around
// every modal dialog of the main window.
void SuspendWorkerThreads();
void ResumeWorkerThreads();
