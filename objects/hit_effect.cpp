#include "objects/hit_effect.h"

#include "objects/game_obj.h"

void AddHitEffect(std::int16_t nId, const cHitArea& victim, const cHitArea& attacker, std::int32_t nScale) {
  // The scene's effect records are placed, stepped, drawn and ended by the effect runtime
  // of the stage's messages, effects and pictures. Until that runtime runs them, a record
  // appended here would never end and the list would grow with every hit, so the effect is
  // not shown yet; the damage, the triggers and the impact do not depend on it.
  (void)nId;
  (void)victim;
  (void)attacker;
  (void)nScale;
}
