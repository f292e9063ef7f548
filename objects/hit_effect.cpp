#include "objects/hit_effect.h"

#include "objects/game_obj.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"

void AddHitEffect(std::int16_t nId, const cHitArea& victim, const cHitArea& attacker, std::int32_t nScale) {
  cSceneGame* scene = GameScene();
  if (nId == 0 || scene == nullptr) return;
  scene->m_lstEffect.emplace_back(nId, attacker.m_rc, victim.m_rc, nScale);
}
