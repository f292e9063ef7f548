// The built player on a real X server (Xvfb of its own): the desktop names its window with
// the game's title and groups it under the program's window class, as xprop reads them;
// and when the server goes away under the running player, the player ends at once with its
// own exit code and a last line in its log, not through the C library's exit() from the X
// library, which would free what its threads still use. Skipped where Xvfb, xwininfo or
// xprop are not installed (scripts/setup.sh installs them).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

extern char** environ;

namespace {

constexpr const char* kPlayerClass = "Tovrelkit4";
// The player's exit code when its display was lost (platform/x11_window.h).
constexpr int kLostDisplayExit = 3;
constexpr int kPollMicroseconds = 20000;
constexpr int kPollsPerSecond = 1000000 / kPollMicroseconds;
// Generous bounds for a loaded machine; nothing here measures time.
constexpr int kStartSeconds = 60;
constexpr int kEndSeconds = 60;

bool ToolInstalled(const char* name) {
  const std::string command = std::string("command -v ") + name + " > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// The command's standard output.
std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return text;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  pclose(pipe);
  return text;
}

// A process started with `args` under this process's environment with `overrides` over
// it (an empty value removes the entry); its output goes to `outputPath`.
pid_t Start(const std::vector<std::string>& args, const std::map<std::string, std::string>& overrides,
            const std::string& outputPath) {
  std::map<std::string, std::string> entries;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::size_t eq = text.find('=');
    if (eq != std::string::npos) entries[text.substr(0, eq)] = text.substr(eq + 1);
  }
  for (const auto& [key, value] : overrides) {
    if (value.empty()) entries.erase(key);
    else entries[key] = value;
  }
  std::vector<std::string> env;
  for (const auto& [key, value] : entries) env.push_back(key + "=" + value);
  std::vector<char*> argv, envp;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) {
    dup2(out, 1);
    dup2(out, 2);
    close(out);
  }
  execvpe(argv[0], argv.data(), envp.data());
  _exit(127);
}

// Waits for the process; its wait status, or nothing when it had not ended in time (it is
// killed then).
std::optional<int> WaitFor(pid_t pid, int seconds) {
  int status = 0;
  for (int poll = 0; poll < seconds * kPollsPerSecond; ++poll) {
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    usleep(kPollMicroseconds);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return std::nullopt;
}

class XServerPlayerTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    if (!ToolInstalled("Xvfb") || !ToolInstalled("xwininfo") || !ToolInstalled("xprop"))
      GTEST_SKIP() << "Xvfb, xwininfo and xprop are needed";
    // The server picks a free display and writes its number into the pipe.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    m_Server = Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                     {}, Dir() + "/xvfb.txt");
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    ASSERT_FALSE(number.empty()) << ReadBytes(Dir() + "/xvfb.txt");
    m_Display = ":" + number;
  }
  void TearDown() override {
    if (m_Player > 0) WaitFor(m_Player, 0);
    if (m_Server > 0) {
      kill(m_Server, SIGTERM);
      WaitFor(m_Server, kEndSeconds);
    }
    cTempDirTest::TearDown();
  }

  // Starts the player on the game in the temporary folder, at its title, for longer than
  // any test takes.
  void StartPlayer() {
    m_Player = Start({kPlayerProgram},
                     {{"DISPLAY", m_Display},
                      {"SDL_VIDEODRIVER", "x11"},
                      {"SDL_AUDIODRIVER", "dummy"},
                      {"WAYLAND_DISPLAY", ""},
                      {"TOVREL_FRAMES", "360000"},
                      {"XDG_RUNTIME_DIR", Dir()}},
                     Dir() + "/player.txt");
    ASSERT_GT(m_Player, 0);
  }

  // The id of the player's window: the top-level window of the player's class, as
  // xwininfo lists it; empty when it did not come up.
  std::string PlayerWindow() {
    const std::string tag = std::string("(\"") + kPlayerClass + "\" \"" + kPlayerClass + "\")";
    for (int poll = 0; poll < kStartSeconds * kPollsPerSecond; ++poll) {
      const std::string tree = Output("xwininfo -display " + m_Display + " -root -children 2>/dev/null");
      std::size_t at = tree.find(tag);
      if (at != std::string::npos) {
        const std::size_t line = tree.rfind('\n', at);
        const std::size_t start = tree.find("0x", line == std::string::npos ? 0 : line);
        return tree.substr(start, tree.find(' ', start) - start);
      }
      int status = 0;
      if (waitpid(m_Player, &status, WNOHANG) == m_Player) {
        m_Player = 0;
        ADD_FAILURE() << "the player ended: " << ReadBytes(Dir() + "/player.txt");
        return std::string();
      }
      usleep(kPollMicroseconds);
    }
    ADD_FAILURE() << "no window of the class " << kPlayerClass << ":\n"
                  << Output("xwininfo -display " + m_Display + " -root -children 2>&1");
    return std::string();
  }

  std::string Property(const std::string& window, const std::string& name) {
    return Output("LC_ALL=C.UTF-8 xprop -display " + m_Display + " -notype -id " + window + " " + name);
  }

  pid_t m_Server = 0;
  pid_t m_Player = 0;
  std::string m_Display;
};

TEST_F(XServerPlayerTest, TheDesktopNamesTheWindowByTheGameTitleAndGroupsItByItsClass) {
  // A title in Japanese shows whether its CP932 reaches the desktop as UTF-8.
  cGameContent game = DemoGameContent();
  game.System.m_strTitle = "トヴレル デモ";
  ASSERT_TRUE(WriteDemoGame());
  ASSERT_TRUE(WriteGame(game));
  StartPlayer();
  const std::string window = PlayerWindow();
  ASSERT_FALSE(window.empty());
  const std::string expectedName = reinterpret_cast<const char*>(u8"トヴレル デモ");
  EXPECT_EQ(Property(window, "_NET_WM_NAME"), "_NET_WM_NAME = \"" + expectedName + "\"\n");
  EXPECT_EQ(Property(window, "WM_CLASS"), std::string("WM_CLASS = \"") + kPlayerClass + "\", \"" + kPlayerClass + "\"\n");
  kill(m_Player, SIGTERM);
}

TEST_F(XServerPlayerTest, APlayerWhoseServerGoesAwayEndsAtOnceWithNothingHalfWritten) {
  ASSERT_TRUE(WriteDemoGame());
  StartPlayer();
  ASSERT_FALSE(PlayerWindow().empty());
  kill(m_Server, SIGKILL);
  WaitFor(m_Server, kEndSeconds);
  m_Server = 0;
  const std::optional<int> status = WaitFor(m_Player, kEndSeconds);
  m_Player = 0;
  const std::string output = ReadBytes(Dir() + "/player.txt");
  ASSERT_TRUE(status.has_value()) << "the player did not end: " << output;
  ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << ": " << output;
  EXPECT_EQ(WEXITSTATUS(*status), kLostDisplayExit) << output;
  EXPECT_EQ(output.find("double free"), std::string::npos) << output;
  // The log's last line tells why, whole.
  const std::string log = ReadBytes(Dir() + "/Report_Game.txt");
  const std::string last = "Xサーバとの接続が切れました！プログラムを終了します。\r\n";
  ASSERT_GE(log.size(), last.size());
  EXPECT_EQ(log.substr(log.size() - last.size()), last) << log;
  // No file was left half-written: a save in progress stays in its temporary file.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Dir()))
    EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

}  // namespace
