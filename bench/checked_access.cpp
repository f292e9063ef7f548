// The guarded element access against plain indexing over the same vector, in one run.
// The summing loops take the vector by reference, as the game's loops reach its tables
// and lists, and are kept out of line alike so that both kinds compile the same way.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/checked_access.h"

namespace {

constexpr int kCount = 4096;

struct SumData {
  SumData() : values(kCount), scattered(kCount) {
    for (int i = 0; i < kCount; ++i) {
      values[i] = i * 7 - 3;
      // i times an odd number modulo a power of two visits every index once.
      scattered[i] = static_cast<int>((static_cast<unsigned>(i) * 2654435761u) % kCount);
    }
  }
  std::vector<int> values;
  std::vector<int> scattered;
};

[[gnu::noinline]] long long SumSequentialPlain(std::vector<int>& values) {
  const int count = static_cast<int>(values.size());
  long long sum = 0;
  for (int i = 0; i < count; ++i) sum += values[i];
  return sum;
}

[[gnu::noinline]] long long SumSequentialChecked(std::vector<int>& values) {
  const int count = static_cast<int>(values.size());
  long long sum = 0;
  for (int i = 0; i < count; ++i) sum += CheckedAt(values, i);
  return sum;
}

[[gnu::noinline]] long long SumScatteredPlain(std::vector<int>& values, const std::vector<int>& indices) {
  long long sum = 0;
  for (int index : indices) sum += values[index];
  return sum;
}

[[gnu::noinline]] long long SumScatteredChecked(std::vector<int>& values, const std::vector<int>& indices) {
  long long sum = 0;
  for (int index : indices) sum += CheckedAt(values, index);
  return sum;
}

template <long long (*kSum)(std::vector<int>&)>
void BM_Sequential(benchmark::State& state) {
  SumData data;
  for (auto _ : state) {
    benchmark::DoNotOptimize(data.values.data());
    long long sum = kSum(data.values);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

template <long long (*kSum)(std::vector<int>&, const std::vector<int>&)>
void BM_Scattered(benchmark::State& state) {
  SumData data;
  for (auto _ : state) {
    benchmark::DoNotOptimize(data.values.data());
    long long sum = kSum(data.values, data.scattered);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

BENCHMARK(BM_Sequential<SumSequentialPlain>)->Name("Sequential/Plain");
BENCHMARK(BM_Sequential<SumSequentialChecked>)->Name("Sequential/Checked");
BENCHMARK(BM_Scattered<SumScatteredPlain>)->Name("Scattered/Plain");
BENCHMARK(BM_Scattered<SumScatteredChecked>)->Name("Scattered/Checked");

}  // namespace

BENCHMARK_MAIN();
