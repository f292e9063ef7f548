// Loading a stage whose character placements all inherit the flows of one definition: 500
// placements, one definition of 100 flows of ten commands. Inherited lists are shared,
// so the load costs what the file holds rather than placements times flows. The plain
// read of the same file is the floor: "x_plain_read" is the load's time over the floor's,
// measured in the same run. "heap_peak_MiB" is the most heap the load had in use at once
// beyond what was in use before it, counted by this program's own operator new, and
// "heap_per_file_byte" that peak over the file's size.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>

#include "bench/bench_support.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/stage/stage_data.h"
#include "tests/support/game_writer.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

// ---------------------------------------------------------------- the counted heap

namespace {

std::atomic<std::size_t> g_nLive{0};
std::atomic<std::size_t> g_nPeak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!p) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(p) = n;
  const std::size_t live = g_nLive.fetch_add(n, std::memory_order_relaxed) + n;
  std::size_t peak = g_nPeak.load(std::memory_order_relaxed);
  while (live > peak && !g_nPeak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return p + kHeader;
}

void Release(void* block) noexcept {
  if (!block) return;
  unsigned char* p = static_cast<unsigned char*>(block) - kHeader;
  g_nLive.fetch_sub(*reinterpret_cast<std::size_t*>(p), std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

// ---------------------------------------------------------------- the stage

namespace {

const char* const kStageName = "inherited";
constexpr int kPlacements = 500;
constexpr int kFlows = 100;
constexpr int kCommandsPerFlow = 10;


std::string HostName(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

struct cFixture {
  cTempFolder folder{"tovrel-bench-inherit-"};
  std::string stagePath;
  cFixture() {
    cGameContent game;
    cStageData& stage = game.Stages[0].Prepared.emplace();
    cStageShape shape;
    shape.nWidth = 100;
    shape.nHeight = 20;
    shape.bFillBlocks = false;
    shape.nCharaPlacements = kPlacements;
    shape.nFlowsPerChara = kFlows;
    shape.nCommandsPerFlow = kCommandsPerFlow;
    BuildStage(stage, shape);
    game.Stages[0].strName = kStageName;
    if (!WriteGame(game)) std::fprintf(stderr, "the game could not be written in %s\n", folder.Dir().c_str());
    stagePath = GameStagePath(kStageName);
    g_Database.Load();
    LoadCommonPalette();
  }
};

cFixture& Fixture() {
  static cFixture fixture;
  return fixture;
}

void BM_PlainReadInheritingStage(benchmark::State& state) {
  const std::string host = HostName(Fixture().stagePath);
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(host).data());
}
BENCHMARK(BM_PlainReadInheritingStage)->Unit(benchmark::kMillisecond);

void BM_LoadInheritingStage(benchmark::State& state) {
  const cFixture& f = Fixture();
  const std::string host = HostName(f.stagePath);
  const auto fileBytes = static_cast<double>(std::filesystem::file_size(host));
  // The heap of one load, from a stage of its own: the stage held before is freed as the
  // new one is read, which would hide part of the cost.
  g_StageData.Reset();
  const std::size_t before = g_nLive.load();
  g_nPeak.store(before);
  if (!g_StageData.LoadFromFile(f.stagePath.c_str())) {
    state.SkipWithError("the file does not load");
    return;
  }
  const auto peak = static_cast<double>(g_nPeak.load() - before);

  const double floor = PlainReadSeconds(host);
  const double start = Now();
  for (auto _ : state) benchmark::DoNotOptimize(g_StageData.LoadFromFile(f.stagePath.c_str()));
  const double mean = (Now() - start) / static_cast<double>(state.iterations());
  state.counters["x_plain_read"] = mean / floor;
  state.counters["heap_peak_MiB"] = peak / (1024.0 * 1024.0);
  state.counters["heap_per_file_byte"] = peak / fileBytes;
  state.counters["file_KiB"] = fileBytes / 1024.0;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
}
BENCHMARK(BM_LoadInheritingStage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
