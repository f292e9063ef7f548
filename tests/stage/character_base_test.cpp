#include "objects/chara_base.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "data/save/progress.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "tests/stage/object_world.h"

namespace {

class CharacterBaseTest : public ObjectWorldTest {
 protected:
  // A stage character with a 16 x 32 box at offset (8, 0) of its 32 x 32 cell.
  static void Shape(cCharaBase& chara, double x, double y, int w = 16, int h = 32) {
    chara.cGameObj::Init(chara.m_nObjId, 1, 0, 1, 0, nullptr, 0, 8, 0, w, h, 32, 32, 0, 0, 0, nullptr);
    chara.m_dX = x;
    chara.m_dY = y;
    chara.ClampX(3);
    chara.ClampY(3);
  }
};

TEST_F(CharacterBaseTest, ResetLeavesTheTablesAtTheirSizesAndZero) {
  cChara chara;
  cPaletteChara def;
  def.m_nMaxHp = 30;
  for (int i = 0; i < 2; ++i) {
    chara.Reset(&def, 10, 20, 3);
    ASSERT_EQ(chara.m_vTarget.size(), 4u);
    ASSERT_EQ(chara.m_vSwitch.size(), 27u);
    ASSERT_EQ(chara.m_vSwitchClear.size(), 27u);
    ASSERT_EQ(chara.m_vSwitchFrame.size(), 27u);
    ASSERT_EQ(chara.m_vCharaVar.size(), 9u);
    for (cCharaBase* target : chara.m_vTarget) EXPECT_EQ(target, nullptr);
    for (int v : chara.m_vCharaVar) EXPECT_EQ(v, 0);
    chara.m_vSwitch[26] = 1;
    chara.m_vCharaVar[8] = 5;
  }
  EXPECT_EQ(chara.m_nHp, 30);
  EXPECT_EQ(chara.m_nCopyIndex, 3);
  EXPECT_EQ(chara.m_nWallSide, -1);
  EXPECT_EQ(chara.m_bAirborne, 1);
}

TEST_F(CharacterBaseTest, InitLinksRegistersEachBackLinkOnce) {
  g_vPlayer.resize(1);
  cChara parent;
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  chara.InitLinks(&parent);
  chara.InitLinks(&parent);
  EXPECT_EQ(chara.m_vTarget[0], &g_vPlayer[0]);
  EXPECT_EQ(g_vPlayer[0].m_vLinkedBy.size(), 1u);
  ASSERT_EQ(parent.m_vLinkedBy.size(), 1u);
  EXPECT_EQ(parent.m_vLinkedBy[0].m_nSlot, 4);
  chara.ReleaseLinks();
  EXPECT_TRUE(g_vPlayer[0].m_vLinkedBy.empty());
  EXPECT_TRUE(parent.m_vLinkedBy.empty());
}

TEST_F(CharacterBaseTest, LandingAndCeilingSnapToTheCellRows) {
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  Shape(chara, 500, 64.7);  // bottom 95.7, inside the cell row 64..95
  chara.m_dVy = 3;
  chara.LandOnBlock();
  EXPECT_DOUBLE_EQ(chara.m_dY, 32.7);
  EXPECT_DOUBLE_EQ(chara.m_dBottom, 63.7);
  EXPECT_EQ(chara.m_dVy, 0);
  EXPECT_EQ(chara.m_bHitBottom, 1);
  EXPECT_EQ(chara.m_bAirborne, 0);

  Shape(chara, 500, 64.0);
  chara.m_dImpactVy = -2;
  chara.HitBlockAbove();
  EXPECT_EQ(chara.m_dY, 96.0);
  EXPECT_EQ(chara.m_bJumpLock, 1);
  EXPECT_EQ(chara.m_dImpactVy, 0);
  // The old ceiling rule keeps the impact.
  g_SystemData.m_bRuleBlockAbove781 = 1;
  chara.m_dImpactVy = -2;
  chara.HitBlockAbove();
  EXPECT_EQ(chara.m_dImpactVy, -2);
}

TEST_F(CharacterBaseTest, GrowingKeepsTheFeetWhereTheRuleSays) {
  const struct {
    int legacy;
    double rise;
  } cases[] = {{0, 24}, {1, 20}};  // cell 32 with box offset 8; box 20 high
  for (const auto& c : cases) {
    g_SystemData.m_bRuleChara261 = c.legacy;
    cChara chara;
    chara.Reset(nullptr, 0, 0, 0);
    Shape(chara, 500, 400, 16, 20);
    chara.m_nBaseBoxOffY = 8;
    chara.ReanchorYAfterScale(2, 1);
    EXPECT_EQ(chara.m_dY, 400 - c.rise) << c.legacy;
    chara.ReanchorYAfterScale(2, 2);
    EXPECT_EQ(chara.m_dY, 400 - c.rise) << c.legacy;
  }
}

TEST_F(CharacterBaseTest, LookupByIdMissesRemovedCharacters) {
  g_vPlayer.resize(1);
  g_vPlayer[0].m_nObjId = 0;
  for (int id = 1; id <= 2; ++id) {
    g_listChara.emplace_back();
    g_listChara.back().m_nObjId = id;
  }
  EXPECT_EQ(FindObjectById(0), &g_vPlayer[0]);
  auto second = std::next(g_listChara.begin());
  EXPECT_EQ(FindObjectById(2), &*second);
  EXPECT_EQ(EraseCharaNode(g_listChara, second), g_listChara.end());
  g_listChara.emplace_back();
  g_listChara.back().m_nObjId = 3;
  EXPECT_EQ(FindObjectById(2), nullptr);
  EXPECT_EQ(FindObjectById(3), &g_listChara.back());
}

TEST_F(CharacterBaseTest, ErasingLeavesTheGroupListAndKeepsTheOrder) {
  for (int id = 1; id <= 3; ++id) {
    g_listChara.emplace_back();
    g_listChara.back().m_nObjId = id;
    g_listChara.back().m_nLayer = 3;
    Scene().m_vGroupList[3].push_back(&g_listChara.back());
  }
  auto next = EraseCharaNode(g_listChara, std::next(g_listChara.begin()));
  ASSERT_NE(next, g_listChara.end());
  EXPECT_EQ(next->m_nObjId, 3);
  EXPECT_EQ(g_listChara.size(), 2u);
  ASSERT_EQ(Scene().m_vGroupList[3].size(), 2u);
  EXPECT_EQ(Scene().m_vGroupList[3].front()->m_nObjId, 1);
  EXPECT_EQ(Scene().m_vGroupList[3].back()->m_nObjId, 3);
}

TEST_F(CharacterBaseTest, ReleaseLinksClearsBothSidesOfEveryLink) {
  cChara a;
  cChara b;
  cChara c;
  for (cChara* chara : {&a, &b, &c}) chara->Reset(nullptr, 0, 0, 0);
  cShot shot;
  a.m_vTarget[2] = &b;
  b.m_vLinkedBy.push_back({&a, 2});
  c.m_pParent = &b;
  b.m_vLinkedBy.push_back({&c, 4});
  b.m_vTarget[0] = &a;
  a.m_vLinkedBy.push_back({&b, 0});
  b.m_pParent = &c;
  c.m_vLinkedBy.push_back({&b, 4});
  shot.m_pTarget = &b;
  shot.m_pOwner = &b;
  b.m_vShotLinkedBy.push_back({&shot, 0});
  b.m_vShotLinkedBy.push_back({&shot, 4});

  b.ReleaseLinks();
  EXPECT_EQ(a.m_vTarget[2], nullptr);
  EXPECT_EQ(c.m_pParent, nullptr);
  EXPECT_TRUE(a.m_vLinkedBy.empty());
  EXPECT_TRUE(c.m_vLinkedBy.empty());
  EXPECT_EQ(b.m_vTarget[0], nullptr);
  EXPECT_EQ(b.m_pParent, nullptr);
  EXPECT_EQ(shot.m_pTarget, nullptr);
  EXPECT_EQ(shot.m_pOwner, nullptr);
  EXPECT_TRUE(b.m_vLinkedBy.empty());
  EXPECT_TRUE(b.m_vShotLinkedBy.empty());
}

TEST_F(CharacterBaseTest, ShotLeavesItsBackLinksWhenItGoes) {
  cChara owner;
  owner.Reset(nullptr, 0, 0, 0);
  {
    cShot shot;
    shot.m_pOwner = &owner;
    owner.m_vShotLinkedBy.push_back({&shot, 4});
  }
  EXPECT_TRUE(owner.m_vShotLinkedBy.empty());
}

TEST_F(CharacterBaseTest, InvincibilityRunsPerSubStepAndPerAttacker) {
  SetLevel(2);
  g_StageData.m_nCharaInvincible = 2;
  g_StageData.m_nCharaKeyedInvincible = 5;
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  chara.m_nKind = 1;
  chara.StartInvincibilityFor(7);
  EXPECT_EQ(chara.m_nInvincible, 4);
  for (int i = 0; i < 4; ++i) chara.TickInvincibility();
  EXPECT_FALSE(chara.IsInvincible());
  EXPECT_FALSE(chara.IsInvincibleTo(8));
  EXPECT_TRUE(chara.IsInvincibleTo(7));
  for (int i = 0; i < 6; ++i) chara.TickInvincibility();
  EXPECT_FALSE(chara.IsInvincibleTo(7));
  EXPECT_TRUE(chara.m_lstInvincibleKey.empty());
  for (int i = 0; i < 3; ++i) chara.TickInvincibility();
  EXPECT_EQ(chara.m_nInvincible, 0);
}

TEST_F(CharacterBaseTest, StageCharacterHeldAtTheWorldEdgeReportsFour) {
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  Shape(chara, 2, 400);
  chara.m_dCmdVx = -5;
  chara.m_bFrictionX = 0;
  EXPECT_EQ(chara.StepX(), 4);
  EXPECT_EQ(chara.m_dX, 0);
}

TEST_F(CharacterBaseTest, AppearGroupsAndScreenRanges) {
  // The view shows x 320..959: a character at 500 is on screen, at 1100 it is not.
  auto make = [&](double x, int group, int inGroup, int range) {
    g_listChara.emplace_back();
    cChara& chara = g_listChara.back();
    chara.Reset(nullptr, 0, 0, 0);
    chara.m_Def.m_nActiveGroup = static_cast<std::int16_t>(group);
    chara.m_Def.m_bInGroup = static_cast<std::int8_t>(inGroup);
    chara.m_bRangeIgnoreX = chara.m_bRangeIgnoreY = range;
    Shape(chara, x, 400);
    chara.m_bNoGravity = 1;  // a flying character stays out unless in range or group
    return &chara;
  };
  cChara* offScreenFirst = make(1100, 5, 1, 0);
  cChara* onScreen = make(500, 5, 1, 0);
  cChara* alone = make(1100, 6, 1, 0);
  cChara* wholeRange = make(1100, 0, 0, 1);
  cChara* badGroup = make(1100, 60, 1, 0);
  cChara* badGroupOnScreen = make(500, -1, 1, 0);
  std::vector<std::int8_t>& table = Scene().m_vAppearSwitch;
  table.assign(60, 0);
  for (cChara& chara : g_listChara) chara.UpdateActive(table);
  EXPECT_EQ(table[5], 1);
  EXPECT_EQ(table[6], 0);
  EXPECT_EQ(offScreenFirst->CheckAppear(table), 1);
  EXPECT_EQ(onScreen->CheckAppear(table), 1);
  EXPECT_EQ(alone->CheckAppear(table), 0);
  EXPECT_EQ(wholeRange->CheckAppear(table), 1);
  // Appear groups outside the table belong to no group: nothing is read or marked.
  EXPECT_EQ(badGroup->CheckAppear(table), 0);
  EXPECT_EQ(badGroupOnScreen->CheckAppear(table), 1);
  EXPECT_EQ(offScreenFirst->m_bAppeared, 1);
}

TEST_F(CharacterBaseTest, WalkingCharacterInMidAirStaysInPlay) {
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  Shape(chara, 1100, 400);
  std::vector<std::int8_t> table(60, 0);
  chara.UpdateActive(table);
  EXPECT_EQ(chara.CheckAppear(table), 0);
  chara.m_bJumping = 1;
  EXPECT_EQ(chara.CheckAppear(table), 1);
  chara.m_bJumping = 0;
  chara.m_bAirborne = 1;
  EXPECT_EQ(chara.CheckAppear(table), 1);  // it has appeared and is in the air
  chara.m_bAirborne = 0;
  EXPECT_EQ(chara.CheckAppear(table), 0);
}

TEST_F(CharacterBaseTest, CarriedItemIconBlinksOnVisibleCallsOnly) {
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  chara.m_Item.m_bCarried = 1;
  chara.m_bOnScreen = 0;
  chara.DrawCarriedItemIcon(nullptr);
  EXPECT_EQ(chara.m_nItemIconBlink, 0);
  chara.m_bOnScreen = 1;
  for (int i = 0; i < 63; ++i) chara.DrawCarriedItemIcon(nullptr);
  EXPECT_EQ(chara.m_nItemIconBlink, 63);
  for (int i = 0; i < 33; ++i) chara.DrawCarriedItemIcon(nullptr);
  EXPECT_EQ(chara.m_nItemIconBlink, 0);
}

TEST_F(CharacterBaseTest, HpChangesRespectInvincibilityAndTheMaximum) {
  const struct {
    int invincible;
    int maxHp;
    int hp;
    int delta;
    int ignoreStatus;
    int hpAfter;
    int result;
    int gaugeFrames;
  } cases[] = {
      {0, 100, 50, -20, 0, 30, 0, 120}, {0, 100, 50, -80, 0, 0, 1, 0},   {1, 100, 50, -20, 0, 50, 0, 0},
      {1, 100, 50, -20, 1, 30, 0, 120}, {2, 100, 50, 80, 0, 100, 0, 120}, {0, 100, 50, 0, 0, 50, 0, 0},
      {0, 100, 50, -2147483647 - 1, 0, 0, 1, 0},
  };
  for (const auto& c : cases) {
    cChara chara;
    chara.m_Def.m_nInvincible = static_cast<std::int8_t>(c.invincible);
    chara.m_Def.m_nMaxHp = c.maxHp;
    chara.m_nHp = c.hp;
    EXPECT_EQ(chara.AddHp(c.delta, c.ignoreStatus, 1), c.result) << c.delta;
    EXPECT_EQ(chara.m_nHp, c.hpAfter) << c.delta;
    EXPECT_EQ(chara.m_HpGauge.m_nFrames, c.gaugeFrames) << c.delta;
  }
  cChara chara;
  chara.m_Def.m_nMaxHp = 100;
  chara.m_nHp = 50;
  chara.AddHp(80, 0, 1);  // the gain is cut to the 50 missing
  EXPECT_EQ(chara.m_HpGauge.m_nLength, 50);
  EXPECT_DOUBLE_EQ(chara.m_HpGauge.m_dSegment, 25);
  EXPECT_DOUBLE_EQ(chara.m_HpGauge.m_dShrink, 25 * 0.016666666666666666);
}

// A maximum of 0 has no bar: nothing is divided by it.
TEST_F(CharacterBaseTest, SpWithoutMaximumShowsNoGauge) {
  cChara chara;
  chara.m_Def.m_nMaxSp = 0;
  EXPECT_EQ(chara.AddSp(5, 1), 1);
  EXPECT_EQ(chara.m_nSp, 0);
  EXPECT_EQ(chara.m_SpGauge.m_nFrames, 0);
  chara.m_nHp = 3;
  chara.m_Def.m_nMaxHp = 0;
  chara.StartHpGauge(4);
  EXPECT_EQ(chara.m_HpGauge.m_nFrames, 0);
  chara.m_Def.m_nMaxSp = 10;
  chara.m_nSp = 10;
  EXPECT_EQ(chara.AddSp(-10, 1), 0);
  EXPECT_EQ(chara.m_SpGauge.m_nFrames, 120);  // also when SP has just reached 0
}

TEST_F(CharacterBaseTest, DefeatScoresReleasesAndStartsDyingUnlessTheStageIsCleared) {
  g_vPlayer.resize(1);
  g_Progress.m_nStageScore = 999990;
  cChara chara;
  chara.Reset(nullptr, 0, 0, 0);
  chara.m_Def.m_nScore = 50;
  chara.InitLinks(nullptr);
  Scene().m_nCmdResult = 1;
  EXPECT_EQ(chara.Defeat(), 1);
  EXPECT_EQ(chara.m_bDying, 0);
  EXPECT_EQ(g_Progress.m_nStageScore, 999999);
  EXPECT_EQ(g_vPlayer[0].m_vLinkedBy.size(), 1u);
  Scene().m_nCmdResult = 0;
  EXPECT_EQ(chara.Defeat(), 0);
  EXPECT_EQ(chara.m_bDying, 1);
  EXPECT_TRUE(g_vPlayer[0].m_vLinkedBy.empty());
  g_Progress.m_nStageScore = 0;
}

}  // namespace
