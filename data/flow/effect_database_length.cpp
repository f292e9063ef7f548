// Stand-in for the length of the Effect database until the databases are
// built; see GetEffectDatabaseLength in shot_block.h. Replace this file by a definition
// that returns the length of the loaded Effect list.
#include "data/flow/shot_block.h"

std::size_t g_nEffectDatabaseLengthStandIn = 0;

std::size_t GetEffectDatabaseLength() { return g_nEffectDatabaseLengthStandIn; }
