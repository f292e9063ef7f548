#include "data/database/chara_effect_data.h"

#include "data/database/effect_kind_tables.h"

namespace {

std::int16_t DefaultOf(int kind, int slot) {
  return g_CharaEffectParam[kind * EFFECT_PARAM_SLOTS + slot].m_nDefault;
}

}  // namespace

cCharaEffectData::cCharaEffectData() {
  Register(g_nDataVersion);
  Reset();
}

void cCharaEffectData::Reset() { cDataRecord::Reset(); }

void cCharaEffectData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(m_nParam, 5);
  AddString(&m_strName);
}

void cCharaEffectData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (static_cast<unsigned>(g_nFileVersion) < 511) {
    switch (m_nKind) {
      case 4:  // waves
      case 5:
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
