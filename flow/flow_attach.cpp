// Attaching flows to a character: its own copies of the flows with loops unrolled, one run
// record per flow, command durations and preparation, and the animation timeline; and the
// operations that keep the run list parallel to the flow list.
#include <algorithm>
#include <climits>

#include "app/checked_access.h"
#include "data/database/database.h"
#include "data/flow/command_loops.h"
#include "data/flow/flow.h"
#include "flow/cmd_prepare.h"
#include "flow/cmd_table.h"
#include "flow/flow_anime_timeline.h"
#include "flow/flow_overlays.h"
#include "flow/flow_run.h"
#include "objects/chara_base.h"

namespace {

// Builds the command runs of one run from its flow.
void BuildCmdRuns(cFlowRun& run, cFlow& flow, cCharaBase& chara) {
  const std::int32_t nCopy = chara.m_nCopyIndex;
  const double n = static_cast<double>(FlowSubSteps());
  run.m_vCmdRun.assign(flow.m_vCmd.size(), cFlowCmdRun{});
  for (std::size_t k = 0; k < flow.m_vCmd.size(); ++k) {
    cFlowCmd& cmd = flow.m_vCmd[k];
    cFlowCmdRun& cmdRun = run.m_vCmdRun[k];
    cmdRun.m_lpCmd = &cmd;
    cmdRun.m_nDuration = CmdDurationSteps(cmd.m_nTime, cmd.m_nTimeStep, nCopy);
    if (cmd.m_pMove) {
      const cEdMove& m = *cmd.m_pMove;
      cmdRun.m_dSpeed = static_cast<double>(m.m_nSpeedStep * nCopy + m.m_nSpeed) * 0.1 / n;
      if (m.m_bInertia != 0) cmdRun.m_dSpeed2 = static_cast<double>(m.m_nAccel) * 0.1 / n;
      cmdRun.m_nDir = m.m_nDir;
    }
    if (const FlowCmdPreparer prepare = FindCmdPreparer(cmd.m_nKind)) prepare(&cmdRun, &chara);
  }
}

}  // namespace

std::int32_t cCharaBase::SetFlows(std::vector<cFlow>& flows, std::int32_t bInsert, std::int32_t nPos) {
  for (cFlow& flow : flows) ExpandCmdLoops(flow.m_vCmd);
  const auto nGiven = static_cast<std::int32_t>(flows.size());

  std::vector<cFlow>* pList = &flows;
  std::size_t base = 0;
  if (bInsert == 0) {
    m_vFlowRun.clear();
    m_vFlowRun.resize(flows.size());
  } else {
    // The given flows may be a list the character itself holds; copy them first.
    const std::vector<cFlow> copies = flows;
    std::vector<cFlow>& own = m_Def.m_vFlow.Edit();
    const auto nOwn = static_cast<std::int32_t>(own.size());
    base = (nPos >= 0 && nPos < nOwn) ? static_cast<std::size_t>(nPos) : m_vFlowRun.size();
    base = std::min(base, own.size());
    own.insert(own.begin() + static_cast<std::ptrdiff_t>(base), copies.begin(), copies.end());
    m_vFlowRun.insert(m_vFlowRun.begin() + static_cast<std::ptrdiff_t>(std::min(base, m_vFlowRun.size())),
                      copies.size(), cFlowRun{});
    pList = &own;
  }

  for (std::size_t j = 0; j < flows.size(); ++j) {
    const std::size_t at = base + j;
    if (at >= m_vFlowRun.size() || at >= pList->size()) break;
    cFlowRun& run = m_vFlowRun[at];
    cFlow& flow = (*pList)[at];
    run.m_nFlowIndex = static_cast<std::int32_t>(at);
    run.m_lpFlow = &flow;
    run.m_pOwner = this;
    run.m_nFlowKey = m_nNextFlowKey;
    m_nNextFlowKey = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_nNextFlowKey) + 1U);
    run.m_vKeyCond.clear();
    for (cKeyCond& kc : flow.m_vKeyCond) run.m_vKeyCond.push_back(&kc);
    BuildCmdRuns(run, flow, *this);
    // A flow added during play does not fire on a key combination already held.
    if (bInsert != 0) run.m_bKeyPrevTrue = flow.m_bKeyRepeat == 0 ? 1 : 0;
  }
  if (bInsert != 0) RelinkFlowRuns();

  if (flows.empty()) return 0;
  for (std::size_t j = 0; j < flows.size(); ++j) {
    if (base + j < m_vFlowRun.size()) BuildAnimeTimeline(m_vFlowRun[base + j]);
  }
  return nGiven;
}

void cCharaBase::RelinkFlowRuns() {
  std::vector<cFlow>& flows = m_Def.m_vFlow.Edit();
  // Damaged callers aside the lists have one length; a shorter flow list leaves the extra
  // runs without a flow rather than pointing past it.
  if (m_vFlowRun.size() > flows.size()) m_vFlowRun.resize(flows.size());
  for (std::size_t i = 0; i < m_vFlowRun.size(); ++i) {
    cFlowRun& run = m_vFlowRun[i];
    cFlow& flow = flows[i];
    run.m_nFlowIndex = static_cast<std::int32_t>(i);
    run.m_lpFlow = &flow;
    run.m_pOwner = this;
    run.m_vKeyCond.clear();
    for (cKeyCond& kc : flow.m_vKeyCond) run.m_vKeyCond.push_back(&kc);
    const std::size_t nCmds = std::min(run.m_vCmdRun.size(), flow.m_vCmd.size());
    for (std::size_t k = 0; k < nCmds; ++k) run.m_vCmdRun[k].m_lpCmd = &flow.m_vCmd[k];
    // Command runs without a command of their own would point at nothing.
    run.m_vCmdRun.resize(nCmds);
  }
}

void cCharaBase::AppendFlowRun(const std::vector<cFlowRun>& runs) {
  m_vFlowRun = runs;
  RelinkFlowRuns();
}

void cCharaBase::RemoveFlow(std::int32_t nIndex) {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_vFlowRun.size()) return;
  cFlowRun& run = m_vFlowRun[static_cast<std::size_t>(nIndex)];
  run.Stop(this);
  RemoveFlowAnimeOverlays(*this, run.m_nFlowKey);
  std::vector<cFlow>& flows = m_Def.m_vFlow.Edit();
  if (static_cast<std::size_t>(nIndex) < flows.size()) flows.erase(flows.begin() + nIndex);
  m_vFlowRun.erase(m_vFlowRun.begin() + nIndex);
  RelinkFlowRuns();
}

std::int32_t cCharaBase::RemoveFlowsByGroup(std::int8_t nGroup) {
  if (nGroup == 0) {
    for (cFlowRun& run : m_vFlowRun) run.Stop(this);
    m_Def.m_vFlow.Edit().clear();
    m_vFlowRun.clear();
    m_lstAnimeOverlay.clear();
    RelinkFlowRuns();
    return 0;
  }
  std::int32_t nFirst = -1;
  for (std::size_t i = 0; i < m_vFlowRun.size();) {
    const cFlow* pFlow = m_vFlowRun[i].m_lpFlow;
    if (pFlow != nullptr && pFlow->m_nID != 0 && pFlow->m_nID == nGroup) {
      if (nFirst < 0) nFirst = static_cast<std::int32_t>(i);
      RemoveFlow(static_cast<std::int32_t>(i));
    } else {
      ++i;
    }
  }
  return nFirst;
}
