#pragma once
// Fonts: CP932 text drawn with a face of the installed fonts, fixed pitch or proportional,
// optionally through two glyph caches; lower-case letters that stand for icons; the window
// box a font draws its text in; the digit strips number drawing cuts from; the frame-rate
// text of the game manager.
#include <array>
#include <list>
#include <memory>
#include <vector>

#include "media/draw/dd_surface.h"
#include "media/draw/fast_font.h"

struct cGlyphImage;
class cGlyphSource;

struct SIZE {
  LONG cx;
  LONG cy;
};

// What a font is made from. The three system fonts' descriptors are set up statically;
// start-up puts the face the system data chooses and the cache setting of System.ini in.
struct FONTDESC {
  char szFace[256];
  int nWidth, nHeight, nPitch, nLineHeight, nColor;
  int nBoxPicture;  // row of the fixed surface table
  int nBoxFrame, nBoxFrameColor;
  int nIconPicture;  // row of the fixed surface table
  int nFast;         // 0 no glyph caches, 1 caches, 2 as System.ini says for the back end
};
constexpr int kSystemFontCount = 3;
extern FONTDESC g_FontDesc[kSystemFontCount];

// A position of 10000 given to the box functions centres the box on its picture.
constexpr int kFontCentre = 10000;

// The double-byte characters the full cache starts with (256 of them, in this order).
extern const char kFastFontSeed[];

class cFont {
 public:
  cFont() = default;
  cFont(const cFont&) = delete;
  cFont& operator=(const cFont&) = delete;
  ~cFont();

  // Makes the font. 0 when its face is not installed (the font then draws nothing) or a
  // glyph cache could not be made; 1 otherwise.
  int Init(const char* lpFace, int nWidth, int nHeight, int nPitch, int nLineHeight, int nColor,
           DDSURFACEDATA* lpBoxSD, int nBoxFrame, int nBoxFrameColor, DDSURFACEDATA* lpIconSD, int bFast);
  void Release();
  // After a device or surface loss: rebuilds the caches whose surfaces were re-made.
  void Restore();

  int DrawText(DDSURFACEDATA* lpDst, int x, int y, const char* lpText, int bNoIcons = 0);
  int DrawTextF(DDSURFACEDATA* lpDst, int x, int y, const char* lpFormat, ...) __attribute__((format(printf, 5, 6)));
  void DrawWindow(DDSURFACEDATA* lpDst, int x, int y, int w, int h);
  int DrawTextBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpText, int nIndent = 0);
  int DrawTextBoxColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpText, int nIndent, int nColor);
  int DrawTextBoxF(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* lpFormat, ...)
      __attribute__((format(printf, 7, 8)));
  void DrawIcons(DDSURFACEDATA* lpDst, int x, int y, const char* lpText);
  // Fixed pitch: widest line's characters x pitch by lines x line height.
  SIZE GetTextExtent(const char* lpText) const;
  // Proportional: the widest line's advances by lines x line height.
  SIZE MeasureText(const char* lpText) const;

  int m_nID = 0;
  int m_nFace = -1;  // face of the glyph source
  int m_nWidth = 0, m_nHeight = 0;
  int m_nPitch = 0;
  int m_nLineHeight = 0;
  int m_nColor = 0;
  int m_bCenter = 0;
  DDSURFACEDATA* m_lpBoxSD = nullptr;
  int m_nBoxFrame = 0, m_nBoxFrameColor = 0;
  DDSURFACEDATA* m_lpIconSD = nullptr;
  int m_bIcon = 0;
  int m_bFast = 0;
  std::unique_ptr<cFastFont> m_lpFastFont_Half;
  std::unique_ptr<cFastFont> m_lpFastFont_FullAdd;

 private:
  void RenderText(DDSURFACEDATA* lpDst, int x, int y, const char* lpText);
  // One character with its pen at (x, y): single bytes sit a little right of and above
  // the pen as the game's renderer put them, or centred in the cell with m_bCenter.
  // lpClip keeps a glyph drawn into a cache cell out of the cells around it.
  void RenderChar(DDSURFACEDATA* lpDst, int x, int y, std::uint16_t code, int nBytes, std::uint32_t dwPixel,
                  const RECT* lpClip = nullptr);
  // A character into its cache cell at (x, y).
  void RenderIntoCell(DDSURFACEDATA* lpCache, int x, int y, std::uint16_t code, int nBytes);
  void RenderFullCell(const FASTFONTGLYPH& entry);
  void BuildHalfCache();
  void BuildFullCache(bool bRebuild);
  SIZE Extent(const char* lpText) const;
  bool HasIcons() const;
  // The glyph of a CP932 code in this font's face and height. Each is asked of the source
  // once and then found in pages of 256 codes, so that a character of a text costs an
  // index, not a locked look-up in the source's memo.
  const cGlyphImage& GlyphOf(std::uint16_t code) const;

  using GlyphPage = std::array<const cGlyphImage*, 256>;
  mutable std::vector<std::unique_ptr<GlyphPage>> m_GlyphPages;
  mutable const cGlyphSource* m_lpGlyphPagesSource = nullptr;
};

extern cFont g_Font[kSystemFontCount];
// Every font made, for the restore after a loss.
extern std::list<cFont*> g_FontList;

// Makes n fonts from their descriptors (picture rows taken from g_FixedSurface). 0 when a
// font cannot be made (no face at all could be opened): its text is not drawn.
int InitFonts(cFont* lpFonts, const FONTDESC* lpDescriptors, int n);
// Bytes of the first line of a text: up to the next newline or the end (0 for null).
int GetLineLength(const char* lpText);

// Restores every font of g_FontList.
void RestoreFonts();

// The digit strips "0123456789" of the system fonts (one line of 10 x pitch).
extern DDSURFACEDATA g_FontDigitSurface[kSystemFontCount];
int InitDigitSurfaces(DDSURFACEDATA* lpSurfaces, const DDSURFACEDEF* lpDefs, int n, cFont* lpFonts,
                      const FONTDESC* lpDescriptors);
// Clears a strip to the colour key and draws the digits into it.
void DrawDigitStrip(DDSURFACEDATA* lpSD, cFont* lpFont);

// The frame-rate text of the game manager: nothing for ShowFps 0; ShowFps 2 plain text
// with the first system font at (549, 469), any other value boxed with the second at
// (495, 463).
void DrawFpsText(int nShowFps, int nFps, int nAverageFrameTime);
