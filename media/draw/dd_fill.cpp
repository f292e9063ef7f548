#include "media/draw/dd_fill.h"

#include <algorithm>
#include <cstdarg>
#include <vector>

#include "app/bounded_format.h"
#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"

int g_bRectBatch = 0;

namespace {

struct RectBatchEntry {
  DDSURFACEDATA* lpDst;
  int x, y, w, h;
  D3DCOLOR dwColor;
};
std::vector<RectBatchEntry> g_RectEntries;

// The pixel value of a palette number on the DirectDraw back end.
DWORD DDPixelOfPalNum(DWORD dwPalNum) {
  switch (g_nBpp) {
    case 8: return dwPalNum;
    case 16:
    case 24:
    case 32: return PalNumToRGB(dwPalNum);
    default: return 0;
  }
}

// The DirectDraw fill rectangle. A rectangle that starts left of or above the surface is
// cut at its far edges too, like any other.
int DDColorFill(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DWORD value) {
  if (lpSD == nullptr || lpSD->lpDDData == nullptr || lpSD->lpDDData->lpDDS == nullptr) return DDERR_INVALIDPARAMS;
  RECT rect{std::max(x, 0), std::max(y, 0), x + w, y + h};
  rect.right = std::min<LONG>(rect.right, lpSD->nWidth);
  rect.bottom = std::min<LONG>(rect.bottom, lpSD->nHeight);
  if (rect.left >= rect.right || rect.top >= rect.bottom) return DD_OK;
  return lpSD->lpDDData->lpDDS->ColorFill(&rect, value);
}

}  // namespace

int DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DWORD dwPalNum) {
  if (lpDTCon != nullptr) {
    DWORD colour = 0;
    if (dwPalNum > 255) {
      WriteECf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(dwPalNum));
    } else if (dwPalNum == 0) {
      colour = lpDTCon->dwTransmit;
    } else {
      const PALETTEENTRY& e = g_Palette[dwPalNum];
      colour = D3DCOLOR_ARGB(255, e.peRed, e.peGreen, e.peBlue);
    }
    return DDFillRectRGB(lpSD, x, y, w, h, colour);
  }
  return DDColorFill(lpSD, x, y, w, h, DDPixelOfPalNum(dwPalNum));
}

int DDFillSurface(DDSURFACEDATA* lpSD, DWORD dwPalNum) {
  if (lpSD == nullptr) return 0;
  return DDFillRect(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwPalNum);
}

int DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DWORD dwColor) {
  if (lpDTCon == nullptr) return DDColorFill(lpSD, x, y, w, h, dwColor);
  if (lpSD == nullptr) return 0;
  DDUseAlias(&lpSD);
  DDRedirectBackBuffer(&lpSD);
  cPixelBuffer* px = DDSurfacePixels(lpSD);
  if (px == nullptr || lpSD->lpDT == nullptr) return 0;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, std::min(lpSD->nWidth, px->nWidth));
  const int y1 = std::min(y + h, std::min(lpSD->nHeight, px->nHeight));
  if (x0 >= x1 || y0 >= y1) return 0;
  if (lpSD->lpDT->bRenderTarget) {
    const D3DCOLOR transparent = lpSD == &g_BackBuffer ? lpDTCon->argbTransmit : lpDTCon->dwTransmit;
    if (lpSD->lpDT->bColorKey && (g_nBpp == 16 || g_nBpp == 32) && dwColor == transparent) {
      if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return 0;
      const RECT rect{x0, y0, x1, y1};
      lpDevice->Clear(&rect, dwColor);
      if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
      return 1;
    }
    if (g_bRectBatch) {
      g_RectEntries.push_back(RectBatchEntry{lpSD, x0, y0, x1 - x0, y1 - y0, dwColor});
      return 1;
    }
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return 0;
    const HRESULT hr = lpDevice->DrawColorQuad(x0, y0, x1 - x0, y1 - y0, dwColor);
    if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
    return hr == D3D_OK ? 1 : 0;
  }
  std::uint32_t value = dwColor;
  if (px->BytesPerPixel() == 2) {
    const std::uint32_t a = dwColor >> 24, r = (dwColor >> 16) & 255, g = (dwColor >> 8) & 255, b = dwColor & 255;
    if (DDIsFullscreenBackBuffer(lpSD))
      value = ((r * 31 / 255) << 11) | (((g * 31 / 255) * 2) << 5) | (b * 31 / 255);
    else
      value = ((a * 1 / 255) << 15) | ((r * 31 / 255) << 10) | ((g * 31 / 255) << 5) | (b * 31 / 255);
  }
  FillRectRaw(*px, RECT{x0, y0, x1, y1}, value);
  return 1;
}

int DDFillSurfaceRGB(DDSURFACEDATA* lpSD, DWORD dwColor) {
  if (lpSD == nullptr) return 0;
  return DDFillRectRGB(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwColor);
}

void DDBeginRectBatch() {
  if (lpDTCon == nullptr) return;
  g_bRectBatch = 1;
  g_RectEntries.clear();
}

int DDFlushRectBatch() {
  int result = 1;
  std::size_t start = 0;
  while (lpDTCon != nullptr && start < g_RectEntries.size()) {
    DDSURFACEDATA* dst = g_RectEntries[start].lpDst;
    std::size_t end = start;
    if (DDBeginScene() && DDSetRenderTarget(0, dst)) {
      for (; end < g_RectEntries.size() && g_RectEntries[end].lpDst == dst; ++end) {
        const RectBatchEntry& e = g_RectEntries[end];
        if (lpDevice->DrawColorQuad(e.x, e.y, e.w, e.h, e.dwColor) != D3D_OK) result = 0;
      }
      if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
    } else {
      result = 0;
      while (end < g_RectEntries.size() && g_RectEntries[end].lpDst == dst) ++end;
    }
    start = end;
  }
  g_RectEntries.clear();
  g_bRectBatch = 0;
  return result;
}

void DDPutPixel(DDSURFACEDATA* lpSD, int x, int y, DWORD dwPalNum) {
  if (lpSD == nullptr || x < 0 || y < 0 || x >= lpSD->nWidth || y >= lpSD->nHeight) return;
  if (lpDTCon != nullptr)
    DDFillRect(lpSD, x, y, 1, 1, dwPalNum);
  else
    DDColorFill(lpSD, x, y, 1, 1, DDPixelOfPalNum(dwPalNum));
}

void DDDrawCircle(DDSURFACEDATA* lpSD, int cx, int cy, int r, DWORD dwPalNum) {
  if (lpSD == nullptr || r < 1) return;
  const DWORD value = lpDTCon != nullptr ? 0 : PalNumToRGB(dwPalNum);
  const auto plot = [&](int px, int py) {
    if (lpDTCon != nullptr) {
      DDFillRect(lpSD, px, py, 1, 1, dwPalNum);
    } else if (px >= 0 && py >= 0 && px < lpSD->nWidth && py < lpSD->nHeight) {
      DDColorFill(lpSD, px, py, 1, 1, value);
    }
  };
  int x = 0, y = r, d = 3 - 2 * r;
  while (x <= y) {
    plot(cx + x, cy + y);
    plot(cx - x, cy + y);
    plot(cx + x, cy - y);
    plot(cx - x, cy - y);
    plot(cx + y, cy + x);
    plot(cx - y, cy + x);
    plot(cx + y, cy - x);
    plot(cx - y, cy - x);
    if (d < 0) {
      d += 4 * x + 6;
    } else {
      d += 4 * (x - y) + 10;
      --y;
    }
    ++x;
  }
}

int DDDrawBitmapText(DDSURFACEDATA* lpDst, int x, int y, int cw, int ch, DDSURFACEDATA* lpSheet, const char* lpText) {
  if (lpText == nullptr) return 0;
  if (lpDTCon != nullptr) DDBeginSpriteBatch(0);
  int offset = 0;
  for (const char* p = lpText; *p != '\0'; ++p) {
    const int b = static_cast<unsigned char>(*p);
    if (*p == '\n') {
      offset = 0;
      y += ch;
      continue;
    }
    int row = b >> 4;
    if (b >= 0xA6 && b <= 0xBF) row -= 10;
    else if (b >= 0xC0 && b <= 0xDD) row -= 4;
    DDBlt(lpDst, x + offset, y, cw, ch, lpSheet, cw * (b & 15), row * ch, 1);
    offset += cw;
    if (offset >= g_nScreenWidth) {
      offset = 0;
      y += ch;
    }
  }
  if (lpDTCon != nullptr) return DDFlushSpriteBatch();
  return 0;
}

int DDDrawBitmapTextF(DDSURFACEDATA* lpDst, int x, int y, int cw, int ch, DDSURFACEDATA* lpSheet, const char* lpFormat,
                      ...) {
  char text[256];
  va_list args;
  va_start(args, lpFormat);
  VFormatBounded(text, sizeof text, lpFormat, args);
  va_end(args);
  return DDDrawBitmapText(lpDst, x, y, cw, ch, lpSheet, text);
}
