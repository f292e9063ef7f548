#include "platform/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "platform/cp932.h"
#include "platform/win_time.h"

namespace {

std::mutex g_FolderLock;
std::string g_strFolderOverride;

bool TryLock(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

// Empties the file of a lock just taken or about to be let go. A failure leaves a process
// id that names nobody holding the lock; a taker checks the lock before it believes it.
void ForgetRecordedProcess(int fd) {
  if (ftruncate(fd, 0) != 0) return;
}

}  // namespace

void SetInstanceLockFolder(const char* hostFolder) {
  std::lock_guard<std::mutex> lock(g_FolderLock);
  g_strFolderOverride = hostFolder != nullptr ? hostFolder : "";
}

std::string InstanceLockFolder() {
  {
    std::lock_guard<std::mutex> lock(g_FolderLock);
    if (!g_strFolderOverride.empty()) return g_strFolderOverride;
  }
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] != '\0') return runtime;
  std::error_code error;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : temp.string();
}

eInstanceLock cInstanceLock::Acquire(const char* name) {
  Release();
  // A name CP932 cannot hold (it comes from the program itself) falls back to its bytes.
  std::string fileName = Cp932ToUtf8(name != nullptr ? name : "");
  if (fileName.empty()) fileName = "player";
  m_strPath = InstanceLockFolder() + "/" + fileName + ".lock";
  m_nFd = open(m_strPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_nFd < 0) return eInstanceLock::kFailed;
  if (TryLock(m_nFd)) {
    m_bHeld = true;
    // A process id left by an earlier holder names nobody now.
    ForgetRecordedProcess(m_nFd);
    return eInstanceLock::kTaken;
  }
  return errno == EWOULDBLOCK ? eInstanceLock::kHeldByAnother : eInstanceLock::kFailed;
}

bool cInstanceLock::RecordProcess() {
  if (!m_bHeld) return false;
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%ld\n", static_cast<long>(getpid()));
  if (ftruncate(m_nFd, 0) != 0) return false;
  return pwrite(m_nFd, text, static_cast<std::size_t>(length), 0) == length;
}

long cInstanceLock::HolderProcess() const {
  if (m_nFd < 0) return 0;
  char text[32] = {};
  const ssize_t n = pread(m_nFd, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  char* end = nullptr;
  const long pid = std::strtol(text, &end, 10);
  // Only a plain positive number names a process; never this one or the process group.
  if (end == text || pid <= 1 || pid == static_cast<long>(getpid())) return 0;
  return pid;
}

eTakeOver cInstanceLock::TakeOver(int waitMs) {
  if (m_nFd < 0) return eTakeOver::kCannotEnd;
  if (m_bHeld) return eTakeOver::kTaken;
  const long pid = HolderProcess();
  if (pid == 0) return eTakeOver::kNoProcess;
  if (kill(static_cast<pid_t>(pid), SIGKILL) != 0 && errno != ESRCH) return eTakeOver::kCannotEnd;
  // The kernel frees the lock when the ended process's files are closed: poll for it
  // rather than sleep the whole wait.
  const DWORD start = timeGetTime();
  for (;;) {
    if (TryLock(m_nFd)) {
      m_bHeld = true;
      ForgetRecordedProcess(m_nFd);
      return eTakeOver::kTaken;
    }
    if (static_cast<std::int32_t>(timeGetTime() - start) >= waitMs) return eTakeOver::kStillHeld;
    Sleep(1);
  }
}

void cInstanceLock::Release() {
  if (m_nFd >= 0) {
    if (m_bHeld) {
      ForgetRecordedProcess(m_nFd);
      flock(m_nFd, LOCK_UN);
    }
    close(m_nFd);
  }
  m_nFd = -1;
  m_bHeld = false;
}
