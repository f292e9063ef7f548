// The pixel loops of the effects over raw memory, for every pair of formats both back ends
// lock, with and without the key flag. Each case runs on small pictures framed by guard
// borders, placed inside and partly outside both pictures, and is compared pixel by pixel
// with a model that follows the effect's rule one pixel at a time (no spans, no running
// sums, no tables). Then the hand-worked values, and parameters far out of range.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "media/draw/dd_raster.h"
#include "media/draw/effect_rows.h"
#include "media/draw/pixel_effect_loops.h"

namespace {

using F = ePixelFormat;
using u32 = std::uint32_t;

constexpr int kGuard = 3;
constexpr std::uint8_t kGuardByte = 0xA5;

// A picture of w x h pixels inside a border of kGuard pixels of guard bytes.
struct cGuarded {
  int w = 0, h = 0;
  F format = F::kX8R8G8B8;
  int pitch = 0;
  std::vector<std::uint8_t> bytes;
  cGuarded(int width, int height, F f) : w(width), h(height), format(f) {
    pitch = (w + 2 * kGuard) * BytesPerPixelOf(f) + 5;  // an odd pitch: rows need not be aligned
    bytes.assign(static_cast<std::size_t>(pitch) * (h + 2 * kGuard), kGuardByte);
  }
  std::uint8_t* Origin() { return bytes.data() + kGuard * pitch + kGuard * BytesPerPixelOf(format); }
  cLockedPixels View() {
    cLockedPixels v;
    v.pBits = Origin();
    v.nPitch = pitch;
    v.nWidth = w;
    v.nHeight = h;
    v.format = format;
    return v;
  }
  bool GuardsIntact() const {
    const int bpp = BytesPerPixelOf(format);
    for (int y = 0; y < h + 2 * kGuard; ++y)
      for (int b = 0; b < pitch; ++b) {
        const bool inside = y >= kGuard && y < kGuard + h && b >= kGuard * bpp && b < (kGuard + w) * bpp;
        if (!inside && bytes[static_cast<std::size_t>(y) * pitch + b] != kGuardByte) return false;
      }
    return true;
  }
};

u32 Get(const cLockedPixels& p, int x, int y) {
  const std::uint8_t* a = p.pBits + static_cast<std::ptrdiff_t>(y) * p.nPitch + x * BytesPerPixelOf(p.format);
  u32 v = 0;
  std::memcpy(&v, a, BytesPerPixelOf(p.format));
  return v;
}
void Put(const cLockedPixels& p, int x, int y, u32 v) {
  std::memcpy(p.pBits + static_cast<std::ptrdiff_t>(y) * p.nPitch + x * BytesPerPixelOf(p.format), &v,
              BytesPerPixelOf(p.format));
}
bool In(const cLockedPixels& p, long long x, long long y) { return x >= 0 && y >= 0 && x < p.nWidth && y < p.nHeight; }

// ---- the model: each rule written out for one pixel ----

bool Clear(const cEffectPixels& px, F f, u32 p) {
  if (!px.bDirect3D) return BytesPerPixelOf(f) == 4 ? ((p ^ px.dwKey) & 0xFFFFFF) == 0 : p == px.dwKey;
  if (f == F::kA1R5G5B5) return (p & 0xA000) == 0;
  if (f == F::kR5G6B5) return false;
  return (p >> 24) == 0;
}
// Red, green, blue fields and their largest values.
void PixelEffectLoopsTestFields(F f, u32 p, u32 c[3], u32 max[3]) {
  if (f == F::kR5G6B5) {
    c[0] = p >> 11 & 31; c[1] = p >> 5 & 63; c[2] = p & 31;
    max[0] = 31; max[1] = 63; max[2] = 31;
  } else if (f == F::kA1R5G5B5) {
    c[0] = p >> 10 & 31; c[1] = p >> 5 & 31; c[2] = p & 31;
    max[0] = max[1] = max[2] = 31;
  } else {
    c[0] = p >> 16 & 255; c[1] = p >> 8 & 255; c[2] = p & 255;
    max[0] = max[1] = max[2] = 255;
  }
}
u32 Join(F f, const u32 c[3]) {
  if (f == F::kR5G6B5) return c[0] << 11 | c[1] << 5 | c[2];
  if (f == F::kA1R5G5B5) return c[0] << 10 | c[1] << 5 | c[2];
  return c[0] << 16 | c[1] << 8 | c[2];
}
// Green from S's units to D's.
u32 Green(F s, F d, u32 g) {
  if (s == F::kA1R5G5B5 && d == F::kR5G6B5) return g * 2;
  if (s == F::kR5G6B5 && d == F::kA1R5G5B5) return g / 2;
  return g;
}
u32 Carry(F s, F d, u32 p) {
  if (BytesPerPixelOf(s) != 2 || s == d) return p;
  u32 c[3], m[3];
  PixelEffectLoopsTestFields(s, p, c, m);
  c[1] = Green(s, d, c[1]);
  return Join(d, c) | (d == F::kA1R5G5B5 ? 0x8000u : 0u);
}
u32 Finish(const cEffectPixels& px, u32 rgb, u32 old) {
  const F d = px.dst.format;
  if (!px.bDirect3D) return BytesPerPixelOf(d) == 4 ? (rgb | (old & 0xFF000000u)) : rgb;
  if (d == F::kA1R5G5B5) return rgb | 0x8000u;
  if (BytesPerPixelOf(d) == 4) return rgb | 0xFF000000u;
  return rgb;
}

void ModelMosaic(const cEffectPixels& px, int x, int y, int w, int h, int block, int sx, int sy, bool key) {
  const bool sample = px.bDirect3D || px.src.format == F::kP8;
  for (long long by = 0; by < h; by += block)
    for (long long bx = 0; bx < w; bx += block) {
      const long long bw = std::min<long long>(block, w - bx), bh = std::min<long long>(block, h - by);
      u32 value;
      if (sample) {
        if (!In(px.src, sx + bx, sy + by)) continue;
        const u32 p = Get(px.src, static_cast<int>(sx + bx), static_cast<int>(sy + by));
        if (key && Clear(px, px.src.format, p)) continue;
        value = Carry(px.src.format, px.dst.format, p);
      } else {
        u32 sum[3] = {0, 0, 0}, count = 0, c[3], m[3];
        for (long long j = 0; j < bh; ++j)
          for (long long i = 0; i < bw; ++i) {
            if (!In(px.src, sx + bx + i, sy + by + j)) continue;
            const u32 p = Get(px.src, static_cast<int>(sx + bx + i), static_cast<int>(sy + by + j));
            if (key && Clear(px, px.src.format, p)) continue;
            PixelEffectLoopsTestFields(px.src.format, p, c, m);
            for (int n = 0; n < 3; ++n) sum[n] += c[n] * 255 / m[n];
            ++count;
          }
        if (count == 0) continue;
        for (int n = 0; n < 3; ++n) c[n] = sum[n] / count * m[n] / 255;
        value = Join(px.dst.format, c);
        if (key && Clear(px, px.dst.format, value)) continue;
      }
      for (long long j = 0; j < bh; ++j)
        for (long long i = 0; i < bw; ++i) {
          if (!In(px.dst, x + bx + i, y + by + j)) continue;
          const int ox = static_cast<int>(x + bx + i), oy = static_cast<int>(y + by + j);
          Put(px.dst, ox, oy, sample ? value : Finish(px, value, Get(px.dst, ox, oy)));
        }
    }
}

void ModelBlur(const cEffectPixels& px, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool key) {
  for (int j = 0; j < h; ++j)
    for (int k = 0; k < w; ++k) {
      if (!In(px.dst, x + k, y + j)) continue;
      if (key && In(px.src, sx + k, sy + j) && Clear(px, px.src.format, Get(px.src, sx + k, sy + j))) continue;
      u32 sum[3] = {0, 0, 0}, count = 0, c[3], m[3];
      for (int dy = -ry; dy <= ry - 1; ++dy)
        for (int dx = -rx; dx <= rx - 1; ++dx) {
          if (k + dx < 0 || k + dx >= w || j + dy < 0 || j + dy >= h) continue;
          if (!In(px.src, sx + k + dx, sy + j + dy)) continue;
          const u32 p = Get(px.src, sx + k + dx, sy + j + dy);
          if (key && Clear(px, px.src.format, p)) continue;
          PixelEffectLoopsTestFields(px.src.format, p, c, m);
          for (int n = 0; n < 3; ++n) sum[n] += c[n];
          ++count;
        }
      if (count == 0) continue;
      for (int n = 0; n < 3; ++n) c[n] = sum[n] / count;
      c[1] = Green(px.src.format, px.dst.format, c[1]);
      Put(px.dst, x + k, y + j, Finish(px, Join(px.dst.format, c), Get(px.dst, x + k, y + j)));
    }
}

void ModelTint(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool key, u32 tint, int colour,
               int level, const std::uint8_t* table) {
  const F s = px.src.format;
  for (int j = 0; j < h; ++j)
    for (int k = 0; k < w; ++k) {
      if (!In(px.dst, x + k, y + j) || !In(px.src, sx + k, sy + j)) continue;
      const u32 p = Get(px.src, sx + k, sy + j);
      if (key && Clear(px, s, p)) continue;
      if (s == F::kP8) {
        u32 index = p;
        for (int n = 0; n < level; ++n) index = table[index * 256 + colour];
        Put(px.dst, x + k, y + j, index);
        continue;
      }
      u32 c[3], m[3], t[3], tm[3];
      PixelEffectLoopsTestFields(s, p, c, m);
      const u32 tc[3] = {tint >> 16 & 255, tint >> 8 & 255, tint & 255};
      PixelEffectLoopsTestFields(s, BytesPerPixelOf(s) == 2 ? ArgbToPixel(s, tint | 0xFF000000u) : tint, t, tm);
      for (int n = 0; n < 3; ++n) {
        if (!px.bDirect3D) {
          u32 v = c[n] * 255 / m[n];
          for (int i = 0; i < level; ++i) v = (v + tc[n]) >> 1;
          c[n] = v * m[n] / 255;
        } else if (level == 1) {
          c[n] = (c[n] + t[n]) / 2;
        } else {
          const u32 a = level == 2 ? 0x40 : level == 3 ? 0x20 : level == 4 ? 0x10 : 0;
          c[n] = (c[n] * a + t[n] * (255 - a) + 127) / 255;
        }
      }
      c[1] = Green(s, px.dst.format, c[1]);
      Put(px.dst, x + k, y + j, Finish(px, Join(px.dst.format, c), Get(px.dst, x + k, y + j)));
    }
}

void ModelHalf(const cEffectPixels& px, int x, int y, int w, int h, int sx, int sy, bool key,
               const std::uint8_t* table) {
  const F s = px.src.format, d = px.dst.format;
  for (int j = 0; j < h; ++j)
    for (int k = 0; k < w; ++k) {
      if (!In(px.dst, x + k, y + j) || !In(px.src, sx + k, sy + j)) continue;
      const u32 sp = Get(px.src, sx + k, sy + j), dp = Get(px.dst, x + k, y + j);
      u32 out;
      if (s == F::kP8) {
        if (key && sp == 0) continue;
        out = dp == 0 ? sp : table[sp + dp * 256];
      } else if (!px.bDirect3D) {
        if (key && Clear(px, s, sp)) continue;
        if (key && Clear(px, d, dp)) {
          out = sp;
        } else {
          u32 a[3], b[3], m[3];
          PixelEffectLoopsTestFields(s, sp, a, m);
          PixelEffectLoopsTestFields(d, dp, b, m);
          for (int n = 0; n < 3; ++n) a[n] = (a[n] * 255 / m[n] + b[n] * 255 / m[n]) / 2 * m[n] / 255;
          out = Finish(px, Join(d, a), dp);
        }
      } else {
        if (key && Clear(px, s, sp)) continue;
        u32 a[3], b[3], m[3];
        PixelEffectLoopsTestFields(d, Carry(s, d, sp), a, m);
        PixelEffectLoopsTestFields(d, dp, b, m);
        for (int n = 0; n < 3; ++n) a[n] = (a[n] + b[n]) / 2;
        out = Finish(px, Join(d, a), dp);
      }
      Put(px.dst, x + k, y + j, out);
    }
}

void ModelLens(const cEffectPixels& px, int cx, int cy, int r, int v, int scx, int scy, bool key, bool clear) {
  const long long R = static_cast<long long>(std::sqrt(static_cast<double>(r) * r + static_cast<double>(v) * v));
  if (v >= R) return;
  const bool alphaRule = px.bDirect3D && BytesPerPixelOf(px.src.format) == 4;
  clear = clear && alphaRule;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) {
      if (!In(px.dst, cx + dx, cy + dy)) continue;
      if (dx * dx + dy * dy > r * r) {
        if (clear) Put(px.dst, cx + dx, cy + dy, 0);
        continue;
      }
      long long ox = dx, oy = dy;
      const long long d2 = R * R - dx * dx - dy * dy;
      if (d2 > 0) {
        const double d = std::sqrt(static_cast<double>(d2));
        ox = static_cast<long long>(dx * static_cast<double>(v) / d + 0.5);
        oy = static_cast<long long>(dy * static_cast<double>(v) / d + 0.5);
      }
      if (!In(px.src, scx + ox, scy + oy)) {
        if (clear) Put(px.dst, cx + dx, cy + dy, 0);
        continue;
      }
      const u32 p = Get(px.src, static_cast<int>(scx + ox), static_cast<int>(scy + oy));
      if ((key || alphaRule) && Clear(px, px.src.format, p)) {
        if (clear) Put(px.dst, cx + dx, cy + dy, 0);
        continue;
      }
      Put(px.dst, cx + dx, cy + dy, Carry(px.src.format, px.dst.format, p));
    }
}

void ModelRotate(const cEffectPixels& px, int cx, int cy, int w, int h, int pvx, int pvy, int angle, int sx, int sy,
                 bool key) {
  const double a = (angle % 360) * 3.14159265358979323846 / 180.0;
  const long long sn = static_cast<long long>(std::sin(a) * 1024), cs = static_cast<long long>(std::cos(a) * 1024);
  // The box of the turned corners, two pixels wider on every side.
  long long x0 = LLONG_MAX, x1 = LLONG_MIN, y0 = LLONG_MAX, y1 = LLONG_MIN;
  for (long long ux : {-pvx, w - pvx})
    for (long long uy : {-pvy, h - pvy}) {
      x0 = std::min(x0, (ux * cs - uy * sn) >> 10);
      x1 = std::max(x1, (ux * cs - uy * sn) >> 10);
      y0 = std::min(y0, (ux * sn + uy * cs) >> 10);
      y1 = std::max(y1, (ux * sn + uy * cs) >> 10);
    }
  for (int Y = 0; Y < px.dst.nHeight; ++Y)
    for (int X = 0; X < px.dst.nWidth; ++X) {
      if (X < cx + x0 - 2 || X > cx + x1 + 2 || Y < cy + y0 - 2 || Y > cy + y1 + 2) continue;
      const long long dX = X - cx, dY = Y - cy;
      const long long ox = ((dX * cs + dY * sn) >> 10) + pvx, oy = ((-dX * sn + dY * cs) >> 10) + pvy;
      if (ox < 0 || oy < 0 || ox >= w || oy >= h || !In(px.src, sx + ox, sy + oy)) continue;
      const u32 p = Get(px.src, static_cast<int>(sx + ox), static_cast<int>(sy + oy));
      if (key && Clear(px, px.src.format, p)) continue;
      Put(px.dst, X, Y, Carry(px.src.format, px.dst.format, p));
    }
}

// ---- the cases ----

struct Mode {
  const char* name;
  bool bDirect3D;
  F src, dst;
  u32 key;
};
const Mode kModes[] = {
    {"DD8", false, F::kP8, F::kP8, 0},
    {"DD16", false, F::kR5G6B5, F::kR5G6B5, 0xF81F},
    {"DD32", false, F::kX8R8G8B8, F::kX8R8G8B8, 0xFF00FF},
    {"D3D32", true, F::kA8R8G8B8, F::kA8R8G8B8, 0},
    {"D3D32ToBack", true, F::kA8R8G8B8, F::kX8R8G8B8, 0},
    {"D3D16", true, F::kA1R5G5B5, F::kA1R5G5B5, 0},
    {"D3D16ToFullBack", true, F::kA1R5G5B5, F::kR5G6B5, 0},
    {"D3D16FullBack", true, F::kR5G6B5, F::kR5G6B5, 0},
    {"D3D16FullBackToTex", true, F::kR5G6B5, F::kA1R5G5B5, 0},
};

// A rectangle against a 13 x 11 destination and a 12 x 9 source.
struct PixelEffectLoopsTestPlace {
  const char* name;
  int x, y, w, h, sx, sy;
};
const PixelEffectLoopsTestPlace kPixelEffectLoopsTestPlaces[] = {
    {"Inside", 2, 1, 8, 7, 1, 1},
    {"PastDstTopLeft", -3, -2, 10, 9, 0, 0},
    {"PastDstBottomRight", 8, 6, 10, 9, 1, 0},
    {"PastSrcTopLeft", 1, 1, 10, 8, -4, -3},
    {"PastSrcBottomRight", 0, 0, 12, 10, 5, 4},
    {"PastBoth", -2, 7, 20, 6, -3, 6},
    {"OutsideDst", 14, 0, 5, 5, 0, 0},
    {"OutsideSrc", 0, 0, 5, 5, 12, 0},
};
constexpr int kPixelEffectLoopsTestDstW = 13, kDstH = 11, kSrcW = 12, kSrcH = 9;

u32 g_Seed = 1;
u32 NextRandom() {
  g_Seed = g_Seed * 1103515245u + 12345u;
  return g_Seed >> 8;
}

// Random pixels, about one in five transparent under the mode's rule.
void Fill(cGuarded& g, const Mode& mode) {
  const cLockedPixels v = g.View();
  for (int y = 0; y < g.h; ++y)
    for (int x = 0; x < g.w; ++x) {
      u32 p = NextRandom();
      const bool clear = NextRandom() % 5 == 0;
      switch (g.format) {
        case F::kP8: p = clear ? mode.key : p & 255; break;
        case F::kR5G6B5: p = clear && !mode.bDirect3D ? mode.key : p & 0xFFFF; break;
        case F::kA1R5G5B5: p = clear ? p & 0x5FFF : (p & 0xFFFF) | 0x8000; break;
        default:
          if (!mode.bDirect3D) p = clear ? (mode.key | (p & 0xFF000000u)) : p;
          else p = clear ? (p & 0x00FFFFFFu) : (p | 0x01000000u);
          break;
      }
      Put(v, x, y, p);
    }
}

std::vector<std::uint8_t> RandomTable() {
  std::vector<std::uint8_t> t(65536);
  for (auto& b : t) b = static_cast<std::uint8_t>(NextRandom());
  return t;
}

using RunFn = void (*)(const cEffectPixels&, const PixelEffectLoopsTestPlace&, bool key, int param, const std::uint8_t* table);

struct Effect {
  const char* name;
  std::vector<int> params;
  RunFn fast, model;
  bool b8Bit;  // runs on 8-bit pictures
  bool bSameSize;  // the source is as large as the destination (the lens and rotation read around a centre)
};

const u32 kTint = 0xD07020;
constexpr int kTintIndex = 37;

const Effect kEffects[] = {
    {"Mosaic", {1, 3, 4, 100},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       MosaicPixels(px, p.x, p.y, p.w, p.h, n, p.sx, p.sy, key);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       ModelMosaic(px, p.x, p.y, p.w, p.h, n, p.sx, p.sy, key);
     },
     true, false},
    {"Blur", {101, 202, 301, 104, 2020},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       BlurPixels(px, p.x, p.y, p.w, p.h, n / 100, n % 100, p.sx, p.sy, key);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       ModelBlur(px, p.x, p.y, p.w, p.h, n / 100, n % 100, p.sx, p.sy, key);
     },
     false, false},
    {"Tint", {-1, 0, 1, 2, 3, 4, 5, 9, 300},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t* t) {
       TintPixels(px, p.x, p.y, p.w, p.h, p.sx, p.sy, key, kTint, kTintIndex, n, t);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t* t) {
       ModelTint(px, p.x, p.y, p.w, p.h, p.sx, p.sy, key, kTint, kTintIndex, n, t);
     },
     true, false},
    {"Half", {0},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int, const std::uint8_t* t) {
       HalfPixels(px, p.x, p.y, p.w, p.h, p.sx, p.sy, key, t);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int, const std::uint8_t* t) {
       ModelHalf(px, p.x, p.y, p.w, p.h, p.sx, p.sy, key, t);
     },
     true, false},
    // Radius, depth and the clear flag: r * 1000 + v * 10 + clear.
    {"Lens", {3020, 5050, 6011, 4031, 9081},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       LensPixels(px, p.x + p.w / 2, p.y + p.h / 2, n / 1000, n / 10 % 100, p.sx + p.w / 2, p.sy + p.h / 2, key,
                  n % 10 != 0);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       ModelLens(px, p.x + p.w / 2, p.y + p.h / 2, n / 1000, n / 10 % 100, p.sx + p.w / 2, p.sy + p.h / 2, key,
                 n % 10 != 0);
     },
     true, true},
    {"Rotate", {0, 30, 90, 135, -45, 200, 377},
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       RotatePixels(px, p.x + p.w / 2, p.y + p.h / 2, p.w, p.h, p.w / 2, p.h / 2, n, p.sx, p.sy, key);
     },
     [](const cEffectPixels& px, const PixelEffectLoopsTestPlace& p, bool key, int n, const std::uint8_t*) {
       ModelRotate(px, p.x + p.w / 2, p.y + p.h / 2, p.w, p.h, p.w / 2, p.h / 2, n, p.sx, p.sy, key);
     },
     true, true},
};

TEST(PixelEffectLoops, EveryEffectMatchesTheModelOnEveryFormatAndPlacement) {
  const std::vector<std::uint8_t> table = RandomTable();
  int cases = 0, drawn = 0;
  for (const Effect& effect : kEffects)
    for (const Mode& mode : kModes) {
      if (mode.src == F::kP8 && !effect.b8Bit) continue;
      for (const PixelEffectLoopsTestPlace& place : kPixelEffectLoopsTestPlaces)
        for (int param : effect.params)
          for (int key = 0; key < 2; ++key) {
            cGuarded src(effect.bSameSize ? kPixelEffectLoopsTestDstW : kSrcW, effect.bSameSize ? kDstH : kSrcH, mode.src);
            cGuarded dst(kPixelEffectLoopsTestDstW, kDstH, mode.dst);
            Fill(src, mode);
            Fill(dst, mode);
            cGuarded want = dst;
            const cGuarded before = dst;
            cEffectPixels px{dst.View(), src.View(), mode.bDirect3D, mode.key};
            cEffectPixels model{want.View(), src.View(), mode.bDirect3D, mode.key};
            effect.fast(px, place, key != 0, param, table.data());
            effect.model(model, place, key != 0, param, table.data());
            const std::string name =
                std::string(effect.name) + " " + mode.name + " " + place.name + " param " + std::to_string(param) +
                (key ? " keyed" : "");
            ASSERT_TRUE(dst.GuardsIntact()) << name;
            ASSERT_TRUE(src.GuardsIntact()) << name;
            ++cases;
            if (dst.bytes != before.bytes) ++drawn;
            for (int y = 0; y < kDstH; ++y)
              for (int x = 0; x < kPixelEffectLoopsTestDstW; ++x)
                ASSERT_EQ(Get(dst.View(), x, y), Get(want.View(), x, y)) << name << " at " << x << "," << y;
          }
    }
  // Only the placements outside a picture may leave the destination as it was.
  EXPECT_GT(drawn, cases * 2 / 3) << drawn << " of " << cases;
  std::printf("%d of %d cases drew\n", drawn, cases);
}

// ---- worked values ----

struct Pair {
  cGuarded src, dst;
  cEffectPixels px;
  Pair(const Mode& mode, int w, int h) : src(w, h, mode.src), dst(w, h, mode.dst) {
    px = cEffectPixels{dst.View(), src.View(), mode.bDirect3D, mode.key};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        Put(px.src, x, y, 0);
        Put(px.dst, x, y, 0);
      }
  }
};

TEST(PixelEffectLoops, MosaicBlocksAreCutByTheRectangle) {
  // Block 4 over 10 x 10: blocks start at 0, 4 and 8; the last ones are 2 pixels wide.
  Pair p(kModes[3], 10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) Put(p.px.src, x, y, 0xFF000000u | static_cast<u32>(y * 16 + x));
  MosaicPixels(p.px, 0, 0, 10, 10, 4, 0, 0, false);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(Get(p.px.dst, x, y), 0xFF000000u | static_cast<u32>(y / 4 * 4 * 16 + x / 4 * 4)) << x << "," << y;
}

// Boxes of up to 256 pixels and larger ones take different sums; the small pictures above
// never hold more than 108. Both sides of the change, and a box far past it, against the
// model: on the usual picture, and on a white one (the largest sums) with every seventh
// pixel 0 (transparent under Direct3D, black under DirectDraw) so that counts and
// remainders vary.
TEST(PixelEffectLoops, BlurMatchesTheModelOnEitherSideOfTheLargeBoxSums) {
  struct Case {
    int w, h, rx, ry;
  };
  const Case cases[] = {{40, 30, 8, 8}, {40, 30, 9, 8}, {40, 30, 8, 9}, {40, 30, 10, 10}, {70, 50, 30, 20}};
  for (const Mode& mode : kModes) {
    if (mode.src == F::kP8) continue;
    for (const Case& c : cases)
      for (int variant = 0; variant < 4; ++variant) {
        const int key = variant & 1;
        const bool bWhite = variant >= 2;
        cGuarded src(c.w, c.h, mode.src), dst(c.w + 3, c.h + 2, mode.dst);
        Fill(src, mode);
        if (bWhite)
          for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) Put(src.View(), x, y, (y * c.w + x) % 7 == 0 ? 0u : 0xFFFFFFFFu);
        Fill(dst, mode);
        cGuarded want = dst;
        const cEffectPixels px{dst.View(), src.View(), mode.bDirect3D, mode.key};
        const cEffectPixels model{want.View(), src.View(), mode.bDirect3D, mode.key};
        BlurPixels(px, 2, 1, c.w, c.h, c.rx, c.ry, 0, 0, key != 0);
        ModelBlur(model, 2, 1, c.w, c.h, c.rx, c.ry, 0, 0, key != 0);
        ASSERT_TRUE(dst.GuardsIntact());
        EXPECT_EQ(dst.bytes, want.bytes) << mode.name << " " << c.w << "x" << c.h << " radius " << c.rx << ","
                                         << c.ry << (key ? " keyed" : "") << (bWhite ? " white" : "");
      }
  }
}

TEST(PixelEffectLoops, BlurOfRadiusOneIsThePixelItsLeftAndUpperNeighbours) {
  Pair p(kModes[2], 3, 3);
  const u32 values[3][3] = {{0x000000, 0x400000, 0x000000}, {0x004000, 0x000040, 0x000000}, {0, 0, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) Put(p.px.src, x, y, values[y][x]);
  BlurPixels(p.px, 0, 0, 3, 3, 1, 1, 0, 0, false);
  // (1, 1): itself, (0, 1), (1, 0) and (0, 0): each channel 0x40 / 4.
  EXPECT_EQ(Get(p.px.dst, 1, 1), 0x101010u);
  // (0, 0) has only itself inside the rectangle.
  EXPECT_EQ(Get(p.px.dst, 0, 0), 0u);
}

TEST(PixelEffectLoops, TintWorkedValues) {
  // Level 1 of a white tint over black, Direct3D 32-bit: integer halving of 255.
  Pair d3d(kModes[3], 2, 1);
  Put(d3d.px.src, 0, 0, 0xFF000000u);
  TintPixels(d3d.px, 0, 0, 2, 1, 0, 0, false, 0xFFFFFF, 255, 1, nullptr);
  EXPECT_EQ(Get(d3d.px.dst, 0, 0), 0xFF7F7F7Fu);
  // 16-bit DirectDraw, a white tint at level 4: every field inside its range and at least
  // 15/16 of its largest value.
  Pair dd(kModes[1], 1, 1);
  Put(dd.px.src, 0, 0, 0x0000);
  TintPixels(dd.px, 0, 0, 1, 1, 0, 0, false, 0xFFFFFF, 255, 4, nullptr);
  const u32 p = Get(dd.px.dst, 0, 0);
  EXPECT_GE(p >> 11 & 31, 29u);
  EXPECT_GE(p >> 5 & 63, 59u);
  EXPECT_GE(p & 31, 29u);
}

TEST(PixelEffectLoops, HalfCopyOntoIndexZeroWritesTheSourceIndex) {
  Pair p(kModes[0], 2, 1);
  std::vector<std::uint8_t> table(65536, 200);
  Put(p.px.src, 0, 0, 77);
  Put(p.px.src, 1, 0, 77);
  Put(p.px.dst, 1, 0, 5);
  HalfPixels(p.px, 0, 0, 2, 1, 0, 0, false, table.data());
  EXPECT_EQ(Get(p.px.dst, 0, 0), 77u);
  EXPECT_EQ(Get(p.px.dst, 1, 0), 200u);
}

TEST(PixelEffectLoops, RotationByZeroCopiesInPlaceApartFromTransparentPixels) {
  for (const Mode& mode : kModes) {
    Pair p(mode, 9, 7);
    Fill(p.src, mode);
    Fill(p.dst, mode);
    const cGuarded before = p.dst;
    RotatePixels(p.px, 4, 3, 9, 7, 4, 3, 0, 0, 0, true);
    cGuarded copy = before;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        const u32 s = Get(p.px.src, x, y);
        const u32 want = Clear(p.px, mode.src, s) ? Get(copy.View(), x, y) : Carry(mode.src, mode.dst, s);
        EXPECT_EQ(Get(p.px.dst, x, y), want) << mode.name << " " << x << "," << y;
      }
  }
}

// ---- the vector passes ----

// The blur and the rotation run their rows four or eight pixels at a time, with the rest of
// a row one by one; the small pictures above hardly reach the vector steps. Wider pictures,
// with widths on either side of a multiple of 4 and 8 and windows reaching past the
// rectangle and the pictures, on both builds of the passes.
class PixelEffectRows : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { EffectRowsAllowAvx2(GetParam()); }
  void TearDown() override { EffectRowsAllowAvx2(true); }
};

TEST_P(PixelEffectRows, WideBlurAndRotationMatchTheModel) {
  struct Case {
    int w, h;      // the rectangle; the pictures are 6 wider and 4 higher
    int x, sx;     // where it sits in them
    int rx, ry;    // blur radii
    int angle;     // rotation
  };
  const Case cases[] = {
      {32, 9, 3, 3, 1, 1, 30},     {33, 9, 3, 0, 2, 3, 90},   {35, 8, 0, 5, 4, 4, -45},
      {37, 12, -2, 3, 3, 2, 135},  {40, 6, 5, -3, 5, 1, 200}, {45, 10, 2, 2, 8, 8, 377},
      {47, 7, 3, 4, 16, 2, 10},    {61, 5, -4, 1, 1, 6, 271},
  };
  for (const Mode& mode : kModes)
    for (const Case& c : cases)
      for (int key = 0; key < 2; ++key) {
        const std::string name = std::string(mode.name) + " " + std::to_string(c.w) + "x" + std::to_string(c.h) +
                                  (key ? " keyed" : "");
        if (mode.src != F::kP8) {
          cGuarded src(c.w + 6, c.h + 4, mode.src), dst(c.w + 6, c.h + 4, mode.dst);
          Fill(src, mode);
          Fill(dst, mode);
          cGuarded want = dst;
          BlurPixels({dst.View(), src.View(), mode.bDirect3D, mode.key}, c.x, 2, c.w, c.h, c.rx, c.ry, c.sx, 1,
                     key != 0);
          ModelBlur({want.View(), src.View(), mode.bDirect3D, mode.key}, c.x, 2, c.w, c.h, c.rx, c.ry, c.sx, 1,
                    key != 0);
          ASSERT_TRUE(dst.GuardsIntact()) << "blur " << name;
          EXPECT_EQ(dst.bytes, want.bytes) << "blur " << name;
        }
        cGuarded src(c.w + 6, c.w + 6, mode.src), dst(c.w + 6, c.w + 6, mode.dst);
        Fill(src, mode);
        Fill(dst, mode);
        cGuarded want = dst;
        const int mid = (c.w + 6) / 2;
        RotatePixels({dst.View(), src.View(), mode.bDirect3D, mode.key}, mid + c.x, mid, c.w, c.w, c.w / 2, c.w / 2,
                     c.angle, c.sx, 1, key != 0);
        ModelRotate({want.View(), src.View(), mode.bDirect3D, mode.key}, mid + c.x, mid, c.w, c.w, c.w / 2, c.w / 2,
                    c.angle, c.sx, 1, key != 0);
        ASSERT_TRUE(dst.GuardsIntact()) << "rotation " << name;
        EXPECT_EQ(dst.bytes, want.bytes) << "rotation " << name;
      }
}

// The division of the box sums in 16-bit lanes, for every count a box can hold and every
// sum of that many bytes: each lane's quotient against the integer one.
TEST_P(PixelEffectRows, LaneDivisionIsExactForEveryCountAndSum) {
  constexpr int kMost = 256;
  std::vector<std::uint64_t> boxes, divisors;
  std::vector<u32> want;
  for (u32 c = 1; c <= kMost; ++c)
    for (u32 s = 0; s <= 255 * c; ++s) {
      // Blue takes the sum, green and red the sums from the other end and the middle.
      const u32 g = 255 * c - s, r = (s + 127 * c) % (255 * c + 1);
      boxes.push_back(s | static_cast<std::uint64_t>(g) << 16 | static_cast<std::uint64_t>(r) << 32 |
                      static_cast<std::uint64_t>(c) << 48);
      divisors.push_back(CountDivisor(c));
      want.push_back(0xFF000000u | (r / c) << 16 | (g / c) << 8 | s / c);
    }
  std::vector<u32> out(want.size(), 0);
  cLaneBoxes lanes;
  lanes.box = boxes.data();
  DivideLanes(reinterpret_cast<std::uint8_t*>(out.data()), lanes, divisors.data(), static_cast<int>(out.size()),
              F::kX8R8G8B8, F::kX8R8G8B8, 0xFF000000u, false, true);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < out.size(); ++i) wrong += out[i] != want[i];
  EXPECT_EQ(wrong, 0u);
}

INSTANTIATE_TEST_SUITE_P(Builds, PixelEffectRows, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Avx2" : "Sse2"; });

// ---- parameters from game data, far out of range ----

// Each case must finish at once, stay inside both pictures and, where a smaller value
// gives the same picture, give exactly that.
enum class eExpect { kNothing, kSameAsNear, kAnything };
struct FarCase {
  const char* name;
  void (*far)(const cEffectPixels&);
  eExpect expect;
  void (*near)(const cEffectPixels&);
};
const FarCase kFarCases[] = {
    {"MosaicBlockZero", [](const cEffectPixels& px) { MosaicPixels(px, 0, 0, 13, 11, 0, 0, 0, false); }, eExpect::kNothing, nullptr},
    {"MosaicBlockNegative", [](const cEffectPixels& px) { MosaicPixels(px, 0, 0, 13, 11, -4, 0, 0, true); }, eExpect::kNothing, nullptr},
    {"MosaicHugeRectangle",
     [](const cEffectPixels& px) { MosaicPixels(px, -1000000000, -1000000000, INT_MAX, INT_MAX, 1, -999999997, -999999998, false); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { MosaicPixels(px, -1000000000, -1000000000, 1000000020, 1000000020, 1, -999999997, -999999998, false); }},
    {"MosaicHugeBlock", [](const cEffectPixels& px) { MosaicPixels(px, 0, 0, 13, 11, INT_MAX, 0, 0, false); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { MosaicPixels(px, 0, 0, 13, 11, 13, 0, 0, false); }},
    {"BlurRadiusZero", [](const cEffectPixels& px) { BlurPixels(px, 0, 0, 13, 11, 0, 3, 0, 0, false); }, eExpect::kNothing, nullptr},
    {"BlurRadiusNegative", [](const cEffectPixels& px) { BlurPixels(px, 0, 0, 13, 11, 3, -1, 0, 0, false); }, eExpect::kNothing, nullptr},
    {"BlurHugeRadius", [](const cEffectPixels& px) { BlurPixels(px, 0, 0, 13, 11, INT_MAX, INT_MAX, 0, 0, true); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { BlurPixels(px, 0, 0, 13, 11, 30, 30, 0, 0, true); }},
    {"BlurHugeRectangle",
     [](const cEffectPixels& px) { BlurPixels(px, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 5, 0, 0, false); },
     eExpect::kNothing, nullptr},
    {"BlurHugeRectangleOverBoth",
     [](const cEffectPixels& px) { BlurPixels(px, -2000000000, -5, INT_MAX, 20, INT_MAX, 2, -2000000000, -5, false); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { BlurPixels(px, -2000000000, -5, 2000000030, 20, 40, 2, -2000000000, -5, false); }},
    {"TintHugeLevel",
     [](const cEffectPixels& px) { TintPixels(px, 0, 0, 13, 11, 0, 0, false, kTint, kTintIndex, INT_MAX, nullptr); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { TintPixels(px, 0, 0, 13, 11, 0, 0, false, kTint, kTintIndex, 40, nullptr); }},
    {"TintColourPastThePalette",
     [](const cEffectPixels& px) { TintPixels(px, 0, 0, 13, 11, 0, 0, false, kTint, 256, 1, nullptr); }, eExpect::kNothing, nullptr},
    {"TintColourNegative",
     [](const cEffectPixels& px) { TintPixels(px, 0, 0, 13, 11, 0, 0, false, kTint, -1, 1, nullptr); }, eExpect::kNothing, nullptr},
    {"HalfHugeRectangle",
     [](const cEffectPixels& px) { HalfPixels(px, -5, -5, INT_MAX, INT_MAX, -5, -5, true, nullptr); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { HalfPixels(px, -5, -5, 30, 30, -5, -5, true, nullptr); }},
    {"LensZeroDepth", [](const cEffectPixels& px) { LensPixels(px, 6, 5, 50, 0, 6, 5, false, true); }, eExpect::kNothing, nullptr},
    {"LensNegativeRadius", [](const cEffectPixels& px) { LensPixels(px, 6, 5, -5, 3, 6, 5, false, true); }, eExpect::kNothing, nullptr},
    {"LensHuge", [](const cEffectPixels& px) { LensPixels(px, 6, 5, INT_MAX, INT_MAX, 6, 5, true, true); }, eExpect::kAnything, nullptr},
    {"LensHugeRadiusFarCentre",
     [](const cEffectPixels& px) { LensPixels(px, INT_MIN, INT_MAX, INT_MAX, 7, 0, 0, false, false); }, eExpect::kNothing, nullptr},
    {"RotateZeroSize", [](const cEffectPixels& px) { RotatePixels(px, 6, 5, 0, 11, 0, 5, 30, 0, 0, false); }, eExpect::kNothing, nullptr},
    {"RotateHuge",
     [](const cEffectPixels& px) {
       RotatePixels(px, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, INT_MAX, false);
     },
     eExpect::kAnything, nullptr},
    {"RotateHugeRectangleOverBoth",
     [](const cEffectPixels& px) { RotatePixels(px, 6, 5, INT_MAX, INT_MAX, 1000000000, 1000000000, 90, -999999994, -999999995, true); },
     eExpect::kAnything, nullptr},
    {"RotateHugeAngle", [](const cEffectPixels& px) { RotatePixels(px, 6, 5, 13, 11, 6, 5, INT_MAX, 0, 0, false); },
     eExpect::kSameAsNear, [](const cEffectPixels& px) { RotatePixels(px, 6, 5, 13, 11, 6, 5, INT_MAX % 360, 0, 0, false); }},
};

TEST(PixelEffectLoops, FarOutOfRangeParametersFinishInsideThePictures) {
  for (const FarCase& c : kFarCases)
    for (const Mode& mode : kModes) {
      cGuarded src(kPixelEffectLoopsTestDstW, kDstH, mode.src), dst(kPixelEffectLoopsTestDstW, kDstH, mode.dst);
      Fill(src, mode);
      Fill(dst, mode);
      cGuarded want = dst;
      c.far(cEffectPixels{dst.View(), src.View(), mode.bDirect3D, mode.key});
      if (c.near != nullptr) c.near(cEffectPixels{want.View(), src.View(), mode.bDirect3D, mode.key});
      ASSERT_TRUE(dst.GuardsIntact()) << c.name << " " << mode.name;
      ASSERT_TRUE(src.GuardsIntact()) << c.name << " " << mode.name;
      if (c.expect != eExpect::kAnything) {
        EXPECT_EQ(dst.bytes, want.bytes) << c.name << " " << mode.name;
      }
    }
}

TEST(PixelEffectLoops, EightBitTintOfAnyLevelIsTheTableAppliedThatOften) {
  // A table that moves each index one place along a cycle of 7 for colour 1: level n
  // lands n mod 7 places on, however large n is.
  std::vector<std::uint8_t> table(65536, 0);
  for (int i = 0; i < 256; ++i) table[i * 256 + 1] = static_cast<std::uint8_t>(i < 7 ? (i + 1) % 7 : i);
  for (int level : {0, 1, 6, 7, 1000003, INT_MAX}) {
    Pair p(kModes[0], 7, 1);
    for (int x = 0; x < 7; ++x) Put(p.px.src, x, 0, static_cast<u32>(x));
    TintPixels(p.px, 0, 0, 7, 1, 0, 0, false, 0, 1, level, table.data());
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Get(p.px.dst, x, 0), static_cast<u32>((x + level % 7) % 7)) << level;
  }
}

}  // namespace
