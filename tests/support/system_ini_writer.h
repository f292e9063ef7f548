#pragma once
// System.ini files for tests and fuzz seeds, written as Windows editors leave them: one
// "key=value" line per entry, CR LF line ends, and the closing "Exit" line that the file
// must end with.
#include <string>
#include <utility>
#include <vector>

using cIniEntries = std::vector<std::pair<std::string, std::string>>;

// The bytes of a System.ini holding `entries` in order.
std::string SystemIniText(const cIniEntries& entries);

// Writes them to a program path ("System.ini" in the game folder). 1 when written.
int WriteSystemIniLines(const char* programPath, const cIniEntries& entries);
