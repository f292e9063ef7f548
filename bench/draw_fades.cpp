// Fade costs against memcpy of the same target bytes, measured in one run: the DirectDraw
// colour fade of a 640 x 480 frame at 16 and 32 bits, and the Direct3D fade (its steps over
// a whole fade, and one mid-fade quad alone) at 32 and 16 bits.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/display_bench_main.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fade.h"
#include "media/draw/fade_span.h"

namespace {

constexpr int kW = 640, kH = 480;

struct Mode {
  int bDirect3D, nBpp, bWindow;
  const char* label;
};
const Mode kModes[] = {{0, 32, 0, "DD32"}, {0, 16, 0, "DD16"}, {1, 32, 1, "D3D32"}, {1, 16, 1, "D3D16"}, {1, 16, 0, "D3D16Full"}};

void Paint(cPixelBuffer& px, int seed) {
  for (int y = 0; y < px.nHeight; ++y)
    for (int x = 0; x < px.nWidth; ++x) px.Put(x, y, static_cast<std::uint32_t>((x * 977 + y * 131 + seed) * 2654435761u));
}

bool BringUp(const Mode& mode) {
  if (!DDInit(mode.bDirect3D, nullptr, kW, kH, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef,
              kFixedSurfaceCount, 0))
    return false;
  Paint(*DDSurfacePixels(&g_BackBuffer), 1);
  if (!mode.bDirect3D) Paint(*DDSurfacePixels(&g_FadeSD), 2);
  DDResetFades();
  return true;
}

void BM_FadeUnPal(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  if (!BringUp(mode)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  int amount = 0;
  for (auto _ : state) {
    DDFade_UnPal(&g_BackBuffer, amount, 10, 20, 30, &g_FadeSD);
    amount = (amount + 37) % 257;
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * (mode.nBpp / 8));
  state.SetLabel(mode.label);
  DDEnd();
}
BENCHMARK(BM_FadeUnPal)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Every step of fade-outs one after the other: the mean cost of a frame's fade step.
void BM_D3DFadeSteps(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  if (!BringUp(mode)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  for (auto _ : state) {
    DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, 10, g_Palette, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * (mode.nBpp / 8));
  state.SetLabel(mode.label);
  DDEnd();
}
BENCHMARK(BM_D3DFadeSteps)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// The dearest step: a half-translucent quad over the frame.
void BM_D3DFadeQuad(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  if (!BringUp(mode)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  lpDevice->BeginScene();
  for (auto _ : state) {
    lpDevice->DrawColorQuad(0, 0, kW, kH, D3DCOLOR_ARGB(128, 0, 0, 0));
    benchmark::ClobberMemory();
  }
  lpDevice->EndScene();
  state.SetBytesProcessed(state.iterations() * kW * kH * (mode.nBpp / 8));
  state.SetLabel(mode.label);
  DDEnd();
}
BENCHMARK(BM_D3DFadeQuad)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// The 16-bit fade and quad (mode, then 0 the fade, 1 the quad) again in their 16-byte build, the one processors without AVX2 run.
void BM_Narrow16(benchmark::State& state) {
  FadeSpanAllowWideVectors(false);
  if (state.range(1) == 0)
    BM_FadeUnPal(state);
  else
    BM_D3DFadeQuad(state);
  FadeSpanAllowWideVectors(true);
}
BENCHMARK(BM_Narrow16)->Args({1, 0})->Args({3, 1})->Unit(benchmark::kMicrosecond);

// The baseline: memcpy of a 640 x 480 frame at 2 and 4 bytes per pixel.
void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(kW) * kH * state.range(0);
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Memcpy)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
