#include "media/draw/dd_display.h"

#include <cstring>

#include "app/bounded_format.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/display_report.h"
#include "media/draw/font.h"
#include "platform/display_window.h"
#include "platform/message_queue.h"
#include "platform/win_window.h"
#include "platform/message_box.h"
#include "platform/win_time.h"

int g_bDDReady = 0;
int g_bWindow = 1;

namespace {

// The full-screen window was minimised for the device lost last.
bool g_bMinimisedForLoss = false;

}  // namespace

DTCONTAINER* lpDTCon = nullptr;
DDCONTAINER* lpDDCon = nullptr;

int g_bDirect3D = 0;
HWND g_hDDWnd = nullptr;
int g_nScreenWidth = 640;
int g_nScreenHeight = 480;
int g_nBpp = 32;
int g_nBytesPerPixel = 4;
int g_nBackBufferCount = 1;
int g_bVSync = 0;
int g_nRefreshRate = 60;
int g_bSetRefreshRate = 0;
DDSURFACEDATA* g_lpFixedSurface = nullptr;
DDSURFACEDEF* g_lpFixedSurfaceDef = nullptr;
int g_nFixedSurfaceCount = 0;
BYTE g_bDDInitialized = 0;
int g_nDesktopBpp = 32;
RECT g_rcClient{0, 0, 0, 0};
DWORD g_dwTransmit = 0;
DDPIXELMASKS g_BackMasks{};
DDPIXELMASKS g_TexMasks{};

cSoftD3D* lpD3D = nullptr;
cSoftDevice* lpDevice = nullptr;
cSoftDirectDraw* lpDD = nullptr;
cSoftDDPalette* lpDDPalette = nullptr;
int g_DDClipper = 0;

DDSURFACEDATA g_BackBuffer;
DDSURFACEDATA g_VirBackBuffer;
DDSURFACEDATA g_WorkSD;
DDSURFACEDATA g_PrimarySD;
DDSURFACEDATA g_FadeSD;

namespace {

FrameLimiterFn g_FrameLimiter = nullptr;

constexpr DDPIXELMASKS kMasksA1R5G5B5{10, 5, 0, 15, 31, 31, 31, 1};
constexpr DDPIXELMASKS kMasksR5G6B5{11, 5, 0, 16, 31, 63, 31, 0};
constexpr DDPIXELMASKS kMasksA8R8G8B8{16, 8, 0, 24, 255, 255, 255, 255};

int g_nDialogModeEntries = 0;
int g_nDialogModeExits = 0;

// The provider boxes went to before the display took them over; a box over the display is
// handed on to it, never back to MessageBoxA, which would route the box here again.
cMessageBoxProvider* g_pBoxesBeforeDisplay = nullptr;

int ShowOverDisplay(const MessageBoxRecord& box) {
  if (!DDSetDialogMode(1)) {
    WriteECf("DDMesBox 失敗! %s, %s", box.text.c_str(), box.caption.c_str());
    return 0;
  }
  ShowMessageBoxWith(g_pBoxesBeforeDisplay, box);
  DDSetDialogMode(0);
  return 1;
}

// While the display runs full screen every message box goes through here, so that the
// display is in dialog mode while the box shows.
class cFullScreenBoxes : public cMessageBoxProvider {
 public:
  int Show(const MessageBoxRecord& box) override { return ShowOverDisplay(box); }
};

cFullScreenBoxes g_FullScreenBoxes;
bool g_bRouted = false;

void CopyName(char (&dest)[MAX_PATH], const char* text) {
  if (text == nullptr) text = "";
  // Cut to the buffer, never inside a double-byte character.
  const std::size_t length = WholeCharLength(text, strnlen(text, MAX_PATH - 1));
  std::memcpy(dest, text, length);
  dest[length] = '\0';
}

void HideCursorFully() {
  while (ShowCursor(FALSE) >= 0) {
  }
}
void ShowCursorFully() {
  while (ShowCursor(TRUE) < 0) {
  }
}

const char* FormatName(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_X8R8G8B8: return "X8R8G8B8";
    case D3DFMT_R5G6B5: return "R5G6B5";
    case D3DFMT_A1R5G5B5: return "A1R5G5B5";
    default: return "";
  }
}

// Vertical sync paces the game only on a display known to run at 60 Hz; on any other (or
// one that does not tell, like a virtual display) it is turned off, and the present waits
// for the frame limiter instead.
void ClearVSyncOffSixtyHertz() {
  if (DisplayRefreshRateKnown() && DisplayRefreshRate() == 60) return;
  g_bVSync = 0;
  WriteReport("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
}

// Opens the window the frames go to: the device's "creation". 1 on success.
int OpenWindowFor(bool bFullScreen) {
  DisplayWindowOptions options;
  options.nWidth = g_nScreenWidth;
  options.nHeight = g_nScreenHeight;
  options.bFullScreen = bFullScreen;
  options.bVSync = g_bVSync != 0;
  if (OpenDisplayWindow(options)) return 1;
  WriteReport("%s", DisplayWindowError().c_str());
  return 0;
}

bool DDInitD3D(HWND, int nWidth, int nHeight, int nBpp) {
  const int nDDI = GetDDIVersion();
  if (nDDI < 9) {
    WriteReport("ビデオカードのドライバがDirectX9をサポートしていません！ %d", nDDI);
    return false;
  }
  lpD3D = new cSoftD3D();
  lpDTCon = new DTCONTAINER();
  DTCONTAINER& con = *lpDTCon;
  D3DPRESENT_PARAMETERS pp{};
  if (g_bWindow) {
    pp.Windowed = 1;
    if (g_bVSync) {
      // The desktop's rate cannot be changed from here: the test of a 60 Hz mode succeeds
      // only when the desktop already runs at 60 Hz.
      if (DisplayRefreshRate() != 60) WriteReport("ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL");
      lpD3D->nAdapterRefreshRate = DisplayRefreshRate();
      WriteReport("RefreshRate : %d", lpD3D->nAdapterRefreshRate);
      ClearVSyncOffSixtyHertz();
    }
  } else {
    pp.Windowed = 0;
    pp.BackBufferWidth = g_nScreenWidth;
    pp.BackBufferHeight = g_nScreenHeight;
    pp.FullScreen_RefreshRateInHz = 60;
    // Full screen keeps the desktop's mode, so its rate cannot be set to 60 Hz either.
    if (g_bVSync) {
      lpD3D->nAdapterRefreshRate = DisplayRefreshRate();
      WriteReport("RefreshRate : %d", lpD3D->nAdapterRefreshRate);
      ClearVSyncOffSixtyHertz();
    }
  }
  pp.PresentationInterval = g_bVSync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
  con.nAdapter = 0;
  con.nDeviceType = 1;
  con.caps = g_SoftDeviceCaps;
  pp.SwapEffect = con.caps.bAlphaFullscreenFlipOrDiscard ? 1 : 3;
  con.bPow2 = con.caps.bPow2 ? 1 : 0;
  con.bSquareOnly = con.caps.bSquareOnly ? 1 : 0;
  con.bDynamicTex = con.caps.bDynamicTextures ? 1 : 0;
  if (nBpp == 16) {
    con.nDispFormat = g_bWindow ? D3DFMT_A1R5G5B5 : D3DFMT_R5G6B5;
    con.nTexFormat = D3DFMT_A1R5G5B5;
    g_BackMasks = g_bWindow ? kMasksA1R5G5B5 : kMasksR5G6B5;
    g_TexMasks = kMasksA1R5G5B5;
  } else if (nBpp == 32) {
    con.nDispFormat = D3DFMT_X8R8G8B8;
    con.nTexFormat = D3DFMT_A8R8G8B8;
    g_TexMasks = kMasksA8R8G8B8;
  } else {
    return false;
  }
  pp.BackBufferFormat = con.nDispFormat;
  pp.BackBufferCount = 1;
  pp.EnableAutoDepthStencil = 0;
  pp.AutoDepthStencilFormat = con.nDispFormat;
  pp.Flags = 1;
  // One software device: "hardware" vertex processing always works.
  if (!OpenWindowFor(g_bWindow == 0)) {
    WriteECText("CreateDevice Err");
    return false;
  }
  lpDevice = new cSoftDevice();
  lpDevice->caps = con.caps;
  lpDevice->bWindowed = g_bWindow != 0;
  lpDevice->bVSync = g_bVSync != 0;
  lpDevice->backBuffer.Create(nWidth, nHeight, PixelFormatOf(con.nDispFormat));
  lpDevice->SetRenderTarget(&lpDevice->backBuffer);
  WriteReport("Device HAL-HARD");
  WriteReport("%s", FormatName(con.nDispFormat));
  con.d3dpp = pp;
  con.nAdapterFormat = con.nDispFormat;

  DDSetDefaultRenderState();
  DDResetDiffuse();
  DDResetColorOp();
  DDResetAlphaOp();

  DDAllocSurfaceData(&g_BackBuffer);
  g_BackBuffer.nWidth = g_BackBuffer.nTexWidth = nWidth;
  g_BackBuffer.nHeight = g_BackBuffer.nTexHeight = nHeight;
  g_BackBuffer.nDDMemType = 0;
  CopyName(g_BackBuffer.szName, "BackBuffer");
  g_BackBuffer.lpAlias = nullptr;
  g_BackBuffer.lpDT->bColorKey = 0;
  g_BackBuffer.lpDT->bRenderTarget = 1;
  g_BackBuffer.lpDT->nKey = 0;
  g_BackBuffer.lpDT->lpSurface = &lpDevice->backBuffer;
  g_BackBuffer.lpDT->desc = {con.nDispFormat, nWidth, nHeight};
  con.nTextureKey = 1;
  con.nFontCount = 0;

  DDAllocSurfaceData(&g_VirBackBuffer);
  DDSetVirtualBackBuffer(0);
  con.bCopyVirtual = 0;
  DDCreateSurface(&g_VirBackBuffer, nWidth, nHeight, 0, 0, 0, 0, 0);
  CopyName(g_VirBackBuffer.szName, "VirBackBuffer");
  DDCreateSurface(&g_WorkSD, nWidth, nHeight, 0, 0, 0, 0, 0);
  CopyName(g_WorkSD.szName, "WorkSD");
  con.lpTarget = &g_BackBuffer;
  lpDevice->SetRenderTarget(&lpDevice->backBuffer);

  if (!g_bWindow) HideCursorFully();
  return true;
}

PALETTEENTRY MakeEntry(int r, int g, int b, int flags) {
  return PALETTEENTRY{static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), static_cast<BYTE>(flags)};
}

// Makes the primary and gives g_PrimarySD its record.
bool CreatePrimary(int width, int height) {
  cSoftDDSurface* primary = nullptr;
  if (lpDD->CreateSurface(width, height, false, &primary) != DD_OK) return false;
  primary->bPrimary = true;
  DDAllocSurfaceData(&g_PrimarySD);
  g_PrimarySD.lpDDData->lpDDS = primary;
  CopyName(g_PrimarySD.szName, "Primary");
  CopyName(g_PrimarySD.szFile, "E");
  return true;
}

int DDInitFullScreen(HWND, int nWidth, int nHeight, int nBpp, int nBackBufferCount) {
  g_FadeSD.nDDMemType = 1;
  g_PrimarySD.nWidth = g_PrimarySD.nTexWidth = g_BackBuffer.nWidth = g_BackBuffer.nTexWidth = nWidth;
  g_PrimarySD.nHeight = g_PrimarySD.nTexHeight = g_BackBuffer.nHeight = g_BackBuffer.nTexHeight = nHeight;
  g_FadeSD.nWidth = g_FadeSD.nTexWidth = nWidth;
  g_FadeSD.nHeight = g_FadeSD.nTexHeight = nHeight;
  g_PrimarySD.nDDMemType = g_BackBuffer.nDDMemType = 0;

  lpDD = new cSoftDirectDraw();
  if (!OpenWindowFor(true)) {
    WriteReport("SetCooperativeLevel Err");
    return 2;
  }
  HRESULT hr = lpDD->SetDisplayMode(nWidth, nHeight, nBpp);
  if (hr != DD_OK) {
    WriteReport("SetDisplayMode Err");
    return 3;
  }
  if (!CreatePrimary(nWidth, nHeight)) {
    WriteReport("Primary CreateSurface Err");
    return 4;
  }
  (void)nBackBufferCount;  // one or two back buffers look the same here
  cSoftDDSurface* back = nullptr;
  if (lpDD->CreateSurface(nWidth, nHeight, false, &back) != DD_OK) {
    WriteReport("GetAttachedSurface Err");
    return 5;
  }
  DDAllocSurfaceData(&g_BackBuffer);
  g_BackBuffer.lpDDData->lpDDS = back;
  CopyName(g_BackBuffer.szName, "BackBuffer");
  CopyName(g_BackBuffer.szFile, "E");
  if (!DDCreateSurface(&g_FadeSD, nWidth, nHeight, 0, 1, 0, 0, 0)) return 4;

  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = MakeEntry(i, i, 0, PC_RESERVED);
  entries[0] = MakeEntry(0, 0, 255, PC_RESERVED);
  if (lpDD->CreatePalette(entries, &lpDDPalette) != DD_OK) {
    WriteReport("CreatePalette Err");
    return 6;
  }
  if (nBpp > 8) DDInitColorMasks(&g_TexMasks);
  HideCursorFully();
  return 0;
}

int DDInitWindowed(HWND) {
  g_rcClient = RECT{0, 0, g_nScreenWidth, g_nScreenHeight};
  const int w = g_rcClient.right - g_rcClient.left;
  const int h = g_rcClient.bottom - g_rcClient.top;
  g_PrimarySD.nWidth = g_PrimarySD.nTexWidth = w;
  g_PrimarySD.nHeight = g_PrimarySD.nTexHeight = h;
  g_BackBuffer.nDDMemType = 0;
  g_FadeSD.nDDMemType = 1;

  lpDD = new cSoftDirectDraw();
  if (!OpenWindowFor(false)) {
    WriteReport("SetCooperativeLevel Err");
    return 2;
  }
  g_nDesktopBpp = DesktopBitsPerPixel();
  lpDD->SetDisplayMode(w, h, g_nDesktopBpp);
  if (!CreatePrimary(w, h)) {
    WriteReport("Primary CreateSurface Err");
    return 4;
  }
  if (!DDCreateSurface(&g_BackBuffer, w, h, 0, 0, 0, 0, 0) || !DDCreateSurface(&g_FadeSD, w, h, 0, 1, 0, 0, 0)) {
    WriteReport("Primary CreateSurface Err");
    return 4;
  }
  CopyName(g_BackBuffer.szName, "BackBuffer");
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i)
    entries[i] = (i < 10 || i >= 246) ? MakeEntry(i, 0, 0, PC_EXPLICIT) : MakeEntry(i, i, 0, PC_RESERVED);
  if (lpDD->CreatePalette(entries, &lpDDPalette) != DD_OK) {
    WriteReport("CreatePalette Err");
    return 6;
  }
  if (g_nDesktopBpp > 8) DDInitColorMasks(&g_TexMasks);
  g_DDClipper = 1;
  ShowCursorFully();
  return 0;
}

// The frame being handed over; reused from frame to frame.
cDisplayFrame g_Frame;

void HandOver(const cPixelBuffer& pixels, const cSoftDDPalette* palette) {
  g_Frame.nWidth = pixels.nWidth;
  g_Frame.nHeight = pixels.nHeight;
  g_Frame.nPitch = pixels.nPitch;
  switch (pixels.format) {
    case ePixelFormat::kP8: g_Frame.pixels = eFramePixels::kIndex8; break;
    case ePixelFormat::kR5G6B5: g_Frame.pixels = eFramePixels::kR5G6B5; break;
    case ePixelFormat::kA1R5G5B5: g_Frame.pixels = eFramePixels::kX1R5G5B5; break;
    default: g_Frame.pixels = eFramePixels::kX8R8G8B8; break;
  }
  g_Frame.bytes.assign(pixels.bytes.begin(), pixels.bytes.end());
  if (palette != nullptr)
    for (int i = 0; i < 256; ++i) {
      const PALETTEENTRY& e = palette->entries[i];
      g_Frame.palette[i] = (static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
    }
  HandOverFrame(g_Frame);
}

bool IsFileSurface(const DDSURFACEDATA& sd) { return sd.szFile[0] != '\0' && std::strcmp(sd.szFile, "E") != 0; }

}  // namespace

int DDMesBox(const char* text, const char* caption, UINT type) {
  return ShowOverDisplay(MessageBoxRecord{g_hDDWnd, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
}

void DDRouteMessageBoxes(int bOn) {
  if (bOn && !g_bRouted) {
    g_pBoxesBeforeDisplay = SetMessageBoxProvider(&g_FullScreenBoxes);
    g_bRouted = true;
  } else if (!bOn && g_bRouted) {
    SetMessageBoxProvider(g_pBoxesBeforeDisplay);
    g_pBoxesBeforeDisplay = nullptr;
    g_bRouted = false;
  }
}

int DDDialogModeEntries() { return g_nDialogModeEntries; }
int DDDialogModeExits() { return g_nDialogModeExits; }

bool DDInit(int bDirect3D, HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindow,
            int nBackBufferCount, int nRefreshRate, int bSetRefreshRate, DDSURFACEDATA* lpFixedSurface,
            DDSURFACEDEF* lpFixedSurfaceDef, int nFixedSurfaceCount, int) {
  // A display still running (a failed first attempt, or a change of mode) ends before the
  // new one is built, so that nothing of the new one is freed with it.
  if (lpDTCon != nullptr || lpDDCon != nullptr || lpD3D != nullptr || lpDD != nullptr) DDEnd();
  g_bDirect3D = bDirect3D;
  g_hDDWnd = hWnd;
  g_nScreenWidth = nWidth;
  g_nScreenHeight = nHeight;
  g_nBpp = nBpp;
  g_nBytesPerPixel = nBpp / 8;
  g_bVSync = bVSync;
  g_bWindow = bWindow;
  g_nBackBufferCount = nBackBufferCount;
  g_nRefreshRate = nRefreshRate;
  g_bSetRefreshRate = bSetRefreshRate;
  g_lpFixedSurface = lpFixedSurface;
  g_lpFixedSurfaceDef = lpFixedSurfaceDef;
  g_nFixedSurfaceCount = nFixedSurfaceCount;
  WriteReport("VSync : %d", g_bVSync);
  if (bDirect3D) {
    if (!DDInitD3D(hWnd, nWidth, nHeight, nBpp)) return false;
  } else {
    lpDDCon = new DDCONTAINER();
    const int code =
        bWindow == 0 ? DDInitFullScreen(hWnd, nWidth, nHeight, nBpp, nBackBufferCount) : DDInitWindowed(hWnd);
    if (!DDReportInitError(code)) return false;
  }
  g_bDDReady = 1;
  g_bDDInitialized = 1;
  DDInstallFileBoxHooks();
  if (!g_bWindow) DDRouteMessageBoxes(1);
  return true;
}

void DDEnd() {
  DDRouteMessageBoxes(0);
  if (lpDD != nullptr) {
    for (int i = 0; i < g_nFixedSurfaceCount && g_lpFixedSurface != nullptr; ++i)
      DDReleaseSurface(&g_lpFixedSurface[i]);
    g_DDClipper = 0;
    if (lpDDPalette != nullptr) lpDDPalette->Release();
    lpDDPalette = nullptr;
    DDReleaseSurface(&g_BackBuffer);
    DDReleaseSurface(&g_PrimarySD);
    DDReleaseSurface(&g_FadeSD);
    const int remaining = lpDD->Release();
    lpDD = nullptr;
    if (remaining != 0) MessageBoxA(nullptr, "解放漏れがあります", "DirectDraw", MB_ICONERROR);
  }
  delete lpDDCon;
  lpDDCon = nullptr;
  if (lpD3D != nullptr) {
    for (int i = 0; i < g_nFixedSurfaceCount && g_lpFixedSurface != nullptr; ++i)
      DDReleaseSurface(&g_lpFixedSurface[i]);
    DDReleaseSurface(&g_WorkSD);
    DDReleaseSurface(&g_VirBackBuffer);
    DDReleaseSurface(&g_BackBuffer);
    // Surfaces still held elsewhere lose their textures with the device.
    for (DDSURFACEDATA* sd : g_SurfaceList)
      if (sd->lpDT != nullptr && sd->lpDT->lpTexture != nullptr) {
        lpDevice->ReleaseTexture(sd->lpDT->lpTexture);
        sd->lpDT->lpTexture = nullptr;
        sd->lpDT->lpSurface = nullptr;
      }
    delete lpDevice;
    lpDevice = nullptr;
    delete lpD3D;
    lpD3D = nullptr;
  } else if (lpDevice != nullptr) {
    delete lpDevice;
    lpDevice = nullptr;
  }
  delete lpDTCon;
  lpDTCon = nullptr;
  g_bDDReady = 0;
  g_bMinimisedForLoss = false;
}

void DDRelease() { DDEnd(); }

int DDPresent(int nFps) {
  if (lpDTCon == nullptr) return 1;
  if (lpDTCon->bVirtual) DDCopyVirtualToBack(&g_BackBuffer, &g_VirBackBuffer);
  if (!g_bVSync && g_FrameLimiter != nullptr)
    while (!g_FrameLimiter(nFps)) Sleep(1);
  DDEndScene();
  if (lpDevice->Present() == D3DERR_DEVICELOST) {
    // A full screen without its device gives the desktop back, without taking the focus,
    // until the game is activated again and restored. Once per loss: the frames that
    // follow fail the same way.
    if (!g_bWindow && !g_bMinimisedForLoss) {
      g_bMinimisedForLoss = true;
      RunOnMainThread([](void*) { ShowWindow(g_hWnd, SW_SHOWMINNOACTIVE); }, nullptr);
    }
    return 0;
  }
  HandOver(lpDevice->backBuffer, nullptr);
  return 1;
}

int DDFlip() {
  if (lpDDCon == nullptr || g_PrimarySD.lpDDData == nullptr || g_BackBuffer.lpDDData == nullptr) return 0;
  cSoftDDSurface* primary = g_PrimarySD.lpDDData->lpDDS;
  cSoftDDSurface* back = g_BackBuffer.lpDDData->lpDDS;
  if (primary == nullptr || back == nullptr || primary->IsLost() != DD_OK || back->IsLost() != DD_OK) return 0;
  if (primary->pixels.nWidth != back->pixels.nWidth || primary->pixels.nHeight != back->pixels.nHeight) return 0;
  primary->pixels.bytes.swap(back->pixels.bytes);
  return DDShowPrimary();
}

int DDShowPrimary() {
  if (lpDDCon == nullptr || g_PrimarySD.lpDDData == nullptr || g_PrimarySD.lpDDData->lpDDS == nullptr) return 0;
  cSoftDDSurface* primary = g_PrimarySD.lpDDData->lpDDS;
  if (primary->IsLost() != DD_OK) return 0;
  HandOver(primary->pixels, primary->pixels.format == ePixelFormat::kP8 ? lpDDPalette : nullptr);
  return 1;
}

int DDRestoreSurface() {
  WriteECText("Restore In");
  if (lpDTCon == nullptr) {
    WriteECText("DDではDDRestoreSurfaceは未対応");
    return 1;
  }
  // Whether anything was lost is asked first: a device that is fine keeps its textures.
  const HRESULT state = lpDevice->TestCooperativeLevel();
  if (state == D3D_OK) {
    WriteECText("Restore Out");
    return 1;
  }
  if (state != D3DERR_DEVICENOTRESET) {
    WriteECText("復旧失敗…リセット可能な状態ではありません…");
    return 0;
  }
  for (DDSURFACEDATA* sd : g_SurfaceList) {
    DTTEXTUREDATA* dt = sd->lpDT;
    if (dt == nullptr || dt->nMemType == DTMEMORYTYPE_SYSTEM) continue;
    lpDevice->ReleaseTexture(dt->lpTexture);
    dt->lpTexture = nullptr;
    dt->lpSurface = nullptr;
  }
  if (g_BackBuffer.lpDT != nullptr) g_BackBuffer.lpDT->lpSurface = nullptr;
  if (lpDevice->Reset() != D3D_OK) return 0;
  DDSetDefaultRenderState();
  if (g_BackBuffer.lpDT != nullptr) g_BackBuffer.lpDT->lpSurface = &lpDevice->backBuffer;
  lpDTCon->bInScene = 0;
  // Re-making a surface never adds to or removes from the list in restore mode.
  const std::vector<DDSURFACEDATA*> surfaces = g_SurfaceList;
  for (DDSURFACEDATA* sd : surfaces) {
    DTTEXTUREDATA* dt = sd->lpDT;
    if (dt == nullptr || dt->lpTexture != nullptr) continue;  // kept in system memory
    bool ok;
    if (IsFileSurface(*sd)) {
      // Index data is rebuilt for the surfaces that had it, so the effects that read it
      // keep working after a loss.
      const int bIndex = dt->lpIndex != nullptr ? 1 : 0;
      ok = DDCreateSurfaceFromFile(sd, sd->szFile, dt->bColorKey, g_nBpp, sd->nDDMemType, dt->nMemType, 0, bIndex,
                                   sd->nMirrorW, sd->nMirrorH, 1) == 0;
    } else {
      ok = DDCreateSurface(sd, sd->nWidth, sd->nHeight, dt->bColorKey, sd->nDDMemType, dt->nMemType, 0, 1);
      sd->bLost = 1;
    }
    if (!ok) WriteECText("Err");
  }
  if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
  RestoreFonts();
  if (!g_bWindow) ShowWindow(g_hWnd, SW_SHOWNORMAL);
  g_bMinimisedForLoss = false;
  WriteECText("Restore Out");
  return 1;
}

bool DDRestore() {
  if (lpDTCon != nullptr) {
    WriteECText("D3DではDDRestoreは未対応");
    return true;
  }
  if (lpDDCon == nullptr || g_PrimarySD.lpDDData == nullptr || g_PrimarySD.lpDDData->lpDDS == nullptr) return true;
  cSoftDDSurface* primary = g_PrimarySD.lpDDData->lpDDS;
  if (primary->IsLost() == DD_OK) return true;
  primary->Restore();
  if (g_BackBuffer.lpDDData != nullptr && g_BackBuffer.lpDDData->lpDDS != nullptr &&
      g_BackBuffer.lpDDData->lpDDS->IsLost() != DD_OK)
    g_BackBuffer.lpDDData->lpDDS->Restore();
  for (int i = 0; i < g_nFixedSurfaceCount && g_lpFixedSurface != nullptr; ++i) {
    DDSURFACEDATA& sd = g_lpFixedSurface[i];
    if (sd.lpDDData == nullptr || sd.lpDDData->lpDDS == nullptr || sd.lpDDData->lpDDS->IsLost() == DD_OK) continue;
    sd.lpDDData->lpDDS->Restore();
    if (sd.nDDMemType == 0) {
      if (IsFileSurface(sd))
        DDReloadSurface(&sd, g_nBpp);
      else
        sd.bLost = 1;
    }
  }
  if (g_nBpp == 8 && lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 256, g_DispPalette);
  RestoreFonts();
  return true;
}

int DDSetVirtualBackBuffer(int bOn) {
  if (lpDTCon == nullptr) return 0;
  if (lpDTCon->bVirtual && !bOn && DDSurfacePixels(&g_VirBackBuffer) != nullptr)
    DDCopyVirtualToBack(&g_BackBuffer, &g_VirBackBuffer);
  lpDTCon->bVirtual = bOn;
  // While the mode is on the frame is drawn into the virtual back buffer, so that is the
  // target between blits.
  lpDTCon->lpTarget = bOn ? &g_VirBackBuffer : &g_BackBuffer;
  if (DDSurfacePixels(lpDTCon->lpTarget) != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
  return 1;
}

int DDRedirectBackBuffer(DDSURFACEDATA** lplpSD) {
  if (lpDTCon == nullptr || !lpDTCon->bVirtual || *lplpSD != &g_BackBuffer) return 0;
  *lplpSD = &g_VirBackBuffer;
  return 1;
}

void DDCopyVirtualToBack(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  if (lpDTCon == nullptr) return;
  lpDTCon->bCopyVirtual = 1;
  DDSetAlphaOp(D3DTOP_DISABLE);
  DDBlt(lpDst, 0, 0, lpSrc->nWidth, lpSrc->nHeight, lpSrc, 0, 0, 0);
  DDResetAlphaOp();
  lpDTCon->bCopyVirtual = 0;
}

int DDSetDialogMode(int bOn) {
  if (bOn)
    ++g_nDialogModeEntries;
  else
    ++g_nDialogModeExits;
  if (g_bWindow) return 1;
  if (lpDTCon != nullptr) {
    if (bOn) {
      DDEndScene();
      if (lpDevice->SetDialogBoxMode(TRUE) != D3D_OK) {
        WriteECText("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)");
        return 0;
      }
      ShowCursor(TRUE);
    } else {
      HideCursorFully();
      if (lpDevice->SetDialogBoxMode(FALSE) != D3D_OK) return 0;
    }
  } else if (lpDDCon != nullptr) {
    if (bOn) {
      // Flipping to the desktop's surface: the box shows over the last frame.
      ShowCursor(TRUE);
    } else {
      ShowCursor(FALSE);
    }
  }
  return 1;
}

void DDInitColorMasks(DDPIXELMASKS* lpMasks) {
  if (lpDTCon != nullptr || g_PrimarySD.lpDDData == nullptr || g_PrimarySD.lpDDData->lpDDS == nullptr) return;
  DWORD bits = 0, masks[3] = {0, 0, 0};
  g_PrimarySD.lpDDData->lpDDS->GetPixelFormat(bits, masks[0], masks[1], masks[2]);
  int shifts[3] = {0, 0, 0};
  int maxes[3] = {0, 0, 0};
  for (int c = 0; c < 3; ++c) {
    DWORD mask = masks[c];
    int shift = 0;
    while (mask != 0 && (mask & 1u) == 0 && shift < static_cast<int>(bits)) {
      mask >>= 1;
      ++shift;
    }
    shifts[c] = shift;
    maxes[c] = static_cast<int>(mask);
  }
  lpMasks->nRShift = shifts[0];
  lpMasks->nGShift = shifts[1];
  lpMasks->nBShift = shifts[2];
  lpMasks->nRMax = maxes[0];
  lpMasks->nGMax = maxes[1];
  lpMasks->nBMax = maxes[2];
}

// Culling off, no depth test, source-alpha blending, vertex colours, point sampling and
// wrap addressing: the only states the software device draws with.
void DDSetDefaultRenderState() {}

void DDSetDiffuse(D3DCOLOR dwColor) {
  if (lpDTCon != nullptr) lpDTCon->dwDiffuse = dwColor;
}
void DDResetDiffuse() { DDSetDiffuse(0xFFFFFFFFu); }
void DDSetColorOp(int n) {
  if (lpDTCon != nullptr) lpDTCon->nColorOp = n;
}
void DDResetColorOp() { DDSetColorOp(D3DTOP_MODULATE); }
void DDSetAlphaOp(int n) {
  if (lpDTCon != nullptr) lpDTCon->nAlphaOp = n;
}
void DDResetAlphaOp() { DDSetAlphaOp(D3DTOP_SELECTARG1); }

bool DDReportInitError(int nCode) {
  const char* text = nullptr;
  switch (nCode) {
    case 1: text = "CREATEEX_ERR"; break;
    case 2: text = "SETCOOPLEVEL_ERR"; break;
    case 3: text = "SETDISPLAYMODE_ERR"; break;
    case 4: text = "CREATESURFACE_ERR"; break;
    case 5: text = "GETATTACHEDSURFACE_ERR"; break;
    case 6: text = "CREATEPALETTE_ERR"; break;
    case 7: text = "SETPALETTE_ERR"; break;
    case 10: text = "CLIPPER_ERR"; break;
    case 11: text = "SETHWND_ERR"; break;
    case 12: text = "SETCLIPPER_ERR"; break;
    default: return true;
  }
  WriteECText(text);
  return false;
}

void DDInitGlobals() {
  g_bDDReady = 0;
  lpDTCon = nullptr;
  lpDDCon = nullptr;
}

void DDReleaseContainers() {
  delete lpDTCon;
  delete lpDDCon;
  lpDTCon = nullptr;
  lpDDCon = nullptr;
}

void DDSetFrameLimiter(FrameLimiterFn limiter) { g_FrameLimiter = limiter; }

void DDSimulateDeviceLoss(bool bResettable) {
  if (lpDevice != nullptr) lpDevice->SimulateLoss(bResettable);
}

void DDSimulateSurfaceLoss() {
  if (lpDD != nullptr) lpDD->SimulateLoss();
}
