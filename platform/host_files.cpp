// Program paths mapped to host paths, and the file operations that go through the
// mapping. The mapping converts CP932 to UTF-8 before any "\" is read as a separator: the
// path is taken apart character by character (platform/program_path.h), so a trail byte
// 0x5C stays inside its name, and each name is converted whole.
#include "platform/host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/cp932.h"
#include "platform/current_directory.h"
#include "platform/directory_cache.h"
#include "platform/program_path.h"
#include "platform/simulated_disk.h"

using tovrel_platform::CurrentHostDirectory;
using tovrel_platform::ForgetDirectoryListing;
using tovrel_platform::GetDirectoryListing;
using tovrel_platform::ProgramPathParts;
using tovrel_platform::SplitProgramPath;

namespace {

struct ResolvedPath {
  std::string host;       // the host path, relative when the program path was
  std::string parentKey;  // absolute, lexically normal host folder of the last name
};

std::string JoinKey(const std::string& dir, const std::string& name) {
  if (dir.empty()) return std::string();
  if (dir == "/") return "/" + name;
  return dir + "/" + name;
}

std::string ParentKey(const std::string& dir) {
  if (dir.empty()) return std::string();
  const std::size_t slash = dir.rfind('/');
  if (slash == 0 || slash == std::string::npos) return "/";
  return dir.substr(0, slash);
}

void AppendHost(std::string& host, const std::string& name) {
  if (!host.empty() && host.back() != '/') host += '/';
  host += name;
}

ResolvedPath Resolve(std::string_view programPath) {
  ResolvedPath result;
  if (programPath.empty()) return result;
  const ProgramPathParts parts = SplitProgramPath(programPath);
  // A drive letter means nothing here: "X:\a" is taken as "\a".
  const bool absolute = !parts.root.empty();
  std::string key = absolute ? std::string("/") : CurrentHostDirectory();
  if (absolute) result.host = "/";
  bool resolving = !key.empty();
  std::string parentKey = key;
  for (const std::string& component : parts.components) {
    parentKey = key;
    if (component == ".") continue;
    if (component == "..") {
      AppendHost(result.host, component);
      key = ParentKey(key);
      continue;
    }
    std::string name;
    Cp932ToUtf8(component, name);
    if (resolving) {
      auto listing = GetDirectoryListing(key);
      std::optional<std::string> match;
      if (listing != nullptr) match = listing->Match(component, name);
      if (match) {
        name = std::move(*match);
      } else {
        resolving = false;  // nothing below a missing name can be found either
      }
    }
    AppendHost(result.host, name);
    key = JoinKey(key, name);
  }
  if (result.host.empty()) result.host = ".";
  if (parts.trailingSeparator && result.host.back() != '/') result.host += '/';
  result.parentKey = parentKey;
  return result;
}

bool WritesFile(const char* mode) {
  return std::strchr(mode, 'w') != nullptr || std::strchr(mode, 'a') != nullptr ||
         std::strchr(mode, '+') != nullptr;
}

void Forget(const std::string& key) {
  if (!key.empty()) ForgetDirectoryListing(key);
}

HOSTFILEKIND KindOf(mode_t mode) {
  if (S_ISREG(mode)) return HOSTFILE_REGULAR;
  if (S_ISDIR(mode)) return HOSTFILE_DIRECTORY;
  if (S_ISFIFO(mode)) return HOSTFILE_FIFO;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return HOSTFILE_DEVICE;
  if (S_ISSOCK(mode)) return HOSTFILE_SOCKET;
  return HOSTFILE_OTHER;
}

// The open(2) flags of an fopen mode ("r", "w", "a", each with "+" and "b" as it likes);
// false for a mode fopen would refuse. Truncation is left to the caller, which does it
// only once it knows the file is a regular one.
bool OpenFlagsOf(const char* mode, int& flags, bool& truncate) {
  const bool update = std::strchr(mode, '+') != nullptr;
  truncate = false;
  switch (mode[0]) {
    case 'r':
      flags = update ? O_RDWR : O_RDONLY;
      return true;
    case 'w':
      flags = (update ? O_RDWR : O_WRONLY) | O_CREAT;
      truncate = true;
      return true;
    case 'a':
      flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
      return true;
    default:
      return false;
  }
}

// Opens a host path as a regular file and nothing else. The look before the open keeps
// devices and pipes from being opened at all; the open itself does not block, so that a
// pipe put there in between is found by the look after it instead of hanging the open.
FILE* OpenRegularFile(const std::string& host, const char* mode, HOSTFILEKIND& refused) {
  int flags = 0;
  bool truncate = false;
  if (!OpenFlagsOf(mode, flags, truncate)) return nullptr;
  struct stat info;
  if (stat(host.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    refused = KindOf(info.st_mode);
    return nullptr;
  }
  const int fd = open(host.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  bool ok = fstat(fd, &info) == 0;
  if (ok && !S_ISREG(info.st_mode)) {
    refused = KindOf(info.st_mode);
    ok = false;
  }
  ok = ok && (!truncate || ftruncate(fd, 0) == 0);
  const int status = ok ? fcntl(fd, F_GETFL) : -1;
  ok = ok && status != -1 && fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0;
  FILE* file = ok ? fdopen(fd, mode) : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

}  // namespace

std::string HostPath(std::string_view programPath) { return Resolve(programPath).host; }

FILE* OpenFile(std::string_view programPath, const char* mode, HOSTFILEKIND* refused) {
  HOSTFILEKIND found = HOSTFILE_NONE;
  FILE* file = nullptr;
  if (mode != nullptr && !programPath.empty()) {
    const ResolvedPath path = Resolve(programPath);
    file = OpenRegularFile(path.host, mode, found);
    if (WritesFile(mode)) {
      Forget(path.parentKey);
      file = tovrel_platform::WrapForSimulatedDisk(file, mode);
    }
  }
  if (refused != nullptr) *refused = found;
  return file;
}

int RenameFileOver(std::string_view fromProgramPath, std::string_view toProgramPath) {
  const ResolvedPath from = Resolve(fromProgramPath);
  const ResolvedPath to = Resolve(toProgramPath);
  const int result = std::rename(from.host.c_str(), to.host.c_str());
  Forget(from.parentKey);
  Forget(to.parentKey);
  return result == 0 ? 1 : 0;
}

int RemoveFile(std::string_view programPath) {
  const ResolvedPath path = Resolve(programPath);
  const int result = unlink(path.host.c_str());
  Forget(path.parentKey);
  return result == 0 ? 1 : 0;
}

int SyncFile(FILE* file) {
  if (file == nullptr) return 0;
  if (std::fflush(file) != 0) return 0;
  FILE* target = tovrel_platform::SimulatedDiskTarget(file);
  if (target != file && std::fflush(target) != 0) return 0;
  return fsync(fileno(target)) == 0 ? 1 : 0;
}

int MakeDirectory(std::string_view programPath) {
  const ResolvedPath path = Resolve(programPath);
  const int result = mkdir(path.host.c_str(), 0777);
  const int error = errno;
  Forget(path.parentKey);
  if (result == 0) return 1;
  struct stat info;
  return error == EEXIST && stat(path.host.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
}

void ForgetDirectoryListings() { tovrel_platform::ForgetAllDirectoryListings(); }

DWORD GetFileAttributesA(const char* path) {
  if (path == nullptr || *path == '\0') return INVALID_FILE_ATTRIBUTES;
  struct stat info;
  if (stat(HostPath(path).c_str(), &info) != 0) return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
}
