// The character-effect runtime: see chara_effect.h.
#include "objects/chara_effect.h"

#include <cstdlib>
#include <utility>

#include "app/checked_access.h"
#include "data/database/chara_effect_data.h"
#include "data/database/database.h"
#include "stage/effect_run_tables.h"

namespace {

constexpr std::int32_t kBlinkKind = 6;
constexpr std::int32_t kTranslucentKind = 14;
constexpr std::int32_t kWaveXKind = 4;
constexpr std::int32_t kWaveYKind = 5;
constexpr double kSixth = 1.0 / 6.0;

}  // namespace

void PrepareCharaEffect(cCharaEffect& record, int nIndex, int nDirection) {
  record = cCharaEffect();
  record.m_nId = nIndex;
  // Both directions read the working copy made at start-up (the database itself before
  // it is made): the reverse direction's swap of start and end lives in the prepared
  // values, so no entry is ever written.
  const bool workReady = g_Database.m_CharaEffectWork.size() == g_Database.m_CharaEffect.size();
  const cCharaEffectData& entry =
      CheckedAt(workReady ? g_Database.m_CharaEffectWork : g_Database.m_CharaEffect, nIndex);
  record.m_pData = &entry;
  record.m_bReverse = nDirection != 0 ? 1 : 0;
  const std::int32_t kind = entry.m_nKind;
  const std::int32_t p0 = entry.m_nParam[0];
  if (kind == kBlinkKind || kind == kTranslucentKind) {
    record.m_nStart = 0;
    record.m_nEnd = p0;
    record.m_nTime = p0;
    record.m_dValue = 0;
    record.m_dStep = kSixth;
  } else if (kind != 0) {
    std::int32_t p1 = entry.m_nParam[1];
    std::int32_t p2 = entry.m_nParam[2];
    if (record.m_bReverse != 0) std::swap(p1, p2);
    record.m_nTime = p0;
    record.m_nStart = p1;
    record.m_nEnd = p2;
    record.m_dValue = p1;
    // In 64 bits and doubles: data values near the int limits must not overflow. A time of
    // 0 or less gives no step here; Step ends such an effect after one frame.
    const double span = static_cast<double>(std::llabs(static_cast<long long>(p2) - p1));
    record.m_dStep = p0 > 0 ? span / (p0 * 6.0) : span;
    if (kind == kWaveXKind || kind == kWaveYKind) record.m_nPhase = 0;
  }
  if (kind != 0 && record.m_nStart == record.m_nEnd) {
    record.m_dStep = kSixth;
    record.m_dTimeCount = 0;
  }
}

void cCharaEffect::Load(const cCharaEffect& prepared) {
  m_pData = prepared.m_pData;
  m_nStart = prepared.m_nStart;
  m_nEnd = prepared.m_nEnd;
  m_dValue = prepared.m_dValue;
  m_dStep = prepared.m_dStep;
  m_dTimeCount = prepared.m_dTimeCount;
  m_nTime = prepared.m_nTime;
  m_nPhase = prepared.m_nPhase;
  m_bToggle = prepared.m_bToggle;
}

void cCharaEffect::Start(std::int32_t nId, std::int32_t nMode, std::int32_t bRepeat) {
  m_bReverse = nMode == CHARAFX_RUN_REVERSE ? 1 : 0;
  Load(CheckedAt(m_bReverse != 0 ? g_CharaEffectRev : g_CharaEffectFwd, nId));
  m_nId = nId;
  m_nRunMode = nMode;
  m_bRepeat = bRepeat;
  m_nCounter = 0;
}

void cCharaEffect::Restart() {
  if (m_nRunMode == CHARAFX_RUN_BOTH) m_bReverse = m_bReverse != 0 ? 0 : 1;
  Load(CheckedAt(m_bReverse != 0 ? g_CharaEffectRev : g_CharaEffectFwd, m_nId));
  m_nCounter = 0;
}

std::int32_t cCharaEffect::Step() {
  bool bGoesOn = false;
  if (m_nTime <= 0) {
    // A time of 0 or less from a damaged entry would divide by zero or run backwards for
    // ever: the effect shows its end value for one frame and ends.
    m_dValue = m_nEnd;
  } else if (m_nStart == m_nEnd) {
    m_dTimeCount += m_dStep;
    bGoesOn = m_dTimeCount <= m_nTime;
  } else if (m_nStart < m_nEnd) {
    m_dValue += m_dStep;
    bGoesOn = m_dValue <= m_nEnd;
  } else {
    m_dValue -= m_dStep;
    bGoesOn = m_dValue >= m_nEnd;
  }
  if (bGoesOn) return 0;
  if (m_bRepeat != 0) {
    Restart();
    return 0;
  }
  if (m_nRunMode == CHARAFX_RUN_BOTH && m_bReverse == 0) {
    Restart();
    return 0;
  }
  return 1;
}

void cCharaEffect::Clear() {
  m_nId = 0;
  m_pData = nullptr;
  m_bRepeat = 0;
  m_bReverse = 0;
}

std::int32_t cCharaEffect::Kind() const { return m_pData != nullptr ? m_pData->m_nKind : 0; }

std::int32_t cCharaEffect::Param(int nIndex) const {
  if (m_pData == nullptr || nIndex < 0 || nIndex >= 5) return 0;
  return m_pData->m_nParam[nIndex];
}
