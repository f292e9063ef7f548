// The commands that change how the subject character looks: its graphic, its animation set,
// an animation laid over its own, and its character effect. Shared by the flows and the
// player's item commands; each acts on every step of the command's run time.
#include <cstdint>

#include "app/checked_access.h"
#include "data/database/frame_tables.h"
#include "data/flow/flow_command.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

std::int32_t cCharaBase::CmdChangeGraphic(cFlowCmd& cmd) {
  const std::int32_t source = CheckedAt(cmd.m_vParam, 0);
  const auto graphic = static_cast<std::int16_t>(CheckedAt(cmd.m_vParam, 1));
  m_Def.m_nGraphicKind = static_cast<std::int8_t>(source & 0xFF);
  m_Def.m_nGraphic = graphic;
  m_nGraphic = graphic;
  m_Def.m_nPattern = static_cast<std::int16_t>(CheckedAt(cmd.m_vParam, 2));
  return 0;
}

std::int32_t cCharaBase::CmdChangeAnimeSet(cFlowCmd& cmd) {
  SetAnimeSet(static_cast<std::uint16_t>(CheckedAt(cmd.m_vParam, 0)), 0);
  return 0;
}

std::int32_t cCharaBase::CmdAnime(cFlowCmd& cmd) {
  // An item command runs outside any flow: its overlays carry key -1, which no flow
  // operation names.
  const cSceneGame* scene = GameScene();
  const std::int32_t key = scene != nullptr && scene->m_pFlowRun != nullptr ? scene->m_pFlowRun->m_nFlowKey : -1;
  // The overlay's player copies the frames, so the shared table is read, not kept.
  const FRAMELIST& frames = CheckedAt(g_AnimeTables, CheckedAt(cmd.m_vParam, 0));
  // Every list ends with an end item; one that does not would be read past its end.
  if (frames.size() < FRAME_ITEM_INTS || frames[frames.size() - FRAME_ITEM_INTS] >= 0) return 0;
  const std::int32_t* table[2] = {frames.data(), nullptr};
  cAnimeOverlay& overlay = m_lstAnimeOverlay.emplace_front();
  overlay.m_Anime.SetTable(table);
  overlay.m_nFlowKey = key;
  overlay.m_Anime.Set(0, 1);
  return 0;
}

std::int32_t cCharaBase::CmdCharaEffect(cFlowCmd& cmd) {
  m_CharaEffect.Start(static_cast<std::int16_t>(CheckedAt(cmd.m_vParam, 0)), CheckedAt(cmd.m_vParam, 1),
                      CheckedAt(cmd.m_vParam, 2));
  return 0;
}
