#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/test_play_flag.h"
#include "data/common/database_list_sizes.h"
#include "data/flow/flow.h"
#include "data/palette/palette_chara.h"
#include "tests/data/palette_test_support.h"

namespace {

// The registered members of a character, in file order, with the class defaults.
struct CharaFields {
  std::int8_t paletteKind = 0;
  std::int16_t paletteIndex = 0;
  std::int8_t condMode = 0, condLatch = 0, direction = 0, copies = 0;
  std::int16_t copyBaseX = 0, copyStepX = 0, copyBaseY = 0, copyStepY = 0;
  std::int8_t mirrorX = 0, mirrorY = 0;
  std::int16_t graphic = 0;
  std::int8_t graphicKind = 1;
  std::int16_t pattern = 0, animeSet = 0;
  std::int8_t z = 3, hidden = 0;
  std::int16_t startEffect = 0;
  std::int8_t startEffectMode = 0, startEffectRepeat = 1;  // mode from 196
  std::int16_t defeatEffect = 0;
  std::int8_t defeatEffectMode = 0;  // from 196
  std::int8_t emblemShow = 0;
  std::int16_t emblem = 0;
  std::int8_t controller = 1, playerNo = 0, side = 1, charaId = 0, flying = 0, fixedFacing = 1, invincible = 0;
  std::int8_t invincibleColour = 0;  // from 285
  std::int8_t blockChara = 0, size = 1;
  std::int8_t scrollSync = 0;  // from 210
  std::int8_t sightShape = 0, sightRange = 0;
  std::int32_t maxHp = 10, maxSp = 0;
  std::int16_t stopEase = 10;
  std::int8_t hitBox = 0;  // from 201
  std::int32_t bodyPower = 0;
  std::int8_t bodyImpact = 0;
  std::int16_t bodyEffect = 0;
  std::int32_t defence = 0;  // from 168
  std::int8_t impactResist = 0;
  std::int32_t score = 0;
  std::int8_t option = 1, inGroup = 0;
  std::int16_t activeGroup = 0;
  std::int8_t screenRange = 0, activeRule = 0;
  std::string name;
  std::int32_t carryItem = 0;  // after the registered part
};

// One character body as a file of `version` lays it out (members the version lacks are
// left out), with the flag list given and `flows` flows.
Bytes CharaBody(int version, const CharaFields& f, const std::vector<std::uint8_t>& inherit,
                const std::vector<cFlow>& flows = {}) {
  const auto at = [version](unsigned from) { return static_cast<unsigned>(version) >= from; };
  cByteBuilder b;
  b.I32(47 + (at(168) ? 1 : 0) + (at(196) ? 2 : 0) + (at(201) ? 1 : 0) + (at(210) ? 1 : 0) + (at(285) ? 1 : 0));
  b.I8(f.paletteKind).I16(f.paletteIndex).I8(f.condMode).I8(f.condLatch).I8(f.direction).I8(f.copies);
  b.I16(f.copyBaseX).I16(f.copyStepX).I16(f.copyBaseY).I16(f.copyStepY).I8(f.mirrorX).I8(f.mirrorY);
  b.I16(f.graphic).I8(f.graphicKind).I16(f.pattern).I16(f.animeSet).I8(f.z).I8(f.hidden).I16(f.startEffect);
  if (at(196)) b.I8(f.startEffectMode);
  b.I8(f.startEffectRepeat).I16(f.defeatEffect);
  if (at(196)) b.I8(f.defeatEffectMode);
  b.I8(f.emblemShow).I16(f.emblem).I8(f.controller).I8(f.playerNo).I8(f.side).I8(f.charaId).I8(f.flying);
  b.I8(f.fixedFacing).I8(f.invincible);
  if (at(285)) b.I8(f.invincibleColour);
  b.I8(f.blockChara).I8(f.size);
  if (at(210)) b.I8(f.scrollSync);
  b.I8(f.sightShape).I8(f.sightRange).I32(f.maxHp).I32(f.maxSp).I16(f.stopEase);
  if (at(201)) b.I8(f.hitBox);
  b.I32(f.bodyPower).I8(f.bodyImpact).I16(f.bodyEffect);
  if (at(168)) b.I32(f.defence);
  b.I8(f.impactResist).I32(f.score).I8(f.option).I8(f.inGroup).I16(f.activeGroup).I8(f.screenRange);
  b.I8(f.activeRule);
  b.I32(1).Text(f.name);
  b.I16(0).I16(0).I32(f.carryItem);  // cell, carried item
  AppendInherit(b, inherit);
  b.Count(0);  // conditions
  b.Count(static_cast<std::int32_t>(flows.size()));
  for (const cFlow& flow : flows) {
    cFlow copy = flow;
    cDataWriter out;
    copy.Write(out);
    b.Bytes(out.Bytes());
  }
  return b.Get();
}

const std::vector<std::uint8_t> kNoFlags(37, 0);

using PaletteCharaTest = PaletteTest;

TEST_F(PaletteCharaTest, NewCharacterWritesTheDefaultBody) {
  cPaletteChara chara;
  const Bytes bytes = BytesOf(chara);
  EXPECT_EQ(bytes.size(), 151u);
  EXPECT_EQ(bytes, CharaBody(811, CharaFields{}, kNoFlags));
}

TEST_F(PaletteCharaTest, ReadsEveryMemberInFileOrder) {
  CharaFields f;
  // Distinct values where the width allows, all within the ranges that the repairs keep.
  f.condMode = 1, f.condLatch = 1;
  f.direction = 1, f.copies = 5, f.copyBaseX = 300, f.copyStepX = -16, f.copyBaseY = 301, f.copyStepY = 17;
  f.mirrorX = 1, f.mirrorY = 1, f.graphic = 310, f.graphicKind = 2, f.pattern = 311, f.animeSet = 12;
  f.z = 6, f.hidden = 1, f.startEffect = 13, f.startEffectMode = 2, f.startEffectRepeat = 0, f.defeatEffect = 14;
  f.defeatEffectMode = 1, f.emblemShow = 2, f.emblem = 312, f.controller = 1, f.playerNo = 3, f.side = 7;
  f.charaId = 21, f.flying = 3, f.fixedFacing = 0, f.invincible = 2, f.invincibleColour = 9, f.blockChara = 1;
  f.size = 4, f.scrollSync = 1, f.sightShape = 4, f.sightRange = 22, f.maxHp = 70000, f.maxSp = 70001;
  f.stopEase = 313, f.hitBox = 3, f.bodyPower = 70002, f.bodyImpact = 23, f.bodyEffect = 15;
  f.defence = 70003, f.impactResist = 24, f.score = 70004, f.option = 0, f.inGroup = 1, f.activeGroup = 314;
  f.screenRange = 3, f.activeRule = 2, f.name = "スライム", f.carryItem = -1;

  cPaletteChara c;
  const cDataReader in = ReadAt(c, CharaBody(811, f, kNoFlags));
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  const CharaFields& e = f;
  EXPECT_EQ(c.m_nCondMode, e.condMode);
  EXPECT_EQ(c.m_bCondLatch, e.condLatch);
  EXPECT_EQ(c.m_nDirection, e.direction);
  EXPECT_EQ(c.m_nCopies, e.copies);
  EXPECT_EQ(c.m_nCopyBaseX, e.copyBaseX);
  EXPECT_EQ(c.m_nCopyStepX, e.copyStepX);
  EXPECT_EQ(c.m_nCopyBaseY, e.copyBaseY);
  EXPECT_EQ(c.m_nCopyStepY, e.copyStepY);
  EXPECT_EQ(c.m_bCopyMirrorX, e.mirrorX);
  EXPECT_EQ(c.m_bCopyMirrorY, e.mirrorY);
  EXPECT_EQ(c.m_nGraphic, e.graphic);
  EXPECT_EQ(c.m_nGraphicKind, e.graphicKind);
  EXPECT_EQ(c.m_nPattern, e.pattern);
  EXPECT_EQ(c.m_nAnimeSet, e.animeSet);
  EXPECT_EQ(c.m_nZ, e.z);
  EXPECT_EQ(c.m_bHidden, e.hidden);
  EXPECT_EQ(c.m_nStartEffect, e.startEffect);
  EXPECT_EQ(c.m_nStartEffectMode, e.startEffectMode);
  EXPECT_EQ(c.m_nStartEffectRepeat, e.startEffectRepeat);
  EXPECT_EQ(c.m_nDefeatEffect, e.defeatEffect);
  EXPECT_EQ(c.m_nDefeatEffectMode, e.defeatEffectMode);
  EXPECT_EQ(c.m_nEmblemShow, e.emblemShow);
  EXPECT_EQ(c.m_nEmblem, e.emblem);
  EXPECT_EQ(c.m_nController, e.controller);
  EXPECT_EQ(c.m_nPlayerNo, e.playerNo);
  EXPECT_EQ(c.m_nSide, e.side);
  EXPECT_EQ(c.m_nCharaId, e.charaId);
  EXPECT_EQ(c.m_nFlying, e.flying);
  EXPECT_EQ(c.m_bFixedFacing, e.fixedFacing);
  EXPECT_EQ(c.m_nInvincible, e.invincible);
  EXPECT_EQ(c.m_nInvincibleColour, e.invincibleColour);
  EXPECT_EQ(c.m_bBlockChara, e.blockChara);
  EXPECT_EQ(c.m_nSize, e.size);
  EXPECT_EQ(c.m_bScrollSync, e.scrollSync);
  EXPECT_EQ(c.m_nSightShape, e.sightShape);
  EXPECT_EQ(c.m_nSightRange, e.sightRange);
  EXPECT_EQ(c.m_nMaxHp, e.maxHp);
  EXPECT_EQ(c.m_nMaxSp, e.maxSp);
  EXPECT_EQ(c.m_nStopEase, e.stopEase);
  EXPECT_EQ(c.m_nHitBox, e.hitBox);
  EXPECT_EQ(c.m_nBodyPower, e.bodyPower);
  EXPECT_EQ(c.m_nBodyImpact, e.bodyImpact);
  EXPECT_EQ(c.m_nBodyEffect, e.bodyEffect);
  EXPECT_EQ(c.m_nDefence, e.defence);
  EXPECT_EQ(c.m_nImpactResist, e.impactResist);
  EXPECT_EQ(c.m_nScore, e.score);
  EXPECT_EQ(c.m_bOption, e.option);
  EXPECT_EQ(c.m_bInGroup, e.inGroup);
  EXPECT_EQ(c.m_nActiveGroup, e.activeGroup);
  EXPECT_EQ(c.m_nScreenRange, e.screenRange);
  EXPECT_EQ(c.m_nActiveRule, e.activeRule);
  EXPECT_EQ(c.m_strName, e.name);
  EXPECT_EQ(c.m_nCarryItem, -1);
  ExpectRoundTrip(c);
}

// One row per conversion step: a file just below each threshold, the member values it
// holds, and what the entry holds after reading. Files carry the members of their
// version only; the rows leave the flags alone except where a step inserts one.
TEST_F(PaletteCharaTest, OldVersionsAreConverted) {
  struct Case {
    int version;
    CharaFields stored;
    void (*check)(const cPaletteChara&);
  };
  const auto stored = [](auto change) {
    CharaFields f;
    change(f);
    return f;
  };
  const Case cases[] = {
      {167, stored([](CharaFields&) {}),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nDefence, 0);
         EXPECT_EQ(c.m_vInherit[29], 1);  // defence, hit box, scroll sync all inserted
         EXPECT_EQ(c.m_vInherit[25], 1);
         EXPECT_EQ(c.m_vInherit[21], 1);
       }},
      {168, stored([](CharaFields& f) { f.defence = 55; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nDefence, 55);
         EXPECT_EQ(c.m_vInherit[29], 0);
         EXPECT_EQ(c.m_nStartEffectMode, 0);
         EXPECT_EQ(c.m_nDefeatEffectMode, 0);
       }},
      {196, stored([](CharaFields& f) { f.startEffectMode = 2, f.defeatEffectMode = 1; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nStartEffectMode, 2);
         EXPECT_EQ(c.m_nDefeatEffectMode, 1);
         EXPECT_EQ(c.m_nHitBox, 0);
         EXPECT_EQ(c.m_vInherit[25], 1);
         EXPECT_EQ(c.m_vInherit[29], 0);
       }},
      {201, stored([](CharaFields& f) { f.hitBox = 2; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nHitBox, 3);
         EXPECT_EQ(c.m_vInherit[25], 0);
       }},
      {205, stored([](CharaFields& f) { f.hitBox = 1; }), [](const cPaletteChara& c) { EXPECT_EQ(c.m_nHitBox, 1); }},
      {206, stored([](CharaFields& f) { f.hitBox = 2; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nHitBox, 2);
         EXPECT_EQ(c.m_bScrollSync, 0);
         EXPECT_EQ(c.m_vInherit[21], 1);
       }},
      {210, stored([](CharaFields& f) { f.scrollSync = 1, f.graphicKind = 3, f.graphic = 50; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_bScrollSync, 1);
         EXPECT_EQ(c.m_vInherit[21], 0);
         EXPECT_EQ(c.m_nGraphic, 51);
       }},
      {218, stored([](CharaFields& f) { f.graphicKind = 3, f.graphic = 119; }),
       [](const cPaletteChara& c) { EXPECT_EQ(c.m_nGraphic, 119); }},
      {219, stored([](CharaFields& f) { f.graphicKind = 3, f.graphic = 50; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nGraphic, 50);
         EXPECT_EQ(c.m_nInvincibleColour, 1);
       }},
      {285, stored([](CharaFields& f) { f.invincibleColour = 4; }),
       [](const cPaletteChara& c) {
         EXPECT_EQ(c.m_nInvincibleColour, 4);
         EXPECT_EQ(c.m_vInherit, std::vector<std::uint8_t>(37, 0));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    const unsigned v = static_cast<unsigned>(c.version);
    const std::size_t flagCount = 37 - (v < 168 ? 1 : 0) - (v < 201 ? 1 : 0) - (v < 210 ? 1 : 0);
    cPaletteChara chara;
    const cDataReader in = ReadAt(chara, CharaBody(c.version, c.stored, std::vector<std::uint8_t>(flagCount, 0)),
                                  c.version);
    EXPECT_FALSE(in.Damaged());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(chara.m_vInherit.size(), 37u);
    c.check(chara);
  }
}

// A version-160 entry with 34 flags f0..f33 gains the three groups that later versions
// added, each set so that the entry takes the new field from the entry it names.
TEST_F(PaletteCharaTest, OldFlagListsGainTheAddedGroups) {
  std::vector<std::uint8_t> flags(34);
  for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = static_cast<std::uint8_t>(10 + i);
  cPaletteChara chara;
  ReadAt(chara, CharaBody(160, CharaFields{}, flags), 160);

  std::vector<std::uint8_t> expected;
  for (int i = 0; i <= 20; ++i) expected.push_back(static_cast<std::uint8_t>(10 + i));
  expected.push_back(1);
  for (int i = 21; i <= 23; ++i) expected.push_back(static_cast<std::uint8_t>(10 + i));
  expected.push_back(1);
  for (int i = 24; i <= 26; ++i) expected.push_back(static_cast<std::uint8_t>(10 + i));
  expected.push_back(1);
  for (int i = 27; i <= 33; ++i) expected.push_back(static_cast<std::uint8_t>(10 + i));
  EXPECT_EQ(chara.m_vInherit, expected);
}

// Inserting a flag into a list longer than the group table drops the surplus; a
// current file keeps its surplus flags.
TEST_F(PaletteCharaTest, FlagListLengths) {
  cPaletteChara chara;
  ReadAt(chara, CharaBody(200, CharaFields{}, std::vector<std::uint8_t>(50, 0)), 200);
  EXPECT_EQ(chara.m_vInherit.size(), 37u);
  ReadAt(chara, CharaBody(811, CharaFields{}, std::vector<std::uint8_t>(50, 0)), 811);
  EXPECT_EQ(chara.m_vInherit.size(), 50u);
}

TEST_F(PaletteCharaTest, ValidationRepairsIndicesAndPlayerSettings) {
  SetDatabaseSize(DBKIND_ANIMESET, 5);
  SetDatabaseSize(DBKIND_CHARA_EFFECT, 6);
  SetDatabaseSize(DBKIND_EFFECT, 7);
  cPaletteChara c;
  c.m_nSize = -3;
  c.m_nAnimeSet = 5;
  c.m_nStartEffect = 6;
  c.m_nDefeatEffect = -1;
  c.m_nBodyEffect = 7;
  c.m_nController = 0;
  c.m_nCopies = 4;
  c.m_bBlockChara = 1;
  c.Validate();
  EXPECT_EQ(c.m_nSize, 1);
  EXPECT_EQ(c.m_nAnimeSet, 0);
  EXPECT_EQ(c.m_nStartEffect, 0);
  EXPECT_EQ(c.m_nDefeatEffect, 0);
  EXPECT_EQ(c.m_nBodyEffect, 0);
  EXPECT_EQ(c.m_nCopies, 0);
  EXPECT_EQ(c.m_bBlockChara, 0);

  c.m_nAnimeSet = 4, c.m_nStartEffect = 5, c.m_nBodyEffect = 6, c.m_nSize = 10;
  c.m_nController = 1, c.m_nCopies = 4, c.m_bBlockChara = 1;
  c.Validate();
  EXPECT_EQ(c.m_nAnimeSet, 4);
  EXPECT_EQ(c.m_nStartEffect, 5);
  EXPECT_EQ(c.m_nBodyEffect, 6);
  EXPECT_EQ(c.m_nSize, 10);
  EXPECT_EQ(c.m_nCopies, 4);
  EXPECT_EQ(c.m_bBlockChara, 1);
}

TEST_F(PaletteCharaTest, WritingRepairsSizeAndPlayerCopies) {
  cPaletteChara c;
  c.m_nSize = -3;
  c.m_nController = 0;
  c.m_nCopies = 4;
  cPaletteChara back;
  ReadAt(back, BytesOf(c));
  EXPECT_EQ(back.m_nSize, 1);
  EXPECT_EQ(back.m_nCopies, 0);
}

// A dedicated bitmap outside the Bmp_CharaExc database falls back to entry 1, but only
// when that entry exists.
TEST_F(PaletteCharaTest, DedicatedBitmapFallsBackToAnEntryThatExists) {
  struct Case {
    int databaseLength;
    std::int8_t kind;
    std::int16_t graphic;
    std::int16_t expected;
  } const cases[] = {
      {1, 4, 5, 0}, {1, 4, 0, 0}, {2, 4, 5, 1}, {2, 4, -1, 1}, {6, 4, 5, 5}, {1, 1, 5, 5}, {0, 4, 3, 0},
  };
  for (const Case& c : cases) {
    SetDatabaseSize(DBKIND_BMP_CHARA_EXC, c.databaseLength);
    cPaletteChara chara;
    chara.m_nGraphicKind = c.kind;
    chara.m_nGraphic = c.graphic;
    chara.Validate();
    EXPECT_EQ(chara.m_nGraphic, c.expected) << c.databaseLength << " entries, kind " << int{c.kind};
  }
}

// The tint indexes a table of ten colour blends.
TEST_F(PaletteCharaTest, InvincibleColourOutsideTheBlendTableIsCleared) {
  const std::pair<int, int> cases[] = {{0, 0}, {9, 9}, {10, 0}, {-1, 0}, {127, 0}, {-128, 0}};
  for (const auto& [stored, expected] : cases) {
    CharaFields f;
    f.invincibleColour = static_cast<std::int8_t>(stored);
    cPaletteChara chara;
    ReadAt(chara, CharaBody(811, f, kNoFlags));
    EXPECT_EQ(chara.m_nInvincibleColour, expected) << stored;
  }
}

cFlow FlowWith(std::int8_t id, std::int8_t trigger, int commands, std::int8_t testOnly = 0) {
  cFlow flow;
  flow.m_nID = id;
  flow.m_nTrigger = trigger;
  flow.m_bTestOnly = testOnly;
  flow.m_vCmd.resize(static_cast<std::size_t>(commands));
  return flow;
}

TEST_F(PaletteCharaTest, EmptyFlowsAreRemoved) {
  cPaletteChara chara;
  chara.m_vFlow = {FlowWith(0, 0, 0), FlowWith(0, 0, 1), FlowWith(0, 0, 0), FlowWith(2, 0, 0), FlowWith(0, 3, 0)};
  chara.m_vFlow[2].m_vKeyCond.resize(1);
  chara.m_vFlow.push_back(FlowWith(0, 0, 0));
  chara.m_vFlow.back().m_vCond.resize(1);
  chara.Validate();
  ASSERT_EQ(chara.m_vFlow.size(), 5u);
  EXPECT_EQ(chara.m_vFlow[0].m_vCmd.size(), 1u);
  EXPECT_EQ(chara.m_vFlow[1].m_vKeyCond.size(), 1u);
  EXPECT_EQ(chara.m_vFlow[2].m_nID, 2);
  EXPECT_EQ(chara.m_vFlow[3].m_nTrigger, 3);
  EXPECT_EQ(chara.m_vFlow[4].m_vCond.size(), 1u);
}

TEST_F(PaletteCharaTest, TestFlowsAreRemovedOutsideTestPlay) {
  const Bytes bytes = CharaBody(811, CharaFields{}, kNoFlags, {FlowWith(1, 0, 0, 1), FlowWith(2, 0, 0)});
  cPaletteChara chara;
  ReadAt(chara, bytes);
  ASSERT_EQ(chara.m_vFlow.size(), 1u);
  EXPECT_EQ(chara.m_vFlow[0].m_nID, 2);

  g_bTestPlay = 1;
  ReadAt(chara, bytes);
  EXPECT_EQ(chara.m_vFlow.size(), 2u);
}

// A character's flow list as the file lays it out: the flow's ten scalars, the empty memo,
// then its condition, key condition and command lists.
TEST_F(PaletteCharaTest, FlowsWriteAndReadTheFileLayout) {
  cPaletteChara chara;
  chara.m_vFlow.resize(1);
  chara.m_vFlow[0].m_nID = 2;
  chara.m_vFlow[0].m_nTrigger = 4;
  Bytes expected = CharaBody(811, CharaFields{}, kNoFlags);
  expected.erase(expected.end() - 4, expected.end());  // the flow count comes below
  const Bytes flows = cByteBuilder()
                          .Count(1)
                          .I32(10).I8(2).I8(0).I8(0).I8(0).I8(0).I8(4).I8(0).I8(0).I8(3).I8(0)
                          .I32(1).I32(1)
                          .Count(0).Count(0).Count(0)
                          .Get();
  expected.insert(expected.end(), flows.begin(), flows.end());
  EXPECT_EQ(BytesOf(chara), expected);

  cPaletteChara back;
  const cDataReader in = ReadAt(back, expected);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(back.m_vFlow.size(), 1u);
  EXPECT_EQ(back.m_vFlow[0].m_nID, 2);
  EXPECT_EQ(back.m_vFlow[0].m_nTrigger, 4);
  EXPECT_EQ(back.m_vFlow[0].m_nKeyWindow, 3);
}

TEST_F(PaletteCharaTest, FlowsRoundTrip) {
  cPaletteChara chara;
  chara.m_strName = "勇者";
  chara.m_nCarryItem = 3;
  chara.m_vInherit[36] = 1;
  chara.m_vCond.resize(2);
  chara.m_vCond[1].m_nKind = 2;
  chara.m_vFlow = {FlowWith(1, 2, 3), FlowWith(4, 0, 1)};
  ExpectRoundTrip(chara);
}

TEST_F(PaletteCharaTest, IndexedOffsetsOfCopies) {
  cPaletteChara c;
  c.m_nCopyBaseX = 8, c.m_nCopyStepX = 16, c.m_bCopyMirrorX = 1;
  c.m_nCopyBaseY = -4, c.m_nCopyStepY = 3, c.m_bCopyMirrorY = 0;
  EXPECT_EQ(c.GetIndexedOffsetX(2, 1), -40.0);
  EXPECT_EQ(c.GetIndexedOffsetX(2, 0), 40.0);
  EXPECT_EQ(c.GetIndexedOffsetX(0, 1), -8.0);
  EXPECT_EQ(c.GetIndexedOffsetY(2, 1), 2.0);
  EXPECT_EQ(c.GetIndexedOffsetY(2, 0), 2.0);
  // The sum wraps in 32 bits as the stored values do.
  c.m_nCopyStepX = 32767, c.m_nCopyBaseX = 32767;
  EXPECT_EQ(c.GetIndexedOffsetX(65538, 0), static_cast<double>(static_cast<std::int32_t>(65538u * 32767u + 32767u)));
}

}  // namespace
