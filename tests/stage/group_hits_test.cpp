// Hits between groups: body attacks, shots against characters, shots erasing shots, the
// early returns that end the play, and the items that shots carry.
#include <gtest/gtest.h>

#include "data/palette/palette.h"
#include "data/palette/palette_item.h"
#include "tests/stage/hits_fixture.h"

namespace {

using GroupHitsTest = HitsTest;

TEST_F(GroupHitsTest, BodyAttacksBetweenGroups) {
  struct Case {
    const char* what;
    int sideB;
    int powerA, powerB;
    int blockB;
    bool invincibleToA;
    double bLeft;  // A's area is at 400..415
    int expectHpA, expectHpB;
  } const cases[] = {
      {"A hits B", 2, 3, 0, 0, false, 410, 10, 7},
      {"both hit", 2, 3, 4, 0, false, 410, 6, 7},
      {"touching edges overlap", 2, 3, 0, 0, false, 415, 10, 7},
      {"apart", 2, 3, 0, 0, false, 416, 10, 10},
      {"same group", 1, 3, 4, 0, false, 410, 10, 10},
      {"block character", 2, 3, 4, 1, false, 410, 10, 10},
      {"B invincible to A; A still hit", 2, 3, 4, 0, true, 410, 6, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    cPaletteChara a = Enemy(1);
    a.m_nBodyPower = c.powerA;
    cPaletteChara b = Enemy(c.sideB, 9);
    b.m_nBodyPower = c.powerB;
    b.m_bBlockChara = static_cast<std::int8_t>(c.blockB);
    g_StageData.m_vCharaPlace.push_back(a);
    g_StageData.m_vCharaPlace.push_back(b);
    Start();
    cChara& ca = CharaAt(0);
    cChara& cb = CharaAt(1);
    PutAt(Hero(), 100, 100);
    PutAt(ca, 400, 300);
    PutAt(cb, c.bLeft, 300);
    if (c.invincibleToA) cb.m_lstInvincibleKey.push_back(cInvincibleKey{ca.m_nObjId, 100});
    EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
    // Each side is then invincible to the other: a second pass changes nothing.
    EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
    EXPECT_EQ(ca.m_nHp, c.expectHpA);
    EXPECT_EQ(cb.m_nHp, c.expectHpB);
  }
}

TEST_F(GroupHitsTest, ShotsAgainstCharacters) {
  struct Case {
    const char* what;
    int flying, pierce, power;
    int harmlessOnlyTrigger, invincibleMode, shotSide;
    int expectHp;
    bool expectShotStays;
    std::size_t expectHitList;
  } const cases[] = {
      {"a spent shot goes from the shot list too", 1, 0, 2, 0, 0, 2, 8, false, 0},
      {"a piercing shot hits once in its life", 1, 1, 2, 0, 0, 2, 8, true, 1},
      {"a sword hits once in its life", 0, 0, 2, 0, 0, 2, 8, true, 1},
      {"harmless, only triggers: never listed or spent", 1, 0, 0, 1, 0, 2, 10, true, 0},
      {"harmless, damage applies: spent", 1, 0, 0, 0, 0, 2, 10, false, 0},
      {"shots pass the character", 1, 0, 2, 0, 2, 2, 10, true, 0},
      {"shots hit an invincible character, HP kept", 1, 0, 2, 0, 1, 2, 10, false, 0},
      {"own group", 1, 0, 2, 0, 0, 1, 10, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    g_SystemData.m_bRuleHitGroups763b = c.harmlessOnlyTrigger;
    cPaletteChara e = Enemy(1);
    e.m_nInvincible = static_cast<std::int8_t>(c.invincibleMode);
    g_StageData.m_vCharaPlace.push_back(e);
    Start();
    cChara& target = CharaAt(0);
    PutAt(Hero(), 100, 100);
    PutAt(target, 400, 300);
    cShot& shot = AddTestShot(c.shotSide, 405, 305, c.power);
    shot.m_bFlying = c.flying;
    shot.m_EdShot.m_bPierceChara = static_cast<std::int8_t>(c.pierce);
    for (int pass = 0; pass < 2; ++pass) EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
    EXPECT_EQ(target.m_nHp, c.expectHp);
    const bool stays = !m_pScene->m_lstShot.empty();
    EXPECT_EQ(stays, c.expectShotStays);
    EXPECT_EQ(m_pScene->m_vGroupShotList[static_cast<std::size_t>(c.shotSide)].size(), stays ? 1U : 0U);
    if (stays) {
      EXPECT_EQ(m_pScene->m_lstShot.front().m_lstHit.size(), c.expectHitList);
    }
    EXPECT_EQ(m_pScene->m_bShotHitPass, 0);
  }
}

// A shot that hurts without defeating leaves its victim invincible for the stage's time of
// its kind (frames x 2 sub-steps): a second shot waiting on it hits only in the sub-step
// whose tick ends that time.
TEST_F(GroupHitsTest, AShotThatDoesNotDefeatLeavesItsVictimInvincibleForItsTime) {
  struct Case {
    const char* what;
    bool hero;
    int steps;  // sub-steps of invincibility
  } const cases[] = {{"the hero", true, 3 * 2}, {"a computer character", false, 2 * 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    g_StageData.m_nPlayerInvincible = 3;
    g_StageData.m_nCharaInvincible = 2;
    g_StageData.m_vCharaPlace.push_back(Enemy(2));
    Start();
    cCharaBase& victim = c.hero ? static_cast<cCharaBase&>(Hero()) : CharaAt(0);
    cCharaBase& other = c.hero ? static_cast<cCharaBase&>(CharaAt(0)) : Hero();
    victim.m_nHp = 10;
    PutAt(victim, 400, 300);
    PutAt(other, 100, 100);
    AddTestShot(1, 400, 300, 2);
    ASSERT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
    ASSERT_EQ(victim.m_nHp, 8);
    ASSERT_TRUE(m_pScene->m_lstShot.empty());  // the first shot is spent
    AddTestShot(1, 400, 300, 2);
    for (int step = 1; step <= c.steps; ++step) {
      victim.TickInvincibility();
      ASSERT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
      EXPECT_EQ(victim.m_nHp, step < c.steps ? 8 : 6) << "sub-step " << step;
    }
  }
}

TEST_F(GroupHitsTest, APiercingShotHitsACharacterMadeWhereOneItHitWasRemoved) {
  g_StageData.m_vCharaPlace.push_back(Enemy(2));
  Start();
  PutAt(Hero(), 100, 100);
  PutAt(CharaAt(0), 400, 300);
  cShot& shot = AddTestShot(1, 400, 300, 2);
  shot.m_EdShot.m_bPierceChara = 1;
  ASSERT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  ASSERT_EQ(CharaAt(0).m_nHp, 8);
  // The character leaves; a new one is made in its place (the list's freed node usually
  // comes back for it, at the same address).
  const void* const oldAddress = &CharaAt(0);
  std::list<cGameObj*>& group = m_pScene->m_vGroupList[2];
  group.remove(&CharaAt(0));
  g_listChara.clear();
  m_pScene->PlaceChara(g_listChara, 8, 5, &m_pScene->m_nNextCharaId, Enemy(2), nullptr);
  ASSERT_EQ(g_listChara.size(), 1U);
  cChara& newcomer = CharaAt(0);
  newcomer.m_bActive = 1;  // as the play step would make it, in view
  newcomer.m_bOnScreen = 1;
  group.push_back(&newcomer);
  PutAt(newcomer, 400, 300);
  ASSERT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  EXPECT_EQ(newcomer.m_nHp, 8) << (&newcomer == oldAddress ? "at the removed character's address" : "elsewhere");
  // And each only once.
  ASSERT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  EXPECT_EQ(newcomer.m_nHp, 8);
  EXPECT_EQ(shot.m_lstHit.size(), 2U);
}

TEST_F(GroupHitsTest, APlayerDefeatEndsThePassAtOnce) {
  g_StageData.m_vCharaPlace.push_back(Enemy(2));
  Start();
  cChara& later = CharaAt(0);
  PutAt(Hero(), 400, 300);
  PutAt(later, 400, 300);
  Hero().m_nHp = 5;
  // Group 0 (the hero) comes before group 2: the pass ends before it reaches the enemy.
  AddTestShot(1, 400, 300, 20);
  EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_DEFEAT);
  EXPECT_EQ(Hero().m_nHp, 0);
  EXPECT_EQ(later.m_nHp, 10);
  EXPECT_EQ(m_pScene->m_bShotHitPass, 0);
}

TEST_F(GroupHitsTest, ADefeatedCharacterDiesAndThePassGoesOn) {
  g_StageData.m_vCharaPlace.push_back(Enemy(2));
  g_StageData.m_vCharaPlace.push_back(Enemy(2, 9));
  Start();
  PutAt(Hero(), 100, 100);
  PutAt(CharaAt(0), 400, 300);
  PutAt(CharaAt(1), 400, 300);
  cShot& shot = AddTestShot(1, 400, 300, 20);
  shot.m_EdShot.m_bPierceChara = 1;
  EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  EXPECT_EQ(CharaAt(0).m_bDying, 1);
  EXPECT_EQ(CharaAt(1).m_bDying, 1);
}

TEST_F(GroupHitsTest, ErasableShotsEraseEachOther) {
  struct Case {
    int erasableX, durabilityX, erasableY, durabilityY;
    bool expectX, expectY;  // still there
  } const cases[] = {
      {1, 3, 1, 3, false, false},  // equal durability: both go
      {1, 2, 1, 3, false, true},
      {1, 4, 1, 3, true, false},
      {1, 9, 0, 1, false, true},   // only the erasable one goes
      {0, 1, 1, 9, true, false},
      {0, 1, 0, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.erasableX << "/" << c.durabilityX << " " << c.erasableY << "/" << c.durabilityY);
    TearDown();
    SetUp();
    Start();
    PutAt(Hero(), 100, 100);
    cShot& x = AddTestShot(1, 400, 300, 0);
    cShot& y = AddTestShot(3, 410, 310, 0);
    x.m_EdShot.m_bErasable = static_cast<std::int8_t>(c.erasableX);
    x.m_EdShot.m_nVanish = static_cast<std::int8_t>(c.durabilityX);
    y.m_EdShot.m_bErasable = static_cast<std::int8_t>(c.erasableY);
    y.m_EdShot.m_nVanish = static_cast<std::int8_t>(c.durabilityY);
    const std::int32_t xId = x.m_nObjId;
    const std::int32_t yId = y.m_nObjId;
    EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
    const auto has = [&](std::int32_t id) {
      return std::any_of(m_pScene->m_lstShot.begin(), m_pScene->m_lstShot.end(),
                         [id](const cShot& s) { return s.m_nObjId == id; });
    };
    EXPECT_EQ(has(xId), c.expectX);
    EXPECT_EQ(has(yId), c.expectY);
    EXPECT_EQ(m_pScene->m_vGroupShotList[1].size(), c.expectX ? 1U : 0U);
    EXPECT_EQ(m_pScene->m_vGroupShotList[3].size(), c.expectY ? 1U : 0U);
  }
}

TEST_F(GroupHitsTest, AShotCarryingAnItemGivesItToThePlayer) {
  cPaletteItem given;
  given.m_nGraphic = 1;
  given.m_vItemCmd = std::vector<cFlowCmd>{ItemCommand(ITEMCMD_CHANGE_FLOW)};
  const std::vector<cPaletteItem> savedCommon = g_CommonPalette.m_vItem;
  g_CommonPalette.m_vItem = {given};
  g_StageData.m_vCharaPlace.push_back(Enemy(2));
  Start();
  PutAt(Hero(), 100, 100);
  PutAt(CharaAt(0), 400, 300);
  const std::size_t flows = Hero().m_vFlowRun.size();
  // The item acts although the temporary item is never placed on the stage.
  cShot& shot = AddTestShot(1, 400, 300, 0);
  shot.m_EdShot.m_nItemPalette = PALETTE_COMMON;
  shot.m_EdShot.m_nItemIndex = 0;
  EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  EXPECT_EQ(Hero().m_vFlowRun.size(), flows + 1);
  // An index without a definition gives nothing.
  cShot& missing = AddTestShot(1, 400, 300, 0);
  missing.m_EdShot.m_nItemPalette = PALETTE_COMMON;
  missing.m_EdShot.m_nItemIndex = 5;
  EXPECT_EQ(m_pScene->HitGroups(g_listChara), STEP_CONTINUE);
  EXPECT_EQ(Hero().m_vFlowRun.size(), flows + 1);
  g_CommonPalette.m_vItem = savedCommon;
}

}  // namespace
