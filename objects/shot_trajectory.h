#pragma once
// The trajectories of flying shots: each sub-step cShot::Update runs the handler of the
// shot's trajectory kind before it adds the acceleration and the base velocity. Aiming
// turns the shot toward a target once, homing steers it over a stretch of its flight,
// the wave adds a sideways oscillation and the fall hands it over to gravity. Handlers
// change only the base velocity, the acceleration vector, the flying flag and their own
// bookkeeping; motion stays with the shot.
#include "data/flow/shot_parameter_tables.h"

class cCharaBase;
class cShot;

using SHOTTRAJFUNC = void (*)(cShot& shot);

// Indexed by SHOTTRAJ; SHOTTRAJ_STRAIGHT has no handler (null).
extern const SHOTTRAJFUNC g_ShotTrajectoryTable[kShotTrajCount];

// Runs the handler of the shot's trajectory kind. A kind outside the table (a damaged
// block) flies straight.
void RunShotTrajectory(cShot& shot);

void TrajAimHero(cShot& shot);
void TrajAimNearest(cShot& shot);
void TrajAimTarget(cShot& shot);
void TrajHomeHero(cShot& shot);
void TrajHomeNearest(cShot& shot);
void TrajHomeTarget(cShot& shot);
void TrajWave(cShot& shot);
void TrajFall(cShot& shot);

// A distance of half-blocks as the number of sub-steps a shot of speed dSpeed (dots per
// sub-step) needs to fly it; 0 for a distance of 0 and for a speed of 0.
[[nodiscard]] int TrajectorySteps(int nHbl, double dSpeed);
