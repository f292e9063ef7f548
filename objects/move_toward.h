#pragma once
// Velocities toward a point, shared by the charge and homing moves and by shots: fleeing,
// the diagonal factor and the corrections for the automatic scroll, with the intercept of
// a target that rides the scroll. Positions are screen positions of sprite-cell centres;
// velocities are per sub-step.
#include <cstdint>

class cGameObj;

// 1 when the point is reached (tested only with bTestArrival; never while fleeing).
std::int32_t CalcVelocityToward(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromX,
                                double fromY, double toX, double toY, double speed, std::int32_t bSelfSync,
                                std::int32_t bNoFlee, std::int32_t bTestArrival);
std::int32_t CalcVelocityTowardX(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromX,
                                 double toX, double speed, std::int32_t bSelfSync, std::int32_t bTestArrival);
std::int32_t CalcVelocityTowardY(double* pVx, double* pVy, std::int32_t* pTurn, const cGameObj* pTarget, double fromY,
                                 double toY, double speed, std::int32_t bSelfSync, std::int32_t bTestArrival);
