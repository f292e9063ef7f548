#pragma once
// The story save slots as the slot list shows them: whether each slot is used and when
// it was saved. The front end fills the list from the slot files; a save refreshes the
// entry of its slot.
#include <cstdint>
#include <string>
#include <vector>

#include "app/path_table.h"
#include "data/record/data_record.h"
#include "platform/win_types.h"

class cProgress;

constexpr int kStorySlotCount = 99;

// The save files of the player, from the path table.
inline const char* const& kStoryFilePrefix = g_PathTable[PATH_STORY_SLOT_PREFIX];
inline const char* const& kChallengeFilePath = g_PathTable[PATH_CHALLENGE_PROGRESS];

// Registers the used flag alone.
class cSlotInfo : public cDataRecord {
 public:
  cSlotInfo();
  // Marks the slot used, saved at the progress record's save time.
  void SetTime(const cProgress& progress);

  std::int32_t m_bUsed = 0;
  SYSTEMTIME m_SaveTime{};

 protected:
  void RegisterMembers(int version) override;
};

extern std::vector<cSlotInfo> g_SlotList;  // kStorySlotCount entries

// Writes the file name of story slot `nSlot` (0 gives user_data\story\Story01.dat) into
// `out`, a buffer of MAX_PATH characters.
void GetStoryFileName(char* out, int nSlot);
