// The play step on a stress stage (300 characters standing on a floor, collision level
// 10: ten sub-steps a frame), played in process without drawing: its cost per frame as
// a share of the 16.7 ms frame budget, beside one frame of the game manager with a scene
// that draws nothing (input poll, scene switch, present). Each reports "budget_percent",
// the time of one frame in percent of 1/60 s.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "bench/display_bench_main.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_display.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "shell/game_mgr.h"
#include "shell/stand_in_scenes.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kCharaCount = 300;
constexpr int kStressLevel = 10;
constexpr double kFrameBudget = 1.0 / 60;
// Frames played before timing: the characters fall onto the floor and stand.
constexpr int kSettleFrames = 120;

// 100 x 15 cells with a floor; the hero on the left, the characters in a block of 30
// columns and 10 rows away from it, so that nobody touches the hero.
cStagePlan StressPlan() {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(100, '.'));
  plan.vMap.back() = std::string(100, '#');
  plan.vMap[13][2] = 'P';
  for (int i = 0; i < kCharaCount; ++i) plan.vMap[static_cast<std::size_t>(3 + i / 30)][static_cast<std::size_t>(40 + i % 30)] = 'C';
  plan.nCollisionLevel = kStressLevel;
  return plan;
}

// `seconds`: the wall-clock time of the timed loop.
void SetBudgetShare(benchmark::State& state, double seconds) {
  if (state.iterations() == 0) return;
  state.counters["budget_percent"] = seconds / static_cast<double>(state.iterations()) / kFrameBudget * 100;
}

// One frame's logic: what the play state does between the input and the drawing (the
// trigger latches, then the sub-steps), without the pause and replay keys.
bool PlayFrameLogic(cSceneGame& scene) {
  cPlayer& hero = g_vPlayer.front();
  hero.ResetTriggerLatches();
  for (cChara& chara : g_listChara)
    if (chara.m_bDying == 0) chara.ResetTriggerLatches();
  for (int k = 1; k <= g_StageData.m_nSubSteps; ++k)
    if (scene.RunSubStep(k) != 0) return false;
  return true;
}

void BM_PlayStepLogic(benchmark::State& state) {
  g_SystemData = cSystemData();
  g_Input.assign(1, cInput());
  g_Progress.NewGame();
  g_Progress.m_Vars.assign(1001, 0);
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nPlayMode = 2;
  g_StageData = BuildPlannedStage(StressPlan());
  g_StageDataOrg = g_StageData;

  cSceneGame* scene = new cSceneGame();
  g_lpSceneGame = scene;
  scene->SetStage(0, 0);
  if (g_listChara.size() != static_cast<std::size_t>(kCharaCount)) {
    state.SkipWithError("the stress stage did not place its characters");
  } else {
    for (int f = 0; f < kSettleFrames; ++f) PlayFrameLogic(*scene);
    const double start = Now();
    for (auto _ : state)
      if (!PlayFrameLogic(*scene)) {
        state.SkipWithError("play ended on the stress stage");
        break;
      }
    state.SetLabel(std::to_string(g_listChara.size()) + " characters, " +
                   std::to_string(g_StageData.m_nSubSteps) + " sub-steps");
    SetBudgetShare(state, Now() - start);
  }
  g_lpSceneGame = nullptr;
  delete scene;
}
BENCHMARK(BM_PlayStepLogic)->Unit(benchmark::kMicrosecond);

// The same run's floor: a game-manager frame whose scene draws nothing.
void BM_EmptyFrame(benchmark::State& state) {
  if (!DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, g_FixedSurface, g_FixedSurfaceDef, kFixedSurfaceCount, 0)) {
    state.SkipWithError("no display");
    return;
  }
  InstallStandInScenes();
  // Unpaced: the frame's own cost, not the 60-a-second wait.
  g_GameMgr.m_nFps = 0;
  g_GameMgr.m_nScene = SCENE_TITLE;
  const double start = Now();
  for (auto _ : state) benchmark::DoNotOptimize(g_GameMgr.Frame());
  SetBudgetShare(state, Now() - start);
  g_GameMgr.DeleteAllScenes();
  DDEnd();
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
