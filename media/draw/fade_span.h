#pragma once
// The per-row pixel passes of the fades, run over whole rows for one pixel format at a
// time: the colour fade of the DirectDraw back end (a colour mixed with a source picture)
// and the translucent colour quad of the Direct3D one (a colour blended over the target).
// Both give exactly the integers of their per-pixel rules, eight or four pixels at a time.
#include <cstdint>

#include "media/draw/dd_pixels.h"

// dst = (colour × (256 − amount) + src × amount) >> 8 per channel, amount 0 to 256.
// 16-bit channels are widened to 0-255 first (field × 255 / field max, truncated) and
// narrowed back after (× field max / 255, truncated); the alpha byte of 32-bit pixels and
// the top bit of 1-5-5-5 pixels keep the destination's. False for a format without colour
// channels (8-bit), which is left as it is. src may be dst.
bool FadeRow(ePixelFormat format, std::uint8_t* dst, const std::uint8_t* src, int n, int amount, std::uint8_t red,
             std::uint8_t green, std::uint8_t blue);

// What DrawColorQuad does to each pixel for a colour whose alpha a is 1 to 254: the target
// pixel widened to 0xAARRGGBB (rounded), every channel blended as
// (colour × a + target × (255 − a) + 127) / 255, and narrowed back (rounded). False for a
// format it does not handle (8-bit), which the caller then draws pixel by pixel.
bool BlendColourRow(ePixelFormat format, std::uint8_t* row, int n, std::uint32_t argb);

// Test seam: false runs the 16-byte build even on a processor with AVX2, so that both
// builds are checked.
void FadeSpanAllowWideVectors(bool bAllow);
