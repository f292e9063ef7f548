#include "shell/game_requests.h"

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "data/database/database.h"
#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "media/sound/bgm.h"
#include "media/sound/sound.h"
#include "platform/message_queue.h"

namespace {

constexpr int kSceneBgmSlots = 4;  // title, world map, challenge, options
constexpr int kStageBgmSlot = 4;

// Registers the file of Bgm database entry `id` for `slot` and plays it there, or stops
// the music for id 0. An id past the database is reported (and the window asked to close)
// and taken as entry 0, the entry of no music. Returns the id used.
int PlayBgmEntry(int slot, int id, int loop) {
  const bool inRange = id >= 0 && static_cast<std::size_t>(id) < g_Database.m_Bgm.size();
  const cBgmData& entry = CheckedAt(g_Database.m_Bgm, id);
  if (!inRange) id = 0;
  g_Bgm.SetFile(slot, entry.m_strFile.c_str());
  if (id == 0)
    g_Bgm.Stop();
  else
    g_Bgm.Play(0, slot, loop, 1);
  return id;
}

}  // namespace

void PlaySE(int n) { SendMessageA(g_hWnd, WM_GAME_PLAYSE, static_cast<WPARAM>(n), 0); }

void PlayUserSE(int n) {
  // The number is a 16-bit database number: anything else names no entry.
  const int entry = static_cast<std::uint16_t>(n);
  if (entry == 0) return;
  PlaySE(entry + kSystemSoundCount - 1);
}

void OnPlaySE(WPARAM wParam) {
  // An entry past the table (a wParam beyond int included) is reported and plays entry 0.
  const int entry = wParam <= static_cast<WPARAM>(INT32_MAX) ? static_cast<int>(wParam) : -1;
  DSPlay(&CheckedAt(g_Sound, entry), 0);
}

void OnPlayBgm(WPARAM wParam, LPARAM lParam) {
  if (wParam < static_cast<WPARAM>(kSceneBgmSlots)) {
    const int slot = static_cast<int>(wParam);
    const int id = CheckedAt(g_SystemData.m_SceneBgm, slot);
    if (id == 0) {
      g_Bgm.Stop();
      return;
    }
    PlayBgmEntry(slot, id, CheckedAt(g_SystemData.m_SceneBgmLoop, slot));
    return;
  }
  if (wParam != static_cast<WPARAM>(kStageBgmSlot)) return;
  const int id = lParam >= INT32_MIN && lParam <= INT32_MAX ? static_cast<int>(lParam) : -1;
  g_Progress.m_nStageBgm = PlayBgmEntry(kStageBgmSlot, id, g_Progress.m_bStageBgmLoop);
}
