#pragma once
// Glyph caches of a font: a surface of equal cells, each holding one pre-drawn character,
// so that a cached character costs one colour-keyed blit. The half cache holds the single
// bytes in a 16 x 16 grid (byte b in cell (b mod 16, b div 16)); the full cache holds
// double-byte characters in the order they were added.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "media/draw/dd_surface.h"

struct FASTFONTGLYPH {
  char glyph[4];  // the character's bytes and a terminating 0
  int nIndex;
  int nCellX, nCellY;
};

class cFastFont {
 public:
  cFastFont() = default;
  cFastFont(const cFastFont&) = delete;
  cFastFont& operator=(const cFastFont&) = delete;
  ~cFastFont() { Release(); }

  // Makes the cache surface (cellW x cols by cellH x rows, colour key on). 1 on success.
  int Init(int nKind, int nCellW, int nCellH, int nCols, int nRows);
  void Release();
  // Registers a double-byte character in the next free cell; 0 when the cache is full.
  int Add(const char* lpGlyph);
  // Blits the cell of a single byte. Only the bytes that are characters on their own have
  // cells with ink: 0x00-0x7F and the half-width katakana 0xA1-0xDF. The other high bytes
  // are lead bytes or unassigned and draw nothing (0).
  int DrawCell(DDSURFACEDATA* lpDst, int x, int y, char ch, DWORD dwFlags);
  // Blits the first cell registered for the glyph's two bytes; 0 when none is.
  int DrawGlyph(DDSURFACEDATA* lpDst, int x, int y, const char* lpGlyph, DWORD dwFlags);
  // The entry of a registered glyph, or null.
  const FASTFONTGLYPH* Find(const char* lpGlyph) const;
  // Clears every cell to the colour key.
  void Clear();

  int m_nKind = 0;  // 0 half, 1 full
  int m_nCellW = 0, m_nCellH = 0;
  int m_nCols = 0, m_nRows = 0;
  int m_nCapacity = 0;
  DDSURFACEDATA m_SD;
  std::vector<FASTFONTGLYPH> m_Glyphs;
  int m_nCount = 0;

 private:
  // Two bytes of a glyph to the first entry that holds them: looking a character up must
  // not cost a walk through every cell.
  std::unordered_map<std::uint16_t, int> m_First;
};

// Palette number 0 under Direct3D, the surface's own colour key under DirectDraw: the
// value keyed blits of the surface skip.
void ClearToColourKey(DDSURFACEDATA* lpSD);
