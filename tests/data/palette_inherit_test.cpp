#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/palette/palette.h"
#include "tests/data/palette_test_support.h"

namespace {

// One field of an entry: the group that carries it, how to give it a marker value and
// how to read it back as a number (lists and texts by their length).
template <typename T>
struct Field {
  const char* name;
  int group;
  void (*set)(T&, int);
  long long (*get)(const T&);
};

#define SCALAR(T, g, m)                                                                            \
  Field<T> {                                                                                       \
    #m, g, [](T& e, int v) { e.m = static_cast<decltype(e.m)>(v); },                               \
        [](const T& e) { return static_cast<long long>(e.m); }                                     \
  }
#define SIZED(T, g, m)                                                                             \
  Field<T> {                                                                                       \
    #m, g, [](T& e, int v) { e.m.resize(static_cast<std::size_t>(v % 3 + 1)); },                   \
        [](const T& e) { return static_cast<long long>(e.m.size()); }                              \
  }

const std::vector<Field<cPaletteBlock>> kBlockFields = {
    SIZED(cPaletteBlock, 0, m_strName),         SIZED(cPaletteBlock, 1, m_vCond),
    SCALAR(cPaletteBlock, 1, m_nCondMode),      SCALAR(cPaletteBlock, 1, m_bCondLatch),
    SCALAR(cPaletteBlock, 2, m_nGraphicKind),   SCALAR(cPaletteBlock, 2, m_nGraphic),
    SCALAR(cPaletteBlock, 2, m_nPattern),       SCALAR(cPaletteBlock, 3, m_nLayer),
    SCALAR(cPaletteBlock, 4, m_bHidden),        SCALAR(cPaletteBlock, 5, m_nEmblemShow),
    SCALAR(cPaletteBlock, 5, m_nEmblem),        SCALAR(cPaletteBlock, 6, m_nHit),
    SCALAR(cPaletteBlock, 7, m_nPassSide),      SCALAR(cPaletteBlock, 8, m_nFootKind),
    SCALAR(cPaletteBlock, 8, m_nFootParam),     SCALAR(cPaletteBlock, 9, m_nItemPaletteKind),
    SCALAR(cPaletteBlock, 9, m_nItemIndex),     SCALAR(cPaletteBlock, 10, m_bProtected),
};

const std::vector<Field<cPaletteChara>> kCharaFields = {
    SIZED(cPaletteChara, 0, m_strName),            SCALAR(cPaletteChara, 1, m_nController),
    SCALAR(cPaletteChara, 1, m_nPlayerNo),         SCALAR(cPaletteChara, 2, m_nSide),
    SCALAR(cPaletteChara, 3, m_nCharaId),          SIZED(cPaletteChara, 4, m_vCond),
    SCALAR(cPaletteChara, 4, m_nCondMode),         SCALAR(cPaletteChara, 4, m_bCondLatch),
    SCALAR(cPaletteChara, 5, m_nDirection),        SCALAR(cPaletteChara, 6, m_nCopies),
    SCALAR(cPaletteChara, 7, m_nCopyBaseX),        SCALAR(cPaletteChara, 7, m_nCopyStepX),
    SCALAR(cPaletteChara, 7, m_bCopyMirrorX),      SCALAR(cPaletteChara, 8, m_nCopyBaseY),
    SCALAR(cPaletteChara, 8, m_nCopyStepY),        SCALAR(cPaletteChara, 8, m_bCopyMirrorY),
    SCALAR(cPaletteChara, 9, m_nGraphic),          SCALAR(cPaletteChara, 9, m_nGraphicKind),
    SCALAR(cPaletteChara, 9, m_nPattern),          SCALAR(cPaletteChara, 10, m_nAnimeSet),
    SCALAR(cPaletteChara, 11, m_nZ),               SCALAR(cPaletteChara, 12, m_bHidden),
    SCALAR(cPaletteChara, 13, m_nStartEffect),     SCALAR(cPaletteChara, 13, m_nStartEffectMode),
    SCALAR(cPaletteChara, 13, m_nStartEffectRepeat), SCALAR(cPaletteChara, 14, m_nDefeatEffect),
    SCALAR(cPaletteChara, 14, m_nDefeatEffectMode), SCALAR(cPaletteChara, 15, m_nEmblemShow),
    SCALAR(cPaletteChara, 15, m_nEmblem),          SCALAR(cPaletteChara, 16, m_bFixedFacing),
    SCALAR(cPaletteChara, 17, m_nFlying),          SCALAR(cPaletteChara, 18, m_nInvincible),
    SCALAR(cPaletteChara, 18, m_nInvincibleColour), SCALAR(cPaletteChara, 19, m_bBlockChara),
    SCALAR(cPaletteChara, 20, m_nSize),            SCALAR(cPaletteChara, 21, m_bScrollSync),
    SCALAR(cPaletteChara, 22, m_nSightShape),      SCALAR(cPaletteChara, 22, m_nSightRange),
    SCALAR(cPaletteChara, 23, m_nMaxHp),           SCALAR(cPaletteChara, 24, m_nMaxSp),
    SCALAR(cPaletteChara, 25, m_nHitBox),          SCALAR(cPaletteChara, 26, m_nBodyPower),
    SCALAR(cPaletteChara, 27, m_nBodyImpact),      SCALAR(cPaletteChara, 28, m_nBodyEffect),
    SCALAR(cPaletteChara, 29, m_nDefence),         SCALAR(cPaletteChara, 30, m_nImpactResist),
    SCALAR(cPaletteChara, 31, m_nStopEase),        SCALAR(cPaletteChara, 32, m_nScreenRange),
    SCALAR(cPaletteChara, 32, m_nActiveRule),      SCALAR(cPaletteChara, 33, m_bInGroup),
    SCALAR(cPaletteChara, 33, m_nActiveGroup),     SCALAR(cPaletteChara, 34, m_nScore),
    SCALAR(cPaletteChara, 35, m_bOption),          SIZED(cPaletteChara, 36, m_vFlow),
};

const std::vector<Field<cPaletteItem>> kItemFields = {
    SIZED(cPaletteItem, 0, m_strName),      SIZED(cPaletteItem, 1, m_vCond),
    SCALAR(cPaletteItem, 1, m_nCondMode),   SCALAR(cPaletteItem, 1, m_bCondLatch),
    SCALAR(cPaletteItem, 2, m_nSetting1),   SCALAR(cPaletteItem, 3, m_nSetting2),
    SCALAR(cPaletteItem, 4, m_nGraphic),    SCALAR(cPaletteItem, 4, m_nGraphicKind),
    SCALAR(cPaletteItem, 4, m_nPattern),    SCALAR(cPaletteItem, 5, m_nSetting3),
    SCALAR(cPaletteItem, 6, m_bHidden),     SCALAR(cPaletteItem, 7, m_nEmblemShow),
    SCALAR(cPaletteItem, 7, m_nEmblem),     SCALAR(cPaletteItem, 8, m_nSize),
    SCALAR(cPaletteItem, 9, m_nTakeMode),   SCALAR(cPaletteItem, 10, m_bShowIcon),
    SCALAR(cPaletteItem, 11, m_nSound),     SIZED(cPaletteItem, 12, m_vItemCmd),
};

#undef SCALAR
#undef SIZED

// For each group g: a source entry whose every field holds a marker, and an entry that
// names it with only flag g set. Exactly the fields of group g must come across.
template <typename T>
void ExpectEachGroupCopiesItsFields(std::vector<T>& commonList, const std::vector<Field<T>>& fields, int groups) {
  const T fresh;
  T source;
  for (std::size_t f = 0; f < fields.size(); ++f) fields[f].set(source, static_cast<int>(f) + 5);
  commonList.assign(2, T());
  commonList[1] = source;
  for (int g = 0; g < groups; ++g) {
    T entry;
    entry.m_nPaletteKind = PALETTE_COMMON;
    entry.m_nPaletteIndex = 1;
    entry.m_vInherit.assign(static_cast<std::size_t>(groups), 0);
    entry.m_vInherit[static_cast<std::size_t>(g)] = 1;
    entry.ApplyInherit();
    for (const Field<T>& field : fields) {
      const long long expected = field.group == g ? field.get(source) : field.get(fresh);
      EXPECT_EQ(field.get(entry), expected) << "group " << g << ", " << field.name;
    }
  }
}

using PaletteInheritTest = PaletteTest;

TEST_F(PaletteInheritTest, EachGroupCopiesExactlyItsFields) {
  ExpectEachGroupCopiesItsFields(g_CommonPalette.m_vBlock, kBlockFields, kBlockInheritGroups);
  ExpectEachGroupCopiesItsFields(g_CommonPalette.m_vChara, kCharaFields, kCharaInheritGroups);
  ExpectEachGroupCopiesItsFields(g_CommonPalette.m_vItem, kItemFields, kItemInheritGroups);
}

TEST_F(PaletteInheritTest, IndexZeroNamesNothing) {
  g_CommonPalette.m_vChara[0].m_nMaxHp = 99;
  cPaletteChara chara;
  chara.m_nPaletteKind = PALETTE_COMMON;
  chara.m_nPaletteIndex = 0;
  chara.m_vInherit.assign(37, 1);
  chara.ApplyInherit();
  EXPECT_EQ(chara.m_nMaxHp, 10);
  EXPECT_EQ(chara.m_nPaletteKind, PALETTE_COMMON);
}

// A placement named (2, 3) with only the hit flag takes the hit of stage definition 3.
TEST_F(PaletteInheritTest, PlacementTakesOnlyTheFlaggedGroupFromTheStage) {
  StageBlockDefs().resize(4);
  StageBlockDefs()[3].m_nGraphic = 9;
  StageBlockDefs()[3].m_nHit = 2;
  StageBlockDefs()[3].m_nLayer = 4;
  cPaletteBlock block;
  block.m_nPaletteKind = PALETTE_STAGE;
  block.m_nPaletteIndex = 3;
  block.m_nGraphic = 1;
  block.m_vInherit[6] = 1;
  block.ApplyInherit();
  EXPECT_EQ(block.m_nHit, 2);
  EXPECT_EQ(block.m_nGraphic, 1);
  EXPECT_EQ(block.m_nLayer, 0);
}

// A reference to a missing entry loses its kind and keeps its index; the repair on
// writing clears a reference of kind 1 or 2 entirely.
TEST_F(PaletteInheritTest, MissingEntriesDropTheReference) {
  // Written while the common palette holds entry 5, read when it holds 5 entries.
  g_CommonPalette.m_vChara.resize(6);
  cPaletteChara chara;
  chara.m_nPaletteKind = PALETTE_COMMON;
  chara.m_nPaletteIndex = 5;
  chara.m_vInherit.assign(37, 1);
  const Bytes naming5 = BytesOf(chara);
  g_CommonPalette.m_vChara.resize(5);
  cPaletteChara read;
  ReadAt(read, naming5);
  EXPECT_EQ(read.m_nPaletteKind, 0);
  EXPECT_EQ(read.m_nPaletteIndex, 5);

  chara.m_nPaletteIndex = 4;
  ReadAt(read, BytesOf(chara));
  EXPECT_EQ(read.m_nPaletteKind, 1);
  EXPECT_EQ(read.m_nPaletteIndex, 4);

  StageCharaDefs().resize(3);
  chara.m_nPaletteKind = PALETTE_STAGE;
  chara.m_nPaletteIndex = 9;
  ReadAt(read, BytesOf(chara));
  EXPECT_EQ(read.m_nPaletteKind, 0);
  EXPECT_EQ(read.m_nPaletteIndex, 0);
}

TEST_F(PaletteInheritTest, FlagsBeyondTheGroupTableAreIgnored) {
  g_CommonPalette.m_vChara.resize(2);
  g_CommonPalette.m_vChara[1].m_nMaxHp = 50;
  g_CommonPalette.m_vChara[1].m_vFlow.resize(2);
  cPaletteChara chara;
  chara.m_nPaletteKind = PALETTE_COMMON;
  chara.m_nPaletteIndex = 1;
  chara.m_vInherit.assign(40, 1);
  chara.ApplyInherit();
  EXPECT_EQ(chara.m_nMaxHp, 50);
  EXPECT_EQ(chara.m_vFlow.size(), 2u);

  g_CommonPalette.m_vBlock.resize(2);
  g_CommonPalette.m_vBlock[1].m_bHidden = 1;
  g_CommonPalette.m_vBlock[1].m_nEmblem = 6;
  cPaletteBlock block;
  block.m_nPaletteKind = PALETTE_COMMON;
  block.m_nPaletteIndex = 1;
  block.m_vInherit.assign(5, 1);
  block.ApplyInherit();
  EXPECT_EQ(block.m_bHidden, 1);
  EXPECT_EQ(block.m_nEmblem, 0);
}

TEST_F(PaletteInheritTest, InheritedItemCommandsAreDeepCopies) {
  g_CommonPalette.m_vItem.resize(2);
  cPaletteItem& source = g_CommonPalette.m_vItem[1];
  source.m_vItemCmd.resize(1);
  source.m_vItemCmd[0].m_vParam = {1, 2};
  CreateCondList(source.m_vItemCmd[0].m_pCond);
  source.m_vItemCmd[0].m_pCond->m_nMode = 1;
  cPaletteItem item;
  item.m_nPaletteKind = PALETTE_COMMON;
  item.m_nPaletteIndex = 1;
  item.m_vItemCmd.resize(3);
  item.m_vInherit[12] = 1;
  item.ApplyInherit();
  ASSERT_EQ(item.m_vItemCmd.size(), 1u);
  ASSERT_TRUE(item.m_vItemCmd[0].m_pCond);
  EXPECT_NE(item.m_vItemCmd[0].m_pCond.get(), source.m_vItemCmd[0].m_pCond.get());
  item.m_vItemCmd[0].m_vParam[0] = 7;
  item.m_vItemCmd[0].m_pCond->m_nMode = 0;
  EXPECT_EQ(source.m_vItemCmd[0].m_vParam[0], 1);
  EXPECT_EQ(source.m_vItemCmd[0].m_pCond->m_nMode, 1);
}

}  // namespace
