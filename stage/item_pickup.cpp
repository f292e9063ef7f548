// Items taken by touch and applied to the player: the pick-up pass of each sub-step, the
// use of an item (its icon, its sound, its command list) and the erasure of items, which
// keeps the players' ignore lists free of items that are gone.
#include "app/checked_access.h"
#include "data/flow/flow_enumerations.h"
#include "objects/item.h"
#include "objects/player.h"
#include "shell/game_requests.h"
#include "stage/list_walk.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

enum : std::int8_t {
  kTakeOnce = 0,     // taken and removed
  kTakeRepeat = 1,   // applied once per contact and kept
  kTakeNever = 2,    // never taken by touch
};

bool Overlaps(const cDoubleRect& rc, const cItem& item) {
  return rc.left <= item.m_dRight && rc.right >= item.m_dX && rc.top <= item.m_dBottom && rc.bottom >= item.m_dY;
}

}  // namespace

std::int32_t cSceneGame::PickUpItems(cPlayer& player) {
  for (cListWalk<cItem> walk(g_listItem); !walk.AtEnd(); walk.Next()) {
    cItem& item = walk.Current();
    const std::int8_t mode = item.m_ItemDef.m_nTakeMode;
    if (item.m_bActive == 0 || item.m_bCarried != 0 || mode == kTakeNever) continue;
    if (!Overlaps(player.m_HitExtra.m_rc, item)) {
      // Stepping off lets the item be taken again on the next contact.
      if (mode == kTakeRepeat) player.Unignore(&item);
      continue;
    }
    player.FireTrigger(FLOWTRIG_HIT_ITEM);
    if (mode == kTakeRepeat) {
      if (!player.IsNotIgnored(&item)) continue;
      player.Ignore(&item);
    }
    const std::int32_t r = UseItem(item, CheckedAt(g_vPlayer, 0));
    if (mode == kTakeOnce && !walk.Gone()) EraseItem(walk.Position());
    if (r != STEP_CONTINUE) return r;
  }
  return STEP_CONTINUE;
}

std::int32_t cSceneGame::UseItem(cItem& item, cPlayer& player) {
  if (item.m_nGraphic == 0 || item.m_ItemDef.m_nTakeMode == kTakeNever || item.m_bActive == 0) return STEP_CONTINUE;
  if (item.m_ItemDef.m_bShowIcon != 0)
    player.ShowItemIcon(item.m_ItemDef.m_nGraphicKind, item.m_ItemDef.m_nGraphic, item.m_ItemDef.m_nPattern);
  PlayUserSE(item.m_ItemDef.m_nSound);
  // The commands may be rewritten by bound parameters: they run on the item's own list.
  return player.RunItemCommands(item.m_ItemDef.m_vItemCmd.Edit());
}

std::list<cItem>::iterator cSceneGame::EraseItem(std::list<cItem>::iterator it) {
  for (cPlayer& player : g_vPlayer) player.ForgetIgnored(it->m_nObjId);
  cListWalk<cItem>::Erasing(g_listItem, it);
  return g_listItem.erase(it);
}
