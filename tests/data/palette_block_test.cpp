#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/palette/palette_block.h"
#include "tests/data/palette_test_support.h"

namespace {

// The registered members of a block, in file order.
struct BlockFields {
  std::int8_t paletteKind = 0;
  std::int16_t paletteIndex = 0;
  std::int8_t condMode = 0, condLatch = 0;
  std::int16_t graphic = 0;
  std::int8_t graphicKind = 0;
  std::int16_t pattern = 0;
  std::int8_t layer = 0, hidden = 0, emblemShow = 0;
  std::int16_t emblem = 0;
  std::int8_t hit = 1, passSide = -1, footKind = 0;
  std::int32_t footParam = 0;
  std::int8_t itemPaletteKind = 0;
  std::int16_t itemIndex = 0;
  std::int8_t isProtected = 0;
  std::string name;
};

// One block body laid out as the file format gives it.
Bytes BlockBody(const BlockFields& f, std::int16_t cellX = 0, std::int16_t cellY = 0,
                const std::vector<std::uint8_t>& inherit = std::vector<std::uint8_t>(11, 0), int conds = 0) {
  cByteBuilder b;
  b.I32(18);
  b.I8(f.paletteKind).I16(f.paletteIndex).I8(f.condMode).I8(f.condLatch).I16(f.graphic).I8(f.graphicKind);
  b.I16(f.pattern).I8(f.layer).I8(f.hidden).I8(f.emblemShow).I16(f.emblem).I8(f.hit).I8(f.passSide);
  b.I8(f.footKind).I32(f.footParam).I8(f.itemPaletteKind).I16(f.itemIndex).I8(f.isProtected);
  b.I32(1).Text(f.name);
  b.I16(cellX).I16(cellY);
  AppendInherit(b, inherit);
  b.Count(conds);
  for (int i = 0; i < conds; ++i) {
    cCond cond;
    cond.m_nKind = 1;
    cDataWriter out;
    cond.Write(out);
    b.Bytes(out.Bytes());
  }
  return b.Get();
}

using PaletteBlockTest = PaletteTest;

TEST_F(PaletteBlockTest, NewBlockWritesTheDefaultBody) {
  cPaletteBlock block;
  const Bytes bytes = BytesOf(block);
  EXPECT_EQ(bytes.size(), 61u);
  // A new block has graphic 0, so it is written as an empty cell: not solid.
  BlockFields expected;
  expected.hit = 0;
  EXPECT_EQ(bytes, BlockBody(expected));
}

TEST_F(PaletteBlockTest, ReadsEveryMemberInFileOrder) {
  BlockFields f;
  f.paletteKind = 0, f.paletteIndex = 9, f.condMode = 1, f.condLatch = 1, f.graphic = 300, f.graphicKind = 4;
  f.pattern = 12, f.layer = 2, f.hidden = 1, f.emblemShow = 1, f.emblem = 77, f.hit = 2, f.passSide = 5;
  f.footKind = 3, f.footParam = 150, f.itemPaletteKind = 1, f.itemIndex = 1, f.isProtected = 1;
  f.name = "岩";
  cPaletteBlock block;
  const cDataReader in = ReadAt(block, BlockBody(f, 17, -3, {1, 0, 1}, 2));
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(block.m_nPaletteIndex, 9);
  EXPECT_EQ(block.m_nCondMode, 1);
  EXPECT_EQ(block.m_bCondLatch, 1);
  EXPECT_EQ(block.m_nGraphic, 300);
  EXPECT_EQ(block.m_nGraphicKind, 4);
  EXPECT_EQ(block.m_nPattern, 12);
  EXPECT_EQ(block.m_nLayer, 2);
  EXPECT_EQ(block.m_bHidden, 1);
  EXPECT_EQ(block.m_nEmblemShow, 1);
  EXPECT_EQ(block.m_nEmblem, 77);
  EXPECT_EQ(block.m_nHit, 2);
  EXPECT_EQ(block.m_nPassSide, 5);
  EXPECT_EQ(block.m_nFootKind, 3);
  EXPECT_EQ(block.m_nFootParam, 150);
  EXPECT_EQ(block.m_nItemPaletteKind, 1);
  EXPECT_EQ(block.m_nItemIndex, 1);
  EXPECT_EQ(block.m_bProtected, 1);
  EXPECT_EQ(block.m_strName, "岩");
  EXPECT_EQ(block.m_nCellX, 17);
  EXPECT_EQ(block.m_nCellY, -3);
  EXPECT_EQ(block.m_vInherit, (std::vector<std::uint8_t>{1, 0, 1}));
  ASSERT_EQ(block.m_vCond.size(), 2u);
  EXPECT_EQ(block.m_vCond[1].m_nKind, 1);
  ExpectRoundTrip(block);
}

// Shot graphics of files before 219 are renumbered; nothing else is.
TEST_F(PaletteBlockTest, OldShotGraphicsAreRenumbered) {
  struct Case {
    int version;
    std::int8_t kind;
    std::int16_t graphic;
    std::int16_t expected;
  } const cases[] = {
      {218, 3, 50, 51}, {218, 3, 119, 119}, {218, 3, 200, 119}, {218, 0, 50, 50}, {219, 3, 50, 50},
  };
  for (const Case& c : cases) {
    BlockFields f;
    f.graphicKind = c.kind;
    f.graphic = c.graphic;
    cPaletteBlock block;
    ReadAt(block, BlockBody(f), c.version);
    EXPECT_EQ(block.m_nGraphic, c.expected) << "version " << c.version << " kind " << int{c.kind};
  }
}

TEST_F(PaletteBlockTest, EmptyCellIsNeitherSolidNorProtected) {
  BlockFields f;
  f.graphic = 0, f.hit = 2, f.isProtected = 1;
  cPaletteBlock block;
  ReadAt(block, BlockBody(f));
  EXPECT_EQ(block.m_nHit, 0);
  EXPECT_EQ(block.m_bProtected, 0);

  f.graphic = 1;
  ReadAt(block, BlockBody(f));
  EXPECT_EQ(block.m_nHit, 2);
  EXPECT_EQ(block.m_bProtected, 1);
}

// References are tested against the lists of the moment: the common palette has 3
// blocks and 3 items, the stage 2 of each.
TEST_F(PaletteBlockTest, ReferencesOutsideTheirListsAreCleared) {
  g_CommonPalette.m_vBlock.resize(3);
  g_CommonPalette.m_vItem.resize(3);
  StageBlockDefs().resize(2);
  StageItemDefs().resize(2);
  struct Case {
    std::int8_t kind;
    std::int16_t index;
    std::int8_t expectedKind;
    std::int16_t expectedIndex;
  } const cases[] = {
      {1, 2, 1, 2}, {1, 3, 0, 0}, {1, -1, 0, 0}, {2, 1, 2, 1}, {2, 2, 0, 0}, {0, 50, 0, 50}, {7, 50, 7, 50},
  };
  for (const Case& c : cases) {
    cPaletteBlock block;
    block.m_nPaletteKind = c.kind, block.m_nPaletteIndex = c.index;
    block.m_nItemPaletteKind = c.kind, block.m_nItemIndex = c.index;
    block.ValidateRef();
    block.ValidateItemRef();
    EXPECT_EQ(block.m_nPaletteKind, c.expectedKind) << int{c.kind} << "," << c.index;
    EXPECT_EQ(block.m_nPaletteIndex, c.expectedIndex) << int{c.kind} << "," << c.index;
    EXPECT_EQ(block.m_nItemPaletteKind, c.expectedKind) << int{c.kind} << "," << c.index;
    EXPECT_EQ(block.m_nItemIndex, c.expectedIndex) << int{c.kind} << "," << c.index;
  }
}

TEST_F(PaletteBlockTest, ResetRestoresDefaultsButKeepsListsAndCell) {
  cPaletteBlock block;
  block.m_nHit = 2, block.m_nPassSide = 3, block.m_nGraphicKind = 2, block.m_strName = "x";
  block.m_vInherit.assign(3, 1);
  block.m_vCond.resize(2);
  block.m_nCellX = 4;
  block.Reset();
  EXPECT_EQ(block.m_nHit, 1);
  EXPECT_EQ(block.m_nPassSide, -1);
  EXPECT_EQ(block.m_nGraphicKind, 0);
  EXPECT_EQ(block.m_strName, "");
  EXPECT_EQ(block.m_vInherit, std::vector<std::uint8_t>(11, 0));
  EXPECT_EQ(block.m_vCond.size(), 2u);
  EXPECT_EQ(block.m_nCellX, 4);
}

}  // namespace
