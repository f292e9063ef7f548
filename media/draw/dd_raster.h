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
  // Second argument of D3DTOP_BLENDFACTORALPHA: its colour, and its alpha as the texture's
  // share.
  D3DCOLOR dwTextureFactor = 0;
};

// The one rounding rule of every per-pixel combination of 0-255 channels (products in the
// stage operations, the blend factor, source-alpha blending, the locked tint): the
// weighted sum is divided by 255 rounding to the nearest integer, halves down.
inline std::uint32_t Div255Round(std::uint32_t weightedSum) { return (weightedSum + 127u) / 255u; }

// What a quad leaves at one pixel: the texel (0xAARRGGBB) through the stage-0 colour and
// alpha operations, then blended by its alpha over the destination pixel (0xAARRGGBB).
// Both quad rasterisers use it.
std::uint32_t CombineTexel(const cQuadState& state, std::uint32_t texel, std::uint32_t dst);

// Draws the texture rectangle (sx, sy, sw, sh) onto (x, y, w, h) of dst, as the quad with
// its corners half a pixel up and left: destination pixel i samples texel
// floor(sx + (i + 0.5) * sw / w), so a negative sw reads leftwards from sx - 1. Pixels
// outside dst are skipped; texel coordinates wrap around the texture.
void DrawTexturedQuad(cPixelBuffer& dst, const cPixelBuffer& tex, int x, int y, int w, int h, int sx,
                      int sy, int sw, int sh, const cQuadState& state);
// A quad turned about a point: the texture rectangle (sx, sy, sw, sh) with its top-left
// corner at (originX, originY) and its edges along (cos, sin) and (-sin, cos). The pixel
// whose centre falls at texture offset (u, v), 0 <= u < sw and 0 <= v < sh, samples texel
// (sx + floor(u), sy + floor(v)); a negative sw (sh) reads leftwards (upwards) from sx - 1
// (sy - 1). Pixels outside dst are skipped; texel coordinates wrap around the texture.
void DrawTurnedQuad(cPixelBuffer& dst, const cPixelBuffer& tex, double originX, double originY, double cosA,
                    double sinA, int sx, int sy, int sw, int sh, const cQuadState& state);
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
