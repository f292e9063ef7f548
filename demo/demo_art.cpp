#include "demo/demo_art.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "writers/bmp_writer.h"

namespace {

constexpr int kBlack = 1;
constexpr int kWhite = 15;

// Rows of the 5 x 7 block font, top first; '#' is ink.
struct cGlyph {
  char c;
  const char* rows[7];
};
constexpr cGlyph kGlyphs[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "# # #", "#  ##", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
    {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
    {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
};

const cGlyph* FindGlyph(char c) {
  for (const cGlyph& g : kGlyphs)
    if (g.c == c) return &g;
  return nullptr;
}

// A sheet of 32 x 32 cells: each cell's picture from draw(canvas, cellX, cellY, index).
template <typename Draw>
cCanvas Sheet(int columns, int rows, int cell, Draw draw) {
  cCanvas canvas(columns * cell, rows * cell);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) draw(canvas, c * cell, r * cell, r * columns + c);
  return canvas;
}

// A small figure facing right: head, eyes, body and feet in a 32 x 32 cell; `step`
// moves the feet, so consecutive cells walk.
void Figure(cCanvas& canvas, int x, int y, int body, int step) {
  canvas.Disc(x + 16, y + 9, 7, CubeColour(5, 4, 3));
  canvas.Rect(x + 18, y + 7, 2, 3, kBlack);
  canvas.Rect(x + 9, y + 16, 14, 10, body);
  canvas.Frame(x + 9, y + 16, 14, 10, kBlack);
  const int swing = step % 2 == 0 ? 0 : 3;
  canvas.Rect(x + 10 + swing, y + 26, 4, 5, kBlack);
  canvas.Rect(x + 18 - swing, y + 26, 4, 5, kBlack);
}

// A triangle pointing right, `size` dots high, with its top-left corner at (x, y).
void ArrowRight(cCanvas& canvas, int x, int y, int size, int colour) {
  for (int row = 0; row < size; ++row) {
    const int half = size / 2;
    const int length = row <= half ? row + 1 : size - row;
    canvas.Rect(x, y + row, length, 1, colour);
  }
}

// The world map's cursor: a frame around the cell, open in the middle so the world's
// icon shows through, with a notch on the side it faces (0 down, 1 up, 2 left, 3 right);
// its second step stands a little wider, so the cursor pulses.
enum { kFaceDown, kFaceUp, kFaceLeft, kFaceRight };
void MapCursor(cCanvas& canvas, int x, int y, int facing, int step) {
  const int colour = CubeColour(5, 2, 0);
  const int inset = step % 2 == 0 ? 6 : 4;
  const int size = 32 - 2 * inset;
  canvas.Frame(x + inset, y + inset, size, size, colour);
  canvas.Frame(x + inset + 1, y + inset + 1, size - 2, size - 2, colour);
  const int near = inset - 3, far = 32 - inset;
  switch (facing) {
    case kFaceDown: canvas.Rect(x + 14, y + far, 4, 3, colour); break;
    case kFaceUp: canvas.Rect(x + 14, y + near, 4, 3, colour); break;
    case kFaceLeft: canvas.Rect(x + near, y + 14, 3, 4, colour); break;
    default: canvas.Rect(x + far, y + 14, 3, 4, colour); break;
  }
}

constexpr int kTitleItemRow = 32;
constexpr int kTitleItemScale = 3;

// Text with a dark shadow, readable over the title picture's colours.
void ShadowedText(cCanvas& canvas, int x, int y, const std::string& text, int colour, int scale) {
  canvas.Text(x + scale, y + scale, text, kBlack, scale);
  canvas.Text(x, y, text, colour, scale);
}

}  // namespace

std::vector<std::uint32_t> DemoPalette() {
  std::vector<std::uint32_t> palette(256, 0);
  palette[0] = 0xFF00FF;
  for (int i = 1; i < 16; ++i) {
    const std::uint32_t v = static_cast<std::uint32_t>((i - 1) * 255 / 14);
    palette[i] = (v << 16) | (v << 8) | v;
  }
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        palette[CubeColour(r, g, b)] = (static_cast<std::uint32_t>(r * 51) << 16) |
                                       (static_cast<std::uint32_t>(g * 51) << 8) | static_cast<std::uint32_t>(b * 51);
  for (int i = 232; i < 256; ++i) {
    const std::uint32_t v = static_cast<std::uint32_t>(8 + (i - 232) * 10);
    palette[i] = (v << 16) | (v << 8) | v;
  }
  return palette;
}

cCanvas::cCanvas(int width, int height, int fill)
    : m_nWidth(width), m_nHeight(height), m_Pixels(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(fill)) {}

void cCanvas::Put(int x, int y, int colour) {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
  m_Pixels[static_cast<std::size_t>(y) * m_nWidth + x] = static_cast<std::uint8_t>(colour);
}

void cCanvas::Rect(int x, int y, int w, int h, int colour) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) Put(x + i, y + j, colour);
}

void cCanvas::Frame(int x, int y, int w, int h, int colour) {
  Rect(x, y, w, 1, colour);
  Rect(x, y + h - 1, w, 1, colour);
  Rect(x, y, 1, h, colour);
  Rect(x + w - 1, y, 1, h, colour);
}

void cCanvas::Disc(int cx, int cy, int radius, int colour) {
  for (int j = -radius; j <= radius; ++j)
    for (int i = -radius; i <= radius; ++i)
      if (i * i + j * j <= radius * radius) Put(cx + i, cy + j, colour);
}

void cCanvas::Text(int x, int y, const std::string& text, int colour, int scale) {
  for (char c : text) {
    if (const cGlyph* glyph = FindGlyph(c))
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (glyph->rows[row][col] == '#') Rect(x + col * scale, y + row * scale, scale, scale, colour);
    x += 6 * scale;
  }
}

std::string cCanvas::Bitmap() const { return MakeBmp8(m_nWidth, m_nHeight, DemoPalette(), m_Pixels); }

std::vector<cDemoPicture> DrawDemoPictures() {
  std::vector<cDemoPicture> pictures;
  const auto add = [&pictures](const char* path, cCanvas canvas) { pictures.push_back({path, std::move(canvas)}); };

  // The palette picture: pixel (0, 0) is the transparent colour; entry n stands at
  // x = n mod 16, y = 8 + n / 16 for the true-colour displays.
  cCanvas palette(16, 24, 0);
  for (int n = 0; n < 256; ++n) palette.Rect(n % 16, 8 + n / 16, 1, 1, n);
  palette.Rect(1, 0, 15, 8, kBlack);
  add("bmp\\plt\\Palette.bmp", palette);

  cCanvas debug(128, 16, 0);
  debug.Text(1, 4, "0123456789", kWhite);
  add("bmp\\Debug.bmp", debug);

  add("bmp\\Block.bmp", Sheet(8, 8, 32, [](cCanvas& c, int x, int y, int i) {
        if (i == 0) return;  // block graphic 0 is nothing
        const int ground = CubeColour(3, 2, 1), grass = CubeColour(1, 4, 1), brick = CubeColour(4, 1, 0);
        if (i % 3 == 1) {
          c.Rect(x, y, 32, 32, ground);
          c.Rect(x, y, 32, 8, grass);
        } else if (i % 3 == 2) {
          c.Rect(x, y, 32, 32, brick);
          for (int r = 0; r < 4; ++r) c.Rect(x, y + r * 8 + 7, 32, 1, kBlack);
          for (int r = 0; r < 4; ++r) c.Rect(x + (r % 2) * 16 + 8, y + r * 8, 1, 8, kBlack);
        } else {
          c.Rect(x, y, 32, 32, CubeColour(0, 2, 4));
          c.Frame(x + 2, y + 2, 28, 28, kWhite);
        }
      }));
  add("bmp\\Character1.bmp", Sheet(8, 8, 32, [](cCanvas& c, int x, int y, int i) {
        Figure(c, x, y, i / 8 % 2 == 0 ? CubeColour(0, 2, 5) : CubeColour(5, 1, 1), i);
      }));
  add("bmp\\Shot.bmp", Sheet(8, 8, 16, [](cCanvas& c, int x, int y, int i) {
        c.Disc(x + 8, y + 8, 3 + i % 4, CubeColour(5, 5 - i % 3, 0));
      }));
  add("bmp\\Item.bmp", Sheet(8, 2, 32, [](cCanvas& c, int x, int y, int i) {
        c.Disc(x + 16, y + 16, 11, i % 2 == 0 ? CubeColour(5, 4, 0) : CubeColour(1, 5, 2));
        c.Disc(x + 16, y + 16, 6, CubeColour(5, 5, 2));
      }));
  add("bmp\\Item_Mini.bmp", Sheet(8, 1, 16, [](cCanvas& c, int x, int y, int) {
        c.Disc(x + 8, y + 8, 6, CubeColour(5, 4, 0));
      }));
  add("bmp\\Mark.bmp", Sheet(8, 1, 32, [](cCanvas& c, int x, int y, int i) {
        c.Rect(x + 4, y + 4, 24, 24, CubeColour(i % 6, 3, 5 - i % 6));
        c.Frame(x + 4, y + 4, 24, 24, kWhite);
      }));
  // Boxes copy the window picture from its top left at their own size (and draw their
  // frame themselves): it covers the largest box, the whole screen.
  cCanvas window(640, 480, 0);
  for (int y = 0; y < 480; ++y) window.Rect(0, y, 640, 1, y < 240 ? CubeColour(0, 0, 2) : CubeColour(0, 0, 1));
  add("bmp\\Window.bmp", window);
  cCanvas status(640, 32, 0);
  status.Rect(0, 0, 640, 32, CubeColour(0, 0, 1));
  status.Frame(0, 0, 640, 32, kWhite);
  add("bmp\\StatusWindow.bmp", status);

  cCanvas title(640, 480, 0);
  for (int y = 0; y < 480; ++y) title.Rect(0, y, 640, 1, CubeColour(0, y * 3 / 480, 2 + y * 3 / 480));
  for (int x = 0; x < 640; x += 32) title.Rect(x, 416, 32, 64, (x / 32) % 2 == 0 ? CubeColour(3, 2, 1) : CubeColour(2, 1, 0));
  title.Rect(0, 408, 640, 8, CubeColour(1, 4, 1));
  // The name stands above the menu, which the title shows from y = 240 down.
  ShadowedText(title, 104, 40, "TOVREL", CubeColour(5, 5, 1), 12);
  ShadowedText(title, 236, 144, "DEMO", kWhite, 8);
  add("bmp\\Title.bmp", title);

  // The title menu's items as pictures: row i is title item i, drawn on the colour key so
  // the title shows around the letters.
  constexpr int kItemCount = static_cast<int>(std::size(kDemoTitleItemLabels));
  cCanvas modes(192, kItemCount * kTitleItemRow, 0);
  for (int i = 0; i < kItemCount; ++i)
    ShadowedText(modes, 4, i * kTitleItemRow + 5, kDemoTitleItemLabels[i], kWhite, kTitleItemScale);
  add("bmp\\GameMode.bmp", modes);

  // The cursors and icons of the menus and the map, where the scenes take them: the title
  // and list cursor (0, 0), the small cursors (64, 0) and, for the list behind a prompt,
  // (80, 0), the cleared mark (96, 0), the lives icon (0, 48), the ranking icon (16, 48),
  // and the map cursor in two steps each facing down (0, 64), up (64, 64), right (0, 96)
  // and left (64, 96).
  cCanvas accessory(128, 128, 0);
  ArrowRight(accessory, 6, 4, 24, CubeColour(5, 5, 0));
  ArrowRight(accessory, 66, 2, 12, CubeColour(5, 5, 0));
  ArrowRight(accessory, 82, 2, 12, CubeColour(3, 3, 3));
  accessory.Disc(112, 16, 10, CubeColour(0, 5, 1));
  accessory.Disc(8, 56, 6, CubeColour(5, 1, 1));
  accessory.Disc(24, 56, 6, CubeColour(5, 4, 0));
  const int cursorFacing[2][2] = {{kFaceDown, kFaceUp}, {kFaceRight, kFaceLeft}};
  for (int row = 0; row < 2; ++row)
    for (int half = 0; half < 2; ++half)
      for (int step = 0; step < 2; ++step)
        MapCursor(accessory, half * 64 + step * 32, 64 + row * 32, cursorFacing[row][half], step);
  add("bmp\\Accessory.bmp", accessory);
  cCanvas symbol(160, 16, 0);
  symbol.Text(2, 4, "0123456789", CubeColour(5, 5, 0));
  add("bmp\\Symbol.bmp", symbol);
  // The banners of stage play where it takes them: the stage number's word (0, 0) with
  // its digits 32 dots apart from (0, 128), the start (160, 0), the replay (0, 32), the
  // clear (0, 64) and the game over (0, 96), each centred in its cell.
  cCanvas word(320, 160, 0);
  const auto banner = [&word](int x, int y, int w, const char* text, int colour, int scale) {
    const int width = static_cast<int>(std::strlen(text)) * 6 * scale - scale;
    ShadowedText(word, x + (w - width) / 2, y + (32 - 7 * scale) / 2, text, colour, scale);
  };
  banner(0, 0, 128, "STAGE", kWhite, 3);
  banner(160, 0, 80, "START", CubeColour(5, 5, 1), 2);
  banner(0, 32, 128, "REPLAY", kWhite, 3);
  banner(0, 64, 128, "CLEAR", CubeColour(5, 5, 1), 3);
  banner(0, 96, 144, "GAME OVER", CubeColour(5, 1, 1), 2);
  for (int digit = 0; digit < 10; ++digit) banner(digit * 32, 128, 32, std::to_string(digit).c_str(), kWhite, 3);
  add("bmp\\Word.bmp", word);
  // The map chips, five a row: pictures 0 to 4 for the blocked kinds (sea, rock, ...),
  // 5 to 9 for the passable ones (grass, path, ...).
  add("bmp\\WorldMapChip.bmp", Sheet(5, 2, 32, [](cCanvas& c, int x, int y, int i) {
        const int kinds[10] = {CubeColour(0, 1, 4), CubeColour(2, 2, 2), CubeColour(0, 2, 0), CubeColour(1, 1, 2),
                               CubeColour(3, 3, 3), CubeColour(1, 4, 1), CubeColour(4, 4, 2), CubeColour(3, 2, 1),
                               CubeColour(2, 4, 2), CubeColour(4, 3, 2)};
        c.Rect(x, y, 32, 32, kinds[i]);
        if (i == 0) {
          c.Rect(x + 4, y + 10, 10, 1, CubeColour(2, 3, 5));  // waves
          c.Rect(x + 18, y + 22, 10, 1, CubeColour(2, 3, 5));
        }
      }));
  // The sparkle effect: four 32 x 32 pictures of a ring that widens and cools from white
  // to orange, with four rays that grow with it.
  add(kDemoSparklePath, Sheet(4, 1, 32, [](cCanvas& c, int x, int y, int i) {
        const int colours[4] = {kWhite, CubeColour(5, 5, 3), CubeColour(5, 4, 0), CubeColour(5, 2, 0)};
        const int radius = 5 + i * 3;
        c.Disc(x + 16, y + 16, radius, colours[i]);
        c.Disc(x + 16, y + 16, radius - 2 - i / 2, 0);
        const int ray = radius + 2;
        c.Rect(x + 15, y + 16 - ray, 2, 2 * ray, colours[i]);
        c.Rect(x + 16 - ray, y + 15, 2 * ray, 2, colours[i]);
      }));
  // The hills' name board, shown over the stage as it starts.
  cCanvas sign(240, 64, 0);
  sign.Rect(0, 0, 240, 64, CubeColour(3, 2, 1));
  sign.Frame(0, 0, 240, 64, kWhite);
  sign.Frame(3, 3, 234, 58, CubeColour(2, 1, 0));
  ShadowedText(sign, (240 - 145) / 2, (64 - 35) / 2, "HILLS", CubeColour(5, 5, 1), 5);
  add(kDemoHillsSignPath, sign);
  add("bmp\\WorldEvent.bmp", Sheet(4, 2, 32, [](cCanvas& c, int x, int y, int i) {
        c.Disc(x + 16, y + 16, 10, i % 2 == 0 ? CubeColour(5, 0, 0) : CubeColour(0, 5, 0));
      }));
  return pictures;
}
