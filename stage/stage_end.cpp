// The end of a cleared play: the stage's results added to the play's sums, extra lives
// for score steps, the rankings the results reach and their registration, and the scene
// that follows the clear (the next stage file of a numbered series, the world map, the
// challenge list, the title, or the same stage again).
#include <algorithm>
#include <cstdint>
#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/path_helpers.h"
#include "app/path_table.h"
#include "app/report_log.h"
#include "app/test_play_flag.h"
#include "app/thread.h"
#include "data/option/option_data.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"
#include "data/system/system_data.h"
#include "objects/player.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/extra_life.h"
#include "stage/replay.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"
#include "stage/stage_ranking.h"
#include "stage/stage_world.h"
#include "stage/sub_loops.h"

namespace {

constexpr std::int32_t kNoticeFrames = 30;

std::int32_t HeldInt32(std::int64_t value) {
  return value > INT32_MAX ? INT32_MAX : (value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value));
}

// Sums of a long play stay defined: added in 64 bits and held at the int32 limits.
void AddHeld(std::int32_t& sum, std::int32_t value) { sum = HeldInt32(std::int64_t{sum} + value); }

// The challenge record of a challenge stage number; a number from a damaged save that
// has no record (0 or below) stays an index outside the list.
int ChallengeIndex(std::int32_t nStage) { return nStage > 0 ? nStage - 1 : -1; }

bool IsTypedNameMode(std::int32_t nMode) {
  return nMode == RANKREG_KEY_TYPED_NAME || nMode == RANKREG_AUTO_TYPED_NAME;
}

}  // namespace

void cSceneGame::EndPlay() {
  PlaySE(14);
  Tally();
  m_bRankEntered = 0;
  m_bRanked = 0;
  m_vRankPos.assign(kResultKinds, -1);
  const bool bApplies = g_bStartStage != 0 || (g_GameMgr.m_bRanking != 0 && IsLastStage(m_nNextStage) != 0);
  if (!bApplies) return;
  const cProgress& progress = g_Progress;
  m_vRankScore = {progress.m_nScore, progress.m_nTimeLeftSum, progress.m_nClearTimeSum, progress.m_nHpLeftSum,
                  progress.m_nSpLeftSum};
  // A test play keeps the results, but the author's trial runs rank nowhere.
  if (g_bTestPlay != 0) return;
  for (int i = 0; i < kResultKinds; ++i) {
    if (!IsRankedKind(g_GameMgr.m_nPlayMode, i)) continue;
    const std::int32_t nPos = RankOfResult(i, CheckedAt(m_vRankScore, i));
    CheckedAt(m_vRankPos, i) = nPos;
    if (nPos != -1) m_bRanked = 1;
  }
}

void cSceneGame::Tally() {
  cProgress& progress = g_Progress;
  const std::int32_t nOldSum = progress.m_nScore;
  AddHeld(progress.m_nScore, progress.m_nStageScore);
  if (m_bNoTimeLimit == 0) AddHeld(progress.m_nTimeLeftSum, m_nTimeLeft);
  AddHeld(progress.m_nClearTimeSum, m_nPlayTime);
  AddHeld(progress.m_nHpLeftSum, CheckedAt(g_vPlayer, 0).m_nHp);
  AddHeld(progress.m_nSpLeftSum, CheckedAt(g_vPlayer, 0).m_nSp);

  if (g_SystemData.m_bExtraLife == 0) return;
  const std::int32_t nLives =
      ExtraLivesEarned(nOldSum, progress.m_nScore, g_SystemData.m_nExtraLifeScore, progress.m_nLives);
  for (std::int32_t i = 0; i < nLives; ++i) {
    ++progress.m_nLives;
    PlaySE(15);
    // A rising status icon over player 1 for the notice's frames, while the game waits.
    m_lstMessage.emplace_back(ExtraLifeMessage(CheckedAt(g_vPlayer, 0).m_nObjId));
    m_WaitReq.Set(WAIT_EXTRA_LIFE, 0, kNoticeFrames, 0);
    RunModalLoop(thPause, PauseLoop, this, true);
    m_lstMessage.pop_back();
    if (m_bQuit != 0) {
      PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      return;
    }
    while (g_bActive.load() == 0 && !IsShutdownBegun()) Sleep(1);
  }
}

std::int32_t cSceneGame::GetNextStageFile(std::string& out, std::int32_t n) {
  out.clear();
  const cProgress& progress = g_Progress;
  if (progress.m_bSeries == 0 || m_nNextStage == 0) return 0;
  const char* ext = g_ExtTable[EXT_STAGE];
  // Both names keep one trailing period, which the file name does not repeat.
  std::string candidate;
  if (!m_strNextStage.empty()) {
    candidate = m_strNextStage.substr(0, m_strNextStage.size() - 1) + "." + ext;
  } else {
    const std::string& name = progress.m_strStageName;
    const std::string base = name.empty() ? name : name.substr(0, name.size() - 1);
    candidate = base + "-" + std::to_string(n) + "." + ext;
  }
  if (FindLatestFileStr(out, candidate, ext) == 0) {
    out.clear();
    return 0;
  }
  return 1;
}

std::int32_t cSceneGame::IsLastStage(std::int32_t n) {
  std::string file;
  return GetNextStageFile(file, n) == 0 ? 1 : 0;
}

// The next file of the series, loaded; false (the series is over) when there is none or
// it does not load.
bool cSceneGame::LoadNextStage() {
  cProgress& progress = g_Progress;
  if (progress.m_bSeries == 0 || m_nNextStage == 0) return false;
  progress.m_nSubStage = m_nNextStage;
  std::string file;
  if (GetNextStageFile(file, m_nNextStage) == 0) return false;
  if (LoadStageForPlay(file.c_str(), 1, &g_StageDataOrg) == 0) return false;
  g_Replay.Reset();
  g_ReplayPrev.Reset();
  return true;
}

std::int32_t cSceneGame::ClearResult() {
  cProgress& progress = g_Progress;
  if (g_StageData.m_bStoreCarryOver != 0) {
    // A running effect is handed on as it was started (its run mode and repeat), so that
    // the next stage starts it the same way; the direction of its current pass is not a mode.
    for (std::size_t i = 0; i < g_vPlayer.size(); ++i) {
      const cPlayer& player = g_vPlayer[i];
      progress.StoreCarryOver(static_cast<int>(i), player.m_Def, player.m_nHp, player.m_nSp,
                              player.m_CharaEffect.m_nId, player.m_CharaEffect.m_nRunMode,
                              player.m_CharaEffect.m_bRepeat, m_nTimeLeft,
                              progress.m_nLives, progress.m_nStageBgm);
    }
  }
  const std::int32_t nSaved = progress.m_nSubStage;
  switch (g_GameMgr.m_nTitleSel) {
    case TITLEITEM_NEWGAME:
    case TITLEITEM_CONTINUE:
      if (LoadNextStage()) return SCENE_GAME;
      CheckedAt(progress.m_ClearFlags, progress.m_nStage) = 1;
      progress.UpdateStageScore(progress.m_strStageName, progress.m_strRankKey, progress.m_bRankSuffix,
                                progress.m_nRankSuffixA, progress.m_nRankSuffixB, progress.m_nScore);
      // The world-map entries of this game hold no choice of what follows their last
      // stage: the story goes back to the world map.
      progress.m_nSubStage = nSaved;
      return SCENE_WORLDMAP;
    case TITLEITEM_CHALLENGE: {
      if (LoadNextStage()) return SCENE_GAME;
      cValuePair& record = CheckedAt(progress.m_ChallengeState, ChallengeIndex(progress.m_nStage));
      record.m_bCleared = 1;
      if (progress.m_nScore > record.m_nHigh) {
        progress.m_nTotalBest = HeldInt32(std::int64_t{progress.m_nTotalBest} + progress.m_nScore - record.m_nHigh);
        record.m_nHigh = progress.m_nScore;
      }
      if (progress.m_nChallengeOpen <= progress.m_nStage) {
        // A damaged System data's negative count opens nothing rather than a negative
        // number of stages.
        const std::int32_t nCount = std::max(g_SystemData.m_nChallengeCount, 0);
        progress.m_nChallengeOpen = HeldInt32(std::min<std::int64_t>(std::int64_t{progress.m_nStage} + 1, nCount));
      }
      if (progress.SaveToFile(kChallengeFilePath) == 0)
        WriteReport("%s の保存に失敗しました！", kChallengeFilePath);
      progress.m_nSubStage = nSaved;
      return SCENE_CHALLENGE;
    }
    case TITLEITEM_FREE:
      if (progress.m_bSeries != 0 && g_bStartStage == 0) {
        if (LoadNextStage()) return SCENE_GAME;
        progress.m_nSubStage = nSaved;
        return SCENE_TITLE;
      }
      // The fade-out starts the same stage file again.
      progress.m_bStartPosSet = 0;
      return SCENE_GAME;
    case TITLEITEM_REPLAY:
      progress.RestoreSnapshot(1, g_GameMgr.m_nPlayMode, g_bStartStage);
      return SCENE_GAME;
    default:
      return SCENE_TITLE;
  }
}

void cSceneGame::EnterRanking() {
  if (g_GameMgr.m_bRanking == 0 || m_bRanked == 0 || m_bRankEntered != 0) return;
  cProgress& progress = g_Progress;
  if (IsTypedNameMode(g_OptionData.m_nRankRegMode)) {
    m_strEntryName = progress.m_strRankName;
    SendAndWaitDone(WM_GAME_NAMEENTRY, 0, 0, g_bNameEntryDone);
    progress.m_strRankName = m_strEntryName;
  } else {
    m_strEntryName = g_OptionData.m_strRankName;
  }
  PlaySE(16);
  for (int i = 0; i < kResultKinds; ++i) {
    if (CheckedAt(m_vRankPos, i) != -1) InsertResult(i, m_strEntryName, CheckedAt(m_vRankScore, i));
  }
  SaveStageRanking();
  m_bRankEntered = 1;
  RunModalLoop(thRanking, RankingLoop, this, true);
}
