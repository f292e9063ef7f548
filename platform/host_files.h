#pragma once
// Files of the program, named by program paths: CP932 text, "\" separators, relative to
// the game folder (the current folder at start) or absolute ("\home\me\game\x.dat").
// Every file the program opens goes through here, so that a game copied from Windows,
// with any mix of letter case in its names, opens its files.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/win_types.h"

// The host path of a program path: CP932 converted to UTF-8 first (a trail byte may be
// 0x5C), then "\" turned into "/", then each component matched case-insensitively
// against the cached listing of its folder. Components that do not exist keep their
// converted spelling, so a path to a file about to be created maps as expected.
std::string HostPath(std::string_view programPath);

// What stands at a path, as far as opening it as a file is concerned.
enum HOSTFILEKIND {
  HOSTFILE_NONE = 0,   // nothing there, or it could not be looked at
  HOSTFILE_REGULAR,
  HOSTFILE_DIRECTORY,
  HOSTFILE_FIFO,
  HOSTFILE_DEVICE,     // a character or block device
  HOSTFILE_SOCKET,
  HOSTFILE_OTHER,
};

// fopen of a program path, for regular files only: a folder, a named pipe, a device or a
// socket where a file should be is refused before it is opened (opening a pipe would wait
// for a writer for ever, opening a device can have effects of its own), and `refused`,
// when given, then says what stands there; it is HOSTFILE_NONE for every other failure.
// Opening for writing or appending forgets the cached listing of the file's folder.
FILE* OpenFile(std::string_view programPath, const char* mode, HOSTFILEKIND* refused = nullptr);

// Replaces `to` by `from` in one step (rename); both in the same folder. 1 on success.
int RenameFileOver(std::string_view fromProgramPath, std::string_view toProgramPath);
// Removes a file. 1 on success.
int RemoveFile(std::string_view programPath);
// Flushes a file written through OpenFile to the disk. 1 on success.
int SyncFile(FILE* file);
// Creates one folder. 1 when it exists afterwards.
int MakeDirectory(std::string_view programPath);

// Forgets every cached folder listing (tests, and after the program changes folders).
void ForgetDirectoryListings();

// Windows-style file queries on program paths.
DWORD GetFileAttributesA(const char* path);
DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer);
DWORD GetFullPathNameA(const char* path, DWORD bufferLength, char* buffer, char** filePart);
BOOL PathIsRelativeA(const char* path);
BOOL PathRelativePathToA(char* out, const char* from, DWORD fromAttributes, const char* to,
                         DWORD toAttributes);
