#include "stage/stage_ranking.h"

#include "app/checked_access.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "stage/ranking.h"
#include "stage/ranking_kinds.h"

namespace {

bool StageShowsKind(int nKind) {
  const std::vector<std::int32_t>& kinds = g_StageData.m_vResultKind;
  return nKind >= 0 && static_cast<std::size_t>(nKind) < kinds.size() && kinds[static_cast<std::size_t>(nKind)] != 0;
}

}  // namespace

bool IsRankedKind(int nPlayMode, int nKind) { return IsRankKindOn(nPlayMode, nKind) != 0 && StageShowsKind(nKind); }

std::int32_t RankOfResult(int nKind, std::int32_t nValue) {
  return CheckedAt(g_RankingSet.m_vRanking, nKind).GetRank(nValue);
}

void InsertResult(int nKind, const std::string& name, std::int32_t nValue) {
  CheckedAt(g_RankingSet.m_vRanking, nKind).Insert(name, nValue);
}

void SaveStageRanking() {
  const cProgress& progress = g_Progress;
  cRankingSet::Save(g_RankingSet, g_GameMgr.m_nPlayMode, progress.m_strStageName, progress.m_bRankSuffix,
                    progress.m_nRankSuffixA, progress.m_nRankSuffixB);
}

void LoadStageRanking() {
  const cProgress& progress = g_Progress;
  cRankingSet::Load(g_RankingSet, g_GameMgr.m_nPlayMode, progress.m_strStageName, progress.m_bRankSuffix,
                    progress.m_nRankSuffixA, progress.m_nRankSuffixB);
}

int RankedKindCount(int nPlayMode) { return GetCmdCount(nPlayMode); }

void NextRankedKind(int nPlayMode) { MoveCmdCursor(g_Progress, nPlayMode, 1); }

void DrawStageRanking(DDSURFACEDATA* lpDst, int x, int y, int nKind, int nHighlight) {
  g_RankingSet.Draw(lpDst, x, y, nKind, nHighlight);
}
