#pragma once
// A shot or a sword on the stage. This holds what the scene's shot list needs to carry and
// step a shot; firing, formations, trajectories and swords come with the characters' combat.
#include <cstdint>
#include <list>

#include "objects/game_obj.h"

class cCharaBase;

class cShot : public cGameObj {
 public:
  cShot() = default;
  cShot(const cShot& other);
  cShot& operator=(const cShot& other);
  // Releases the back-links the shot holds in its target and owner.
  ~cShot() override;

  void ScaleHitRects(std::int32_t nFactor) override;
  void ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) override;
  void UpdateHitRectX() override;
  void UpdateHitRectY() override;

  void StepX();
  void StepY();
  // The per-sub-step logic; 1 asks the caller to erase the shot.
  std::int32_t Update();
  [[nodiscard]] bool HitsSolidBlock() const;
  void ReleaseLinks();

  std::int32_t m_nWielderId = 0;
  std::int32_t m_bFlying = 1;         // 1 a shot, 0 a sword
  cHitArea m_HitArea;
  std::list<cCharaBase*> m_lstHit;    // characters already hit
  cCharaBase* m_pTarget = nullptr;    // back-linked in the target as {this, 0}
  cCharaBase* m_pOwner = nullptr;     // back-linked in the owner as {this, 4}
  std::int32_t m_bRemovePending = 0;
  std::int8_t m_nImpactPower = 0;     // the block's impact power (half-blocks), copied when fired
};
