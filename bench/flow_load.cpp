// Loading and saving flows: the bulk of a game's data. A common palette of a few hundred
// characters with ten flows of ten commands each is ordinary; it is written to a data
// file once, then read back (whole file into memory and parsed into records) and saved
// again. The plain read of the same file into memory runs in the same program as the
// floor; the counters report load / plain read.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/record/data_file.h"
#include "data/record/data_record.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kCharacters = 300;
constexpr int kFlowsPerCharacter = 10;
constexpr int kCommandsPerFlow = 10;

std::vector<cFlow> MakeFlows() {
  std::vector<cFlow> flows(kCharacters * kFlowsPerCharacter);
  int n = 0;
  for (cFlow& flow : flows) {
    flow.m_nTrigger = static_cast<std::int8_t>(n % 12);
    flow.m_vCond.resize(n % 3);
    flow.m_vCmd.resize(kCommandsPerFlow);
    for (cFlowCmd& cmd : flow.m_vCmd) {
      switch (n++ % 4) {
        case 0:
          cmd.m_nKind = FLOWCMD_MOVE_STRAIGHT;
          CreateEdMove(cmd.m_pMove);
          break;
        case 1:
          cmd.m_nKind = FLOWCMD_SHOT;
          CreateEdShot(cmd.m_pShot);
          break;
        default:
          cmd.m_nKind = FLOWCMD_WAIT;
          break;
      }
      cmd.m_nTime = 5;
    }
  }
  return flows;
}

struct cFixture {
  cTempFolder folder{"tovrel-bench-flows-"};  // the current folder while the program runs
  std::string path = "flows.dat";             // a program path: relative to the current folder
  std::uintmax_t bytes = 0;
  cFixture() {
    std::vector<cFlow> flows = MakeFlows();
    auto file = OpenDataFileForWrite(path.c_str());
    WriteFlowVector(flows, file->Out);
    CloseDataFile(std::move(file));
    bytes = std::filesystem::file_size(std::filesystem::path(folder.Dir()) / path);
  }
};

cFixture& Fixture() {
  static cFixture fixture;
  return fixture;
}

void BM_PlainRead(benchmark::State& state) {
  cFixture& f = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(f.path).data());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);

void BM_LoadFlows(benchmark::State& state) {
  cFixture& f = Fixture();
  std::vector<cFlow> flows;
  for (auto _ : state) {
    auto in = OpenDataFileForRead(f.path.c_str());
    ReadFlowVector(flows, *in);
    benchmark::DoNotOptimize(flows.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(BM_LoadFlows)->Unit(benchmark::kMicrosecond);

// Writing the records into memory, without the file (whose sync to the disk dominates).
void BM_SerializeFlows(benchmark::State& state) {
  std::vector<cFlow> flows = MakeFlows();
  for (auto _ : state) {
    cDataWriter out;
    WriteFlowVector(flows, out);
    benchmark::DoNotOptimize(out.Bytes().data());
  }
}
BENCHMARK(BM_SerializeFlows)->Unit(benchmark::kMicrosecond);

void BM_SaveFlows(benchmark::State& state) {
  cFixture& f = Fixture();
  std::vector<cFlow> flows = MakeFlows();
  for (auto _ : state) {
    auto file = OpenDataFileForWrite("saved.dat");
    WriteFlowVector(flows, file->Out);
    benchmark::DoNotOptimize(CloseDataFile(std::move(file)));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(BM_SaveFlows)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
