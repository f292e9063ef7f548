#include "media/draw/pixel_effect_loops.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "media/draw/dd_raster.h"
#include "media/draw/effect_rows.h"

namespace {

using F = ePixelFormat;
using u32 = std::uint32_t;
using i64 = long long;

// ---- pixels of one format ----

template <F Fm>
constexpr int kBytes = Fm == F::kP8 ? 1 : (Fm == F::kR5G6B5 || Fm == F::kA1R5G5B5) ? 2 : 4;

template <F Fm>
inline u32 Load(const std::uint8_t* row, int x) {
  if constexpr (kBytes<Fm> == 1) {
    return row[x];
  } else if constexpr (kBytes<Fm> == 2) {
    std::uint16_t v;
    std::memcpy(&v, row + 2 * static_cast<std::ptrdiff_t>(x), 2);
    return v;
  } else {
    u32 v;
    std::memcpy(&v, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
    return v;
  }
}

template <F Fm>
inline void Store(std::uint8_t* row, int x, u32 value) {
  if constexpr (kBytes<Fm> == 1) {
    row[x] = static_cast<std::uint8_t>(value);
  } else if constexpr (kBytes<Fm> == 2) {
    const auto v = static_cast<std::uint16_t>(value);
    std::memcpy(row + 2 * static_cast<std::ptrdiff_t>(x), &v, 2);
  } else {
    std::memcpy(row + 4 * static_cast<std::ptrdiff_t>(x), &value, 4);
  }
}

// Whether a source pixel is transparent under the back end's rule.
template <F Fm, bool bDD>
inline bool IsClear(u32 p, u32 key) {
  if constexpr (bDD) {
    if constexpr (kBytes<Fm> == 4)
      return ((p ^ key) & 0x00FFFFFFu) == 0;
    else
      return p == key;
  } else if constexpr (Fm == F::kA1R5G5B5) {
    return (p & 0xA000u) == 0;
  } else if constexpr (Fm == F::kR5G6B5) {
    return false;  // a back buffer has no alpha
  } else {
    return (p >> 24) == 0;
  }
}

// Channel fields in the format's own units.
template <F Fm>
inline void Split(u32 p, u32& r, u32& g, u32& b) {
  if constexpr (Fm == F::kR5G6B5) {
    r = (p >> 11) & 31u;
    g = (p >> 5) & 63u;
    b = p & 31u;
  } else if constexpr (Fm == F::kA1R5G5B5) {
    r = (p >> 10) & 31u;
    g = (p >> 5) & 31u;
    b = p & 31u;
  } else {
    r = (p >> 16) & 255u;
    g = (p >> 8) & 255u;
    b = p & 255u;
  }
}

template <F Fm>
inline u32 Join(u32 r, u32 g, u32 b) {
  if constexpr (Fm == F::kR5G6B5)
    return (r << 11) | (g << 5) | b;
  else if constexpr (Fm == F::kA1R5G5B5)
    return (r << 10) | (g << 5) | b;
  else
    return (r << 16) | (g << 8) | b;
}

template <F Fm>
constexpr u32 kGreenMax = Fm == F::kR5G6B5 ? 63u : (kBytes<Fm> == 2 ? 31u : 255u);

// Green of S in D's units: the back buffer's six bits are the texture's five doubled.
template <F S, F D>
inline u32 GreenTo(u32 g) {
  if constexpr (S == F::kA1R5G5B5 && D == F::kR5G6B5)
    return g << 1;
  else if constexpr (S == F::kR5G6B5 && D == F::kA1R5G5B5)
    return g >> 1;
  else
    return g;
}

// A computed colour (D's fields joined) made into the pixel written over old.
template <F D, bool bDD>
inline u32 Finish(u32 rgb, u32 old) {
  if constexpr (bDD) {
    if constexpr (kBytes<D> == 4) return rgb | (old & 0xFF000000u);
    return rgb;
  } else if constexpr (D == F::kA1R5G5B5) {
    return rgb | 0x8000u;
  } else if constexpr (kBytes<D> == 4) {
    return rgb | 0xFF000000u;
  } else {
    return rgb;
  }
}

// A pixel copied as read, in D's layout.
template <F S, F D>
inline u32 Carry(u32 p) {
  if constexpr (S == D) {
    return p;
  } else {
    u32 r, g, b;
    Split<S>(p, r, g, b);
    return Join<D>(r, GreenTo<S, D>(g), b) | (D == F::kA1R5G5B5 ? 0x8000u : 0u);
  }
}

// ---- clipping ----

struct Span {
  int b = 0, e = 0;
  bool Empty() const { return b >= e; }
};

// The offsets k in [0, len) for which start + k lies in [0, limit).
Span Within(i64 start, i64 len, i64 limit) {
  const i64 b = std::max<i64>(0, -start), e = std::min<i64>(len, limit - start);
  if (b >= e) return {};
  return {static_cast<int>(b), static_cast<int>(e)};
}

Span Cut(Span a, Span b) {
  const Span s{std::max(a.b, b.b), std::min(a.e, b.e)};
  return s.Empty() ? Span{} : s;
}

inline std::uint8_t* RowOf(const cLockedPixels& p, i64 y) { return p.pBits + y * p.nPitch; }

F Canonical(F f) { return f == F::kA8R8G8B8 ? F::kX8R8G8B8 : f; }

// Calls fn.template operator()<S, D, bDD, bKey>() for the pair's formats: one loop per
// pair of formats and key flag, chosen here once per call.
template <class Fn>
void Dispatch(const cEffectPixels& px, bool bKey, Fn&& fn) {
  const F s = Canonical(px.src.format), d = Canonical(px.dst.format);
  auto withKey = [&]<F S, F D, bool bDD>() {
    if (bKey)
      fn.template operator()<S, D, bDD, true>();
    else
      fn.template operator()<S, D, bDD, false>();
  };
  if (!px.bDirect3D) {
    if (s != d) return;
    if (s == F::kP8) withKey.template operator()<F::kP8, F::kP8, true>();
    if (s == F::kR5G6B5) withKey.template operator()<F::kR5G6B5, F::kR5G6B5, true>();
    if (s == F::kX8R8G8B8) withKey.template operator()<F::kX8R8G8B8, F::kX8R8G8B8, true>();
    return;
  }
  if (s == F::kX8R8G8B8 && d == F::kX8R8G8B8) withKey.template operator()<F::kX8R8G8B8, F::kX8R8G8B8, false>();
  if (s == F::kA1R5G5B5 && d == F::kA1R5G5B5) withKey.template operator()<F::kA1R5G5B5, F::kA1R5G5B5, false>();
  if (s == F::kA1R5G5B5 && d == F::kR5G6B5) withKey.template operator()<F::kA1R5G5B5, F::kR5G6B5, false>();
  if (s == F::kR5G6B5 && d == F::kR5G6B5) withKey.template operator()<F::kR5G6B5, F::kR5G6B5, false>();
  if (s == F::kR5G6B5 && d == F::kA1R5G5B5) withKey.template operator()<F::kR5G6B5, F::kA1R5G5B5, false>();
}

// ---- 0-255 widening of 16-bit fields (DirectDraw): field x 255 / max down, and back ----

struct cWidenTables {
  std::uint8_t widen5[32], widen6[64];
  std::uint8_t narrow5[256], narrow6[256];
  cWidenTables() {
    for (u32 v = 0; v < 32; ++v) widen5[v] = static_cast<std::uint8_t>(v * 255 / 31);
    for (u32 v = 0; v < 64; ++v) widen6[v] = static_cast<std::uint8_t>(v * 255 / 63);
    for (u32 v = 0; v < 256; ++v) {
      narrow5[v] = static_cast<std::uint8_t>(v * 31 / 255);
      narrow6[v] = static_cast<std::uint8_t>(v * 63 / 255);
    }
  }
};
const cWidenTables& WidenTables() {
  static const cWidenTables tables;
  return tables;
}

inline u32 PixelEffectLoopsWiden(u32 v, u32 max) {
  const cWidenTables& t = WidenTables();
  return max == 63 ? t.widen6[v] : (max == 31 ? t.widen5[v] : v);
}
inline u32 PixelEffectLoopsNarrow(u32 v, u32 max) {
  const cWidenTables& t = WidenTables();
  return max == 63 ? t.narrow6[v] : (max == 31 ? t.narrow5[v] : v);
}

// ---- mosaic ----

template <F S, F D, bool bDD, bool bKey>
void MosaicLoop(const cEffectPixels& px, int x, int y, int w, int h, int block, int sx, int sy) {
  const Span K = Within(x, w, px.dst.nWidth), J = Within(y, h, px.dst.nHeight);
  if (K.Empty() || J.Empty()) return;
  const Span Cv = Within(sx, w, px.src.nWidth), Rv = Within(sy, h, px.src.nHeight);
  // Corner sampling for Direct3D and palette indices, block averages for DirectDraw colour.
  constexpr bool bSample = !bDD || S == F::kP8;
  constexpr u32 kRB = kBytes<S> == 2 ? 31u : 255u;
  for (i64 by = static_cast<i64>(J.b) / block * block; by < J.e; by += block) {
    const Span rows = Cut(J, Span{static_cast<int>(by), static_cast<int>(std::min<i64>(h, by + block))});
    const Span srcRows = Cut(Rv, Span{static_cast<int>(by), static_cast<int>(std::min<i64>(h, by + block))});
    for (i64 bx = static_cast<i64>(K.b) / block * block; bx < K.e; bx += block) {
      const Span cols = Cut(K, Span{static_cast<int>(bx), static_cast<int>(std::min<i64>(w, bx + block))});
      if constexpr (bSample) {
        if (bx < Cv.b || bx >= Cv.e || by < Rv.b || by >= Rv.e) continue;
        const u32 p = Load<S>(RowOf(px.src, sy + by), static_cast<int>(sx + bx));
        if (bKey && IsClear<S, bDD>(p, px.dwKey)) continue;
        const u32 value = Carry<S, D>(p);
        for (int j = rows.b; j < rows.e; ++j) {
          std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j);
          for (int k = cols.b; k < cols.e; ++k) Store<D>(out, x + k, value);
        }
      } else {
        const Span srcCols = Cut(Cv, Span{static_cast<int>(bx), static_cast<int>(std::min<i64>(w, bx + block))});
        u32 count = 0;
        std::uint64_t sr = 0, sg = 0, sb = 0;
        for (int j = srcRows.b; j < srcRows.e; ++j) {
          const std::uint8_t* in = RowOf(px.src, static_cast<i64>(sy) + j);
          for (int k = srcCols.b; k < srcCols.e; ++k) {
            const u32 p = Load<S>(in, sx + k);
            if (bKey && IsClear<S, bDD>(p, px.dwKey)) continue;
            u32 r, g, b;
            Split<S>(p, r, g, b);
            sr += PixelEffectLoopsWiden(r, kRB);
            sg += PixelEffectLoopsWiden(g, kGreenMax<S>);
            sb += PixelEffectLoopsWiden(b, kRB);
            ++count;
          }
        }
        if (count == 0) continue;
        const u32 rgb = Join<D>(PixelEffectLoopsNarrow(static_cast<u32>(sr / count), kRB),
                                PixelEffectLoopsNarrow(static_cast<u32>(sg / count), kGreenMax<S>),
                                PixelEffectLoopsNarrow(static_cast<u32>(sb / count), kRB));
        if (bKey && IsClear<D, bDD>(rgb, px.dwKey)) continue;
        for (int j = rows.b; j < rows.e; ++j) {
          std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j);
          for (int k = cols.b; k < cols.e; ++k) Store<D>(out, x + k, Finish<D, bDD>(rgb, Load<D>(out, x + k)));
        }
      }
    }
  }
}

// ---- blur ----

// Column sums of the rows in the window move down one row per output row; along a row,
// the box is the difference of two prefix sums of those column sums. Each pixel costs the
// same whatever the radius. Sums wrap modulo the width of Sum, which is exact as long as
// the largest box sum fits: 32 bits unless 255 x the largest count does not. While every
// channel's box sum fits in 21 bits, the three channels ride in one 64-bit sum (red from
// bit 42, green from bit 21), one addition for all three.
template <F S, F D, bool bDD, bool bKey, class Sum, bool bPacked>
void BlurLoop(const cEffectPixels& px, int x, int y, i64 rx, i64 ry, int sx, int sy, Span K, Span J, Span Cv,
              Span Rv) {
  // The source columns any window reaches.
  const i64 c0 = std::max<i64>(Cv.b, K.b - rx), c1 = std::min<i64>(Cv.e, K.e + rx);
  if (c0 >= c1) return;
  const int n = static_cast<int>(c1 - c0);
  constexpr int kLaneSize = bPacked ? 0 : 1;
  std::vector<Sum> cr(n, 0), cg(n * kLaneSize, 0), cb(n * kLaneSize, 0), cn(bKey ? n : 0, 0);
  std::vector<Sum> pr(n + 1, 0), pg((n + 1) * kLaneSize, 0), pb((n + 1) * kLaneSize, 0), pn(bKey ? n + 1 : 0, 0);
  auto addRow = [&](i64 j, Sum sign) {
    const std::uint8_t* in = RowOf(px.src, sy + j) + static_cast<std::ptrdiff_t>(sx + c0) * kBytes<S>;
    for (int a = 0; a < n; ++a) {
      const u32 p = Load<S>(in, a);
      u32 r, g, b;
      Split<S>(p, r, g, b);
      Sum m = sign;
      if constexpr (bKey) m = IsClear<S, bDD>(p, px.dwKey) ? 0 : sign;
      if constexpr (bPacked) {
        cr[a] += ((static_cast<Sum>(r) << 42) | (static_cast<Sum>(g) << 21) | b) * m;
      } else {
        cr[a] += r * m;
        cg[a] += g * m;
        cb[a] += b * m;
      }
      if constexpr (bKey) cn[a] += m;
    }
  };
  // Each pixel's window as prefix positions, and (unkeyed) how many columns it counts.
  std::vector<int> lo(K.e - K.b), hi(K.e - K.b);
  for (int k = K.b; k < K.e; ++k) {
    lo[k - K.b] = static_cast<int>(std::clamp<i64>(k - rx, c0, c1) - c0);
    hi[k - K.b] = static_cast<int>(std::clamp<i64>(k + rx, c0, c1) - c0);
  }
  const Sum kMinus = static_cast<Sum>(0) - 1;
  // Division by a count c as a product: q = (s x ceil(2^32 / c)) >> 32 equals s / c while
  // s x c < 2^32, which holds for every s <= 255 c once c < 4104. Larger counts divide.
  const i64 most = std::min<i64>(2 * rx, Cv.e - Cv.b) * std::min<i64>(2 * ry, Rv.e - Rv.b);
  std::vector<std::uint64_t> reciprocal(static_cast<std::size_t>(std::min<i64>(most, 4103) + 1), 0);
  for (std::size_t c = 1; c < reciprocal.size(); ++c) reciprocal[c] = ((1ull << 32) + c - 1) / c;
  const std::uint64_t* recip = reciprocal.data();
  const std::size_t nRecip = reciprocal.size();
  for (i64 j = std::max<i64>(J.b - ry, Rv.b); j < std::min<i64>(J.b + ry, Rv.e); ++j) addRow(j, 1);
  for (int j = J.b; j < J.e; ++j) {
    if (j > J.b) {
      if (j + ry - 1 >= Rv.b && j + ry - 1 < Rv.e) addRow(j + ry - 1, 1);
      if (j - 1 - ry >= Rv.b && j - 1 - ry < Rv.e) addRow(j - 1 - ry, kMinus);
    }
    const Sum cntY = static_cast<Sum>(std::max<i64>(0, std::min<i64>(j + ry, Rv.e) - std::max<i64>(j - ry, Rv.b)));
    if (!bKey && cntY == 0) continue;
    for (int a = 0; a < n; ++a) {
      pr[a + 1] = pr[a] + cr[a];
      if constexpr (!bPacked) {
        pg[a + 1] = pg[a] + cg[a];
        pb[a + 1] = pb[a] + cb[a];
      }
      if constexpr (bKey) pn[a + 1] = pn[a] + cn[a];
    }
    std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j);
    const bool bSrcRow = j >= Rv.b && j < Rv.e;
    const std::uint8_t* in = bSrcRow ? RowOf(px.src, static_cast<i64>(sy) + j) : nullptr;
    // One pixel from its window's prefix positions and count, and its division.
    auto pixel = [&](int k, int a0, int a1, Sum count, std::uint64_t m) {
      Sum r, g, b;
      if constexpr (bPacked) {
        const Sum box = pr[a1] - pr[a0];
        r = box >> 42;
        g = (box >> 21) & 0x1FFFFF;
        b = box & 0x1FFFFF;
      } else {
        r = pr[a1] - pr[a0];
        g = pg[a1] - pg[a0];
        b = pb[a1] - pb[a0];
      }
      u32 rgb;
      if (m != 0) {
        rgb = Join<D>(static_cast<u32>((r * m) >> 32), GreenTo<S, D>(static_cast<u32>((g * m) >> 32)),
                      static_cast<u32>((b * m) >> 32));
      } else {
        rgb = Join<D>(static_cast<u32>(r / count), GreenTo<S, D>(static_cast<u32>(g / count)),
                      static_cast<u32>(b / count));
      }
      Store<D>(out, x + k, Finish<D, bDD>(rgb, Load<D>(out, x + k)));
    };
    auto edgePixel = [&](int k) {
      const int a0 = lo[k - K.b], a1 = hi[k - K.b];
      Sum count;
      if constexpr (bKey)
        count = pn[a1] - pn[a0];
      else
        count = static_cast<Sum>(a1 - a0) * cntY;
      if (count == 0) return;
      if constexpr (bKey)
        if (bSrcRow && k >= Cv.b && k < Cv.e && IsClear<S, bDD>(Load<S>(in, sx + k), px.dwKey)) return;
      pixel(k, a0, a1, count, count < nRecip ? recip[count] : 0);
    };
    if constexpr (bKey) {
      for (int k = K.b; k < K.e; ++k) edgePixel(k);
    } else {
      // Inside, every window is whole: the same count and divisor along the row.
      const int i0 = static_cast<int>(std::clamp<i64>(c0 + rx, K.b, K.e));
      const int i1 = static_cast<int>(std::clamp<i64>(c1 - rx + 1, i0, K.e));
      for (int k = K.b; k < i0; ++k) edgePixel(k);
      const Sum count = static_cast<Sum>(2 * rx) * cntY;
      const std::uint64_t m = count < nRecip ? recip[count] : 0;
      const int shift = static_cast<int>(rx + c0);
      for (int k = i0; k < i1; ++k) pixel(k, k - shift, k - shift + static_cast<int>(2 * rx), count, m);
      for (int k = i1; k < K.e; ++k) edgePixel(k);
    }
  }
}

// The common case, small radii: a pixel's three fields and a 1 for "counted" spread over
// the four 16-bit lanes of one 64-bit word (blue, green, red, count from the bottom). As
// long as every lane of every true sum (a column of the window's rows, a whole box) stays
// below 2^16, the word is exactly those lanes side by side: words add and subtract modulo
// 2^64 like the integers they stand for, so one integer operation moves all four sums,
// and whatever wraps in between comes back; 16-bit vector lanes (effect_rows.h) add the
// same words lane by lane with the same results. Windows run over zeros past the source's
// edges and need no test; the count lane says how many pixels each box holds.

// The lane rule of a source format under the back end's transparency.
template <F S, bool bDD, bool bKey>
cLaneSource LaneSourceOf(u32 key) {
  cLaneSource src;
  src.format = S;
  src.dwKey = key;
  if constexpr (bKey) {
    if constexpr (bDD) src.clear = eLaneClear::kColourKey;
    else if constexpr (S != F::kR5G6B5) src.clear = eLaneClear::kAlpha;  // a back buffer has no alpha
  }
  return src;
}

// Boxes of at most kLanesMost pixels take this path: every lane of a box sum stays below
// 255 x 256 < 2^16, and a count of at most 256 divides exactly in 16-bit lanes (see
// DivideLanes). Each row: the column sums move down one row in vector passes, the boxes
// slide along the row in one word per pixel, and the division runs four pixels at a time.
constexpr i64 kLanesMost = 256;
static_assert(kLanesMost * 255 < (1 << 16), "a box's lanes must stay below 2^16");
template <F S, F D, bool bDD, bool bKey>
void BlurLanesLoop(const cEffectPixels& px, int x, int y, i64 rx, i64 ry, int sx, int sy, Span K, Span J, Span Cv,
                   Span Rv) {
  // The source columns any window reaches; the column sums are kept for [K.b - rx, K.e + rx),
  // zero outside [c0, c1), so that every window is a plain run of 2 rx words.
  const i64 c0 = std::max<i64>(Cv.b, K.b - rx), c1 = std::min<i64>(Cv.e, K.e + rx);
  if (c0 >= c1) return;
  const i64 base = K.b - rx;
  const int n = static_cast<int>(c1 - c0), width = static_cast<int>(K.e - K.b + 2 * rx);
  const int pixels = K.e - K.b;
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(width), 0);
  std::uint64_t* col = sums.data() + (c0 - base);
  // Per pixel of the row: its box and its count's divisor (0: the pixel is left alone).
  std::vector<std::uint64_t> rows(2 * static_cast<std::size_t>(pixels));
  std::uint64_t* const boxes = rows.data();
  std::uint64_t* const divisors = boxes + pixels;
  std::uint64_t divisorOf[kLanesMost + 1];
  for (int c = 0; c <= kLanesMost; ++c) divisorOf[c] = CountDivisor(static_cast<unsigned>(c));
  const u32 key = px.dwKey;
  const cLaneSource src = LaneSourceOf<S, bDD, bKey>(key);
  const auto sourceRow = [&](i64 j) {
    return RowOf(px.src, sy + j) + static_cast<std::ptrdiff_t>(sx + c0) * kBytes<S>;
  };
  // The lanes of the window's rows stay in a ring while the window holds them, each in the
  // slot of the row that replaces it, so that each source row is spread once: unless the
  // ring would be very large.
  const i64 ringRows = 2 * ry;
  const bool bRing = ringRows * n <= (1 << 19);
  std::vector<std::uint64_t> ring(bRing ? static_cast<std::size_t>(ringRows * n) : 0, 0);
  const auto inPicture = [&](i64 j) { return j >= Rv.b && j < Rv.e; };
  for (i64 j = J.b - ry; j < J.b + ry; ++j) {
    if (bRing)
      SwapLaneRow(col, ring.data() + (j - (J.b - ry)) * n, inPicture(j) ? sourceRow(j) : nullptr, n, src);
    else if (inPicture(j))
      AddLaneRows(col, sourceRow(j), nullptr, n, src);
  }
  // Computed pixels carry their alpha under Direct3D; DirectDraw 32-bit keeps the old top byte.
  constexpr u32 kTop = bDD ? 0u : (kBytes<D> == 4 ? 0xFF000000u : (D == F::kA1R5G5B5 ? 0x8000u : 0u));
  const std::uint64_t* window = sums.data();
  const int span = static_cast<int>(2 * rx);
  i64 countsOfRows = -1;  // the rows' count the count rows were made for (unkeyed)
  bool bWhole = false;    // no divisor of the row is 0
  for (int j = J.b; j < J.e; ++j) {
    if (j > J.b) {
      const i64 leaving = j - 1 - ry, entering = j + ry - 1;
      const bool bLeaves = inPicture(leaving), bEnters = inPicture(entering);
      if (bRing)
        SwapLaneRow(col, ring.data() + (j - 1 - J.b) % ringRows * n, bEnters ? sourceRow(entering) : nullptr, n, src);
      else
        AddLaneRows(col, bEnters ? sourceRow(entering) : nullptr, bLeaves ? sourceRow(leaving) : nullptr, n, src);
    }
    const i64 rowsIn = std::max<i64>(0, std::min<i64>(j + ry, Rv.e) - std::max<i64>(j - ry, Rv.b));
    if (!bKey && rowsIn == 0) continue;
    // The boxes are kept for the row only where the counts are needed: with the key, and
    // without it when the rows' count changes; otherwise they slide inside the division.
    cLaneBoxes rowBoxes;
    if (bKey || rowsIn != countsOfRows) {
      std::uint64_t box = 0;
      for (int a = 0; a < span; ++a) box += window[a];
      for (int i = 0; i < pixels; ++i) {
        boxes[i] = box;
        box = box - window[i] + window[i + span];  // the next pixel's box
      }
      bWhole = !bKey;
      for (int i = 0; i < pixels; ++i) {
        divisors[i] = divisorOf[boxes[i] >> 48];
        if (divisors[i] == 0) bWhole = false;
      }
      countsOfRows = rowsIn;
      rowBoxes.box = boxes;
    } else {
      rowBoxes.window = window;
      rowBoxes.span = span;
    }
    // With the key, a transparent source pixel under the output leaves it alone.
    if (bKey && j >= Rv.b && j < Rv.e) {
      const std::uint8_t* in = RowOf(px.src, static_cast<i64>(sy) + j) + static_cast<std::ptrdiff_t>(sx) * kBytes<S>;
      for (int k = std::max(K.b, Cv.b); k < std::min(K.e, Cv.e); ++k)
        if (IsClear<S, bDD>(Load<S>(in, k), key)) divisors[k - K.b] = 0;
    }
    std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j) + static_cast<std::ptrdiff_t>(x + K.b) * kBytes<D>;
    DivideLanes(out, rowBoxes, divisors, pixels, D, S, kTop, bDD && kBytes<D> == 4, bWhole);
  }
}

template <F S, F D, bool bDD, bool bKey>
void BlurDispatch(const cEffectPixels& px, int x, int y, int w, int h, int rx, int ry, int sx, int sy) {
  if constexpr (S == F::kP8) {
    return;
  } else {
    const Span K = Within(x, w, px.dst.nWidth), J = Within(y, h, px.dst.nHeight);
    const Span Cv = Within(sx, w, px.src.nWidth), Rv = Within(sy, h, px.src.nHeight);
    if (K.Empty() || J.Empty() || Cv.Empty() || Rv.Empty()) return;
    // Past the point where every window already holds every valid column (row), a larger
    // radius changes nothing.
    const i64 rxCap = std::min<i64>(rx, std::max<i64>(K.e - Cv.b, Cv.e - K.b) + 1);
    const i64 ryCap = std::min<i64>(ry, std::max<i64>(J.e - Rv.b, Rv.e - J.b) + 1);
    const i64 most = std::min<i64>(2 * rxCap, Cv.e - Cv.b) * std::min<i64>(2 * ryCap, Rv.e - Rv.b);
    if (most <= kLanesMost)
      BlurLanesLoop<S, D, bDD, bKey>(px, x, y, rxCap, ryCap, sx, sy, K, J, Cv, Rv);
    else if (most * 255 < (1LL << 21))
      BlurLoop<S, D, bDD, bKey, std::uint64_t, true>(px, x, y, rxCap, ryCap, sx, sy, K, J, Cv, Rv);
    else if (most * 255 < (1LL << 32))
      BlurLoop<S, D, bDD, bKey, u32, false>(px, x, y, rxCap, ryCap, sx, sy, K, J, Cv, Rv);
    else
      BlurLoop<S, D, bDD, bKey, std::uint64_t, false>(px, x, y, rxCap, ryCap, sx, sy, K, J, Cv, Rv);
  }
}

// ---- tint ----

// f applied n times to every index, by squaring: exact for any n, 8 x 256 steps at most.
void PowerMap(const std::uint8_t* f, i64 n, std::uint8_t* out) {
  std::uint8_t acc[256], sq[256], tmp[256];
  for (int i = 0; i < 256; ++i) {
    acc[i] = static_cast<std::uint8_t>(i);
    sq[i] = f[i];
  }
  while (n > 0) {
    if (n & 1) {
      for (int i = 0; i < 256; ++i) tmp[i] = sq[acc[i]];
      std::memcpy(acc, tmp, 256);
    }
    n >>= 1;
    if (n > 0) {
      for (int i = 0; i < 256; ++i) tmp[i] = sq[sq[i]];
      std::memcpy(sq, tmp, 256);
    }
  }
  std::memcpy(out, acc, 256);
}

template <F S, F D, bool bDD, bool bKey>
void TintLoop(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, u32 tint, int colourIndex,
              int level, const std::uint8_t* blendTable) {
  const Span K = Cut(Within(x, w, px.dst.nWidth), Within(sx, w, px.src.nWidth));
  const Span J = Cut(Within(y, h, px.dst.nHeight), Within(sy, h, px.src.nHeight));
  if (K.Empty() || J.Empty()) return;
  // Every channel's result depends on that channel alone: one table per channel, indexed
  // by the source field, holds the result in the destination's units.
  std::uint8_t tab[3][256];
  if constexpr (S == F::kP8) {
    std::uint8_t step[256];
    for (int i = 0; i < 256; ++i) step[i] = blendTable[i * 256 + colourIndex];
    PowerMap(step, std::max(level, 0), tab[0]);
  } else {
    const u32 tintC[3] = {(tint >> 16) & 255u, (tint >> 8) & 255u, tint & 255u};
    u32 tf[3];  // the tint in the source's field units
    Split<S>(kBytes<S> == 2 ? ArgbToPixel(S, tint | 0xFF000000u) : tint, tf[0], tf[1], tf[2]);
    for (int c = 0; c < 3; ++c) {
      const u32 max = c == 1 ? kGreenMax<S> : (kBytes<S> == 2 ? 31u : 255u);
      for (u32 v = 0; v <= max; ++v) {
        u32 out;
        if constexpr (bDD) {
          // Halving toward the tint settles within 8 steps (the gap halves, or stays 1).
          u32 wide = kBytes<S> == 2 ? PixelEffectLoopsWiden(v, max) : v;
          for (int n = 0; n < std::min(level, 8); ++n) wide = (wide + tintC[c]) >> 1;
          out = kBytes<S> == 2 ? PixelEffectLoopsNarrow(wide, max) : wide;
        } else if (level == 1) {
          out = (v + tf[c]) / 2;
        } else {
          const u32 a = level == 2 ? 0x40u : level == 3 ? 0x20u : level == 4 ? 0x10u : 0u;
          out = Div255Round(v * a + tf[c] * (255 - a));
        }
        tab[c][v] = static_cast<std::uint8_t>(c == 1 ? GreenTo<S, D>(out) : out);
      }
    }
  }
  for (int j = J.b; j < J.e; ++j) {
    const std::uint8_t* in = RowOf(px.src, static_cast<i64>(sy) + j);
    std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j);
    for (int k = K.b; k < K.e; ++k) {
      const u32 p = Load<S>(in, sx + k);
      if (bKey && IsClear<S, bDD>(p, px.dwKey)) continue;
      if constexpr (S == F::kP8) {
        Store<D>(out, x + k, tab[0][p]);
      } else {
        u32 r, g, b;
        Split<S>(p, r, g, b);
        Store<D>(out, x + k, Finish<D, bDD>(Join<D>(tab[0][r], tab[1][g], tab[2][b]), Load<D>(out, x + k)));
      }
    }
  }
}

// ---- half copy ----

struct cHalfTables {
  std::uint8_t avg5[32][32], avg6[64][64];
  cHalfTables() {
    const cWidenTables& t = WidenTables();
    for (int a = 0; a < 32; ++a)
      for (int b = 0; b < 32; ++b) avg5[a][b] = t.narrow5[(t.widen5[a] + t.widen5[b]) / 2];
    for (int a = 0; a < 64; ++a)
      for (int b = 0; b < 64; ++b) avg6[a][b] = t.narrow6[(t.widen6[a] + t.widen6[b]) / 2];
  }
};

template <F S, F D, bool bDD, bool bKey>
void HalfLoop(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, const std::uint8_t* blendTable) {
  const Span K = Cut(Within(x, w, px.dst.nWidth), Within(sx, w, px.src.nWidth));
  const Span J = Cut(Within(y, h, px.dst.nHeight), Within(sy, h, px.src.nHeight));
  if (K.Empty() || J.Empty()) return;
  static const cHalfTables tables;
  for (int j = J.b; j < J.e; ++j) {
    const std::uint8_t* in = RowOf(px.src, static_cast<i64>(sy) + j);
    std::uint8_t* out = RowOf(px.dst, static_cast<i64>(y) + j);
    for (int k = K.b; k < K.e; ++k) {
      const u32 s = Load<S>(in, sx + k);
      const u32 d = Load<D>(out, x + k);
      u32 result;
      if constexpr (S == F::kP8) {
        // Index 0 is the transparent index of 8-bit pictures.
        if (bKey && s == 0) continue;
        result = d == 0 ? s : blendTable[s + d * 256];
      } else if constexpr (bDD) {
        if (bKey && IsClear<S, true>(s, px.dwKey)) continue;
        if (bKey && IsClear<D, true>(d, px.dwKey)) {
          result = s;
        } else if constexpr (S == F::kR5G6B5) {
          result = (u32{tables.avg5[s >> 11][d >> 11]} << 11) | (u32{tables.avg6[(s >> 5) & 63][(d >> 5) & 63]} << 5) |
                   tables.avg5[s & 31][d & 31];
        } else {
          // Each byte's floor average without carries between the bytes.
          result = (((s & 0xFEFEFEu) >> 1) + ((d & 0xFEFEFEu) >> 1) + (s & d & 0x010101u)) | (d & 0xFF000000u);
        }
      } else {
        if (bKey && IsClear<S, false>(s, px.dwKey)) continue;
        const u32 c = Carry<S, D>(s);
        u32 sr, sg, sb, dr, dg, db;
        Split<D>(c, sr, sg, sb);
        Split<D>(d, dr, dg, db);
        result = Finish<D, false>(Join<D>((sr + dr) >> 1, (sg + dg) >> 1, (sb + db) >> 1), d);
      }
      Store<D>(out, x + k, result);
    }
  }
}

// ---- lens ----

// floor(sqrt(n)) of a non-negative 64-bit value, exact.
i64 ISqrt(i64 n) {
  if (n <= 0) return 0;
  i64 r = static_cast<i64>(std::sqrt(static_cast<double>(n)));
  while (r > 0 && r > n / r) --r;
  while ((r + 1) <= n / (r + 1)) ++r;
  return r;
}

template <F S, F D, bool bDD, bool bKey>
void LensLoop(const cEffectPixels& px, int cx, int cy, int r, int v, int scx, int scy, bool bClear) {
  const i64 r2 = static_cast<i64>(r) * r;
  const i64 R = ISqrt(r2 + static_cast<i64>(v) * v);
  if (v >= R) return;
  const i64 R2 = R * R;
  // Direct3D 32-bit texels of alpha 0 are never drawn; the clear option is theirs alone.
  constexpr bool bAlphaRule = !bDD && kBytes<S> == 4;
  const bool bSkipClear = bKey || bAlphaRule;
  bClear = bClear && bAlphaRule;
  const i64 dy0 = std::max<i64>(-r, -static_cast<i64>(cy)), dy1 = std::min<i64>(r, px.dst.nHeight - 1LL - cy);
  for (i64 dy = dy0; dy <= dy1; ++dy) {
    std::uint8_t* out = RowOf(px.dst, cy + dy);
    const i64 half = ISqrt(r2 - dy * dy);
    const i64 dx0 = std::max<i64>(-half, -static_cast<i64>(cx)), dx1 = std::min<i64>(half, px.dst.nWidth - 1LL - cx);
    if (bClear) {
      // The square around the disc, left and right of the chord.
      const i64 q0 = std::max<i64>(-r, -static_cast<i64>(cx)), q1 = std::min<i64>(r, px.dst.nWidth - 1LL - cx);
      for (i64 dx = q0; dx <= q1; ++dx)
        if (dx < -half || dx > half) Store<D>(out, static_cast<int>(cx + dx), 0);
    }
    for (i64 dx = dx0; dx <= dx1; ++dx) {
      const i64 d2 = R2 - dx * dx - dy * dy;
      i64 ox = dx, oy = dy;
      if (d2 > 0) {
        const double d = std::sqrt(static_cast<double>(d2));
        const double fx = static_cast<double>(dx) * v / d + 0.5, fy = static_cast<double>(dy) * v / d + 0.5;
        // Offsets far past any picture are simply outside the source.
        ox = static_cast<i64>(std::clamp(fx, -4e9, 4e9));
        oy = static_cast<i64>(std::clamp(fy, -4e9, 4e9));
      }
      const i64 srcX = scx + ox, srcY = scy + oy;
      const int outX = static_cast<int>(cx + dx);
      if (srcX < 0 || srcY < 0 || srcX >= px.src.nWidth || srcY >= px.src.nHeight) {
        if (bClear) Store<D>(out, outX, 0);
        continue;
      }
      const u32 p = Load<S>(RowOf(px.src, srcY), static_cast<int>(srcX));
      if (bSkipClear && IsClear<S, bDD>(p, px.dwKey)) {
        if (bClear) Store<D>(out, outX, 0);
        continue;
      }
      Store<D>(out, outX, Carry<S, D>(p));
    }
  }
}

// ---- rotation ----

inline i64 PixelEffectLoopsFloorDiv(i64 n, i64 d) {
  i64 q = n / d;
  if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
  return q;
}
inline i64 CeilDiv(i64 n, i64 d) { return -PixelEffectLoopsFloorDiv(-n, d); }

// The X (offset from the row start) for which lo <= u0 + X * slope < hi, within [b, e).
void NarrowToBand(i64 u0, i64 slope, i64 lo, i64 hi, i64& b, i64& e) {
  if (slope == 0) {
    if (u0 < lo || u0 >= hi) e = b;
    return;
  }
  if (slope > 0) {
    b = std::max(b, CeilDiv(lo - u0, slope));
    e = std::min(e, CeilDiv(hi - u0, slope));
  } else {
    b = std::max(b, PixelEffectLoopsFloorDiv(u0 - hi, -slope) + 1);
    e = std::min(e, PixelEffectLoopsFloorDiv(u0 - lo, -slope) + 1);
  }
}

constexpr int kTurnChunk = 256;

template <F S, F D, bool bDD, bool bKey>
void RotateLoop(const cEffectPixels& px, int cx, int cy, int w, int h, int pivotX, int pivotY, int angle, int sx,
                int sy) {
  constexpr double kPi = 3.14159265358979323846;
  const double radians = static_cast<double>(angle % 360) * kPi / 180.0;
  const i64 sn = static_cast<i64>(std::sin(radians) * 1024.0), cs = static_cast<i64>(std::cos(radians) * 1024.0);
  // The bounding box of the turned corners, 2 pixels wider on every side.
  i64 minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int corner = 0; corner < 4; ++corner) {
    const i64 ux = (corner & 1 ? static_cast<i64>(w) : 0) - pivotX, uy = (corner & 2 ? static_cast<i64>(h) : 0) - pivotY;
    const i64 X = (ux * cs - uy * sn) >> 10, Y = (ux * sn + uy * cs) >> 10;
    minX = corner == 0 ? X : std::min(minX, X);
    maxX = corner == 0 ? X : std::max(maxX, X);
    minY = corner == 0 ? Y : std::min(minY, Y);
    maxY = corner == 0 ? Y : std::max(maxY, Y);
  }
  const i64 x0 = std::max<i64>(cx + minX - 2, 0), x1 = std::min<i64>(cx + maxX + 3, px.dst.nWidth);
  const i64 y0 = std::max<i64>(cy + minY - 2, 0), y1 = std::min<i64>(cy + maxY + 3, px.dst.nHeight);
  if (x0 >= x1 || y0 >= y1) return;
  // Offsets inside the rectangle whose source pixel lies inside the source picture.
  const Span Cv = Within(sx, w, px.src.nWidth), Rv = Within(sy, h, px.src.nHeight);
  if (Cv.Empty() || Rv.Empty()) return;
  const i64 uLo = (Cv.b - static_cast<i64>(pivotX)) * 1024, uHi = (Cv.e - static_cast<i64>(pivotX)) * 1024;
  const i64 vLo = (Rv.b - static_cast<i64>(pivotY)) * 1024, vHi = (Rv.e - static_cast<i64>(pivotY)) * 1024;
  const i64 srcBaseX = static_cast<i64>(sx) + pivotX, srcBaseY = static_cast<i64>(sy) + pivotY;
  const std::uint8_t* const srcBits = px.src.pBits;
  const i64 srcPitch = px.src.nPitch;
  const u32 key = px.dwKey;
  // Offsets four at a time in 16-bit halves, while the window's columns and rows and the
  // pitch fit them.
  const bool bOffsets = Cv.e - Cv.b < 32768 && Rv.e - Rv.b < 32768 && srcPitch >= 0 && srcPitch < 32768;
  const std::uint8_t* const window = srcBits + (sy + static_cast<i64>(Rv.b)) * srcPitch + (sx + static_cast<i64>(Cv.b)) * kBytes<S>;
  for (i64 Y = y0; Y < y1; ++Y) {
    const i64 dY = Y - cy, dX0 = x0 - cx;
    // Back through the turn by -angle: u = dX cos + dY sin, v = -dX sin + dY cos.
    const i64 u0 = dX0 * cs + dY * sn, v0 = -dX0 * sn + dY * cs;
    i64 b = 0, e = x1 - x0;
    NarrowToBand(u0, cs, uLo, uHi, b, e);
    NarrowToBand(v0, -sn, vLo, vHi, b, e);
    if (b >= e) continue;
    // Everything the pixel loop needs sits in locals: stores through the row pointer could
    // otherwise alias the picture descriptions and force them to be read again per pixel.
    std::uint8_t* out = RowOf(px.dst, Y) + static_cast<std::ptrdiff_t>(x0 + b) * kBytes<D>;
    const int count = static_cast<int>(e - b);
    i64 u = u0 + b * cs, v = v0 - b * sn;
    if (bOffsets) {
      if constexpr (kBytes<S> == 4 && kBytes<D> == 4) {
        constexpr eLaneClear kClear = !bKey ? eLaneClear::kNone : (bDD ? eLaneClear::kColourKey : eLaneClear::kAlpha);
        if (TurnRow32(out, window, count, static_cast<std::int32_t>(u - uLo), static_cast<std::int32_t>(v - vLo),
                      static_cast<std::int32_t>(cs), static_cast<std::int32_t>(-sn), static_cast<int>(srcPitch), kClear,
                      key))
          continue;
      }
      // Within the band u and v stay inside [uLo, uHi) and [vLo, vHi): measured from there,
      // (u - uLo) >> 10 is the column past Cv.b, since uLo is a whole multiple of 1024.
      std::int32_t off[kTurnChunk];
      for (int X0 = 0; X0 < count; X0 += kTurnChunk) {
        const int m = std::min(kTurnChunk, count - X0);
        TurnOffsets(off, m, static_cast<std::int32_t>(u - uLo + X0 * cs), static_cast<std::int32_t>(v - vLo - X0 * sn),
                    static_cast<std::int32_t>(cs), static_cast<std::int32_t>(-sn), static_cast<int>(srcPitch),
                    kBytes<S>);
        std::uint8_t* const chunk = out + static_cast<std::ptrdiff_t>(X0) * kBytes<D>;
        for (int X = 0; X < m; ++X) {
          const u32 p = Load<S>(window + off[X], 0);
          if constexpr (bKey)
            Store<D>(chunk, X, IsClear<S, bDD>(p, key) ? Load<D>(chunk, X) : Carry<S, D>(p));
          else
            Store<D>(chunk, X, Carry<S, D>(p));
        }
      }
      continue;
    }
    for (int X = 0; X < count; ++X, u += cs, v -= sn) {
      const u32 p = Load<S>(srcBits + (srcBaseY + (v >> 10)) * srcPitch, static_cast<int>(srcBaseX + (u >> 10)));
      // A transparent pixel keeps what was there. (Written with masks so that every pixel
      // stores, this measured slower than the branch the compiler makes of it.)
      if constexpr (bKey)
        Store<D>(out, X, IsClear<S, bDD>(p, key) ? Load<D>(out, X) : Carry<S, D>(p));
      else
        Store<D>(out, X, Carry<S, D>(p));
    }
  }
}

}  // namespace

bool EffectFormatsSupported(const cEffectPixels& px) {
  const F s = Canonical(px.src.format), d = Canonical(px.dst.format);
  if (px.src.pBits == nullptr || px.dst.pBits == nullptr) return false;
  if (!px.bDirect3D) return s == d;
  if (s == F::kP8 || d == F::kP8) return false;
  return (s == F::kX8R8G8B8) == (d == F::kX8R8G8B8);
}

void MosaicPixels(const cEffectPixels& px, int x, int y, int w, int h, int block, int sx, int sy, bool bKey) {
  if (block <= 0 || w <= 0 || h <= 0) return;
  Dispatch(px, bKey, [&]<F S, F D, bool bDD, bool K>() { MosaicLoop<S, D, bDD, K>(px, x, y, w, h, block, sx, sy); });
}

void BlurPixels(const cEffectPixels& px, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool bKey) {
  if (rx <= 0 || ry <= 0 || w <= 0 || h <= 0) return;
  Dispatch(px, bKey,
           [&]<F S, F D, bool bDD, bool K>() { BlurDispatch<S, D, bDD, K>(px, x, y, w, h, rx, ry, sx, sy); });
}

void TintPixels(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool bKey, u32 tint,
                int colourIndex, int level, const std::uint8_t* blendTable) {
  if (w <= 0 || h <= 0 || colourIndex < 0 || colourIndex > 255) return;
  if (px.src.format == F::kP8 && blendTable == nullptr) return;
  Dispatch(px, bKey, [&]<F S, F D, bool bDD, bool K>() {
    TintLoop<S, D, bDD, K>(px, x, y, w, h, sx, sy, tint, colourIndex, level, blendTable);
  });
}

void HalfPixels(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool bKey,
                const std::uint8_t* blendTable) {
  if (w <= 0 || h <= 0) return;
  if (px.src.format == F::kP8 && blendTable == nullptr) return;
  Dispatch(px, bKey, [&]<F S, F D, bool bDD, bool K>() { HalfLoop<S, D, bDD, K>(px, x, y, w, h, sx, sy, blendTable); });
}

void LensPixels(const cEffectPixels& px, int cx, int cy, int r, int v, int scx, int scy, bool bKey, bool bClear) {
  if (r <= 0 || v <= 0) return;
  Dispatch(px, bKey, [&]<F S, F D, bool bDD, bool K>() { LensLoop<S, D, bDD, K>(px, cx, cy, r, v, scx, scy, bClear); });
}

void RotatePixels(const cEffectPixels& px, int cx, int cy, int w, int h, int pivotX, int pivotY, int angle, int sx,
                  int sy, bool bKey) {
  if (w <= 0 || h <= 0) return;
  Dispatch(px, bKey, [&]<F S, F D, bool bDD, bool K>() {
    RotateLoop<S, D, bDD, K>(px, cx, cy, w, h, pivotX, pivotY, angle, sx, sy);
  });
}
