#include "media/draw/dd_blit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/report_log.h"
#include "media/draw/dd_display.h"

int g_bSpriteBatch = 0;
int g_bSpriteSort = 0;

namespace {

// Beyond any surface: a blit with a coordinate or size this far out (a damaged game can
// ask for any int) lies off its target and its source whatever the rest, so it draws
// nothing, and the clipping sums of the others stay far from the int range.
constexpr long long kBlitFarOff = 1LL << 29;
bool BlitCoordFarOff(long long v) { return v <= -kBlitFarOff || v >= kBlitFarOff; }

struct SpriteBatchEntry {
  int nKey;
  DDSURFACEDATA* lpDst;
  DDSURFACEDATA* lpSrc;
  int x, y, w, h, sx, sy, sw, sh;
  DWORD dwFlags;
  D3DCOLOR dwDiffuse;
  int nColorOp;
  int nAlphaOp;
  int nReserved;
};

std::vector<SpriteBatchEntry> g_SpriteEntries;
int g_nSpriteSequence = 0;
std::vector<std::pair<DDSURFACEDATA*, int>> g_BatchTextures;

// The value an opaque copy of a keyed sprite leaves where the sprite is transparent:
// transparent black in a texture, the key colour in the back buffer.
D3DCOLOR OpaqueClearValue(const DDSURFACEDATA* lpDst) {
  return lpDst == &g_BackBuffer ? lpDTCon->argbTransmit : 0;
}

bool IsKeyed(const DDSURFACEDATA* lpSrc) { return lpSrc->lpDT != nullptr && lpSrc->lpDT->bColorKey; }

// Software copy of the Direct3D back end: destination not a render target, or source in
// system memory.
int SoftwareCopy(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                 int sh, DWORD dwFlags) {
  cPixelBuffer* dst = DDSurfacePixels(lpDst);
  cPixelBuffer* src = DDSurfacePixels(lpSrc);
  if (dst == nullptr || src == nullptr || w <= 0 || h <= 0) return 0;
  for (const int v : {x, y, w, h, sx, sy, sw, sh})
    if (BlitCoordFarOff(v)) return 0;
  const bool bConvert = DDIsFullscreenBackBuffer(lpDst) && dst->format == ePixelFormat::kR5G6B5;
  const bool bSame = sw == w && sh == h;
  const float rx = static_cast<float>(sw) / static_cast<float>(w);
  const float ry = static_cast<float>(sh) / static_cast<float>(h);
  const int dw = std::min(lpDst->nWidth, dst->nWidth), dh = std::min(lpDst->nHeight, dst->nHeight);
  const int srw = std::min(lpSrc->nWidth, src->nWidth), srh = std::min(lpSrc->nHeight, src->nHeight);
  const bool b16 = src->BytesPerPixel() == 2;
  for (int j = 0; j < h; ++j) {
    const int dy = y + j;
    if (dy < 0 || dy >= dh) continue;
    int row;
    if (bSame) {
      row = sy + j;
    } else {
      const int t = static_cast<int>(static_cast<float>(j) * ry);
      if (sh < 0 ? !(t > sh && t <= 0) : !(t >= 0 && t < sh)) continue;
      row = sh < 0 ? sy + t - 1 : sy + t;
    }
    if (row < 0 || row >= srh) continue;
    for (int i = 0; i < w; ++i) {
      const int dx = x + i;
      if (dx < 0 || dx >= dw) continue;
      int col;
      if (bSame) {
        col = sx + i;
      } else {
        const int t = static_cast<int>(static_cast<float>(i) * rx);
        if (sw < 0 ? !(t > sw && t <= 0) : !(t >= 0 && t < sw)) continue;
        col = sw < 0 ? sx + t - 1 : sx + t;
      }
      if (col < 0 || col >= srw) continue;
      std::uint32_t texel = src->Get(col, row);
      if (b16) {
        // The alpha bit is 0x80 of the high byte; the wider mask is what the copies test.
        if (dwFlags == 1 && ((texel >> 8) & 0xA0u) == 0) continue;
        if (bConvert)
          texel = (((texel >> 10) & 31u) << 11) | ((((texel >> 5) & 31u) * 2) << 5) | (texel & 31u);
      } else if (dwFlags == 1 && (texel >> 24) == 0) {
        continue;
      }
      dst->Put(dx, dy, texel);
    }
  }
  return 1;
}

int DrawQuadNow(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                DWORD dwFlags, const cQuadState& state) {
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return 0;
  if (dwFlags == 0 && IsKeyed(lpSrc)) {
    const RECT rect{x, y, x + w, y + h};
    lpDevice->Clear(&rect, OpaqueClearValue(lpDst));
  }
  const HRESULT hr = lpDevice->DrawQuad(*DDSurfacePixels(lpSrc), x, y, w, h, sx, sy, sw, sh, state);
  if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
  return hr == D3D_OK ? 1 : 0;
}

}  // namespace

bool DDIsFullscreenBackBuffer(const DDSURFACEDATA* lpSD) { return lpSD == &g_BackBuffer && !g_bWindow; }

int DDClip(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw,
           int* sh) {
  if (*w <= 0 || *h <= 0 || *sw == 0 || *sh == 0) return 0;
  for (const int v : {*x, *y, *w, *h, *sx, *sy, *sw, *sh})
    if (BlitCoordFarOff(v)) return 0;
  const int givenSw = *sw, givenSh = *sh;
  const int srcW = lpSrc->nWidth, srcH = lpSrc->nHeight;
  const int dstW = lpDst->nWidth, dstH = lpDst->nHeight;
  if (*sw == *w && *sh == *h) {
    int right = std::min(*sx + *sw, srcW);
    int bottom = std::min(*sy + *sh, srcH);
    if (*sx < 0) *sx = 0;
    if (*sy < 0) *sy = 0;
    // A blit that starts left of the target is cut at both edges: moving the source start
    // alone would let a wide blit run past the right edge.
    if (*x < 0) {
      *sx -= *x;
      *x = 0;
    }
    if (*x + (right - *sx) > dstW) right = *sx + (dstW - *x);
    if (*y < 0) {
      *sy -= *y;
      *y = 0;
    }
    if (*y + (bottom - *sy) > dstH) bottom = *sy + (dstH - *y);
    *sw = *w = right - *sx;
    *sh = *h = bottom - *sy;
  } else {
    const bool bD3D = lpDTCon != nullptr;
    int left = *sx, top = *sy, right = *sx + *sw, bottom = *sy + *sh;
    const bool bMirrorX = bD3D && *sw < 0, bMirrorY = bD3D && *sh < 0;
    if (bMirrorX) std::swap(left, right);
    if (bMirrorY) std::swap(top, bottom);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, srcW);
    bottom = std::min(bottom, srcH);
    if (bMirrorX) {
      *sx = right;
      *sw = left - right;
    } else {
      *sx = left;
      *sw = right - left;
    }
    if (bMirrorY) {
      *sy = bottom;
      *sh = top - bottom;
    } else {
      *sy = top;
      *sh = bottom - top;
    }
    *w = static_cast<int>(std::trunc(std::fabs(*w * (static_cast<double>(std::abs(*sw)) / givenSw))));
    *h = static_cast<int>(std::trunc(std::fabs(*h * (static_cast<double>(std::abs(*sh)) / givenSh))));
    if (!bD3D && *w > 0 && *h > 0) {
      if (*x < 0) {
        const int cut = static_cast<int>(static_cast<long long>(-*x) * *sw / *w);
        *sx += cut;
        *sw -= cut;
        *w += *x;
        *x = 0;
      }
      if (*x >= dstW) return 0;
      if (*w > 0 && *x + *w > dstW) {
        const int keep = dstW - *x;
        *sw = static_cast<int>(static_cast<long long>(*sw) * keep / *w);
        *w = keep;
      }
      if (*y < 0) {
        const int cut = static_cast<int>(static_cast<long long>(-*y) * *sh / *h);
        *sy += cut;
        *sh -= cut;
        *h += *y;
        *y = 0;
      }
      if (*y >= dstH) return 0;
      if (*h > 0 && *y + *h > dstH) {
        const int keep = dstH - *y;
        *sh = static_cast<int>(static_cast<long long>(*sh) * keep / *h);
        *h = keep;
      }
    }
  }
  const bool bSignsKept = (*sw > 0) == (givenSw > 0) && (*sh > 0) == (givenSh > 0) && *sw != 0 && *sh != 0;
  return (bSignsKept && *w > 0 && *h > 0) ? 1 : 0;
}

void DDAdjustMirror(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw, int* sh) {
  if (lpDTCon == nullptr || lpSrc == nullptr || lpSrc->lpAlias == nullptr) return;
  const int cw = lpSrc->nMirrorW, ch = lpSrc->nMirrorH;
  if (cw > 0 && *sw <= cw) {
    if (*sw == cw)
      *sx += *sw;
    else
      *sx = *sx + cw - 2 * (*sx % cw);
    *sw = -*sw;
  }
  if (ch > 0 && *sh <= ch) {
    if (*sh == ch)
      *sy += *sh;
    else
      *sy = *sy + ch - 2 * (*sy % ch);
    *sh = -*sh;
  }
}

int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags) {
  if (lpDTCon != nullptr) return DDStretchBlt(lpDst, x, y, w, h, lpSrc, sx, sy, w, h, dwFlags);
  if (lpDst == nullptr || lpSrc == nullptr || lpDst->lpDDData == nullptr || lpSrc->lpDDData == nullptr ||
      lpDst->lpDDData->lpDDS == nullptr || lpSrc->lpDDData->lpDDS == nullptr)
    return DDERR_INVALIDPARAMS;
  int sw = w, sh = h;
  if (!DDClip(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return 0;
  const RECT from{sx, sy, sx + sw, sy + sh};
  return lpDst->lpDDData->lpDDS->BltFast(x, y, lpSrc->lpDDData->lpDDS, &from, dwFlags | DDBLTFAST_WAIT);
}

int DDStretchBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                 int sh, DWORD dwFlags) {
  if (lpDst == nullptr || lpSrc == nullptr) return 0;
  if (lpDTCon == nullptr) {
    if (lpDst->lpDDData == nullptr || lpSrc->lpDDData == nullptr || lpDst->lpDDData->lpDDS == nullptr ||
        lpSrc->lpDDData->lpDDS == nullptr)
      return DDERR_INVALIDPARAMS;
    DDAdjustMirror(lpSrc, &sx, &sy, &sw, &sh);
    if (!DDClip(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return 0;
    const RECT to{x, y, x + w, y + h};
    const RECT from{sx, sy, sx + sw, sy + sh};
    return lpDst->lpDDData->lpDDS->Blt(&to, lpSrc->lpDDData->lpDDS, &from,
                                        dwFlags == 1 ? (DDBLT_KEYSRC | DDBLT_WAIT) : DDBLT_WAIT);
  }
  DDAdjustMirror(lpSrc, &sx, &sy, &sw, &sh);
  DDUseAlias(&lpDst);
  DDUseAlias(&lpSrc);
  if (lpDTCon->bCopyVirtual) {
    lpDst = &g_BackBuffer;
    lpSrc = &g_VirBackBuffer;
  } else {
    DDRedirectBackBuffer(&lpDst);
    DDRedirectBackBuffer(&lpSrc);
  }
  if (lpDst->lpDT == nullptr || lpSrc->lpDT == nullptr || DDSurfacePixels(lpDst) == nullptr ||
      DDSurfacePixels(lpSrc) == nullptr)
    return 0;
  if (lpDst->lpDT->bRenderTarget && lpSrc->lpDT->nMemType != DTMEMORYTYPE_SYSTEM) {
    if (!DDClip(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return 0;
    if (g_bSpriteBatch) {
      int key = 0;
      if (g_bSpriteSort)
        for (const auto& entry : g_BatchTextures)
          if (entry.first == lpSrc) key = entry.second;
      g_SpriteEntries.push_back(SpriteBatchEntry{key + g_nSpriteSequence, lpDst, lpSrc, x, y, w, h, sx, sy, sw, sh,
                                                 dwFlags, lpDTCon->dwDiffuse, lpDTCon->nColorOp, lpDTCon->nAlphaOp, 0});
      ++g_nSpriteSequence;
      return 1;
    }
    return DrawQuadNow(lpDst, lpSrc, x, y, w, h, sx, sy, sw, sh, dwFlags,
                       cQuadState{lpDTCon->dwDiffuse, lpDTCon->nColorOp, lpDTCon->nAlphaOp});
  }
  return SoftwareCopy(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, dwFlags);
}

int DDBltEx(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags,
            const DDBLEND* lpBlend) {
  if (lpDTCon != nullptr) return DDStretchBltEx(lpDst, x, y, w, h, lpSrc, sx, sy, w, h, dwFlags, lpBlend);
  return DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, dwFlags);
}

int DDStretchBltEx(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                   int sh, DWORD dwFlags, const DDBLEND* lpBlend) {
  if (lpDTCon == nullptr || lpBlend == nullptr) return DDStretchBlt(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, dwFlags);
  DDSetDiffuse(lpBlend->dwDiffuse);
  DDSetColorOp(lpBlend->nColorOp);
  const int result = DDStretchBlt(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, dwFlags);
  DDResetDiffuse();
  DDResetColorOp();
  return result;
}

int DDBeginScene() {
  if (lpDevice == nullptr || lpDTCon == nullptr) return 0;
  if (lpDTCon->bInScene) return 1;
  const HRESULT hr = lpDevice->BeginScene();
  if (hr != D3D_OK) {
    WriteReport("BeginScene Err %x", static_cast<unsigned>(hr));
    return 0;
  }
  lpDTCon->bInScene = 1;
  return 1;
}

void DDEndScene() {
  if (lpDevice == nullptr || lpDTCon == nullptr || !lpDTCon->bInScene) return;
  lpDevice->EndScene();
  lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int, DDSURFACEDATA* lpSD) {
  if (lpDevice == nullptr || lpSD == nullptr || lpSD->lpDT == nullptr || !lpSD->lpDT->bRenderTarget) return 0;
  const HRESULT hr = lpDevice->SetRenderTarget(lpSD->lpDT->lpSurface);
  if (hr != D3D_OK) {
    WriteReport("SetRenderTarget Err %x (%s)", static_cast<unsigned>(hr), lpSD->szFile);
    return 0;
  }
  return 1;
}

void DDBeginSpriteBatch(int bSortByTexture) {
  if (lpDTCon == nullptr) return;
  g_bSpriteBatch = 1;
  g_bSpriteSort = bSortByTexture;
  g_SpriteEntries.clear();
  g_BatchTextures.clear();
  g_nSpriteSequence = 0;
}

void DDAddBatchTexture(DDSURFACEDATA* lpSD) {
  if (!g_bSpriteBatch || !g_bSpriteSort || lpSD == nullptr) return;
  DDUseAlias(&lpSD);
  for (const auto& entry : g_BatchTextures)
    if (entry.first == lpSD) return;
  g_BatchTextures.emplace_back(lpSD, 100000 * static_cast<int>(g_BatchTextures.size() + 1));
}

int DDFlushSpriteBatch() {
  int result = 1;
  if (lpDTCon != nullptr && !g_SpriteEntries.empty()) {
    if (g_bSpriteSort)
      std::stable_sort(g_SpriteEntries.begin(), g_SpriteEntries.end(),
                       [](const SpriteBatchEntry& a, const SpriteBatchEntry& b) { return a.nKey < b.nKey; });
    std::size_t start = 0;
    while (start < g_SpriteEntries.size()) {
      const SpriteBatchEntry& first = g_SpriteEntries[start];
      std::size_t end = start + 1;
      while (end < g_SpriteEntries.size()) {
        const SpriteBatchEntry& e = g_SpriteEntries[end];
        if (e.lpSrc != first.lpSrc || e.lpDst != first.lpDst || e.dwFlags != first.dwFlags ||
            e.dwDiffuse != first.dwDiffuse || e.nColorOp != first.nColorOp || e.nAlphaOp != first.nAlphaOp)
          break;
        ++end;
      }
      const cPixelBuffer* src = DDSurfacePixels(first.lpSrc);
      if (src != nullptr && DDBeginScene() && DDSetRenderTarget(0, first.lpDst)) {
        if (first.dwFlags == 0 && IsKeyed(first.lpSrc))
          for (std::size_t k = start; k < end; ++k) {
            const SpriteBatchEntry& e = g_SpriteEntries[k];
            const RECT rect{e.x, e.y, e.x + e.w, e.y + e.h};
            lpDevice->Clear(&rect, OpaqueClearValue(e.lpDst));
          }
        const cQuadState state{first.dwDiffuse, first.nColorOp, first.nAlphaOp};
        for (std::size_t k = start; k < end; ++k) {
          const SpriteBatchEntry& e = g_SpriteEntries[k];
          if (lpDevice->DrawQuad(*src, e.x, e.y, e.w, e.h, e.sx, e.sy, e.sw, e.sh, state) != D3D_OK) result = 0;
        }
        if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
      } else {
        result = 0;
      }
      start = end;
    }
  }
  g_SpriteEntries.clear();
  g_BatchTextures.clear();
  g_nSpriteSequence = 0;
  g_bSpriteBatch = 0;
  return result;
}

bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** lplpBits, int) {
  if (lpDTCon != nullptr) {
    WriteECText("D3DではDDLockは未対応");
    return true;
  }
  if (lpSD == nullptr || lpSD->lpDDData == nullptr || lpSD->lpDDData->lpDDS == nullptr) return false;
  if (lpSD->lpDDData->lpDDS->Lock(lpDesc) != DD_OK) return false;
  *lplpBits = lpDesc->lpSurface;
  return true;
}
