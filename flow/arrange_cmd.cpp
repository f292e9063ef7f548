// The arrange command records a parameter binding; the next command that begins in the
// same flow (or item-command list) takes it.
#include "data/flow/flow_command.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

std::int32_t cCharaBase::CmdArrange(cFlowCmd& cmd) {
  if (cmd.m_bItemCmd == 0) {
    cSceneGame* scene = GameScene();
    // Outside a flow step there is no run to take the binding.
    if (scene == nullptr || scene->m_pFlowRun == nullptr) return 0;
    scene->m_pFlowRun->m_listArrange.push_back(cmd.m_vParam);
    return 0;
  }
  if (!g_vPlayer.empty()) g_vPlayer.front().m_lstItemBinding.push_back(cmd.m_vParam);
  return 0;
}
