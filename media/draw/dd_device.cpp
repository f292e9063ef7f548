#include "media/draw/dd_device.h"

#include <algorithm>

cSoftDeviceCaps g_SoftDeviceCaps;

HRESULT cSoftDevice::BeginScene() {
  if (m_bInScene) return D3DERR_INVALIDCALL;
  m_bInScene = true;
  return D3D_OK;
}

HRESULT cSoftDevice::EndScene() {
  if (!m_bInScene) return D3DERR_INVALIDCALL;
  m_bInScene = false;
  return D3D_OK;
}

HRESULT cSoftDevice::SetRenderTarget(cPixelBuffer* target) {
  if (target == nullptr || target->nWidth <= 0) return D3DERR_INVALIDCALL;
  m_pTarget = target;
  return D3D_OK;
}

HRESULT cSoftDevice::Clear(const RECT* rect, D3DCOLOR colour) {
  if (m_pTarget == nullptr) return D3DERR_INVALIDCALL;
  if (IsLost()) return D3D_OK;  // drawing on a lost device is dropped quietly
  ClearRect(*m_pTarget, rect != nullptr ? *rect : RECT{0, 0, m_pTarget->nWidth, m_pTarget->nHeight}, colour);
  return D3D_OK;
}

HRESULT cSoftDevice::DrawQuad(const cPixelBuffer& tex, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                              const cQuadState& state) {
  if (m_pTarget == nullptr || !m_bInScene) return D3DERR_INVALIDCALL;
  if (IsLost()) return D3D_OK;
  DrawTexturedQuad(*m_pTarget, tex, x, y, w, h, sx, sy, sw, sh, state);
  return D3D_OK;
}

HRESULT cSoftDevice::DrawTurnedQuad(const cPixelBuffer& tex, double originX, double originY, double cosA,
                                    double sinA, int sx, int sy, int sw, int sh, const cQuadState& state) {
  if (m_pTarget == nullptr || !m_bInScene) return D3DERR_INVALIDCALL;
  if (IsLost()) return D3D_OK;
  ::DrawTurnedQuad(*m_pTarget, tex, originX, originY, cosA, sinA, sx, sy, sw, sh, state);
  return D3D_OK;
}

HRESULT cSoftDevice::DrawColorQuad(int x, int y, int w, int h, D3DCOLOR colour) {
  if (m_pTarget == nullptr || !m_bInScene) return D3DERR_INVALIDCALL;
  if (IsLost()) return D3D_OK;
  ::DrawColorQuad(*m_pTarget, x, y, w, h, colour);
  return D3D_OK;
}

HRESULT cSoftDevice::Present() {
  if (IsLost()) return D3DERR_DEVICELOST;
  return D3D_OK;
}

HRESULT cSoftDevice::TestCooperativeLevel() const {
  switch (m_State) {
    case eDeviceState::kOk: return D3D_OK;
    case eDeviceState::kLost: return D3DERR_DEVICELOST;
    case eDeviceState::kLostResettable: return D3DERR_DEVICENOTRESET;
  }
  return D3D_OK;
}

HRESULT cSoftDevice::Reset() {
  if (m_State == eDeviceState::kLost || m_nDefaultPool != 0) return D3DERR_INVALIDCALL;
  m_State = eDeviceState::kOk;
  m_bInScene = false;
  m_pTarget = &backBuffer;
  std::fill(backBuffer.bytes.begin(), backBuffer.bytes.end(), 0);
  return D3D_OK;
}

HRESULT cSoftDevice::SetDialogBoxMode(BOOL on) {
  // The back buffer must be lockable, which it always is here.
  m_bDialogMode = on != 0;
  return D3D_OK;
}

HRESULT cSoftDevice::CreateTexture(int width, int height, ePixelFormat format, bool bRenderTarget,
                                   cSoftTexture** out) {
  *out = nullptr;
  if (width <= 0 || height <= 0 || width > caps.nMaxTextureWidth || height > caps.nMaxTextureHeight)
    return D3DERR_INVALIDCALL;
  if (bRenderTarget && IsLost()) return D3DERR_DEVICELOST;
  auto* texture = new cSoftTexture();
  if (!texture->pixels.Create(width, height, format)) {
    delete texture;
    return D3DERR_OUTOFVIDEOMEMORY;
  }
  texture->bDefaultPool = bRenderTarget;
  if (bRenderTarget) ++m_nDefaultPool;
  *out = texture;
  return D3D_OK;
}

void cSoftDevice::ReleaseTexture(cSoftTexture* texture) {
  if (texture == nullptr) return;
  if (texture->bDefaultPool) --m_nDefaultPool;
  if (m_pTarget == &texture->pixels) m_pTarget = nullptr;
  delete texture;
}

// ---- DirectDraw-like device ----

ePixelFormat DisplayFormatOfDepth(int bitCount) {
  switch (bitCount) {
    case 8: return ePixelFormat::kP8;
    case 16: return ePixelFormat::kR5G6B5;
    default: return ePixelFormat::kX8R8G8B8;
  }
}

HRESULT cSoftDDSurface::Restore() {
  if (m_bLost) {
    std::fill(pixels.bytes.begin(), pixels.bytes.end(), 0);  // the contents are gone
    m_bLost = false;
  }
  return DD_OK;
}

HRESULT cSoftDDSurface::Lock(DDSURFACEDESC2* desc) {
  if (m_bLost) return DDERR_SURFACELOST;
  desc->dwWidth = static_cast<DWORD>(pixels.nWidth);
  desc->dwHeight = static_cast<DWORD>(pixels.nHeight);
  desc->lPitch = pixels.nPitch;
  desc->lpSurface = pixels.bytes.data();
  desc->dwRGBBitCount = static_cast<DWORD>(pixels.BytesPerPixel() * 8);
  return DD_OK;
}

HRESULT cSoftDDSurface::Unlock(void*) { return DD_OK; }

HRESULT cSoftDDSurface::SetColorKey(std::uint32_t key) {
  m_bHasKey = true;
  m_dwKey = key;
  return DD_OK;
}

HRESULT cSoftDDSurface::BltFast(int x, int y, cSoftDDSurface* src, const RECT* from, DWORD flags) {
  if (src == nullptr || from == nullptr) return DDERR_INVALIDPARAMS;
  if (m_bLost || src->m_bLost) return DDERR_SURFACELOST;
  const bool bKey = (flags & DDBLTFAST_SRCCOLORKEY) != 0 && src->m_bHasKey;
  return CopyRectFast(pixels, x, y, src->pixels, *from, bKey, src->m_dwKey);
}

HRESULT cSoftDDSurface::Blt(const RECT* to, cSoftDDSurface* src, const RECT* from, DWORD flags) {
  if (src == nullptr) return DDERR_INVALIDPARAMS;
  if (m_bLost || src->m_bLost) return DDERR_SURFACELOST;
  const RECT all{0, 0, pixels.nWidth, pixels.nHeight};
  const RECT srcAll{0, 0, src->pixels.nWidth, src->pixels.nHeight};
  const bool bKey = (flags & DDBLT_KEYSRC) != 0 && src->m_bHasKey;
  return CopyRectStretched(pixels, to != nullptr ? *to : all, src->pixels, from != nullptr ? *from : srcAll, bKey,
                           src->m_dwKey);
}

HRESULT cSoftDDSurface::ColorFill(const RECT* to, std::uint32_t value) {
  if (m_bLost) return DDERR_SURFACELOST;
  FillRectRaw(pixels, to != nullptr ? *to : RECT{0, 0, pixels.nWidth, pixels.nHeight}, value);
  return DD_OK;
}

void cSoftDDSurface::GetPixelFormat(DWORD& bitCount, DWORD& red, DWORD& green, DWORD& blue) const {
  switch (pixels.format) {
    case ePixelFormat::kP8: bitCount = 8; red = green = blue = 0; break;
    case ePixelFormat::kR5G6B5: bitCount = 16; red = 0xF800; green = 0x07E0; blue = 0x001F; break;
    default: bitCount = 32; red = 0xFF0000; green = 0xFF00; blue = 0xFF; break;
  }
}

void cSoftDDSurface::Release() {
  if (m_pOwner != nullptr) {
    auto& list = m_pOwner->m_Surfaces;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  delete this;
}

HRESULT cSoftDDPalette::SetEntries(int first, int count, const PALETTEENTRY* from) {
  if (first < 0 || count < 0 || first + count > 256) return DDERR_INVALIDPARAMS;
  std::copy(from, from + count, entries + first);
  return DD_OK;
}

HRESULT cSoftDirectDraw::SetDisplayMode(int, int, int bitCount) {
  if (bitCount != 8 && bitCount != 16 && bitCount != 32) return DDERR_INVALIDPARAMS;
  nBitCount = bitCount;
  format = DisplayFormatOfDepth(bitCount);
  return DD_OK;
}

HRESULT cSoftDirectDraw::CreateSurface(int width, int height, bool bSystemMemory, cSoftDDSurface** out) {
  *out = nullptr;
  auto* surface = new cSoftDDSurface();
  if (!surface->pixels.Create(width, height, format)) {
    delete surface;
    return DDERR_INVALIDPARAMS;
  }
  surface->bSystemMemory = bSystemMemory;
  surface->m_pOwner = this;
  m_Surfaces.push_back(surface);
  *out = surface;
  return DD_OK;
}

HRESULT cSoftDirectDraw::CreatePalette(const PALETTEENTRY* entries, cSoftDDPalette** out) {
  auto* palette = new cSoftDDPalette();
  std::copy(entries, entries + 256, palette->entries);
  *out = palette;
  return DD_OK;
}

void cSoftDirectDraw::SimulateLoss() {
  for (cSoftDDSurface* surface : m_Surfaces) surface->SimulateLoss();
}

int cSoftDirectDraw::Release() {
  const int alive = static_cast<int>(m_Surfaces.size());
  for (cSoftDDSurface* surface : m_Surfaces) surface->m_pOwner = nullptr;
  delete this;
  return alive;
}
