// The player's item-command table: one thin wrapper per item command kind, passing the
// player as the subject to the executor the flows use for the same command.
#include <cstdint>

#include "objects/item.h"
#include "objects/player.h"
#include "stage/scene_game.h"

namespace {

std::int32_t ItemNone(cPlayer&, cFlowCmd&) { return 0; }
std::int32_t ItemChangeFlowCmd(cPlayer& p, cFlowCmd& c) { return ItemChangeFlow(p, c, 0); }
// The stage clear ends the list with a stage-clear result.
std::int32_t ItemStageClear(cPlayer& p, cFlowCmd& c) {
  p.CmdStageClear(c);
  return 1;
}
std::int32_t ItemGameWait(cPlayer& p, cFlowCmd& c) { p.CmdGameWait(c); return 0; }
// A second message of the same list replaces the first.
std::int32_t ItemMessage(cPlayer& p, cFlowCmd& c) {
  cSceneGame* scene = GameScene();
  p.CmdMessage(c, scene != nullptr ? scene->m_bItemMsgShown : 0);
  if (scene != nullptr) scene->m_bItemMsgShown = 1;
  return 0;
}
std::int32_t ItemWarp(cPlayer& p, cFlowCmd& c) { p.CmdWarp(c); return 0; }
std::int32_t ItemSetTarget(cPlayer& p, cFlowCmd& c) { p.CmdSetTarget(c); return 0; }
std::int32_t ItemStatus(cPlayer& p, cFlowCmd& c) { p.CmdStatus(c); return 0; }
std::int32_t ItemStatus2(cPlayer& p, cFlowCmd& c) { p.CmdStatus2(c); return 0; }
std::int32_t ItemVanish(cPlayer& p, cFlowCmd& c) { p.CmdVanish(c); return 0; }
std::int32_t ItemGetItem(cPlayer& p, cFlowCmd& c) { p.CmdGetItem(c); return 0; }
std::int32_t ItemChangeGraphic(cPlayer& p, cFlowCmd& c) { p.CmdChangeGraphic(c); return 0; }
std::int32_t ItemChangeAnimeSet(cPlayer& p, cFlowCmd& c) { p.CmdChangeAnimeSet(c); return 0; }
std::int32_t ItemAnime(cPlayer& p, cFlowCmd& c) { p.CmdAnime(c); return 0; }
std::int32_t ItemEffect(cPlayer& p, cFlowCmd& c) { p.CmdEffect(c); return 0; }
std::int32_t ItemCharaEffect(cPlayer& p, cFlowCmd& c) { p.CmdCharaEffect(c); return 0; }
std::int32_t ItemScreenEffect(cPlayer& p, cFlowCmd& c) { p.CmdScreenEffect(c); return 0; }
std::int32_t ItemPicture(cPlayer& p, cFlowCmd& c) { p.CmdPicture(c); return 0; }
std::int32_t ItemScreenColor(cPlayer& p, cFlowCmd& c) { p.CmdScreenColor(c); return 0; }
std::int32_t ItemChangeBack(cPlayer& p, cFlowCmd& c) { p.CmdChangeBack(c); return 0; }
std::int32_t ItemSe(cPlayer& p, cFlowCmd& c) { p.CmdSe(c); return 0; }
std::int32_t ItemBgm(cPlayer& p, cFlowCmd& c) { p.CmdBgm(c); return 0; }
std::int32_t ItemCode(cPlayer& p, cFlowCmd& c) { p.CmdCode(c); return 0; }
std::int32_t ItemArrange(cPlayer& p, cFlowCmd& c) { p.CmdArrange(c); return 0; }

}  // namespace

const ItemCmdHandler g_ItemCmdTable[kItemCmdKindCount] = {
    ItemNone,          ItemChangeFlowCmd, ItemStageClear,    ItemGameWait,    ItemMessage,
    ItemWarp,          ItemSetTarget,     ItemStatus,        ItemStatus2,     ItemVanish,
    ItemGetItem,       ItemChangeGraphic, ItemChangeAnimeSet, ItemAnime,      ItemEffect,
    ItemCharaEffect,   ItemScreenEffect,  ItemPicture,       ItemScreenColor, ItemChangeBack,
    ItemSe,            ItemBgm,           ItemCode,          ItemArrange,     ItemNone,
};
