// The play step's timers and its input handling.
#include <gtest/gtest.h>

#include "app/frame_timing.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

using PlayStepTest = StageSceneTest;

// Calls CountTimeLimit `frames` times; the number of calls that reported 0 reached.
int RunTimeLimit(cSceneGame& scene, int frames) {
  int reached = 0;
  for (int i = 0; i < frames; ++i) reached += scene.CountTimeLimit(-1);
  return reached;
}

TEST_F(PlayStepTest, TimeLimitCountsOnceEverySixtyFrames) {
  struct Case {
    int noLimit, timeLeft, frames;
    int expectLeft, expectReached;
  } const cases[] = {
      {0, 5, 59, 5, 0},
      {0, 5, 60, 4, 0},
      {0, 5, 600, 0, 6},  // at 0 every further count reports it again
      {0, 5, 300, 0, 1},
      {0, 0, 60, 0, 1},   // a limit of 0 kills at the first count
      {0, 1, 60, 0, 1},
      {1, 5, 600, 5, 0},  // no limit: nothing counts
      {0, 999, 60, 998, 0},
  };
  for (const Case& c : cases) {
    CountEvery(0, 60);
    m_pScene->m_bNoTimeLimit = c.noLimit;
    m_pScene->m_nTimeLeft = c.timeLeft;
    const int reached = RunTimeLimit(*m_pScene, c.frames);
    EXPECT_EQ(m_pScene->m_nTimeLeft, c.expectLeft) << c.timeLeft << " after " << c.frames;
    EXPECT_EQ(reached, c.expectReached) << c.timeLeft << " after " << c.frames;
  }
  // Raised past 999 it stays at 999.
  CountEvery(0, 60);
  m_pScene->m_bNoTimeLimit = 0;
  m_pScene->m_nTimeLeft = 999;
  for (int i = 0; i < 60; ++i) m_pScene->CountTimeLimit(5);
  EXPECT_EQ(m_pScene->m_nTimeLeft, 999);
}

TEST_F(PlayStepTest, PlayTimeStopsAtItsCap) {
  struct Case {
    int frames, time;
    int expectFrames, expectTime;
  } const cases[] = {
      {0, 0, 1, 1},
      {2, 3, 3, 5},
      {59, 98, 60, 100},
      {359998, 599996, 359999, 599998},
      {359999, 599998, 360000, 599999},
      {360000, 599999, 360000, 599999},  // capped: nothing counts any more
  };
  for (const Case& c : cases) {
    m_pScene->m_nPlayFrames = c.frames;
    m_pScene->m_nPlayTime = c.time;
    m_pScene->CountPlayTime();
    EXPECT_EQ(m_pScene->m_nPlayFrames, c.expectFrames) << c.frames;
    EXPECT_EQ(m_pScene->m_nPlayTime, c.expectTime) << c.frames;
  }
}

TEST_F(PlayStepTest, HeldButtonsAreIgnoredUntilAllAreReleased) {
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  m_pScene->m_nState = GAMESTATE_PLAY;
  m_pScene->m_bWaitRelease = 1;
  cInput& input = g_Input[0];
  struct Frame {
    WORD buttons;
    WORD expectSeen;
    int expectWait;
  } const frames[] = {
      {1, 0, 1},  // still held from the menu
      {3, 0, 1},
      {0, 0, 0},  // all released
      {1, 1, 0},  // a new press counts
  };
  for (const Frame& f : frames) {
    input.m_wButton = f.buttons;
    m_pScene->StatePlay();
    EXPECT_EQ(input.m_wButton, f.expectSeen) << f.buttons;
    EXPECT_EQ(m_pScene->m_bWaitRelease, f.expectWait) << f.buttons;
  }
}

TEST_F(PlayStepTest, TimeUpDefeatsThePlayer) {
  g_StageData.m_bTimeLimit = 1;
  g_StageData.m_nTimeLimit = 0;
  AddFloor();
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  m_pScene->m_nState = GAMESTATE_PLAY;
  for (int i = 0; i < 59; ++i) m_pScene->StatePlay();
  EXPECT_EQ(g_vPlayer[0].m_bDying, 0);
  m_pScene->StatePlay();
  EXPECT_NE(g_vPlayer[0].m_bDying, 0);
}

}  // namespace
