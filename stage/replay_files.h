#pragma once
// Replay files (user_data\rpl4\*.rpl4_811): the version word, the stage body as it was
// played (the pristine settings with the stage's own entries), the replay record, then
// the progress at the stage's start. The main window's requests reach them through the
// shell's services table, by the forms that take a path alone.
#include <cstdint>
#include <string>

#include "platform/win_types.h"

class cProgress;
class cReplay;
class cStageData;

// Largest replay file a save may write: what a load accepts. A stage whose thousands of
// placements each repeat a long inherited list would otherwise write gigabytes.
std::size_t ReplaySaveLimit();
// Test seam: another limit (0 restores the default).
void SetReplaySaveLimit(std::size_t nBytes);

// Writes `replay` with `stage` (settings from `pristine`) and `progress` to `path`. 1
// saved; 0 when the file cannot be written, or when it would exceed ReplaySaveLimit (a
// box says so; nothing is written and play goes on).
int SaveReplay(cReplay& replay, const char* path, cStageData& stage, const cStageData& pristine, cProgress& progress);
// Reads a replay file into `replay`, `stage`, the settings of `pristine` (its lists
// released) and, for files above version 172, `progress`. 1 loaded; 0 when the file is
// missing, newer than the player or damaged (a damaged file shows a box saying why); on
// 0 nothing given is changed.
int LoadReplay(cReplay& replay, const char* path, cStageData& stage, cStageData& pristine, cProgress& progress);

// The default path of a replay of the stage `stageName` (the progress record's stage
// name), made absolute: "user_data\rpl4\<name>__YYYY__MM_DD__hh_mm.rpl4_811", the stage
// name taking the ranking suffix (bSuffix, nSuffixA, nSuffixB) and the path " (2)",
// " (3)" ... up to " (999)" while the name is taken. An empty name gives an empty path.
// False, `out` untouched, when the path would not fit in MAX_PATH - 1 characters.
bool MakeReplayFileNameAt(std::string& out, const std::string& stageName, const SYSTEMTIME& now, int bSuffix,
                          int nSuffixA, int nSuffixB);

// The forms of the main window's requests: the current replay and g_StageData,
// g_StageDataOrg, g_Progress for a load; g_Replay (bPrevious 0) or g_ReplayPrev (1) with
// the progress at the start of that stage for a save; the local time and g_Progress's
// suffix for the name.
bool LoadReplay(const char* path);
bool SaveReplay(const char* path, int bPrevious);
bool MakeReplayFileName(std::string& out, const std::string& stageName);
