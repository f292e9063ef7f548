// HP and SP changes of a character and the animated bars that show them. The damage
// formula of hits and their triggers come with the characters' combat.
#include <cstdint>

#include "objects/chara_base.h"

namespace {

constexpr std::int32_t kGaugeFrames = 120;
constexpr std::int32_t kGaugeLength = 50;

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
