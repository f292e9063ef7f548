// Drawing costs against memcpy of the same bytes, measured in one run: opaque and
// colour-keyed blits of a 256 x 256 sprite into the back buffer for every back end and
// depth, and the present conversion of a 640 x 480 frame into the window's pixels.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/display_bench_main.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "platform/display_frame.h"

namespace {

constexpr int kSide = 256;

struct Mode {
  int bDirect3D, nBpp, bWindow;
};
const Mode kModes[] = {{1, 32, 1}, {1, 16, 1}, {0, 8, 0}, {0, 16, 0}, {0, 32, 0}};

// A sprite of a typical shape: transparent margins left and right of an opaque middle,
// and a transparent row every sixteenth.
bool Transparent(int x, int y) { return x < 64 || x >= 192 || y % 16 == 0; }

bool BringUp(const Mode& mode, DDSURFACEDATA& sprite, bool keyed) {
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    return false;
  g_dwTransmit = mode.nBpp == 8 ? 0 : (mode.nBpp == 16 ? 0xF81F : 0xFF00FF);
  if (!DDCreateSurface(&sprite, kSide, kSide, keyed ? 1 : 0, 0, 0, 0, 0)) return false;
  cPixelBuffer& px = *DDSurfacePixels(&sprite);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const bool clear = keyed && Transparent(x, y);
      std::uint32_t v;
      switch (px.format) {
        case ePixelFormat::kA8R8G8B8: v = clear ? 0 : 0xFF000000u | static_cast<std::uint32_t>(x * 977 + y); break;
        case ePixelFormat::kA1R5G5B5: v = clear ? 0 : 0x8000u | ((x * 31 + y) & 0x7FFF); break;
        case ePixelFormat::kR5G6B5: v = clear ? 0xF81Fu : ((x * 31 + y) & 0x7FFF); break;
        case ePixelFormat::kP8: v = clear ? 0 : 1 + (x + y) % 255; break;
        default: v = clear ? 0xFF00FFu : static_cast<std::uint32_t>(x * 977 + y) & 0x7FFFFF; break;
      }
      px.Put(x, y, v);
    }
  return true;
}

void Blit(benchmark::State& state, bool keyed) {
  const Mode& mode = kModes[state.range(0)];
  DDSURFACEDATA sprite;
  if (!BringUp(mode, sprite, keyed)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  const DWORD flags = keyed ? 1 : 0;
  for (auto _ : state) {
    DDBlt(&g_BackBuffer, 100, 100, kSide, kSide, &sprite, 0, 0, flags);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSide * kSide * (mode.nBpp / 8));
  state.SetLabel(std::string(mode.bDirect3D ? "D3D" : "DD") + std::to_string(mode.nBpp));
  DDReleaseSurface(&sprite);
  DDEnd();
}

void BM_OpaqueBlit(benchmark::State& state) { Blit(state, false); }
void BM_KeyedBlit(benchmark::State& state) { Blit(state, true); }
BENCHMARK(BM_OpaqueBlit)->DenseRange(0, 4);
BENCHMARK(BM_KeyedBlit)->DenseRange(0, 4);

// The baseline: memcpy of the bytes a blit of the sprite moves, at 1, 2 and 4 bytes per pixel.
void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(kSide) * kSide * state.range(0);
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Memcpy)->Arg(1)->Arg(2)->Arg(4);

void BM_PresentConversion(benchmark::State& state) {
  cDisplayFrame frame;
  frame.nWidth = 640;
  frame.nHeight = 480;
  const int bpp = static_cast<int>(state.range(0));
  frame.pixels = bpp == 1 ? eFramePixels::kIndex8 : (bpp == 2 ? eFramePixels::kR5G6B5 : eFramePixels::kX8R8G8B8);
  frame.nPitch = 640 * bpp;
  frame.bytes.resize(static_cast<std::size_t>(frame.nPitch) * 480);
  for (std::size_t i = 0; i < frame.bytes.size(); ++i) frame.bytes[i] = static_cast<std::uint8_t>(i * 7);
  for (int i = 0; i < 256; ++i) frame.palette[i] = static_cast<std::uint32_t>(i * 0x010203);
  std::vector<std::uint32_t> out(640 * 480);
  for (auto _ : state) {
    ConvertFrameToArgb(frame, out.data(), 640 * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(BM_PresentConversion)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
