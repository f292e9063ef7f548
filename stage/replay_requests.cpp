#include "stage/replay_requests.h"

#include "data/system/system_data.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/replay.h"
#include "stage/sub_loops.h"

namespace {

// System sounds of the save keys.
constexpr int kSaveRequestSound = 1;
constexpr int kNothingToSaveSound = 3;
constexpr int kVirtualKeyF2 = VK_F1 + 1;

std::int32_t g_nSaveCoolDown = 0;

bool KeyHeld(int virtualKey) { return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0; }

}  // namespace

std::int32_t ReplaySaveCoolDown() { return g_nSaveCoolDown; }
void SetReplaySaveCoolDown(std::int32_t nFrames) { g_nSaveCoolDown = nFrames; }

std::int32_t CheckReplaySaveKey() {
  if (g_GameMgr.m_nTitleSel == TITLEITEM_REPLAY || !g_SystemData.m_bRecordReplay) return 0;
  if (g_nSaveCoolDown > 0) --g_nSaveCoolDown;
  const cReplay* replay = nullptr;
  WPARAM bPrevious = 0;
  if (KeyHeld(VK_F1)) {
    replay = &g_Replay;
  } else if (KeyHeld(kVirtualKeyF2)) {
    replay = &g_ReplayPrev;
    bPrevious = 1;
  } else {
    return 0;
  }
  if (replay->m_vDirValue.empty()) {
    if (g_nSaveCoolDown <= 0) {
      PlaySE(kNothingToSaveSound);
      g_nSaveCoolDown = kReplaySaveCoolDown;
    }
    return 0;
  }
  PlaySE(kSaveRequestSound);
  SendAndWaitDone(WM_GAME_SAVEREPLAY, bPrevious, 0, g_bRequestDone);
  return 1;
}

std::int32_t RequestLoadReplay() {
  if (!SendAndWaitDone(WM_GAME_OPENREPLAY, 0, 0, g_bRequestDone)) return 0;
  return g_bRequestResult.load() != 0 ? 1 : 0;
}
