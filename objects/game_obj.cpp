#include "objects/game_obj.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "app/sat_int.h"
#include "data/stage/screen_out_range.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "objects/trunc.h"
#include "stage/block_grid.h"
#include "stage/scene_game.h"
#include "stage/scroll.h"

const double g_dDiagonal = 0.7071067811865476;

namespace {

constexpr int kViewW = 640;
constexpr int kViewH = 480;
// The system-memory copy of a fixed surface sits this many rows further.
constexpr int kSystemMemoryRowOffset = 18;

// An axis of zero size stands in while no stage is being played.
cScroll g_NoSceneScrollX;
cScroll g_NoSceneScrollY;

// The world size of an axis: the stage and both margins.
double WorldSize(const cScroll& axis) { return static_cast<double>(axis.m_nCells) * 32.0; }

// The axis scrolls by itself: a speed and not held at a scroll limit.
bool AxisAutoScrolls(const cScroll& axis) { return axis.m_dSpeed != 0 && !axis.m_bAtLimit; }

}  // namespace

cScroll& ObjScrollX() {
  cSceneGame* scene = GameScene();
  return scene != nullptr ? scene->m_ScrollX : g_NoSceneScrollX;
}

cScroll& ObjScrollY() {
  cSceneGame* scene = GameScene();
  return scene != nullptr ? scene->m_ScrollY : g_NoSceneScrollY;
}

void cHitArea::UpdateX(double x) {
  m_rc.left = static_cast<double>(SatAdd(TruncToInt(x), m_nOffX));
  m_rc.right = m_rc.left + m_nW - 1;
}

void cHitArea::UpdateY(double y) {
  m_rc.top = static_cast<double>(SatAdd(TruncToInt(y), m_nOffY));
  m_rc.bottom = m_rc.top + m_nH - 1;
}

void cGameObj::CopyFrom(const cGameObj& other) { cGameObj::operator=(other); }

void cGameObj::SetScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  m_nBoxW = SatMul(nNew, m_nBaseBoxW);
  m_nBoxH = SatMul(nNew, m_nBaseBoxH);
  m_nBoxOffX = SatMul(nNew, m_nBaseBoxOffX);
  m_nBoxOffY = SatMul(nNew, m_nBaseBoxOffY);
  m_nCellW = SatMul(nNew, m_nBaseCellW);
  m_nCellH = SatMul(nNew, m_nBaseCellH);
  ReanchorAfterScale(nNew, nOld);
  ScaleHitRects(nNew);
}

void cGameObj::ScaleHitRects(std::int32_t) {}
void cGameObj::ReanchorYAfterScale(std::int32_t, std::int32_t) {}
void cGameObj::UpdateHitRectX() {}
void cGameObj::UpdateHitRectY() {}
void cGameObj::SetCenter(std::int32_t, std::int32_t) {}
void cGameObj::SetCenterAndStop(std::int32_t, std::int32_t, cFlowCmdRun*) {}
void cGameObj::SetCenterX(std::int32_t) {}
void cGameObj::SetCenterXAndStop(std::int32_t, cFlowCmdRun*) {}
void cGameObj::SetCenterY(std::int32_t) {}
void cGameObj::SetCenterYAndStop(std::int32_t, cFlowCmdRun*) {}

void cGameObj::Init(std::int32_t nObjId, std::int32_t nKind, std::int32_t nPlayerNo, std::int32_t nLayer,
                    std::int32_t nGraphic, const std::int32_t* const* lplpAnimeTable, std::int32_t nFirstAnime,
                    std::int32_t nBoxOffX, std::int32_t nBoxOffY, std::int32_t nBoxW, std::int32_t nBoxH,
                    std::int32_t nCellW, std::int32_t nCellH, std::int32_t nFacing, std::int32_t nFlyingMode,
                    std::int32_t nCopyIndex, const void*) {
  m_nObjId = nObjId;
  m_nKind = nKind;
  m_nPlayerNo = nPlayerNo;
  m_nLayer = nLayer;
  m_nGraphic = nGraphic;
  m_nLife = std::numeric_limits<std::int32_t>::max();
  if (lplpAnimeTable != nullptr) {
    m_Anime.SetTable(lplpAnimeTable);
    m_Anime.Set(nFirstAnime, 1);
  }
  m_nBoxOffX = m_nBaseBoxOffX = nBoxOffX;
  m_nBoxOffY = m_nBaseBoxOffY = nBoxOffY;
  m_nCellW = m_nBaseCellW = nCellW;
  m_nCellH = m_nBaseCellH = nCellH;
  m_nBoxW = m_nBaseBoxW = nBoxW;
  m_nBoxH = m_nBaseBoxH = nBoxH;
  m_nFacing = nFacing;
  m_nCopyIndex = static_cast<std::int16_t>(nCopyIndex);
  m_dVx = m_dVy = 0;
  m_dCmdVx = m_dCmdVy = 0;
  m_bActive = 0;
  m_bOnScreen = 0;
  m_bCondLatched = 0;
  SetFlying(nFlyingMode);
}

void cGameObj::SetFlying(std::int32_t nMode) {
  switch (nMode) {
    case 0: m_bNoGravity = 0; m_nBlockHit = 1; break;
    case 1: m_bNoGravity = 1; m_nBlockHit = 0; break;
    case 2: m_bNoGravity = 1; m_nBlockHit = 1; break;
    case 3: m_bNoGravity = 1; m_nBlockHit = 2; break;
    default: break;
  }
}

void cGameObj::ReanchorAfterScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  m_dX -= static_cast<double>((std::int64_t{nNew} - nOld) * (m_nBaseBoxW >> 1));
  ClampX(2);
  ReanchorYAfterScale(nNew, nOld);
}

void cGameObj::FinishClampX() {
  m_dRight = m_dX + m_nBoxW - 1;
  UpdateHitRectX();
  m_nCellL = TruncToInt(m_dX) >> 5;
  m_nCellR = TruncToInt(m_dRight) >> 5;
}

void cGameObj::FinishClampY() {
  m_dBottom = m_dY + m_nBoxH - 1;
  UpdateHitRectY();
  m_nCellT = TruncToInt(m_dY) >> 5;
  m_nCellB = TruncToInt(m_dBottom) >> 5;
}

std::int32_t cGameObj::ClampX(std::int32_t nMode) {
  const cScroll& axis = ObjScrollX();
  const std::int32_t w = m_nBoxW;
  const double right = m_dX + w - 1;
  std::int32_t code = 0;
  switch (nMode) {
    case 0:
      if (m_dX < axis.m_nMin) {
        m_dX = axis.m_nMin;
      } else if (right >= axis.m_nMax) {
        m_dX = axis.m_nMax - w;
      }
      break;
    case 1:
      if (m_dX < axis.m_nOrigin) {
        m_dX = axis.m_nOrigin;
      } else if (right >= axis.m_nExtent) {
        m_dX = axis.m_nExtent - w;
      } else if (m_dX < axis.m_nMin || right >= axis.m_nMax) {
        code = 1;
      }
      break;
    case 2: {
      const double world = WorldSize(axis);
      if (m_dX < 0) {
        m_dX = 0;
        code = 3;
      } else if (right >= world) {
        m_dX = world - w;
        code = 3;
      } else if (m_dX < axis.m_nOrigin || right >= axis.m_nExtent) {
        code = 2;
      } else if (m_dX < axis.m_nMin || right >= axis.m_nMax) {
        code = 1;
      }
      break;
    }
    default:
      break;
  }
  FinishClampX();
  return code;
}

std::int32_t cGameObj::ClampY(std::int32_t nMode) {
  const cScroll& axis = ObjScrollY();
  const std::int32_t h = m_nBoxH;
  const double bottom = m_dY + h - 1;
  std::int32_t code = 0;
  switch (nMode) {
    case 0:
      if (m_dY < axis.m_nMin) {
        m_dY = axis.m_nMin;
      } else if (bottom >= axis.m_nMax) {
        m_dY = axis.m_nMax - h;
      }
      break;
    case 1:
      if (m_dY < axis.m_nOrigin) {
        m_dY = axis.m_nOrigin;
      } else if (bottom >= axis.m_nExtent) {
        m_dY = axis.m_nExtent - h;
      } else if (m_dY < axis.m_nMin) {
        code = 1;
      } else if (bottom >= axis.m_nMax) {
        code = 4;
      }
      break;
    case 2: {
      const double world = WorldSize(axis);
      // An object as tall as the margin or taller is never held at the world's edges: it
      // may stand partly outside the world (its block probes then read empty cells).
      const bool bHoldable = h < axis.m_nMargin * 32;
      if (m_dY < 0) {
        if (bHoldable) {
          m_dY = 0;
          code = 3;
        }
      } else if (bottom >= world) {
        if (bHoldable) {
          m_dY = world - h;
          code = 6;
        }
      } else if (m_dY < axis.m_nOrigin) {
        code = 2;
      } else if (bottom >= axis.m_nExtent) {
        code = 5;
      } else if (m_dY < axis.m_nMin) {
        code = 1;
      } else if (bottom >= axis.m_nMax) {
        code = 4;
      }
      break;
    }
    default:
      break;
  }
  FinishClampY();
  return code;
}

// The speed limit clamps the stored velocity, not only this step's move: a velocity that
// gravity keeps growing during a long fall stays at the limit (a terminal speed), so what
// conditions, landings and impacts read of it is the speed the object really moves at.
std::int32_t cGameObj::MoveX(std::int32_t nMode) {
  const double limit = g_StageData.m_dSpeedLimitStep;
  if (m_dVx > limit) m_dVx = limit;
  if (m_dVx < -limit) m_dVx = -limit;
  m_dX += m_dVx;
  const std::int32_t code = ClampX(nMode);
  return code >= 1 && code <= 3 ? code : 0;
}

std::int32_t cGameObj::MoveY(std::int32_t nMode) {
  const double limit = g_StageData.m_dSpeedLimitStep;
  if (m_dVy > limit) m_dVy = limit;
  if (m_dVy < -limit) m_dVy = -limit;
  m_dY += m_dVy;
  const std::int32_t code = ClampY(nMode);
  return code >= 1 && code <= 6 ? code : 0;
}

void cGameObj::ApplyGravity() {
  if (m_bNoGravity == 0) m_dVy += g_StageData.m_dGravityStep;
}

void cGameObj::ApplyFriction(double& dSpeed, std::int32_t bOn) const {
  if (bOn == 0) return;
  if (dSpeed > 0) {
    dSpeed -= m_dFriction;
    if (dSpeed < 0) dSpeed = 0;
  } else if (dSpeed < 0) {
    dSpeed += m_dFriction;
    if (dSpeed > 0) dSpeed = 0;
  }
}

void cGameObj::UpdateScreenRect() {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const double sx = ax.m_dPos;
  const double sy = ay.m_dPos;
  // The roundings differ on purpose: flying objects that ride the automatic scroll are
  // placed from the unrounded difference, so they do not jitter by a dot against it.
  if (m_bNoGravity == 0) {
    m_rcScreen.left = TruncToInt((m_dX - m_nBoxOffX) - TruncToInt(sx));
    m_rcScreen.top = TruncToInt((m_dY - m_nBoxOffY) - TruncToInt(sy));
  } else {
    if (AxisAutoScrolls(ax)) {
      m_rcScreen.left = m_bScrollSync != 0 ? SatSub(TruncToInt(m_dX - sx), m_nBoxOffX)
                                           : TruncToInt((m_dX - m_nBoxOffX) - TruncToInt(sx));
    } else {
      m_rcScreen.left = SatInt32(std::int64_t{TruncToInt(m_dX)} - TruncToInt(sx) - m_nBoxOffX);
    }
    if (AxisAutoScrolls(ay)) {
      m_rcScreen.top = SatInt32(std::int64_t{TruncToInt(m_dY - sy)} - m_nBoxOffY + 1);
    } else {
      m_rcScreen.top = SatInt32(std::int64_t{TruncToInt(m_dY)} - TruncToInt(sy) - m_nBoxOffY);
    }
  }
  // Far off the screen (a position from a damaged stage) the corners stay at the int32
  // limits rather than wrapping round to the other side.
  m_rcScreen.right = SatInt32(std::int64_t{m_rcScreen.left} + m_nCellW - 1);
  m_rcScreen.bottom = SatInt32(std::int64_t{m_rcScreen.top} + m_nCellH - 1);
}

bool cGameObj::IsOnScreen() const { return IsOnScreenAxes(0, 0); }

bool cGameObj::IsOnScreenAxes(std::int32_t bIgnoreX, std::int32_t bIgnoreY) const {
  const double sx = ObjScrollX().m_dPos;
  const double sy = ObjScrollY().m_dPos;
  if (bIgnoreX == 0 && !(m_dRight >= sx && sx + kViewW > m_dX)) return false;
  if (bIgnoreY == 0 && !(m_dBottom >= sy && sy + kViewH > m_dY)) return false;
  return true;
}

bool cGameObj::IsInsideArea(std::int32_t bWorld) const {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  if (bWorld == 1) {
    return 0 <= m_dX && m_dRight < WorldSize(ax) && 0 <= m_dY && m_dBottom < WorldSize(ay);
  }
  return ax.m_nOrigin <= m_dX && m_dRight < ax.m_nExtent && ay.m_nOrigin <= m_dY && m_dBottom < ay.m_nExtent;
}

bool cGameObj::TouchesSolidBlock() const {
  return BlockHitAt(m_nCellL, m_nCellT, m_nLayer) != 0 || BlockHitAt(m_nCellL, m_nCellB, m_nLayer) != 0 ||
         BlockHitAt(m_nCellR, m_nCellT, m_nLayer) != 0 || BlockHitAt(m_nCellR, m_nCellB, m_nLayer) != 0;
}

bool cGameObj::TouchesSolidBlockEx(std::int32_t) const { return TouchesSolidBlock(); }

bool cGameObj::IsOutsideActiveArea(const cScreenOutRange& range) const {
  if (m_bOnScreen != 0) return false;
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const double sx = ax.m_dPos;
  const double sy = ay.m_dPos;
  if (range.m_bLeft != 0 && TruncToInt(sx - range.m_nLeft * 32.0) >= m_dRight) return true;
  if (range.m_bRight != 0 && TruncToInt(sx + range.m_nRight * 32.0 + kViewW) <= m_dX) return true;
  if (range.m_bBottom != 0 && TruncToInt(sy + range.m_nBottom * 32.0 + kViewH) <= m_dY) return true;
  if (range.m_bTop != 0 && TruncToInt(sy - range.m_nTop * 32.0) >= m_dBottom) return true;
  return m_dX <= 0 || m_dRight >= WorldSize(ax) - 1 || m_dY <= 0 || m_dBottom >= WorldSize(ay) - 1;
}

void CalcRangeOnAxis(std::int32_t nPos, std::int32_t nSize, std::int32_t nLow, std::int32_t nHigh,
                     std::int32_t bWhole, std::int32_t* pLowEnd, std::int32_t* pHighEnd) {
  const std::int32_t half = nSize >> 1;
  const std::int32_t centre = nPos + half;
  std::int32_t low = (nLow != 0 || (bWhole != 0 && nHigh == 0)) ? nPos : centre;
  std::int32_t high = (nHigh != 0 || (bWhole != 0 && nLow == 0)) ? centre + half : centre;
  // Ranges come from game data: wrap instead of overflowing.
  low = static_cast<std::int32_t>(static_cast<std::uint32_t>(low) - static_cast<std::uint32_t>(nLow));
  high = static_cast<std::int32_t>(static_cast<std::uint32_t>(high) + static_cast<std::uint32_t>(nHigh));
  *pLowEnd = low;
  *pHighEnd = high;
}

bool IsInDistanceRange(std::int32_t nPos, std::int32_t nSize, std::int32_t nOtherNear, std::int32_t nOtherFar,
                       std::int32_t nOtherBoxOff, std::int32_t nLow, std::int32_t nHigh, std::int32_t bWhole,
                       std::int32_t bVertical, const cGameObj* pOther) {
  std::int32_t low = 0;
  std::int32_t high = 0;
  CalcRangeOnAxis(nPos, nSize, nLow, nHigh, bWhole, &low, &high);
  std::int64_t farEdge = static_cast<std::int64_t>(nOtherFar) - nOtherBoxOff;
  if (bVertical != 0 && g_SystemData.m_bRuleDistance733 == 0 && pOther != nullptr) {
    // A box standing on the bottom of its cell is measured to the cell's bottom.
    const std::int64_t boxH = static_cast<std::int64_t>(TruncToInt(pOther->m_dBottom - pOther->m_dY)) + 1;
    if (boxH + nOtherBoxOff >= pOther->m_nCellH) farEdge = nOtherFar;
  }
  return low <= farEdge && static_cast<std::int64_t>(nOtherNear) + nOtherBoxOff <= high;
}

void CalcImpactVelocity(double* pVx, double* pVy, std::int8_t nPower, double dx, double dy) {
  if (nPower == 0) return;
  const double sum = std::fabs(dx) + std::fabs(dy);
  if (sum == 0) {
    *pVx = 0;
    *pVy = 0;
    return;
  }
  const double n = g_StageData.m_dSubSteps;
  auto speedOf = [n](double a) {
    if (a > 0) return (std::sqrt(1 + 128 * n * a) - 1) / (2 * n);
    if (a < 0) return -(std::sqrt(1 - 128 * n * a) - 1) / (2 * n);
    return 0.0;
  };
  *pVx = speedOf(nPower * dx / sum);
  *pVy = speedOf(nPower * dy / sum);
}

double PerSecToPerStep(double dValue) { return dValue / g_StageData.m_dSubSteps / 60; }

std::int32_t ShotSurfaceRow(std::int32_t nRow, std::int32_t bScaled) {
  if (lpDDCon == nullptr) return nRow;
  const std::int32_t systemRow = nRow + kSystemMemoryRowOffset;
  if (nRow < 0 || systemRow >= kFixedSurfaceCount) return nRow;
  if (bScaled != 0) return g_FixedSurface[systemRow].lpDDData != nullptr ? systemRow : nRow;
  return g_FixedSurface[nRow].lpDDData == nullptr ? systemRow : nRow;
}
