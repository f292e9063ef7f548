#include "data/system/sys_status_item.h"

#include "data/common/record_versions.h"

cSysStatusItem::cSysStatusItem() {
  Register(g_nDataVersion);
  Reset();
}

void cSysStatusItem::Reset() { cDataRecord::Reset(); }

void cSysStatusItem::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (FileBelow(204)) m_bShowNumber = 1;
}

void cSysStatusItem::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  AddMember(&m_bShow);
  AddMember(&m_bIcon);
  AddMember(&m_nDigits);
  if (v >= 204u) AddMember(&m_bShowNumber);
  if (v >= 587u) AddMember(&m_nThreshold);
  if (v >= 587u) AddMember(&m_bPercent);
  AddString(&m_strLabel);
}
