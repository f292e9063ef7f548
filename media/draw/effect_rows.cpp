#include "media/draw/effect_rows.h"

#include <cstring>

#include <emmintrin.h>

namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

bool Is16(ePixelFormat f) { return f == ePixelFormat::kR5G6B5 || f == ePixelFormat::kA1R5G5B5; }

// ---- pixels to lanes ----

// Four 32-bit pixels as two vectors of lanes: the top byte becomes the count of 1 and the
// bytes widen to 16 bits.
template <eLaneClear C>
inline void Spread32(__m128i p, const cLaneSource& s, __m128i& lo, __m128i& hi) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
  __m128i v = _mm_or_si128(_mm_and_si128(p, rgb), _mm_set1_epi32(0x01000000));
  if constexpr (C == eLaneClear::kColourKey) {
    const __m128i same = _mm_and_si128(_mm_xor_si128(p, _mm_set1_epi32(static_cast<int>(s.dwKey))), rgb);
    v = _mm_andnot_si128(_mm_cmpeq_epi32(same, _mm_setzero_si128()), v);
  } else if constexpr (C == eLaneClear::kAlpha) {
    const __m128i alpha = _mm_and_si128(p, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    v = _mm_andnot_si128(_mm_cmpeq_epi32(alpha, _mm_setzero_si128()), v);
  }
  lo = _mm_unpacklo_epi8(v, _mm_setzero_si128());
  hi = _mm_unpackhi_epi8(v, _mm_setzero_si128());
}

// The lane constants of a 16-bit layout: every lane holds the pixel; a high product moves
// green and red down (x 2^(16 - shift)), blue is masked in, each lane is cut to its field.
struct Lanes16 {
  __m128i mul, blue, fields, one, keyTest, key;
  Lanes16(const cLaneSource& s) {
    const bool b565 = s.format == ePixelFormat::kR5G6B5;
    mul = _mm_setr_epi16(0, 1 << 11, static_cast<short>(b565 ? 1 << 5 : 1 << 6), 0, 0, 1 << 11,
                         static_cast<short>(b565 ? 1 << 5 : 1 << 6), 0);
    blue = _mm_setr_epi16(31, 0, 0, 0, 31, 0, 0, 0);
    const short g = b565 ? 63 : 31;
    fields = _mm_setr_epi16(-1, g, 31, 0, -1, g, 31, 0);
    one = _mm_setr_epi16(0, 0, 0, 1, 0, 0, 0, 1);
    keyTest = _mm_set1_epi16(static_cast<short>(s.clear == eLaneClear::kAlpha ? 0xA000 : 0xFFFF));
    key = _mm_set1_epi16(static_cast<short>(s.clear == eLaneClear::kAlpha ? 0 : s.dwKey));
  }
};

// Two pixels, each repeated over its four lanes, made into lanes.
template <eLaneClear C>
inline __m128i Fields16(__m128i v, const Lanes16& c) {
  __m128i f = _mm_add_epi16(_mm_mulhi_epu16(v, c.mul), _mm_and_si128(v, c.blue));
  f = _mm_or_si128(_mm_and_si128(f, c.fields), c.one);
  if constexpr (C != eLaneClear::kNone) f = _mm_andnot_si128(_mm_cmpeq_epi16(_mm_and_si128(v, c.keyTest), c.key), f);
  return f;
}

template <eLaneClear C>
inline void Spread16(__m128i p, const Lanes16& c, __m128i& lo, __m128i& hi) {
  const __m128i twice = _mm_unpacklo_epi16(p, p);
  lo = Fields16<C>(_mm_unpacklo_epi32(twice, twice), c);
  hi = Fields16<C>(_mm_unpackhi_epi32(twice, twice), c);
}

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

template <bool bEnter, bool bLeave, bool b16, eLaneClear C>
void AddRows(u64* col, const std::uint8_t* enter, const std::uint8_t* leave, int n, const cLaneSource& s) {
  constexpr int kBytes = b16 ? 2 : 4;
  const Lanes16 c16(s);
  int a = 0;
  for (; a + 4 <= n; a += 4) {
    __m128i c0 = Load(col + a), c1 = Load(col + a + 2);
    __m128i lo, hi;
    if constexpr (bEnter) {
      if constexpr (b16) Spread16<C>(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(enter + 2 * a)), c16, lo, hi);
      else Spread32<C>(Load(enter + 4 * a), s, lo, hi);
      c0 = _mm_add_epi16(c0, lo);
      c1 = _mm_add_epi16(c1, hi);
    }
    if constexpr (bLeave) {
      if constexpr (b16) Spread16<C>(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(leave + 2 * a)), c16, lo, hi);
      else Spread32<C>(Load(leave + 4 * a), s, lo, hi);
      c0 = _mm_sub_epi16(c0, lo);
      c1 = _mm_sub_epi16(c1, hi);
    }
    Store(col + a, c0);
    Store(col + a + 2, c1);
  }
  for (; a < n; ++a) {
    u32 p = 0;
    if constexpr (bEnter) {
      std::memcpy(&p, enter + kBytes * a, kBytes);
      col[a] += PixelLanes(s, p);
    }
    if constexpr (bLeave) {
      p = 0;
      std::memcpy(&p, leave + kBytes * a, kBytes);
      col[a] -= PixelLanes(s, p);
    }
  }
}

template <bool b16, eLaneClear C>
void SwapRow(u64* col, u64* kept, const std::uint8_t* enter, int n, const cLaneSource& s) {
  constexpr int kBytes = b16 ? 2 : 4;
  const Lanes16 c16(s);
  int a = 0;
  for (; a + 4 <= n; a += 4) {
    __m128i lo = _mm_setzero_si128(), hi = _mm_setzero_si128();
    if (enter != nullptr) {
      if constexpr (b16) Spread16<C>(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(enter + 2 * a)), c16, lo, hi);
      else Spread32<C>(Load(enter + 4 * a), s, lo, hi);
    }
    Store(col + a, _mm_add_epi16(Load(col + a), _mm_sub_epi16(lo, Load(kept + a))));
    Store(col + a + 2, _mm_add_epi16(Load(col + a + 2), _mm_sub_epi16(hi, Load(kept + a + 2))));
    Store(kept + a, lo);
    Store(kept + a + 2, hi);
  }
  for (; a < n; ++a) {
    u32 p = 0;
    u64 lanes = 0;
    if (enter != nullptr) {
      std::memcpy(&p, enter + kBytes * a, kBytes);
      lanes = PixelLanes(s, p);
    }
    col[a] += lanes - kept[a];
    kept[a] = lanes;
  }
}

// ---- division ----

// A lane sum S <= 255 c divided by its count c <= 256: with m = floor(65536 / c) (65535 for
// c = 1), S m / 65536 lies in (S / c - 1, S / c], so its whole part q0 is the quotient or
// one less, and the remainder S - q0 c (below 2c) says which.
inline __m128i Divide(__m128i sum, __m128i count, __m128i divisor) {
  const __m128i q0 = _mm_mulhi_epu16(sum, divisor);
  const __m128i rest = _mm_sub_epi16(sum, _mm_mullo_epi16(q0, count));
  const __m128i over = _mm_cmpgt_epi16(rest, _mm_sub_epi16(count, _mm_set1_epi16(1)));
  return _mm_sub_epi16(q0, over);
}

// The field multipliers of a 16-bit layout for the paired products, green in the source's
// units: blue x 1 + green x 2^5 (or 2^6 when the source's green has one bit less, or 2^4
// after its lowest bit is dropped when it has one more), red x 2^10 or 2^11.
struct Join16 {
  __m128i greenMask, mul;
  Join16(ePixelFormat f, ePixelFormat from) {
    const bool b565 = f == ePixelFormat::kR5G6B5;
    short g = 32;
    short gMask = -1;
    if (b565 && from == ePixelFormat::kA1R5G5B5) g = 64;
    if (!b565 && from == ePixelFormat::kR5G6B5) {
      g = 16;
      gMask = static_cast<short>(0xFFFE);
    }
    const short r = static_cast<short>(b565 ? 1 << 11 : 1 << 10);
    greenMask = _mm_setr_epi16(-1, gMask, -1, 0, -1, gMask, -1, 0);
    mul = _mm_setr_epi16(1, g, r, 0, 1, g, r, 0);
  }
};

// Two pixels' quotients as two 32-bit values (in lanes 0 and 2).
inline __m128i Pixels16(__m128i q, const Join16& j) {
  const __m128i pairs = _mm_madd_epi16(_mm_and_si128(q, j.greenMask), j.mul);
  return _mm_add_epi32(pairs, _mm_srli_epi64(pairs, 32));
}

// Where a pixel is left alone: its divisor is 0. Two words per pixel, both halves 0 or not.
inline __m128i Skipped4(const u64* divisor) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i a = _mm_cmpeq_epi32(Load(divisor), zero), b = _mm_cmpeq_epi32(Load(divisor + 2), zero);
  return _mm_unpacklo_epi64(_mm_shuffle_epi32(a, 0x08), _mm_shuffle_epi32(b, 0x08));
}

inline __m128i CountOf(__m128i box) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(box, 0xFF), 0xFF); }

inline __m128i Quotients(const u64* box, const u64* divisor) {
  const __m128i b = Load(box);
  return Divide(b, CountOf(b), Load(divisor));
}

inline __m128i Blend(__m128i fresh, __m128i old, __m128i keepOld) {
  return _mm_or_si128(_mm_andnot_si128(keepOld, fresh), _mm_and_si128(old, keepOld));
}

template <bool b16>
void DivideRow(std::uint8_t* dst, const u64* box, const u64* divisor, int n, ePixelFormat format,
               ePixelFormat greenFrom, u32 top, bool bKeepTop, bool bWhole) {
  int i = 0;
  if constexpr (b16) {
    const Join16 j(format, greenFrom);
    const __m128i topv = _mm_set1_epi32(static_cast<int>(top)), bias = _mm_set1_epi32(0x8000);
    const __m128i bias16 = _mm_set1_epi16(static_cast<short>(0x8000));
    for (; i + 4 <= n; i += 4) {
      const __m128i a = Pixels16(Quotients(box + i, divisor + i), j);
      const __m128i b = Pixels16(Quotients(box + i + 2, divisor + i + 2), j);
      // Lanes 0 and 2 of each: pixels 0 to 3 as 32-bit values, then as 16-bit ones (the
      // signed pack keeps them whole once moved down by 2^15).
      const __m128i four = _mm_or_si128(_mm_unpacklo_epi64(_mm_shuffle_epi32(a, 0x08), _mm_shuffle_epi32(b, 0x08)), topv);
      const __m128i fresh = _mm_xor_si128(_mm_packs_epi32(_mm_sub_epi32(four, bias), _mm_setzero_si128()), bias16);
      if (bWhole) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 2 * i), fresh);
        continue;
      }
      const __m128i skip = Skipped4(divisor + i);
      const __m128i old = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(dst + 2 * i));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 2 * i), Blend(fresh, old, _mm_packs_epi32(skip, skip)));
    }
  } else {
    const __m128i topv = _mm_set1_epi32(static_cast<int>(top)), rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i keepTop = _mm_set1_epi32(bKeepTop ? static_cast<int>(0xFF000000u) : 0);
    for (; i + 4 <= n; i += 4) {
      const __m128i a = Quotients(box + i, divisor + i), b = Quotients(box + i + 2, divisor + i + 2);
      if (bWhole && !bKeepTop) {
        Store(dst + 4 * i, _mm_or_si128(_mm_and_si128(_mm_packus_epi16(a, b), rgb), topv));
        continue;
      }
      const __m128i old = Load(dst + 4 * i);
      const __m128i fresh = _mm_or_si128(_mm_and_si128(_mm_packus_epi16(a, b), rgb),
                                         _mm_or_si128(topv, _mm_and_si128(old, keepTop)));
      Store(dst + 4 * i, Blend(fresh, old, Skipped4(divisor + i)));
    }
  }
  for (; i < n; ++i) {
    if (divisor[i] == 0) continue;
    const u32 c = static_cast<u32>(box[i] >> 48);
    const u32 b = static_cast<u32>(box[i] & 0xFFFF) / c, g = static_cast<u32>((box[i] >> 16) & 0xFFFF) / c,
              r = static_cast<u32>((box[i] >> 32) & 0xFFFF) / c;
    if constexpr (b16) {
      const bool b565 = format == ePixelFormat::kR5G6B5;
      u32 gg = g;
      if (b565 && greenFrom == ePixelFormat::kA1R5G5B5) gg = g << 1;
      if (!b565 && greenFrom == ePixelFormat::kR5G6B5) gg = g >> 1;
      const auto v = static_cast<std::uint16_t>((r << (b565 ? 11 : 10)) | (gg << 5) | b | top);
      std::memcpy(dst + 2 * i, &v, 2);
    } else {
      u32 old;
      std::memcpy(&old, dst + 4 * i, 4);
      const u32 v = (r << 16) | (g << 8) | b | top | (bKeepTop ? old & 0xFF000000u : 0u);
      std::memcpy(dst + 4 * i, &v, 4);
    }
  }
}


}  // namespace

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

namespace {

// One build of a row pass per pixel size and transparency rule.
template <template <bool, eLaneClear> class Pass, class... Args>
void ByRule(const cLaneSource& s, Args... args) {
  const bool b16 = Is16(s.format);
  switch (s.clear) {
    case eLaneClear::kNone:
      if (b16) Pass<true, eLaneClear::kNone>::Run(args..., s);
      else Pass<false, eLaneClear::kNone>::Run(args..., s);
      break;
    case eLaneClear::kColourKey:
      if (b16) Pass<true, eLaneClear::kColourKey>::Run(args..., s);
      else Pass<false, eLaneClear::kColourKey>::Run(args..., s);
      break;
    case eLaneClear::kAlpha:
      if (b16) Pass<true, eLaneClear::kAlpha>::Run(args..., s);
      else Pass<false, eLaneClear::kAlpha>::Run(args..., s);
      break;
  }
}

template <bool b16, eLaneClear C>
struct AddPass {
  static void Run(u64* col, const std::uint8_t* enter, const std::uint8_t* leave, int n, const cLaneSource& s) {
    if (enter && leave) AddRows<true, true, b16, C>(col, enter, leave, n, s);
    else if (enter) AddRows<true, false, b16, C>(col, enter, leave, n, s);
    else if (leave) AddRows<false, true, b16, C>(col, enter, leave, n, s);
  }
};

template <bool b16, eLaneClear C>
struct SwapPass {
  static void Run(u64* col, u64* kept, const std::uint8_t* enter, int n, const cLaneSource& s) {
    SwapRow<b16, C>(col, kept, enter, n, s);
  }
};

}  // namespace

void AddLaneRows(u64* col, const std::uint8_t* enter, const std::uint8_t* leave, int n, const cLaneSource& s) {
  ByRule<AddPass>(s, col, enter, leave, n);
}

void SwapLaneRow(u64* col, u64* kept, const std::uint8_t* enter, int n, const cLaneSource& s) {
  ByRule<SwapPass>(s, col, kept, enter, n);
}

u64 CountDivisor(unsigned count) {
  const u64 m = count == 0 ? 0 : (count == 1 ? 65535 : 65536 / count);
  return m * 0x0001000100010001ull;
}

void DivideLanes(std::uint8_t* dst, const u64* box, const u64* divisor, int n, ePixelFormat format,
                 ePixelFormat greenFrom, u32 top, bool bKeepTop, bool bWhole) {
  if (Is16(format))
    DivideRow<true>(dst, box, divisor, n, format, greenFrom, top, bKeepTop, bWhole);
  else
    DivideRow<false>(dst, box, divisor, n, format, greenFrom, top, bKeepTop, bWhole);
}

void TurnOffsets(std::int32_t* off, int n, std::int32_t u, std::int32_t v, std::int32_t du, std::int32_t dv, int pitch,
                 int bytes) {
  // Column and row side by side in the two halves of each 32-bit lane, one paired product
  // with (bytes, pitch) gives the offset.
  const __m128i scale = _mm_set1_epi32(static_cast<int>((static_cast<u32>(pitch) << 16) | static_cast<u32>(bytes)));
  const __m128i rowMask = _mm_set1_epi32(static_cast<int>(0xFFFF0000u));
  // Lane X of the first step holds u + X du, v + X dv.
  __m128i U = _mm_setr_epi32(u, u + du, u + 2 * du, u + 3 * du);
  __m128i V = _mm_setr_epi32(v, v + dv, v + 2 * dv, v + 3 * dv);
  const __m128i stepU = _mm_set1_epi32(4 * du), stepV = _mm_set1_epi32(4 * dv);
  int X = 0;
  for (; X + 4 <= n; X += 4) {
    const __m128i colRow = _mm_or_si128(_mm_srli_epi32(U, 10), _mm_and_si128(_mm_slli_epi32(V, 6), rowMask));
    Store(off + X, _mm_madd_epi16(colRow, scale));
    U = _mm_add_epi32(U, stepU);
    V = _mm_add_epi32(V, stepV);
  }
  for (; X < n; ++X) {
    const std::int32_t uu = u + X * du, vv = v + X * dv;
    off[X] = (vv >> 10) * pitch + (uu >> 10) * bytes;
  }
}
