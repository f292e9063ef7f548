#include "flow/status_values.h"

#include <cstddef>
#include <vector>

#include "app/checked_access.h"
#include "data/palette/palette_chara.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

eStatusWidth StatusFieldWidth(int field) {
  switch (field) {
    case kStatusCharaId: case kStatusZ: case kStatusSight: case kStatusImpact: case kStatusImpactResist:
      return eStatusWidth::W8;
    case kStatusMark: case kStatusStop:
      return eStatusWidth::W16;
    default:
      return eStatusWidth::W32;
  }
}

std::optional<sStatusRange> StatusFieldRange(int field) {
  switch (field) {
    case kStatusCharaVar: return sStatusRange{-999999, 999999};
    case kStatusHp: return sStatusRange{0, 999999};
    case kStatusSp: return sStatusRange{0, 999999};
    case kStatusMaxHp: return sStatusRange{0, 999999};
    case kStatusMaxSp: return sStatusRange{0, 999999};
    case kStatusCharaId: return sStatusRange{0, 99};
    case kStatusZ: return sStatusRange{0, 7};
    case kStatusMark: return sStatusRange{0, 119};
    case kStatusSight: return sStatusRange{0, 40};
    case kStatusPower: return sStatusRange{-999999, 999999};
    case kStatusImpact: return sStatusRange{-20, 20};
    case kStatusDefence: return sStatusRange{0, 999999};
    case kStatusImpactResist: return sStatusRange{0, 20};
    case kStatusStop: return sStatusRange{0, 200};
    case kStatusScore: return sStatusRange{-999999, 999999};
    default: return std::nullopt;
  }
}

std::optional<sStatusRange> SystemFieldRange(int field) {
  switch (field) {
    case kSystemTime: return sStatusRange{0, 999};
    case kSystemScrollX: return sStatusRange{-480, 480};
    case kSystemScrollY: return sStatusRange{-480, 480};
    case kSystemScore: return sStatusRange{0, 999999};
    case kSystemLives: return sStatusRange{0, 99};
    default: return std::nullopt;
  }
}

std::int32_t GetCharaStatusValue(const cCharaBase& c, int field, int charaVarIndex) {
  const cPaletteChara& d = c.m_Def;
  switch (field) {
    case kStatusCharaVar: return CheckedAt(c.m_vCharaVar, charaVarIndex);
    case kStatusHp: return c.m_nHp;
    case kStatusSp: return c.m_nSp;
    case kStatusMaxHp: return d.m_nMaxHp;
    case kStatusMaxSp: return d.m_nMaxSp;
    case kStatusCharaId: return d.m_nCharaId;
    case kStatusZ: return d.m_nZ;
    case kStatusMark: return d.m_nEmblem;
    case kStatusSight: return d.m_nSightRange;
    case kStatusPower: return d.m_nBodyPower;
    case kStatusImpact: return d.m_nBodyImpact;
    case kStatusDefence: return d.m_nDefence;
    case kStatusImpactResist: return d.m_nImpactResist;
    case kStatusStop: return d.m_nStopEase;
    case kStatusScore: return d.m_nScore;
    default: return 0;
  }
}

namespace {

// Truncation to the storage width keeps the low bits, as the stored value always did.
std::int8_t StatusValuesTo8(std::int32_t v) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v))); }
std::int16_t StatusValuesTo16(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(v))); }

}  // namespace

void SetCharaStatusValue(cCharaBase& c, int field, int charaVarIndex, std::int32_t value) {
  cPaletteChara& d = c.m_Def;
  switch (field) {
    case kStatusCharaVar:
      // Reported as every bad index is, but a write must not land in the fallback
      // element that the guarded access hands back.
      if (charaVarIndex >= 0 && static_cast<std::size_t>(charaVarIndex) < c.m_vCharaVar.size()) {
        c.m_vCharaVar[static_cast<std::size_t>(charaVarIndex)] = value;
      } else {
        (void)CheckedAt(c.m_vCharaVar, charaVarIndex);
      }
      return;
    case kStatusHp: c.m_nHp = value; return;
    case kStatusSp: c.m_nSp = value; return;
    case kStatusMaxHp: d.m_nMaxHp = value; return;
    case kStatusMaxSp: d.m_nMaxSp = value; return;
    case kStatusCharaId: d.m_nCharaId = StatusValuesTo8(value); return;
    case kStatusZ: d.m_nZ = StatusValuesTo8(value); return;
    case kStatusMark: d.m_nEmblem = StatusValuesTo16(value); return;
    case kStatusSight: d.m_nSightRange = StatusValuesTo8(value); return;
    case kStatusPower: d.m_nBodyPower = value; return;
    case kStatusImpact: d.m_nBodyImpact = StatusValuesTo8(value); return;
    case kStatusDefence: d.m_nDefence = value; return;
    case kStatusImpactResist: d.m_nImpactResist = StatusValuesTo8(value); return;
    case kStatusStop: d.m_nStopEase = StatusValuesTo16(value); return;
    case kStatusScore: d.m_nScore = value; return;
    default: return;
  }
}

std::optional<std::int32_t> GetSystemValue(const cSceneGame& scene, int field) {
  switch (field) {
    case kSystemTime: return scene.m_nTimeLeft;
    case kSystemScrollX: return g_StageData.m_nAutoScrollX;
    case kSystemScrollY: return g_StageData.m_nAutoScrollY;
    case kSystemScore: return g_Progress.m_nStageScore;
    case kSystemLives: return g_Progress.m_nLives;
    default: return std::nullopt;
  }
}

std::int32_t GetSystemOperand(const cSceneGame& scene, int field) {
  if (field == kSystemTime && scene.m_bNoTimeLimit != 0) return 0;
  const std::optional<std::int32_t> v = GetSystemValue(scene, field);
  if (!v) return 0;
  if (field == kSystemLives && *v == kUnlimitedLivesValue) return 0;
  return *v;
}

std::int32_t GetVariable(const cSceneGame& scene, int kind, int index) {
  if (kind == 0) return CheckedAt(g_Progress.m_Vars, index);
  if (kind == 1) return CheckedAt(scene.m_vStageVar, index);
  return 0;
}

std::int32_t* VariableSlot(cSceneGame& scene, int kind, int index) {
  std::vector<std::int32_t>* pVars = kind == 0 ? &g_Progress.m_Vars : kind == 1 ? &scene.m_vStageVar : nullptr;
  if (pVars == nullptr) return nullptr;
  if (index >= 0 && static_cast<std::size_t>(index) < pVars->size()) return &(*pVars)[static_cast<std::size_t>(index)];
  // Reported as every bad index is; a write must not land in the fallback element.
  (void)CheckedAt(*pVars, index);
  return nullptr;
}
