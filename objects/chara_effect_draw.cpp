// The character-effect draw handlers: see chara_effect_draw.h. A sprite that needs scaling
// is first drawn into a work surface and the effect reads it from there; an unscaled one is
// read from its cell, tinted around the call when the character has a colour blend.
// Parameters from data that would divide by zero or give bands of no size draw the sprite
// plainly instead.
#include "objects/chara_effect_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_pixel_effects.h"
#include "media/draw/dd_surface.h"
#include "objects/chara_base.h"
#include "objects/part_graphic.h"
#include "objects/trunc.h"

namespace {

constexpr DWORD kCharaEffectDrawColorKey = 1;
constexpr std::int32_t kFullCircle = 360;
constexpr double kSqrt2 = 1.4142135623730951;
constexpr int kBlurColour = 31;
constexpr std::int32_t kMaxSpread = 1 << 16;  // dots: far beyond any screen

DDSURFACEDATA* WorkA() { return CharaWorkA(); }
DDSURFACEDATA* WorkB() { return CharaWorkB(); }
DDSURFACEDATA* Blank640(int n) { return &g_FixedSurface[kBlank640Row + n]; }
DDSURFACEDATA* Blank1024() { return &g_FixedSurface[kBlank1024Row]; }
bool VirtualBackBufferOn() { return lpDTCon != nullptr && lpDTCon->bVirtual != 0; }

// The character's colour blend on the following textured blits, reset when it goes.
class cBlendScope {
 public:
  explicit cBlendScope(const cPartGraphic& part) : m_bOn(part.m_bBlend != 0) {
    if (!m_bOn) return;
    DDSetDiffuse(part.m_Blend.dwDiffuse);
    DDSetColorOp(part.m_Blend.nColorOp);
  }
  ~cBlendScope() {
    if (!m_bOn) return;
    DDResetDiffuse();
    DDResetColorOp();
  }
  cBlendScope(const cBlendScope&) = delete;
  cBlendScope& operator=(const cBlendScope&) = delete;

 private:
  bool m_bOn;
};

// What one handler works with.
struct cFxFrame {
  cCharaBase& chara;
  DDSURFACEDATA* dst;
  cPartGraphic& part;
  std::int32_t left;
  std::int32_t top;
  std::int32_t w;
  std::int32_t h;
  std::int32_t s;       // giant factor
  bool scaled;
  double v;             // the effect's value
};

cFxFrame MakeFrame(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part) {
  return cFxFrame{chara,
                  dst,
                  part,
                  chara.m_rcScreen.left,
                  chara.m_rcScreen.top,
                  chara.m_nCellW,
                  chara.m_nCellH,
                  std::max<std::int32_t>(chara.m_Def.m_nSize, 1),
                  CharaSpriteScaled(chara, part),
                  chara.m_CharaEffect.m_dValue};
}

// Where an effect reads the sprite: its cell (of the facing's source or companion) or, when
// scaled, a work surface it is drawn into first.
struct cFxSource {
  DDSURFACEDATA* surface;
  std::int32_t x;
  std::int32_t y;
};

cFxSource SpriteSource(const cFxFrame& f, bool bCompanion, DDSURFACEDATA* pWork) {
  if (f.scaled) {
    f.chara.DrawSpriteTo(pWork, f.part);
    return {pWork, 0, 0};
  }
  return {bCompanion ? f.part.m_pCompanion[0] : f.part.m_pSrc[0], f.part.m_nCellX, f.part.m_nCellY};
}

std::int32_t Amount(const cFxFrame& f) { return f.scaled ? TruncToInt(f.s * f.v) : TruncToInt(f.v); }
std::int32_t CentreX(const cFxFrame& f) { return f.left + f.w / 2; }
std::int32_t CentreY(const cFxFrame& f) { return f.top + f.h / 2; }

std::int32_t Finish(cCharaBase& chara, std::int32_t bPaused) {
  return bPaused != 0 ? 0 : chara.m_CharaEffect.Step();
}

// The sprite as it is: stretched from the drawing surface when scaled, else straight from
// the facing's video-memory surface.
void DrawPlain(const cFxFrame& f) {
  const cPartGraphic& part = f.part;
  if (f.dst == nullptr || !part.HasPicture()) return;
  const DDBLEND* blend = part.m_bBlend != 0 ? &part.m_Blend : nullptr;
  if (f.scaled) {
    DDStretchBltEx(f.dst, f.left, f.top, f.w, f.h, part.m_pDraw[0], part.m_nCellX, part.m_nCellY,
                   part.m_nCellSize * f.chara.m_nBaseCellW, part.m_nCellSize * f.chara.m_nBaseCellH, kCharaEffectDrawColorKey, blend);
  } else if (blend != nullptr) {
    DDBltEx(f.dst, f.left, f.top, f.w, f.h, part.m_pSrc[0], part.m_nCellX, part.m_nCellY, kCharaEffectDrawColorKey, blend);
  } else {
    DDBlt(f.dst, f.left, f.top, f.w, f.h, part.m_pSrc[0], part.m_nCellX, part.m_nCellY, kCharaEffectDrawColorKey);
  }
}

bool CanDraw(const cFxFrame& f, std::int32_t bDraw) { return bDraw != 0 && f.dst != nullptr && f.part.HasPicture(); }

// Blinks and the translucent effect: the counter reaching the interval flips the toggle.
void CountBlink(cCharaEffect& effect, std::int32_t bPaused) {
  if (effect.m_nPhase >= effect.Param(1)) {
    effect.m_nPhase = 0;
    effect.m_bToggle = effect.m_bToggle != 0 ? 0 : 1;
  }
  if (bPaused == 0 && effect.m_nPhase < INT32_MAX) ++effect.m_nPhase;
}

std::int32_t FxNone(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t, std::int32_t bDraw) {
  if (bDraw != 0) DrawPlain(MakeFrame(chara, dst, part));
  return 0;
}

std::int32_t FxBurst(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                     std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    const cFxSource src = SpriteSource(f, false, WorkA());
    const cBlendScope blend(f.scaled ? cPartGraphic() : part);
    DDQuarterSplitBlt(dst, f.left, f.top, f.w, f.h, src.surface, src.x, src.y, Amount(f), kCharaEffectDrawColorKey);
  }
  return Finish(chara, bPaused);
}

std::int32_t FxSplit(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                     std::int32_t bDraw, int bColumns) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  const std::int32_t count = chara.m_CharaEffect.Param(3);
  if (CanDraw(f, bDraw)) {
    if (count <= 0) {
      DrawPlain(f);
    } else {
      const std::int32_t size = bColumns != 0 ? f.w : f.h;
      const std::int32_t band = static_cast<std::int32_t>((static_cast<std::int64_t>(size) + count - 1) / count);
      const cFxSource src = SpriteSource(f, false, WorkA());
      const cBlendScope blend(f.scaled ? cPartGraphic() : part);
      DDInterlaceBlt(dst, f.left, f.top, f.w, f.h, band, Amount(f), src.surface, src.x, src.y, kCharaEffectDrawColorKey, bColumns);
    }
  }
  return Finish(chara, bPaused);
}
std::int32_t FxSplitX(cCharaBase& c, DDSURFACEDATA* d, cPartGraphic& p, std::int32_t bP, std::int32_t bD) {
  return FxSplit(c, d, p, bP, bD, 0);
}
std::int32_t FxSplitY(cCharaBase& c, DDSURFACEDATA* d, cPartGraphic& p, std::int32_t bP, std::int32_t bD) {
  return FxSplit(c, d, p, bP, bD, 1);
}

std::int32_t FxWave(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                    std::int32_t bDraw, int bColumns) {
  cCharaEffect& effect = chara.m_CharaEffect;
  const cFxFrame f = MakeFrame(chara, dst, part);
  const std::int32_t band = effect.Param(4);
  if (CanDraw(f, bDraw)) {
    if (band <= 0) {
      DrawPlain(f);
    } else {
      const cFxSource src = SpriteSource(f, false, WorkA());
      const cBlendScope blend(f.scaled ? cPartGraphic() : part);
      // The wave always lands on the frame itself, whatever the caller's destination.
      const double amplitude = f.scaled ? f.s * f.v : f.v;
      const std::int64_t thickness = f.scaled ? static_cast<std::int64_t>(f.s) * band : band;
      DDWaveBlt(&g_BackBuffer, f.left, f.top, f.w, f.h, effect.Param(3), amplitude, effect.m_nPhase,
                static_cast<int>(std::min<std::int64_t>(thickness, INT32_MAX)), src.surface, src.x, src.y, kCharaEffectDrawColorKey,
                bColumns);
    }
  }
  if (bPaused == 0 && ++effect.m_nPhase >= kFullCircle) effect.m_nPhase = 0;
  return Finish(chara, bPaused);
}
std::int32_t FxWaveX(cCharaBase& c, DDSURFACEDATA* d, cPartGraphic& p, std::int32_t bP, std::int32_t bD) {
  return FxWave(c, d, p, bP, bD, 0);
}
std::int32_t FxWaveY(cCharaBase& c, DDSURFACEDATA* d, cPartGraphic& p, std::int32_t bP, std::int32_t bD) {
  return FxWave(c, d, p, bP, bD, 1);
}

std::int32_t FxBlink(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                     std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (chara.m_CharaEffect.m_bToggle != 0 && CanDraw(f, bDraw)) DrawPlain(f);
  CountBlink(chara.m_CharaEffect, bPaused);
  return Finish(chara, bPaused);
}

// Rotation onto the frame around the sprite's centre; a scaled sprite is drawn into a blank
// work surface first.
void DrawRotatedB(const cFxFrame& f) {
  const cFxSource src = SpriteSource(f, true, Blank640(g_bDirect3D != 0 ? 0 : 1));
  const cBlendScope blend(f.scaled ? cPartGraphic() : f.part);
  DDRotateBlt(f.dst, CentreX(f), CentreY(f), f.w, f.h, f.w / 2, f.h / 2, TruncToInt(f.v), src.surface, src.x, src.y,
              kCharaEffectDrawColorKey);
}

std::int32_t FxRotateA(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                       std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    if (g_bDirect3D != 0) {
      DrawRotatedB(f);
    } else if (f.scaled) {
      // The cell is turned at its own size in a square that holds every angle, and that
      // square is stretched to the character's size.
      const std::int32_t cellW = part.m_nCellSize * chara.m_nBaseCellW;
      const std::int32_t cellH = part.m_nCellSize * chara.m_nBaseCellH;
      const std::int32_t side = TruncToInt(cellW * kSqrt2);
      const std::int32_t shown = TruncToInt(kSqrt2 * f.w);
      DDSURFACEDATA* work = WorkA();
      DDFillRect(work, 0, 0, side, side, 0);
      DDRotateBlt(work, side / 2, side / 2, cellW, cellH, cellW / 2, cellH / 2, TruncToInt(f.v), part.m_pDraw[0],
                  part.m_nCellX, part.m_nCellY, kCharaEffectDrawColorKey);
      DDStretchBlt(dst, CentreX(f) - shown / 2, CentreY(f) - shown / 2, shown, shown, work, 0, 0, side, side,
                   kCharaEffectDrawColorKey);
    } else {
      const cBlendScope blend(part);
      DDRotateBlt(dst, CentreX(f), CentreY(f), f.w, f.h, f.w / 2, f.h / 2, TruncToInt(f.v), part.m_pCompanion[0],
                  part.m_nCellX, part.m_nCellY, kCharaEffectDrawColorKey);
    }
  }
  return Finish(chara, bPaused);
}

std::int32_t FxRotateB(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                       std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) DrawRotatedB(f);
  return Finish(chara, bPaused);
}

std::int32_t FxRotateDepth(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                           std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    // The image of this facing turns into that of the other facing.
    DDFlipTransBlt(dst, f.left, f.top, f.w, f.h, part.m_pDraw[0], part.m_nCellX, part.m_nCellY, part.m_pDraw[1],
                   part.m_nCellX, part.m_nCellY, part.m_nCellSize * chara.m_nBaseCellW,
                   part.m_nCellSize * chara.m_nBaseCellH, kCharaEffectDrawColorKey, TruncToInt(f.v), 0);
  }
  return Finish(chara, bPaused);
}

std::int32_t FxCircle(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                      std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  const std::int32_t step = chara.m_CharaEffect.Param(3);
  if (CanDraw(f, bDraw)) {
    if (step <= 0) {
      DrawPlain(f);
    } else if (g_bDirect3D == 0 && !f.scaled) {
      const cBlendScope blend(part);
      DDCircleBlt(dst, CentreX(f), CentreY(f), f.w / 2, f.h / 2, TruncToInt(f.v), step, part.m_pSrc[0],
                  part.m_nCellX + f.w / 2, part.m_nCellY + f.h / 2, kCharaEffectDrawColorKey);
    } else {
      DDSURFACEDATA* work = WorkA();
      chara.DrawSpriteTo(work, part);
      const std::int64_t band = static_cast<std::int64_t>(f.s) * step;
      DDCircleBlt(dst, CentreX(f), CentreY(f), f.w / 2, f.h / 2, TruncToInt(f.s * f.v),
                  static_cast<int>(std::min<std::int64_t>(band, INT32_MAX)), work, f.w / 2, f.h / 2, kCharaEffectDrawColorKey);
    }
  }
  return Finish(chara, bPaused);
}

std::int32_t FxZoom(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                    std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    // Widths from data are held where the sprite still fits the coordinate range.
    const std::int32_t grow = f.scaled ? TruncToInt((f.v - 32) * f.s) >> 1 : TruncToInt(f.v - 32);
    const std::int32_t e = std::clamp(grow, -kMaxSpread, kMaxSpread);
    const cFxSource src = SpriteSource(f, true, WorkA());
    const cBlendScope blend(f.scaled ? cPartGraphic() : part);
    DDStretchBlt(dst, f.left - (e >> 1), f.top - (e >> 1), f.w + e, f.h + e, src.surface, src.x, src.y, f.w, f.h,
                 kCharaEffectDrawColorKey);
  }
  return Finish(chara, bPaused);
}

std::int32_t FxLens(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                    std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    // An offset beyond the spread puts the lens off every screen: held there, so that the
    // radius and the cleared square stay within int.
    const std::int64_t cx =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(f.s) * chara.m_CharaEffect.Param(3), -kMaxSpread, kMaxSpread);
    const std::int64_t cy =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(f.s) * chara.m_CharaEffect.Param(4), -kMaxSpread, kMaxSpread);
    const std::int32_t g = TruncToInt(kSqrt2 * static_cast<double>(std::max(std::llabs(cx), std::llabs(cy)) + f.w / 2));
    const std::int32_t distance = f.scaled ? TruncToInt(f.v) * f.s : TruncToInt(f.v);
    DDSURFACEDATA* work = WorkB();
    const std::int32_t clear = (g_bDirect3D == 0 && g_nBpp != 16) ? 2 * g : 4 * g;
    DDFillRect(work, 0, 0, clear, clear, 0);
    chara.DrawSpriteTo(work, part);
    const std::int32_t scx = f.w / 2 + static_cast<std::int32_t>(cx);
    const std::int32_t scy = f.h / 2 + static_cast<std::int32_t>(cy);
    const std::int32_t dcx = CentreX(f) + (scx - f.w / 2);
    const std::int32_t dcy = CentreY(f) + (scy - f.h / 2);
    if (g_bDirect3D != 0 && (part.m_bBlend != 0 || VirtualBackBufferOn())) {
      // A tinted or redirected frame takes the lens as a finished picture.
      DDSURFACEDATA* lens = Blank1024();
      DDFillRect(lens, 0, 0, 2 * g, 2 * g, 0);
      DDRadialBlt(lens, g, g, g, distance, work, scx, scy, kCharaEffectDrawColorKey, 0);
      DDBltEx(dst, dcx - g, dcy - g, 2 * g, 2 * g, lens, 0, 0, kCharaEffectDrawColorKey, part.m_bBlend != 0 ? &part.m_Blend : nullptr);
    } else {
      DDRadialBlt(dst, dcx, dcy, g, distance, work, scx, scy, kCharaEffectDrawColorKey, 0);
    }
  }
  return Finish(chara, bPaused);
}

std::int32_t FxColor(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                     std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  const std::int32_t colour = chara.m_CharaEffect.Param(3);
  if (CanDraw(f, bDraw)) {
    if (colour < 0 || colour > 255) {
      // Not a palette number: the tint would be refused (and logged) every frame.
      DrawPlain(f);
    } else {
      cFxSource src{part.m_pCompanion[0], part.m_nCellX, part.m_nCellY};
      if (f.scaled || part.m_bBlend != 0) {
        chara.DrawSpriteTo(Blank640(1), part);
        src = {Blank640(1), 0, 0};
      }
      DDAlphaBlt(dst, f.left, f.top, f.w, f.h, src.surface, src.x, src.y, kCharaEffectDrawColorKey, g_DispPalette, g_BlendTable,
                 colour, TruncToInt(f.v));
    }
  }
  return Finish(chara, bPaused);
}

std::int32_t FxTranslucent(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                           std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (chara.m_CharaEffect.m_bToggle == 0 && CanDraw(f, bDraw)) {
    cFxSource src{part.m_pCompanion[0], part.m_nCellX, part.m_nCellY};
    if (f.scaled || (g_bDirect3D != 0 && part.m_bBlend != 0)) {
      chara.DrawSpriteTo(Blank640(1), part);
      src = {Blank640(1), 0, 0};
    }
    DDHalfBlt(dst, f.left, f.top, f.w, f.h, src.surface, src.x, src.y, kCharaEffectDrawColorKey, g_BlendTable);
  }
  CountBlink(chara.m_CharaEffect, bPaused);
  return Finish(chara, bPaused);
}

// Mosaic and blur share their sources: under DirectDraw the cell (or work surface B when
// scaled); under Direct3D work surface B, through the large blank surface when the result
// must be tinted or the frame is redirected.
template <typename Apply>
void DrawThroughWorkB(const cFxFrame& f, Apply apply) {
  cPartGraphic& part = f.part;
  if (g_bDirect3D == 0) {
    const cFxSource src = SpriteSource(f, true, WorkB());
    apply(f.dst, f.left, f.top, src);
    return;
  }
  DDSURFACEDATA* work = WorkB();
  f.chara.DrawSpriteTo(work, part);
  if (part.m_bBlend != 0 || VirtualBackBufferOn()) {
    DDSURFACEDATA* large = Blank1024();
    DDFillRect(large, 0, 0, 2 * f.w, 2 * f.h, 0);
    apply(large, 0, 0, cFxSource{work, 0, 0});
    if (part.m_bBlend != 0) {
      DDBltEx(f.dst, f.left, f.top, f.w, f.h, large, 0, 0, kCharaEffectDrawColorKey, &part.m_Blend);
    } else {
      DDBlt(f.dst, f.left, f.top, f.w, f.h, large, 0, 0, kCharaEffectDrawColorKey);
    }
    return;
  }
  apply(f.dst, f.left, f.top, cFxSource{work, 0, 0});
}

std::int32_t FxMosaic(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                      std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    const std::int32_t block = TruncToInt(f.v);
    if (block < 1) {
      DrawPlain(f);
    } else {
      DrawThroughWorkB(f, [&](DDSURFACEDATA* to, std::int32_t x, std::int32_t y, const cFxSource& src) {
        DDMosaic(to, x, y, f.w, f.h, block, src.surface, src.x, src.y, kCharaEffectDrawColorKey);
      });
    }
  }
  return Finish(chara, bPaused);
}

std::int32_t FxBlur(cCharaBase& chara, DDSURFACEDATA* dst, cPartGraphic& part, std::int32_t bPaused,
                    std::int32_t bDraw) {
  const cFxFrame f = MakeFrame(chara, dst, part);
  if (CanDraw(f, bDraw)) {
    const std::int32_t level = TruncToInt(f.v);
    if (g_nBpp == 8) {
      DDAlphaBlt(dst, f.left, f.top, f.w, f.h, part.m_pCompanion[0], part.m_nCellX, part.m_nCellY, kCharaEffectDrawColorKey,
                 g_DispPalette, g_BlendTable, kBlurColour, level);
    } else if (level < 1) {
      DrawPlain(f);
    } else {
      DrawThroughWorkB(f, [&](DDSURFACEDATA* to, std::int32_t x, std::int32_t y, const cFxSource& src) {
        DDBlur(to, x, y, f.w, f.h, level, level, src.surface, src.x, src.y, kCharaEffectDrawColorKey);
      });
    }
  }
  return Finish(chara, bPaused);
}

}  // namespace

const CharaEffectDrawHandler g_CharaEffectDrawTable[kCharaEffectKindCount] = {
    FxNone,    FxBurst,     FxSplitX,  FxSplitY,      FxWaveX, FxWaveY,  FxBlink,         FxRotateA, FxRotateB,
    FxRotateDepth, FxCircle, FxZoom,   FxLens,        FxColor, FxTranslucent, FxMosaic,   FxBlur,
};

bool CharaSpriteScaled(const cCharaBase& chara, const cPartGraphic& part) {
  const std::int32_t s = chara.m_Def.m_nSize;
  return part.m_bCustomCell != 0 ? s != part.m_nCellSize : s > 1;
}

std::int32_t DrawCharaEffectKind(std::int32_t nKind, cCharaBase& chara, DDSURFACEDATA* pDst, cPartGraphic& part,
                                 std::int32_t bPaused, std::int32_t bDraw) {
  if (nKind < 0 || nKind >= kCharaEffectKindCount) {
    if (bDraw != 0) DrawPlain(MakeFrame(chara, pDst, part));
    return 1;
  }
  return g_CharaEffectDrawTable[nKind](chara, pDst, part, bPaused, bDraw);
}
