// Stand-in for the length of the Bgm database until the databases are built: replace
// this file by a definition that returns the length of the loaded Bgm list.
#include "data/system/bgm_database_length.h"

std::size_t g_nBgmDatabaseLengthStandIn = 0;

std::size_t GetBgmDatabaseLength() { return g_nBgmDatabaseLengthStandIn; }
