#include "data/flow/key_condition.h"

#include "data/record/data_lists.h"

cKeyCond::cKeyCond() {
  Register(g_nDataVersion);
  Reset();
}

void cKeyCond::Reset() {
  cDataRecord::Reset();
  m_vKey.assign(kKeyCondSlotCount, KEYSLOT_IGNORED);
}

void cKeyCond::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bFacingRelative);
  AddMember(&m_nHoldMin);
  AddMember(&m_nHoldMax);
  AddMember(&m_bAnyHold);
  AddMember(&m_nKeyMatch);
}

void cKeyCond::Read(cDataReader& in) {
  cDataRecord::Read(in);
  ReadByteVector(m_vKey, in);
}

void cKeyCond::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  WriteByteVector(m_vKey, out);
}

void ReadKeyCondVector(std::vector<cKeyCond>& list, cDataReader& in) { LoadVector(list, in); }

void WriteKeyCondVector(std::vector<cKeyCond>& list, cDataWriter& out) { SaveVector(list, out); }

void AssignKeyCondList(std::vector<cKeyCond>& target, const std::vector<cKeyCond>& source) {
  if (&target != &source) target = source;
}
