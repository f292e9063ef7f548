#include "stage/block_cell.h"

#include "stage/block_conditions.h"

std::int8_t cBlockCell::GetHit(std::int8_t side) {
  if (!m_vCond.empty() && !CheckBlockConds(*this)) return 0;
  if (m_nPassSide == side) return 0;
  return m_nHit;
}
