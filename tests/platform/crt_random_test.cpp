#include "platform/crt_random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

namespace {

// The recurrence of the Windows C runtime, written out here independently.
std::vector<int> Reference(std::uint32_t seed, int count) {
  std::vector<int> values;
  std::uint32_t x = seed;
  for (int i = 0; i < count; ++i) {
    x = x * 214013u + 2531011u;
    values.push_back(static_cast<int>((x >> 16) & 0x7FFF));
  }
  return values;
}

std::vector<int> Draw(int count) {
  std::vector<int> values;
  for (int i = 0; i < count; ++i) values.push_back(CrtRand());
  return values;
}

}  // namespace

TEST(CrtRandom, FreshThreadStartsFromSeedOne) {
  std::vector<int> values;
  std::thread([&values] { values = Draw(5); }).join();
  EXPECT_EQ(values, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(CrtRandom, SeedOneGivesTheKnownSequence) {
  CrtSrand(1);
  EXPECT_EQ(Draw(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
  CrtSrand(1);
  EXPECT_EQ(Draw(1000), Reference(1, 1000));
}

TEST(CrtRandom, OtherSeedsFollowTheRecurrence) {
  for (std::uint32_t seed : {0u, 42u, 12345u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    CrtSrand(seed);
    EXPECT_EQ(Draw(1000), Reference(seed, 1000)) << "seed " << seed;
  }
  CrtSrand(0);
  EXPECT_EQ(CrtRand(), 38);  // (2531011 >> 16) & 0x7FFF
}

TEST(CrtRandom, ValuesStayWithinRandMax) {
  CrtSrand(987654321u);
  for (int i = 0; i < 100000; ++i) {
    const int v = CrtRand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, CRT_RAND_MAX);
  }
}

TEST(CrtRandom, EachThreadHasItsOwnState) {
  CrtSrand(7);
  std::vector<int> mainValues = Draw(3);
  std::vector<int> threadValues;
  std::thread worker([&threadValues] {
    CrtSrand(99);
    threadValues = Draw(500);
  });
  worker.join();
  // The worker's seed and draws did not touch this thread's state.
  const std::vector<int> more = Draw(497);
  mainValues.insert(mainValues.end(), more.begin(), more.end());
  EXPECT_EQ(mainValues, Reference(7, 500));
  EXPECT_EQ(threadValues, Reference(99, 500));
}

TEST(CrtRandom, ThreadsDrawingAtOnceKeepTheirSequences) {
  constexpr int kThreads = 8;
  std::vector<std::vector<int>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &results] {
      CrtSrand(static_cast<unsigned>(1000 + t));
      results[t] = Draw(20000);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t], Reference(1000 + t, 20000)) << t;
}
