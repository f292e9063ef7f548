#include "data/system/cmd_item.h"

cCmdItem::cCmdItem() {
  Register(g_nDataVersion);
  Reset();
}

void cCmdItem::Reset() {
  cDataRecord::Reset();
  m_bEnabled = 1;
}

void cCmdItem::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bEnabled);
  AddString(&m_strLabel);
}
