// Fuzz target: a bitmap, read by the bitmap reader and loaded into a surface as the game
// loads its pictures (a 32-bit display in a window, SDL's dummy video driver). A refused
// picture must say why; a loaded one has as many pixels as its size says.
#include <cstdlib>

#include "fuzz/fuzz_driver.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_surface.h"
#include "platform/bitmap_file.h"
#include "platform/host_files.h"

namespace {

constexpr const char* kPath = "bmp\\fuzz.bmp";

void CheckImage(const cBitmapImage& image) {
  const std::size_t pixels = static_cast<std::size_t>(image.nWidth) * static_cast<std::size_t>(image.nHeight);
  const bool sized = image.nWidth > 0 && image.nHeight > 0 && image.nWidth <= kBitmapMaxSide &&
                     image.nHeight <= kBitmapMaxSide &&
                     (image.IsPalettised() ? image.indices.size() == pixels && image.pixels.empty() &&
                                                 image.nColors >= 0 && image.nColors <= 256
                                           : image.pixels.size() == pixels && image.indices.empty());
  if (!sized) fuzz::Fail("a read bitmap has as many pixels as its size says", kPath);
}

}  // namespace

void FuzzSetUp() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (!MakeDirectory("bmp")) fuzz::Fail("the picture folder can be made", "bmp");
  if (!DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    fuzz::Fail("the display starts", "dummy video");
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  cBitmapImage image;
  const int read = LoadBitmapFile(kPath, image);
  if (read) CheckImage(image);
  DDSURFACEDATA surface;
  const int code = DDCreateSurfaceFromFile(&surface, kPath, 1, 32, 0, 0, 0, 0, 0, 0, 0);
  if (code != 0) fuzz::CheckFailureReported(kPath);
  if ((code == 0) != (read == 1)) fuzz::Fail("the surface loads exactly the pictures the reader reads", kPath);
  if (code == 0 && (surface.nWidth != image.nWidth || surface.nHeight != image.nHeight))
    fuzz::Fail("a loaded surface has the picture's size", kPath);
  DDReleaseSurface(&surface);
}
