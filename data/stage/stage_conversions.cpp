#include "data/stage/stage_conversions.h"

#include <cstdint>

#include "data/stage/stage_data.h"

namespace {

// Texts kept for the authoring tool: files before version 754 had no fixed count.
constexpr std::size_t kStageTextCount = 1000;

bool StageConversionsBelow(int nFileVersion, std::uint32_t threshold) { return static_cast<std::uint32_t>(nFileVersion) < threshold; }

// Before 155 one hit area served walking and flying, centred in the cell.
void SplitFlyingHitAreas(cStageData& s) {
  s.m_nPlayerHitFlyW = s.m_nPlayerHitWalkW;
  s.m_nPlayerHitFlyH = s.m_nPlayerHitWalkH;
  s.m_nCharaHitFlyW = s.m_nCharaHitWalkW;
  s.m_nCharaHitFlyH = s.m_nCharaHitWalkH;
  s.m_bPlayerHitWalkBottom = 0;
  s.m_bPlayerHitFlyBottom = 0;
  s.m_bCharaHitWalkBottom = 0;
  s.m_bCharaHitFlyBottom = 0;
}

// Before 181 a stage recorded three results; the HP and SP results were added off.
void AddHpAndSpResults(cStageData& s) {
  s.m_vResultKind.resize(RESULT_KIND_COUNT, 0);
  s.m_vResultKind[RESULT_HPLEFT] = 0;
  s.m_vResultKind[RESULT_SPLEFT] = 0;
}

// Before 200 the body boxes and the first hit part were fixed.
void SetFixedBodyBoxes(cStageData& s) {
  s.m_nPlayerWalkW = 16;
  s.m_nPlayerWalkH = 24;
  s.m_nPlayerFlyW = 16;
  s.m_nPlayerFlyH = 16;
  s.m_bPlayerWalkBottom = 1;
  s.m_bPlayerFlyBottom = 0;
  s.m_nPlayerPartValue0 = 0;
  s.m_nPlayerPartSel0 = 5;
  s.m_nCharaWalkW = 16;
  s.m_nCharaWalkH = 30;
  s.m_nCharaFlyW = 16;
  s.m_nCharaFlyH = 30;
  s.m_bCharaWalkBottom = 1;
  s.m_bCharaFlyBottom = 1;
}

}  // namespace

void ConvertOldStage(cStageData& stage, int nFileVersion) {
  if (!StageConversionsBelow(nFileVersion, 811)) return;
  if (StageConversionsBelow(nFileVersion, 155)) SplitFlyingHitAreas(stage);
  if (StageConversionsBelow(nFileVersion, 166)) stage.m_bBgmLoop = 1;
  if (StageConversionsBelow(nFileVersion, 181)) AddHpAndSpResults(stage);
  if (StageConversionsBelow(nFileVersion, 183)) stage.m_bShowStatus = 1;
  if (StageConversionsBelow(nFileVersion, 184)) stage.m_bClearAutoAdvance = 0;
  if (StageConversionsBelow(nFileVersion, 199)) stage.m_bBgmKeep = 0;
  if (StageConversionsBelow(nFileVersion, 200)) SetFixedBodyBoxes(stage);
  if (StageConversionsBelow(nFileVersion, 225)) stage.m_bStartBanner = 0;
  if (StageConversionsBelow(nFileVersion, 754)) stage.m_vText.resize(kStageTextCount, cStageString());
}
