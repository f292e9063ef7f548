// Deaths: the death check after flows killed characters, the defeat of a hero among the
// stage characters, and the walks over the character list while died flows summon and
// erase.
#include <gtest/gtest.h>

#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/flow/shot_block.h"
#include "data/palette/palette.h"
#include "objects/move_support.h"
#include "stage/list_walk.h"
#include "tests/stage/hits_fixture.h"

namespace {

using DeathsTest = HitsTest;

TEST_F(DeathsTest, DeathCheckErasesTheKilledAndTheVanished) {
  struct Case {
    const char* what;
    std::int32_t remove, hp, keepDefeated;
    bool expectStays, expectDying;
  } const cases[] = {
      {"vanished", 1, 10, 0, false, false},
      {"killed", 0, 0, 0, false, false},
      {"killed, kept for its defeat animation", 0, 0, 1, true, true},
      {"alive", 0, 5, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    g_SystemData.m_bRuleDefeat272 = c.keepDefeated;
    g_StageData.m_vCharaPlace.push_back(Enemy(1));
    Start();
    CharaAt(0).m_bRemove = c.remove;
    CharaAt(0).m_nHp = c.hp;
    EXPECT_EQ(m_pScene->CheckDeaths(), STEP_CONTINUE);
    ASSERT_EQ(!g_listChara.empty(), c.expectStays);
    if (c.expectStays) {
      EXPECT_EQ(CharaAt(0).m_bDying, c.expectDying ? 1 : 0);
    }
    EXPECT_EQ(m_pScene->m_vGroupList[1].size(), c.expectStays ? 1U : 0U);
  }
}

TEST_F(DeathsTest, AHeroAmongTheCharactersTakesThePlayerWithIt) {
  g_StageData.m_vCharaPlace.push_back(Enemy(1));
  Start();
  CharaAt(0).m_nKind = 0;
  CharaAt(0).m_nHp = 0;
  EXPECT_EQ(m_pScene->CheckDeaths(), 1);
  EXPECT_EQ(Hero().m_bDying, 1);
  // The player without HP ends the check before any character.
  TearDown();
  SetUp();
  g_StageData.m_vCharaPlace.push_back(Enemy(1));
  Start();
  Hero().m_nHp = 0;
  CharaAt(0).m_bRemove = 1;
  EXPECT_EQ(m_pScene->CheckDeaths(), 1);
  EXPECT_EQ(g_listChara.size(), 1U);
}

// A hero among the stage characters stands on cell (8, 10) with a block deadly to heroes
// on cell (9, 10); a block character reaching into its left side pushes it right. A push
// that ends inside the block kills it, and the player with it; one that stops short does
// not.
TEST_F(DeathsTest, AHeroPushedIntoADeadlyBlockByABlockCharacterDies) {
  struct Case {
    const char* what;
    double intoBlock;  // the pushed right edge, in dots past the block's first column
    std::int32_t expectEnd;
    int expectPlayerDying;
  } const cases[] = {
      {"pushed into the block", 3, 1, 1},
      {"pushed to short of it", -4, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    cPaletteChara walker = Enemy(1, 8);
    walker.m_nCellY = 10;
    cPaletteChara pusher = Enemy(1, 6);
    pusher.m_nCellY = 10;
    pusher.m_bBlockChara = 1;
    g_StageData.m_vCharaPlace.push_back(walker);
    g_StageData.m_vCharaPlace.push_back(pusher);
    cPaletteBlock deadly;
    deadly.m_nGraphic = 1;
    deadly.m_nHit = 2;
    deadly.m_nCellX = 9;
    deadly.m_nCellY = 10;
    g_StageData.m_vBlockPlace.push_back(deadly);
    Start();
    ASSERT_EQ(g_listChara.size(), 2U);
    cChara& hero = CharaAt(0);
    cChara& block = CharaAt(1);
    ASSERT_EQ(block.m_Def.m_bBlockChara, 1);
    hero.m_nKind = 0;
    // Where the push puts the hero: its left edge 1.5 dots right of the block character.
    const double blockLeft = (9 + 10) * 32;
    const double pushedX = blockLeft + c.intoBlock - (hero.m_nBoxW - 1);
    ASSERT_GT(pushedX, hero.m_dX);
    block.m_dX = pushedX - 1.5 - (block.m_nBoxW - 1);
    block.ConstrainX();
    ASSERT_GE(block.m_dRight, hero.m_dX);
    block.SavePosition();
    hero.SavePosition();
    m_pScene->UpdateActive();
    EXPECT_EQ(m_pScene->StepCharas(), c.expectEnd);
    EXPECT_EQ(Hero().m_bDying, c.expectPlayerDying);
    if (c.expectEnd == 0) {
      EXPECT_DOUBLE_EQ(hero.m_dX, pushedX);
    }
  }
}

TEST_F(DeathsTest, ADiedFlowThatSummonsIsFollowedByItsSummons) {
  // The entry summons, when it dies, one character without HP; that one is visited later
  // in the same check and dies too.
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_SUMMON_CHARA;
  cmd.m_nTime = 10;
  CreateEdShot(cmd.m_pShot);
  cmd.m_pShot->m_nFormation = SHOTFORM_STRAIGHT_A;
  cmd.m_pShot->m_nCount = 1;
  cmd.m_pShot->m_nDir = MOVEDIR_RIGHT;
  cmd.m_pShot->m_nSummonPalette = 0;
  cmd.m_pShot->m_nSummonIndex = 1;
  cFlow died;
  died.m_nTrigger = FLOWTRIG_DIED;
  died.m_vCmd = {cmd};
  const cPalette saved = g_CommonPalette;
  g_CommonPalette.m_vChara.resize(2);
  g_CommonPalette.m_vChara[1].m_nController = CHARACTRL_COMPUTER;
  g_CommonPalette.m_vChara[1].m_nSide = 1;
  g_CommonPalette.m_vChara[1].m_nMaxHp = 0;
  cPaletteChara summoner = Enemy(1);
  summoner.m_vFlow = std::vector<cFlow>{died};
  g_StageData.m_vCharaPlace.push_back(summoner);
  Start();
  CharaAt(0).m_nHp = 0;
  const std::int32_t nextId = m_pScene->m_nNextCharaId;
  EXPECT_EQ(m_pScene->CheckDeaths(), STEP_CONTINUE);
  // The summon happened, and both are gone.
  EXPECT_EQ(m_pScene->m_nNextCharaId, nextId + 1);
  EXPECT_TRUE(g_listChara.empty());
  EXPECT_TRUE(m_pScene->m_vGroupList[1].empty());
  g_CommonPalette = saved;
}

TEST(ListWalkTest, ErasuresAndAppendsDuringAWalk) {
  // Visiting 1 appends 5 and erases itself and 2; visiting 3 erases 4; nested walks on
  // the same list move as well.
  std::list<int> list = {1, 2, 3, 4};
  std::vector<int> visited;
  const auto erase = [&list](int value) {
    for (auto it = list.begin(); it != list.end(); ++it) {
      if (*it != value) continue;
      cListWalk<int>::Erasing(list, it);
      list.erase(it);
      return;
    }
  };
  for (cListWalk<int> walk(list); !walk.AtEnd(); walk.Next()) {
    const int value = walk.Current();
    visited.push_back(value);
    if (value == 1) {
      list.push_back(5);
      cListWalk<int> inner(list, std::next(list.begin()));
      erase(2);
      EXPECT_TRUE(inner.Gone());
      EXPECT_EQ(inner.Current(), 3);
      erase(1);
      EXPECT_TRUE(walk.Gone());
    }
    if (value == 3) erase(4);
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(list, (std::list<int>{3, 5}));
}

}  // namespace
