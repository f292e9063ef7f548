#include "stage/scene_game.h"

#include <cstring>
#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/test_play_flag.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fade.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/play_services.h"
#include "stage/play_screens.h"
#include "stage/play_trace.h"
#include "stage/replay.h"
#include "stage/scripted_input.h"
#include "stage/menu_cursor.h"
#include "stage/stage_overlays.h"
#include "stage/stage_ranking.h"
#include "stage/stage_setup.h"
#include "stage/stage_world.h"

cMenuPos g_MenuPos[3] = {{320, 272, 0, 0}, {320, 272, 0, 0}, {184, 64, 0, 0}};

namespace {

// Fixed surface rows the scene loads on entry: everything of stage play, but not the
// front end's own pictures (48 game mode, 52-54 world map) that stay loaded for it.
constexpr int kFirstStageRow = 2;

bool IsFrontEndRow(int row) { return row == 48 || row == 52 || row == 53 || row == 54; }

// Rows 2-47, 49-51 and 55-70.
bool LoadStageRows() {
  int rows[kFixedSurfaceCount];
  int n = 0;
  for (int row = kFirstStageRow; row < kFixedSurfaceCount; ++row) {
    if (IsFrontEndRow(row)) continue;
    rows[n++] = row;
  }
  return DDLoadSurfaces(g_FixedSurface, rows, n);
}

bool LoadBackgroundRows() {
  int rows[kBackgroundRowCount];
  for (int i = 0; i < kBackgroundRowCount; ++i) rows[i] = kFirstBackgroundRow + i;
  return DDLoadSurfaces(g_FixedSurface, rows, kBackgroundRowCount);
}

void ReportInitFailure(const char* text) {
  WriteReport("%s", text != nullptr ? text : "");
  WriteECFatal(g_hWnd, "%s", text != nullptr ? text : "");
}

}  // namespace

cSceneGame* GameScene() { return static_cast<cSceneGame*>(g_lpSceneGame); }

bool IsReplayPlayback() { return g_GameMgr.m_nTitleSel == TITLEITEM_REPLAY; }

cSceneGame::cSceneGame()
    : m_pfnState{&cSceneGame::FadeIn,     &cSceneGame::StateStart, &cSceneGame::StatePlay,
                 &cSceneGame::StatePause, &cSceneGame::StateClear, &cSceneGame::StateRetry,
                 &cSceneGame::StateGameOver, &cSceneGame::FadeOut} {
  m_ScreenColor.Clear();
  m_vGroupList.resize(kGroupCount);
  m_vGroupShotList.resize(kGroupCount);
  g_Progress.m_nStageBgm = 0;
  m_nState = -1;
  // A DirectDraw surface loss brings these back with the rest.
  g_RestoreGroups.lpPictures = &m_lstPictureSurface;
  g_RestoreGroups.lpMessageWindows = &m_lstMessageSurface;
}

cSceneGame::~cSceneGame() {
  for (int row = kFirstStageRow; row < kFixedSurfaceCount; ++row) {
    if (!IsFrontEndRow(row)) DDReleaseSurface(&g_FixedSurface[row]);
  }
  ClearPictures();
  ClearMessages();
  DDReleaseSurfaceVector(&m_vCharaExcSurface);
  DDReleaseSurfaceVector(&m_vSwordSurface);
  DDReleaseSurfaceVector(&m_vEffectSurface);
  if (g_RestoreGroups.lpPictures == &m_lstPictureSurface) g_RestoreGroups.lpPictures = nullptr;
  if (g_RestoreGroups.lpMessageWindows == &m_lstMessageSurface) g_RestoreGroups.lpMessageWindows = nullptr;
  // The objects point into each other and at the scene; the world goes with the scene.
  m_lstShot.clear();
  g_listChara.clear();
  g_listItem.clear();
  g_vPlayer.clear();
}

void cSceneGame::Run() {
  if (m_nState == -1) {
    try {
      Init();
    } catch (const char* text) {
      ReportInitFailure(text);
    } catch (const std::string& text) {
      ReportInitFailure(text.c_str());
    }
    if (m_nState == -1) m_nState = GAMESTATE_FADEIN;
  }
  if (ScriptedInputActive() && !g_Input.empty()) ApplyScriptedInput(g_Input[0]);
  if (m_nState >= 0 && m_nState < GAMESTATE_COUNT) {
    const StateHandler handler = m_pfnState[m_nState];
    (this->*handler)();
  }
  WritePlayTraceFrame(*this);
  WritePlayScreenIfListed();
}

void cSceneGame::Init() {
  m_vRankPos.resize(kResultKinds, 0);
  m_vRankScore.resize(kResultKinds, 0);
  m_nStateAfterFadeIn = GAMESTATE_START;
  NameBackgroundRows();
  std::int32_t nSetUp = SETSTAGE_READY;
  if (g_GameMgr.m_nPrevScene != SCENE_GAME) {
    if (!LoadStageRows()) {
      PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      m_nState = GAMESTATE_FADEIN;
      return;
    }
    BuildShotSheet();
    LoadStageBitmaps();
    LoadSwordBitmaps();
    LoadEffectBitmaps();
    ResetPlay();
    // The life in play is taken; whether lives remain was decided before the play began.
    UseLife(g_Progress);
    nSetUp = SetStage(0, 1);
  } else {
    if (!LoadBackgroundRows()) {
      PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      m_nState = GAMESTATE_FADEIN;
      return;
    }
    nSetUp = SetStage(1, 1);
  }
  // A before-start flow that ended the play has already tallied it: the fade-in leads
  // straight to the clear.
  if (nSetUp == SETSTAGE_CLEARED) m_nStateAfterFadeIn = GAMESTATE_CLEAR;
  g_MenuCursor.Reset();
  m_nSubState = 0;
  m_nState = GAMESTATE_FADEIN;
}

void cSceneGame::ResetPlay() {
  cProgress& progress = g_Progress;
  if (!IsReplayPlayback() && progress.m_bRankSuffix != 0)
    CheckedAt(progress.m_Vars, progress.m_nRankSuffixA) = progress.m_nRankSuffixB;
  progress.m_nStageScore = 0;
  progress.m_nLives = progress.m_nLivesAtStart;
  progress.m_nScore = 0;
  progress.m_nTimeLeftSum = 0;
  progress.m_nClearTimeSum = 0;
  progress.m_nHpLeftSum = 0;
  progress.m_nSpLeftSum = 0;
  progress.m_bStartPosSet = 0;
  m_ScrollX.m_dPos = 0;
  m_ScrollY.m_dPos = 0;
  m_nSubState = 0;
  m_nBannerCount = 0;
  m_nBanner2Count = 0;
  m_bWaitRelease = 0;
  m_nTimeLeft = 0;
  m_bRankEntered = 0;
  m_lstMessage.clear();
  if (!IsReplayPlayback()) {
    g_Replay.Reset();
    g_ReplayPrev.Reset();
  }
  if (g_bStartStage) progress.m_nSubStage = 1;
  if (g_GameMgr.m_bRanking != 0) LoadStageRanking();
}

std::int32_t cSceneGame::UseLife(cProgress& progress) {
  if (g_bStartStage) return 1;
  if (progress.m_nLives == kInfiniteLives) return 1;
  if (progress.m_nLives >= 1) {
    --progress.m_nLives;
    return 1;
  }
  return 0;
}

void cSceneGame::PlayBgm(std::int32_t nId, std::int32_t nParam) {
  g_Progress.m_bStageBgmLoop = nParam;
  SendMessageA(g_hWnd, WM_GAME_PLAYBGM, 4, nId);
}

std::int32_t cSceneGame::CheckPauseKey() {
  if ((static_cast<unsigned>(GetAsyncKeyState(VK_SPACE)) & 0x8000u) == 0) return 0;
  PlaySE(4);
  m_nSavedState = m_nState;
  m_nSavedSubState = m_nSubState;
  return 1;
}

void cSceneGame::FadeIn() {
  Draw(0, 1, 0, 1);
  if (DDFadeIn(g_DispPalette, 0, 255, 0, 0, 0, g_GameMgr.m_nFadeSpeed, g_Palette, 0)) m_nState = m_nStateAfterFadeIn;
}

void cSceneGame::FadeOut() {
  if (!DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, g_GameMgr.m_nFadeSpeed, g_Palette, 0)) return;
  DDFillSurface(&g_BackBuffer, 16);
  if ((g_GameMgr.m_nTitleSel == TITLEITEM_FREE && g_Progress.m_bSeries == 0) || g_bStartStage) {
    g_Progress.m_bSeries = 0;
    // A copy: the start loads a new stage over the record that holds the path.
    const std::string path = g_StageData.m_strPath;
    if (!StartFreeStageService(path.c_str(), 0)) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  }
  g_GameMgr.m_nFps = 60;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
  g_GameMgr.m_nPrevScene = SCENE_GAME;
  m_nState = -1;
}

void cSceneGame::OnLostLife() {
  cProgress& progress = g_Progress;
  const int nMode = g_GameMgr.m_nPlayMode;
  if (IsReplayPlayback()) {
    progress.RestoreSnapshot(1, nMode, g_bStartStage);
    EnterStartState(SetStage(1, 1));
    return;
  }
  if (UseLife(progress) == 0) {
    m_nState = GAMESTATE_GAMEOVER;
    return;
  }
  if (g_StageData.m_bApplyCarryOver != 0) progress.ClearVars();
  progress.RestoreSnapshot(0, nMode, g_bStartStage);
  if (nMode == PLAYMODE_STORY && g_SystemData.m_bRetryMenu != 0) {
    m_nSubState = 0;
    m_nState = GAMESTATE_RETRY;
    return;
  }
  EnterStartState(SetStage(1, 0));
}

void cSceneGame::EnterStartState(std::int32_t nSetUp) {
  // A set-up whose before-start flows ended the play has tallied it already: the scene
  // goes to the clear instead of the start banner, and does not tally again.
  m_nState = nSetUp == SETSTAGE_CLEARED ? GAMESTATE_CLEAR : GAMESTATE_START;
}
