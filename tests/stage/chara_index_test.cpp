// The sub-step's indices over the character list: they follow erasures and additions
// made while they are open, and answer as a walk over the list would.
#include <gtest/gtest.h>

#include "stage/chara_index.h"
#include "tests/stage/object_world.h"

namespace {

using CharaIndexTest = ObjectWorldTest;

TEST_F(CharaIndexTest, LookupsFollowTheListWhileASubStepRuns) {
  for (int id : {5, 3, 9}) {
    cChara& c = g_listChara.emplace_back();
    c.m_nObjId = id;
    c.m_Def.m_bBlockChara = id == 9 ? 1 : 0;
  }
  const cCharaIndexScope scope(g_listChara);
  EXPECT_EQ(FindObjectById(3), &*std::next(g_listChara.begin()));
  EXPECT_EQ(FindObjectById(4), nullptr);
  ASSERT_EQ(cCharaIndex::BlockCharas(g_listChara)->size(), 1U);

  // Erased: gone from both indices at once.
  EraseCharaNode(g_listChara, std::prev(g_listChara.end()));
  EXPECT_EQ(FindObjectById(9), nullptr);
  EXPECT_TRUE(cCharaIndex::BlockCharas(g_listChara)->empty());
  // Added (a summon): found by the next lookup.
  cChara& added = g_listChara.emplace_back();
  added.m_nObjId = 12;
  added.m_Def.m_bBlockChara = 1;
  EXPECT_EQ(FindObjectById(12), &added);
  EXPECT_EQ(cCharaIndex::BlockCharas(g_listChara)->size(), 1U);
  // Another list has no index.
  std::list<cChara> other;
  EXPECT_EQ(cCharaIndex::BlockCharas(other), nullptr);
}

}  // namespace
