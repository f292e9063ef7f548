// Firing a trigger on a character: which of its flows of that trigger kind start, with
// the per-frame latches that let each flow be examined at most once a frame.
#include "app/checked_access.h"
#include "data/flow/flow.h"
#include "data/system/system_data.h"
#include "flow/flow_context.h"
#include "flow/flow_run.h"
#include "flow/key_conds.h"
#include "flow/key_sequence.h"
#include "flow/set_target.h"
#include "media/input/input.h"
#include "objects/chara_base.h"
#include "stage/scene_game.h"

namespace {

enum class eLatch { None, Early, Late };

eLatch CurrentLatchMode() {
  if (g_SystemData.m_bRuleTrigger525 != 0) return eLatch::None;
  return g_SystemData.m_bRuleTrigger744 != 0 ? eLatch::Early : eLatch::Late;
}

bool IsSwitchRaised(const cCharaBase& chara, int s) {
  if (s < 1 || s >= kFlowSwitchTableSize) return false;
  const auto at = static_cast<std::size_t>(s);
  const bool on = at < chara.m_vSwitch.size() && chara.m_vSwitch[at] != 0;
  const bool frame = at < chara.m_vSwitchFrame.size() && chara.m_vSwitchFrame[at] != 0;
  return on || frame;
}

}  // namespace

void cCharaBase::FireTrigger(std::int8_t nKind) { FireTriggerEx(nKind, nullptr, 0); }

void cCharaBase::FireTriggerEx(std::int8_t nKind, cCharaBase* pOther, std::int8_t nGroup) {
  cSceneGame* pScene = GameScene();
  if (pScene == nullptr) return;
  // A trigger fired from inside a running command (a hit it dealt, say) leaves the
  // running flow's context as it found it; fired between flow steps it leaves the context
  // empty.
  cFlowContextSave saved(*pScene);
  pScene->m_pFlowChara = this;
  const eLatch latch = CurrentLatchMode();
  for (std::size_t i = 0; i < m_vFlowRun.size(); ++i) {
    cFlowRun& run = m_vFlowRun[i];
    const cFlow* pFlow = run.m_lpFlow;
    if (pFlow == nullptr || pFlow->m_nTrigger != nKind) continue;
    if (latch == eLatch::Early) {
      if (run.m_bFiredThisFrame != 0) continue;
      run.m_bFiredThisFrame = 1;
    }
    if (run.m_bRunning != 0 || run.m_bPaused != 0 || run.m_bStopForever != 0 || run.m_bStartedThisFrame != 0) continue;
    if (nKind == FLOWTRIG_ALWAYS && pFlow->m_nSwitch != 0 && IsSwitchRaised(*this, pFlow->m_nSwitch)) continue;
    if (nGroup >= 1 && pFlow->m_nID != nGroup) continue;
    if (latch == eLatch::Late) {
      if (run.m_bFiredThisFrame != 0) continue;
      run.m_bFiredThisFrame = 1;
    }
    if (pFlow->m_bTriggerTarget != 0 && pOther != nullptr) {
      const std::int32_t nSlot = pFlow->m_nTriggerSlot;
      cCharaBase* pSaved =
          (nSlot >= 0 && nSlot < kTargetSlots && static_cast<std::size_t>(nSlot) < m_vTarget.size())
              ? m_vTarget[static_cast<std::size_t>(nSlot)]
              : nullptr;
      SetTarget(*this, nSlot, pOther, 1);
      if (!pScene->CheckFlowConds(&run, this) || !CheckKeyConds(this, &run)) {
        SetTarget(*this, nSlot, pSaved, 1);
        continue;
      }
    } else if (!pScene->CheckFlowConds(&run, this) || !CheckKeyConds(this, &run)) {
      continue;
    }
    const int nInput = m_nKind == 0 ? m_Def.m_nPlayerNo : 0;
    run.m_nStartKeySlot = GetFirstHeldKeySlot(CheckedAt(g_Input, nInput));
    run.Start();
  }
}

void cCharaBase::ResetTriggerLatches() {
  for (cFlowRun& run : m_vFlowRun) {
    run.m_bFiredThisFrame = 0;
    run.m_bStartedThisFrame = 0;
  }
  std::fill(m_vSwitchFrame.begin(), m_vSwitchFrame.end(), std::uint8_t{0});
}
