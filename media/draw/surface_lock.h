#pragma once
// The lock of one surface for direct pixel access, released when the guard goes out of
// scope, so that an early return never leaves a surface locked. Every effect that works on
// raw pixels locks its destination first, then its source, and unlocks in the reverse
// order (declare the destination's guard first).
#include <cstdint>

#include "media/draw/dd_surface.h"

class cSurfaceLock {
 public:
  cSurfaceLock() = default;
  ~cSurfaceLock() { Unlock(); }
  cSurfaceLock(const cSurfaceLock&) = delete;
  cSurfaceLock& operator=(const cSurfaceLock&) = delete;

  // Locks the surface (its alias's picture, and the virtual back buffer in place of the
  // back buffer while that mode is on). False when the back end cannot lock it: the
  // failure is logged and nothing stays locked. A guard that holds a lock releases it
  // first.
  bool Lock(DDSURFACEDATA* lpSD);
  // Makes the edited pixels visible on the surface and releases the lock; D3D_OK / DD_OK
  // or the failure of the back end. A second call does nothing and returns D3D_OK.
  HRESULT Unlock();

  bool IsLocked() const { return m_lpSD != nullptr; }
  // Row y of the locked memory; y must lie in 0 .. m_nHeight - 1.
  std::uint8_t* Row(int y) const { return m_pBits + static_cast<std::ptrdiff_t>(y) * m_nPitch; }
  // The row length in pixels: the byte pitch over the bytes per pixel.
  int RowPixels() const { return m_nBytes > 0 ? m_nPitch / m_nBytes : 0; }

  DDSURFACEDATA* m_lpSD = nullptr;  // the locked surface (after alias and redirection), null when none
  std::uint8_t* m_pBits = nullptr;  // first byte of the locked memory
  int m_nBpp = 0;                   // the display depth: 8, 16, 24 or 32
  int m_nBytes = 0;                 // bytes per pixel of the locked memory
  int m_nPitch = 0;                 // bytes per row
  int m_nWidth = 0;                 // size of the locked memory in pixels; an effect never
  int m_nHeight = 0;                // reads or writes outside it
  ePixelFormat m_Format = ePixelFormat::kX8R8G8B8;  // layout of the locked pixels

 private:
  enum class eKind { kNone, kBackBuffer, kRenderTarget, kTexture, kDirectDraw };
  eKind m_Kind = eKind::kNone;
};

// The lock step of an effect with a source: the destination, then the source. When either
// fails, whatever was locked is released (the source first) and the result is false.
bool DDLockPair(cSurfaceLock& dst, DDSURFACEDATA* lpDst, cSurfaceLock& src, DDSURFACEDATA* lpSrc);
