#include "stage/block_grid.h"

#include <cstdint>

#include "objects/game_obj.h"
#include "stage/block_cell.h"
#include "stage/scroll.h"
#include "stage/stage_world.h"

cBlockCell* BlockCellAt(std::int32_t nColumn, std::int32_t nRow) {
  const std::int32_t shift = ObjScrollX().m_nShift;
  if (shift < 0 || shift > 30) return nullptr;
  const std::int64_t stride = std::int64_t{1} << shift;
  if (nColumn < 0 || nColumn >= stride || nRow < 0) return nullptr;
  const std::int64_t index = nColumn + (static_cast<std::int64_t>(nRow) << shift);
  if (index >= static_cast<std::int64_t>(g_vBlockMap.size())) return nullptr;
  return &g_vBlockMap[static_cast<std::size_t>(index)];
}

cBlockCell* BlockCellAtIndex(std::int32_t nIndex) {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= g_vBlockMap.size()) return nullptr;
  return &g_vBlockMap[static_cast<std::size_t>(nIndex)];
}

std::int8_t BlockHitAt(std::int32_t nColumn, std::int32_t nRow, std::int32_t nSide) {
  cBlockCell* cell = BlockCellAt(nColumn, nRow);
  if (cell == nullptr) return 0;
  return cell->GetHit(static_cast<std::int8_t>(nSide));
}
