#pragma once
// One cell of the block grid of a running stage: the block copied from its placement and
// the latch of its condition list.
#include <cstdint>

#include "data/palette/palette_block.h"

class cBlockCell : public cPaletteBlock {
 public:
  cBlockCell() = default;
  explicit cBlockCell(const cPaletteBlock& block) : cPaletteBlock(block) {}

  // The collision kind the cell has for an object of side `side`: 0 while its
  // conditions do not hold or when the side passes through the block, else m_nHit.
  std::int8_t GetHit(std::int8_t side);

  std::int8_t m_bLatch = 0;  // set once the block's condition list has held (m_bCondLatch 1)
};
