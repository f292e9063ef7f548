#include "data/database/chara_effect_data.h"

#include "data/database/effect_kind_tables.h"

cCharaEffectData::cCharaEffectData() {
  Register(g_nDataVersion);
  Reset();
}

void cCharaEffectData::Read(cDataReader& in) { ReadFilling511Params(in, g_CharaEffectParam, 4); }
