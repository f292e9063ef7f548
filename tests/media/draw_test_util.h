#pragma once
// Shared by the drawing tests: SDL's dummy video driver, a small game art set (the palette
// picture and a sprite sheet), a fixture that brings a display up the way start-up does,
// and pixel comparisons that write the frame to a bitmap when they fail, so that a person
// can look at it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "tests/support/temp_dir.h"

struct DisplayConfig {
  const char* name;
  int bDirect3D;
  int nBpp;
  int bWindow;
};
// Every mode both back ends run in.
extern const DisplayConfig kAllConfigs[7];

// Colour of palette entry n of the test palette (0x00RRGGBB): entry 0 is the key colour
// magenta; the others differ in every format, 5 and 6 bits per channel included.
std::uint32_t TestPaletteColour(int n);
constexpr int kSheetSize = 64;
// Palette number of sheet pixel (x, y); 0 (the key) on every fifth diagonal.
int SheetIndex(int x, int y);

// Writes a file at a host path (folders made on the way).
void WriteFile(const std::string& hostPath, const std::string& bytes);
// Writes "bmp\plt\Palette.bmp" (16 x 24, the palette block at y 8-23, pixel (0, 0) the
// key) and "sheet.bmp" (64 x 64, 8-bit) into the current folder.
void WriteTestArt();

class cDisplayTest : public cTempDirTest {
 protected:
  void TearDown() override;
  // DDInit, palette, colour key as start-up does; false when DDInit fails. A smaller
  // screen keeps whole-frame tables quick.
  bool Bring(const DisplayConfig& config, int nWidth = 640, int nHeight = 480);
  // Loads sheet.bmp into a surface (key flag 1).
  bool LoadSheet(DDSURFACEDATA* sd, int nDDMemType = 0, int nDTMemType = 0, int mirrorW = 0);
  DDSURFACEDATA m_Sheet;
};

// The pixels of a surface (its alias's under Direct3D).
cPixelBuffer& Pixels(DDSURFACEDATA* sd);

// Shows the back buffer in the real window for `ms` milliseconds, about 60 times a second:
// presented under Direct3D, copied onto the primary and shown under DirectDraw.
void ShowBackBufferFor(unsigned ms);

// Writes a buffer as a 24-bit bitmap under the temporary folder's "tovrel_failed_frames"
// (8-bit buffers through the display palette). Returns the host path.
std::string DumpPixels(const std::string& name, const cPixelBuffer& pixels);
// Compares every pixel with expected(x, y); on a mismatch reports the first few, writes
// the actual and the expected frame to bitmaps and fails.
void ExpectPixels(const std::string& name, const cPixelBuffer& actual,
                  const std::function<std::uint32_t(int, int)>& expected);
