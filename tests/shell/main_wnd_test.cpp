// The main window: its message table, the ordered close (window record, pause loop, the
// threads, the window) and the requests that run a modal dialog for another thread.
#include "shell/main_wnd.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/test_play_flag.h"
#include "app/thread.h"
#include "app/ui/dialog_resources.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "frontend/name_dialog.h"
#include "frontend/play_services_install.h"
#include "media/draw/dd_display.h"
#include "media/sound/sound.h"
#include "platform/dialog_script.h"
#include "platform/display_window.h"
#include "platform/message_queue.h"
#include "platform/tool_socket.h"
#include "platform/virtual_keys.h"
#include "platform/win_time.h"
#include "shell/game_requests.h"
#include "shell/play_services.h"
#include "shell/window_data.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tool_socket_end.h"

// Allocations with the non-throwing new fail while this is set: how a request meets a
// dialog that cannot be made.
namespace {
std::atomic<bool> g_bFailNothrowNew{false};
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_bFailNothrowNew) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kCaption = 20;

// What the services of stage play and the front end were asked, and whether they succeed.
struct cServiceLog {
  std::vector<std::string> calls;
  bool bSucceed = true;
};
cServiceLog g_Services;

bool FakeStartFreeStage(const char* path, int findLatest) {
  g_Services.calls.push_back("start " + std::string(path) + " " + std::to_string(findLatest));
  return g_Services.bSucceed;
}
bool FakeLoadReplay(const char* path) {
  g_Services.calls.push_back("load " + std::string(path));
  return g_Services.bSucceed;
}
bool FakeMakeReplayFileName(std::string& out, const std::string& stageName) {
  g_Services.calls.push_back("name " + stageName);
  out = "user_data\\rpl4\\proposed.rpl4_811";
  return true;
}
bool FakeSaveReplay(const char* path, int bPrevious) {
  g_Services.calls.push_back("save " + std::string(path) + " " + std::to_string(bPrevious));
  return g_Services.bSucceed;
}
void FakeRequestPlayQuit() { g_Services.calls.push_back("quit"); }

cPlayServices FakeServices() {
  cPlayServices services;
  services.StartFreeStage = FakeStartFreeStage;
  services.LoadReplay = FakeLoadReplay;
  services.MakeReplayFileName = FakeMakeReplayFileName;
  services.SaveReplay = FakeSaveReplay;
  services.RequestPlayQuit = FakeRequestPlayQuit;
  services.CreateNameDlg = CreateNameDlg;
  return services;
}

class MainWndTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    WindowMetrics metrics;
    metrics.nScreenWidth = 1280;
    metrics.nScreenHeight = 1000;
    metrics.workArea = RECT{0, 0, 1280, 1000};
    metrics.nCaption = kCaption;
    OverrideWindowMetrics(&metrics);
    const POINT cursor{0, 0};
    OverrideCursorPos(&cursor);
    m_SavedIni = g_SystemIni;
    g_Services = cServiceLog();
    SetPlayServices(FakeServices());
    MakeFile("user_data/keep", "");
    // Without a display window the main window keeps its own place, where the tests put
    // it (an earlier test of this program may have left one open).
    if (IsDisplayWindowOpen()) CloseDisplayWindow();
    CreateMainWindow();
  }
  void TearDown() override {
    if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
    for (cThread* thread : {&thGame, &thPause, &thRanking, &thLoad}) thread->Exit();
    ResetShutdown();
    ClearPostedMessages();
    SetPlayServices(cPlayServices());
    g_SystemIni = m_SavedIni;
    g_bGameRunning = 0;
    g_bActive = 0;
    g_bTestPlay = 0;
    g_Progress.m_strStageName.clear();
    g_StageData.m_strPath.clear();
    g_hWnd = nullptr;
    OverrideWindowMetrics(nullptr);
    OverrideCursorPos(nullptr);
    cTempDirTest::TearDown();
  }

  // The main window as the entry makes it, and known as g_hWnd.
  void CreateMainWindow() {
    g_MainWnd.Setup();
    g_MainWnd.SetFrame(640, 480, 640, 480, 640, 480, kMainStyle, 0, 0, 0, 0, 0);
    ASSERT_EQ(g_MainWnd.Create("", 100, 100, MainWndProc), 1);
    m_hWnd = g_MainWnd.m_hWnd;
    g_hWnd = m_hWnd;
  }
  // After a close: the window gone, the program's quit message and shutdown forgotten.
  void ForgetClose() {
    ClearPostedMessages();
    ResetShutdown();
  }
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return MainWndProc(m_hWnd, msg, wParam, lParam); }
  // Hands the oldest posted message of the main queue to the window, as the main loop
  // does.
  static void DispatchOnePosted() {
    MSG msg{};
    if (TakePostedMessage(&msg)) DispatchMessageA(&msg);
  }
  std::string Report() { return ReadBytes("Report_Game.txt"); }

  HWND m_hWnd = nullptr;
  cDialogScript script;

 private:
  cSystemIni m_SavedIni;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The position of `line` in `lines`, or -1.
int IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == line) return static_cast<int>(i);
  return -1;
}

TEST_F(MainWndTest, MessagesWithoutWorkOfTheirOwnLeaveTheWindowAsItIs) {
  EXPECT_EQ(g_MainWnd.IsCreated(), 1);  // WM_CREATE arrived while the window was made
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wParam;
    int closes;  // WM_CLOSE posted
  } const cases[] = {
      {"Esc", WM_KEYDOWN, VK_ESCAPE, 1},
      {"Enter", WM_KEYDOWN, VK_RETURN, 0},
      {"a letter", WM_KEYDOWN, 'A', 0},
      {"a command", WM_COMMAND, 1000, 0},
      {"the mouse", WM_LBUTTONDOWN, 0, 0},
      {"the palette", WM_QUERYNEWPALETTE, 0, 0},
      {"another's palette", WM_PALETTECHANGED, 0x1234, 0},
      {"a paint before the game runs", WM_PAINT, 0, 0},
      {"a message of no interest", 0x0020, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearPostedMessages();
    EXPECT_EQ(Send(c.msg, c.wParam), 0);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), c.closes);
    EXPECT_TRUE(IsWindow(m_hWnd));
  }
}

TEST_F(MainWndTest, EscClosesTheProgram) {
  Send(WM_KEYDOWN, VK_ESCAPE);
  DispatchOnePosted();
  EXPECT_FALSE(IsWindow(m_hWnd));
  EXPECT_EQ(g_hWnd, nullptr);
  EXPECT_EQ(g_MainWnd.m_hWnd, nullptr);
  EXPECT_EQ(CountPostedMessages(WM_QUIT), 1);
}

TEST_F(MainWndTest, AMoveKeepsTheClientAreaInScreenCoordinates) {
  SetWindowPos(m_hWnd, nullptr, 150, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // The caption lies above the client area.
  EXPECT_EQ(g_rcClient.left, 150);
  EXPECT_EQ(g_rcClient.top, 60 + kCaption);
  EXPECT_EQ(g_rcClient.right, 150 + 640);
  EXPECT_EQ(g_rcClient.bottom, 60 + kCaption + 480);
}

TEST_F(MainWndTest, SizeLimitsAreTheFrameworksUnderDirectDrawOnly) {
  DTCONTAINER direct3D;
  for (DTCONTAINER* container : {static_cast<DTCONTAINER*>(nullptr), &direct3D}) {
    SCOPED_TRACE(container != nullptr ? "Direct3D" : "DirectDraw");
    lpDTCon = container;
    MINMAXINFO limits{};
    EXPECT_EQ(Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
    lpDTCon = nullptr;
    EXPECT_EQ(limits.ptMaxTrackSize.x, container != nullptr ? 0 : 640);
    EXPECT_EQ(limits.ptMaxTrackSize.y, container != nullptr ? 0 : 480 + kCaption);
  }
}

// Every message sent to the main window passes here first: what was sent, and whether
// the application counted as active at that moment. The restore itself is left out.
std::vector<std::pair<UINT, int>> g_Seen;
LRESULT SeeingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_Seen.emplace_back(msg, g_bActive.load());
  if (msg == WM_GAME_RESTORE) return 0;
  return MainWndProc(hwnd, msg, wParam, lParam);
}

TEST_F(MainWndTest, BecomingActiveFullScreenUnderDirect3DRestoresTheDeviceFirst) {
  DTCONTAINER direct3D;
  const int savedWindow = g_bWindow;
  SetMainWindowProc(SeeingProc);
  struct Case {
    const char* what;
    bool direct3D;
    int windowed;
    int wasActive;
    WPARAM active;
    bool restored;
  } const cases[] = {
      {"full-screen Direct3D comes back", true, 0, 0, 1, true},
      {"already active", true, 0, 1, 1, false},
      {"going away", true, 0, 1, 0, false},
      {"windowed Direct3D: the present restores it", true, 1, 0, 1, false},
      {"DirectDraw", false, 0, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    lpDTCon = c.direct3D ? &direct3D : nullptr;
    g_bWindow = c.windowed;
    g_bActive = c.wasActive;
    g_Seen.clear();
    EXPECT_EQ(Send(WM_ACTIVATEAPP, c.active), 0);
    // Restored while the game loop still sees the application inactive.
    const std::vector<std::pair<UINT, int>> want =
        c.restored ? std::vector<std::pair<UINT, int>>{{WM_GAME_RESTORE, 0}} : std::vector<std::pair<UINT, int>>{};
    EXPECT_EQ(g_Seen, want);
    EXPECT_EQ(g_bActive, static_cast<int>(c.active));
  }
  lpDTCon = nullptr;
  g_bWindow = savedWindow;
  SetMainWindowProc(MainWndProc);
}

TEST_F(MainWndTest, TheWindowRecordIsKeptOnlyWindowedOnceTheGameRunsAndNotMinimised) {
  struct Case {
    const char* what;
    int windowMode;
    int running;
    int show;
    bool written;
    int maximized;
  } const cases[] = {
      {"window", 1, 1, SW_SHOW, true, 0},
      {"resizable window, maximised", 2, 1, SW_MAXIMIZE, true, 1},
      {"maximised, then restored", 1, 1, SW_RESTORE, true, 0},
      {"full screen", 0, 1, SW_SHOW, false, 0},
      {"before the game thread started", 1, 0, SW_SHOW, false, 0},
      {"minimised", 1, 1, SW_MINIMIZE, false, 0},
  };
  const char* const path = "user_data/Window.dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(path);
    if (!IsWindow(m_hWnd)) CreateMainWindow();
    g_SystemIni.m_nWindowMode = c.windowMode;
    g_bGameRunning = c.running;
    SetWindowPos(m_hWnd, nullptr, 150, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.show == SW_RESTORE) ShowWindow(m_hWnd, SW_MAXIMIZE);
    ShowWindow(m_hWnd, c.show);
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(m_hWnd));
    ForgetClose();
    ASSERT_EQ(Exists(path), c.written);
    if (!c.written) continue;
    cWindowData stored;
    ASSERT_EQ(stored.LoadFromFile("user_data\\Window.dat"), 1);
    EXPECT_EQ(stored.m_nX, 150);
    EXPECT_EQ(stored.m_nY, 60);
    EXPECT_EQ(stored.m_nWidth, 640);
    EXPECT_EQ(stored.m_nHeight, 480);
    EXPECT_EQ(stored.m_bMaximized, c.maximized);
  }
}

// The pause loop as stage play runs it: on its own thread until WM_QUIT.
std::atomic<bool> g_bPauseQuit{false};
unsigned PauseLoop(void*) {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0)) {
  }
  g_bPauseQuit = true;
  return 1;
}

TEST_F(MainWndTest, DuringAPauseTheFirstCloseOnlyAsksPlayToQuit) {
  g_bPauseQuit = false;
  ASSERT_TRUE(thPause.Start(PauseLoop, nullptr));
  Send(WM_CLOSE);
  EXPECT_EQ(g_Services.calls, std::vector<std::string>{"quit"});
  // The pause loop ends by its quit message; the window stays until play closes again.
  thPause.Wait();
  EXPECT_TRUE(g_bPauseQuit);
  EXPECT_TRUE(IsWindow(m_hWnd));
  EXPECT_FALSE(IsShutdownBegun());
  EXPECT_EQ(CountPostedMessages(WM_QUIT), 0);

  Send(WM_CLOSE);
  EXPECT_FALSE(IsWindow(m_hWnd));
  EXPECT_EQ(g_Services.calls, std::vector<std::string>{"quit"});
  EXPECT_EQ(CountPostedMessages(WM_QUIT), 1);
}

// A game thread that asks for a sound while the main thread is busy closing, then runs
// its loop until its quit message.
struct cBlockedGame {
  std::atomic<bool> bSending{false};
  std::atomic<bool> bSendReturned{false};
  std::atomic<bool> bLeftByQuit{false};
};
cBlockedGame g_Game;
unsigned BlockedGameLoop(void*) {
  g_Game.bSending = true;
  PlaySE(2);
  g_Game.bSendReturned = true;
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0)) {
  }
  g_Game.bLeftByQuit = true;
  return 1;
}

TEST_F(MainWndTest, TheCloseReleasesAGameThreadBlockedInASendAndEndsInOrder) {
  SetECLog(1, "EC_Game.txt");
  g_Sound.clear();  // a sound served now would leave a report line
  g_Game.bSending = g_Game.bSendReturned = g_Game.bLeftByQuit = false;
  ASSERT_TRUE(thGame.Start(BlockedGameLoop, nullptr));
  while (!g_Game.bSending) Sleep(1);
  Sleep(20);  // the main thread does not look at its queue: the send stays blocked
  ASSERT_FALSE(g_Game.bSendReturned);

  Send(WM_CLOSE);
  SetECLog(0, "EC_Game.txt");
  // The game thread left through its own loop, not unwound after the quit messages ran
  // out, and the sound was never played.
  EXPECT_TRUE(g_Game.bSendReturned);
  EXPECT_TRUE(g_Game.bLeftByQuit);
  EXPECT_FALSE(thGame.IsRunning());
  EXPECT_EQ(Report().find("err V"), std::string::npos);
  EXPECT_FALSE(IsWindow(m_hWnd));

  const std::vector<std::string> lines = Lines(ReadBytes("EC_Game.txt"));
  const int closing = IndexOf(lines, "WM_CLOSE 成功！");
  const int workers = IndexOf(lines, "thPause.Exit()");
  const int game = IndexOf(lines, "thGame.Exit()");
  const int destroyed = IndexOf(lines, "WM_DESTROY");
  ASSERT_GE(closing, 0);
  EXPECT_LT(closing, workers);
  EXPECT_LT(workers, game);
  EXPECT_LT(game, destroyed);
}


// A game thread busy where neither a quit message nor the unwind request reaches it (a
// stage that never leaves a loop of its own).
std::atomic<bool> g_bSpin{true};
unsigned SpinningGameLoop(void*) {
  while (g_bSpin.load()) {
  }
  return 1;
}

TEST_F(MainWndTest, AGameThreadThatNeverEndsEndsTheProcessOnceTheCloseHasWaited) {
  SetECLog(1, "EC_Game.txt");
  const DWORD start = timeGetTime();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!thGame.Start(SpinningGameLoop, nullptr)) _exit(10);
    Send(WM_CLOSE);
    _exit(11);  // the close came back: the process was not ended
  }
  int status = 0;
  pid_t ended = 0;
  while ((ended = waitpid(child, &status, WNOHANG)) == 0 && timeGetTime() - start < 20000) Sleep(10);
  if (ended == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    FAIL() << "the close never ended the process";
  }
  const DWORD elapsed = timeGetTime() - start;
  SetECLog(0, "EC_Game.txt");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kStuckThreadExitCode);
  EXPECT_GE(elapsed, kThreadEndLimitMs);
  EXPECT_LT(elapsed, kThreadEndLimitMs + 5000);
  EXPECT_NE(Report().find("thGame が 1000 ミリ秒たっても終了しないため、プログラムを強制終了します"), std::string::npos);
  // Nothing of the close after the wait ran: the window was never destroyed.
  const std::string ec = ReadBytes("EC_Game.txt");
  EXPECT_NE(ec.find("WM_CLOSE 成功！"), std::string::npos);
  EXPECT_EQ(ec.find("thGame.Exit()"), std::string::npos);
  EXPECT_EQ(ec.find("WM_DESTROY"), std::string::npos);
}

TEST_F(MainWndTest, TheEndNoticeOfATestPlayCarriesNoWindow) {
  const std::string socketPath = Dir() + "/tool.sock";
  cToolSocket tool(socketPath);
  ASSERT_TRUE(tool.Bound());
  setenv(kToolSocketVariable, socketPath.c_str(), 1);
  g_bTestPlay = 1;
  Send(WM_CLOSE);
  unsetenv(kToolSocketVariable);
  unsigned char want[kToolNoticeSize];
  EncodeToolNotice(0, 1, 0, want);
  const auto got = tool.Receive();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], std::vector<unsigned char>(want, want + kToolNoticeSize));
}

// A file box answer inside the game folder, as the browser hands it back.
FileBoxAnswer Chosen(const std::string& folder, const std::string& name) {
  return FileBoxAnswer{true, std::filesystem::current_path().string() + "/" + folder, {name}};
}

TEST_F(MainWndTest, FileRequestsReportWhatWasChosenAndAFailedFollowUpAsNothing) {
  MakeFile("data/stg4/a.stg4_811");
  MakeFile("user_data/rpl4/r.rpl4_811");
  const std::string stage = "data\\stg4\\a.stg4_811";
  const std::string replay = "user_data\\rpl4\\r.rpl4_811";
  const std::string saved = "user_data\\rpl4\\new.rpl4_811";
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wParam;
    const char* stageName;  // the progress record's
    bool dialog;            // the file box is shown
    FileBoxAnswer answer;
    bool succeed;           // the follow-up
    int result;
    std::vector<std::string> calls;
    std::string box;        // the error box's text; "" none
    std::string path;       // the stage data's path afterwards
  } const cases[] = {
      {"a stage chosen and started", WM_GAME_OPENSTAGE, 0, "", true, Chosen("data/stg4", "a.stg4_811"), true, 1,
       {"start " + stage + " 0"}, "", "before"},
      {"the stage box cancelled", WM_GAME_OPENSTAGE, 0, "", true, {}, true, 0, {}, "", "before"},
      {"a stage that cannot start", WM_GAME_OPENSTAGE, 0, "", true, Chosen("data/stg4", "a.stg4_811"), false, 0,
       {"start " + stage + " 0"}, "", "before"},
      {"a replay chosen and loaded", WM_GAME_OPENREPLAY, 0, "", true, Chosen("user_data/rpl4", "r.rpl4_811"), true, 1,
       {"load " + replay}, "", replay},
      {"a replay that cannot be loaded", WM_GAME_OPENREPLAY, 0, "", true, Chosen("user_data/rpl4", "r.rpl4_811"),
       false, 0, {"load " + replay}, "", "before"},
      {"the replay box cancelled", WM_GAME_OPENREPLAY, 0, "", true, {}, true, 0, {}, "", "before"},
      {"the current stage's replay saved", WM_GAME_SAVEREPLAY, 0, "data\\stg4\\a.", true,
       Chosen("user_data/rpl4", "new"), true, 1, {"name data\\stg4\\a.", "save " + saved + " 0"}, "", "before"},
      {"the previous stage's replay not saved", WM_GAME_SAVEREPLAY, 1, "data\\stg4\\a.", true,
       Chosen("user_data/rpl4", "new"), false, 0, {"name data\\stg4\\a.", "save " + saved + " 1"}, "", "before"},
      {"the save box cancelled", WM_GAME_SAVEREPLAY, 0, "data\\stg4\\a.", true, {}, true, 0, {"name data\\stg4\\a."},
       "", "before"},
      {"no stage to name the replay after", WM_GAME_SAVEREPLAY, 0, "", false, {}, true, 0, {}, "", "before"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Services = cServiceLog();
    g_Services.bSucceed = c.succeed;
    g_Progress.m_strStageName = c.stageName;
    g_StageData.m_strPath = "before";
    script.boxes.clear();
    script.fileBoxes.clear();
    if (c.dialog) {
      script.AddDialog(IDD_FILE, {});
      script.AddFileBox(c.answer);
    }
    ClearPostedMessages();
    const int entries = DDDialogModeEntries();
    const int exits = DDDialogModeExits();
    g_bRequestDone = 0;
    g_bRequestResult = -1;

    // A served request answers 1, so that its sender can tell it from one given up.
    EXPECT_EQ(Send(c.msg, c.wParam), 1);
    EXPECT_EQ(g_bRequestDone, 1);
    EXPECT_EQ(g_bRequestResult, c.result);
    EXPECT_EQ(g_Services.calls, c.calls);
    EXPECT_EQ(script.fileBoxes.size(), c.dialog ? 1u : 0u);
    if (c.msg == WM_GAME_SAVEREPLAY && c.dialog) {
      ASSERT_FALSE(script.fileBoxes.empty());
      EXPECT_EQ(script.fileBoxes[0].proposedName, "user_data\\rpl4\\proposed.rpl4_811");
    }
    ASSERT_EQ(script.boxes.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(script.boxes[0].text, c.box);
    }
    EXPECT_EQ(g_StageData.m_strPath, c.path);
    EXPECT_EQ(DDDialogModeEntries() - entries, c.dialog ? 1 : 0);
    EXPECT_EQ(DDDialogModeExits() - exits, c.dialog ? 1 : 0);
    // The program goes on: nothing asks the window to close.
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(m_hWnd));
  }
}

// A save box that cannot be shown at all (the dialog does not run: -1) is no choice: the
// replay is not written under the proposed name.
TEST_F(MainWndTest, ASaveBoxThatCannotBeShownSavesNothing) {
  g_Services = cServiceLog();
  g_Progress.m_strStageName = "data\\stg4\\a.";
  script.fileBoxes.clear();
  g_bRequestDone = 0;
  g_bRequestResult = -1;
  EXPECT_EQ(Send(WM_GAME_SAVEREPLAY, 0), 1);  // no scripted answer for the dialog
  EXPECT_EQ(g_bRequestDone, 1);
  EXPECT_EQ(g_bRequestResult, 0);
  EXPECT_EQ(g_Services.calls, (std::vector<std::string>{"name data\\stg4\\a."}));
  EXPECT_TRUE(script.fileBoxes.empty());
}

// With the installed services: a stage file that does not load and a replay file that
// cannot be read say why and keep the program; a save whose box is cancelled writes
// nothing.
TEST_F(MainWndTest, TheFrontEndsServicesFailCleanly) {
  InstallFrontEndServices();
  MakeFile("data/stg4/bad.stg4_811", "x");
  MakeFile("user_data/rpl4/r.rpl4_811");
  struct Case {
    const char* what;
    UINT msg;
    const char* stageName;
    bool dialog;
    FileBoxAnswer answer;
    std::string box;
  } const cases[] = {
      {"a stage file that does not load", WM_GAME_OPENSTAGE, "", true, Chosen("data/stg4", "bad.stg4_811"),
       "ステージファイル data\\stg4\\bad.stg4_811 の読み込みに失敗しました！"},
      {"a replay", WM_GAME_OPENREPLAY, "", true, Chosen("user_data/rpl4", "r.rpl4_811"),
       "リプレイファイル user_data\\rpl4\\r.rpl4_811 の読み込みに失敗しました！"},
      {"saving a replay, the box cancelled", WM_GAME_SAVEREPLAY, "data\\stg4\\a.", true, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_Progress.m_strStageName = c.stageName;
    script.boxes.clear();
    if (c.dialog) {
      script.AddDialog(IDD_FILE, {});
      script.AddFileBox(c.answer);
    }
    ClearPostedMessages();
    g_bRequestDone = 0;
    g_bRequestResult = -1;
    Send(c.msg);
    EXPECT_EQ(g_bRequestDone, 1);
    EXPECT_EQ(g_bRequestResult, 0);
    ASSERT_EQ(script.boxes.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(script.boxes[0].text, c.box);
    }
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(m_hWnd));
  }
  // Only the replay the test made is there.
  const auto files = std::distance(std::filesystem::directory_iterator("user_data/rpl4"), {});
  EXPECT_EQ(files, 1);
}

TEST_F(MainWndTest, ADialogThatCannotBeMadeIsReportedAndCountsAsCancelled) {
  g_Progress.m_strStageName = "data\\stg4\\a.";
  for (const UINT msg : {WM_GAME_NAMEENTRY, WM_GAME_OPENSTAGE, WM_GAME_OPENREPLAY, WM_GAME_SAVEREPLAY}) {
    SCOPED_TRACE(msg);
    g_Services.calls.clear();
    script.boxes.clear();
    ClearPostedMessages();
    const int exits = DDDialogModeExits();
    g_bNameEntryDone = g_bRequestDone = 0;
    g_bRequestResult = -1;
    g_bFailNothrowNew = true;
    Send(msg);
    g_bFailNothrowNew = false;
    if (msg == WM_GAME_NAMEENTRY) {
      EXPECT_EQ(g_bNameEntryDone, 1);
    } else {
      EXPECT_EQ(g_bRequestDone, 1);
      EXPECT_EQ(g_bRequestResult, 0);
    }
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "メモリが不足しています！");
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
    EXPECT_EQ(DDDialogModeExits() - exits, 1);
    // Nothing was chosen, so nothing was started, loaded or saved.
    for (const std::string& call : g_Services.calls) EXPECT_EQ(call.rfind("name ", 0), 0u) << call;
  }
}

TEST_F(MainWndTest, TheNameEntryRunsTheFrontEndsDialog) {
  StagePlayEntryName() = "aaa";
  script.AddDialog(IDD_NAME, {DialogAction::SetText(IDC_NAME_EDIT, "xyz"), DialogAction::Click(IDC_NAME_OK)});
  g_bNameEntryDone = 0;
  Send(WM_GAME_NAMEENTRY);
  EXPECT_EQ(g_bNameEntryDone, 1);
  ASSERT_EQ(script.dialogs.size(), 1u);
  EXPECT_EQ(script.dialogs[0].nResourceId, IDD_NAME);
  EXPECT_EQ(StagePlayEntryName(), "xyz");
}

// A dialog that only looks at the game around it: whether dialog mode is on and whether a
// worker thread moves while it is open.
std::atomic<int> g_nWorkerTurns{0};
unsigned CountingWorker(void*) {
  MSG msg{};
  for (;;) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT) return 1;
    ++g_nWorkerTurns;
    Sleep(1);
  }
}
struct cProbe {
  int nDialogMode = -1;
  int nTurnsWhileOpen = -1;
};
cProbe g_Probe;
class cProbeDlg : public cDialog {
 public:
  cProbeDlg() { Setup(IDD_NAME, nullptr, 1, nullptr); }
  void OnInit(WPARAM wParam, LPARAM lParam) override {
    OnInitDialog(wParam, lParam);
    g_Probe.nDialogMode = DDDialogModeEntries() - DDDialogModeExits();
    Sleep(5);  // a worker that was between two calls into the layer reaches its gate
    const int before = g_nWorkerTurns;
    Sleep(30);
    g_Probe.nTurnsWhileOpen = g_nWorkerTurns - before;
    Close(1);
  }
};
cDialog* CreateProbe(cWindow*, cWindowList*) { return new (std::nothrow) cProbeDlg(); }

// The game thread's side of the name request: clear, send, wait for the flag.
unsigned RequestName(void*) {
  g_bNameEntryDone = 0;
  SendMessageA(g_hWnd, WM_GAME_NAMEENTRY, 0, 0);
  while (g_bNameEntryDone == 0) Sleep(1);
  return 1;
}

TEST_F(MainWndTest, TheGameHoldsStillWhileARequestsDialogIsOpen) {
  cPlayServices services = FakeServices();
  services.CreateNameDlg = CreateProbe;
  SetPlayServices(services);
  script.AddDialog(IDD_NAME, {});
  g_Probe = cProbe();
  g_nWorkerTurns = 0;
  const int modeBefore = DDDialogModeEntries() - DDDialogModeExits();
  ASSERT_TRUE(thRanking.Start(CountingWorker, nullptr));
  while (g_nWorkerTurns < 3) Sleep(1);
  ASSERT_TRUE(thGame.Start(RequestName, nullptr));
  // The main loop serves the request.
  MSG msg{};
  while (thGame.IsRunning()) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  thGame.Wait();
  EXPECT_EQ(g_bNameEntryDone, 1);
  EXPECT_EQ(g_Probe.nDialogMode, modeBefore + 1);
  EXPECT_EQ(g_Probe.nTurnsWhileOpen, 0);
  EXPECT_EQ(DDDialogModeEntries() - DDDialogModeExits(), modeBefore);
  // Resumed afterwards.
  const int after = g_nWorkerTurns;
  for (int i = 0; i < 2000 && g_nWorkerTurns == after; ++i) Sleep(1);
  EXPECT_GT(g_nWorkerTurns, after);
}

}  // namespace
