#include "data/worldmap/world.h"

#include "data/record/data_lists.h"

cWorld::cWorld() {
  Register(g_nDataVersion);
  Reset();
}

void cWorld::Reset() {
  cDataRecord::Reset();
  if (m_vStage.empty())
    m_vStage.emplace_back();
  else
    m_vStage.resize(1);
}

void cWorld::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nWorldX);
  AddMember(&m_nWorldY);
  AddString(&m_strWorldName);
}

void cWorld::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vStage, in);
}

void cWorld::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vStage, out);
}
