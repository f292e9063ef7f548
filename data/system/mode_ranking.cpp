#include "data/system/mode_ranking.h"

#include "data/record/data_lists.h"

cModeRanking::cModeRanking() {
  Register(g_nDataVersion);
  Reset();
}

void cModeRanking::Reset() {
  cDataRecord::Reset();
  m_ResultOn.assign(RANKRESULT_COUNT, 0);
}

void cModeRanking::Read(cDataReader& in) {
  cDataRecord::Read(in);
  ReadByteVector(m_ResultOn, in);
}

void cModeRanking::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  WriteByteVector(m_ResultOn, out);
}

void cModeRanking::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bRankingOn);
}
