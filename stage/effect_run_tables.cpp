#include "stage/effect_run_tables.h"

#include <cstddef>

#include "data/database/database.h"

std::vector<cCharaEffect> g_CharaEffectFwd;
std::vector<cCharaEffect> g_CharaEffectRev;
std::vector<cScrEffect> g_ScrEffectFwd;
std::vector<cScrEffect> g_ScrEffectRev;

void BuildCharaEffectTables(std::vector<cCharaEffect>& forward, std::vector<cCharaEffect>& reverse) {
  const std::size_t count = g_Database.m_CharaEffect.size();
  forward.assign(count, cCharaEffect());
  reverse.assign(count, cCharaEffect());
  for (std::size_t i = 0; i < count; ++i) {
    PrepareCharaEffect(forward[i], static_cast<int>(i), 0);
    PrepareCharaEffect(reverse[i], static_cast<int>(i), 1);
  }
}

void BuildScrEffectTables(std::vector<cScrEffect>& forward, std::vector<cScrEffect>& reverse) {
  const std::size_t count = g_Database.m_ScrEffect.size();
  forward.assign(count, cScrEffect());
  reverse.assign(count, cScrEffect());
  for (std::size_t i = 0; i < count; ++i) {
    PrepareScrEffect(forward[i], static_cast<int>(i), 0);
    PrepareScrEffect(reverse[i], static_cast<int>(i), 1);
  }
}
