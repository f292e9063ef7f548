#pragma once
// The lists whose lengths the readers' repairs test references against: the ten database
// lists of g_Database and the block, character and item lists of the two palettes
// (g_CommonPalette, and the definitions of the stage held in g_StageData). Tests give them
// the lengths they need here and put them back with RestoreDatabaseAndPalettes.
#include <cstdint>
#include <vector>

// Every file list of g_Database `n` entries long (entries added in their class defaults).
void SetAllDatabaseSizes(int n);

// List nKind (a DBKIND value) of g_Database `n` entries long.
void SetDatabaseSize(int nKind, int n);

// The sword types of g_Database: one per element of `frameTimes`, each with one frame per
// time given (its m_nTime), in order.
void SetSwordFrameTimes(const std::vector<std::vector<std::int32_t>>& frameTimes);

// List `list` (a PALETTE_CLASS value) of palette `kind` (PALETTE_COMMON or PALETTE_STAGE)
// `n` entries long (entries added in their class defaults).
void SetPaletteListSize(int kind, int list, int n);

// Every list of both palettes `n` entries long.
void SetAllPaletteSizes(int n);

// g_Database as its Reset leaves it, a new common palette, and stage definition lists
// holding their template entry only.
void RestoreDatabaseAndPalettes();
