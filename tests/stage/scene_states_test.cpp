// The play states around the play: lives, the start banners, the pause menu's return to
// the exact state, and where a lost life leads.
#include <gtest/gtest.h>

#include "app/test_play_flag.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "media/input/input.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"
#include "shell/game_init.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

class SceneStatesTest : public StageSceneTest {
 protected:
  void SetUp() override {
    StageSceneTest::SetUp();
    m_nSavedStartStage = g_bStartStage;
    m_nSavedTestPlay = g_bTestPlay;
    g_bStartStage = 0;
    g_bTestPlay = 0;
  }
  void TearDown() override {
    g_bStartStage = m_nSavedStartStage;
    g_bTestPlay = m_nSavedTestPlay;
    StageSceneTest::TearDown();
  }

  // Frames of the start state until the play begins (at most `limit`).
  int BannerFrames(int limit = 1000) {
    m_pScene->m_nState = GAMESTATE_START;
    int frames = 0;
    while (m_pScene->m_nState == GAMESTATE_START && frames < limit) {
      m_pScene->StateStart();
      ++frames;
    }
    return frames - 1;  // the frame that enters the play shows no banner
  }

  // One pause-menu frame with these buttons.
  void PauseFrame(WORD buttons) {
    g_Input[0].m_wDir = 0;
    g_Input[0].m_wButton = buttons;
    m_pScene->StatePause();
  }

  int m_nSavedStartStage = 0;
  int m_nSavedTestPlay = 0;
};

TEST_F(SceneStatesTest, UseLifeCountsLivesUnlessUnlimited) {
  struct Case {
    int startStage, lives;
    int expectResult, expectLives;
  } const cases[] = {
      {0, 3, 1, 2}, {0, 1, 1, 0}, {0, 0, 0, 0}, {0, -4, 0, -4},
      {0, kInfiniteLives, 1, kInfiniteLives},
      {1, 0, 1, 0},  // a stage started from its file never counts lives
  };
  for (const Case& c : cases) {
    g_bStartStage = c.startStage;
    g_Progress.m_nLives = c.lives;
    EXPECT_EQ(m_pScene->UseLife(g_Progress), c.expectResult) << c.lives;
    EXPECT_EQ(g_Progress.m_nLives, c.expectLives) << c.lives;
  }
}

TEST_F(SceneStatesTest, BannersLastTheirFrames) {
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  struct Case {
    int stageBanner, startBanner, titleSel, testPlay;
    int expectFrames;
  } const cases[] = {
      {0, 0, TITLEITEM_FREE, 0, 0},
      {1, 0, TITLEITEM_FREE, 0, 79},
      {0, 1, TITLEITEM_FREE, 0, 79},
      {1, 1, TITLEITEM_FREE, 0, 158},
      {0, 0, TITLEITEM_REPLAY, 0, 79},  // a replay always shows its own banner
      {1, 1, TITLEITEM_FREE, 1, 0},     // a test play of a stage file skips them
  };
  for (const Case& c : cases) {
    g_StageData.m_bStageBanner = c.stageBanner;
    g_StageData.m_bStartBanner = c.startBanner;
    g_GameMgr.m_nTitleSel = c.titleSel;
    g_bTestPlay = c.testPlay;
    g_bStartStage = c.testPlay;
    m_pScene->m_nBannerCount = 0;
    m_pScene->m_nBanner2Count = 0;
    EXPECT_EQ(BannerFrames(), c.expectFrames) << c.stageBanner << c.startBanner << " " << c.titleSel;
    EXPECT_EQ(m_pScene->m_nState, GAMESTATE_PLAY);
  }
}

TEST_F(SceneStatesTest, ResumeAndCancelReturnToTheSavedStateAndSubState) {
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  for (const WORD button : {WORD{1}, WORD{2}}) {
    m_pScene->m_nSavedState = GAMESTATE_CLEAR;
    m_pScene->m_nSavedSubState = 1;
    m_pScene->m_nState = GAMESTATE_PAUSE;
    m_pScene->m_nSubState = 0;
    m_pScene->m_bWaitRelease = 0;
    g_Input[0].m_bTriggerHeld = 0;
    PauseFrame(0);
    EXPECT_EQ(m_pScene->m_nState, GAMESTATE_PAUSE);
    EXPECT_EQ(m_pScene->m_nSubState, 1);
    PauseFrame(button);  // decision on the resume row, or cancel
    EXPECT_EQ(m_pScene->m_nState, GAMESTATE_CLEAR) << button;
    EXPECT_EQ(m_pScene->m_nSubState, 1) << button;
    EXPECT_EQ(m_pScene->m_bWaitRelease, 1) << button;
  }
}

TEST_F(SceneStatesTest, SpaceOpensThePauseMenuFromPlayClearAndGameOver) {
  g_StageData.m_bClearAutoAdvance = 0;
  AddFloor();
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  struct Case {
    int state, subState;
  } const cases[] = {{GAMESTATE_PLAY, 0}, {GAMESTATE_CLEAR, 1}, {GAMESTATE_GAMEOVER, 0}};
  for (const Case& c : cases) {
    m_pScene->m_nState = c.state;
    m_pScene->m_nSubState = c.subState;
    SetKeyHeld(VK_SPACE, true);
    m_pScene->Run();
    SetKeyHeld(VK_SPACE, false);
    EXPECT_EQ(m_pScene->m_nState, GAMESTATE_PAUSE) << c.state;
    EXPECT_EQ(m_pScene->m_nSubState, 0) << c.state;
    EXPECT_EQ(m_pScene->m_nSavedState, c.state);
    EXPECT_EQ(m_pScene->m_nSavedSubState, c.subState);
    g_Input[0].m_bTriggerHeld = 0;
    PauseFrame(0);
    PauseFrame(1);  // resume
    EXPECT_EQ(m_pScene->m_nState, c.state);
    EXPECT_EQ(m_pScene->m_nSubState, c.subState);
  }
}

TEST_F(SceneStatesTest, ASetUpThatEndedThePlayLeadsToTheClearNotTheStart) {
  // The set-up's before-start flows may end the play; its tally is done, and starting
  // the stage over it would tally the next clear twice.
  m_pScene->EnterStartState(SETSTAGE_CLEARED);
  EXPECT_EQ(m_pScene->m_nState, GAMESTATE_CLEAR);
  m_pScene->EnterStartState(SETSTAGE_READY);
  EXPECT_EQ(m_pScene->m_nState, GAMESTATE_START);
}

TEST_F(SceneStatesTest, LostLifeLeadsToStartRetryOrGameOver) {
  struct Case {
    int playMode, retryMenu, lives, startStage;
    int expectState, expectLives;
  } const cases[] = {
      {PLAYMODE_FREE, 0, 2, 0, GAMESTATE_START, 1},
      {PLAYMODE_FREE, 0, 0, 0, GAMESTATE_GAMEOVER, 0},
      {PLAYMODE_STORY, 1, 2, 0, GAMESTATE_RETRY, 1},
      {PLAYMODE_STORY, 0, 2, 0, GAMESTATE_START, 1},
      {PLAYMODE_FREE, 0, 0, 1, GAMESTATE_START, 0},
      {PLAYMODE_FREE, 0, kInfiniteLives, 0, GAMESTATE_START, kInfiniteLives},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
    g_GameMgr.m_nPlayMode = c.playMode;
    g_GameMgr.m_nTitleSel = c.playMode == PLAYMODE_STORY ? TITLEITEM_NEWGAME : TITLEITEM_FREE;
    g_SystemData.m_bRetryMenu = c.retryMenu;
    g_bStartStage = c.startStage;
    g_Progress.m_nLives = c.lives;
    g_Progress.TakeSnapshot();
    m_pScene->m_nState = GAMESTATE_PLAY;
    m_pScene->OnLostLife();
    EXPECT_EQ(m_pScene->m_nState, c.expectState) << c.playMode << " " << c.lives;
    EXPECT_EQ(g_Progress.m_nLives, c.expectLives) << c.playMode << " " << c.lives;
  }
}

}  // namespace
