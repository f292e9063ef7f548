#include "flow/state_conditions.h"

#include <cmath>
#include <cstdint>

#include "data/flow/condition.h"
#include "data/flow/flow_enumerations.h"
#include "data/record/data_record.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/compare_by_code.h"
#include "objects/chara_base.h"
#include "objects/game_obj.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

// Target slot (subject - 1) of a subject 1-4; null when empty.
cCharaBase* TargetOf(const cCharaBase& chara, int nSubject) {
  const auto slot = static_cast<std::size_t>(nSubject - 1);
  return slot < chara.m_vTarget.size() ? chara.m_vTarget[slot] : nullptr;
}

bool IsTargetSubject(int nSubject) { return nSubject >= CONDSUBJ_TARGET1 && nSubject <= CONDSUBJ_TARGET4; }

}  // namespace

int CheckStatusCond(cCharaBase& chara, const cCond& cond) {
  const int value = cond.m_nVarIndex;
  if (cond.m_nSubject == CONDSUBJ_SYSTEM) {
    if (cond.m_nSelect == 0) return CompareByCode(g_StageData.m_nScrollModeX, value, cond.m_nCmp);
    if (cond.m_nSelect == 1) return CompareByCode(g_StageData.m_nScrollModeY, value, cond.m_nCmp);
    return 0;
  }
  const cCharaBase* pObj = &chara;
  if (IsTargetSubject(cond.m_nSubject)) {
    pObj = TargetOf(chara, cond.m_nSubject);
    if (pObj == nullptr) return 0;
  }
  const cPaletteChara& def = pObj->m_Def;
  switch (cond.m_nSelect) {
    case 1: return CompareByCode(static_cast<std::uint8_t>(def.m_bHidden), value, cond.m_nCmp);
    case 2: return CompareByCode(def.m_bFixedFacing, value, cond.m_nCmp);
    case 3: return CompareByCode(def.m_nFlying, value, cond.m_nCmp);
    case 4: return CompareByCode(def.m_nInvincible, value, cond.m_nCmp);
    case 5: return CompareByCode(def.m_nSize, value, cond.m_nCmp);
    case 6: return CompareByCode(static_cast<std::uint8_t>(def.m_bScrollSync), value, cond.m_nCmp);
    default: return 0;
  }
}

int CheckStateCond(cCharaBase& chara, const cCond& cond) {
  constexpr int kStateFacingLeft = 0, kStateFacingRight = 1, kStateOnBlock = 2, kStateOnScreen = 3, kStateExists = 4;
  bool result = false;
  if (cond.m_nSelect == kStateExists) {
    if (IsTargetSubject(cond.m_nSubject)) {
      const cCharaBase* pTarget = TargetOf(chara, cond.m_nSubject);
      result = pTarget != nullptr && pTarget->m_bDying == 0;
    } else {
      result = true;
    }
  } else {
    const cCharaBase* pObj = &chara;
    if (IsTargetSubject(cond.m_nSubject)) {
      pObj = TargetOf(chara, cond.m_nSubject);
      if (pObj == nullptr) return 0;  // no object: false whatever the negation
    }
    switch (cond.m_nSelect) {
      case kStateFacingLeft:
        result = pObj->m_nFacing == 0;
        break;
      case kStateFacingRight:
        result = pObj->m_nFacing == 1;
        break;
      case kStateOnBlock:
        if (pObj->m_Def.m_nFlying != 0) {
          result = false;
        } else {
          result = pObj->m_bRiding != 0 || (pObj->m_bJumping == 0 && pObj->m_bAirborne == 0);
        }
        break;
      case kStateOnScreen:
        result = pObj->m_nKind == 0 ? pObj->IsOnScreen() : pObj->m_bOnScreen != 0;
        break;
      default:
        result = false;
        break;
    }
  }
  if (cond.m_nCmp == 1) result = !result;
  return result ? 1 : 0;
}

int CheckDistanceCond(cCharaBase& chara, const cCond& cond) {
  const std::int64_t range64 = static_cast<std::int64_t>(cond.m_nValue) * 16 + cond.m_nRightVarIndex;
  const auto range = static_cast<std::int32_t>(range64 > INT32_MAX ? INT32_MAX : (range64 < INT32_MIN ? INT32_MIN : range64));
  cCharaBase* pOther = nullptr;
  if (cond.m_nSubject == CONDSUBJ_HERO) {
    pOther = g_vPlayer.empty() ? nullptr : &g_vPlayer.front();
  } else if (IsTargetSubject(cond.m_nSubject)) {
    pOther = TargetOf(chara, cond.m_nSubject);
  }
  // An empty slot (or a subject outside 0-4) gives false whatever the negation.
  if (pOther == nullptr) return 0;
  chara.UpdateScreenRect();
  const bool oldRect = g_SystemData.m_bRuleDistanceCond782 != 0 || (IsReplayPlayback() && g_nFileVersion <= 781);
  if (!oldRect) pOther->UpdateScreenRect();

  const bool left = chara.m_nFacing == 0;
  const cIntRect& own = chara.m_rcScreen;
  const cIntRect& other = pOther->m_rcScreen;
  bool result = false;
  switch (cond.m_nShape) {
    case 0:
      result = IsInDistanceRange(own.left, chara.m_nCellW, other.left, other.right, pOther->m_nBoxOffX, range, range, 1, 0,
                                 pOther);
      break;
    case 1:
      result = IsInDistanceRange(own.left, chara.m_nCellW, other.left, other.right, pOther->m_nBoxOffX, left ? range : 0,
                                 left ? 0 : range, 0, 0, pOther);
      break;
    case 2:
      result = IsInDistanceRange(own.left, chara.m_nCellW, other.left, other.right, pOther->m_nBoxOffX, left ? 0 : range,
                                 left ? range : 0, 0, 0, pOther);
      break;
    case 3:
      result = IsInDistanceRange(own.top, chara.m_nCellH, other.top, other.bottom, pOther->m_nBoxOffY, range, range, 1, 1,
                                 pOther);
      break;
    case 4:
      result = IsInDistanceRange(own.top, chara.m_nCellH, other.top, other.bottom, pOther->m_nBoxOffY, left ? range : 0,
                                 left ? 0 : range, 0, 1, pOther);
      break;
    case 5:
      result = IsInDistanceRange(own.top, chara.m_nCellH, other.top, other.bottom, pOther->m_nBoxOffY, left ? 0 : range,
                                 left ? range : 0, 0, 1, pOther);
      break;
    case 6: {
      const double dx = (chara.m_dX + (chara.m_nBoxW >> 1)) - (pOther->m_dX + (pOther->m_nBoxW >> 1));
      const double dy = (chara.m_dY + (chara.m_nBoxH >> 1)) - (pOther->m_dY + (pOther->m_nBoxH >> 1));
      result = std::sqrt(dx * dx + dy * dy) <= static_cast<double>(range);
      break;
    }
    default:
      return 0;
  }
  if (cond.m_nCmp == 0) return result ? 1 : 0;
  if (cond.m_nCmp == 1) return result ? 0 : 1;
  return 0;
}
