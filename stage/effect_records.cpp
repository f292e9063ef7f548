// Prepared effect records: see effect_records.h.
#include "stage/effect_records.h"

#include "app/checked_access.h"
#include "data/database/database.h"

void PrepareScrEffect(cScrEffect& record, int nIndex, int nDirection) {
  record.m_nId = nIndex;
  record.m_pData = &CheckedAt(g_Database.m_ScrEffectWork, nIndex);
  record.m_bReverse = nDirection != 0 ? 1 : 0;
}
