#pragma once
// Reading "System.ini" (key=value lines) over the defaults of the game's System.ini key
// table (cSystemData::m_IniItems, by INIKEY).
//
// The file is read byte by byte:
//   - a key runs up to "="; CR, blanks and tabs in it are dropped; a line feed ends a
//     line without "=", which is skipped unless its key is "Exit", which ends the file;
//     a NUL byte ends the file as well;
//   - a value runs up to a blank, a tab, "/", a line feed or a NUL; CR stays in it. What
//     follows a blank, tab or "/" starts the next key (so a comment after a value works as
//     long as it holds no "=");
//   - keys compare case-sensitively with the table's keys, first entry first; unknown
//     keys are ignored. Number keys take the value's leading decimal number (0 when there
//     is none), FreeStage takes a value of 2 to 259 bytes;
//   - a file must end with an "Exit" line and its line feed, or with a NUL: the end of the
//     file anywhere else fails the whole file; after 10000 entries the rest is not read.
// Keys and values longer than kIniTextMax bytes are ignored with a report line.
#include <cstddef>
#include <vector>

#include "app/system_ini.h"
#include "data/system/ini_item.h"

constexpr int kIniMaxEntries = 10000;
constexpr std::size_t kIniTextMax = 2047;  // bytes of a key or a value (buffers of 2048)

// Direct3D to ShowFps := the number defaults of entries 0 to 7, FreeStage := the text
// default of entry 8, English := 0. An entry missing from a short table (a damaged
// System.dat) gives the built-in default, and a FreeStage default longer than a path can
// be gives an empty FreeStage, each with a report line.
void SetSystemIniDefaults(cSystemIni& ini, const std::vector<cIniItem>& keyTable);

// Reads the file into `ini`. False when the file cannot be opened or ends before its
// "Exit" line (with a report line unless the file is simply missing); `ini` is then left
// as it was, so that nothing of a failed file is used.
bool LoadSystemIni(const char* path, cSystemIni& ini, const std::vector<cIniItem>& keyTable);
