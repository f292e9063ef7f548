#pragma once
// Blits: clipping, the mirror arithmetic of alias rows, the two back ends' copies, the
// scene bracket, the render-target switch, the texture-sorted sprite batch and the
// DirectDraw lock.
#include "media/draw/dd_colour.h"

int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags);
int DDStretchBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                 int sh, DWORD dwFlags);
int DDBltEx(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags,
            const DDBLEND* lpBlend);
int DDStretchBltEx(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                   int sh, DWORD dwFlags, const DDBLEND* lpBlend);
int DDClip(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw,
           int* sh);
void DDAdjustMirror(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw, int* sh);
int DDBeginScene();
void DDEndScene();
int DDSetRenderTarget(int nIndex, DDSURFACEDATA* lpSD);
void DDBeginSpriteBatch(int bSortByTexture);
void DDAddBatchTexture(DDSURFACEDATA* lpSD);
int DDFlushSpriteBatch();
bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** lplpBits, int nBpp);
bool DDIsFullscreenBackBuffer(const DDSURFACEDATA* lpSD);

extern int g_bSpriteBatch;
extern int g_bSpriteSort;
