#include "data/database/file_entry_data.h"

#include "data/common/record_versions.h"

void cFileEntryData::Reset() { cDataRecord::Reset(); }

void cFileEntryData::RegisterMembers(int version) {
  ClearMembers();
  if (static_cast<unsigned>(version) >= 151) AddMember(&m_nSetting);
  AddString(&m_strName);
  AddString(&m_strFile);
}

void cFileEntryData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (FileBelow(153)) m_nSetting = 0;
}
