#pragma once
// Shared by the benchmarks; header-only, since every bench/*.cpp is a program of its own:
// the clock, the mean time of one call, and the plain read of a file that loads are
// measured against. A benchmark's temporary folder is the tests' cTempFolder
// (tests/support/temp_dir.h).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

// The whole of a file (a host path) read into memory with fopen and fread: the floor a
// load is measured against. Empty when the file cannot be read.
inline std::vector<std::uint8_t> PlainRead(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<std::size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  std::fclose(file);
  return bytes;
}

// Wall-clock seconds, for the ratios a benchmark reports against its baseline.
inline double Now() {
  std::timespec now{};
  std::timespec_get(&now, TIME_UTC);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Mean seconds of one call: the mean over 20 ms, the best of five rounds (the first calls
// after a load find the heap in another state).
template <typename Work>
double MeanSeconds(Work&& work) {
  double best = 0;
  for (int round = 0; round < 5; ++round) {
    const double start = Now();
    std::int64_t n = 0;
    double spent = 0;
    do {
      benchmark::DoNotOptimize(work());
      ++n;
      spent = Now() - start;
    } while (spent < 0.02);
    const double mean = spent / static_cast<double>(n);
    if (round == 0 || mean < best) best = mean;
  }
  return best;
}

// Seconds of one plain read of a file (a host path).
inline double PlainReadSeconds(const std::string& host) {
  return MeanSeconds([&] { return PlainRead(host).data(); });
}
