#pragma once
// A shot or a sword on the stage. A shot flies: each sub-step its speed is rebuilt from a
// base velocity, an acceleration and the auto-scroll share, steered by the handler of its
// trajectory kind (objects/shot_trajectory.h). A sword does not fly: it is placed every
// sub-step beside the character that wields it, frame by frame from its SwordType entry.
//
// Every shot keeps its own copy of the command's shot block, so a block rewritten later
// (bound parameters, the arrange command) does not reach shots already in flight.
#include <cstdint>
#include <list>

#include "data/flow/shot_block.h"
#include "objects/formation_slot.h"
#include "objects/game_obj.h"

class cCharaBase;
class cSwordFrame;

class cShot : public cGameObj {
 public:
  // Zeroed, with the block's defaults as a shot command needs them (see the .cpp).
  cShot();
  // Member-wise, the block and the hit list included; registers no back-link.
  cShot(const cShot& other);
  cShot& operator=(const cShot& other);
  // Releases the back-links the shot holds in its target and owner.
  ~cShot() override;

  // Slots 3-6.
  void ScaleHitRects(std::int32_t nFactor) override;
  void ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) override;
  void UpdateHitRectX() override;
  void UpdateHitRectY() override;

  // Set-up from one formation place. nKind is FLOWCMD_SHOT or FLOWCMD_SWORD. A block
  // whose giant factor is 0 gets 1 (in the command's block itself). False when no sword
  // can be made (its SwordType entry has no frames): the caller then adds nothing.
  bool Init(std::int32_t nId, cCharaBase& firer, std::int32_t nKind, cEdShot& block, const FORMATIONSLOT& slot);
  // After the shot is in the scene's list (AddShot): {this, 0} in the target's shot
  // back-links for the target trajectories (any other trajectory, and a sword, drops the
  // target instead), {this, 4} in the owner's; each only when not already there.
  void RegisterLinks();

  // The acceleration vector along (dx, dy), per sub-step.
  void CalcVelocity(double* pAx, double* pAy, double dx, double dy) const;
  // Keeps x inside the world; 3 when it clamped, else 0. Also brings the right edge, the
  // hit area and the block columns up to date.
  std::int32_t ClampX();
  using cGameObj::ClampX;
  // One sub-step of motion on each axis.
  void StepX();
  void StepY();
  // The per-sub-step logic; 1 asks the caller to erase the shot.
  std::int32_t Update();
  // The sword's part of Update; 1 asks the caller to erase the sword.
  std::int32_t UpdateSword();
  [[nodiscard]] bool HitsSolidBlock() const;
  void ReleaseLinks();
  // One homing step toward the target's screen centre (objects/shot_trajectory.cpp).
  void HomeToward(const cCharaBase& target);
  void Draw(DDSURFACEDATA* pSurface, bool bPaused);

  // The sword frame the sword is on; null for a shot or a sword type without frames.
  [[nodiscard]] const cSwordFrame* CurrentSwordFrame() const;

  std::int32_t m_nWielderId = 0;      // object id of the firer or the sword's wielder
  std::int32_t m_bFlying = 1;         // 1 a shot, 0 a sword
  std::int32_t m_nRangeSteps = 0;     // sub-steps left of the range (range limit on)
  std::int32_t m_nLifeSteps = 0;      // sub-steps left of the timed life (timed life on)
  std::int32_t m_nStepCount = 0;      // sub-steps since creation; a sword's within its frame
  std::int32_t m_nSwordFrame = 0;     // current frame of the sword type
  double m_dAccel = 0;                // acceleration magnitude per sub-step
  double m_dTrajSpeed = 0;            // speed of aiming and homing, dots per sub-step
  double m_dBaseVx = 0;               // flight velocity, dots per sub-step
  double m_dBaseVy = 0;
  std::int32_t m_bAccelOn = 0;
  std::int32_t m_nTrigStep = 0;       // step count at which a trajectory acts
  std::int32_t m_nEndStep = 0;        // step count at which homing ends
  std::int32_t m_bTrajDone = 0;
  double m_dWavePhase = 0;            // sub-steps x degrees, as the wave velocities take it
  double m_dWaveSin = 0;              // the sideways direction of the wave
  double m_dWaveCos = 0;
  cHitArea m_HitArea;
  // Ids of the characters already hit. Ids, not addresses: a character made after one
  // that was hit and removed may stand at its address, and must still be hit.
  std::list<std::int32_t> m_lstHit;
  cEdShot m_EdShot;                   // own copy of the command's shot block
  cCharaBase* m_pTarget = nullptr;    // back-linked in the target as {this, 0}
  cCharaBase* m_pOwner = nullptr;     // back-linked in the owner as {this, 4}
  std::int32_t m_bRemovePending = 0;  // a vanish command asked for removal mid-walk
  std::int32_t m_bAttackReport = 0;   // a hit fires the owner's attack-hit trigger
  std::int8_t m_nAttackGroup = 0;     // flow group passed with that trigger
  std::int8_t m_nImpactPower = 0;     // the block's impact power (half-blocks)
};

// The animation table of shots: 0 a three-pattern one-shot (swords start it but never
// draw from it), 1 the two-pattern loop every shot plays.
extern const std::int32_t* const g_ShotAnimeTable[];

// Appends a copy of the shot to the scene's shot list and its pointer to the list of its
// layer; returns the shot in the list (the creator registers its back-links on it).
cShot& AddShot(std::list<cShot>& list, const cShot& shot);
