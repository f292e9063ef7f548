// Invincibility after hits, defeat of a character and the release of its links. HP and SP
// changes, the damage formula and the hit triggers come with the characters' combat.
#include <algorithm>
#include <cstdint>

#include "app/sat_int.h"
#include "data/flow/flow_enumerations.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "objects/chara_base.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr std::int32_t kMaxScore = 999999;

// Frames of a stage setting become sub-steps; wrapped rather than overflowed, since the
// setting comes from the stage file.
// A time from the stage file too long to count in sub-steps lasts as long as any can.
std::int32_t FramesToSteps(std::int32_t nFrames) { return SatMul(nFrames, g_StageData.m_nSubSteps); }

void RemoveLinks(std::vector<cObjLink>& links, const cObjLink& link) {
  links.erase(std::remove_if(links.begin(), links.end(), [&](const cObjLink& l) { return IsSameLink(l, link); }),
              links.end());
}

}  // namespace

void cCharaBase::StartInvincibility() {
  m_nInvincible = FramesToSteps(m_nKind == 0 ? g_StageData.m_nPlayerInvincible : g_StageData.m_nCharaInvincible);
}

void cCharaBase::StartInvincibilityFor(std::int32_t nAttackerId) {
  StartInvincibility();
  const std::int32_t frames =
      m_nKind == 0 ? g_StageData.m_nPlayerKeyedInvincible : g_StageData.m_nCharaKeyedInvincible;
  m_lstInvincibleKey.push_back(cInvincibleKey{nAttackerId, FramesToSteps(frames)});
}

void cCharaBase::TickInvincibility() {
  if (m_nInvincible > 0) --m_nInvincible;
  // A key whose last sub-step this is goes; the count itself never goes below 1, so a
  // time of INT32_MIN from the stage file ends here instead of wrapping.
  for (auto it = m_lstInvincibleKey.begin(); it != m_lstInvincibleKey.end();) {
    if (it->m_nSteps <= 1) {
      it = m_lstInvincibleKey.erase(it);
    } else {
      --it->m_nSteps;
      ++it;
    }
  }
}

bool cCharaBase::IsInvincibleTo(std::int32_t nAttackerId) const {
  if (m_nInvincible > 0) return true;
  return std::any_of(m_lstInvincibleKey.begin(), m_lstInvincibleKey.end(),
                     [nAttackerId](const cInvincibleKey& key) { return key.m_nAttackerId == nAttackerId; });
}

std::int32_t cCharaBase::Defeat() {
  FireTrigger(FLOWTRIG_DIED);
  // The died flows just started act at once.
  RunFlows(1);
  const std::int64_t score = static_cast<std::int64_t>(g_Progress.m_nStageScore) + m_Def.m_nScore;
  g_Progress.m_nStageScore = static_cast<std::int32_t>(std::clamp<std::int64_t>(score, 0, kMaxScore));
  cSceneGame* scene = GameScene();
  std::int32_t itemResult = 0;
  if (cItem* item = GetCarriedItem(); item != nullptr && item->m_bCarried != 0 && scene != nullptr &&
                                      !g_vPlayer.empty()) {
    itemResult = scene->UseItem(*item, g_vPlayer.front());
  }
  if ((scene != nullptr && scene->m_nCmdResult == 1) || itemResult == 1) return 1;
  ReleaseLinks();
  // The defeat effect replaces whatever effect ran (entry 0: none); the dying character
  // is erased when its defeat animation ends.
  if (m_Def.m_nDefeatEffect != 0) {
    m_CharaEffect.Start(m_Def.m_nDefeatEffect, m_Def.m_nDefeatEffectMode, 0);
  } else {
    m_CharaEffect.m_nId = 0;
  }
  m_bDying = 1;
  return 0;
}

void cCharaBase::ReleaseLinks() {
  for (const cObjLink& link : m_vLinkedBy) {
    auto* referrer = static_cast<cCharaBase*>(link.m_pObj);
    if (referrer == nullptr) continue;
    if (link.m_nSlot >= 0 && link.m_nSlot < kTargetSlots) {
      if (static_cast<std::size_t>(link.m_nSlot) < referrer->m_vTarget.size()) {
        referrer->m_vTarget[static_cast<std::size_t>(link.m_nSlot)] = nullptr;
      }
    } else if (link.m_nSlot == kParentLinkSlot) {
      referrer->m_pParent = nullptr;
    }
  }
  m_vLinkedBy.clear();
  for (std::size_t slot = 0; slot < m_vTarget.size(); ++slot) {
    cCharaBase* target = m_vTarget[slot];
    if (target == nullptr) continue;
    RemoveLinks(target->m_vLinkedBy, cObjLink{this, static_cast<std::int32_t>(slot)});
    m_vTarget[slot] = nullptr;
  }
  if (m_pParent != nullptr) {
    RemoveLinks(m_pParent->m_vLinkedBy, cObjLink{this, kParentLinkSlot});
    m_pParent = nullptr;
  }
  for (const cObjLink& link : m_vShotLinkedBy) {
    auto* shot = static_cast<cShot*>(link.m_pObj);
    if (shot == nullptr) continue;
    if (link.m_nSlot == 0) {
      shot->m_pTarget = nullptr;
    } else if (link.m_nSlot == kParentLinkSlot) {
      shot->m_pOwner = nullptr;
    }
  }
  m_vShotLinkedBy.clear();
}
