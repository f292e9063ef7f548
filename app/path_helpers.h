#pragma once
// Program paths ("\" separators, CP932, at most MAX_PATH - 1 characters). The functions
// work in place on buffers of MAX_PATH characters unless they take a destination; they
// never write past MAX_PATH characters.
#include <string>

int MakeRelativePath(char* path);
int MakeRelativePathStr(std::string& path);
int MakeFullPath(char* path);
void StripDir(char* path);
int ChangeExt(char* dest, const char* src, const char* ext);
int StripExt(char* path);
int StripExtStr(std::string& path);
int GetExt(char* dest, const char* path);
int MakeNumberedName(char* dest, const char* src, int n);
int FindLatestFile(char* dest, const char* src, const char* ext);
int FindLatestFileStr(std::string& dest, const std::string& src, const char* ext);
