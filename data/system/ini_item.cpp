#include "data/system/ini_item.h"

cIniItem::cIniItem() {
  Register(g_nDataVersion);
  Reset();
}

void cIniItem::Reset() { cDataRecord::Reset(); }

void cIniItem::SetInt(const std::string& key, std::int32_t value) {
  m_strKey = key;
  m_nKind = INIKIND_INT;
  m_nValue = value;
}

void cIniItem::SetText(const std::string& key, const std::string& text) {
  m_strKey = key;
  m_nKind = INIKIND_TEXT;
  m_strValue = text;
}

void cIniItem::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(&m_nValue);
  AddString(&m_strKey);
  AddString(&m_strValue);
}
