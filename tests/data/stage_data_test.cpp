#include "data/stage/stage_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/record/data_file.h"
#include "data/stage/stage_entry_lists.h"
#include "tests/data/stage_test_support.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stage_test;

class StageDataTest : public cStageTest {};

cByteBuilder& AddNewBackground(cByteBuilder& b, std::int32_t fill) {
  return b.Count(10).I32(1).I32(fill).I32(16).I32(0).F64(0.1).F64(0.1).I32(0).I32(0).F64(0).F64(0).Count(1).Text("");
}

template <typename T>
cByteBuilder& AddNewEntries(cByteBuilder& b, int n) {
  b.Count(n);
  for (int i = 0; i < n; ++i) {
    T entry;
    b.Bytes(BodyOf(entry));
  }
  return b;
}

TEST_F(StageDataTest, MemberTableAtCurrentVersionHas98MembersIn416Bytes) {
  cStageData stage;
  ASSERT_EQ(stage.Members().size(), 98u);
  std::size_t bytes = 0;
  int doubles = 0;
  for (const DATAMEMBER& m : stage.Members()) {
    bytes += static_cast<std::size_t>(m.nCount) * static_cast<std::size_t>(m.nSize);
    doubles += m.nSize == 8;
  }
  EXPECT_EQ(bytes, 416u);
  EXPECT_EQ(doubles, 6);
  EXPECT_EQ(stage.Strings().size(), 1u);
}

TEST_F(StageDataTest, NewStageWritesTheFileLayout) {
  cByteBuilder b;
  // Width and height 0: writing clamps the scroll limits to the empty stage.
  AddStageHead(b, 811, {{"m_nLimitLeft", -20}, {"m_nLimitRight", -1}, {"m_nLimitTop", -15}, {"m_nLimitBottom", -1}});
  AddResultsAndRanges(b, 811);
  AddNewEntries<cPaletteBlock>(b, 2);
  AddNewEntries<cPaletteChara>(b, 2);
  AddNewEntries<cPaletteItem>(b, 2);
  b.Count(0).Count(0).Count(0);
  b.Count(1);
  AddNewBackground(b, 1);
  b.Count(0).I32(kStageSentinel);

  cStageData stage;
  const std::vector<std::uint8_t> body = BodyOf(stage);
  EXPECT_EQ(body, b.Get());

  // The fixed head: member count, 416 bytes of members, text count, empty text.
  ASSERT_GT(body.size(), 428u);
  EXPECT_EQ(body[0], 98);
  EXPECT_EQ(body[420], 1);
  EXPECT_EQ(body[424], 1);
  const std::vector<std::uint8_t> sentinel(body.end() - 4, body.end());
  EXPECT_EQ(sentinel, (std::vector<std::uint8_t>{0x15, 0xCD, 0x5B, 0x07}));
}

TEST_F(StageDataTest, NewStageHoldsTheDefaults) {
  cStageData stage;
  EXPECT_TRUE(stage.m_vBlockPlace.empty());
  EXPECT_TRUE(stage.m_vCharaPlace.empty());
  EXPECT_TRUE(stage.m_vItemPlace.empty());
  EXPECT_EQ(stage.m_vBlockDef.size(), 1u);
  EXPECT_EQ(stage.m_vCharaDef.size(), 1u);
  EXPECT_EQ(stage.m_vItemDef.size(), 1u);
  ASSERT_EQ(stage.m_vBack.size(), 1u);
  EXPECT_EQ(stage.m_vBack[0].m_bFill, 1);
  EXPECT_EQ(stage.m_vBack[0].m_bVisible, 1);
  EXPECT_EQ(stage.m_vResultKind, (std::vector<std::int32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_PLAYER_SHOT].m_nBottom, 10);
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_OTHER_SHOT].m_bTop, 1);
  EXPECT_EQ(stage.m_OutRange[OUTRANGE_ITEM].m_bLeft, 0);
  // The derived values wait for SetCollisionLevel.
  EXPECT_EQ(stage.m_nSubSteps, 0);
  EXPECT_EQ(stage.m_nCollisionLevel, 10);
  EXPECT_EQ(stage.m_nSizeSpare5, 1);
}

TEST_F(StageDataTest, ResetKeepsTheTextListAndEmptiesThePlacements) {
  cStageData stage;
  stage.m_vText.resize(3);
  stage.m_vBlockPlace.resize(4);
  stage.m_vBlockDef.resize(5);
  stage.m_nWidth = 40;
  stage.Reset();
  EXPECT_EQ(stage.m_vText.size(), 3u);
  EXPECT_TRUE(stage.m_vBlockPlace.empty());
  EXPECT_EQ(stage.m_vBlockDef.size(), 1u);
  EXPECT_EQ(stage.m_nWidth, 0);
}

TEST_F(StageDataTest, ReadThenWriteGivesTheSameBytes) {
  cStageShape shape;
  shape.nWidth = 24;
  shape.nHeight = 16;
  shape.nCharaPlacements = 3;
  shape.nItemPlacements = 2;
  shape.nFlowsPerChara = 2;
  shape.nCommandsPerFlow = 3;
  shape.bPlacementsHoldFlows = true;
  BuildStage(g_StageData, shape);
  g_StageData.m_strText = "memo";
  g_StageData.m_vText.resize(2);
  g_StageData.m_vText[1].m_strText = "note";
  g_StageData.m_vBack[0].m_strPicture = "bmp\\back.bmp";
  const std::vector<std::uint8_t> first = BodyOf(g_StageData);

  cStageData back;
  ASSERT_TRUE(ReadAt(back, 811, first));
  EXPECT_EQ(back.m_vBlockPlace.size(), 24u * 16u);
  EXPECT_EQ(back.m_vText[1].m_strText, "note");
  EXPECT_EQ(BodyOf(back), first);
}

TEST_F(StageDataTest, PlacementPrefixIsSkippedUnreadAndWrittenAsZero) {
  cPaletteBlock block;
  block.m_nGraphic = 1;
  block.m_nCellX = 5;
  const std::vector<std::uint8_t> blockBody = BodyOf(block);

  const auto body = [&](std::int32_t prefix) {
    cByteBuilder b;
    AddStageHead(b, 811);
    AddResultsAndRanges(b, 811);
    b.Count(0).Count(0).Count(0);
    b.Count(1).I32(prefix).Bytes(blockBody);
    b.Count(0).Count(0).Count(0).Count(0).I32(kStageSentinel);
    return b.Get();
  };

  cStageData withZero;
  cStageData withOther;
  ASSERT_TRUE(ReadAt(withZero, 811, body(0)));
  ASSERT_TRUE(ReadAt(withOther, 811, body(77)));
  ASSERT_EQ(withOther.m_vBlockPlace.size(), 1u);
  EXPECT_EQ(withOther.m_vBlockPlace[0].m_nCellX, 5);
  EXPECT_EQ(BodyOf(withOther), BodyOf(withZero));
}

TEST_F(StageDataTest, DefinitionZeroIsResetToTheClassDefaults) {
  cPaletteChara first;
  first.m_strName = "changed";
  first.m_nMaxHp = 99;
  cPaletteChara second;
  second.m_strName = "kept";

  cByteBuilder b;
  AddStageHead(b, 811);
  AddResultsAndRanges(b, 811);
  b.Count(0);
  b.Count(2).Bytes(BodyOf(first)).Bytes(BodyOf(second));
  b.Count(0);
  b.Count(0).Count(0).Count(0).Count(0).Count(0).I32(kStageSentinel);

  cStageData stage;
  ASSERT_TRUE(ReadAt(stage, 811, b.Get()));
  ASSERT_EQ(stage.m_vCharaDef.size(), 2u);
  EXPECT_EQ(stage.m_vCharaDef[0].m_strName, "");
  EXPECT_EQ(stage.m_vCharaDef[0].m_nMaxHp, 10);
  EXPECT_EQ(stage.m_vCharaDef[1].m_strName, "kept");
  // The empty definition lists were filled up with the template and a new entry.
  EXPECT_EQ(stage.m_vBlockDef.size(), 2u);
  EXPECT_EQ(stage.m_vItemDef.size(), 2u);
}

// Definitions are read before placements, and each list is sized before its entries are
// read: a definition naming a later definition finds a new entry there, a placement
// finds the definition as read.
TEST_F(StageDataTest, EntriesInheritFromTheStageDefinitionsAsTheyStandWhenRead) {
  constexpr int kHitGroup = 6;
  cPaletteBlock namesLater;
  namesLater.m_nPaletteKind = PALETTE_STAGE;
  namesLater.m_nPaletteIndex = 2;
  namesLater.m_vInherit[kHitGroup] = 1;
  namesLater.m_nGraphic = 1;
  namesLater.m_nHit = 0;
  cPaletteBlock deadly;
  deadly.m_nGraphic = 1;
  deadly.m_nHit = 2;
  cPaletteBlock template0;
  // Entries are written with their references checked against the stage's definitions.
  g_StageData.m_vBlockDef.resize(3);

  cByteBuilder b;
  AddStageHead(b, 811);
  AddResultsAndRanges(b, 811);
  b.Count(3).Bytes(BodyOf(template0)).Bytes(BodyOf(namesLater)).Bytes(BodyOf(deadly));
  b.Count(0).Count(0);
  b.Count(1).I32(0).Bytes(BodyOf(namesLater));
  b.Count(0).Count(0).Count(0).Count(0).I32(kStageSentinel);

  ASSERT_TRUE(ReadAt(g_StageData, 811, b.Get()));
  ASSERT_EQ(g_StageData.m_vBlockDef.size(), 3u);
  EXPECT_EQ(g_StageData.m_vBlockDef[1].m_nPaletteKind, PALETTE_STAGE);
  EXPECT_EQ(g_StageData.m_vBlockDef[1].m_nHit, 1);
  ASSERT_EQ(g_StageData.m_vBlockPlace.size(), 1u);
  EXPECT_EQ(g_StageData.m_vBlockPlace[0].m_nHit, 2);
}

TEST_F(StageDataTest, EveryStageHoldsFiveResultFlags) {
  const struct {
    std::vector<std::int32_t> file;
    std::vector<std::int32_t> read;
  } cases[] = {
      {{1, 0, 1, 1, 0}, {1, 0, 1, 1, 0}},
      {{1, 1}, {1, 1, 0, 0, 0}},
      {{1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    cStageData stage;
    ASSERT_TRUE(ReadAt(stage, 811, StageBody(811, {}, c.file)));
    EXPECT_EQ(stage.m_vResultKind, c.read);
  }
}

TEST_F(StageDataTest, ListAssignmentsCopyRegisteredMembersAndTexts) {
  std::vector<cStageBack> source(3);
  source[2].m_dPosX = 4.5;
  source[2].m_strPicture = "sky.bmp";
  std::vector<cStageBack> destination(1);
  destination[0].m_nLayer = 7;
  AssignStageBackList(destination, source);
  ASSERT_EQ(destination.size(), 3u);
  EXPECT_EQ(destination[0].m_nLayer, 0);
  EXPECT_EQ(destination[2].m_dPosX, 4.5);
  EXPECT_EQ(destination[2].m_strPicture, "sky.bmp");

  ResizeStageBackList(destination, 2);
  ASSERT_EQ(destination.size(), 2u);
  EXPECT_EQ(destination[0].m_dSpeedX, 0.1);
  EXPECT_EQ(destination[0].m_bVisible, 1);

  std::vector<cStageString> texts(2);
  texts[1].m_strText = "b";
  std::vector<cStageString> copy(5);
  AssignStageStringList(copy, texts);
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy[1].m_strText, "b");
}

class StageFileTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bStripCR = 1;
  }
};

TEST_F(StageFileTest, SavedStageLoadsBackWhole) {
  cStageShape shape;
  shape.nWidth = 30;
  shape.nHeight = 15;
  shape.nCharaPlacements = 4;
  shape.bPlacementsHoldFlows = true;
  BuildStage(g_StageData, shape);
  ASSERT_EQ(g_StageData.SaveToFile("stage.stg4_811"), 1);
  const std::vector<std::uint8_t> file = ReadTestFile((std::filesystem::path(Dir()) / "stage.stg4_811").string());
  ASSERT_GT(file.size(), 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 4), (std::vector<std::uint8_t>{0x2B, 0x03, 0, 0}));

  cStageData back;
  ASSERT_EQ(back.LoadFromFile("stage.stg4_811"), 1);
  EXPECT_EQ(back.m_nWidth, 30);
  EXPECT_EQ(back.m_vCharaPlace.size(), 4u);
  EXPECT_EQ(BodyOf(back), std::vector<std::uint8_t>(file.begin() + 4, file.end()));
}

}  // namespace
