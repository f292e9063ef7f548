#include "media/draw/dd_surface.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/bounded_format.h"
#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/unread_bitmap_report.h"
#include "platform/bitmap_file.h"
#include "platform/message_queue.h"

DDSURFACEDATA g_FixedSurface[kFixedSurfaceCount];
DDSURFACEDEF g_FixedSurfaceDef[kFixedSurfaceCount];
DDSURFACEDEF g_ExtraSurfaceDef[kExtraSurfaceCount];
std::vector<DDSURFACEDATA*> g_SurfaceList;

namespace {

void CopyText(char (&dest)[MAX_PATH], const char* text) {
  if (text == nullptr) text = "";
  // Cut to the buffer, never inside a double-byte character.
  const std::size_t length = WholeCharLength(text, strnlen(text, MAX_PATH - 1));
  std::memcpy(dest, text, length);
  dest[length] = '\0';
}

bool IsBlankName(const char* file) { return std::strcmp(file, "E") == 0; }

void FreeIndex(BYTE*& index) {
  delete[] index;
  index = nullptr;
}

void ReleaseTexture(DTTEXTUREDATA* dt) {
  if (dt->lpTexture != nullptr) {
    if (lpDevice != nullptr)
      lpDevice->ReleaseTexture(dt->lpTexture);
    else
      delete dt->lpTexture;
  }
  dt->lpTexture = nullptr;
  dt->lpSurface = nullptr;
}

ePixelFormat TextureFormat() {
  return lpDTCon != nullptr ? PixelFormatOf(lpDTCon->nTexFormat) : ePixelFormat::kA8R8G8B8;
}

// The error box of a failed texture creation, then an orderly close.
void TextureErrorBox() {
  if (lpDTCon != nullptr && !lpDTCon->strError.empty()) ErrMesBoxf("%s", lpDTCon->strError.c_str());
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}

// The fixed table at static initialisation.
struct cFixedTableInit {
  cFixedTableInit() {
    DDSURFACEDEF* d = g_FixedSurfaceDef;
    d[0].Set("bmp\\plt\\Palette.bmp", 0, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    d[1].Set("bmp\\Debug.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[2].Set("bmp\\Block.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[3].Set("bmp\\Block.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0);
    d[4].Set("bmp\\Character1.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[5].Set("bmp\\Character1.bmp", 1, 0, 0, 1, 0, 0, 32, 0, 0, 0);
    char name[MAX_PATH];
    for (int k = 2; k <= 8; ++k) {
      std::snprintf(name, sizeof name, "bmp\\Character%d.bmp", k);
      const int row = 6 + (k - 2) * 2;
      d[row].Set(name, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);
      d[row + 1].Set(name, 1, 0, 0, 1, 0, 1, 32, 0, 0, 0);
      d[24 + (k - 2) * 2].Set(name, 1, 1, 0, 1, 0, 1, 0, 0, 0, 0);
      d[25 + (k - 2) * 2].Set(name, 1, 1, 0, 1, 0, 1, 32, 0, 0, 0);
    }
    d[20].Set("bmp\\Shot.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[21].Set("bmp\\Shot.bmp", 1, 0, 0, 1, 0, 0, 16, 0, 0, 0);
    d[22].Set("bmp\\Character1.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0);
    d[23].Set("bmp\\Character1.bmp", 1, 1, 0, 1, 0, 0, 32, 0, 0, 0);
    d[38].Set("bmp\\Shot.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0);
    d[39].Set("bmp\\Shot.bmp", 1, 1, 0, 1, 0, 0, 16, 0, 0, 0);
    d[40].Set("bmp\\Item.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[41].Set("bmp\\Item.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0);
    d[42].Set("bmp\\Item_Mini.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[43].Set("bmp\\Mark.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[44].Set("bmp\\Mark.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0);
    d[45].Set("bmp\\Window.bmp", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[46].Set("bmp\\StatusWindow.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[47].Set("bmp\\Title.bmp", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[48].Set("bmp\\GameMode.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);
    d[49].Set("bmp\\Accessory.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[50].Set("bmp\\Symbol.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[51].Set("bmp\\Word.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[52].Set("bmp\\WorldMapChip.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    d[53].Set("bmp\\WorldEvent.bmp", 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    d[54].Set("bmp\\WorldBack.bmp", 0, 1, 0, 0, 0, 1, 0, 0, 0, 0);
    for (int k = 1; k <= 8; ++k) {
      std::snprintf(name, sizeof name, "背景その%d.bmp", k);
      d[54 + k].Set(name, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);
    }
    d[63].Set("E", 1, 1, 0, 0, 0, 0, 0, 0, 256, 960);
    d[64].Set("E", 1, 1, 0, 0, 0, 0, 0, 0, 256, 960);
    d[65].Set("E", 1, 1, 0, 0, 0, 0, 0, 0, 640, 480);
    d[66].Set("E", 0, 1, 0, 0, 0, 0, 0, 0, 640, 480);
    d[67].Set("E", 1, 0, 0, 0, 0, 0, 0, 0, 640, 480);
    d[68].Set("E", 1, 1, 0, 1, 0, 0, 0, 0, 640, 480);
    d[69].Set("E", 1, 0, 2, 0, 0, 0, 0, 0, 1024, 1024);
    d[70].Set("E", 1, 1, 1, 0, 0, 0, 0, 0, 1024, 1024);
    InitExtraSurfaceTable();
  }
};
const cFixedTableInit g_FixedTableInit;

// Texture pixels of a loaded picture: the picture at the top left, key-coloured pixels and
// the rest of the texture transparent black.
void FillTextureFromImage(cPixelBuffer& pixels, const cBitmapImage& image, std::uint32_t keyRgb) {
  std::fill(pixels.bytes.begin(), pixels.bytes.end(), 0);
  for (int y = 0; y < image.nHeight && y < pixels.nHeight; ++y)
    for (int x = 0; x < image.nWidth && x < pixels.nWidth; ++x) {
      const std::uint32_t rgb = image.Rgb(x, y);
      pixels.Put(x, y, rgb == keyRgb ? 0u : ArgbToPixel(pixels.format, 0xFF000000u | rgb));
    }
}

// The palette numbers true-colour pixels get on an 8-bit display: the key colour becomes
// the key's number; every other colour the nearest entry of the game palette (the lowest
// number among equals) other than the key, so that no opaque pixel turns transparent.
class cNearestPaletteIndex {
 public:
  cNearestPaletteIndex() {
    const DWORD key = g_dwTransmit & 255;
    m_byKey = static_cast<BYTE>(key);
    const cSystemData& sys = g_SystemData;
    if (sys.m_bFullColor != 0) {
      m_dwKeyRgb = (static_cast<std::uint32_t>(sys.m_byKeyRed) << 16) | (sys.m_byKeyGreen << 8) | sys.m_byKeyBlue;
    } else {
      const PALETTEENTRY& e = g_Palette[key];
      m_dwKeyRgb = (static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
    }
  }
  BYTE operator()(std::uint32_t rgb) {
    rgb &= 0xFFFFFFu;
    if (rgb == m_dwKeyRgb) return m_byKey;
    const auto found = m_Known.find(rgb);
    if (found != m_Known.end()) return found->second;
    const int r = static_cast<int>(rgb >> 16), g = static_cast<int>((rgb >> 8) & 255), b = static_cast<int>(rgb & 255);
    int best = m_byKey == 0 ? 1 : 0;
    int bestDistance = -1;
    for (int n = 0; n < 256; ++n) {
      if (n == m_byKey) continue;
      const PALETTEENTRY& e = g_Palette[n];
      const int dr = r - e.peRed, dg = g - e.peGreen, db = b - e.peBlue;
      const int distance = dr * dr + dg * dg + db * db;
      if (bestDistance < 0 || distance < bestDistance) {
        best = n;
        bestDistance = distance;
      }
    }
    m_Known.emplace(rgb, static_cast<BYTE>(best));
    return static_cast<BYTE>(best);
  }

 private:
  BYTE m_byKey = 0;
  std::uint32_t m_dwKeyRgb = 0;
  // A picture has few colours but many pixels: each colour is searched once.
  std::unordered_map<std::uint32_t, BYTE> m_Known;
};

// Mirrored position of v within cells of size c (c 0: unchanged).
inline int MirrorPos(int v, int c) { return c > 0 ? c * (v / c + 1) - (v % c) - 1 : v; }

// The copy of a loaded picture into a DirectDraw surface, by depth.
bool CopyBitmapImage(DDSURFACEDATA* lpSD, const cBitmapImage& image, const char* lpFile, int nBpp, int bIndexData,
                     int nMirrorW, int nMirrorH) {
  if (lpSD->lpDDData == nullptr || lpSD->lpDDData->lpDDS == nullptr) return false;
  cSoftDDSurface* dds = lpSD->lpDDData->lpDDS;
  DDSURFACEDESC2 desc{};
  if (dds->Lock(&desc) != DD_OK) return false;
  cPixelBuffer& px = dds->pixels;
  const int bw = image.nWidth, bh = image.nHeight;
  const bool bDirect = image.IsPalettised() ? nBpp == 8 : nBpp == 16;
  if (bDirect) {
    if (px.nWidth != bw || px.nHeight != bh) {
      WriteECf("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", lpFile, px.nWidth, px.nHeight, bw, bh);
    } else {
      const RGBTRIPLE key16 = lpDDCon != nullptr ? lpDDCon->rgbTransmit16 : RGBTRIPLE{};
      const std::uint32_t keyRgb = (static_cast<std::uint32_t>(key16.rgbtRed) << 16) | (key16.rgbtGreen << 8) |
                                   key16.rgbtBlue;
      const DDPIXELMASKS& m = g_TexMasks;
      // Source rows bottom-up, as the picture stores them.
      for (int sy = bh - 1; sy >= 0; --sy) {
        const int dy = MirrorPos(sy, nMirrorH);
        if (dy >= bh) break;
        for (int sx = 0; sx < bw; ++sx) {
          const int dx = MirrorPos(sx, nMirrorW);
          if (dx >= bw) break;
          if (nBpp == 8) {
            px.Put(dx, dy, image.indices[static_cast<std::size_t>(sy) * bw + sx]);
            continue;
          }
          const std::uint32_t rgb = image.pixels[static_cast<std::size_t>(sy) * bw + sx];
          std::uint32_t v;
          if (rgb == keyRgb) {
            v = g_dwTransmit;
          } else {
            const std::uint32_t r = rgb >> 16, g = (rgb >> 8) & 255, b = rgb & 255;
            v = ((r * m.nRMax / 255) << m.nRShift) | ((g * m.nGMax / 255) << m.nGShift) |
                ((b * m.nBMax / 255) << m.nBShift);
            v &= 0xFFFF;
            // No opaque pixel may turn into the key.
            if (v == g_dwTransmit) {
              if (static_cast<int>((v >> m.nBShift) & m.nBMax) == m.nBMax)
                --v;
              else
                ++v;
            }
          }
          px.Put(dx, dy, v);
        }
      }
    }
  } else {
    // What the system's bitmap copy does: colours narrowed into the surface's format;
    // with cells, each whole cell mirrored in place and the partial ones left out.
    const bool bCells = nMirrorW > 0 || nMirrorH > 0;
    const int cw = nMirrorW > 0 ? nMirrorW : bw;
    const int ch = nMirrorH > 0 ? nMirrorH : bh;
    const int limitW = bCells ? (bw / cw) * cw : bw;
    const int limitH = bCells ? (bh / ch) * ch : bh;
    // A true-colour picture on an 8-bit display takes the nearest colours of the palette.
    cNearestPaletteIndex nearest;
    for (int y = 0; y < limitH && y < px.nHeight; ++y)
      for (int x = 0; x < limitW && x < px.nWidth; ++x) {
        const int sx = nMirrorW > 0 ? MirrorPos(x, nMirrorW) : x;
        const int sy = nMirrorH > 0 ? MirrorPos(y, nMirrorH) : y;
        const std::uint32_t rgb = image.Rgb(sx, sy);
        std::uint32_t v;
        if (px.format == ePixelFormat::kR5G6B5)
          v = (((rgb >> 16) >> 3) << 11) | ((((rgb >> 8) & 255) >> 2) << 5) | ((rgb & 255) >> 3);
        else if (px.format == ePixelFormat::kP8)
          v = nearest(rgb);
        else
          v = rgb;
        px.Put(x, y, v);
      }
  }
  dds->Unlock(nullptr);
  lpSD->nWidth = bw;
  lpSD->nHeight = bh;
  lpSD->nMirrorW = nMirrorW;
  lpSD->nMirrorH = nMirrorH;
  if (lpFile != lpSD->szFile) CopyText(lpSD->szFile, lpFile);
  if (bIndexData && nBpp != 8) {
    if (!DDBuildIndexData(&lpSD->lpDDData->lpIndex, lpSD)) return false;
  } else {
    FreeIndex(lpSD->lpDDData->lpIndex);
  }
  return true;
}

}  // namespace

DDSURFACEDATA::DDSURFACEDATA() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

DDSURFACEDEF::DDSURFACEDEF() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

void DDSURFACEDEF::Set(const char* file, int colorKey, int ddMemType, int dtMemType, int alias, int indexData, int quiet,
                       int mirrorW, int mirrorH, int blankW, int blankH) {
  CopyText(szFile, file);
  bColorKey = colorKey;
  nDDMemType = ddMemType;
  nDTMemType = dtMemType;
  bAlias = alias;
  bIndexData = indexData;
  bQuiet = quiet;
  nMirrorW = mirrorW;
  nMirrorH = mirrorH;
  nBlankW = blankW;
  nBlankH = blankH;
}

void InitExtraSurfaceTable() {
  for (DDSURFACEDEF& def : g_ExtraSurfaceDef) def.Set("", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

void DDAllocSurfaceData(DDSURFACEDATA* lpSD) {
  if (g_bDirect3D) {
    if (lpSD->lpDT == nullptr) lpSD->lpDT = new DTTEXTUREDATA{};
  } else {
    if (lpSD->lpDDData == nullptr) lpSD->lpDDData = new DDRAWDATA{};
  }
}

cPixelBuffer* DDSurfacePixels(DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return nullptr;
  if (lpSD->lpAlias != nullptr && lpDTCon != nullptr) lpSD = lpSD->lpAlias;
  if (lpSD->lpDT != nullptr) return lpSD->lpDT->lpSurface;
  if (lpSD->lpDDData != nullptr && lpSD->lpDDData->lpDDS != nullptr) return &lpSD->lpDDData->lpDDS->pixels;
  return nullptr;
}

BYTE* DDSurfaceIndex(const DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return nullptr;
  if (lpSD->lpDT != nullptr) return lpSD->lpDT->lpIndex;
  if (lpSD->lpDDData != nullptr) return lpSD->lpDDData->lpIndex;
  return nullptr;
}

void DDAdjustTextureSize(int* lpWidth, int* lpHeight) {
  if (lpDTCon == nullptr) return;
  if (lpDTCon->bPow2) {
    for (int* side : {lpWidth, lpHeight}) {
      const unsigned v = static_cast<unsigned>(*side);
      if (*side > 0 && (v & (v - 1)) == 0) continue;
      int result = 2;
      for (int k = 31; k >= 0; --k)
        if (v & (1u << k)) {
          result = k >= 30 ? kMaxSurfaceSide * 2 : (1 << (k + 1));
          break;
        }
      *side = result;
    }
  }
  if (lpDTCon->bSquareOnly) {
    const int larger = std::max(*lpWidth, *lpHeight);
    *lpWidth = *lpHeight = larger;
  }
}

int DDCheckTextureSize(int nWidth, int nHeight) {
  if (lpDTCon == nullptr) return 1;
  if (nWidth > lpDTCon->caps.nMaxTextureWidth) {
    WriteReport("このビデオカードでは横幅%dを超える画像はサポートされていません！", lpDTCon->caps.nMaxTextureWidth);
    return 0;
  }
  if (nHeight > lpDTCon->caps.nMaxTextureHeight) {
    WriteReport("このビデオカードでは縦幅%dを超える画像はサポートされていません！", lpDTCon->caps.nMaxTextureHeight);
    return 0;
  }
  return 1;
}

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int nDDMemType, int nDTMemType,
                     int bAlias, int bRestore) {
  if (lpSD == nullptr) return false;
  if (lpDTCon == nullptr) {
    if (lpDD == nullptr) return false;
    if (lpSD->lpDDData == nullptr) lpSD->lpDDData = new DDRAWDATA{};
    if (lpSD->lpDDData->lpDDS != nullptr) lpSD->lpDDData->lpDDS->Release();
    lpSD->lpDDData->lpDDS = nullptr;
    cSoftDDSurface* dds = nullptr;
    int memType = nDDMemType;
    if (lpDD->CreateSurface(nWidth, nHeight, memType == 1, &dds) != DD_OK) {
      if (memType == 1) {
        WriteECText("CreateSurface System Err");
        return false;
      }
      memType = 1;
      if (lpDD->CreateSurface(nWidth, nHeight, true, &dds) != DD_OK) {
        WriteECText("CreateSurface Video -> System Err");
        return false;
      }
    }
    lpSD->lpDDData->lpDDS = dds;
    if (bColorKey == 1 && dds->SetColorKey(g_dwTransmit) != DD_OK) WriteECText("SetColorKey Err");
    lpSD->nWidth = lpSD->nTexWidth = nWidth;
    lpSD->nHeight = lpSD->nTexHeight = nHeight;
    lpSD->nDDMemType = memType;
    DDFillRect(lpSD, 0, 0, nWidth, nHeight, 0);
    return true;
  }

  DTCONTAINER& con = *lpDTCon;
  if (lpSD->lpDT == nullptr) lpSD->lpDT = new DTTEXTUREDATA{};
  DTTEXTUREDATA* dt = lpSD->lpDT;
  if (!bRestore) {
    CopyText(lpSD->szName, "OffScreen");
    CopyText(lpSD->szFile, "E");
    ReleaseTexture(dt);
    g_SurfaceList.erase(std::remove(g_SurfaceList.begin(), g_SurfaceList.end(), lpSD), g_SurfaceList.end());
    dt->nMemType = nDTMemType;
    dt->bColorKey = bColorKey == 1 ? 1 : 0;
    dt->bRenderTarget = 0;
    if (!bAlias) dt->nKey = con.nTextureKey++;
  }
  if (bAlias) {
    lpSD->nWidth = lpSD->nTexWidth = nWidth;
    lpSD->nHeight = lpSD->nTexHeight = nHeight;
    lpSD->nDDMemType = nDDMemType;
    return true;
  }
  int texW = nWidth, texH = nHeight;
  DDAdjustTextureSize(&texW, &texH);
  if (!DDCheckTextureSize(texW, texH)) WriteReport("上記の理由でテクスチャの描画が失敗する可能性があります。(空)");
  int mem = dt->nMemType == DTMEMORYTYPE_VIDEO_NORT ? DTMEMORYTYPE_VIDEO_RT : dt->nMemType;
  cSoftTexture* texture = nullptr;
  if (mem == DTMEMORYTYPE_VIDEO_RT) {
    dt->bRenderTarget = 1;
    const HRESULT hr = lpDevice->CreateTexture(texW, texH, TextureFormat(), true, &texture);
    if (hr == D3DERR_OUTOFVIDEOMEMORY) {
      WriteReport("VRAM不足のためシステムメモリにテクスチャを作成します。(空)");
      mem = DTMEMORYTYPE_SYSTEM;
    } else if (hr != D3D_OK) {
      return false;
    }
  }
  if (mem == DTMEMORYTYPE_SYSTEM && texture == nullptr) {
    dt->bRenderTarget = 0;
    const HRESULT hr = lpDevice->CreateTexture(texW, texH, TextureFormat(), false, &texture);
    if (hr != D3D_OK) {
      WriteReport("D3DXCreateTexture Err hr = %x", static_cast<unsigned>(hr));
      TextureErrorBox();
      return false;
    }
  }
  dt->nMemType = mem;
  dt->lpTexture = texture;
  dt->lpSurface = &texture->pixels;
  dt->desc = {D3DFormatOf(texture->pixels.format), texture->pixels.nWidth, texture->pixels.nHeight};
  lpSD->nWidth = nWidth;
  lpSD->nHeight = nHeight;
  lpSD->nTexWidth = texture->pixels.nWidth;
  lpSD->nTexHeight = texture->pixels.nHeight;
  if (dt->bRenderTarget) ClearRect(texture->pixels, RECT{0, 0, texW, texH}, con.argbTransmit);
  if (!bRestore) g_SurfaceList.push_back(lpSD);
  return true;
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* lpFile, int bColorKey, int nBpp, int nDDMemType,
                            int nDTMemType, int bAlias, int bIndexData, int nMirrorW, int nMirrorH, int bRestore) {
  if (lpSD == nullptr || lpFile == nullptr) return 8;
  // A name from game data longer than a path is no file of ours.
  char file[MAX_PATH];
  if (std::strlen(lpFile) >= MAX_PATH) {
    WriteECText("LoadImage Err (name too long)");
    return 8;
  }
  std::strcpy(file, lpFile);
  if (lpDTCon == nullptr) {
    cBitmapImage image;
    cBitmapFailure why;
    if (!LoadBitmapFile(file, image, &why)) {
      WriteECText(file);
      // A missing picture stays in the error-check log: whether it may be missing is the
      // caller's to know (a quiet row).
      ReportUnreadBitmap(file, why, eMissingBitmap::kQuiet);
      return 8;
    }
    if (!DDCreateSurface(lpSD, image.nWidth, image.nHeight, bColorKey, nDDMemType, 0, 0, 0)) return 4;
    if (!CopyBitmapImage(lpSD, image, file, nBpp, bIndexData, nMirrorW, nMirrorH)) return 8;
    lpSD->nMirrorW = nMirrorW;
    lpSD->nMirrorH = nMirrorH;
    lpSD->nWidth = lpSD->nTexWidth = image.nWidth;
    lpSD->nHeight = lpSD->nTexHeight = image.nHeight;
    CopyText(lpSD->szFile, file);
    lpSD->nDDMemType = nDDMemType;
    return 0;
  }

  DTCONTAINER& con = *lpDTCon;
  if (lpSD->lpDT == nullptr) lpSD->lpDT = new DTTEXTUREDATA{};
  DTTEXTUREDATA* dt = lpSD->lpDT;
  if (!bRestore) {
    CopyText(lpSD->szName, "OffScreenFromFile");
    CopyText(lpSD->szFile, file);
    ReleaseTexture(dt);
    g_SurfaceList.erase(std::remove(g_SurfaceList.begin(), g_SurfaceList.end(), lpSD), g_SurfaceList.end());
    dt->nMemType = nDTMemType;
    dt->bColorKey = bColorKey == 1 ? 1 : 0;
    dt->bRenderTarget = 0;
    if (!bAlias) dt->nKey = con.nTextureKey++;
  }
  cBitmapImage image;
  cBitmapFailure why;
  if (!LoadBitmapFile(file, image, &why)) {
    if (file[0] != '\0') WriteECf("LoadImage Err %s", file);
    ReportUnreadBitmap(file, why, eMissingBitmap::kQuiet);
    return 8;
  }
  if (!bAlias) {
    int texW = image.nWidth, texH = image.nHeight;
    DDAdjustTextureSize(&texW, &texH);
    if (!DDCheckTextureSize(texW, texH))
      WriteReport("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", file);
    const RGBTRIPLE key = g_nBpp == 16 ? con.rgbTransmit16 : con.rgbTransmit;
    const std::uint32_t keyRgb = (static_cast<std::uint32_t>(key.rgbtRed) << 16) | (key.rgbtGreen << 8) | key.rgbtBlue;
    int mem = dt->nMemType;
    if (mem == DTMEMORYTYPE_VIDEO_NORT) {
      WriteECText("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。"
                  "DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
      mem = DTMEMORYTYPE_VIDEO_RT;
    }
    cSoftTexture* texture = nullptr;
    if (mem == DTMEMORYTYPE_VIDEO_RT) {
      const HRESULT hr = lpDevice->CreateTexture(texW, texH, TextureFormat(), false, &texture);
      if (hr == D3DERR_OUTOFVIDEOMEMORY) {
        WriteReport("VRAM不足のためシステムメモリにテクスチャを作成します。(%s)", file);
        mem = DTMEMORYTYPE_SYSTEM;
      } else if (hr != D3D_OK) {
        WriteReport("テクスチャの作成に失敗。(%s)", file);
        return hr;
      }
    }
    if (mem == DTMEMORYTYPE_SYSTEM && texture == nullptr) {
      const HRESULT hr = lpDevice->CreateTexture(texW, texH, TextureFormat(), false, &texture);
      if (hr != D3D_OK) {
        WriteReport("D3DXCreateTextureFromFileEx Err %x %s", static_cast<unsigned>(hr), file);
        TextureErrorBox();
        return hr;
      }
    }
    ReleaseTexture(dt);
    FillTextureFromImage(texture->pixels, image, keyRgb);
    dt->nMemType = mem;
    dt->bRenderTarget = 0;
    dt->lpTexture = texture;
    dt->lpSurface = &texture->pixels;
    dt->desc = {D3DFormatOf(texture->pixels.format), texture->pixels.nWidth, texture->pixels.nHeight};
    lpSD->nWidth = image.nWidth;
    lpSD->nHeight = image.nHeight;
    lpSD->nTexWidth = texture->pixels.nWidth;
    lpSD->nTexHeight = texture->pixels.nHeight;
    if (nMirrorW != 0 || nMirrorH != 0) {
      DDSURFACEDATA temporary;
      const int code = DDCreateSurfaceFromFile(&temporary, file, bColorKey, nBpp, nDDMemType, nDTMemType, 0, bIndexData,
                                               0, 0, 0);
      const bool mirrored = code == 0 && CreateMirror(lpSD, &temporary, nMirrorW, nMirrorH);
      DDDeleteSurface(&temporary);
      if (!mirrored) {
        WriteECText("CreateMirror Err");
        return 1;
      }
    }
    if (!bRestore) g_SurfaceList.push_back(lpSD);
  } else {
    lpSD->nWidth = lpSD->nTexWidth = image.nWidth;
    lpSD->nHeight = lpSD->nTexHeight = image.nHeight;
  }
  lpSD->nMirrorW = nMirrorW;
  lpSD->nMirrorH = nMirrorH;
  lpSD->nDDMemType = nDDMemType;
  FreeIndex(dt->lpIndex);
  if (bIndexData && g_nBpp != 8 && !bAlias) DDBuildIndexData(&dt->lpIndex, lpSD);
  return 0;
}

bool CopyBitmap(DDSURFACEDATA* lpSD, const char* lpFile, int nBpp, int bIndexData, int nMirrorW, int nMirrorH) {
  if (lpSD == nullptr || lpFile == nullptr) return false;
  cBitmapImage image;
  cBitmapFailure why;
  if (!LoadBitmapFile(lpFile, image, &why)) {
    // A reload: the surface was made from this file before, so whatever stands there now
    // (nothing included) is news to the user.
    ReportUnreadBitmap(lpFile, why, eMissingBitmap::kReport);
    return false;
  }
  char file[MAX_PATH];
  CopyText(file, lpFile);
  return CopyBitmapImage(lpSD, image, file, nBpp, bIndexData, nMirrorW, nMirrorH);
}

bool CreateMirror(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nMirrorW, int nMirrorH) {
  if (lpDTCon == nullptr || nMirrorW == 0 || nMirrorH != 0) return true;
  if (lpDst->lpDT != nullptr && lpDst->lpDT->bRenderTarget && lpDst->lpDT->lpSurface != nullptr)
    ClearRect(*lpDst->lpDT->lpSurface, RECT{0, 0, lpDst->nTexWidth, lpDst->nTexHeight}, lpDTCon->dwTransmit);
  const int cells = lpSrc->nWidth / nMirrorW;
  for (int i = 0; i < cells; ++i)
    DDStretchBlt(lpDst, i * nMirrorW, 0, nMirrorW, lpSrc->nHeight, lpSrc, (i + 1) * nMirrorW, 0, -nMirrorW,
                 lpSrc->nHeight, 0);
  return true;
}

bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp) {
  if (lpDTCon != nullptr) return true;
  if (lpSD == nullptr || lpSD->lpDDData == nullptr) return false;
  char file[MAX_PATH];
  CopyText(file, lpSD->szFile);
  return CopyBitmap(lpSD, file, nBpp, lpSD->lpDDData->lpIndex != nullptr ? 1 : 0, lpSD->nMirrorW, lpSD->nMirrorH);
}

bool DDLoadSurfaces(DDSURFACEDATA* lpSurfaces, const int* lpIndices, int nCount) {
  DDSURFACEDEF* defs = g_lpFixedSurfaceDef != nullptr ? g_lpFixedSurfaceDef : g_FixedSurfaceDef;
  const int rows = g_lpFixedSurfaceDef != nullptr ? g_nFixedSurfaceCount : kFixedSurfaceCount;
  for (int k = 0; k < nCount; ++k) {
    const int r = lpIndices[k];
    if (r < 0 || r >= rows) {
      WriteECf("DDLoadSurfaces Err row %d", r);
      return false;
    }
    const DDSURFACEDEF& def = defs[r];
    DDSURFACEDATA* sd = &lpSurfaces[r];
    DDReleaseSurface(sd);
    if (!IsBlankName(def.szFile)) {
      const int code = DDCreateSurfaceFromFile(sd, def.szFile, def.bColorKey, g_nBpp, def.nDDMemType, def.nDTMemType,
                                               def.bAlias, def.bIndexData, def.nMirrorW, def.nMirrorH, 0);
      if (!DDCheckSurfaceResult(code) && !def.bQuiet) {
        ErrMesBoxf("%s の読み込みに失敗！", def.szFile);
        return false;
      }
    } else if (!DDCreateSurface(sd, def.nBlankW, def.nBlankH, def.bColorKey, def.nDDMemType, def.nDTMemType, def.bAlias,
                                0) &&
               !def.bQuiet) {
      MemErrMesBox();
      return false;
    }
  }
  return true;
}

void DDSetSurfaceAliases() {
  DDSURFACEDATA* s = g_FixedSurface;
  for (int row = 3; row <= 21; row += 2) s[row].lpAlias = &s[row - 1];
  for (int row = 22; row <= 39; ++row) s[row].lpAlias = &s[4 + ((row - 22) / 2) * 2];
  s[41].lpAlias = &s[40];
  s[44].lpAlias = &s[43];
  s[68].lpAlias = &s[67];
}

void DDUseAlias(DDSURFACEDATA** lplpSD) {
  if (lpDTCon == nullptr || *lplpSD == nullptr) return;
  if ((*lplpSD)->lpAlias != nullptr) *lplpSD = (*lplpSD)->lpAlias;
}

bool DDAddSurface(std::vector<DDSURFACEDATA>* lpVec, std::vector<DDSURFACEDEF>* lpDefVec, int nWidth, int nHeight,
                  int bColorKey, int nDDMemType, int nDTMemType, int bAlias) {
  // Growing the vector moves its records: the restore list must follow them, or it would
  // point into freed memory.
  DDSURFACEDATA* oldBegin = lpVec->data();
  DDSURFACEDATA* oldEnd = oldBegin + lpVec->size();
  lpVec->emplace_back();
  if (lpVec->data() != oldBegin)
    for (DDSURFACEDATA*& entry : g_SurfaceList)
      if (entry >= oldBegin && entry < oldEnd) entry = lpVec->data() + (entry - oldBegin);
  DDSURFACEDEF def;
  def.Set("", bColorKey, nDDMemType, nDTMemType, bAlias, 0, 0, 0, 0, 0, 0);
  lpDefVec->push_back(def);
  return DDCreateSurface(&lpVec->back(), nWidth, nHeight, bColorKey, nDDMemType, nDTMemType, bAlias, 0);
}

bool DDAddSurfaceToList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList, int nWidth, int nHeight,
                        int bColorKey, int nDDMemType, int nDTMemType, int bAlias) {
  return DDInsertSurfaceToList(lpList, lpDefList, static_cast<int>(lpList->size()), nWidth, nHeight, bColorKey,
                               nDDMemType, nDTMemType, bAlias);
}

bool DDInsertSurfaceToList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList, int nIndex, int nWidth,
                           int nHeight, int bColorKey, int nDDMemType, int nDTMemType, int bAlias) {
  if (nIndex < 0) nIndex = 0;
  auto it = lpList->begin();
  auto defIt = lpDefList->begin();
  for (int i = 0; i < nIndex && it != lpList->end(); ++i) {
    ++it;
    if (defIt != lpDefList->end()) ++defIt;
  }
  auto inserted = lpList->emplace(it);
  DDSURFACEDEF def;
  def.Set("", bColorKey, nDDMemType, nDTMemType, bAlias, 0, 0, 0, 0, 0, 0);
  lpDefList->insert(defIt, def);
  return DDCreateSurface(&*inserted, nWidth, nHeight, bColorKey, nDDMemType, nDTMemType, bAlias, 0);
}

int DDRemoveSurfaceFromList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList, DDSURFACEDATA* lpSD) {
  auto defIt = lpDefList->begin();
  for (auto it = lpList->begin(); it != lpList->end(); ++it) {
    if (&*it == lpSD) {
      DDReleaseSurface(lpSD);
      lpList->erase(it);
      if (defIt != lpDefList->end()) lpDefList->erase(defIt);
      return 1;
    }
    if (defIt != lpDefList->end()) ++defIt;
  }
  return 0;
}

bool DDCheckSurfaceResult(int nCode) {
  switch (nCode) {
    case 4: WriteECText("CREATESURFACE_ERR"); return false;
    case 8: WriteECText("LOADIMAGE_ERR"); return false;
    case 9: WriteECText("SETCOLORKEY_ERR"); return false;
    default: return true;
  }
}

int DDIsBitmapLarger(int* lpResult, const char* lpFile, int nWidth, int nHeight) {
  if (lpDTCon != nullptr) return 1;
  cBitmapImage image;
  cBitmapFailure why;
  if (lpFile == nullptr || std::strlen(lpFile) >= MAX_PATH || !LoadBitmapFile(lpFile, image, &why)) {
    // A stage background named but not there fails the quiet background row later without
    // a word: say it here. A slot without a picture (a blank name) stays quiet.
    ReportUnreadBitmap(lpFile, why, eMissingBitmap::kReport);
    *lpResult = 0;
    return 0;
  }
  *lpResult = (image.nWidth > nWidth || image.nHeight > nHeight) ? 1 : 0;
  return 1;
}

void DDReleaseSurface(DDSURFACEDATA* lpSD) { DDDeleteSurface(lpSD); }

void DDDeleteSurface(DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return;
  if (lpSD->lpDT != nullptr) {
    DTTEXTUREDATA* dt = lpSD->lpDT;
    if (lpSD->lpAlias == nullptr) {
      ReleaseTexture(dt);
      const int key = dt->nKey;
      g_SurfaceList.erase(std::remove_if(g_SurfaceList.begin(), g_SurfaceList.end(),
                                         [key, lpSD](DDSURFACEDATA* entry) {
                                           return entry == lpSD || (entry->lpDT != nullptr && entry->lpDT->nKey == key);
                                         }),
                          g_SurfaceList.end());
      FreeIndex(dt->lpIndex);
    }
    delete dt;
    lpSD->lpDT = nullptr;
  }
  if (lpSD->lpDDData != nullptr) {
    if (lpSD->lpDDData->lpDDS != nullptr) lpSD->lpDDData->lpDDS->Release();
    FreeIndex(lpSD->lpDDData->lpIndex);
    delete lpSD->lpDDData;
    lpSD->lpDDData = nullptr;
  }
}

void DDReleaseSurfaceVector(std::vector<DDSURFACEDATA>* lpVec) {
  for (int i = 0; i < static_cast<int>(lpVec->size()); ++i) DDReleaseSurface(&CheckedAt(*lpVec, i));
}

void DDReleaseSurfaceList(std::list<DDSURFACEDATA>* lpList) {
  for (int i = 0; i < static_cast<int>(lpList->size()); ++i) DDReleaseSurface(&CheckedListAt(*lpList, i));
}
