// The ranking display's frame: the decision ends it, button 4 steps through the result
// kinds only when the play mode ranks two or more.
#include <gtest/gtest.h>

#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/sub_loops.h"

namespace {

class RankingDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedModes = g_SystemData.m_ModeRanking;
    g_SystemData.m_ModeRanking.resize(4);
    g_GameMgr.m_nPlayMode = PLAYMODE_FREE;
    m_pScene = new cSceneGame();
    m_pScene->m_vRankPos.assign(5, -1);
    ClearPostedMessages();
  }
  void TearDown() override {
    delete m_pScene;
    g_SystemData.m_ModeRanking = m_SavedModes;
    ClearPostedMessages();
  }
  void SetKinds(std::vector<std::uint8_t> kinds) {
    g_SystemData.m_ModeRanking[PLAYMODE_FREE].m_bRankingOn = 1;
    g_SystemData.m_ModeRanking[PLAYMODE_FREE].m_ResultOn = std::move(kinds);
  }
  static cInput Buttons(WORD buttons) {
    cInput input;
    input.m_wButton = buttons;
    return input;
  }

  cSceneGame* m_pScene = nullptr;
  std::vector<cModeRanking> m_SavedModes;
};

TEST_F(RankingDisplayTest, Button4StepsKindsOnlyWithTwoOrMore) {
  struct Case {
    std::vector<std::uint8_t> kinds;
    int from, expect;
  } const cases[] = {
      {{1, 0, 1, 0, 0}, 0, 2},
      {{1, 0, 1, 0, 0}, 2, 0},
      {{0, 0, 0, 1, 0}, 3, 3},  // one kind: button 4 does nothing
  };
  for (const Case& c : cases) {
    SetKinds(c.kinds);
    g_Progress.m_nRankGenre = c.from;
    EXPECT_FALSE(RankingDisplayStep(*m_pScene, Buttons(8)));
    EXPECT_EQ(g_Progress.m_nRankGenre, c.expect);
  }
  EXPECT_FALSE(RankingDisplayStep(*m_pScene, Buttons(0)));
  EXPECT_TRUE(RankingDisplayStep(*m_pScene, Buttons(1)));
}

}  // namespace
