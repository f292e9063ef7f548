#include "flow/cmd_table.h"

#include "data/flow/flow_command.h"
#include "flow/cmd_prepare.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

namespace {

// Kinds 0, 1 and 39 (none, wait, loop) do nothing when stepped: a wait only holds the flow
// for its time, and loops were unrolled when the flow was attached.
void CmdNothing(cCharaBase*, cFlowCmdRun*) {}

template <void (cCharaBase::*Executor)(cFlowCmdRun*)>
void RunOnChara(cCharaBase* pChara, cFlowCmdRun* run) {
  (pChara->*Executor)(run);
}

// Kinds 17-38 pass the command record itself to the executors they share with the
// player's item commands.
template <std::int32_t (cCharaBase::*Executor)(cFlowCmd&)>
void RunShared(cCharaBase* pChara, cFlowCmdRun* run) {
  (pChara->*Executor)(*run->m_lpCmd);
}

// The message also learns whether a key-wait message of this flow has just finished.
void RunMessage(cCharaBase* pChara, cFlowCmdRun* run) {
  cSceneGame* pScene = GameScene();
  const std::int32_t bContinued =
      (pScene != nullptr && pScene->m_pFlowRun != nullptr) ? pScene->m_pFlowRun->m_bMsgContinued : 0;
  pChara->CmdMessage(*run->m_lpCmd, bContinued);
}

// The stage clear leaves its result for the play step, which ends the stage with it.
void RunStageClear(cCharaBase* pChara, cFlowCmdRun* run) {
  const std::int32_t result = pChara->CmdStageClear(*run->m_lpCmd);
  if (cSceneGame* pScene = GameScene(); pScene != nullptr) pScene->m_nCmdResult = result;
}

}  // namespace

const std::array<FlowCmdExecutor, kFlowCmdKindCount> g_FlowCmdTable = {
    &CmdNothing,                                             // 0 FLOWCMD_NONE
    &CmdNothing,                                             // 1 FLOWCMD_WAIT
    &RunOnChara<&cCharaBase::CmdMoveStraight>,               // 2
    &RunOnChara<&cCharaBase::CmdMoveGroundTurn>,             // 3
    &RunOnChara<&cCharaBase::CmdMoveCircle>,                 // 4
    &RunOnChara<&cCharaBase::CmdMoveCharge>,                 // 5
    &RunOnChara<&cCharaBase::CmdMoveHoming>,                 // 6
    &RunOnChara<&cCharaBase::CmdMoveAvoidOffscreen>,         // 7
    &RunOnChara<&cCharaBase::CmdMoveDisable>,                // 8
    &RunOnChara<&cCharaBase::CmdTurn>,                       // 9
    &RunOnChara<&cCharaBase::CmdJump>,                       // 10
    &RunOnChara<&cCharaBase::CmdShot>,                       // 11
    &RunOnChara<&cCharaBase::CmdSword>,                      // 12
    &RunOnChara<&cCharaBase::CmdSummonBlock>,                // 13
    &RunOnChara<&cCharaBase::CmdSummonChara>,                // 14
    &RunOnChara<&cCharaBase::CmdSummonItem>,                 // 15
    &RunOnChara<&cCharaBase::CmdFlowOperation>,              // 16
    &RunStageClear,                                          // 17
    &RunShared<&cCharaBase::CmdGameWait>,                    // 18
    &RunMessage,                                             // 19
    &RunShared<&cCharaBase::CmdWarp>,                        // 20
    &RunShared<&cCharaBase::CmdSetTarget>,                   // 21
    &RunShared<&cCharaBase::CmdStatus>,                      // 22
    &RunShared<&cCharaBase::CmdStatus2>,                     // 23
    &RunShared<&cCharaBase::CmdVanish>,                      // 24
    &RunShared<&cCharaBase::CmdGetItem>,                     // 25
    &RunShared<&cCharaBase::CmdChangeGraphic>,               // 26
    &RunShared<&cCharaBase::CmdChangeAnimeSet>,              // 27
    &RunShared<&cCharaBase::CmdAnime>,                       // 28
    &RunShared<&cCharaBase::CmdEffect>,                      // 29
    &RunShared<&cCharaBase::CmdCharaEffect>,                 // 30
    &RunShared<&cCharaBase::CmdScreenEffect>,                // 31
    &RunShared<&cCharaBase::CmdPicture>,                     // 32
    &RunShared<&cCharaBase::CmdScreenColor>,                 // 33
    &RunShared<&cCharaBase::CmdChangeBack>,                  // 34
    &RunShared<&cCharaBase::CmdSe>,                          // 35
    &RunShared<&cCharaBase::CmdBgm>,                         // 36
    &RunShared<&cCharaBase::CmdCode>,                        // 37
    &RunShared<&cCharaBase::CmdArrange>,                     // 38
    &CmdNothing,                                             // 39 FLOWCMD_LOOP
};

const std::array<FlowCmdPreparer, kFlowCmdKindCount> g_CmdPrepareTable = [] {
  std::array<FlowCmdPreparer, kFlowCmdKindCount> table{};
  table[FLOWCMD_MOVE_STRAIGHT] = &PrepareMoveCmd;
  table[FLOWCMD_MOVE_GROUND_TURN] = &PrepareMoveCmd;
  table[FLOWCMD_MOVE_CIRCLE] = &PrepareCircleCmd;
  table[FLOWCMD_MOVE_CHARGE] = &PrepareMoveCmd;
  table[FLOWCMD_MOVE_HOMING] = &PrepareHomingCmd;
  table[FLOWCMD_MOVE_AVOID_OFFSCREEN] = &PrepareMoveCmd;
  table[FLOWCMD_JUMP] = &PrepareJumpCmd;
  return table;
}();

FlowCmdPreparer FindCmdPreparer(int nKind) {
  if (nKind < 0 || nKind >= kFlowCmdKindCount) return nullptr;
  return g_CmdPrepareTable[static_cast<std::size_t>(nKind)];
}

// A kind byte outside the forty kinds comes only from damaged data: it runs nothing
// rather than indexing past the table.
void cCharaBase::ExecCommand(cFlowCmdRun* run) {
  if (run == nullptr || run->m_lpCmd == nullptr) return;
  const int nKind = run->m_lpCmd->m_nKind;
  if (nKind < 0 || nKind >= kFlowCmdKindCount) return;
  g_FlowCmdTable[static_cast<std::size_t>(nKind)](this, run);
}
