#include "media/draw/fade_span.h"

#include <cstring>
#include <type_traits>

#include <immintrin.h>

// The passes are written once over GCC vectors of 16 or 32 bytes, and for plain integers
// (the row's tail), so that every path gives the same numbers. The 32-byte form is built
// for processors with AVX2 and picked once at run time; the vectors never cross a call that
// is not inlined, so their passing convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

#define FADE_INLINE inline __attribute__((always_inline))

namespace {

template <int Bytes>
struct Vectors {
  typedef std::uint8_t Byte __attribute__((vector_size(Bytes)));
  typedef std::uint16_t Word __attribute__((vector_size(Bytes)));
  typedef std::uint16_t Wide __attribute__((vector_size(2 * Bytes)));
};

// (v × M + A) >> S: a division by a constant for the small ranges of a channel, each
// checked for every value it meets (fade_span_test runs them all).
template <int M, int A, int S, typename V>
FADE_INLINE V MulShift(V v) {
  if constexpr (std::is_integral_v<V>) {
    return (v * M + A) >> S;
  } else {
    // The compiler spells a vector multiply by most constants as three or four shifts and
    // adds, slower here than the one multiply: the empty asm hides the constant's value.
    V m = V{} + M;
    __asm__("" : "+x"(m));
    return (v * m + A) >> S;
  }
}

// ---- 32-bit pixels: bytes B, G, R, A ----

// What becomes of the alpha byte: kept from the destination (the fade), set (a target
// without alpha, written back opaque) or blended like the colour bytes.
enum class eAlpha { kKeep, kSet, kBlend };

// Per byte: (x × mul + add[lane]) >> 8 for the fade, (x × mul + add[lane]) / 255 for the
// blend.
template <int Bytes, bool bBlend, eAlpha Alpha>
FADE_INLINE void Row32(std::uint8_t* dst, const std::uint8_t* src, int n, std::uint16_t mul,
                       const std::uint16_t (&add)[4]) {
  using V = Vectors<Bytes>;
  const int bytes = n * 4;
  // x / 255 for x up to 65407 is (x + 1 + (x >> 8)) >> 8: the 1 goes into the constant.
  const unsigned extra = bBlend ? 1 : 0;
  typename V::Wide addv, mulv;
  typename V::Byte alpha;
  for (int k = 0; k < Bytes; ++k) {
    addv[k] = static_cast<std::uint16_t>(add[k & 3] + extra);
    mulv[k] = mul;
    alpha[k] = (k & 3) == 3 ? 0xFF : 0;
  }
  int i = 0;
  for (; i + Bytes <= bytes; i += Bytes) {
    typename V::Byte s;
    std::memcpy(&s, src + i, Bytes);
    typename V::Wide x = __builtin_convertvector(s, typename V::Wide) * mulv + addv;
    // Shifts, not a division: a division of these wide vectors is not turned into a
    // multiplication.
    if constexpr (bBlend) x = (x + (x >> 8)) >> 8;
    else x = x >> 8;
    typename V::Byte out = __builtin_convertvector(x, typename V::Byte);
    if constexpr (Alpha == eAlpha::kKeep) {
      typename V::Byte d;
      std::memcpy(&d, dst + i, Bytes);
      out = (out & ~alpha) | (d & alpha);
    } else if constexpr (Alpha == eAlpha::kSet) {
      out |= alpha;
    }
    std::memcpy(dst + i, &out, Bytes);
  }
  for (; i < bytes; ++i) {
    const int lane = i & 3;
    if (lane == 3 && Alpha != eAlpha::kBlend) {
      if (Alpha == eAlpha::kSet) dst[i] = 0xFF;
      continue;
    }
    const unsigned x = src[i] * static_cast<unsigned>(mul) + add[lane];
    dst[i] = static_cast<std::uint8_t>(bBlend ? x / 255 : x >> 8);
  }
}

// ---- 16-bit pixels ----

// The fade on a field of Max 31 or 63: widened (× 255 / Max), mixed, narrowed (× Max / 255),
// all truncated.
template <int Max, typename V>
FADE_INLINE V FadeChannel(V f, V amount, V add) {
  const V wide = Max == 31 ? MulShift<1053, 0, 7>(f) : MulShift<259, 3, 6>(f);
  const V mixed = (wide * amount + add) >> 8;
  return Max == 31 ? MulShift<249, 0, 11>(mixed) : MulShift<253, 0, 10>(mixed);
}

// The quad's blend on a field: widened and narrowed with rounding, as every other
// conversion of the Direct3D back end ((f × 255 + Max / 2) / Max, (x × Max + 127) / 255).
template <int Max, typename V>
FADE_INLINE V BlendChannel(V f, V inverse, V add) {
  const V wide = Max == 31 ? MulShift<527, 23, 6>(f) : MulShift<259, 33, 6>(f);
  const V mixed = (wide * inverse + add) / 255;
  return Max == 31 ? MulShift<249, 1014, 11>(mixed) : MulShift<253, 505, 10>(mixed);
}

struct Layout565 {
  static constexpr int kR = 11, kG = 5, kGMax = 63;
};
struct Layout1555 {
  static constexpr int kR = 10, kG = 5, kGMax = 31;
};

template <typename L, bool bBlend, typename V>
FADE_INLINE V Pixel16(V p, V mul, V addR, V addG, V addB) {
  const V r = (p >> L::kR) & 31, g = (p >> L::kG) & L::kGMax, b = p & 31;
  if constexpr (bBlend)
    return (BlendChannel<31>(r, mul, addR) << L::kR) | (BlendChannel<L::kGMax>(g, mul, addG) << L::kG) |
           BlendChannel<31>(b, mul, addB);
  else
    return (FadeChannel<31>(r, mul, addR) << L::kR) | (FadeChannel<L::kGMax>(g, mul, addG) << L::kG) |
           FadeChannel<31>(b, mul, addB);
}

// The top bit: kept from the destination (keepMask, the fade), or taken from the two values
// a blended alpha gives for a source top bit of 0 and of 1 (the quad).
template <int Bytes, typename L, bool bBlend, bool bTopBit>
FADE_INLINE void Row16(std::uint8_t* dstBytes, const std::uint8_t* srcBytes, int n, std::uint16_t mul,
                       std::uint16_t addR, std::uint16_t addG, std::uint16_t addB, std::uint16_t keepMask,
                       std::uint16_t topIf0, std::uint16_t topIf1) {
  using W = typename Vectors<Bytes>::Word;
  constexpr int kLanes = Bytes / 2;
  const W mulv = W{} + mul, rv = W{} + addR, gv = W{} + addG, bv = W{} + addB;
  const W keep = W{} + keepMask, top0 = W{} + topIf0, topFlip = W{} + static_cast<std::uint16_t>(topIf0 ^ topIf1);
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    W s, d{};
    std::memcpy(&s, srcBytes + 2 * i, Bytes);
    if constexpr (bTopBit) std::memcpy(&d, dstBytes + 2 * i, Bytes);
    // (s >> 15) is 0 or 1: the multiply picks the flip for set top bits.
    W out = Pixel16<L, bBlend>(s, mulv, rv, gv, bv);
    if constexpr (bTopBit) out |= (d & keep) | (top0 ^ ((s >> 15) * topFlip));
    std::memcpy(dstBytes + 2 * i, &out, Bytes);
  }
  for (; i < n; ++i) {
    std::uint16_t s, d;
    std::memcpy(&s, srcBytes + 2 * i, 2);
    std::memcpy(&d, dstBytes + 2 * i, 2);
    unsigned out = Pixel16<L, bBlend, unsigned>(s, mul, addR, addG, addB) | (d & keepMask);
    out |= (s >> 15) != 0 ? topIf1 : topIf0;
    const std::uint16_t v = static_cast<std::uint16_t>(out);
    std::memcpy(dstBytes + 2 * i, &v, 2);
  }
}

// ---- 16-bit pixels by table (AVX2) ----

// A 16-bit channel's result depends on its field alone (32 or 64 values) once the amount
// and colour are fixed, so the AVX2 build looks each field up in a table built from the
// very same Fade/BlendChannel rules above: the numbers cannot drift from the arithmetic
// passes, and a pixel costs a few byte shuffles instead of nine multiplications.
struct Tables16 {
  alignas(16) std::uint8_t r[32], g[64], b[32];
  // What the tables were built for: a fade is drawn row after row with the same values.
  int key[6] = {-1, -1, -1, -1, -1, -1};
};

template <typename L, bool bBlend>
const Tables16& TablesFor(std::uint16_t mul, std::uint16_t addR, std::uint16_t addG, std::uint16_t addB) {
  // One set per pass and layout and thread, so that concurrent drawing cannot clash.
  thread_local Tables16 t;
  const int key[6] = {L::kR, bBlend ? 1 : 0, mul, addR, addG, addB};
  if (std::memcmp(key, t.key, sizeof key) == 0) return t;
  const auto channel = [&]<int Max>(unsigned f, std::uint16_t add) {
    return static_cast<std::uint8_t>(bBlend ? BlendChannel<Max, unsigned>(f, mul, add)
                                            : FadeChannel<Max, unsigned>(f, mul, add));
  };
  for (unsigned f = 0; f < 32; ++f) {
    // Red is stored where it sits in the pixel's high byte, so it needs no shift later.
    t.r[f] = static_cast<std::uint8_t>(channel.template operator()<31>(f, addR) << (L::kR - 8));
    t.b[f] = channel.template operator()<31>(f, addB);
  }
  for (unsigned f = 0; f <= L::kGMax; ++f) t.g[f] = channel.template operator()<L::kGMax>(f, addG);
  std::memcpy(t.key, key, sizeof key);
  return t;
}

#define FADE_AVX2 inline __attribute__((always_inline, target("avx2")))

FADE_AVX2 __m256i Table16(const std::uint8_t* t) {
  return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(t)));
}

// A 32-entry lookup per byte: vpshufb reads 16 entries within each 128-bit half, so both
// halves of the table are looked up and bit 4 of the index (moved up to bit 7, which is
// what the blend reads) picks one. Indices stay below 64, so vpshufb never zeroes.
FADE_AVX2 __m256i Look32(__m256i t0, __m256i t1, __m256i idx) {
  return _mm256_blendv_epi8(_mm256_shuffle_epi8(t0, idx), _mm256_shuffle_epi8(t1, idx), _mm256_slli_epi16(idx, 3));
}
// 64 entries: two 32-entry lookups, bit 5 picks.
FADE_AVX2 __m256i Look64(const __m256i (&t)[4], __m256i idx) {
  return _mm256_blendv_epi8(Look32(t[0], t[1], idx), Look32(t[2], t[3], idx), _mm256_slli_epi16(idx, 2));
}

// One field of two vectors of pixels, as one vector of byte indices. A field at the top of
// the pixel (red of 5-6-5) needs no mask.
template <int Shift, bool bTop = false>
FADE_AVX2 __m256i Field(__m256i a, __m256i b, __m256i mask) {
  if constexpr (bTop) return _mm256_packus_epi16(_mm256_srli_epi16(a, Shift), _mm256_srli_epi16(b, Shift));
  return _mm256_packus_epi16(_mm256_and_si256(_mm256_srli_epi16(a, Shift), mask),
                             _mm256_and_si256(_mm256_srli_epi16(b, Shift), mask));
}

// Looked-up fields, widened back to 16-bit lanes (red already in the high byte), put
// together into pixels.
template <typename L>
FADE_AVX2 __m256i Place(__m256i r, __m256i g, __m256i b) {
  return _mm256_or_si256(_mm256_or_si256(r, _mm256_slli_epi16(g, L::kG)), b);
}

// 32 pixels per step: each field of two vectors of pixels is packed into one vector of
// byte indices, looked up, and unpacked back into place (the pack and the unpacks order
// the 128-bit halves alike, so every pixel returns to its own lane). The rest of the row
// goes through the arithmetic pass.
template <typename L, bool bBlend, bool bTopBit>
__attribute__((target("avx2"))) void Row16Table(std::uint8_t* dst, const std::uint8_t* src, int n, std::uint16_t mul,
                                                std::uint16_t addR, std::uint16_t addG, std::uint16_t addB,
                                                std::uint16_t keepMask, std::uint16_t topIf0, std::uint16_t topIf1) {
  int i = 0;
  if (n >= 32) {
    const Tables16& t = TablesFor<L, bBlend>(mul, addR, addG, addB);
    const __m256i r0 = Table16(t.r), r1 = Table16(t.r + 16), b0 = Table16(t.b), b1 = Table16(t.b + 16);
    const __m256i g[4] = {Table16(t.g), Table16(t.g + 16), Table16(t.g + 32), Table16(t.g + 48)};
    const __m256i m5 = _mm256_set1_epi16(31), mg = _mm256_set1_epi16(L::kGMax), zero = _mm256_setzero_si256();
    const __m256i keep = _mm256_set1_epi16(static_cast<short>(keepMask));
    const __m256i top0 = _mm256_set1_epi16(static_cast<short>(topIf0));
    const __m256i topFlip = _mm256_set1_epi16(static_cast<short>(topIf0 ^ topIf1));
    for (; i + 32 <= n; i += 32) {
      const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 2 * i));
      const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 2 * i + 32));
      const __m256i ro = Look32(r0, r1, Field<L::kR, L::kR == 11>(a, b, m5));
      const __m256i bo = Look32(b0, b1, Field<0>(a, b, m5));
      const __m256i gi = Field<L::kG>(a, b, mg);
      const __m256i go = L::kGMax == 63 ? Look64(g, gi) : Look32(g[0], g[1], gi);
      __m256i outA = Place<L>(_mm256_unpacklo_epi8(zero, ro), _mm256_unpacklo_epi8(go, zero), _mm256_unpacklo_epi8(bo, zero));
      __m256i outB = Place<L>(_mm256_unpackhi_epi8(zero, ro), _mm256_unpackhi_epi8(go, zero), _mm256_unpackhi_epi8(bo, zero));
      if constexpr (bTopBit) {
        if constexpr (bBlend) {
          // The arithmetic shift spreads the source top bit over the lane to pick the flip.
          outA = _mm256_or_si256(outA, _mm256_xor_si256(top0, _mm256_and_si256(_mm256_srai_epi16(a, 15), topFlip)));
          outB = _mm256_or_si256(outB, _mm256_xor_si256(top0, _mm256_and_si256(_mm256_srai_epi16(b, 15), topFlip)));
        } else {
          const __m256i dA = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + 2 * i));
          const __m256i dB = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + 2 * i + 32));
          outA = _mm256_or_si256(outA, _mm256_and_si256(dA, keep));
          outB = _mm256_or_si256(outB, _mm256_and_si256(dB, keep));
        }
      }
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 2 * i), outA);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 2 * i + 32), outB);
    }
  }
  Row16<32, L, bBlend, bTopBit>(dst + 2 * i, src + 2 * i, n - i, mul, addR, addG, addB, keepMask, topIf0, topIf1);
}

// ---- The two builds of every pass ----

struct FadeArgs {
  std::uint16_t mul, r, g, b;
};

// The 32-byte build runs 16-bit rows by table, the 16-byte one by arithmetic.
template <int Bytes, typename L, bool bBlend, bool bTopBit>
FADE_INLINE void Pass16(std::uint8_t* dst, const std::uint8_t* src, int n, std::uint16_t mul, std::uint16_t addR,
                        std::uint16_t addG, std::uint16_t addB, std::uint16_t keepMask, std::uint16_t topIf0,
                        std::uint16_t topIf1) {
  if constexpr (Bytes == 32)
    Row16Table<L, bBlend, bTopBit>(dst, src, n, mul, addR, addG, addB, keepMask, topIf0, topIf1);
  else
    Row16<Bytes, L, bBlend, bTopBit>(dst, src, n, mul, addR, addG, addB, keepMask, topIf0, topIf1);
}

template <int Bytes>
FADE_INLINE void Fade(ePixelFormat format, std::uint8_t* dst, const std::uint8_t* src, int n, const FadeArgs& a) {
  switch (format) {
    case ePixelFormat::kR5G6B5: Pass16<Bytes, Layout565, false, false>(dst, src, n, a.mul, a.r, a.g, a.b, 0, 0, 0); break;
    case ePixelFormat::kA1R5G5B5:
      Pass16<Bytes, Layout1555, false, true>(dst, src, n, a.mul, a.r, a.g, a.b, 0x8000, 0, 0);
      break;
    default: {
      const std::uint16_t add[4] = {a.b, a.g, a.r, 0};
      Row32<Bytes, false, eAlpha::kKeep>(dst, src, n, a.mul, add);
      break;
    }
  }
}

template <int Bytes>
FADE_INLINE void FadeSpanBlend(ePixelFormat format, std::uint8_t* row, int n, std::uint16_t inverse,
                       const std::uint16_t (&add)[4], std::uint16_t top0, std::uint16_t top1) {
  switch (format) {
    case ePixelFormat::kR5G6B5:
      Pass16<Bytes, Layout565, true, false>(row, row, n, inverse, add[2], add[1], add[0], 0, 0, 0);
      break;
    case ePixelFormat::kA1R5G5B5:
      Pass16<Bytes, Layout1555, true, true>(row, row, n, inverse, add[2], add[1], add[0], 0, top0, top1);
      break;
    case ePixelFormat::kX8R8G8B8:
      // A target without alpha reads as opaque and is written back opaque.
      Row32<Bytes, true, eAlpha::kSet>(row, row, n, inverse, add);
      break;
    default: Row32<Bytes, true, eAlpha::kBlend>(row, row, n, inverse, add); break;
  }
}

void FadeSse(ePixelFormat f, std::uint8_t* d, const std::uint8_t* s, int n, const FadeArgs& a) { Fade<16>(f, d, s, n, a); }
__attribute__((target("avx2"))) void FadeAvx2(ePixelFormat f, std::uint8_t* d, const std::uint8_t* s, int n,
                                              const FadeArgs& a) {
  Fade<32>(f, d, s, n, a);
}
void BlendSse(ePixelFormat f, std::uint8_t* row, int n, std::uint16_t inv, const std::uint16_t (&add)[4],
              std::uint16_t t0, std::uint16_t t1) {
  FadeSpanBlend<16>(f, row, n, inv, add, t0, t1);
}
__attribute__((target("avx2"))) void BlendAvx2(ePixelFormat f, std::uint8_t* row, int n, std::uint16_t inv,
                                               const std::uint16_t (&add)[4], std::uint16_t t0, std::uint16_t t1) {
  FadeSpanBlend<32>(f, row, n, inv, add, t0, t1);
}

bool g_bWideAllowed = true;

bool FadeSpanHasAvx2() {
  static const bool bAvx2 = __builtin_cpu_supports("avx2");
  return bAvx2 && g_bWideAllowed;
}

}  // namespace

void FadeSpanAllowWideVectors(bool bAllow) { g_bWideAllowed = bAllow; }

bool FadeRow(ePixelFormat format, std::uint8_t* dst, const std::uint8_t* src, int n, int amount, std::uint8_t red,
             std::uint8_t green, std::uint8_t blue) {
  if (format == ePixelFormat::kP8) return false;
  if (n <= 0) return true;
  amount = amount < 0 ? 0 : (amount > 256 ? 256 : amount);
  const int rest = 256 - amount;
  const FadeArgs args{static_cast<std::uint16_t>(amount), static_cast<std::uint16_t>(red * rest),
                      static_cast<std::uint16_t>(green * rest), static_cast<std::uint16_t>(blue * rest)};
  if (FadeSpanHasAvx2())
    FadeAvx2(format, dst, src, n, args);
  else
    FadeSse(format, dst, src, n, args);
  return true;
}

bool BlendColourRow(ePixelFormat format, std::uint8_t* row, int n, std::uint32_t argb) {
  if (format == ePixelFormat::kP8) return false;
  const unsigned a = argb >> 24;
  if (n <= 0 || a == 0) return true;
  const auto add = [&](int shift) { return static_cast<std::uint16_t>(((argb >> shift) & 255) * a + 127); };
  const std::uint16_t adds[4] = {add(0), add(8), add(16), add(24)};
  // The 1-5-5-5 alpha bit widens to 0 or 255 and is set again from a blended alpha of 128
  // or more.
  const auto top = [&](unsigned alpha) {
    return static_cast<std::uint16_t>((a * a + alpha * (255 - a) + 127) / 255 >= 128 ? 0x8000 : 0);
  };
  const std::uint16_t inverse = static_cast<std::uint16_t>(255 - a);
  if (FadeSpanHasAvx2())
    BlendAvx2(format, row, n, inverse, adds, top(0), top(255));
  else
    BlendSse(format, row, n, inverse, adds, top(0), top(255));
  return true;
}
