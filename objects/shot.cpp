#include "objects/shot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/checked_access.h"
#include "app/system_ini.h"
#include "data/database/database.h"
#include "data/database/sword_type_data.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_parameter_tables.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "objects/chara_base.h"
#include "objects/shot_trajectory.h"
#include "objects/trunc.h"
#include "stage/block_grid.h"
#include "stage/scene_game.h"
#include "stage/scroll.h"

namespace {

// {pattern, ticks, no-interrupt} triples, each animation closed by its end code.
const std::int32_t kShotAnime0[] = {0, 7, 0, 1, 7, 0, 2, 7, 0, -4, 0, 0};
const std::int32_t kShotAnime1[] = {0, 8, 0, 1, 8, 0, ANIME_END_LOOP, 0, 0};

constexpr std::int32_t kShotCell = 16;
// The rows of the shot images as stored, and mirrored cell by cell.
constexpr std::int32_t kShotImageRow = 20;
constexpr std::int32_t kGraphicsPerColumnPair = 30;
// Sword pictures per sword type: two facings, then their system-memory companions.
constexpr std::int32_t kSwordSurfacesPerType = 4;

// Sizes from game data times the giant factor, held inside int32.
std::int32_t ScaledSize(std::int32_t nSize, std::int32_t nFactor) {
  const std::int64_t v = static_cast<std::int64_t>(nSize) * nFactor;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Tenths of a second to sub-steps (x 6n), held inside int32.
std::int32_t TenthsToSteps(std::int64_t nTenths) {
  const std::int64_t v = nTenths * g_StageData.m_nSubSteps6;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool AppendLinkOnce(std::vector<cObjLink>& links, cShot* shot, std::int32_t nSlot) {
  const cObjLink link{shot, nSlot};
  if (std::any_of(links.begin(), links.end(), [&](const cObjLink& l) { return IsSameLink(l, link); })) return false;
  links.push_back(link);
  return true;
}

// The first lattice offset 0, 32, 64, ... whose dot `origin + offset` may lie inside
// [0, size): the cells before it lie outside the grid and read as empty.
std::int64_t FirstSampleInside(std::int64_t nOrigin) {
  if (nOrigin >= 0) return 0;
  return (-nOrigin / 32) * 32;
}

}  // namespace

const std::int32_t* const g_ShotAnimeTable[] = {kShotAnime0, kShotAnime1, nullptr};

cShot::cShot() {
  // The block's constructor resets it for the current data version; these are the
  // values a shot command starts from.
  m_EdShot.m_bFirerSide = 1;
  m_EdShot.m_bMirrorAngle = 1;
  m_EdShot.m_bMirrorOffsetX = 1;
  m_EdShot.m_bMirrorOffsetY = 0;
  m_EdShot.m_nScale = 1;
  m_EdShot.m_nAimSlot = 0;
  m_EdShot.m_nTrajSlot = 0;
}

cShot::cShot(const cShot& other) = default;
cShot& cShot::operator=(const cShot& other) = default;

cShot::~cShot() { ReleaseLinks(); }

void cShot::ReleaseLinks() {
  auto forget = [this](cCharaBase* chara) {
    if (chara == nullptr) return;
    auto& links = chara->m_vShotLinkedBy;
    links.erase(std::remove_if(links.begin(), links.end(), [this](const cObjLink& l) { return l.m_pObj == this; }),
                links.end());
  };
  forget(m_pTarget);
  if (m_pOwner != m_pTarget) forget(m_pOwner);
  m_pTarget = nullptr;
  m_pOwner = nullptr;
}

void cShot::ScaleHitRects(std::int32_t nFactor) { m_HitArea.Scale(nFactor); }

void cShot::ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) {
  if (nNew == nOld) return;
  // A growing shot keeps its vertical centre.
  m_dY -= static_cast<double>((nNew - nOld) * (m_nBaseBoxH >> 1));
  cGameObj::ClampY(2);
}

void cShot::UpdateHitRectX() { m_HitArea.UpdateX(m_dX); }
void cShot::UpdateHitRectY() { m_HitArea.UpdateY(m_dY); }

bool cShot::Init(std::int32_t nId, cCharaBase& firer, std::int32_t nKind, cEdShot& block, const FORMATIONSLOT& slot) {
  // A factor of 0 (or below) would give an object without size.
  if (block.m_nScale <= 0) block.m_nScale = 1;
  m_EdShot = block;
  std::int32_t nFacing = firer.m_nFacing;
  if (slot.m_dVx > 0) {
    nFacing = 1;
  } else if (slot.m_dVx < 0) {
    nFacing = 0;
  }

  const bool bSword = nKind == FLOWCMD_SWORD;
  std::int32_t boxW = kShotCell;
  std::int32_t boxH = kShotCell;
  if (bSword) {
    const cSwordTypeData& type = CheckedAt(g_Database.m_SwordType, block.m_nTrajectory);
    // A sword type without frames has nothing to swing: no sword.
    if (type.m_vFrame.empty()) return false;
    boxW = type.m_vFrame.front().m_nWidth;
    boxH = type.m_vFrame.front().m_nHeight;
    m_bFlying = 0;
  } else {
    m_bFlying = 1;
  }
  m_nWielderId = firer.m_nObjId;

  cGameObj::Init(nId, firer.m_nKind, firer.m_nPlayerNo, block.m_nSide, block.m_nGraphic, g_ShotAnimeTable,
                 bSword ? 0 : 1, 0, 0, boxW, boxH, kShotCell, kShotCell, nFacing, 1, slot.m_nCopyIndex, nullptr);
  if (block.m_bFirerSide != 0) {
    m_EdShot.m_nSide = firer.m_Def.m_nSide;
    m_nLayer = firer.m_Def.m_nSide;
  }

  if (bSword) {
    m_HitArea.SetBoth(0, 0, boxW, boxH);
  } else {
    const std::int32_t w = m_nKind == 0 ? g_StageData.m_nPlayerHitKind2W : g_StageData.m_nCharaHitKind2W;
    const std::int32_t h = m_nKind == 0 ? g_StageData.m_nPlayerHitKind2H : g_StageData.m_nCharaHitKind2H;
    m_HitArea.SetBoth(8 - (w >> 1), 8 - (h >> 1), w, h);
  }
  SetScale(m_EdShot.m_nScale, 1);

  m_dX = slot.m_nX;
  ClampX();
  m_dY = slot.m_nY;
  cGameObj::ClampY(2);

  const double n = g_StageData.m_dSubSteps;
  m_dBaseVx = slot.m_dVx / n;
  m_dBaseVy = slot.m_dVy / n;

  if (block.m_bAccelerate != 0) {
    m_bAccelOn = 1;
    m_dAccel = (block.m_nAccel + slot.m_nCopyIndex * block.m_nAccelStep) * 0.1 / n;
    CalcVelocity(&m_dCmdVx, &m_dCmdVy, slot.m_dVx, slot.m_dVy);
  } else {
    m_bAccelOn = 0;
    m_dAccel = 0;
    m_dCmdVx = m_dCmdVy = 0;
  }

  m_dVx = m_dVy = 0;
  m_bScrollSync = block.m_bScrollSync;

  if (block.m_bLifeLimit != 0) m_nLifeSteps = TenthsToSteps(slot.m_nLife);

  if (block.m_bRangeLimit != 0) {
    const double range = std::max(0.0, static_cast<double>(slot.m_nRange) * 16.0 - m_nBoxW);
    const double s = std::fabs(slot.m_dSpeed / n);
    if (range > 0 && s > 0) {
      m_nRangeSteps = TruncToInt(range / s);
    } else {
      m_nRangeSteps = TruncToInt(n);
      if (TruncToInt(n * s) > m_nBoxW) m_nRangeSteps = TruncToInt(m_nBoxW / s);
    }
    if (m_nRangeSteps < n) {
      // The range would be flown within one frame: cover it in exactly one frame.
      const double sum = std::fabs(slot.m_dVx) + std::fabs(slot.m_dVy);
      m_dBaseVx = sum != 0 ? slot.m_dVx * (range / n) / sum : 0;
      m_dBaseVy = sum != 0 ? slot.m_dVy * (range / n) / sum : 0;
      m_nRangeSteps = TruncToInt(n);
    }
  }

  m_nStepCount = 0;
  m_nSwordFrame = 0;
  m_nTrigStep = 0;
  m_nEndStep = 0;
  m_bTrajDone = 0;

  m_pTarget = CheckedAt(firer.m_vTarget, block.m_nTrajSlot);
  m_pOwner = &firer;
  m_bRemovePending = 0;
  m_bAttackReport = block.m_bAttack;
  m_nAttackGroup = block.m_nAttackID;
  m_nImpactPower = block.m_nImpact;
  return true;
}

void cShot::RegisterLinks() {
  const std::int8_t kind = m_EdShot.m_nTrajectory;
  const bool bTargetKind = m_bFlying != 0 && (kind == SHOTTRAJ_AIM_TARGET || kind == SHOTTRAJ_HOME_TARGET);
  if (bTargetKind && m_pTarget != nullptr) {
    AppendLinkOnce(m_pTarget->m_vShotLinkedBy, this, 0);
  } else {
    m_pTarget = nullptr;
  }
  if (m_pOwner != nullptr) AppendLinkOnce(m_pOwner->m_vShotLinkedBy, this, kParentLinkSlot);
}

void cShot::CalcVelocity(double* pAx, double* pAy, double dx, double dy) const {
  if (dx == 0 && dy == 0) {
    *pAx = 0;
    *pAy = 0;
  } else if (dx == 0) {
    *pAx = 0;
    *pAy = dy > 0 ? PerSecToPerStep(m_dAccel) : -PerSecToPerStep(m_dAccel);
  } else if (dy == 0) {
    *pAy = 0;
    *pAx = dx > 0 ? PerSecToPerStep(m_dAccel) : -PerSecToPerStep(m_dAccel);
  } else {
    const double d = std::sqrt(dx * dx + dy * dy);
    *pAx = PerSecToPerStep(dx / d * m_dAccel);
    *pAy = PerSecToPerStep(dy / d * m_dAccel);
  }
}

std::int32_t cShot::ClampX() {
  const cScroll& axis = ObjScrollX();
  // Objects as wide as the margin or wider are never held at the world's edges.
  const std::int32_t margin = axis.m_nMargin * 32;
  const double far = axis.m_nFarLimit;
  std::int32_t code = 0;
  if (m_dX < 0) {
    if (m_nBoxW < margin) {
      m_dX = 0;
      code = 3;
    }
  } else if (m_dX + m_nBoxW - 1 >= far && m_nBoxW < margin) {
    m_dX = far - m_nBoxW;
    code = 3;
  }
  FinishClampX();
  return code;
}

void cShot::StepX() {
  if (m_dCmdVx != 0) m_dVx += m_dCmdVx;
  if (m_dVx == 0) return;
  const double limit = g_StageData.m_dSpeedLimitStep;
  if (m_dVx > limit) m_dVx = limit;
  if (m_dVx < -limit) m_dVx = -limit;
  m_dX += m_dVx;
  ClampX();
}

void cShot::StepY() {
  if (m_dCmdVy != 0) m_dVy += m_dCmdVy;
  if (m_dVy == 0) return;
  MoveY(2);
  cGameObj::ClampY(2);
}

std::int32_t cShot::Update() {
  if (m_bFlying == 0) return UpdateSword();
  const cScroll& ax = ObjScrollX();
  const cScroll& ay = ObjScrollY();
  const bool bFlyingNow = m_bNoGravity != 0;

  // The speeds are rebuilt every sub-step; a falling shot keeps its vertical speed, in
  // which gravity accumulates.
  if (g_SystemData.m_bRuleScrollSync == 0 && m_bScrollSync != 0) {
    m_dVx = ax.m_bAtLimit != 0 ? 0 : ax.m_dSpeed;
    if (bFlyingNow) m_dVy = ay.m_bAtLimit != 0 ? 0 : ay.m_dSpeed;
  } else {
    m_dVx = 0;
    if (bFlyingNow) m_dVy = 0;
  }

  RunShotTrajectory(*this);

  const bool bFlyingAfter = m_bNoGravity != 0;
  if (m_bAccelOn != 0) {
    m_dBaseVx += m_dCmdVx;
    if (bFlyingAfter) {
      m_dBaseVy += m_dCmdVy;
    } else {
      m_dVy += m_dCmdVy;
    }
  }
  m_dVx += m_dBaseVx;
  if (bFlyingAfter) m_dVy += m_dBaseVy;

  if (m_EdShot.m_bLifeLimit != 0) {
    if (m_nLifeSteps <= 0) return 1;
    --m_nLifeSteps;
  }
  if (m_dVx != 0) m_nFacing = m_dVx >= 0 ? 1 : 0;

  if (m_EdShot.m_bRangeLimit != 0) {
    if (m_nRangeSteps > 0) {
      --m_nRangeSteps;
    } else {
      if (m_EdShot.m_bStopAtRange == 0) return 1;
      // Stopped for good: it stays where its range ended, riding the auto-scroll when
      // it is synchronised with it.
      m_dBaseVx = m_dBaseVy = 0;
      m_EdShot.m_nTrajectory = SHOTTRAJ_STRAIGHT;
      if (m_bScrollSync != 0) {
        if (ax.m_bAtLimit == 0) m_dVx = ax.m_dSpeed;
        if (bFlyingAfter && ay.m_bAtLimit == 0) m_dVy = ay.m_dSpeed;
      } else {
        m_dVx = 0;
        m_dVy = 0;
      }
    }
  }
  return 0;
}

const cSwordFrame* cShot::CurrentSwordFrame() const {
  if (m_bFlying != 0) return nullptr;
  const cSwordTypeData& type = CheckedAt(g_Database.m_SwordType, m_EdShot.m_nTrajectory);
  if (type.m_vFrame.empty()) return nullptr;
  return &CheckedAt(type.m_vFrame, m_nSwordFrame);
}

std::int32_t cShot::UpdateSword() {
  cCharaBase* wielder = FindObjectById(m_nWielderId);
  if (wielder == nullptr) return 1;
  wielder->UpdateScreenRect();
  m_nFacing = wielder->m_nFacing;

  const cSwordTypeData& type = CheckedAt(g_Database.m_SwordType, m_EdShot.m_nTrajectory);
  if (type.m_vFrame.empty()) return 1;
  const cSwordFrame& frame = CheckedAt(type.m_vFrame, m_nSwordFrame);
  const std::int32_t factor = m_EdShot.m_nScale;

  if (m_nStepCount == 0) {
    m_nBaseCellW = m_nBaseBoxW = m_HitArea.m_nBaseW = frame.m_nWidth;
    m_nBaseCellH = m_nBaseBoxH = m_HitArea.m_nBaseH = frame.m_nHeight;
    m_nCellW = m_nBoxW = m_HitArea.m_nW = ScaledSize(frame.m_nWidth, factor);
    m_nCellH = m_nBoxH = m_HitArea.m_nH = ScaledSize(frame.m_nHeight, factor);
  }

  // Screen positions are ints; they are summed as doubles, which gives the same values
  // and cannot overflow.
  const double L = wielder->m_rcScreen.left;
  const double T = wielder->m_rcScreen.top;
  const double R = wielder->m_rcScreen.right;
  const double B = wielder->m_rcScreen.bottom;
  const double halfCw = wielder->m_nCellW >> 1;
  const double halfCh = wielder->m_nCellH >> 1;
  const double sx = ObjScrollX().m_dPos;
  const double sy = ObjScrollY().m_dPos;
  const double w = m_nCellW;
  const double h = m_nCellH;
  const bool bRight = wielder->m_nFacing != 0;
  switch (frame.m_nSide) {
    case 0:
      m_dX = bRight ? R + sx + 1 : L + sx - w;
      m_dY = T + halfCh + sy - static_cast<double>(m_nCellH >> 1);
      break;
    case 1:
      m_nFacing = bRight ? 0 : 1;
      m_dX = bRight ? L + sx - w : R + sx + 1;
      m_dY = T + halfCh + sy - static_cast<double>(m_nCellH >> 1);
      break;
    case 2:
      m_dX = L + halfCw + sx - static_cast<double>(m_nCellW >> 1);
      m_dY = T + sy - h;
      break;
    case 3:
      m_dX = L + halfCw + sx - static_cast<double>(m_nCellW >> 1);
      m_dY = B + sy + 1;
      break;
    default:
      break;
  }

  const double dx = static_cast<double>(frame.m_nOffsetX) * factor;
  const double dy = static_cast<double>(frame.m_nOffsetY) * factor;
  if (!bRight) {
    m_dX += dx;
    m_dY += dy;
  } else {
    m_dX += frame.m_bMirrorX != 0 ? -dx : dx;
    m_dY += frame.m_bMirrorY != 0 ? -dy : dy;
  }
  ClampX();
  cGameObj::ClampY(2);

  ++m_nStepCount;
  if (m_nStepCount > TenthsToSteps(frame.m_nTime)) {
    m_nStepCount = 0;
    ++m_nSwordFrame;
    if (m_nSwordFrame >= static_cast<std::int32_t>(type.m_vFrame.size())) return 1;
  }
  return 0;
}

bool cShot::HitsSolidBlock() const {
  if (m_EdShot.m_bPassBlocks != 0) return false;
  const std::int32_t layer = m_nLayer;
  if (m_nBoxW <= 32) {
    return BlockHitAt(m_nCellL, m_nCellT, layer) != 0 || BlockHitAt(m_nCellL, m_nCellB, layer) != 0 ||
           BlockHitAt(m_nCellR, m_nCellT, layer) != 0 || BlockHitAt(m_nCellR, m_nCellB, layer) != 0;
  }
  // Wider boxes are sampled every 32 dots and at their last column and row. Samples
  // outside the world read empty, so the walk starts at the first one that may lie
  // inside and stops past the world's far edge: the answer is the same, and a box of any
  // size from game data costs no more than the world it covers.
  const std::int64_t x = TruncToInt(m_dX);
  const std::int64_t y = TruncToInt(m_dY);
  const std::int64_t w = m_nBoxW;
  const std::int64_t h = m_nBoxH;
  // The grid's rows are the stride wide (1 << shift cells); columns past them and rows
  // past the world are outside the grid.
  const std::int32_t shift = ObjScrollX().m_nShift;
  const std::int64_t worldW = shift >= 0 && shift <= 30 ? (std::int64_t{1} << shift) * 32 : 0;
  const std::int64_t worldH = static_cast<std::int64_t>(ObjScrollY().m_nCells) * 32;
  for (std::int64_t dy = FirstSampleInside(y);; dy += 32) {
    if (dy > h - 1) dy = h - 1;
    if (y + dy >= worldH) break;
    const auto row = static_cast<std::int32_t>((y + dy) >> 5);
    for (std::int64_t dx = FirstSampleInside(x);; dx += 32) {
      if (dx > w - 1) dx = w - 1;
      if (x + dx >= worldW) break;
      if (BlockHitAt(static_cast<std::int32_t>((x + dx) >> 5), row, layer) != 0) return true;
      if (dx >= w - 1) break;
    }
    if (dy >= h - 1) break;
  }
  return false;
}

void cShot::Draw(DDSURFACEDATA* pSurface, bool bPaused) {
  if (m_EdShot.m_bHidden != 0) return;
  const std::int32_t facing = m_nFacing != 0 ? 1 : 0;
  const bool bStretch = m_EdShot.m_nScale > 1;
  // DirectDraw stretches from video memory only when the setting allows it.
  const bool bVideoStretch = lpDDCon != nullptr && g_SystemIni.m_nDDVideoStretch != 0;
  if (m_bFlying == 0) {
    const cSwordFrame* frame = CurrentSwordFrame();
    cSceneGame* scene = GameScene();
    if (frame == nullptr || scene == nullptr) return;
    std::int64_t index = static_cast<std::int64_t>(m_EdShot.m_nTrajectory) * kSwordSurfacesPerType + facing;
    if (bStretch && !bVideoStretch) index += 2;
    // A sword type whose pictures were not loaded draws nothing.
    if (index < 0 || index >= static_cast<std::int64_t>(scene->m_vSwordSurface.size())) return;
    DDSURFACEDATA* src = &scene->m_vSwordSurface[static_cast<std::size_t>(index)];
    if (!bStretch) {
      DDBlt(pSurface, m_rcScreen.left, m_rcScreen.top, m_nCellW, m_nCellH, src, frame->m_nSrcX, frame->m_nSrcY,
            DDBLTFAST_SRCCOLORKEY);
    } else {
      DDStretchBlt(pSurface, m_rcScreen.left, m_rcScreen.top, m_nCellW, m_nCellH, src, frame->m_nSrcX,
                   frame->m_nSrcY, m_nBaseCellW, m_nBaseCellH, DDBLTFAST_SRCCOLORKEY);
    }
    return;
  }
  const std::int32_t pattern = bPaused ? m_Anime.GetPattern() : m_Anime.Update();
  const std::int32_t srcX = (pattern + (m_nGraphic / kGraphicsPerColumnPair) * 2) * kShotCell;
  const std::int32_t srcY = (m_nGraphic % kGraphicsPerColumnPair) * kShotCell;
  if (!bStretch) {
    DDSURFACEDATA* src = &g_FixedSurface[ShotSurfaceRow(kShotImageRow + facing, 0)];
    DDBlt(pSurface, m_rcScreen.left, m_rcScreen.top, kShotCell, kShotCell, src, srcX, srcY, DDBLTFAST_SRCCOLORKEY);
  } else {
    DDSURFACEDATA* src = &g_FixedSurface[ShotSurfaceRow(kShotImageRow + facing, bVideoStretch ? 0 : 1)];
    DDStretchBlt(pSurface, m_rcScreen.left, m_rcScreen.top, m_nCellW, m_nCellH, src, srcX, srcY, m_nBaseCellW,
                 m_nBaseCellH, DDBLTFAST_SRCCOLORKEY);
  }
}

cShot& AddShot(std::list<cShot>& list, const cShot& shot) {
  cShot& added = list.emplace_back(shot);
  cSceneGame* scene = GameScene();
  if (scene == nullptr || &list != &scene->m_lstShot) return added;
  std::vector<std::list<cShot*>>& groups = scene->m_vGroupShotList;
  if (added.m_nLayer >= 0 && static_cast<std::size_t>(added.m_nLayer) < groups.size()) {
    groups[static_cast<std::size_t>(added.m_nLayer)].push_back(&added);
  } else {
    // Reported like any guarded access (the program closes), but the pointer goes into
    // no group: erasing looks for it only in its own layer's list, so a pointer filed
    // elsewhere would outlive the shot.
    ReportCheckedAccessFailure('V', added.m_nLayer, groups.size(), sizeof(std::list<cShot*>));
  }
  return added;
}
