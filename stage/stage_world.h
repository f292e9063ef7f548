#pragma once
// The running stage's objects and block grid, shared by the objects, the flows and stage
// play. Lists keep their elements' addresses for as long as the elements live (group
// lists and links hold pointers), erasing one element keeps the order of the rest, and an
// element appended while a loop walks a list is visited later in the same walk.
#include <list>
#include <vector>

#include "stage/block_cell.h"

class cChara;
class cItem;
class cPlayer;

extern std::list<cChara> g_listChara;
extern std::list<cItem> g_listItem;
// Sized once per set-up (m_nPlayers elements) and never resized during play, so pointers
// to its elements stay valid until the next set-up.
extern std::vector<cPlayer> g_vPlayer;
// (H + 20) rows of (1 << shift) cells; see cScroll.
extern std::vector<cBlockCell> g_vBlockMap;
