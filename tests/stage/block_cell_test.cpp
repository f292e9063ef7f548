#include "stage/block_cell.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/palette/palette_block.h"
#include "tests/data/palette_test_support.h"

namespace {

using BlockCellTest = PaletteTest;

TEST_F(BlockCellTest, HitDependsOnSideConditionsAndLatch) {
  cBlockCell cell;
  cell.m_nGraphic = 1;
  cell.m_nHit = 1;
  cell.m_nPassSide = 2;
  EXPECT_EQ(cell.GetHit(2), 0);
  EXPECT_EQ(cell.GetHit(3), 1);

  // A condition list that does not hold makes the block count as absent; a latched one
  // holds.
  cell.m_vCond.resize(1);
  EXPECT_EQ(cell.GetHit(3), 0);
  cell.m_bCondLatch = 1;
  cell.m_bLatch = 1;
  EXPECT_EQ(cell.GetHit(3), 1);
  EXPECT_EQ(cell.GetHit(2), 0);
}

TEST_F(BlockCellTest, CellCopiesBlockAndLatch) {
  cPaletteBlock block;
  block.m_nGraphic = 5;
  block.m_vCond.resize(1);
  cBlockCell cell(block);
  cell.m_bLatch = 1;
  const cBlockCell copy = cell;
  EXPECT_EQ(copy.m_nGraphic, 5);
  EXPECT_EQ(copy.m_vCond.size(), 1u);
  EXPECT_EQ(copy.m_bLatch, 1);
}

}  // namespace
