#pragma once
// Replay files as the main window's requests reach them. Stage play keeps no replay
// record yet, so there is nothing to load a replay into, to save or to name a file
// after: each of these refuses with a report line saying so, and the request reports
// that nothing was loaded or saved.
#include <string>

// Loads `path` into the current replay, the stage data, its pristine copy and the
// progress record. Always false for now.
bool LoadReplay(const char* path);
// Saves the current stage's replay (bPrevious 0) or the previous stage's (1). Always
// false for now.
bool SaveReplay(const char* path, int bPrevious);
// The path proposed for a replay of `stageName`; false, with `out` untouched, when
// there is none. Always false for now.
bool MakeReplayFileName(std::string& out, const std::string& stageName);
