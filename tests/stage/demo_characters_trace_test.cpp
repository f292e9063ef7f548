// The demo stage's characters in real play, through the player's trace: the walker
// patrols, the hopper hops in place, and the reactor stays put until the hero comes near,
// then faces it and dashes at it; the hero's shots defeat an enemy and the hero takes a
// coin by walking into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "demo/demo_stage.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"

namespace {

// The characters of a trace frame, in the stage's placement order.
std::vector<const cTraceObject*> Charas(const cTraceFrame& frame) {
  std::vector<const cTraceObject*> charas;
  for (const cTraceObject& object : frame.vObjects)
    if (object.strKind == "chara") charas.push_back(&object);
  return charas;
}

class DemoCharactersTraceTest : public cTempDirTest {};

TEST_F(DemoCharactersTraceTest, WalkerPatrolsHopperHopsReactorWaitsForTheHero) {
  const cPlayResult run = PlayGame(DemoGameContent(), DemoFirstStage().strName, 420);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const std::vector<const cTraceFrame*> play = run.PlayFrames();
  ASSERT_GE(play.size(), 300U) << run.strOutput;
  // Placement order (rows top first, then left to right): the shooter on the low ceiling,
  // the hopper on the steps, the walker, the reactor, the platform in the first gap.
  const std::vector<const cTraceObject*> first = Charas(*play.front());
  ASSERT_EQ(first.size(), 5U) << play.front()->strLine;
  const cTraceObject* const hopper0 = first[1];
  const cTraceObject* const walker0 = first[2];
  const cTraceObject* const reactor0 = first[3];
  double walkerMin = walker0->dX, walkerMax = walker0->dX, hopperTop = hopper0->dY;
  bool landedAfterTop = false;
  for (const cTraceFrame* frame : play) {
    const std::vector<const cTraceObject*> charas = Charas(*frame);
    ASSERT_EQ(charas.size(), 5U) << frame->strLine;
    walkerMin = std::min(walkerMin, charas[2]->dX);
    walkerMax = std::max(walkerMax, charas[2]->dX);
    if (charas[1]->dY < hopperTop) landedAfterTop = false;
    hopperTop = std::min(hopperTop, charas[1]->dY);
    // Standing, a character's y keeps within a dot of where it stands.
    if (std::fabs(charas[1]->dY - hopper0->dY) < 1.5) landedAfterTop = true;
    EXPECT_EQ(charas[1]->dX, hopper0->dX) << frame->strLine;
    EXPECT_EQ(charas[3]->dX, reactor0->dX) << frame->strLine;
  }
  // Two seconds right at one dot a frame, then back: 120 dots of patrol.
  EXPECT_NEAR(walkerMax - walkerMin, 120, 1);
  // The hop reaches well above the floor and lands again.
  EXPECT_LT(hopperTop, hopper0->dY - 48);
  EXPECT_TRUE(landedAfterTop);
}

TEST_F(DemoCharactersTraceTest, ReactorTurnsAndDashesWhenTheHeroComesNear) {
  cStagePlan plan;
  plan.vMap = {
      "##############################",
      "#............................#",
      "#............................#",
      "#.P.........R................#",
      "##############################",
  };
  // As on the demo stage: one sub-step a frame, so the hero walks at its full speed.
  plan.nCollisionLevel = DemoFirstStage().nCollisionLevel;
  GiveWalkAndJump(plan.Hero, 30, 6);
  cPaletteChara reactor = DemoReactor();
  reactor.m_nDirection = 1;  // facing away from the hero until it reacts
  plan.CharaKinds = {{'R', reactor}};
  const cPlayResult run = PlayPlan(plan, 200, {{200, kDirRight, 0}});
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const std::vector<const cTraceFrame*> play = run.PlayFrames();
  ASSERT_GE(play.size(), 150U) << run.strOutput;
  const double start = Charas(*play.front()).at(0)->dX;
  const double reach = kDemoReactRange * 16.0;
  bool reacted = false;
  for (std::size_t i = 1; i < play.size() && !reacted; ++i) {
    const cTraceObject& hero = play[i]->Player();
    const cTraceObject& chara = *Charas(*play[i]).at(0);
    if (chara.dX == start) {
      // Still waiting: the hero has not come within the range yet.
      EXPECT_GT(std::fabs(chara.dX - hero.dX), reach - 32) << play[i]->strLine;
      continue;
    }
    reacted = true;
    EXPECT_LT(chara.dX, start) << play[i]->strLine;
    EXPECT_EQ(chara.nFacing, 0) << play[i]->strLine;
  }
  EXPECT_TRUE(reacted) << play.back()->strLine;
}

TEST_F(DemoCharactersTraceTest, TheHeroTakesACoinAndShootsAnEnemyDown) {
  cStagePlan plan;
  plan.vMap = {
      "##############",
      "#............#",
      "#............#",
      "#.P.I....S...#",
      "##############",
  };
  plan.nCollisionLevel = DemoFirstStage().nCollisionLevel;
  GiveWalkAndJump(plan.Hero, 30, 6);
  plan.Hero.m_vFlow.push_back(DemoHeroShotFlow());
  plan.CharaKinds = {{'S', DemoShooter()}};
  plan.ItemKinds = {{'I', DemoCoin()}};
  // Walk right over the coin, then fire twice, half a second apart.
  const cPlayResult run = PlayPlan(plan, 240, {{30, kDirRight, 0}, {3, 0, kButton2}, {27, 0, 0}, {3, 0, kButton2},
                                               {240, 0, 0}});
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const std::vector<const cTraceFrame*> play = run.PlayFrames();
  ASSERT_GE(play.size(), 150U) << run.strOutput;
  ASSERT_NE(play.front()->Find("item"), nullptr) << play.front()->strLine;
  ASSERT_NE(play.front()->Find("chara"), nullptr) << play.front()->strLine;
  int coinGone = -1, shots = 0, enemyGone = -1;
  for (std::size_t i = 0; i < play.size(); ++i) {
    const cTraceFrame& frame = *play[i];
    if (coinGone < 0 && frame.Find("item") == nullptr) coinGone = static_cast<int>(i);
    if (enemyGone < 0 && frame.Find("chara") == nullptr) enemyGone = static_cast<int>(i);
    for (const cTraceObject& object : frame.vObjects) shots += object.strKind == "shot" ? 1 : 0;
    ASSERT_GT(frame.Player().nHp.value_or(0), 0) << frame.strLine;
  }
  EXPECT_GE(coinGone, 0);
  EXPECT_LT(coinGone, 40);
  EXPECT_GT(shots, 0);
  EXPECT_GT(enemyGone, 30);
}

}  // namespace
