// The software rasteriser's textured quad placed anywhere in the int range: a sprite of a
// damaged game far off the target draws nothing and overflows nothing, one that overlaps
// an edge draws its part, and a source position near the int limits still samples.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "media/draw/dd_pixels.h"
#include "media/draw/dd_raster.h"

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

int PaintedPixels(const cPixelBuffer& dst) {
  int n = 0;
  for (int y = 0; y < dst.nHeight; ++y)
    for (int x = 0; x < dst.nWidth; ++x) n += dst.Get(x, y) != 0 ? 1 : 0;
  return n;
}

TEST(RasterClipTest, QuadsFarOffTheTargetAreClippedBeforeAnyArithmeticOverflows) {
  const struct {
    int x, y, sx, sy, painted;
  } cases[] = {
      {kMin, 0, 0, 0, 0},     {0, kMin, 0, 0, 0},          {kMax, 0, 0, 0, 0},
      {0, kMax, 0, 0, 0},     {kMin + 1, kMin + 1, 0, 0, 0}, {kMax - 2, kMax - 2, 0, 0, 0},
      {6, 6, 0, 0, 4},        {-2, -2, 0, 0, 4},           {0, 0, 0, 0, 16},
      {0, 0, kMax, kMax, 16}, {0, 0, kMin, kMin, 16},      {-2, 0, kMax - 1, 0, 8},
  };
  cPixelBuffer tex;
  ASSERT_TRUE(tex.Create(4, 4, ePixelFormat::kA8R8G8B8));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) tex.Put(x, y, 0xFF336699u);
  for (const auto& c : cases) {
    cPixelBuffer dst;
    ASSERT_TRUE(dst.Create(8, 8, ePixelFormat::kX8R8G8B8));
    DrawTexturedQuad(dst, tex, c.x, c.y, 4, 4, c.sx, c.sy, 4, 4, cQuadState{});
    EXPECT_EQ(PaintedPixels(dst), c.painted) << c.x << ", " << c.y << " from " << c.sx << ", " << c.sy;
  }
}

}  // namespace
