#pragma once
// Between the fonts and the glyph source: which source is in use, CP932 text walked
// character by character, and glyph ink put into a surface in the text colour.
#include <cstdint>

#include "media/draw/dd_surface.h"
#include "platform/glyph_source.h"

// The source the fonts take their glyphs from: the installed faces, unless a test put
// another in (null puts the installed faces back).
cGlyphSource& FontGlyphSource();
void SetFontGlyphSource(cGlyphSource* lpSource);

// The character at text: a lead byte followed by a valid trail byte is one double-byte
// character (code = lead << 8 | trail, 2 returned); anything else is one byte. text must
// not point at the terminating 0.
inline int NextTextChar(const char* text, std::uint16_t* code) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  const auto trail = static_cast<std::uint8_t>(text[1]);
  if (((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) &&
      ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))) {
    *code = static_cast<std::uint16_t>((lead << 8) | trail);
    return 2;
  }
  *code = lead;
  return 1;
}

// The raw pixel a palette number is written as into a surface, for the back end and depth
// running: a palette index at 8 bits, the palette colour in the surface's own format
// otherwise.
std::uint32_t TextPixelOf(DDSURFACEDATA* lpDst, int nPalNum);
// Writes the inked pixels of a glyph whose pen is at (x, y) (the top of its cell) with the
// raw pixel value; pixels outside the surface, and outside lpClip when one is given, are
// skipped. Other pixels stay as they were.
void DrawGlyphInk(DDSURFACEDATA* lpDst, int x, int y, const cGlyphImage& glyph, std::uint32_t dwPixel,
                  const RECT* lpClip = nullptr);
