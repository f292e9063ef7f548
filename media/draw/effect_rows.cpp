#include "media/draw/effect_rows.h"

#include <cstring>

#include <immintrin.h>

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

// A turned row of 32-bit pixels, eight at a time: offsets as in TurnOffsets, one gather of
// the eight source pixels, and the transparent ones keep what was there.
template <eLaneClear C>
__attribute__((target("avx2"))) void TurnRow32Avx2(std::uint8_t* dst, const std::uint8_t* window, int n, std::int32_t u,
                                                   std::int32_t v, std::int32_t du, std::int32_t dv, int pitch,
                                                   u32 key) {
  const __m256i scale = _mm256_set1_epi32(static_cast<int>((static_cast<u32>(pitch) << 16) | 4u));
  const __m256i rowMask = _mm256_set1_epi32(static_cast<int>(0xFFFF0000u));
  const __m256i steps = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i U = _mm256_add_epi32(_mm256_set1_epi32(u), _mm256_mullo_epi32(steps, _mm256_set1_epi32(du)));
  __m256i V = _mm256_add_epi32(_mm256_set1_epi32(v), _mm256_mullo_epi32(steps, _mm256_set1_epi32(dv)));
  const __m256i stepU = _mm256_set1_epi32(8 * du), stepV = _mm256_set1_epi32(8 * dv);
  const u32 testBits = C == eLaneClear::kAlpha ? 0xFF000000u : 0x00FFFFFFu;
  const u32 keyBits = C == eLaneClear::kAlpha ? 0u : key & 0x00FFFFFFu;
  const __m256i test = _mm256_set1_epi32(static_cast<int>(testBits)), keyv = _mm256_set1_epi32(static_cast<int>(keyBits));
  const int* base = reinterpret_cast<const int*>(window);
  int X = 0;
  for (; X + 8 <= n; X += 8) {
    const __m256i colRow =
        _mm256_or_si256(_mm256_srli_epi32(U, 10), _mm256_and_si256(_mm256_slli_epi32(V, 6), rowMask));
    const __m256i p = _mm256_i32gather_epi32(base, _mm256_madd_epi16(colRow, scale), 1);
    __m256i* out = reinterpret_cast<__m256i*>(dst + 4 * X);
    if constexpr (C == eLaneClear::kNone) {
      _mm256_storeu_si256(out, p);
    } else {
      const __m256i clear = _mm256_cmpeq_epi32(_mm256_and_si256(p, test), keyv);
      _mm256_storeu_si256(out, _mm256_blendv_epi8(p, _mm256_loadu_si256(out), clear));
    }
    U = _mm256_add_epi32(U, stepU);
    V = _mm256_add_epi32(V, stepV);
  }
  for (; X < n; ++X) {
    const std::int32_t uu = u + X * du, vv = v + X * dv;
    u32 p;
    std::memcpy(&p, window + static_cast<std::ptrdiff_t>(vv >> 10) * pitch + (uu >> 10) * 4, 4);
    if (C != eLaneClear::kNone && (p & testBits) == keyBits) continue;
    std::memcpy(dst + 4 * X, &p, 4);
  }
}

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

bool TurnRow32(std::uint8_t* dst, const std::uint8_t* window, int n, std::int32_t u, std::int32_t v, std::int32_t du,
               std::int32_t dv, int pitch, eLaneClear clear, std::uint32_t key) {
  if (!HasAvx2()) return false;
  switch (clear) {
    case eLaneClear::kNone: TurnRow32Avx2<eLaneClear::kNone>(dst, window, n, u, v, du, dv, pitch, key); break;
    case eLaneClear::kColourKey: TurnRow32Avx2<eLaneClear::kColourKey>(dst, window, n, u, v, du, dv, pitch, key); break;
    case eLaneClear::kAlpha: TurnRow32Avx2<eLaneClear::kAlpha>(dst, window, n, u, v, du, dv, pitch, key); break;
  }
  return true;
}
