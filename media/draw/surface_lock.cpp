#include "media/draw/surface_lock.h"

#include "app/message_boxes.h"
#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"

namespace {

// The texture of a Direct3D surface is lost while the device is: its memory cannot be read
// back then, nor written to the device.
bool DeviceLost() { return lpDevice == nullptr || lpDevice->IsLost(); }

}  // namespace

bool cSurfaceLock::Lock(DDSURFACEDATA* lpSD) {
  Unlock();
  if (lpSD == nullptr) return false;
  DDUseAlias(&lpSD);
  DDRedirectBackBuffer(&lpSD);
  cPixelBuffer* pixels = nullptr;
  eKind kind = eKind::kNone;
  if (lpDTCon != nullptr) {
    DTTEXTUREDATA* dt = lpSD->lpDT;
    if (dt != nullptr && dt->bRenderTarget && lpSD != &g_BackBuffer) {
      // A render target lives on the device: its pixels are read back into a system twin,
      // and that is what gets locked.
      if (dt->lpSurface == nullptr || DeviceLost()) {
        WriteECf("FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )");
        return false;
      }
      pixels = dt->lpSurface;
      kind = eKind::kRenderTarget;
    } else {
      const bool bBack = lpSD == &g_BackBuffer;
      if (dt == nullptr || dt->lpSurface == nullptr || (bBack && DeviceLost())) {
        DebugMesBox("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
        return false;
      }
      pixels = dt->lpSurface;
      kind = bBack ? eKind::kBackBuffer : eKind::kTexture;
    }
  } else {
    DDSURFACEDESC2 desc{};
    void* bits = nullptr;
    if (!DDLock(lpSD, &desc, &bits, g_nBpp)) return false;
    pixels = &lpSD->lpDDData->lpDDS->pixels;
    kind = eKind::kDirectDraw;
  }
  if (pixels->nWidth <= 0 || pixels->nHeight <= 0 || pixels->bytes.empty()) return false;
  m_lpSD = lpSD;
  m_pBits = pixels->bytes.data();
  m_nBpp = g_nBpp;
  m_nBytes = pixels->BytesPerPixel();
  m_nPitch = pixels->nPitch;
  m_nWidth = pixels->nWidth;
  m_nHeight = pixels->nHeight;
  m_Format = pixels->format;
  m_Kind = kind;
  return true;
}

HRESULT cSurfaceLock::Unlock() {
  if (m_lpSD == nullptr) return D3D_OK;
  HRESULT hr = D3D_OK;
  switch (m_Kind) {
    case eKind::kRenderTarget:
      // The twin's pixels go back to the device's texture.
      if (DeviceLost()) {
        hr = D3DERR_DEVICELOST;
        DebugMesBox("FAILED( lpDevice->UpdateSurface(m_lpSD->lpDT->lpSystemSurface, NULL, m_lpSD->lpDT->lpSurface, NULL)");
      }
      break;
    case eKind::kDirectDraw:
      if (m_lpSD->lpDDData != nullptr && m_lpSD->lpDDData->lpDDS != nullptr) hr = m_lpSD->lpDDData->lpDDS->Unlock(nullptr);
      break;
    default: break;
  }
  m_lpSD = nullptr;
  m_pBits = nullptr;
  m_Kind = eKind::kNone;
  return hr;
}

bool DDLockPair(cSurfaceLock& dst, DDSURFACEDATA* lpDst, cSurfaceLock& src, DDSURFACEDATA* lpSrc) {
  if (dst.Lock(lpDst) && src.Lock(lpSrc)) return true;
  src.Unlock();
  dst.Unlock();
  return false;
}
