// The flow-operation command: starts, ends, pauses, resumes, deletes or stops for good
// this flow, the character's other flows, or the flows of one group on a character.
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_enumerations.h"
#include "flow/flow_overlays.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

namespace {

std::int32_t Param(const cFlowCmd& cmd, std::size_t i) { return i < cmd.m_vParam.size() ? cmd.m_vParam[i] : 0; }

// One operation on one flow; true when the flow was removed from its owner's lists.
bool Operate(std::int32_t nOp, cFlowRun& run, cCharaBase& owner, const cCharaBase& executing) {
  const std::int32_t nKey = run.m_nFlowKey;
  switch (nOp) {
    case FLOWOP_START:
      run.Stop(&owner);
      RemoveFlowAnimeOverlays(owner, nKey);
      run.Start();
      run.m_bAbort = 1;
      return false;
    case FLOWOP_END:
      run.Stop(&owner);
      RemoveFlowAnimeOverlays(owner, nKey);
      run.m_bAbort = 1;
      return false;
    case FLOWOP_PAUSE:
      run.Pause();
      StopFlowAnimeOverlays(owner, nKey);
      run.m_bAbort = 1;
      return false;
    case FLOWOP_RESUME:
      run.Resume();
      ResumeFlowAnimeOverlays(owner, nKey);
      return false;
    case FLOWOP_DELETE:
      if (&owner == &executing) {
        // The executing character's run list must not change under its running step.
        owner.m_bFlowRemovePending = 1;
        run.m_bToDelete = 1;
        run.m_bAbort = 1;
        return false;
      }
      owner.RemoveFlow(run.m_nFlowIndex);
      return true;
    case FLOWOP_STOP_FOREVER:
      run.StopForever(&owner);
      RemoveFlowAnimeOverlays(owner, nKey);
      run.m_bAbort = 1;
      return false;
    default:
      return false;
  }
}

}  // namespace

void cCharaBase::CmdFlowOperation(cFlowCmdRun* run) {
  cSceneGame* pScene = GameScene();
  if (pScene == nullptr || run == nullptr || run->m_lpCmd == nullptr) return;
  const cFlowCmd& cmd = *run->m_lpCmd;
  if (cmd.m_pCond && cmd.m_pCond->m_bEnabled != 0 &&
      !pScene->CheckCondList(cmd.m_pCond->m_vCond, cmd.m_pCond->m_nMode, this)) {
    return;
  }
  const std::int32_t nOp = Param(cmd, 0);
  const std::int32_t nScope = Param(cmd, 1);
  const std::int32_t nGroup = Param(cmd, 2);
  const std::int32_t nSubject = Param(cmd, 3);

  cCharaBase* pSubject = this;
  if (nSubject >= SUBJ_TARGET1 && nSubject <= SUBJ_TARGET4) {
    const auto nSlot = static_cast<std::size_t>(nSubject - 1);
    pSubject = nSlot < m_vTarget.size() ? m_vTarget[nSlot] : nullptr;
    if (pSubject == nullptr) return;
  }

  cFlowRun* pCurrent = pScene->m_pFlowRun;
  switch (nScope) {
    case FLOWSCOPE_THIS:
      if (pCurrent != nullptr) Operate(nOp, *pCurrent, *this, *this);
      break;
    case FLOWSCOPE_OTHERS:
      for (std::size_t i = 0; i < m_vFlowRun.size(); ++i) {
        cFlowRun& other = m_vFlowRun[i];
        if (&other == pCurrent) continue;
        // Deleting here only flags the runs (they are this character's own).
        Operate(nOp, other, *this, *this);
      }
      break;
    case FLOWSCOPE_BY_ID:
      for (std::size_t i = 0; i < pSubject->m_vFlowRun.size();) {
        cFlowRun& target = pSubject->m_vFlowRun[i];
        const cFlow* pFlow = target.m_lpFlow;
        if (pFlow != nullptr && pFlow->m_nID != 0 && pFlow->m_nID == nGroup) {
          // A removed flow's place is taken by the next one: look at the same index again.
          if (Operate(nOp, target, *pSubject, *this)) continue;
        }
        ++i;
      }
      break;
    default:
      break;
  }
}
