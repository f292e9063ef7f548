#pragma once
// The display: which back end runs, their state records, set-up and end, the end of a
// frame, recovery after losses, the virtual back buffer and the dialog mode of message
// boxes over a full screen. Both back ends are software devices (dd_device.h); a finished
// frame goes to the window through the platform's hand-over.
#include <string>

#include "media/draw/dd_surface.h"
#include "media/draw/display_state.h"

struct D3DPRESENT_PARAMETERS {
  int BackBufferWidth;
  int BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  int BackBufferCount;
  int Windowed;
  int SwapEffect;            // 1 discard, 3 copy
  int EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  int Flags;                 // 1: lockable back buffer
  int FullScreen_RefreshRateInHz;
  int PresentationInterval;  // 0 default (vertical sync), else immediate
};
constexpr int D3DPRESENT_INTERVAL_DEFAULT = 0;
constexpr int D3DPRESENT_INTERVAL_IMMEDIATE = static_cast<int>(0x80000000u);

// Direct3D state record.
struct DTCONTAINER {
  D3DFORMAT nDispFormat = D3DFMT_UNKNOWN;
  D3DFORMAT nTexFormat = D3DFMT_UNKNOWN;
  D3DPRESENT_PARAMETERS d3dpp{};
  DWORD nAdapter = 0;
  DWORD nDeviceType = 1;
  D3DFORMAT nAdapterFormat = D3DFMT_UNKNOWN;
  cSoftDeviceCaps caps;
  int bPow2 = 0;
  int bSquareOnly = 0;
  int bDynamicTex = 0;
  int bVirtual = 0;
  DDSURFACEDATA* lpTarget = nullptr;
  int bCopyVirtual = 0;
  RGBTRIPLE rgbTransmit{};
  RGBTRIPLE rgbTransmit16{};
  DWORD dwTransmit = 0;
  D3DCOLOR argbTransmit = 0;
  WORD wTransmit = 0;
  WORD wTransmit_16 = 0;
  int bInScene = 0;
  D3DCOLOR dwDiffuse = 0xFFFFFFFFu;
  int nColorOp = D3DTOP_MODULATE;
  int nAlphaOp = D3DTOP_MODULATE;
  int nTextureKey = 0;
  int nFontCount = 0;
  std::string strError;
};

// DirectDraw state record. The key colours start defined (black) rather than as whatever
// the memory held.
struct DDCONTAINER {
  RGBTRIPLE rgbTransmit{};
  RGBTRIPLE rgbTransmit16{};
  int nFontCount = 0;
};

extern DTCONTAINER* lpDTCon;
extern DDCONTAINER* lpDDCon;

// The Direct3D object: it exists between a successful creation and the end.
struct cSoftD3D {
  int nAdapterRefreshRate = 60;
};

extern int g_bDirect3D;
extern HWND g_hDDWnd;
extern int g_nScreenWidth, g_nScreenHeight;
extern int g_nBpp;
extern int g_nBytesPerPixel;
extern int g_nBackBufferCount;
extern int g_bVSync;
extern int g_nRefreshRate;
extern int g_bSetRefreshRate;
extern DDSURFACEDATA* g_lpFixedSurface;
extern DDSURFACEDEF* g_lpFixedSurfaceDef;
extern int g_nFixedSurfaceCount;
extern BYTE g_bDDInitialized;
extern int g_nDesktopBpp;
extern RECT g_rcClient;
extern DWORD g_dwTransmit;
extern DDPIXELMASKS g_BackMasks;
extern DDPIXELMASKS g_TexMasks;

extern cSoftD3D* lpD3D;
extern cSoftDevice* lpDevice;
extern cSoftDirectDraw* lpDD;
extern cSoftDDPalette* lpDDPalette;
extern int g_DDClipper;  // 1 while the windowed primary has its clipper

extern DDSURFACEDATA g_BackBuffer;
extern DDSURFACEDATA g_VirBackBuffer;
extern DDSURFACEDATA g_WorkSD;
extern DDSURFACEDATA g_PrimarySD;
extern DDSURFACEDATA g_FadeSD;

bool DDInit(int bDirect3D, HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindow,
            int nBackBufferCount, int nRefreshRate, int bSetRefreshRate, DDSURFACEDATA* lpFixedSurface,
            DDSURFACEDEF* lpFixedSurfaceDef, int nFixedSurfaceCount, int reserved);
void DDEnd();
void DDRelease();
int DDPresent(int nFps);
int DDRestoreSurface();
bool DDRestore();
int DDSetVirtualBackBuffer(int bOn);
int DDRedirectBackBuffer(DDSURFACEDATA** lplpSD);
void DDCopyVirtualToBack(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
void DDInitColorMasks(DDPIXELMASKS* lpMasks);
void DDSetDefaultRenderState();
void DDSetDiffuse(D3DCOLOR dwColor);
void DDResetDiffuse();
void DDSetColorOp(int n);
void DDResetColorOp();
void DDSetAlphaOp(int n);
void DDResetAlphaOp();
bool DDReportInitError(int nCode);
void DDInitGlobals();
void DDReleaseContainers();

// DirectDraw: shows the frame. Flip exchanges the back buffer with the primary and shows
// it; DDShowPrimary shows the primary as it is (after the back buffer was copied onto it).
// 1 on success, 0 when a surface is lost or DirectDraw does not run.
int DDFlip();
int DDShowPrimary();

// The frame limiter the Direct3D present waits on while vertical sync is off: true when
// the frame is due. Without one every frame is due.
using FrameLimiterFn = bool (*)(int nFps);
void DDSetFrameLimiter(FrameLimiterFn limiter);

// Test seams: the Direct3D device is lost (resettable or not yet); every DirectDraw
// surface in video memory is lost.
void DDSimulateDeviceLoss(bool bResettable);
void DDSimulateSurfaceLoss();
