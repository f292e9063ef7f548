// Starting, stepping and stopping one flow of a character, and the steps of its commands.
#include "flow/flow_run.h"

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "flow/apply_arrange.h"
#include "flow/flow_context.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

namespace {

// The message command that waits for a key (parameters 15 and 6 both 0) hands "a key-wait
// message has just finished" to the next message of the flow.
bool IsKeyWaitMessage(const cFlowCmd& cmd) {
  if (cmd.m_nKind != FLOWCMD_MESSAGE) return false;
  if (cmd.m_vParam.size() <= 15) return false;
  return cmd.m_vParam[15] == 0 && cmd.m_vParam[6] == 0;
}

// Switch numbers come from data: only 1-26 address the switch tables.
bool IsSwitchNumber(int s, const cCharaBase& chara) {
  return s >= 1 && s < kFlowSwitchTableSize && static_cast<std::size_t>(s) < chara.m_vSwitchClear.size() &&
         static_cast<std::size_t>(s) < chara.m_vSwitch.size() && static_cast<std::size_t>(s) < chara.m_vSwitchFrame.size();
}

void QueueSwitchClear(const cFlow* pFlow, cCharaBase* pChara) {
  if (pFlow == nullptr || pChara == nullptr) return;
  const int s = pFlow->m_nSwitch;
  if (!IsSwitchNumber(s, *pChara)) return;
  pChara->m_vSwitchClear[static_cast<std::size_t>(s)] = 1;
  pChara->m_bSwitchClearPending = 1;
}

}  // namespace

void cFlowRun::Start() {
  m_bRunning = 1;
  m_nCurCmd = 0;
  m_nStepCount = 0;
  m_bMsgContinued = 0;
  for (cFlowCmdRun& cmdRun : m_vCmdRun) cmdRun.m_bDone = 0;
  m_bStartedThisFrame = 1;
  // A step in progress learns that it must not mark or pass its command.
  m_bRestarted = 1;
  if (m_lpFlow == nullptr) return;

  cSceneGame* pScene = GameScene();
  cCharaBase* pFlowChara = pScene != nullptr ? pScene->m_pFlowChara : nullptr;
  if (m_lpFlow->m_nTrigger == FLOWTRIG_ALWAYS && pFlowChara != nullptr && IsSwitchNumber(m_lpFlow->m_nSwitch, *pFlowChara)) {
    const auto s = static_cast<std::size_t>(m_lpFlow->m_nSwitch);
    pFlowChara->m_vSwitch[s] = 1;
    pFlowChara->m_vSwitchFrame[s] = 1;
  }

  if (m_lpFlow->m_nTrigger != FLOWTRIG_BEFORE_STAGE_START || m_vCmdRun.empty()) return;
  // A before-start flow runs its instant commands now. One that starts itself again would
  // recurse without end: the inner start only restarts the run.
  if (m_bInStartRun != 0 || pScene == nullptr) return;
  // Cleared on every way out, a thrown fatal error included.
  struct cInStartRun {
    std::int32_t& bFlag;
    explicit cInStartRun(std::int32_t& flag) : bFlag(flag) { bFlag = 1; }
    ~cInStartRun() { bFlag = 0; }
    cInStartRun(const cInStartRun&) = delete;
    cInStartRun& operator=(const cInStartRun&) = delete;
  } inStartRun(m_bInStartRun);
  cFlowContextSave saved(*pScene, true);
  cFlowStepScope inStep;
  cCharaBase* pOwner = m_pOwner != nullptr ? m_pOwner : pFlowChara;
  pScene->m_pFlowChara = pOwner;
  pScene->m_pFlowRun = this;
  m_bAbort = 0;
  for (m_nCurCmd = 0; m_nCurCmd < static_cast<std::int32_t>(m_vCmdRun.size()); ++m_nCurCmd) {
    cFlowCmdRun& cmdRun = m_vCmdRun[static_cast<std::size_t>(m_nCurCmd)];
    if (cmdRun.m_lpCmd == nullptr) continue;
    if (cmdRun.m_lpCmd->m_nKind < FLOWCMD_FLOW_OPERATION || cmdRun.m_lpCmd->m_bNoWait == 0) continue;
    cmdRun.Begin();
    if (cmdRun.Step() == 0) DebugMesBox("使用時間0なので、ここにくることはあり得ないはず！");
    if (m_bAbort != 0) break;
    cmdRun.m_bDone = 1;
  }
  // The switch of this run is the owner's, whatever character the scene pointed at.
  Stop(pOwner);
}

void cFlowRun::Stop(cCharaBase* pChara) {
  if (m_bRunning == 0) return;
  m_bRunning = 0;
  m_listArrange.clear();
  for (cFlowCmdRun& cmdRun : m_vCmdRun) cmdRun.m_nRemain = 0;
  QueueSwitchClear(m_lpFlow, pChara);
}

void cFlowRun::StopForever(cCharaBase* pChara) {
  m_bStopForever = 1;
  if (m_bRunning == 0) return;
  for (cFlowCmdRun& cmdRun : m_vCmdRun) cmdRun.m_nRemain = 0;
  QueueSwitchClear(m_lpFlow, pChara);
}

int cFlowRun::Step() {
  cSceneGame* pScene = GameScene();
  if (pScene == nullptr) return 0;
  cFlowStepScope inStep;
  pScene->m_pFlowRun = this;
  m_bAbort = 0;
  m_bRestarted = 0;
  const auto nCount = static_cast<std::int32_t>(m_vCmdRun.size());
  if (nCount == 0) return 1;
  const std::int32_t nLast = nCount - 1;
  for (std::int32_t i = 0; i <= m_nCurCmd; ++i) {
    if (i >= nCount) continue;
    cFlowCmdRun& c = m_vCmdRun[static_cast<std::size_t>(i)];
    if (c.m_bDone != 0) continue;
    const cFlowCmd& cmd = *c.m_lpCmd;
    const bool bNoWait = cmd.m_bNoWait == 1;
    if (c.m_nRemain == 0) {
      c.Begin();
      if (!IsKeyWaitMessage(cmd) && cmd.m_bNoWait == 0) m_bMsgContinued = 0;
    }
    const int r = c.Step();
    // An executor that restarted this flow has put it back at its first command: the
    // command that ran belongs to the old run and is neither marked nor passed.
    if (m_bRestarted != 0) return 0;
    if (bNoWait) {
      if (r == 1) {
        c.m_bDone = 1;
        if (i == nLast) return 1;
      }
      if (i == m_nCurCmd) m_nCurCmd += 1;
      if (m_bAbort != 0) return 0;
    } else {
      if (r == 0) {
        if (m_bAbort != 0) return 0;
        continue;
      }
      c.m_bDone = 1;
      if (IsKeyWaitMessage(cmd)) m_bMsgContinued = 1;
      if (i == nLast) return 1;
      m_nCurCmd += 1;
      break;
    }
  }
  if (m_vCmdRun[static_cast<std::size_t>(nLast)].m_bDone != 0) return 1;
  m_nStepCount += 1;
  return 0;
}

void cFlowCmdRun::Begin() {
  m_nRemain = m_nDuration;
  m_bDone = 0;
  m_nCount = 0;
  m_bStarted = 0;
  m_dPhaseX = 0.0;
  m_dPhaseY = 0.0;
  m_nWork0 = 0;
  m_nWork1 = 0;
  if (m_lpCmd == nullptr || m_lpCmd->m_nKind == FLOWCMD_ARRANGE) return;
  cSceneGame* pScene = GameScene();
  if (pScene == nullptr || pScene->m_pFlowRun == nullptr) return;
  // Pending bindings apply to this command and are then dropped.
  ApplyFlowArranges(m_lpCmd, pScene->m_pFlowChara, pScene->m_pFlowRun);
  pScene->m_pFlowRun->m_listArrange.clear();
}

int cFlowCmdRun::Step() {
  cSceneGame* pScene = GameScene();
  if (pScene != nullptr) {
    pScene->m_pFlowCmdRun = this;
    if (pScene->m_pFlowChara != nullptr) pScene->m_pFlowChara->ExecCommand(this);
  }
  // Written so that a negative remainder from damaged times cannot wrap.
  if (m_nRemain <= 1) {
    m_nRemain = 0;
    return 1;
  }
  m_nRemain -= 1;
  return 0;
}
