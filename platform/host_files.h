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

// fopen of a program path. Opening for writing or appending forgets the cached listing
// of the file's folder.
FILE* OpenFile(std::string_view programPath, const char* mode);

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
