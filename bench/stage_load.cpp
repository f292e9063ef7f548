// Loading a large stage and the common palette from their files, as stage play and
// start-up do. The game is written once by the test game writer: a stage of 1000 x 100
// blocks with 500 character placements that inherit ten flows of ten commands each from
// the stage's character definition, and a common palette of a few hundred characters
// with flows of the same size. The plain read of the same file into memory is the floor;
// each load reports "x_plain_read", its time over the floor's, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "tests/support/game_writer.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kPaletteBlocks = 100;
constexpr int kPaletteCharas = 300;
constexpr int kPaletteItems = 50;
const char* const kStageName = "large";

// Wall-clock seconds.

// The common palette: every character holds the flows of the stage's character
// definition (ten flows of ten commands).
cPalette MakePalette(const cStageData& stage) {
  cPalette palette;
  palette.m_vBlock.resize(kPaletteBlocks, stage.m_vBlockDef[1]);
  palette.m_vChara.resize(kPaletteCharas, stage.m_vCharaDef[1]);
  palette.m_vItem.resize(kPaletteItems, stage.m_vItemDef[1]);
  return palette;
}

struct cFixture {
  cTempFolder folder{"tovrel-bench-stage-"};  // the game folder, current while the program runs
  std::string stagePath;                       // program paths, relative to the game folder
  std::string palettePath = kCommonPalettePath;
  cFixture() {
    cGameContent game;
    cStageData& stage = game.Stages[0].Prepared.emplace();
    BuildStage(stage, cStageShape{});
    game.Stages[0].strName = kStageName;
    game.Palette = MakePalette(stage);
    if (!WriteGame(game)) std::fprintf(stderr, "the game could not be written in %s\n", folder.Dir().c_str());
    stagePath = GameStagePath(kStageName);
    // Stage play loads a stage after the databases and the common palette.
    g_Database.Load();
    LoadCommonPalette();
  }
};

cFixture& Fixture() {
  static cFixture fixture;
  return fixture;
}

// "data\stg4\large.stg4_811" -> "data/stg4/large.stg4_811" (the plain read uses fopen).
std::string HostName(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}


void BM_PlainReadStage(benchmark::State& state) {
  const std::string host = HostName(Fixture().stagePath);
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(host).data());
}
BENCHMARK(BM_PlainReadStage)->Unit(benchmark::kMillisecond);

// Runs `load` in the benchmark loop and reports its mean time over the plain read of
// `path`.
template <typename Load>
void MeasureLoad(benchmark::State& state, const std::string& path, Load&& load) {
  if (!load()) {
    state.SkipWithError("the file does not load");
    return;
  }
  const double floor = PlainReadSeconds(HostName(path));
  const double start = Now();
  for (auto _ : state) benchmark::DoNotOptimize(load());
  const double mean = (Now() - start) / static_cast<double>(state.iterations());
  state.counters["x_plain_read"] = mean / floor;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(HostName(path))));
}

void BM_LoadStage(benchmark::State& state) {
  const cFixture& f = Fixture();
  MeasureLoad(state, f.stagePath, [&] { return g_StageData.LoadFromFile(f.stagePath.c_str()); });
}
BENCHMARK(BM_LoadStage)->Unit(benchmark::kMillisecond);

void BM_PlainReadCommonPalette(benchmark::State& state) {
  const std::string host = HostName(Fixture().palettePath);
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(host).data());
}
BENCHMARK(BM_PlainReadCommonPalette)->Unit(benchmark::kMillisecond);

void BM_LoadCommonPalette(benchmark::State& state) {
  const cFixture& f = Fixture();
  MeasureLoad(state, f.palettePath, [] { return LoadCommonPalette(); });
}
BENCHMARK(BM_LoadCommonPalette)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
