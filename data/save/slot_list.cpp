#include "data/save/slot_list.h"

#include <cstdio>

#include "data/save/progress.h"

std::vector<cSlotInfo> g_SlotList(kStorySlotCount);

cSlotInfo::cSlotInfo() {
  Register(g_nDataVersion);
  Reset();
}

void cSlotInfo::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
  AddMember(&m_bUsed);
}

void cSlotInfo::SetTime(const cProgress& progress) {
  m_bUsed = 1;
  m_SaveTime = progress.m_SaveTime;
}

void GetStoryFileName(char* out, int nSlot) {
  std::snprintf(out, MAX_PATH, "%s%02d.dat", kStoryFilePrefix, nSlot + 1);
}
