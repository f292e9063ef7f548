#include "data/stage/stage_string.h"

cStageString::cStageString() {
  Register(g_nDataVersion);
  Reset();
}

void cStageString::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddString(&m_strText);
}

void AssignStageStringList(std::vector<cStageString>& destination, const std::vector<cStageString>& source) {
  if (&destination != &source) destination = source;
}
