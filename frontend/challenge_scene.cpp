#include "frontend/challenge_scene.h"

#include <algorithm>
#include <cstdio>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/path_table.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"
#include "data/system/system_data.h"
#include "frontend/front_scene_steps.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/menu_cursor.h"
#include "stage/stage_ranking.h"

namespace {

constexpr int kWindowRow = 45;
constexpr int kAccessoryRow = 49;
constexpr int kChallengeSurfaceRows[] = {kAccessoryRow, kWindowRow};
constexpr int kChallengeSurfaceCount = 2;

constexpr int kCursorX = 32;
constexpr int kTextX = 64;
constexpr int kListY = 160;
constexpr int kRowHeight = 32;
constexpr int kHeadingY = 32;
constexpr int kTotalY = 88;
constexpr int kHighScoreHeaderY = 128;
constexpr int kPanelX = 292;
constexpr int kPanelY = 108;
constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;
constexpr WORD kButton3 = 4;
constexpr WORD kButton4 = 8;
constexpr DWORD kClearColour = 16;

// System texts of the list.
constexpr int kTextStage = 0;
constexpr int kTextHighScore = 3;
constexpr int kTextTotalScore = 4;

const std::string& SystemText(int n) {
  static const std::string empty;
  const std::vector<std::string>& texts = g_SystemData.m_Texts;
  return n >= 0 && static_cast<std::size_t>(n) < texts.size() ? texts[static_cast<std::size_t>(n)] : empty;
}

int Chars(const std::string& text) { return GetStrCharNum(text.c_str()); }

int Digits(std::int32_t value) { return std::snprintf(nullptr, 0, "%d", value); }

bool ChallengeRankingOn() { return CheckedAt(g_SystemData.m_ModeRanking, PLAYMODE_CHALLENGE).m_bRankingOn != 0; }

}  // namespace

int ChallengeStageCount() { return std::clamp(g_SystemData.m_nChallengeCount, 0, kMaxChallengeStages); }

std::string ChallengeStageFile(int n) {
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%s%02d-1.%s", g_PathTable[PATH_CHALLENGE_STAGE_PREFIX], n, g_ExtTable[EXT_STAGE]);
  return name;
}

int NormaliseChallengeList(int nCount, std::int32_t& nTop, std::int32_t& nRow) {
  if (nCount <= 0) {
    nTop = nRow = 0;
    return 0;
  }
  nRow = std::clamp(nRow, 0, nCount - 1);
  nTop = std::clamp(nTop, 0, nCount - 1);
  if (nRow < nTop) nTop = nRow;
  if (nRow >= nTop + kChallengeRows) nTop = nRow - kChallengeRows + 1;
  return nTop + kChallengeRows <= nCount ? kChallengeRows : nCount - nTop;
}

cSceneChallenge::cSceneChallenge()
    : m_pfnState{&cSceneChallenge::FadeIn, &cSceneChallenge::Select, &cSceneChallenge::FadeOut} {
  m_nState = -1;
  g_RestoreGroups.lpMenuWork = &m_vWork;
}

cSceneChallenge::~cSceneChallenge() {
  ReleaseFrontSurfaces(kChallengeSurfaceRows, kChallengeSurfaceCount);
  DDReleaseSurfaceVector(&m_vWork);
  if (g_RestoreGroups.lpMenuWork == &m_vWork) g_RestoreGroups.lpMenuWork = nullptr;
}

void cSceneChallenge::Run() { RunFrontScene(*this, m_pfnState, kAllMenuButtons); }

void cSceneChallenge::CountStages() {
  const cProgress& progress = g_Progress;
  // The open count comes from the player's file and the stage count from the game's:
  // neither may take the list past the records the progress holds for it.
  const int nOpen = g_SystemData.m_bFixedChallengeCount != 0 ? ChallengeStageCount() : progress.m_nChallengeOpen;
  const int nRecords = static_cast<int>(std::min<std::size_t>(progress.m_ChallengeState.size(), kMaxChallengeStages));
  m_nStageCount = std::clamp(nOpen, 0, std::min(ChallengeStageCount(), nRecords));
  m_nRows = NormaliseChallengeList(m_nStageCount, m_nTop, g_MenuCursor.m_pCur->nRow);
}

void cSceneChallenge::Init() {
  RequestSceneBgm(2);
  LoadFrontSurfaces(kChallengeSurfaceRows, kChallengeSurfaceCount);
  g_MenuCursor.Reset();
  g_MenuCursor.m_pCur->nRow = g_GameMgr.m_nChallengeSel;
  m_nTop = g_GameMgr.m_nChallengeTop;
  CountStages();
  LoadRanking(g_MenuCursor.m_pCur->nRow + 1);
  DDReleaseSurfaceVector(&m_vWork);
  m_vWorkDef.clear();
  if (!DDAddSurface(&m_vWork, &m_vWorkDef, 640, 480, 0, 0, 0, 0)) {
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  } else {
    DrawMenu(&m_vWork.back());
  }
  m_nSubState = 0;
}

void cSceneChallenge::LoadRanking(int n) {
  g_Progress.MakeStageName(ChallengeStageFile(n), 0, 0, 0);
  if (g_GameMgr.m_bRanking != 0) LoadStageRanking();
}

void cSceneChallenge::CopyWork() {
  if (m_vWork.empty()) return;
  DDSURFACEDATA& work = m_vWork.back();
  if (work.bLost != 0) {
    DrawMenu(&work);
    work.bLost = 0;
  }
  DDBlt(&g_BackBuffer, 0, 0, 640, 480, &work, 0, 0, 0);
  UpdatePaletteAnime();
}

void cSceneChallenge::FadeIn() {
  if (g_nBpp == 8 && !m_vWork.empty()) DrawMenu(&m_vWork.back());
  CopyWork();
  if (FrontFadeInStep()) m_nState = STATE_SELECT;
}

void cSceneChallenge::FadeOut() {
  if (!FrontFadeOutStep()) return;
  DDFillSurface(&g_BackBuffer, kClearColour);
  g_MenuCursor.Reset();
  g_GameMgr.m_nPrevScene = SCENE_CHALLENGE;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
}

void cSceneChallenge::Leave(int nScene) {
  g_GameMgr.m_nNextScene = nScene;
  g_GameMgr.m_nPrevScene = SCENE_CHALLENGE;
  m_nState = STATE_FADEOUT;
}

void cSceneChallenge::Select() {
  if (g_Input.empty()) return;
  const cInput& input = g_Input[0];
  CountStages();
  g_MenuCursor.MoveList(input, 1, &m_nTop, kListY, kRowHeight, kCursorX, m_nRows, m_nStageCount, 1);
  PlayCursorSE(input, 3, 0);
  const int row = g_MenuCursor.m_pCur->nRow;
  if ((input.m_wDir & 15) != 0) {
    LoadRanking(row + 1);
    if (!m_vWork.empty()) DrawMenu(&m_vWork.back());
  }
  if ((input.m_wButton & kDecision) != 0) {
    if (m_nStageCount > 0) StartStage(row);
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    Leave(SCENE_TITLE);
    return;
  }
  cProgress& progress = g_Progress;
  if ((input.m_wButton & kButton3) != 0) {
    if (!ChallengeRankingOn()) {
      progress.m_bRankPanel = 0;
    } else {
      PlaySE(6);
      progress.m_bRankPanel = progress.m_bRankPanel != 0 ? 0 : 1;
      if (!m_vWork.empty()) DrawMenu(&m_vWork.back());
    }
  }
  if ((input.m_wButton & kButton4) != 0 && ChallengeRankingOn() && RankedKindCount(g_GameMgr.m_nPlayMode) > 1) {
    PlaySE(6);
    NextRankedKind(g_GameMgr.m_nPlayMode);
    if (!m_vWork.empty()) DrawMenu(&m_vWork.back());
  }
  CopyWork();
  DDBlt(&g_BackBuffer, kCursorX, kListY + kRowHeight * (row - m_nTop), 32, 32, &g_FixedSurface[kAccessoryRow], 0, 0, 1);
}

void cSceneChallenge::StartStage(int row) {
  const std::string path = ChallengeStageFile(row + 1);
  // The stage is loaded into the stage being played, its settings into the pristine copy
  // that stage play sets the stage up from.
  if (LoadStageForPlay(path.c_str(), 1, &g_StageDataOrg) == 0) {
    PlaySE(3);
    ErrMesBoxf("ステージファイル %s が読み込めません！", path.c_str());
    return;
  }
  PlaySE(1);
  cProgress& progress = g_Progress;
  progress.MakeStageName(g_StageData.m_strPath, 0, 0, 0);
  progress.m_nSubStage = 1;
  progress.m_nStage = row + 1;
  if (CheckedAt(g_SystemData.m_bInfiniteLives, PLAYMODE_CHALLENGE) != 0) {
    progress.m_nLivesAtStart = progress.m_nLives = kInfiniteLives;
  } else {
    progress.m_nLivesAtStart = CheckedAt(g_SystemData.m_Lives, PLAYMODE_CHALLENGE);
    progress.m_nLives = progress.m_nLivesAtStart - 1;
  }
  progress.m_bSeries = 1;
  g_GameMgr.m_nChallengeSel = row;
  g_GameMgr.m_nChallengeTop = m_nTop;
  Leave(SCENE_GAME);
}

void cSceneChallenge::DrawMenu(DDSURFACEDATA* lpDst) {
  const cSystemData& sys = g_SystemData;
  const cProgress& progress = g_Progress;
  // Drawn afresh on every change: nothing of the previous list may show through.
  DDFillSurface(lpDst, kClearColour);
  g_Font[2].DrawWindow(lpDst, 1, 1, 638, 478);
  const std::string heading = sys.m_TitleMenu.size() > 2 ? sys.m_TitleMenu[2].m_strLabel : std::string();
  g_Font[2].DrawText(lpDst, 320 - Chars(heading) * 32 / 2, kHeadingY, heading.c_str());
  const std::string& total = SystemText(kTextTotalScore);
  if (sys.m_bChallengeTotalScore != 0 && progress.m_nTotalBest > 0) {
    const int x = 320 - (Chars(total) + Digits(progress.m_nTotalBest)) * 16 / 2;
    g_Font[1].DrawTextF(lpDst, x, kTotalY, "%s%d", total.c_str(), progress.m_nTotalBest);
  }
  const bool bPanel = ChallengeRankingOn() && progress.m_bRankPanel != 0;
  if (!bPanel && sys.m_bChallengeHighScore != 0)
    g_Font[2].DrawTextF(lpDst, kCursorX, kHighScoreHeaderY, "         %s", SystemText(kTextHighScore).c_str());
  CountStages();
  const std::string& stage = SystemText(kTextStage);
  const int c = (Chars(stage) + 4) * 32;
  for (int i = 0; i < m_nRows; ++i) {
    const int n = m_nTop + i + 1;
    const int y = kListY + kRowHeight * i;
    g_Font[2].DrawTextF(lpDst, kTextX, y, "%s%d", stage.c_str(), n);
    const cValuePair& record = CheckedAt(progress.m_ChallengeState, n - 1);
    if (record.m_bCleared != 0) DDBlt(lpDst, c, y, 32, 32, &g_FixedSurface[kAccessoryRow], 96, 0, 1);
    if (sys.m_bChallengeHighScore != 0) g_Font[2].DrawTextF(lpDst, c + 64, y, "%d", record.m_nHigh);
  }
  if (bPanel) DrawStageRanking(lpDst, kPanelX, kPanelY, progress.m_nRankGenre, -1);
}
