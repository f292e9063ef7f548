#pragma once
// Keeps the player to one running instance: an exclusive lock (flock) on a lock file named
// after the instance name, in $XDG_RUNTIME_DIR (else the temporary folder). The holder
// writes its process id into the file once its window exists, so that a second player
// asked to take over can end it. The lock goes with the process: a player that dies
// leaves no stale lock behind.
#include <string>

enum class eInstanceLock {
  kTaken,           // this process holds the lock now
  kHeldByAnother,   // another running player holds it
  kFailed,          // the lock file cannot be opened (the folder is missing or not writable)
};

enum class eTakeOver {
  kTaken,          // the other player has ended and this process holds the lock
  kNoProcess,      // the holder has not recorded a process yet (its window does not exist)
  kCannotEnd,      // the holder's process cannot be ended
  kStillHeld,      // it was ended, but the lock was not free within the wait
};

class cInstanceLock {
 public:
  cInstanceLock() = default;
  cInstanceLock(const cInstanceLock&) = delete;
  cInstanceLock& operator=(const cInstanceLock&) = delete;
  ~cInstanceLock() { Release(); }

  // Opens the lock file of `name` (CP932) and tries to take it without waiting.
  eInstanceLock Acquire(const char* name);
  // Writes this process's id into the held lock file. False while the lock is not held.
  bool RecordProcess();
  // The process id the holder recorded; 0 when none is recorded.
  long HolderProcess() const;
  // Ends the holder's recorded process and takes the lock as soon as it is free, waiting
  // at most `waitMs` milliseconds. Needs a file opened by Acquire.
  eTakeOver TakeOver(int waitMs = 500);
  // Lets the lock go and closes the file (the file itself stays).
  void Release();
  bool IsHeld() const { return m_bHeld; }
  // The host path of the lock file (after Acquire).
  const std::string& Path() const { return m_strPath; }

 private:
  int m_nFd = -1;
  bool m_bHeld = false;
  std::string m_strPath;
};

// The folder of the lock files (host path); null or empty: $XDG_RUNTIME_DIR, else the
// temporary folder. Tests point it at a folder of their own.
void SetInstanceLockFolder(const char* hostFolder);
std::string InstanceLockFolder();
