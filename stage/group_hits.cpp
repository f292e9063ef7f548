// Hits between groups, once per sub-step after every move: shots against characters,
// spent shots removed, body attacks between characters of different groups, and shots
// that erase each other.
//
// Every pass visits the pairs in the fixed nested order (groups, then list order) and
// ends at once when a hit ends the play. A broad phase leaves out the members whose
// rectangles cannot overlap; when a defeat or an item ran flows (which may move, add or
// erase anything), the visit goes on by walking the group's list itself and the
// snapshots are built again before their next use.
#include <algorithm>
#include <array>
#include <cstdint>
#include <list>
#include <vector>

#include "app/checked_access.h"
#include "data/flow/flow_enumerations.h"
#include "data/palette/palette_item.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "shell/game_requests.h"
#include "stage/hit_broad_phase.h"
#include "stage/list_walk.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr int kSoundHit = 7;
constexpr int kGroupHitsSoundCharaDefeated = 9;

using cCharaSnapshot = cHitSnapshot<cGameObj*>;
using cShotSnapshot = cHitSnapshot<cShot*>;

// The snapshots and the candidate buffers keep their storage from sub-step to sub-step.
class cBroadPhase {
 public:
  std::array<cCharaSnapshot, kGroupCount> m_Chara;
  std::array<cShotSnapshot, kGroupCount> m_Shot;
  std::vector<cCharaSnapshot::cEntry*> m_vCharaCand;
  std::vector<cShotSnapshot::cEntry*> m_vShotCand;
  // Counts the calls that may have run flows; a visit compares it to notice them.
  std::uint32_t m_nFlowRuns = 0;

  void InvalidateCharas() {
    for (cCharaSnapshot& s : m_Chara) s.Invalidate();
  }
};

cBroadPhase& Broad() {
  static cBroadPhase s_Broad;
  return s_Broad;
}

cCharaBase& CharaOf(cGameObj* p) { return *static_cast<cCharaBase*>(p); }

bool IsBlockChara(const cCharaBase& c) { return c.m_Def.m_bBlockChara != 0; }

bool IsInHitList(const cShot& shot, const cCharaBase& chara) {
  return std::find(shot.m_lstHit.begin(), shot.m_lstHit.end(), chara.m_nObjId) != shot.m_lstHit.end();
}

cDoubleRect GroupHitsBoxOf(const cGameObj& o) { return cDoubleRect{o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom}; }

// The body-attack side of a character: it can be hit by the other, and is attacked.
struct cBodySide {
  bool bCanBeHit = false;
  bool bAttacked = false;
  std::int32_t nResult = 0;  // TakeCharaDamage: 1 when HP reached 0
};

// The hit triggers of `victim` touched by `attacker`, credited to the attacker's parent
// when it asks for that.
void FireBodyHitTriggers(cCharaBase& victim, cCharaBase& attacker) {
  if (attacker.m_pParent != nullptr && attacker.m_bCreditParent != 0) {
    cCharaBase& parent = *attacker.m_pParent;
    victim.FireTriggerEx(FLOWTRIG_HIT_CHARA, &parent, 0);
    parent.FireTriggerEx(FLOWTRIG_ATTACK_HIT, &victim, static_cast<std::int8_t>(attacker.m_nCreditGroup));
  } else {
    victim.FireTriggerEx(FLOWTRIG_HIT_CHARA, &attacker, 0);
  }
}

std::int32_t HitShotOnChara(cSceneGame& scene, cShot& shot, cCharaBase& chara, bool& bSetAside);
std::int32_t HitCharaOnChara(cSceneGame& scene, cCharaBase& v, cCharaBase& x, const cListWalk<cGameObj*>& xw);
void EraseShotByAddress(cSceneGame& scene, cShot& shot);

std::int32_t HitShotsOnCharas(cSceneGame& scene) {
  cBroadPhase& broad = Broad();
  broad.InvalidateCharas();
  const bool bOnScreenOnly = g_StageData.m_bGroupHitOption != 0;
  for (int p = 0; p < kGroupCount && p < static_cast<int>(scene.m_vGroupShotList.size()); ++p) {
    std::list<cShot*>& shots = scene.m_vGroupShotList[static_cast<std::size_t>(p)];
    for (int q = 0; q < kGroupCount && q < static_cast<int>(scene.m_vGroupList.size()); ++q) {
      if (q == p) continue;
      std::list<cGameObj*>& charas = scene.m_vGroupList[static_cast<std::size_t>(q)];
      if (shots.empty() || charas.empty()) continue;
      cCharaSnapshot& snap = broad.m_Chara[static_cast<std::size_t>(q)];
      for (cListWalk<cShot*> sw(shots); !sw.AtEnd(); sw.Next()) {
        cShot& shot = *sw.Current();
        if (shot.m_bRemovePending != 0 || (bOnScreenOnly && shot.m_bOnScreen == 0)) continue;
        if (!snap.IsValid()) snap.Build(charas, [](cGameObj* o) { return CharaOf(o).m_HitShot.m_rc; });
        snap.Query(shot.m_HitArea.m_rc, broad.m_vCharaCand);
        bool bSetAside = false;
        for (std::size_t i = 0; i < broad.m_vCharaCand.size(); ++i) {
          const std::uint32_t runs = broad.m_nFlowRuns;
          cListWalk<cGameObj*> cw(charas, broad.m_vCharaCand[i]->m_it);
          if (const std::int32_t r = HitShotOnChara(scene, shot, CharaOf(cw.Current()), bSetAside); r != STEP_CONTINUE)
            return r;
          if (broad.m_nFlowRuns == runs) continue;
          // Flows ran: the rest of this shot's visit walks the group as it is now.
          broad.InvalidateCharas();
          for (cw.Next(); !cw.AtEnd(); cw.Next()) {
            if (const std::int32_t r = HitShotOnChara(scene, shot, CharaOf(cw.Current()), bSetAside); r != STEP_CONTINUE)
              return r;
          }
          break;
        }
        if (bSetAside && shot.m_bRemovePending == 0) EraseShotByAddress(scene, shot);
      }
    }
  }
  return STEP_CONTINUE;
}

std::int32_t HitShotOnChara(cSceneGame& scene, cShot& shot, cCharaBase& chara, bool& bSetAside) {
  const bool bOnScreenOnly = g_StageData.m_bGroupHitOption != 0;
  if (bOnScreenOnly && chara.m_bOnScreen == 0) return STEP_CONTINUE;
  if (chara.m_bActive == 0 || chara.m_bDying != 0 || chara.m_Def.m_nInvincible == 2) return STEP_CONTINUE;
  if (!shot.m_HitArea.m_rc.IsOverlap(chara.m_HitShot.m_rc) || IsInHitList(shot, chara)) return STEP_CONTINUE;
  const cEdShot& block = shot.m_EdShot;
  const bool bEffective = block.m_nPower != 0 || block.m_nImpact != 0 || block.m_nItemPalette != 0;
  if (bEffective && chara.IsInvincible()) return STEP_CONTINUE;
  const bool bDamage = bEffective || g_SystemData.m_bRuleHitGroups763b == 0;

  chara.FireTriggerEx(FLOWTRIG_HIT_SHOT, shot.m_pOwner, 0);
  if (shot.m_pOwner != nullptr && shot.m_bAttackReport != 0)
    shot.m_pOwner->FireTriggerEx(FLOWTRIG_ATTACK_HIT, &chara, shot.m_nAttackGroup);
  if (!bDamage) return STEP_CONTINUE;

  // Read before a defeat runs flows that may take the character away.
  const bool bKeep = (IsBlockChara(chara) ? block.m_bPierceBlockChara : block.m_bPierceChara) == 1;
  const bool bHpGone = chara.TakeShotDamage(shot) != 0;
  chara.FireShotHitTriggers(shot);
  if (bHpGone) {
    if (chara.m_nKind != 0) PlaySE(kGroupHitsSoundCharaDefeated);
    ++Broad().m_nFlowRuns;
    if (const std::int32_t r = scene.CheckDefeat(chara); r != STEP_CONTINUE) return r;
  } else {
    PlaySE(kSoundHit);
    if (bEffective) chara.StartInvincibility();
  }

  // A sword hits each character once in its life; a flying shot either flies on (and
  // hits each character once) or is spent.
  if (shot.m_bFlying == 0 || bKeep)
    shot.m_lstHit.push_back(chara.m_nObjId);
  else
    bSetAside = true;

  if (block.m_nItemPalette != 0) {
    if (cPaletteItem* entry = GetPaletteItem(block.m_nItemPalette, block.m_nItemIndex); entry != nullptr) {
      // Carried, so that the temporary item is active and acts at once.
      cItem item;
      item.Init(0, *entry, 1);
      ++Broad().m_nFlowRuns;
      if (const std::int32_t r = scene.UseItem(item, CheckedAt(g_vPlayer, 0)); r != STEP_CONTINUE) return r;
    }
  }
  return STEP_CONTINUE;
}

std::int32_t HitCharasOnCharas(cSceneGame& scene) {
  cBroadPhase& broad = Broad();
  broad.InvalidateCharas();
  const bool bOnScreenOnly = g_StageData.m_bGroupHitOption != 0;
  const auto takesPart = [bOnScreenOnly](const cCharaBase& c) {
    return (!bOnScreenOnly || c.m_bOnScreen != 0) && !IsBlockChara(c) && c.m_bActive != 0 && c.m_bDying == 0;
  };
  const int groups = std::min(kGroupCount, static_cast<int>(scene.m_vGroupList.size()));
  for (int i = 0; i < groups; ++i) {
    std::list<cGameObj*>& first = scene.m_vGroupList[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < groups; ++j) {
      std::list<cGameObj*>& second = scene.m_vGroupList[static_cast<std::size_t>(j)];
      if (first.empty() || second.empty()) continue;
      cCharaSnapshot& snap = broad.m_Chara[static_cast<std::size_t>(j)];
      for (cListWalk<cGameObj*> vw(first); !vw.AtEnd(); vw.Next()) {
        cCharaBase& v = CharaOf(vw.Current());
        if (!takesPart(v)) continue;
        if (!snap.IsValid()) snap.Build(second, [](cGameObj* o) { return CharaOf(o).m_HitChara.m_rc; });
        snap.Query(v.m_HitChara.m_rc, broad.m_vCharaCand);
        for (std::size_t k = 0; k < broad.m_vCharaCand.size(); ++k) {
          const std::uint32_t runs = broad.m_nFlowRuns;
          cListWalk<cGameObj*> xw(second, broad.m_vCharaCand[k]->m_it);
          if (const std::int32_t r = HitCharaOnChara(scene, v, CharaOf(xw.Current()), xw); r != STEP_CONTINUE) return r;
          if (broad.m_nFlowRuns == runs) continue;
          broad.InvalidateCharas();
          for (xw.Next(); !vw.Gone() && !xw.AtEnd(); xw.Next()) {
            if (const std::int32_t r = HitCharaOnChara(scene, v, CharaOf(xw.Current()), xw); r != STEP_CONTINUE)
              return r;
          }
          break;
        }
      }
    }
  }
  return STEP_CONTINUE;
}

std::int32_t HitCharaOnChara(cSceneGame& scene, cCharaBase& v, cCharaBase& x, const cListWalk<cGameObj*>& xw) {
  const bool bOnScreenOnly = g_StageData.m_bGroupHitOption != 0;
  const auto takesPart = [bOnScreenOnly](const cCharaBase& c) {
    return (!bOnScreenOnly || c.m_bOnScreen != 0) && !IsBlockChara(c) && c.m_bActive != 0 && c.m_bDying == 0;
  };
  if (!takesPart(v) || !takesPart(x) || !v.m_HitChara.m_rc.IsOverlap(x.m_HitChara.m_rc)) return STEP_CONTINUE;

  cBodySide sv;
  cBodySide sx;
  sv.bCanBeHit = !v.IsInvincibleTo(x.m_nObjId);
  sx.bCanBeHit = !x.IsInvincibleTo(v.m_nObjId);
  if (sv.bCanBeHit) FireBodyHitTriggers(v, x);
  if (sx.bCanBeHit) FireBodyHitTriggers(x, v);
  sv.bAttacked = sv.bCanBeHit && (x.m_Def.m_nBodyPower != 0 || x.m_Def.m_nBodyImpact != 0);
  sx.bAttacked = sx.bCanBeHit && (v.m_Def.m_nBodyPower != 0 || v.m_Def.m_nBodyImpact != 0);
  if (g_SystemData.m_bRuleHitGroups763a != 0) {
    if (sv.bAttacked) {
      sv.nResult = v.TakeCharaDamage(x);
      v.FireCharaHitTriggers(x);
    }
    if (sx.bAttacked) {
      sx.nResult = x.TakeCharaDamage(v);
      x.FireCharaHitTriggers(v);
    }
  } else {
    if (sv.bAttacked) sv.nResult = v.TakeCharaDamage(x);
    if (sx.bAttacked) sx.nResult = x.TakeCharaDamage(v);
    if (sv.bAttacked) v.FireCharaHitTriggers(x);
    if (sx.bAttacked) x.FireCharaHitTriggers(v);
  }
  if (!sv.bAttacked && !sx.bAttacked) return STEP_CONTINUE;

  PlaySE(kSoundHit);
  const std::int32_t vId = v.m_nObjId;
  const std::int32_t xId = x.m_nObjId;
  // One side's outcome; a defeat runs flows, which may take the other side away (its
  // walk then reports it gone).
  const auto settle = [&scene](cCharaBase& c, const cBodySide& side, std::int32_t nAttackerId) {
    if (side.nResult != 0) {
      if (c.m_nKind != 0) PlaySE(kGroupHitsSoundCharaDefeated);
      ++Broad().m_nFlowRuns;
      return scene.CheckDefeat(c);
    }
    c.StartInvincibilityFor(nAttackerId);
    return static_cast<std::int32_t>(STEP_CONTINUE);
  };
  if (sv.bAttacked) {
    if (const std::int32_t r = settle(v, sv, xId); r != STEP_CONTINUE) return r;
  }
  if (sx.bAttacked && !xw.Gone()) {
    if (const std::int32_t r = settle(x, sx, vId); r != STEP_CONTINUE) return r;
  }
  return STEP_CONTINUE;
}

void HitShotsOnShots(cSceneGame& scene) {
  cBroadPhase& broad = Broad();
  for (cShotSnapshot& s : broad.m_Shot) s.Invalidate();
  const int groups = std::min(kGroupCount, static_cast<int>(scene.m_vGroupShotList.size()));
  for (int j = 0; j < groups; ++j) {
    std::list<cShot*>& first = scene.m_vGroupShotList[static_cast<std::size_t>(j)];
    for (int k = j + 1; k < groups; ++k) {
      std::list<cShot*>& second = scene.m_vGroupShotList[static_cast<std::size_t>(k)];
      if (first.empty() || second.empty()) continue;
      cShotSnapshot& snap = broad.m_Shot[static_cast<std::size_t>(k)];
      // Built once for the pass: the shots erased meanwhile are marked dead in it.
      if (!snap.IsValid()) snap.Build(second, [](cShot* s) { return GroupHitsBoxOf(*s); });
      for (cListWalk<cShot*> xw(first); !xw.AtEnd(); xw.Next()) {
        cShot& x = *xw.Current();
        snap.Query(GroupHitsBoxOf(x), broad.m_vShotCand);
        bool bRemoveX = false;
        for (cShotSnapshot::cEntry* entry : broad.m_vShotCand) {
          cShot& y = **entry->m_it;
          const bool bX = x.m_EdShot.m_bErasable != 0;
          const bool bY = y.m_EdShot.m_bErasable != 0;
          if (!bX && !bY) continue;
          bool bRemoveY = false;
          if (bX && bY) {
            const std::int8_t dx = x.m_EdShot.m_nVanish;
            const std::int8_t dy = y.m_EdShot.m_nVanish;
            bRemoveX = bRemoveX || dx <= dy;
            bRemoveY = dy <= dx;
          } else if (bX) {
            bRemoveX = true;
          } else {
            bRemoveY = true;
          }
          if (bRemoveY) {
            entry->m_bDead = true;
            EraseShotByAddress(scene, y);
          }
        }
        if (bRemoveX) EraseShotByAddress(scene, x);
      }
    }
  }
}

void EraseShotByAddress(cSceneGame& scene, cShot& shot) {
  std::list<cShot>& shots = scene.m_lstShot;
  const auto found = std::find_if(shots.begin(), shots.end(), [&shot](const cShot& s) { return &s == &shot; });
  if (found != shots.end()) scene.EraseShot(found);
}

}  // namespace

std::int32_t cSceneGame::HitGroups(std::list<cChara>& /*list*/) {
  m_bShotHitPass = 1;
  // Cleared on every way out, the early returns included.
  struct cPassEnd {
    cSceneGame& scene;
    ~cPassEnd() { scene.m_bShotHitPass = 0; }
  } passEnd{*this};

  const auto step = static_cast<std::size_t>(m_nSubStep - 1);
  const bool bCheckStep = g_StageData.m_nHitChecksPerFrame == 0 || step >= m_vHitStep.size() || m_vHitStep[step] != 0;
  if (bCheckStep) {
    if (const std::int32_t r = HitShotsOnCharas(*this); r != STEP_CONTINUE) return r;
  }
  for (auto it = m_lstShot.begin(); it != m_lstShot.end();) it = it->m_bRemovePending != 0 ? EraseShot(it) : std::next(it);
  if (const std::int32_t r = HitCharasOnCharas(*this); r != STEP_CONTINUE) return r;
  HitShotsOnShots(*this);
  return STEP_CONTINUE;
}
