// Summoned characters and items in real play, read back from the player's trace: a summon
// whose range limit is on gives what it makes a life of its range in tenths of a second,
// and they go on the frame that life ends; without the flag they stay.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr std::int32_t kCollisionLevel = 13;  // three sub-steps a frame
constexpr int kSubSteps = 3;
constexpr std::int8_t kStagePalette = 1;
// The stage's definitions: the template entry, then the hero, 'C' and 'S'; the template
// item, then 'i'.
constexpr std::int16_t kSummonedChara = 3;
constexpr std::int16_t kSummonedItem = 1;
constexpr int kSummonerId = 1;
constexpr int kSummonedCharaId = 2;
constexpr int kSummonedItemId = 0;

// A summon of one entry of the stage's palette, right beside the summoner, lasting long
// enough that its flow does not run it a second time in the play watched.
cFlow SummonFlow(std::int8_t kind, std::int16_t index, std::int8_t bRangeLimit, std::int16_t nRange) {
  cFlowCmd cmd;
  cmd.m_nKind = kind;
  cmd.m_nTime = 999;
  CreateEdShot(cmd.m_pShot);
  cEdShot& block = *cmd.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_RIGHT;
  block.m_nSummonPalette = kStagePalette;
  block.m_nSummonIndex = index;
  block.m_bRangeLimit = bRangeLimit;
  block.m_nRange = nRange;
  // A shot's own timed life is not a summon's: a short one here must change nothing.
  block.m_bLifeLimit = 1;
  block.m_nLife = 1;
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCmd = {cmd};
  return flow;
}

// The hero at the left; at the right a character that summons a character and an item
// on its first step.
cStagePlan SummonRoom(std::int8_t bRangeLimit, std::int16_t nCharaRange, std::int16_t nItemRange) {
  cStagePlan plan;
  plan.nCollisionLevel = kCollisionLevel;
  plan.vMap[13][10] = 'C';
  plan.Chara.m_vFlow = std::vector<cFlow>{SummonFlow(FLOWCMD_SUMMON_CHARA, kSummonedChara, bRangeLimit, nCharaRange),
                                          SummonFlow(FLOWCMD_SUMMON_ITEM, kSummonedItem, bRangeLimit, nItemRange)};
  cPaletteChara summoned = plan.Chara;
  summoned.m_strName = "summoned";
  summoned.m_vFlow = std::vector<cFlow>{};
  plan.CharaKinds['S'] = summoned;
  cPaletteItem item;
  item.m_nGraphic = 1;
  item.m_nTakeMode = 2;  // cannot be taken
  plan.ItemKinds['i'] = item;
  return plan;
}

bool Has(const cTraceFrame& frame, const std::string& kind, int id) {
  for (const cTraceObject& o : frame.vObjects)
    if (o.strKind == kind && o.nId == id) return true;
  return false;
}

// The last play frame (counted from 1) in which the object is seen, or 0 when never.
int LastSeen(const cPlayResult& run, int first, int frames, const std::string& kind, int id) {
  int last = 0;
  for (int k = 1; k <= frames; ++k)
    if (Has(run.vFrames[static_cast<std::size_t>(first + k)], kind, id)) last = k;
  return last;
}

class SummonLifeTraceTest : public cTempDirTest {};

TEST_F(SummonLifeTraceTest, SummonedCharactersAndItemsLiveTheirRangeInTenths) {
  constexpr std::int16_t kCharaTenths = 4;
  constexpr std::int16_t kItemTenths = 7;
  constexpr int kFrames = 60;
  const cPlayResult run = PlayPlan(SummonRoom(1, kCharaTenths, kItemTenths), kFrames + 30);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  const int first = run.FirstPlayIndex();
  ASSERT_GE(first, 0) << run.strOutput;
  ASSERT_GE(static_cast<int>(run.vFrames.size()), first + kFrames + 1);
  const cTraceFrame& start = run.vFrames[static_cast<std::size_t>(first + 1)];
  ASSERT_TRUE(Has(start, "chara", kSummonedCharaId)) << start.strLine;
  ASSERT_TRUE(Has(start, "item", kSummonedItemId)) << start.strLine;

  // Made on the first sub-step of frame 1, each lives range x 6 x n sub-steps after it
  // and goes in the sub-step after those: sub-step life + 2 of the play.
  for (const auto& [kind, id, tenths] : {std::tuple<std::string, int, int>{"chara", kSummonedCharaId, kCharaTenths},
                                         std::tuple<std::string, int, int>{"item", kSummonedItemId, kItemTenths}}) {
    SCOPED_TRACE(kind);
    const int life = tenths * 6 * kSubSteps;
    const int goneFrame = (life + 2 + kSubSteps - 1) / kSubSteps;
    EXPECT_EQ(LastSeen(run, first, kFrames, kind, id), goneFrame - 1);
  }
  // The summoner itself stays.
  EXPECT_EQ(LastSeen(run, first, kFrames, "chara", kSummonerId), kFrames);
}

TEST_F(SummonLifeTraceTest, WithoutTheRangeLimitSummonsStay) {
  constexpr int kFrames = 40;
  const cPlayResult run = PlayPlan(SummonRoom(0, 2, 2), kFrames + 30);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const int first = run.FirstPlayIndex();
  ASSERT_GE(first, 0) << run.strOutput;
  ASSERT_GE(static_cast<int>(run.vFrames.size()), first + kFrames + 1);
  EXPECT_EQ(LastSeen(run, first, kFrames, "chara", kSummonedCharaId), kFrames);
  EXPECT_EQ(LastSeen(run, first, kFrames, "item", kSummonedItemId), kFrames);
}

}  // namespace
