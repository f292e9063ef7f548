// The group hits of one frame on a stress stage: 300 characters of two groups standing
// side by side on a floor (neighbours touch, so body contacts happen every sub-step) and
// 500 shots of two groups scattered over the stage, at collision level 10 (ten sub-steps
// a frame). The shots are harmless and only trigger (the System switch), and nobody
// deals body damage, so every frame does the same work. Reports "budget_percent": the
// hit phase of one frame (HitGroups in each sub-step) in percent of 1/60 s.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "bench/stress_stage.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kShotCount = 500;
constexpr double kFrameBudget = 1.0 / 60;
constexpr int kSettleFrames = 60;

// The stress stage with its characters in groups 1 and 2 in turn.
cStagePlan StressPlan() {
  cStagePlan plan = StressStagePlan([](int i) { return i % 2 == 0 ? 'C' : 'D'; });
  cPaletteChara other = plan.Chara;
  other.m_nSide = 2;
  plan.CharaKinds['D'] = other;
  return plan;
}

// Player shots (group 0) and enemy shots (group 3) spread over the characters' block and
// the screen around it, in a fixed pattern.
void AddShots(cSceneGame& scene) {
  const double left = ObjScrollX().m_dPos;
  const double top = ObjScrollY().m_dPos;
  for (int i = 0; i < kShotCount; ++i) {
    cShot shot;
    shot.m_nObjId = scene.m_nNextShotId++;
    shot.m_nLayer = i % 2 == 0 ? 0 : 3;
    shot.m_bOnScreen = 1;
    shot.m_bActive = 1;
    const double x = left + (i * 37) % 1200;
    const double y = top + 64 + (i * 53) % 400;
    shot.m_dX = x;
    shot.m_dY = y;
    shot.m_dRight = x + 15;
    shot.m_dBottom = y + 15;
    shot.m_HitArea.m_rc = cDoubleRect{x + 4, y + 4, x + 11, y + 11};
    scene.m_lstShot.push_back(shot);
    scene.m_vGroupShotList[static_cast<std::size_t>(shot.m_nLayer)].push_back(&scene.m_lstShot.back());
  }
}

void BM_HitPhase(benchmark::State& state) {
  g_SystemData = cSystemData();
  g_SystemData.m_bRuleHitGroups763b = 1;  // harmless shots only trigger
  g_Input.assign(1, cInput());
  g_Progress.NewGame();
  g_Progress.m_Vars.assign(1001, 0);
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nPlayMode = 2;
  g_StageData = BuildPlannedStage(StressPlan());
  g_StageDataOrg = g_StageData;

  auto* scene = new cSceneGame();
  g_lpSceneGame = scene;
  scene->SetStage(0, 0);
  if (g_listChara.size() != static_cast<std::size_t>(kStressCharaCount)) {
    state.SkipWithError("the stress stage did not place its characters");
  } else {
    for (int f = 0; f < kSettleFrames; ++f) {
      for (int k = 1; k <= g_StageData.m_nSubSteps; ++k) scene->RunSubStep(k);
    }
    AddShots(*scene);
    const int n = g_StageData.m_nSubSteps;
    const double start = Now();
    for (auto _ : state) {
      for (int k = 1; k <= n; ++k) {
        scene->m_nSubStep = k;
        benchmark::DoNotOptimize(scene->HitGroups(g_listChara));
      }
    }
    const double seconds = Now() - start;
    if (state.iterations() > 0)
      state.counters["budget_percent"] = seconds / static_cast<double>(state.iterations()) / kFrameBudget * 100;
    state.SetLabel(std::to_string(g_listChara.size()) + " characters, " + std::to_string(scene->m_lstShot.size()) +
                   " shots, " + std::to_string(n) + " sub-steps");
  }
  g_lpSceneGame = nullptr;
  delete scene;
}
BENCHMARK(BM_HitPhase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
