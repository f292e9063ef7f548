#include "media/draw/fade_span.h"

#include <cstring>

namespace {

// Sixteen bytes of pixels, and the same widened to 16-bit lanes. The operations below are
// written once for these vectors and for plain integers (the row's tail), so both give the
// same numbers. Divisions are by constants: the compiler turns them into multiplications.
typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));
typedef std::uint16_t Words16 __attribute__((vector_size(32)));
typedef std::uint16_t Words8 __attribute__((vector_size(16)));

// x / 255 for 0 <= x <= 65407, without a division.
template <typename V>
inline V Div255(V x) {
  return (x + 1 + (x >> 8)) >> 8;
}

// ---- 32-bit pixels: bytes B, G, R, A ----

// Both passes on 32-bit pixels are the same per byte: out = (x × mul + add[lane]) >> 8 for
// the fade, and Div255(x × mul + add[lane]) for the blend.
template <bool bBlend>
void Row32(std::uint8_t* dst, const std::uint8_t* src, int n, std::uint16_t mul, const std::uint16_t (&add)[4],
           std::uint32_t keepMask, std::uint32_t setMask) {
  const int bytes = n * 4;
  Words16 addv, mulv;
  for (int k = 0; k < 16; ++k) {
    addv[k] = add[k & 3];
    mulv[k] = mul;
  }
  Bytes16 keep, set;
  for (int k = 0; k < 16; ++k) {
    keep[k] = static_cast<std::uint8_t>(keepMask >> (8 * (k & 3)));
    set[k] = static_cast<std::uint8_t>(setMask >> (8 * (k & 3)));
  }
  int i = 0;
  for (; i + 16 <= bytes; i += 16) {
    Bytes16 s, d;
    std::memcpy(&s, src + i, 16);
    std::memcpy(&d, dst + i, 16);
    Words16 x = __builtin_convertvector(s, Words16) * mulv + addv;
    // Div255 written out: a 32-byte vector must not cross a call.
    x = bBlend ? ((x + 1 + (x >> 8)) >> 8) : (x >> 8);
    const Bytes16 out = (__builtin_convertvector(x, Bytes16) & ~keep) | (d & keep) | set;
    std::memcpy(dst + i, &out, 16);
  }
  for (; i < bytes; ++i) {
    const int lane = i & 3;
    const unsigned x = src[i] * static_cast<unsigned>(mul) + add[lane];
    const std::uint8_t v = static_cast<std::uint8_t>(bBlend ? Div255(x) : (x >> 8));
    const std::uint8_t k = static_cast<std::uint8_t>(keepMask >> (8 * lane));
    const std::uint8_t s = static_cast<std::uint8_t>(setMask >> (8 * lane));
    dst[i] = static_cast<std::uint8_t>((v & ~k) | (dst[i] & k) | s);
  }
}

// ---- 16-bit pixels ----

template <int Shift, int Max>
struct Field {
  template <typename V>
  static V Get(V p) {
    return (p >> Shift) & Max;
  }
};

// One field of a 16-bit pixel through the DirectDraw fade.
template <int Shift, int Max, typename V>
inline V FadeField(V p, V amount, V add) {
  const V wide = Field<Shift, Max>::Get(p) * 255 / Max;
  const V mixed = (wide * amount + add) >> 8;
  return (Div255(mixed * Max)) << Shift;
}

// One field of a 16-bit pixel through the colour blend of the quad: widened and narrowed
// with rounding, as every other conversion of the Direct3D back end.
template <int Shift, int Max, typename V>
inline V BlendField(V p, V inverse, V add) {
  const V wide = (Field<Shift, Max>::Get(p) * 255 + Max / 2) / Max;
  const V mixed = Div255(wide * inverse + add);
  return (Div255(mixed * Max + 127)) << Shift;
}

struct Layout565 {
  static constexpr int kR = 11, kRMax = 31, kG = 5, kGMax = 63, kB = 0, kBMax = 31;
};
struct Layout1555 {
  static constexpr int kR = 10, kRMax = 31, kG = 5, kGMax = 31, kB = 0, kBMax = 31;
};

template <typename L, bool bBlend, typename V>
inline V Pixel16(V p, V mul, V addR, V addG, V addB) {
  if constexpr (bBlend)
    return BlendField<L::kR, L::kRMax>(p, mul, addR) | BlendField<L::kG, L::kGMax>(p, mul, addG) |
           BlendField<L::kB, L::kBMax>(p, mul, addB);
  else
    return FadeField<L::kR, L::kRMax>(p, mul, addR) | FadeField<L::kG, L::kGMax>(p, mul, addG) |
           FadeField<L::kB, L::kBMax>(p, mul, addB);
}

// top: how the top bit comes out: kept from the destination (the fade), or set from the
// source's top bit through the two values a blended alpha gives (the quad).
template <typename L, bool bBlend>
void Row16(std::uint8_t* dstBytes, const std::uint8_t* srcBytes, int n, std::uint16_t mul, std::uint16_t addR,
           std::uint16_t addG, std::uint16_t addB, std::uint16_t keepMask, std::uint16_t topIf0, std::uint16_t topIf1) {
  int i = 0;
  const Words8 mulv = Words8{} + mul, rv = Words8{} + addR, gv = Words8{} + addG, bv = Words8{} + addB;
  for (; i + 8 <= n; i += 8) {
    Words8 s, d;
    std::memcpy(&s, srcBytes + 2 * i, 16);
    std::memcpy(&d, dstBytes + 2 * i, 16);
    Words8 out = Pixel16<L, bBlend>(s, mulv, rv, gv, bv) | (d & keepMask);
    if (topIf0 != 0 || topIf1 != 0) out |= ((s >> 15) != 0) ? (Words8{} + topIf1) : (Words8{} + topIf0);
    std::memcpy(dstBytes + 2 * i, &out, 16);
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

}  // namespace

bool FadeRow(ePixelFormat format, std::uint8_t* dst, const std::uint8_t* src, int n, int amount, std::uint8_t red,
             std::uint8_t green, std::uint8_t blue) {
  if (format == ePixelFormat::kP8) return false;
  if (n <= 0) return true;
  amount = amount < 0 ? 0 : (amount > 256 ? 256 : amount);
  const std::uint16_t mul = static_cast<std::uint16_t>(amount);
  const std::uint16_t rest = static_cast<std::uint16_t>(256 - amount);
  const std::uint16_t r = static_cast<std::uint16_t>(red * rest), g = static_cast<std::uint16_t>(green * rest),
                      b = static_cast<std::uint16_t>(blue * rest);
  switch (format) {
    case ePixelFormat::kX8R8G8B8:
    case ePixelFormat::kA8R8G8B8: {
      const std::uint16_t add[4] = {b, g, r, 0};
      Row32<false>(dst, src, n, mul, add, 0xFF000000u, 0);
      return true;
    }
    case ePixelFormat::kR5G6B5: Row16<Layout565, false>(dst, src, n, mul, r, g, b, 0, 0, 0); return true;
    case ePixelFormat::kA1R5G5B5: Row16<Layout1555, false>(dst, src, n, mul, r, g, b, 0x8000, 0, 0); return true;
    case ePixelFormat::kP8: return false;
  }
  return false;
}

bool BlendColourRow(ePixelFormat format, std::uint8_t* row, int n, std::uint32_t argb) {
  if (format == ePixelFormat::kP8) return false;
  const unsigned a = argb >> 24;
  if (n <= 0 || a == 0) return true;
  const std::uint16_t inverse = static_cast<std::uint16_t>(255 - a);
  const auto add = [&](int shift) { return static_cast<std::uint16_t>(((argb >> shift) & 255) * a + 127); };
  switch (format) {
    case ePixelFormat::kX8R8G8B8:
    case ePixelFormat::kA8R8G8B8: {
      const std::uint16_t adds[4] = {add(0), add(8), add(16), add(24)};
      // A target without alpha reads as opaque and is written back opaque.
      Row32<true>(row, row, n, inverse, adds, 0, format == ePixelFormat::kX8R8G8B8 ? 0xFF000000u : 0);
      return true;
    }
    case ePixelFormat::kR5G6B5:
      Row16<Layout565, true>(row, row, n, inverse, add(16), add(8), add(0), 0, 0, 0);
      return true;
    case ePixelFormat::kA1R5G5B5: {
      // The alpha bit widens to 0 or 255 and is set again from a blended alpha of 128 or more.
      const auto top = [&](unsigned alpha) {
        return static_cast<std::uint16_t>(Div255(a * a + alpha * (255 - a) + 127) >= 128 ? 0x8000 : 0);
      };
      Row16<Layout1555, true>(row, row, n, inverse, add(16), add(8), add(0), 0, top(0), top(255));
      return true;
    }
    case ePixelFormat::kP8: return false;
  }
  return false;
}
