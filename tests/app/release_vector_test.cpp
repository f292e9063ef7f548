#include "app/release_vector.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_nAlive = 0;

struct Counted {
  Counted() { ++g_nAlive; }
  Counted(const Counted&) { ++g_nAlive; }
  virtual ~Counted() { --g_nAlive; }
};

TEST(ReleaseVectorTest, DestroysElementsAndFreesTheStorage) {
  std::vector<Counted> v(5);
  v.reserve(32);
  ASSERT_EQ(g_nAlive, 5);
  ReleaseVector(v);
  EXPECT_EQ(g_nAlive, 0);
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(v.capacity(), 0u);
}

}  // namespace
