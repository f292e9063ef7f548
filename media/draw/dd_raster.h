#pragma once
// The pixel work of the two software devices. The Direct3D device draws textured quads
// with point sampling, wrap addressing, the stage-0 colour and alpha operations and
// source-alpha blending, and clears rectangles; the DirectDraw device copies rectangles
// with or without a source colour key, stretches and fills.
#include <cstdint>

#include "media/draw/dd_pixels.h"

struct cQuadState {
  D3DCOLOR dwDiffuse = 0xFFFFFFFFu;
  int nColorOp = D3DTOP_MODULATE;
  int nAlphaOp = D3DTOP_SELECTARG1;
};

// Draws the texture rectangle (sx, sy, sw, sh) onto (x, y, w, h) of dst, as the quad with
// its corners half a pixel up and left: destination pixel i samples texel
// floor(sx + (i + 0.5) * sw / w), so a negative sw reads leftwards from sx - 1. Pixels
// outside dst are skipped; texel coordinates wrap around the texture.
void DrawTexturedQuad(cPixelBuffer& dst, const cPixelBuffer& tex, int x, int y, int w, int h, int sx,
                      int sy, int sw, int sh, const cQuadState& state);
// A quad of one colour (the colour's own alpha blends it).
void DrawColorQuad(cPixelBuffer& dst, int x, int y, int w, int h, D3DCOLOR colour);
// Sets every pixel of the rectangle (cut to dst) to the colour, without blending.
void ClearRect(cPixelBuffer& dst, RECT rect, D3DCOLOR colour);

// DirectDraw copies. The rectangles must lie inside their surfaces (DDERR_INVALIDRECT
// otherwise). With a key, source pixels equal to it (in the format's colour bits) are
// skipped.
HRESULT CopyRectFast(cPixelBuffer& dst, int x, int y, const cPixelBuffer& src, const RECT& from,
                     bool bKey, std::uint32_t key);
// Nearest-pixel stretch: destination column i reads source column left + i * width / w.
HRESULT CopyRectStretched(cPixelBuffer& dst, const RECT& to, const cPixelBuffer& src, const RECT& from,
                          bool bKey, std::uint32_t key);
// Fills the part of the rectangle inside dst with a raw pixel value.
void FillRectRaw(cPixelBuffer& dst, RECT rect, std::uint32_t value);

// The colour bits of a raw pixel (the unused top byte of 32-bit pixels dropped).
inline std::uint32_t ColourBits(ePixelFormat format, std::uint32_t pixel) {
  return format == ePixelFormat::kX8R8G8B8 ? (pixel & 0x00FFFFFFu) : pixel;
}
