#include "data/database/bmp_chara_exc_data.h"

#include "data/common/record_versions.h"

cBmpCharaExcData::cBmpCharaExcData() {
  Register(g_nDataVersion);
  Reset();
}

void cBmpCharaExcData::Reset() { cDataRecord::Reset(); }

void cBmpCharaExcData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  if (v >= 152) AddMember(&m_nSetting);
  if (v >= 172) {
    AddMember(&m_bLarge);
    AddMember(&m_nLargeFactor);
  }
  AddString(&m_strName);
  AddString(&m_strFile);
}

void cBmpCharaExcData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (FileBelow(153)) m_nSetting = 0;
}
