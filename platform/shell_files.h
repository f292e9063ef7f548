#pragma once
// Whole-folder operations on program paths: is a path a folder, copy a folder tree, delete
// one. The shell operation keeps the shape the program's algorithms are written in.
#include "platform/win_types.h"

BOOL PathIsDirectoryA(const char* path);

constexpr UINT FO_COPY = 0x0002;
constexpr UINT FO_DELETE = 0x0003;
constexpr WORD FOF_MULTIDESTFILES = 0x0001;
constexpr WORD FOF_SILENT = 0x0004;
constexpr WORD FOF_NOCONFIRMATION = 0x0010;

struct SHFILEOPSTRUCTA {
  HWND hwnd;
  UINT wFunc;
  const char* pFrom;  // one or more paths, each ended by NUL, the list by a second NUL
  const char* pTo;    // FO_COPY: the destination
  WORD fFlags;
  BOOL fAnyOperationsAborted;
  void* hNameMappings;
  const char* lpszProgressTitle;
};

// FO_COPY copies each source (a file or a whole folder) to pTo: a missing destination
// becomes the copy, an existing folder receives it under the source's own name. FO_DELETE
// removes each source with everything inside it. 0 when everything was done; otherwise
// not 0, and what was done so far stays. Nothing is asked or shown.
int SHFileOperationA(SHFILEOPSTRUCTA* operation);
