// The commands that change the look of the whole stage: the screen colour (tint, flash,
// return to normal) and the background layers shown or hidden.
#include <cstdint>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/stage/stage_data.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

namespace {

enum BACKSHOW : std::int32_t {
  BACKSHOW_SHOW = 0,
  BACKSHOW_HIDE = 1,
  BACKSHOW_TOGGLE = 2,
};

}  // namespace

std::int32_t cCharaBase::CmdScreenColor(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene != nullptr) scene->SetScreenColor(cmd.m_vParam);
  return 0;
}

std::int32_t cCharaBase::CmdChangeBack(cFlowCmd& cmd) {
  const std::int32_t n = CheckedAt(cmd.m_vParam, 0);
  std::vector<cStageBack>& backs = g_StageData.m_vBack;
  // Layers count from 1: 0 and numbers past the list name no layer.
  const std::uint32_t index = static_cast<std::uint32_t>(n) - 1u;
  if (index >= backs.size()) return 0;
  std::int32_t& visible = backs[index].m_bVisible;
  switch (CheckedAt(cmd.m_vParam, 1)) {
    case BACKSHOW_SHOW:
      visible = 1;
      break;
    case BACKSHOW_HIDE:
      visible = 0;
      break;
    case BACKSHOW_TOGGLE:
      visible = visible == 0 ? 1 : 0;
      break;
    default:
      break;
  }
  return 0;
}
