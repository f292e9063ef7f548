#include "platform/shell_files.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/host_files.h"

namespace fs = std::filesystem;

namespace {

// Error codes of a failed operation (as the shell answers: any value but 0).
constexpr int kBadArguments = 0x78;
constexpr int kFailed = 0x7C;

std::vector<std::string> SourceList(const char* from) {
  std::vector<std::string> list;
  if (from == nullptr) return list;
  while (*from != '\0') {
    list.emplace_back(from);
    from += list.back().size() + 1;
  }
  return list;
}

// A path without its trailing separators, so that its last name can be taken.
fs::path HostPathOf(const std::string& programPath) {
  std::string host = HostPath(programPath);
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  return fs::path(host);
}

bool CopyOne(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (!fs::exists(from, error)) return false;
  fs::path target = to;
  if (fs::is_directory(to, error)) target /= from.filename();
  if (fs::is_directory(from, error)) {
    fs::create_directories(target, error);
    if (error) return false;
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
      const fs::path destination = target / fs::relative(it->path(), from, error);
      if (error) return false;
      if (it->is_directory(error)) {
        fs::create_directories(destination, error);
      } else {
        fs::copy_file(it->path(), destination, fs::copy_options::overwrite_existing, error);
      }
      if (error) return false;
    }
    return !error;
  }
  fs::copy_file(from, target, fs::copy_options::overwrite_existing, error);
  return !error;
}

}  // namespace

BOOL PathIsDirectoryA(const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  std::error_code error;
  return fs::is_directory(HostPathOf(path), error) ? 1 : 0;
}

int SHFileOperationA(SHFILEOPSTRUCTA* operation) {
  if (operation == nullptr) return kBadArguments;
  const std::vector<std::string> sources = SourceList(operation->pFrom);
  if (sources.empty()) return kBadArguments;
  int result = 0;
  if (operation->wFunc == FO_COPY) {
    if (operation->pTo == nullptr || *operation->pTo == '\0') return kBadArguments;
    const fs::path to = HostPathOf(operation->pTo);
    for (const std::string& source : sources)
      if (!CopyOne(HostPathOf(source), to)) result = kFailed;
  } else if (operation->wFunc == FO_DELETE) {
    for (const std::string& source : sources) {
      std::error_code error;
      fs::remove_all(HostPathOf(source), error);
      if (error) result = kFailed;
    }
  } else {
    return kBadArguments;
  }
  ForgetDirectoryListings();  // folders were made or removed behind the cache's back
  operation->fAnyOperationsAborted = result != 0 ? 1 : 0;
  return result;
}
