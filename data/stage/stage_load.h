#pragma once
// Loading a stage for play: the file found by the naming rule, tested for truncation,
// read on the load thread while the caller keeps serving its own messages, tested for a
// hero, and copied (settings only) into the pristine copy stage play restarts from.
#include "data/stage/stage_data.h"

// 1 when the stage was loaded into g_StageData (and, with `out`, its settings into *out).
// bIsName 1: `name` is a stage name, completed to the newest "<name>.stg4_NNN" that
// exists (none: 0, nothing shown); 0: `name` is the file's path. Failures show their box.
int LoadStageForPlay(const char* name, int bIsName, cStageData* out);
// out := the settings of `stage` without its definitions and placements (which are
// released): what play restarts from, its entries coming from the stage being played.
void CopyStageSettings(cStageData& out, const cStageData& stage);
// The routine of thLoad: reads g_StageData from its m_strPath, sets m_bLoaded on success.
unsigned LoadStageProc(void* unused);
// 0 when the file is damaged (box shown, WM_CLOSE posted); 1 when it passes or cannot be
// judged here (missing, unreadable, newer than the player: the load then fails). A
// file whose stage body is followed by more records (a replay) passes when its body ends
// with the sentinel.
int CheckStageFile(const char* path);
