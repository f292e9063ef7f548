#pragma once
// What the system data needs of the databases: how many records the Bgm database holds
// (the "none" entry 0 included). Scene music indices at or past it mean no music.
#include <cstddef>

std::size_t GetBgmDatabaseLength();

// Until the databases are built into the program, GetBgmDatabaseLength returns this
// value, which tests set.
extern std::size_t g_nBgmDatabaseLengthStandIn;
