#pragma once
// STAND-IN for stage play's prepared effect records, until stage play exists. Stage play
// owns cCharaEffect and cScrEffect (the effect runtimes, whose prepared records have their
// layout) and PrepareCharaEffect / PrepareScrEffect; when it lands, this file and its .cpp
// go and effect_run_tables.h includes stage play's header instead. The stand-in records
// only which entry, and which direction, a prepared record stands for.
#include <cstdint>

class cCharaEffectData;
class cScrEffectData;

class cCharaEffect {
 public:
  std::int32_t m_nId = 0;                      // entry of the CharaEffect database
  const cCharaEffectData* m_pData = nullptr;   // the entry in g_Database.m_CharaEffectWork
  std::int32_t m_bReverse = 0;                 // prepared for running in reverse
};

class cScrEffect {
 public:
  std::int32_t m_nId = 0;                   // entry of the ScrEffect database
  const cScrEffectData* m_pData = nullptr;  // the entry in g_Database.m_ScrEffectWork
  std::int32_t m_bReverse = 0;              // prepared for running in reverse
};

// Fills `record` from entry nIndex of the working list, for direction 0 (forward) or 1
// (reverse).
void PrepareCharaEffect(cCharaEffect& record, int nIndex, int nDirection);
void PrepareScrEffect(cScrEffect& record, int nIndex, int nDirection);
