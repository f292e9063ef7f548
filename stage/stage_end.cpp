// The end of a cleared play, as far as the play states need it now: the play's results
// added up, and the scene that follows the clear. The extra lives, the rankings and the
// next stage of a numbered series come with the stage-end code.
#include <cstdint>

#include "app/checked_access.h"
#include "app/test_play_flag.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "objects/player.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/scene_game.h"
#include "stage/stage_menu.h"
#include "stage/stage_world.h"

void cSceneGame::EndPlay() {
  PlaySE(14);
  Tally();
  m_bRankEntered = 0;
  m_bRanked = 0;
  m_vRankPos.assign(kResultKinds, -1);
  // Whether a ranking applies (a stage started from its file, or the last of a series)
  // is decided with the rankings; the results are kept for them.
  const cProgress& progress = g_Progress;
  m_vRankScore = {progress.m_nScore, progress.m_nTimeLeftSum, progress.m_nClearTimeSum, progress.m_nHpLeftSum,
                  progress.m_nSpLeftSum};
}

void cSceneGame::Tally() {
  cProgress& progress = g_Progress;
  // Sums of a long play stay defined: added in 64 bits and held at the int32 limit.
  const auto add = [](std::int32_t& sum, std::int32_t value) {
    const std::int64_t total = static_cast<std::int64_t>(sum) + value;
    sum = total > INT32_MAX ? INT32_MAX : (total < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(total));
  };
  add(progress.m_nScore, progress.m_nStageScore);
  if (m_bNoTimeLimit == 0) add(progress.m_nTimeLeftSum, m_nTimeLeft);
  add(progress.m_nClearTimeSum, m_nPlayTime);
  add(progress.m_nHpLeftSum, CheckedAt(g_vPlayer, 0).m_nHp);
  add(progress.m_nSpLeftSum, CheckedAt(g_vPlayer, 0).m_nSp);
}

std::int32_t cSceneGame::ClearResult() {
  cProgress& progress = g_Progress;
  switch (g_GameMgr.m_nTitleSel) {
    case TITLEITEM_NEWGAME:
    case TITLEITEM_CONTINUE:
      CheckedAt(progress.m_ClearFlags, progress.m_nStage) = 1;
      return SCENE_WORLDMAP;
    case TITLEITEM_CHALLENGE:
      CheckedAt(progress.m_ChallengeState, progress.m_nStage - 1).m_bCleared = 1;
      return SCENE_CHALLENGE;
    case TITLEITEM_FREE:
      if (progress.m_bSeries != 0 && g_bStartStage == 0) return SCENE_TITLE;
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
  // The registration and the ranking display come with the rankings.
}
