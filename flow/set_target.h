#pragma once
// Puts an object into a target slot of a character with the back-link that keeps the
// link consistent when either side goes.
#include <cstdint>

class cCharaBase;

// Slot 0-3 of `subject` := `object`. Without `replace` a null object changes nothing;
// otherwise the slot's old object loses its back-link first, and a null object leaves the
// slot empty. A slot number outside 0-3 changes nothing.
void SetTarget(cCharaBase& subject, std::int32_t nSlot, cCharaBase* pObject, std::int32_t bReplace);
