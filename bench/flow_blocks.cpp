// Reading the condition, movement and shot blocks of flow commands: a stage holds
// thousands of them. Current-version files against old ones (whose member lists differ
// from the current one), and the making of a new block in its holder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "data/database/database.h"
#include "data/flow/condition.h"
#include "data/flow/movement_block.h"
#include "data/flow/shot_block.h"

namespace {

constexpr int kCount = 1000;

template <typename T>
std::vector<std::uint8_t> Body(T& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// kCount conditions as a counted list, written at the current version (an old file's
// list has the same bytes after the version gates when the members it lacks are dropped;
// the benchmark only varies the version the reader is told).
std::vector<std::uint8_t> CondListBytes() {
  std::vector<cCond> list(kCount);
  for (int i = 0; i < kCount; ++i) list[i].m_nKind = static_cast<std::int8_t>(1 + i % 7);
  cDataWriter out;
  WriteCondVector(list, out);
  return out.Bytes();
}

void BM_ReadCondVector811(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = CondListBytes();
  std::vector<cCond> list;
  g_nFileVersion = g_nDataVersion;
  for (auto _ : state) {
    cDataReader in(bytes.data(), bytes.size());
    ReadCondVector(list, in);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ReadCondVector811);

void BM_ReadCondVectorOld(benchmark::State& state) {
  // Version 766: the same 17 members as 811, yet a different version word, so every
  // record switches its member table to the file's version and back.
  const std::vector<std::uint8_t> bytes = CondListBytes();
  std::vector<cCond> list;
  g_nFileVersion = 766;
  for (auto _ : state) {
    cDataReader in(bytes.data(), bytes.size());
    ReadCondVector(list, in);
    benchmark::DoNotOptimize(list.data());
  }
  g_nFileVersion = g_nDataVersion;
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ReadCondVectorOld);

void BM_CreateAndReadEdShot(benchmark::State& state) {
  cEdShot sample;
  const std::vector<std::uint8_t> one = Body(sample);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < kCount; ++i) bytes.insert(bytes.end(), one.begin(), one.end());
  g_nFileVersion = g_nDataVersion;
  g_Database.m_Effect.resize(10);
  std::vector<cEdShotHolder> holders(kCount);
  for (auto _ : state) {
    cDataReader in(bytes.data(), bytes.size());
    for (cEdShotHolder& h : holders) {
      CreateEdShot(h);
      h->Read(in);
    }
    benchmark::DoNotOptimize(holders.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_CreateAndReadEdShot);

void BM_CreateAndReadEdMove(benchmark::State& state) {
  cEdMove sample;
  const std::vector<std::uint8_t> one = Body(sample);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < kCount; ++i) bytes.insert(bytes.end(), one.begin(), one.end());
  g_nFileVersion = g_nDataVersion;
  std::vector<cEdMoveHolder> holders(kCount);
  for (auto _ : state) {
    cDataReader in(bytes.data(), bytes.size());
    for (cEdMoveHolder& h : holders) {
      CreateEdMove(h);
      h->Read(in);
    }
    benchmark::DoNotOptimize(holders.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_CreateAndReadEdMove);

}  // namespace

BENCHMARK_MAIN();
