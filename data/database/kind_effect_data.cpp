#include "data/database/kind_effect_data.h"

#include "data/common/record_versions.h"
#include "data/database/effect_kind_tables.h"

namespace {

constexpr int kCircleKind = 10;

}  // namespace

void cKindEffectData::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(m_nParam, 5);
  AddString(&m_strName);
}

void cKindEffectData::ReadFilling511Params(cDataReader& in, const EFFECTPARAM* params, int waveKind) {
  cDataRecord::Read(in);
  if (!FileBelow(511)) return;
  const auto defaultOf = [params](int kind, int slot) {
    return params[kind * EFFECT_PARAM_SLOTS + slot].m_nDefault;
  };
  if (m_nKind == waveKind || m_nKind == waveKind + 1)
    m_nParam[4] = defaultOf(m_nKind, 4);
  else if (m_nKind == kCircleKind)
    m_nParam[3] = defaultOf(kCircleKind, 3);
}
