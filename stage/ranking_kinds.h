#pragma once
// The result kinds a play mode ranks (the System data's per-mode switches), and the kind
// whose ranking the panels and the ranking display show (the progress record's genre).
class cProgress;

// Enabled result kinds of the play mode; 0 when its ranking is off or the mode is unknown.
int GetCmdCount(int nPlayMode);
// 1 when result kind k is enabled for the play mode (its ranking switch not looked at).
int IsRankKindOn(int nPlayMode, int k);
// Moves progress.m_nRankGenre over the enabled kinds of the mode: n > 0 steps forward n
// enabled kinds, n < 0 back -n, n = 0 settles on the current kind when enabled, else on
// the next enabled one forward; kinds wrap from 4 to 0 and 0 to 4. A genre outside 0 .. 4
// (a damaged save) counts as kind 0. Nothing moves with no kind enabled.
void MoveCmdCursor(cProgress& progress, int nPlayMode, int n);
