#include "app/checked_access.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "platform/message_queue.h"
#include "tests/support/temp_dir.h"

namespace {

class CheckedAccessTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    SetECLog(0, "EC_Game.txt");
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }

  static std::string Report() { return ReadBytes("Report_Game.txt"); }
  static int Closes() { return CountPostedMessages(WM_CLOSE); }
};

struct VectorCase {
  const char* name;
  int index;
  int expectedValue;
  const char* expectedReport;  // "" when the access succeeds silently
  friend void PrintTo(const VectorCase& c, std::ostream* os) { *os << c.name; }
};

class CheckedAtCase : public CheckedAccessTest, public ::testing::WithParamInterface<VectorCase> {};

TEST_P(CheckedAtCase, ReturnsElementOrReportsAndFallsBackToElementZero) {
  const VectorCase& c = GetParam();
  std::vector<int> v{10, 11, 12, 13, 14};
  int& element = CheckedAt(v, c.index);
  EXPECT_EQ(element, c.expectedValue);
  EXPECT_EQ(Report(), c.expectedReport);
  const bool fails = c.expectedReport[0] != '\0';
  EXPECT_EQ(Closes(), fails ? 1 : 0);
  if (fails) {
    EXPECT_EQ(&element, &v[0]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Indices, CheckedAtCase,
    ::testing::Values(VectorCase{"first", 0, 10, ""}, VectorCase{"last", 4, 14, ""},
                      VectorCase{"count", 5, 10, "err V[5] ( 5 , 4 )\r\n"},
                      VectorCase{"past", 7, 10, "err V[7] ( 5 , 4 )\r\n"},
                      VectorCase{"minusOne", -1, 10, "err V[-1] ( 5 , 4 )\r\n"},
                      VectorCase{"intMin", -2147483647 - 1, 10, "err V[-2147483648] ( 5 , 4 )\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckedAccessTest, WritesThroughTheReturnedReference) {
  std::vector<int> v{1, 2, 3};
  CheckedAt(v, 2) = 9;
  EXPECT_EQ(v[2], 9);
  const std::vector<int>& constView = v;
  EXPECT_EQ(CheckedAt(constView, 2), 9);
}

TEST_F(CheckedAccessTest, PrintsTheElementSizeOfTheType) {
  struct Twelve {
    int a, b, c;
  };
  std::vector<Twelve> v(2);
  EXPECT_EQ(&CheckedAt(v, 2), &v[0]);
  EXPECT_EQ(Report(), "err V[2] ( 2 , 12 )\r\n");
}

TEST_F(CheckedAccessTest, EmptyVectorYieldsTheDefaultElement) {
  struct Cell {
    int value = 42;
  };
  std::vector<Cell> none;  // no storage
  std::vector<Cell> cleared(3);
  cleared.clear();  // storage, but no element
  ASSERT_GT(cleared.capacity(), 0u);

  Cell& first = CheckedAt(none, 0);
  EXPECT_EQ(first.value, 42);
  Cell& second = CheckedAt(cleared, 0);
  EXPECT_EQ(&second, &first);
  EXPECT_EQ(Report(), "err V[0] ( 0 , 4 )\r\nerr V[0] ( 0 , 4 )\r\n");
  EXPECT_EQ(Closes(), 2);
}

// The failure path has effects of its own: a failing access repeated in a loop is reported
// every time, and one whose element goes unused is reported as well.
TEST_F(CheckedAccessTest, EveryFailingAccessIsReported) {
  std::vector<int> v{1, 2, 3};
  long long sum = 0;
  for (int i = 0; i < 3; ++i) sum += CheckedAt(v, 5);
  EXPECT_EQ(sum, 3);
  (void)CheckedAt(v, -2);
  EXPECT_EQ(Report(), "err V[5] ( 3 , 4 )\r\nerr V[5] ( 3 , 4 )\r\nerr V[5] ( 3 , 4 )\r\nerr V[-2] ( 3 , 4 )\r\n");
  EXPECT_EQ(Closes(), 4);
}

TEST_F(CheckedAccessTest, ListReturnsTheIndexedElement) {
  std::list<std::string> list{"a", "b", "c"};
  EXPECT_EQ(CheckedListAt(list, 0), "a");
  EXPECT_EQ(CheckedListAt(list, 2), "c");
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(Closes(), 0);
}

TEST_F(CheckedAccessTest, ListFallsBackToTheDefaultElementNotTheFirst) {
  struct Entry {
    int value = 0;
    char pad[4] = {};
  };
  std::list<Entry> list(2);
  list.front().value = 5;

  Entry& fallback = CheckedListAt(list, 5);
  EXPECT_NE(&fallback, &list.front());
  EXPECT_EQ(fallback.value, 0);
  EXPECT_EQ(Report(), "err L[5] ( 2 , 8 )\r\n");
  EXPECT_EQ(Closes(), 1);

  // The default element is one per type and never reset: the next failure sees the write.
  fallback.value = 77;
  std::list<Entry> other;
  EXPECT_EQ(&CheckedListAt(other, -1), &fallback);
  EXPECT_EQ(fallback.value, 77);
  EXPECT_EQ(Report(), "err L[5] ( 2 , 8 )\r\nerr L[-1] ( 0 , 8 )\r\n");
  EXPECT_EQ(Closes(), 2);
}

TEST_F(CheckedAccessTest, ErrorCheckLogReceivesTheLineOnlyWhenSwitchedOn) {
  std::vector<short> v(1);
  EXPECT_EQ(&CheckedAt(v, 3), &v[0]);
  EXPECT_FALSE(Exists("EC_Game.txt"));
  EXPECT_EQ(Report(), "err V[3] ( 1 , 2 )\r\n");

  SetECLog(1, "EC_Game.txt");
  EXPECT_EQ(&CheckedAt(v, 4), &v[0]);
  EXPECT_EQ(ReadBytes("EC_Game.txt"), "err V[4] ( 1 , 2 )\r\n");
  EXPECT_EQ(Report(), "err V[3] ( 1 , 2 )\r\nerr V[4] ( 1 , 2 )\r\n");
}

}  // namespace
