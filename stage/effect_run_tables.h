#pragma once
// Prepared character- and screen-effect records, one per database entry and direction,
// built once at start-up; the effect runtimes start an effect by copying one of them.
#include <vector>

#include "stage/effect_records.h"

extern std::vector<cCharaEffect> g_CharaEffectFwd;
extern std::vector<cCharaEffect> g_CharaEffectRev;
extern std::vector<cScrEffect> g_ScrEffectFwd;
extern std::vector<cScrEffect> g_ScrEffectRev;

// Both tables become as long as g_Database.m_CharaEffect; element i is prepared from
// entry i of the working copy m_CharaEffectWork, forward (direction 0) and in reverse
// (direction 1). The working copies must have been made first.
void BuildCharaEffectTables(std::vector<cCharaEffect>& forward, std::vector<cCharaEffect>& reverse);
// The same for the screen effects (m_ScrEffect, m_ScrEffectWork).
void BuildScrEffectTables(std::vector<cScrEffect>& forward, std::vector<cScrEffect>& reverse);
