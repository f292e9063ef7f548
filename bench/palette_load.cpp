// Reading a common palette of a few hundred characters, each with ten flows of ten
// commands, half of them taking their flows and most groups from an earlier entry.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "data/palette/palette.h"

namespace {

constexpr int kCharas = 300;
constexpr int kFlows = 10;
constexpr int kCommands = 10;

std::vector<std::uint8_t> PaletteBytes(bool inheriting) {
  cPalette palette;
  palette.m_vChara.resize(kCharas);
  for (int i = 1; i < kCharas; ++i) {
    cPaletteChara& chara = palette.m_vChara[static_cast<std::size_t>(i)];
    chara.m_vFlow.resize(kFlows);
    for (int f = 0; f < kFlows; ++f) {
      cFlow& flow = chara.m_vFlow[static_cast<std::size_t>(f)];
      flow.m_nID = static_cast<std::int8_t>(1 + f);
      flow.m_vCmd.resize(kCommands);
    }
    if (inheriting && i > 1 && i % 2 == 0) {
      chara.m_nPaletteKind = PALETTE_COMMON;
      chara.m_nPaletteIndex = static_cast<std::int16_t>(i - 1);
      chara.m_vInherit.assign(kCharaInheritGroups, 1);
    }
  }
  // References are repaired against the common palette when written.
  g_CommonPalette = palette;
  cDataWriter out;
  palette.Write(out);
  return out.Bytes();
}

void ReadPalette(benchmark::State& state, bool inheriting) {
  g_nFileVersion = g_nDataVersion;
  const std::vector<std::uint8_t> bytes = PaletteBytes(inheriting);
  for (auto _ : state) {
    g_CommonPalette = cPalette();
    cDataReader in(bytes.data(), bytes.size());
    g_CommonPalette.Read(in);
    benchmark::DoNotOptimize(g_CommonPalette.m_vChara.data());
  }
  state.SetItemsProcessed(state.iterations() * kCharas);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_ReadCommonPalette(benchmark::State& state) { ReadPalette(state, false); }
BENCHMARK(BM_ReadCommonPalette);

void BM_ReadInheritingCommonPalette(benchmark::State& state) { ReadPalette(state, true); }
BENCHMARK(BM_ReadInheritingCommonPalette);

}  // namespace

BENCHMARK_MAIN();
