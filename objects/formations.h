#pragma once
// The six formations of a firing copy and the layouts behind them: where the objects of
// one copy start, how far apart they are and which way they fly. A formation hands each
// place to a sink, which creates the shot, character, item or block there.
//
// Positions are world dots (top-left of the object), velocities dots per frame. Angles
// are degrees with the direction (-cos a, -sin a): 0 left, 90 up, 180 right, 270 down.
#include <cstdint>

#include "objects/formation_slot.h"

class cCharaBase;
class cEdShot;
class cGameObj;

// Creates the object of one formation place.
class cFormationSink {
 public:
  virtual void Place(const FORMATIONSLOT& slot) = 0;

 protected:
  ~cFormationSink() = default;
};

// The base angle of a resolved direction: 2 -> 0, 3 -> 180, 6 -> 90, 7 -> 270, 8 -> 45,
// 9 -> 315, 10 -> 135, 11 -> 225, any other -> 0.
std::int32_t DirAngle(std::int32_t nDir);
// The resolved directions a layout by direction can place objects along: 2, 3 and 6-11.
[[nodiscard]] inline bool IsLayoutDirection(std::int32_t nDir) {
  return nDir == 2 || nDir == 3 || (nDir >= 6 && nDir <= 11);
}

// The direction of a volley or summon from the block's direction code: as the movement
// commands resolve it, but the key direction is the one the running flow recorded, an
// unusual key combination falls back to the facing, and diagonals stay diagonal.
std::int32_t ResolveFireDirection(const cCharaBase& firer, const cEdShot& block);

// The angle from the world point (x, y) toward the character in the firer's aim target
// slot; 180 when the slot is empty and the firer faces right, else 0. On a scrolling
// view a target that rides the scroll is led (the intercept), and the slot's speed is
// set to the speed of that interception.
std::int32_t AimAngle(std::int32_t x, std::int32_t y, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);

// Layouts: each writes the slot's start, steps and velocity. Those by direction place
// nothing for a direction they have no place for (an old replay's key rule gives 0,
// damaged data anything): they zero the slot's places and velocity and answer false, and
// the formation then creates nothing.
bool LayoutLineByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer);
bool LayoutLineByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer);
bool LayoutStackByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer);
bool LayoutStackByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer);
bool PlaceSpreadByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer);
bool PlaceSpreadByAngle(FORMATIONSLOT& slot, const cEdShot& block, cCharaBase& firer);
void PlaceAtFirerCentre(FORMATIONSLOT& slot, const cCharaBase& firer);
void PlaceAtAngle(FORMATIONSLOT& slot, const cCharaBase& firer, double dAngle);
bool LayoutLightningByDirection(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer,
                                const cGameObj& ref);
bool LayoutLightningByAngle(FORMATIONSLOT& slot, const cEdShot& block, const cCharaBase& firer, const cGameObj& ref);

// The formations, indexed by the block's formation value.
void FormStraightA(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
void FormStraightB(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
void FormSpread(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
void FormLightning(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
void FormExplosion(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
void FormSurround(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);

// Runs the block's formation. A formation value outside the table (damaged data) is
// reported as a guarded access would be and creates nothing.
void RunFormation(cFormationSink& sink, cCharaBase& firer, const cEdShot& block, FORMATIONSLOT& slot);
