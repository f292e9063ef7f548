// Deaths: a character with no HP left is defeated (a hero's defeat is the player's), and
// the death check erases the characters that flows killed or asked to vanish.
#include "data/system/system_data.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "shell/game_requests.h"
#include "stage/list_walk.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

constexpr int kSoundPlayerDefeated = 8;
constexpr int kSoundCharaDefeated = 9;

}  // namespace

std::int32_t cSceneGame::CheckDefeat(cCharaBase& chara) {
  if (chara.m_nKind == 0) return STEP_DEFEAT;
  if (chara.m_bDying != 0) return STEP_CONTINUE;
  return chara.Defeat() != 0 ? STEP_CLEAR : STEP_CONTINUE;
}

std::int32_t cSceneGame::HandleDefeat(cChara& chara, std::list<cChara>& /*list*/) {
  const std::int32_t r = CheckDefeat(chara);
  if (r == STEP_CLEAR) {
    ClearPlay();
  } else if (r == STEP_DEFEAT) {
    PlaySE(kSoundPlayerDefeated);
    if (!g_vPlayer.empty() && g_vPlayer.front().Defeat() == STEP_CLEAR) ClearPlay();
  }
  return r;
}

std::int32_t cSceneGame::CheckDeaths() {
  if (g_vPlayer.empty()) return STEP_CONTINUE;
  cPlayer& hero = g_vPlayer.front();
  if (hero.m_nHp <= 0) {
    PlaySE(kSoundPlayerDefeated);
    if (hero.Defeat() == STEP_CLEAR) ClearPlay();
    return 1;
  }
  // A died flow may summon (visited later in this walk) or open a pause whose drawing
  // erases characters whose defeat has ended; the walk survives both.
  for (cListWalk<cChara> walk(g_listChara); !walk.AtEnd(); walk.Next()) {
    cChara& chara = walk.Current();
    if (chara.m_bRemove != 0) {
      RemoveChara(walk.Position());
      continue;
    }
    if (chara.m_nHp > 0) continue;
    const std::int32_t r = HandleDefeat(chara, g_listChara);
    if (walk.Gone()) {
      if (r != STEP_CONTINUE) return 1;
      continue;
    }
    if (g_SystemData.m_bRuleDefeat272 == 0) {
      RemoveChara(walk.Position());
    } else if (r == STEP_CLEAR) {
      RemoveChara(walk.Position());
    } else {
      PlaySE(kSoundCharaDefeated);
    }
    if (r != STEP_CONTINUE) return 1;
  }
  return STEP_CONTINUE;
}
