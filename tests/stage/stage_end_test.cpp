// The end of a cleared stage: the play's sums, extra lives (one notice per life actually
// added), the next file of a numbered series, the scene after the clear, the values
// carried into the next stage, and the stage-clear command that names the next stage.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/checked_access.h"
#include "app/test_play_flag.h"
#include "data/database/chara_effect_data.h"
#include "data/database/database.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/save/carry_over.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/worldmap/world_map.h"
#include "objects/chara_effect.h"
#include "objects/player.h"
#include "platform/host_files.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "stage/effect_run_tables.h"
#include "stage/extra_life.h"
#include "stage/ranking.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

void MakeFile(const std::string& hostPath) {
  const std::filesystem::path path(hostPath);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "x";
  ForgetDirectoryListings();
}

TEST(ExtraLives, OneLifePerScoreStepPassedUpToTheCap) {
  struct Case {
    const char* what;
    std::int32_t oldSum, newSum, step, lives;
    std::int32_t expect;
  } const cases[] = {
      {"two steps passed", 1900, 3100, 1000, 3, 2},
      {"no step passed", 1100, 1900, 1000, 3, 0},
      {"exactly on a step", 999, 1000, 1000, 3, 1},
      {"one below the cap", 0, 5000, 1000, 98, 1},
      {"at the cap", 0, 5000, 1000, 99, 0},
      {"above the cap: kept, none added", 0, 5000, 1000, 150, 0},
      {"a step of one on a large score stops at the cap", 0, 999999, 1, 2, 97},
      {"infinite lives", 0, 5000, 1000, kInfiniteLives, 0},
      {"no step", 0, 5000, 0, 3, 0},
      {"a score that went down", 3000, 1000, 1000, 3, 0},
      {"the smallest sum over a step of -1", INT_MIN, 0, -1, 3, 0},
      {"a negative step counts the steps it passes", 0, -3000, -1000, 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtraLivesEarned(c.oldSum, c.newSum, c.step, c.lives), c.expect) << c.what;
  }
}

class StageEndTest : public StageSceneTest {
 protected:
  void SetUp() override {
    StageSceneTest::SetUp();
    m_nSavedStartStage = g_bStartStage;
    m_nSavedTestPlay = g_bTestPlay;
    m_nSavedActive = g_bActive.load();
    m_nSavedRanking = g_GameMgr.m_bRanking;
    g_bStartStage = 0;
    g_bTestPlay = 0;
    g_GameMgr.m_bRanking = 0;
    ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  }
  void TearDown() override {
    g_bStartStage = m_nSavedStartStage;
    g_bTestPlay = m_nSavedTestPlay;
    g_bActive = m_nSavedActive;
    g_GameMgr.m_bRanking = m_nSavedRanking;
    g_Progress = cProgress();
    m_Folder.reset();
    g_Database.Reset();
    BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
    g_RankingSet.Reset();
    StageSceneTest::TearDown();
  }

  // A game folder as the current folder: stages `names` in data\stg4, the database read.
  void WriteStages(std::initializer_list<const char*> names) {
    m_Folder.emplace("stage_end");
    cGameContent game;
    game.Stages.clear();
    for (const char* name : names) {
      cGameStage stage;
      stage.strName = name;
      game.Stages.push_back(stage);
    }
    ASSERT_EQ(WriteGame(game), 1);
    ASSERT_EQ(g_Database.Load(), 1);
  }

  int m_nSavedStartStage = 0;
  int m_nSavedTestPlay = 0;
  int m_nSavedActive = 0;
  int m_nSavedRanking = 0;
  std::optional<cTempFolder> m_Folder;
};

TEST_F(StageEndTest, TallyAddsTheStageToThePlaysSums) {
  struct Case {
    const char* what;
    int noTimeLimit;
    std::int32_t scoreSum, stageScore, timeLeft, playTime, hp, sp;
    std::int32_t expectScore, expectTimeLeft, expectClearTime, expectHp, expectSp;
  } const cases[] = {
      {"every sum grows", 0, 100, 250, 30, 1234, 7, 3, 350, 40, 1334, 17, 13},
      {"no time limit: the time left adds nothing", 1, 100, 250, 30, 1234, 7, 3, 350, 10, 1334, 17, 13},
      {"a sum held at the int32 limit", 0, INT_MAX - 5, 250, 0, 0, 0, 0, INT_MAX, 10, 100, 10, 10},
  };
  for (const Case& c : cases) {
    cProgress& progress = g_Progress;
    progress.m_nScore = c.scoreSum;
    progress.m_nStageScore = c.stageScore;
    progress.m_nTimeLeftSum = 10;
    progress.m_nClearTimeSum = 100;
    progress.m_nHpLeftSum = 10;
    progress.m_nSpLeftSum = 10;
    m_pScene->m_bNoTimeLimit = c.noTimeLimit;
    m_pScene->m_nTimeLeft = c.timeLeft;
    m_pScene->m_nPlayTime = c.playTime;
    g_vPlayer[0].m_nHp = c.hp;
    g_vPlayer[0].m_nSp = c.sp;
    m_pScene->Tally();
    EXPECT_EQ(progress.m_nScore, c.expectScore) << c.what;
    EXPECT_EQ(progress.m_nTimeLeftSum, c.expectTimeLeft) << c.what;
    EXPECT_EQ(progress.m_nClearTimeSum, c.expectClearTime) << c.what;
    EXPECT_EQ(progress.m_nHpLeftSum, c.expectHp) << c.what;
    EXPECT_EQ(progress.m_nSpLeftSum, c.expectSp) << c.what;
  }
}

TEST_F(StageEndTest, TallyShowsOneNoticePerLifeAddedAndNoneAtTheCap) {
  // The notices run the real pause loop: each holds the game for its 30 frames.
  g_bActive = 1;
  g_SystemData.m_bExtraLife = 1;
  g_SystemData.m_nExtraLifeScore = 1000;
  struct Case {
    std::int32_t scoreSum, stageScore, lives, expectLives;
  } const cases[] = {{1900, 1200, 3, 5}, {0, 900000, 97, 99}, {0, 900000, 99, 99}};
  for (const Case& c : cases) {
    g_Progress.m_nScore = c.scoreSum;
    g_Progress.m_nStageScore = c.stageScore;
    g_Progress.m_nLives = c.lives;
    m_pScene->Tally();
    EXPECT_EQ(g_Progress.m_nLives, c.expectLives) << c.lives;
    // Every notice is taken down again after its wait.
    EXPECT_TRUE(m_pScene->m_lstMessage.empty());
  }
}

TEST_F(StageEndTest, TheNextFileOfASeriesIsItsNewestVersion) {
  m_Folder.emplace("next_stage");
  MakeFile("data/stg4/s-2.stg4_000");
  MakeFile("data/stg4/s-2.stg4_005");
  MakeFile("data/stg4/other.stg4_003");
  struct Case {
    const char* what;
    int series, nextStage;
    const char* nextName;
    int n;
    int expect;
    const char* expectFile;
  } const cases[] = {
      {"the numbered file", 1, 2, "", 2, 1, "data\\stg4\\s-2.stg4_005"},
      {"no such number", 1, 3, "", 3, 0, ""},
      {"a named next stage", 1, 7, "data\\stg4\\other.", 7, 1, "data\\stg4\\other.stg4_003"},
      {"not a series", 0, 2, "", 2, 0, ""},
      {"the world cleared", 1, 0, "", 2, 0, ""},
  };
  g_Progress.m_strStageName = "data\\stg4\\s.";
  for (const Case& c : cases) {
    g_Progress.m_bSeries = c.series;
    m_pScene->m_nNextStage = c.nextStage;
    m_pScene->m_strNextStage = c.nextName;
    std::string out = "stale";
    EXPECT_EQ(m_pScene->GetNextStageFile(out, c.n), c.expect) << c.what;
    EXPECT_EQ(out, c.expectFile) << c.what;
    EXPECT_EQ(m_pScene->IsLastStage(c.n), c.expect == 0 ? 1 : 0) << c.what;
  }
}

TEST_F(StageEndTest, AStoryClearLoadsTheNextStageOfTheSeriesOrRecordsTheClear) {
  WriteStages({"s-1", "s-2"});
  g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
  g_GameMgr.m_nPlayMode = PLAYMODE_STORY;
  cProgress& progress = g_Progress;
  progress.MakeStageName("data\\stg4\\s-1.stg4_811", 0, 0, 0);
  progress.m_nStage = 5;
  progress.m_nSubStage = 1;
  progress.m_nScore = 300;

  // Sub-stage 2 exists: it is loaded with its placements and played next.
  m_pScene->m_nNextStage = 2;
  ASSERT_EQ(m_pScene->ClearResult(), SCENE_GAME);
  EXPECT_EQ(progress.m_nSubStage, 2);
  EXPECT_EQ(g_StageData.m_strPath, "data\\stg4\\s-2.stg4_811");
  EXPECT_FALSE(g_StageData.m_vCharaPlace.empty());
  EXPECT_EQ(CheckedAt(progress.m_ClearFlags, 5), 0);

  // Sub-stage 3 does not: the story records the clear and goes back to the map.
  m_pScene->m_nNextStage = 3;
  EXPECT_EQ(m_pScene->ClearResult(), SCENE_WORLDMAP);
  EXPECT_EQ(progress.m_nSubStage, 2);
  EXPECT_EQ(CheckedAt(progress.m_ClearFlags, 5), 1);
  EXPECT_EQ(progress.GetStageScore(progress.m_strRankKey), 300);
}

TEST_F(StageEndTest, ACarriedCharacterEffectRunsOnInTheNextStageAsItRan) {
  WriteStages({"s-1", "s-2"});
  cCharaEffectData blink;
  blink.m_nKind = 6;
  blink.m_nParam[0] = 10;
  g_Database.m_CharaEffect = {cCharaEffectData(), blink};
  BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
  g_SystemData.m_CarrySwitch.assign(CARRY_COUNT, 0);
  g_SystemData.m_CarrySwitch[CARRY_START_EFFECT] = 1;
  g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
  g_GameMgr.m_nPlayMode = PLAYMODE_STORY;
  cProgress& progress = g_Progress;
  progress.MakeStageName("data\\stg4\\s-1.stg4_811", 0, 0, 0);
  struct Case {
    const char* what;
    std::int32_t mode, repeat;
    bool secondPass;  // the effect runs its way back when the stage is cleared
  } const cases[] = {
      {"once forward", CHARAFX_RUN_NORMAL, 0, false},
      {"forward, repeating", CHARAFX_RUN_NORMAL, 1, false},
      {"reversed", CHARAFX_RUN_REVERSE, 0, false},
      {"there and back, on its way back", CHARAFX_RUN_BOTH, 0, true},
      {"there and back, repeating", CHARAFX_RUN_BOTH, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_StageData.m_bStoreCarryOver = 1;
    cCharaEffect& running = CheckedAt(g_vPlayer, 0).m_CharaEffect;
    running.Start(1, c.mode, c.repeat);
    if (c.secondPass) running.Restart();
    m_pScene->m_nNextStage = 2;
    ASSERT_EQ(m_pScene->ClearResult(), SCENE_GAME);
    g_StageDataOrg.m_bApplyCarryOver = 1;
    ASSERT_EQ(m_pScene->SetStage(1, 0), SETSTAGE_READY);
    const cCharaEffect& resumed = CheckedAt(g_vPlayer, 0).m_CharaEffect;
    EXPECT_EQ(resumed.m_nId, 1);
    EXPECT_EQ(resumed.m_nRunMode, c.mode);
    EXPECT_EQ(resumed.m_bRepeat, c.repeat);
    EXPECT_EQ(resumed.m_bReverse, c.mode == CHARAFX_RUN_REVERSE ? 1 : 0);
  }
}

TEST_F(StageEndTest, ClearResultByTitleItem) {
  cProgress& progress = g_Progress;
  g_SystemData.m_nChallengeCount = 3;
  struct Case {
    const char* what;
    int titleSel, series, startStage, stage, open, score, high;
    int expectScene, expectOpen, expectHigh, expectCleared;
  } const cases[] = {
      {"challenge: best score and the next stage opened", TITLEITEM_CHALLENGE, 0, 0, 1, 1, 500, 200, SCENE_CHALLENGE,
       2, 500, 1},
      {"challenge: a lower score keeps the best", TITLEITEM_CHALLENGE, 0, 0, 2, 3, 100, 200, SCENE_CHALLENGE, 3, 200,
       1},
      {"challenge: the last stage opens nothing more", TITLEITEM_CHALLENGE, 0, 0, 3, 3, 100, 0, SCENE_CHALLENGE, 3,
       100, 1},
      {"free play of a finished series: the title", TITLEITEM_FREE, 1, 0, 1, 1, 0, 0, SCENE_TITLE, 1, 0, 0},
      {"free play of one stage: the same stage again", TITLEITEM_FREE, 0, 0, 1, 1, 0, 0, SCENE_GAME, 1, 0, 0},
      {"a stage started from its file: again", TITLEITEM_FREE, 1, 1, 1, 1, 0, 0, SCENE_GAME, 1, 0, 0},
      {"a replay plays again", TITLEITEM_REPLAY, 0, 0, 1, 1, 0, 0, SCENE_GAME, 1, 0, 0},
  };
  m_Folder.emplace("clear_result");
  std::filesystem::create_directories("user_data/challenge");
  ForgetDirectoryListings();
  for (const Case& c : cases) {
    progress.NewGame();
    progress.m_ChallengeState.assign(3, cValuePair());
    g_GameMgr.m_nTitleSel = c.titleSel;
    g_bStartStage = c.startStage;
    progress.m_bSeries = c.series;
    progress.m_nStage = c.stage;
    progress.m_nChallengeOpen = c.open;
    progress.m_nScore = c.score;
    progress.m_bStartPosSet = 1;
    const int index = c.stage - 1;
    progress.m_ChallengeState[static_cast<std::size_t>(index)].m_nHigh = c.high;
    m_pScene->m_nNextStage = 0;
    EXPECT_EQ(m_pScene->ClearResult(), c.expectScene) << c.what;
    EXPECT_EQ(progress.m_nChallengeOpen, c.expectOpen) << c.what;
    const cValuePair& record = progress.m_ChallengeState[static_cast<std::size_t>(index)];
    EXPECT_EQ(record.m_nHigh, c.expectHigh) << c.what;
    EXPECT_EQ(record.m_bCleared, c.expectCleared) << c.what;
    if (c.titleSel == TITLEITEM_FREE && c.expectScene == SCENE_GAME) {
      EXPECT_EQ(progress.m_bStartPosSet, 0) << c.what;
    }
  }
  // The challenge progress is saved for the next visit.
  EXPECT_TRUE(std::filesystem::exists("user_data/challenge/Challenge.dat"));
}

TEST_F(StageEndTest, StageClearCommandNamesTheNextStageAndTheMapCursor) {
  g_WorldMap.m_nMapW = 40;
  g_WorldMap.m_nMapH = 20;
  cProgress& progress = g_Progress;
  struct Case {
    const char* what;
    std::vector<std::int32_t> params;
    const char* text;
    int expectNext;
    const char* expectName;
    const char* expectText;
    int expectMapX, expectMapY, expectStartSet, expectStartDir;
  } const cases[] = {
      // The series is at sub-stage 3 of world-map stage 8: the next file is its "-4".
      {"the next stage of the series", {0, 0, 0, 0, 0, 0, 0, 0, 0}, "", 4, "", "", 1, 1, 0, 0},
      {"by number", {1, 9, 0, 0, 0, 0, 0, 0, 0}, "", 9, "", "", 1, 1, 0, 0},
      {"by path", {2, 0, 0, 0, 0, 0, 0, 0, 0}, "data\\stg4\\abc.stg4_811", 3, "data\\stg4\\abc.", "data\\stg4\\abc.", 1,
       1, 0, 0},
      {"by path, run again", {2, 0, 0, 0, 0, 0, 0, 0, 0}, "data\\stg4\\abc.", 3, "data\\stg4\\abc.",
       "data\\stg4\\abc.", 1, 1, 0, 0},
      {"a path whose only dot is in a folder", {2, 0, 0, 0, 0, 0, 0, 0, 0}, "data.old\\stage", 3, "data.", "data.", 1,
       1, 0, 0},
      {"the world cleared", {3, 0, 0, 0, 0, 0, 0, 0, 0}, "", 0, "", "", 1, 1, 0, 0},
      {"the map cursor held inside the map, no lower bound", {3, 0, 1, 500, -3, 0, 0, 0, 0}, "", 0, "", "", 39, -3, 0,
       0},
      {"a start position", {3, 0, 0, 0, 0, 1, 4, 5, 0}, "", 0, "", "", 1, 1, 1, 0},
      {"a start facing as player 1 faces", {3, 0, 0, 0, 0, 1, 4, 5, 2}, "", 0, "", "", 1, 1, 1, 1},
  };
  g_vPlayer[0].m_nFacing = 1;
  for (const Case& c : cases) {
    progress.m_nStage = 8;
    progress.m_nSubStage = 3;
    progress.m_nMapX = progress.m_nMapY = 1;
    progress.m_nRound = 2;  // the map cursor faced left
    progress.m_bStartPosSet = 1;
    cFlowCmd cmd;
    cmd.m_nKind = FLOWCMD_STAGE_CLEAR;
    cmd.m_vParam = c.params;
    cmd.m_sText = c.text;
    EXPECT_EQ(g_vPlayer[0].CmdStageClear(cmd), 1) << c.what;
    EXPECT_EQ(m_pScene->m_nNextStage, c.expectNext) << c.what;
    EXPECT_EQ(m_pScene->m_strNextStage, c.expectName) << c.what;
    EXPECT_EQ(cmd.m_sText, c.text[0] == '\0' ? "" : c.expectText) << c.what;
    EXPECT_EQ(progress.m_nMapX, c.expectMapX) << c.what;
    EXPECT_EQ(progress.m_nMapY, c.expectMapY) << c.what;
    // A placed cursor faces down; otherwise it keeps its facing.
    EXPECT_EQ(progress.m_nRound, c.params[2] != 0 ? 0 : 2) << c.what;
    EXPECT_EQ(progress.m_bStartPosSet, c.expectStartSet) << c.what;
    if (c.expectStartSet) {
      EXPECT_EQ(progress.m_nStartDir, c.expectStartDir) << c.what;
    }
  }
}

TEST_F(StageEndTest, RankingPlacesAreFoundButNotInATestPlay) {
  g_GameMgr.m_bRanking = 1;
  g_GameMgr.m_nPlayMode = PLAYMODE_FREE;
  g_SystemData.m_ModeRanking[PLAYMODE_FREE].m_ResultOn = {1, 1, 1, 0, 1};
  g_StageData.m_vResultKind = {1, 1, 1, 1, 0};
  g_RankingSet.Reset();
  g_RankingSet.m_vRanking[0].Insert("abc", 900);
  g_RankingSet.m_vRanking[0].Insert("abd", 500);
  struct Case {
    const char* what;
    int testPlay;
    std::vector<std::int32_t> expectPos;
    int expectRanked;
  } const cases[] = {
      // Score 500 goes after the 500 already there; HP and SP are not ranked here.
      {"a play", 0, {2, 0, 0, -1, -1}, 1},
      {"a test play: results kept, no places", 1, {-1, -1, -1, -1, -1}, 0},
  };
  for (const Case& c : cases) {
    g_bTestPlay = c.testPlay;
    g_Progress.m_nScore = 0;
    g_Progress.m_nStageScore = 500;
    g_Progress.m_nTimeLeftSum = g_Progress.m_nClearTimeSum = 0;
    m_pScene->m_nTimeLeft = 12;
    m_pScene->m_nPlayTime = 3456;
    m_pScene->m_nNextStage = 0;
    m_pScene->EndPlay();
    EXPECT_EQ(m_pScene->m_vRankPos, c.expectPos) << c.what;
    EXPECT_EQ(m_pScene->m_bRanked, c.expectRanked) << c.what;
    EXPECT_EQ(m_pScene->m_vRankScore[0], 500) << c.what;
    EXPECT_EQ(m_pScene->m_vRankScore[2], 3456) << c.what;
  }
}

TEST_F(StageEndTest, GameWaitHoldsTheGameForItsTimeAndLeavesNoWindow) {
  g_bActive = 1;
  for (const std::int32_t tenths : {0, 2}) {
    cFlowCmd cmd;
    cmd.m_nKind = FLOWCMD_GAME_WAIT;
    cmd.m_vParam = {tenths};
    g_vPlayer[0].CmdGameWait(cmd);
    EXPECT_EQ(m_pScene->m_WaitReq.m_nKind, WAIT_GAME);
    EXPECT_EQ(m_pScene->m_WaitReq.m_bKeyWait, 0);
    // The countdown ran out: 6 frames a tenth, and one more.
    EXPECT_EQ(m_pScene->m_WaitReq.m_nCountdown, -1) << tenths;
    EXPECT_TRUE(m_pScene->m_lstMessage.empty());
  }
}

}  // namespace
