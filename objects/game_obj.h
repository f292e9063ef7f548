#pragma once
// The base of every object on a stage (characters, the players, items, shots and swords):
// world position and collision box, sprite cell and screen rectangle, block cells, motion
// state per physics sub-step, scale, and the clamps and tests shared by all of them.
//
// World coordinates carry a margin of 10 blocks (320 dots) on every side of the stage, the
// same margin the block grid has, so trunc(x) >> 5 indexes the grid directly.
#include <cstdint>

#include "app/sat_int.h"
#include "media/draw/anime_seq.h"

class cFlowCmdRun;
class cScroll;
class cScreenOutRange;
struct DDSURFACEDATA;

// Four doubles, inclusive edges, world dots.
class cDoubleRect {
 public:
  void Clear() { left = top = right = bottom = 0; }
  void Copy(const cDoubleRect& other) { *this = other; }
  // Touching edges overlap.
  [[nodiscard]] bool IsOverlap(const cDoubleRect& other) const {
    return left <= other.right && right >= other.left && top <= other.bottom && bottom >= other.top;
  }

  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// A hit area: its world rectangle, then offset (from the collision box's top-left) and
// size, current and at scale 1. The owner recomputes the rectangle in UpdateHitRectX/Y.
class cHitArea {
 public:
  cDoubleRect m_rc;
  std::int32_t m_nOffX = 0;
  std::int32_t m_nOffY = 0;
  std::int32_t m_nW = 0;
  std::int32_t m_nH = 0;
  std::int32_t m_nBaseOffX = 0;
  std::int32_t m_nBaseOffY = 0;
  std::int32_t m_nBaseW = 0;
  std::int32_t m_nBaseH = 0;

  // Current and scale-1 values alike.
  void SetBoth(std::int32_t offX, std::int32_t offY, std::int32_t w, std::int32_t h) {
    m_nOffX = m_nBaseOffX = offX;
    m_nOffY = m_nBaseOffY = offY;
    m_nW = m_nBaseW = w;
    m_nH = m_nBaseH = h;
  }
  // Current values = factor x scale-1 values.
  void Scale(std::int32_t factor) {
    m_nOffX = SatMul(factor, m_nBaseOffX);
    m_nOffY = SatMul(factor, m_nBaseOffY);
    m_nW = SatMul(factor, m_nBaseW);
    m_nH = SatMul(factor, m_nBaseH);
  }
  // World rectangle from the truncated box position and the current offset and size.
  void UpdateX(double x);
  void UpdateY(double y);
};

// Screen rectangle of a sprite cell, inclusive edges.
struct cIntRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// 1 / sqrt(2): the per-axis speed factor of diagonal motion.
extern const double g_dDiagonal;

// The scroll axes of the running stage (the stage-play scene's m_ScrollX and m_ScrollY).
// Without a scene they are axes of zero size, so nothing here dereferences null.
cScroll& ObjScrollX();
cScroll& ObjScrollY();

class cGameObj {
 public:
  cGameObj() = default;
  cGameObj(const cGameObj&) = default;
  cGameObj& operator=(const cGameObj&) = default;

  // The virtual operations, in their fixed slot order (0-12).
  virtual ~cGameObj() = default;
  virtual void CopyFrom(const cGameObj& other);
  virtual void SetScale(std::int32_t nNew, std::int32_t nOld);
  virtual void ScaleHitRects(std::int32_t nFactor);
  virtual void ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld);
  virtual void UpdateHitRectX();
  virtual void UpdateHitRectY();
  virtual void SetCenter(std::int32_t x, std::int32_t y);
  virtual void SetCenterAndStop(std::int32_t x, std::int32_t y, cFlowCmdRun* run);
  virtual void SetCenterX(std::int32_t x);
  virtual void SetCenterXAndStop(std::int32_t x, cFlowCmdRun* run);
  virtual void SetCenterY(std::int32_t y);
  virtual void SetCenterYAndStop(std::int32_t y, cFlowCmdRun* run);

  void Init(std::int32_t nObjId, std::int32_t nKind, std::int32_t nPlayerNo, std::int32_t nLayer,
            std::int32_t nGraphic, const std::int32_t* const* lplpAnimeTable, std::int32_t nFirstAnime,
            std::int32_t nBoxOffX, std::int32_t nBoxOffY, std::int32_t nBoxW, std::int32_t nBoxH,
            std::int32_t nCellW, std::int32_t nCellH, std::int32_t nFacing, std::int32_t nFlyingMode,
            std::int32_t nCopyIndex, const void* lpUnused);
  void SetFlying(std::int32_t nMode);
  void ReanchorAfterScale(std::int32_t nNew, std::int32_t nOld);

  // Edge codes: horizontal 1 beyond the scroll limits, 2 beyond the stage, 3 held at the
  // world edge; vertical 1/4 above/below the scroll limits, 2/5 above/below the stage,
  // 3/6 held at the top/bottom world edge.
  std::int32_t ClampX(std::int32_t nMode);
  std::int32_t ClampY(std::int32_t nMode);
  std::int32_t MoveX(std::int32_t nMode);
  std::int32_t MoveY(std::int32_t nMode);
  void ApplyGravity();
  void ApplyFriction(double& dSpeed, std::int32_t bOn) const;
  [[nodiscard]] std::int32_t GetFacingSign() const { return m_nFacing == 0 ? -1 : 1; }

  void UpdateScreenRect();
  [[nodiscard]] bool IsOnScreen() const;
  [[nodiscard]] bool IsOnScreenAxes(std::int32_t bIgnoreX, std::int32_t bIgnoreY) const;
  [[nodiscard]] bool IsInsideArea(std::int32_t bWorld) const;
  [[nodiscard]] bool TouchesSolidBlock() const;
  [[nodiscard]] bool TouchesSolidBlockEx(std::int32_t nIgnored) const;
  [[nodiscard]] bool IsOutsideActiveArea(const cScreenOutRange& range) const;

  // Point-to-point moves of a running command toward a screen point (objects/move_toward.cpp);
  // 1 on arrival.
  std::int32_t MoveTowardPoint(cFlowCmdRun* run, cGameObj* pTarget, double toX, double toY,
                               std::int32_t bSelfSync, std::int32_t bTestArrival);
  std::int32_t MoveTowardPointX(cFlowCmdRun* run, cGameObj* pTarget, double toX, std::int32_t bSelfSync,
                                std::int32_t bTestArrival);
  std::int32_t MoveTowardPointY(cFlowCmdRun* run, cGameObj* pTarget, double toY, std::int32_t bSelfSync,
                                std::int32_t bTestArrival);

  std::int32_t m_nObjId = 0;
  std::int32_t m_nLife = 0;        // sub-steps left; INT32_MAX = unlimited
  std::int32_t m_nFacing = 0;      // 0 left, else right
  std::int16_t m_nCopyIndex = 0;
  std::int32_t m_nGraphic = 0;
  cAnimeSeq m_Anime;
  cIntRect m_rcScreen;
  std::int32_t m_nBoxOffX = 0;
  std::int32_t m_nBoxOffY = 0;
  std::int32_t m_nCellW = 0;
  std::int32_t m_nCellH = 0;
  std::int32_t m_nBaseBoxOffX = 0;
  std::int32_t m_nBaseBoxOffY = 0;
  std::int32_t m_nBaseCellW = 0;
  std::int32_t m_nBaseCellH = 0;
  std::int32_t m_nKind = 0;        // 0 player-controlled (a hero), 1 computer-controlled
  std::int32_t m_nPlayerNo = 0;
  std::int32_t m_nLayer = 0;       // group 0-7; a block of this pass group lets it through
  double m_dX = 0;                 // top-left dot of the collision box
  double m_dY = 0;
  double m_dRight = 0;             // m_dX + box width - 1
  double m_dBottom = 0;
  std::int32_t m_nCellL = 0;       // block columns of m_dX and m_dRight, rows of m_dY and m_dBottom
  std::int32_t m_nCellT = 0;
  std::int32_t m_nCellR = 0;
  std::int32_t m_nCellB = 0;
  double m_dVx = 0;                // per sub-step
  double m_dVy = 0;
  double m_dCmdVx = 0;             // command velocity per sub-step
  double m_dCmdVy = 0;
  double m_dFriction = 0;          // deceleration of the command velocity per sub-step
  std::int32_t m_bFrictionX = 0;
  std::int32_t m_bFrictionY = 0;
  std::int32_t m_bScrollSync = 0;  // moves with the automatic scroll
  std::int32_t m_nBoxW = 0;
  std::int32_t m_nBoxH = 0;
  std::int32_t m_nBaseBoxW = 0;
  std::int32_t m_nBaseBoxH = 0;
  std::int32_t m_bNoGravity = 0;   // flying
  std::uint8_t m_nBlockHit = 0;    // 0 passes through blocks, 1 collides, 2 collides and dies
  std::int32_t m_bActive = 0;
  std::int32_t m_bOnScreen = 0;
  std::uint8_t m_bCondLatched = 0;

 protected:
  // Far edge and block cells of one axis after a clamp.
  void FinishClampX();
  void FinishClampY();
};

// The low and high end of a distance condition's range along one axis.
void CalcRangeOnAxis(std::int32_t nPos, std::int32_t nSize, std::int32_t nLow, std::int32_t nHigh,
                     std::int32_t bWhole, std::int32_t* pLowEnd, std::int32_t* pHighEnd);
bool IsInDistanceRange(std::int32_t nPos, std::int32_t nSize, std::int32_t nOtherNear, std::int32_t nOtherFar,
                       std::int32_t nOtherBoxOff, std::int32_t nLow, std::int32_t nHigh, std::int32_t bWhole,
                       std::int32_t bVertical, const cGameObj* pOther);
// Start speeds of a knock-back of `power` half-blocks along (dx, dy).
void CalcImpactVelocity(double* pVx, double* pVy, std::int8_t nPower, double dx, double dy);
// A value per second becomes a value per sub-step.
double PerSecToPerStep(double dValue);
// The fixed-surface row that draws an object graphic of row `row`.
std::int32_t ShotSurfaceRow(std::int32_t nRow, std::int32_t bScaled);
