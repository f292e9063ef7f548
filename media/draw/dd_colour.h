#pragma once
// Colour: the game palette and its displayed copy, palette numbers turned into pixels of
// every format, the colour key, palette-index data, palette blending, rotation, variants
// and animation, and the colour-blend pairs that tint sprites.
#include "media/draw/dd_surface.h"

extern PALETTEENTRY g_Palette[256];
extern PALETTEENTRY g_DispPalette[256];
// 256 x 256 palette numbers for 8-bit blending.
extern BYTE g_BlendTable[65536];

struct DDBLEND {
  D3DCOLOR dwDiffuse;
  int nColorOp;
};
extern DDBLEND g_ColorBlend[10];

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* lpFile, int bWindow);
int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD);
int SetTrans(const char* lpFile);
void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue);
DWORD PalNumToRGB(DWORD dwPalNum);
DWORD DDPalToRGB16(const PALETTEENTRY* lpEntry);
int DDBuildIndexData(BYTE** lplpIndex, DDSURFACEDATA* lpSD);
void DDBlendPalette(PALETTEENTRY* lpDst, int nFirst, int nLast, int nStrength, BYTE cbRed, BYTE cbGreen, BYTE cbBlue,
                    const PALETTEENTRY* lpSrc);
void DDRotatePalette(PALETTEENTRY* lpDst, int nFirst, int nLast, int nCount, int nDir, const PALETTEENTRY* lpSrc);
bool DDReadBlendTable(BYTE* lpTable, const char* lpPath);
int SetPaletteVariant(int n);
void UpdatePaletteAnime();
int PingPong(int* lpValue, int* lpDir, int nStep, int nMin, int nMax);
// Puts the pulse state of the colour animation back to its start (a new run, and tests).
void ResetPaletteAnime();
