#include "data/palette/block_cell.h"

#include "data/palette/block_condition_test.h"

std::int8_t cBlockCell::GetHit(std::int8_t side) {
  if (!m_vCond.empty() && !CheckBlockConds(*this)) return 0;
  if (m_nPassSide == side) return 0;
  return m_nHit;
}
