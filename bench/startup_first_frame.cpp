// From the start of the player to its first frame, on the demo game: the report log and
// the system report, the single-instance lock, the window, the whole start-up (data,
// display, pictures, fonts, sound) and the game thread's first frame. The system report
// measures the processor's clock for a fixed second; the time reported is what remains
// beyond it (the counter with_clock_spin_s keeps the whole). Each run is a process of its
// own, as every start of the player is.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "demo/demo_game.h"
#include "platform/host_files.h"
#include "platform/single_instance.h"
#include "shell/scene.h"
#include "shell/scene_factory.h"
#include "shell/stand_in_scenes.h"
#include "shell/win_main.h"
#include "tests/support/temp_dir.h"

namespace {

// The processor clock measurement of the system report.
constexpr double kClockSpinSeconds = 1.0;

double g_StartTime = 0;
double g_FirstFrameTime = 0;

// Notes when the first frame runs; the frame's present follows at once.
class cTimingScene : public cScene {
 public:
  void Run() override {
    if (g_FirstFrameTime == 0) g_FirstFrameTime = Now();
  }
};
cScene* TimingCreator(int type) { return type == SCENE_TITLE ? new cTimingScene() : CreateStandInScene(type); }

// One start of the player in a child process; seconds to its first frame, or -1.
double StartOnce(const std::string& gameFolder) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    if (chdir(gameFolder.c_str()) != 0) _exit(1);
    ForgetDirectoryListings();
    SetInstanceLockFolder(gameFolder.c_str());
    SetSceneCreator(TimingCreator);
    SetFrameLimit(1);
    g_StartTime = Now();
    WinMain(nullptr, nullptr, "", 1);
    const double seconds = g_FirstFrameTime > 0 ? g_FirstFrameTime - g_StartTime : -1;
    const bool written = write(fds[1], &seconds, sizeof seconds) == static_cast<ssize_t>(sizeof seconds);
    _exit(written ? 0 : 1);
  }
  close(fds[1]);
  double seconds = -1;
  if (read(fds[0], &seconds, sizeof seconds) != static_cast<ssize_t>(sizeof seconds)) seconds = -1;
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return seconds;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
  cTempFolder folder("tovrel_bench_start_");
  if (!WriteDemoGame()) {
    state.SkipWithError("the demo game could not be written");
    return;
  }
  double whole = 0;
  for (auto _ : state) {
    const double seconds = StartOnce(folder.Dir());
    if (seconds < 0) {
      state.SkipWithError("the player did not reach its first frame");
      return;
    }
    whole += seconds;
    state.SetIterationTime(seconds - kClockSpinSeconds);
  }
  state.counters["with_clock_spin_s"] =
      benchmark::Counter(whole / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
