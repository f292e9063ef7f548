#include <gtest/gtest.h>

#include <vector>

#include "data/record/shared_list.h"

namespace {

using List = cSharedList<int>;

// A repair that raises every negative value to 0 and counts its runs.
struct cRepair {
  int runs = 0;
  void operator()(std::vector<int>& values) {
    ++runs;
    for (int& v : values)
      if (v < 0) v = 0;
  }
};

bool Same(const std::vector<int>& a, const std::vector<int>& b) { return a == b; }

void Repair(List& list, cRepair& repair) {
  list.RepairWith(eListRepair::Database, [&repair](std::vector<int>& v) { repair(v); }, Same);
}

// Changing a copy, by any of the ways that change a list, leaves the list it came from.
TEST(SharedList, ChangingACopyLeavesTheOthers) {
  const struct {
    const char* name;
    void (*change)(List&);
  } kChanges[] = {
      {"element", [](List& l) { l[0] = 9; }},
      {"push_back", [](List& l) { l.push_back(9); }},
      {"resize", [](List& l) { l.resize(1); }},
      {"clear", [](List& l) { l.clear(); }},
      {"iteration", [](List& l) {
         for (int& v : l) v = 9;
       }},
      {"Edit", [](List& l) { l.Edit().erase(l.Edit().begin()); }},
      {"assignment", [](List& l) { l = std::vector<int>{9}; }},
  };
  for (const auto& c : kChanges) {
    List original = std::vector<int>{1, 2, 3};
    List copy = original;
    EXPECT_TRUE(copy.SharesWith(original)) << c.name;
    c.change(copy);
    EXPECT_FALSE(copy.SharesWith(original)) << c.name;
    EXPECT_EQ(original.Get(), (std::vector<int>{1, 2, 3})) << c.name;
  }
}

// In a pass, a shared list is repaired once: holders after the first take its outcome,
// the list itself when nothing changed, the one repaired list otherwise.
TEST(SharedList, RepairsOncePerPassForEveryHolder) {
  const struct {
    const char* name;
    std::vector<int> values;
    std::vector<int> repaired;
  } kCases[] = {
      {"nothing to repair", {1, 2}, {1, 2}},
      {"a value to repair", {1, -2}, {1, 0}},
  };
  for (const auto& c : kCases) {
    const List source = c.values;
    std::vector<List> holders(5, source);
    cRepair repair;
    {
      const cRepairPass pass;
      for (List& holder : holders) Repair(holder, repair);
    }
    EXPECT_EQ(repair.runs, 1) << c.name;
    for (const List& holder : holders) {
      EXPECT_EQ(holder.Get(), c.repaired) << c.name;
      EXPECT_TRUE(holder.SharesWith(holders[0])) << c.name;
    }
    EXPECT_EQ(source.Get(), c.values) << c.name << ": a holder outside the pass keeps its list";
  }
}

// What a repair noted holds only for its pass and only for the list as it was: a list
// changed after its repair, or met in a later pass, or outside any pass, is repaired again.
TEST(SharedList, RepairsAgainOnceTheListOrThePassChanged) {
  cRepair repair;
  List list = std::vector<int>{1, 2};
  const List other = list;
  {
    const cRepairPass pass;
    Repair(list, repair);
    list.push_back(-5);  // now a list of its own, with a value to repair
    Repair(list, repair);
    EXPECT_EQ(list.Get(), (std::vector<int>{1, 2, 0}));
  }
  EXPECT_EQ(repair.runs, 2);
  List again = other;
  {
    const cRepairPass pass;
    Repair(again, repair);
  }
  EXPECT_EQ(repair.runs, 3);
  Repair(again, repair);
  Repair(again, repair);
  EXPECT_EQ(repair.runs, 5);
}

}  // namespace
