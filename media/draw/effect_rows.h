#pragma once
// Row passes of the blur and the rotation over SSE2 vectors (two pixels' lanes or four
// offsets at a time), built a second time for processors with AVX2 and chosen at run time:
// the blur's column and box sums in 16-bit lanes and their exact division, and the source
// offsets along a turned row, with 32-bit turned rows gathered eight pixels at a time on
// AVX2. Each gives exactly the integers of the one-pixel rule it stands for.
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

// col[a] += lanes of enter[a] − kept[a], then kept[a] = lanes of enter[a], for a < n: kept
// holds the lanes of the row that leaves the window as this one enters. A null row enters
// as lanes of 0.
void SwapLaneRow(std::uint64_t* col, std::uint64_t* kept, const std::uint8_t* enter, int n, const cLaneSource& src);

// What a count's quotients are formed with (see DivideLanes): 0 for a count of 0.
std::uint64_t CountDivisor(unsigned count);

// The boxes of a row of pixels: box[i] each, or (window not null) slid along column sums,
// box i = window[i] + … + window[i + span − 1].
struct cLaneBoxes {
  const std::uint64_t* box = nullptr;
  const std::uint64_t* window = nullptr;
  int span = 0;
};

// Each pixel i < n of the row dst (in format) whose divisor[i] is not 0 becomes box i
// divided by its count lane, per field and truncated; divisor[i] = CountDivisor(count), or 0
// to leave the pixel alone. The fields go into format's layout (green from greenFrom's
// units) with the bits top set; 32-bit pixels with bKeepTop keep their old top byte.
// bWhole promises that no divisor is 0.
void DivideLanes(std::uint8_t* dst, const cLaneBoxes& boxes, const std::uint64_t* divisor, int n,
                 ePixelFormat format, ePixelFormat greenFrom, std::uint32_t top, bool bKeepTop, bool bWhole);

// Offsets along a turned row: pixel X reads column (u + X du) >> 10 and row (v + X dv) >> 10
// of the source, which the caller keeps inside [0, 32768) for every X < n; off[X] = row ×
// pitch + column × bytes. pitch is 0 to 32767.
void TurnOffsets(std::int32_t* off, int n, std::int32_t u, std::int32_t v, std::int32_t du, std::int32_t dv,
                 int pitch, int bytes);

// A turned row of 32-bit pixels: dst pixel X = the source pixel at window + the offset of
// TurnOffsets (bytes 4), left alone where the pixel is transparent under clear. False, with
// nothing drawn, where the processor lacks the gather of AVX2.
bool TurnRow32(std::uint8_t* dst, const std::uint8_t* window, int n, std::int32_t u, std::int32_t v, std::int32_t du,
               std::int32_t dv, int pitch, eLaneClear clear, std::uint32_t key);

// Test seam: false runs the SSE2 build even on a processor with AVX2, so that both builds
// are checked.
void EffectRowsAllowAvx2(bool bAllow);
