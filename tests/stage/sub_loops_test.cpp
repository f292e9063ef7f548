// The modal sub-loops: how a wait request ends, the pause loop's quit, and the starter's
// protocol when the loop cannot run or the program is shutting down.
#include "stage/sub_loops.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "media/input/input.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/scene_game.h"

namespace {

class SubLoopsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    ClearPostedMessages();
  }
  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    ClearPostedMessages();
  }

  // Frames of the wait request with these buttons, one per frame, until it ends; the
  // number of frames it went on for (-1 when it did not end).
  int FramesUntilEnd(std::initializer_list<WORD> buttons) {
    cInput input;
    int frame = 0;
    for (const WORD b : buttons) {
      input.m_wButton = b;
      input.UpdateHistory();
      if (WaitRequestEnds(*m_pScene, input)) return frame;
      ++frame;
    }
    return -1;
  }

  cSceneGame* m_pScene = nullptr;
};

TEST_F(SubLoopsTest, CountdownDrawsItsFramesThenEnds) {
  struct Case {
    int countdown, expectFrames;
  } const cases[] = {{0, 0}, {1, 1}, {30, 30}};
  for (const Case& c : cases) {
    m_pScene->m_WaitReq.Set(WAIT_EXTRA_LIFE, 0, c.countdown, 0);
    cInput input;
    int frames = 0;
    while (!WaitRequestEnds(*m_pScene, input) && frames < 100) ++frames;
    EXPECT_EQ(frames, c.expectFrames) << c.countdown;
  }
}

TEST_F(SubLoopsTest, KeyWaitTakesAFreshPressOnly) {
  // Held from before the wait: never a fresh press.
  m_pScene->m_WaitReq.Set(WAIT_PICTURE, 1, 0, 0);
  EXPECT_EQ(FramesUntilEnd({1, 1, 1, 1}), -1);
  // Released, then pressed: the press ends it, and the play then waits for a release.
  m_pScene->m_WaitReq.Set(WAIT_PICTURE, 1, 0, 0);
  m_pScene->m_bWaitRelease = 0;
  EXPECT_EQ(FramesUntilEnd({1, 0, 1}), 2);
  EXPECT_EQ(m_pScene->m_bWaitRelease, 1);
  // A new message window ignores the key for 10 frames; a continued one does not.
  m_pScene->m_WaitReq.Set(WAIT_MESSAGE, 1, 0, 0);
  EXPECT_EQ(FramesUntilEnd({0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}), 11);
  m_pScene->m_WaitReq.Set(WAIT_MESSAGE, 1, 0, 1);
  EXPECT_EQ(FramesUntilEnd({0, 1}), 1);
}

TEST_F(SubLoopsTest, PauseLoopEndsAtOnceWhenTheSceneIsQuitting) {
  m_pScene->m_bQuit = 1;
  EXPECT_EQ(PauseLoop(m_pScene), 0u);
}

TEST_F(SubLoopsTest, PauseLoopEndsOnItsOwnAfterAQuitRequest) {
  // The main window's WM_QUIT never comes here: the loop posts its own once the quit
  // has waited long enough, and the starter gets control back.
  const int active = g_bActive.load();
  g_bActive = 1;
  m_pScene->m_WaitReq.Set(WAIT_PICTURE, 1, 0, 0);
  std::thread quitter([this] {
    Sleep(50);
    m_pScene->m_bQuit = 1;
  });
  const DWORD start = timeGetTime();
  EXPECT_TRUE(RunModalLoop(thPause, PauseLoop, m_pScene, true));
  const DWORD waited = timeGetTime() - start;
  quitter.join();
  EXPECT_LT(waited, 10000u);
  EXPECT_FALSE(thPause.IsRunning());
  g_bActive = active;
}

TEST_F(SubLoopsTest, StarterDoesNotWaitForALoopThatDidNotStart) {
  static std::atomic<int> release{0};
  release = 0;
  cThread busy;
  ASSERT_TRUE(busy.Start(
      [](void*) -> unsigned {
        while (release.load() == 0) Sleep(1);
        return 0;
      },
      nullptr));
  // The thread object is taken: the start fails, and the starter returns at once.
  EXPECT_FALSE(RunModalLoop(busy, PauseLoop, m_pScene, true));
  release = 1;
  busy.Wait();
}

TEST_F(SubLoopsTest, RequestsGiveUpOnceShutdownHasBegun) {
  std::atomic<int> done{0};
  BeginShutdown();
  EXPECT_FALSE(SendAndWaitDone(WM_GAME_NAMEENTRY, 0, 0, done));
  ResetShutdown();
}

}  // namespace
