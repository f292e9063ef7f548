#include "media/draw/dd_colour.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "app/message_boxes.h"
#include "app/report_log.h"
#include "app/sat_int.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/unread_bitmap_report.h"
#include "platform/bitmap_file.h"
#include "platform/host_files.h"

PALETTEENTRY g_Palette[256];
PALETTEENTRY g_DispPalette[256];
BYTE g_BlendTable[65536];
DDBLEND g_ColorBlend[10];

namespace {

// Pulse state of the Direct3D colour animation.
int g_anPulse[9];
int g_anPulseDir[9];
int g_nCycleKind = 0;
// Frame counter of the 8-bit palette animation.
int g_nAnimeFrame = 0;

inline int Channel(std::uint32_t pixel, int shift, int max) { return static_cast<int>((pixel >> shift) & static_cast<std::uint32_t>(max)); }

BYTE Widen(int v, int max) { return static_cast<BYTE>(max > 0 ? v * 255 / max : 0); }

}  // namespace

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* lpFile, int) {
  if (lpFile == nullptr) return false;
  cBitmapImage image;
  cBitmapFailure why;
  if (!LoadBitmapFile(lpFile, image, &why)) {
    // Without its palette the game cannot start: the user is told which file and why.
    ReportUnreadBitmap(lpFile, why, eMissingBitmap::kReport);
    return false;
  }
  bool bComplete = false;
  if (lpDTCon != nullptr && image.IsPalettised()) {
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t c = image.colorTable[i];
      lpPalette[i] = PALETTEENTRY{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 255};
    }
  } else if (g_nBpp == 8 && image.IsPalettised()) {
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t c = image.colorTable[i];
      const BYTE flags = (i < 10 || i >= 246) ? PC_EXPLICIT : PC_RESERVED;
      lpPalette[i] = PALETTEENTRY{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), flags};
    }
    bComplete = true;
  }
  if (g_nBpp == 8 && lpDTCon == nullptr) {
    if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 256, lpPalette);
  } else if ((g_nBpp == 16 || g_nBpp == 24 || g_nBpp == 32) && !bComplete) {
    DDSURFACEDATA temporary;
    if (DDCreateSurfaceFromFile(&temporary, lpFile, 0, g_nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) == 0)
      DDSetPalette_UnPal(lpPalette, &temporary);
    DDReleaseSurface(&temporary);
  }
  return true;
}

int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD) {
  const cPixelBuffer* px = DDSurfacePixels(lpSD);
  if (px == nullptr) {
    WriteECText("DDSetPalette_UnPal Lock Err");
    return 0;
  }
  const DDPIXELMASKS& m = g_TexMasks;
  for (int n = 0; n < 256; ++n) {
    const int x = n % 16, y = 8 + n / 16;
    // A picture too small for the palette block leaves the missing entries alone.
    if (x >= lpSD->nWidth || y >= lpSD->nHeight || !px->Inside(x, y)) continue;
    const std::uint32_t p = px->Get(x, y);
    PALETTEENTRY& e = lpPalette[n];
    if (lpDTCon != nullptr) {
      if (g_nBpp == 16) {
        if (Channel(p, m.nAShift, m.nAMax) == 0) continue;
        e.peRed = Widen(Channel(p, m.nRShift, m.nRMax), m.nRMax);
        e.peGreen = Widen(Channel(p, m.nGShift, m.nGMax), m.nGMax);
        e.peBlue = Widen(Channel(p, m.nBShift, m.nBMax), m.nBMax);
      } else {
        if ((p >> 24) == 0) continue;
        e = PALETTEENTRY{static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p),
                         static_cast<BYTE>(p >> 24)};
      }
    } else if (g_nBpp == 16) {
      e.peRed = static_cast<BYTE>(Channel(p, m.nRShift, m.nRMax));
      e.peGreen = static_cast<BYTE>(Channel(p, m.nGShift, m.nGMax));
      e.peBlue = static_cast<BYTE>(Channel(p, m.nBShift, m.nBMax));
    } else if (g_nBpp == 32) {
      e = PALETTEENTRY{static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p),
                       static_cast<BYTE>(p >> 24)};
    }
  }
  return 1;
}

int SetTrans(const char* lpFile) {
  DDSURFACEDATA temporary;
  const int code = DDCreateSurfaceFromFile(&temporary, lpFile, 0, g_nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0);
  if (!DDCheckSurfaceResult(code)) {
    WriteECf("%s 作成失敗！", lpFile);
    DDReleaseSurface(&temporary);
    return 0;
  }
  const cPixelBuffer* px = DDSurfacePixels(&temporary);
  if (px == nullptr || px->nWidth <= 0) {
    WriteECText("Lock 失敗！");
    DDReleaseSurface(&temporary);
    return 0;
  }
  const std::uint32_t p = px->Get(0, 0);
  const DDPIXELMASKS& m = g_TexMasks;
  if (lpDTCon != nullptr) {
    if (g_nBpp == 16) {
      g_dwTransmit = p & 0xFFFF;
      if (lpFile != nullptr) {
        cBitmapImage image;
        if (!LoadBitmapFile(lpFile, image)) {
          DDReleaseSurface(&temporary);
          return 0;
        }
        if (image.IsPalettised()) {
          const std::uint32_t c = image.colorTable[0];
          lpDTCon->rgbTransmit16 = RGBTRIPLE{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16)};
        }
      }
      // The texel's own channel values: widening them here and narrowing them back in
      // DDSetTransmit would lose the low bits of the key.
      DDSetTransmit(static_cast<BYTE>(Channel(p, m.nRShift, m.nRMax)), static_cast<BYTE>(Channel(p, m.nGShift, m.nGMax)),
                    static_cast<BYTE>(Channel(p, m.nBShift, m.nBMax)));
      WriteECf("SetTrans(filename) lpDTCon->wTransmit_16 = (%x)", lpDTCon->wTransmit_16);
    } else {
      DDSetTransmit(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
    }
  } else {
    g_dwTransmit = p;
    if (g_nBpp == 16 && lpDDCon != nullptr && lpFile != nullptr) {
      // True-colour pictures find their key by colour: the colour of the picture's key
      // pixel, as the palette gives it (a game with full-colour pictures sets its own
      // afterwards).
      cBitmapImage image;
      if (!LoadBitmapFile(lpFile, image)) {
        DDReleaseSurface(&temporary);
        return 0;
      }
      const std::uint32_t c = image.Rgb(0, 0);
      lpDDCon->rgbTransmit16 = RGBTRIPLE{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16)};
    }
    if (g_nBpp == 32 && lpDDCon != nullptr)
      lpDDCon->rgbTransmit = RGBTRIPLE{static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16)};
  }
  DDReleaseSurface(&temporary);
  return 1;
}

void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue) {
  const DDPIXELMASKS& m = g_TexMasks;
  if (lpDTCon != nullptr) {
    DTCONTAINER& con = *lpDTCon;
    con.rgbTransmit = RGBTRIPLE{cbBlue, cbGreen, cbRed};
    WriteECf("SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,lpDTCon->rgbTransmit.rgbtBlue = %d",
             cbRed, cbGreen, cbBlue);
    con.dwTransmit = 0;
    con.wTransmit = 0;
    if (g_nBpp == 16) {
      // At 16 bits the channels are the texel's raw values: the texel is rebuilt from them
      // as they stand, and the clear colour of render targets (a full 8-bit colour) gets
      // them widened, so that a key of (31, 0, 31) clears to magenta, not near-black.
      con.wTransmit_16 = static_cast<WORD>(((cbBlue & m.nBMax) << m.nBShift) | ((cbGreen & m.nGMax) << m.nGShift) |
                                           ((cbRed & m.nRMax) << m.nRShift) | ((m.nAMax & 1) << m.nAShift));
      con.argbTransmit = D3DCOLOR_ARGB(255, Widen(cbRed, m.nRMax), Widen(cbGreen, m.nGMax), Widen(cbBlue, m.nBMax));
    } else {
      con.argbTransmit = D3DCOLOR_ARGB(255, cbRed, cbGreen, cbBlue);
      con.wTransmit_16 = 0;
      g_dwTransmit = con.dwTransmit;
    }
    return;
  }
  if (g_nBpp == 16) {
    g_dwTransmit = static_cast<WORD>(((cbGreen * m.nGMax / 255) << m.nGShift) | ((cbBlue * m.nBMax / 255) << m.nBShift) |
                                     ((cbRed * m.nRMax / 255) << m.nRShift));
    WriteECText("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！");
    if (IsECLogEnabled()) {
      const auto back = [&](int shift, int max) { return max > 0 ? Channel(g_dwTransmit, shift, max) * 255 / max : 0; };
      DebugMesBox("Tr %d RGB32(%d,%d,%d) -> RGB16(%d,%d,%d)", static_cast<int>(g_dwTransmit), cbRed, cbGreen, cbBlue,
                  back(m.nRShift, m.nRMax), back(m.nGShift, m.nGMax), back(m.nBShift, m.nBMax));
    }
  } else if (g_nBpp == 32) {
    g_dwTransmit = (static_cast<DWORD>(cbRed) << 16) | (cbGreen << 8) | cbBlue;
    if (lpDDCon != nullptr) lpDDCon->rgbTransmit = RGBTRIPLE{cbBlue, cbGreen, cbRed};
  }
}

DWORD PalNumToRGB(DWORD dwPalNum) {
  if (dwPalNum > 255) {
    // A number past the palette names no colour; under DirectDraw too it must not read
    // past the table.
    WriteECf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(dwPalNum));
    return 0;
  }
  const PALETTEENTRY& e = g_Palette[dwPalNum];
  if (lpDTCon != nullptr) {
    if (dwPalNum == 0) return lpDTCon->dwTransmit;
    return D3DCOLOR_ARGB(255, e.peRed, e.peGreen, e.peBlue);
  }
  if (g_nBpp == 8) return dwPalNum;
  if (g_nBpp == 16) return DDPalToRGB16(&e);
  return (static_cast<DWORD>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
}

DWORD DDPalToRGB16(const PALETTEENTRY* e) {
  if (lpDTCon != nullptr) {
    WriteECText("DDPalToRGB16はDirect3Dでは未対応");
    return 0;
  }
  const DDPIXELMASKS& m = g_TexMasks;
  return static_cast<WORD>(((e->peBlue & m.nBMax) << m.nBShift) | ((e->peGreen & m.nGMax) << m.nGShift) |
                           ((e->peRed & m.nRMax) << m.nRShift));
}

int DDBuildIndexData(BYTE** lplpIndex, DDSURFACEDATA* lpSD) {
  if (lpDTCon != nullptr) {
    DDUseAlias(&lpSD);
    DDRedirectBackBuffer(&lpSD);
  }
  const cPixelBuffer* px = DDSurfacePixels(lpSD);
  if (px == nullptr || px->nWidth <= 0) {
    MemErrMesBox();
    return 0;
  }
  delete[] *lplpIndex;
  const int stride = px->nPitch / px->BytesPerPixel();
  const int height = std::min(lpSD->nHeight, px->nHeight);
  const int width = std::min(lpSD->nWidth, px->nWidth);
  BYTE* index = new BYTE[static_cast<std::size_t>(std::max(height, 1)) * stride]();
  const DDPIXELMASKS& m = g_TexMasks;
  const bool bKeyed = lpDTCon != nullptr && lpSD->lpDT != nullptr && lpSD->lpDT->bColorKey;
  // The first (lowest) matching entry per pixel value, found once per value.
  std::unordered_map<std::uint32_t, BYTE> found;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = px->Get(x, y);
      auto it = found.find(p);
      if (it == found.end()) {
        BYTE number = 0;
        for (int n = 0; n < 256; ++n) {
          const PALETTEENTRY& e = g_Palette[n];
          bool match;
          if (lpDTCon != nullptr && g_nBpp == 16) {
            if (bKeyed && p == 0) break;
            match = Widen(Channel(p, m.nRShift, m.nRMax), m.nRMax) == e.peRed &&
                    Widen(Channel(p, m.nGShift, m.nGMax), m.nGMax) == e.peGreen &&
                    Widen(Channel(p, m.nBShift, m.nBMax), m.nBMax) == e.peBlue;
          } else if (lpDTCon == nullptr && g_nBpp == 16) {
            match = DDPalToRGB16(&e) == p;
          } else {
            match = static_cast<BYTE>(p >> 16) == e.peRed && static_cast<BYTE>(p >> 8) == e.peGreen &&
                    static_cast<BYTE>(p) == e.peBlue;
          }
          if (match) {
            number = static_cast<BYTE>(n);
            break;
          }
        }
        it = found.emplace(p, number).first;
      }
      index[static_cast<std::size_t>(y) * stride + x] = it->second;
    }
  *lplpIndex = index;
  return 1;
}

void DDBlendPalette(PALETTEENTRY* lpDst, int nFirst, int nLast, int nStrength, BYTE cbRed, BYTE cbGreen, BYTE cbBlue,
                    const PALETTEENTRY* lpSrc) {
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, 255);
  if (nLast < nFirst) return;
  std::memmove(lpDst + nFirst, lpSrc + nFirst, sizeof(PALETTEENTRY) * (nLast - nFirst + 1));
  const int s = static_cast<WORD>(nStrength);
  for (int i = nFirst; i <= nLast; ++i) {
    PALETTEENTRY& e = lpDst[i];
    e.peRed = static_cast<BYTE>((cbRed * (256 - s) + s * e.peRed) >> 8);
    e.peGreen = static_cast<BYTE>((cbGreen * (256 - s) + s * e.peGreen) >> 8);
    e.peBlue = static_cast<BYTE>((cbBlue * (256 - s) + s * e.peBlue) >> 8);
    e.peFlags = 1;
  }
}

void DDRotatePalette(PALETTEENTRY* lpDst, int nFirst, int nLast, int nCount, int nDir, const PALETTEENTRY* lpSrc) {
  if (g_nBpp == 24) return;
  if (lpDst != lpSrc) std::memmove(lpDst, lpSrc, sizeof(PALETTEENTRY) * 256);
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, 255);
  if (nLast < nFirst || (nDir != 0 && nDir != 1)) return;
  const int n = nLast - nFirst + 1;
  const int shift = ((nCount % n) + n) % n;
  if (shift == 0) return;
  PALETTEENTRY* begin = lpDst + nFirst;
  // Up: the top entries come round to the bottom; down: the bottom ones to the top.
  if (nDir == 0)
    std::rotate(begin, begin + (n - shift), begin + n);
  else
    std::rotate(begin, begin + shift, begin + n);
}

bool DDReadBlendTable(BYTE* lpTable, const char* lpPath) {
  if (lpDTCon != nullptr) return true;
  FILE* file = OpenFile(lpPath, "rb");
  if (file == nullptr) return false;
  const std::size_t read = std::fread(lpTable, 1, 65536, file);
  std::fclose(file);
  // A short file would leave part of the table stale.
  return read == 65536;
}

int SetPaletteVariant(int n) {
  if (lpDTCon != nullptr || g_nBpp != 8) return 1;
  // The option file's number is unchecked; past 23 the copied block would lie beyond the
  // palette.
  n = std::clamp(n, 0, 23);
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "bmp\\hbt\\hbt%02d.dat", n);
  if (!DDReadBlendTable(g_BlendTable, path)) {
    ErrMesBoxf("%s の読み込みに失敗！", path);
    return 0;
  }
  const char* palettePath = g_lpFixedSurfaceDef != nullptr ? g_lpFixedSurfaceDef[0].szFile : g_FixedSurfaceDef[0].szFile;
  if (!DDLoadPaletteFromFile(g_Palette, palettePath, g_bWindow)) {
    WriteECText("DDLoadPaletteFromFile失敗");
    return 0;
  }
  if (n > 11) {
    PALETTEENTRY block[16];
    std::memcpy(block, g_Palette + (n - 11) * 16, sizeof block);
    for (int k = 0; k < 12; ++k) std::memcpy(g_Palette + 16 + k * 16, block, sizeof block);
  } else {
    DDRotatePalette(g_Palette, 16, 207, n * 16, 1, g_Palette);
  }
  std::memcpy(g_DispPalette, g_Palette, sizeof g_Palette);
  if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 255, g_DispPalette);
  return 1;
}

int PingPong(int* lpValue, int* lpDir, int nStep, int nMin, int nMax) {
  // The step is System.dat's speed and may be anything: the move is taken in 64 bits, and
  // a value that goes past an int limit without reaching the turn stays at that limit.
  const int old = *lpValue;
  if (*lpDir == 0) {
    const std::int64_t next = std::int64_t{old} + nStep;
    if (next >= nMax) {
      *lpDir = 1;
    } else {
      *lpValue = SatInt32(next);
    }
    return 0;
  }
  const std::int64_t next = std::int64_t{old} - nStep;
  if (next <= nMin) {
    *lpDir = 0;
    return 1;
  }
  *lpValue = SatInt32(next);
  return 0;
}

void UpdatePaletteAnime() {
  if (lpDTCon == nullptr) {
    if (g_nBpp != 8 || g_SystemData.m_bPaletteAnime != 1) return;
    if (++g_nAnimeFrame < 6) return;
    g_nAnimeFrame = 0;
    for (int group = 208; group < 240; group += 4) DDRotatePalette(g_DispPalette, group, group + 3, 1, 1, g_DispPalette);
    if (lpDDPalette != nullptr) lpDDPalette->SetEntries(208, 32, g_DispPalette + 208);
    return;
  }
  const int s = g_SystemData.m_nColorAnimeSpeed;
  for (int k = 1; k <= 9; ++k) {
    const DWORD p = static_cast<DWORD>(g_anPulse[k - 1]);
    DDBLEND& pair = g_ColorBlend[k];
    pair.nColorOp = D3DTOP_ADD;
    switch (k) {
      case 1: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, p, p); break;
      case 2:
        pair.dwDiffuse = D3DCOLOR_ARGB(255, p, p, p);
        pair.nColorOp = D3DTOP_SUBTRACT;
        break;
      case 3: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, 0, 0); break;
      case 4: pair.dwDiffuse = D3DCOLOR_ARGB(255, 0, p, 0); break;
      case 5: pair.dwDiffuse = D3DCOLOR_ARGB(255, 0, 0, p); break;
      case 6: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, p, 0); break;
      case 7: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, 0, p / 4); break;
      case 8: pair.dwDiffuse = D3DCOLOR_ARGB(255, p / 4, 0, p); break;
      default:
        switch (g_nCycleKind) {
          case 0: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, 0, 0); break;
          case 1: pair.dwDiffuse = D3DCOLOR_ARGB(255, 0, p, 0); break;
          case 2: pair.dwDiffuse = D3DCOLOR_ARGB(255, 0, 0, p); break;
          default: pair.dwDiffuse = D3DCOLOR_ARGB(255, p, p, 0); break;
        }
        break;
    }
    if (PingPong(&g_anPulse[k - 1], &g_anPulseDir[k - 1], s, 0, 255) == 1 && k == 9) g_nCycleKind = (g_nCycleKind + 1) % 4;
  }
}

void ResetPaletteAnime() {
  std::fill(std::begin(g_anPulse), std::end(g_anPulse), 0);
  std::fill(std::begin(g_anPulseDir), std::end(g_anPulseDir), 0);
  g_nCycleKind = 0;
  g_nAnimeFrame = 0;
  for (DDBLEND& pair : g_ColorBlend) pair = DDBLEND{0, 0};
}
