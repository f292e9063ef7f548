// The blit-built effects on every back end and depth, on small surfaces: each case is drawn
// by the effect and, on a second surface, by the plain blits and fills its rule names; the
// two must match pixel for pixel, over the whole surface, so that what lies outside the
// pieces (the guard border) is checked too. Every case also runs hanging over the
// destination's edges and reading past the source's. Apart from the table: what game data
// can put into the sizes (zero and negative bands, widths and values, huge radii).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "media/draw/dd_effect_blit.h"
#include "tests/media/draw_test_util.h"

namespace {

constexpr int kDstW = 40, kDstH = 30;
constexpr int kSrcW = 48, kSrcH = 16;
constexpr DWORD kKeyed = 1;

// Where an effect draws and reads.
struct Place {
  int x, y, sx, sy;
};
const Place kPlaces[] = {
    {10, 8, 4, 2},    // inside both surfaces
    {-6, -5, 40, 8},  // over the destination's top left, reading past the source's far edges
    {30, 22, -3, -2}, // over the destination's bottom right, reading from before the source
};

using EffectFn = void (*)(DDSURFACEDATA* dst, DDSURFACEDATA* src, Place p);

struct EffectCase {
  const char* name;
  EffectFn draw;    // the effect
  EffectFn expect;  // the same by plain blits and fills
};

// The first 16 x 12 picture of the source lies at (sx, sy), the other face of the page
// turn 24 columns to its right.
const EffectCase kCases[] = {
    {"Frame", [](DDSURFACEDATA* d, DDSURFACEDATA*, Place p) { DDDrawFrame(d, p.x, p.y, 16, 12, 2, 9); },
     [](DDSURFACEDATA* d, DDSURFACEDATA*, Place p) {
       DDFillRect(d, p.x, p.y, 16, 2, 9);
       DDFillRect(d, p.x, p.y + 10, 16, 2, 9);
       DDFillRect(d, p.x, p.y, 2, 12, 9);
       DDFillRect(d, p.x + 14, p.y, 2, 12, 9);
     }},
    {"FrameOfHugeSides", [](DDSURFACEDATA* d, DDSURFACEDATA*, Place p) { DDDrawFrame(d, p.x, p.y, INT_MAX, INT_MAX, 3, 9); },
     [](DDSURFACEDATA* d, DDSURFACEDATA*, Place p) {
       DDFillRect(d, p.x, p.y, 1000, 3, 9);
       DDFillRect(d, p.x, p.y, 3, 1000, 9);
     }},
    {"Box", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawBox(d, p.x + 3, p.y + 3, 10, 8, s, 2, 9); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDBlt(d, p.x + 3, p.y + 3, 10, 8, s, 0, 0, 0);
       DDFillRect(d, p.x + 1, p.y + 1, 14, 2, 9);
       DDFillRect(d, p.x + 1, p.y + 11, 14, 2, 9);
       DDFillRect(d, p.x + 1, p.y + 1, 2, 12, 9);
       DDFillRect(d, p.x + 13, p.y + 1, 2, 12, 9);
     }},
    {"NumberPadded", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, 7, 3, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x + 8, p.y, 4, 6, s, p.sx + 28, p.sy, kKeyed); }},
    {"NumberCentred", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, 7, 3, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x + 4, p.y, 4, 6, s, p.sx + 28, p.sy, kKeyed); }},
    {"NumberOfThreeDigits", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, 305, 1, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDBlt(d, p.x, p.y, 4, 6, s, p.sx + 12, p.sy, kKeyed);
       DDBlt(d, p.x + 4, p.y, 4, 6, s, p.sx, p.sy, kKeyed);
       DDBlt(d, p.x + 8, p.y, 4, 6, s, p.sx + 20, p.sy, kKeyed);
     }},
    {"NumberNegativeDrawsZero", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, -42, 2, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x + 4, p.y, 4, 6, s, p.sx, p.sy, kKeyed); }},
    {"NumberLowestDrawsZero", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, INT_MIN, 0, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed); }},
    {"NumberPaddedOffEverything", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDDrawNumber(d, p.x, p.y, 4, 6, s, p.sx, p.sy, kKeyed, 5, INT_MAX, 0); },
     [](DDSURFACEDATA*, DDSURFACEDATA*, Place) {}},
    // Four bands of 4 columns, 90 degrees apart: shifts 3 sin 90, 3 sin 180, 3 sin 270, 3 sin 360.
    {"WaveColumns", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDWaveBlt(d, p.x, p.y, 16, 12, 1, 3, 0, 4, s, p.sx, p.sy, kKeyed, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       const int shift[] = {3, 0, -3, 0};
       for (int k = 0; k < 4; ++k) DDBlt(d, p.x + 4 * k, p.y + shift[k], 4, 12, s, p.sx + 4 * k, p.sy, kKeyed);
     }},
    {"WaveRows", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDWaveBlt(d, p.x, p.y, 16, 12, 1, 2, 0, 3, s, p.sx, p.sy, kKeyed, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       const int shift[] = {2, 0, -2, 0};
       for (int k = 0; k < 4; ++k) DDBlt(d, p.x + shift[k], p.y + 3 * k, 16, 3, s, p.sx, p.sy + 3 * k, kKeyed);
     }},
    // 14 columns in bands of 4: the last band is the 2 columns left; 102.86 degrees a band.
    {"WaveLastBandCut", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDWaveBlt(d, p.x, p.y, 14, 12, 1, 3, 0, 4, s, p.sx, p.sy, kKeyed, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       const int shift[] = {2, -1, -2, 2};
       for (int k = 0; k < 4; ++k) DDBlt(d, p.x + 4 * k, p.y + shift[k], k < 3 ? 4 : 2, 12, s, p.sx + 4 * k, p.sy, kKeyed);
     }},
    {"WaveWithoutWidthOrBand", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDWaveBlt(d, p.x, p.y, 0, 12, 1, 3, 0, 4, s, p.sx, p.sy, kKeyed, 1);
       DDWaveBlt(d, p.x, p.y, 16, 0, 1, 3, 0, 4, s, p.sx, p.sy, kKeyed, 0);
       DDWaveBlt(d, p.x, p.y, 16, 12, 1, 3, 0, 0, s, p.sx, p.sy, kKeyed, 1);
       DDWaveBlt(d, p.x, p.y, 16, 12, 1, 3, 0, -4, s, p.sx, p.sy, kKeyed, 0);
     }, [](DDSURFACEDATA*, DDSURFACEDATA*, Place) {}},
    // A side far longer than any surface: only the columns that can show are visited.
    {"WaveOfHugeWidth", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDWaveBlt(d, p.x, p.y, INT_MAX, 12, 1, 0, 0, 1, s, p.sx, p.sy, kKeyed, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       for (int k = 0; k < 64; ++k) DDBlt(d, p.x + k, p.y, 1, 12, s, p.sx + k, p.sy, kKeyed);
     }},
    {"ShiftsBeyondEverySurface", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDWaveBlt(d, p.x, p.y, 16, 12, 1, 1e300, 0, 4, s, p.sx, p.sy, kKeyed, 1);
       DDInterlaceBlt(d, p.x, p.y, 16, 12, 4, INT_MAX, s, p.sx, p.sy, kKeyed, 1);
       DDInterlaceBlt(d, p.x, p.y, 16, 12, 4, INT_MIN, s, p.sx, p.sy, kKeyed, 0);
       DDQuarterSplitBlt(d, p.x, p.y, 16, 12, s, p.sx, p.sy, INT_MIN, kKeyed);
       DDQuarterSplitBlt(d, p.x, p.y, 16, 12, s, p.sx, p.sy, INT_MAX, kKeyed);
     }, [](DDSURFACEDATA*, DDSURFACEDATA*, Place) {}},
    {"InterlaceColumns", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDInterlaceBlt(d, p.x, p.y, 16, 12, 4, 2, s, p.sx, p.sy, kKeyed, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       for (int k = 0; k < 4; ++k) DDBlt(d, p.x + 4 * k, p.y + (k % 2 == 0 ? 2 : -2), 4, 12, s, p.sx + 4 * k, p.sy, kKeyed);
     }},
    {"InterlaceRows", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDInterlaceBlt(d, p.x, p.y, 16, 12, 3, 5, s, p.sx, p.sy, kKeyed, 0); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       for (int k = 0; k < 4; ++k) DDBlt(d, p.x + (k % 2 == 0 ? 5 : -5), p.y + 3 * k, 16, 3, s, p.sx, p.sy + 3 * k, kKeyed);
     }},
    {"InterlaceDrawsWholeBandsOnly", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDInterlaceBlt(d, p.x, p.y, 14, 12, 4, 1, s, p.sx, p.sy, kKeyed, 1); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       for (int k = 0; k < 3; ++k) DDBlt(d, p.x + 4 * k, p.y + (k % 2 == 0 ? 1 : -1), 4, 12, s, p.sx + 4 * k, p.sy, kKeyed);
     }},
    {"InterlaceWithoutBandIsAPlainBlit", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDInterlaceBlt(d, p.x, p.y, 16, 12, 0, 3, s, p.sx, p.sy, kKeyed, 1);
       DDInterlaceBlt(d, p.x + 2, p.y, 16, 12, -3, 3, s, p.sx, p.sy, kKeyed, 0);
     }, [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDBlt(d, p.x, p.y, 16, 12, s, p.sx, p.sy, kKeyed);
       DDBlt(d, p.x + 2, p.y, 16, 12, s, p.sx, p.sy, kKeyed);
     }},
    {"QuarterSplitApart", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDQuarterSplitBlt(d, p.x, p.y, 16, 12, s, p.sx, p.sy, 3, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDBlt(d, p.x - 3, p.y - 3, 8, 6, s, p.sx, p.sy, kKeyed);
       DDBlt(d, p.x + 11, p.y - 3, 8, 6, s, p.sx + 8, p.sy, kKeyed);
       DDBlt(d, p.x - 3, p.y + 9, 8, 6, s, p.sx, p.sy + 6, kKeyed);
       DDBlt(d, p.x + 11, p.y + 9, 8, 6, s, p.sx + 8, p.sy + 6, kKeyed);
     }},
    {"QuarterSplitOverlapping", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDQuarterSplitBlt(d, p.x, p.y, 16, 12, s, p.sx, p.sy, -2, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDBlt(d, p.x + 2, p.y + 2, 8, 6, s, p.sx, p.sy, kKeyed);
       DDBlt(d, p.x + 6, p.y + 2, 8, 6, s, p.sx + 8, p.sy, kKeyed);
       DDBlt(d, p.x + 2, p.y + 4, 8, 6, s, p.sx, p.sy + 6, kKeyed);
       DDBlt(d, p.x + 6, p.y + 4, 8, 6, s, p.sx + 8, p.sy + 6, kKeyed);
     }},
    // Half chords of radius 5 for rows 4 down to -5 (the centre row's 5 less one).
    {"CircleByRows", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 5, 1, s, p.sx + 8, p.sy + 6, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       const int half[] = {3, 4, 4, 4, 4, 4, 4, 4, 3, 0};
       for (int k = 0; k < 10; ++k) {
         const int i = 4 - k, h = half[k];
         DDBlt(d, p.x + 8 - h, p.y + 6 + i, 2 * h, 1, s, p.sx + 8 - h, p.sy + 6 + i, kKeyed);
       }
     }},
    {"CircleByStrips", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 5, 2, s, p.sx + 8, p.sy + 6, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       const int top[] = {3, 1, -1, -3, -5}, half[] = {3, 4, 4, 4, 3};
       for (int k = 0; k < 5; ++k)
         DDBlt(d, p.x + 8 - half[k], p.y + 6 + top[k], 2 * half[k], 2, s, p.sx + 8 - half[k], p.sy + 6 + top[k], kKeyed);
     }},
    {"CircleInsideItsReach", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDCircleBlt(d, p.x + 8, p.y + 6, 2, 3, 5, 1, s, p.sx + 8, p.sy + 6, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x + 6, p.y + 3, 4, 6, s, p.sx + 6, p.sy + 3, kKeyed); }},
    {"CircleOfHugeRadius", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDCircleBlt(d, p.x + 8, p.y + 6, 4, 3, INT_MAX, 1, s, p.sx + 8, p.sy + 6, kKeyed); },
     [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) { DDBlt(d, p.x + 4, p.y + 3, 8, 6, s, p.sx + 4, p.sy + 3, kKeyed); }},
    {"CircleTooSmallToShow", [](DDSURFACEDATA* d, DDSURFACEDATA* s, Place p) {
       DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 1, 1, s, p.sx + 8, p.sy + 6, kKeyed);
       // A band wider than the disc takes its chord outside the disc.
       DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 2, 10, s, p.sx + 8, p.sy + 6, kKeyed);
       DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 0, 1, s, p.sx + 8, p.sy + 6, kKeyed);
       DDCircleBlt(d, p.x + 8, p.y + 6, 100, 100, 5, -1, s, p.sx + 8, p.sy + 6, kKeyed);
     }, [](DDSURFACEDATA*, DDSURFACEDATA*, Place) {}},
};

// Page-turn positions over a 16 x 12 rectangle (half 8): the squeeze and which face shows.
struct TurnCase {
  int progress, direction;
  int squeeze;
  bool bFaceB;
};
const TurnCase kTurns[] = {
    {0, 0, 0, false}, {7, 0, 7, false}, {8, 0, 7, true}, {15, 0, 0, true}, {24, 0, 7, false},
    {-1, 0, 0, false}, {-9, 0, 7, true}, {-200, 0, 7, false}, {3, 1, 3, false}, {-7, 1, 5, true},
};

class EffectBlitTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    ASSERT_TRUE(Bring(GetParam(), 64, 48));
    ASSERT_TRUE(DDCreateSurface(&m_Src, kSrcW, kSrcH, 1, 0, 0, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&m_Dst, kDstW, kDstH, 1, 0, 0, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&m_Ref, kDstW, kDstH, 1, 0, 0, 0, 0));
    cPixelBuffer& src = Pixels(&m_Src);
    for (int y = 0; y < kSrcH; ++y)
      for (int x = 0; x < kSrcW; ++x) src.Put(x, y, (x + y) % 7 == 0 ? Transparent() : Opaque(x * 16 + y + 1));
  }
  void TearDown() override {
    DDReleaseSurface(&m_Ref);
    DDReleaseSurface(&m_Dst);
    DDReleaseSurface(&m_Src);
    cDisplayTest::TearDown();
  }
  std::uint32_t Transparent() {
    return lpDTCon != nullptr ? 0u : m_Src.lpDDData->lpDDS->ColorKey();
  }
  // A distinct, opaque value for n, never the key.
  std::uint32_t Opaque(int n) {
    switch (Pixels(&m_Src).format) {
      case ePixelFormat::kA8R8G8B8: return 0xFF000000u | static_cast<std::uint32_t>(n * 2654435761u >> 8);
      case ePixelFormat::kA1R5G5B5: return 0x8000u | static_cast<std::uint32_t>(n * 37 & 0x7FFF);
      case ePixelFormat::kP8: return 1 + static_cast<std::uint32_t>(n % 200) + (Transparent() == 1 + static_cast<std::uint32_t>(n % 200) ? 50 : 0);
      default: {
        const std::uint32_t v = static_cast<std::uint32_t>(n * 2654435761u >> 8) & (Pixels(&m_Src).BytesPerPixel() == 2 ? 0xFFFF : 0xFFFFFF);
        return v == Transparent() ? v ^ 1 : v;
      }
    }
  }
  void Background() {
    for (DDSURFACEDATA* sd : {&m_Dst, &m_Ref}) {
      cPixelBuffer& px = Pixels(sd);
      for (int y = 0; y < px.nHeight; ++y)
        for (int x = 0; x < px.nWidth; ++x) px.Put(x, y, Opaque(5000 + x + 3 * y));
    }
  }
  DDSURFACEDATA m_Src, m_Dst, m_Ref;
};

TEST_P(EffectBlitTest, EffectsAreTheirPieces) {
  for (const EffectCase& c : kCases)
    for (std::size_t k = 0; k < std::size(kPlaces); ++k) {
      Background();
      c.draw(&m_Dst, &m_Src, kPlaces[k]);
      c.expect(&m_Ref, &m_Src, kPlaces[k]);
      const cPixelBuffer& want = Pixels(&m_Ref);
      ExpectPixels(std::string(GetParam().name) + "_" + c.name + "_place" + std::to_string(k), Pixels(&m_Dst),
                   [&](int x, int y) { return want.Get(x, y); });
    }
}

TEST_P(EffectBlitTest, PageTurnSqueezesAndTurnsFaces) {
  for (const TurnCase& t : kTurns)
    for (std::size_t k = 0; k < std::size(kPlaces); ++k) {
      const Place p = kPlaces[k];
      Background();
      DDFlipTransBlt(&m_Dst, p.x, p.y, 16, 12, &m_Src, p.sx, p.sy, &m_Src, p.sx + 24, p.sy, 16, 12, kKeyed, t.progress,
                     t.direction);
      const int fx = t.bFaceB ? p.sx + 24 : p.sx;
      if (t.direction == 0)
        DDStretchBlt(&m_Ref, p.x + t.squeeze, p.y, 16 - 2 * t.squeeze, 12, &m_Src, fx, p.sy, 16, 12, kKeyed);
      else
        DDStretchBlt(&m_Ref, p.x, p.y + t.squeeze, 16, 12 - 2 * t.squeeze, &m_Src, fx, p.sy, 16, 12, kKeyed);
      const cPixelBuffer& want = Pixels(&m_Ref);
      ExpectPixels(std::string(GetParam().name) + "_turn" + std::to_string(t.progress) + "_" +
                       std::to_string(t.direction) + "_place" + std::to_string(k),
                   Pixels(&m_Dst), [&](int x, int y) { return want.Get(x, y); });
    }
}

// Below two pixels there is nothing to turn about; an unknown direction draws nothing.
TEST_P(EffectBlitTest, PageTurnOfNoWidthDrawsNothing) {
  Background();
  const cPixelBuffer before = Pixels(&m_Dst);
  const struct {
    int w, h, progress, direction, result;
  } cases[] = {{1, 12, 5, 0, 0}, {0, 12, 5, 0, 0}, {16, 1, 5, 1, 0}, {-4, 12, -3, 0, 0}, {16, 12, 5, 2, 1}, {16, 12, 5, -1, -2}};
  for (const auto& c : cases)
    EXPECT_EQ(DDFlipTransBlt(&m_Dst, 10, 8, c.w, c.h, &m_Src, 0, 0, &m_Src, 24, 0, 16, 12, kKeyed, c.progress, c.direction),
              c.result);
  ExpectPixels(std::string(GetParam().name) + "_noturn", Pixels(&m_Dst), [&](int x, int y) { return before.Get(x, y); });
}

// Wider than 360 pixels the wave still waves: a column a quarter of the way along is
// shifted by the whole amplitude.
TEST_P(EffectBlitTest, AWaveWiderThanAFullTurnStillWaves) {
  DDSURFACEDATA wide, wideSrc;
  ASSERT_TRUE(DDCreateSurface(&wide, 400, 12, 1, 0, 0, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&wideSrc, 400, 4, 1, 0, 0, 0, 0));
  cPixelBuffer& src = Pixels(&wideSrc);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 400; ++x) src.Put(x, y, Opaque(x + 1000 * y));
  cPixelBuffer& dst = Pixels(&wide);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 400; ++x) dst.Put(x, y, Opaque(9999));
  DDWaveBlt(&wide, 0, 2, 400, 4, 1, 4, 0, 1, &wideSrc, 0, 0, 0, 1);
  // Column 99 turns by 100 x 0.9 = 90 degrees: 4 rows down.
  for (int y = 0; y < 4; ++y) EXPECT_EQ(dst.Get(99, 2 + 4 + y), src.Get(99, y)) << y;
  EXPECT_EQ(dst.Get(99, 2), Opaque(9999));
  DDReleaseSurface(&wideSrc);
  DDReleaseSurface(&wide);
}

INSTANTIATE_TEST_SUITE_P(AllModes, EffectBlitTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
