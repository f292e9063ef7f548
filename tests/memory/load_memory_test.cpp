// What loading a file costs in memory, counted on the heap: a file of N bytes takes at
// most 16 N bytes and a fixed allowance, whatever it holds.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/database/anime_set_data.h"
#include "data/database/effect_data.h"
#include "data/database/sound_data.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_equality.h"
#include "data/palette/palette.h"
#include "data/record/data_lists.h"
#include "data/record/data_reader.h"
#include "data/record/data_writer.h"
#include "data/stage/stage_data.h"
#include "tests/memory/counting_heap.h"
#include "tests/support/byte_builder.h"
#include "tests/support/stage_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Inherit flags of the list groups.
constexpr std::size_t kBlockCondsGroup = 1;
constexpr std::size_t kItemCmdsGroup = 12;

// Opens a file image as the file opener does: the version word first.
cDataReader OpenImage(const Bytes& image) {
  cDataReader in(image);
  in.SetVersion(in.ReadInt32());
  g_nFileVersion = in.Version();
  return in;
}

Bytes StageImage(cStageData& stage) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  stage.Write(out);
  return out.Bytes();
}

Bytes Written(cStageData& stage) {
  cDataWriter out;
  stage.Write(out);
  return out.Bytes();
}

// ------------------------------------------------------------ lists taken by inheritance

// A stage whose placements all inherit one large list of definition 1. The stage is built
// in g_StageData, which the placements' references name.
struct cInheritCase {
  const char* name;
  void (*build)(cStageData& stage);
  // Whether placement i holds the very list of its definition.
  bool (*shares)(const cStageData& stage, std::size_t i);
  std::size_t (*placements)(const cStageData& stage);
  // Gives placement i a copy of the definition's list of its own, as inheriting once did.
  void (*resolve)(cStageData& stage, std::size_t i);
};

constexpr int kPlacements = 300;

cStageShape SmallStage() {
  cStageShape shape;
  shape.nWidth = 20;
  shape.nHeight = 15;
  shape.bFillBlocks = false;
  shape.nCharaPlacements = 0;
  shape.nItemPlacements = 0;
  return shape;
}

const cInheritCase kInheritCases[] = {
    {"flows",
     [](cStageData& stage) {
       cStageShape shape = SmallStage();
       shape.nCharaPlacements = kPlacements;
       shape.nFlowsPerChara = 40;
       shape.nCommandsPerFlow = 4;
       BuildStage(stage, shape);
     },
     [](const cStageData& s, std::size_t i) { return s.m_vCharaPlace[i].m_vFlow.SharesWith(s.m_vCharaDef[1].m_vFlow); },
     [](const cStageData& s) { return s.m_vCharaPlace.size(); },
     [](cStageData& s, std::size_t i) { s.m_vCharaPlace[i].m_vFlow = std::vector<cFlow>(s.m_vCharaDef[1].m_vFlow); }},
    {"item commands",
     [](cStageData& stage) {
       BuildStage(stage, SmallStage());
       std::vector<cFlowCmd> cmds(200);
       for (std::size_t i = 0; i < cmds.size(); ++i) {
         cmds[i].m_bItemCmd = 1;
         cmds[i].m_nKind = ITEMCMD_MESSAGE;
         cmds[i].m_sText = "message " + std::to_string(i);
       }
       stage.m_vItemDef[1].m_vItemCmd = cmds;
       for (int i = 0; i < kPlacements; ++i) {
         cPaletteItem& item = stage.m_vItemPlace.emplace_back();
         item.m_nPaletteKind = PALETTE_STAGE;
         item.m_nPaletteIndex = 1;
         item.m_vInherit[kItemCmdsGroup] = 1;
         item.m_nCellX = static_cast<std::int16_t>(i % 20);
       }
     },
     [](const cStageData& s, std::size_t i) { return s.m_vItemPlace[i].m_vItemCmd.SharesWith(s.m_vItemDef[1].m_vItemCmd); },
     [](const cStageData& s) { return s.m_vItemPlace.size(); },
     [](cStageData& s, std::size_t i) { s.m_vItemPlace[i].m_vItemCmd = std::vector<cFlowCmd>(s.m_vItemDef[1].m_vItemCmd); }},
    {"conditions",
     [](cStageData& stage) {
       BuildStage(stage, SmallStage());
       std::vector<cCond> conds(1000);
       for (std::size_t i = 0; i < conds.size(); ++i) conds[i].m_nValue = static_cast<std::int32_t>(i);
       stage.m_vBlockDef[1].m_vCond = conds;
       for (int i = 0; i < kPlacements; ++i) {
         cPaletteBlock& block = stage.m_vBlockPlace.emplace_back();
         block.m_nPaletteKind = PALETTE_STAGE;
         block.m_nPaletteIndex = 1;
         block.m_vInherit[kBlockCondsGroup] = 1;
         block.m_nCellX = static_cast<std::int16_t>(i % 20);
       }
     },
     [](const cStageData& s, std::size_t i) { return s.m_vBlockPlace[i].m_vCond.SharesWith(s.m_vBlockDef[1].m_vCond); },
     [](const cStageData& s) { return s.m_vBlockPlace.size(); },
     [](cStageData& s, std::size_t i) { s.m_vBlockPlace[i].m_vCond = std::vector<cCond>(s.m_vBlockDef[1].m_vCond); }},
};

class InheritedLists : public ::testing::TestWithParam<cInheritCase> {};

// Every placement takes the definition's list without a copy of its own: loading costs
// what the file holds, not placements times list. What the stage holds is what it held
// when every placement had its own copy.
TEST_P(InheritedLists, ArePlacementsSharingOneListAndLoadAsBefore) {
  const cInheritCase& c = GetParam();
  c.build(g_StageData);
  const Bytes image = StageImage(g_StageData);
  ASSERT_EQ(c.placements(g_StageData), static_cast<std::size_t>(kPlacements));

  bool loaded = false;
  const std::size_t peak = counting_heap::PeakGrowthOf([&] {
    cDataReader in = OpenImage(image);
    g_StageData.Read(in);
    loaded = !in.Damaged();
  });
  ASSERT_TRUE(loaded);
  EXPECT_LE(peak, 16 * image.size() + kMiB) << c.name << ": a file of " << image.size() << " bytes";

  ASSERT_EQ(c.placements(g_StageData), static_cast<std::size_t>(kPlacements));
  for (std::size_t i = 0; i < kPlacements; ++i) ASSERT_TRUE(c.shares(g_StageData, i)) << c.name << " placement " << i;

  cStageData resolved = g_StageData;
  for (std::size_t i = 0; i < kPlacements; ++i) c.resolve(resolved, i);
  EXPECT_EQ(Written(g_StageData), Written(resolved)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Lists, InheritedLists, ::testing::ValuesIn(kInheritCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (ch == ' ') ch = '_';
                           return name;
                         });

// A shared list that the repairs of a load change is repaired once: the definition and
// every placement take the same repaired list. Here a summon names a common-palette entry
// that the palette held when the stage was written and no longer holds.
TEST(InheritedListRepair, RepairsASharedListOnceForAllItsHolders) {
  g_CommonPalette = cPalette();
  g_CommonPalette.m_vChara.resize(600);
  cStageShape shape = SmallStage();
  shape.nCharaPlacements = kPlacements;
  shape.nFlowsPerChara = 20;
  shape.nCommandsPerFlow = 4;
  BuildStage(g_StageData, shape);
  cFlowCmd& summon = g_StageData.m_vCharaDef[1].m_vFlow[0].m_vCmd[0];
  summon.m_nKind = FLOWCMD_SUMMON_CHARA;
  CreateEdShot(summon.m_pShot);
  summon.m_pShot->m_nSummonPalette = 0;
  summon.m_pShot->m_nSummonIndex = 500;
  const Bytes image = StageImage(g_StageData);
  g_CommonPalette = cPalette();

  bool loaded = false;
  const std::size_t peak = counting_heap::PeakGrowthOf([&] {
    cDataReader in = OpenImage(image);
    g_StageData.Read(in);
    loaded = !in.Damaged();
  });
  ASSERT_TRUE(loaded);
  EXPECT_LE(peak, 16 * image.size() + kMiB);
  const cSharedList<cFlow>& flows = g_StageData.m_vCharaDef[1].m_vFlow;
  ASSERT_TRUE(flows[0].m_vCmd[0].m_pShot);
  EXPECT_EQ(flows[0].m_vCmd[0].m_pShot->m_nSummonIndex, 1);
  for (std::size_t i = 0; i < kPlacements; ++i)
    ASSERT_TRUE(g_StageData.m_vCharaPlace[i].m_vFlow.SharesWith(flows)) << "placement " << i;
}

// The common palette shares inherited lists as the stage does: 300 characters inherit
// the flows of character 1.
TEST(CommonPaletteLists, ShareInheritedFlows) {
  constexpr std::size_t kCharaFlowsGroup = 36;
  cStageShape shape = SmallStage();
  shape.nFlowsPerChara = 40;
  shape.nCommandsPerFlow = 4;
  BuildStage(g_StageData, shape);
  g_CommonPalette = cPalette();
  g_CommonPalette.m_vChara.push_back(g_StageData.m_vCharaDef[1]);
  for (int i = 0; i < kPlacements; ++i) {
    cPaletteChara& chara = g_CommonPalette.m_vChara.emplace_back();
    chara.m_nPaletteKind = PALETTE_COMMON;
    chara.m_nPaletteIndex = 1;
    chara.m_vInherit[kCharaFlowsGroup] = 1;
  }
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  g_CommonPalette.Write(out);
  const Bytes image = out.Bytes();
  g_StageData.Reset();

  bool loaded = false;
  const std::size_t peak = counting_heap::PeakGrowthOf([&] {
    cDataReader in = OpenImage(image);
    g_CommonPalette.Read(in);
    loaded = !in.Damaged();
  });
  ASSERT_TRUE(loaded);
  EXPECT_LE(peak, 16 * image.size() + kMiB);
  const cPalette& palette = g_CommonPalette;
  ASSERT_EQ(palette.m_vChara.size(), static_cast<std::size_t>(kPlacements) + 2);
  EXPECT_EQ(palette.m_vChara[1].m_vFlow.size(), 40u);
  for (std::size_t i = 2; i < palette.m_vChara.size(); ++i)
    ASSERT_TRUE(palette.m_vChara[i].m_vFlow.SharesWith(palette.m_vChara[1].m_vFlow)) << "character " << i;
  g_CommonPalette = cPalette();
}

// ------------------------------------------------------------ lists of near-empty records

// Files of this size hold about a million near-empty records.
constexpr std::size_t kHostileBytes = 8 * kMiB;

// A stage whose background list is a million backgrounds that store nothing (no members,
// no texts: eight bytes each in the file, a hundred in memory).
Bytes StageOfEmptyBackgrounds() {
  BuildStage(g_StageData, SmallStage());
  g_StageData.m_vText.clear();
  Bytes image = StageImage(g_StageData);
  // The stage ends with its one background, an empty text list and the end mark.
  cStageBack back = g_StageData.m_vBack.at(0);
  cDataWriter tail;
  tail.WriteInt32(1);
  back.Write(tail);
  tail.WriteInt32(0);
  tail.WriteInt32(kStageSentinel);
  image.resize(image.size() - tail.Bytes().size());
  const auto n = static_cast<std::int32_t>(kHostileBytes / kMinRecordBodyBytes);
  cByteBuilder b;
  b.Bytes(image).Count(n).Fill(static_cast<std::size_t>(n) * kMinRecordBodyBytes).Count(0).I32(kStageSentinel);
  return b.Get();
}

// A database file of near-empty records of T (the smallest body each can have).
template <typename T>
Bytes DatabaseOfEmptyRecords() {
  const auto n = static_cast<std::int32_t>(kHostileBytes / T::kMinBodyBytes);
  cByteBuilder b;
  b.I32(g_nDataVersion).Count(n).Fill(static_cast<std::size_t>(n) * T::kMinBodyBytes);
  return b.Get();
}

template <typename T>
bool LoadDatabaseImage(const Bytes& image, DATADAMAGE& damage) {
  cDataReader in = OpenImage(image);
  std::vector<T> list;
  LoadVector(list, in, T::kMinBodyBytes);
  damage = in.Damage();
  return !in.Damaged();
}

struct cCostlyCase {
  const char* name;
  Bytes (*image)();
  // Loads the image; false when the data counts as damaged, with the reason.
  bool (*load)(const Bytes& image, DATADAMAGE& damage);
};

const cCostlyCase kCostlyCases[] = {
    {"stage_backgrounds", StageOfEmptyBackgrounds,
     [](const Bytes& image, DATADAMAGE& damage) {
       cDataReader in = OpenImage(image);
       g_StageData.Read(in);
       damage = in.Damage();
       return !in.Damaged();
     }},
    {"effects", DatabaseOfEmptyRecords<cEffectData>, LoadDatabaseImage<cEffectData>},
    {"anime_sets", DatabaseOfEmptyRecords<cAnimeSetData>, LoadDatabaseImage<cAnimeSetData>},
    {"sounds", DatabaseOfEmptyRecords<cSoundData>, LoadDatabaseImage<cSoundData>},
};

class CostlyLists : public ::testing::TestWithParam<cCostlyCase> {};

// Records that cost many times their size in memory load only as far as the file's
// memory budget holds them; past it the file is damaged. Memory never passes the budget.
TEST_P(CostlyLists, StayWithinTheMemoryBudgetOfTheFile) {
  const cCostlyCase& c = GetParam();
  const Bytes image = c.image();
  bool loaded = true;
  DATADAMAGE damage = DATADAMAGE_NONE;
  const std::size_t peak = counting_heap::PeakGrowthOf([&] { loaded = c.load(image, damage); });
  if (!loaded) {
    EXPECT_EQ(damage, DATADAMAGE_TOO_COSTLY) << DamageText(damage);
  }
  // The budget, the file's own bytes, and a little for what the reader makes besides.
  EXPECT_LE(peak, (kMemoryPerDataByte + 1) * image.size() + kMemoryAllowance + kMiB);
  EXPECT_LE(peak, 16 * image.size() + 64 * kMiB);
}

INSTANTIATE_TEST_SUITE_P(Files, CostlyLists, ::testing::ValuesIn(kCostlyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Real records are far within the budget: a large list written by the writers loads.
TEST(CostlyLists, ListsOfRealRecordsLoad) {
  std::vector<cSoundData> sounds(200000);
  for (std::size_t i = 0; i < sounds.size(); ++i) sounds[i].m_strName = "se" + std::to_string(i) + ".wav";
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  SaveVector(sounds, out);
  DATADAMAGE damage = DATADAMAGE_NONE;
  EXPECT_TRUE(LoadDatabaseImage<cSoundData>(out.Bytes(), damage)) << DamageText(damage);

  BuildStage(g_StageData, SmallStage());
  g_StageData.m_vBack.resize(100000);
  const Bytes stage = StageImage(g_StageData);
  cDataReader in = OpenImage(stage);
  g_StageData.Read(in);
  EXPECT_FALSE(in.Damaged()) << in.DamageReason();
  EXPECT_EQ(g_StageData.m_vBack.size(), 100000u);
}

}  // namespace
