// Reading the world map at start-up and a save slot, against a plain copy of the same
// bytes: a large map of 256 x 256 cells with 500 worlds of four entries each, and a save
// with its full variable and clear-flag lists and a hundred stage scores.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/save/progress.h"
#include "data/worldmap/world_map.h"

namespace {

constexpr int kMapSize = 256;
constexpr int kWorlds = 500;
constexpr int kEntries = 4;
constexpr int kScores = 100;

std::vector<std::uint8_t> MapBytes() {
  cWorldMap map;
  map.SetSize(kMapSize, kMapSize);
  for (std::size_t i = 0; i < map.m_vCell.size(); ++i) map.m_vCell[i] = static_cast<std::int32_t>(i % 10);
  map.m_vWorld.resize(kWorlds);
  for (int w = 0; w < kWorlds; ++w) {
    cWorld& world = map.m_vWorld[static_cast<std::size_t>(w)];
    world.m_nWorldX = w % kMapSize;
    world.m_nWorldY = w / kMapSize;
    world.m_strWorldName = "world " + std::to_string(w);
    world.m_vStage.resize(kEntries);
    for (cWorldStage& entry : world.m_vStage) entry.m_strStageFile = "stage" + std::to_string(w) + "-1.stg4_811";
  }
  cDataWriter out;
  map.Write(out);
  return out.Bytes();
}

std::vector<std::uint8_t> SaveBytes() {
  cProgress progress;
  for (int i = 0; i < kScores; ++i) {
    const std::string name = "stage" + std::to_string(i) + ".";
    progress.UpdateStageScore(name, name, 0, 0, 0, i);
  }
  cDataWriter out;
  progress.Write(out);
  return out.Bytes();
}

void BM_CopyMapBytes(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = MapBytes();
  std::vector<std::uint8_t> copy(bytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_CopyMapBytes);

void BM_ReadWorldMap(benchmark::State& state) {
  g_nFileVersion = g_nDataVersion;
  const std::vector<std::uint8_t> bytes = MapBytes();
  for (auto _ : state) {
    cWorldMap map;
    cDataReader in(bytes.data(), bytes.size());
    map.Read(in);
    benchmark::DoNotOptimize(map.m_vCell.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadWorldMap);

void BM_CopySaveBytes(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = SaveBytes();
  std::vector<std::uint8_t> copy(bytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_CopySaveBytes);

void BM_ReadSave(benchmark::State& state) {
  g_nFileVersion = g_nDataVersion;
  const std::vector<std::uint8_t> bytes = SaveBytes();
  cProgress progress;
  for (auto _ : state) {
    cDataReader in(bytes.data(), bytes.size());
    progress.Read(in);
    benchmark::DoNotOptimize(progress.m_Vars.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadSave);

}  // namespace

BENCHMARK_MAIN();
