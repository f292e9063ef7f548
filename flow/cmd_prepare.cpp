#include "flow/cmd_prepare.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "objects/trunc.h"

namespace {

std::int32_t SaturateToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// A quotient that becomes a step count: infinite or NaN quotients (a speed of 0) give 0
// steps instead of reaching an int conversion; negative counts are made positive unless
// `keepNegative`.
std::int32_t QuotientToSteps(double q, bool keepNegative) {
  if (!std::isfinite(q)) return 0;
  std::int64_t steps = TruncToInt(q);
  if (!(q > -2147483649.0 && q < 2147483648.0)) steps = q < 0 ? INT32_MIN : INT32_MAX;
  if (steps < 0 && !keepNegative) steps = -steps;
  return SaturateToInt32(steps);
}

// A step count used as a divisor: a command of time 0 covers its whole distance or
// span in the one step it runs.
double StepsDivisor(std::int32_t nSteps) { return nSteps == 0 ? 1.0 : static_cast<double>(nSteps); }

std::int8_t FlipTurning(std::int8_t nDir) {
  if (nDir == 0) return 1;
  if (nDir == 1) return 0;
  return nDir;
}

}  // namespace

std::int32_t FlowSubSteps() { return std::max(1, g_StageData.m_nSubSteps); }

std::int32_t CmdDurationSteps(std::int32_t nTime, std::int32_t nTimeStep, std::int32_t nCopy) {
  const std::int64_t tenths = static_cast<std::int64_t>(nTimeStep) * nCopy + nTime;
  return SaturateToInt32(tenths * FlowSubSteps() * 6);
}

// The distance goes over the command's time as a double division: dots per step keep
// their fraction, so a slow move over a long time still moves. A distance step of 0
// would need the speed given instead; time 0 covers the distance in its single step.
void cFlowCmdRun::CalcMoveTime(const cFlowCmd* pCmd, std::int16_t nCopy) {
  if (pCmd == nullptr || !pCmd->m_pMove) return;
  const cEdMove& m = *pCmd->m_pMove;
  std::int64_t d = static_cast<std::int64_t>(m.m_nDistStep) * nCopy + m.m_nDist;
  if (m.m_nDistUnit != 1) d *= 16;
  if (m.m_nSpeedMode == 1) {
    m_dSpeed = static_cast<double>(d) / StepsDivisor(m_nDuration);
  } else if (m.m_nSpeedMode == 2) {
    const bool keepNegative = g_SystemData.m_bRuleMoveTime695 != 0;
    m_nDuration = m_dSpeed == 0.0 ? 0 : QuotientToSteps(static_cast<double>(d) / m_dSpeed, keepNegative);
  }
}

void PrepareMoveCmd(cFlowCmdRun* run, cCharaBase* pChara) {
  if (run->m_lpCmd == nullptr || !run->m_lpCmd->m_pMove) return;
  if (run->m_lpCmd->m_pMove->m_nSpeedMode != 0) run->CalcMoveTime(run->m_lpCmd, pChara->m_nCopyIndex);
}

void PrepareHomingCmd(cFlowCmdRun* run, cCharaBase* pChara) {
  if (run->m_lpCmd == nullptr || !run->m_lpCmd->m_pMove) return;
  const cEdMove& m = *run->m_lpCmd->m_pMove;
  const std::int64_t lag = static_cast<std::int64_t>(m.m_nHomingStep) * pChara->m_nCopyIndex + m.m_nHoming;
  run->m_nDist = SaturateToInt32(lag * FlowSubSteps());
  if (m.m_nSpeedMode != 0) run->CalcMoveTime(run->m_lpCmd, pChara->m_nCopyIndex);
}

// The circle's span goes over its time as a double division (degrees x n per step keep
// their fraction); time 0 sweeps the span in its single step, speed 0 gives time 0.
void PrepareCircleCmd(cFlowCmdRun* run, cCharaBase* pChara) {
  if (run->m_lpCmd == nullptr || !run->m_lpCmd->m_pMove) return;
  const cEdMove& m = *run->m_lpCmd->m_pMove;
  const std::int64_t n = FlowSubSteps();
  const std::int64_t nCopy = pChara->m_nCopyIndex;
  std::int64_t a = 0;
  if (pChara->m_Def.m_nDirection == 1) {
    if (m.m_bMirrorX != 0) {
      a = 180;
      run->m_nDir = FlipTurning(run->m_nDir);
    }
    if (m.m_bMirrorY != 0) run->m_nDir = FlipTurning(run->m_nDir);
  }
  const std::int64_t r = std::clamp<std::int64_t>(m.m_nHomingStep * nCopy + m.m_nHoming, 0, 20);
  run->m_nDist = SaturateToInt32(r * 16 * n);
  run->m_nAngleStart = SaturateToInt32((a + m.m_nAngleStep * nCopy + m.m_nAngle) * n);
  run->m_nAngleEnd = SaturateToInt32((a + m.m_nDistStep * nCopy + m.m_nDist) * n);
  const std::int64_t span = m.m_nDist > m.m_nAngle ? static_cast<std::int64_t>(run->m_nAngleEnd) - run->m_nAngleStart
                                                   : static_cast<std::int64_t>(run->m_nAngleStart) - run->m_nAngleEnd;
  if (m.m_nSpeedMode == 0) {
    run->m_dSpeed = static_cast<double>(span) / StepsDivisor(run->m_nDuration) / static_cast<double>(n);
  } else if (m.m_nSpeedMode == 1) {
    run->m_nDuration = run->m_dSpeed == 0.0
                           ? 0
                           : QuotientToSteps(static_cast<double>(span) / run->m_dSpeed / static_cast<double>(n), false);
  }
}

void PrepareJumpCmd(cFlowCmdRun* run, cCharaBase* pChara) {
  if (run->m_lpCmd == nullptr) return;
  cFlowCmd& cmd = *run->m_lpCmd;
  const auto nHeight = static_cast<std::int8_t>(CheckedAt(cmd.m_vParam, 2));
  run->m_dSpeed = pChara->JumpSpeedFromHbl(nHeight);
  cmd.m_nTime = static_cast<std::int16_t>(pChara->JumpApexTime(nHeight));
  run->m_nDuration = CmdDurationSteps(cmd.m_nTime, 0, 0);
}
