// The stage frame drawn on the stress stage (300 characters on a floor, collision level
// 10) at 640x480 for every back end and depth, in the same run as the frame's logic:
// "budget_percent" is one frame's time in percent of 1/60 s; logic and drawing together
// should stay under 25 %. The scene draws a full-screen background picture, the blocks,
// the characters from 32x32 cells of their sheet and the status bar. BM_FrameMemcpy is
// the floor a full-screen opaque blit is compared with (the background's ratio).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/display_bench_main.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/sys_status_item.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "bench/stress_stage.h"
#include "writers/stage_writer.h"

namespace {

constexpr double kFrameBudget = 1.0 / 60;
constexpr int kSettleFrames = 120;

struct Mode {
  int bDirect3D, nBpp, bWindow;
};
const Mode kModes[] = {{1, 32, 1}, {1, 16, 1}, {0, 8, 0}, {0, 16, 0}, {0, 32, 0}};

std::string ModeName(const Mode& mode) {
  return std::string(mode.bDirect3D ? "D3D" : "DD") + std::to_string(mode.nBpp);
}

// Blank sheets in the rows the frame reads, each filled so that every blit has pixels
// to move: block sheet and its copy, character sheets, mark sheet, status window, status icons, the
// background and the shot sheets.
bool MakeSheets() {
  struct Sheet {
    int row, w, h, key;
    DWORD fill;
  };
  const Sheet sheets[] = {{2, 640, 480, 1, 3},  {3, 640, 480, 1, 3},   {4, 640, 480, 1, 5},
                          {5, 640, 480, 1, 5},  {43, 480, 480, 1, 7},  {46, 640, 20, 1, 9},
                          {49, 256, 256, 1, 11}, {51, 320, 192, 1, 13}, {55, 640, 480, 0, 15},
                          {63, 256, 960, 1, 0},  {64, 256, 960, 1, 0}};
  for (const Sheet& s : sheets) {
    if (!DDCreateSurface(&g_FixedSurface[s.row], s.w, s.h, s.key, 0, 0, 0, 0)) return false;
    DDFillSurface(&g_FixedSurface[s.row], s.fill);
  }
  return true;
}

void ReleaseSheets() {
  for (int row = 2; row < kFixedSurfaceCount; ++row) DDReleaseSurface(&g_FixedSurface[row]);
}

bool PlayFrameLogic(cSceneGame& scene) {
  g_vPlayer.front().ResetTriggerLatches();
  for (cChara& chara : g_listChara)
    if (chara.m_bDying == 0) chara.ResetTriggerLatches();
  for (int k = 1; k <= g_StageData.m_nSubSteps; ++k)
    if (scene.RunSubStep(k) != 0) return false;
  return true;
}

void SetBudgetShare(benchmark::State& state, double seconds) {
  if (state.iterations() == 0) return;
  state.counters["budget_percent"] = seconds / static_cast<double>(state.iterations()) / kFrameBudget * 100;
}

cSceneGame* BringStage(const Mode& mode) {
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0))
    return nullptr;
  if (!MakeSheets()) return nullptr;
  g_SystemData = cSystemData();
  for (std::size_t i = 0; i < g_SystemData.m_StatusItems.size(); ++i) {
    g_SystemData.m_StatusItems[i].m_bShow = 1;
    g_SystemData.m_StatusItems[i].m_bIcon = 1;
    g_SystemData.m_StatusItems[i].m_nDigits = 6;
  }
  g_Input.assign(1, cInput());
  g_Progress.NewGame();
  g_Progress.m_Vars.assign(1001, 0);
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nPlayMode = 2;
  g_StageData = BuildPlannedStage(StressStagePlan());
  cStageBack back;
  back.m_bVisible = 1;
  back.m_dSpeedX = 0.5;
  back.m_dSpeedY = 0.5;
  g_StageData.m_vBack.assign(1, back);
  g_StageData.m_bShowStatus = 1;
  g_StageDataOrg = g_StageData;
  auto* scene = new cSceneGame();
  g_lpSceneGame = scene;
  scene->BuildShotSheet();
  scene->SetStage(0, 0);
  scene->m_nState = GAMESTATE_PLAY;
  for (int f = 0; f < kSettleFrames; ++f) {
    PlayFrameLogic(*scene);
    scene->Draw(1, 0, 0, 1);
  }
  return scene;
}

void TearDown(cSceneGame* scene) {
  g_lpSceneGame = nullptr;
  delete scene;
  ReleaseSheets();
  DDEnd();
}

// state.range(0): the mode; state.range(1): 0 the logic only, 1 the drawing only, 2 both.
void BM_StageFrame(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  cSceneGame* scene = BringStage(mode);
  if (scene == nullptr || g_listChara.size() != static_cast<std::size_t>(kStressCharaCount)) {
    state.SkipWithError("the stress stage did not come up");
    if (scene != nullptr) TearDown(scene);
    return;
  }
  const bool bLogic = state.range(1) != 1;
  const bool bDraw = state.range(1) != 0;
  const double start = Now();
  for (auto _ : state) {
    if (bLogic && !PlayFrameLogic(*scene)) {
      state.SkipWithError("play ended on the stress stage");
      break;
    }
    if (bDraw) scene->Draw(1, 0, 0, 1);
    benchmark::ClobberMemory();
  }
  SetBudgetShare(state, Now() - start);
  const char* part = state.range(1) == 0 ? "logic" : state.range(1) == 1 ? "drawing" : "logic+drawing";
  state.SetLabel(ModeName(mode) + " " + part);
  TearDown(scene);
}
BENCHMARK(BM_StageFrame)
    ->ArgNames({"mode", "part"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The full-screen background alone (opaque 640x480) against a memcpy of its bytes.
void BM_BackgroundBlit(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  if (!DDInit(mode.bDirect3D, nullptr, 640, 480, mode.nBpp, 0, mode.bWindow, 1, 60, 0, g_FixedSurface,
              g_FixedSurfaceDef, kFixedSurfaceCount, 0) ||
      !MakeSheets()) {
    state.SkipWithError("display did not come up");
    DDEnd();
    return;
  }
  for (auto _ : state) {
    DDBlt(&g_BackBuffer, 0, 0, 640, 480, &g_FixedSurface[55], 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * (mode.nBpp / 8));
  state.SetLabel(ModeName(mode));
  ReleaseSheets();
  DDEnd();
}
BENCHMARK(BM_BackgroundBlit)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_FrameMemcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(640) * 480 * static_cast<std::size_t>(state.range(0));
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FrameMemcpy)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunDisplayBenchmarks(argc, argv); }
