#pragma once
// The two software devices the drawing layer runs on: a Direct3D-like device (textures,
// render targets, a back buffer, scenes, loss and reset) and a DirectDraw-like one
// (surfaces with colour keys, a palette, loss and restore). Their methods carry the names
// and results of the operations the drawing layer was written against, so its algorithms
// read as they were designed; the pixel work is in dd_raster.
#include <vector>

#include "media/draw/dd_pixels.h"
#include "media/draw/dd_raster.h"

// ---- Direct3D-like device ----

struct cSoftDeviceCaps {
  bool bPow2 = false;              // textures need power-of-two sides
  bool bSquareOnly = false;        // textures must be square
  bool bDynamicTextures = true;
  bool bAlphaFullscreenFlipOrDiscard = true;
  int nMaxTextureWidth = 8192;
  int nMaxTextureHeight = 8192;
  int nMaxTextureBlendStages = 8;
  int nMaxSimultaneousTextures = 8;
};
// Caps of the devices made from now on (tests change them to reach other size rules).
extern cSoftDeviceCaps g_SoftDeviceCaps;

struct cSoftTexture {
  cPixelBuffer pixels;
  bool bDefaultPool = false;  // render targets: lost with the device, released before a reset
};

enum class eDeviceState { kOk, kLost, kLostResettable };

class cSoftDevice {
 public:
  cSoftDeviceCaps caps;
  cPixelBuffer backBuffer;
  bool bWindowed = true;
  bool bVSync = false;

  HRESULT BeginScene();
  HRESULT EndScene();
  HRESULT SetRenderTarget(cPixelBuffer* target);
  cPixelBuffer* RenderTarget() const { return m_pTarget; }
  // Clears a rectangle of the render target (null: all of it).
  HRESULT Clear(const RECT* rect, D3DCOLOR colour);
  HRESULT DrawQuad(const cPixelBuffer& tex, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                   const cQuadState& state);
  // The quad turned about its origin (see DrawTurnedQuad).
  HRESULT DrawTurnedQuad(const cPixelBuffer& tex, double originX, double originY, double cosA, double sinA, int sx,
                         int sy, int sw, int sh, const cQuadState& state);
  HRESULT DrawColorQuad(int x, int y, int w, int h, D3DCOLOR colour);
  // Hands the back buffer to the screen.
  HRESULT Present();
  HRESULT TestCooperativeLevel() const;
  // Fails while a render-target texture still exists, as a real reset does.
  HRESULT Reset();
  HRESULT SetDialogBoxMode(BOOL on);
  bool InDialogMode() const { return m_bDialogMode; }

  HRESULT CreateTexture(int width, int height, ePixelFormat format, bool bRenderTarget, cSoftTexture** out);
  void ReleaseTexture(cSoftTexture* texture);
  int LiveDefaultPoolTextures() const { return m_nDefaultPool; }

  // Test seam: the device is lost (a full-screen display lost the focus); resettable
  // once the application could take the display back.
  void SimulateLoss(bool bResettable) { m_State = bResettable ? eDeviceState::kLostResettable : eDeviceState::kLost; }
  bool IsLost() const { return m_State != eDeviceState::kOk; }

 private:
  cPixelBuffer* m_pTarget = nullptr;
  bool m_bInScene = false;
  bool m_bDialogMode = false;
  int m_nDefaultPool = 0;
  eDeviceState m_State = eDeviceState::kOk;
};

// ---- DirectDraw-like device ----

struct DDSURFACEDESC2 {
  DWORD dwWidth;
  DWORD dwHeight;
  LONG lPitch;
  void* lpSurface;
  DWORD dwRGBBitCount;
};

class cSoftDirectDraw;

class cSoftDDSurface {
 public:
  cPixelBuffer pixels;
  bool bSystemMemory = false;
  bool bPrimary = false;

  HRESULT IsLost() const { return m_bLost ? DDERR_SURFACELOST : DD_OK; }
  HRESULT Restore();
  HRESULT Lock(DDSURFACEDESC2* desc);
  HRESULT Unlock(void* rect);
  HRESULT SetColorKey(std::uint32_t key);
  bool HasColorKey() const { return m_bHasKey; }
  std::uint32_t ColorKey() const { return m_dwKey; }
  HRESULT BltFast(int x, int y, cSoftDDSurface* src, const RECT* from, DWORD flags);
  HRESULT Blt(const RECT* to, cSoftDDSurface* src, const RECT* from, DWORD flags);
  HRESULT ColorFill(const RECT* to, std::uint32_t value);
  // Pixel format: bit count and channel masks.
  void GetPixelFormat(DWORD& bitCount, DWORD& red, DWORD& green, DWORD& blue) const;
  void Release();
  void SimulateLoss() { if (!bSystemMemory) m_bLost = true; }

 private:
  friend class cSoftDirectDraw;
  cSoftDirectDraw* m_pOwner = nullptr;
  bool m_bLost = false;
  bool m_bHasKey = false;
  std::uint32_t m_dwKey = 0;
};

class cSoftDDPalette {
 public:
  PALETTEENTRY entries[256] = {};
  HRESULT SetEntries(int first, int count, const PALETTEENTRY* from);
  void Release() { delete this; }
};

class cSoftDirectDraw {
 public:
  // The display format of every surface made (the primary's).
  ePixelFormat format = ePixelFormat::kX8R8G8B8;
  int nBitCount = 32;

  HRESULT SetDisplayMode(int width, int height, int bitCount);
  HRESULT CreateSurface(int width, int height, bool bSystemMemory, cSoftDDSurface** out);
  HRESULT CreatePalette(const PALETTEENTRY* entries, cSoftDDPalette** out);
  // Marks every video-memory surface lost (test seam for a mode switch of another program).
  void SimulateLoss();
  // Releases the object; returns the surfaces still alive (a leak when not 0).
  int Release();

 private:
  friend class cSoftDDSurface;
  std::vector<cSoftDDSurface*> m_Surfaces;
};

ePixelFormat DisplayFormatOfDepth(int bitCount);
