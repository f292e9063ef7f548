#include "data/flow/condition.h"

#include "data/flow/flow_enumerations.h"
#include "data/common/record_versions.h"
#include "data/flow/param_block_holder.h"
#include "data/record/data_lists.h"

namespace {

// Adds `delta` to a signed byte, wrapping in 8 bits as the stored byte does.
inline void AddWrapped(std::int8_t& value, int delta) { value = static_cast<std::int8_t>(value + delta); }

// New records are copies of one prototype each: a copy shares the prototype's member
// table, so making one takes no lookup of the table.
const cCond& CondPrototype() {
  static const cCond prototype;
  return prototype;
}

const cCondList& CondListPrototype() {
  static const cCondList prototype;
  return prototype;
}

}  // namespace

// ---------------------------------------------------------------------------- cCond

cCond::cCond() {
  Register(g_nDataVersion);
  Reset();
}

void cCond::Reset() { cDataRecord::Reset(); }

void cCond::RegisterMembers(int version) {
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(&m_nValue);
  if (VersionAtLeast(version, 110)) {
    AddMember(&m_nRandMin);
    AddMember(&m_nRandMax);
    AddMember(&m_nSubject);
    AddMember(&m_nSelect);
    AddMember(&m_nLeftSrc);
    AddMember(&m_nLeftVarKind);
    AddMember(&m_nVarIndex);
    AddMember(&m_nRightSrc);
    AddMember(&m_nRightSubject);
    AddMember(&m_nRightSelect);
    AddMember(&m_nRightVarKind);
    AddMember(&m_nRightVarIndex);
  } else {
    // The old layout's two 16-bit values in the places of m_nSubject and m_nSelect.
    AddMember(&g_Scratch.an16[0]);
    AddMember(&g_Scratch.an16[1]);
  }
  AddMember(&m_nCmp);
  if (VersionAtLeast(version, 43)) AddMember(&m_bPercentOfMax);
  AddMember(&m_nShape);
}

void cCond::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (!FileBelow(811)) return;

  // All tests on signed bytes; additions wrap in 8 bits.
  // 1. Kinds 5 and 6 were inserted; the old kind 5 becomes COND_DISTANCE.
  if (FileBelow(160) && m_nKind >= 5) AddWrapped(m_nKind, 2);
  // 2.
  if (FileBelow(161) && m_nKind == COND_STATUS3 && m_nSelect == 2) m_nCmp = static_cast<std::int8_t>(m_nCmp ^ 1);
  // 3. and 4. A status was inserted (subject 2 is the system in the numbering below 767).
  const auto shiftStatus = [this](int bound) {
    if (m_nKind != COND_STATUS) return;
    if (m_nLeftSrc == 0 && m_nSubject != 2 && m_nSelect >= bound) AddWrapped(m_nSelect, 1);
    if (m_nRightSrc == 2 && m_nRightSubject != 2 && m_nRightSelect >= bound) AddWrapped(m_nRightSelect, 1);
  };
  if (FileBelow(168)) shiftStatus(10);
  if (FileBelow(203)) shiftStatus(5);
  // 5.
  if (FileBelow(210) && m_nKind == COND_STATUS2 && m_nSubject != 2 && m_nSelect >= 6) AddWrapped(m_nSelect, 1);
  // 6. to 8. Distance conditions.
  if (FileBelow(657) && m_nKind == COND_DISTANCE) m_nSubject = 0;
  if (FileBelow(745) && m_nKind == COND_DISTANCE) m_nLeftSrc = 0;
  if (FileBelow(746) && m_nKind == COND_DISTANCE) {
    m_nRightSrc = 1;
    m_nRightSubject = 1;
  }
  // 9. Targets 2 to 4 were inserted after target 1; the old system (2) becomes 5.
  if (FileBelow(767) && (m_nKind == COND_STATUS || m_nKind == COND_STATUS2)) {
    if (m_nSubject >= 2) AddWrapped(m_nSubject, 3);
    if (m_nRightSubject >= 2) AddWrapped(m_nRightSubject, 3);
  }
}

void cCond::Write(cDataWriter& out) { cDataRecord::Write(out); }

void ReadCondVector(std::vector<cCond>& list, cDataReader& in) {
  // The LoadVector steps, with the default element taken from the prototype.
  const std::int32_t n = in.ReadCount(kMinRecordBodyBytes);
  list.clear();
  if (n <= 0 || !SpendOnList<cCond>(in, n)) return;
  list.assign(static_cast<std::size_t>(n), CondPrototype());
  for (cCond& cond : list) {
    if (in.Damaged()) break;
    cond.Read(in);
  }
}

void WriteCondVector(std::vector<cCond>& list, cDataWriter& out) { SaveVector(list, out); }

// ------------------------------------------------------------------------ cCondList

cCondList::cCondList() {
  Register(g_nDataVersion);
  Reset();
}

void cCondList::Reset() {
  cDataRecord::Reset();
  m_vCond.clear();
}

void cCondList::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bEnabled);
  AddMember(&m_nMode);
}

void cCondList::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (!FileBelow(766)) ReadCondVector(m_vCond, in);
}

void cCondList::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  WriteCondVector(m_vCond, out);
}

void cCondList::CopyFrom(cCondListHolder& holder, const cCondListHolder& source) { CopyParamBlock(holder, source); }

void CreateCondList(cCondListHolder& holder) { CreateParamBlock(holder, CondListPrototype()); }
