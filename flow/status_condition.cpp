#include "flow/status_condition.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "app/random.h"
#include "data/flow/condition.h"
#include "data/flow/flow_enumerations.h"
#include "flow/compare_by_code.h"
#include "flow/percent_of_rounded.h"
#include "flow/status_values.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "stage/scene_game.h"

namespace {

constexpr std::int32_t kHpMax = 999999;

cCharaBase* StatusConditionSlotObject(const cCharaBase* pSubject, int nSubject) {
  if (pSubject == nullptr) return nullptr;
  const auto slot = static_cast<std::size_t>(nSubject - 1);
  return slot < pSubject->m_vTarget.size() ? pSubject->m_vTarget[slot] : nullptr;
}

bool StatusConditionIsSlotSubject(int nSubject) { return nSubject >= CONDSUBJ_TARGET1 && nSubject <= CONDSUBJ_TARGET4; }

// The operand; none when an empty slot or a computer character's sight ends the test.
std::optional<std::int32_t> StatusConditionOperand(const cCond& cond, cCharaBase* pSubject, const cSceneGame& scene) {
  switch (cond.m_nRightSrc) {
    case 1:
      return GetRand(cond.m_nRandMin, cond.m_nRandMax);
    case 2: {
      const int field = cond.m_nRightSelect;
      if (cond.m_nRightSubject == CONDSUBJ_SYSTEM) return GetSystemOperand(scene, field);
      cCharaBase* pObj = pSubject;
      if (StatusConditionIsSlotSubject(cond.m_nRightSubject)) pObj = StatusConditionSlotObject(pSubject, cond.m_nRightSubject);
      if (pObj == nullptr) return std::nullopt;
      if (field == kStatusSight && pObj->m_nKind != 0) return std::nullopt;
      if (field < 0 || field >= kStatusFieldCount) return 0;
      const std::int32_t v = GetCharaStatusValue(*pObj, field, cond.m_nRightVarIndex);
      // Reading the stoppability refreshes the friction it stands for.
      if (field == kStatusStop) pObj->m_dFriction = AccelParamToStep(static_cast<std::int16_t>(v));
      return v;
    }
    case 3:
      return GetVariable(scene, cond.m_nRightVarKind, cond.m_nRightVarIndex);
    default:
      return cond.m_nValue;
  }
}

int CompareInWidth(eStatusWidth width, std::int32_t x, std::int32_t v, int code) {
  switch (width) {
    case eStatusWidth::W8: return CompareByCode8(x, v, code);
    case eStatusWidth::W16: return CompareByCode16(x, v, code);
    default: return CompareByCode(x, v, code);
  }
}

}  // namespace

// The record's compare value is left as stored: the lists are shared between the
// placements of a definition, and nothing reads the operand back from them.
int CheckStatusValueCond(const cCond& cond, cCharaBase* pSubject) {
  const cSceneGame* pScene = GameScene();
  if (pScene == nullptr) return 0;
  const std::optional<std::int32_t> operand = StatusConditionOperand(cond, pSubject, *pScene);
  if (!operand) return 0;
  const std::int32_t o = *operand;
  const bool percent = cond.m_bPercentOfMax != 0;

  if (cond.m_nLeftSrc == 1) {
    if (cond.m_nLeftVarKind != 0 && cond.m_nLeftVarKind != 1) return 0;
    const std::int32_t x = GetVariable(*pScene, cond.m_nLeftVarKind, cond.m_nVarIndex);
    return CompareByCode(x, percent ? 0 : o, cond.m_nCmp);
  }
  if (cond.m_nLeftSrc != 0) return 0;

  if (cond.m_nSubject == CONDSUBJ_SYSTEM) {
    const std::optional<std::int32_t> x = GetSystemValue(*pScene, cond.m_nSelect);
    if (!x) return 0;
    if (cond.m_nSelect == kSystemLives && *x == kUnlimitedLivesValue) return 0;
    return CompareByCode(*x, percent ? 0 : o, cond.m_nCmp);
  }

  const cCharaBase* pObj = pSubject;
  if (StatusConditionIsSlotSubject(cond.m_nSubject)) pObj = StatusConditionSlotObject(pSubject, cond.m_nSubject);
  if (pObj == nullptr) return 0;
  const int field = cond.m_nSelect;
  if (field < 0 || field >= kStatusFieldCount) return 0;
  const std::int32_t x = GetCharaStatusValue(*pObj, field, cond.m_nVarIndex);
  std::int32_t v = o;
  if (percent) {
    if (field == kStatusHp) {
      v = std::clamp(PercentOfRounded(pObj->m_Def.m_nMaxHp, o), 0, kHpMax);
    } else if (field == kStatusSp) {
      v = std::clamp(PercentOfRounded(pObj->m_Def.m_nMaxSp, o), 0, kHpMax);
    } else {
      v = 0;
    }
  }
  return CompareInWidth(StatusFieldWidth(field), x, v, cond.m_nCmp);
}
