#include "objects/chara.h"

#include <cstdint>

#include "app/sat_int.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "objects/part_graphic.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"

namespace {

// Box and hit-area sizes of the stage record for stage characters.
struct cSize {
  std::int32_t w;
  std::int32_t h;
};

}  // namespace

void cChara::Init(std::int32_t nObjId, cPaletteChara& def, const cItem* pItem, double dStartX, double dStartY,
                  std::int32_t nCopyIndex, std::int32_t nSpare) {
  if (def.m_nSize == 0) def.m_nSize = 1;
  Reset(&def, dStartX, dStartY, nCopyIndex, nSpare);
  const cStageData& sd = g_StageData;
  const bool block = def.m_bBlockChara != 0;
  const bool flying = def.m_nFlying != 0;
  std::int32_t offX = 0;
  std::int32_t offY = 0;
  cSize box{32, 32};
  if (!block) {
    box = flying ? cSize{sd.m_nCharaFlyW, sd.m_nCharaFlyH} : cSize{sd.m_nCharaWalkW, sd.m_nCharaWalkH};
    const bool bottom = (flying ? sd.m_bCharaFlyBottom : sd.m_bCharaWalkBottom) != 0;
    // Sizes from the stage file may be anything: the offsets saturate instead of wrapping.
    offX = SatSub(32, box.w) >> 1;
    offY = bottom ? SatSub(32, box.h) : SatSub(32, box.h) >> 1;
  }
  cGameObj::Init(nObjId, def.m_nController, def.m_nPlayerNo, def.m_nSide, def.m_nGraphic, nullptr, 0, offX, offY,
                 box.w, box.h, 32, 32, def.m_nDirection, def.m_nFlying, nCopyIndex, nullptr);
  if (block) {
    m_HitChara.SetBoth(0, 0, 0, 0);
    m_HitShot.SetBoth(0, 0, 32, 32);
  } else {
    const cSize shotArea{sd.m_nCharaHitKind1W, sd.m_nCharaHitKind1H};
    switch (def.m_nHitBox) {
      case 1:
        SetCharaHitRect(0, shotArea.w, shotArea.h);
        break;
      case 2:
        SetCharaHitRect(0, sd.m_nCharaHitKind2W, sd.m_nCharaHitKind2H);
        break;
      case 3:
        SetCharaHitRect(0, 32, 32);
        break;
      default:  // 0, and values the authoring tool does not write: the recommended area
        if (flying) {
          SetCharaHitRect(sd.m_bCharaHitFlyBottom, sd.m_nCharaHitFlyW, sd.m_nCharaHitFlyH);
        } else {
          SetCharaHitRect(sd.m_bCharaHitWalkBottom, sd.m_nCharaHitWalkW, sd.m_nCharaHitWalkH);
        }
        break;
    }
    m_HitShot.SetBoth(SatInt32(std::int64_t{16} - (shotArea.w >> 1) - m_nBoxOffX),
                      SatInt32(std::int64_t{16} - (shotArea.h >> 1) - m_nBoxOffY), shotArea.w, shotArea.h);
  }
  SetScale(def.m_nSize, 1);
  m_bAppearNow = 0;
  m_nItemIconBlink = 0;
  if (pItem != nullptr) {
    m_Item = *pItem;
  } else {
    m_Item.m_nGraphic = 0;
  }
  switch (def.m_nScreenRange) {
    case 1: m_bRangeIgnoreX = 0; m_bRangeIgnoreY = 1; break;
    case 2: m_bRangeIgnoreX = 1; m_bRangeIgnoreY = 0; break;
    case 3: m_bRangeIgnoreX = 1; m_bRangeIgnoreY = 1; break;
    default: m_bRangeIgnoreX = 0; m_bRangeIgnoreY = 0; break;
  }
  m_bAppeared = 0;
  m_Anime.Set(flying ? 0 : 1, 1);
  SetFlows(m_Def.m_vFlow.Edit(), 0, -1);
}

void cChara::ScaleHitRects(std::int32_t nFactor) {
  if (m_Def.m_bBlockChara != 0) {
    m_HitChara.m_nOffX = m_HitChara.m_nOffY = 0;
    m_HitChara.m_nW = m_nBoxW;
    m_HitChara.m_nH = m_nBoxH;
    m_HitShot.m_nOffX = m_HitShot.m_nOffY = 0;
    m_HitShot.m_nW = m_nBoxW;
    m_HitShot.m_nH = m_nBoxH;
    return;
  }
  m_HitChara.Scale(nFactor);
  m_HitShot.Scale(nFactor);
}

void cChara::UpdateHitRectX() {
  m_HitChara.UpdateX(m_dX);
  m_HitShot.UpdateX(m_dX);
}

void cChara::UpdateHitRectY() {
  m_HitChara.UpdateY(m_dY);
  m_HitShot.UpdateY(m_dY);
}

cItem* cChara::GetCarriedItem() { return &m_Item; }

std::int32_t cChara::ConstrainX() { return ClampX(2); }
std::int32_t cChara::ConstrainY() { return ClampY(2); }

std::int32_t cChara::StepX() {
  if (m_dImpactVx != 0) {
    m_dVx = m_dImpactVx;
  } else if (m_dCmdVx != 0) {
    ApplyFriction(m_dCmdVx, m_bFrictionX);
    m_dVx += m_dCmdVx;
  }
  const std::int32_t code = MoveX(2);
  ConstrainX();
  return code == 3 ? 4 : code;
}

std::int32_t cChara::StepY() {
  ApplyImpactSpeedY();
  const bool flying = m_bNoGravity != 0;
  if (m_dImpactVy == 0 && flying && m_dCmdVy != 0) {
    ApplyFriction(m_dCmdVy, m_bFrictionY);
    m_dVy += m_dCmdVy;
  }
  const std::int32_t code = MoveY(2);
  ConstrainY();
  if (flying && (code == 3 || code == 6)) return 8;
  if (!flying && (code == 5 || code == 6)) return 7;
  return code;
}

std::int32_t cChara::RunFlows(std::int32_t bDiedOnly) {
  cSceneGame* scene = GameScene();
  if (scene != nullptr) {
    scene->m_pFlowChara = this;
    scene->m_bKilled = 0;
  }
  SetScrollBaseVelocity(0);
  m_bHeld = 0;
  m_bFrictionX = m_bFrictionY = 1;
  m_bDrawTransparent = 0;
  m_bMoving = 0;
  if (m_nContactGrace > 0) --m_nContactGrace;
  StepFlowAnime();
  if (StepFlows(bDiedOnly, 1) != 0) return 1;
  ApplyPendingFlowChanges();
  ShowIdleAnime();
  return m_nHp <= 0 ? 1 : 0;
}

void cChara::RunJump(cFlowCmdRun* run) {
  if (run == nullptr) return;
  const bool firm = m_bAirborne == 0 && m_bJumpLock == 0 && m_bImpactAir == 0 && m_nAirSteps == 0;
  const bool legacy = g_SystemData.m_bRule749 != 0;
  auto start = [&]() {
    run->m_bStarted = 1;
    const cFlowCmd* cmd = run->m_lpCmd;
    if (cmd != nullptr && (legacy || cmd->m_bSoundCond == 0 || m_bOnScreen != 0)) PlayUserSE(cmd->m_nSound);
    m_dVy = run->m_dSpeed;
    m_bJumping = 1;
    m_bJumpHoldOver = 1;
    m_bRiding = 0;
  };
  if (legacy) {
    if (firm) start();
    return;
  }
  if (run->m_bStarted == 0) {
    if (firm) {
      start();
    } else if (run->m_nCount >= 4 * g_StageData.m_nSubSteps) {
      // Waited 4n sub-steps for firm ground: give up.
      run->m_bStarted = 1;
      m_bJumpLock = 0;
      m_bImpactAir = 0;
      run->m_nRemain = 0;
    }
    return;
  }
  if (IsOnGround()) {
    m_bJumpLock = 0;
    m_bImpactAir = 0;
    run->m_nRemain = 0;
  }
}

std::int32_t cChara::UpdateActive(std::vector<std::int8_t>& vAppearSwitch) {
  if (!IsOnScreenAxes(m_bRangeIgnoreX, m_bRangeIgnoreY)) {
    m_bInRange = 0;
    return 0;
  }
  m_bInRange = 1;
  // An appear group outside the table belongs to no group: it is neither marked nor read.
  const std::int32_t group = m_Def.m_nActiveGroup;
  if (m_Def.m_bInGroup != 0 && group >= 0 && static_cast<std::size_t>(group) < vAppearSwitch.size()) {
    vAppearSwitch[static_cast<std::size_t>(group)] = 1;
  }
  return 1;
}

std::int32_t cChara::CheckAppear(std::vector<std::int8_t>& vAppearSwitch) {
  const std::int32_t group = m_Def.m_nActiveGroup;
  bool enters = m_bInRange != 0;
  if (!enters && m_Def.m_bInGroup != 0 && group >= 0 && static_cast<std::size_t>(group) < vAppearSwitch.size()) {
    enters = vAppearSwitch[static_cast<std::size_t>(group)] != 0;
  }
  // A walking character in mid-air keeps running out of range until it lands.
  if (!enters && m_bNoGravity == 0) enters = m_bJumping != 0 || (m_bAppeared != 0 && m_bAirborne != 0);
  if (!enters) return 0;
  m_bAppeared = 1;
  if (m_Def.m_nActiveRule == 1) m_bRangeIgnoreX = m_bRangeIgnoreY = 1;
  UpdateScreenRect();
  return 1;
}

bool cChara::IsInRect(double dLeft, double dTop, double dRight, double dBottom) const {
  return m_dX <= dRight && m_dRight >= dLeft && m_dY <= dBottom && m_dBottom >= dTop;
}

void cChara::DrawCarriedItemIcon(DDSURFACEDATA* pSurface) {
  if (m_Item.m_bCarried == 0 || m_bOnScreen == 0 || m_Def.m_bHidden != 0 || m_Item.m_ItemDef.m_bHidden != 0) return;
  ++m_nItemIconBlink;
  // The last 33 of every 96 calls show the icon, centred over the character's head.
  if (m_nItemIconBlink >= 64) {
    const cPaletteItem& def = m_Item.m_ItemDef;
    DrawPartIcon(pSurface, m_rcScreen.left + (m_nCellW >> 1) - (m_Item.m_nCellW >> 2),
                 m_rcScreen.top - (m_Item.m_nCellH >> 1), def.m_nGraphicKind, def.m_nGraphic, def.m_nPattern);
  }
  if (m_nItemIconBlink >= 96) m_nItemIconBlink = 0;
}
