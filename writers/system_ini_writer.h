#pragma once
// System.ini files: one "key=value" line per entry and the closing "Exit" line the reader
// needs. The demo game writes its file from the key table with LF line ends (a CR would
// stay at the end of a text value); tests and fuzz seeds also write CR LF files, as Windows
// editors leave them.
#include <string>
#include <utility>
#include <vector>

#include "data/system/ini_item.h"

using cIniEntries = std::vector<std::pair<std::string, std::string>>;

// The bytes of a System.ini holding `entries` in order, each line ended by `lineEnd`.
std::string SystemIniText(const cIniEntries& entries, const char* lineEnd = "\r\n");

// Writes `entries` (CR LF lines) to a program path. 1 when written whole.
int WriteSystemIniLines(const char* programPath, const cIniEntries& entries);

// `items` is the key table with the values to write, LF lines in the table's order; a text
// entry whose value is empty is left out (the reader would ignore it). 1 when written whole.
int WriteSystemIni(const char* programPath, const std::vector<cIniItem>& items);
