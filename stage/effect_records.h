#pragma once
// The prepared records of the screen effect runtime (the character effect's are in
// objects/chara_effect.h), as far as the start-up
// tables need them: which entry, and which direction, a prepared record stands for. The
// effect runtimes of stage play fill in the rest of these classes when they are built.
#include <cstdint>

#include "objects/chara_effect.h"

class cScrEffectData;

class cScrEffect {
 public:
  std::int32_t m_nId = 0;                   // entry of the ScrEffect database
  const cScrEffectData* m_pData = nullptr;  // the entry in g_Database.m_ScrEffectWork
  std::int32_t m_bReverse = 0;              // prepared for running in reverse
};

// Fills `record` from entry nIndex of the working list, for direction 0 (forward) or 1
// (reverse). (PrepareCharaEffect: objects/chara_effect.h.)
void PrepareScrEffect(cScrEffect& record, int nIndex, int nDirection);
