#include "stage/scroll.h"

#include <cstdint>
#include <limits>

#include "data/stage/stage_data.h"

namespace {

std::int32_t ScrollClampToInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace

void cScroll::Clamp() {
  // The limits are integers but the position is not: compare in double precision.
  const double dMin = m_nMin;
  const double dMax = m_nMax;
  if (m_dPos < dMin) {
    m_dPos = dMin;
    m_bAtLimit = 1;
    return;
  }
  if (m_dPos + m_nView >= dMax) {
    m_dPos = dMax - m_nView;
    // A range shorter than the view keeps the view at its start.
    if (m_dPos < dMin) m_dPos = dMin;
    m_bAtLimit = 1;
    return;
  }
  m_bAtLimit = 0;
}

void cScroll::Step() {
  m_dPos += m_dSpeed;
  Clamp();
}

void cScroll::SetSpeed(std::int32_t bOn, std::int32_t nValue) {
  if (bOn == 0) {
    m_dSpeed = 0;
    m_bAuto = 0;
    return;
  }
  m_dSpeed = nValue * 0.1 / g_StageData.m_dSubSteps;
  m_bAuto = 1;
}

void cScroll::SetRange(std::int32_t nStartCell, std::int32_t nEndCell, std::int32_t bUseStart, std::int32_t bUseEnd) {
  // Computed in 64 bits: the cells come from the stage file, and set-up has only checked
  // the stage's own size.
  const std::int64_t min = bUseStart != 0 ? static_cast<std::int64_t>(nStartCell) * 32 + m_nOrigin : m_nOrigin;
  m_nMin = ScrollClampToInt32(min);
  if (bUseEnd != 0) {
    const std::int64_t max = (static_cast<std::int64_t>(nEndCell) + 1) * 32 + m_nOrigin;
    m_nMax = ScrollClampToInt32(max);
    if (m_nMax < m_nMin) m_nMax = m_nMin;
  } else {
    m_nMax = m_nExtent;
  }
}
