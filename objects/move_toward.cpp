#include "objects/move_toward.h"

#include <cmath>
#include <cstdint>

#include "data/flow/flow_command.h"
#include "data/flow/movement_block.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "objects/game_obj.h"
#include "objects/move_support.h"
#include "objects/trunc.h"
#include "stage/scroll.h"

namespace {

bool Scrolls(const cScroll& axis) { return axis.m_dSpeed != 0 && axis.m_bAtLimit == 0; }
// The automatic speed of an axis, 0 while it is held at a limit.
double AutoSpeed(const cScroll& axis) { return axis.m_bAtLimit != 0 ? 0.0 : axis.m_dSpeed; }

std::int32_t TurnOf(double vx) { return vx < 0 ? TURN_LEFT : vx > 0 ? TURN_RIGHT : TURN_NONE; }

// Adds (sign +1) or takes off (sign -1) the automatic speed on each axis that scrolls.
void ShiftByScroll(double* pVx, double* pVy, double sign) {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  if (Scrolls(ax)) *pVx += sign * ax.m_dSpeed;
  if (Scrolls(ay)) *pVy += sign * ay.m_dSpeed;
}

// The velocity of magnitude |(vx, vy)| whose difference to the scroll speed points along
// (dx, dy). false on an early end: the outputs keep what they hold, no turn, no arrival.
bool Intercept(double* pVx, double* pVy, double fromX, double fromY, double toX, double toY) {
  const double dx = toX - fromX;
  const double dy = toY - fromY;
  const double sx = AutoSpeed(ObjScrollX());
  const double sy = AutoSpeed(ObjScrollY());
  const double v = std::sqrt(*pVx * *pVx + *pVy * *pVy);
  if (std::fabs(dy) < std::fabs(dx)) {
    if (dx == 0) return false;
    const double r = dy / dx;
    const double qa = 1 + r * r;
    const double qb = (2 * dy * dy * sx - 2 * sy * dy * dx) / (dx * dx);
    const double qc = (sy * dx - sx * dy) * (sy * dx - sx * dy) / (dx * dx) - v * v;
    const double disc = qb * qb - 4 * qa * qc;
    // No real solution: the straight velocity stays.
    if (disc < 0) return true;
    double u = (qb + std::sqrt(disc)) / (2 * qa);
    if (dx < 0) u = -u;
    *pVx = u;
    if (sx - *pVx == 0) return false;
    const double t = (fromX - toX) / (sx - *pVx);
    if (t == 0) return false;
    *pVy = (t * sy + dy) / t;
    return true;
  }
  if (dy == 0) return false;
  const double r = dx / dy;
  const double qa = 1 + r * r;
  const double qb = (2 * dx * dx * sy - 2 * sx * dx * dy) / (dy * dy);
  const double qc = (sx * dy - sy * dx) * (sx * dy - sy * dx) / (dy * dy) - v * v;
  const double disc = qb * qb - 4 * qa * qc;
  if (disc < 0) return true;
  double u = (qb + std::sqrt(disc)) / (2 * qa);
  if (dy < 0) u = -u;
  *pVy = u;
  if (sy - *pVy == 0) return false;
  const double t = (fromY - toY) / (sy - *pVy);
  if (t == 0) return false;
  *pVx = (t * sx + dx) / t;
  return true;
}

}  // namespace

std::int32_t CalcVelocityToward(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromX,
                                double fromY, double toX, double toY, double speed, std::int32_t bSelfSync,
                                std::int32_t bNoFlee, std::int32_t bTestArrival) {
  const double dx = toX - fromX;
  const double dy = toY - fromY;
  *pVx = 0;
  *pVy = 0;
  const bool legacy = g_SystemData.m_bRuleScrollSync != 0;
  const bool targetSync = pTarget != nullptr && pTarget->m_bScrollSync != 0;
  if (speed < 0 && bNoFlee == 0) {
    const double t = -(g_dDiagonal * speed);
    *pVx = fromX < toX ? -t : t;
    *pVy = fromY < toY ? -t : t;
    *pTurn = TurnOf(*pVx);
    if (legacy) {
      ShiftByScroll(pVx, pVy, 1);
    } else if (pTarget != nullptr && (bSelfSync != 0 ? !targetSync : targetSync)) {
      ShiftByScroll(pVx, pVy, -1);
    }
    return 0;
  }
  double dist = std::sqrt(dx * dx + dy * dy);
  if (dist == 0) dist = 1;
  *pVx = dx / dist * speed;
  *pVy = dy / dist * speed;
  if (legacy) {
    ShiftByScroll(pVx, pVy, 1);
  } else if (pTarget != nullptr && !targetSync) {
    ShiftByScroll(pVx, pVy, -1);
  } else if (pTarget != nullptr && bSelfSync == 0 && (Scrolls(ObjScrollX()) || Scrolls(ObjScrollY()))) {
    if (!Intercept(pVx, pVy, fromX, fromY, toX, toY)) return 0;
  }
  *pTurn = TurnOf(*pVx);
  if (bTestArrival == 0) return 0;
  return std::fabs(dx) <= std::fabs(speed) && std::fabs(dy) <= std::fabs(speed) ? 1 : 0;
}

std::int32_t CalcVelocityTowardX(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromX,
                                 double toX, double speed, std::int32_t bSelfSync, std::int32_t bTestArrival) {
  if (fromX < toX) {
    *pTurn = TURN_RIGHT;
    *pVx = speed;
  } else {
    *pTurn = TURN_LEFT;
    *pVx = -speed;
  }
  const cScroll& axis = ObjScrollX();
  if (bSelfSync == 0 && pTarget != nullptr && pTarget->m_bScrollSync != 0 && g_SystemData.m_bRuleScrollSync != 0 &&
      Scrolls(axis)) {
    *pVx += axis.m_dSpeed;
  }
  *pVy = 0;
  if (bTestArrival == 0) return 0;
  return std::fabs(fromX - toX) < std::fabs(speed) ? 1 : 0;
}

std::int32_t CalcVelocityTowardY(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromY,
                                 double toY, double speed, std::int32_t bSelfSync, std::int32_t bTestArrival) {
  *pTurn = TURN_NONE;
  *pVy = fromY < toY ? speed : -speed;
  const cScroll& axis = ObjScrollY();
  if (bSelfSync == 0 && pTarget != nullptr && pTarget->m_bScrollSync != 0 && g_SystemData.m_bRuleScrollSync != 0 &&
      Scrolls(axis)) {
    *pVy += axis.m_dSpeed;
  }
  *pVx = 0;
  if (bTestArrival == 0) return 0;
  return std::fabs(fromY - toY) < std::fabs(speed) ? 1 : 0;
}

namespace {

bool StopsOnArrival(const cFlowCmdRun* run) {
  const cEdMove* move = run->m_lpCmd != nullptr ? run->m_lpCmd->m_pMove.get() : nullptr;
  return move != nullptr && move->m_bStopAtTarget != 0;
}

// The movement block has no switch that keeps the screen rectangles as they are, so they
// are always brought up to date before the centre is set on the point.
void RefreshScreenRects(cGameObj& self, cGameObj* pTarget) {
  self.UpdateScreenRect();
  if (pTarget != nullptr) pTarget->UpdateScreenRect();
}

}  // namespace

std::int32_t cGameObj::MoveTowardPoint(cFlowCmdRun* run, cGameObj* pTarget, double toX, double toY,
                                       std::int32_t bSelfSync, std::int32_t bTestArrival) {
  if (run == nullptr) return 0;
  const double fromX = m_rcScreen.left + (m_nCellW >> 1);
  const double fromY = m_rcScreen.top + (m_nCellH >> 1);
  const std::int32_t arrived = CalcVelocityToward(&run->m_dVX, &run->m_dVY, &run->m_nTurn, pTarget, fromX, fromY, toX,
                                                  toY, run->m_dSpeed, bSelfSync, 0, bTestArrival);
  if (arrived != 0 && StopsOnArrival(run)) {
    RefreshScreenRects(*this, pTarget);
    SetCenterAndStop(TruncToInt(toX), TruncToInt(toY), run);
  }
  return arrived;
}

std::int32_t cGameObj::MoveTowardPointX(cFlowCmdRun* run, cGameObj* pTarget, double toX, std::int32_t bSelfSync,
                                        std::int32_t bTestArrival) {
  if (run == nullptr) return 0;
  const double fromX = m_rcScreen.left + (m_nCellW >> 1);
  const std::int32_t arrived = CalcVelocityTowardX(&run->m_dVX, &run->m_dVY, &run->m_nTurn, pTarget, fromX, toX,
                                                   run->m_dSpeed, bSelfSync, bTestArrival);
  if (arrived != 0 && StopsOnArrival(run)) {
    RefreshScreenRects(*this, pTarget);
    SetCenterXAndStop(TruncToInt(toX), run);
  }
  return arrived;
}

std::int32_t cGameObj::MoveTowardPointY(cFlowCmdRun* run, cGameObj* pTarget, double toY, std::int32_t bSelfSync,
                                        std::int32_t bTestArrival) {
  if (run == nullptr) return 0;
  const double fromY = m_rcScreen.top + (m_nCellH >> 1);
  const std::int32_t arrived = CalcVelocityTowardY(&run->m_dVX, &run->m_dVY, &run->m_nTurn, pTarget, fromY, toY,
                                                   run->m_dSpeed, bSelfSync, bTestArrival);
  if (arrived != 0 && StopsOnArrival(run)) {
    RefreshScreenRects(*this, pTarget);
    SetCenterYAndStop(TruncToInt(toY), run);
  }
  return arrived;
}
