// The condition test of a block cell before any stage runs. The stage-play scene, when it
// exists, answers through its own test (cSceneGame::CheckBlockConds); without a running
// stage no condition holds: only the empty list and the latch count as holding.
#include "stage/block_conditions.h"

#include "stage/block_cell.h"

int CheckBlockConds(cBlockCell& cell) {
  if (cell.m_vCond.empty()) return 1;
  if (cell.m_bCondLatch != 0 && cell.m_bLatch != 0) return 1;
  return 0;
}
