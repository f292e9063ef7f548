#include "flow/move_target.h"

#include <cmath>

#include "data/flow/flow_command.h"
#include "data/flow/movement_block.h"
#include "flow/flow_run.h"
#include "objects/game_obj.h"
#include "objects/trunc.h"

void CalcMoveTarget(const cGameObj& target, double* pX, double* pY, const cFlowCmdRun& run) {
  const cEdMove* m = run.m_lpCmd != nullptr ? run.m_lpCmd->m_pMove.get() : nullptr;
  const bool lockX = m != nullptr && m->m_bLockX != 0;
  const bool lockY = m != nullptr && m->m_bLockY != 0;
  const double cx = target.m_rcScreen.left + (target.m_nCellW >> 1);
  const double cy = target.m_rcScreen.top + (target.m_nCellH >> 1);
  if (lockY) {
    *pX = cx + run.m_nTargetX;
  } else if (lockX) {
    *pY = cy + run.m_nTargetY;
  } else {
    *pX = cx + run.m_nTargetX;
    *pY = cy + run.m_nTargetY;
  }
}

void TurnChargeVelocity(double* pVx, double* pVy, double s, std::int32_t nAngle, bool bFlying, bool bOldRule) {
  constexpr double kRadToDeg = 57.29577951308239;
  constexpr double kDegToRad = 0.017453292519943278;
  const double degrees = bOldRule ? std::atan2(*pVx, *pVy) * kRadToDeg + 90 : std::atan2(*pVy, *pVx) * kRadToDeg + 180;
  // The direction is kept in whole degrees, as a 16-bit angle.
  const auto base = static_cast<std::int16_t>(TruncToInt(degrees));
  const double r = static_cast<double>(static_cast<std::int64_t>(base) + nAngle) * kDegToRad;
  *pVx = bOldRule ? s * std::cos(r) : -(s * std::cos(r));
  if (bFlying) *pVy = -(s * std::sin(r));
}
