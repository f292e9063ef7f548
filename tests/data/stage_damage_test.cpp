// Damaged and cut-short stage bodies: a clear failure and a new stage, never a crash or
// an allocation the data cannot justify.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "data/stage/stage_data.h"
#include "data/stage/stage_entry_lists.h"
#include "data/stage/stage_size_limits.h"
#include "tests/data/stage_test_support.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stage_test;

// A small stage with one entry of every kind, flows and a background.
std::vector<std::uint8_t> SmallStageBody() {
  cStageShape shape;
  shape.nWidth = 3;
  shape.nHeight = 2;
  shape.nCharaPlacements = 2;
  shape.nItemPlacements = 1;
  shape.nFlowsPerChara = 1;
  shape.nCommandsPerFlow = 2;
  shape.bPlacementsHoldFlows = true;
  BuildStage(g_StageData, shape);
  g_StageData.m_vText.resize(1);
  g_StageData.m_vText[0].m_strText = "t";
  return BodyOf(g_StageData);
}

// After a failed read the record holds a new, normalised stage.
void ExpectNewStage(const cStageData& stage) {
  EXPECT_EQ(stage.m_nWidth, 0);
  EXPECT_EQ(stage.m_nHeight, 0);
  EXPECT_TRUE(stage.m_vBlockPlace.empty());
  EXPECT_TRUE(stage.m_vCharaPlace.empty());
  EXPECT_TRUE(stage.m_vItemPlace.empty());
  EXPECT_EQ(stage.m_vBlockDef.size(), 2u);
  EXPECT_EQ(stage.m_vCharaDef.size(), 2u);
  EXPECT_EQ(stage.m_vItemDef.size(), 2u);
  EXPECT_TRUE(stage.m_vText.empty());
  EXPECT_EQ(stage.m_vResultKind, (std::vector<std::int32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(stage.m_nSubSteps, 10);
}

// The offset just after the registered part of a body of version 811 whose text is "".
constexpr std::size_t kAfterHead = 4 + 416 + 4 + 4;
constexpr std::size_t kAfterRanges = kAfterHead + 4 + 5 * 4 + 5 * 40;

void PutInt32(std::vector<std::uint8_t>& body, std::size_t offset, std::int32_t value) {
  std::memcpy(body.data() + offset, &value, 4);
}

class StageDamageTest : public cStageTest {};

TEST_F(StageDamageTest, ImpossibleCountsAndSizesFailTheRead) {
  const std::vector<std::uint8_t> valid = StageBody(811, {{"m_nWidth", 30}, {"m_nHeight", 20}});
  // A body with `count` minimal block definitions, enough bytes for each of them.
  const auto manyBlockDefs = [](std::int32_t count) {
    cByteBuilder b;
    AddStageHead(b, 811);
    AddResultsAndRanges(b, 811);
    b.Count(count);
    for (std::int32_t i = 0; i < count; ++i) b.Count(0).Count(0).I16(0).I16(0).Count(0).Count(0);
    b.Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).I32(kStageSentinel);
    return b.Get();
  };
  const auto patched = [&](std::size_t offset, std::int32_t value) {
    std::vector<std::uint8_t> body = valid;
    PutInt32(body, offset, value);
    return body;
  };
  const struct {
    const char* lpWhat;
    std::vector<std::uint8_t> body;
    DATADAMAGE damage;
  } cases[] = {
      {"negative width", StageBody(811, {{"m_nWidth", -1}}), DATADAMAGE_STAGE_SIZE},
      {"width beyond int16 cells", StageBody(811, {{"m_nWidth", 40000}, {"m_nHeight", 1}}), DATADAMAGE_STAGE_SIZE},
      {"grid too large", StageBody(811, {{"m_nWidth", 5000}, {"m_nHeight", 1000}}), DATADAMAGE_STAGE_SIZE},
      {"negative pixel height", StageBody(811, {{"m_nPixelHeight", -32}}), DATADAMAGE_STAGE_SIZE},
      {"huge pixel width", StageBody(811, {{"m_nPixelWidth", INT32_MAX}}), DATADAMAGE_STAGE_SIZE},
      {"negative result count", patched(kAfterHead, -1), DATADAMAGE_NEGATIVE_COUNT},
      {"result count beyond the data", patched(kAfterHead, INT32_MAX), DATADAMAGE_COUNT_PAST_END},
      {"block definitions beyond the data", patched(kAfterRanges, 100000), DATADAMAGE_COUNT_PAST_END},
      {"character placements beyond the data", patched(kAfterRanges + 12, 7), DATADAMAGE_COUNT_PAST_END},
      {"text list beyond the data", patched(valid.size() - 8, 1000), DATADAMAGE_COUNT_PAST_END},
      {"text length beyond the data", patched(4 + 416 + 4, 1 << 30), DATADAMAGE_TEXT_LENGTH},
      {"more block definitions than indices can name", manyBlockDefs(kMaxDefinitionEntries + 1),
       DATADAMAGE_STAGE_TOO_MANY_ENTRIES},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lpWhat);
    cStageData stage;
    const DATADAMAGE damage = DamageOf(stage, 811, c.body);
    EXPECT_EQ(damage, c.damage) << DamageText(damage);
    ExpectNewStage(stage);
  }
  // The largest accepted counts still read.
  cStageData stage;
  EXPECT_TRUE(ReadAt(stage, 811, manyBlockDefs(kMaxDefinitionEntries)));
  EXPECT_EQ(stage.m_vBlockDef.size(), static_cast<std::size_t>(kMaxDefinitionEntries));
}

TEST_F(StageDamageTest, EveryCutShortBodyFailsTheRead) {
  // Before version 173 a stage has no sentinel: a cut body is still found out.
  cByteBuilder old;
  AddStageHead(old, 172, {{"m_nWidth", 20}}, "memo");
  AddStageTail(old, 172, {1, 1, 1}, {"a", "b"});
  for (int version : {811, 172}) {
    const std::vector<std::uint8_t> whole = version == 811 ? SmallStageBody() : old.Get();
    cStageData full;
    ASSERT_TRUE(ReadAt(full, version, whole)) << version;
    for (std::size_t length = 0; length < whole.size(); ++length) {
      SCOPED_TRACE(testing::Message() << "version " << version << ", " << length << " of " << whole.size());
      cStageData stage;
      ASSERT_FALSE(ReadAt(stage, version, std::vector<std::uint8_t>(whole.begin(), whole.begin() + length)));
      ExpectNewStage(stage);
    }
  }
}

class StageCorruptionTest : public cTempDirTest {
 protected:
  void TearDown() override {
    RestoreDatabaseAndPalettes();
    cTempDirTest::TearDown();
  }
};

// Any single byte of a body may be wrong: reading never crashes, and the stage that
// results, damaged or not, keeps the invariants stage play relies on.
TEST_F(StageCorruptionTest, EverySingleByteCorruptionReadsSafely) {
  g_bStripCR = 1;
  SetDatabaseSize(DBKIND_BGM, 2);
  const std::vector<std::uint8_t> body = SmallStageBody();
  for (std::uint8_t value : {std::uint8_t{0xFF}, std::uint8_t{0x7F}, std::uint8_t{0x80}}) {
    for (std::size_t i = 0; i < body.size(); ++i) {
      std::vector<std::uint8_t> bad = body;
      if (bad[i] == value) continue;
      bad[i] = value;
      g_nFileVersion = 811;
      cDataReader in(bad);
      cStageData stage;
      stage.Read(in);
      SCOPED_TRACE(testing::Message() << "byte " << i << " := " << int{value});
      ASSERT_TRUE(StageSizeWithinLimits(stage.m_nWidth, stage.m_nHeight));
      ASSERT_GE(stage.m_vBlockDef.size(), 2u);
      ASSERT_GE(stage.m_vCharaDef.size(), 2u);
      ASSERT_GE(stage.m_vItemDef.size(), 2u);
      ASSERT_EQ(stage.m_vResultKind.size(), 5u);
      ASSERT_GE(stage.m_nSubSteps, 1);
      ASSERT_LE(stage.m_nSubSteps, 10);
    }
  }
}

TEST_F(StageCorruptionTest, DamagedStageFileFailsToLoad) {
  std::vector<std::uint8_t> file = cByteBuilder().I32(811).Get();
  const std::vector<std::uint8_t> body = SmallStageBody();
  file.insert(file.end(), body.begin(), body.end() - 1);
  WriteTestFile(Dir() + "/cut.stg4_811", file);
  cStageData stage;
  EXPECT_EQ(stage.LoadFromFile("cut.stg4_811"), 0);
  ExpectNewStage(stage);
}

}  // namespace
