#pragma once
// A glyph source for layout tests: every glyph is a box as wide as its advance (half the
// cell height for single-byte characters, the full height for the rest) and as high as the
// cell, from the pen at the cell's top, with one uninked row at (code point mod height) so
// that a glyph drawn in another's place shows. Counts the glyphs asked for.
#include <map>
#include <string>

#include "platform/glyph_source.h"

class cBoxGlyphSource final : public cGlyphSource {
 public:
  // Face names that OpenFace refuses, as a face that is not installed.
  std::string strMissingFace = "missing";

  int OpenFace(std::string_view cp932Name) override {
    const bool bMissing = cp932Name == strMissingFace;
    m_strError = bMissing ? "no such face" : "";
    return bMissing ? -1 : 0;
  }
  const cGlyphImage& Glyph(int nFace, int nHeight, char32_t code) override;
  std::string LastError() const override { return m_strError; }

  // Advance of a code point at a height.
  static int AdvanceOf(int nHeight, char32_t code);
  // Whether the box of code has ink at (x, y) from its top left.
  static bool InkAt(int nHeight, char32_t code, int x, int y);

  int nRequests = 0;
  std::map<char32_t, int> requestsPerCode;

 private:
  std::map<std::pair<int, char32_t>, cGlyphImage> m_Memo;
  std::string m_strError;
};
