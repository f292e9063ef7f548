#include "objects/chara_base.h"

#include <algorithm>
#include <cstdint>
#include <list>

#include "app/sat_int.h"
#include "data/flow/flow.h"
#include "data/flow/flow_enumerations.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "objects/trunc.h"
#include "stage/block_cell.h"
#include "stage/chara_index.h"
#include "stage/list_walk.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

cCharaBase::cCharaBase() = default;

cCharaBase::cCharaBase(const cCharaBase& other) : cGameObj(other) { CopyCharaFrom(other); }

cCharaBase& cCharaBase::operator=(const cCharaBase& other) {
  if (this != &other) CopyCharaFrom(other);
  return *this;
}

cCharaBase::~cCharaBase() {
  if (m_bNoLinkRelease == 0) ReleaseLinks();
}

void cCharaBase::CopyCharaFrom(const cCharaBase& other) {
  if (this == &other) return;
  cGameObj::CopyFrom(other);
  m_vTarget = other.m_vTarget;
  m_pParent = other.m_pParent;
  m_vLinkedBy = other.m_vLinkedBy;
  m_vShotLinkedBy = other.m_vShotLinkedBy;
  m_bCreditParent = other.m_bCreditParent;
  m_nCreditGroup = other.m_nCreditGroup;
  // The definition with its flow list first, then the runs, re-pointed at the copy's own
  // flows.
  m_Def = other.m_Def;
  m_nNextFlowKey = other.m_nNextFlowKey;
  AppendFlowRun(other.m_vFlowRun);
  m_vSwitch = other.m_vSwitch;
  m_vSwitchClear = other.m_vSwitchClear;
  m_vSwitchFrame = other.m_vSwitchFrame;
  m_bSwitchClearPending = other.m_bSwitchClearPending;
  m_bFlowRemovePending = other.m_bFlowRemovePending;
  m_dStartX = other.m_dStartX;
  m_dStartY = other.m_dStartY;
  m_bMoving = other.m_bMoving;
  m_dImpactVx = other.m_dImpactVx;
  m_dImpactVy = other.m_dImpactVy;
  m_bImpactAir = other.m_bImpactAir;
  m_dImpactCarry = other.m_dImpactCarry;
  m_bHeld = other.m_bHeld;
  m_nWallSide = other.m_nWallSide;
  m_bAirborne = other.m_bAirborne;
  m_bJumpHoldOver = other.m_bJumpHoldOver;
  m_bJumping = other.m_bJumping;
  m_bJumpLock = other.m_bJumpLock;
  m_nAirSteps = other.m_nAirSteps;
  m_pFootCell = other.m_pFootCell;
  m_pLastFootCell = other.m_pLastFootCell;
  m_pPrevFootCell = other.m_pPrevFootCell;
  m_nContactGrace = other.m_nContactGrace;
  m_bFixScreenX = other.m_bFixScreenX;
  m_bFixScreenY = other.m_bFixScreenY;
  m_nFixScreenX = other.m_nFixScreenX;
  m_nFixScreenY = other.m_nFixScreenY;
  m_bDying = other.m_bDying;
  m_nDyingFrame = other.m_nDyingFrame;
  m_bHitLeft = other.m_bHitLeft;
  m_bHitRight = other.m_bHitRight;
  m_bHitTop = other.m_bHitTop;
  m_bHitBottom = other.m_bHitBottom;
  m_bCharaSideContact = other.m_bCharaSideContact;
  m_bRiding = other.m_bRiding;
  m_nRideOnId = other.m_nRideOnId;
  m_rcContact = other.m_rcContact;
  m_rcSaved = other.m_rcSaved;
  m_nHp = other.m_nHp;
  m_HpGauge = other.m_HpGauge;
  m_nSp = other.m_nSp;
  m_SpGauge = other.m_SpGauge;
  m_vCharaVar = other.m_vCharaVar;
  m_nInvincible = other.m_nInvincible;
  m_lstInvincibleKey = other.m_lstInvincibleKey;
  m_lstAnimeOverlay = other.m_lstAnimeOverlay;
  m_CharaEffect = other.m_CharaEffect;
  m_nAnimeSet = other.m_nAnimeSet;
  m_bRemove = other.m_bRemove;
  m_nSightRange = other.m_nSightRange;
  m_bDrawTransparent = other.m_bDrawTransparent;
  m_HitChara = other.m_HitChara;
  m_HitShot = other.m_HitShot;
  m_bWarpedX = other.m_bWarpedX;
  m_bWarpedY = other.m_bWarpedY;
}

cItem* cCharaBase::GetCarriedItem() { return nullptr; }
std::int32_t cCharaBase::ConstrainX() { return 0; }
std::int32_t cCharaBase::ConstrainY() { return 0; }
std::int32_t cCharaBase::StepX() { return 0; }
std::int32_t cCharaBase::StepY() { return 0; }
std::int32_t cCharaBase::RunFlows(std::int32_t) { return 0; }
void cCharaBase::RunJump(cFlowCmdRun*) {}

void cCharaBase::Reset(cPaletteChara* pDef, double dStartX, double dStartY, std::int32_t nCopyIndex, std::int32_t) {
  m_nCopyIndex = static_cast<std::int16_t>(nCopyIndex);
  m_vLinkedBy.clear();
  m_vShotLinkedBy.clear();
  m_vTarget.assign(kTargetSlots, nullptr);
  m_pParent = nullptr;
  m_nNextFlowKey = 0;
  m_vSwitch.assign(kSwitchCount, 0);
  m_vSwitchClear.assign(kSwitchCount, 0);
  m_vSwitchFrame.assign(kSwitchCount, 0);
  m_bSwitchClearPending = 0;
  m_bFlowRemovePending = 0;
  m_dStartX = dStartX;
  m_dStartY = dStartY;
  m_dImpactVx = m_dImpactVy = 0;
  m_bImpactAir = 0;
  m_dImpactCarry = 0;
  m_bHeld = 0;
  m_nWallSide = -1;
  m_bAirborne = 1;
  m_bJumpHoldOver = m_bJumping = m_bJumpLock = 0;
  m_nAirSteps = 0;
  m_pFootCell = m_pLastFootCell = m_pPrevFootCell = nullptr;
  m_nContactGrace = 0;
  m_bFixScreenX = m_bFixScreenY = 0;
  m_nFixScreenX = m_nFixScreenY = 0;
  m_bDying = 0;
  m_nDyingFrame = 0;
  ClearBlockContacts();
  m_bCharaSideContact = 0;
  m_bRiding = 0;
  m_nRideOnId = 0;
  m_HpGauge = cGaugeAnim();
  m_SpGauge = cGaugeAnim();
  m_nHp = m_nSp = 0;
  m_vCharaVar.assign(kCharaVarCount, 0);
  if (pDef != nullptr) {
    m_Def = *pDef;
    m_nHp = m_Def.m_nMaxHp;
    m_nSp = m_Def.m_nMaxSp;
  }
  m_bRemove = 0;
  m_bDrawTransparent = 0;
  m_bScrollSync = m_Def.m_bScrollSync;
  m_nSightRange = m_Def.m_nSightRange * 16;
  m_dFriction = m_Def.m_nStopEase / 100.0 / g_StageData.m_dSubStepsSq;
  m_CharaEffect.Clear();
  if (m_Def.m_nStartEffect != 0) {
    m_CharaEffect.Start(m_Def.m_nStartEffect, m_Def.m_nStartEffectMode, m_Def.m_nStartEffectRepeat);
  }
  m_nInvincible = 0;
  m_lstInvincibleKey.clear();
  SetAnimeSet(m_Def.m_nAnimeSet, 1);
  m_lstAnimeOverlay.clear();
  m_bCreditParent = 0;
  m_nCreditGroup = 0;
}

namespace {

void AddLinkOnce(std::vector<cObjLink>& links, const cObjLink& link) {
  for (const cObjLink& existing : links) {
    if (IsSameLink(existing, link)) return;
  }
  links.push_back(link);
}

}  // namespace

void cCharaBase::InitLinks(cCharaBase* pParent) {
  if (m_vTarget.size() < static_cast<std::size_t>(kTargetSlots)) m_vTarget.resize(kTargetSlots, nullptr);
  cCharaBase* hero = g_vPlayer.empty() ? nullptr : &g_vPlayer.front();
  m_vTarget[0] = hero;
  if (hero != nullptr) AddLinkOnce(hero->m_vLinkedBy, cObjLink{this, 0});
  m_pParent = pParent;
  if (pParent != nullptr) AddLinkOnce(pParent->m_vLinkedBy, cObjLink{this, kParentLinkSlot});
}

void cCharaBase::SetCharaHitRect(std::int32_t bBottomAligned, std::int32_t w, std::int32_t h) {
  // Sizes from the stage file may be anything: the offsets saturate instead of wrapping.
  const std::int32_t offX = SatInt32(std::int64_t{16} - m_nBoxOffX - (w >> 1));
  const std::int32_t offY = bBottomAligned != 0 ? SatInt32(std::int64_t{32} - m_nBoxOffY - h)
                                                : SatInt32(std::int64_t{16} - m_nBoxOffY - (h >> 1));
  m_HitChara.SetBoth(offX, offY, w, h);
}

void cCharaBase::ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  const std::int64_t d = std::int64_t{nNew} - nOld;
  if (g_SystemData.m_bRuleChara261 != 0) {
    // The bottom of the collision box stays.
    m_dY -= static_cast<double>(d * m_nBaseBoxH);
  } else {
    // The bottom of the sprite cell stays.
    m_dY -= static_cast<double>(d * m_nBaseCellH);
    m_dY += static_cast<double>(d * m_nBaseBoxOffY);
  }
  ConstrainY();
}

void cCharaBase::SetCenterX(std::int32_t x) {
  const std::int64_t cx = std::int64_t{m_rcScreen.left} + (m_nCellW >> 1);
  m_dX += static_cast<double>(static_cast<std::int64_t>(x) - cx);
  ConstrainX();
}

void cCharaBase::SetCenterY(std::int32_t y) {
  const std::int64_t cy = std::int64_t{m_rcScreen.top} + (m_nCellH >> 1);
  m_dY += static_cast<double>(static_cast<std::int64_t>(y) - cy);
  ConstrainY();
}

void cCharaBase::SetCenter(std::int32_t x, std::int32_t y) {
  SetCenterX(x);
  SetCenterY(y);
}

namespace {

void StopRun(cFlowCmdRun* run) {
  if (run == nullptr) return;
  run->m_dVX = 0;
  run->m_dVY = 0;
}

}  // namespace

void cCharaBase::SetCenterAndStop(std::int32_t x, std::int32_t y, cFlowCmdRun* run) {
  SetCenter(x, y);
  StopRun(run);
}

void cCharaBase::SetCenterXAndStop(std::int32_t x, cFlowCmdRun* run) {
  SetCenterX(x);
  StopRun(run);
}

void cCharaBase::SetCenterYAndStop(std::int32_t y, cFlowCmdRun* run) {
  SetCenterY(y);
  StopRun(run);
}

void cCharaBase::ApplyGravityIfFree() {
  if (m_bNoGravity == 0 && m_bRiding == 0 && m_bHeld == 0 && m_dImpactVy >= 0) {
    m_dVy += g_StageData.m_dGravityStep;
  }
}

bool cCharaBase::IsOnGround() const {
  if (m_pFootCell != nullptr && m_pFootCell->GetHit(static_cast<std::int8_t>(m_nLayer)) != 0) return true;
  return m_bRiding != 0;
}

void cCharaBase::LandOnBlock() {
  m_dVy = 0;
  m_dCmdVy = 0;
  m_bHitBottom = 1;
  m_nAirSteps = 0;
  m_bAirborne = m_bJumpHoldOver = m_bJumping = m_bImpactAir = 0;
  if (m_nKind != 0) m_bJumpLock = 0;
  m_dY -= static_cast<double>((TruncToInt(m_dBottom) & 31) + 1);
  ConstrainY();
  FireTrigger(FLOWTRIG_HIT_BLOCK);
  FireTrigger(FLOWTRIG_BLOCK_UP_DOWN);
  FireTrigger(FLOWTRIG_BLOCK_DOWN);
}

void cCharaBase::HitBlockAbove() {
  m_bJumpHoldOver = m_bJumping = m_bHitTop = m_bJumpLock = 1;
  m_dVy = 0;
  m_dCmdVy = 0;
  if (g_SystemData.m_bRuleBlockAbove781 == 0) m_dImpactVy = 0;
  m_dY += static_cast<double>(32 - (TruncToInt(m_dY) & 31));
  ConstrainY();
  FireTrigger(FLOWTRIG_HIT_BLOCK);
  FireTrigger(FLOWTRIG_BLOCK_UP_DOWN);
  FireTrigger(FLOWTRIG_BLOCK_UP);
}

void cCharaBase::OnCharaContact(std::int32_t bSide) {
  m_bRiding = 0;
  if (m_dImpactVy == 0) m_dVy = 0;
  if (bSide != 0) m_bCharaSideContact = 1;
}

void cCharaBase::SavePosition() {
  m_rcSaved.left = m_dX;
  m_rcSaved.top = m_dY;
  m_rcSaved.right = m_dRight;
  m_rcSaved.bottom = m_dBottom;
}

void cCharaBase::RestorePosition() {
  m_dX = m_rcSaved.left;
  m_dY = m_rcSaved.top;
  m_dRight = m_rcSaved.right;
  m_dBottom = m_rcSaved.bottom;
}

void cCharaBase::SetScrollBaseVelocity(std::int32_t bPlayer) {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const double autoX = ax.m_bAtLimit != 0 ? 0.0 : ax.m_dSpeed;
  const double autoY = ay.m_bAtLimit != 0 ? 0.0 : ay.m_dSpeed;
  const bool flying = m_bNoGravity != 0;
  if (g_SystemData.m_bRuleScrollSync != 0) {
    // The old rule: a player that flies takes both automatic speeds; nothing else follows
    // the scroll.
    if (bPlayer != 0 && flying) {
      m_dVx = autoX;
      m_dVy = autoY;
    } else {
      m_dVx = 0;
      if (flying) m_dVy = 0;
    }
    return;
  }
  if (m_bScrollSync != 0) {
    m_dVx = autoX;
    if (flying) m_dVy = autoY;
  } else {
    m_dVx = 0;
    if (flying) m_dVy = 0;
  }
}

std::int32_t cCharaBase::StepFlows(std::int32_t bDiedOnly, std::int32_t bCheckRemove) {
  const std::int32_t ended = StepRunningFlows(bDiedOnly, bCheckRemove);
  // No pointer into this character's runs may outlive the run, whichever way it ended:
  // the character may be removed before the next flow step sets them again.
  if (cSceneGame* scene = GameScene(); scene != nullptr) {
    scene->m_pFlowChara = nullptr;
    scene->m_pFlowRun = nullptr;
    scene->m_pFlowCmdRun = nullptr;
  }
  return ended;
}

std::int32_t cCharaBase::StepRunningFlows(std::int32_t bDiedOnly, std::int32_t bCheckRemove) {
  // Indices, not iterators: a command may attach or remove flows while its run steps.
  for (std::size_t i = 0; i < m_vFlowRun.size(); ++i) {
    cFlowRun& run = m_vFlowRun[i];
    if (run.m_bRunning == 0) continue;
    if (run.m_vCmdRun.empty()) {
      run.Stop(this);
      continue;
    }
    if (run.m_bPaused != 0 || run.m_bStopForever != 0) continue;
    const std::int8_t trigger = run.m_lpFlow != nullptr ? run.m_lpFlow->m_nTrigger : std::int8_t{-1};
    if (bDiedOnly != 0 && trigger != FLOWTRIG_DIED) continue;
    if (run.Step() == 1) {
      // The step may have changed the run list; find the run again by index.
      if (i < m_vFlowRun.size()) m_vFlowRun[i].Stop(this);
    }
    if (bCheckRemove != 0 && m_bRemove != 0) return 1;
    if (bDiedOnly == 0 && trigger != FLOWTRIG_DIED && m_nHp <= 0) return 1;
  }
  return 0;
}

void cCharaBase::ApplyPendingFlowChanges() {
  if (m_bFlowRemovePending != 0) {
    for (std::size_t i = 0; i < m_vFlowRun.size();) {
      if (m_vFlowRun[i].m_bToDelete != 0) {
        RemoveFlow(static_cast<std::int32_t>(i));  // the next run moves to index i
      } else {
        ++i;
      }
    }
    m_bFlowRemovePending = 0;
  }
  if (m_bSwitchClearPending != 0) {
    const std::size_t count = std::min(m_vSwitchClear.size(), m_vSwitch.size());
    for (std::size_t s = 0; s < count; ++s) {
      if (m_vSwitchClear[s] != 0) {
        m_vSwitchClear[s] = 0;
        m_vSwitch[s] = 0;
      }
    }
    m_bSwitchClearPending = 0;
  }
}

void cCharaBase::ShowIdleAnime() {
  if (m_bMoving == 0 && m_dCmdVx == 0 && m_dCmdVy == 0) m_Anime.Change(m_bNoGravity != 0 ? 2 : 0, 1);
}

cCharaBase* FindObjectById(std::int32_t nId) {
  for (cPlayer& player : g_vPlayer) {
    if (player.m_nObjId == nId) return &player;
  }
  if (cChara* found = nullptr; cCharaIndex::FindById(g_listChara, nId, &found)) return found;
  for (cChara& chara : g_listChara) {
    if (chara.m_nObjId == nId) return &chara;
  }
  return nullptr;
}

std::list<cChara>::iterator EraseCharaNode(std::list<cChara>& list, std::list<cChara>::iterator node) {
  cChara& chara = *node;
  chara.ReleaseLinks();
  // Set-up keeps every side inside the group lists; a side outside them has no list.
  if (cSceneGame* scene = GameScene();
      scene != nullptr && chara.m_nLayer >= 0 && static_cast<std::size_t>(chara.m_nLayer) < scene->m_vGroupList.size()) {
    std::list<cGameObj*>& group = scene->m_vGroupList[static_cast<std::size_t>(chara.m_nLayer)];
    const auto found = std::find(group.begin(), group.end(), static_cast<cGameObj*>(&chara));
    if (found != group.end()) {
      cListWalk<cGameObj*>::Erasing(group, found);
      group.erase(found);
    }
  }
  cListWalk<cChara>::Erasing(list, node);
  cCharaIndex::Erasing(list, chara);
  return list.erase(node);
}
