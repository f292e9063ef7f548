#include "data/stage/stage_data.h"

#include <optional>

#include "data/common/record_versions.h"
#include "data/record/data_lists.h"
#include "data/record/shared_list.h"
#include "data/stage/stage_conversions.h"
#include "data/stage/stage_entry_lists.h"
#include "data/stage/stage_ranges.h"
#include "data/stage/stage_size_limits.h"

cStageData g_StageData;
cStageData g_StageDataOrg;

namespace {

constexpr std::uint32_t kFrom155 = 155;  // flying hit areas, hit-area bottom flags
constexpr std::uint32_t kFrom166 = 166;  // looping music
constexpr std::uint32_t kFrom183 = 183;  // status bar switch
constexpr std::uint32_t kFrom184 = 184;  // clear without the result window
constexpr std::uint32_t kFrom199 = 199;  // keeping the music
constexpr std::uint32_t kFrom200 = 200;  // body boxes, their bottom flags, hit part 1
constexpr std::uint32_t kFrom225 = 225;  // start banner
// Files from this version on end with the sentinel; from the next it is compared.
constexpr std::uint32_t kSentinelFrom = 173;
constexpr std::uint32_t kSentinelComparedFrom = 174;

constexpr std::int32_t kDefaultStageFps = 60;
constexpr std::int32_t kDefaultTimeLimit = 200;
constexpr std::int32_t kDefaultTimeWarning = 20;
constexpr double kDefaultGravity = 0.4;
constexpr std::int32_t kDefaultKeyedInvincible = 30;
constexpr std::int32_t kPlayerShotMargin = 10;

// Placements: at most one per cell of the largest grid.
constexpr std::int32_t kMaxPlacements = static_cast<std::int32_t>(kMaxStageGridCells);

// The out-of-screen ranges of a new stage: every side of the two shot ranges tested, the
// player side's shots 10 blocks beyond the view; the other ranges test no side.
void SetNewStageRanges(std::array<cScreenOutRange, OUTRANGE_COUNT>& ranges) {
  ranges[OUTRANGE_WALKING_CHARA].Set(0, 0, 0, 0, 0, 0, 0, 0);
  ranges[OUTRANGE_FLYING_CHARA].Set(0, 0, 0, 0, 0, 0, 0, 0);
  ranges[OUTRANGE_ITEM].Set(0, 0, 0, 0, 0, 0, 0, 0);
  ranges[OUTRANGE_OTHER_SHOT].Set(1, 1, 1, 1, 0, 0, 0, 0);
  ranges[OUTRANGE_PLAYER_SHOT].Set(1, 1, 1, 1, kPlayerShotMargin, kPlayerShotMargin, kPlayerShotMargin,
                                   kPlayerShotMargin);
}

}  // namespace

cStageData::cStageData() {
  Register(g_nDataVersion);
  Reset();
}

void cStageData::Reset() {
  cDataRecord::Reset();

  m_vBlockPlace.clear();
  m_vCharaPlace.clear();
  m_vItemPlace.clear();
  m_vBlockDef.assign(1, NewEntry<cPaletteBlock>());
  m_vCharaDef.assign(1, NewEntry<cPaletteChara>());
  m_vItemDef.assign(1, NewEntry<cPaletteItem>());

  m_nTimeLimit = kDefaultTimeLimit;
  m_bTimeLimit = 0;
  m_nTimeWarning = kDefaultTimeWarning;
  m_dGravity = kDefaultGravity;
  m_nStageFps = kDefaultStageFps;
  m_nCollisionLevel = kDefaultCollisionLevel;
  m_nHitChecksPerFrame = 0;
  m_bLayeredDraw = 1;
  m_bGroupHitOption = 1;
  m_bShowStatus = 1;
  m_bClearAutoAdvance = 0;
  m_bStageBanner = 0;
  m_bStartBanner = 1;
  m_bClearBanner = 1;
  m_bGameOverBanner = 1;
  m_nCharaInvincible = 0;
  m_nCharaKeyedInvincible = kDefaultKeyedInvincible;
  m_nPlayerInvincible = 0;
  m_nPlayerKeyedInvincible = kDefaultKeyedInvincible;

  ResizeStageBackList(m_vBack, 1);
  m_vBack[0].m_bFill = 1;

  m_vResultKind.assign(RESULT_KIND_COUNT, 1);

  SetNewStageRanges(m_OutRange);

  SetSizeDefaults();
}

void cStageData::SetSizeDefaults() {
  m_nPlayerWalkW = 16;
  m_nPlayerWalkH = 24;
  m_nPlayerFlyW = 16;
  m_nPlayerFlyH = 16;
  m_nPlayerHitWalkW = 16;
  m_nPlayerHitWalkH = 24;
  m_nPlayerHitFlyW = 16;
  m_nPlayerHitFlyH = 16;
  m_nPlayerHitKind1W = 12;
  m_nPlayerHitKind1H = 8;
  m_nPlayerBoxW = 16;
  m_nPlayerBoxH = 16;
  m_bPlayerWalkBottom = 1;
  m_bPlayerFlyBottom = 0;
  m_bPlayerHitWalkBottom = 1;
  m_bPlayerHitFlyBottom = 0;
  m_nPlayerPartValue0 = 0;
  m_nPlayerPartValue1 = 0;
  m_nPlayerPartValue2 = 0;
  m_nPlayerPartValue3 = 0;
  m_nPlayerPartSel0 = 0;
  m_nPlayerPartSel1 = 0;
  m_nPlayerPartSel2 = 0;
  m_nPlayerPartSel3 = 0;
  m_nCharaWalkW = 16;
  m_nCharaWalkH = 24;
  m_nCharaFlyW = 16;
  m_nCharaFlyH = 16;
  m_nCharaHitWalkW = 12;
  m_nCharaHitWalkH = 24;
  m_nCharaHitFlyW = 12;
  m_nCharaHitFlyH = 16;
  m_nCharaHitKind1W = 30;
  m_nCharaHitKind1H = 30;
  m_bCharaWalkBottom = 1;
  m_bCharaFlyBottom = 0;
  m_bCharaHitWalkBottom = 1;
  m_bCharaHitFlyBottom = 0;
  m_nItemW = 28;
  m_nItemH = 28;
  m_nPlayerHitKind2W = 16;
  m_nPlayerHitKind2H = 16;
  m_nSizeSpare1 = 16;
  m_nSizeSpare2 = 16;
  m_nCharaHitKind2W = 16;
  m_nCharaHitKind2H = 16;
  m_nSizeSpare3 = 16;
  m_nSizeSpare4 = 16;
  m_nSizeSpare5 = 1;
}

void cStageData::RegisterMembers(int version) {
  const auto from = [version](std::uint32_t first) { return VersionAtLeast(version, first); };
  ClearMembers();
  AddMember(&m_nWidth);
  AddMember(&m_nAuxX);
  AddMember(&m_nAuxY);
  AddMember(&m_nHeight);
  AddMember(&m_bLimitLeft);
  AddMember(&m_bLimitRight);
  AddMember(&m_bLimitTop);
  AddMember(&m_bLimitBottom);
  AddMember(&m_nLimitLeft);
  AddMember(&m_nLimitRight);
  AddMember(&m_nLimitTop);
  AddMember(&m_nLimitBottom);
  AddMember(&m_nStageFps);
  AddMember(&m_bTimeLimit);
  AddMember(&m_nTimeLimit);
  AddMember(&m_nTimeWarning);
  AddMember(&m_nScrollModeX);
  AddMember(&m_nScrollModeY);
  AddMember(&m_nAutoScrollX);
  AddMember(&m_nAutoScrollY);
  AddMember(&m_dGravity);
  AddMember(&m_nCollisionLevel);
  AddMember(&m_nHitChecksPerFrame);
  AddMember(&m_nBgm);
  if (from(kFrom166)) AddMember(&m_bBgmLoop);
  if (from(kFrom199)) AddMember(&m_bBgmKeep);
  AddMember(&m_bLayeredDraw);
  AddMember(&m_bApplyCarryOver);
  AddMember(&m_bStoreCarryOver);
  if (from(kFrom183)) AddMember(&m_bShowStatus);
  if (from(kFrom184)) AddMember(&m_bClearAutoAdvance);
  AddMember(&m_bStageBanner);
  if (from(kFrom225)) AddMember(&m_bStartBanner);
  AddMember(&m_bClearBanner);
  AddMember(&m_bGameOverBanner);

  if (from(kFrom200)) {
    AddMember(&m_nPlayerWalkW);
    AddMember(&m_nPlayerWalkH);
    AddMember(&m_nPlayerFlyW);
    AddMember(&m_nPlayerFlyH);
  }
  AddMember(&m_nPlayerHitWalkW);
  AddMember(&m_nPlayerHitWalkH);
  if (from(kFrom155)) {
    AddMember(&m_nPlayerHitFlyW);
    AddMember(&m_nPlayerHitFlyH);
  }
  AddMember(&m_nPlayerHitKind1W);
  AddMember(&m_nPlayerHitKind1H);
  AddMember(&m_nPlayerBoxW);
  AddMember(&m_nPlayerBoxH);
  if (from(kFrom200)) {
    AddMember(&m_bPlayerWalkBottom);
    AddMember(&m_bPlayerFlyBottom);
  }
  if (from(kFrom155)) {
    AddMember(&m_bPlayerHitWalkBottom);
    AddMember(&m_bPlayerHitFlyBottom);
  }
  if (from(kFrom200)) AddMember(&m_nPlayerPartValue0);
  AddMember(&m_nPlayerPartValue1);
  AddMember(&m_nPlayerPartValue2);
  AddMember(&m_nPlayerPartValue3);
  if (from(kFrom200)) AddMember(&m_nPlayerPartSel0);
  AddMember(&m_nPlayerPartSel1);
  AddMember(&m_nPlayerPartSel2);
  AddMember(&m_nPlayerPartSel3);
  if (from(kFrom200)) {
    AddMember(&m_nCharaWalkW);
    AddMember(&m_nCharaWalkH);
    AddMember(&m_nCharaFlyW);
    AddMember(&m_nCharaFlyH);
  }
  AddMember(&m_nCharaHitWalkW);
  AddMember(&m_nCharaHitWalkH);
  if (from(kFrom155)) {
    AddMember(&m_nCharaHitFlyW);
    AddMember(&m_nCharaHitFlyH);
  }
  AddMember(&m_nCharaHitKind1W);
  AddMember(&m_nCharaHitKind1H);
  if (from(kFrom200)) {
    AddMember(&m_bCharaWalkBottom);
    AddMember(&m_bCharaFlyBottom);
  }
  if (from(kFrom155)) {
    AddMember(&m_bCharaHitWalkBottom);
    AddMember(&m_bCharaHitFlyBottom);
  }
  AddMember(&m_nItemW);
  AddMember(&m_nItemH);
  AddMember(&m_nPlayerHitKind2W);
  AddMember(&m_nPlayerHitKind2H);
  AddMember(&m_nSizeSpare1);
  AddMember(&m_nSizeSpare2);
  AddMember(&m_nCharaHitKind2W);
  AddMember(&m_nCharaHitKind2H);
  AddMember(&m_nSizeSpare3);
  AddMember(&m_nSizeSpare4);
  AddMember(&m_nSizeSpare5);

  AddMember(&m_nPixelWidth);
  AddMember(&m_nPixelHeight);
  AddMember(&m_nSubSteps);
  AddMember(&m_dSubSteps);
  AddMember(&m_dSubStepsSq);
  AddMember(&m_dSpeedLimit);
  AddMember(&m_dGravityStep);
  AddMember(&m_dSpeedLimitStep);
  AddMember(&m_nSubSteps8);
  AddMember(&m_bGroupHitOption);
  AddMember(&m_nCharaKeyedInvincible);
  AddMember(&m_nCharaInvincible);
  AddMember(&m_nPlayerKeyedInvincible);
  AddMember(&m_nPlayerInvincible);

  AddString(&m_strText);
}

void cStageData::Read(cDataReader& in) {
  cDataRecord::Read(in);
  // The size decides how large a grid stage play builds: refuse an impossible one
  // before anything is made from it.
  if (!StageSizeWithinLimits(m_nWidth, m_nHeight) || !StagePixelSizeWithinLimits(m_nPixelWidth) ||
      !StagePixelSizeWithinLimits(m_nPixelHeight))
    in.MarkDamaged(DATADAMAGE_STAGE_SIZE);

  ReadIntVector(m_vResultKind, in);
  // Files before version 125 store only the left flag of a range: the other three flags
  // take the values of a new stage, not those of the stage this record held before.
  SetNewStageRanges(m_OutRange);
  for (cScreenOutRange& range : m_OutRange) range.Read(in);

  // Entries that inherit share the lists they take; one repair of a shared list serves
  // all of its holders while the databases stay as they are.
  std::optional<cRepairPass> pass(std::in_place);
  ReadStageEntryList(m_vBlockDef, in, eEntryList::Definitions, kMinBlockEntryBytes, kMaxDefinitionEntries);
  ReadStageEntryList(m_vCharaDef, in, eEntryList::Definitions, kMinCharaEntryBytes, kMaxDefinitionEntries);
  ReadStageEntryList(m_vItemDef, in, eEntryList::Definitions, kMinItemEntryBytes, kMaxDefinitionEntries);
  // Entry 0 of each definition list is the fixed template entry.
  if (!m_vBlockDef.empty()) m_vBlockDef[0].Reset();
  if (!m_vCharaDef.empty()) m_vCharaDef[0].Reset();
  if (!m_vItemDef.empty()) m_vItemDef[0].Reset();

  ReadStageEntryList(m_vBlockPlace, in, eEntryList::Placements, kMinBlockEntryBytes, kMaxPlacements);
  ReadStageEntryList(m_vCharaPlace, in, eEntryList::Placements, kMinCharaEntryBytes, kMaxPlacements);
  ReadStageEntryList(m_vItemPlace, in, eEntryList::Placements, kMinItemEntryBytes, kMaxPlacements);
  pass.reset();

  LoadVector(m_vBack, in);
  LoadVector(m_vText, in);

  if (!FileBelow(kSentinelFrom)) {
    const std::int32_t sentinel = in.ReadInt32();
    if (!FileBelow(kSentinelComparedFrom) && sentinel != kStageSentinel) in.MarkDamaged(DATADAMAGE_STAGE_END_MARK);
  }
  // Every stage body is complete: one that ends early is damaged, sentinel or not.
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_STAGE_CUT_SHORT);

  if (in.Damaged()) {
    // Nothing of a damaged stage is kept: a new stage takes its place.
    Reset();
    m_vText.clear();
  } else {
    ConvertOldStage(*this, g_nFileVersion);
    ClampStageRanges(*this, in.Name());
  }
  // Stage play reads one flag per result kind.
  m_vResultKind.resize(RESULT_KIND_COUNT, 0);
  Normalize();
}

void cStageData::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteIntVector(m_vResultKind, out);
  for (cScreenOutRange& range : m_OutRange) range.Write(out);
  WriteStageEntryList(m_vBlockDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vCharaDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vItemDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vBlockPlace, out, eEntryList::Placements);
  WriteStageEntryList(m_vCharaPlace, out, eEntryList::Placements);
  WriteStageEntryList(m_vItemPlace, out, eEntryList::Placements);
  SaveVector(m_vBack, out);
  SaveVector(m_vText, out);
  out.WriteInt32(kStageSentinel);
}
