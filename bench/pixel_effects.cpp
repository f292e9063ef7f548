// Pixel effects against memcpy of the same destination bytes, measured in one run: the
// blur of radius 4 over 320 x 240 and the rotation of a 256 x 256 picture, into the back
// buffer, for every back end and depth that draws them. Under Direct3D the rotation is
// measured both ways: locked (source in system memory) and as the turned quad.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/display_bench_main.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_pixel_effects.h"

namespace {

struct Mode {
  const char* name;
  int bDirect3D, nBpp, bWindow;
};
const Mode kModes[] = {{"D3D32", 1, 32, 1}, {"D3D16", 1, 16, 1}, {"DD8", 0, 8, 0}, {"DD16", 0, 16, 0}, {"DD32", 0, 32, 0}};

// A picture with a transparent margin and a transparent row every sixteenth.
bool BringUp(const Mode& mode, DDSURFACEDATA& picture, int w, int h, int nDTMemType) {
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    return false;
  g_dwTransmit = mode.nBpp == 8 ? 0 : (mode.nBpp == 16 ? 0xF81F : 0xFF00FF);
  if (!DDCreateSurface(&picture, w, h, 1, 0, nDTMemType, 0, 0)) return false;
  cPixelBuffer& px = *DDSurfacePixels(&picture);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool clear = x < 16 || x >= w - 16 || y % 16 == 0;
      const std::uint32_t v = static_cast<std::uint32_t>(x * 977 + y * 131);
      switch (px.format) {
        case ePixelFormat::kA8R8G8B8: px.Put(x, y, clear ? 0 : 0xFF000000u | (v & 0xFFFFFF)); break;
        case ePixelFormat::kA1R5G5B5: px.Put(x, y, clear ? 0 : 0x8000u | (v & 0x7FFF)); break;
        case ePixelFormat::kR5G6B5: px.Put(x, y, clear ? 0xF81Fu : (v & 0xFFFF) ^ 0x0001); break;
        case ePixelFormat::kP8: px.Put(x, y, clear ? 0 : 1 + v % 255); break;
        default: px.Put(x, y, clear ? 0xFF00FFu : v & 0x7FFFFF); break;
      }
    }
  return true;
}

template <class Fn>
void Run(benchmark::State& state, const Mode& mode, int w, int h, int nDTMemType, Fn&& draw) {
  DDSURFACEDATA picture;
  if (!BringUp(mode, picture, w, h, nDTMemType)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  for (auto _ : state) {
    draw(picture);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w) * h * (mode.nBpp / 8));
  state.SetLabel(mode.name);
  DDReleaseSurface(&picture);
  DDEnd();
}

void BM_Blur4(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  Run(state, mode, 320, 240, 0, [](DDSURFACEDATA& pic) { DDBlur(&g_BackBuffer, 100, 100, 320, 240, 4, 4, &pic, 0, 0, 0); });
}
BENCHMARK(BM_Blur4)->Arg(0)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_Blur4Keyed(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  Run(state, mode, 320, 240, 0, [](DDSURFACEDATA& pic) { DDBlur(&g_BackBuffer, 100, 100, 320, 240, 4, 4, &pic, 0, 0, 1); });
}
BENCHMARK(BM_Blur4Keyed)->Arg(0)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// Locked rotation: under Direct3D the source lives in system memory, so no quad is drawn.
void BM_Rotate30(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  Run(state, mode, 256, 256, DTMEMORYTYPE_SYSTEM,
      [](DDSURFACEDATA& pic) { DDRotateBlt(&g_BackBuffer, 320, 240, 256, 256, 128, 128, 30, &pic, 0, 0, 1); });
}
BENCHMARK(BM_Rotate30)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The turned quad of Direct3D (source a render target, destination the back buffer).
void BM_Rotate30Quad(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  Run(state, mode, 256, 256, DTMEMORYTYPE_VIDEO_RT,
      [](DDSURFACEDATA& pic) { DDRotateBlt(&g_BackBuffer, 320, 240, 256, 256, 128, 128, 30, &pic, 0, 0, 1); });
}
BENCHMARK(BM_Rotate30Quad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The baseline: memcpy of the destination bytes, 320 x 240 and 256 x 256 at 1, 2 and 4
// bytes per pixel.
void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * state.range(1) * state.range(2);
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Memcpy)
    ->Args({320, 240, 2})
    ->Args({320, 240, 4})
    ->Args({256, 256, 1})
    ->Args({256, 256, 2})
    ->Args({256, 256, 4})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
