// The process's entry and end: the report log it starts, the single running instance, the
// test-play notices, the game thread and its frames, the message loop's exit code and the
// release of everything in order. The runs on the demo game go through the whole start-up
// and the main window's close sequence.
#include "shell/win_main.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_timing.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/test_play_flag.h"
#include "app/thread.h"
#include "demo/demo_game.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_state.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/single_instance.h"
#include "platform/tool_socket.h"
#include "platform/win_time.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "shell/scene_factory.h"
#include "shell/stand_in_scenes.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"
#include "tests/support/tool_socket_end.h"

namespace {


std::uint64_t IdOf(HWND hWnd) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hWnd)); }

// --- a process's run of WinMain ---

class WinMainTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The instance lock of this test only: tests run side by side.
    SetInstanceLockFolder(Dir().c_str());
    MarkMainThread();
    InstallStandInScenes();
  }
  void TearDown() override {
    // A run leaves shutdown begun, and one that ended without its close sequence its main
    // window and queued messages, where the next test of this process would meet them.
    if (GetMainWindowHandle() != nullptr) DestroyWindow(GetMainWindowHandle());
    g_hWnd = nullptr;
    ClearPostedMessages();
    ResetShutdown();
    SetFrameLimit(0);
    SetSceneCreator(nullptr);
    SetInstanceLockFolder(nullptr);
    unsetenv(kToolSocketVariable);
    g_bTestPlay = 0;
    cTempDirTest::TearDown();
  }
  std::string ReportLog() const { return ReadBytes("Report_Game.txt"); }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }
  static bool LockIsFree() {
    cInstanceLock probe;
    return probe.Acquire("ゲーム") == eInstanceLock::kTaken;
  }
  // The demo game in the test's folder, with System.ini's ShowFps set to `showFps`.
  static void WriteDemo(int showFps = 0) {
    ASSERT_EQ(WriteDemoGame(), 1);
    std::string ini = ReadBytes("System.ini");
    const std::size_t key = ini.find("ShowFps=");
    ASSERT_NE(key, std::string::npos);
    const std::size_t value = key + std::strlen("ShowFps=");
    const std::size_t end = ini.find_first_not_of("0123456789", value);
    ini.replace(value, end - value, std::to_string(showFps));
    MakeFile("System.ini", ini);
    ForgetDirectoryListings();
  }

  cRecordingMessageBoxes boxes;
};

TEST_F(WinMainTest, TheReportLogStartsWithTheVersionAndTheSystemReport) {
  // An empty folder: the start-up fails, after the report log has been begun.
  EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 0);
  const std::vector<std::string> lines = Lines(ReportLog());
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "App : ver 811");
  const char* const systemReport[] = {"OS : ", "CPU : ", "Mem Total : ", "Mem Free : ",
                                      "Vir Total : ", "Vir Free : ", "HD Free : "};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(lines[i + 1].rfind(systemReport[i], 0), 0u) << lines[i + 1];
  EXPECT_TRUE(LockIsFree());
}

TEST_F(WinMainTest, AReportLogThatCannotBeMadeEndsTheProgramSilently) {
  ASSERT_EQ(mkdir("Report_Game.txt", 0700), 0);  // a folder where the file should be
  ForgetDirectoryListings();
  const HWND before = GetMainWindowHandle();
  EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(GetMainWindowHandle(), before);  // no window was made
  EXPECT_TRUE(LockIsFree());
}

TEST_F(WinMainTest, ATestPlayIsToldOfItsStartAndOfAFailedStartUp) {
  const std::string socketPath = Dir() + "/tool.sock";
  cToolSocket tool(socketPath);
  ASSERT_TRUE(tool.Bound());
  setenv(kToolSocketVariable, socketPath.c_str(), 1);
  struct Case {
    int nCmdShow;
    bool bTold;
  };
  for (const Case& c : {Case{kTestPlayShowCommand, true}, Case{1, false}}) {
    EXPECT_EQ(WinMain(nullptr, nullptr, "", c.nCmdShow), 0);
    const auto got = tool.Receive();
    if (!c.bTold) {
      EXPECT_TRUE(got.empty()) << c.nCmdShow;
      continue;
    }
    const std::uint64_t window = IdOf(g_MainWnd.GetHandle());
    EXPECT_NE(window, 0u);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], ToolNoticeBytes(1, 1, window));
    EXPECT_EQ(got[1], ToolNoticeBytes(0, 0, window));
  }
}

// Needs the whole start-up and the main window's close sequence.
TEST_F(WinMainTest, TheDemoGameRunsItsFramesAndEndsNormally) {
  WriteDemo();
  constexpr int kFrames = 30;
  SetFrameLimit(kFrames);
  EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 0);
  EXPECT_EQ(FramesRun(), kFrames);
  EXPECT_EQ(boxes.shown.size(), 0u) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
  const std::vector<std::string> lines = Lines(ReportLog());
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "App : ver 811");
  EXPECT_EQ(lines[1].rfind("OS : ", 0), 0u);
  // Everything was released, the game thread has ended and the lock is free again.
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_EQ(lpDDCon, nullptr);
  EXPECT_FALSE(thGame.IsRunning());
  EXPECT_EQ(g_GameMgr.Scene(SCENE_TITLE), nullptr);
  EXPECT_TRUE(LockIsFree());
}

// A scene that keeps what the back buffer held when it ran: the frame before it, FPS text
// included (the stand-ins draw nothing over it).
int g_nCaptureFrame = 0;
cPixelBuffer g_Captured;
class cCapturingScene : public cScene {
 public:
  void Run() override {
    if (++g_nCaptureFrame == 20) g_Captured = Pixels(&g_BackBuffer);
  }
};
cScene* CapturingCreator(int type) { return type == SCENE_TITLE ? new cCapturingScene() : CreateStandInScene(type); }

// Needs the whole start-up and the main window's close sequence.
TEST_F(WinMainTest, ShowFpsInSystemIniPutsTheFrameRateOnTheScreen) {
  struct Case {
    int showFps;
    RECT where;  // the corner of the screen the text takes
  };
  const Case cases[] = {{0, {0, 0, 0, 0}}, {1, {494, 462, 640, 480}}, {2, {549, 468, 640, 480}}};
  for (const Case& c : cases) {
    WriteDemo(c.showFps);
    SetSceneCreator(CapturingCreator);
    g_nCaptureFrame = 0;
    g_Captured = cPixelBuffer();
    SetFrameLimit(25);
    ASSERT_EQ(WinMain(nullptr, nullptr, "", 1), 0) << c.showFps;
    ASSERT_GT(g_Captured.nWidth, 0) << c.showFps;
    const std::uint32_t background = g_Captured.Get(0, 0);
    int inside = 0, outside = 0;
    for (int y = 0; y < g_Captured.nHeight; ++y)
      for (int x = 0; x < g_Captured.nWidth; ++x) {
        if (g_Captured.Get(x, y) == background) continue;
        const bool in = x >= c.where.left && x < c.where.right && y >= c.where.top && y < c.where.bottom;
        ++(in ? inside : outside);
      }
    EXPECT_EQ(outside, 0) << c.showFps;
    EXPECT_EQ(inside > 0, c.showFps != 0) << c.showFps;
  }
}

// Needs the whole start-up and the main window's close sequence.
TEST_F(WinMainTest, ATestPlayIsToldOfItsEndWhenTheWindowIsDestroyed) {
  WriteDemo();
  const std::string socketPath = Dir() + "/tool.sock";
  cToolSocket tool(socketPath);
  ASSERT_TRUE(tool.Bound());
  setenv(kToolSocketVariable, socketPath.c_str(), 1);
  SetFrameLimit(5);
  EXPECT_EQ(WinMain(nullptr, nullptr, "", kTestPlayShowCommand), 0);
  const auto got = tool.Receive();
  ASSERT_EQ(got.size(), 2u);
  // The start names the window; the window is gone when WM_DESTROY tells of the end.
  const std::vector<unsigned char> start = ToolNoticeBytes(1, 1, 0);
  ASSERT_EQ(got[0].size(), kToolNoticeSize);
  EXPECT_TRUE(std::equal(start.begin(), start.begin() + 8, got[0].begin()));
  EXPECT_NE(std::vector<unsigned char>(got[0].begin() + 8, got[0].end()), std::vector<unsigned char>(8, 0));
  EXPECT_EQ(got[1], ToolNoticeBytes(0, 1, 0));
}

// A quit that comes from elsewhere than the window's destruction: the process ends with its
// code, and the game thread, still running then, has ended before the display goes.
DWORD g_dwMainThread = 0;
int g_nQuitFrame = 0;
class cQuittingScene : public cScene {
 public:
  void Run() override {
    if (++g_nQuitFrame == 3) PostThreadMessageA(g_dwMainThread, WM_QUIT, 3, 0);
  }
};
cScene* QuittingCreator(int type) { return type == SCENE_TITLE ? new cQuittingScene() : CreateStandInScene(type); }

// Needs the whole start-up.
TEST_F(WinMainTest, TheExitCodeIsTheQuitMessagesEvenWithoutTheCloseSequence) {
  WriteDemo();
  g_dwMainThread = GetCurrentThreadId();
  g_nQuitFrame = 0;
  SetSceneCreator(QuittingCreator);
  EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 3);
  EXPECT_FALSE(thGame.IsRunning());
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_TRUE(LockIsFree());
}

unsigned WaitForQuit(void*) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
  }
  return 0;
}

// Needs the whole start-up.
TEST_F(WinMainTest, AGameThreadThatCannotStartIsReportedAndTheProgramEnds) {
  WriteDemo();
  // A game thread that still runs cannot be started again.
  ASSERT_TRUE(thGame.Start(WaitForQuit, nullptr));
  EXPECT_EQ(WinMain(nullptr, nullptr, "", 1), 0);
  thGame.Exit();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "ゲームスレッドを開始できません！");
  EXPECT_NE(ReportLog().find("ゲームスレッドを開始できません！\r\n"), std::string::npos);
  EXPECT_EQ(lpDTCon, nullptr);  // ended in order
  EXPECT_EQ(g_bGameRunning.load(), 0);
  EXPECT_TRUE(LockIsFree());
}

// --- the message loop ---

std::vector<UINT> g_Dispatched;
LRESULT WinMainTestRecordingProc(HWND, UINT message, WPARAM, LPARAM) {
  if (message != WM_CREATE && message != WM_MOVE && message != WM_SIZE) g_Dispatched.push_back(message);
  return 0;
}

class MessageLoopTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    MarkMainThread();
    g_Dispatched.clear();
    ASSERT_NE(CreateWindowExA(0, "", WS_POPUP, 0, 0, 640, 480, nullptr, WinMainTestRecordingProc), nullptr);
  }
  void TearDown() override {
    DestroyWindow(GetMainWindowHandle());
    cTempDirTest::TearDown();
  }
};

TEST_F(MessageLoopTest, TheExitCodeIsTheQuitMessagesAndLaterMessagesStayQueued) {
  struct Case {
    int code;
  };
  for (const Case& c : {Case{0}, Case{7}, Case{-1}}) {
    g_Dispatched.clear();
    ClearPostedMessages();
    PostMessageA(GetMainWindowHandle(), WM_USER + 1, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, static_cast<WPARAM>(c.code), 0);
    PostMessageA(GetMainWindowHandle(), WM_USER + 2, 0, 0);
    EXPECT_EQ(RunMessageLoop(), c.code);
    EXPECT_EQ(g_Dispatched, std::vector<UINT>{WM_USER + 1}) << c.code;
    EXPECT_EQ(CountPostedMessages(WM_USER + 2), 1) << c.code;
  }
}

// --- the game thread ---

class GameLoopTest : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    OpenReportLog("Report_Game.txt");
    InstallStandInScenes();
    g_GameMgr.m_nFps = 60;
    g_bActive = 0;
    ResetFrameTiming();
    // A whole program run by an earlier test (WinMain) ends with shutdown begun, after
    // which the loop's close request is no longer delivered; an earlier message loop may
    // have left messages queued.
    ResetShutdown();
    ClearPostedMessages();
  }
  void TearDown() override {
    thGame.Exit();
    SetFrameLimit(0);
    g_bActive = 0;
    g_GameMgr.DeleteAllScenes();
    SetSceneCreator(nullptr);
    cDisplayTest::TearDown();
  }
  // Waits (at most five seconds) until the game loop has asked the window to close.
  static bool WaitForClose() {
    for (int i = 0; i < 5000 && CountPostedMessages(WM_CLOSE) == 0; ++i) Sleep(1);
    return CountPostedMessages(WM_CLOSE) > 0;
  }
};

TEST_F(GameLoopTest, FramesRunOnlyWhileActiveAndStopAtTheLimit) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  constexpr int kFrames = 5;
  SetFrameLimit(kFrames);
  ASSERT_TRUE(StartGameThread());
  // Inactive: no frame runs, and messages to the game thread other than WM_QUIT do
  // nothing at all.
  for (UINT message : {WM_USER, WM_CLOSE, WM_APP + 1}) PostThreadMessageA(thGame.ThreadId(), message, 0, 0);
  Sleep(50);
  EXPECT_EQ(FramesRun(), 0);
  EXPECT_TRUE(thGame.IsRunning());
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);

  g_bActive = 1;
  ASSERT_TRUE(WaitForClose());
  Sleep(50);  // no frame runs past the limit while the close would be under way
  EXPECT_EQ(FramesRun(), kFrames);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
  EXPECT_TRUE(thGame.IsRunning());
  thGame.Exit();
  EXPECT_FALSE(thGame.IsRunning());
}

TEST_F(GameLoopTest, AGameThreadStillRunningIsNotStartedAgain) {
  ASSERT_TRUE(thGame.Start(WaitForQuit, nullptr));
  EXPECT_FALSE(StartGameThread());
  thGame.Exit();
  EXPECT_TRUE(StartGameThread());
}

// --- the release at the end ---

TEST_F(GameLoopTest, GameEndReleasesWhatExistsInEitherDisplayMode) {
  cBoxGlyphSource glyphs;
  SetFontGlyphSource(&glyphs);
  struct Case {
    const char* name;
    int config;  // -1: nothing was made
  };
  const Case cases[] = {{"nothing made", -1}, {"Direct3D window", 0}, {"DirectDraw full screen", 5}};
  for (const Case& c : cases) {
    OpenReportLog("Report_Game.txt");
    if (c.config >= 0) {
      ASSERT_TRUE(Bring(kAllConfigs[c.config])) << c.name;
      DDSURFACEDATA box;
      ASSERT_TRUE(DDCreateSurface(&box, 64, 64, 0, 0, 0, 0, 0));
      ASSERT_EQ(g_Font[0].Init("x", 0, 9, 10, 10, 5, &box, 1, 30, nullptr, 1), 1) << c.name;
      ASSERT_EQ(g_Font[1].Init("x", 0, 16, 16, 16, 5, &box, 1, 30, nullptr, 1), 1) << c.name;
      for (DDSURFACEDATA& strip : g_FontDigitSurface) ASSERT_TRUE(DDCreateSurface(&strip, 100, 16, 0, 0, 0, 0, 0));
      g_GameMgr.ChangeScene(SCENE_TITLE);
      ASSERT_NE(g_GameMgr.Scene(SCENE_TITLE), nullptr);
      GameEnd();
      DDReleaseSurface(&box);
    } else {
      GameEnd();
    }
    const std::string log = ReadBytes("Report_Game.txt");
    const bool fonts = c.config >= 0;
    EXPECT_EQ(log.find("Font10 : ") != std::string::npos, fonts) << c.name << log;
    EXPECT_EQ(log.find("Font16 : ") != std::string::npos, fonts) << c.name << log;
    EXPECT_EQ(lpDTCon, nullptr) << c.name;
    EXPECT_EQ(lpDDCon, nullptr) << c.name;
    EXPECT_EQ(g_GameMgr.Scene(SCENE_TITLE), nullptr) << c.name;
    for (int i = 0; i < kSystemFontCount; ++i) {
      EXPECT_EQ(g_Font[i].m_lpFastFont_FullAdd, nullptr) << c.name << i;
      EXPECT_EQ(g_FontDigitSurface[i].lpDT, nullptr) << c.name << i;
      EXPECT_EQ(g_FontDigitSurface[i].lpDDData, nullptr) << c.name << i;
    }
  }
  SetFontGlyphSource(nullptr);
}

// --- two players ---

// The helper player of these tests (tests/programs/second_player.cpp), run as a process.
struct cChild {
  pid_t pid = -1;
  int out = -1;  // its standard output
};

cChild Spawn(const std::vector<std::string>& args, const std::string& lockFolder) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    setenv("XDG_RUNTIME_DIR", lockFolder.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  return cChild{pid, pipeFds[0]};
}

std::string ReadLine(int fd) {
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

TEST_F(WinMainTest, ASecondPlayerAsksAndEndsTheFirstOnlyWhenToldTo) {
  struct Case {
    const char* name;
    const char* firstMode;  // the first player: with its process recorded, or before its window exists
    const char* answer;
    bool bFirstEnded;
    const char* lockAfter;  // what the second finds of the lock once it has ended
  };
  const Case cases[] = {
      {"No", "hold", "no", false, "held"},
      {"Yes", "hold", "yes", true, "free"},
      {"Yes before the first has a window", "hold-nowindow", "yes", false, "held"},
  };
  const std::string helper = TOVREL_SECOND_PLAYER;
  for (const Case& c : cases) {
    cChild first = Spawn({helper, c.firstMode}, Dir());
    ASSERT_GT(first.pid, 0);
    ASSERT_EQ(ReadLine(first.out), "ready") << c.name;
    cChild second = Spawn({helper, "run", c.answer}, Dir());
    ASSERT_GT(second.pid, 0);
    const std::string said = ReadAll(second.out);
    int status = 0;
    ASSERT_EQ(waitpid(second.pid, &status, 0), second.pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name << " " << status;
    // The question came first, under its caption.
    EXPECT_EQ(said.rfind("box 二重起動\n", 0), 0u) << c.name << ": " << said;
    EXPECT_NE(said.find("lock " + std::string(c.lockAfter)), std::string::npos) << c.name << ": " << said;

    int firstStatus = 0;
    const pid_t ended = waitpid(first.pid, &firstStatus, WNOHANG);
    if (c.bFirstEnded) {
      EXPECT_EQ(ended, first.pid) << c.name;
      EXPECT_TRUE(WIFSIGNALED(firstStatus) && WTERMSIG(firstStatus) == SIGKILL) << c.name;
    } else {
      EXPECT_EQ(ended, 0) << c.name << ": the first player was touched";
      kill(first.pid, SIGKILL);
      waitpid(first.pid, &firstStatus, 0);
    }
    close(first.out);
    close(second.out);
  }
}

}  // namespace
