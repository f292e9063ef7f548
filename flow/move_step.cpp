#include "flow/move_step.h"

#include "data/flow/movement_block.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"

namespace {

// One axis of an accelerating move. Against the current motion the acceleration is scaled
// by the reversal factor; with it (a command velocity of 0 counts as with it) friction
// does not act on the axis in this sub-step.
void Accelerate(double& cmdV, double v, double brake, double limit, std::int32_t& frictionFlag) {
  double a = PerSecToPerStep(v);
  if ((cmdV < 0 && 0 < v) || (cmdV > 0 && 0 > v)) {
    a *= brake;
  } else {
    frictionFlag = 0;
  }
  cmdV += a;
  if (cmdV < -limit) {
    cmdV = -limit;
  } else if (cmdV > limit) {
    cmdV = limit;
  }
}

}  // namespace

void ApplyMoveStep(cCharaBase& chara, double vx, double vy, int turn, cFlowCmdRun* run, const cEdMove* m, bool forceTurn) {
  if (m == nullptr || run == nullptr) return;
  if ((chara.m_Def.m_bFixedFacing == 0 || forceTurn) && m->m_bKeepFacing == 0) {
    if (turn == TURN_LEFT) {
      chara.m_nFacing = 0;
    } else if (turn == TURN_RIGHT) {
      chara.m_nFacing = 1;
    }
  }
  if (m->m_bInertia != 0) {
    Accelerate(chara.m_dCmdVx, vx, m->m_fBrake, run->m_dSpeed2, chara.m_bFrictionX);
    Accelerate(chara.m_dCmdVy, vy, m->m_fBrake, run->m_dSpeed2, chara.m_bFrictionY);
  } else {
    chara.m_dVx += vx;
    chara.m_dVy += vy;
  }
  if (m->m_bWithAnime == 0) {
    chara.m_bMoving = 1;
    chara.m_Anime.Change(chara.m_bNoGravity != 0 ? 3 : 1, 1);
  }
}
