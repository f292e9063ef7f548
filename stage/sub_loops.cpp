#include "stage/sub_loops.h"

#include <vector>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "data/save/progress.h"
#include "media/draw/dd_display.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/frame_limit.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/ranking.h"
#include "stage/ranking_kinds.h"
#include "stage/replay_requests.h"
#include "stage/scene_game.h"
#include "stage/scripted_input.h"

namespace {

constexpr UINT kHandshakeMessage = 0x8000;  // WM_APP: only creates the loop's queue
constexpr DWORD kQuitWaitMs = 2000;          // a lost WM_QUIT is replaced after this long
constexpr WORD kDecisionButton = 1;
constexpr WORD kGenreButton = 8;   // button 4 shows the next result kind
constexpr int kRankingTablePos = 2;  // g_MenuPos entry of the ranking table

enum class PeekResult { kNone, kQuit, kOther };

// Takes one message of the loop's queue.
PeekResult PeekLoopMessage() {
  MSG msg{};
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return PeekResult::kNone;
  return msg.message == WM_QUIT ? PeekResult::kQuit : PeekResult::kOther;
}

// One frame of the frozen stage, paused, shown at once.
void DrawFrozenFrame(cSceneGame& scene) {
  scene.Draw(0, 1, 0, 1);
  g_GameMgr.Present();
}

// The pause loop's own copy of the input: what is pressed during the wait never reaches
// the game's history and key sequences.
std::vector<cInput> MakePrivateInput() {
  std::vector<cInput> inputs = g_Input;
  if (!inputs.empty()) {
    cInput& input = inputs[0];
    input.ClearHistory();
    input.ResetSequences();
    input.ClearDir();
    input.ClearButtons();
  }
  return inputs;
}

}  // namespace

bool WaitRequestEnds(cSceneGame& scene, const cInput& input) {
  cWaitReq& req = scene.m_WaitReq;
  if (req.m_nDelay > 0) {
    --req.m_nDelay;
    return false;
  }
  if (req.m_bKeyWait != 0) {
    // The button must be up one frame and down the next: a button still held from the
    // play does not confirm the wait.
    const bool down = (input.m_wButton & kDecisionButton) != 0;
    const bool wasDown = (input.GetHistory(1, 1) & kDecisionButton) != 0;
    if (!down || wasDown) return false;
    PlaySE(req.m_nKind == WAIT_MESSAGE ? 12 : 1);
    scene.m_bWaitRelease = 1;
    return true;
  }
  --req.m_nCountdown;
  return req.m_nCountdown < 0;
}

unsigned PauseLoop(void* lpScene) {
  auto& scene = *static_cast<cSceneGame*>(lpScene);
  if (scene.m_bQuit != 0) return 0;
  std::vector<cInput> inputs = MakePrivateInput();
  bool bQuitSeen = false;
  DWORD dwQuitTime = 0;
  for (;;) {
    const PeekResult peek = PeekLoopMessage();
    if (peek == PeekResult::kQuit) break;
    if (peek == PeekResult::kOther) continue;  // messages are drained before a frame
    if (g_bActive.load() == 0) {
      Sleep(1);
      continue;
    }
    if (scene.m_bQuit != 0) {
      // The main window asked to close and posted WM_QUIT; should that post be lost, the
      // loop posts its own after a while rather than waiting for ever.
      if (!bQuitSeen) {
        bQuitSeen = true;
        dwQuitTime = timeGetTime();
      } else if (timeGetTime() - dwQuitTime >= kQuitWaitMs) {
        PostThreadMessageA(thPause.ThreadId(), WM_QUIT, 0, 0);
      }
      continue;
    }
    // A run's frames are spent: the close sequence comes to end the loop.
    if (FrameLimitReached()) {
      Sleep(1);
      continue;
    }
    WaitFrame();
    CountFrameRun();
    if (!g_GameMgr.RestoreAll()) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    g_GameMgr.UpdateInput(inputs);
    if (inputs.empty()) break;
    cInput& input = inputs[0];
    // A run without a person goes on taking its script's frames while the stage waits:
    // a wait for a key ends only on a key.
    if (ScriptedInputActive()) ApplyScriptedInput(input);
    input.UpdateHistory();
    input.TriggerOnce(0);
    if (CheckReplaySaveKey() != 0) continue;
    if (WaitRequestEnds(scene, input)) break;
    DrawFrozenFrame(scene);
  }
  return 1;
}

unsigned RankingLoop(void* lpScene) {
  auto& scene = *static_cast<cSceneGame*>(lpScene);
  const int nPlayMode = g_GameMgr.m_nPlayMode;
  MoveCmdCursor(g_Progress, nPlayMode, 0);
  for (;;) {
    const PeekResult peek = PeekLoopMessage();
    if (peek == PeekResult::kQuit) break;
    if (peek == PeekResult::kOther) continue;
    if (g_bActive.load() == 0) {
      Sleep(1);
      continue;
    }
    if (FrameLimitReached()) {
      Sleep(1);
      continue;
    }
    WaitFrame();
    CountFrameRun();
    if (!g_GameMgr.RestoreAll()) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    g_GameMgr.UpdateInput(g_Input);
    if (g_Input.empty()) break;
    cInput& input = g_Input[0];
    if (ScriptedInputActive()) ApplyScriptedInput(input);
    input.TriggerOnce(0);
    input.ApplyRepeat();
    if (RankingDisplayStep(scene, input)) break;
    g_GameMgr.Present();
  }
  return 1;
}

bool RankingDisplayStep(cSceneGame& scene, const cInput& input) {
  const int nPlayMode = g_GameMgr.m_nPlayMode;
  if ((input.m_wButton & kDecisionButton) != 0) {
    PlaySE(1);
    return true;
  }
  if ((input.m_wButton & kGenreButton) != 0 && GetCmdCount(nPlayMode) >= 2) {
    PlaySE(6);
    MoveCmdCursor(g_Progress, nPlayMode, 1);
  }
  scene.Draw(0, 1, 0, 1);
  const int kind = g_Progress.m_nRankGenre;
  const bool bKnown = kind >= 0 && static_cast<std::size_t>(kind) < scene.m_vRankPos.size();
  const std::int32_t highlight = bKnown ? scene.m_vRankPos[static_cast<std::size_t>(kind)] : -1;
  const cMenuPos& pos = g_MenuPos[kRankingTablePos];
  g_RankingSet.Draw(&g_BackBuffer, pos.x, pos.y, kind, highlight);
  return false;
}

bool RunModalLoop(cThread& thread, THREADROUTINE routine, void* lpScene, bool bHandshake) {
  if (!thread.Start(routine, lpScene)) {
    WriteECf("modal loop: the thread could not be started");
    return false;
  }
  if (bHandshake) {
    // The post is taken once the thread has a queue; a thread that has already ended
    // will never take it.
    while (!PostThreadMessageA(thread.ThreadId(), kHandshakeMessage, 0, 0)) {
      if (!thread.IsRunning()) break;
      Sleep(0);
    }
  }
  thread.Wait();
  return true;
}

bool SendAndWaitDone(UINT message, WPARAM wParam, LPARAM lParam, std::atomic<int>& done) {
  done.store(0);
  // The main window answers a served dialog request with 1; 0 means the send was given
  // up (the program is shutting down) and the flag will never be set.
  if (SendMessageA(g_hWnd, message, wParam, lParam) == 0) return false;
  while (done.load() == 0) {
    if (IsShutdownBegun()) return false;
    Sleep(1);
  }
  return true;
}
