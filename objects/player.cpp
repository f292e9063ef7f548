#include "objects/player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "app/sat_int.h"
#include "app/checked_access.h"
#include "app/report_log.h"
#include "data/flow/flow.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/apply_arrange.h"
#include "flow/flow_run.h"
#include "flow/key_sequence.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "objects/item.h"
#include "objects/trunc.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/scroll.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"

namespace {

constexpr std::int32_t kHitPartColorBase = 208;
constexpr std::int32_t kHitPartColorChoices = 8;
// Riding a character, a jump leaves it a little faster (1.02 as a single-precision value).
constexpr double kRideJumpFactor = 1.0199999809265137;
// The fixed surface row of the sight mask.
constexpr int kSightMaskRow = 65;

// A player number without an input record reads record 0; the report says so once.
bool g_bReportedBadPlayerNo = false;

cInput& InputRecordOf(std::int32_t nPlayerNo) {
  if (nPlayerNo >= 0 && static_cast<std::size_t>(nPlayerNo) < g_Input.size()) {
    return g_Input[static_cast<std::size_t>(nPlayerNo)];
  }
  if (!g_bReportedBadPlayerNo) {
    g_bReportedBadPlayerNo = true;
    WriteReport("player number %d has no input record: record 0 is used", static_cast<int>(nPlayerNo));
  }
  if (g_Input.empty()) return CheckedDefaultElement<cInput>();
  return g_Input.front();
}

std::int32_t PlayerParam(const cFlowCmd* cmd, std::size_t i) {
  if (cmd == nullptr || i >= cmd->m_vParam.size()) return 0;
  return cmd->m_vParam[i];
}

}  // namespace

cInput& cPlayer::Input() const {
  if (m_pInput != nullptr) return *m_pInput;
  return InputRecordOf(0);
}

void cPlayer::Init(std::int32_t nObjId, cPaletteChara& def, double dStartX, double dStartY, std::int32_t nSpare) {
  if (def.m_nSize == 0) def.m_nSize = 1;
  Reset(&def, dStartX, dStartY, 0, nSpare);
  std::int32_t offX = 0;
  std::int32_t offY = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  GetSizeByFlying(&offX, &offY, &w, &h);
  cGameObj::Init(nObjId, def.m_nController, def.m_nPlayerNo, def.m_nSide, def.m_nGraphic, nullptr, 0, offX, offY, w,
                 h, 32, 32, 1, 0, 0, nullptr);
  m_pInput = &InputRecordOf(def.m_nPlayerNo);
  SetFlying(def.m_nFlying, 0);
  SetScale(def.m_nSize, 1);
  m_nFacing = def.m_nDirection;
  m_bJumpLock = 0;
  m_bSpringJump = 0;
  m_nJumpHoldSteps = 0;
  m_nFootFxKind = 0;
  m_dFootFxFactor = 0;
  m_nFootFxSteps = 0;
  m_nFootItemRest = 0;
  m_bJumpReady = 1;
  m_dBoostAccel = 4 / g_StageData.m_dSubSteps;
  BuildHitParts();
  m_lstIgnore.clear();
  SetFlows(m_Def.m_vFlow.Edit(), 0, -1);
}

void cPlayer::GetSizeByFlying(std::int32_t* pOffX, std::int32_t* pOffY, std::int32_t* pW, std::int32_t* pH) const {
  const cStageData& sd = g_StageData;
  const bool flying = m_bNoGravity != 0;
  const std::int32_t w = flying ? sd.m_nPlayerFlyW : sd.m_nPlayerWalkW;
  const std::int32_t h = flying ? sd.m_nPlayerFlyH : sd.m_nPlayerWalkH;
  const bool bottom = (flying ? sd.m_bPlayerFlyBottom : sd.m_bPlayerWalkBottom) != 0;
  // Sizes from the stage file may be anything: the offsets saturate instead of wrapping.
  *pOffX = SatSub(32, w) >> 1;
  *pOffY = bottom ? SatSub(32, h) : SatSub(32, h) >> 1;
  *pW = w;
  *pH = h;
}

void cPlayer::SetFlying(std::int32_t nMode, std::int32_t bScaled) {
  const cStageData& sd = g_StageData;
  const std::int32_t hadNoGravity = m_bNoGravity;
  m_Def.m_nFlying = static_cast<std::int8_t>(nMode);
  cGameObj::SetFlying(nMode);
  if (hadNoGravity != m_bNoGravity) {
    m_nContactGrace = 2;
    if (hadNoGravity != 0) {
      m_dVx = m_dVy = 0;
      m_dCmdVx = m_dCmdVy = 0;
    }
  }
  std::int32_t offX = 0;
  std::int32_t offY = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  GetSizeByFlying(&offX, &offY, &w, &h);
  m_nBoxW = m_nBaseBoxW = w;
  m_nBoxH = m_nBaseBoxH = h;
  m_nBoxOffX = m_nBaseBoxOffX = offX;
  m_nBoxOffY = m_nBaseBoxOffY = offY;
  m_nCellW = m_nBaseCellW = 32;
  m_nCellH = m_nBaseCellH = 32;
  const bool flying = m_bNoGravity != 0;
  switch (m_Def.m_nHitBox) {
    case 1:
      SetCharaHitRect(0, sd.m_nPlayerHitKind1W, sd.m_nPlayerHitKind1H);
      break;
    case 2:
      SetCharaHitRect(0, sd.m_nPlayerHitKind2W, sd.m_nPlayerHitKind2H);
      break;
    case 3:
      SetCharaHitRect(0, 32, 32);
      break;
    default:  // 0, and values the authoring tool does not write: the recommended area
      if (flying) {
        SetCharaHitRect(sd.m_bPlayerHitFlyBottom, sd.m_nPlayerHitFlyW, sd.m_nPlayerHitFlyH);
      } else {
        SetCharaHitRect(sd.m_bPlayerHitWalkBottom, sd.m_nPlayerHitWalkW, sd.m_nPlayerHitWalkH);
      }
      break;
  }
  auto centred = [this](cHitArea& area, std::int32_t aw, std::int32_t ah) {
    area.SetBoth(SatInt32(std::int64_t{16} - (aw >> 1) - m_nBoxOffX), SatInt32(std::int64_t{16} - (ah >> 1) - m_nBoxOffY),
                 aw, ah);
  };
  centred(m_HitShot, sd.m_nPlayerHitKind1W, sd.m_nPlayerHitKind1H);
  centred(m_HitExtra, sd.m_nPlayerBoxW, sd.m_nPlayerBoxH);
  if (bScaled != 0) {
    const std::int32_t k = m_Def.m_nSize;
    m_nBoxW = SatMul(m_nBoxW, k);
    m_nBoxH = SatMul(m_nBoxH, k);
    m_nBoxOffX = SatMul(m_nBoxOffX, k);
    m_nBoxOffY = SatMul(m_nBoxOffY, k);
    m_nCellW = SatMul(m_nCellW, k);
    m_nCellH = SatMul(m_nCellH, k);
    m_HitChara.Scale(k);
    m_HitShot.Scale(k);
    m_HitExtra.Scale(k);
  }
  BuildHitParts();
}

void cPlayer::BuildHitParts() {
  const cStageData& sd = g_StageData;
  // Display mode and colour choice of each part type (0 box, 1 area A, 2 area C, 3 area B).
  const std::int32_t modes[4] = {sd.m_nPlayerPartValue0, sd.m_nPlayerPartValue1, sd.m_nPlayerPartValue2,
                                 sd.m_nPlayerPartValue3};
  const std::int32_t choices[4] = {sd.m_nPlayerPartSel0, sd.m_nPlayerPartSel1, sd.m_nPlayerPartSel2,
                                   sd.m_nPlayerPartSel3};
  m_vHitPart.clear();
  auto add = [&](std::int32_t type, std::int32_t w, std::int32_t h) {
    cHitPart part;
    part.m_nType = type;
    part.m_nMode = modes[type];
    // A choice outside the eight colours would run past the palette's animated entries.
    part.m_nColor = kHitPartColorBase + 4 * std::clamp(choices[type], 0, kHitPartColorChoices - 1);
    part.m_nW = w;
    part.m_nH = h;
    m_vHitPart.push_back(part);
  };
  add(0, m_nBoxW, m_nBoxH);
  add(2, m_HitExtra.m_nW, m_HitExtra.m_nH);
  add(1, m_HitChara.m_nW, m_HitChara.m_nH);
  add(3, m_HitShot.m_nW, m_HitShot.m_nH);
  std::stable_sort(m_vHitPart.begin(), m_vHitPart.end(), [](const cHitPart& a, const cHitPart& b) {
    return static_cast<std::int64_t>(a.m_nW) * a.m_nH > static_cast<std::int64_t>(b.m_nW) * b.m_nH;
  });
}

void cPlayer::ScaleHitRects(std::int32_t nFactor) {
  m_HitChara.Scale(nFactor);
  m_HitShot.Scale(nFactor);
  m_HitExtra.Scale(nFactor);
}

void cPlayer::UpdateHitRectX() {
  m_HitChara.UpdateX(m_dX);
  m_HitShot.UpdateX(m_dX);
  m_HitExtra.UpdateX(m_dX);
}

void cPlayer::UpdateHitRectY() {
  m_HitChara.UpdateY(m_dY);
  m_HitShot.UpdateY(m_dY);
  m_HitExtra.UpdateY(m_dY);
}

// The camera follows the player on an axis without automatic scroll. An automatic axis is
// never pulled by the player, also while it is held at its end: pulling it back from the
// end would let the automatic scroll push it forward again in the next sub-step.
std::int32_t cPlayer::ConstrainX() {
  cScroll& axis = ObjScrollX();
  if (axis.m_dSpeed == 0) {
    axis.m_dPos = m_dX - (320 - (m_nBoxW >> 1));
    axis.Clamp();
  }
  return ClampX(m_bNoGravity == 0 ? 1 : 0);
}

std::int32_t cPlayer::ConstrainY() {
  cScroll& axis = ObjScrollY();
  if (axis.m_dSpeed == 0) {
    axis.m_dPos = m_dY - (240 - (m_nBoxH >> 1));
    axis.Clamp();
  }
  return ClampY(m_bNoGravity == 0 ? 1 : 0);
}

void cPlayer::UpdateScreenRect() {
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const bool autoX = ax.m_dSpeed != 0 && ax.m_bAtLimit == 0;
  const bool autoY = ay.m_dSpeed != 0 && ay.m_bAtLimit == 0;
  // Far off the screen (a position or scroll from a damaged stage) the corners saturate.
  m_rcScreen.left = autoX ? SatInt32(std::int64_t{TruncToInt(m_dX)} - TruncToInt(ax.m_dPos) - m_nBoxOffX)
                          : TruncToInt(m_dX - ax.m_dPos - m_nBoxOffX);
  m_rcScreen.top = autoY ? SatInt32(std::int64_t{TruncToInt(m_dY)} - TruncToInt(ay.m_dPos) - m_nBoxOffY)
                         : TruncToInt(m_dY - ay.m_dPos - m_nBoxOffY);
  m_rcScreen.right = SatInt32(std::int64_t{m_rcScreen.left} + m_nCellW - 1);
  m_rcScreen.bottom = SatInt32(std::int64_t{m_rcScreen.top} + m_nCellH - 1);
}

std::int32_t cPlayer::StepX() {
  if (m_dImpactVx != 0) {
    m_dVx = m_dImpactVx;
  } else if (m_dCmdVx != 0) {
    ApplyFriction(m_dCmdVx, m_bFrictionX);
    if (m_nFootFxSteps != 0 && m_nFootFxKind == 3) {
      // The speed block pushes the command velocity along its own direction; it never
      // turns it around.
      const double delta = PerSecToPerStep(m_dBoostAccel) * (m_dFootFxFactor - 1);
      const double before = m_dCmdVx;
      const double after = before > 0 ? before + delta : before - delta;
      m_dCmdVx = (before > 0) == (after > 0) && after != 0 ? after : 0;
    }
    m_dVx += m_dCmdVx;
  }
  // As in MoveX, the limit holds the stored velocity.
  const double limit = g_StageData.m_dSpeedLimitStep;
  if (m_dVx > limit) m_dVx = limit;
  if (m_dVx < -limit) m_dVx = -limit;
  m_dX += m_dVx;
  ConstrainX();
  return 0;
}

std::int32_t cPlayer::StepY() {
  ApplyImpactSpeedY();
  const bool flying = m_bNoGravity != 0;
  if (m_dImpactVy == 0 && flying && m_dCmdVy != 0) {
    ApplyFriction(m_dCmdVy, m_bFrictionY);
    m_dVy += m_dCmdVy;
  }
  const std::int32_t code = MoveY(flying ? 0 : 2);
  ConstrainY();
  if (!flying && (code == 5 || code == 6)) return 7;
  return code;
}

std::int32_t cPlayer::RunFlows(std::int32_t bDiedOnly) {
  cSceneGame* scene = GameScene();
  if (scene != nullptr) {
    scene->m_pFlowChara = this;
    scene->m_bKilled = 0;
  }
  SetScrollBaseVelocity(1);
  m_bHeld = 0;
  m_bFrictionX = m_bFrictionY = 1;
  m_bDrawTransparent = 0;
  m_bMoving = 0;
  m_bJumpCmdRan = 0;
  if (m_nContactGrace > 0) --m_nContactGrace;
  StepFlowAnime();
  if (StepFlows(bDiedOnly, 0) != 0) return 1;
  if (!m_vPendingFlowCmd.empty()) {
    std::vector<cFlowCmd> pending;
    pending.swap(m_vPendingFlowCmd);
    for (cFlowCmd& cmd : pending) ItemChangeFlow(*this, cmd, 1);
  }
  ApplyPendingFlowChanges();
  ShowIdleAnime();
  if (m_bJumpCmdRan == 0) {
    m_nJumpHoldSteps = 0;
    m_bJumpReady = 1;
    m_bJumpLock = 0;
  }
  return m_nHp <= 0 ? 1 : 0;
}

// "Standing on a block" when a jump starts means not riding a character: the start test
// has already required that the player is not airborne, and the only other support is a
// character being ridden, whose jump waits for the frame's last sub-step.
void cPlayer::RunJump(cFlowCmdRun* run) {
  if (run == nullptr || m_bNoGravity != 0 || m_bJumpCmdRan != 0) return;
  const cFlowCmd* cmd = run->m_lpCmd;
  cSceneGame* scene = GameScene();
  const cFlowRun* flowRun = scene != nullptr ? scene->m_pFlowRun : nullptr;
  const bool hasKeyConds = flowRun != nullptr && !flowRun->m_vKeyCond.empty() && flowRun->m_vKeyCond.back() != nullptr;
  const std::int32_t kind = PlayerParam(cmd, 0);
  bool held = true;
  if (kind != 0) held = hasKeyConds && KeyCondHeldNow(*flowRun->m_vKeyCond.back(), Input()) != 0;
  const std::int32_t n = g_StageData.m_nSubSteps;
  if (kind == 2) {
    const double s = std::fabs(m_dCmdVx);
    const double a = PlayerParam(cmd, 1) / (10.0 * g_StageData.m_dSubSteps);
    const double b = PlayerParam(cmd, 3) / (10.0 * g_StageData.m_dSubSteps);
    const std::int32_t high = PlayerParam(cmd, 2);
    const std::int32_t low = PlayerParam(cmd, 4);
    std::int32_t height = 0;
    if (s >= a) {
      height = high;
    } else if (s <= b) {
      height = low;
    } else {
      height = TruncToInt((high - low) * s / a + low);
    }
    run->m_dSpeed = JumpSpeed(static_cast<double>(height) * 16);
  }
  if (held && m_bSpringJump == 0) {
    ++m_nJumpHoldSteps;
    const bool holdEnds = m_nJumpHoldSteps >= run->m_nDuration && (m_dVy < 0 || m_bRiding != 0) &&
                          (m_bJumpHoldOver == 0 || m_bRiding != 0) && m_bJumpReady != 0 && m_bJumpLock == 0;
    if (holdEnds) {
      m_bJumpHoldOver = 1;
      m_bJumpReady = 0;
    } else if (m_bAirborne == 0 && m_nJumpHoldSteps <= n && (m_bJumpHoldOver == 0 || m_bRiding != 0) &&
               m_bJumpReady != 0 && m_bJumpLock == 0 && m_bImpactAir == 0 && run->m_bStarted == 0) {
      m_bJumping = 1;
      if (m_bRiding == 0) {
        m_dVy = run->m_dSpeed;
        run->m_bStarted = 1;
        if (cmd != nullptr) PlayUserSE(cmd->m_nSound);
      } else if (scene != nullptr && scene->m_nSubStep == n) {
        m_dVy = run->m_dSpeed * kRideJumpFactor;
        run->m_bStarted = 1;
        if (cmd != nullptr) PlayUserSE(cmd->m_nSound);
        m_bRiding = 0;
      }
    }
  } else {
    if (m_nJumpHoldSteps > 0 && m_nJumpHoldSteps < run->m_nDuration && m_bJumpHoldOver == 0 && m_bJumpLock == 0 &&
        m_bSpringJump == 0 && m_bImpactAir == 0) {
      // The key let go early: the rest of the rise is cut short.
      m_bRiding = 0;
      if (m_dVy < 0) m_dVy *= 0.3;
      m_bJumpHoldOver = 1;
    }
    m_nJumpHoldSteps = 0;
    m_bJumpReady = 1;
    m_bJumpLock = 0;
  }
  if (IsOnGround() && m_dVy >= 0) {
    if (!hasKeyConds) {
      m_nJumpHoldSteps = 0;
      m_bJumpReady = 1;
      m_bJumpLock = 0;
      m_bImpactAir = 0;
      run->m_bStarted = 0;
    } else if (!held) {
      m_nJumpHoldSteps = 0;
      m_bJumpReady = 1;
      m_bJumpLock = 0;
      m_bImpactAir = 0;
      run->m_nRemain = 0;
    }
  }
  m_bJumpCmdRan = 1;
}

void cPlayer::Draw(DDSURFACEDATA* pSurface, std::int32_t bPaused) {
  if (pSurface == nullptr) return;
  // The character first; the hit display lies over it.
  cCharaBase::Draw(pSurface, bPaused);
  const bool paletteAnimated = g_nBpp == 8 && g_SystemData.m_bPaletteAnime != 0;
  for (cHitPart& part : m_vHitPart) {
    if (part.m_nMode == 0) continue;
    std::int32_t x = m_rcScreen.left + m_nBoxOffX;
    std::int32_t y = m_rcScreen.top + m_nBoxOffY;
    const cHitArea* area = part.m_nType == 1 ? &m_HitChara : part.m_nType == 2 ? &m_HitExtra
                           : part.m_nType == 3 ? &m_HitShot : nullptr;
    if (area != nullptr) {
      x += area->m_nOffX;
      y += area->m_nOffY;
    }
    const std::int32_t color = paletteAnimated ? part.m_nColor : part.m_nColor + (part.m_nBlink >> 3);
    if (part.m_nMode == 2) {
      DDDrawFrame(pSurface, x, y, part.m_nW, part.m_nH, 1, static_cast<DWORD>(color));
    } else {
      DDFillRect(pSurface, x, y, part.m_nW, part.m_nH, static_cast<DWORD>(color));
    }
    if (++part.m_nBlink >= 32) part.m_nBlink = 0;
  }
}

void cPlayer::DrawSightMask(DDSURFACEDATA* pSurface) {
  if (pSurface == nullptr || m_Def.m_nSightShape == 0) return;
  // The darkness surface that stage set-up builds around player 1's sight.
  DDSURFACEDATA* mask = &g_FixedSurface[kSightMaskRow];
  if (mask->nWidth <= 0 || mask->nHeight <= 0) return;
  const std::int32_t w = mask->nWidth;
  const std::int32_t h = mask->nHeight;
  std::int64_t sx = (w >> 1) - (m_nCellW >> 1) - static_cast<std::int64_t>(m_rcScreen.left);
  std::int64_t sy = (h >> 1) - (m_nCellH >> 1) - static_cast<std::int64_t>(m_rcScreen.top);
  if (m_Def.m_nSightShape == 2 || m_Def.m_nSightShape == 4) {
    const std::int32_t sign = GetFacingSign();
    sx += sign * (m_nCellW >> 1) - static_cast<std::int64_t>(sign) * m_nSightRange;
  }
  sx = std::clamp<std::int64_t>(sx, 0, std::max<std::int64_t>(0, w - 640));
  sy = std::clamp<std::int64_t>(sy, 0, std::max<std::int64_t>(0, h - 480));
  DDBlt(pSurface, 0, 0, 640, 480, mask, static_cast<int>(sx), static_cast<int>(sy), 1);
}

bool cPlayer::IsNotIgnored(const cGameObj* pObj) const {
  if (pObj == nullptr) return true;
  return std::find(m_lstIgnore.begin(), m_lstIgnore.end(), pObj->m_nObjId) == m_lstIgnore.end();
}

void cPlayer::Ignore(const cGameObj* pObj) {
  if (pObj != nullptr) m_lstIgnore.push_back(pObj->m_nObjId);
}

void cPlayer::Unignore(const cGameObj* pObj) {
  if (pObj != nullptr) ForgetIgnored(pObj->m_nObjId);
}

void cPlayer::ForgetIgnored(std::int32_t nObjId) { m_lstIgnore.remove(nObjId); }

std::int32_t cPlayer::RunItemCommands(std::vector<cFlowCmd>& list) {
  if (cSceneGame* scene = GameScene(); scene != nullptr) scene->m_bItemMsgShown = 0;
  // Indices: a command may change the player's flows but never this list's length.
  for (std::size_t i = 0; i < list.size(); ++i) {
    cFlowCmd& cmd = list[i];
    // Pending bindings apply to the next command that is not itself a binding, then drop.
    if (cmd.m_nKind != ITEMCMD_ARRANGE) {
      ApplyItemArranges(&cmd, this);
      m_lstItemBinding.clear();
    }
    // A kind outside the table (damaged data) does nothing.
    if (cmd.m_nKind < 0 || cmd.m_nKind >= kItemCmdKindCount) continue;
    const std::int32_t result = g_ItemCmdTable[cmd.m_nKind](*this, cmd);
    if (m_nHp <= 0) return 2;
    if (result != 0) return result;
  }
  return m_nHp <= 0 ? 2 : 0;
}

void cPlayer::ShowItemIcon(std::int32_t a, std::int32_t b, std::int32_t c) {
  // The rising icon is a message of the stage's message list.
  if (cSceneGame* scene = GameScene()) scene->m_lstMessage.emplace_back(ItemIconMessage(a, b, c, m_nObjId));
}
