#pragma once
// Solid-colour drawing: rectangle and surface fills by palette number or by a colour in the
// surface's format, the rectangle batch, single pixels, circle outlines and text from a
// bitmap font sheet of 16 columns.
#include "media/draw/dd_surface.h"

int DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DWORD dwPalNum);
int DDFillSurface(DDSURFACEDATA* lpSD, DWORD dwPalNum);
int DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DWORD dwColor);
int DDFillSurfaceRGB(DDSURFACEDATA* lpSD, DWORD dwColor);
void DDBeginRectBatch();
int DDFlushRectBatch();
void DDPutPixel(DDSURFACEDATA* lpSD, int x, int y, DWORD dwPalNum);
void DDDrawCircle(DDSURFACEDATA* lpSD, int cx, int cy, int r, DWORD dwPalNum);
int DDDrawBitmapText(DDSURFACEDATA* lpDst, int x, int y, int cw, int ch, DDSURFACEDATA* lpSheet, const char* lpText);
int DDDrawBitmapTextF(DDSURFACEDATA* lpDst, int x, int y, int cw, int ch, DDSURFACEDATA* lpSheet, const char* lpFormat,
                      ...) __attribute__((format(printf, 7, 8)));

extern int g_bRectBatch;
