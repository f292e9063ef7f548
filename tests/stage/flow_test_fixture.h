#pragma once
// A stage-play world small enough for the flow runtime: a scene that holds the flow
// context, a physics step count, player 1's input record, rule switches at their current
// defaults, and a character whose flows a test attaches, fires and runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/movement_block.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "media/input/input.h"
#include "objects/chara_base.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"

// A character with the flow part of RunFlows open to the tests and a jump that records
// its calls.
class cFlowTestChara : public cCharaBase {
 public:
  cFlowTestChara() {
    m_vTarget.assign(kTargetSlots, nullptr);
    m_vSwitch.assign(kSwitchCount, 0);
    m_vSwitchClear.assign(kSwitchCount, 0);
    m_vSwitchFrame.assign(kSwitchCount, 0);
    m_vCharaVar.assign(kCharaVarCount, 0);
    m_nKind = 1;
    m_nHp = 1;  // a character without HP ends its run after its first flow
    m_Def.m_bFixedFacing = 0;
  }
  ~cFlowTestChara() override { m_bNoLinkRelease = 1; }

  void RunJump(cFlowCmdRun* run) override {
    ++m_nJumpCalls;
    m_pLastJumpRun = run;
  }

  // Attaches `flows` as the character's own flow list.
  void Attach(std::vector<cFlow> flows) {
    m_Def.m_vFlow = std::move(flows);
    SetFlows(m_Def.m_vFlow.Edit(), 0, -1);
  }

  // The flow part of one RunFlows; the result of stepping.
  std::int32_t Run() {
    cSceneGame* scene = GameScene();
    scene->m_pFlowChara = this;
    m_bMoving = 0;
    m_bHeld = 0;
    StepFlowAnime();
    const std::int32_t r = StepFlows(0, 0);
    scene->m_pFlowChara = nullptr;
    scene->m_pFlowRun = nullptr;
    scene->m_pFlowCmdRun = nullptr;
    ApplyPendingFlowChanges();
    return r;
  }

  // One sub-step as the play state drives it: the always-trigger, then the flows.
  void SubStep() {
    FireTrigger(FLOWTRIG_ALWAYS);
    Run();
  }

  cFlowRun& RunAt(std::size_t i) { return m_vFlowRun.at(i); }

  int m_nJumpCalls = 0;
  cFlowCmdRun* m_pLastJumpRun = nullptr;
};

class FlowWorldTest : public ::testing::Test {
 public:
  // Player 1's keys for one frame, as the play state records them.
  static void Frame(WORD dir, WORD buttons = 0) {
    cInput& in = g_Input[0];
    in.m_wDir = dir;
    in.m_wButton = buttons;
    in.UpdateHistory();
    in.UpdateSequences();
  }

 protected:
  void SetUp() override {
    m_SavedSystem = g_SystemData;
    SetSubSteps(1);
    g_StageData.m_dGravity = 0.4;
    g_StageData.m_dGravityStep = 0.4;
    g_Input.assign(1, cInput());
    g_Input[0].Reset();
    g_Progress.m_Vars.assign(1001, 0);
    m_pScene = new cSceneGame();
    m_pScene->m_vStageVar.assign(kStageVarCount, 0);
    g_lpSceneGame = m_pScene;
    ClearPostedMessages();
  }

  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    g_SystemData = m_SavedSystem;
    ClearPostedMessages();
  }

  static void SetSubSteps(int n) {
    g_StageData.m_nSubSteps = n;
    g_StageData.m_dSubSteps = n;
    g_StageData.m_nSubSteps6 = 6 * n;
  }

  static cFlowCmd Cmd(int kind, std::int16_t time = 0, std::int8_t noWait = 0) {
    cFlowCmd cmd;
    cmd.m_nKind = static_cast<std::int8_t>(kind);
    cmd.m_nTime = time;
    cmd.m_bNoWait = noWait;
    cmd.m_vParam.assign(static_cast<std::size_t>(GetFlowCmdParamCount(kind)), 0);
    return cmd;
  }

  static cFlowCmd MoveCmd(int kind, std::int8_t dir, std::int16_t speed, std::int16_t time = 0) {
    cFlowCmd cmd = Cmd(kind, time);
    CreateEdMove(cmd.m_pMove);
    cmd.m_pMove->m_nDir = dir;
    cmd.m_pMove->m_nSpeed = speed;
    return cmd;
  }

  static cFlowCmd FlowOp(int op, int scope, int group = 0, int subject = 0, std::int8_t noWait = 0) {
    cFlowCmd cmd = Cmd(FLOWCMD_FLOW_OPERATION, 0, noWait);
    cmd.m_vParam = {op, scope, group, subject};
    return cmd;
  }

  static cFlow Flow(std::vector<cFlowCmd> cmds, int trigger = FLOWTRIG_ALWAYS, int sw = 0, int id = 0) {
    cFlow flow;
    flow.m_nTrigger = static_cast<std::int8_t>(trigger);
    flow.m_nSwitch = static_cast<std::int8_t>(sw);
    flow.m_nID = static_cast<std::int8_t>(id);
    flow.m_vCmd = std::move(cmds);
    return flow;
  }

  static int PostedCloses() { return CountPostedMessages(WM_CLOSE); }

  cSceneGame* m_pScene = nullptr;
  cSystemData m_SavedSystem;
};
