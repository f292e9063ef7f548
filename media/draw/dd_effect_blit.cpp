#include "media/draw/dd_effect_blit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"

namespace {

// Positions are worked out in 64 bits: a piece whose position does not fit the blits'
// integers lies far outside every surface and is left out.
bool Fits(long long v) { return v >= INT_MIN && v <= INT_MAX; }

// Pieces start within this distance of a surface or not at all: the blit's own clipping adds
// sizes to positions, which must not run past the integers either.
constexpr long long kFar = 1LL << 30;
bool Near(long long v) { return v >= -kFar && v <= kFar; }

int Blt(DDSURFACEDATA* lpDst, long long x, long long y, long long w, long long h, DDSURFACEDATA* lpSrc, long long sx,
        long long sy, DWORD dwFlags) {
  if (!Near(x) || !Near(y) || !Near(sx) || !Near(sy) || !Fits(w) || !Fits(h)) return 0;
  return DDBlt(lpDst, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h), lpSrc,
               static_cast<int>(sx), static_cast<int>(sy), dwFlags);
}

// A fill of a rectangle given in 64 bits: cut to a range every surface lies well inside,
// which leaves the pixels it covers as they are.
void Fill(DDSURFACEDATA* lpSD, long long x, long long y, long long w, long long h, DWORD dwPalNum) {
  const long long left = std::max(x, -kFar), top = std::max(y, -kFar);
  const long long right = std::min(x + w, kFar), bottom = std::min(y + h, kFar);
  if (left >= right || top >= bottom) return;
  DDFillRect(lpSD, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
             static_cast<int>(bottom - top), dwPalNum);
}

long long FloorDiv(long long n, long long d) {
  long long q = n / d;
  if (n % d != 0 && ((n < 0) != (d < 0))) --q;
  return q;
}

// The first band of `band` that reaches coordinate 0 when band k starts at start + k × band:
// the bands before it lie wholly before the surface and are skipped unvisited.
long long FirstBandReaching(long long start, int band) { return start < 0 ? -start / band : 0; }

// A shift of amplitude × sine, truncated; false when it is no number or far beyond any surface.
bool Offset(double value, long long* out) {
  if (!(std::fabs(value) < 1e12)) return false;
  *out = static_cast<long long>(value);
  return true;
}

}  // namespace

void DDDrawFrame(DDSURFACEDATA* lpSD, int x, int y, int w, int h, int t, DWORD dwPalNum) {
  const long long X = x, Y = y, W = w, H = h, T = t;
  DDBeginRectBatch();
  Fill(lpSD, X, Y, W, T, dwPalNum);
  Fill(lpSD, X, Y + H - T, W, T, dwPalNum);
  Fill(lpSD, X, Y, T, H, dwPalNum);
  Fill(lpSD, X + W - T, Y, T, H, dwPalNum);
  DDFlushRectBatch();
}

void DDDrawBox(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DDSURFACEDATA* lpPicture, int t, DWORD dwPalNum) {
  DDBlt(lpSD, x, y, w, h, lpPicture, 0, 0, 0);
  const long long X = x - static_cast<long long>(t), Y = y - static_cast<long long>(t);
  const long long W = w + 2LL * t, H = h + 2LL * t;
  if (Fits(X) && Fits(Y) && Fits(W) && Fits(H))
    DDDrawFrame(lpSD, static_cast<int>(X), static_cast<int>(Y), static_cast<int>(W), static_cast<int>(H), t,
                dwPalNum);
}

void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int dw, int dh, DDSURFACEDATA* lpDigits, int sx, int sy,
                  DWORD dwFlags, int nValue, int nMinDigits, int bCentre, int) {
  // The strip has cells for the digits only: a negative value would pick cells left of it.
  unsigned value = nValue < 0 ? 0u : static_cast<unsigned>(nValue);
  int digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<int>(value % 10);
    value /= 10;
  } while (value != 0 && count < 10);
  long long pos = x;
  if (count < nMinDigits) {
    const long long pad = static_cast<long long>(dw) * (nMinDigits - count);
    pos += bCentre ? pad / 2 : pad;
  }
  for (int k = count - 1; k >= 0; --k) {
    Blt(lpDst, pos, y, dw, dh, lpDigits, sx + static_cast<long long>(dw) * digits[k], sy, dwFlags);
    pos += dw;
  }
}

void DDWaveBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, double dWaves, double dAmplitude, double dPhase,
               int nBand, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags, int bColumns) {
  if (lpDst == nullptr || lpSrc == nullptr || w <= 0 || h <= 0 || nBand <= 0) return;
  const int size = bColumns ? w : h;
  const long long start = bColumns ? x : y;
  const int limit = bColumns ? lpDst->nWidth : lpDst->nHeight;
  // In degrees per band, as a fraction: whole degrees would lose the wave on any side
  // longer than 360 pixels.
  const double step = nBand * 360.0 / size;
  long long k = FirstBandReaching(start, nBand);
  double angle = static_cast<double>(k) * step;
  DDBeginSpriteBatch(0);
  for (; k * nBand < size; ++k) {
    const long long pos = start + k * nBand;
    if (pos >= limit) break;
    angle += step;
    const long long piece = std::min<long long>(nBand, size - k * nBand);
    long long shift;
    if (!Offset(dAmplitude * std::sin(dWaves * (dPhase + angle) * std::numbers::pi / 180.0), &shift)) continue;
    if (bColumns)
      Blt(lpDst, pos, y + shift, piece, h, lpSrc, sx + k * nBand, sy, dwFlags);
    else
      Blt(lpDst, x + shift, pos, w, piece, lpSrc, sx, sy + k * nBand, dwFlags);
  }
  DDFlushSpriteBatch();
}

void DDInterlaceBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nBand, int nShift, DDSURFACEDATA* lpSrc,
                    int sx, int sy, DWORD dwFlags, int bColumns) {
  if (lpDst == nullptr || lpSrc == nullptr || w <= 0 || h <= 0) return;
  if (nBand <= 0) {
    DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, dwFlags);
    return;
  }
  const int size = bColumns ? w : h;
  const long long start = bColumns ? x : y;
  const int limit = bColumns ? lpDst->nWidth : lpDst->nHeight;
  DDBeginSpriteBatch(0);
  // Only whole bands are drawn: a remainder narrower than a band stays as it was, as games
  // made for this effect expect (unlike the wave, which cuts its last band to fit).
  for (long long k = FirstBandReaching(start, nBand); (k + 1) * nBand <= size; ++k) {
    const long long pos = start + k * nBand;
    if (pos >= limit) break;
    const long long shift = (k % 2 == 0) ? nShift : -static_cast<long long>(nShift);
    if (bColumns)
      Blt(lpDst, pos, y + shift, nBand, h, lpSrc, sx + k * nBand, sy, dwFlags);
    else
      Blt(lpDst, x + shift, pos, w, nBand, lpSrc, sx, sy + k * nBand, dwFlags);
  }
  DDFlushSpriteBatch();
}

int DDFlipTransBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrcA, int ax, int ay,
                   DDSURFACEDATA* lpSrcB, int bx, int by, int sw, int sh, DWORD dwFlags, int nProgress,
                   int nDirection) {
  if (nDirection != 0 && nDirection != 1) return nDirection - 1;
  const int size = nDirection == 0 ? w : h;
  // Below two pixels there is no half to turn about.
  if (size < 2) return 0;
  const long long half = size / 2;
  // Floored division and modulo, so that a negative position turns the same way and the
  // squeeze stays within the half.
  const long long turn = FloorDiv(nProgress, half);
  const long long within = nProgress - turn * half;
  const long long squeeze = (turn % 2 == 0) ? within : half - within - 1;
  const bool bFaceB = FloorDiv(nProgress + half, size) % 2 != 0;
  DDSURFACEDATA* lpSrc = bFaceB ? lpSrcB : lpSrcA;
  const int fx = bFaceB ? bx : ax, fy = bFaceB ? by : ay;
  const long long X = nDirection == 0 ? x + squeeze : x;
  const long long Y = nDirection == 0 ? y : y + squeeze;
  const long long W = nDirection == 0 ? w - 2 * squeeze : w;
  const long long H = nDirection == 0 ? h : h - 2 * squeeze;
  if (!Near(X) || !Near(Y)) return 0;
  return DDStretchBlt(lpDst, static_cast<int>(X), static_cast<int>(Y), static_cast<int>(W), static_cast<int>(H), lpSrc,
                      fx, fy, sw, sh, dwFlags);
}

void DDQuarterSplitBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                       int nOffset, DWORD dwFlags) {
  if (lpDst == nullptr || lpSrc == nullptr || w <= 0 || h <= 0) return;
  const long long hw = w / 2, hh = h / 2, off = nOffset;
  DDBeginSpriteBatch(0);
  Blt(lpDst, x - off, y - off, hw, hh, lpSrc, sx, sy, dwFlags);
  Blt(lpDst, x + hw + off, y - off, hw, hh, lpSrc, sx + hw, sy, dwFlags);
  Blt(lpDst, x - off, y + hh + off, hw, hh, lpSrc, sx, sy + hh, dwFlags);
  Blt(lpDst, x + hw + off, y + hh + off, hw, hh, lpSrc, sx + hw, sy + hh, dwFlags);
  DDFlushSpriteBatch();
}

int DDCircleBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nReachX, int nReachY, int nRadius, int nBand,
                DDSURFACEDATA* lpSrc, int scx, int scy, DWORD dwFlags) {
  if (nRadius <= 0 || nBand <= 0 || lpDst == nullptr || lpSrc == nullptr) return 0;
  DDUseAlias(&lpDst);
  DDUseAlias(&lpSrc);
  const long long r = nRadius, n = nBand;
  const long long left = std::max<long long>(static_cast<long long>(scx) - nReachX, 0);
  const long long right = std::min<long long>(static_cast<long long>(scx) + nReachX, lpSrc->nWidth);
  // Rows relative to the centre that can show: inside the reach and the destination. Only
  // strips meeting them are visited, so a huge radius costs no more than the destination's
  // height.
  const long long reachY = nReachY;
  const long long lo = std::max(-reachY, -static_cast<long long>(cy));
  const long long hi = std::min(reachY, lpDst->nHeight - static_cast<long long>(cy));
  DDBeginSpriteBatch(0);
  if (left < right && lo < hi) {
    // Strips start at r − n, r − 2n, ... while they reach into the disc: the first one
    // whose rows begin above hi.
    const long long k = r - n >= hi ? FloorDiv(r - n - hi, n) + 1 : 0;
    for (long long top = r - n - k * n; top + n > -r && top + n > lo; top -= n) {
      // The strip is kept inside the reach.
      const long long first = std::max(top, -reachY), last = std::min(top + n, reachY);
      if (first >= last) continue;
      // Its chord is the one of its middle row, which may lie past the disc when the band
      // is wider than the disc: no chord there.
      const long long mid = top + n / 2;
      if (mid < -r || mid > r) continue;
      long long half = static_cast<long long>(std::sqrt(static_cast<double>(r * r - mid * mid)));
      if (half >= r) half = r - 1;
      const long long from = std::max(scx - half, left), to = std::min(scx + half, right);
      if (from >= to) continue;
      const long long dx = cx + (from - scx), dy = cy + first;
      if (lpDTCon != nullptr) {
        if (Near(dx) && Near(dy) && Near(scy + first))
          DDStretchBlt(lpDst, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(to - from),
                       static_cast<int>(last - first), lpSrc, static_cast<int>(from), static_cast<int>(scy + first),
                       static_cast<int>(to - from), static_cast<int>(last - first), dwFlags);
      } else {
        Blt(lpDst, dx, dy, to - from, last - first, lpSrc, from, scy + first, dwFlags);
      }
    }
  }
  return DDFlushSpriteBatch();
}
