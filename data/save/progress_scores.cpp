// The best value reached per stage and their total.
#include "data/save/progress.h"
#include "data/worldmap/world_map.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Best values come from save files: sums of damaged ones must not overflow.
std::int32_t Saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void cProgress::UpdateStageScore(const std::string& name, const std::string& key, int bSuffix, int nSuffixA,
                                 int nSuffixB, int value) {
  for (cStageScore& score : m_StageScores) {
    if (score.m_strRankKey != key) continue;
    if (score.m_nBest < value) {
      m_nTotalBest = Saturated(std::int64_t{m_nTotalBest} + value - score.m_nBest);
      score.m_nBest = value;
    }
    return;
  }
  cStageScore& score = m_StageScores.emplace_back();
  score.m_strStageName = name;
  score.m_strRankKey = key;
  score.m_bRankSuffix = bSuffix;
  score.m_nRankSuffixA = nSuffixA;
  score.m_nRankSuffixB = nSuffixB;
  score.m_nBest = value;
  m_nTotalBest = Saturated(std::int64_t{m_nTotalBest} + value);
}

int cProgress::GetStageScore(const std::string& key) const {
  for (const cStageScore& score : m_StageScores)
    if (score.m_strRankKey == key) return score.m_nBest;
  return 0;
}

void cProgress::RecalcTotal() {
  std::int64_t total = 0;
  for (const cStageScore& score : m_StageScores)
    if (g_WorldMap.HasStage(score.m_strStageName, score.m_bRankSuffix, score.m_nRankSuffixA, score.m_nRankSuffixB))
      total += score.m_nBest;
  m_nTotalBest = Saturated(total);
}
