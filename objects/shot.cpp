// The part of a shot that the scene's shot list needs today: geometry, motion steps and
// the back-links. Firing, trajectories, swords and block contact come with the characters'
// combat and replace Update and HitsSolidBlock.
#include "objects/shot.h"

#include <algorithm>

#include "objects/chara_base.h"

cShot::cShot(const cShot& other)
    : cGameObj(other),
      m_nWielderId(other.m_nWielderId),
      m_bFlying(other.m_bFlying),
      m_HitArea(other.m_HitArea),
      m_lstHit(other.m_lstHit),
      m_pTarget(other.m_pTarget),
      m_pOwner(other.m_pOwner),
      m_bRemovePending(other.m_bRemovePending),
      m_nImpactPower(other.m_nImpactPower) {}

cShot& cShot::operator=(const cShot& other) {
  if (this == &other) return *this;
  cGameObj::operator=(other);
  m_nWielderId = other.m_nWielderId;
  m_bFlying = other.m_bFlying;
  m_HitArea = other.m_HitArea;
  m_lstHit = other.m_lstHit;
  m_pTarget = other.m_pTarget;
  m_pOwner = other.m_pOwner;
  m_bRemovePending = other.m_bRemovePending;
  m_nImpactPower = other.m_nImpactPower;
  return *this;
}

cShot::~cShot() { ReleaseLinks(); }

void cShot::ReleaseLinks() {
  auto forget = [this](cCharaBase* chara) {
    if (chara == nullptr) return;
    auto& links = chara->m_vShotLinkedBy;
    links.erase(std::remove_if(links.begin(), links.end(), [this](const cObjLink& l) { return l.m_pObj == this; }),
                links.end());
  };
  forget(m_pTarget);
  if (m_pOwner != m_pTarget) forget(m_pOwner);
  m_pTarget = nullptr;
  m_pOwner = nullptr;
}

void cShot::ScaleHitRects(std::int32_t nFactor) { m_HitArea.Scale(nFactor); }

void cShot::ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  // A growing shot keeps its vertical centre.
  m_dY -= static_cast<double>((nNew - nOld) * (m_nBaseBoxH >> 1));
  ClampY(2);
}

void cShot::UpdateHitRectX() { m_HitArea.UpdateX(m_dX); }
void cShot::UpdateHitRectY() { m_HitArea.UpdateY(m_dY); }

// Mode 3 of the clamps moves nothing; it only brings the far edge, the hit area and the
// block cells up to date.
void cShot::StepX() {
  m_dX += m_dVx;
  ClampX(3);
}

void cShot::StepY() {
  m_dY += m_dVy;
  ClampY(3);
}

std::int32_t cShot::Update() { return 0; }

bool cShot::HitsSolidBlock() const { return false; }
