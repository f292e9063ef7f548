#include "data/worldmap/map_chip.h"

cMapChip::cMapChip() {
  Register(g_nDataVersion);
  Reset();
}

void cMapChip::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_nChipValue);
  AddMember(&m_bBlocked);
  AddMember(&m_nChipGraphic);
  AddString(&m_strChipText);
  AddString(&m_strChipName);
}
