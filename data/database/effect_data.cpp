#include "data/database/effect_data.h"

#include "data/common/record_versions.h"
#include "data/database/record_list_io.h"
#include "data/record/data_lists.h"

static_assert(cEffectData::kMinBodyBytes == MinRecordBodyBytes(1));

cEffectFrame::cEffectFrame() {
  Register(g_nDataVersion);
  Reset();
}

void cEffectFrame::Reset() {
  cDataRecord::Reset();
  m_nTime = 1;
}

void cEffectFrame::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nPattern);
  AddMember(&m_nTime);
}

cEffectData::cEffectData() {
  Register(g_nDataVersion);
  Reset();
}

void cEffectData::Reset() {
  cDataRecord::Reset();
  m_nWidth = 32;
  m_nHeight = 32;
  m_vFrame.assign(1, cEffectFrame());
}

void cEffectData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  if (v >= 151) AddMember(&m_nSetting);
  AddMember(&m_nWidth);
  AddMember(&m_nHeight);
  AddMember(&m_bCharaScale);
  AddString(&m_strName);
  AddString(&m_strFile);
}

void cEffectData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vFrame, in, cEffectFrame::kMinBodyBytes);
  if (FileBelow(153)) m_nSetting = 0;
}

void cEffectData::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vFrame, out);
}
