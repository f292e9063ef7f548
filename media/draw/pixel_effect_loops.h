#pragma once
// The pixel loops of the effects that compute destination pixels themselves: mosaic, blur,
// tint, half-transparent copy, lens and rotation over locked surface memory. They know
// nothing of devices or locks: each takes the two locked pictures and the rules of the back
// end that drew them, clips its rectangle against both pictures once, and runs over the
// spans that are left with a loop made for that pair of pixel formats and that key flag.
//
// Parameters come from game data as they stand, so every size, radius, level and angle is
// taken in its whole range: sizes of 0 or less draw nothing, radii and levels are cut to
// where the picture stops changing, and products are formed in 64 bits.
#include <cstdint>

#include "media/draw/dd_pixels.h"

// A locked picture: rows of nPitch bytes, nWidth x nHeight pixels of the format.
struct cLockedPixels {
  std::uint8_t* pBits = nullptr;
  int nPitch = 0;
  int nWidth = 0;
  int nHeight = 0;
  ePixelFormat format = ePixelFormat::kX8R8G8B8;
};

// The pair of pictures an effect reads and writes, and how the back end marks a
// transparent pixel: Direct3D by the texel's alpha (16-bit texels without the bits 0xA000,
// 32-bit texels with alpha 0; a back buffer of R5G6B5 has none), DirectDraw by the colour
// key value. Under Direct3D computed 32-bit pixels are written opaque and computed texels
// of A1R5G5B5 get their alpha bit; under DirectDraw 32-bit pixels keep their top byte.
struct cEffectPixels {
  cLockedPixels dst;
  cLockedPixels src;
  bool bDirect3D = false;
  std::uint32_t dwKey = 0;  // DirectDraw's colour key in the pixel format
};

// True when the pair is one of the formats the loops handle (both 8-bit, both 16-bit or
// both 32-bit, and 8-bit only under DirectDraw). Anything else (24-bit) is left unchanged.
bool EffectFormatsSupported(const cEffectPixels& px);

// Blocks of block x block pixels from the rectangle's top-left; each block takes its
// top-left source pixel (Direct3D and 8-bit) or the average of its source pixels (16 and
// 32-bit DirectDraw, channels of 16-bit pixels widened to 0-255 and narrowed back).
void MosaicPixels(const cEffectPixels& px, int x, int y, int w, int h, int block, int sx, int sy, bool bKey);

// Box average of (2 rx) x (2 ry) source pixels, one more to the left and above than to the
// right and below, counting only pixels of the rectangle; fields in their own units.
// Not for 8-bit pictures.
void BlurPixels(const cEffectPixels& px, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool bKey);

// The source tinted toward tint (0x00RRGGBB; colourIndex is its palette number for 8-bit
// pictures, which blend through the 256 x 256 table).
void TintPixels(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool bKey,
                std::uint32_t tint, int colourIndex, int level, const std::uint8_t* blendTable);

// Destination = (source + destination) / 2 per channel; 8-bit through the blend table.
void HalfPixels(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool bKey,
                const std::uint8_t* blendTable);

// Spherical lens of radius r and depth v centred on (cx, cy), reading around (scx, scy).
// With bClear (Direct3D 32-bit only) the square around the disc is cleared to 0 where
// nothing is drawn.
void LensPixels(const cEffectPixels& px, int cx, int cy, int r, int v, int scx, int scy, bool bKey, bool bClear);

// The source rectangle (sx, sy, w, h) turned by angle degrees about its point (pivotX,
// pivotY), which lands on (cx, cy); sine and cosine in 1024ths.
void RotatePixels(const cEffectPixels& px, int cx, int cy, int w, int h, int pivotX, int pivotY, int angle, int sx,
                  int sy, bool bKey);
