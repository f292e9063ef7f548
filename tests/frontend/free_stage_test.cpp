// Free play of a stage file: the progress record starts afresh with the free mode's
// lives, the stage is loaded for play and named after its file.
#include "frontend/free_stage.h"

#include <gtest/gtest.h>

#include <string>

#include "app/report_log.h"
#include "data/database/database.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "shell/game_init.h"
#include "tests/support/game_writer.h"
#include "tests/support/temp_dir.h"

namespace {

class FreeStage : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
    ASSERT_EQ(WriteGame(cGameContent()), 1);
    ASSERT_EQ(g_Database.Load(), 1);
    m_SavedSystem = g_SystemData;
    g_SystemData.m_Lives = {3, 4, 5, 6};
    g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
  }
  void TearDown() override {
    g_SystemData = m_SavedSystem;
    g_StageData = cStageData();
    g_StageDataOrg = cStageData();
    g_Progress = cProgress();
    g_Database.Reset();
    cTempDirTest::TearDown();
  }
  // A progress record from another game, which a free play must not inherit.
  static void PlayedBefore() {
    g_Progress.m_strRankName = "zzz";
    g_Progress.m_nSaveSlot = 4;
    g_Progress.m_nScore = 99;
    g_Progress.m_strStageName = "data\\stg4\\other.";
  }

  cRecordingMessageBoxes boxes;

 private:
  cSystemData m_SavedSystem;
};

TEST_F(FreeStage, AStageFileStartsAFreshFreePlay) {
  struct Case {
    const char* what;
    const char* path;
    int findLatest;
    int infinite;
    int livesAtStart, lives;
  } const cases[] = {
      {"the file itself", "data\\stg4\\stage1.stg4_811", 0, 0, 5, 4},
      {"the newest numbered file of a name", "data\\stg4\\stage1.stg4", 1, 0, 5, 4},
      {"infinite lives in free play", "data\\stg4\\stage1.stg4_811", 0, 1, 999999, 999999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_SystemData.m_bInfiniteLives[2] = c.infinite;
    PlayedBefore();
    g_StageData = cStageData();
    ASSERT_TRUE(StartFreeStage(c.path, c.findLatest));
    EXPECT_EQ(g_StageData.m_strPath, "data\\stg4\\stage1.stg4_811");
    EXPECT_EQ(g_Progress.m_strRankName, "aaa");
    EXPECT_EQ(g_Progress.m_nSaveSlot, -1);
    EXPECT_EQ(g_Progress.m_nScore, 0);
    EXPECT_EQ(g_Progress.m_nStage, 1);
    EXPECT_EQ(g_Progress.m_nSubStage, 1);
    EXPECT_EQ(g_Progress.m_nLivesAtStart, c.livesAtStart);
    EXPECT_EQ(g_Progress.m_nLives, c.lives);
    EXPECT_EQ(g_Progress.m_strStageName, "data\\stg4\\stage1.");
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(FreeStage, AStageStartedFromItsFilePlaysWithoutLimits) {
  // The stage of the game, given a time limit.
  {
    cStageData stage;
    ASSERT_TRUE(stage.LoadFromFile("data\\stg4\\stage1.stg4_811"));
    stage.m_bTimeLimit = 1;
    stage.m_nTimeLimit = 30;
    ASSERT_TRUE(stage.SaveToFile("data\\stg4\\stage1.stg4_811"));
  }
  const int savedStartStage = g_bStartStage;
  struct Case {
    int startStage;
    int expectTimeLimit, expectLives;
  } const cases[] = {{0, 1, 4}, {1, 0, 999999}};
  for (const Case& c : cases) {
    g_bStartStage = c.startStage;
    ASSERT_TRUE(StartFreeStage("data\\stg4\\stage1.stg4_811", 0));
    EXPECT_EQ(g_StageDataOrg.m_bTimeLimit, c.expectTimeLimit) << c.startStage;
    EXPECT_EQ(g_StageData.m_bTimeLimit, c.expectTimeLimit) << c.startStage;
    EXPECT_EQ(g_Progress.m_nLives, c.expectLives) << c.startStage;
  }
  g_bStartStage = savedStartStage;
}

TEST_F(FreeStage, AFileThatCannotBeLoadedFailsWithTheLoadersBox) {
  PlayedBefore();
  EXPECT_FALSE(StartFreeStage("data\\stg4\\missing.stg4_811", 0));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "ステージファイル data\\stg4\\missing.stg4_811 の読み込みに失敗しました！");
  // No stage is named after a file that was not played.
  EXPECT_EQ(g_Progress.m_strStageName, "");
}

}  // namespace
