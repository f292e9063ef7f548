// Hits taken by characters: the damage of body attacks and shots against the defence, the
// invincible modes and the HP bar, the triggers a hit fires on the victim and on whoever is
// credited with it, the invincibility that follows, and the defeat.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/save/progress.h"
#include "data/palette/palette_item.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/shot.h"
#include "tests/stage/object_world.h"

namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

class DamageTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    g_Progress.m_Vars.assign(1001, 0);
    g_Progress.m_nStageScore = 0;
    g_vPlayer.resize(1);
    g_vPlayer[0].Reset(nullptr, 0, 0, 0);
  }
  void TearDown() override {
    g_Progress.m_nStageScore = 0;
    ObjectWorldTest::TearDown();
  }

  // A computer character of the stage list with its tables sized and the given flows.
  static cChara& Make(std::vector<cFlow> flows = {}) {
    cChara& chara = g_listChara.emplace_back();
    chara.Reset(nullptr, 0, 0, 0);
    chara.m_nKind = 1;
    chara.m_nObjId = static_cast<std::int32_t>(g_listChara.size());
    chara.m_Def.m_vFlow = std::move(flows);
    chara.SetFlows(chara.m_Def.m_vFlow.Edit(), 0, -1);
    return chara;
  }

  // A flow of one trigger kind and flow ID with no commands: it shows that it was
  // started, and with bTarget it puts the other party into target slot 1.
  static cFlow Flow(int trigger, int id = 0, bool bTarget = false) {
    cFlow flow;
    flow.m_nTrigger = static_cast<std::int8_t>(trigger);
    flow.m_nID = static_cast<std::int8_t>(id);
    flow.m_bTriggerTarget = bTarget ? 1 : 0;
    flow.m_nTriggerSlot = 1;
    return flow;
  }

  static cFlow CodeFlow(int trigger, const std::string& text) {
    cFlowCmd cmd;
    cmd.m_nKind = FLOWCMD_CODE;
    cmd.m_sText = text;
    cFlow flow = Flow(trigger);
    flow.m_vCmd = std::vector<cFlowCmd>{cmd};
    return flow;
  }

  static bool Started(const cCharaBase& chara, std::size_t flow) { return chara.m_vFlowRun.at(flow).m_bRunning != 0; }
};

TEST_F(DamageTest, BodyAttackPowerAgainstDefenceAndInvincibleModes) {
  struct Case {
    std::int32_t power, defence;
    int invincible;
    std::int32_t hp, maxHp;
    std::int32_t hpAfter, result, gaugeFrames;
  };
  const Case cases[] = {
      {30, 10, 0, 50, 100, 30, 0, 120},
      {50, 80, 0, 50, 100, 50, 0, 0},           // less than the defence: nothing lost, no bar
      {60, 10, 0, 50, 100, 0, 1, 0},            // HP reaches 0: no bar
      {40, 0, 1, 50, 100, 50, 0, 0},            // an invincible mode blocks the loss
      {40, 0, 2, 50, 100, 50, 0, 0},
      {-20, 0, 1, 50, 100, 70, 0, 120},         // a negative power heals, also when invincible
      {-80, 500, 0, 50, 100, 100, 0, 120},      // capped at the maximum; no defence against healing
      {0, 0, 0, 50, 100, 50, 0, 0},
      {2000000, 0, 0, 1500000, 2000000, 500001, 0, 120},  // a hit takes at most 999999
      {100, kIntMin, 0, 50, 100, 0, 1, 0},      // power less a hostile defence stays bounded
      {kIntMin, 0, 0, 50, 100, 100, 0, 120},    // the most negative power heals without overflow
      {kIntMax, kIntMax, 0, 50, 100, 50, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.power) + " vs " + std::to_string(c.defence));
    cChara& victim = Make();
    victim.m_Def.m_nDefence = c.defence;
    victim.m_Def.m_nInvincible = static_cast<std::int8_t>(c.invincible);
    victim.m_Def.m_nMaxHp = c.maxHp;
    victim.m_nHp = c.hp;
    cChara& attacker = Make();
    attacker.m_Def.m_nBodyPower = c.power;
    attacker.m_Def.m_nBodyImpact = 2;
    attacker.m_dVx = 1;
    EXPECT_EQ(victim.TakeCharaDamage(attacker), c.result);
    EXPECT_EQ(victim.m_nHp, c.hpAfter);
    EXPECT_EQ(victim.m_HpGauge.m_nFrames, c.gaugeFrames);
    // The impact comes whatever the damage was: pushed the way the attacker moves.
    EXPECT_GT(victim.m_dImpactVx, 0);
    g_listChara.clear();
  }
}

TEST_F(DamageTest, ShotPowerAndImpactFromItsOwnBlock) {
  struct Case {
    std::int32_t power;
    std::int8_t impact;
    std::int32_t defence;
    std::int32_t hpAfter, result;
    bool pushed;
  };
  const Case cases[] = {
      {25, 0, 5, 30, 0, false},
      {5, 3, 5, 50, 0, true},   // the defence takes it all; the impact still pushes
      {60, 0, 0, 0, 1, false},
      {-30, 0, 0, 80, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.power);
    cChara& victim = Make();
    victim.m_Def.m_nDefence = c.defence;
    victim.m_Def.m_nMaxHp = 80;
    victim.m_nHp = 50;
    cShot shot;
    shot.m_EdShot.m_nPower = c.power;
    shot.m_EdShot.m_nImpact = c.impact;
    shot.m_nImpactPower = c.impact;
    shot.m_bFlying = 1;
    shot.m_dVx = -2;
    EXPECT_EQ(victim.TakeShotDamage(shot), c.result);
    EXPECT_EQ(victim.m_nHp, c.hpAfter);
    EXPECT_EQ(victim.m_dImpactVx < 0, c.pushed);
    g_listChara.clear();
  }
}

// Flows of the victim: 0 damaged, 1 impacted (both put the other party into slot 1). Of
// the parent: 2 attack-damage, 3 attack-impact of flow ID 4, 4 attack-damage of flow ID 5.
TEST_F(DamageTest, HitTriggersReachTheVictimAndTheCreditedParent) {
  struct Case {
    const char* what;
    std::int32_t power;
    std::int8_t impact;
    bool hasParent, credit;
    std::uint8_t group;
    bool damaged, impacted;
    bool otherIsParent;
    bool parentDamage, parentImpact, parentDamageOtherId;
  };
  const Case cases[] = {
      {"power only", 10, 0, false, false, 0, true, false, false, false, false, false},
      {"impact only", 0, 3, false, false, 0, false, true, false, false, false, false},
      {"neither", 0, 0, true, true, 0, false, false, false, false, false, false},
      {"uncredited parent", 10, 3, true, false, 0, true, true, false, false, false, false},
      {"credited, all groups", 10, 3, true, true, 0, true, true, true, true, true, true},
      {"credited, group 4", 10, 3, true, true, 4, true, true, true, true, true, false},
      {"credited, group 5, no impact", 10, 0, true, true, 5, true, false, true, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cChara& victim = Make({Flow(FLOWTRIG_DAMAGED, 0, true), Flow(FLOWTRIG_IMPACTED, 0, true)});
    cChara& parent = Make({Flow(FLOWTRIG_DAMAGED), Flow(FLOWTRIG_IMPACTED), Flow(FLOWTRIG_ATTACK_DAMAGE, 4),
                           Flow(FLOWTRIG_ATTACK_IMPACT, 4), Flow(FLOWTRIG_ATTACK_DAMAGE, 5)});
    cChara& attacker = Make();
    attacker.m_Def.m_nBodyPower = c.power;
    attacker.m_Def.m_nBodyImpact = c.impact;
    if (c.hasParent) attacker.InitLinks(&parent);
    attacker.m_bCreditParent = c.credit ? 1 : 0;
    attacker.m_nCreditGroup = c.group;
    victim.FireCharaHitTriggers(attacker);
    EXPECT_EQ(Started(victim, 0), c.damaged);
    EXPECT_EQ(Started(victim, 1), c.impacted);
    if (c.damaged || c.impacted) {
      EXPECT_EQ(victim.m_vTarget[1], c.otherIsParent ? static_cast<cCharaBase*>(&parent) : &attacker);
    }
    EXPECT_FALSE(Started(parent, 0));
    EXPECT_FALSE(Started(parent, 1));
    EXPECT_EQ(Started(parent, 2), c.parentDamage);
    EXPECT_EQ(Started(parent, 3), c.parentImpact);
    EXPECT_EQ(Started(parent, 4), c.parentDamageOtherId);
    g_listChara.clear();
  }
}

// Flows of the victim: 0 damaged, 1 impacted. Of the owner: 0 attack-damage, 1
// attack-impact, both of flow ID 2.
TEST_F(DamageTest, ShotHitTriggersReachTheVictimAndAReportingOwner) {
  struct Case {
    const char* what;
    std::int32_t power;
    std::int8_t impact;
    bool owner, report;
    std::int8_t group;
    bool damaged, impacted, ownerDamage, ownerImpact;
  };
  const Case cases[] = {
      {"no owner", 10, 2, false, true, 0, true, true, false, false},
      {"owner, no report", 10, 2, true, false, 0, true, true, false, false},
      {"reporting owner", 10, 2, true, true, 0, true, true, true, true},
      {"reporting owner, its group", 10, 0, true, true, 2, true, false, true, false},
      {"reporting owner, other group", 0, 2, true, true, 3, false, true, false, false},
      {"harmless", 0, 0, true, true, 0, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cChara& victim = Make({Flow(FLOWTRIG_DAMAGED, 0, true), Flow(FLOWTRIG_IMPACTED, 0, true)});
    cChara& owner = Make({Flow(FLOWTRIG_ATTACK_DAMAGE, 2), Flow(FLOWTRIG_ATTACK_IMPACT, 2)});
    {
      cShot shot;
      shot.m_EdShot.m_nPower = c.power;
      shot.m_EdShot.m_nImpact = c.impact;
      shot.m_pOwner = c.owner ? &owner : nullptr;
      shot.m_bAttackReport = c.report ? 1 : 0;
      shot.m_nAttackGroup = c.group;
      victim.FireShotHitTriggers(shot);
    }
    EXPECT_EQ(Started(victim, 0), c.damaged);
    EXPECT_EQ(Started(victim, 1), c.impacted);
    if (c.damaged || c.impacted) {
      EXPECT_EQ(victim.m_vTarget[1], c.owner ? &owner : nullptr);
    }
    EXPECT_EQ(Started(owner, 0), c.ownerDamage);
    EXPECT_EQ(Started(owner, 1), c.ownerImpact);
    g_listChara.clear();
  }
}

TEST_F(DamageTest, InvincibilityTimesByControllerKindInSubSteps) {
  g_StageData.SetCollisionLevel(3);
  g_StageData.m_nPlayerInvincible = 10;
  g_StageData.m_nPlayerKeyedInvincible = 40;
  g_StageData.m_nCharaInvincible = 2;
  g_StageData.m_nCharaKeyedInvincible = 7;
  struct Case {
    int kind;
    std::int32_t general, keyed;
  };
  for (const Case& c : {Case{0, 30, 120}, Case{1, 6, 21}}) {
    SCOPED_TRACE(c.kind);
    cChara& chara = Make();
    chara.m_nKind = c.kind;
    chara.StartInvincibility();
    EXPECT_EQ(chara.m_nInvincible, c.general);
    EXPECT_TRUE(chara.m_lstInvincibleKey.empty());
    chara.StartInvincibilityFor(9);
    chara.StartInvincibilityFor(11);
    ASSERT_EQ(chara.m_lstInvincibleKey.size(), 2u);
    EXPECT_EQ(chara.m_lstInvincibleKey.front().m_nAttackerId, 9);
    EXPECT_EQ(chara.m_lstInvincibleKey.front().m_nSteps, c.keyed);
    for (int i = 0; i < c.general; ++i) chara.TickInvincibility();
    // Past the general time only the two attackers are still kept off.
    EXPECT_FALSE(chara.IsInvincible());
    EXPECT_TRUE(chara.IsInvincibleTo(9));
    EXPECT_TRUE(chara.IsInvincibleTo(11));
    EXPECT_FALSE(chara.IsInvincibleTo(10));
    for (int i = c.general; i < c.keyed; ++i) chara.TickInvincibility();
    EXPECT_FALSE(chara.IsInvincibleTo(9));
    EXPECT_TRUE(chara.m_lstInvincibleKey.empty());
    g_listChara.clear();
  }
}

TEST_F(DamageTest, DefeatRunsOnlyTheDiedFlowsAtOnceAndScoresWithinTheRange) {
  struct Case {
    std::int32_t before, score, after;
  };
  const Case cases[] = {
      {100, 23, 123}, {999990, 50, 999999}, {10, -50, 0}, {0, kIntMin, 0}, {999999, kIntMax, 999999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    g_Progress.m_Vars.assign(1001, 0);
    g_Progress.m_nStageScore = c.before;
    cChara& chara =
        Make({CodeFlow(FLOWTRIG_ALWAYS, "C2 = 9"), CodeFlow(FLOWTRIG_DIED, "C1 = 7"), CodeFlow(FLOWTRIG_DAMAGED, "C3 = 1")});
    chara.m_Def.m_nScore = c.score;
    chara.m_nHp = 0;
    chara.FireTrigger(FLOWTRIG_ALWAYS);
    chara.FireTrigger(FLOWTRIG_DAMAGED);
    EXPECT_EQ(chara.Defeat(), 0);
    EXPECT_EQ(g_Progress.m_Vars[1], 7);  // the died flow acted at once
    EXPECT_EQ(g_Progress.m_Vars[2], 0);  // the others wait for the character's next step
    EXPECT_EQ(g_Progress.m_Vars[3], 0);
    EXPECT_EQ(chara.m_bDying, 1);
    EXPECT_EQ(g_Progress.m_nStageScore, c.after);
    g_listChara.clear();
  }
}

// The carried item goes to the player; when its commands clear the stage the defeat stops
// there: no defeat animation, and the links stay for the stage end.
TEST_F(DamageTest, DefeatGivesTheCarriedItemAndStopsWhenItClearsTheStage) {
  struct Case {
    const char* what;
    bool carries;
    int command;
    std::int32_t result, dying;
    std::int32_t var4;
  };
  const Case cases[] = {
      {"nothing carried", false, ITEMCMD_CODE, 0, 1, 0},
      {"an item of code", true, ITEMCMD_CODE, 0, 1, 3},
      {"an item that clears the stage", true, ITEMCMD_STAGE_CLEAR, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Progress.m_Vars.assign(1001, 0);
    g_vPlayer[0].m_nHp = 10;
    cChara& chara = Make();
    chara.InitLinks(nullptr);
    if (c.carries) {
      cFlowCmd cmd;
      cmd.m_bItemCmd = 1;
      cmd.m_nKind = static_cast<std::int8_t>(c.command);
      cmd.m_sText = "C4 = 3";
      cmd.Normalize();
      cPaletteItem entry;
      entry.m_nGraphic = 2;
      entry.m_vItemCmd = std::vector<cFlowCmd>{cmd};
      chara.m_Item.Init(40, entry, 1);
    }
    EXPECT_EQ(chara.Defeat(), c.result);
    EXPECT_EQ(chara.m_bDying, c.dying);
    EXPECT_EQ(g_Progress.m_Vars[4], c.var4);
    EXPECT_EQ(g_vPlayer[0].m_vLinkedBy.size(), c.dying != 0 ? 0u : 1u);
    g_listChara.clear();
  }
}

}  // namespace
