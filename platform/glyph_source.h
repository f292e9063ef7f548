#pragma once
// Glyphs for the fonts of the drawing layer: monochrome bitmaps of single characters,
// placed in a character cell the way the game's text renderer placed them (the cell's top
// at the pen's y, the baseline one ascent below it). The drawing layer lays out and colours
// the text; a source only answers "which pixels of this character are inked".
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct cGlyphImage {
  int nLeft = 0;     // first column, from the pen's x
  int nTop = 0;      // first row, from the top of the character cell
  int nWidth = 0;
  int nHeight = 0;
  int nAdvance = 0;  // how far the pen moves on in proportional text
  // One byte per pixel, row after row: 1 inked, 0 not.
  std::vector<std::uint8_t> ink;
  // The inked runs of each row (row, first column, length), for drawing without a test
  // per pixel.
  struct cSpan {
    std::int16_t nRow, nX, nLength;
  };
  std::vector<cSpan> spans;

  // Fills spans from ink.
  void BuildSpans();
};

class cGlyphSource {
 public:
  virtual ~cGlyphSource() = default;
  // A face for a face name (CP932 text as the game data holds it): the installed family
  // the name stands for or, on a machine without it, the face fontconfig matches best
  // (LastError then names it); -1 only when no face can be opened at all.
  virtual int OpenFace(std::string_view cp932Name) = 0;
  // The glyph of a code point at a cell height in pixels; an empty image (no ink, advance
  // 0) for a character the face does not have. The reference stays valid as long as the
  // source.
  virtual const cGlyphImage& Glyph(int nFace, int nHeight, char32_t code) = 0;
  // What went wrong last, for the report log; after OpenFace, empty when the face is of
  // the family asked for, else what stands in for it.
  virtual std::string LastError() const = 0;
};

// The installed faces, through FreeType and fontconfig. Glyphs are rendered once per face,
// cell height and code point and kept.
cGlyphSource& SystemGlyphSource();
// Another source over the installed faces, with nothing rendered yet (what a first use of
// each glyph costs is measured with it).
std::unique_ptr<cGlyphSource> MakeInstalledGlyphSource();

// The installed family a face name of the game data stands for ("IPAGothic",
// "IPAPGothic", "IPAMincho" or "IPAPMincho").
const char* InstalledFamilyOfFace(std::string_view cp932Name);

// The installed face fontconfig matches best for a family, and whether it is of that
// family. False only when fontconfig names no file at all.
struct cInstalledFace {
  std::string strFile;
  int nIndex = 0;
  std::string strFamily;  // the face's own (first) family name
  bool bExact = false;
};
bool MatchInstalledFace(const std::string& family, cInstalledFace& found);
