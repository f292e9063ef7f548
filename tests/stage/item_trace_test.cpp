// Items in real play, through the player's trace: the hero walking right takes an item
// that goes from the stage, then one whose commands clear the stage; items whose entry
// has a position offset stand that far from where they are placed or summoned.
#include <gtest/gtest.h>

#include <vector>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "demo/demo_stage.h"
#include "stage/scene_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"

namespace {

class ItemTraceTest : public cTempDirTest {};

cPaletteItem TraceItem(std::vector<cFlowCmd> commands) {
  cPaletteItem item;
  item.m_nGraphic = 1;
  item.m_nTakeMode = 0;
  item.m_vItemCmd = std::move(commands);
  return item;
}

TEST_F(ItemTraceTest, TheHeroTakesAnItemThenOneThatClearsTheStage) {
  cStagePlan plan;
  plan.vMap = {
      "##############################",
      "#............................#",
      "#............................#",
      "#.P....o.........c...........#",
      "##############################",
  };
  plan.nCollisionLevel = DemoFirstStage().nCollisionLevel;
  GiveWalkAndJump(plan.Hero, 30, 6);
  cFlowCmd clear;
  clear.m_bItemCmd = 1;
  clear.m_nKind = ITEMCMD_STAGE_CLEAR;
  clear.Normalize();
  plan.ItemKinds = {{'o', TraceItem({})}, {'c', TraceItem({clear})}};
  const cPlayResult run = PlayPlan(plan, 300, {{300, kDirRight, 0}});
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const std::vector<const cTraceFrame*> play = run.PlayFrames();
  ASSERT_FALSE(play.empty()) << run.strOutput;
  const auto items = [](const cTraceFrame& f) {
    std::vector<const cTraceObject*> found;
    for (const cTraceObject& o : f.vObjects)
      if (o.strKind == "item") found.push_back(&o);
    return found;
  };
  ASSERT_EQ(items(*play.front()).size(), 2U) << play.front()->strLine;
  const double firstX = items(*play.front())[0]->dX;
  const double clearX = items(*play.front())[1]->dX;
  // The first item goes once the hero reaches it; the other stays until it is taken.
  bool taken = false;
  for (const cTraceFrame* f : play) {
    if (items(*f).size() != 1) continue;
    taken = true;
    EXPECT_GT(f->Player().dX, firstX - 48) << f->strLine;
    EXPECT_DOUBLE_EQ(items(*f)[0]->dX, clearX) << f->strLine;
    break;
  }
  EXPECT_TRUE(taken) << play.back()->strLine;
  // The second one's commands end the play as cleared: the play state is left, the
  // hero standing at the item.
  const cTraceFrame& last = run.vFrames.back();
  EXPECT_EQ(last.nState, GAMESTATE_CLEAR) << last.strLine;
  EXPECT_GT(play.back()->Player().dX, clearX - 48) << play.back()->strLine;
  EXPECT_LT(play.back()->Player().dX, clearX + 32) << play.back()->strLine;
}

// A flow that summons item `index` of the stage's palette once, right beside the
// character that runs it.
cFlow SummonItemFlow(std::int16_t index) {
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_SUMMON_ITEM;
  cmd.m_nTime = 999;
  CreateEdShot(cmd.m_pShot);
  cEdShot& block = *cmd.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_RIGHT;
  block.m_nSummonPalette = 1;
  block.m_nSummonIndex = index;
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCmd = {cmd};
  return flow;
}

TEST_F(ItemTraceTest, AnItemStandsAtItsOffsetWherePlacedAndWhereSummoned) {
  constexpr std::int16_t kOffsetX = 10;
  constexpr std::int16_t kOffsetY = -7;
  cStagePlan plan;
  // 'o' and 'q' three cells apart on one row; 'C' summons an 'o' and a 'q' at one place.
  plan.vMap[11][5] = 'o';
  plan.vMap[11][8] = 'q';
  plan.vMap[13][14] = 'C';
  cPaletteItem plain = TraceItem({});
  plain.m_nTakeMode = 2;
  cPaletteItem offset = plain;
  offset.m_nSetting1 = kOffsetX;
  offset.m_nSetting2 = kOffsetY;
  plan.ItemKinds = {{'o', plain}, {'q', offset}};  // stage items 1 and 2, after the template
  plan.Chara.m_vFlow = std::vector<cFlow>{SummonItemFlow(1), SummonItemFlow(2)};
  const cPlayResult run = PlayPlan(plan, 20);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const std::vector<const cTraceFrame*> play = run.PlayFrames();
  ASSERT_GE(play.size(), 2U) << run.strOutput;
  const cTraceFrame& f = *play[1];
  // Ids: the two placed in map order, then the two summoned in flow order.
  const auto item = [&f](int id) -> const cTraceObject* {
    for (const cTraceObject& o : f.vObjects)
      if (o.strKind == "item" && o.nId == id) return &o;
    return nullptr;
  };
  for (int id = 0; id < 4; ++id) ASSERT_NE(item(id), nullptr) << id << " " << f.strLine;
  EXPECT_DOUBLE_EQ(item(1)->dX - item(0)->dX, 3 * 32 + kOffsetX) << f.strLine;
  EXPECT_DOUBLE_EQ(item(1)->dY - item(0)->dY, kOffsetY) << f.strLine;
  EXPECT_DOUBLE_EQ(item(3)->dX - item(2)->dX, kOffsetX) << f.strLine;
  EXPECT_DOUBLE_EQ(item(3)->dY - item(2)->dY, kOffsetY) << f.strLine;
}

}  // namespace
