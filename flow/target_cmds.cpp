// The set-target and status-2 commands: choose a character for a target slot, and switch
// a character's definition statuses or the stage's automatic scroll.
#include <algorithm>
#include <array>
#include <cstddef>
#include <list>
#include <span>

#include "app/checked_access.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_enumerations.h"
#include "data/stage/stage_data.h"
#include "flow/chara_search.h"
#include "flow/set_target.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

enum STATUS2 : std::int32_t {
  STATUS2_VANISH = 0,
  STATUS2_TRANSPARENT = 1,
  STATUS2_FIXED_FACING = 2,
  STATUS2_FLYING = 3,
  STATUS2_INVINCIBLE = 4,
  STATUS2_GIANT = 5,
  STATUS2_SCROLL_SYNC = 6,
};

constexpr std::int32_t kMaxGiantFactor = 10;

std::int32_t TargetParam(const cFlowCmd& cmd, int i) { return CheckedAt(cmd.m_vParam, i); }

// Player 1, or null before the stage has its players (reported as a bad index is): a
// target must never be the fallback element of the guarded access.
cPlayer* TargetCmdsPlayerOne() {
  if (g_vPlayer.empty()) {
    (void)CheckedAt(g_vPlayer, 0);
    return nullptr;
  }
  return &g_vPlayer.front();
}

sCharaFilter FilterOf(const cFlowCmd& cmd, const cCharaBase& subject) {
  sCharaFilter f;
  f.bById = TargetParam(cmd, 9);
  f.nId = TargetParam(cmd, 10);
  f.bByVar = TargetParam(cmd, 11);
  f.nVarIndex = TargetParam(cmd, 12);
  f.nValue = TargetParam(cmd, 13);
  f.nOp = TargetParam(cmd, 14);
  f.bExcludeSelf = TargetParam(cmd, 5);
  f.bExcludeInvincible1 = TargetParam(cmd, 6);
  f.bExcludeInvincible2 = TargetParam(cmd, 7);
  f.bExcludeBlockChara = TargetParam(cmd, 8);
  f.nSelfId = subject.m_nObjId;
  return f;
}

cCharaBase* Nearest(cSceneGame& scene, const cFlowCmd& cmd, const cCharaBase& subject) {
  const double cx = subject.m_rcScreen.left + (subject.m_nCellW >> 1);
  const double cy = subject.m_rcScreen.top + (subject.m_nCellH >> 1);
  const sCharaFilter filter = FilterOf(cmd, subject);
  const std::int32_t mode = TargetParam(cmd, 4);
  if (TargetParam(cmd, 3) == 0) return FindCharaByDistance(cx, cy, CheckedAt(scene.m_vGroupList, TargetParam(cmd, 2)), mode, filter);
  // The nearest of every group, then the nearest of those winners, held in place so that
  // a search on every step allocates nothing.
  std::array<cGameObj*, kGroupCount> winners{};
  std::size_t count = 0;
  for (const std::list<cGameObj*>& group : scene.m_vGroupList) {
    if (group.empty() || count == winners.size()) continue;
    if (cCharaBase* winner = FindCharaByDistance(cx, cy, group, mode, filter); winner != nullptr) {
      winners[count++] = winner;
    }
  }
  if (count == 0) return nullptr;
  return FindCharaByDistance(cx, cy, std::span<cGameObj* const>(winners.data(), count), mode, filter);
}

cCharaBase* FirstById(cSceneGame& scene, const cFlowCmd& cmd, const cCharaBase& subject) {
  const sCharaFilter filter = FilterOf(cmd, subject);
  if (TargetParam(cmd, 3) == 0) return FindCharaByVar(CheckedAt(scene.m_vGroupList, TargetParam(cmd, 2)), filter);
  for (const std::list<cGameObj*>& group : scene.m_vGroupList) {
    if (group.empty()) continue;
    if (cCharaBase* found = FindCharaByVar(group, filter); found != nullptr) return found;
  }
  return nullptr;
}

cCharaBase* LastChild(const cCharaBase& subject) {
  for (auto it = subject.m_vLinkedBy.rbegin(); it != subject.m_vLinkedBy.rend(); ++it) {
    if (it->m_nSlot == kParentLinkSlot) return static_cast<cCharaBase*>(it->m_pObj);
  }
  return nullptr;
}

cCharaBase* ChooseTarget(cSceneGame& scene, const cFlowCmd& cmd, cCharaBase& subject) {
  const std::int32_t choice = TargetParam(cmd, 1);
  switch (choice) {
    case SETTGT_HERO: return TargetCmdsPlayerOne();
    case SETTGT_SELF: return &subject;
    case SETTGT_NEAREST: return Nearest(scene, cmd, subject);
    case SETTGT_BY_ID: return FirstById(scene, cmd, subject);
    case SETTGT_PARENT: return subject.m_pParent;
    case SETTGT_LAST_CHILD: return LastChild(subject);
    case SETTGT_CHILD_COND:
      return FindCharaById(subject.m_vLinkedBy, kParentLinkSlot, TargetParam(cmd, 2), TargetParam(cmd, 3), FilterOf(cmd, subject));
    default:
      if (choice >= SETTGT_TARGET1 && choice <= SETTGT_TARGET4) return CheckedAt(subject.m_vTarget, choice - SETTGT_TARGET1);
      return nullptr;
  }
}

// Kills a character the way the commands do: a computer character is removed by the
// play step, a player loses all its HP.
void Kill(cCharaBase& c) {
  if (c.m_nKind == 0) {
    c.m_nHp = 0;
  } else {
    c.m_bRemove = 1;
  }
}

void SetSystemScroll(cSceneGame& scene, std::int32_t axis, std::int32_t on) {
  if (axis == 0) {
    g_StageData.m_nScrollModeX = on;
    scene.m_ScrollX.SetSpeed(on, g_StageData.m_nAutoScrollX);
  } else if (axis == 1) {
    g_StageData.m_nScrollModeY = on;
    scene.m_ScrollY.SetSpeed(on, g_StageData.m_nAutoScrollY);
  }
}

std::int8_t Low8(std::int32_t v) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v))); }

}  // namespace

std::int32_t cCharaBase::CmdSetTarget(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  cCharaBase* object = ChooseTarget(*scene, cmd, *this);
  const std::int32_t whenNone = TargetParam(cmd, 15);
  if (whenNone != 0 && whenNone != 1) return 0;
  SetTarget(*this, TargetParam(cmd, 0), object, whenNone == 0 ? 1 : 0);
  return 0;
}

std::int32_t cCharaBase::CmdStatus2(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  const std::int32_t subject = TargetParam(cmd, 0);
  const std::int32_t status = TargetParam(cmd, 1);
  const std::int32_t v = TargetParam(cmd, 2);
  if (subject == SUBJ_SYSTEM) {
    SetSystemScroll(*scene, status, v);
    return 0;
  }
  cCharaBase* s = this;
  if (subject >= 1 && subject <= kTargetSlots) s = CheckedAt(m_vTarget, subject - 1);
  if (s == nullptr) return 0;
  switch (status) {
    case STATUS2_VANISH:
      Kill(*s);
      if (s != this) scene->m_bKilled = 1;
      return 0;
    case STATUS2_TRANSPARENT: s->m_Def.m_bHidden = Low8(v); return 0;
    case STATUS2_FIXED_FACING: s->m_Def.m_bFixedFacing = Low8(v); return 0;
    case STATUS2_INVINCIBLE: s->m_Def.m_nInvincible = Low8(v); return 0;
    case STATUS2_FLYING:
      // Only the hero's flying mode can change; the mode applies to player 1 whichever
      // player-controlled character was named.
      if (s->m_nKind == 0) {
        if (cPlayer* hero = TargetCmdsPlayerOne(); hero != nullptr) hero->SetFlying(v, 1);
      }
      return 0;
    case STATUS2_GIANT: {
      // The factor multiplies every size of the character: one outside the authoring
      // tool's 1-10 (damaged data) is brought into it rather than overflowing the sizes.
      const std::int32_t factor = std::clamp<std::int32_t>(v, kMinCharaSize, kMaxGiantFactor);
      s->SetScale(factor, s->m_Def.m_nSize);
      s->m_Def.m_nSize = static_cast<std::int8_t>(factor);
      if (s->m_nKind == 0) {
        if (cPlayer* hero = TargetCmdsPlayerOne(); hero != nullptr) hero->BuildHitParts();
      }
      return 0;
    }
    case STATUS2_SCROLL_SYNC:
      s->m_Def.m_bScrollSync = Low8(v);
      s->m_bScrollSync = v & 0xff;
      return 0;
    default: return 0;
  }
}
