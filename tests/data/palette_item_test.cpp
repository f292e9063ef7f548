#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/palette/palette.h"
#include "data/palette/palette_item.h"
#include "tests/data/palette_test_support.h"

namespace {

// The registered members of an item, in file order (the icon flag before the take mode).
struct ItemFields {
  std::int8_t paletteKind = 0;
  std::int16_t paletteIndex = 0;
  std::int8_t condMode = 0, condLatch = 0;
  std::int16_t setting1 = 0, setting2 = 0, graphic = 0;
  std::int8_t graphicKind = 2;
  std::int16_t pattern = 0;
  std::int8_t setting3 = 6, hidden = 0, emblemShow = 0;
  std::int16_t emblem = 0;
  std::int8_t showIcon = 1, takeMode = 0, size = 1;
  std::int16_t sound = 0;
  std::string name;
};

Bytes ItemBody(const ItemFields& f, const std::vector<std::uint8_t>& inherit = std::vector<std::uint8_t>(13, 0)) {
  cByteBuilder b;
  b.I32(17);
  b.I8(f.paletteKind).I16(f.paletteIndex).I8(f.condMode).I8(f.condLatch).I16(f.setting1).I16(f.setting2);
  b.I16(f.graphic).I8(f.graphicKind).I16(f.pattern).I8(f.setting3).I8(f.hidden).I8(f.emblemShow).I16(f.emblem);
  b.I8(f.showIcon).I8(f.takeMode).I8(f.size).I16(f.sound);
  b.I32(1).Text(f.name);
  b.I16(0).I16(0);
  AppendInherit(b, inherit);
  b.Count(0).Count(0);  // conditions, item commands
  return b.Get();
}

using PaletteItemTest = PaletteTest;

TEST_F(PaletteItemTest, NewItemWritesTheDefaultBody) {
  cPaletteItem item;
  const Bytes bytes = BytesOf(item);
  EXPECT_EQ(bytes.size(), 65u);
  EXPECT_EQ(bytes, ItemBody(ItemFields{}));
}

TEST_F(PaletteItemTest, ReadsEveryMemberInFileOrder) {
  ItemFields f;
  f.paletteIndex = 300, f.condMode = 1, f.condLatch = 1, f.setting1 = 301, f.setting2 = 302, f.graphic = 303;
  f.graphicKind = 1, f.pattern = 304, f.setting3 = 9, f.hidden = 1, f.emblemShow = 2, f.emblem = 305;
  f.showIcon = 0, f.takeMode = 2, f.size = 3, f.sound = 12, f.name = "コイン";
  cPaletteItem item;
  const cDataReader in = ReadAt(item, ItemBody(f));
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(item.m_nPaletteIndex, 300);
  EXPECT_EQ(item.m_nCondMode, 1);
  EXPECT_EQ(item.m_bCondLatch, 1);
  EXPECT_EQ(item.m_nSetting1, 301);
  EXPECT_EQ(item.m_nSetting2, 302);
  EXPECT_EQ(item.m_nGraphic, 303);
  EXPECT_EQ(item.m_nGraphicKind, 1);
  EXPECT_EQ(item.m_nPattern, 304);
  EXPECT_EQ(item.m_nSetting3, 9);
  EXPECT_EQ(item.m_bHidden, 1);
  EXPECT_EQ(item.m_nEmblemShow, 2);
  EXPECT_EQ(item.m_nEmblem, 305);
  EXPECT_EQ(item.m_bShowIcon, 0);
  EXPECT_EQ(item.m_nTakeMode, 2);
  EXPECT_EQ(item.m_nSize, 3);
  EXPECT_EQ(item.m_nSound, 12);
  EXPECT_EQ(item.m_strName, "コイン");
  ExpectRoundTrip(item);
}

TEST_F(PaletteItemTest, OldShotGraphicsAreRenumbered) {
  ItemFields f;
  f.graphicKind = 3, f.graphic = 50;
  cPaletteItem item;
  ReadAt(item, ItemBody(f), 218);
  EXPECT_EQ(item.m_nGraphic, 51);
  ReadAt(item, ItemBody(f), 219);
  EXPECT_EQ(item.m_nGraphic, 50);
}

TEST_F(PaletteItemTest, NormalizeRepairsSizeSoundAndReference) {
  g_Database.m_Sound.resize(4);
  g_CommonPalette.m_vItem.resize(3);
  cPaletteItem item;
  item.m_nSize = 0, item.m_nSound = 4, item.m_nPaletteKind = 1, item.m_nPaletteIndex = 3;
  item.Normalize();
  EXPECT_EQ(item.m_nSize, 1);
  EXPECT_EQ(item.m_nSound, 0);
  EXPECT_EQ(item.m_nPaletteKind, 0);
  EXPECT_EQ(item.m_nPaletteIndex, 0);

  item.m_nSize = 2, item.m_nSound = 3, item.m_nPaletteKind = 1, item.m_nPaletteIndex = 2;
  item.Normalize();
  EXPECT_EQ(item.m_nSize, 2);
  EXPECT_EQ(item.m_nSound, 3);
  EXPECT_EQ(item.m_nPaletteKind, 1);
  EXPECT_EQ(item.m_nPaletteIndex, 2);
}

// An item command as the file lays it out after the item: the command's registered part
// (item command flag first), its text, the three block flags, its flows and parameters.
TEST_F(PaletteItemTest, ItemCommandsWriteAndReadTheFileLayout) {
  cPaletteItem item;
  item.m_vItemCmd.resize(1);
  cFlowCmd& cmd = item.m_vItemCmd[0];
  cmd.m_bItemCmd = 1;
  cmd.m_nKind = ITEMCMD_GAME_WAIT;
  cmd.m_nTime = 5;
  cmd.m_bNoWait = 1;
  cmd.m_sText = "msg";
  cmd.m_vParam = {30};
  Bytes expected = ItemBody(ItemFields{});
  expected.erase(expected.end() - 4, expected.end());  // the command count comes below
  const Bytes commands = cByteBuilder()
                             .Count(1)
                             .I32(8).I8(1).I8(3).I16(5).I16(0).I8(1).I16(0).I8(1).I16(0)
                             .I32(1).Text("msg")
                             .I32(0).I32(0).I32(0)  // no movement, shot or condition block
                             .Count(0)              // flows
                             .Count(1).I32(30)      // parameters
                             .Get();
  expected.insert(expected.end(), commands.begin(), commands.end());
  EXPECT_EQ(BytesOf(item), expected);

  cPaletteItem back;
  const cDataReader in = ReadAt(back, expected);
  EXPECT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(back.m_vItemCmd.size(), 1u);
  EXPECT_EQ(back.m_vItemCmd[0].m_bItemCmd, 1);
  EXPECT_EQ(back.m_vItemCmd[0].m_nKind, ITEMCMD_GAME_WAIT);
  EXPECT_EQ(back.m_vItemCmd[0].m_nTime, 5);
  EXPECT_EQ(back.m_vItemCmd[0].m_sText, "msg");
  EXPECT_EQ(back.m_vItemCmd[0].m_vParam, (std::vector<std::int32_t>{30}));
}

TEST_F(PaletteItemTest, ItemCommandsRoundTrip) {
  cPaletteItem item;
  item.m_strName = "鍵";
  item.m_vItemCmd.resize(2);
  for (cFlowCmd& cmd : item.m_vItemCmd) cmd.m_bItemCmd = 1;
  item.m_vItemCmd[1].m_sText = "msg";
  item.m_vItemCmd[1].m_vFlow.resize(1);
  item.m_vItemCmd[1].m_vFlow[0].m_nID = 3;
  ExpectRoundTrip(item);
}

TEST_F(PaletteItemTest, GetPaletteItemFindsEntriesOfBothPalettes) {
  g_CommonPalette.m_vItem.resize(3);
  g_CommonPalette.m_vItem[2].m_nSound = 7;
  StageItemDefs().resize(2);
  StageItemDefs()[1].m_nSound = 8;
  ASSERT_NE(GetPaletteItem(1, 2), nullptr);
  EXPECT_EQ(GetPaletteItem(1, 2)->m_nSound, 7);
  ASSERT_NE(GetPaletteItem(2, 1), nullptr);
  EXPECT_EQ(GetPaletteItem(2, 1)->m_nSound, 8);
  EXPECT_EQ(GetPaletteItem(1, -1), nullptr);
  EXPECT_EQ(GetPaletteItem(1, 3), nullptr);
  EXPECT_EQ(GetPaletteItem(2, 2), nullptr);
  EXPECT_EQ(GetPaletteItem(3, 0), nullptr);
  EXPECT_EQ(GetPaletteItem(0, 1), nullptr);
}

}  // namespace
