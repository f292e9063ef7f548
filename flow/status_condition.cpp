#include "flow/status_condition.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "app/checked_access.h"
#include "app/random.h"
#include "data/flow/condition.h"
#include "data/flow/flow_enumerations.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "flow/compare_by_code.h"
#include "flow/percent_of_rounded.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "stage/scene_game.h"

namespace {

constexpr std::int32_t kUnlimitedLives = 999999;
constexpr std::int32_t kHpMax = 999999;

enum class eWidth { W32, W16, W8 };

// Status fields of a character: 0 a character variable, 1 HP, 2 SP, 3 maximum HP, 4
// maximum SP, 5 character ID, 6 Z order, 7 mark, 8 sight, 9 body power, 10 body impact,
// 11 defence, 12 impact resistance, 13 stoppability, 14 score when defeated.
constexpr int kFieldCount = 15;
constexpr int kFieldSight = 8;
constexpr int kFieldStop = 13;

eWidth FieldWidth(int field) {
  switch (field) {
    case 5: case 6: case 8: case 10: case 12: return eWidth::W8;
    case 7: case 13: return eWidth::W16;
    default: return eWidth::W32;
  }
}

std::int32_t CharaStatus(const cCharaBase& c, int field, int charaVar) {
  const cPaletteChara& d = c.m_Def;
  switch (field) {
    case 0: return CheckedAt(c.m_vCharaVar, charaVar);
    case 1: return c.m_nHp;
    case 2: return c.m_nSp;
    case 3: return d.m_nMaxHp;
    case 4: return d.m_nMaxSp;
    case 5: return d.m_nCharaId;
    case 6: return d.m_nZ;
    case 7: return d.m_nEmblem;
    case 8: return d.m_nSightRange;
    case 9: return d.m_nBodyPower;
    case 10: return d.m_nBodyImpact;
    case 11: return d.m_nDefence;
    case 12: return d.m_nImpactResist;
    case 13: return d.m_nStopEase;
    case 14: return d.m_nScore;
    default: return 0;
  }
}

// The system values 0 time left, 1 and 2 the automatic scroll speeds, 3 score, 4 lives;
// none for other fields.
std::optional<std::int32_t> SystemValue(const cSceneGame& scene, int field) {
  switch (field) {
    case 0: return scene.m_nTimeLeft;
    case 1: return g_StageData.m_nAutoScrollX;
    case 2: return g_StageData.m_nAutoScrollY;
    case 3: return g_Progress.m_nStageScore;
    case 4: return g_Progress.m_nLives;
    default: return std::nullopt;
  }
}

cCharaBase* SlotObject(const cCharaBase* pSubject, int nSubject) {
  if (pSubject == nullptr) return nullptr;
  const auto slot = static_cast<std::size_t>(nSubject - 1);
  return slot < pSubject->m_vTarget.size() ? pSubject->m_vTarget[slot] : nullptr;
}

bool IsSlotSubject(int nSubject) { return nSubject >= CONDSUBJ_TARGET1 && nSubject <= CONDSUBJ_TARGET4; }

std::int32_t Variable(const cSceneGame& scene, int kind, int index) {
  if (kind == 0) return CheckedAt(g_Progress.m_Vars, index);
  if (kind == 1) return CheckedAt(scene.m_vStageVar, index);
  return 0;
}

// The operand; none when an empty slot or a computer character's sight ends the test.
std::optional<std::int32_t> Operand(const cCond& cond, cCharaBase* pSubject, const cSceneGame& scene) {
  switch (cond.m_nRightSrc) {
    case 1:
      return GetRand(cond.m_nRandMin, cond.m_nRandMax);
    case 2: {
      const int field = cond.m_nRightSelect;
      if (cond.m_nRightSubject == CONDSUBJ_SYSTEM) {
        if (field == 0 && scene.m_bNoTimeLimit != 0) return 0;
        const std::optional<std::int32_t> v = SystemValue(scene, field);
        if (!v) return 0;
        return (field == 4 && *v == kUnlimitedLives) ? 0 : *v;
      }
      cCharaBase* pObj = pSubject;
      if (IsSlotSubject(cond.m_nRightSubject)) pObj = SlotObject(pSubject, cond.m_nRightSubject);
      if (pObj == nullptr) return std::nullopt;
      if (field == kFieldSight && pObj->m_nKind != 0) return std::nullopt;
      if (field < 0 || field >= kFieldCount) return 0;
      const std::int32_t v = CharaStatus(*pObj, field, cond.m_nRightVarIndex);
      // Reading the stoppability refreshes the friction it stands for.
      if (field == kFieldStop) pObj->m_dFriction = AccelParamToStep(static_cast<std::int16_t>(v));
      return v;
    }
    case 3:
      return Variable(scene, cond.m_nRightVarKind, cond.m_nRightVarIndex);
    default:
      return cond.m_nValue;
  }
}

int CompareInWidth(eWidth width, std::int32_t x, std::int32_t v, int code) {
  switch (width) {
    case eWidth::W8: return CompareByCode8(x, v, code);
    case eWidth::W16: return CompareByCode16(x, v, code);
    default: return CompareByCode(x, v, code);
  }
}

}  // namespace

// The record's compare value is left as stored: the lists are shared between the
// placements of a definition, and nothing reads the operand back from them.
int CheckStatusValueCond(const cCond& cond, cCharaBase* pSubject) {
  const cSceneGame* pScene = GameScene();
  if (pScene == nullptr) return 0;
  const std::optional<std::int32_t> operand = Operand(cond, pSubject, *pScene);
  if (!operand) return 0;
  const std::int32_t o = *operand;
  const bool percent = cond.m_bPercentOfMax != 0;

  if (cond.m_nLeftSrc == 1) {
    if (cond.m_nLeftVarKind != 0 && cond.m_nLeftVarKind != 1) return 0;
    const std::int32_t x = Variable(*pScene, cond.m_nLeftVarKind, cond.m_nVarIndex);
    return CompareByCode(x, percent ? 0 : o, cond.m_nCmp);
  }
  if (cond.m_nLeftSrc != 0) return 0;

  if (cond.m_nSubject == CONDSUBJ_SYSTEM) {
    const std::optional<std::int32_t> x = SystemValue(*pScene, cond.m_nSelect);
    if (!x) return 0;
    if (cond.m_nSelect == 4 && *x == kUnlimitedLives) return 0;
    return CompareByCode(*x, percent ? 0 : o, cond.m_nCmp);
  }

  const cCharaBase* pObj = pSubject;
  if (IsSlotSubject(cond.m_nSubject)) pObj = SlotObject(pSubject, cond.m_nSubject);
  if (pObj == nullptr) return 0;
  const int field = cond.m_nSelect;
  if (field < 0 || field >= kFieldCount) return 0;
  const std::int32_t x = CharaStatus(*pObj, field, cond.m_nVarIndex);
  std::int32_t v = o;
  if (percent) {
    if (field == 1) {
      v = std::clamp(PercentOfRounded(pObj->m_Def.m_nMaxHp, o), 0, kHpMax);
    } else if (field == 2) {
      v = std::clamp(PercentOfRounded(pObj->m_Def.m_nMaxSp, o), 0, kHpMax);
    } else {
      v = 0;
    }
  }
  return CompareInWidth(FieldWidth(field), x, v, cond.m_nCmp);
}
