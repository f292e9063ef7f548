// The title: which items its menu shows and where the cursor comes back to, where each
// item leads, the continue list with empty slots, and a new story's lives.
#include "frontend/title_scene.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/database/database.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "media/input/input.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/menu_cursor.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

std::vector<cCmdItem> Menu(std::initializer_list<int> enabled) {
  std::vector<cCmdItem> menu;
  for (const int on : enabled) {
    cCmdItem& item = menu.emplace_back();
    item.m_bEnabled = on;
    item.m_strLabel = "item";
  }
  return menu;
}

TEST(TitleItems, TheEnabledEntriesUpToSevenOrTheFirstAlone) {
  struct Case {
    const char* what;
    std::vector<cCmdItem> menu;
    std::vector<int> expect;
  } const cases[] = {
      {"all seven", Menu({1, 1, 1, 1, 1, 1, 1}), {0, 1, 2, 3, 4, 5, 6}},
      {"some hidden", Menu({1, 0, 1, 0, 0, 1, 1}), {0, 2, 5, 6}},
      {"none enabled: new story alone", Menu({0, 0, 0, 0, 0, 0, 0}), {0}},
      {"an empty menu: new story alone", Menu({}), {0}},
      {"a damaged file with ten entries: seven kept", Menu({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), {0, 1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    std::array<std::int32_t, kTitleItemTypes> items{};
    const int n = CollectTitleItems(c.menu, items);
    ASSERT_EQ(n, static_cast<int>(c.expect.size())) << c.what;
    for (int i = 0; i < n; ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_EQ(items[at], c.expect[at]) << c.what;
    }
  }
}

TEST(TitleItems, TheCursorReturnsToTheItemLastChosen) {
  struct Case {
    const char* what;
    std::vector<cCmdItem> menu;
    int titleSel, expectRow;
  } const cases[] = {
      {"shown: its row", Menu({1, 0, 1, 0, 0, 1, 1}), 5, 2},
      {"hidden among six: the sixth row", Menu({1, 1, 1, 1, 0, 1, 1}), 4, 4},
      {"hidden, type 5 among six: the sixth row", Menu({1, 1, 1, 1, 1, 0, 1}), 5, 5},
      {"hidden past the end: corrected by the first move", Menu({1, 1, 0, 0, 0, 0, 0}), 6, 6},
  };
  for (const Case& c : cases) {
    std::array<std::int32_t, kTitleItemTypes> items{};
    const int n = CollectTitleItems(c.menu, items);
    EXPECT_EQ(TitleCursorRow(items, n, c.titleSel), c.expectRow) << c.what;
  }
  // The first grid move puts a row past the end back on row 0.
  g_MenuCursor.Reset();
  g_MenuCursor.m_pCur->nRow = 6;
  g_MenuCursor.MoveGrid(cInput(), 192, 240, 0, 32, 1, 2);
  EXPECT_EQ(g_MenuCursor.m_pCur->nRow, 0);
}

class TitleSceneTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(WriteGame(cGameContent()), 1);
    ASSERT_EQ(g_Database.Load(), 1);
    m_SavedSystem = g_SystemData;
    g_SystemData.m_Lives = {3, 4, 5, 6};
    g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
    g_SystemData.m_nChallengeCount = 12;
    g_SystemData.m_bTitlePictures = 0;
    // Rankings on in the challenge and replay modes only.
    for (std::size_t mode = 0; mode < 4; ++mode) g_SystemData.m_ModeRanking[mode].m_bRankingOn = mode % 2;
    g_WorldMap.m_nStartX = 4;
    g_WorldMap.m_nStartY = 7;
    g_Input.assign(1, cInput());
    g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
    g_GameMgr.m_nNextScene = SCENE_TITLE;
    m_pScene = new cSceneTitle();
    m_pScene->Init();
    m_pScene->m_nState = cSceneTitle::STATE_MENU;
    ClearPostedMessages();
    boxes.shown.clear();  // the game has no pictures: their loading failed
  }
  void TearDown() override {
    delete m_pScene;
    g_SystemData = m_SavedSystem;
    g_Progress = cProgress();
    g_WorldMap = cWorldMap();
    g_Database.Reset();
    g_MenuCursor.Reset();
    cTempDirTest::TearDown();
  }

  // One frame of the state the title is in, with these words on input device 0.
  void Frame(WORD dir, WORD buttons) {
    g_Input[0].m_wDir = dir;
    g_Input[0].m_wButton = buttons;
    if (m_pScene->m_nState == cSceneTitle::STATE_MENU)
      m_pScene->Menu();
    else if (m_pScene->m_nState == cSceneTitle::STATE_SLOT)
      m_pScene->SelectSlot();
  }

  cSceneTitle* m_pScene = nullptr;
  cRecordingMessageBoxes boxes;

 private:
  cSystemData m_SavedSystem;
};

TEST_F(TitleSceneTest, EachItemLeadsToItsPlay) {
  struct Case {
    const char* what;
    int row;
    int expectState, expectNext, expectPlayMode, expectRanking, expectClose;
  } const cases[] = {
      {"new story: the world map", 0, cSceneTitle::STATE_FADEOUT, SCENE_WORLDMAP, PLAYMODE_STORY, 0, 0},
      {"continue: the slot list", 1, cSceneTitle::STATE_SLOT, SCENE_TITLE, PLAYMODE_STORY, 0, 0},
      {"challenge: the challenge list", 2, cSceneTitle::STATE_FADEOUT, SCENE_CHALLENGE, PLAYMODE_CHALLENGE, 1, 0},
      // No main window serves the file box here: as after a cancelled box, the menu stays.
      {"free: no stage chosen, the menu stays", 3, cSceneTitle::STATE_MENU, SCENE_TITLE, PLAYMODE_FREE, 0, 0},
      {"replay: no replay chosen, the menu stays", 4, cSceneTitle::STATE_MENU, SCENE_TITLE, PLAYMODE_REPLAY, 1, 0},
      {"options", 5, cSceneTitle::STATE_FADEOUT, SCENE_OPTION, -1, -1, 0},
      {"exit: the program closes", 6, cSceneTitle::STATE_MENU, SCENE_TITLE, -1, -1, 1},
  };
  for (const Case& c : cases) {
    m_pScene->m_nState = cSceneTitle::STATE_MENU;
    g_MenuCursor.Reset();
    g_MenuCursor.m_pCur->nRow = c.row;
    g_GameMgr.m_nNextScene = SCENE_TITLE;
    g_GameMgr.m_nPlayMode = -1;
    g_GameMgr.m_bRanking = -1;
    ClearPostedMessages();
    Frame(0, 1);
    EXPECT_EQ(m_pScene->m_nState, c.expectState) << c.what;
    EXPECT_EQ(g_GameMgr.m_nNextScene, c.expectNext) << c.what;
    EXPECT_EQ(g_GameMgr.m_nTitleSel, c.row) << c.what;
    EXPECT_EQ(g_GameMgr.m_nPlayMode, c.expectPlayMode) << c.what;
    EXPECT_EQ(g_GameMgr.m_bRanking, c.expectRanking) << c.what;
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), c.expectClose) << c.what;
  }
}

TEST_F(TitleSceneTest, ANewStoryStartsOnTheMapsStartWithTheStoryLives) {
  struct Case {
    int infinite;
    int expectAtStart, expectLives;
  } const cases[] = {{0, 3, 2}, {1, 999999, 999999}};
  for (const Case& c : cases) {
    g_SystemData.m_bInfiniteLives[0] = c.infinite;
    g_Progress.m_nScore = 77;
    StartNewStory();
    EXPECT_EQ(g_Progress.m_nScore, 0);
    EXPECT_EQ(g_Progress.m_nMapX, 4);
    EXPECT_EQ(g_Progress.m_nMapY, 7);
    EXPECT_EQ(g_Progress.m_nLivesAtStart, c.expectAtStart);
    EXPECT_EQ(g_Progress.m_nLives, c.expectLives);
  }
}

TEST_F(TitleSceneTest, AChallengeWithoutItsFileStartsAFreshChallengeRun) {
  g_Progress.m_nChallengeOpen = 9;
  g_MenuCursor.m_pCur->nRow = 2;
  Frame(0, 1);
  EXPECT_EQ(g_Progress.m_nChallengeOpen, 1);
  ASSERT_EQ(g_Progress.m_ChallengeState.size(), 12u);
  for (const cValuePair& record : g_Progress.m_ChallengeState) {
    EXPECT_EQ(record.m_bCleared, 0);
    EXPECT_EQ(record.m_nHigh, 0);
  }
}

TEST_F(TitleSceneTest, ContinueWithEmptySlotsRefusesAndCancelReturnsToContinue) {
  g_MenuCursor.m_pCur->nRow = 1;
  Frame(0, 1);
  ASSERT_EQ(m_pScene->m_nState, cSceneTitle::STATE_SLOT);
  Frame(0, 0);  // the list is read
  EXPECT_EQ(m_pScene->m_nSlotRows, 10);
  for (int i = 0; i < 3; ++i) {
    Frame(kDirDown, 0);
    Frame(0, 1);
    EXPECT_EQ(m_pScene->m_nState, cSceneTitle::STATE_SLOT);
  }
  EXPECT_TRUE(boxes.shown.empty());
  Frame(0, 2);
  EXPECT_EQ(m_pScene->m_nState, cSceneTitle::STATE_MENU);
  EXPECT_EQ(g_MenuCursor.m_pCur->nRow, 1);
  EXPECT_EQ(g_MenuCursor.m_vLevel.size(), 1u);
}

TEST_F(TitleSceneTest, ContinueLoadsAUsedSlot) {
  cProgress saved;
  saved.NewGame();
  saved.m_nScore = 4321;
  saved.m_nMapX = 2;
  cGameContent game;
  game.StorySlots.push_back({1, saved});
  ASSERT_EQ(WriteGame(game), 1);
  g_MenuCursor.m_pCur->nRow = 1;
  Frame(0, 1);
  Frame(kDirDown, 0);
  Frame(0, 1);
  EXPECT_EQ(m_pScene->m_nState, cSceneTitle::STATE_FADEOUT);
  EXPECT_EQ(g_GameMgr.m_nNextScene, SCENE_WORLDMAP);
  EXPECT_EQ(g_Progress.m_nScore, 4321);
}

}  // namespace
