#include "data/flow/flow_command.h"

#include <utility>

#include "data/flow/flow.h"
#include "data/flow/flow_normalization.h"
#include "data/flow/flow_upgrades.h"
#include "data/common/record_versions.h"
#include "data/flow/test_flows_kept.h"
#include "data/record/data_lists.h"

namespace {

// The condition block follows the shot block from this version on.
constexpr std::uint32_t kCondBlockFrom = 764;
// The reference count that a block holder allocates with each block.
constexpr std::size_t kHolderCountBytes = 24;

// A flag, then the block when the flag is not 0: the holder gets a new block of its own
// with the class defaults, which the block's reader then fills.
template <typename Holder>
void ReadBlock(Holder& holder, void (*create)(Holder&), cDataReader& in) {
  holder.reset();
  if (in.ReadInt32() == 0) return;
  // The block, and the count that the holder keeps beside it.
  if (!in.Spend(sizeof(typename Holder::element_type) + kHolderCountBytes + 2 * kHeapBlockOverhead)) return;
  create(holder);
  holder->Read(in);
}

template <typename Holder>
void WriteBlock(const Holder& holder, cDataWriter& out) {
  out.WriteInt32(holder ? 1 : 0);
  if (holder) holder->Write(out);
}

}  // namespace

cFlowCmd::cFlowCmd() {
  Register(g_nDataVersion);
  Reset();
}

cFlowCmd::cFlowCmd(const cFlowCmd& source) : cDataRecord(source) { CopyMembersFrom(source); }

cFlowCmd& cFlowCmd::operator=(const cFlowCmd& source) {
  if (this == &source) return *this;
  cDataRecord::operator=(source);
  CopyMembersFrom(source);
  return *this;
}

cFlowCmd::cFlowCmd(cFlowCmd&& source) noexcept = default;
cFlowCmd& cFlowCmd::operator=(cFlowCmd&& source) noexcept = default;
cFlowCmd::~cFlowCmd() = default;

void cFlowCmd::CopyMembersFrom(const cFlowCmd& source) {
  m_bItemCmd = source.m_bItemCmd;
  m_nKind = source.m_nKind;
  m_vParam = source.m_vParam;
  m_sText = source.m_sText;
  cEdMove::CopyFrom(m_pMove, source.m_pMove);
  cEdShot::CopyFrom(m_pShot, source.m_pShot);
  cCondList::CopyFrom(m_pCond, source.m_pCond);
  m_nTime = source.m_nTime;
  m_nTimeStep = source.m_nTimeStep;
  m_bNoWait = source.m_bNoWait;
  m_nSound = source.m_nSound;
  m_bSoundCond = source.m_bSoundCond;
  m_nAnime = source.m_nAnime;
  m_vFlow = source.m_vFlow;
}

void cFlowCmd::Reset() {
  cDataRecord::Reset();
  m_pMove.reset();
  m_pShot.reset();
  m_pCond.reset();
  m_vFlow.clear();
  m_vParam.clear();
  m_bSoundCond = 1;
}

void cFlowCmd::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bItemCmd);
  AddMember(&m_nKind);
  AddMember(&m_nTime);
  AddMember(&m_nTimeStep);
  AddMember(&m_bNoWait);
  AddMember(&m_nSound);
  AddMember(&m_bSoundCond);
  AddMember(&m_nAnime);
  AddString(&m_sText);
}

void cFlowCmd::Read(cDataReader& in) {
  // Commands hold flows which hold commands: data nested deeper than any real flow is
  // damaged, and reading it would only exhaust the stack.
  cNestingGuard guard(in);
  if (!guard.ok()) return;
  cDataRecord::Read(in);
  ReadBlock(m_pMove, &CreateEdMove, in);
  ReadBlock(m_pShot, &CreateEdShot, in);
  if (VersionAtLeast(g_nFileVersion, kCondBlockFrom)) ReadBlock(m_pCond, &CreateCondList, in);
  ReadFlowVector(m_vFlow, in);
  ReadIntVector(m_vParam, in);
  ConvertOldFlowCmd(*this, g_nFileVersion);
  if (!TestFlowsKept()) RemoveTestFlows(m_vFlow);
  Normalize();
}

void cFlowCmd::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteBlock(m_pMove, out);
  WriteBlock(m_pShot, out);
  WriteBlock(m_pCond, out);
  WriteFlowVector(m_vFlow, out);
  WriteIntVector(m_vParam, out);
}

void cFlowCmd::Normalize() {
  NormalizeCmdDatabaseRefs(*this);
  for (cFlow& flow : m_vFlow) flow.Normalize();
}

void cFlowCmd::Normalize2() {
  NormalizeCmdPaletteRefs(*this);
  for (cFlow& flow : m_vFlow) flow.Normalize2();
}

void ReadFlowCmdVector(std::vector<cFlowCmd>& list, cDataReader& in) { LoadVector(list, in); }

void WriteFlowCmdVector(std::vector<cFlowCmd>& list, cDataWriter& out) { SaveVector(list, out); }

void AssignFlowCmdList(std::vector<cFlowCmd>& target, const std::vector<cFlowCmd>& source) {
  if (&target != &source) target = source;
}
