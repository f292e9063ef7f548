// The world-map scene driven frame by frame: the cursor's walk, the confirmation of a
// stage and the ways back from it, the start of a stage and a return from stage play.
#include "frontend/world_map_scene.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/stage/stage_data.h"
#include "frontend/title_scene.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/menu_cursor.h"
#include "tests/frontend/map_scene_fixture.h"

namespace {

using WorldMapScene = cMapSceneTest;
using S = cSceneWorldMap;

TEST_F(WorldMapScene, TheCursorStepsOneCellAFrameAndIsRefusedByWallsAndBlockedChips) {
  struct Case {
    const char* what;
    WORD dir;
    int col, row;
    int facing;
    int state;
    int startCol = kStartX;
    int startRow = kStartY;
  } const cases[] = {
      {"left onto a manual stage: no prompt", kDirLeft, kManualStageX, kStartY, 2, S::STATE_WALK},
      {"right onto an automatic stage: the prompt", kDirRight, kAutoStageX, kStartY, 3, S::STATE_CONFIRM},
      {"up into a wall: refused, facing up", kDirUp, kStartX, kStartY, 1, S::STATE_WALK},
      {"down into a blocked chip: refused, facing down", kDirDown, kStartX, kStartY, 0, S::STATE_WALK},
      {"left and down held: left only", kDirLeft | kDirDown, kManualStageX, kStartY, 2, S::STATE_WALK},
      {"left and right held: left", kDirLeft | kDirRight, kManualStageX, kStartY, 2, S::STATE_WALK},
      {"right against the right edge: stays on the last column", kDirRight, g_WorldMap.m_nMapW - 1, kStartY, 3,
       S::STATE_WALK, g_WorldMap.m_nMapW - 1, kStartY},
      {"down against the bottom edge: stays on the last row", kDirDown, kStartX, g_WorldMap.m_nMapH - 1, 0,
       S::STATE_WALK, kStartX, g_WorldMap.m_nMapH - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Progress.m_nMapX = c.startCol;
    g_Progress.m_nMapY = c.startRow;
    S scene;
    ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
    Press(scene, c.dir);
    const CURSORPOS& cursor = c.state == S::STATE_CONFIRM ? *g_MenuCursor.m_pBelow : *g_MenuCursor.m_pCur;
    EXPECT_EQ(cursor.nCol, c.col);
    EXPECT_EQ(cursor.nRow, c.row);
    EXPECT_EQ(cursor.x, 288);
    EXPECT_EQ(cursor.y, 224);
    EXPECT_EQ(scene.m_nFacing, c.facing);
    EXPECT_EQ(scene.m_nState, c.state);
  }
}

TEST_F(WorldMapScene, LeavingAnAutomaticPromptStepsBackAndKeepsTheCursorStackFlat) {
  S scene;
  ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    Press(scene, kDirRight);
    ASSERT_EQ(scene.m_nState, S::STATE_CONFIRM);
    EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 2u);
    // Cancel in even rounds, the prompt's second line ("stop") in odd ones.
    Press(scene, 0, round % 2 == 0 ? kBack : kDecide);
    EXPECT_EQ(scene.m_nState, S::STATE_WALK);
    EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);
    EXPECT_EQ(g_MenuCursor.m_pCur->nCol, kStartX);
    EXPECT_EQ(g_MenuCursor.m_pCur->nRow, kStartY);
    Frame(scene);
    EXPECT_EQ(scene.m_nState, S::STATE_WALK);
  }
  // A manual stage's prompt returns to its own cell.
  Press(scene, kDirLeft);
  Press(scene, 0, kDecide);
  ASSERT_EQ(scene.m_nState, S::STATE_CONFIRM);
  Press(scene, 0, kBack);
  EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);
  EXPECT_EQ(g_MenuCursor.m_pCur->nCol, kManualStageX);
  EXPECT_EQ(scene.m_nState, S::STATE_WALK);
}

TEST_F(WorldMapScene, ConfirmingStartsTheStageLoadedIntoThePlayCopy) {
  S scene;
  ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
  Press(scene, kDirRight);
  ASSERT_EQ(scene.m_nState, S::STATE_CONFIRM);
  Press(scene, kDirUp);  // the first line: play
  Frame(scene, 0, kDecide);
  EXPECT_EQ(scene.m_nState, S::STATE_FADEOUT);
  EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_GAME);
  // The stage as loaded stays whole; the pristine copy got its settings.
  EXPECT_EQ(g_StageData.m_strPath, "data\\stg4\\stage1.stg4_811");
  EXPECT_FALSE(g_StageData.m_vCharaPlace.empty());
  EXPECT_TRUE(g_StageDataOrg.m_vCharaPlace.empty());
  EXPECT_EQ(g_StageDataOrg.m_nWidth, g_StageData.m_nWidth);
  EXPECT_EQ(g_Progress.m_nStage, 1);
  EXPECT_EQ(g_Progress.m_nSubStage, 1);
  EXPECT_EQ(g_Progress.m_strStageName, "stage1.");
  EXPECT_EQ(g_Progress.m_nMapX, kAutoStageX);
  EXPECT_EQ(g_Progress.m_pWorldStage, &g_WorldMap.m_vWorld[0].m_vStage[0]);
  EXPECT_TRUE(BoxesSaying("ステージ").empty());
  g_GameMgr.m_nScene = SCENE_WORLDMAP;
  for (int i = 0; i < 3; ++i) Frame(scene);
  EXPECT_EQ(g_GameMgr.m_nScene, SCENE_GAME);
  EXPECT_EQ(g_GameMgr.m_nPrevScene, SCENE_WORLDMAP);
}

TEST_F(WorldMapScene, AStageFileThatCannotBeLoadedKeepsThePromptAndOnlyStepsBack) {
  g_WorldMap.m_vWorld[0].m_vStage[0].m_strStageFile = "missing.stg4_811";
  S scene;
  ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
  Press(scene, kDirRight);
  EXPECT_EQ(BoxesSaying("ステージ"), std::vector<std::string>{"ステージファイル missing.stg4_811 が読み込めません！"});
  Press(scene, kDirUp);
  EXPECT_EQ(scene.m_nState, S::STATE_CONFIRM);
  Press(scene, 0, kDecide);
  EXPECT_EQ(scene.m_nState, S::STATE_WALK);
  EXPECT_EQ(g_MenuCursor.m_pCur->nCol, kStartX);
}

TEST_F(WorldMapScene, LivesAtTheStageStart) {
  struct Case {
    const char* what;
    int carry, infinite;
    std::int32_t lives, livesAtStart;
  } const cases[] = {
      {"the story's lives", 0, 0, 2, 3},
      {"the lives left carry over", 1, 0, 2, 3},
      {"no life left carries over as one", 1, 0, 0, 1},
      {"infinite lives carried", 1, 1, 999999, 999999},
      // Without the carry-over every stage starts with the story's lives, infinite or not.
      {"infinite lives not carried", 0, 1, 999999, 3},
      {"a damaged save's lives do not wrap", 1, 0, 2147483647, 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_SystemData.m_bCarryLives = c.carry;
    g_SystemData.m_bInfiniteLives[0] = c.infinite;
    g_Progress.m_nLives = c.lives;
    S scene;
    scene.m_pStage = &g_WorldMap.m_vWorld[0].m_vStage[0];
    scene.StartStage();
    EXPECT_EQ(g_Progress.m_nLivesAtStart, c.livesAtStart);
  }
}

TEST_F(WorldMapScene, AGivenUpAutomaticStageBringsTheCursorBackToItsCellAndItsPrompt) {
  struct Case {
    const char* what;
    bool newStory;  // else a clear put the cursor on it; the player last stepped from (9, 7)
  } const cases[] = {
      {"a new story starting on the stage, never walked", true},
      {"back from a clear onto the stage", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Progress = cProgress();
    g_WorldMap.m_nStartX = kAutoStageX;
    if (c.newStory) {
      StartNewStory();
      g_GameMgr.m_nPrevScene = SCENE_TITLE;
    } else {
      g_Progress.m_nMapX = kAutoStageX;
      g_Progress.m_nMapY = kStartY;
      g_Progress.m_nMapStayX = kStartX;
      g_Progress.m_nMapStayY = kStartY;
      g_GameMgr.m_nPrevScene = SCENE_GAME;
    }
    {
      S scene;
      ASSERT_TRUE(RunUntilState(scene, S::STATE_FADEOUT));
      EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_GAME);
      EXPECT_EQ(g_Progress.m_nMapStayX, kAutoStageX);
      EXPECT_EQ(g_Progress.m_nMapStayY, kStartY);
    }
    // Stage play was given up.
    g_Progress.m_bMapStay = 1;
    g_GameMgr.m_nPrevScene = SCENE_GAME;
    g_GameMgr.m_nNextScene = SCENE_WORLDMAP;
    S scene;
    ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
    EXPECT_EQ(g_Progress.m_bMapStay, 0);
    EXPECT_EQ(g_MenuCursor.m_pCur->nCol, kAutoStageX);
    EXPECT_EQ(g_MenuCursor.m_pCur->nRow, kStartY);
    // Its prompt, not another start.
    Frame(scene);
    EXPECT_EQ(scene.m_nState, S::STATE_CONFIRM);
    EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_WORLDMAP);
  }
}

TEST_F(WorldMapScene, CancelOpensTheMenuAndTheMenuDoesNotRestartTheStageBelow) {
  S scene;
  ASSERT_TRUE(RunUntilState(scene, S::STATE_WALK));
  Press(scene, kDirDown | kDirLeft);  // to the manual stage
  Frame(scene, 0, kBack);
  EXPECT_EQ(scene.m_nState, S::STATE_FADEOUT);
  EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_MAPMENU);
  EXPECT_EQ(g_Progress.m_nMapX, kManualStageX);

  // Back from the menu onto an automatic stage: its prompt, not a start.
  g_Progress.m_nMapX = kAutoStageX;
  g_GameMgr.m_nPrevScene = SCENE_MAPMENU;
  S again;
  ASSERT_TRUE(RunUntilState(again, S::STATE_WALK));
  Frame(again);
  EXPECT_EQ(again.m_nState, S::STATE_CONFIRM);
}

TEST_F(WorldMapScene, ReturningFromPlayWithTheAutoSaveOnSavesTheSlot) {
  struct Case {
    const char* what;
    int prevScene;
    std::int32_t autoSave, slot;
    bool saved;
  } const cases[] = {
      {"back from play", SCENE_GAME, 1, 6, true},
      {"the auto save off", SCENE_GAME, 0, 6, false},
      {"back from the menu", SCENE_MAPMENU, 1, 6, false},
      // A damaged save's slot number names no slot: nothing is written, nothing closes.
      {"a slot that does not exist", SCENE_GAME, 1, 99, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_SlotList.assign(kStorySlotCount, cSlotInfo());
    g_Progress.m_bAutoSave = c.autoSave;
    g_Progress.m_nSaveSlot = c.slot;
    g_GameMgr.m_nPrevScene = c.prevScene;
    S scene;
    Frame(scene);
    EXPECT_EQ(g_SlotList[6].m_bUsed, c.saved ? 1 : 0);
    EXPECT_EQ(Exists("user_data/story/Story07.dat"), c.saved);
    EXPECT_TRUE(BoxesSaying("Story").empty());
    std::filesystem::remove("user_data/story/Story07.dat");
  }
}

}  // namespace
