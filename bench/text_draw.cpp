// Text against blits, measured in one run: a page of 600 full-width characters (20 lines
// of 30 at 16 x 16) drawn by a font of the installed gothic face, with its glyphs already
// rendered once, against 600 colour-keyed 16 x 16 blits of a sprite to the same places, for
// every back end and depth; with and without the glyph caches. What the first use of each
// glyph costs (FreeType rendering, cache building) is measured apart.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/display_bench_main.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"

namespace {

constexpr int kCell = 16, kCols = 30, kRows = 20;

struct Mode {
  int bDirect3D, nBpp, bWindow;
};
const Mode kModes[] = {{1, 32, 1}, {1, 16, 1}, {0, 8, 0}, {0, 16, 0}, {0, 32, 0}};

std::string Label(const Mode& mode) { return std::string(mode.bDirect3D ? "D3D" : "DD") + std::to_string(mode.nBpp); }

bool BringUp(const Mode& mode) {
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    return false;
  g_dwTransmit = mode.nBpp == 8 ? 0 : (mode.nBpp == 16 ? 0xF81F : 0xFF00FF);
  for (int i = 0; i < 256; ++i)
    g_Palette[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
  return true;
}

// 600 full-width characters of the cached list, in lines of 30.
std::string Page() {
  std::string page;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      const int k = (row * kCols + col) % 256;
      page.append(kFastFontSeed + 2 * k, 2);
    }
    page += '\n';
  }
  return page;
}

void TextPage(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  const int bFast = static_cast<int>(state.range(1));
  if (!BringUp(mode)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  cFont font;
  if (!font.Init("ＭＳ ゴシック", 0, kCell, kCell, kCell, 241, nullptr, 0, 0, nullptr, bFast)) {
    state.SkipWithError("the gothic face is not installed");
    DDEnd();
    return;
  }
  const std::string page = Page();
  font.DrawText(&g_BackBuffer, 0, 0, page.c_str());  // every glyph rendered once
  for (auto _ : state) {
    font.DrawText(&g_BackBuffer, 0, 0, page.c_str());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCols * kRows);
  state.SetLabel(Label(mode) + (bFast ? " caches" : " glyph memo"));
  font.Release();
  DDEnd();
}
BENCHMARK(TextPage)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})->Unit(benchmark::kMicrosecond);

// The baseline: the same number of keyed 16 x 16 blits, from a sprite with a transparent
// border like a glyph's.
void KeyedBlits(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  DDSURFACEDATA sprite;
  if (!BringUp(mode) || !DDCreateSurface(&sprite, kCell, kCell, 1, 0, 0, 0, 0)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  cPixelBuffer& px = *DDSurfacePixels(&sprite);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const bool clear = x < 2 || x >= 14 || y < 1 || y >= 15 || (x + y) % 3 == 0;
      std::uint32_t v;
      switch (px.format) {
        case ePixelFormat::kA8R8G8B8: v = clear ? 0 : 0xFF112233u; break;
        case ePixelFormat::kA1R5G5B5: v = clear ? 0 : 0x8123u; break;
        case ePixelFormat::kR5G6B5: v = clear ? 0xF81Fu : 0x1234u; break;
        case ePixelFormat::kP8: v = clear ? 0 : 241; break;
        default: v = clear ? 0xFF00FFu : 0x112233u; break;
      }
      px.Put(x, y, v);
    }
  for (auto _ : state) {
    for (int row = 0; row < kRows; ++row)
      for (int col = 0; col < kCols; ++col)
        DDBlt(&g_BackBuffer, col * kCell, row * kCell, kCell, kCell, &sprite, 0, 0, 1);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCols * kRows);
  state.SetLabel(Label(mode));
  DDReleaseSurface(&sprite);
  DDEnd();
}
BENCHMARK(KeyedBlits)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// First use: a page drawn with a source that has rendered nothing yet; with the caches,
// making the font (which renders and lays out both caches) is counted too.
void TextPageFirstUse(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  const int bFast = static_cast<int>(state.range(1));
  if (!BringUp(mode)) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  const std::string page = Page();
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<cGlyphSource> source = MakeInstalledGlyphSource();
    SetFontGlyphSource(source.get());
    cFont font;
    state.ResumeTiming();
    font.Init("ＭＳ ゴシック", 0, kCell, kCell, kCell, 241, nullptr, 0, 0, nullptr, bFast);
    font.DrawText(&g_BackBuffer, 0, 0, page.c_str());
    benchmark::ClobberMemory();
    state.PauseTiming();
    font.Release();
    SetFontGlyphSource(nullptr);
    source.reset();
    state.ResumeTiming();
  }
  state.SetLabel(Label(mode) + (bFast ? " caches" : " glyph memo"));
  DDEnd();
}
BENCHMARK(TextPageFirstUse)->ArgsProduct({{0, 2}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(5);

// memcpy of the bytes 600 cells of 16 x 16 cover, at 1, 2 and 4 bytes per pixel.
void Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(kCols * kRows) * kCell * kCell * state.range(0);
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(Memcpy)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
