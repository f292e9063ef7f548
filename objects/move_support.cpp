// Movement command support: jump physics, placement on a block, impact (knock-back),
// direction resolution and the velocity helpers of the movement commands.
#include "objects/move_support.h"

#include <cmath>
#include <cstdint>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/flow/movement_block.h"
#include "data/record/data_record.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "flow/key_sequence.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/chara_base.h"
#include "objects/shot.h"
#include "objects/trunc.h"
#include "shell/game_mgr.h"
#include "stage/block_grid.h"
#include "stage/scene_game.h"
#include "stage/scroll.h"
#include "stage/stage_world.h"

const std::int32_t g_KeyDirTable[10] = {0, 2, 3, 6, 7, 8, 9, 10, 11, 0};

namespace {

constexpr double kEpsilon = 1e-8;
constexpr double kDegToRadAngled = 0.017453292519943278;

// Coordinates computed in 64 bits: block numbers and offsets come from game data.
double BlockDot(std::int32_t nBlock, std::int32_t nMargin, std::int32_t nOffset) {
  return static_cast<double>((static_cast<std::int64_t>(nBlock) + nMargin) * 32 + nOffset);
}

// The sub-steps per frame as a divisor that is never 0.
std::int32_t SubStepsDivisor() { return g_StageData.m_nSubSteps > 0 ? g_StageData.m_nSubSteps : 1; }

bool OppositeSigns(double a, double b) { return (a > kEpsilon && b < -kEpsilon) || (a < -kEpsilon && b > kEpsilon); }

const cEdMove* MoveBlockOf(const cFlowCmdRun* run) {
  if (run == nullptr || run->m_lpCmd == nullptr) return nullptr;
  return run->m_lpCmd->m_pMove.get();
}

}  // namespace

double AccelParamToStep(std::int16_t nParam) { return nParam * 0.01 / g_StageData.m_dSubStepsSq; }

std::int32_t ResolveMoveDirection(std::int32_t nKeyIndex, std::int32_t nKeyFlag, std::int32_t nFacing) {
  const std::int32_t fallback = nFacing != 0 ? MOVEDIR_RIGHT : MOVEDIR_LEFT;
  const auto table = [](std::int32_t index) { return index >= 0 && index < 10 ? g_KeyDirTable[index] : 0; };
  if (g_GameMgr.m_nTitleSel == TITLEITEM_REPLAY) {
    // A replay plays under the rule of the version it was recorded with.
    if (g_nFileVersion <= 777) {
      if (nKeyIndex == 0) return fallback;
      if (nKeyIndex == 9) return 0;
      return table(nKeyIndex);
    }
    if (g_nFileVersion <= 779) {
      if (nKeyIndex == 0 || nKeyIndex == 9) return fallback;
      return table(nKeyIndex);
    }
  }
  if (nKeyIndex == 0) return fallback;
  if (nKeyIndex == 9) return nKeyFlag == 0 ? fallback : g_KeyDirTable[9];
  return table(nKeyIndex);
}

double cCharaBase::JumpSpeed(double dHeight) const {
  // A negative height (damaged data) would take the root of a negative number: it is a
  // jump of height 0, whose apex is a step away.
  if (dHeight < 0) dHeight = 0;
  const double g = g_StageData.m_dGravityStep;
  double v = (-g - std::sqrt(g * (g + 8 * dHeight))) / 2;
  if (m_nKind == 0) v = v * (0.99 - 0.025 * g_StageData.m_dGravity);
  return v;
}

double cCharaBase::JumpSpeedFromHbl(std::int8_t nHbl) const { return JumpSpeed(nHbl * 16); }

// Without gravity the quotient is not finite; TruncToInt gives it a defined value.
std::int32_t cCharaBase::JumpApexSteps(double dSpeed) const {
  return TruncToInt(g_StageData.m_dSubSteps - dSpeed / g_StageData.m_dGravityStep);
}

std::int32_t cCharaBase::JumpApexTime(std::int8_t nHbl) const {
  const std::int32_t steps = JumpApexSteps(JumpSpeedFromHbl(nHbl));
  const std::int32_t n = SubStepsDivisor();
  return (steps / n) / 6 + 1;
}

void cCharaBase::PlaceAtBlock(std::int32_t bx, std::int32_t by) {
  PlaceAtBlockX(bx);
  PlaceAtBlockY(by);
}

void cCharaBase::PlaceAtBlockX(std::int32_t bx) {
  m_dX = BlockDot(bx, ObjScrollX().m_nMargin, m_nBaseBoxOffX) + 0.5;
  const std::int32_t giant = m_Def.m_nSize;
  if (giant != 1) {
    m_dX -= static_cast<double>((giant - 1) * (m_nBaseBoxW >> 1));
    ClampX(2);
  }
  ConstrainX();
}

void cCharaBase::PlaceAtBlockY(std::int32_t by) {
  m_dY = BlockDot(by, ObjScrollY().m_nMargin, m_nBaseBoxOffY);
  ReanchorYAfterScale(m_Def.m_nSize, 1);
  ConstrainY();
}

void cCharaBase::ApplyImpact(std::int8_t nPower, double dx, double dy) {
  if (nPower == 0) return;
  const std::int32_t resist = m_Def.m_nImpactResist;
  std::int32_t e = 0;
  if (nPower > 0) {
    e = nPower - resist;
    if (e < 0) e = 0;
    if (e > 20) e = 20;
  } else {
    e = nPower + resist;
    if (e < -20) e = -20;
    if (e > 0) e = 0;
  }
  CalcImpactVelocity(&m_dImpactVx, &m_dImpactVy, static_cast<std::int8_t>(e), dx, dy);
  if (m_dCmdVx != 0 && OppositeSigns(m_dCmdVx, m_dImpactVx)) m_dCmdVx = 0;
  if (m_dCmdVy != 0 && OppositeSigns(m_dCmdVy, m_dImpactVy)) m_dCmdVy = 0;
  if (OppositeSigns(m_dVy, m_dImpactVy)) m_dVy = 0;
  m_bImpactAir = 1;
}

void cCharaBase::ApplyImpactFromChara(const cCharaBase* pAttacker) {
  if (pAttacker == nullptr) return;
  double dy = pAttacker->m_dVy;
  // A walking attacker that is not falling fast pushes only sideways.
  if (pAttacker->m_Def.m_nFlying == 0 && pAttacker->m_dVy < g_StageData.m_nSubSteps8 * g_StageData.m_dGravityStep) {
    dy = 0;
  }
  ApplyImpact(pAttacker->m_Def.m_nBodyImpact, pAttacker->m_dVx, dy);
}

void cCharaBase::ApplyImpactFromShot(const cShot* pShot) {
  if (pShot == nullptr) return;
  if (pShot->m_bFlying != 0) {
    ApplyImpact(pShot->m_nImpactPower, pShot->m_dVx, pShot->m_dVy);
  } else {
    ApplyImpact(pShot->m_nImpactPower, pShot->GetFacingSign(), 0);
  }
}

void cCharaBase::ApplyImpactSpeedY() {
  if (m_dImpactVy != 0) {
    if (m_bNoGravity != 0) {
      m_dVy += m_dImpactVy;
    } else if (m_dImpactVy > 0 &&
               ((m_pFootCell != nullptr && m_pFootCell->GetHit(static_cast<std::int8_t>(m_nLayer)) != 0) ||
                m_bRiding != 0)) {
      m_dImpactVy = 0;
    } else {
      m_dVy = m_dVy - m_dImpactCarry + m_dImpactVy;
    }
  }
  m_dImpactCarry = m_dImpactVy;
}

namespace {

void DecayTowardZero(double& v) {
  const double step = 1.0 / g_StageData.m_dSubSteps;
  if (v > 0) {
    v -= step;
    if (v < 0) v = 0;
  } else if (v < 0) {
    v += step;
    if (v > 0) v = 0;
  }
}

}  // namespace

void cCharaBase::DecayImpactX() { DecayTowardZero(m_dImpactVx); }
void cCharaBase::DecayImpactY() { DecayTowardZero(m_dImpactVy); }

std::int32_t cCharaBase::ResolveDirection(std::int32_t nCode, bool bByKey, std::int32_t nKeyFlag,
                                          bool bKeepDiagonal) const {
  const bool right = m_nFacing != 0;
  switch (nCode) {
    case MOVEDIR_FORWARD: return right ? MOVEDIR_RIGHT : MOVEDIR_LEFT;
    case MOVEDIR_BACKWARD: return right ? MOVEDIR_LEFT : MOVEDIR_RIGHT;
    case MOVEDIR_FORWARD_Y: return right ? MOVEDIR_DOWN : MOVEDIR_UP;
    case MOVEDIR_BACKWARD_Y: return right ? MOVEDIR_UP : MOVEDIR_DOWN;
    case MOVEDIR_KEY: {
      std::int32_t index = 0;
      if (bByKey) {
        if (!g_Input.empty()) index = GetFirstHeldKeySlot(CheckedAt(g_Input, 0));
      } else if (cSceneGame* scene = GameScene(); scene != nullptr && scene->m_pFlowRun != nullptr) {
        index = scene->m_pFlowRun->m_nStartKeySlot;
      }
      std::int32_t d = ResolveMoveDirection(index, nKeyFlag, m_nFacing);
      if (!bKeepDiagonal) {
        if (d == MOVEDIR_UP_LEFT || d == MOVEDIR_DOWN_LEFT) d = MOVEDIR_LEFT;
        if (d == MOVEDIR_UP_RIGHT || d == MOVEDIR_DOWN_RIGHT) d = MOVEDIR_RIGHT;
      }
      return d;
    }
    default: return nCode;
  }
}

void cCharaBase::DirectionToVelocity(double* pVx, double* pVy, std::int32_t* pTurn, double s,
                                     std::int32_t nCode) const {
  *pVx = 0;
  *pVy = 0;
  const bool flying = m_bNoGravity != 0;
  const std::int32_t d = ResolveDirection(nCode, false, 1, flying);
  if (d < MOVEDIR_LEFT || d > MOVEDIR_DOWN_RIGHT) return;
  const double k = g_dDiagonal;
  double vx = 0;
  double vy = 0;
  std::int32_t turn = TURN_NONE;
  switch (d) {
    case MOVEDIR_LEFT: vx = -s; turn = TURN_LEFT; break;
    case MOVEDIR_RIGHT: vx = s; turn = TURN_RIGHT; break;
    case MOVEDIR_UP: vy = -s; break;
    case MOVEDIR_DOWN: vy = s; break;
    case MOVEDIR_UP_LEFT: vx = -k * s; vy = -k * s; turn = TURN_LEFT; break;
    case MOVEDIR_DOWN_LEFT: vx = -k * s; vy = k * s; turn = TURN_LEFT; break;
    case MOVEDIR_UP_RIGHT: vx = k * s; vy = -k * s; turn = TURN_RIGHT; break;
    case MOVEDIR_DOWN_RIGHT: vx = k * s; vy = k * s; turn = TURN_RIGHT; break;
    default: break;
  }
  *pVx = vx;
  if (flying) *pVy = vy;
  if (m_Def.m_bFixedFacing == 0) *pTurn = turn;
}

void cCharaBase::DirectionToAngledVelocity(double* pVx, double* pVy, std::int32_t* pTurn, double s,
                                           std::int32_t nCode, std::int16_t nAngle) const {
  *pVx = 0;
  *pVy = 0;
  const bool flying = m_bNoGravity != 0;
  const std::int32_t d = ResolveDirection(nCode, false, 1, flying);
  std::int32_t base = 0;
  std::int32_t turn = TURN_NONE;
  bool turns = true;
  switch (d) {
    case MOVEDIR_LEFT: base = 0; turn = TURN_LEFT; break;
    case MOVEDIR_RIGHT: base = 180; turn = TURN_RIGHT; break;
    case MOVEDIR_UP: base = 90; break;
    case MOVEDIR_DOWN: base = 270; break;
    case MOVEDIR_UP_LEFT: base = 45; turn = TURN_LEFT; break;
    case MOVEDIR_DOWN_LEFT: base = 315; turn = TURN_LEFT; break;
    case MOVEDIR_UP_RIGHT: base = 135; turn = TURN_RIGHT; break;
    case MOVEDIR_DOWN_RIGHT: base = 225; turn = TURN_RIGHT; break;
    default: turns = false; break;
  }
  const double a = (nAngle + base) * kDegToRadAngled;
  *pVx = -std::cos(a) * s;
  if (flying) *pVy = -std::sin(a) * s;
  if (turns && m_Def.m_bFixedFacing == 0) *pTurn = turn;
}

void cCharaBase::VelocityToPoint(double* pVx, double* pVy, std::int32_t* pTurn, double s, std::int32_t x,
                                 std::int32_t y, const cEdMove* pMove, std::int32_t* pFrames) const {
  *pVx = 0;
  *pVy = 0;
  if (pMove == nullptr) return;
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const double cx = m_rcScreen.left + (m_nCellW >> 1) + ax.m_dPos;
  const double cy = m_rcScreen.top + (m_nCellH >> 1) + ay.m_dPos;
  double dx = 0;
  double dy = 0;
  switch (pMove->m_nCoordKind) {
    case MOVECOORD_FROM_PLACEMENT:
      dx = (x + m_dStartX) - cx;
      dy = (y + m_dStartY) - cy;
      break;
    case MOVECOORD_RELATIVE:
      dx = x;
      dy = y;
      break;
    case MOVECOORD_ABSOLUTE:
      dx = static_cast<double>(static_cast<std::int64_t>(ax.m_nMargin) * 32 + x + 16) - cx;
      dy = static_cast<double>(static_cast<std::int64_t>(ay.m_nMargin) * 32 + y + 16) - cy;
      break;
    case MOVECOORD_SCREEN:
      dx = static_cast<double>(static_cast<std::int64_t>(x) + 16) - (cx - ax.m_dPos);
      dy = static_cast<double>(static_cast<std::int64_t>(y) + 16) - (cy - ay.m_dPos);
      break;
    default:
      break;  // not in valid data: no displacement
  }
  if (pMove->m_bUseX == 0) dx = 0;
  if (pMove->m_bUseY == 0) dy = 0;
  const double dist = std::sqrt(dx * dx + dy * dy);
  if (dist != 0) {
    *pVx = pMove->m_bLockX != 0 ? 0 : dx / dist * s;
    *pVy = pMove->m_bLockY != 0 ? 0 : dy / dist * s;
  }
  if (m_Def.m_bFixedFacing == 0) {
    *pTurn = *pVx < -kEpsilon ? TURN_LEFT : *pVx > kEpsilon ? TURN_RIGHT : TURN_NONE;
  }
  if (pMove->m_bTimeToTarget != 0 && s != 0 && pFrames != nullptr) {
    *pFrames = TruncToInt(std::fabs(dist) / std::fabs(s));
    if (pMove->m_bStopAtTarget != 0 && *pFrames <= 0) {
      if (pMove->m_bUseX != 0 && pMove->m_bLockX == 0) {
        *pVx = 0;
        if (m_Def.m_bFixedFacing == 0) *pTurn = TURN_NONE;
      }
      if (pMove->m_bUseY != 0 && pMove->m_bLockY == 0) *pVy = 0;
    }
  }
}

void cCharaBase::CalcCommandAngle(cFlowCmdRun* run) const {
  const cEdMove* move = MoveBlockOf(run);
  if (move == nullptr) return;
  std::int32_t angle = m_nCopyIndex * move->m_nAngleStep + move->m_nAngle;
  if (move->m_bMirrorAngle != 0 && m_Def.m_nDirection == 1) angle = 360 - angle;
  if (angle >= 360) angle %= 360;  // repeated subtraction of 360; negative angles stay
  run->m_nAngle = angle;
}

void cCharaBase::CalcCommandOffset(cFlowCmdRun* run) const {
  const cEdMove* move = MoveBlockOf(run);
  if (move == nullptr) return;
  std::int32_t ox = move->m_nTargetXbl * 32 + move->m_nTargetXdot;
  std::int32_t oy = move->m_nTargetYbl * 32 + move->m_nTargetYdot;
  if (m_Def.m_nDirection == 1) {
    if (move->m_bMirrorX != 0) ox = -ox;
    if (move->m_bMirrorY != 0) oy = -oy;
  }
  run->m_nTargetX = ox;
  run->m_nTargetY = oy;
}

void cCharaBase::GroundTurnStep(cFlowCmdRun* run, const cEdMove* pMove) {
  (void)pMove;
  if (run == nullptr) return;
  const double s = run->m_dSpeed;
  const bool setsTurn = m_Def.m_bFixedFacing == 0;
  run->m_dVY = 0;
  if (setsTurn) run->m_nTurn = TURN_NONE;
  run->m_dVX = GetFacingSign() * s;
  if (m_bCharaSideContact != 0) {
    if (setsTurn) run->m_nTurn = m_nFacing == 0 ? TURN_RIGHT : TURN_LEFT;
    run->m_dVX = -run->m_dVX;
    const cChara* ridden = nullptr;
    for (const cChara& chara : g_listChara) {
      if (chara.m_nObjId == m_nRideOnId) {
        ridden = &chara;
        break;
      }
    }
    if (ridden != nullptr) {
      const double dx = ridden->m_dX - m_rcContact.left;
      if ((m_nFacing != 0 && dx < 0) || (m_nFacing == 0 && dx > 0)) {
        run->m_dVX = run->m_dVX + 2 * dx;
      } else {
        run->m_dVX = run->m_dVX + dx;
      }
    }
    m_bCharaSideContact = 0;
    return;
  }
  // The ledge test never reads below the grid.
  std::int32_t row = TruncToInt(m_dBottom + 1.1) >> 5;
  const std::int32_t lastRow = ObjScrollY().m_nCells - 1;
  if (row > lastRow) row = lastRow;
  const bool a = BlockHitAt(m_nCellL, row, m_nLayer) != 0;
  const bool b = BlockHitAt(m_nCellR, row, m_nLayer) != 0;
  const bool bySign = g_SystemData.m_bRuleGroundTurn805 == 0 && s < 0;
  if (!setsTurn) return;
  if (a && !b) run->m_nTurn = bySign ? TURN_RIGHT : TURN_LEFT;
  if (!a && b) run->m_nTurn = bySign ? TURN_LEFT : TURN_RIGHT;
}

std::int32_t cCharaBase::MoveTowardByAxes(cFlowCmdRun* run, const cEdMove* pMove, cGameObj* pTarget, double x,
                                          double y) {
  if (run == nullptr || pMove == nullptr) return 0;
  const std::int32_t stop = pMove->m_bStopAtTarget;
  if (pMove->m_bLockX == 0 && pMove->m_bLockY == 0) return MoveTowardPoint(run, pTarget, x, y, m_bScrollSync, stop);
  if (pMove->m_bLockY == 0) return MoveTowardPointY(run, pTarget, y, m_bScrollSync, stop);
  if (pMove->m_bLockX == 0) return MoveTowardPointX(run, pTarget, x, m_bScrollSync, stop);
  run->m_dVX = 0;
  run->m_dVY = 0;
  if (m_Def.m_bFixedFacing == 0) run->m_nTurn = TURN_NONE;
  return 0;
}

void cCharaBase::AvoidScreenEdgeStep(cFlowCmdRun* run, const cEdMove* pMove) const {
  if (run == nullptr || pMove == nullptr) return;
  std::int32_t d = pMove->m_nDir;
  const bool right = m_nFacing != 0;
  switch (d) {
    case MOVEDIR_FORWARD: d = right ? MOVEDIR_RIGHT : MOVEDIR_LEFT; break;
    case MOVEDIR_BACKWARD: d = right ? MOVEDIR_LEFT : MOVEDIR_RIGHT; break;
    case MOVEDIR_FORWARD_Y: d = right ? MOVEDIR_DOWN : MOVEDIR_UP; break;
    case MOVEDIR_BACKWARD_Y: d = right ? MOVEDIR_UP : MOVEDIR_DOWN; break;
    default: break;
  }
  const bool wantL = d == MOVEDIR_LEFT || d == MOVEDIR_UP_LEFT || d == MOVEDIR_DOWN_LEFT;
  const bool wantR = d == MOVEDIR_RIGHT || d == MOVEDIR_UP_RIGHT || d == MOVEDIR_DOWN_RIGHT;
  const bool wantU = d == MOVEDIR_UP || d == MOVEDIR_UP_LEFT || d == MOVEDIR_UP_RIGHT;
  const bool wantD = d == MOVEDIR_DOWN || d == MOVEDIR_DOWN_LEFT || d == MOVEDIR_DOWN_RIGHT;
  run->m_dVX = 0;
  run->m_dVY = 0;
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const double sx = ax.m_dSpeed;
  const double sy = ay.m_dSpeed;
  const double sigma = run->m_dSpeed;
  const cIntRect& rc = m_rcScreen;
  if (sx == 0 || ax.m_bAtLimit != 0) {
    if (wantL && rc.left > 608) {
      run->m_dVX = -sigma;
    } else if (wantR && rc.right < 32) {
      run->m_dVX = sigma;
    }
    if (wantU && rc.top > 448) {
      run->m_dVY = -sigma;
    } else if (wantD && rc.bottom < 32) {
      run->m_dVY = sigma;
    }
    return;
  }
  const double X = ax.m_dPos;
  const double Y = ay.m_dPos;
  const double W = ax.m_nFarLimit;
  const double H = ay.m_nFarLimit;
  if (wantL && rc.left > 608 - std::fabs(sx + 1) && X > 0 && sx + X <= W - 640) {
    run->m_dVX = sx - sigma;
  } else if (wantR && rc.right < std::fabs(sx + 1) + 32 && sx + X > 0 && X < W - 640) {
    run->m_dVX = sx + sigma;
  }
  if (wantU && rc.top > 448 - std::fabs(sy + 1) && Y > 0 && sy + Y <= H - 480) {
    run->m_dVY = sy - sigma;
  } else if (wantD && rc.bottom < std::fabs(sy + 1) + 32 && sy + Y > 0 && Y < H - 480) {
    run->m_dVY = sy + sigma;
  }
}
