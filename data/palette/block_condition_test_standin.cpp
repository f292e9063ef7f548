// Stand-in for the condition test of the running stage until the stage-play scene
// exists (it then calls cSceneGame::CheckBlockConds on the scene held by the game
// manager). Without a running stage no condition holds: only the empty list and the
// latch count as holding.
#include "data/palette/block_condition_test.h"

#include "data/palette/block_cell.h"

int CheckBlockConds(cBlockCell& cell) {
  if (cell.m_vCond.empty()) return 1;
  if (cell.m_bCondLatch != 0 && cell.m_bLatch != 0) return 1;
  return 0;
}
