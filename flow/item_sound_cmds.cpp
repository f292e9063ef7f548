// The get-item, sound and music commands.
#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

// An item's command list may take an item whose list takes the first again; nested runs
// beyond this depth do nothing, so such a loop ends instead of exhausting the stack.
constexpr int kGetItemDepthLimit = 16;
int g_nGetItemDepth = 0;

class cGetItemDepth {
 public:
  cGetItemDepth() { ++g_nGetItemDepth; }
  ~cGetItemDepth() { --g_nGetItemDepth; }
  cGetItemDepth(const cGetItemDepth&) = delete;
  cGetItemDepth& operator=(const cGetItemDepth&) = delete;
};

std::vector<cPaletteItem>* ItemPalette(std::int32_t nPalette) {
  if (nPalette == 0) return &g_CommonPalette.m_vItem;
  if (nPalette == 1) return &g_StageData.m_vItemDef;
  return nullptr;
}

}  // namespace

// The item's commands act on player 1 whoever runs the command, and bindings among them
// change the palette's own command records.
std::int32_t cCharaBase::CmdGetItem(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  if (g_nGetItemDepth >= kGetItemDepthLimit) return 0;
  std::vector<cPaletteItem>* palette = ItemPalette(CheckedAt(cmd.m_vParam, 0));
  // A palette the authoring tool does not offer runs nothing and asks for nothing.
  if (palette == nullptr || g_vPlayer.empty()) {
    scene->m_nCmdResult = STEP_CONTINUE;
    return 0;
  }
  cPaletteItem& item = CheckedAt(*palette, CheckedAt(cmd.m_vParam, 1));
  const cGetItemDepth depth;
  scene->m_nCmdResult = g_vPlayer.front().RunItemCommands(item.m_vItemCmd.Edit());
  return 0;
}

std::int32_t cCharaBase::CmdSe(cFlowCmd& cmd) {
  if (cmd.m_bSoundCond != 0 && m_bOnScreen == 0) return 0;
  PlayUserSE(CheckedAt(cmd.m_vParam, 0));
  return 0;
}

std::int32_t cCharaBase::CmdBgm(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  scene->PlayBgm(CheckedAt(cmd.m_vParam, 0), CheckedAt(cmd.m_vParam, 1));
  return 0;
}
