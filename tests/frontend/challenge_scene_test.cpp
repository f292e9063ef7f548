// The challenge list: its bounds whatever the files say, the stage file of a number, and
// starting a stage (loaded with its placements) or staying on a file that cannot be read.
#include "frontend/challenge_scene.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/database/database.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/menu_cursor.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

TEST(ChallengeList, BoundsStayInsideTheList) {
  struct Case {
    const char* what;
    int count, top, row;
    int expectRows, expectTop, expectRow;
  } const cases[] = {
      {"25 stages from row 20: five rows", 25, 20, 22, 5, 20, 22},
      {"one stage open", 1, 0, 0, 1, 0, 0},
      {"no stage: no rows", 0, 3, 4, 0, 0, 0},
      {"a negative count counts as none", -5, 0, 0, 0, 0, 0},
      {"a row kept from a longer list", 5, 8, 30, 1, 4, 4},
      {"a negative top and row", 12, -4, -1, 10, 0, 0},
      {"a row above the top pulls the top up", 30, 15, 3, 10, 3, 3},
      {"a row below the visible rows pulls the top down", 30, 0, 17, 10, 8, 17},
  };
  for (const Case& c : cases) {
    std::int32_t top = c.top;
    std::int32_t row = c.row;
    EXPECT_EQ(NormaliseChallengeList(c.count, top, row), c.expectRows) << c.what;
    EXPECT_EQ(top, c.expectTop) << c.what;
    EXPECT_EQ(row, c.expectRow) << c.what;
  }
}

TEST(ChallengeList, StageFileNamesCarryTheNumberInTwoDigitsAtLeast) {
  EXPECT_EQ(ChallengeStageFile(1), "data\\stg4\\c01-1.stg4");
  EXPECT_EQ(ChallengeStageFile(12), "data\\stg4\\c12-1.stg4");
  EXPECT_EQ(ChallengeStageFile(123), "data\\stg4\\c123-1.stg4");
}

class ChallengeSceneTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    cGameContent game;
    game.Stages[0].strName = "c01-1";
    ASSERT_EQ(WriteGame(game), 1);
    ASSERT_EQ(g_Database.Load(), 1);
    m_SavedSystem = g_SystemData;
    g_SystemData.m_Lives = {3, 4, 5, 6};
    g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
    g_SystemData.m_nChallengeCount = 3;
    g_SystemData.m_bFixedChallengeCount = 0;
    g_Input.assign(1, cInput());
    g_Progress.NewGame();
    g_Progress.m_ChallengeState.assign(3, cValuePair());
    g_Progress.m_nChallengeOpen = 3;
    g_GameMgr.m_nPlayMode = PLAYMODE_CHALLENGE;
    g_GameMgr.m_bRanking = 0;
    g_GameMgr.m_nChallengeSel = 0;
    g_GameMgr.m_nChallengeTop = 0;
    m_pScene = new cSceneChallenge();
    m_pScene->Init();
    m_pScene->m_nState = cSceneChallenge::STATE_SELECT;
    ClearPostedMessages();
    boxes.shown.clear();  // the game has no pictures: their loading failed
  }
  void TearDown() override {
    delete m_pScene;
    g_SystemData = m_SavedSystem;
    g_Progress = cProgress();
    g_StageData = cStageData();
    g_StageDataOrg = cStageData();
    g_Database.Reset();
    g_MenuCursor.Reset();
    cTempDirTest::TearDown();
  }

  void Frame(WORD dir, WORD buttons) {
    g_Input[0].m_wDir = dir;
    g_Input[0].m_wButton = buttons;
    m_pScene->Select();
  }

  cSceneChallenge* m_pScene = nullptr;
  cRecordingMessageBoxes boxes;

 private:
  cSystemData m_SavedSystem;
};

TEST_F(ChallengeSceneTest, TheDecisionStartsTheStageUnderTheCursor) {
  Frame(0, 1);
  EXPECT_EQ(m_pScene->m_nState, cSceneChallenge::STATE_FADEOUT);
  EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_GAME);
  EXPECT_EQ(g_GameMgr.m_nPrevScene, SCENE_CHALLENGE);
  // The stage being played keeps its placements; the pristine copy has its settings.
  EXPECT_EQ(g_StageData.m_strPath, "data\\stg4\\c01-1.stg4_811");
  EXPECT_FALSE(g_StageData.m_vCharaPlace.empty());
  EXPECT_EQ(g_StageDataOrg.m_nWidth, g_StageData.m_nWidth);
  const cProgress& progress = g_Progress;
  EXPECT_EQ(progress.m_strStageName, "data\\stg4\\c01.");
  EXPECT_EQ(progress.m_nStage, 1);
  EXPECT_EQ(progress.m_nSubStage, 1);
  EXPECT_EQ(progress.m_bSeries, 1);
  EXPECT_EQ(progress.m_nLivesAtStart, 4);
  EXPECT_EQ(progress.m_nLives, 3);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ChallengeSceneTest, AStageThatCannotBeLoadedKeepsTheList) {
  Frame(kDirDown, 0);
  Frame(0, 1);
  EXPECT_EQ(m_pScene->m_nState, cSceneChallenge::STATE_SELECT);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "ステージファイル data\\stg4\\c02-1.stg4 が読み込めません！");
  // Cancel leaves for the title.
  Frame(0, 2);
  EXPECT_EQ(m_pScene->m_nState, cSceneChallenge::STATE_FADEOUT);
  EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_TITLE);
}

TEST_F(ChallengeSceneTest, AStalePositionAndADamagedOpenCountStayInsideTheList) {
  g_Progress.m_nChallengeOpen = 1000000;
  g_GameMgr.m_nChallengeSel = 57;
  g_GameMgr.m_nChallengeTop = -9;
  delete m_pScene;
  m_pScene = new cSceneChallenge();
  m_pScene->Init();
  EXPECT_EQ(m_pScene->m_nStageCount, 3);
  EXPECT_EQ(m_pScene->m_nRows, 3);
  EXPECT_EQ(m_pScene->m_nTop, 0);
  EXPECT_EQ(g_MenuCursor.m_pCur->nRow, 2);
}

}  // namespace
