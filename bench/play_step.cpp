// The play step on a stress stage (300 characters standing on a floor, collision level
// 10: ten sub-steps a frame), played in process without drawing: its cost per frame as
// a share of the 16.7 ms frame budget, beside one frame of the game manager with a scene
// that draws nothing (input poll, scene switch, present). Each reports "budget_percent",
// the time of one frame in percent of 1/60 s.
//
// The same stage once more with every character running a flow of 20 commands (walks,
// turns, jumps and a code command, behind three conditions) on each sub-step: the
// difference between the two is the flows' share of the frame.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "app/checked_access.h"
#include "bench/display_bench_main.h"
#include "data/flow/condition.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/movement_block.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_display.h"
#include "media/input/input.h"
#include "objects/move_support.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "shell/game_mgr.h"
#include "shell/stand_in_scenes.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "bench/stress_stage.h"
#include "writers/stage_writer.h"

namespace {

constexpr double kFrameBudget = 1.0 / 60;
// Frames played before timing: the characters fall onto the floor and stand.
constexpr int kSettleFrames = 120;

// A command of the busy flow: a walk of one sub-step, or a command that goes on to the
// next in the same sub-step.
cFlowCmd BusyCmd(std::int8_t kind, std::int8_t dir = 0) {
  cFlowCmd cmd;
  cmd.m_nKind = kind;
  if (kind == FLOWCMD_MOVE_STRAIGHT) {
    CreateEdMove(cmd.m_pMove);
    cmd.m_pMove->m_nDir = dir;
    cmd.m_pMove->m_nSpeed = 20;
  } else {
    cmd.m_bNoWait = 1;
  }
  if (kind == FLOWCMD_CODE) cmd.m_sText = "C1 = C1 + 1";
  cmd.Normalize();
  return cmd;
}

cCond HoldingCond(std::int8_t kind, std::int8_t subject, std::int8_t select) {
  cCond cond;
  cond.m_nKind = kind;
  cond.m_nSubject = subject;
  cond.m_nSelect = select;
  cond.m_nVarIndex = 1;
  cond.m_nCmp = kind == COND_STATUS3 ? 0 : static_cast<std::int8_t>(CMP_GE);
  return cond;
}

// An always-flow of 20 commands whose three conditions hold: walks right and left (one
// sub-step each, so the characters stay where they stand), turns, a jump and the
// counting code command, five times over.
cFlow BusyFlow() {
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCond = {HoldingCond(COND_COMMON_VAR, 0, 0), HoldingCond(COND_STAGE_VAR, 0, 0),
                  HoldingCond(COND_STATUS3, CONDSUBJ_HERO, 4)};
  for (int i = 0; i < 5; ++i) {
    flow.m_vCmd.push_back(BusyCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_RIGHT));
    flow.m_vCmd.push_back(BusyCmd(FLOWCMD_CODE));
    flow.m_vCmd.push_back(BusyCmd(FLOWCMD_MOVE_STRAIGHT, MOVEDIR_LEFT));
    flow.m_vCmd.push_back(BusyCmd(i % 2 == 0 ? FLOWCMD_TURN : FLOWCMD_JUMP));
  }
  return flow;
}

// The stress stage, its block clear of the hero so that nobody touches it; the whole block
// takes part in every sub-step, as on a busy stage, with or without every character's
// busy flow.
cStagePlan StressPlan(bool bFlows) {
  cStagePlan plan = StressStagePlan();
  if (bFlows) {
    plan.Chara.m_bFixedFacing = 0;
    plan.Chara.m_vFlow = std::vector<cFlow>{BusyFlow()};
  }
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

// state.range(0): 1 when the characters run the busy flow.
void BM_PlayStepLogic(benchmark::State& state) {
  g_SystemData = cSystemData();
  g_Input.assign(1, cInput());
  g_Progress.NewGame();
  g_Progress.m_Vars.assign(1001, 0);
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nPlayMode = 2;
  g_StageData = BuildPlannedStage(StressPlan(state.range(0) != 0));
  g_StageDataOrg = g_StageData;

  cSceneGame* scene = new cSceneGame();
  g_lpSceneGame = scene;
  scene->SetStage(0, 0);
  if (g_listChara.size() != static_cast<std::size_t>(kStressCharaCount)) {
    state.SkipWithError("the stress stage did not place its characters");
  } else {
    for (int f = 0; f < kSettleFrames; ++f) PlayFrameLogic(*scene);
    const std::int32_t counted = CheckedAt(g_Progress.m_Vars, 1);
    const double start = Now();
    for (auto _ : state)
      if (!PlayFrameLogic(*scene)) {
        state.SkipWithError("play ended on the stress stage");
        break;
      }
    state.SetLabel(std::to_string(g_listChara.size()) + " characters, " +
                   std::to_string(g_StageData.m_nSubSteps) + " sub-steps");
    SetBudgetShare(state, Now() - start);
    // How much flow work a frame holds: the code commands run, and the characters in play.
    state.counters["code_runs_per_frame"] =
        static_cast<double>(CheckedAt(g_Progress.m_Vars, 1) - counted) / static_cast<double>(state.iterations());
    int active = 0;
    for (const cChara& chara : g_listChara) active += chara.m_bInRange != 0 ? 1 : 0;
    state.counters["active"] = active;
  }
  g_lpSceneGame = nullptr;
  delete scene;
}
BENCHMARK(BM_PlayStepLogic)->ArgName("flows")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
