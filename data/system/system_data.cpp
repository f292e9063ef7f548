#include "data/system/system_data.h"

#include <utility>

#include "app/checked_access.h"
#include "data/common/database_list_sizes.h"
#include "data/common/record_versions.h"
#include "data/record/data_lists.h"
#include "data/system/font_faces.h"
#include "data/system/system_ranges.h"

cSystemData g_SystemData;

cSystemData::cSystemData() {
  Register(g_nDataVersion);
  Reset();
}

void cSystemData::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  if (v >= 185u) AddMember(&m_bExtraLife);
  AddMember(&m_nExtraLifeScore);
  AddMember(&m_bPauseHidesStage);
  AddMember(&m_bFontFlag);
  if (v >= 205u) AddMember(&m_nFontFace);
  if (v >= 170u) AddMember(&m_nFontMode);
  if (v >= 113u) AddMember(&m_bKeepTestFlows);
  if (v >= 184u) AddMember(&m_bRecordReplay);
  if (v >= 157u) AddMember(&m_bTitlePictures);
  AddMember(&m_bCarryLives);
  if (v >= 191u) AddMember(&m_bRetryMenu);
  if (v >= 191u) AddMember(&m_bMapLivesBox);
  AddMember(&m_nChallengeCount);
  AddMember(&m_bFixedChallengeCount);
  if (v >= 167u) AddMember(&m_bMapBestScore);
  if (v >= 167u) AddMember(&m_bMapMenuTotalScore);
  if (v >= 188u) AddMember(&m_bRestoreVarsStory);
  if (v >= 224u) AddMember(&m_bRetryClearedStory);
  if (v >= 167u) AddMember(&m_bChallengeHighScore);
  if (v >= 167u) AddMember(&m_bChallengeTotalScore);
  if (v >= 188u) AddMember(&m_bRestoreVarsChallenge);
  if (v >= 224u) AddMember(&m_bRetryClearedChallenge);
  if (v >= 188u) AddMember(&m_bRestoreVarsFree);
  if (v >= 192u) AddMember(&m_bRestoreVarsDirect);
  if (v >= 187u) {
    AddMember(&m_bFullColor);
    AddMember(&m_byKeyRed);
    AddMember(&m_byKeyGreen);
    AddMember(&m_byKeyBlue);
  }
  if (v >= 214u) AddMember(&m_bRuleScrollSync);
  if (v >= 221u && v <= 259u) AddMember(&g_Scratch.an32[0]);  // a value of those versions, dropped
  if (v >= 261u) AddMember(&m_bRuleChara261);
  if (v >= 272u) AddMember(&m_bRuleDefeat272);
  if (v >= 287u) AddMember(&m_bPaletteSwap);
  if (v >= 515u) AddMember(&m_nColorAnimeSpeed);
  if (v >= 289u) AddMember(&m_bPaletteAnime);
  if (v >= 757u) AddMember(&m_bGiveUpClearedStory);
  if (v >= 525u) AddMember(&m_bRuleTrigger525);
  if (v >= 555u) AddMember(&m_bRuleShot555);
  if (v >= 637u) AddMember(&m_bRuleBlockSpawn637);
  if (v >= 669u) AddMember(&m_bRuleKeySeq669);
  if (v >= 677u) AddMember(&m_bRuleLanding677);
  if (v >= 695u) AddMember(&m_bRuleMoveTime695);
  if (v >= 696u) AddMember(&m_bRule696);
  if (v >= 697u) AddMember(&m_bRuleSetStage697);
  if (v >= 721u) AddMember(&m_bRuleWarp721);
  if (v >= 728u) AddMember(&m_bRuleCharge728);
  if (v >= 733u) AddMember(&m_bRuleDistance733);
  if (v >= 744u) AddMember(&m_bRuleTrigger744);
  if (v >= 749u) AddMember(&m_bRule749);
  if (v >= 752u) AddMember(&m_bRuleCode752);
  if (v >= 763u) AddMember(&m_bRuleHitGroups763a);
  if (v >= 763u) AddMember(&m_bRuleHitGroups763b);
  if (v >= 768u) AddMember(&m_bRulePlaceChara768);
  if (v >= 773u) AddMember(&m_bRuleMoveStraight773);
  if (v >= 781u) AddMember(&m_bRuleBlockAbove781);
  if (v >= 782u) AddMember(&m_bRuleDistanceCond782);
  if (v >= 783u) AddMember(&m_bRuleMoveStraight783);
  if (v >= 793u) AddMember(&m_bRuleGroundStick793);
  if (v >= 805u) AddMember(&m_bRuleGroundTurn805);
  if (v >= 808u) AddMember(&m_bRuleSolidChara808);
  if (v >= 670u) AddMember(&m_nDepthD3D);
  if (v >= 670u) AddMember(&m_nDepthDD);
  AddString(&m_strTitle);
}

void cSystemData::Read(cDataReader& in) {
  // Read into a copy, so that damaged data leaves this record whole and as it was.
  cSystemData staged(*this);
  staged.ReadBody(in);
  if (in.Damaged()) return;
  *this = std::move(staged);
}

void cSystemData::ReadBody(cDataReader& in) {
  cDataRecord::Read(in);
  ReadLists(in);
  if (in.Damaged()) return;
  const unsigned version = FileVersion();
  if (version < static_cast<unsigned>(g_nDataVersion)) ConvertOldFile(version);
  ClampSystemRanges(*this, in.Name());
  Normalize();
}

void cSystemData::ReadLists(cDataReader& in) {
  const unsigned version = FileVersion();
  // A list is read when the file's version stores it and the data goes on; a list past
  // the end of a cut file keeps what it held, like the members past the end.
  const auto stored = [&](unsigned from) { return version >= from && in.Remaining() > 0; };
  if (stored(0u)) ReadByteVector(m_CarrySwitch, in);
  if (stored(501u)) ReadByteVector(m_ResetSwitch, in);
  if (stored(0u)) LoadVector(m_StatusItems, in);
  if (stored(0u)) ReadIntVector(m_Lives, in);
  if (stored(191u)) ReadIntVector(m_bInfiniteLives, in);
  if (stored(186u)) LoadVector(m_ModeRanking, in);
  if (stored(0u)) ReadStringVector(m_Texts, in);
  if (stored(0u)) ReadStringVector(m_SystemSounds, in);
  if (stored(0u)) ReadIntVector(m_SceneBgm, in);
  if (stored(202u)) ReadByteVector(m_SceneBgmLoop, in);
  if (stored(0u)) LoadVector(m_TitleMenu, in);
  if (stored(0u)) LoadVector(m_MapMenu, in);
  if (stored(0u)) LoadVector(m_OptionMenu, in);
  if (stored(674u)) ReadStringVector(m_RankRegLabels, in);
  if (stored(0u)) LoadVector(m_IniItems, in);
}

void cSystemData::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteByteVector(m_CarrySwitch, out);
  WriteByteVector(m_ResetSwitch, out);
  SaveVector(m_StatusItems, out);
  WriteIntVector(m_Lives, out);
  WriteIntVector(m_bInfiniteLives, out);
  SaveVector(m_ModeRanking, out);
  WriteStringVector(m_Texts, out);
  WriteStringVector(m_SystemSounds, out);
  WriteIntVector(m_SceneBgm, out);
  WriteByteVector(m_SceneBgmLoop, out);
  SaveVector(m_TitleMenu, out);
  SaveVector(m_MapMenu, out);
  SaveVector(m_OptionMenu, out);
  WriteStringVector(m_RankRegLabels, out);
  SaveVector(m_IniItems, out);
}

void cSystemData::Normalize() {
  ClampSceneBgm();
  // The start-up sequence picks the font face by this index.
  m_nFontFace = ClampFontFace(m_nFontFace);
}

void cSystemData::ClampSceneBgm() {
  const auto nBgmCount = static_cast<std::uint32_t>(GetDatabaseSize(DBKIND_BGM));
  for (std::int32_t& bgm : m_SceneBgm) {
    if (static_cast<std::uint32_t>(bgm) >= nBgmCount) bgm = 0;
  }
}

int cSystemData::IsStatusReached(int nItem, int value, int maximum) const {
  const cSysStatusItem& item = CheckedAt(m_StatusItems, nItem);
  if (!item.m_bPercent) return value <= item.m_nThreshold ? 1 : 0;
  // Without a maximum the percentage is +inf for a positive value (never reached),
  // undefined for 0 (never reached) and -inf for a negative value (reached).
  if (maximum == 0) return value < 0 ? 1 : 0;
  const double percent = value * 100.0 / maximum;
  return item.m_nThreshold >= percent ? 1 : 0;
}
