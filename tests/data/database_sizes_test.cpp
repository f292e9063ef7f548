#include <gtest/gtest.h>

#include "data/database/database.h"
#include "data/common/database_list_sizes.h"

namespace {

class DatabaseSizesTest : public ::testing::Test {
 protected:
  void SetUp() override { g_Database.Reset(); }
  void TearDown() override { g_Database.Reset(); }
};

TEST_F(DatabaseSizesTest, SizeOfEachListByKind) {
  g_Database.ForEachFileList([](int nKind, auto& list) {
    list.resize(static_cast<std::size_t>(nKind) + 3);
    return true;
  });
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) EXPECT_EQ(GetDatabaseSize(kind), kind + 3) << kind;
  EXPECT_EQ(GetDatabaseSize(-1), 0);
  EXPECT_EQ(GetDatabaseSize(DBKIND_COUNT), 0);
}

TEST_F(DatabaseSizesTest, RepairToOneOnlyWhenTheListHoldsEntryOne) {
  struct Case {
    int size;
    int index;
    int replacement;
    int repaired;
  };
  const Case cases[] = {
      {3, 2, 1, 2},   // in range: kept
      {3, 3, 1, 1},   // out of range: the replacement
      {3, -1, 1, 1},  // negative: out of range
      {3, 7, 0, 0},
      {2, 5, 1, 1},
      {1, 5, 1, 0},  // only the "none" entry: 1 would name nothing
      {1, 0, 1, 0},
      {0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << " index " << c.index);
    g_Database.m_Sound.resize(static_cast<std::size_t>(c.size));
    EXPECT_EQ(RepairDatabaseIndex(DBKIND_SOUND, c.index, c.replacement), c.repaired);
  }
  EXPECT_EQ(RepairDatabaseIndex(DBKIND_COUNT, 1, 1), 0);
}

}  // namespace
