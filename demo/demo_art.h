#pragma once
// The demo game's pictures, drawn by the program: one 256-colour palette shared by every
// picture (so they work at every colour depth, 8-bit palette displays included) and
// 8-bit bitmaps whose palette number 0 is the transparent colour.
#include <cstdint>
#include <string>
#include <vector>

// The palette: 0 the transparent magenta, 1-15 greys, 16-231 a 6 x 6 x 6 colour cube,
// 232-255 further greys. 0x00RRGGBB.
std::vector<std::uint32_t> DemoPalette();
// Palette number of the cube colour with levels r, g, b (0-5 each).
constexpr int CubeColour(int r, int g, int b) { return 16 + r * 36 + g * 6 + b; }

// A picture of palette numbers, drawn with a few simple shapes.
class cCanvas {
 public:
  cCanvas(int width, int height, int fill = 0);
  void Rect(int x, int y, int w, int h, int colour);
  void Frame(int x, int y, int w, int h, int colour);
  void Disc(int cx, int cy, int radius, int colour);
  // Text in a 5 x 7 block font scaled by `scale`; letters it does not know are skipped.
  void Text(int x, int y, const std::string& text, int colour, int scale = 1);
  // The picture as an 8-bit Windows bitmap with the demo palette.
  std::string Bitmap() const;

  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  int At(int x, int y) const { return m_Pixels[static_cast<std::size_t>(y) * m_nWidth + x]; }

 private:
  void Put(int x, int y, int colour);
  int m_nWidth;
  int m_nHeight;
  std::vector<std::uint8_t> m_Pixels;
};

struct cDemoPicture {
  const char* lpPath;  // program path inside the game folder
  cCanvas Canvas;
};

// The pictures of the effect and picture databases' entries: the sparkle effect (four
// 32 x 32 pictures in a row) and the hills' name board.
constexpr const char* kDemoSparklePath = "bmp\\Sparkle.bmp";
constexpr int kDemoSparkleSize = 32;
constexpr int kDemoSparkleFrames = 4;
constexpr const char* kDemoHillsSignPath = "bmp\\HillsSign.bmp";
// The words of the title menu's pictures, one 32-dot row each, in the order of the System
// data's title items; the items' own labels are the same words.
inline constexpr const char* kDemoTitleItemLabels[] = {"NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY",
                                                       "REPLAY",   "OPTIONS",  "EXIT"};

// Every picture of the demo game: the palette picture and the sheets, title, windows and
// world-map pictures the player loads at start.
std::vector<cDemoPicture> DrawDemoPictures();
