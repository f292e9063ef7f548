#include "stage/play_screens.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_pixels.h"
#include "media/draw/dd_surface.h"

namespace {

// More frames than any check asks for; a longer list is a mistake in the script.
constexpr std::size_t kMaxScreens = 256;

std::vector<int> g_vScreenFrames;  // sorted
int g_nScreenFrame = 0;

bool ParseFrameList(const char* text, std::vector<int>& frames) {
  const char* p = text;
  while (*p != '\0') {
    if (*p < '0' || *p > '9') return false;
    long long n = 0;
    while (*p >= '0' && *p <= '9') {
      n = n * 10 + (*p - '0');
      if (n > INT32_MAX) return false;
      ++p;
    }
    if (frames.size() == kMaxScreens) return false;
    frames.push_back(static_cast<int>(n));
    if (*p == ',') {
      ++p;
      if (*p == '\0') return false;
    } else if (*p != '\0') {
      return false;
    }
  }
  return !frames.empty();
}

void WriteScreen(int nFrame) {
  cPixelBuffer* pixels = DDSurfacePixels(&g_BackBuffer);
  if (pixels == nullptr || pixels->nWidth <= 0 || pixels->nHeight <= 0) return;
  const std::string name = "screen_" + std::to_string(nFrame) + ".ppm";
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "%s: the frame's picture cannot be written\n", name.c_str());
    return;
  }
  std::fprintf(file, "P6\n%d %d\n255\n", pixels->nWidth, pixels->nHeight);
  std::vector<unsigned char> row(static_cast<std::size_t>(pixels->nWidth) * 3);
  for (int y = 0; y < pixels->nHeight; ++y) {
    for (int x = 0; x < pixels->nWidth; ++x) {
      const std::uint32_t p = pixels->Get(x, y);
      unsigned char* rgb = &row[static_cast<std::size_t>(x) * 3];
      if (pixels->format == ePixelFormat::kP8) {
        const PALETTEENTRY& e = g_DispPalette[p & 255];
        rgb[0] = e.peRed;
        rgb[1] = e.peGreen;
        rgb[2] = e.peBlue;
      } else {
        const std::uint32_t c = PixelToArgb(pixels->format, p);
        rgb[0] = static_cast<unsigned char>(c >> 16);
        rgb[1] = static_cast<unsigned char>(c >> 8);
        rgb[2] = static_cast<unsigned char>(c);
      }
    }
    std::fwrite(row.data(), 1, row.size(), file);
  }
  if (std::fclose(file) != 0) std::fprintf(stderr, "%s: the frame's picture was not written whole\n", name.c_str());
}

}  // namespace

bool ReadPlayScreensFromEnv(std::string& error) {
  const char* text = std::getenv("TOVREL_SCREENS");
  if (text == nullptr || text[0] == '\0') return true;
  std::vector<int> frames;
  if (!ParseFrameList(text, frames)) {
    error = std::string("TOVREL_SCREENS=") + text +
            ": up to 256 frame numbers from 0 up, separated by commas, are expected";
    return false;
  }
  std::sort(frames.begin(), frames.end());
  g_vScreenFrames = std::move(frames);
  return true;
}

void WritePlayScreenIfListed() {
  if (g_vScreenFrames.empty()) return;
  const int nFrame = g_nScreenFrame++;
  if (std::binary_search(g_vScreenFrames.begin(), g_vScreenFrames.end(), nFrame)) WriteScreen(nFrame);
}
