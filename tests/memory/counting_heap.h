#pragma once
// The test program of this folder replaces the global operator new and delete with ones
// that count the bytes live on the heap and the most that were live at once, so a test
// can measure what loading a file costs.
#include <cstddef>

namespace counting_heap {

// Bytes handed out and not yet given back.
std::size_t LiveBytes();
// The most bytes live at once since the last ResetPeak.
std::size_t PeakBytes();
void ResetPeak();

// The most bytes that running `f` had live beyond those live before it.
template <typename F>
std::size_t PeakGrowthOf(F&& f) {
  const std::size_t before = LiveBytes();
  ResetPeak();
  f();
  return PeakBytes() - before;
}

}  // namespace counting_heap
