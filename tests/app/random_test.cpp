#include "app/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>

#include "platform/crt_random.h"

namespace {

struct RangeCase {
  int a;
  int b;
  friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.a << "," << c.b; }
};

class GetRandRange : public ::testing::TestWithParam<RangeCase> {};

// lo + rand() % (hi - lo + 1), either bound first, from the program's generator.
TEST_P(GetRandRange, FollowsTheGeneratorWithinTheBounds) {
  const RangeCase& c = GetParam();
  const std::int64_t lo = c.a < c.b ? c.a : c.b;
  const std::int64_t hi = c.a < c.b ? c.b : c.a;
  SeedRand(12345);
  std::int64_t expected[64];
  for (auto& value : expected) value = lo + CrtRand() % (hi - lo + 1);
  SeedRand(12345);
  for (std::int64_t value : expected) {
    const int got = GetRand(c.a, c.b);
    EXPECT_EQ(got, value);
    EXPECT_GE(got, lo);
    EXPECT_LE(got, hi);
  }
}

INSTANTIATE_TEST_SUITE_P(Bounds, GetRandRange,
                         ::testing::Values(RangeCase{0, 9}, RangeCase{5, 3}, RangeCase{-10, 10},
                                           RangeCase{7, 7}, RangeCase{INT_MIN, INT_MAX},
                                           RangeCase{INT_MAX, -1}, RangeCase{INT_MIN, 0},
                                           RangeCase{INT_MAX - 2, INT_MAX}));

TEST(GetRandTest, SwappedBoundsReachEveryValue) {
  SeedRand(1);
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) seen.insert(GetRand(5, 3));
  EXPECT_EQ(seen, (std::set<int>{3, 4, 5}));
}

TEST(GetRandTest, SameSeedSameSequence) {
  SeedRand(99);
  const int first[3] = {GetRand(0, 1000), GetRand(0, 1000), GetRand(0, 1000)};
  SeedRand(99);
  for (int value : first) EXPECT_EQ(GetRand(0, 1000), value);
}

}  // namespace
