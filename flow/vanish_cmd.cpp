#include "flow/vanish_cmd.h"

#include <list>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "objects/chara_base.h"
#include "objects/shot.h"
#include "stage/list_walk.h"
#include "stage/scene_game.h"

namespace {

enum VANISH : std::int32_t {
  VANISH_GROUP_CHARAS = 0,
  VANISH_GROUP_SHOTS = 1,
  VANISH_DESCENDANTS = 2,
  VANISH_OWN_SHOTS = 3,
  VANISH_OWN_SHOTS_AND_DESCENDANTS = 4,
  VANISH_DESCENDANTS_WITH_SHOTS = 5,
};

// A computer character is removed by the play step; a player loses all its HP.
void VanishCmdKill(cCharaBase& c) {
  if (c.m_nKind == 0) {
    c.m_nHp = 0;
  } else {
    c.m_bRemove = 1;
  }
}

// Erases `shot` from the scene (its links, its group's list, the shot list); nothing when
// the scene does not hold it.
void EraseShot(cSceneGame& scene, const cShot& shot) {
  for (auto it = scene.m_lstShot.begin(); it != scene.m_lstShot.end(); ++it) {
    if (&*it == &shot) {
      scene.EraseShot(it);
      return;
    }
  }
}

void KillGroup(cSceneGame& scene, cCharaBase& subject, std::int32_t group, bool bAll) {
  for (cGameObj* obj : CheckedAt(scene.m_vGroupList, group)) {
    if (obj == nullptr || obj->m_bActive == 0 || (!bAll && obj->m_bOnScreen == 0)) continue;
    auto& c = *static_cast<cCharaBase*>(obj);
    VanishCmdKill(c);
    if (&c != &subject) scene.m_bKilled = 1;
  }
}

void RemoveGroupShots(cSceneGame& scene, std::int32_t group, bool bAll) {
  std::list<cShot*>& shots = CheckedAt(scene.m_vGroupShotList, group);
  // Erasing a shot takes it out of this very list: the walk steps past it.
  for (cListWalk<cShot*> walk(shots); !walk.AtEnd(); walk.Next()) {
    cShot* shot = walk.Current();
    if (shot == nullptr || shot->m_bActive == 0 || (!bAll && shot->m_bOnScreen == 0)) continue;
    if (scene.m_bShotHitPass != 0) {
      shot->m_bRemovePending = 1;
    } else {
      EraseShot(scene, *shot);
    }
  }
}

}  // namespace

void VanishDescendants(cCharaBase& chara, int nDepth, bool bWithShots) {
  if (nDepth > kVanishDepthLimit) return;
  cSceneGame* scene = GameScene();
  // By index: killing only flags characters, but removing shots may touch other lists.
  for (std::size_t i = 0; i < chara.m_vLinkedBy.size(); ++i) {
    const cObjLink link = chara.m_vLinkedBy[i];
    if (link.m_nSlot != kParentLinkSlot || link.m_pObj == nullptr || link.m_pObj->m_bActive == 0) continue;
    auto& child = *static_cast<cCharaBase*>(link.m_pObj);
    if (bWithShots) RemoveOwnShots(child);
    VanishDescendants(child, nDepth + 1, bWithShots);
    VanishCmdKill(child);
    if (scene != nullptr) scene->m_bKilled = 1;
  }
}

void RemoveOwnShots(cCharaBase& chara) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return;
  std::vector<cObjLink>& links = chara.m_vShotLinkedBy;
  std::size_t i = 0;
  while (i < links.size()) {
    const cObjLink link = links[i];
    if (link.m_nSlot != kParentLinkSlot || link.m_pObj == nullptr || link.m_pObj->m_bActive == 0) {
      ++i;
      continue;
    }
    auto& shot = *static_cast<cShot*>(link.m_pObj);
    if (scene->m_bShotHitPass != 0) {
      shot.m_bRemovePending = 1;
      ++i;
      continue;
    }
    links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
    const std::size_t expected = links.size();
    EraseShot(*scene, shot);
    // The shot's release of its links may have taken more of this list (it also aimed at
    // this character): start over; otherwise the next link has moved into place i.
    if (links.size() != expected) i = 0;
  }
}

std::int32_t cCharaBase::CmdVanish(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  const std::int32_t what = CheckedAt(cmd.m_vParam, 0);
  switch (what) {
    case VANISH_GROUP_CHARAS:
      KillGroup(*scene, *this, CheckedAt(cmd.m_vParam, 1), CheckedAt(cmd.m_vParam, 2) != 0);
      return 0;
    case VANISH_GROUP_SHOTS:
      RemoveGroupShots(*scene, CheckedAt(cmd.m_vParam, 1), CheckedAt(cmd.m_vParam, 2) != 0);
      return 0;
    case VANISH_DESCENDANTS: VanishDescendants(*this, 0, false); return 0;
    case VANISH_OWN_SHOTS: RemoveOwnShots(*this); return 0;
    case VANISH_OWN_SHOTS_AND_DESCENDANTS:
      RemoveOwnShots(*this);
      VanishDescendants(*this, 0, true);
      return 0;
    case VANISH_DESCENDANTS_WITH_SHOTS: VanishDescendants(*this, 0, true); return 0;
    default: return 0;
  }
}
