// The sound and music requests other threads send to the main window.
#include "shell/game_requests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "data/database/database.h"
#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "media/sound/sound.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::pair<UINT, WPARAM>> g_Sent;
LRESULT GameRequestsTestRecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  g_Sent.emplace_back(message, wParam);
  return 0;
}
HWND GameRequestsTestFakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x52)); }

class GameRequestsTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    OpenReportLog("Report_Game.txt");
    g_hWnd = GameRequestsTestFakeWindow();
    SetMainWindowHandle(GameRequestsTestFakeWindow());
    SetMainWindowProc(GameRequestsTestRecordingProc);
    g_Sent.clear();
  }
  void TearDown() override {
    SetMainWindowProc(nullptr);
    SetMainWindowHandle(nullptr);
    g_hWnd = nullptr;
    cTempDirTest::TearDown();
  }
};

TEST_F(GameRequestsTest, UserSoundsAreSixteenBitNumbersAfterTheSystemSounds) {
  struct Case {
    int number;
    bool sent;
    WPARAM entry;
  };
  const Case cases[] = {{0, false, 0}, {1, true, 17}, {3, true, 19}, {0xFFFF, true, 0xFFFF + 16},
                        {0x10000, false, 0}, {0x10002, true, 18}};
  for (const Case& c : cases) {
    g_Sent.clear();
    PlayUserSE(c.number);
    ASSERT_EQ(g_Sent.size(), c.sent ? 1u : 0u) << c.number;
    if (c.sent) {
      EXPECT_EQ(g_Sent[0], std::make_pair(WM_GAME_PLAYSE, c.entry)) << c.number;
    }
  }
}

TEST_F(GameRequestsTest, ASoundRequestFromAnotherThreadWaitsForTheMainThread) {
  std::thread game([] { PlaySE(4); });
  // The main thread serves the sent message at its next look at its queue.
  MSG msg;
  while (g_Sent.empty()) PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  game.join();
  EXPECT_EQ(g_Sent, (std::vector<std::pair<UINT, WPARAM>>{{WM_GAME_PLAYSE, 4}}));
}

TEST_F(GameRequestsTest, ASenderBlockedInPlaySEIsReleasedWhenShutdownBegins) {
  std::atomic<bool> returned{false};
  std::thread game([&] {
    PlaySE(2);
    returned = true;
  });
  // The main thread is busy closing and does not serve the request: the sender waits ...
  Sleep(20);
  EXPECT_FALSE(returned);
  // ... until the close sequence says shutdown has begun, before it ends any thread.
  BeginShutdown();
  game.join();
  EXPECT_TRUE(g_Sent.empty());
  ResetShutdown();
}

TEST_F(GameRequestsTest, ASoundEntryPastTheTableIsReportedAndClosesTheProgram) {
  g_Sound.clear();
  g_Sound.resize(17);
  for (WPARAM entry : {WPARAM{16}, WPARAM{17}, ~WPARAM{0}}) {
    ClearPostedMessages();
    OnPlaySE(entry);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), entry == 16 ? 0 : 1) << entry;
  }
  EXPECT_NE(ReadBytes("Report_Game.txt").find("err V[17]"), std::string::npos);
  g_Sound.clear();
}

TEST_F(GameRequestsTest, StageMusicRequestsStoreTheIdTheyPlay) {
  g_Database.m_Bgm.assign(3, cBgmData());
  struct Case {
    WPARAM slot;
    LPARAM id;
    int stored;   // the progress record's stage music afterwards
    int closes;   // WM_CLOSE posted
  };
  const Case cases[] = {
      {4, 2, 2, 0},    // a stage's music
      {4, 0, 0, 0},    // no music: stops
      {4, 9, 0, 1},    // past the database: reported, taken as no music
      {5, 1, 77, 0},   // no such slot: nothing at all
  };
  for (const Case& c : cases) {
    ClearPostedMessages();
    g_Progress.m_nStageBgm = 77;
    OnPlayBgm(c.slot, c.id);
    EXPECT_EQ(g_Progress.m_nStageBgm, c.stored) << c.slot << " " << c.id;
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), c.closes) << c.slot << " " << c.id;
  }
  // A scene slot whose list entry is missing (a damaged system record) is reported too.
  ClearPostedMessages();
  g_SystemData.m_SceneBgm.clear();
  OnPlayBgm(1, 0);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
  g_Database.m_Bgm.clear();
}

}  // namespace
