#include "data/save/value_pair.h"

cValuePair::cValuePair() {
  Register(g_nDataVersion);
  Reset();
}

void cValuePair::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bCleared);
  AddMember(&m_nHigh);
}
