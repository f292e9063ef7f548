#include "data/database/scr_effect_data.h"

#include "data/database/effect_kind_tables.h"

cScrEffectData::cScrEffectData() {
  Register(g_nDataVersion);
  Reset();
}

void cScrEffectData::Read(cDataReader& in) { ReadFilling511Params(in, g_ScrEffectParam, 6); }
