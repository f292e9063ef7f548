#include "stage/stage_ranking.h"

#include "app/checked_access.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"

bool IsRankedKind(int nPlayMode, int nKind) {
  const cModeRanking& mode = CheckedAt(g_SystemData.m_ModeRanking, nPlayMode);
  return CheckedAt(mode.m_ResultOn, nKind) != 0 && CheckedAt(g_StageData.m_vResultKind, nKind) != 0;
}

std::int32_t RankOfResult(int, std::int32_t) { return -1; }

void InsertResult(int, const std::string&, std::int32_t) {}

void SaveStageRanking() {}

void LoadStageRanking() {}

int RankedKindCount(int) { return 0; }

void NextRankedKind(int) {}

void DrawStageRanking(DDSURFACEDATA*, int, int, int, int) {}
