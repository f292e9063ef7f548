#pragma once
// The entry of the benchmarks that bring the display up: on SDL's dummy video driver
// unless the caller chose another, so that they run on machines without a screen.
#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunDisplayBenchmarks(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
