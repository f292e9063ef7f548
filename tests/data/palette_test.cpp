#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_block.h"
#include "data/palette/palette.h"
#include "data/common/palette_kind.h"
#include "data/palette/palette_labels.h"
#include "data/common/palette_list_size.h"
#include "platform/message_box.h"
#include "tests/data/palette_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

template <typename T>
Bytes EntryBytes(T entry) {
  cDataWriter out;
  entry.Write(out);
  return out.Bytes();
}

// A palette body: the empty registered part, then the three counted lists.
Bytes PaletteBody(const std::vector<Bytes>& blocks, const std::vector<Bytes>& charas, const std::vector<Bytes>& items) {
  cByteBuilder b;
  b.I32(0).I32(0);
  for (const auto* list : {&blocks, &charas, &items}) {
    b.Count(static_cast<std::int32_t>(list->size()));
    for (const Bytes& entry : *list) b.Bytes(entry);
  }
  return b.Get();
}

cPaletteChara CharaNaming(std::int8_t kind, std::int16_t index, std::int32_t maxHp) {
  cPaletteChara chara;
  chara.m_nPaletteKind = kind;
  chara.m_nPaletteIndex = index;
  chara.m_nMaxHp = maxHp;
  chara.m_vInherit.assign(37, 0);
  chara.m_vInherit[23] = 1;  // maximum HP
  return chara;
}

using PaletteFileTest = PaletteTest;

TEST_F(PaletteFileTest, NewPaletteWritesTwoDefaultEntriesPerList) {
  cPalette palette;
  EXPECT_EQ(palette.m_vBlock.size(), 1u);
  EXPECT_EQ(palette.m_vChara.size(), 1u);
  EXPECT_EQ(palette.m_vItem.size(), 1u);
  const Bytes bytes = BytesOf(palette);
  EXPECT_EQ(bytes.size(), 8u + 4 + 2 * 61 + 4 + 2 * 151 + 4 + 2 * 65);
  EXPECT_EQ(bytes, PaletteBody({EntryBytes(cPaletteBlock()), EntryBytes(cPaletteBlock())},
                               {EntryBytes(cPaletteChara()), EntryBytes(cPaletteChara())},
                               {EntryBytes(cPaletteItem()), EntryBytes(cPaletteItem())}));
}

// Reading the common palette: entry 0 comes back as the template, flags are cleared,
// short lists are filled up, and references resolve against the entries read so far.
TEST_F(PaletteFileTest, ReadingTheCommonPalette) {
  cPaletteBlock template0;
  template0.m_nGraphic = 4;
  template0.m_strName = "changed";
  // Entries are written with their references repaired against the lists of the
  // moment: let them name entries that exist while the bytes are made.
  g_CommonPalette.m_vChara.resize(10);
  StageCharaDefs().resize(10);
  cPaletteChara first = CharaNaming(0, 0, 70);
  first.m_vInherit.assign(37, 1);
  const Bytes bytes = PaletteBody({EntryBytes(template0), EntryBytes(cPaletteBlock())},
                                  {EntryBytes(cPaletteChara()), EntryBytes(first),
                                   EntryBytes(CharaNaming(PALETTE_COMMON, 1, 5)),   // earlier entry: 70
                                   EntryBytes(CharaNaming(PALETTE_COMMON, 4, 6)),   // later entry: still new
                                   EntryBytes(CharaNaming(PALETTE_COMMON, 1, 7)),
                                   EntryBytes(CharaNaming(PALETTE_STAGE, 1, 8))},  // stage is empty
                                  {});
  ResetPaletteWorld(kRoomyDatabaseList);
  const cDataReader in = ReadAt(g_CommonPalette, bytes);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  const cPalette& p = g_CommonPalette;
  EXPECT_EQ(p.m_vBlock[0].m_nGraphic, 0);
  EXPECT_EQ(p.m_vBlock[0].m_strName, "");
  ASSERT_EQ(p.m_vChara.size(), 6u);
  EXPECT_EQ(p.m_vChara[2].m_nMaxHp, 70);
  EXPECT_EQ(p.m_vChara[3].m_nMaxHp, 10);
  EXPECT_EQ(p.m_vChara[4].m_nMaxHp, 70);
  EXPECT_EQ(p.m_vChara[5].m_nPaletteKind, 0);
  EXPECT_EQ(p.m_vChara[5].m_nPaletteIndex, 1);
  EXPECT_EQ(p.m_vChara[5].m_nMaxHp, 8);
  for (const cPaletteChara& c : p.m_vChara) EXPECT_EQ(c.m_vInherit, std::vector<std::uint8_t>(37, 0));
  EXPECT_EQ(p.m_vItem.size(), 2u);
}

// Item commands of the common palette name its own items: they are tested against the
// lists just read.
TEST_F(PaletteFileTest, CommonPaletteCommandsSeeItsOwnLists) {
  const auto itemGetting = [](std::int32_t index) {
    cPaletteItem item;
    item.m_vItemCmd.resize(1);
    item.m_vItemCmd[0].m_bItemCmd = 1;
    item.m_vItemCmd[0].m_nKind = ITEMCMD_GET_ITEM;
    item.m_vItemCmd[0].m_vParam = {0, index};
    return EntryBytes(item);
  };
  // Before the read the item list is longer than the one read: index 5 would pass it.
  SetPaletteListSize(PALETTE_COMMON, PALETTE_CLASS_ITEM, kRoomyDatabaseList);
  ReadAt(g_CommonPalette, PaletteBody({}, {}, {itemGetting(0), itemGetting(2), itemGetting(5)}));
  ASSERT_EQ(g_CommonPalette.m_vItem.size(), 3u);
  EXPECT_EQ(g_CommonPalette.m_vItem[1].m_vItemCmd[0].m_vParam[1], 2);
  EXPECT_EQ(g_CommonPalette.m_vItem[2].m_vItemCmd[0].m_vParam[1], 1);
  EXPECT_EQ(PaletteListSize(PALETTE_COMMON, PALETTE_CLASS_ITEM), 3);
}

// A character with one flow of shot commands, each giving the item (kind, index).
cPaletteChara CharaShootingItems(std::int8_t kind, std::initializer_list<std::int16_t> indices) {
  cPaletteChara chara;
  chara.m_vFlow.resize(1);
  for (std::int16_t index : indices) {
    cFlowCmd shot;
    shot.m_nKind = FLOWCMD_SHOT;
    CreateEdShot(shot.m_pShot);
    shot.m_pShot->m_nItemPalette = kind;
    shot.m_pShot->m_nItemIndex = index;
    chara.m_vFlow[0].m_vCmd.push_back(shot);
  }
  return chara;
}

// The item list read holds its template entry only; filled up to two entries, it has an
// entry 1 by the time the commands are repaired.
TEST_F(PaletteFileTest, CommonPaletteCommandsSeeItsListsFilledUp) {
  ReadAt(g_CommonPalette, PaletteBody({}, {EntryBytes(cPaletteChara()), EntryBytes(CharaShootingItems(1, {1, 2}))},
                                      {EntryBytes(cPaletteItem())}));
  ASSERT_EQ(g_CommonPalette.m_vItem.size(), 2u);
  ASSERT_EQ(g_CommonPalette.m_vChara.size(), 2u);
  const std::vector<cFlowCmd>& cmds = g_CommonPalette.m_vChara[1].m_vFlow.at(0).m_vCmd;
  ASSERT_EQ(cmds.size(), 2u);
  EXPECT_EQ(cmds[0].m_pShot->m_nItemPalette, 1);
  EXPECT_EQ(cmds[0].m_pShot->m_nItemIndex, 1);
  EXPECT_EQ(cmds[1].m_pShot->m_nItemPalette, 0);
  EXPECT_EQ(cmds[1].m_pShot->m_nItemIndex, 0);
}

TEST_F(PaletteFileTest, OneEntryListsAreFilledUpToTwo) {
  const Bytes bytes = PaletteBody({EntryBytes(cPaletteBlock())}, {EntryBytes(cPaletteChara())}, {});
  cPalette palette;
  ReadAt(palette, bytes);
  EXPECT_EQ(palette.m_vBlock.size(), 2u);
  EXPECT_EQ(palette.m_vChara.size(), 2u);
  EXPECT_EQ(palette.m_vItem.size(), 2u);
}

// The bytes of a small palette written out by hand from the file layout, so that writing
// and reading are both checked against the format rather than against each other.
std::vector<std::uint8_t> GoldenPalette() {
  const auto block = [](cByteBuilder& b, std::int16_t graphic, std::int8_t hit, const std::string& name) {
    b.I32(18).I8(0).I16(0).I8(0).I8(0).I16(graphic).I8(0).I16(0).I8(0).I8(0).I8(0).I16(0).I8(hit).I8(-1).I8(0)
        .I32(0).I8(0).I16(0).I8(0);
    b.I32(1).Text(name);
    b.I16(0).I16(0).I32(11).Fill(11).I32(0);  // cell, inherit flags, conditions
  };
  const auto chara = [](cByteBuilder& b) {
    b.I32(53);
    b.I8(0).I16(0).I8(0).I8(0).I8(0).I8(0);         // reference, conditions, facing, copies
    b.I16(0).I16(0).I16(0).I16(0).I8(0).I8(0);       // copy offsets and mirroring
    b.I16(0).I8(1).I16(0).I16(0).I8(3).I8(0);        // graphic, kind, pattern, anime set, depth, hidden
    b.I16(0).I8(0).I8(1).I16(0).I8(0).I8(0).I16(0);  // start and defeat effects, emblem
    b.I8(1).I8(0).I8(1).I8(0).I8(0).I8(1).I8(0).I8(0).I8(0).I8(1).I8(0).I8(0).I8(0);
    b.I32(10).I32(0).I16(10).I8(0).I32(0).I8(0).I16(0).I32(0).I8(0).I32(0).I8(1).I8(0).I16(0).I8(0).I8(0);
    b.I32(1).I32(1);                                 // the empty name
    b.I16(0).I16(0).I32(0).I32(37).Fill(37).I32(0).I32(0);
  };
  const auto item = [](cByteBuilder& b) {
    b.I32(17).I8(0).I16(0).I8(0).I8(0).I16(0).I16(0).I16(0).I8(2).I16(0).I8(6).I8(0).I8(0).I16(0).I8(1).I8(0)
        .I8(1).I16(0);
    b.I32(1).I32(1);
    b.I16(0).I16(0).I32(13).Fill(13).I32(0).I32(0);  // cell, inherit flags, conditions, item commands
  };
  cByteBuilder b;
  b.I32(0).I32(0);  // no registered members, no texts
  b.Count(3);
  block(b, 0, 0, "");  // the template, written as an empty cell
  block(b, 0, 0, "");
  block(b, 5, 2, "rock");
  b.Count(2);
  chara(b);
  chara(b);
  b.Count(2);
  item(b);
  item(b);
  return b.Get();
}

TEST_F(PaletteFileTest, WritesAndReadsTheFileLayout) {
  cPalette palette;
  palette.m_vBlock.resize(3);
  palette.m_vBlock[2].m_nGraphic = 5;
  palette.m_vBlock[2].m_nHit = 2;
  palette.m_vBlock[2].m_strName = "rock";
  EXPECT_EQ(BytesOf(palette), GoldenPalette());

  cPalette back;
  const cDataReader in = ReadAt(back, GoldenPalette());
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(back.m_vBlock.size(), 3u);
  EXPECT_EQ(back.m_vBlock[2].m_nGraphic, 5);
  EXPECT_EQ(back.m_vBlock[2].m_nHit, 2);
  EXPECT_EQ(back.m_vBlock[2].m_strName, "rock");
  EXPECT_EQ(back.m_vChara.size(), 2u);
  EXPECT_EQ(back.m_vItem.size(), 2u);
}

TEST_F(PaletteFileTest, PaletteRoundTrip) {
  cPalette palette;
  palette.m_vBlock.resize(3);
  palette.m_vBlock[2].m_nGraphic = 5;
  palette.m_vBlock[2].m_nItemPaletteKind = PALETTE_COMMON;
  palette.m_vChara.resize(4);
  palette.m_vChara[3].m_strName = "敵";
  palette.m_vChara[3].m_vFlow.resize(2);
  palette.m_vChara[3].m_vFlow[1].m_nID = 1;
  palette.m_vChara[3].m_vFlow[1].m_vCmd.resize(2);
  palette.m_vItem.resize(2);
  palette.m_vItem[1].m_vItemCmd.resize(1);
  ExpectRoundTrip(palette);
}

// Counts and lengths that the file cannot hold give damaged data and bounded lists.
TEST_F(PaletteFileTest, DamagedCountsAreRefused) {
  const Bytes block = EntryBytes(cPaletteBlock());
  const Bytes chara = EntryBytes(cPaletteChara());
  // Offsets inside an entry: the inherit count after members, name and cell (and the
  // carried item of a character).
  const std::size_t blockInherit = 4 + 26 + 4 + 4 + 4;
  const std::size_t charaInherit = 4 + 82 + 4 + 4 + 4 + 4;
  const auto withCount = [](Bytes entry, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) entry[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return entry;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    DATADAMAGE damage;
  } const cases[] = {
      {"huge block count", cByteBuilder().I32(0).I32(0).Count(0x7fffffff).Get(), DATADAMAGE_COUNT_PAST_END},
      {"negative character count", cByteBuilder().I32(0).I32(0).Count(0).Count(-1).Get(), DATADAMAGE_NEGATIVE_COUNT},
      {"huge item count", cByteBuilder().I32(0).I32(0).Count(0).Count(0).Count(100000).Fill(64).Get(),
       DATADAMAGE_COUNT_PAST_END},
      {"huge inherit list", PaletteBody({withCount(block, blockInherit, 0x40000000)}, {}, {}),
       DATADAMAGE_COUNT_PAST_END},
      {"negative inherit list", PaletteBody({}, {withCount(chara, charaInherit, -5)}, {}), DATADAMAGE_NEGATIVE_COUNT},
      {"huge condition list", PaletteBody({withCount(block, blockInherit + 4 + 11, 1 << 30)}, {}, {}),
       DATADAMAGE_COUNT_PAST_END},
      {"huge flow list", PaletteBody({}, {withCount(chara, charaInherit + 4 + 37 + 4, 1 << 29)}, {}),
       DATADAMAGE_COUNT_PAST_END},
      {"huge member count", PaletteBody({withCount(block, 0, 1 << 30)}, {}, {}), DATADAMAGE_COUNT_PAST_END},
      {"more blocks than indices", cByteBuilder().I32(0).I32(0).Count(40000).Fill(40000 * 20).Get(),
       DATADAMAGE_PALETTE_TOO_LONG},
  };
  for (const Case& c : cases) {
    cPalette palette;
    const cDataReader in = ReadAt(palette, c.bytes);
    EXPECT_TRUE(in.Damaged()) << c.what;
    EXPECT_EQ(in.Damage(), c.damage) << c.what;
    EXPECT_LE(palette.m_vBlock.size(), 2u) << c.what;
    EXPECT_LE(palette.m_vChara.size(), 2u) << c.what;
    EXPECT_LE(palette.m_vItem.size(), 2u) << c.what;
    for (const cPaletteBlock& b : palette.m_vBlock) EXPECT_LE(b.m_vInherit.size(), 11u) << c.what;
  }
}

// A file cut short anywhere reads without fault and leaves a usable palette.
TEST_F(PaletteFileTest, TruncatedBodiesLeaveAUsablePalette) {
  cPalette full;
  full.m_vChara.resize(3);
  full.m_vChara[2].m_vFlow.resize(1);
  full.m_vChara[2].m_vFlow[0].m_nID = 2;
  full.m_vChara[2].m_vFlow[0].m_vCmd.resize(1);
  full.m_vItem.resize(2);
  full.m_vItem[1].m_vItemCmd.resize(1);
  const Bytes bytes = BytesOf(full);
  for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
    cPalette palette;
    ReadAt(palette, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    EXPECT_GE(palette.m_vBlock.size(), 2u);
    EXPECT_GE(palette.m_vChara.size(), 2u);
    EXPECT_GE(palette.m_vItem.size(), 2u);
  }
}

class CommonPaletteLoadTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ResetPaletteWorld(kRoomyDatabaseList);
    std::filesystem::create_directories(Dir() + "/data");
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  void TearDown() override {
    ResetPaletteWorld(0);
    cTempDirTest::TearDown();
  }
  std::string HostPath() const { return Dir() + "/data/CommonPalette.cplt4"; }
};

TEST_F(CommonPaletteLoadTest, LoadsTheFileAtStartUp) {
  cPalette palette;
  palette.m_vChara.resize(3);
  palette.m_vChara[2].m_nMaxHp = 44;
  cDataWriter out;
  out.WriteInt32(811);
  palette.Write(out);
  WriteTestFile(HostPath(), out.Bytes());

  cRecordingMessageBoxes boxes;
  EXPECT_EQ(LoadCommonPalette(), 1);
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_EQ(g_CommonPalette.m_vChara.size(), 3u);
  EXPECT_EQ(g_CommonPalette.m_vChara[2].m_nMaxHp, 44);
}

TEST_F(CommonPaletteLoadTest, FailuresAreReportedAndLeaveTemplatesOnly) {
  struct Case {
    const char* what;
    bool write;
    Bytes bytes;
  } const cases[] = {
      {"missing", false, {}},
      {"newer", true, cByteBuilder().I32(812).I32(0).I32(0).Count(0).Count(0).Count(0).Get()},
      {"damaged", true, cByteBuilder().I32(811).I32(0).I32(0).Count(3).Bytes(EntryBytes(cPaletteBlock())).Count(-1).Get()},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(HostPath());
    if (c.write) WriteTestFile(HostPath(), c.bytes);
    cRecordingMessageBoxes boxes;
    EXPECT_EQ(LoadCommonPalette(), 0) << c.what;
    ASSERT_EQ(boxes.shown.size(), 1u) << c.what;
    EXPECT_NE(boxes.shown[0].text.find("data\\CommonPalette.cplt4"), std::string::npos) << c.what;
    EXPECT_EQ(g_CommonPalette.m_vBlock.size(), 1u) << c.what;
    EXPECT_EQ(g_CommonPalette.m_vChara.size(), 1u) << c.what;
  }
}

// The labels of the enumerated members of the entries: how many values each list names,
// and the label at one position (a side's label lies one position after the side, a
// size factor's one position before it).
TEST(PaletteLabels, ListsNameTheValuesOfTheirMembers) {
  struct Case {
    const char* what;
    const LabelList& list;
    int count;
    int position;
    const char* label;
  } const cases[] = {
      {"palette kinds", g_PaletteKindLabels, 3, PALETTE_STAGE, "ステージパレット"},
      {"graphic kinds", g_PartGraphicLabels, 5, PARTGRAPHIC_CHARA_EXC, "専用bmp"},
      {"emblem display", g_EmblemShowLabels, 2, 1, "表示する"},
      {"block hits", g_BlockHitLabels, 3, 2, "主人公が当たると即死"},
      {"pass sides", g_BlockPassSideLabels, 9, -1 + 1, "なし"},
      {"pass side 7", g_BlockPassSideLabels, 9, 7 + 1, "7"},
      {"foot kinds", g_BlockFootKindLabels, 6, 3, "移動速度変更 X=％"},
      {"block items", g_BlockItemPaletteLabels, 3, PALETTE_NONE, "なし"},
      {"controllers", g_CharaControllerLabels, 2, CHARACTRL_COMPUTER, "コンピューター"},
      {"player numbers", g_CharaPlayerNoLabels, 1, 0, "1"},
      {"flight", g_CharaFlyingLabels, 4, 3, "ON (ブロックに当たると即死)"},
      {"invincibility", g_CharaInvincibleLabels, 3, 2, "ON (ショットがすり抜ける)"},
      {"size 1", g_CharaSizeLabels, 10, 1 - 1, "しない"},
      {"size 10", g_CharaSizeLabels, 10, 10 - 1, "×100"},
      {"sight shapes", g_CharaSightShapeLabels, 5, 4, "キャラの前方に正方形"},
      {"hit boxes", g_CharaHitBoxLabels, 4, 3, "32×32"},
      {"screen ranges", g_CharaScreenRangeLabels, 4, 1, "X座標のみ画面内"},
      {"activation rules", g_CharaActiveRuleLabels, 3, 2, "範囲とグループが偽なら成立"},
      {"take modes", g_ItemTakeModeLabels, 3, 2, "取れない"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.list.Count(), c.count) << c.what;
    EXPECT_STREQ(c.list.At(c.position), c.label) << c.what;
    EXPECT_STREQ(c.list.At(c.count), "") << c.what;
  }
}

}  // namespace
