// The executors of the movement, turn and jump commands. Each step recomputes or keeps
// the command's own velocity in its run record and hands it to the movement step.
#include <optional>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/system/system_data.h"
#include "flow/cmd_prepare.h"
#include "flow/flow_run.h"
#include "flow/move_step.h"
#include "flow/move_target.h"
#include "flow/wave_velocity.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "objects/move_toward.h"
#include "shell/game_requests.h"

namespace {

// The movement block of a running command; null when the command carries none (damaged
// data), and the executor then does nothing.
const cEdMove* MoveBlock(const cFlowCmdRun* run) {
  if (run == nullptr || run->m_lpCmd == nullptr || !run->m_lpCmd->m_pMove) return nullptr;
  return run->m_lpCmd->m_pMove.get();
}

bool IsFlying(const cCharaBase& chara) { return chara.m_bNoGravity != 0; }

// The x of a character's sprite-cell centre on screen.
double MotionCmdsCellCentreX(const cGameObj& obj) { return obj.m_rcScreen.left + (obj.m_nCellW >> 1); }

// The x of a character's collision-box centre in world dots.
double BoxCentreX(const cCharaBase& chara) { return chara.m_dX + static_cast<double>(chara.m_nBoxW >> 1); }

}  // namespace

void cCharaBase::CmdMoveStraight(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  if (run->m_bStarted == 0) {
    run->m_bStarted = 1;
    CalcCommandAngle(run);
    if (m->m_nMode == 1) CalcCommandOffset(run);
    if (m->m_nMode == 0) {
      if (run->m_nAngle == 0) {
        DirectionToVelocity(&run->m_dVX, &run->m_dVY, &run->m_nTurn, run->m_dSpeed, run->m_nDir);
      } else {
        DirectionToAngledVelocity(&run->m_dVX, &run->m_dVY, &run->m_nTurn, run->m_dSpeed, run->m_nDir,
                                  static_cast<std::int16_t>(run->m_nAngle));
      }
    } else if (m->m_nMode == 1) {
      VelocityToPoint(&run->m_dVX, &run->m_dVY, &run->m_nTurn, run->m_dSpeed, run->m_nTargetX, run->m_nTargetY, m,
                      &run->m_nRemain);
    }
    if (!IsFlying(*this)) run->m_dVY = 0;
  } else {
    if (!IsFlying(*this)) run->m_dVY = 0;
    // A character turned by another command keeps moving forward in its own frame.
    if (m->m_bFlipWithFacing != 0 && m_Def.m_bFixedFacing == 1 && m_nFacing != run->m_nPrevFacing &&
        (m->m_nMode == 0 || g_SystemData.m_bRuleMoveStraight783 != 0)) {
      run->m_dVX = -run->m_dVX;
      run->m_dVY = -run->m_dVY;
    }
  }
  if (g_SystemData.m_bRuleMoveStraight773 == 0) {
    if (m->m_bLockX != 0) run->m_dVX = 0;
    if (m->m_bLockY != 0) run->m_dVY = 0;
  }
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, run->m_nTurn, run, m, false);
  run->m_nPrevFacing = m_nFacing;
}

void cCharaBase::CmdMoveGroundTurn(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr || IsFlying(*this)) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  if (m_dImpactVx == 0 && m_dImpactVy == 0) {
    GroundTurnStep(run, m);
  } else {
    run->m_dVX = GetFacingSign() * run->m_dSpeed;
    run->m_dVY = 0;
    run->m_nTurn = TURN_NONE;
  }
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, run->m_nTurn, run, m, true);
}

void cCharaBase::CmdMoveCircle(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr || run->m_nDist == 0) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  if (run->m_bStarted == 0) {
    run->m_bStarted = 1;
    run->m_dPhaseX = run->m_dPhaseY = run->m_nAngleStart;
  }
  bool clockwise = false;
  switch (run->m_nDir) {
    case 0: clockwise = true; break;
    case 2: clockwise = m_nFacing == 0; break;
    case 3: clockwise = m_nFacing != 0; break;
    default: clockwise = false; break;
  }
  run->m_dVX = run->m_dVY = 0;
  const double s = FlowSubSteps() * run->m_dSpeed;
  if (m->m_bLockX == 0) run->m_dVX = -(WaveVelocityX(run->m_nDist, 1, &run->m_dPhaseX, s, 0) * run->m_dSpeed);
  if (m->m_bLockY == 0 && IsFlying(*this)) {
    run->m_dVY = -(WaveVelocityX(run->m_nDist, 1, &run->m_dPhaseY, s, clockwise ? 270 : 90) * run->m_dSpeed);
  }
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, TURN_NONE, run, m, false);
}

// The first step aims at where the target is; the velocity then stays for the whole
// run, so the character dashes past a target that moves away.
void cCharaBase::CmdMoveCharge(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  if (run->m_bStarted == 0) {
    run->m_bStarted = 1;
    CalcCommandAngle(run);
    CalcCommandOffset(run);
    cCharaBase* pTarget = CheckedAt(m_vTarget, m->m_nTargetSlot);
    // A target that is already dying gives no direction either: the charge stands still
    // for its time, as with an empty slot, rather than reusing a velocity left over from
    // an earlier run of the command.
    if (pTarget == nullptr || pTarget->m_bDying != 0) {
      run->m_dVX = run->m_dVY = 0;
      return;
    }
    if (IsFlying(*this)) {
      double x = 0;
      double y = 0;
      CalcMoveTarget(*pTarget, &x, &y, *run);
      MoveTowardByAxes(run, m, pTarget, x, y);
    } else if (m->m_bLockX != 0) {
      run->m_dVX = 0;
    } else {
      CalcVelocityTowardX(&run->m_dVX, &run->m_dVY, &run->m_nTurn, pTarget, MotionCmdsCellCentreX(*this),
                          MotionCmdsCellCentreX(*pTarget) + run->m_nTargetX, run->m_dSpeed, m_bScrollSync, 0);
    }
    if (run->m_nAngle != 0) {
      TurnChargeVelocity(&run->m_dVX, &run->m_dVY, run->m_dSpeed, run->m_nAngle, IsFlying(*this),
                         g_SystemData.m_bRuleCharge728 != 0);
    }
  }
  if (!IsFlying(*this)) run->m_dVY = 0;
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, run->m_nTurn, run, m, false);
}

// Follows the target. With a lag of d steps the character heads, every d steps, for the
// point where the target was d steps before, and keeps that velocity in between.
void cCharaBase::CmdMoveHoming(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr) return;
  cCharaBase* pTarget = CheckedAt(m_vTarget, m->m_nTargetSlot);
  if (pTarget == nullptr || pTarget->m_bDying != 0) return;
  if (run->m_bStarted == 0) {
    run->m_bStarted = 1;
    CalcCommandOffset(run);
  }
  m_bFixScreenX = m_bFixScreenY = 0;
  const bool flying = IsFlying(*this);
  if (!flying && m->m_bLockX != 0) return;
  cWorkPoint now{0, 0};
  if (flying) {
    CalcMoveTarget(*pTarget, &now.x, &now.y, *run);
  } else {
    run->m_dVY = 0;
    now.x = MotionCmdsCellCentreX(*pTarget) + run->m_nTargetX;
  }
  const std::int32_t lag = run->m_nDist;
  std::optional<cWorkPoint> aim;
  if (lag <= 0) {
    aim = now;
  } else if (run->m_nCount == 0) {
    run->m_listWork.clear();
    run->m_listWork.push_back(now);
    aim = now;
  } else if (run->m_nCount % lag == 0) {
    aim = run->m_listWork.empty() ? now : run->m_listWork.front();
    run->m_listWork.push_back(now);
    // The queue holds one point per lag period: moving it down keeps its storage, so the
    // steps in between allocate nothing.
    run->m_listWork.erase(run->m_listWork.begin());
  }
  if (aim) {
    if (flying) {
      MoveTowardByAxes(run, m, pTarget, aim->x, aim->y);
    } else {
      MoveTowardPointX(run, pTarget, aim->x, m_bScrollSync, m->m_bStopAtTarget);
    }
  }
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, run->m_nTurn, run, m, false);
  run->m_nCount += 1;
}

void cCharaBase::CmdMoveAvoidOffscreen(cFlowCmdRun* run) {
  const cEdMove* m = MoveBlock(run);
  if (m == nullptr) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  AvoidScreenEdgeStep(run, m);
  if (!IsFlying(*this)) run->m_dVY = 0;
  ApplyMoveStep(*this, run->m_dVX, run->m_dVY, run->m_nTurn, run, m, false);
  run->m_nCount += 1;
}

void cCharaBase::CmdMoveDisable(cFlowCmdRun*) {
  m_dImpactVx = m_dImpactVy = 0;
  m_dCmdVx = m_dCmdVy = 0;
  m_dVx = m_dVy = 0;
  m_bFixScreenX = m_bFixScreenY = 0;
  m_bHeld = 1;
}

void cCharaBase::CmdTurn(cFlowCmdRun* run) {
  if (m_Def.m_bFixedFacing == 0 || run == nullptr || run->m_lpCmd == nullptr) return;
  if (run->m_nCount == 0) {
    const cFlowCmd& cmd = *run->m_lpCmd;
    const std::int32_t nChoice = cmd.m_vParam.empty() ? -1 : cmd.m_vParam[0];
    // Toward or away from a target: an empty slot does nothing and tries again next step.
    if (nChoice >= 2 && nChoice <= 9) {
      const auto nSlot = static_cast<std::size_t>((nChoice - 2) / 2);
      const cCharaBase* pTarget = nSlot < m_vTarget.size() ? m_vTarget[nSlot] : nullptr;
      if (pTarget == nullptr) return;
      PlayUserSE(cmd.m_nSound);
      const bool bRight = BoxCentreX(*pTarget) > BoxCentreX(*this);
      const bool bToward = nChoice % 2 == 0;
      m_nFacing = (bRight == bToward) ? 1 : 0;
    } else {
      PlayUserSE(cmd.m_nSound);
      if (nChoice == 0) {
        m_nFacing = 0;
      } else if (nChoice == 1) {
        m_nFacing = 1;
      } else if (nChoice == 10) {
        if (m_nWallSide == 0 || m_nWallSide == 1) m_nFacing = m_nWallSide;
      } else if (nChoice == 11) {
        if (m_nWallSide == 0 || m_nWallSide == 1) m_nFacing = 1 - m_nWallSide;
      }
    }
  }
  run->m_nCount += 1;
  if (run->m_nCount >= 6 * FlowSubSteps()) run->m_nCount = 0;
}

void cCharaBase::CmdJump(cFlowCmdRun* run) {
  if (run == nullptr) return;
  m_bFixScreenX = m_bFixScreenY = 0;
  RunJump(run);
  run->m_nCount += 1;
}
