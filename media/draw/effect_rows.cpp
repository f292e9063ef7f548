#include "media/draw/effect_rows.h"

#include <cstring>

#include <emmintrin.h>

namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

bool Is16(ePixelFormat f) { return f == ePixelFormat::kR5G6B5 || f == ePixelFormat::kA1R5G5B5; }

namespace sse2 {
#include "media/draw/effect_row_passes.inc"
}  // namespace sse2

#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
#include "media/draw/effect_row_passes.inc"
}  // namespace avx2
#pragma GCC pop_options

bool g_bAvx2Allowed = true;

bool HasAvx2() {
  static const bool bAvx2 = __builtin_cpu_supports("avx2");
  return bAvx2 && g_bAvx2Allowed;
}

}  // namespace

void EffectRowsAllowAvx2(bool bAllow) { g_bAvx2Allowed = bAllow; }

u64 PixelLanes(const cLaneSource& s, u32 p) {
  const u64 v = p;
  u64 e;
  bool bClear = false;
  if (s.format == ePixelFormat::kR5G6B5) {
    e = (v & 0x1Fu) | ((v & 0x7E0u) << 11) | ((v & 0xF800u) << 21);
    bClear = s.clear != eLaneClear::kNone && (s.clear == eLaneClear::kColourKey ? p == s.dwKey : false);
  } else if (s.format == ePixelFormat::kA1R5G5B5) {
    e = (v & 0x1Fu) | ((v & 0x3E0u) << 11) | ((v & 0x7C00u) << 22);
    bClear = s.clear == eLaneClear::kColourKey ? p == s.dwKey : (s.clear == eLaneClear::kAlpha && (p & 0xA000u) == 0);
  } else {
    e = (v | (v << 16)) & 0x000000FF0000FFFFull;  // red to bit 32
    e = (e | (e << 8)) & 0x000000FF00FF00FFull;   // green to bit 16
    bClear = s.clear == eLaneClear::kColourKey ? ((p ^ s.dwKey) & 0x00FFFFFFu) == 0
                                                : (s.clear == eLaneClear::kAlpha && (p >> 24) == 0);
  }
  return bClear ? 0 : e | (1ull << 48);
}

u64 CountDivisor(unsigned count) {
  const u64 m = count == 0 ? 0 : (count == 1 ? 65535 : 65536 / count);
  return m * 0x0001000100010001ull;
}

void AddLaneRows(u64* col, const std::uint8_t* enter, const std::uint8_t* leave, int n, const cLaneSource& s) {
  if (HasAvx2()) avx2::AddLaneRowsPass(col, enter, leave, n, s);
  else sse2::AddLaneRowsPass(col, enter, leave, n, s);
}

void SwapLaneRow(u64* col, u64* kept, const std::uint8_t* enter, int n, const cLaneSource& s) {
  if (HasAvx2()) avx2::SwapLaneRowPass(col, kept, enter, n, s);
  else sse2::SwapLaneRowPass(col, kept, enter, n, s);
}

void DivideLanes(std::uint8_t* dst, const cLaneBoxes& boxes, const u64* divisor, int n, ePixelFormat format,
                 ePixelFormat greenFrom, u32 top, bool bKeepTop, bool bWhole) {
  if (HasAvx2()) avx2::DivideLanesPass(dst, boxes, divisor, n, format, greenFrom, top, bKeepTop, bWhole);
  else sse2::DivideLanesPass(dst, boxes, divisor, n, format, greenFrom, top, bKeepTop, bWhole);
}

void TurnOffsets(std::int32_t* off, int n, std::int32_t u, std::int32_t v, std::int32_t du, std::int32_t dv, int pitch,
                 int bytes) {
  if (HasAvx2()) avx2::TurnOffsetsPass(off, n, u, v, du, dv, pitch, bytes);
  else sse2::TurnOffsetsPass(off, n, u, v, du, dv, pitch, bytes);
}
