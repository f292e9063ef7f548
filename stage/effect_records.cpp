// The screen-effect runtime: see effect_records.h.
#include "stage/effect_records.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/checked_access.h"
#include "data/database/database.h"
#include "stage/effect_run_tables.h"

namespace {

constexpr double kEffectRecordsSixth = 1.0 / 6.0;
constexpr std::int32_t kRunBoth = 2;
constexpr std::int32_t kRunReverse = 1;

// Parameters the handler of a kind divides by or takes as a band size.
bool IsDegenerate(std::int32_t kind, const std::int32_t* p) {
  if (kind == SCREFFECT_NONE) return false;
  if (kind < 0 || kind >= SCREFFECT_KIND_COUNT) return true;
  if (p[0] <= 0) return true;
  switch (kind) {
    case SCREFFECT_SPLITX:
    case SCREFFECT_SPLITY:
    case SCREFFECT_CIRCLE:
      return p[3] <= 0;
    case SCREFFECT_WAVEX:
    case SCREFFECT_WAVEY:
      return p[4] <= 0;
    default:
      return false;
  }
}

}  // namespace

void PrepareScrEffect(cScrEffect& record, int nIndex, int nDirection) {
  record = cScrEffect();
  record.m_nId = nIndex;
  // Both directions read the same entry; the reverse direction's swap of start and end is
  // kept in the prepared parameters, so the database is never written.
  const cScrEffectData& entry = CheckedAt(g_Database.m_ScrEffectWork, nIndex);
  record.m_pData = &entry;
  record.m_bReverse = nDirection != 0 ? 1 : 0;
  record.m_nKind = entry.m_nKind;
  std::int32_t* p = record.m_nParam;
  for (int i = 0; i < 5; ++i) p[i] = entry.m_nParam[i];
  record.m_nTime = p[0];
  const std::int32_t kind = record.m_nKind;
  switch (kind) {
    case SCREFFECT_MOVE:
      if (record.m_bReverse != 0) {
        std::swap(p[1], p[3]);
        std::swap(p[2], p[4]);
      }
      record.m_dValue = 0;
      record.m_dStep = kEffectRecordsSixth;
      record.m_nWork1 = p[1];
      record.m_nWork2 = p[2];
      break;
    case SCREFFECT_SHAKEX:
    case SCREFFECT_SHAKEY:
    case SCREFFECT_BLINK:
      record.m_dValue = 0;
      record.m_dStep = kEffectRecordsSixth;
      break;
    default: {
      if (record.m_bReverse != 0) std::swap(p[1], p[2]);
      record.m_dValue = p[1];
      // In 64 bits: data values near the int limits must not overflow.
      const double span = static_cast<double>(std::llabs(static_cast<long long>(p[2]) - p[1]));
      record.m_dStep = p[0] > 0 ? span / (p[0] * 6.0) : span;
      if (p[1] == p[2]) {
        record.m_bTimeMode = 1;
        record.m_dStep = kEffectRecordsSixth;
        record.m_dTimeCount = 0;
      }
      break;
    }
  }
  record.m_bDegenerate = IsDegenerate(kind, p) ? 1 : 0;
  if (record.m_bDegenerate != 0) {
    // The one frame it shows is its end.
    if (kind == SCREFFECT_MOVE) {
      record.m_nWork1 = p[3];
      record.m_nWork2 = p[4];
    } else if (kind != SCREFFECT_SHAKEX && kind != SCREFFECT_SHAKEY && kind != SCREFFECT_BLINK) {
      record.m_dValue = p[2];
    }
  }
}

void cScrEffect::Load(const cScrEffect& prepared) {
  m_pData = prepared.m_pData;
  m_dValue = prepared.m_dValue;
  m_dShake = prepared.m_dShake;
  m_dStep = prepared.m_dStep;
  m_nWork1 = prepared.m_nWork1;
  m_nWork2 = prepared.m_nWork2;
  m_bTimeMode = prepared.m_bTimeMode;
  m_dTimeCount = prepared.m_dTimeCount;
  m_nTime = prepared.m_nTime;
  m_nKind = prepared.m_nKind;
  for (int i = 0; i < 5; ++i) m_nParam[i] = prepared.m_nParam[i];
  m_bDegenerate = prepared.m_bDegenerate;
}

void cScrEffect::Start(std::int32_t nId, std::int32_t nMode, std::int32_t bRepeat) {
  m_bReverse = nMode == kRunReverse ? 1 : 0;
  const std::vector<cScrEffect>& table = m_bReverse != 0 ? g_ScrEffectRev : g_ScrEffectFwd;
  Load(CheckedAt(table, nId));
  // An entry outside the list (reported by the guarded access) runs nothing, rather than
  // entry 0's endless no-effect under an id that names nothing.
  m_nId = nId >= 0 && static_cast<std::size_t>(nId) < table.size() ? nId : 0;
  m_nRunMode = nMode;
  m_bRepeat = bRepeat;
  m_nCounter = 0;
}

void cScrEffect::Restart() {
  if (m_nRunMode == kRunBoth) m_bReverse = m_bReverse != 0 ? 0 : 1;
  Load(CheckedAt(m_bReverse != 0 ? g_ScrEffectRev : g_ScrEffectFwd, m_nId));
  m_nCounter = 0;
}

std::int32_t cScrEffect::Step(std::int32_t nStart, std::int32_t nEnd, double dStep) {
  // Shown once at its end value; repeating it would only show that frame again and again.
  if (m_bDegenerate != 0) return 1;
  bool bGoesOn = false;
  if (m_bTimeMode != 0) {
    m_dTimeCount += m_dStep;
    bGoesOn = m_dTimeCount <= m_nTime;
  } else if (nStart <= nEnd) {
    // Truncated in doubles: a value that passes an end at the int limit must still end.
    m_dValue += dStep;
    bGoesOn = std::trunc(m_dValue) <= nEnd;
  } else {
    m_dValue -= dStep;
    bGoesOn = std::trunc(m_dValue) >= nEnd;
  }
  if (bGoesOn) return 0;
  if (m_bRepeat != 0) {
    Restart();
    return 0;
  }
  if (m_nRunMode == kRunBoth && m_bReverse == 0) {
    Restart();
    return 0;
  }
  return 1;
}

std::int32_t cScrEffect::Param(int nIndex) const {
  if (nIndex < 0 || nIndex >= 5) return 0;
  return m_nParam[nIndex];
}
