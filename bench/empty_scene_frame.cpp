// One frame of the game manager with a scene that draws nothing, for each back end that
// presents differently, against a copy of one back buffer's bytes: what a frame costs the
// game before any scene work (input poll, scene switch, frame-rate text, present).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/display_bench_main.h"
#include "media/draw/dd_display.h"
#include "shell/fps_display.h"
#include "shell/game_mgr.h"
#include "shell/stand_in_scenes.h"

namespace {

struct Mode {
  const char* name;
  int bDirect3D, nBpp, bWindow;
};
const Mode kModes[] = {{"D3D32Window", 1, 32, 1}, {"DD32Window", 0, 32, 1}, {"DD8Full", 0, 8, 0}};

void BM_EmptySceneFrame(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  state.SetLabel(mode.name);
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0)) {
    state.SkipWithError("no display");
    return;
  }
  InstallStandInScenes();
  SetShowFps(1);
  // Unpaced: the frame's own cost, not the 60-a-second wait.
  g_GameMgr.m_nFps = 0;
  g_GameMgr.m_nScene = SCENE_TITLE;
  for (auto _ : state) benchmark::DoNotOptimize(g_GameMgr.Frame());
  g_GameMgr.DeleteAllScenes();
  DDEnd();
}
BENCHMARK(BM_EmptySceneFrame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The floor: one 640 x 480 x 4 back buffer copied.
void BM_CopyBackBuffer(benchmark::State& state) {
  std::vector<unsigned char> from(640 * 480 * 4, 7), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_CopyBackBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
