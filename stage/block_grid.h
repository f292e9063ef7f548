#pragma once
// Reads of the block grid by column and row. Objects taller than the world's margin (320
// dots or more) may leave the grid vertically, and their probes then name rows above or
// below it; a cell outside the grid reads as an empty cell (no block, not solid) instead of
// reaching memory beside the grid. Every grid read of the objects and of block collision
// goes through here.
#include <cstdint>

class cBlockCell;

// The cell at (column, row), or null when the column or the row lies outside the grid.
[[nodiscard]] cBlockCell* BlockCellAt(std::int32_t nColumn, std::int32_t nRow);
// The cell at a grid index (column + (row << shift)), or null outside the grid.
[[nodiscard]] cBlockCell* BlockCellAtIndex(std::int32_t nIndex);
// The collision kind of the cell at (column, row) for an object of side `side`
// (cBlockCell::GetHit); 0 outside the grid.
[[nodiscard]] std::int8_t BlockHitAt(std::int32_t nColumn, std::int32_t nRow, std::int32_t nSide);
