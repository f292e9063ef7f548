// What drawing a stage frame changes in the game, without a display: the player's defeat
// counted while it is drawn in any priority layer, the backgrounds that scroll, the time
// warning's sound.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "app/frame_timing.h"
#include "app/main_window_handle.h"
#include "data/stage/stage_data.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "media/draw/dd_display.h"
#include "platform/message_queue.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

std::vector<std::pair<UINT, WPARAM>> g_Sent;
LRESULT StageDrawTestRecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  g_Sent.emplace_back(message, wParam);
  return 0;
}
HWND StageDrawTestFakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x53)); }

class StageDrawTest : public StageSceneTest {
 protected:
  void SetUp() override {
    StageSceneTest::SetUp();
    g_hWnd = StageDrawTestFakeWindow();
    SetMainWindowHandle(StageDrawTestFakeWindow());
    SetMainWindowProc(StageDrawTestRecordingProc);
    g_Sent.clear();
  }
  void TearDown() override {
    SetMainWindowProc(nullptr);
    SetMainWindowHandle(nullptr);
    g_hWnd = nullptr;
    StageSceneTest::TearDown();
  }
};

TEST_F(StageDrawTest, ADyingPlayerWithAnyZReachesTheLostLife) {
  // With eight layers a Z outside 0-7 still belongs to a layer: otherwise the dying
  // player is never drawn, its defeat never ends and play is stuck. With one layer the Z
  // does not matter.
  struct Case {
    std::int32_t bLayered;
    std::int8_t z;
  };
  const Case cases[] = {{1, 3}, {1, 8}, {1, 100}, {1, -1}, {0, 100}};
  for (const auto& [bLayered, z] : cases) {
    SCOPED_TRACE(testing::Message() << bLayered << " " << static_cast<int>(z));
    g_StageData.m_bLayeredDraw = bLayered;
    g_StageDataOrg.m_bLayeredDraw = bLayered;
    g_StageData.m_vCharaPlace.front().m_nZ = z;
    g_StageDataOrg.m_vCharaPlace.front().m_nZ = z;
    ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
    ASSERT_EQ(g_vPlayer.front().m_Def.m_nZ, z);
    g_Progress.m_nLives = 0;
    m_pScene->m_nState = GAMESTATE_PLAY;
    g_vPlayer.front().m_bDying = 1;
    int frames = 0;
    while (m_pScene->m_nState == GAMESTATE_PLAY && frames < 200) {
      m_pScene->Draw(1, 0, 1, 1);
      ++frames;
    }
    EXPECT_EQ(frames, 61);
    EXPECT_EQ(m_pScene->m_nState, GAMESTATE_GAMEOVER);
  }
}

TEST_F(StageDrawTest, OnlyTheFirstEightBackgroundsScrollAndDraw) {
  ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
  g_StageData.m_vBack.assign(10, cStageBack());
  for (cStageBack& back : g_StageData.m_vBack) {
    back.m_bVisible = 1;
    back.m_bAutoX = 1;
    back.m_dSpeedX = 1.5;
    back.m_dPosX = 7;
  }
  m_pScene->m_nState = GAMESTATE_PLAY;
  m_pScene->Draw(1, 0, 0, 0);  // no background has a surface here: nothing is drawn
  for (std::size_t i = 0; i < g_StageData.m_vBack.size(); ++i) {
    SCOPED_TRACE(i);
    // Without a picture the width is 0: the offset only moves.
    EXPECT_EQ(g_StageData.m_vBack[i].m_dPosX, i < 8 ? 5.5 : 7.0);
  }
  m_pScene->m_nState = GAMESTATE_PAUSE;
  m_pScene->Draw(0, 1, 0, 1);
  EXPECT_EQ(g_StageData.m_vBack[0].m_dPosX, 5.5) << "no scrolling under the pause menu";
}

TEST_F(StageDrawTest, TheTimeWarningSoundsOnceASecondFromTheWarningTimeDownToOne) {
  ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
  g_StageData.m_nTimeWarning = 10;
  m_pScene->m_bNoTimeLimit = 0;
  struct Case {
    std::int32_t nTimeLeft;
    std::int32_t bTimeSound;
    bool bCounterAtZero;
    bool bSound;
  };
  const Case cases[] = {
      {10, 1, true, true},   {1, 1, true, true},   {11, 1, true, false}, {0, 1, true, false},
      {5, 0, true, false},   {5, 1, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nTimeLeft << " " << c.bTimeSound << " " << c.bCounterAtZero);
    CountEvery(0, 60);
    if (!c.bCounterAtZero) CountEvery(1, 60);
    m_pScene->m_nTimeLeft = c.nTimeLeft;
    g_Sent.clear();
    m_pScene->DrawTimeLimit(&g_BackBuffer, c.bTimeSound);
    const bool bSounded = !g_Sent.empty() && g_Sent.front() == std::make_pair(static_cast<UINT>(WM_GAME_PLAYSE),
                                                                               static_cast<WPARAM>(13));
    EXPECT_EQ(bSounded, c.bSound);
  }
}

TEST_F(StageDrawTest, ADefeatedCharacterLeavesWhileDrawnButNotUnderAHiddenPauseView) {
  g_StageDataOrg.m_vCharaPlace.push_back(Chara(CHARACTRL_COMPUTER, 8, 10));
  g_StageData = g_StageDataOrg;
  ASSERT_EQ(m_pScene->SetStage(0, 1), SETSTAGE_READY);
  ASSERT_EQ(g_listChara.size(), 1u);
  g_listChara.front().m_bDying = 1;
  // The pause menu that hides the stage draws the backgrounds only: nothing of the
  // stage changes.
  g_SystemData.m_bPauseHidesStage = 1;
  m_pScene->m_nState = GAMESTATE_PAUSE;
  m_pScene->Draw(0, 1, 0, 1);
  EXPECT_EQ(g_listChara.size(), 1u);
  // A computer character's defeat without an effect ends in the first frame it is drawn,
  // paused or not.
  g_SystemData.m_bPauseHidesStage = 0;
  m_pScene->Draw(0, 1, 0, 1);
  EXPECT_TRUE(g_listChara.empty());
  for (const auto& group : m_pScene->m_vGroupList)
    for (const cGameObj* obj : group) EXPECT_EQ(obj, static_cast<const cGameObj*>(&g_vPlayer.front()));
}

}  // namespace
