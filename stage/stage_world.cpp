#include "stage/stage_world.h"

#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"

std::list<cChara> g_listChara;
std::list<cItem> g_listItem;
std::vector<cPlayer> g_vPlayer;
std::vector<cBlockCell> g_vBlockMap;
