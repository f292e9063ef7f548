#pragma once
// Types and constants of the drawing layer: colours, palette entries, pixel masks and the
// result codes of the two back ends' devices. The numbers of formats and colour operations
// are the ones stored and passed around by the program's callers.
#include <cstdint>

#include "platform/win_types.h"

using HRESULT = std::int32_t;
using D3DCOLOR = DWORD;
using D3DFORMAT = int;

constexpr D3DFORMAT D3DFMT_UNKNOWN = 0;
constexpr D3DFORMAT D3DFMT_A8R8G8B8 = 21;
constexpr D3DFORMAT D3DFMT_X8R8G8B8 = 22;
constexpr D3DFORMAT D3DFMT_R5G6B5 = 23;
constexpr D3DFORMAT D3DFMT_A1R5G5B5 = 25;
constexpr D3DFORMAT D3DFMT_P8 = 41;

// Colour and alpha operations of the textured blits.
constexpr int D3DTOP_DISABLE = 1;
constexpr int D3DTOP_SELECTARG1 = 2;
constexpr int D3DTOP_SELECTARG2 = 3;
constexpr int D3DTOP_MODULATE = 4;
constexpr int D3DTOP_ADD = 7;
constexpr int D3DTOP_SUBTRACT = 10;
constexpr int D3DTOP_BLENDFACTORALPHA = 14;

// Results of the devices of both back ends. Failures are negative.
constexpr HRESULT D3D_OK = 0;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT D3DERR_DEVICELOST = -2005530520;
constexpr HRESULT D3DERR_DEVICENOTRESET = -2005530519;
constexpr HRESULT D3DERR_INVALIDCALL = -2005530516;
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = -2005532292;
constexpr HRESULT DDERR_SURFACELOST = -2005532222;
constexpr HRESULT DDERR_INVALIDRECT = -2005532522;
constexpr HRESULT DDERR_INVALIDPARAMS = -2147024809;

// Blit flags of the DirectDraw device.
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 1;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDBLT_WAIT = 0x1000000;

constexpr DWORD D3DCOLOR_ARGB(DWORD a, DWORD r, DWORD g, DWORD b) {
  return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};
constexpr BYTE PC_RESERVED = 1;
constexpr BYTE PC_EXPLICIT = 2;

struct RGBTRIPLE {
  BYTE rgbtBlue;
  BYTE rgbtGreen;
  BYTE rgbtRed;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

// A pixel format: shift and largest value of each channel.
struct DDPIXELMASKS {
  int nRShift, nGShift, nBShift, nAShift;
  int nRMax, nGMax, nBMax, nAMax;
};
