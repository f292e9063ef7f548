#pragma once
// Repairs of the references that a command holds into the databases and the palettes,
// against the lengths of those lists as they are when the repair runs.
#include <cstdint>

class cFlowCmd;

// m_nAnime and m_nSound, the parameter count of the kind, and the database index of the
// kinds that name one (the sword type of a sword command also sets its running time).
// A kind outside the tables keeps its parameters as read.
void NormalizeCmdDatabaseRefs(cFlowCmd& cmd);

// Palette entries named by shots, swords, summons and item gets.
void NormalizeCmdPaletteRefs(cFlowCmd& cmd);

// Running time of a sword command: the sum of the frame times of sword type nIndex of
// g_Database, added in 16 bits and held at 9999 once a sum reaches 9999; 0 for an index
// outside the list.
std::int16_t SwordRunningTime(int nIndex);
