#pragma once
// The hit effect of a damaging hit: an Effect database animation between the victim's and
// the attacker's hit areas, at the attacker's size.
#include <cstdint>

class cHitArea;

// Shows Effect entry nId for a hit of `attacker` on `victim`; nothing for entry 0.
void AddHitEffect(std::int16_t nId, const cHitArea& victim, const cHitArea& attacker, std::int32_t nScale);
