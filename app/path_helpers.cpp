#include "app/path_helpers.h"

#include <cstdio>
#include <cstring>

#include "app/str_helpers.h"
#include "platform/host_files.h"
#include "platform/win_types.h"

namespace {

// Copies text into a MAX_PATH buffer; 0 (dest untouched) when it does not fit.
int CopyPath(char* dest, const char* text) {
  const std::size_t length = std::strlen(text);
  if (length >= MAX_PATH) return 0;
  std::memcpy(dest, text, length + 1);
  return 1;
}

// The last "." of a path, scanning from the end; it may lie in a directory name. A "."
// is never the trail byte of a double-byte character.
const char* FindLastDot(const char* path) { return std::strrchr(path, '.'); }

}  // namespace

int MakeRelativePath(char* path) {
  if (PathIsRelativeA(path)) return 1;
  char current[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  if (length == 0 || length >= MAX_PATH) return 0;
  char relative[MAX_PATH];
  if (!PathRelativePathToA(relative, current, FILE_ATTRIBUTE_DIRECTORY, path, FILE_ATTRIBUTE_ARCHIVE))
    return 0;
  return CopyPath(path, relative);
}

int MakeRelativePathStr(std::string& path) {
  char buffer[MAX_PATH];
  if (!CopyPath(buffer, path.c_str())) return 0;
  const int result = MakeRelativePath(buffer);
  path = buffer;
  return result;
}

int MakeFullPath(char* path) {
  if (!PathIsRelativeA(path)) return 1;
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
  // A result of MAX_PATH or more is the size a longer buffer would need.
  if (length == 0 || length >= MAX_PATH) return 0;
  return CopyPath(path, full);
}

void StripDir(char* path) {
  // Scan from the start, a double-byte character at a time: 0x5C as a trail byte is not
  // a separator, and a byte before a "\" can be a trail byte in the lead range.
  const char* name = nullptr;
  for (const char* p = path; *p != '\0';) {
    if (IsDBCSChar(p)) {
      p += 2;
    } else {
      if (*p == '\\') name = p + 1;
      ++p;
    }
  }
  if (name != nullptr) std::memmove(path, name, std::strlen(name) + 1);
}

int ChangeExt(char* dest, const char* src, const char* ext) {
  if (!CopyPath(dest, src)) {
    dest[0] = '\0';
    return 0;
  }
  char* dot = const_cast<char*>(FindLastDot(dest));
  if (dot == nullptr) return 0;
  if (ext == nullptr) {
    *dot = '\0';
    return 1;
  }
  const std::size_t kept = static_cast<std::size_t>(dot - dest) + 1;
  const std::size_t extLength = std::strlen(ext);
  if (kept + extLength >= MAX_PATH) {
    dest[0] = '\0';
    return 0;
  }
  std::memcpy(dest + kept, ext, extLength + 1);
  return 1;
}

int StripExt(char* path) {
  char* dot = std::strrchr(path, '.');
  if (dot == nullptr) return 0;
  *dot = '\0';
  return 1;
}

int StripExtStr(std::string& path) {
  std::string text = path.c_str();
  const std::size_t dot = text.rfind('.');
  if (dot == std::string::npos) return 0;
  text.resize(dot);
  path = text;
  return 1;
}

int GetExt(char* dest, const char* path) {
  const char* dot = FindLastDot(path);
  if (dot == nullptr) return 0;
  return CopyPath(dest, dot + 1);
}

int MakeNumberedName(char* dest, const char* src, int n) {
  const char* dot = FindLastDot(src);
  if (dot == nullptr) return 0;
  const int nameLength = static_cast<int>(dot - src);
  const int length = std::snprintf(nullptr, 0, "%.*s (%d).%s", nameLength, src, n, dot + 1);
  if (length < 0 || length >= MAX_PATH) return 0;
  std::snprintf(dest, MAX_PATH, "%.*s (%d).%s", nameLength, src, n, dot + 1);
  return 1;
}

int FindLatestFile(char* dest, const char* src, const char* ext) {
  if (std::strlen(src) >= MAX_PATH) return 0;
  char base[MAX_PATH];
  // Without a "." the base is the plain copy; with one, 0 means the new name is too long.
  if (!ChangeExt(base, src, ext) && FindLastDot(src) != nullptr) return 0;
  for (int number = 999; number >= 0; --number) {
    char name[MAX_PATH];
    const int length =
        std::snprintf(name, sizeof name, "%s_%d%d%d", base, number / 100, number / 10 % 10, number % 10);
    if (length < 0 || length >= MAX_PATH) return 0;
    if (GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES) return CopyPath(dest, name);
  }
  return 0;
}

int FindLatestFileStr(std::string& dest, const std::string& src, const char* ext) {
  char found[MAX_PATH];
  if (!FindLatestFile(found, src.c_str(), ext)) return 0;
  dest = found;
  return 1;
}
