#pragma once
// What the charge and homing moves aim at: the target's sprite-cell centre on screen
// plus the command's offset, on the axes the movement block leaves free; and the charge's
// turn of its velocity by the command's angle.
#include <cstdint>

class cFlowCmdRun;
class cGameObj;

// The point of `target` that a move of `run` heads for. Neither axis locked: both
// outputs; the y axis locked: only *pX; only the x axis locked: only *pY. An output
// not written keeps the caller's value.
void CalcMoveTarget(const cGameObj& target, double* pX, double* pY, const cFlowCmdRun& run);

// Turns the charge's velocity by `nAngle` degrees at speed `s`. The old rule (System
// data older than version 728) measures the direction from the other axis and keeps the
// horizontal sign; only a flying character gets a vertical part.
void TurnChargeVelocity(double* pVx, double* pVy, double s, std::int32_t nAngle, bool bFlying, bool bOldRule);
