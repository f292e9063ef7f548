// The play states around the play itself: the start banner, the pause menu, the clear,
// the retry menu and the game over.
#include <string>
#include <vector>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/str_helpers.h"
#include "app/test_play_flag.h"
#include "data/option/option_data.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_surface.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "objects/player.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/replay_requests.h"
#include "stage/scene_game.h"
#include "stage/cmd_menu.h"
#include "stage/menu_cursor.h"
#include "stage/ranking_draw.h"
#include "stage/stage_world.h"

namespace {

constexpr int kWordRow = 51;       // "bmp\Word.bmp": banner words and digits
constexpr int kAccessoryRow = 49;  // "bmp\Accessory.bmp": the cursor sprite
constexpr int kBannerFrames = 80;  // a banner shows while its count is below this
constexpr int kClearLeaveCount = 200;
constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;
constexpr int kMenuY = 272;
constexpr int kMenuRowHeight = 16;
constexpr int kKeyF3 = VK_F1 + 2;  // registers the ranking in the manual modes

// Pause-menu entries.
enum PAUSEITEM : int { PAUSE_TITLE = 0, PAUSE_RESUME = 1, PAUSE_RESTART = 2, PAUSE_GIVEUP = 3, PAUSE_ITEMS = 4 };
constexpr int kPauseTextFirst = 19;  // System texts 19-22 label the pause entries
constexpr int kRetryTextFirst = 23;  // System texts 23-24 label the retry menu rows
constexpr int kManualHintText = 28;  // "F3キーでランキングへ登録"

DDSURFACEDATA* Word() { return &g_FixedSurface[kWordRow]; }

// A System text; "" when the game's data has fewer texts.
const std::string& SystemText(int n) {
  static const std::string empty;
  const std::vector<std::string>& texts = g_SystemData.m_Texts;
  return n >= 0 && static_cast<std::size_t>(n) < texts.size() ? texts[static_cast<std::size_t>(n)] : empty;
}

bool IsManualRanking() {
  return g_OptionData.m_nRankRegMode == RANKREG_KEY_TYPED_NAME || g_OptionData.m_nRankRegMode == RANKREG_KEY_FIXED_NAME;
}

bool IsAutoRanking() {
  return g_OptionData.m_nRankRegMode == RANKREG_AUTO_TYPED_NAME || g_OptionData.m_nRankRegMode == RANKREG_AUTO_FIXED_NAME;
}

void DrawCursorSprite() {
  DDBlt(&g_BackBuffer, g_MenuCursor.m_pCur->x, g_MenuCursor.m_pCur->y, 16, 16, &g_FixedSurface[kAccessoryRow], 64, 0,
        1);
}

// The pause entries the play mode offers.
void SetPauseEntries(std::vector<cCmdItem>& items) {
  items.resize(PAUSE_ITEMS);
  for (int i = 0; i < PAUSE_ITEMS; ++i) {
    cCmdItem& item = items[static_cast<std::size_t>(i)];
    item.m_bEnabled = 1;
    item.m_strLabel = SystemText(kPauseTextFirst + i);
  }
  const cSystemData& sys = g_SystemData;
  cProgress& progress = g_Progress;
  switch (g_GameMgr.m_nPlayMode) {
    case PLAYMODE_STORY: {
      const bool cleared = CheckedAt(progress.m_ClearFlags, progress.m_nStage) != 0;
      if (!(sys.m_bRetryClearedStory != 0 && cleared)) items[PAUSE_RESTART].m_bEnabled = 0;
      if (!(sys.m_bGiveUpClearedStory != 0 && cleared)) items[PAUSE_GIVEUP].m_bEnabled = 0;
      break;
    }
    case PLAYMODE_CHALLENGE: {
      const int index = progress.m_nStage > 0 ? progress.m_nStage - 1 : -1;
      const bool cleared = CheckedAt(progress.m_ChallengeState, index).m_bCleared != 0;
      if (!(sys.m_bRetryClearedChallenge != 0 && cleared)) items[PAUSE_RESTART].m_bEnabled = 0;
      items[PAUSE_GIVEUP].m_bEnabled = 0;
      break;
    }
    default:
      items[PAUSE_GIVEUP].m_bEnabled = 0;
      break;
  }
}

}  // namespace

void cSceneGame::StateStart() {
  Draw(0, 1, 0, 1);
  const bool bSkip = g_bTestPlay != 0 && g_bStartStage != 0;
  if (!bSkip) {
    if (IsReplayPlayback()) {
      if (++m_nBannerCount < kBannerFrames) {
        DDBlt(&g_BackBuffer, 256, 224, 128, 32, Word(), 0, 32, 1);
        return;
      }
    } else {
      if (g_StageData.m_bStageBanner != 0 && m_nBannerCount < kBannerFrames) {
        if (++m_nBannerCount < kBannerFrames) {
          DDBlt(&g_BackBuffer, 256, 224, 128, 32, Word(), 0, 0, 1);
          DDDrawNumber(&g_BackBuffer, 384, 224, 32, 32, Word(), 0, 128, 1, g_Progress.m_nSubStage, 1, 0, 0);
          return;
        }
      }
      if (g_StageData.m_bStartBanner != 0 && m_nBanner2Count < kBannerFrames) {
        if (++m_nBanner2Count < kBannerFrames) {
          DDBlt(&g_BackBuffer, 280, 224, 80, 32, Word(), 160, 0, 1);
          return;
        }
      }
    }
  }
  if (!g_vPlayer.empty()) {
    cPlayer& player = g_vPlayer[0];
    player.m_Anime.Set(player.m_bNoGravity != 0 ? 2 : 0, 1);
  }
  m_nBannerCount = 0;
  m_nState = GAMESTATE_PLAY;
}

void cSceneGame::StatePause() {
  if (CheckReplaySaveKey() != 0) return;
  SetPauseEntries(m_CmdPause);
  if (m_nSubState == 0) {
    g_MenuCursor.m_pCur->nRow = 1;
    m_nSubState = 1;
  } else if (m_nSubState != 1) {
    return;
  }
  if (g_Input.empty()) return;
  cInput& input = g_Input[0];
  input.TriggerOnce(0);
  input.ApplyRepeat();
  const int x = cCmd::GetCenterX(320, m_CmdPause);
  g_MenuPos[0].x = x;
  g_MenuCursor.MoveGrid(input, x, kMenuY, 0, kMenuRowHeight, 0, cCmd::CountEnabled(m_CmdPause));
  PlayCursorSE(input, 2, 0);

  if ((input.m_wButton & kDecision) != 0) {
    switch (cCmd::GetCmdNum(g_MenuCursor.m_pCur->nRow, m_CmdPause)) {
      case PAUSE_TITLE:
        PlaySE(1);
        m_nState = GAMESTATE_FADEOUT;
        if (g_bStartStage) {
          PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
        } else {
          g_GameMgr.m_nNextScene = SCENE_TITLE;
          g_MenuCursor.m_pCur->nRow = g_GameMgr.m_nTitleSel;
          m_nSubState = 0;
        }
        return;
      case PAUSE_RESUME:
        PlaySE(1);
        m_bWaitRelease = 1;
        m_nState = m_nSavedState;
        m_nSubState = m_nSavedSubState;
        return;
      case PAUSE_RESTART:
        PlaySE(1);
        m_bWaitRelease = 1;
        g_Progress.RestoreSnapshot(1, g_GameMgr.m_nPlayMode, g_bStartStage);
        m_nSubState = 0;
        EnterStartState(SetStage(1, 0));
        return;
      case PAUSE_GIVEUP:
        PlaySE(1);
        m_bWaitRelease = 1;
        g_Progress.RestoreSnapshot(0, g_GameMgr.m_nPlayMode, g_bStartStage);
        g_Progress.m_bMapStay = 1;
        g_GameMgr.m_nNextScene = SCENE_WORLDMAP;
        m_nSubState = 0;
        m_nState = GAMESTATE_FADEOUT;
        return;
      default:
        break;
    }
  } else if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    m_bWaitRelease = 1;
    m_nState = m_nSavedState;
    m_nSubState = m_nSavedSubState;
    return;
  }
  Draw(0, 1, 0, 1);
  cCmd::Draw(&g_BackBuffer, x, kMenuY, m_CmdPause);
  DrawCursorSprite();
}

void cSceneGame::StateClear() {
  const bool bAuto = g_StageData.m_bClearAutoAdvance != 0;
  if (!bAuto) {
    if (CheckPauseKey()) {
      m_nSubState = 0;
      m_nState = GAMESTATE_PAUSE;
      return;
    }
    CheckReplaySaveKey();
    if (IsManualRanking() && (static_cast<unsigned>(GetAsyncKeyState(kKeyF3)) & 0x8000u) != 0) EnterRanking();
  }
  if (m_nSubState == 0) {
    m_nBannerCount = 0;
    m_nSubState = 1;
  } else if (m_nSubState != 1) {
    return;
  }
  if (g_Input.empty()) return;
  cInput& input = g_Input[0];
  input.TriggerOnce(0);
  input.ApplyRepeat();

  bool bLeave = false;
  if (bAuto) {
    bLeave = m_nBannerCount >= kClearLeaveCount;
  } else if ((input.m_wButton & kDecision) != 0 && m_nBannerCount >= kClearLeaveCount) {
    if (m_bRanked != 0 && IsAutoRanking())
      EnterRanking();
    else
      PlaySE(1);
    bLeave = true;
  }
  if (bLeave) {
    g_GameMgr.m_nNextScene = ClearResult();
    m_nBannerCount = 0;
    m_nSubState = 0;
    m_nState = GAMESTATE_FADEOUT;
    return;
  }

  bool bHint = false;
  if (!bAuto && m_bRankEntered == 0 && IsManualRanking()) {
    for (const std::int32_t pos : m_vRankPos) bHint = bHint || pos != -1;
  }
  if (bHint) {
    Draw(0, 1, 0, 0);
    const std::string& text = SystemText(kManualHintText);
    g_Font[1].DrawText(&g_BackBuffer, 320 - GetStrCharNum(text.c_str()) * 16 / 2, 456, text.c_str());
  } else {
    Draw(0, 1, 0, 1);
  }
  if (g_StageData.m_bClearBanner != 0) {
    m_nBannerCount += 4;
    if (m_nBannerCount < 100)
      DDInterlaceBlt(&g_BackBuffer, 256, 192, 128, 32, 4, 100 - m_nBannerCount, Word(), 0, 64, 1, 0);
    else
      DDBlt(&g_BackBuffer, 256, 192, 128, 32, Word(), 0, 64, 1);
  } else {
    m_nBannerCount = kClearLeaveCount;
  }
  if (m_nBannerCount >= kClearLeaveCount && g_GameMgr.m_bRanking != 0 && !bAuto)
    DrawResultWindow(&g_BackBuffer, 336, 224, m_vRankPos);
}

void cSceneGame::StateRetry() {
  if (CheckReplaySaveKey() != 0) return;
  if (m_nSubState == 0) {
    g_MenuCursor.m_pCur->nRow = 0;
    m_nSubState = 1;
  } else if (m_nSubState != 1) {
    return;
  }
  if (g_Input.empty()) return;
  cInput& input = g_Input[0];
  input.TriggerOnce(0);
  input.ApplyRepeat();
  const int x = GetCmdListX(320, kRetryTextFirst, 2, 1);
  g_MenuPos[1].x = x;
  g_MenuCursor.MoveGrid(input, x, kMenuY, 0, kMenuRowHeight, 0, 2);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    if (g_MenuCursor.m_pCur->nRow == 0) {
      EnterStartState(SetStage(1, 0));
    } else {
      g_Progress.m_bMapStay = 1;
      g_GameMgr.m_nNextScene = SCENE_WORLDMAP;
      m_nSubState = 0;
      m_nState = GAMESTATE_FADEOUT;
    }
    return;
  }
  Draw(0, 1, 0, 1);
  DrawCmdList(&g_BackBuffer, x, kMenuY, kRetryTextFirst, 2, 1);
  DrawCursorSprite();
}

void cSceneGame::StateGameOver() {
  if (CheckPauseKey()) {
    m_nSubState = 0;
    m_nState = GAMESTATE_PAUSE;
    return;
  }
  if (CheckReplaySaveKey() != 0) return;
  if (!g_Input.empty() && (g_Input[0].m_wButton & kDecision) != 0) {
    PlaySE(1);
    m_nState = GAMESTATE_FADEOUT;
    g_GameMgr.m_nNextScene = SCENE_TITLE;
    return;
  }
  Draw(0, 1, 0, 1);
  if (g_StageData.m_bGameOverBanner != 0) DDBlt(&g_BackBuffer, 248, 224, 144, 32, Word(), 0, 96, 1);
}
