#include "data/save/carry_over.h"

cCarryOver::cCarryOver() {
  Register(g_nDataVersion);
  Reset();
}

void cCarryOver::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nExtra1);
  AddMember(&m_nExtra2);
  AddMember(&m_nStageTime);
  AddMember(&m_nLivesCarry);
  AddMember(&m_nBgmCarry);
}

void cCarryOver::Read(cDataReader& in) {
  cDataRecord::Read(in);
  m_Chara.Read(in);
}

void cCarryOver::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  m_Chara.Write(out);
}
