#pragma once
// Row passes of the blur and the rotation, four or two pixels per SSE2 vector: the blur's
// column and box sums in 16-bit lanes and their exact division, and the source offsets
// along a turned row. Each gives exactly the integers of the one-pixel rule it stands for.
#include <cstdint>

#include "media/draw/dd_pixels.h"

// Which source pixels a blur leaves out: none, those equal to the colour key (32-bit
// pixels compared without their top byte), or those without alpha (A1R5G5B5 texels
// without the bits 0xA000, 32-bit texels with alpha 0).
enum class eLaneClear { kNone, kColourKey, kAlpha };

// A pixel as lanes: blue, green and red fields and a count of 1 in four 16-bit lanes of one
// 64-bit word, blue lowest; 0 for a pixel left out. The word is the integer the lanes spell,
// so words add and subtract like the sums they hold while every lane stays below 2^16.
struct cLaneSource {
  ePixelFormat format = ePixelFormat::kX8R8G8B8;  // R5G6B5, A1R5G5B5 or 32-bit
  eLaneClear clear = eLaneClear::kNone;
  std::uint32_t dwKey = 0;
};
std::uint64_t PixelLanes(const cLaneSource& src, std::uint32_t p);

// col[a] += lanes of enter[a] − lanes of leave[a] for a < n; a null row adds nothing.
void AddLaneRows(std::uint64_t* col, const std::uint8_t* enter, const std::uint8_t* leave, int n,
                 const cLaneSource& src);

// The multiplier a count divides by: see DivideLanes.
std::uint64_t CountDivisor(unsigned count);

// out[i] = the pixel of box[i] / count[i] per field (truncated), for i < n: count[i] holds
// the count in every lane, divisor[i] = CountDivisor(count). The fields go into format's
// layout (the source's green in greenFrom's units, 32-bit in the low three bytes with the
// top byte from top). 16-bit results are stored in the low half of each out word.
void DivideLanes(std::uint32_t* out, const std::uint64_t* box, const std::uint64_t* count,
                 const std::uint64_t* divisor, int n, ePixelFormat format, ePixelFormat greenFrom,
                 std::uint32_t top);

// Offsets along a turned row: pixel X reads column (u + X du) >> 10 and row (v + X dv) >> 10
// of the source, which the caller keeps inside [0, 32768) for every X < n; off[X] = row ×
// pitch + column × bytes. pitch is 0 to 32767.
void TurnOffsets(std::int32_t* off, int n, std::int32_t u, std::int32_t v, std::int32_t du, std::int32_t dv,
                 int pitch, int bytes);
