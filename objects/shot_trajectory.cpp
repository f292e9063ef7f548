#include "objects/shot_trajectory.h"

#include <cmath>
#include <cstdint>
#include <list>

#include "app/checked_access.h"
#include "data/stage/stage_data.h"
#include "flow/chara_search.h"
#include "flow/wave_velocity.h"
#include "objects/chara_base.h"
#include "objects/move_toward.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "objects/trunc.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr double kShotTrajectoryDegToRad = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;

// Screen centre of an object's sprite cell; its screen rectangle must be current.
double ShotTrajectoryCentreX(const cGameObj& obj) { return obj.m_rcScreen.left + (obj.m_nCellW >> 1); }
double ShotTrajectoryCentreY(const cGameObj& obj) { return obj.m_rcScreen.top + (obj.m_nCellH >> 1); }

enum class TargetKind { kHero, kNearest, kLinked };

// The character the shot steers toward this sub-step, or null: none found, an empty
// link, or a dying character.
cCharaBase* TakeTarget(cShot& shot, TargetKind kind, int nLayerParam) {
  cCharaBase* target = nullptr;
  switch (kind) {
    case TargetKind::kHero:
      target = &CheckedAt(g_vPlayer, 0);
      break;
    case TargetKind::kNearest: {
      cSceneGame* scene = GameScene();
      if (scene == nullptr) return nullptr;
      const std::list<cGameObj*>& group = CheckedAt(scene->m_vGroupList, shot.m_EdShot.m_nTrajParam[nLayerParam]);
      target = FindNearestCharaFrom(shot, group);
      break;
    }
    case TargetKind::kLinked:
      target = shot.m_pTarget;
      break;
  }
  if (target == nullptr || target->m_bDying != 0) return nullptr;
  return target;
}

// The trajectory speed and the step numbers, on the first call of the aim, homing and
// fall handlers.
void Prepare(cShot& shot, bool bHoming) {
  if (shot.m_nStepCount != 0) return;
  const cEdShot& block = shot.m_EdShot;
  shot.m_dTrajSpeed = (block.m_nSpeed + shot.m_nCopyIndex * block.m_nSpeedStep) * 0.1 / g_StageData.m_dSubSteps;
  shot.m_nTrigStep = TrajectorySteps(block.m_nTrajParam[0], shot.m_dTrajSpeed);
  if (bHoming) shot.m_nEndStep = TrajectorySteps(block.m_nTrajParam[1], shot.m_dTrajSpeed);
}

// The velocity from the shot's screen centre toward the target's at the trajectory
// speed, with the corrections for the automatic scroll.
void VelocityToward(cShot& shot, const cCharaBase& target, double* pVx, double* pVy) {
  std::int32_t turn = 0;
  *pVx = 0;
  *pVy = 0;
  CalcVelocityToward(pVx, pVy, &turn, &target, ShotTrajectoryCentreX(shot), ShotTrajectoryCentreY(shot), ShotTrajectoryCentreX(target), ShotTrajectoryCentreY(target),
                     shot.m_dTrajSpeed, shot.m_bScrollSync, 1, 0);
}

void Aim(cShot& shot, TargetKind kind, int nLayerParam) {
  if (shot.m_bTrajDone != 0) return;
  Prepare(shot, false);
  if (shot.m_nStepCount == shot.m_nTrigStep) {
    shot.UpdateScreenRect();
    if (cCharaBase* target = TakeTarget(shot, kind, nLayerParam)) {
      VelocityToward(shot, *target, &shot.m_dBaseVx, &shot.m_dBaseVy);
      if (shot.m_bAccelOn != 0) shot.CalcVelocity(&shot.m_dCmdVx, &shot.m_dCmdVy, shot.m_dBaseVx, shot.m_dBaseVy);
    }
    shot.m_bTrajDone = 1;
  }
  ++shot.m_nStepCount;
}

void Home(cShot& shot, TargetKind kind, int nLayerParam) {
  if (shot.m_bTrajDone != 0) return;
  Prepare(shot, true);
  if (shot.m_nStepCount >= shot.m_nEndStep) {
    shot.m_bTrajDone = 1;
    ++shot.m_nStepCount;
    return;
  }
  if (shot.m_nStepCount >= shot.m_nTrigStep) {
    shot.UpdateScreenRect();
    if (cCharaBase* target = TakeTarget(shot, kind, nLayerParam)) shot.HomeToward(*target);
  }
  ++shot.m_nStepCount;
}

}  // namespace

const SHOTTRAJFUNC g_ShotTrajectoryTable[kShotTrajCount] = {
    nullptr,         TrajAimHero,  TrajAimNearest,  TrajAimTarget, TrajHomeHero,
    TrajHomeNearest, TrajHomeTarget, TrajHomeNearest, TrajWave,      TrajFall,
};

void RunShotTrajectory(cShot& shot) {
  const int kind = shot.m_EdShot.m_nTrajectory;
  if (kind < 0 || kind >= kShotTrajCount) return;
  if (const SHOTTRAJFUNC handler = g_ShotTrajectoryTable[kind]) handler(shot);
}

int TrajectorySteps(int nHbl, double dSpeed) {
  if (nHbl == 0 || dSpeed == 0) return 0;
  return TruncToInt(nHbl * 16 / dSpeed);
}

void TrajAimHero(cShot& shot) { Aim(shot, TargetKind::kHero, 0); }
void TrajAimNearest(cShot& shot) { Aim(shot, TargetKind::kNearest, 1); }
void TrajAimTarget(cShot& shot) { Aim(shot, TargetKind::kLinked, 0); }
void TrajHomeHero(cShot& shot) { Home(shot, TargetKind::kHero, 0); }
// Kinds 5 and 7 alike: the nearest is searched anew on every sub-step, so a defeated
// target is replaced by the next nearest one.
void TrajHomeNearest(cShot& shot) { Home(shot, TargetKind::kNearest, 2); }
void TrajHomeTarget(cShot& shot) { Home(shot, TargetKind::kLinked, 0); }

void cShot::HomeToward(const cCharaBase& target) {
  double vx = 0;
  double vy = 0;
  VelocityToward(*this, target, &vx, &vy);
  // An accelerating shot steers by its acceleration: its base velocity is aimed once,
  // when homing starts.
  if (m_bAccelOn == 0 || m_nStepCount == m_nTrigStep) {
    m_dBaseVx = vx;
    m_dBaseVy = vy;
  }
  if (m_bAccelOn != 0) CalcVelocity(&m_dCmdVx, &m_dCmdVy, vx, vy);
}

void TrajWave(cShot& shot) {
  std::int16_t* p = shot.m_EdShot.m_nTrajParam;
  const double n = g_StageData.m_dSubSteps;
  const int waveSpeed = p[1];
  if (shot.m_nStepCount == 0) {
    // From now on the block holds the amplitude in dots.
    p[0] = static_cast<std::int16_t>(p[0] * 16);
    shot.m_nStepCount = 1;
    const int startAngle = shot.m_nFacing != 0 ? p[2] : p[2] + 180;
    // A wave speed of 0 has no start phase: it starts at 0 and never swings.
    shot.m_dWavePhase = waveSpeed != 0 ? n * startAngle / waveSpeed : 0;
    const double delta = WaveVelocityX(p[0], waveSpeed, &shot.m_dWavePhase, 1.0, 0);
    double heading = std::atan2(shot.m_dBaseVy, shot.m_dBaseVx);
    if (heading < 0) heading += 2 * kPi;
    const double side = heading - 90 * kShotTrajectoryDegToRad;
    shot.m_dWaveCos = std::cos(side);
    shot.m_dWaveSin = std::sin(side);
    shot.m_dBaseVx += delta * shot.m_dWaveCos;
    shot.m_dBaseVy += delta * shot.m_dWaveSin;
  } else {
    const double delta = WaveVelocityY(p[0], waveSpeed, &shot.m_dWavePhase, 1.0, 0);
    const double oldX = shot.m_dBaseVx;
    const double oldY = shot.m_dBaseVy;
    double newX = oldX + delta * shot.m_dWaveCos;
    double newY = oldY + delta * shot.m_dWaveSin;
    // A component that would change its sign stops at 0 instead.
    if ((oldX < 0 && newX > 0) || (oldX > 0 && newX < 0)) newX = 0;
    if ((oldY < 0 && newY > 0) || (oldY > 0 && newY < 0)) newY = 0;
    shot.m_dBaseVx = newX;
    shot.m_dBaseVy = newY;
  }
  if (shot.m_bAccelOn != 0) shot.CalcVelocity(&shot.m_dCmdVx, &shot.m_dCmdVy, shot.m_dBaseVx, shot.m_dBaseVy);
}

void TrajFall(cShot& shot) {
  if (shot.m_bTrajDone != 0) return;
  Prepare(shot, false);
  if (shot.m_nStepCount >= shot.m_nTrigStep) {
    shot.m_dVy = shot.m_dBaseVy;
    shot.m_bNoGravity = 0;
    shot.m_bTrajDone = 1;
  }
  ++shot.m_nStepCount;
}
