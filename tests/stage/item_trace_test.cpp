// Items in real play, through the player's trace: the hero walking right takes an item
// that goes from the stage, then one whose commands clear the stage.
#include <gtest/gtest.h>

#include <vector>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
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

}  // namespace
