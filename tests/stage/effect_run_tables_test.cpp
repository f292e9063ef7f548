#include "stage/effect_run_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/database/database.h"
#include "platform/message_queue.h"

namespace {

class EffectRunTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_Database.Reset();
    ClearPostedMessages();
  }
  void TearDown() override { g_Database.Reset(); }
};

TEST_F(EffectRunTablesTest, PrepareEveryEntryBothWays) {
  g_Database.m_CharaEffect.resize(3);
  g_Database.m_CharaEffectWork = g_Database.m_CharaEffect;
  g_Database.m_ScrEffectWork = g_Database.m_ScrEffect;

  std::vector<cCharaEffect> forward, reverse;
  BuildCharaEffectTables(forward, reverse);
  ASSERT_EQ(forward.size(), 3u);
  ASSERT_EQ(reverse.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(forward[i].m_nId, i);
    EXPECT_EQ(forward[i].m_pData, &g_Database.m_CharaEffectWork[i]);
    EXPECT_EQ(forward[i].m_bReverse, 0);
    EXPECT_EQ(reverse[i].m_pData, &g_Database.m_CharaEffectWork[i]);
    EXPECT_EQ(reverse[i].m_bReverse, 1);
  }

  std::vector<cScrEffect> scrForward(9), scrReverse;
  BuildScrEffectTables(scrForward, scrReverse);
  ASSERT_EQ(scrForward.size(), 2u);
  EXPECT_EQ(scrReverse[1].m_pData, &g_Database.m_ScrEffectWork[1]);
  EXPECT_EQ(scrReverse[1].m_bReverse, 1);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

}  // namespace
