#include "objects/item.h"

#include <algorithm>

#include "data/flow/command_loops.h"
#include "data/flow/flow_command_kinds.h"
#include "data/stage/stage_data.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

// Cell 0 and cell 1 for 15 frames each, looping.
const std::int32_t kItemAnime0[] = {0, 15, 1, 1, 15, 1, ANIME_END_LOOP, 0, 1};

bool HasLoopCommand(const std::vector<cFlowCmd>& cmds) {
  return std::any_of(cmds.begin(), cmds.end(), [](const cFlowCmd& c) {
    return (c.m_bItemCmd == 0 && c.m_nKind == FLOWCMD_LOOP) || (c.m_bItemCmd != 0 && c.m_nKind == ITEMCMD_LOOP);
  });
}

}  // namespace

const std::int32_t* const g_ItemAnimeTable[] = {kItemAnime0, nullptr};

cItem::cItem() {
  m_ItemDef.m_nGraphic = 0;
  m_ItemDef.m_nSize = 1;
}

void cItem::Init(std::int32_t nObjId, cPaletteItem& entry, std::int32_t bCarried) {
  if (entry.m_nSize == 0) entry.m_nSize = 1;
  m_ItemDef = entry;
  const std::int32_t w = g_StageData.m_nItemW;
  const std::int32_t h = g_StageData.m_nItemH;
  cGameObj::Init(nObjId, 0, 0, 0, m_ItemDef.m_nGraphic, g_ItemAnimeTable, 0, 16 - (w >> 1), 16 - (h >> 1), w, h, 32,
                 32, 0, 1, 0, nullptr);
  m_bScrollSync = 0;
  m_bCarried = bCarried;
  if (bCarried != 0) {
    m_bActive = 1;
  } else {
    SetScale(m_ItemDef.m_nSize, 1);
  }
  // The list runs without loop commands. Only a list that has one is unshared from the
  // placements it came from.
  if (HasLoopCommand(m_ItemDef.m_vItemCmd.Get())) ExpandCmdLoops(m_ItemDef.m_vItemCmd.Edit());
}

void cItem::ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  // For the centred item box this keeps the bottom of the sprite cell in place.
  m_dY -= static_cast<double>((nNew - nOld) * (m_nBaseBoxH + m_nBaseBoxOffY));
  ClampY(2);
}

void cItem::PlaceAtBlock(std::int32_t bx, std::int32_t by) {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  m_dX = static_cast<double>((bx + ax.m_nMargin) * 32 + m_nBaseBoxOffX) + 0.5;
  m_dY = static_cast<double>((by + ay.m_nMargin) * 32 + m_nBaseBoxOffY);
  ReanchorAfterScale(m_ItemDef.m_nSize, 1);
  ClampX(2);
  ClampY(2);
}

void cItem::Draw(DDSURFACEDATA*, std::int32_t bPaused) {
  if (m_ItemDef.m_bHidden != 0) return;
  // The animation advances with every unpaused drawing. The picture of the cell comes
  // from the part-graphic lookup, which the drawing of objects brings.
  if (bPaused == 0) m_Anime.Update();
}

std::int32_t ItemChangeFlow(cPlayer& player, cFlowCmd& cmd, std::int32_t bNoDefer) {
  cSceneGame* scene = GameScene();
  if (bNoDefer == 0 && scene != nullptr && !g_vPlayer.empty() && scene->m_pFlowChara == &g_vPlayer.front()) {
    player.m_vPendingFlowCmd.push_back(cmd);
    return 0;
  }
  const std::int32_t mode = cmd.m_vParam.empty() ? -1 : cmd.m_vParam[0];
  const auto group = static_cast<std::int8_t>(cmd.m_vParam.size() > 1 ? cmd.m_vParam[1] : 0);
  switch (mode) {
    case 0:
      player.SetFlows(cmd.m_vFlow, 1, -1);
      break;
    case 1: {
      const std::int32_t pos = player.RemoveFlowsByGroup(group);
      player.SetFlows(cmd.m_vFlow, 1, pos);
      break;
    }
    case 2:
      player.RemoveFlowsByGroup(group);
      break;
    default:
      break;
  }
  return 0;
}
