// Starting a stage for play against reading it directly, in one run: the integrity check
// of a stage file (a look at its last four bytes) and of a replay (its stage body read),
// each against the plain read of the file, and the whole start (check, read on the load
// thread while the caller serves its queue, hero test, pristine copy) against the read
// of the same stage alone. Each reports "x_baseline", its time over its baseline's.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/record/data_file.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"
#include "tests/support/byte_builder.h"
#include "tests/support/game_writer.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const kStageName = "large";
const char* const kReplayPath = "data\\stg4\\large.rpl4_811";
const char* const kReplayHost = "data/stg4/large.rpl4_811";


struct cFixture {
  cTempFolder folder{"tovrel-bench-play-"};
  std::string stagePath;
  std::string stageHost;
  cFixture() {
    cGameContent game;
    cStageData& stage = game.Stages[0].Prepared.emplace();
    BuildStage(stage, cStageShape{});
    game.Stages[0].strName = kStageName;
    if (!WriteGame(game)) std::fprintf(stderr, "the game could not be written in %s\n", folder.Dir().c_str());
    stagePath = GameStagePath(kStageName);
    stageHost = "data/stg4/" + std::string(kStageName) + ".stg4_811";
    g_Database.Load();
    LoadCommonPalette();
    // A replay of the stage: version word, stage body, then records of its own.
    LoadStageForPlay(stagePath.c_str(), 0, &g_StageDataOrg);
    cDataWriter out;
    out.WriteInt32(g_nDataVersion);
    g_StageData.WriteForReplay(out, g_StageDataOrg);
    std::vector<std::uint8_t> bytes = out.Bytes();
    cByteBuilder tail;
    tail.Fill(4096, 1);
    bytes.insert(bytes.end(), tail.Get().begin(), tail.Get().end());
    WriteTestFile(kReplayHost, bytes);
  }
};

cFixture& Fixture() {
  static cFixture fixture;
  return fixture;
}

template <typename Work, typename Baseline>
void Measure(benchmark::State& state, Work&& work, Baseline&& baseline) {
  if (!work()) {
    state.SkipWithError("the work fails");
    return;
  }
  const double floor = MeanSeconds(baseline);
  const double start = Now();
  for (auto _ : state) benchmark::DoNotOptimize(work());
  const double mean = (Now() - start) / static_cast<double>(state.iterations());
  state.counters["x_baseline"] = mean / floor;
}

void BM_CheckStageFile(benchmark::State& state) {
  const cFixture& f = Fixture();
  Measure(
      state, [&] { return CheckStageFile(f.stagePath.c_str()); },
      [&] { return PlainRead(f.stageHost).size(); });
}
BENCHMARK(BM_CheckStageFile)->Unit(benchmark::kMillisecond);

void BM_CheckReplayFile(benchmark::State& state) {
  Fixture();
  Measure(
      state, [] { return CheckStageFile(kReplayPath); }, [] { return PlainRead(kReplayHost).size(); });
}
BENCHMARK(BM_CheckReplayFile)->Unit(benchmark::kMillisecond);

void BM_LoadStageForPlay(benchmark::State& state) {
  const cFixture& f = Fixture();
  Measure(
      state, [&] { return LoadStageForPlay(f.stagePath.c_str(), 0, &g_StageDataOrg); },
      [&] { return g_StageData.LoadFromFile(f.stagePath.c_str()); });
}
BENCHMARK(BM_LoadStageForPlay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
