#pragma once
// The stage-play condition test of a block cell: 1 when the block's condition list is
// empty, or latched (m_bCondLatch and the cell's latch set), or holds for player 1 with
// the block's m_nCondMode (the cell's latch is then set); else 0. It touches nothing of
// the cell but m_vCond, m_nCondMode, m_bCondLatch and m_bLatch.
class cBlockCell;

int CheckBlockConds(cBlockCell& cell);
