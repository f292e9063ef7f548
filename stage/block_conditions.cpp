// The condition test of a block cell. While a stage runs, its scene answers (the
// conditions read the running stage: player 1, variables); without a running stage no
// condition holds: only the empty list and the latch count as holding.
#include "stage/block_conditions.h"

#include "stage/block_cell.h"
#include "stage/scene_game.h"

int CheckBlockConds(cBlockCell& cell) {
  if (cSceneGame* pScene = GameScene(); pScene != nullptr) return pScene->CheckBlockConds(cell);
  if (cell.m_vCond.empty()) return 1;
  if (cell.m_bCondLatch != 0 && cell.m_bLatch != 0) return 1;
  return 0;
}
