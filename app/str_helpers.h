#pragma once
// Formatted strings and Shift-JIS character helpers. Formatted texts hold at most 5119
// characters; longer ones are cut.
#include <string>

constexpr int kStrPrintfMax = 5119;

void StrPrintf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
std::string& StrCatPrintf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
int StrResync(std::string& text);
std::string StrSubstrSafe(const std::string& text, int start, int count);
int IsDBCSChar(const char* p);
int GetStrCharNum(const char* text);
