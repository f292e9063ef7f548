// Frame timing against an injected millisecond clock, across the wrap of the 32-bit
// clock too.
#include "app/frame_timing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win_time.h"

namespace {

DWORD g_dwNow = 0;
DWORD Clock() { return g_dwNow; }
bool g_bDirect3D = true;
bool IsDirect3D() { return g_bDirect3D; }

class FrameTiming : public ::testing::Test {
 protected:
  void SetUp() override {
    g_dwNow = 0;
    g_bDirect3D = true;
    SetTimeSource(Clock);
    SetFrameTimingDirect3DQuery(IsDirect3D);
    ResetFrameTiming();
  }
  void TearDown() override {
    SetTimeSource(nullptr);
    SetFrameTimingDirect3DQuery(nullptr);
    ResetFrameTiming();
  }
};

// Near the top of the clock: the next 49.7-day wrap is a few frames away.
constexpr DWORD kNearWrap = 0xFFFFFFF0u;

}  // namespace

TEST_F(FrameTiming, StopwatchKeepsTheLastMeasure) {
  g_dwNow = kNearWrap;
  StartFrameTime();
  g_dwNow = kNearWrap + 40;  // past the wrap
  EXPECT_EQ(GetFrameTime(1), 40u);
  g_dwNow += 100;
  EXPECT_EQ(GetFrameTime(0), 40u);
  EXPECT_EQ(GetFrameTime(1), 140u);
}

TEST_F(FrameTiming, CountEveryModes) {
  EXPECT_EQ(CountEvery(0, 60), 0);
  EXPECT_EQ(CountEvery(2, 60), 1);  // right after a reset
  EXPECT_EQ(CountEvery(1, 60), 0);
  EXPECT_EQ(CountEvery(2, 60), 0);
  for (int i = 2; i < 60; ++i) EXPECT_EQ(CountEvery(1, 60), 0) << i;
  EXPECT_EQ(CountEvery(1, 60), 1);  // the 60th
  EXPECT_EQ(CountEvery(2, 0), 1);
  EXPECT_EQ(CountEvery(1, 3), 0);
  EXPECT_EQ(CountEvery(0, 3), 0);
  EXPECT_EQ(CountEvery(2, 3), 1);
}

TEST_F(FrameTiming, FpsCountsFullWindowsAtAnyClockValue) {
  // The call that closes a window is counted in none: 60 calls a second give 60 for the
  // first window and 59 for every later one.
  for (const DWORD start : {DWORD{5000}, kNearWrap - 500}) {
    SCOPED_TRACE(start);
    ResetFrameTiming();
    std::vector<DWORD> reports;
    for (int frame = 0; frame <= 3 * 60; ++frame) {
      g_dwNow = start + static_cast<DWORD>(frame * 1000 / 60);
      const DWORD reported = CountFps(1);
      if (frame > 0 && frame % 60 == 0) reports.push_back(reported);  // each closes a window
      EXPECT_EQ(CountFps(0), reported);
    }
    EXPECT_EQ(reports, (std::vector<DWORD>{60, 59, 59}));
  }
}

TEST_F(FrameTiming, UnpacedFramesPassBothLimitersAtOnceUntilPacedAgain) {
  SetFrameTimingDirect3DQuery([] { return true; });
  g_dwNow = 1000;
  EXPECT_TRUE(FrameLimitDD(60));
  EXPECT_TRUE(FrameLimitD3D(60));
  SetFramesUnpaced(true);
  for (int frame = 0; frame < 200; ++frame) {  // more than a second's worth, no time passing
    ASSERT_TRUE(FrameLimitDD(60)) << frame;
    ASSERT_TRUE(FrameLimitD3D(60)) << frame;
  }
  SetFramesUnpaced(false);
  EXPECT_FALSE(FrameLimitDD(60));  // still due 16 ms after the last frame it paced
  g_dwNow = 1016;
  EXPECT_TRUE(FrameLimitDD(60));
  SetFrameTimingDirect3DQuery(nullptr);
}

TEST_F(FrameTiming, DirectDrawLimiterPacesFromTheFrameAllowed) {
  g_dwNow = 1000;
  EXPECT_TRUE(FrameLimitDD(60));   // the first call lets the frame through
  EXPECT_FALSE(FrameLimitDD(60));  // due 16 ms later
  g_dwNow = 1015;
  EXPECT_FALSE(FrameLimitDD(60));
  g_dwNow = 1016;
  EXPECT_TRUE(FrameLimitDD(60));
  g_dwNow = 1100;  // a late frame: the next is due 16 ms from now, no catching up
  EXPECT_TRUE(FrameLimitDD(60));
  EXPECT_FALSE(FrameLimitDD(60));
  EXPECT_TRUE(FrameLimitDD(0));  // 0 never holds a frame
  g_dwNow = 1116;
  EXPECT_TRUE(FrameLimitDD(60));
}

TEST_F(FrameTiming, LimitersKeepPacingAcrossTheClockWrap) {
  // A due time just before the wrap, reached just after it: an unsigned comparison
  // would hold every frame for 49.7 days.
  for (const int fps : {60, 30}) {
    SCOPED_TRACE(fps);
    ResetFrameTiming();
    g_dwNow = kNearWrap;
    int ddFrames = 0;
    int d3dFrames = 0;
    for (int ms = 0; ms < 1000; ++ms, ++g_dwNow) {
      ddFrames += FrameLimitDD(fps) ? 1 : 0;
      d3dFrames += FrameLimitD3D(fps) ? 1 : 0;
    }
    // DirectDraw: one frame every 1000 / fps whole milliseconds; Direct3D: fps frames a
    // second.
    EXPECT_EQ(ddFrames, (1000 + 1000 / fps - 1) / (1000 / fps));
    EXPECT_EQ(d3dFrames, fps);
  }
}

TEST_F(FrameTiming, Direct3DLimiterKeepsTheExactPeriod) {
  g_dwNow = 2000;
  EXPECT_TRUE(FrameLimitD3D(60));  // frame 0 of the second
  // Frame k is due at k * 16.67 ms: frame 1 at 16.67, so not at 16 but at 17; frame 3 at
  // exactly 50.
  const struct {
    DWORD at;
    bool allowed;
  } steps[] = {{2016, false}, {2017, true}, {2033, false}, {2034, true}, {2049, false}, {2050, true}};
  for (const auto& step : steps) {
    g_dwNow = step.at;
    EXPECT_EQ(FrameLimitD3D(60), step.allowed) << step.at;
  }
}

TEST_F(FrameTiming, Direct3DLimiterHoldsExactlyFpsFramesEverySecond) {
  // Polled every millisecond for 100 s: every second holds exactly fps frames, each one a
  // rounded period after the last (never two back to back).
  for (const int fps : {60, 50, 30}) {
    SCOPED_TRACE(fps);
    ResetFrameTiming();
    std::vector<DWORD> times;
    for (g_dwNow = 7; g_dwNow < 7 + 100000; ++g_dwNow)
      if (FrameLimitD3D(fps)) times.push_back(g_dwNow);
    EXPECT_EQ(times.size(), static_cast<std::size_t>(100 * fps));
    const DWORD shortest = 1000 / fps;
    const DWORD longest = (1000 + fps - 1) / fps;
    for (std::size_t i = 1; i < times.size(); ++i) {
      ASSERT_GE(times[i] - times[i - 1], shortest) << i;
      ASSERT_LE(times[i] - times[i - 1], longest) << i;
    }
  }
}

TEST_F(FrameTiming, Direct3DLimiterStartsAfreshAfterAStall) {
  // A 500 ms stall: the late frame passes at once, the next a period later; the missed
  // frames are not caught up.
  std::vector<DWORD> times;
  for (g_dwNow = 0; g_dwNow < 2000; ++g_dwNow) {
    if (g_dwNow == 300) g_dwNow = 800;
    if (FrameLimitD3D(60)) times.push_back(g_dwNow);
  }
  for (std::size_t i = 1; i < times.size(); ++i) {
    if (times[i - 1] < 300 && times[i] >= 800) continue;
    EXPECT_GE(times[i] - times[i - 1], 16u) << i;
  }
  // From the stall on, 60 frames in every second again.
  EXPECT_EQ(std::count_if(times.begin(), times.end(), [](DWORD t) { return t >= 800 && t < 1800; }), 60);
}

TEST_F(FrameTiming, Direct3DLimiterReanchorsEverySecondAndStandsAsideWithoutDirect3D) {
  // The frame that completes a second opens the next one: frames stay one period apart
  // there too, never two in a row.
  std::vector<DWORD> times;
  for (g_dwNow = 0; g_dwNow < 2000; ++g_dwNow)
    if (FrameLimitD3D(10)) times.push_back(g_dwNow);
  ASSERT_GE(times.size(), 2u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 100u) << i;
  EXPECT_EQ(times.size(), 20u);
  g_dwNow = 2000;
  EXPECT_TRUE(FrameLimitD3D(10));
  g_dwNow = 2050;
  EXPECT_FALSE(FrameLimitD3D(10));
  EXPECT_TRUE(FrameLimitD3D(0));
  g_bDirect3D = false;
  EXPECT_TRUE(FrameLimitD3D(10));
  SetFrameTimingDirect3DQuery(nullptr);
  EXPECT_TRUE(FrameLimitD3D(10));
}
