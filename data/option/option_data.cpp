#include "data/option/option_data.h"

#include <utility>

cOptionData g_OptionData;

cOptionData::cOptionData() {
  Register(g_nDataVersion);
  Reset();
  m_bBgm = 1;
  m_nSeLevel = 7;
  m_strRankName = "aaa";
}

void cOptionData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nPaletteVariant);
  AddMember(&m_bBgm);
  AddMember(&m_nSeLevel);
  AddMember(&m_nRankRegMode);
  AddString(&m_strRankName);
}

void cOptionData::Read(cDataReader& in) {
  // A damaged file must not leave some settings from it and some from before.
  cOptionData staged(*this);
  staged.cDataRecord::Read(in);
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_BODY_CUT_SHORT);
  if (in.Damaged()) return;
  *this = std::move(staged);
}
