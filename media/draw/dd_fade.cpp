#include "media/draw/dd_fade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/report_log.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/fade_span.h"
#include "media/draw/surface_lock.h"

namespace {

// The angles, in degrees, of the fades in progress: one per fade and back end. A fade-out
// runs from 90 (the picture) down to 0 (the colour), a fade-in from 0 up to 90.
constexpr double kFadeOutStart = 90.0;
constexpr double kFadeInStart = 0.0;
double g_dFadeOutD3D = kFadeOutStart;
double g_dFadeOutDD = kFadeOutStart;
double g_dFadeInD3D = kFadeInStart;
double g_dFadeInDD = kFadeInStart;

double Sine(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }

// The Direct3D step: a black quad over the whole back buffer with the given alpha. False
// when the scene could not be begun or the target not set: the caller keeps its angle so
// that the step is tried again next frame.
bool DarkenBackBuffer(int nAlpha) {
  DDSURFACEDATA* lpSD = &g_BackBuffer;
  DDRedirectBackBuffer(&lpSD);
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return false;
  lpDevice->DrawColorQuad(0, 0, lpSD->nWidth, lpSD->nHeight, D3DCOLOR_ARGB(static_cast<DWORD>(nAlpha), 0, 0, 0));
  if (lpDTCon->lpTarget != nullptr) DDSetRenderTarget(0, lpDTCon->lpTarget);
  return true;
}

// The DirectDraw step at the visible share v (0 the colour, 256 the picture).
void MixDirectDraw(PALETTEENTRY* lpPalette, int nFirst, int nLast, BYTE r, BYTE g, BYTE b,
                   const PALETTEENTRY* lpSrcPalette, int v) {
  if (g_nBpp == 8) {
    if (lpPalette == nullptr || lpSrcPalette == nullptr) return;
    DDBlendPalette(lpPalette, nFirst, nLast, v, r, g, b, lpSrcPalette);
    const int first = std::max(nFirst, 0), last = std::min(nLast, 255);
    if (lpDDPalette != nullptr && first <= last) lpDDPalette->SetEntries(first, last - first + 1, lpPalette + first);
  } else {
    DDFade_UnPal(&g_BackBuffer, v, r, g, b, &g_FadeSD);
  }
}

// The frame a DirectDraw fade mixes from: the back buffer as the fade starts.
void KeepStartFrame() {
  if (g_nBpp != 8) DDBlt(&g_FadeSD, 0, 0, g_FadeSD.nWidth, g_FadeSD.nHeight, &g_BackBuffer, 0, 0, 0);
}

}  // namespace

bool DDFadeOut(PALETTEENTRY* lpPalette, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, int nStep,
               const PALETTEENTRY* lpSrcPalette, int bReset) {
  double& angle = lpDTCon != nullptr ? g_dFadeOutD3D : g_dFadeOutDD;
  if (lpDTCon != nullptr) {
    if (bReset) angle = 0;
    const int visible = static_cast<int>(Sine(angle) * 255);
    if (!DarkenBackBuffer(255 - visible)) return false;
  } else if (lpDDCon != nullptr) {
    if (angle == kFadeOutStart) KeepStartFrame();
    if (bReset) angle = 0;
    MixDirectDraw(lpPalette, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrcPalette, static_cast<int>(Sine(angle) * 256));
  }
  if (angle > 0) {
    angle = std::max(angle - nStep, 0.0);
    return false;
  }
  angle = kFadeOutStart;
  return true;
}

bool DDFadeIn(PALETTEENTRY* lpPalette, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, int nStep,
              const PALETTEENTRY* lpSrcPalette, int bReset) {
  double& angle = lpDTCon != nullptr ? g_dFadeInD3D : g_dFadeInDD;
  if (lpDTCon != nullptr) {
    if (bReset) angle = 90;
    const int visible = static_cast<int>(Sine(angle) * 255);
    if (!DarkenBackBuffer(255 - visible)) return false;
  } else if (lpDDCon != nullptr) {
    if (angle == kFadeInStart) KeepStartFrame();
    if (bReset) angle = 90;
    MixDirectDraw(lpPalette, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrcPalette, static_cast<int>(Sine(angle) * 256));
  }
  if (angle < 90) {
    angle = std::min(angle + nStep, 90.0);
    return false;
  }
  angle = kFadeInStart;
  return true;
}

int DDFade_UnPal(DDSURFACEDATA* lpDst, int nAmount, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, DDSURFACEDATA* lpSrc) {
  if (lpDTCon != nullptr) {
    WriteECText("D3DではDDFade_UnPalは未対応");
    return 1;
  }
  cSurfaceLock dst, src;
  if (!DDLockPair(dst, lpDst, src, lpSrc)) return 0;
  if ((dst.m_nBpp != 16 && dst.m_nBpp != 32) || dst.m_Format != src.m_Format) return 1;
  // The source may be smaller than the destination: only what both hold is mixed.
  const int width = std::min(dst.m_nWidth, src.m_nWidth);
  const int height = std::min(dst.m_nHeight, src.m_nHeight);
  for (int y = 0; y < height; ++y)
    FadeRow(dst.m_Format, dst.Row(y), src.Row(y), width, nAmount, cbRed, cbGreen, cbBlue);
  return 1;
}

void DDResetFades() {
  g_dFadeOutD3D = g_dFadeOutDD = kFadeOutStart;
  g_dFadeInD3D = g_dFadeInDD = kFadeInStart;
}
