#pragma once
// Windows bitmap files (.bmp) read through SDL's loader. Palettised files keep their colour
// table and palette numbers; other depths become 0x00RRGGBB pixels. Rows come top-down
// whether the file stores them bottom-up or top-down. A file whose header is damaged or
// whose size is out of bounds is refused before anything is allocated for it.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/host_files.h"

// Largest width and height accepted, and the largest file read.
constexpr int kBitmapMaxSide = 16384;
constexpr long kBitmapMaxFileBytes = 256L * 1024 * 1024;

struct cBitmapImage {
  int nWidth = 0;
  int nHeight = 0;
  int nBitsPerPixel = 0;  // 8 for palettised files (1- and 4-bit ones are widened), else the file's
  // Palettised: nWidth x nHeight palette numbers, top-down.
  std::vector<std::uint8_t> indices;
  // Palettised: the colour table as 0x00RRGGBB (entries past the file's table are 0).
  std::uint32_t colorTable[256] = {};
  int nColors = 0;
  // Other depths: nWidth x nHeight pixels 0x00RRGGBB, top-down.
  std::vector<std::uint32_t> pixels;

  bool IsPalettised() const { return nBitsPerPixel == 8; }
  // The pixel at (x, y) as 0x00RRGGBB whatever the depth.
  std::uint32_t Rgb(int x, int y) const {
    const std::size_t at = static_cast<std::size_t>(y) * nWidth + x;
    return IsPalettised() ? colorTable[indices[at]] : pixels[at];
  }
};

// Why a bitmap was not read: nothing opened (a missing file, or `refused` says what stood
// there instead of a regular file), or a file opened whose contents were refused.
struct cBitmapFailure {
  bool bOpened = false;
  HOSTFILEKIND refused = HOSTFILE_NONE;
};

// Reads a bitmap named by a program path. 1 on success; 0 when the file is missing,
// damaged, of a kind SDL refuses, or larger than the bounds above (`why`, when given,
// then tells which).
int LoadBitmapFile(std::string_view programPath, cBitmapImage& image, cBitmapFailure* why = nullptr);
