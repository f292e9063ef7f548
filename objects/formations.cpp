// Formations and their layouts. Every position is computed in the firer's frame: its
// screen rectangle plus the scroll position gives world dots, and objects are placed by
// their top-left corner, so half sizes are subtracted to centre them.
#include "objects/formations.h"

#include <algorithm>
#include <cmath>

#include "app/checked_access.h"
#include "app/sat_int.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "objects/move_toward.h"
#include "objects/player.h"
#include "objects/trunc.h"
#include "stage/scroll.h"
#include "stage/stage_world.h"

namespace {

constexpr double kFormationsDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// The firer's rectangle and centre in the notation the layouts share: L, T, R, B and the
// cell size from the screen rectangle; X, Y the scroll positions and fX, fY their integer
// parts; (cx, cy) the centre in world dots.
struct cFirerFrame {
  explicit cFirerFrame(const cGameObj& obj)
      : L(obj.m_rcScreen.left),
        T(obj.m_rcScreen.top),
        R(obj.m_rcScreen.right),
        B(obj.m_rcScreen.bottom),
        cw(obj.m_nCellW),
        ch(obj.m_nCellH),
        X(ObjScrollX().m_dPos),
        Y(ObjScrollY().m_dPos),
        fX(TruncToInt(X)),
        fY(TruncToInt(Y)),
        // Saturated: a firer far off the screen of a damaged stage sits at the int limits.
        cx(SatInt32(std::int64_t{fX} + L + (cw >> 1))),
        cy(SatInt32(std::int64_t{fY} + T + (ch >> 1))) {}

  std::int32_t L, T, R, B, cw, ch;
  double X, Y;
  std::int32_t fX, fY, cx, cy;
};

// The values of the block a formation reads, as ints.
std::int32_t Count(const cEdShot& block) { return block.m_nCount; }
std::int32_t P1(const cEdShot& block) { return block.m_nFormParam[0]; }
std::int32_t P2(const cEdShot& block) { return block.m_nFormParam[1]; }
std::int32_t P3(const cEdShot& block) { return block.m_nFormParam[2]; }

// The columns of a lightning row. The editor allows no more than its limit; a file that
// asks for more (up to 32767 per row, for every row of every copy of every volley) would
// fill the memory with shots, so the count is held to that limit.
std::int32_t LightningColumns(const cEdShot& block) {
  return std::min<std::int32_t>(P2(block), GetShotFormParamDesc(SHOTFORM_LIGHTNING, 1).nMax);
}

void SetVelocityAtAngle(FORMATIONSLOT& slot, double dDegrees) {
  const double r = dDegrees * kFormationsDegToRad;
  slot.m_dVx = slot.m_dSpeed * -std::cos(r);
  slot.m_dVy = slot.m_dSpeed * -std::sin(r);
}

void AddOffset(FORMATIONSLOT& slot) {
  slot.m_nStartX += slot.m_nOffsetX;
  slot.m_nStartY += slot.m_nOffsetY;
}

// A direction no layout knows: nothing is placed and nothing left over from an earlier
// copy is flown with.
bool RefuseDirection(FORMATIONSLOT& slot) {
  slot.m_nStartX = slot.m_nStartY = 0;
  slot.m_nStepX = slot.m_nStepY = 0;
  slot.m_nStep2X = slot.m_nStep2Y = 0;
  slot.m_nX = slot.m_nY = 0;
  slot.m_dVx = slot.m_dVy = 0;
  return false;
}

// The eight-way velocity of a resolved direction at the slot's speed.
void SetDirectionVelocity(FORMATIONSLOT& slot, std::int32_t d) {
  const double s = slot.m_dSpeed;
  const double ks = g_dDiagonal * s;
  switch (d) {
    case MOVEDIR_LEFT: slot.m_dVx = -s; slot.m_dVy = 0; break;
    case MOVEDIR_RIGHT: slot.m_dVx = s; slot.m_dVy = 0; break;
    case MOVEDIR_UP: slot.m_dVx = 0; slot.m_dVy = -s; break;
    case MOVEDIR_DOWN: slot.m_dVx = 0; slot.m_dVy = s; break;
    case MOVEDIR_UP_LEFT: slot.m_dVx = -ks; slot.m_dVy = -ks; break;
    case MOVEDIR_DOWN_LEFT: slot.m_dVx = -ks; slot.m_dVy = ks; break;
    case MOVEDIR_UP_RIGHT: slot.m_dVx = ks; slot.m_dVy = -ks; break;
    case MOVEDIR_DOWN_RIGHT: slot.m_dVx = ks; slot.m_dVy = ks; break;
    default: slot.m_dVx = slot.m_dVy = 0; break;
  }
}

// The diagonal corners of a single object beside the firer (bxL, bxR, byU, byD).
struct cDiagonalBase {
  cDiagonalBase(const cFirerFrame& f, std::int32_t w, std::int32_t h) {
    const double k = g_dDiagonal;
    bxL = TruncToInt(f.cx + k * (1 - (f.cw >> 1) - (w >> 1)) - (w >> 1));
    bxR = TruncToInt(f.cx + k * (f.R - f.L - (f.cw >> 1) + (w >> 1) + 1) - (w >> 1));
    byU = TruncToInt(f.cy - k * ((f.ch >> 1) + (h >> 1)) - (h >> 1));
    byD = TruncToInt(f.cy + k * (f.B - f.T - (f.ch >> 1) + (h >> 1) + 1) - (h >> 1));
  }
  std::int32_t bxL, bxR, byU, byD;
};

// The top-left of a single object placed next to the firer on the side of d; false for a
// direction outside 2-11.
bool BasePoint(const cFirerFrame& f, std::int32_t w, std::int32_t h, std::int32_t d, std::int32_t* pX,
               std::int32_t* pY) {
  const cDiagonalBase b(f, w, h);
  switch (d) {
    case MOVEDIR_LEFT: *pX = f.fX + f.L - w + 1; *pY = f.cy - (h >> 1); return true;
    case MOVEDIR_RIGHT: *pX = f.fX + f.R + 1; *pY = f.cy - (h >> 1); return true;
    case MOVEDIR_UP: *pX = f.cx - (w >> 1); *pY = f.fY + f.T - h; return true;
    case MOVEDIR_DOWN: *pX = f.cx - (w >> 1); *pY = f.fY + f.B + 1; return true;
    case MOVEDIR_UP_LEFT: *pX = b.bxL; *pY = b.byU; return true;
    case MOVEDIR_DOWN_LEFT: *pX = b.bxL; *pY = b.byD; return true;
    case MOVEDIR_UP_RIGHT: *pX = b.bxR; *pY = b.byU; return true;
    case MOVEDIR_DOWN_RIGHT: *pX = b.bxR; *pY = b.byD; return true;
    default: return false;
  }
}

// The character in the firer's target slot `nSlot` (a value from the block), or null.
cCharaBase* TargetInSlot(const cCharaBase& firer, std::int32_t nSlot) {
  return CheckedAt(firer.m_vTarget, nSlot);
}

// The reference object of lightning and surround: 0 the character in the aim target slot,
// 1 player 1, 2 the firer; null when that slot is empty or the selector unknown.
const cGameObj* ReferenceObject(const cCharaBase& firer, const cEdShot& block) {
  switch (block.m_nFormOrigin) {
    case 0: return TargetInSlot(firer, block.m_nAimSlot);
    case 1: return &CheckedAt(g_vPlayer, 0);
    case 2: return &firer;
    default: return nullptr;
  }
}

// N objects from the slot's start, one step apart.
void PlaceLine(cFormationSink& sink, const cEdShot& block, FORMATIONSLOT& slot) {
  slot.m_nX = slot.m_nStartX;
  slot.m_nY = slot.m_nStartY;
  for (std::int32_t i = 0; i < Count(block); ++i) {
    sink.Place(slot);
    slot.m_nX += slot.m_nStepX;
    slot.m_nY += slot.m_nStepY;
  }
}

// A layout by angle when the copy is turned or aimed.
bool UsesAngleLayout(const cEdShot& block, const FORMATIONSLOT& slot) {
  return slot.m_nAngle != 0 || block.m_bAimTarget != 0;
}

}  // namespace

std::int32_t DirAngle(std::int32_t nDir) {
  switch (nDir) {
    case MOVEDIR_LEFT: return 0;
    case MOVEDIR_RIGHT: return 180;
    case MOVEDIR_UP: return 90;
    case MOVEDIR_DOWN: return 270;
    case MOVEDIR_UP_LEFT: return 45;
    case MOVEDIR_DOWN_LEFT: return 315;
    case MOVEDIR_UP_RIGHT: return 135;
    case MOVEDIR_DOWN_RIGHT: return 225;
    default: return 0;
  }
}

std::int32_t ResolveFireDirection(const cCharaBase& firer, const cEdShot& block) {
  return firer.ResolveDirection(block.m_nDir, false, 0, true);
}

std::int32_t AimAngle(std::int32_t x, std::int32_t y, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const cCharaBase* target = TargetInSlot(firer, block.m_nAimSlot);
  if (target == nullptr) return firer.m_nFacing == 1 ? 180 : 0;
  const cScroll& sx = ObjScrollX();
  const cScroll& sy = ObjScrollY();
  const std::int32_t fX = TruncToInt(sx.m_dPos);
  const std::int32_t fY = TruncToInt(sy.m_dPos);
  const bool bScrolling = (sx.m_dSpeed != 0 && sx.m_bAtLimit == 0) || (sy.m_dSpeed != 0 && sy.m_bAtLimit == 0);
  if (bScrolling && block.m_bScrollSync == 0 && target->m_bScrollSync != 0) {
    // A target that rides the scroll is met where it will be: the intercept at the speed
    // this copy's shots take.
    const double n = g_StageData.m_dSubSteps;
    const double e = (block.m_nSpeed + slot.m_nCopyIndex * block.m_nSpeedStep) * 0.1 / n;
    double vx = 0;
    double vy = 0;
    std::int32_t turn = 0;
    CalcVelocityToward(&vx, &vy, &turn, target, x - fX, y - fY,
                       target->m_rcScreen.left + (target->m_nCellW >> 1),
                       target->m_rcScreen.top + (target->m_nCellH >> 1), e, 0, 1, 0);
    slot.m_dSpeed = std::sqrt(vx * vx + vy * vy) * n;
    return TruncToInt(std::atan2(vy, vx) * kRadToDeg + 180);
  }
  const std::int32_t dx = (fX + (target->m_nCellW >> 1) + target->m_rcScreen.left) - x;
  const std::int32_t dy = (fY + (target->m_nCellH >> 1) + target->m_rcScreen.top) - y;
  return TruncToInt(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * kRadToDeg + 180 + 0.5);
}

bool LayoutLineByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer) {
  const cFirerFrame f(firer);
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  const std::int32_t n = Count(block);
  const std::int32_t S = P1(block) * 16;
  const std::int32_t hs = P1(block) * 8;
  const double k = g_dDiagonal;
  const std::int32_t d = slot.m_nDir;
  const cDiagonalBase b(f, w, h);
  const std::int32_t acrossY = f.cy - (n - 1) * hs - n * (h >> 1);
  const std::int32_t acrossX = f.cx - (n - 1) * hs - n * (w >> 1);
  const double spreadX = k * (n - 1) * ((w >> 1) + hs);
  const double spreadY = k * (n - 1) * ((h >> 1) + hs);
  switch (d) {
    case MOVEDIR_LEFT:
      slot.m_nStartX = TruncToInt(f.L + f.X + 1 - w);
      slot.m_nStartY = acrossY;
      slot.m_nStepX = 0;
      slot.m_nStepY = h + S;
      break;
    case MOVEDIR_RIGHT:
      slot.m_nStartX = TruncToInt(f.R + f.X + 1);
      slot.m_nStartY = acrossY;
      slot.m_nStepX = 0;
      slot.m_nStepY = h + S;
      break;
    case MOVEDIR_UP:
      slot.m_nStartX = acrossX;
      slot.m_nStartY = f.fY + f.T - h;
      slot.m_nStepX = w + S;
      slot.m_nStepY = 0;
      break;
    case MOVEDIR_DOWN:
      slot.m_nStartX = acrossX;
      slot.m_nStartY = f.fY + f.B + 1;
      slot.m_nStepX = w + S;
      slot.m_nStepY = 0;
      break;
    case MOVEDIR_UP_LEFT:
      slot.m_nStartX = TruncToInt(b.bxL - spreadX);
      slot.m_nStartY = TruncToInt(b.byU + spreadY);
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(-k * (h + S));
      break;
    case MOVEDIR_DOWN_LEFT:
      slot.m_nStartX = TruncToInt(b.bxL - spreadX);
      slot.m_nStartY = TruncToInt(b.byD - spreadY);
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(k * (h + S));
      break;
    case MOVEDIR_UP_RIGHT:
      slot.m_nStartX = TruncToInt(b.bxR - spreadX);
      slot.m_nStartY = TruncToInt(b.byU - spreadY);
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(k * (h + S));
      break;
    case MOVEDIR_DOWN_RIGHT:
      slot.m_nStartX = TruncToInt(b.bxR - spreadX);
      slot.m_nStartY = TruncToInt(b.byD + spreadY);
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(-k * (h + S));
      break;
    default:
      return RefuseDirection(slot);
  }
  SetDirectionVelocity(slot, d);
  AddOffset(slot);
  return true;
}

bool LayoutLineByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer) {
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  const bool bAim = block.m_bAimTarget != 0;
  if (block.m_bTurnFormation == 0) {
    if (!LayoutLineByDirection(slot, block, firer)) return false;
    const std::int32_t beta =
        bAim ? AimAngle(slot.m_nStartX + (w >> 1), slot.m_nStartY + (h >> 1), firer, block, slot) : DirAngle(slot.m_nDir);
    SetVelocityAtAngle(slot, beta + slot.m_nAngle);
    return true;
  }
  const cFirerFrame f(firer);
  const std::int32_t n = Count(block);
  const std::int32_t S = P1(block) * 16;
  const std::int32_t hs = P1(block) * 8;
  const std::int32_t ox = slot.m_nOffsetX;
  const std::int32_t oy = slot.m_nOffsetY;
  std::int32_t beta = (bAim ? AimAngle(f.cx + ox, f.cy + oy, firer, block, slot) : DirAngle(slot.m_nDir)) + slot.m_nAngle;
  PlaceAtAngle(slot, firer, beta);
  if (bAim) {
    // Aimed again from where the line starts.
    beta = AimAngle(slot.m_nStartX + (w >> 1) + ox, slot.m_nStartY + (h >> 1) + oy, firer, block, slot) + slot.m_nAngle;
  }
  const double r = beta * kFormationsDegToRad;
  const double sigma = std::sin(r);
  const double gamma = std::cos(r);
  const std::int32_t ex = ((w >> 1) + hs) * (n - 1);
  const std::int32_t ey = ((h >> 1) + hs) * (n - 1);
  if ((sigma >= 0 && gamma >= 0) || (sigma < 0 && gamma < 0)) {
    slot.m_nStartX = TruncToInt(slot.m_nStartX - sigma * ex);
    slot.m_nStepX = TruncToInt(sigma * (w + S));
    slot.m_nStartY = TruncToInt(slot.m_nStartY + gamma * ey);
    slot.m_nStepY = TruncToInt(-gamma * (h + S));
  } else {
    slot.m_nStartX = TruncToInt(slot.m_nStartX + sigma * ex);
    slot.m_nStepX = TruncToInt(-sigma * (w + S));
    slot.m_nStartY = TruncToInt(slot.m_nStartY - gamma * ey);
    slot.m_nStepY = TruncToInt(gamma * (h + S));
  }
  AddOffset(slot);
  slot.m_dVx = slot.m_dSpeed * -gamma;
  slot.m_dVy = slot.m_dSpeed * -sigma;
  return true;
}

bool LayoutStackByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer) {
  const std::int32_t d = slot.m_nDir;
  if (!IsLayoutDirection(d)) return RefuseDirection(slot);
  const cFirerFrame f(firer);
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  const std::int32_t S = P1(block) * 16;
  const std::int32_t leftX = TruncToInt(f.L + f.X + 1 - w);
  const std::int32_t rightX = TruncToInt(f.X + f.R + 1);
  switch (d) {
    case MOVEDIR_LEFT:
    case MOVEDIR_UP_LEFT:
    case MOVEDIR_DOWN_LEFT: slot.m_nStartX = leftX; break;
    case MOVEDIR_RIGHT:
    case MOVEDIR_UP_RIGHT:
    case MOVEDIR_DOWN_RIGHT: slot.m_nStartX = rightX; break;
    default: slot.m_nStartX = firer.m_nFacing == 1 ? rightX : leftX; break;  // up and down
  }
  slot.m_nStartY = f.fY + f.B - h + 1;
  slot.m_nStepX = 0;
  slot.m_nStepY = -(S + h);
  SetDirectionVelocity(slot, d);
  AddOffset(slot);
  return true;
}

bool LayoutStackByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer) {
  if (!LayoutStackByDirection(slot, block, firer)) return false;
  const std::int32_t beta =
      block.m_bAimTarget != 0
          ? AimAngle(slot.m_nStartX + (slot.m_nCellW >> 1), slot.m_nStartY + (slot.m_nCellH >> 1), firer, block, slot)
          : DirAngle(slot.m_nDir);
  SetVelocityAtAngle(slot, beta + slot.m_nAngle);
  return true;
}

bool PlaceSpreadByDirection(FORMATIONSLOT& slot, const cEdShot& /*block*/, const cCharaBase& firer) {
  const cFirerFrame f(firer);
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (!BasePoint(f, slot.m_nCellW, slot.m_nCellH, slot.m_nDir, &x, &y)) return RefuseDirection(slot);
  slot.m_nStartX = x;
  slot.m_nStartY = y;
  AddOffset(slot);
  return true;
}

bool PlaceSpreadByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer) {
  if (block.m_bTurnFormation == 0) return PlaceSpreadByDirection(slot, block, firer);
  const cFirerFrame f(firer);
  std::int32_t beta = block.m_bAimTarget != 0
                          ? AimAngle(f.cx + slot.m_nOffsetX, f.cy + slot.m_nOffsetY, firer, block, slot)
                          : DirAngle(slot.m_nDir);
  beta += slot.m_nAngle;
  PlaceAtAngle(slot, firer, beta);
  AddOffset(slot);
  return true;
}

void PlaceAtAngle(FORMATIONSLOT& slot, const cCharaBase& firer, double dAngle) {
  const cFirerFrame f(firer);
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  const double cx = f.L + (f.cw >> 1) + f.X;
  const double cy = f.T + (f.ch >> 1) + f.Y;
  const double rx = g_dDiagonal * ((w >> 1) + f.R - f.L - (f.cw >> 1) + 1);
  const double ry = g_dDiagonal * ((h >> 1) + f.B - f.T - (f.ch >> 1) + 1);
  const double theta = (dAngle + 225) * kFormationsDegToRad;
  slot.m_nStartX = TruncToInt(cx + rx * std::cos(theta) + ry * std::sin(theta) - (w >> 1));
  slot.m_nStartY = TruncToInt(cy + rx * std::sin(theta) - ry * std::cos(theta) - (h >> 1));
}

void PlaceAtFirerCentre(FORMATIONSLOT& slot, const cCharaBase& firer) {
  const cFirerFrame f(firer);
  slot.m_nStartX = TruncToInt(f.L + (f.cw >> 1) + f.X - (slot.m_nCellW >> 1)) + slot.m_nOffsetX;
  slot.m_nStartY = TruncToInt(f.T + (f.ch >> 1) + f.Y - (slot.m_nCellH >> 1)) + slot.m_nOffsetY;
}

bool LayoutLightningByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer,
                                const cGameObj& ref) {
  const std::int32_t d = slot.m_nDir;
  if (!IsLayoutDirection(d)) return RefuseDirection(slot);
  const cFirerFrame f(firer);
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  const double k = g_dDiagonal;
  const std::int32_t rx = ref.m_rcScreen.left + (ref.m_nCellW >> 1);
  const std::int32_t ry = ref.m_rcScreen.top + (ref.m_nCellH >> 1);
  // Rows touch each other under the old rule.
  const std::int32_t S = g_SystemData.m_bRuleShot555 != 0 ? 0 : P1(block) * 16;
  const double X = f.X;
  const double Y = f.Y;
  switch (d) {
    case MOVEDIR_LEFT:
      slot.m_nStartX = TruncToInt(X + 640 - w);
      slot.m_nStartY = f.fY + ry - (h >> 1);
      slot.m_nStepX = -(w + S);
      slot.m_nStepY = 0;
      break;
    case MOVEDIR_RIGHT:
      slot.m_nStartX = f.fX;
      slot.m_nStartY = f.fY + ry - (h >> 1);
      slot.m_nStepX = w + S;
      slot.m_nStepY = 0;
      break;
    case MOVEDIR_UP:
      slot.m_nStartX = f.fX + rx - (w >> 1);
      slot.m_nStartY = TruncToInt(Y + 480 - h);
      slot.m_nStepX = 0;
      slot.m_nStepY = -(h + S);
      break;
    case MOVEDIR_DOWN:
      slot.m_nStartX = f.fX + rx - (w >> 1);
      slot.m_nStartY = f.fY;
      slot.m_nStepX = 0;
      slot.m_nStepY = h + S;
      break;
    case MOVEDIR_UP_LEFT: {
      const std::int32_t dx = 640 - rx;
      const std::int32_t dy = 480 - ry;
      if (dx < dy) {
        slot.m_nStartX = TruncToInt(X + 640 - w);
        slot.m_nStartY = TruncToInt(Y + ry + dx - h);
      } else {
        slot.m_nStartX = TruncToInt(X + rx + dy - w);
        slot.m_nStartY = TruncToInt(Y + 480 - h);
      }
      slot.m_nStepX = TruncToInt(-k * (w + S));
      slot.m_nStepY = TruncToInt(-k * (h + S));
      break;
    }
    case MOVEDIR_DOWN_LEFT: {
      const std::int32_t dx = 640 - rx;
      const std::int32_t dy = ry;
      if (dx < dy) {
        slot.m_nStartX = TruncToInt(X + 640 - w);
        slot.m_nStartY = TruncToInt(Y + ry - dx);
      } else {
        slot.m_nStartX = TruncToInt(X + rx + dy - w);
        slot.m_nStartY = TruncToInt(Y);
      }
      slot.m_nStepX = TruncToInt(-k * (w + S));
      slot.m_nStepY = TruncToInt(k * (h + S));
      break;
    }
    case MOVEDIR_UP_RIGHT: {
      const std::int32_t dx = rx;
      const std::int32_t dy = 480 - ry;
      if (dx < dy) {
        slot.m_nStartX = TruncToInt(X);
        slot.m_nStartY = TruncToInt(Y + ry + dx - h);
      } else {
        slot.m_nStartX = TruncToInt(X + dx - dy);
        slot.m_nStartY = TruncToInt(Y + 480 - h);
      }
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(-k * (h + S));
      break;
    }
    default: {  // down-right
      const std::int32_t dx = rx;
      const std::int32_t dy = ry;
      if (dx < dy) {
        slot.m_nStartX = TruncToInt(X);
        slot.m_nStartY = TruncToInt(Y + ry - dx);
      } else {
        slot.m_nStartX = TruncToInt(X + dx - dy);
        slot.m_nStartY = TruncToInt(Y);
      }
      slot.m_nStepX = TruncToInt(k * (w + S));
      slot.m_nStepY = TruncToInt(k * (h + S));
      break;
    }
  }
  SetDirectionVelocity(slot, d);
  // Columns side by side across the flight, centred on the reference's axis.
  const std::int32_t nCols = LightningColumns(block);
  if (nCols >= 2) {
    const std::int32_t q = P3(block) * 16;
    std::int32_t spread = ((nCols - 1) >> 1) * q;
    if (nCols % 2 == 0) spread += P3(block) * 8;
    const std::int32_t kq = TruncToInt(q * k);
    const std::int32_t kf = TruncToInt(k * spread);
    switch (d) {
      case MOVEDIR_LEFT:
      case MOVEDIR_RIGHT:
        slot.m_nStep2X = 0;
        slot.m_nStep2Y = q;
        slot.m_nStartY -= spread;
        break;
      case MOVEDIR_UP:
      case MOVEDIR_DOWN:
        slot.m_nStep2X = q;
        slot.m_nStep2Y = 0;
        slot.m_nStartX -= spread;
        break;
      case MOVEDIR_UP_LEFT:
      case MOVEDIR_DOWN_RIGHT:
        slot.m_nStep2X = kq;
        slot.m_nStep2Y = TruncToInt(-q * k);
        slot.m_nStartX -= kf;
        slot.m_nStartY += kf;
        break;
      default:  // down-left, up-right
        slot.m_nStep2X = kq;
        slot.m_nStep2Y = kq;
        slot.m_nStartX -= kf;
        slot.m_nStartY -= kf;
        break;
    }
  }
  AddOffset(slot);
  return true;
}

bool LayoutLightningByAngle(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer, const cGameObj& ref) {
  if (!LayoutLightningByDirection(slot, block, firer, ref)) return false;
  SetVelocityAtAngle(slot, slot.m_nAngle + DirAngle(slot.m_nDir));
  return true;
}

void FormStraightA(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const bool bPlaced = UsesAngleLayout(block, slot) ? LayoutLineByAngle(slot, block, firer)
                                                    : LayoutLineByDirection(slot, block, firer);
  if (bPlaced) PlaceLine(sink, block, slot);
}

void FormStraightB(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const bool bPlaced = UsesAngleLayout(block, slot) ? LayoutStackByAngle(slot, block, firer)
                                                    : LayoutStackByDirection(slot, block, firer);
  if (bPlaced) PlaceLine(sink, block, slot);
}

void FormSpread(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const bool bPlaced = UsesAngleLayout(block, slot) ? PlaceSpreadByAngle(slot, block, firer)
                                                    : PlaceSpreadByDirection(slot, block, firer);
  if (!bPlaced) return;
  const std::int32_t w = slot.m_nCellW;
  const std::int32_t h = slot.m_nCellH;
  std::int32_t beta = block.m_bAimTarget != 0
                          ? AimAngle(slot.m_nStartX + (w >> 1), slot.m_nStartY + (h >> 1), firer, block, slot)
                          : DirAngle(slot.m_nDir);
  beta += slot.m_nAngle;
  const std::int32_t n = Count(block);
  const double middle = (n & 1) != 0 ? static_cast<double>(n >> 1) : (n >> 1) - 0.5;
  const std::int32_t p1 = P1(block);
  double theta = beta - p1 * middle;
  slot.m_nX = slot.m_nStartX;
  slot.m_nY = slot.m_nStartY;
  for (std::int32_t i = 0; i < n; ++i) {
    SetVelocityAtAngle(slot, theta);
    sink.Place(slot);
    theta += p1;
  }
}

void FormLightning(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const cGameObj* ref = ReferenceObject(firer, block);
  if (ref == nullptr) return;
  const bool bPlaced = slot.m_nAngle != 0 ? LayoutLightningByAngle(slot, block, firer, *ref)
                                          : LayoutLightningByDirection(slot, block, firer, *ref);
  if (!bPlaced) return;
  const std::int32_t nCols = LightningColumns(block);
  slot.m_nX = slot.m_nStartX;
  slot.m_nY = slot.m_nStartY;
  for (std::int32_t row = 0; row < Count(block); ++row) {
    FORMATIONSLOT column = slot;
    for (std::int32_t c = 0; c < nCols; ++c) {
      sink.Place(column);
      column.m_nX += column.m_nStep2X;
      column.m_nY += column.m_nStep2Y;
    }
    slot.m_nX += slot.m_nStepX;
    slot.m_nY += slot.m_nStepY;
  }
}

void FormExplosion(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const std::int32_t n = Count(block);
  PlaceAtFirerCentre(slot, firer);
  if (n <= 0) return;
  double theta = DirAngle(slot.m_nDir) + slot.m_nAngle;
  const double step = 360.0 / n;
  slot.m_nX = slot.m_nStartX;
  slot.m_nY = slot.m_nStartY;
  for (std::int32_t i = 0; i < n; ++i) {
    SetVelocityAtAngle(slot, theta);
    sink.Place(slot);
    theta += step;
  }
}

void FormSurround(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  const cGameObj* ref = ReferenceObject(firer, block);
  if (ref == nullptr) return;
  const std::int32_t n = Count(block);
  if (n <= 0) return;
  const double X = ObjScrollX().m_dPos;
  const double Y = ObjScrollY().m_dPos;
  const std::int32_t xc = TruncToInt(ref->m_rcScreen.left + (ref->m_nCellW >> 1) + X - (slot.m_nCellW >> 1) +
                                     slot.m_nOffsetX);
  const std::int32_t yc = TruncToInt(ref->m_rcScreen.top + (ref->m_nCellH >> 1) + Y - (slot.m_nCellH >> 1) +
                                     slot.m_nOffsetY);
  const std::int32_t r = P1(block) * 16;
  double theta = DirAngle(slot.m_nDir) + slot.m_nAngle;
  const double step = 360.0 / n;
  for (std::int32_t i = 0; i < n; ++i) {
    const double rad = theta * kFormationsDegToRad;
    slot.m_nX = TruncToInt(r * std::cos(rad) + 0.5) + xc;
    slot.m_nY = TruncToInt(r * std::sin(rad) + 0.5) + yc;
    SetVelocityAtAngle(slot, theta);
    sink.Place(slot);
    theta += step;
  }
}

void RunFormation(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot) {
  using FormFn = void (*)(cFormationSink&, cCharaBase&, const cEdShot&, FORMATIONSLOT&);
  static constexpr FormFn kFormations[kShotFormCount] = {FormStraightA, FormStraightB, FormSpread,
                                                         FormLightning, FormExplosion, FormSurround};
  const std::int32_t nForm = block.m_nFormation;
  if (nForm < 0 || nForm >= kShotFormCount) {
    ReportCheckedAccessFailure('V', nForm, kShotFormCount, sizeof(FormFn));
    return;
  }
  kFormations[nForm](sink, firer, block, slot);
}
