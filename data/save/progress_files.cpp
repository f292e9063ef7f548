// The save files: story slots and the challenge file. A save goes through the safe save
// of the data files (a temporary file that replaces the old one only when complete), so
// a save that fails leaves the slot's previous file as it was, and the failure is
// reported to the caller.
#include <memory>

#include "app/checked_access.h"
#include "data/record/data_file.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "platform/win_time.h"

namespace {

// A slot outside the list is reported as a bad index (the program then closes in
// order); nothing is written to, or read from, a file of a slot that does not exist.
bool SlotExists(int nSlot) {
  if (nSlot >= 0 && nSlot < static_cast<int>(g_SlotList.size())) return true;
  ReportCheckedAccessFailure('V', nSlot, g_SlotList.size(), sizeof(cSlotInfo));
  return false;
}

}  // namespace

int cProgress::SaveSlot(int nSlot) {
  if (!SlotExists(nSlot)) return 0;
  cSlotInfo& slot = CheckedAt(g_SlotList, nSlot);
  char path[MAX_PATH];
  GetStoryFileName(path, nSlot);
  const SYSTEMTIME previous = m_SaveTime;
  GetLocalTime(&m_SaveTime);
  if (!SaveToFile(path)) {
    m_SaveTime = previous;
    return 0;
  }
  slot.SetTime(*this);
  return 1;
}

int cProgress::LoadProgressFile(const char* path) {
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(path);
  if (!in) return 0;
  Read(*in);
  if (in->Damaged()) {
    ReportDamagedFile(path, *in);
    return 0;
  }
  return 1;
}

int cProgress::LoadSlot(int nSlot) {
  if (!SlotExists(nSlot)) return 0;
  char path[MAX_PATH];
  GetStoryFileName(path, nSlot);
  if (!LoadProgressFile(path)) return 0;
  ApplyLivesRule(PLAYMODE_STORY);
  return 1;
}

int cProgress::LoadChallenge() {
  if (!LoadProgressFile(kChallengeFilePath)) return 0;
  ApplyLivesRule(PLAYMODE_CHALLENGE);
  return 1;
}

void cProgress::ApplyLivesRule(int nPlayMode) {
  if (CheckedAt(g_SystemData.m_bInfiniteLives, nPlayMode) == 1) {
    m_nLivesAtStart = m_nLives = kInfiniteLives;
  } else if (m_nLives == kInfiniteLives) {
    m_nLives = CheckedAt(g_SystemData.m_Lives, nPlayMode);
  }
}
