#include "media/draw/dd_raster.h"

#include "media/draw/fade_span.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

inline std::uint32_t Mul255(std::uint32_t a, std::uint32_t b) { return Div255Round(a * b); }

inline std::uint32_t DdRasterChannel(std::uint32_t c, int shift) { return (c >> shift) & 255u; }

std::uint32_t ColourOp(int op, std::uint32_t t, std::uint32_t d, std::uint32_t factor) {
  std::uint32_t out = 0;
  const std::uint32_t share = factor >> 24;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t a = DdRasterChannel(t, shift), b = DdRasterChannel(d, shift);
    std::uint32_t v;
    switch (op) {
      case D3DTOP_BLENDFACTORALPHA: v = Div255Round(a * share + DdRasterChannel(factor, shift) * (255 - share)); break;
      case D3DTOP_SELECTARG1: v = a; break;
      case D3DTOP_SELECTARG2:
      case D3DTOP_DISABLE: v = b; break;
      case D3DTOP_ADD: v = std::min(255u, a + b); break;
      case D3DTOP_SUBTRACT: v = a > b ? a - b : 0; break;
      default: v = Mul255(a, b); break;
    }
    out |= v << shift;
  }
  return out;
}

std::uint32_t AlphaOp(int op, std::uint32_t t, std::uint32_t d) {
  const std::uint32_t a = t >> 24, b = d >> 24;
  switch (op) {
    case D3DTOP_SELECTARG1: return a;
    case D3DTOP_SELECTARG2:
    case D3DTOP_DISABLE: return b;
    case D3DTOP_ADD: return std::min(255u, a + b);
    case D3DTOP_SUBTRACT: return a > b ? a - b : 0;
    default: return Mul255(a, b);
  }
}

// Source-alpha blending of every channel, alpha included.
inline std::uint32_t Blend(std::uint32_t s, std::uint32_t d) {
  const std::uint32_t a = s >> 24;
  if (a == 255) return s;
  if (a == 0) return d;
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 24; shift += 8)
    out |= Div255Round(DdRasterChannel(s, shift) * a + DdRasterChannel(d, shift) * (255 - a)) << shift;
  return out;
}

inline int DdRasterFloorDiv(long long n, long long d) {
  long long q = n / d;
  if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
  return static_cast<int>(q);
}

// Taken in 64 bits: a source position plus an offset may pass the int range.
inline int Wrap(std::int64_t v, int size) {
  v %= size;
  return static_cast<int>(v < 0 ? v + size : v);
}

// The texel column of destination offset i.
inline int Sample(int s, int ss, int d, int i) {
  return DdRasterFloorDiv(2LL * s * d + (2LL * i + 1) * ss, 2LL * d);
}

// One texel that is neither wholly opaque nor wholly transparent (or a 16-bit one).
inline void QuadTexel32(std::uint32_t& out, std::uint32_t in, bool bDstAlpha) {
  const std::uint32_t a = in >> 24;
  if (a == 255) {
    out = in;
  } else if (a != 0) {
    out = Blend(in, bDstAlpha ? out : (out | 0xFF000000u));
  }
}

// Texels eight at a time: the alpha bits of the eight AND-ed together are all set only
// when every texel is opaque, and OR-ed together all clear only when none is; such blocks
// are copied or skipped whole, in one pass over the row.
constexpr std::uint64_t kAlpha32 = 0xFF000000FF000000ull;
constexpr std::uint64_t kAlpha16 = 0x8000800080008000ull;

// Opaque 32-bit texels copied as they are, transparent ones skipped, the rest blended.
void Quad32Plain(std::uint32_t* out, const std::uint32_t* in, int n, bool bDstAlpha) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w[4];
    std::memcpy(w, in + i, sizeof w);
    if (((w[0] & w[1] & w[2] & w[3]) & kAlpha32) == kAlpha32) {
      std::memcpy(out + i, w, sizeof w);
    } else if (((w[0] | w[1] | w[2] | w[3]) & kAlpha32) != 0) {
      for (int k = 0; k < 8; ++k) QuadTexel32(out[i + k], in[i + k], bDstAlpha);
    }
  }
  for (; i < n; ++i) QuadTexel32(out[i], in[i], bDstAlpha);
}

// A1R5G5B5 onto A1R5G5B5: texels with the alpha bit are copied, the others skipped.
void Quad16Plain(std::uint16_t* out, const std::uint16_t* in, int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    std::uint64_t w[4];
    std::memcpy(w, in + i, sizeof w);
    if (((w[0] & w[1] & w[2] & w[3]) & kAlpha16) == kAlpha16) {
      std::memcpy(out + i, w, sizeof w);
    } else if (((w[0] | w[1] | w[2] | w[3]) & kAlpha16) != 0) {
      for (int k = 0; k < 16; ++k)
        if (in[i + k] & 0x8000u) out[i + k] = in[i + k];
    }
  }
  for (; i < n; ++i)
    if (in[i] & 0x8000u) out[i] = in[i];
}

}  // namespace

void DrawTexturedQuad(cPixelBuffer& dst, const cPixelBuffer& tex, int x, int y, int w, int h, int sx,
                      int sy, int sw, int sh, const cQuadState& state) {
  if (w <= 0 || h <= 0 || tex.nWidth <= 0 || tex.nHeight <= 0 || dst.nWidth <= 0) return;
  // The quad is clipped in 64 bits: a sprite far off the target (a damaged game may place
  // one at any int) must not overflow the negation or the differences. What is left lies
  // on the target, so the sums below stay small.
  const std::int64_t x64 = x, y64 = y;
  const std::int64_t i0_64 = std::max<std::int64_t>(0, -x64), i1_64 = std::min<std::int64_t>(w, dst.nWidth - x64);
  const std::int64_t j0_64 = std::max<std::int64_t>(0, -y64), j1_64 = std::min<std::int64_t>(h, dst.nHeight - y64);
  if (i0_64 >= i1_64 || j0_64 >= j1_64) return;
  const int i0 = static_cast<int>(i0_64), i1 = static_cast<int>(i1_64);
  const int j0 = static_cast<int>(j0_64), j1 = static_cast<int>(j1_64);
  const bool bPlainColour =
      state.nColorOp == D3DTOP_SELECTARG1 ||
      (state.nColorOp == D3DTOP_MODULATE && (state.dwDiffuse & 0x00FFFFFFu) == 0x00FFFFFFu);
  const bool bPlainAlpha = state.nAlphaOp == D3DTOP_SELECTARG1 ||
                           (state.nAlphaOp == D3DTOP_MODULATE && (state.dwDiffuse >> 24) == 255);
  const bool bUnscaled = sw == w && sh == h && std::int64_t{sx} + i0 >= 0 && std::int64_t{sx} + i1 <= tex.nWidth;
  if (bPlainColour && bPlainAlpha && bUnscaled) {
    const bool b32 = tex.format == ePixelFormat::kA8R8G8B8 &&
                     (dst.format == ePixelFormat::kX8R8G8B8 || dst.format == ePixelFormat::kA8R8G8B8);
    const bool b16 = tex.format == ePixelFormat::kA1R5G5B5 && dst.format == ePixelFormat::kA1R5G5B5;
    if (b32 || b16) {
      for (int j = j0; j < j1; ++j) {
        const int ty = Wrap(std::int64_t{sy} + j, tex.nHeight);
        if (b32) {
          Quad32Plain(reinterpret_cast<std::uint32_t*>(dst.Row(y + j)) + x + i0,
                      reinterpret_cast<const std::uint32_t*>(tex.Row(ty)) + sx + i0, i1 - i0,
                      dst.format == ePixelFormat::kA8R8G8B8);
        } else {
          Quad16Plain(reinterpret_cast<std::uint16_t*>(dst.Row(y + j)) + x + i0,
                      reinterpret_cast<const std::uint16_t*>(tex.Row(ty)) + sx + i0, i1 - i0);
        }
      }
      return;
    }
  }
  for (int j = j0; j < j1; ++j) {
    const int ty = Wrap(Sample(sy, sh, h, j), tex.nHeight);
    for (int i = i0; i < i1; ++i) {
      const int tx = Wrap(Sample(sx, sw, w, i), tex.nWidth);
      const std::uint32_t d = PixelToArgb(dst.format, dst.Get(x + i, y + j));
      const std::uint32_t r = CombineTexel(state, PixelToArgb(tex.format, tex.Get(tx, ty)), d);
      if (r != d) dst.Put(x + i, y + j, ArgbToPixel(dst.format, r));
    }
  }
}

std::uint32_t CombineTexel(const cQuadState& state, std::uint32_t t, std::uint32_t d) {
  const std::uint32_t s = (AlphaOp(state.nAlphaOp, t, state.dwDiffuse) << 24) |
                          ColourOp(state.nColorOp, t, state.dwDiffuse, state.dwTextureFactor);
  return Blend(s, d);
}

void DrawTurnedQuad(cPixelBuffer& dst, const cPixelBuffer& tex, double originX, double originY, double cosA,
                    double sinA, int sx, int sy, int sw, int sh, const cQuadState& state) {
  if (sw == 0 || sh == 0 || tex.nWidth <= 0 || tex.nHeight <= 0 || dst.nWidth <= 0) return;
  // A negative width (height) reads leftwards (upwards) from sx - 1 (sy - 1).
  const bool bMirrorX = sw < 0, bMirrorY = sh < 0;
  sw = std::abs(sw);
  sh = std::abs(sh);
  // The corners, for the rows and columns worth visiting.
  double minX = originX, maxX = originX, minY = originY, maxY = originY;
  for (int corner = 1; corner < 4; ++corner) {
    const double u = (corner & 1) ? sw : 0, v = (corner & 2) ? sh : 0;
    const double cx = originX + u * cosA - v * sinA, cy = originY + u * sinA + v * cosA;
    minX = std::min(minX, cx);
    maxX = std::max(maxX, cx);
    minY = std::min(minY, cy);
    maxY = std::max(maxY, cy);
  }
  // Clamped as doubles first: corners far off the target do not fit an int.
  auto column = [](double v, int limit) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(limit))); };
  const int x0 = column(std::floor(minX), dst.nWidth), x1 = column(std::ceil(maxX) + 1, dst.nWidth);
  const int y0 = column(std::floor(minY), dst.nHeight), y1 = column(std::ceil(maxY) + 1, dst.nHeight);
  const bool bPlain =
      (state.nColorOp == D3DTOP_SELECTARG1 ||
       (state.nColorOp == D3DTOP_MODULATE && (state.dwDiffuse & 0x00FFFFFFu) == 0x00FFFFFFu)) &&
      (state.nAlphaOp == D3DTOP_SELECTARG1 || (state.nAlphaOp == D3DTOP_MODULATE && (state.dwDiffuse >> 24) == 255));
  const bool b32 = bPlain && tex.format == ePixelFormat::kA8R8G8B8 &&
                   (dst.format == ePixelFormat::kX8R8G8B8 || dst.format == ePixelFormat::kA8R8G8B8);
  const bool b16 = bPlain && tex.format == ePixelFormat::kA1R5G5B5 && dst.format == ePixelFormat::kA1R5G5B5;
  const bool bDstAlpha = dst.format == ePixelFormat::kA8R8G8B8;
  // A rectangle inside the texture needs no wrapping.
  const long long left = bMirrorX ? static_cast<long long>(sx) - sw : sx, top = bMirrorY ? static_cast<long long>(sy) - sh : sy;
  const bool bInside = left >= 0 && top >= 0 && left + sw <= tex.nWidth && top + sh <= tex.nHeight;
  // The columns of a row whose centre can fall inside 0 <= a + slope x ox < limit, one
  // pixel wider on each side; the test of each pixel stays exact.
  auto narrow = [](double a, double slope, double limit, double originX, int& b, int& e) {
    if (std::fabs(slope) < 1e-9) return;
    double p = (0 - a) / slope + originX - 0.5, q = (limit - a) / slope + originX - 0.5;
    if (p > q) std::swap(p, q);
    if (p > e || q < b) {
      e = b;
      return;
    }
    b = std::max(b, static_cast<int>(std::max(std::floor(p), static_cast<double>(b))) - 1);
    e = std::min(e, static_cast<int>(std::min(std::ceil(q), static_cast<double>(e))) + 2);
  };
  for (int py = y0; py < y1; ++py) {
    const double oy = py + 0.5 - originY;
    int b = x0, e = x1;
    narrow(oy * sinA, cosA, sw, originX, b, e);
    narrow(oy * cosA, -sinA, sh, originX, b, e);
    for (int px = b; px < e; ++px) {
      const double ox = px + 0.5 - originX;
      // Back to the texture: the turn undone.
      const double u = ox * cosA + oy * sinA, v = -ox * sinA + oy * cosA;
      if (!(u >= 0 && u < sw && v >= 0 && v < sh)) continue;
      const int iu = static_cast<int>(u), iv = static_cast<int>(v);
      int tx = bMirrorX ? sx - 1 - iu : sx + iu, ty = bMirrorY ? sy - 1 - iv : sy + iv;
      if (!bInside) {
        tx = Wrap(tx, tex.nWidth);
        ty = Wrap(ty, tex.nHeight);
      }
      if (b32) {
        // As the axis-aligned quad: opaque texels copied, transparent ones skipped.
        std::uint32_t t, out;
        std::memcpy(&t, tex.Row(ty) + 4 * tx, 4);
        std::memcpy(&out, dst.Row(py) + 4 * px, 4);
        QuadTexel32(out, t, bDstAlpha);
        std::memcpy(dst.Row(py) + 4 * px, &out, 4);
        continue;
      }
      if (b16) {
        std::uint16_t t;
        std::memcpy(&t, tex.Row(ty) + 2 * tx, 2);
        if (t & 0x8000u) std::memcpy(dst.Row(py) + 2 * px, &t, 2);
        continue;
      }
      const std::uint32_t d = PixelToArgb(dst.format, dst.Get(px, py));
      const std::uint32_t r = CombineTexel(state, PixelToArgb(tex.format, tex.Get(tx, ty)), d);
      if (r != d) dst.Put(px, py, ArgbToPixel(dst.format, r));
    }
  }
}

void DrawColorQuad(cPixelBuffer& dst, int x, int y, int w, int h, D3DCOLOR colour) {
  const int x0 = std::max(0, x), x1 = std::min(dst.nWidth, x + w);
  const int y0 = std::max(0, y), y1 = std::min(dst.nHeight, y + h);
  if ((colour >> 24) == 255) {
    ClearRect(dst, RECT{x0, y0, x1, y1}, colour);
    return;
  }
  // Every format with colour channels blends whole rows at a time.
  if (dst.format != ePixelFormat::kP8) {
    for (int py = y0; py < y1; ++py) BlendColourRow(dst.format, dst.Row(py) + x0 * dst.BytesPerPixel(), x1 - x0, colour);
    return;
  }
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px) {
      const std::uint32_t d = PixelToArgb(dst.format, dst.Get(px, py));
      const std::uint32_t r = Blend(colour, d);
      if (r != d) dst.Put(px, py, ArgbToPixel(dst.format, r));
    }
}

void ClearRect(cPixelBuffer& dst, RECT rect, D3DCOLOR colour) {
  FillRectRaw(dst, rect, ArgbToPixel(dst.format, colour));
}

void FillRectRaw(cPixelBuffer& dst, RECT r, std::uint32_t value) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, dst.nWidth);
  r.bottom = std::min<LONG>(r.bottom, dst.nHeight);
  if (r.left >= r.right || r.top >= r.bottom) return;
  const int n = r.right - r.left;
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* row = dst.Row(y);
    switch (dst.BytesPerPixel()) {
      case 1: std::memset(row + r.left, static_cast<int>(value & 255), n); break;
      case 2: std::fill_n(reinterpret_cast<std::uint16_t*>(row) + r.left, n, static_cast<std::uint16_t>(value)); break;
      default: std::fill_n(reinterpret_cast<std::uint32_t*>(row) + r.left, n, value); break;
    }
  }
}

namespace {
bool RectInside(const RECT& r, const cPixelBuffer& b) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= b.nWidth &&
         r.bottom <= b.nHeight;
}

// Keyed copy sixteen bytes at a time: each lane takes the source where it is not the key.
template <typename T>
void CopyKeyedRow(T* out, const T* in, int n, T key, T mask) {
  typedef T Lanes __attribute__((vector_size(16)));
  constexpr int kLanes = 16 / sizeof(T);
  // Zeroed first: GCC cannot see that the loop fills every lane and warns under some
  // instrumentations (ThreadSanitizer).
  Lanes keys = {}, masks = {};
  for (int k = 0; k < kLanes; ++k) {
    keys[k] = key;
    masks[k] = mask;
  }
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    Lanes src, dst;
    std::memcpy(&src, in + i, sizeof src);
    std::memcpy(&dst, out + i, sizeof dst);
    const Lanes take = reinterpret_cast<Lanes>((src & masks) != keys);
    dst = (src & take) | (dst & ~take);
    std::memcpy(out + i, &dst, sizeof dst);
  }
  for (; i < n; ++i)
    if ((in[i] & mask) != key) out[i] = in[i];
}
}  // namespace

HRESULT CopyRectFast(cPixelBuffer& dst, int x, int y, const cPixelBuffer& src, const RECT& from, bool bKey,
                     std::uint32_t key) {
  const RECT to{x, y, x + (from.right - from.left), y + (from.bottom - from.top)};
  if (!RectInside(from, src) || !RectInside(to, dst) || src.format != dst.format) return DDERR_INVALIDRECT;
  const int bpp = dst.BytesPerPixel();
  const int n = from.right - from.left;
  for (int j = 0; j < from.bottom - from.top; ++j) {
    std::uint8_t* out = dst.Row(y + j) + x * bpp;
    const std::uint8_t* in = src.Row(from.top + j) + from.left * bpp;
    if (!bKey) {
      std::memmove(out, in, static_cast<std::size_t>(n) * bpp);
    } else if (bpp == 1) {
      CopyKeyedRow<std::uint8_t>(out, in, n, static_cast<std::uint8_t>(key), 0xFF);
    } else if (bpp == 2) {
      CopyKeyedRow<std::uint16_t>(reinterpret_cast<std::uint16_t*>(out), reinterpret_cast<const std::uint16_t*>(in), n,
                                  static_cast<std::uint16_t>(key), 0xFFFF);
    } else {
      const std::uint32_t mask = dst.format == ePixelFormat::kX8R8G8B8 ? 0x00FFFFFFu : 0xFFFFFFFFu;
      CopyKeyedRow<std::uint32_t>(reinterpret_cast<std::uint32_t*>(out), reinterpret_cast<const std::uint32_t*>(in), n,
                                  key & mask, mask);
    }
  }
  return DD_OK;
}

HRESULT CopyRectStretched(cPixelBuffer& dst, const RECT& to, const cPixelBuffer& src, const RECT& from, bool bKey,
                          std::uint32_t key) {
  if (!RectInside(from, src) || !RectInside(to, dst) || src.format != dst.format) return DDERR_INVALIDRECT;
  const int w = to.right - to.left, h = to.bottom - to.top;
  const int sw = from.right - from.left, sh = from.bottom - from.top;
  const std::uint32_t keyBits = ColourBits(src.format, key);
  for (int j = 0; j < h; ++j) {
    const int syy = from.top + static_cast<int>(static_cast<long long>(j) * sh / h);
    for (int i = 0; i < w; ++i) {
      const int sxx = from.left + static_cast<int>(static_cast<long long>(i) * sw / w);
      const std::uint32_t p = src.Get(sxx, syy);
      if (bKey && ColourBits(src.format, p) == keyBits) continue;
      dst.Put(to.left + i, to.top + j, p);
    }
  }
  return DD_OK;
}
