#include "media/draw/dd_pixel_effects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/pixel_effect_loops.h"
#include "media/draw/surface_lock.h"

namespace {

bool Missing(DDSURFACEDATA* lpSD) { return lpSD == nullptr || DDSurfacePixels(lpSD) == nullptr; }

// The locked picture as the loops see it: the surface's own size, inside the locked memory
// (a texture may be larger than the picture it holds).
cLockedPixels View(const cSurfaceLock& lock) {
  cLockedPixels v;
  v.pBits = lock.m_pBits;
  v.nPitch = lock.m_nPitch;
  const int w = lock.m_lpSD->nWidth, h = lock.m_lpSD->nHeight;
  v.nWidth = w > 0 ? std::min(w, lock.m_nWidth) : lock.m_nWidth;
  v.nHeight = h > 0 ? std::min(h, lock.m_nHeight) : lock.m_nHeight;
  v.format = lock.m_Format;
  return v;
}

enum class eSource { kShared, kSnapshot };

// The shared steps: lock the destination, then the source; run the loop of the depth;
// unlock the source, then the destination (the guards' order). A loop that reads pixels
// other than the one it writes gets a copy of the source when both are one picture, so
// that it never reads what it has already written.
template <class Fn>
bool RunLocked(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, eSource source, Fn&& loop) {
  cSurfaceLock dst, src;
  if (!DDLockPair(dst, lpDst, src, lpSrc)) return false;
  // No effect handles 24-bit pixels: locked and unlocked, nothing changed.
  if (g_nBpp == 24) return true;
  cEffectPixels px;
  px.dst = View(dst);
  px.src = View(src);
  px.bDirect3D = lpDTCon != nullptr;
  px.dwKey = g_dwTransmit;
  if (!EffectFormatsSupported(px)) return true;
  std::vector<std::uint8_t> copy;
  if (source == eSource::kSnapshot && px.src.pBits == px.dst.pBits) {
    copy.assign(px.src.pBits, px.src.pBits + static_cast<std::size_t>(px.src.nPitch) * px.src.nHeight);
    px.src.pBits = copy.data();
  }
  loop(px);
  return true;
}

// Direct3D: the pair is drawn as a quad when the destination is a render target and the
// source texture is not in system memory (after aliases and the virtual back buffer).
bool IsQuadPair(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  if (lpDTCon == nullptr || lpDevice == nullptr) return false;
  DDUseAlias(&lpDst);
  DDUseAlias(&lpSrc);
  DDRedirectBackBuffer(&lpDst);
  DDRedirectBackBuffer(&lpSrc);
  return lpDst->lpDT != nullptr && lpDst->lpDT->bRenderTarget && lpSrc->lpDT != nullptr &&
         lpSrc->lpDT->nMemType != DTMEMORYTYPE_SYSTEM && DDSurfacePixels(lpDst) != nullptr &&
         DDSurfacePixels(lpSrc) != nullptr;
}

// Runs draw() with the destination as the render target inside the scene, then gives the
// container's target back. False when the scene or the target cannot be set.
template <class Fn>
bool WithTarget(DDSURFACEDATA* lpDst, Fn&& draw) {
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return false;
  const HRESULT hr = draw();
  if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
  return hr == D3D_OK;
}

// The picture a quad reads: a copy when it is the target's own, which the quad would
// otherwise read after writing.
const cPixelBuffer& Texture(DDSURFACEDATA* lpSrc, DDSURFACEDATA* lpDst, cPixelBuffer& copy) {
  cPixelBuffer* tex = DDSurfacePixels(lpSrc);
  if (tex != DDSurfacePixels(lpDst)) return *tex;
  copy = *tex;
  return copy;
}

// The source rectangle as one quad with the stage state, drawn at once.
bool DrawStateQuad(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                   const cQuadState& state) {
  int sw = w, sh = h;
  DDAdjustMirror(lpSrc, &sx, &sy, &sw, &sh);
  DDUseAlias(&lpDst);
  DDUseAlias(&lpSrc);
  DDRedirectBackBuffer(&lpDst);
  DDRedirectBackBuffer(&lpSrc);
  if (!DDClip(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return true;
  cPixelBuffer copy;
  const cPixelBuffer& tex = Texture(lpSrc, lpDst, copy);
  return WithTarget(lpDst, [&] { return lpDevice->DrawQuad(tex, x, y, w, h, sx, sy, sw, sh, state); });
}

}  // namespace

bool DDMosaic(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrc, int sx,
              int sy, int bKey) {
  if (nBlock <= 0 || Missing(lpDst) || Missing(lpSrc)) return true;
  return RunLocked(lpDst, lpSrc, eSource::kShared, [&](const cEffectPixels& px) {
    MosaicPixels(px, x, y, nWidth, nHeight, nBlock, sx, sy, bKey != 0);
  });
}

bool DDBlur(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrc, int sx, int sy, int bKey) {
  if (nRadiusX <= 0 || nRadiusY <= 0 || Missing(lpDst) || Missing(lpSrc)) return true;
  return RunLocked(lpDst, lpSrc, eSource::kSnapshot, [&](const cEffectPixels& px) {
    if (px.src.format == ePixelFormat::kP8) {
      WriteECText("8ビットぼかしは不可能！");
      return;
    }
    BlurPixels(px, x, y, nWidth, nHeight, nRadiusX, nRadiusY, sx, sy, bKey != 0);
  });
}

bool DDAlphaBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                int bKey, const PALETTEENTRY* lpPalette, const BYTE* lpBlendTable, int nColor, int nLevel) {
  if (nColor < 0 || nColor > 255) {
    // A colour number past the palette would read past the palette and the blend table.
    WriteECf("DDAlphaBlt Err nColor = %d", nColor);
    return true;
  }
  if (lpPalette == nullptr || Missing(lpDst) || Missing(lpSrc)) return true;
  const PALETTEENTRY& e = lpPalette[nColor];
  const std::uint32_t tint = (static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
  if (nLevel > 0 && IsQuadPair(lpDst, lpSrc)) {
    static constexpr std::uint32_t kShare[5] = {0, 128, 80, 48, 16};
    const std::uint32_t share = nLevel <= 4 ? kShare[nLevel] : 0;
    cQuadState state;
    state.nColorOp = D3DTOP_BLENDFACTORALPHA;
    state.nAlphaOp = D3DTOP_SELECTARG1;
    state.dwTextureFactor = (share << 24) | tint;
    return DrawStateQuad(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, state);
  }
  return RunLocked(lpDst, lpSrc, eSource::kShared, [&](const cEffectPixels& px) {
    TintPixels(px, x, y, nWidth, nHeight, sx, sy, bKey != 0, tint, nColor, nLevel, lpBlendTable);
  });
}

bool DDHalfBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
               int bKey, const BYTE* lpBlendTable) {
  return DDHalfBltEx(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, bKey, lpBlendTable, 128);
}

bool DDHalfBltEx(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                 int bKey, const BYTE* lpBlendTable, int nStrength) {
  if (Missing(lpDst) || Missing(lpSrc)) return true;
  if (IsQuadPair(lpDst, lpSrc)) {
    // A strength outside 0-255 would spill into the colour bits of the diffuse.
    const std::uint32_t opacity = 255u - static_cast<std::uint32_t>(std::clamp(nStrength, 0, 255));
    cQuadState state;
    state.dwDiffuse = (opacity << 24) | 0xFFFFFFu;
    state.nColorOp = D3DTOP_MODULATE;
    state.nAlphaOp = D3DTOP_MODULATE;
    return DrawStateQuad(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, state);
  }
  return RunLocked(lpDst, lpSrc, eSource::kShared, [&](const cEffectPixels& px) {
    HalfPixels(px, x, y, nWidth, nHeight, sx, sy, bKey != 0, lpBlendTable);
  });
}

bool DDRadialBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrc, int scx,
                 int scy, int bKey, int bClear) {
  if (nRadius <= 0 || nDepth <= 0 || Missing(lpDst) || Missing(lpSrc)) return true;
  return RunLocked(lpDst, lpSrc, eSource::kSnapshot, [&](const cEffectPixels& px) {
    LensPixels(px, cx, cy, nRadius, nDepth, scx, scy, bKey != 0, bClear != 0);
  });
}

bool DDRotateBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                 DDSURFACEDATA* lpSrc, int sx, int sy, int bKey) {
  if (nWidth <= 0 || nHeight <= 0 || Missing(lpDst) || Missing(lpSrc)) return true;
  if (IsQuadPair(lpDst, lpSrc)) {
    int sw = nWidth, sh = nHeight;
    DDAdjustMirror(lpSrc, &sx, &sy, &sw, &sh);
    DDUseAlias(&lpDst);
    DDUseAlias(&lpSrc);
    DDRedirectBackBuffer(&lpDst);
    DDRedirectBackBuffer(&lpSrc);
    // Only the part of the rectangle inside the source is read: the cut moves the pivot
    // with it, so the picture stays where it was.
    double pivotX = nPivotX, pivotY = nPivotY;
    if (sw > 0) {
      const long long left = std::max(0, sx), right = std::min<long long>(static_cast<long long>(sx) + sw, lpSrc->nWidth);
      if (left >= right) return true;
      pivotX -= static_cast<double>(left - sx);
      sx = static_cast<int>(left);
      sw = static_cast<int>(right - left);
    }
    if (sh > 0) {
      const long long top = std::max(0, sy), bottom = std::min<long long>(static_cast<long long>(sy) + sh, lpSrc->nHeight);
      if (top >= bottom) return true;
      pivotY -= static_cast<double>(top - sy);
      sy = static_cast<int>(top);
      sh = static_cast<int>(bottom - top);
    }
    constexpr double kPi = 3.14159265358979323846;
    const double radians = static_cast<double>(nAngle % 360) * kPi / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const double originX = cx - pivotX * c + pivotY * s, originY = cy - pivotX * s - pivotY * c;
    const cQuadState state{lpDTCon->dwDiffuse, lpDTCon->nColorOp, lpDTCon->nAlphaOp, 0};
    cPixelBuffer copy;
    const cPixelBuffer& tex = Texture(lpSrc, lpDst, copy);
    return WithTarget(lpDst, [&] {
      return lpDevice->DrawTurnedQuad(tex, originX, originY, c, s, sx, sy, sw, sh, state);
    });
  }
  return RunLocked(lpDst, lpSrc, eSource::kSnapshot, [&](const cEffectPixels& px) {
    RotatePixels(px, cx, cy, nWidth, nHeight, nPivotX, nPivotY, nAngle, sx, sy, bKey != 0);
  });
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue) {
  return DDChangeColorEx(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}

int DDChangeColorEx(DDSURFACEDATA* lpDstSD, int, int, int, int, DDSURFACEDATA* lpSrcSD, int nAlpha, BYTE bRed,
                    BYTE bGreen, BYTE bBlue) {
  if (lpDTCon == nullptr) {
    WriteECText(
        "DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE bRed,BYTE "
        "bGreen,BYTE bBlue) は未対応");
    return 1;
  }
  if (Missing(lpDstSD) || Missing(lpSrcSD)) return 0;
  DDUseAlias(&lpDstSD);
  DDUseAlias(&lpSrcSD);
  DDRedirectBackBuffer(&lpDstSD);
  DDRedirectBackBuffer(&lpSrcSD);
  // A surface laid over itself reads its own picture as it was before the quad.
  cPixelBuffer copy;
  const cPixelBuffer& picture = Texture(lpSrcSD, lpDstSD, copy);
  const std::uint32_t opacity = 255u - static_cast<std::uint32_t>(std::clamp(nAlpha, 0, 255));
  cQuadState state;
  state.dwDiffuse = (opacity << 24) | (static_cast<std::uint32_t>(bRed) << 16) | (bGreen << 8) | bBlue;
  state.nColorOp = D3DTOP_MODULATE;
  state.nAlphaOp = D3DTOP_MODULATE;
  const int w = lpDstSD->nWidth, h = lpDstSD->nHeight;
  const int sw = std::min(lpSrcSD->nWidth, picture.nWidth), sh = std::min(lpSrcSD->nHeight, picture.nHeight);
  return WithTarget(lpDstSD, [&] { return lpDevice->DrawQuad(picture, 0, 0, w, h, 0, 0, sw, sh, state); }) ? 1 : 0;
}
