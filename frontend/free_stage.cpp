#include "frontend/free_stage.h"

#include <string>

#include "app/checked_access.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_load.h"
#include "data/system/system_data.h"
#include "shell/game_init.h"

bool StartFreeStage(const char* path, int findLatest) {
  // A copy: the caller's text may live in a record that the load replaces.
  const std::string file = path != nullptr ? path : "";
  g_Progress.NewGame();
  if (!LoadStageForPlay(file.c_str(), findLatest, &g_StageDataOrg)) return false;
  g_Progress.m_nStage = 1;
  g_Progress.m_nSubStage = 1;
  // A stage started from its file (the command line, System.ini or a test play) plays
  // with infinite lives and without a time limit, as the free mode's rules say.
  if (g_bStartStage) {
    g_StageDataOrg.m_bTimeLimit = 0;
    g_StageData.m_bTimeLimit = 0;
  }
  if (g_bStartStage || CheckedAt(g_SystemData.m_bInfiniteLives, PLAYMODE_FREE)) {
    g_Progress.m_nLivesAtStart = g_Progress.m_nLives = kInfiniteLives;
  } else {
    g_Progress.m_nLivesAtStart = CheckedAt(g_SystemData.m_Lives, PLAYMODE_FREE);
    g_Progress.m_nLives = g_Progress.m_nLivesAtStart - 1;
  }
  // The file actually loaded, relative to the game folder: with findLatest the name
  // given may lack the numbered extension the stage name is cut at.
  g_Progress.MakeStageName(g_StageData.m_strPath, 0, 0, 0);
  return true;
}
