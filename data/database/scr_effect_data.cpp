#include "data/database/scr_effect_data.h"

#include "data/database/effect_kind_tables.h"

namespace {

std::int16_t DefaultOf(int kind, int slot) {
  return g_ScrEffectParam[kind * EFFECT_PARAM_SLOTS + slot].m_nDefault;
}

}  // namespace

cScrEffectData::cScrEffectData() {
  Register(g_nDataVersion);
  Reset();
}

void cScrEffectData::Reset() { cDataRecord::Reset(); }

void cScrEffectData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(m_nParam, 5);
  AddString(&m_strName);
}

void cScrEffectData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (static_cast<unsigned>(g_nFileVersion) < 511) {
    switch (m_nKind) {
      case 6:  // waves
      case 7:
        m_nParam[4] = DefaultOf(m_nKind, 4);
        break;
      case 10:  // circle
        m_nParam[3] = DefaultOf(10, 3);
        break;
      default:
        break;
    }
  }
}
