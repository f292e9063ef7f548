// Values carried from one stage to the next. The stage clear stores the hero's record
// and a few values into a carry-over slot; the next stage's set-up applies them to its
// hero. Entry i of the system data's carry switches decides whether carry index i is
// stored and applied at all; entry i of m_CarriedFlags says whether a value is held.
#include "app/checked_access.h"
#include "data/save/progress.h"
#include "data/system/system_data.h"

namespace {

bool CarrySwitchOn(int nIndex) { return CheckedAt(g_SystemData.m_CarrySwitch, nIndex) != 0; }

// Copies the character-record members of carry index `nIndex` from `from` to `to`, each
// at its own width. False for the indices whose values do not come from the record.
bool CopyCarriedMembers(int nIndex, const cPaletteChara& from, cPaletteChara& to) {
  switch (nIndex) {
    case CARRY_GRAPHIC:
      to.m_nGraphic = from.m_nGraphic;
      to.m_nGraphicKind = from.m_nGraphicKind;
      to.m_nPattern = from.m_nPattern;
      return true;
    case CARRY_ANIME_SET: to.m_nAnimeSet = from.m_nAnimeSet; return true;
    case CARRY_Z: to.m_nZ = from.m_nZ; return true;
    case CARRY_HIDDEN: to.m_bHidden = from.m_bHidden; return true;
    case CARRY_FIXED_FACING: to.m_bFixedFacing = from.m_bFixedFacing; return true;
    case CARRY_FLYING: to.m_nFlying = from.m_nFlying; return true;
    case CARRY_INVINCIBLE: to.m_nInvincible = from.m_nInvincible; return true;
    case CARRY_SIZE: to.m_nSize = from.m_nSize; return true;
    case CARRY_SCROLL_SYNC: to.m_bScrollSync = from.m_bScrollSync; return true;
    case CARRY_SIGHT:
      to.m_nSightShape = from.m_nSightShape;
      to.m_nSightRange = from.m_nSightRange;
      return true;
    case CARRY_MAX_HP: to.m_nMaxHp = from.m_nMaxHp; return true;
    case CARRY_MAX_SP: to.m_nMaxSp = from.m_nMaxSp; return true;
    case CARRY_HIT_BOX: to.m_nHitBox = from.m_nHitBox; return true;
    case CARRY_BODY_POWER: to.m_nBodyPower = from.m_nBodyPower; return true;
    case CARRY_BODY_IMPACT: to.m_nBodyImpact = from.m_nBodyImpact; return true;
    case CARRY_DEFENCE: to.m_nDefence = from.m_nDefence; return true;
    case CARRY_IMPACT_RESIST: to.m_nImpactResist = from.m_nImpactResist; return true;
    case CARRY_STOP_EASE: to.m_nStopEase = from.m_nStopEase; return true;
    case CARRY_FLOWS: to.m_vFlow = from.m_vFlow; return true;
    default: return false;
  }
}

}  // namespace

void cProgress::StoreCarryOver(int nSlot, const cPaletteChara& chara, int nExtra1, int nExtra2, int nStartEffect,
                               int nStartEffectMode, int nStartEffectRepeat, int nStageTime, int nLives, int nBgm) {
  m_bCarried = 1;
  cCarryOver& carry = CheckedAt(m_CarryOver, nSlot);
  for (int i = 0; i < CARRY_COUNT; ++i) {
    if (!CarrySwitchOn(i)) continue;
    if (!CopyCarriedMembers(i, chara, carry.m_Chara)) {
      switch (i) {
        case CARRY_START_EFFECT:
          carry.m_Chara.m_nStartEffect = static_cast<std::int16_t>(nStartEffect);
          carry.m_Chara.m_nStartEffectMode = static_cast<std::int8_t>(nStartEffectMode);
          carry.m_Chara.m_nStartEffectRepeat = static_cast<std::int8_t>(nStartEffectRepeat);
          break;
        case CARRY_EXTRA1: carry.m_nExtra1 = nExtra1; break;
        case CARRY_EXTRA2: carry.m_nExtra2 = nExtra2; break;
        case CARRY_STAGE_TIME: carry.m_nStageTime = nStageTime; break;
        case CARRY_LIVES: carry.m_nLivesCarry = nLives; break;
        case CARRY_BGM: carry.m_nBgmCarry = nBgm; break;
        default: break;
      }
    }
    CheckedAt(m_CarriedFlags, i) = 1;
  }
}

void cProgress::ApplyCarryOver(int nSlot, cPaletteChara& chara, cStageData& stage) {
  if (!m_bCarried) return;
  const cCarryOver& carry = CheckedAt(m_CarryOver, nSlot);
  for (int i = 0; i < CARRY_COUNT; ++i) {
    if (i == CARRY_EXTRA1 || i == CARRY_EXTRA2) continue;
    if (!CarrySwitchOn(i) || CheckedAt(m_CarriedFlags, i) == 0) continue;
    if (CopyCarriedMembers(i, carry.m_Chara, chara)) {
      if (i == CARRY_GRAPHIC && chara.m_nGraphic == 0) chara.m_nGraphic = 1;
      continue;
    }
    switch (i) {
      case CARRY_START_EFFECT:
        chara.m_nStartEffect = carry.m_Chara.m_nStartEffect;
        chara.m_nStartEffectMode = carry.m_Chara.m_nStartEffectMode;
        chara.m_nStartEffectRepeat = carry.m_Chara.m_nStartEffectRepeat;
        break;
      case CARRY_STAGE_TIME: stage.m_nTimeLimit = carry.m_nStageTime; break;
      case CARRY_LIVES: m_nLives = carry.m_nLivesCarry; break;
      case CARRY_BGM: stage.m_nBgm = carry.m_nBgmCarry; break;
      default: break;
    }
  }
}

void cProgress::ApplyCarryOverExtra(int nSlot, int& nExtra1, int& nExtra2) const {
  if (!m_bCarried) return;
  const cCarryOver& carry = CheckedAt(m_CarryOver, nSlot);
  if (CarrySwitchOn(CARRY_EXTRA1) && CheckedAt(m_CarriedFlags, CARRY_EXTRA1) != 0) nExtra1 = carry.m_nExtra1;
  if (CarrySwitchOn(CARRY_EXTRA2) && CheckedAt(m_CarriedFlags, CARRY_EXTRA2) != 0) nExtra2 = carry.m_nExtra2;
}

void cProgress::ClearVars() {
  const std::vector<std::uint8_t>& reset = g_SystemData.m_ResetSwitch;
  for (std::size_t i = 0; i < reset.size(); ++i)
    if (reset[i] != 0) CheckedAt(m_CarriedFlags, static_cast<int>(i)) = 0;
}
