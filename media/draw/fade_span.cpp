#include "media/draw/fade_span.h"

#include <cstring>

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
  return (v * M + A) >> S;
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

// ---- The two builds of every pass ----

struct FadeArgs {
  std::uint16_t mul, r, g, b;
};

template <int Bytes>
FADE_INLINE void Fade(ePixelFormat format, std::uint8_t* dst, const std::uint8_t* src, int n, const FadeArgs& a) {
  switch (format) {
    case ePixelFormat::kR5G6B5: Row16<Bytes, Layout565, false, false>(dst, src, n, a.mul, a.r, a.g, a.b, 0, 0, 0); break;
    case ePixelFormat::kA1R5G5B5:
      Row16<Bytes, Layout1555, false, true>(dst, src, n, a.mul, a.r, a.g, a.b, 0x8000, 0, 0);
      break;
    default: {
      const std::uint16_t add[4] = {a.b, a.g, a.r, 0};
      Row32<Bytes, false, eAlpha::kKeep>(dst, src, n, a.mul, add);
      break;
    }
  }
}

template <int Bytes>
FADE_INLINE void Blend(ePixelFormat format, std::uint8_t* row, int n, std::uint16_t inverse,
                       const std::uint16_t (&add)[4], std::uint16_t top0, std::uint16_t top1) {
  switch (format) {
    case ePixelFormat::kR5G6B5:
      Row16<Bytes, Layout565, true, false>(row, row, n, inverse, add[2], add[1], add[0], 0, 0, 0);
      break;
    case ePixelFormat::kA1R5G5B5:
      Row16<Bytes, Layout1555, true, true>(row, row, n, inverse, add[2], add[1], add[0], 0, top0, top1);
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
  Blend<16>(f, row, n, inv, add, t0, t1);
}
__attribute__((target("avx2"))) void BlendAvx2(ePixelFormat f, std::uint8_t* row, int n, std::uint16_t inv,
                                               const std::uint16_t (&add)[4], std::uint16_t t0, std::uint16_t t1) {
  Blend<32>(f, row, n, inv, add, t0, t1);
}

bool g_bWideAllowed = true;

bool HasAvx2() {
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
  if (HasAvx2())
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
  if (HasAvx2())
    BlendAvx2(format, row, n, inverse, adds, top(0), top(255));
  else
    BlendSse(format, row, n, inverse, adds, top(0), top(255));
  return true;
}
