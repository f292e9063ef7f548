#include "platform/simulated_disk.h"

#include <sys/types.h>

#include <algorithm>
#include <cstring>
#include <cerrno>
#include <map>
#include <mutex>

namespace {

struct cDiskState {
  std::mutex Lock;
  bool bActive = false;
  long long nFree = 0;
  std::map<FILE*, FILE*> Targets;  // wrapped stream -> the file it writes to
};

cDiskState& Disk() {
  static cDiskState state;
  return state;
}

struct cWrapped {
  FILE* pTarget = nullptr;
  FILE* pSelf = nullptr;
};

ssize_t WriteWrapped(void* cookie, const char* data, size_t size) {
  auto* wrapped = static_cast<cWrapped*>(cookie);
  cDiskState& disk = Disk();
  std::size_t allowed = size;
  {
    std::lock_guard<std::mutex> lock(disk.Lock);
    if (disk.bActive) {
      allowed = static_cast<std::size_t>(std::min<long long>(static_cast<long long>(size), std::max(disk.nFree, 0LL)));
      disk.nFree -= static_cast<long long>(allowed);
    }
  }
  const std::size_t written = allowed == 0 ? 0 : std::fwrite(data, 1, allowed, wrapped->pTarget);
  if (written < size) errno = ENOSPC;
  // A short count marks the stream in error, as a failed write(2) does.
  return static_cast<ssize_t>(written);
}

int CloseWrapped(void* cookie) {
  auto* wrapped = static_cast<cWrapped*>(cookie);
  {
    cDiskState& disk = Disk();
    std::lock_guard<std::mutex> lock(disk.Lock);
    disk.Targets.erase(wrapped->pSelf);
  }
  const int result = std::fclose(wrapped->pTarget);
  delete wrapped;
  return result;
}

}  // namespace

void SimulateDiskSpace(long long bytes) {
  cDiskState& disk = Disk();
  std::lock_guard<std::mutex> lock(disk.Lock);
  disk.bActive = true;
  disk.nFree = bytes;
}

void EndDiskSpaceSimulation() {
  cDiskState& disk = Disk();
  std::lock_guard<std::mutex> lock(disk.Lock);
  disk.bActive = false;
}

namespace tovrel_platform {

FILE* WrapForSimulatedDisk(FILE* file, const char* mode) {
  if (file == nullptr || std::strchr(mode, '+') != nullptr) return file;
  cDiskState& disk = Disk();
  std::lock_guard<std::mutex> lock(disk.Lock);
  if (!disk.bActive) return file;
  auto* wrapped = new cWrapped{file, nullptr};
  cookie_io_functions_t functions{};
  functions.write = WriteWrapped;
  functions.close = CloseWrapped;
  FILE* stream = fopencookie(wrapped, "w", functions);
  if (stream == nullptr) {
    delete wrapped;
    return file;
  }
  wrapped->pSelf = stream;
  disk.Targets[stream] = file;
  return stream;
}

FILE* SimulatedDiskTarget(FILE* file) {
  cDiskState& disk = Disk();
  std::lock_guard<std::mutex> lock(disk.Lock);
  const auto it = disk.Targets.find(file);
  return it == disk.Targets.end() ? file : it->second;
}

}  // namespace tovrel_platform
