#include "data/database/sword_type_data.h"

#include "data/common/record_versions.h"
#include "data/database/record_list_io.h"
#include "data/record/data_lists.h"

static_assert(cSwordTypeData::kMinBodyBytes == MinRecordBodyBytes(1));

cSwordFrame::cSwordFrame() {
  Register(g_nDataVersion);
  Reset();
}

void cSwordFrame::Reset() {
  cDataRecord::Reset();
  m_bMirrorX = 1;
}

void cSwordFrame::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  AddMember(&m_nOffsetX);
  AddMember(&m_nOffsetY);
  if (v >= 138) {
    AddMember(&m_bMirrorX);
    AddMember(&m_bMirrorY);
  }
  AddMember(&m_nSide);
  AddMember(&m_nSrcX);
  AddMember(&m_nSrcY);
  AddMember(&m_nWidth);
  AddMember(&m_nHeight);
  AddMember(&m_nTime);
}

cSwordTypeData::cSwordTypeData() {
  Register(g_nDataVersion);
  Reset();
}

void cSwordTypeData::Reset() {
  cDataRecord::Reset();
  m_vFrame.assign(1, cSwordFrame());
  m_vFrame[0].m_nTime = 1;
}

void cSwordTypeData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  if (v >= 151) AddMember(&m_nSetting);
  AddString(&m_strName);
  AddString(&m_strFile);
  AddString(&m_strFile2);
}

void cSwordTypeData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  LoadVector(m_vFrame, in, cSwordFrame::kMinBodyBytes);
  if (FileBelow(153)) m_nSetting = 0;
}

void cSwordTypeData::Write(cDataWriter& out) {
  cDataRecord::Write(out);
  SaveVector(m_vFrame, out);
}
