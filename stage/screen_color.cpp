// The screen colour: the whole picture tinted toward a colour, flashed, or faded back to
// normal. Direct3D draws the tint over the finished frame every frame; DirectDraw has it
// only at 8 bits per pixel, as a blend of the display palette.
#include "app/checked_access.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_device.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_pixel_effects.h"
#include "objects/trunc.h"
#include "stage/scene_game.h"

namespace {

constexpr int kSolidColourRow = 67;  // a 640x480 blank: the solid colour under the virtual back buffer

bool IsDirectDraw() { return lpDDCon != nullptr; }

// How much of the unchanged picture remains at frame k of a change toward `strength`.
std::int32_t TintValue(std::int32_t k, std::int32_t duration, std::int32_t strength) {
  if (duration == 0) return TruncToInt(255 - strength * 2.55);
  return TruncToInt(255 - static_cast<double>(k) / duration * strength * 2.55);
}

// The value of a return at frame k: from the saved value back up to 255.
std::int32_t ReturnValue(std::int32_t k, std::int32_t duration, std::int32_t saved) {
  if (duration == 0) return 255;
  return TruncToInt(saved + static_cast<double>(k) / duration * (255 - saved));
}

void ApplyDirect3D(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t value) {
  if (lpDTCon != nullptr && lpDTCon->bVirtual != 0) {
    DDSURFACEDATA* solid = &g_FixedSurface[kSolidColourRow];
    const DWORD colour = 0xFF000000u | (static_cast<DWORD>(red) << 16) | (static_cast<DWORD>(green) << 8) | blue;
    DDFillSurfaceRGB(solid, colour);
    DDHalfBltEx(&g_BackBuffer, 0, 0, 640, 480, solid, 0, 0, 0, g_BlendTable, value);
    return;
  }
  DDChangeColor(&g_BackBuffer, 0, 0, 640, 480, value, red, green, blue);
}

void BlendDisplayPalette(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t value) {
  DDBlendPalette(g_DispPalette, 0, 255, value, red, green, blue, g_Palette);
  if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 256, g_DispPalette);
}

void DrawDirect3D(cScreenColor& sc, std::int32_t bPaused) {
  if (sc.m_bFlash != 0) {
    sc.m_nValue = TintValue(sc.m_nFrame, sc.m_nDuration, sc.m_nStrength);
    if (sc.m_nFrame < sc.m_nDuration) {
      ApplyDirect3D(sc.m_nRed, sc.m_nGreen, sc.m_nBlue, sc.m_nValue);
      if (bPaused == 0) ++sc.m_nFrame;
      return;
    }
    ApplyDirect3D(sc.m_nRed, sc.m_nGreen, sc.m_nBlue, 255);
    if (bPaused != 0) return;
    sc.m_nFrame = 0;
    ++sc.m_nFlashes;
    // At or past the count, so that a count of 0 or less ends after one flash instead of
    // flashing for ever.
    if (sc.m_nFlashes >= sc.m_nRepeat) sc.m_bActive = 0;
    return;
  }
  if (sc.m_bReturn != 0) {
    sc.m_nValue = ReturnValue(sc.m_nFrame, sc.m_nDuration, sc.m_nSavedValue);
    ApplyDirect3D(sc.m_nSavedRed, sc.m_nSavedGreen, sc.m_nSavedBlue, sc.m_nValue);
    if (bPaused != 0) return;
    if (sc.m_nFrame >= sc.m_nDuration) {
      sc.m_bActive = 0;
    } else {
      ++sc.m_nFrame;
    }
    return;
  }
  sc.m_nValue = TintValue(sc.m_nFrame, sc.m_nDuration, sc.m_nStrength);
  ApplyDirect3D(sc.m_nRed, sc.m_nGreen, sc.m_nBlue, sc.m_nValue);
  if (bPaused != 0) return;
  if (sc.m_nFrame < sc.m_nDuration) {
    ++sc.m_nFrame;
  } else if (sc.m_nStrength == 0) {
    sc.m_bActive = 0;
  }
}

void DrawDirectDraw(cScreenColor& sc, std::int32_t bPaused) {
  if (bPaused != 0) return;
  if (g_nBpp != 8) {
    sc.m_bActive = 0;
    return;
  }
  if (sc.m_bFlash != 0) {
    sc.m_nValue = TintValue(sc.m_nFrame, sc.m_nDuration, sc.m_nStrength);
    if (sc.m_nFrame >= sc.m_nDuration) {
      DDBlendPalette(g_DispPalette, 0, 255, 255, sc.m_nRed, sc.m_nGreen, sc.m_nBlue, g_Palette);
      if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 256, g_Palette);
      sc.m_nFrame = 0;
      ++sc.m_nFlashes;
      if (sc.m_nFlashes >= sc.m_nRepeat) sc.m_bActive = 0;
      return;
    }
    BlendDisplayPalette(sc.m_nRed, sc.m_nGreen, sc.m_nBlue, sc.m_nValue);
    ++sc.m_nFrame;
    return;
  }
  if (sc.m_bReturn != 0) {
    sc.m_nValue = ReturnValue(sc.m_nFrame, sc.m_nDuration, sc.m_nSavedValue);
    BlendDisplayPalette(sc.m_nSavedRed, sc.m_nSavedGreen, sc.m_nSavedBlue, sc.m_nValue);
  } else {
    sc.m_nValue = TintValue(sc.m_nFrame, sc.m_nDuration, sc.m_nStrength);
    BlendDisplayPalette(sc.m_nRed, sc.m_nGreen, sc.m_nBlue, sc.m_nValue);
  }
  // The blended palette stays in place when a plain change ends.
  if (sc.m_nFrame >= sc.m_nDuration) {
    sc.m_bActive = 0;
  } else {
    ++sc.m_nFrame;
  }
}

}  // namespace

void cSceneGame::SetScreenColor(const std::vector<std::int32_t>& vParam) {
  cScreenColor& sc = m_ScreenColor;
  const std::int32_t bReturn = CheckedAt(vParam, 4);
  if (bReturn != 0) {
    // Nothing to come back from.
    if (!IsDirectDraw() && sc.m_bActive == 0) return;
    if (IsDirectDraw() && g_nBpp == 8 && sc.m_bColorSet == 0) return;
  }
  sc.m_nSavedRed = sc.m_nRed;
  sc.m_nSavedGreen = sc.m_nGreen;
  sc.m_nSavedBlue = sc.m_nBlue;
  sc.m_nSavedStrength = sc.m_nStrength;
  sc.m_nSavedValue = sc.m_nValue;
  sc.m_nRed = static_cast<std::uint8_t>(CheckedAt(vParam, 0) & 0xFF);
  sc.m_nGreen = static_cast<std::uint8_t>(CheckedAt(vParam, 1) & 0xFF);
  sc.m_nBlue = static_cast<std::uint8_t>(CheckedAt(vParam, 2) & 0xFF);
  sc.m_nStrength = CheckedAt(vParam, 3);
  sc.m_bReturn = bReturn;
  // Tenths of a second to frames; a damaged time stays out of signed overflow.
  sc.m_nDuration = static_cast<std::int32_t>(static_cast<std::uint32_t>(CheckedAt(vParam, 5)) * 6u);
  sc.m_bFlash = CheckedAt(vParam, 6);
  sc.m_nRepeat = CheckedAt(vParam, 7);
  sc.m_bActive = 1;
  sc.m_nFrame = 0;
  sc.m_nFlashes = 0;
  if (bReturn == 0) {
    sc.m_nValue = 0;
    sc.m_bColorSet = 1;
  } else {
    sc.m_nRed = sc.m_nSavedRed;
    sc.m_nGreen = sc.m_nSavedGreen;
    sc.m_nBlue = sc.m_nSavedBlue;
    sc.m_nStrength = sc.m_nSavedStrength;
    sc.m_nValue = sc.m_nSavedValue;
  }
}

void cSceneGame::DrawScreenColor(std::int32_t bPaused) {
  if (m_ScreenColor.m_bActive == 0) return;
  if (IsDirectDraw()) {
    DrawDirectDraw(m_ScreenColor, bPaused);
  } else {
    DrawDirect3D(m_ScreenColor, bPaused);
  }
}
