// A character on the frame: its sprite through its character effect, its mark, its HP and
// SP gauges, and the defeat animation. The effect handlers are in chara_effect_draw.cpp.
#include <algorithm>
#include <cstdint>

#include "data/database/anime_set_data.h"
#include "data/database/database.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "objects/chara_base.h"
#include "objects/chara_effect_draw.h"
#include "objects/part_graphic.h"
#include "objects/trunc.h"

namespace {

constexpr DWORD kColorKey = 1;
constexpr std::int32_t kMarkCell = 32;
constexpr std::int32_t kMarksPerColumn = 15;
constexpr std::int32_t kDyingFrames = 60;  // a hero's defeat without an effect: 61 frames
constexpr std::int32_t kGaugeWidth = 50;
constexpr std::int32_t kGaugeHeight = 2;
constexpr std::int32_t kGaugeFadeFrames = 60;  // the changed part shows while more are left
constexpr std::int32_t kStatusItemHp = 2;
constexpr std::int32_t kStatusItemSp = 3;

// The running effect's kind, 0 when none runs.
std::int32_t RunningEffectKind(const cCharaEffect& effect) { return effect.m_nId != 0 ? effect.Kind() : 0; }

}  // namespace

std::int32_t cCharaBase::GetGraphicNumber(cPartGraphic& part) const {
  part.m_bBlend = 0;
  std::int32_t column = m_Def.m_nPattern;
  // The set is checked when it is chosen (SetAnimeSet); a character that never chose one
  // has no offsets.
  if (m_nAnimeSet < 0 || static_cast<std::size_t>(m_nAnimeSet) >= g_Database.m_AnimeSet.size()) return column;
  const cAnimeSetData& set = g_Database.m_AnimeSet[static_cast<std::size_t>(m_nAnimeSet)];
  // Offsets from data: summed in 64 bits and held to int, so a damaged entry cannot wrap.
  std::int64_t sum = column;
  if (m_Def.m_nFlying != 0) sum += set.m_nFlyingOffset;
  if (m_Def.m_bBlockChara != 0) sum += set.m_nSolidOffset;
  if (m_Def.m_nInvincible != 0) {
    sum += set.m_nInvincibleOffset;
    const std::int32_t colour = m_Def.m_nInvincibleColour;
    if (g_bDirect3D != 0 && g_SystemData.m_bPaletteSwap != 0 && colour > 0 &&
        colour < static_cast<std::int32_t>(std::size(g_ColorBlend))) {
      part.m_bBlend = 1;
      part.m_Blend = g_ColorBlend[colour];
    }
  }
  column = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
  return column;
}

void cCharaBase::BuildPartGraphic(cPartGraphic& part, std::int32_t nPattern) {
  const std::int32_t column = GetGraphicNumber(part);
  part.Set(PARTUSE_CHARA, m_Def.m_nGraphicKind, m_nGraphic, column, this, nPattern);
}

void cCharaBase::Draw(DDSURFACEDATA* pDst, std::int32_t bPaused) {
  const std::int32_t pattern = StepAnime(bPaused);
  if (m_bDrawTransparent != 0 || m_Def.m_bHidden != 0) {
    StepCharaEffect(bPaused);
    return;
  }
  UpdateScreenRect();
  if (m_bFixScreenX != 0) {
    m_rcScreen.left = m_nFixScreenX;
    m_rcScreen.right = m_rcScreen.left + m_nCellW - 1;
  }
  if (m_bFixScreenY != 0) {
    m_rcScreen.top = m_nFixScreenY;
    m_rcScreen.bottom = m_rcScreen.top + m_nCellH - 1;
  }
  cPartGraphic part;
  BuildPartGraphic(part, pattern);
  if (DrawCharaEffectKind(RunningEffectKind(m_CharaEffect), *this, pDst, part, bPaused, 1) != 0) {
    m_CharaEffect.m_nId = 0;
  }
  if (m_Def.m_nEmblemShow != 1 || pDst == nullptr) return;
  const std::int32_t n = m_Def.m_nEmblem;
  if (n < 0) return;
  const std::int32_t sx = n / kMarksPerColumn * kMarkCell;
  const std::int32_t sy = n % kMarksPerColumn * kMarkCell;
  if (m_Def.m_nSize <= 1) {
    DDBlt(pDst, m_rcScreen.left, m_rcScreen.top, kMarkCell, kMarkCell, &g_FixedSurface[kMarkSheetRow], sx, sy,
          kColorKey);
  } else {
    DDStretchBlt(pDst, m_rcScreen.left, m_rcScreen.top, m_nCellW, m_nCellH, ScaledMarkSheet(), sx, sy, m_nBaseCellW,
                 m_nBaseCellH, kColorKey);
  }
}

void cCharaBase::StepCharaEffect(std::int32_t bPaused) {
  cPartGraphic part;
  if (DrawCharaEffectKind(RunningEffectKind(m_CharaEffect), *this, nullptr, part, bPaused, 0) != 0) {
    m_CharaEffect.m_nId = 0;
  }
}

std::int32_t cCharaBase::DrawDying(DDSURFACEDATA* pDst, std::int32_t bPaused) {
  cPartGraphic part;
  BuildPartGraphic(part, 0);
  const std::int32_t kind = RunningEffectKind(m_CharaEffect);
  if (m_nKind != 0) {
    if (m_CharaEffect.m_nId == 0) return 1;
    if (DrawCharaEffectKind(kind, *this, pDst, part, bPaused, 1) == 0) return 0;
    m_CharaEffect.m_nId = 0;
    return 1;
  }
  if (m_CharaEffect.m_nId != 0) {
    if (DrawCharaEffectKind(kind, *this, pDst, part, bPaused, 1) != 0) m_CharaEffect.m_nId = 0;
    return 0;
  }
  if (bPaused != 0) return 0;
  if (m_nDyingFrame < INT32_MAX) ++m_nDyingFrame;
  return m_nDyingFrame > kDyingFrames ? 1 : 0;
}

void cCharaBase::DrawGauge(DDSURFACEDATA* pDst, cGaugeAnim& gauge, std::int32_t nWhich) {
  if (gauge.m_nFrames <= 0 || m_bDying != 0) return;
  const std::int32_t width = m_rcScreen.right - m_rcScreen.left + 1;
  const std::int32_t x = m_rcScreen.left + width / 2 - 25;
  const std::int32_t y = m_rcScreen.top - (nWhich == 0 ? 3 : 7);
  DDSURFACEDATA* sheet = &g_FixedSurface[kAccessorySheetRow];
  const std::int32_t sx = nWhich == 0 ? 0 : 64;
  // A tall sheet carries the gauge strips of their own; a short one shares the status
  // bar's rows.
  const bool tall = sheet->nHeight > 208;
  const std::int32_t rowBack = tall ? 208 : 128;
  const std::int32_t rowFill = tall ? 210 : 144;
  const std::int32_t rowWarn = tall ? 212 : 160;
  const std::int32_t rowLoss = tall ? 214 : 176;
  const std::int32_t rowGain = tall ? 216 : 192;
  const std::int32_t value = nWhich == 0 ? m_nHp : m_nSp;
  const std::int32_t maximum = nWhich == 0 ? m_Def.m_nMaxHp : m_Def.m_nMaxSp;
  const std::int32_t length = std::clamp(gauge.m_nLength, 0, kGaugeWidth);
  if (pDst != nullptr) {
    DDBlt(pDst, x, y, kGaugeWidth, kGaugeHeight, sheet, sx, rowBack, kColorKey);
    const bool warn = g_SystemData.IsStatusReached(nWhich == 0 ? kStatusItemHp : kStatusItemSp, value, maximum) != 0;
    DDBlt(pDst, x, y, length, kGaugeHeight, sheet, sx, warn ? rowWarn : rowFill, kColorKey);
    if (gauge.m_dSegment > 0) {
      const std::int32_t w = std::min(TruncToInt(gauge.m_dSegment), length);
      DDBlt(pDst, x + length - w, y, w, kGaugeHeight, sheet, sx + length - w, rowGain, kColorKey);
    } else if (gauge.m_dSegment < 0) {
      const std::int32_t w = std::min(TruncToInt(-gauge.m_dSegment), kGaugeWidth - length);
      DDBlt(pDst, x + length, y, w, kGaugeHeight, sheet, sx + length, rowLoss, kColorKey);
    }
  }
  --gauge.m_nFrames;
  if (gauge.m_nFrames < kGaugeFadeFrames) {
    gauge.m_dSegment = 0;
  } else {
    gauge.m_dSegment -= gauge.m_dShrink;
  }
}

void cCharaBase::DrawHpGauge(DDSURFACEDATA* pDst) { DrawGauge(pDst, m_HpGauge, 0); }
void cCharaBase::DrawSpGauge(DDSURFACEDATA* pDst) { DrawGauge(pDst, m_SpGauge, 1); }

void cCharaBase::DrawSpriteTo(DDSURFACEDATA* pWork, const cPartGraphic& part) const {
  if (pWork == nullptr || !part.HasPicture()) return;
  const DDBLEND* blend = part.m_bBlend != 0 ? &part.m_Blend : nullptr;
  if (CharaSpriteScaled(*this, part)) {
    DDStretchBltEx(pWork, 0, 0, m_nCellW, m_nCellH, part.m_pDraw[0], part.m_nCellX, part.m_nCellY,
                   part.m_nCellSize * m_nBaseCellW, part.m_nCellSize * m_nBaseCellH, 0, blend);
  } else if (blend != nullptr) {
    DDBltEx(pWork, 0, 0, m_nCellW, m_nCellH, part.m_pCompanion[0], part.m_nCellX, part.m_nCellY, 0, blend);
  } else {
    DDBlt(pWork, 0, 0, m_nCellW, m_nCellH, part.m_pCompanion[0], part.m_nCellX, part.m_nCellY, 0);
  }
}

void cCharaBase::DrawSpriteBlendTo(DDSURFACEDATA* pWork, const cPartGraphic& part) const {
  if (pWork == nullptr || !part.HasPicture()) return;
  DDBltEx(pWork, 0, 0, m_nCellW, m_nCellH, part.m_pCompanion[0], part.m_nCellX, part.m_nCellY, 0, &part.m_Blend);
}
