// Saving the replay of a stage whose 3,500 block placements all inherit the 12,000
// conditions of one definition. Loaded, the placements share the one list; written, each
// placement repeats it, so the whole replay would take gigabytes. The save stops at its
// limit (what a load accepts) and is refused: "refuse_s" is the time that takes, and
// "limit_MiB" the limit. "stage_file_KiB" is the stage as its own file holds it, and
// "full_GiB" what the replay would have taken without the limit (one placement's body
// times the placements). "ordinary_ms" is the save of the same stage without the long list,
// measured in the same run.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "data/flow/condition.h"
#include "data/record/data_file.h"
#include "data/record/data_record.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "platform/message_box.h"
#include "stage/replay.h"
#include "stage/replay_files.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kPlacements = 3500;
constexpr int kInheritedConds = 12000;
constexpr int kWidth = 70;
constexpr int kHeight = 50;

constexpr int kCondGroup = 1;  // inherit flag of a block's condition list

// The stage as its file holds it: definition 1 holds the conditions, every placement
// names it and inherits them.
void BuildInheritingStage(cStageData& stage, int nConds) {
  stage.Reset();
  stage.m_vText.clear();
  stage.m_nWidth = kWidth;
  stage.m_nHeight = kHeight;
  cPaletteBlock definition;
  definition.m_nGraphic = 1;
  definition.m_vCond = std::vector<cCond>(static_cast<std::size_t>(nConds));
  stage.m_vBlockDef.push_back(definition);
  cPaletteChara hero;
  hero.m_nGraphic = 1;
  hero.m_nController = CHARACTRL_PLAYER;
  stage.m_vCharaPlace.push_back(hero);
  stage.m_vBlockPlace.reserve(kPlacements);
  for (int i = 0; i < kPlacements; ++i) {
    cPaletteBlock& block = stage.m_vBlockPlace.emplace_back();
    block.m_nGraphic = 1;
    block.m_nPaletteKind = PALETTE_STAGE;
    block.m_nPaletteIndex = 1;
    block.m_vInherit[kCondGroup] = 1;
    block.m_nCellX = static_cast<std::int16_t>(i % kWidth);
    block.m_nCellY = static_cast<std::int16_t>(i / kWidth);
  }
}

// Writes the stage file and loads it for play, as a stage is loaded: the placements then
// share the definition's list. The file's size in bytes.
double WriteAndLoad(cStageData& stage, const char* name) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  stage.Write(out);
  WriteFileAtomically(name, out.Bytes());
  g_StageData.Reset();
  if (!g_StageData.LoadFromFile(name)) std::fprintf(stderr, "%s does not load\n", name);
  stage = g_StageData;
  return static_cast<double>(out.Size());
}

struct cFixture {
  cTempFolder folder{"tovrel-bench-replay-"};
  cStageData stage;
  cStageData pristine;
  cStageData ordinary;
  cStageData ordinaryPristine;
  cReplay replay;
  cProgress progress;
  double dStageFileBytes = 0;
  double dFullBytes = 0;
  cFixture() {
    std::filesystem::create_directories("user_data/rpl4");
    BuildInheritingStage(ordinary, 0);
    WriteAndLoad(ordinary, "ordinary.stg4_811");
    ordinaryPristine = ordinary;
    BuildInheritingStage(stage, kInheritedConds);
    dStageFileBytes = WriteAndLoad(stage, "inheriting.stg4_811");
    pristine = stage;
    for (int frame = 0; frame < 3600; ++frame)
      replay.Record(static_cast<std::uint16_t>(frame / 30 % 3), static_cast<std::uint16_t>(frame / 45 % 2));
    cDataWriter one;
    stage.m_vBlockPlace[0].Write(one);
    dFullBytes = static_cast<double>(one.Size()) * kPlacements;
  }
};

cFixture& Fixture() {
  static cFixture fixture;
  return fixture;
}

void BM_SaveReplayOfInheritingStage(benchmark::State& state) {
  cFixture& f = Fixture();
  cRecordingMessageBoxes boxes;  // the refusal's box, answered at once
  const double ordinary = MeanSeconds([&] {
    return SaveReplay(f.replay, "user_data\\rpl4\\ordinary.rpl4_811", f.ordinary, f.ordinaryPristine, f.progress);
  });
  int saved = 0;
  const double start = Now();
  for (auto _ : state) saved += SaveReplay(f.replay, "user_data\\rpl4\\big.rpl4_811", f.stage, f.pristine, f.progress);
  const double mean = (Now() - start) / static_cast<double>(state.iterations());
  if (saved != 0 || std::filesystem::exists("user_data/rpl4/big.rpl4_811")) state.SkipWithError("the save was not refused");
  state.counters["refuse_s"] = mean;
  state.counters["limit_MiB"] = static_cast<double>(ReplaySaveLimit()) / (1024.0 * 1024.0);
  state.counters["stage_file_KiB"] = f.dStageFileBytes / 1024.0;
  state.counters["full_GiB"] = f.dFullBytes / (1024.0 * 1024.0 * 1024.0);
  state.counters["ordinary_ms"] = ordinary * 1e3;
}
BENCHMARK(BM_SaveReplayOfInheritingStage)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
