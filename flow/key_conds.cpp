#include "flow/key_conds.h"

#include "app/checked_access.h"
#include "data/flow/flow.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "flow/key_sequence.h"
#include "media/input/input.h"
#include "objects/chara_base.h"

int CheckKeyConds(cCharaBase* pChara, cFlowRun* run) {
  if (run == nullptr || run->m_lpFlow == nullptr || run->m_vKeyCond.empty()) return 1;
  const cFlow& flow = *run->m_lpFlow;
  // Key sequences are always player 1's, whatever character owns the flow.
  const cInput& input = CheckedAt(g_Input, 0);
  const bool facingLeft = pChara != nullptr && pChara->m_nFacing == 0;
  const bool legacy = g_SystemData.m_bRuleKeySeq669 != 0;
  if (flow.m_bKeyRepeat != 0) {
    const int r = MatchKeySequenceOn(run->m_vKeyCond, flow.m_nKeyWindow, true, run->m_bKeyHeldMatch != 0, input,
                                     facingLeft, legacy);
    run->m_bKeyHeldMatch = r;
    return r;
  }
  run->m_bKeyHeldMatch = 0;
  const int r = MatchKeySequenceOn(run->m_vKeyCond, flow.m_nKeyWindow, false, false, input, facingLeft, legacy);
  if (r == 0) {
    run->m_bKeyPrevTrue = 0;
    return 0;
  }
  if (run->m_bKeyPrevTrue == 0) {
    run->m_bKeyPrevTrue = 1;
    return 1;
  }
  // Still held: other always-flows of the same switch stay blocked as if this one ran.
  const int s = flow.m_nSwitch;
  if (flow.m_nTrigger == FLOWTRIG_ALWAYS && pChara != nullptr && s >= 1 && s < kFlowSwitchTableSize &&
      static_cast<std::size_t>(s) < pChara->m_vSwitch.size() && static_cast<std::size_t>(s) < pChara->m_vSwitchClear.size()) {
    pChara->m_vSwitch[static_cast<std::size_t>(s)] = 1;
    pChara->m_vSwitchClear[static_cast<std::size_t>(s)] = 1;
    pChara->m_bSwitchClearPending = 1;
  }
  return 0;
}
