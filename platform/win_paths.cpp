// Windows-style queries on program paths: the current folder, full paths, relative paths.
// Program paths are CP932 and are taken apart character by character, so that a trail byte
// 0x5C is never read as a separator.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/current_directory.h"
#include "platform/host_files.h"
#include "platform/name_fold.h"
#include "platform/program_path.h"
#include "platform/utf8.h"

using tovrel_platform::ProgramPathParts;
using tovrel_platform::SplitProgramPath;

namespace {

// The program form of a host path: each name converted to CP932 ("\" separators). A name
// that is not UTF-8 is taken to be raw CP932 already and kept as it is.
std::string ProgramPathOfHostPath(const std::string& host) {
  std::string path;
  std::string previous;  // the last name written, CP932
  std::size_t pos = 0;
  while (pos < host.size()) {
    std::size_t slash = host.find('/', pos);
    if (slash == std::string::npos) slash = host.size();
    const std::string_view name(host.data() + pos, slash - pos);
    if (!name.empty()) {
      path += previous.empty() ? '\\' : tovrel_platform::ProgramPathSeparatorAfter(previous);
      previous = tovrel_platform::IsValidUtf8(name) ? Utf8ToCp932(name) : std::string(name);
      path += previous;
    }
    pos = slash + 1;
  }
  if (path.empty()) path = "\\";
  return path;
}

// Copies a result the Windows way: the length without the terminator when it fits, else
// the size the buffer needs, terminator included.
DWORD CopyResult(const std::string& text, DWORD bufferLength, char* buffer) {
  if (buffer == nullptr || bufferLength <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

std::string CurrentProgramDirectory() {
  const std::string host = tovrel_platform::CurrentHostDirectory();
  if (host.empty()) return std::string();
  return ProgramPathOfHostPath(host);
}

// Names compare the way Windows compares them: ignoring case, full-width letters too.
bool SameName(const std::string& a, const std::string& b) {
  if (a == b) return true;
  return tovrel_platform::CaseFoldKey(Cp932ToUtf8(a)) == tovrel_platform::CaseFoldKey(Cp932ToUtf8(b));
}

}  // namespace

DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
  const std::string path = CurrentProgramDirectory();
  if (path.empty()) return 0;
  return CopyResult(path, bufferLength, buffer);
}

DWORD GetFullPathNameA(const char* path, DWORD bufferLength, char* buffer, char** filePart) {
  if (filePart != nullptr) *filePart = nullptr;
  if (path == nullptr || *path == '\0') return 0;
  ProgramPathParts parts = SplitProgramPath(path);
  if (parts.root.empty()) {
    ProgramPathParts base = SplitProgramPath(CurrentProgramDirectory());
    if (base.root.empty()) return 0;
    base.components.insert(base.components.end(), parts.components.begin(), parts.components.end());
    base.trailingSeparator = parts.trailingSeparator;
    parts = std::move(base);
  } else if (parts.root.size() == 2) {  // "X:name": taken from the drive's root
    parts.root += '\\';
  }
  std::vector<std::string> folded;
  for (std::string& component : parts.components) {
    if (component == ".") continue;
    if (component == "..") {
      if (!folded.empty()) folded.pop_back();
      continue;
    }
    folded.push_back(std::move(component));
  }
  parts.components = std::move(folded);
  const std::string full = tovrel_platform::JoinProgramPath(parts);
  const DWORD result = CopyResult(full, bufferLength, buffer);
  if (result == full.size() && filePart != nullptr && !parts.components.empty() &&
      !parts.trailingSeparator) {
    *filePart = buffer + (full.size() - parts.components.back().size());
  }
  return result;
}

BOOL PathIsRelativeA(const char* path) {
  if (path == nullptr || *path == '\0') return 1;
  if (IsCp932LeadByte(static_cast<std::uint8_t>(path[0]))) return 1;
  if (tovrel_platform::IsProgramPathSeparator(path[0])) return 0;
  if (path[1] == ':') return 0;
  return 1;
}

BOOL PathRelativePathToA(char* out, const char* from, DWORD fromAttributes, const char* to,
                         DWORD /*toAttributes*/) {
  if (out == nullptr) return 0;
  out[0] = '\0';
  if (from == nullptr || to == nullptr) return 0;
  ProgramPathParts fromParts = SplitProgramPath(from);
  const ProgramPathParts toParts = SplitProgramPath(to);
  if ((fromAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !fromParts.components.empty()) {
    fromParts.components.pop_back();  // a file: its folder
  }
  if (!SameName(fromParts.root, toParts.root)) return 0;
  std::size_t common = 0;
  while (common < fromParts.components.size() && common < toParts.components.size() &&
         SameName(fromParts.components[common], toParts.components[common])) {
    ++common;
  }
  if (fromParts.root.empty() && common == 0) return 0;  // two relative paths, no root
  std::string relative;
  const std::size_t up = fromParts.components.size() - common;
  if (up == 0) {
    relative = ".";
  } else {
    for (std::size_t i = 0; i < up; ++i) relative += i == 0 ? ".." : "\\..";
  }
  for (std::size_t i = common; i < toParts.components.size(); ++i) {
    relative += i == common ? '\\' : tovrel_platform::ProgramPathSeparatorAfter(toParts.components[i - 1]);
    relative += toParts.components[i];
  }
  if (relative.size() >= static_cast<std::size_t>(MAX_PATH)) return 0;
  std::memcpy(out, relative.c_str(), relative.size() + 1);
  return 1;
}
