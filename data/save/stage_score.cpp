#include "data/save/stage_score.h"

namespace {

constexpr unsigned kStageScoreAddedRankKey = 759;

}  // namespace

cStageScore::cStageScore() {
  Register(g_nDataVersion);
  Reset();
}

void cStageScore::RegisterMembers(int version) {
  const bool keyed = static_cast<unsigned>(version) >= kStageScoreAddedRankKey;
  ClearMembers();
  if (keyed) {
    AddMember(&m_bRankSuffix);
    AddMember(&m_nRankSuffixA);
    AddMember(&m_nRankSuffixB);
  }
  AddMember(&m_nBest);
  AddString(&m_strStageName);
  if (keyed) AddString(&m_strRankKey);
}

void cStageScore::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (static_cast<unsigned>(g_nFileVersion) < kStageScoreAddedRankKey) m_strRankKey = m_strStageName;
}
