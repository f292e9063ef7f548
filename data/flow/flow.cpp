#include "data/flow/flow.h"

#include "data/flow/flow_upgrades.h"
#include "data/common/record_versions.h"
#include "data/record/data_lists.h"

namespace {

constexpr std::uint32_t kTriggerTargetFrom = 762;
constexpr std::uint32_t kTriggerSlotFrom = 767;
constexpr std::uint32_t kMemoFrom = 676;

}  // namespace

cFlow::cFlow() {
  Register(g_nDataVersion);
  Reset();
}

void cFlow::Reset() {
  cDataRecord::Reset();
  m_vCond.clear();
  m_vKeyCond.clear();
  m_vCmd.clear();
  m_nKeyWindow = kDefaultKeyWindow;
}

void cFlow::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_nID);
  AddMember(&m_nSwitch);
  AddMember(&m_bTestOnly);
  AddMember(&m_nCondMode);
  AddMember(&m_bCondLatch);
  AddMember(&m_nTrigger);
  if (VersionAtLeast(version, kTriggerTargetFrom)) AddMember(&m_bTriggerTarget);
  if (VersionAtLeast(version, kTriggerSlotFrom)) AddMember(&m_nTriggerSlot);
  AddMember(&m_nKeyWindow);
  AddMember(&m_bKeyRepeat);
  if (VersionAtLeast(version, kMemoFrom)) AddString(&m_sMemo);
}

void cFlow::Read(cDataReader& in) {
  // Flows hold commands which hold flows: see cFlowCmd::Read.
  cNestingGuard guard(in);
  if (!guard.ok()) return;
  cDataRecord::Read(in);
  ReadCondVector(m_vCond, in);
  ReadKeyCondVector(m_vKeyCond, in);
  ReadFlowCmdVector(m_vCmd, in);
  ConvertOldFlow(*this, g_nFileVersion);
  // The player never holds a memo.
  m_sMemo.clear();
  // Every command normalised itself as it was read (its flows too), and the conversions
  // of the flow touch no command: only a command whose reading damaged data cut short
  // is left to normalise.
  if (in.Damaged()) Normalize();
}

void cFlow::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteCondVector(m_vCond, out);
  WriteKeyCondVector(m_vKeyCond, out);
  WriteFlowCmdVector(m_vCmd, out);
}

void cFlow::Normalize() {
  for (cFlowCmd& cmd : m_vCmd) cmd.Normalize();
}

void cFlow::Normalize2() {
  for (cFlowCmd& cmd : m_vCmd) cmd.Normalize2();
}

void ReadFlowVector(std::vector<cFlow>& list, cDataReader& in) { LoadVector(list, in); }

void WriteFlowVector(std::vector<cFlow>& list, cDataWriter& out) { SaveVector(list, out); }

void AssignFlowList(std::vector<cFlow>& target, const std::vector<cFlow>& source) {
  if (&target != &source) target = source;
}
