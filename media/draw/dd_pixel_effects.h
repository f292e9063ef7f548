#pragma once
// Effects that compute destination pixels from a source surface: mosaic, blur, tint,
// half-transparent copy, spherical lens, rotation and the Direct3D colour change. Each
// locks its destination and then its source and runs the pixel loop of the display depth;
// under Direct3D the tint, half copy, rotation and colour change draw a textured quad
// instead when the destination is a render target. Rectangles partly outside either
// surface are cut pixel by pixel. The results are false only when a lock fails.
#include "media/draw/dd_colour.h"

bool DDMosaic(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrc, int sx,
              int sy, int bKey);
bool DDBlur(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrc, int sx, int sy, int bKey);
// Tint toward palette entry nColor of lpPalette; callers pass g_DispPalette and
// g_BlendTable. A colour outside 0-255 is refused (logged, nothing drawn).
bool DDAlphaBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                int bKey, const PALETTEENTRY* lpPalette, const BYTE* lpBlendTable, int nColor, int nLevel);
bool DDHalfBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
               int bKey, const BYTE* lpBlendTable);
// nStrength (0-255, 128 for DDHalfBlt) sets the quad's opacity, (255 - nStrength) / 255.
bool DDHalfBltEx(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                 int bKey, const BYTE* lpBlendTable, int nStrength);
bool DDRadialBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrc, int scx,
                 int scy, int bKey, int bClear);
bool DDRotateBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                 DDSURFACEDATA* lpSrc, int sx, int sy, int bKey);
// Direct3D only: the source's picture multiplied by the colour, laid over the whole
// destination at opacity (255 - nAlpha) / 255. 1, or 0 when it cannot be drawn.
int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue);
int DDChangeColorEx(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int nAlpha,
                    BYTE bRed, BYTE bGreen, BYTE bBlue);
