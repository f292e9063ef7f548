#pragma once
// Firing and summoning: the shot command's volley of copies, each laid out by the block's
// formation, and the summons of characters, items and blocks, which place one copy of the
// formation and create palette entries at its places instead of shots.
#include <list>

class cCharaBase;
class cEdShot;
class cFlowCmdRun;
class cShot;

// One volley of the block's copies into the scene's shot list. The kind of the running
// command decides what each place becomes (a shot for the shot command).
void FireShots(std::list<cShot>& list, cCharaBase& firer, cFlowCmdRun& run, cEdShot& block);
// One copy of the formation, creating the block's palette entry at each place. A palette
// index outside its list, or a character entry that is not computer-controlled, creates
// nothing.
void SummonChara(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block);
void SummonItem(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block);
void SummonBlock(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block);
