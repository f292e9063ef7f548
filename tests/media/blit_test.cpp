// Blits on every back end and depth: pixel-exact frames for opaque and keyed copies,
// clipping at every edge, stretching and mirroring; the clipping arithmetic; the sprite
// batch order.
#include <gtest/gtest.h>

#include "tests/media/draw_test_util.h"

namespace {

bool IsOpaqueTexel(const cPixelBuffer& src, DDSURFACEDATA* sheet, std::uint32_t t) {
  switch (src.format) {
    case ePixelFormat::kA8R8G8B8: return (t >> 24) != 0;
    case ePixelFormat::kA1R5G5B5: return (t & 0x8000u) != 0;
    default: return ColourBits(src.format, t) != ColourBits(src.format, sheet->lpDDData->lpDDS->ColorKey());
  }
}

// A texel as it lands in the target: the quad path widens and narrows between formats.
std::uint32_t ToTarget(const cPixelBuffer& src, const cPixelBuffer& dst, std::uint32_t t) {
  if (src.format == dst.format) return t;
  if (dst.format == ePixelFormat::kX8R8G8B8 && src.format == ePixelFormat::kA8R8G8B8) return t | 0xFF000000u;
  return ArgbToPixel(dst.format, PixelToArgb(src.format, t));
}

enum class eMap { kPlain, kDouble, kMirrorX };

struct BlitCase {
  const char* name;
  int x, y, w, h, sx, sy, sw, sh;
  DWORD flags;
  RECT expect;       // the destination pixels the blit covers
  int srcX, srcY;    // the source pixel drawn at the rectangle's top left
  eMap map;
  bool bD3DOnly;
};

const BlitCase kBlitCases[] = {
    {"InsideOpaque", 100, 50, 32, 32, 8, 8, 32, 32, 0, {100, 50, 132, 82}, 8, 8, eMap::kPlain, false},
    {"InsideKeyed", 100, 50, 32, 32, 8, 8, 32, 32, 1, {100, 50, 132, 82}, 8, 8, eMap::kPlain, false},
    {"LeftEdge", -10, 50, 32, 32, 0, 0, 32, 32, 1, {0, 50, 22, 82}, 10, 0, eMap::kPlain, false},
    {"TopEdge", 100, -7, 32, 32, 0, 0, 32, 32, 1, {100, 0, 132, 25}, 0, 7, eMap::kPlain, false},
    {"RightEdge", 620, 50, 32, 32, 0, 0, 32, 32, 1, {620, 50, 640, 82}, 0, 0, eMap::kPlain, false},
    {"BottomEdge", 100, 470, 32, 32, 0, 0, 32, 32, 1, {100, 470, 132, 480}, 0, 0, eMap::kPlain, false},
    {"TopLeftCorner", -5, -6, 32, 32, 0, 0, 32, 32, 0, {0, 0, 27, 26}, 5, 6, eMap::kPlain, false},
    {"BottomRightCorner", 630, 475, 32, 32, 0, 0, 32, 32, 1, {630, 475, 640, 480}, 0, 0, eMap::kPlain, false},
    {"PastTheSheet", 100, 50, 32, 32, 48, 48, 32, 32, 1, {100, 50, 116, 66}, 48, 48, eMap::kPlain, false},
    {"Outside", 700, 10, 32, 32, 0, 0, 32, 32, 1, {0, 0, 0, 0}, 0, 0, eMap::kPlain, false},
    {"ZeroWidth", 100, 50, 0, 32, 0, 0, 0, 32, 1, {0, 0, 0, 0}, 0, 0, eMap::kPlain, false},
    {"StretchDouble", 100, 50, 64, 64, 0, 0, 32, 32, 1, {100, 50, 164, 114}, 0, 0, eMap::kDouble, false},
    {"StretchDoubleOpaque", 100, 50, 64, 64, 4, 4, 32, 32, 0, {100, 50, 164, 114}, 4, 4, eMap::kDouble, false},
    {"StretchLeftEdge", -10, 50, 64, 64, 0, 0, 32, 32, 1, {0, 50, 54, 114}, 5, 0, eMap::kDouble, false},
    {"MirrorCell", 100, 50, 32, 32, 32, 0, -32, 32, 1, {100, 50, 132, 82}, 31, 0, eMap::kMirrorX, true},
};

class BlitTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {};

TEST_P(BlitTest, FramesArePixelExact) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  for (const BlitCase& c : kBlitCases) {
    if (c.bD3DOnly && lpDTCon == nullptr) continue;
    DDFillSurface(&g_BackBuffer, 9);
    cPixelBuffer& back = Pixels(&g_BackBuffer);
    const cPixelBuffer before = back;
    const cPixelBuffer& src = Pixels(&m_Sheet);
    if (c.sw == c.w && c.sh == c.h)
      DDBlt(&g_BackBuffer, c.x, c.y, c.w, c.h, &m_Sheet, c.sx, c.sy, c.flags);
    else
      DDStretchBlt(&g_BackBuffer, c.x, c.y, c.w, c.h, &m_Sheet, c.sx, c.sy, c.sw, c.sh, c.flags);
    const std::uint32_t keyClear =
        lpDTCon != nullptr ? ArgbToPixel(back.format, lpDTCon->argbTransmit) : 0;
    ExpectPixels(std::string(GetParam().name) + "_" + c.name, back, [&](int x, int y) -> std::uint32_t {
      if (x < c.expect.left || x >= c.expect.right || y < c.expect.top || y >= c.expect.bottom) return before.Get(x, y);
      const int dx = x - c.expect.left, dy = y - c.expect.top;
      int sx = c.srcX + dx, sy = c.srcY + dy;
      if (c.map == eMap::kDouble) {
        // The left edge case starts half-way into a doubled pixel's pair.
        const int ox = (c.x < 0 ? -c.x : 0) + dx, oy = (c.y < 0 ? -c.y : 0) + dy;
        sx = c.sx + ox / 2;
        sy = c.sy + oy / 2;
      } else if (c.map == eMap::kMirrorX) {
        sx = c.srcX - dx;
      }
      const std::uint32_t t = src.Get(sx, sy);
      if (IsOpaqueTexel(src, &m_Sheet, t)) return ToTarget(src, back, t);
      if (c.flags == 1) return before.Get(x, y);
      return lpDTCon != nullptr ? keyClear : t;
    });
  }
}

TEST_P(BlitTest, MirroredRowsDrawCellsBackwards) {
  // Under Direct3D a mirrored row is an alias drawn backwards; under DirectDraw it is a
  // copy mirrored at load. Either way cell i shows the sheet's cell i mirrored.
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  DDSURFACEDATA mirrored;
  if (lpDTCon != nullptr) {
    ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored, "sheet.bmp", 1, g_nBpp, 0, 0, 1, 0, 32, 0, 0), 0);
    mirrored.lpAlias = &m_Sheet;
  } else {
    ASSERT_TRUE(LoadSheet(&mirrored, 0, 0, 32));
  }
  DDFillSurface(&g_BackBuffer, 9);
  cPixelBuffer& back = Pixels(&g_BackBuffer);
  const cPixelBuffer before = back;
  DDBlt(&g_BackBuffer, 200, 100, 32, 32, &mirrored, 32, 0, 1);  // whole cell 1
  DDBlt(&g_BackBuffer, 300, 100, 8, 32, &mirrored, 4, 0, 1);    // part of cell 0
  const cPixelBuffer& src = Pixels(&m_Sheet);
  ExpectPixels(std::string(GetParam().name) + "_mirror", back, [&](int x, int y) -> std::uint32_t {
    int sx = -1;
    if (x >= 200 && x < 232 && y >= 100 && y < 132) sx = 63 - (x - 200);
    if (x >= 300 && x < 308 && y >= 100 && y < 132) sx = 27 - (x - 300);
    if (sx < 0) return before.Get(x, y);
    const std::uint32_t t = src.Get(sx, y - 100);
    return IsOpaqueTexel(src, &m_Sheet, t) ? ToTarget(src, back, t) : before.Get(x, y);
  });
  DDReleaseSurface(&mirrored);
}

TEST_P(BlitTest, WideBlitStartingLeftIsCutAtTheRightEdge) {
  ASSERT_TRUE(Bring(GetParam()));
  ASSERT_TRUE(LoadSheet(&m_Sheet));
  DDSURFACEDATA target;
  ASSERT_TRUE(DDCreateSurface(&target, 48, 16, 0, 0, 0, 0, 0));
  ASSERT_NE(DDSurfacePixels(&target), nullptr);
  DDBlt(&target, -10, 0, 64, 16, &m_Sheet, 0, 0, 0);
  const cPixelBuffer& src = Pixels(&m_Sheet);
  cPixelBuffer& dst = Pixels(&target);
  for (int x = 0; x < 48; ++x) {
    const std::uint32_t t = src.Get(x + 10, 3);
    if (IsOpaqueTexel(src, &m_Sheet, t)) {
      EXPECT_EQ(dst.Get(x, 3), ToTarget(src, dst, t)) << "column " << x;
    }
  }
  DDReleaseSurface(&target);
}

INSTANTIATE_TEST_SUITE_P(AllModes, BlitTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

// Direct3D at 16 bits full screen: a picture in system memory is copied by software into
// the 5-6-5 back buffer, its 5-bit green doubled into the 6-bit place.
class SoftwareCopyTest : public cDisplayTest {};

TEST_F(SoftwareCopyTest, FiveFiveFiveTexelsBecomeFiveSixFiveInTheFullScreenBackBuffer) {
  ASSERT_TRUE(Bring(kAllConfigs[2]));
  ASSERT_EQ(Pixels(&g_BackBuffer).format, ePixelFormat::kR5G6B5);
  DDSURFACEDATA picture;
  ASSERT_TRUE(DDCreateSurface(&picture, 4, 1, 0, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
  ASSERT_EQ(Pixels(&picture).format, ePixelFormat::kA1R5G5B5);
  const struct {
    std::uint32_t texel;  // A1R5G5B5
    std::uint32_t pixel;  // R5G6B5
  } cases[] = {
      {0x83E0, 0x07C0},  // pure green: 31 becomes 62
      {0xFFFF, 0xFFDF},  // white
      {0xFC00, 0xF800},  // pure red
      {0x8421, 0x0841},  // (1, 1, 1)
  };
  for (int i = 0; i < 4; ++i) Pixels(&picture).Put(i, 0, cases[i].texel);
  DDBlt(&g_BackBuffer, 10, 20, 4, 1, &picture, 0, 0, 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Pixels(&g_BackBuffer).Get(10 + i, 20), cases[i].pixel) << std::hex << cases[i].texel;
  DDReleaseSurface(&picture);
}

// ---- The clipping arithmetic ----

struct ClipCase {
  const char* name;
  bool bD3D;
  int x, y, w, h, sx, sy, sw, sh;
  int result;
  int outX, outY, outW, outH, outSx, outSy, outSw, outSh;
};

const ClipCase kClipCases[] = {
    {"LeftOfTarget", false, -10, 0, 32, 32, 0, 0, 32, 32, 1, 0, 0, 22, 32, 10, 0, 22, 32},
    {"WideFromLeftCutAtRight", false, -10, 0, 64, 16, 0, 0, 64, 16, 1, 0, 0, 48, 16, 10, 0, 48, 16},
    {"WideFromLeftCutAtRightD3D", true, -10, 0, 64, 16, 0, 0, 64, 16, 1, 0, 0, 48, 16, 10, 0, 48, 16},
    {"RightEdge", false, 30, 0, 32, 16, 0, 0, 32, 16, 1, 30, 0, 18, 16, 0, 0, 18, 16},
    {"AboveTarget", false, 0, -4, 16, 16, 0, 0, 16, 16, 1, 0, 0, 16, 12, 0, 4, 16, 12},
    {"PastSourceRight", false, 0, 0, 32, 16, 48, 0, 32, 16, 1, 0, 0, 16, 16, 48, 0, 16, 16},
    {"ZeroWidth", false, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0, 0, 16, 0, 0, 0, 16},
    {"ZeroSourceHeight", false, 0, 0, 16, 16, 0, 0, 16, 0, 0, 0, 0, 16, 16, 0, 0, 16, 0},
    {"StretchLeftOfTargetDD", false, -10, 0, 64, 32, 0, 0, 32, 16, 1, 0, 0, 48, 32, 5, 0, 24, 16},
    {"StretchPastTargetRightDD", false, 20, 0, 64, 32, 0, 0, 32, 16, 1, 20, 0, 28, 32, 0, 0, 14, 16},
    {"StretchLeftOfTargetD3DKeepsOrigin", true, -10, 0, 64, 32, 0, 0, 32, 16, 1, -10, 0, 64, 32, 0, 0, 32, 16},
    {"MirroredCellD3D", true, 0, 0, 32, 16, 32, 0, -32, 16, 1, 0, 0, 32, 16, 32, 0, -32, 16},
    {"MirroredPastSourceD3D", true, 0, 0, 32, 16, 80, 0, -32, 16, 1, 0, 0, 16, 16, 64, 0, -16, 16},
};

TEST(ClipTest, ClipsByTheBackEndsRules) {
  DDSURFACEDATA dst, src;
  dst.nWidth = 48;
  dst.nHeight = 64;
  src.nWidth = 64;
  src.nHeight = 64;
  for (const ClipCase& c : kClipCases) {
    DTCONTAINER container;
    lpDTCon = c.bD3D ? &container : nullptr;
    int x = c.x, y = c.y, w = c.w, h = c.h, sx = c.sx, sy = c.sy, sw = c.sw, sh = c.sh;
    const int result = DDClip(&dst, &x, &y, &w, &h, &src, &sx, &sy, &sw, &sh);
    lpDTCon = nullptr;
    EXPECT_EQ(result, c.result) << c.name;
    if (c.result == 0) continue;
    EXPECT_EQ((std::vector<int>{x, y, w, h, sx, sy, sw, sh}),
              (std::vector<int>{c.outX, c.outY, c.outW, c.outH, c.outSx, c.outSy, c.outSw, c.outSh}))
        << c.name;
  }
}

TEST(ClipTest, MirrorOfAnAliasRowTurnsIntoANegativeWidth) {
  DTCONTAINER container;
  lpDTCon = &container;
  DDSURFACEDATA sheet, alias;
  alias.lpAlias = &sheet;
  alias.nMirrorW = 32;
  struct {
    int sx, sw, outSx, outSw;
  } cases[] = {{64, 32, 96, -32}, {0, 32, 32, -32}, {4, 8, 28, -8}, {36, 8, 60, -8}, {0, 64, 0, 64}};
  for (const auto& c : cases) {
    int sx = c.sx, sy = 0, sw = c.sw, sh = 16;
    DDAdjustMirror(&alias, &sx, &sy, &sw, &sh);
    EXPECT_EQ(sx, c.outSx) << c.sx << "," << c.sw;
    EXPECT_EQ(sw, c.outSw) << c.sx << "," << c.sw;
    EXPECT_EQ(sh, 16);
  }
  lpDTCon = nullptr;
}

// ---- The sprite batch ----

class SpriteBatchTest : public cDisplayTest {};

TEST_F(SpriteBatchTest, RegisteredTexturesDrawInRegistrationOrderAfterTheOthers) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  DDSURFACEDATA a, b, c;
  ASSERT_TRUE(DDCreateSurface(&a, 8, 8, 0, 0, 0, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&b, 8, 8, 0, 0, 0, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&c, 8, 8, 0, 0, 0, 0, 0));
  DDFillSurface(&a, 1);
  DDFillSurface(&b, 2);
  DDFillSurface(&c, 3);
  DDBeginSpriteBatch(1);
  DDAddBatchTexture(&a);
  DDAddBatchTexture(&b);
  // Queued B, A, B, C over the same pixel; unregistered C comes first, then A, then the
  // two B's in queue order (the second B overlaps the first at x 14).
  DDBlt(&g_BackBuffer, 10, 10, 8, 8, &b, 0, 0, 0);
  DDBlt(&g_BackBuffer, 10, 10, 8, 8, &a, 0, 0, 0);
  DDBlt(&g_BackBuffer, 14, 10, 8, 8, &b, 0, 0, 0);
  DDBlt(&g_BackBuffer, 10, 10, 8, 8, &c, 0, 0, 0);
  const cPixelBuffer before = Pixels(&g_BackBuffer);
  EXPECT_EQ(before.Get(10, 10), Pixels(&g_BackBuffer).Get(10, 10));  // nothing drawn yet
  EXPECT_EQ(DDFlushSpriteBatch(), 1);
  const std::uint32_t colourB = Pixels(&b).Get(0, 0) | 0xFF000000u;
  EXPECT_EQ(Pixels(&g_BackBuffer).Get(10, 10), colourB);
  EXPECT_EQ(Pixels(&g_BackBuffer).Get(20, 10), colourB);
  EXPECT_EQ(g_bSpriteBatch, 0);
  DDReleaseSurface(&a);
  DDReleaseSurface(&b);
  DDReleaseSurface(&c);
}

}  // namespace
