// Hits between groups, item pick-up, deaths and block characters. Until those parts of
// stage play are built, these members answer "nothing happened" (STEP_CONTINUE) and
// change nothing, so the play step runs its fixed order around them.
#include "stage/scene_game.h"

// 1 (STEP_CLEAR) means that the defeat cleared the stage and the play has been ended
// (EndPlay and the clear state); 2 that the player is defeated.
std::int32_t cSceneGame::HandleDefeat(cChara& /*chara*/, std::list<cChara>& /*list*/) { return STEP_CONTINUE; }

std::int32_t cSceneGame::CheckDeaths() {
  m_bKilled = 0;
  return STEP_CONTINUE;
}

std::int32_t cSceneGame::HitGroups(std::list<cChara>& /*list*/) { return STEP_CONTINUE; }

std::int32_t cSceneGame::PickUpItems(cPlayer& /*player*/) { return STEP_CONTINUE; }

std::int32_t cSceneGame::UseItem(cItem& /*item*/, cPlayer& /*player*/) { return STEP_CONTINUE; }

void cSceneGame::CarryRider(cCharaBase& /*rider*/, std::list<cChara>& /*list*/) {}

std::int32_t cSceneGame::HitCharaSolid(cCharaBase& /*chara*/, std::list<cChara>& /*list*/) { return STEP_CONTINUE; }

std::int32_t cSceneGame::IsSolidCharaInBox(cCharaBase& /*chara*/) { return 0; }
