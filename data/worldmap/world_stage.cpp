#include "data/worldmap/world_stage.h"

namespace {

constexpr unsigned kAddedReqScore = 209;
constexpr unsigned kWorldStageAddedRankSuffix = 758;

}  // namespace

const char* const WorldStageKindLabels[4] = {"ワールド", "道", "壁", ""};
const char* const AfterLastStageLabels[4] = {"しない", "2周目へ突入", "タイトルへ戻る", ""};

cWorldStage::cWorldStage() {
  Register(g_nDataVersion);
  Reset();
}

void cWorldStage::Reset() {
  cDataRecord::Reset();
  m_nRankSuffixA = 1;
}

void cWorldStage::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  AddMember(&m_nKind);
  AddMember(&m_nAuxA);
  AddMember(&m_nStageNo);
  AddMember(&m_bManualEntry);
  AddMember(&m_bWalkFlag);
  AddMember(&m_nAuxB);
  AddMember(&m_nReqSwitch);
  AddMember(&m_nReqVar);
  AddMember(&m_nReqValue);
  AddMember(&m_nReqOp);
  if (v >= kAddedReqScore) AddMember(&m_nReqScore);
  if (v >= kWorldStageAddedRankSuffix) {
    AddMember(&m_bRankSuffix);
    AddMember(&m_nRankSuffixA);
    AddMember(&m_nRankSuffixB);
  }
  AddString(&m_strStageName);
  AddString(&m_strStageFile);
}

void cWorldStage::Read(cDataReader& in) {
  cDataRecord::Read(in);
  if (static_cast<unsigned>(g_nFileVersion) < kAddedReqScore) m_nReqScore = 0;
}
