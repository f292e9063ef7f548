#include "media/draw/glyph_ink.h"

#include <algorithm>
#include <cstring>

#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"

namespace {

cGlyphSource* g_lpGlyphSource = nullptr;

// The surface whose memory really receives the ink: the alias's picture, and the virtual
// back buffer while it stands in for the back buffer.
DDSURFACEDATA* InkTarget(DDSURFACEDATA* lpDst) {
  DDUseAlias(&lpDst);
  DDRedirectBackBuffer(&lpDst);
  return lpDst;
}

template <typename T>
void PutSpans(cPixelBuffer& px, const RECT& clip, int x, int y, const cGlyphImage& glyph, T value) {
  for (const cGlyphImage::cSpan& span : glyph.spans) {
    const int row = y + span.nRow;
    if (row < clip.top || row >= clip.bottom) continue;
    const int left = std::max<int>(x + span.nX, clip.left);
    const int right = std::min<int>(x + span.nX + span.nLength, clip.right);
    if (left >= right) continue;
    T* p = reinterpret_cast<T*>(px.Row(row)) + left;
    std::fill(p, p + (right - left), value);
  }
}

}  // namespace

cGlyphSource& FontGlyphSource() { return g_lpGlyphSource != nullptr ? *g_lpGlyphSource : SystemGlyphSource(); }

void SetFontGlyphSource(cGlyphSource* lpSource) { g_lpGlyphSource = lpSource; }

std::uint32_t TextPixelOf(DDSURFACEDATA* lpDst, int nPalNum) {
  const DWORD palNum = static_cast<DWORD>(std::clamp(nPalNum, 0, 255));
  if (lpDTCon == nullptr) return PalNumToRGB(palNum);
  const cPixelBuffer* px = DDSurfacePixels(InkTarget(lpDst));
  const PALETTEENTRY& e = g_Palette[palNum];
  const D3DCOLOR argb = D3DCOLOR_ARGB(255, e.peRed, e.peGreen, e.peBlue);
  return px != nullptr ? ArgbToPixel(px->format, argb) : argb;
}

void DrawGlyphInk(DDSURFACEDATA* lpDst, int x, int y, const cGlyphImage& glyph, std::uint32_t dwPixel,
                  const RECT* lpClip) {
  if (lpDst == nullptr || glyph.spans.empty()) return;
  lpDst = InkTarget(lpDst);
  cPixelBuffer* px = DDSurfacePixels(lpDst);
  if (px == nullptr) return;
  RECT clip{0, 0, std::min(lpDst->nWidth, px->nWidth), std::min(lpDst->nHeight, px->nHeight)};
  if (lpClip != nullptr) {
    clip.left = std::max(clip.left, lpClip->left);
    clip.top = std::max(clip.top, lpClip->top);
    clip.right = std::min(clip.right, lpClip->right);
    clip.bottom = std::min(clip.bottom, lpClip->bottom);
  }
  x += glyph.nLeft;
  y += glyph.nTop;
  if (x >= clip.right || y >= clip.bottom || x + glyph.nWidth <= clip.left || y + glyph.nHeight <= clip.top) return;
  switch (px->BytesPerPixel()) {
    case 1: PutSpans<std::uint8_t>(*px, clip, x, y, glyph, static_cast<std::uint8_t>(dwPixel)); break;
    case 2: PutSpans<std::uint16_t>(*px, clip, x, y, glyph, static_cast<std::uint16_t>(dwPixel)); break;
    default: PutSpans<std::uint32_t>(*px, clip, x, y, glyph, dwPixel); break;
  }
}
