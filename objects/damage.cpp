// HP and SP changes of a character and the animated bars that show them; the damage of
// body attacks and shots, and the triggers a hit fires on the victim and on whoever is
// credited with the attack.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "data/flow/flow_enumerations.h"
#include "objects/chara_base.h"
#include "objects/hit_effect.h"
#include "objects/shot.h"

namespace {

constexpr std::int32_t kGaugeFrames = 120;
constexpr std::int32_t kGaugeLength = 50;
constexpr std::int64_t kMaxDamage = 999999;

// The HP change of a hit of `power` on a character of `defence`: a positive power less the
// defence, within 0..999999, taken away; a power of 0 or less is used as it stands, so a
// negative one heals. Widened: both come from game data.
std::int32_t HitHpDelta(std::int32_t nPower, std::int32_t nDefence) {
  std::int64_t power = nPower;
  if (power > 0) power = std::clamp<std::int64_t>(power - nDefence, 0, kMaxDamage);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(-power, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Adds delta to value within 0..maximum, a gain first cut to what is missing. 64-bit: the
// delta comes from game data and code.
std::int32_t AddClamped(std::int32_t& value, std::int32_t delta, std::int32_t maximum) {
  std::int64_t d = delta;
  if (d > 0 && d > static_cast<std::int64_t>(maximum) - value) d = static_cast<std::int64_t>(maximum) - value;
  std::int64_t result = value + d;
  if (result > maximum) result = maximum;
  if (result < 0) result = 0;
  value = static_cast<std::int32_t>(result);
  return static_cast<std::int32_t>(d);
}

// A bar of `value` out of `maximum`; without a positive maximum there is no bar to show
// (and nothing to divide by).
void StartGauge(cGaugeAnim& gauge, std::int32_t value, std::int32_t maximum, std::int32_t delta) {
  if (delta == 0 || maximum <= 0) return;
  gauge.m_nFrames = kGaugeFrames;
  gauge.m_nLength = static_cast<std::int32_t>(static_cast<std::int64_t>(value) * kGaugeLength / maximum);
  gauge.m_dSegment = static_cast<double>(delta) * kGaugeLength / maximum;
  gauge.m_dShrink = gauge.m_dSegment * 0.016666666666666666;
}

}  // namespace

std::int32_t cCharaBase::AddHp(std::int32_t nDelta, std::int32_t bIgnoreStatus, std::int32_t bShowGauge) {
  // Invincible characters lose nothing; healing always passes.
  if (bIgnoreStatus == 0 && nDelta <= 0 && m_Def.m_nInvincible != 0) return 0;
  const std::int32_t applied = AddClamped(m_nHp, nDelta, m_Def.m_nMaxHp);
  if (m_nHp <= 0) {
    m_nHp = 0;
    return 1;
  }
  if (bShowGauge != 0) StartHpGauge(applied);
  return 0;
}

std::int32_t cCharaBase::AddSp(std::int32_t nDelta, std::int32_t bShowGauge) {
  const std::int32_t applied = AddClamped(m_nSp, nDelta, m_Def.m_nMaxSp);
  if (m_Def.m_nMaxSp <= 0) return 1;
  if (bShowGauge != 0) StartSpGauge(applied);
  return 0;
}

void cCharaBase::StartHpGauge(std::int32_t nDelta) { StartGauge(m_HpGauge, m_nHp, m_Def.m_nMaxHp, nDelta); }

void cCharaBase::StartSpGauge(std::int32_t nDelta) { StartGauge(m_SpGauge, m_nSp, m_Def.m_nMaxSp, nDelta); }

std::int32_t cCharaBase::TakeCharaDamage(cCharaBase& attacker) {
  const std::int32_t result = AddHp(HitHpDelta(attacker.m_Def.m_nBodyPower, m_Def.m_nDefence), 0, 1);
  if (attacker.m_Def.m_nBodyEffect != 0) {
    AddHitEffect(attacker.m_Def.m_nBodyEffect, m_HitChara, attacker.m_HitChara, attacker.m_Def.m_nSize);
  }
  ApplyImpactFromChara(&attacker);
  return result;
}

std::int32_t cCharaBase::TakeShotDamage(const cShot& shot) {
  const cEdShot& block = shot.m_EdShot;
  const std::int32_t result = AddHp(HitHpDelta(block.m_nPower, m_Def.m_nDefence), 0, 1);
  if (block.m_nEffect != 0) AddHitEffect(block.m_nEffect, m_HitShot, shot.m_HitArea, block.m_nScale);
  ApplyImpactFromShot(&shot);
  return result;
}

void cCharaBase::FireCharaHitTriggers(cCharaBase& attacker) {
  // A summon whose hits count as its parent's: the victim sees the parent, and the parent
  // hears of the hit with the summon's flow group.
  auto fire = [&](std::int8_t nVictimKind, std::int8_t nAttackKind) {
    cCharaBase* parent = attacker.m_pParent;
    if (parent != nullptr && attacker.m_bCreditParent != 0) {
      FireTriggerEx(nVictimKind, parent, 0);
      parent->FireTriggerEx(nAttackKind, this, static_cast<std::int8_t>(attacker.m_nCreditGroup));
    } else {
      FireTriggerEx(nVictimKind, &attacker, 0);
    }
  };
  if (attacker.m_Def.m_nBodyPower != 0) fire(FLOWTRIG_DAMAGED, FLOWTRIG_ATTACK_DAMAGE);
  if (attacker.m_Def.m_nBodyImpact != 0) fire(FLOWTRIG_IMPACTED, FLOWTRIG_ATTACK_IMPACT);
}

void cCharaBase::FireShotHitTriggers(const cShot& shot) {
  auto fire = [&](std::int8_t nVictimKind, std::int8_t nAttackKind) {
    FireTriggerEx(nVictimKind, shot.m_pOwner, 0);
    if (shot.m_pOwner != nullptr && shot.m_bAttackReport != 0) {
      shot.m_pOwner->FireTriggerEx(nAttackKind, this, shot.m_nAttackGroup);
    }
  };
  if (shot.m_EdShot.m_nPower != 0) fire(FLOWTRIG_DAMAGED, FLOWTRIG_ATTACK_DAMAGE);
  if (shot.m_EdShot.m_nImpact != 0) fire(FLOWTRIG_IMPACTED, FLOWTRIG_ATTACK_IMPACT);
}
