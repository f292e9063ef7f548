// Upgrading system data read from files older than the current version. Each step
// applies to files below the version it names and runs after the whole file is read,
// in this order: later steps see the lists as earlier steps left them.
#include <initializer_list>
#include <vector>

#include "app/checked_access.h"
#include "data/system/font_faces.h"
#include "data/system/list_gaps.h"
#include "data/system/mode_ranking.h"
#include "data/system/system_data.h"

namespace {

// Cuts or grows a list to `size` entries; new entries are those of a new record.
template <typename T>
void SizeList(std::vector<T>& list, std::size_t size) {
  list.resize(size, T());
}

}  // namespace

void cSystemData::ConvertOldFile(unsigned nVersion) {
  const auto below = [nVersion](unsigned threshold) { return nVersion < threshold; };

  if (below(113)) m_bKeepTestFlows = 0;
  if (below(157)) m_bTitlePictures = 0;
  if (below(167)) {
    m_bMapBestScore = 1;
    m_bMapMenuTotalScore = 1;
    m_bChallengeHighScore = 1;
    m_bChallengeTotalScore = 1;
  }
  if (below(168)) {
    SizeList(m_CarrySwitch, 25);
    InsertByteGap(m_CarrySwitch, 16);
    CheckedAt(m_CarrySwitch, 16) = 1;
  }
  if (below(169)) {
    // Auto save joined the world-map menu, with its two choices and its message.
    SizeList(m_MapMenu, 4);
    InsertListGap(m_MapMenu, 1);
    cCmdItem& autoSave = CheckedAt(m_MapMenu, 1);
    autoSave.m_bEnabled = 1;
    autoSave.m_strLabel = "オートセーブ";
    SizeList(m_Texts, 29);
    for (const char* text : {"保存先が不明です！一度は「セーブ」して下さい！", "オートセーブＯＦＦ", "オートセーブＯＮ"}) {
      InsertTextGap(m_Texts, 12);
      CheckedAt(m_Texts, 12) = text;
    }
  }
  if (below(170)) m_nFontMode = 0;
  if (below(181)) {
    // Remaining HP and SP became result kinds.
    for (int mode = 0; mode < 4; ++mode) {
      cModeRanking& ranking = CheckedAt(m_ModeRanking, mode);
      SizeList(ranking.m_ResultOn, RANKRESULT_COUNT);
      CheckedAt(ranking.m_ResultOn, RANKRESULT_HP_LEFT) = 0;
      CheckedAt(ranking.m_ResultOn, RANKRESULT_SP_LEFT) = 0;
    }
    SizeList(m_Texts, 29);
    InsertTextGap(m_Texts, 8);
    CheckedAt(m_Texts, 8) = "残りHP";
    InsertTextGap(m_Texts, 9);
    CheckedAt(m_Texts, 9) = "残りSP";
  }
  if (below(184)) m_bRecordReplay = 1;
  if (below(185)) m_bExtraLife = 1;
  if (below(187)) {
    m_bFullColor = 0;
    m_byKeyRed = 0;
    m_byKeyGreen = 177;
    m_byKeyBlue = 0;
  }
  if (below(188)) {
    m_bRestoreVarsStory = 1;
    m_bRestoreVarsChallenge = 1;
    m_bRestoreVarsFree = 1;
  }
  if (below(191)) {
    m_bInfiniteLives = {0, 0, 0, 1};
    m_bRetryMenu = 0;
    m_bMapLivesBox = 0;
  }
  if (below(192)) m_bRestoreVarsDirect = 1;
  if (below(193)) {
    // The retry menu after a lost life.
    SizeList(m_Texts, 29);
    InsertTextGap(m_Texts, 22);
    CheckedAt(m_Texts, 22) = "リトライ";
    InsertTextGap(m_Texts, 23);
    CheckedAt(m_Texts, 23) = "マップへ戻る";
  }
  if (below(201)) {
    SizeList(m_CarrySwitch, 25);
    InsertByteGap(m_CarrySwitch, 14);
    CheckedAt(m_CarrySwitch, 14) = 0;
  }
  if (below(202)) m_SceneBgmLoop = {1, 1, 1, 1};
  if (below(205)) m_nFontFace = kDefaultFontFace;
  if (below(210)) {
    SizeList(m_CarrySwitch, 25);
    InsertByteGap(m_CarrySwitch, 9);
    CheckedAt(m_CarrySwitch, 9) = 0;
  }
  if (below(214)) m_bRuleScrollSync = 1;
  if (below(224)) {
    m_bRetryClearedStory = 0;
    m_bRetryClearedChallenge = 0;
  }
  if (below(261)) m_bRuleChara261 = 1;
  if (below(272)) m_bRuleDefeat272 = 0;
  if (below(286)) {
    // The choice of drawing back end joined System.ini; the old VSync 3 is now 2.
    SizeList(m_IniItems, 10);
    InsertIniGap(m_IniItems, 0);
    CheckedAt(m_IniItems, 0).SetInt("Direct3D", 1);
    cIniItem& vsync = CheckedAt(m_IniItems, 3);
    if (vsync.m_nValue >= 3) vsync.m_nValue = 2;
  }
  if (below(287)) m_bPaletteSwap = 0;
  if (below(289)) m_bPaletteAnime = m_bFullColor == 0 ? 1 : 0;
  if (below(501)) m_ResetSwitch.assign(25, 0);
  if (below(515)) m_nColorAnimeSpeed = 16;
  if (below(525)) m_bRuleTrigger525 = 1;
  if (below(555)) m_bRuleShot555 = 1;
  if (below(567)) {
    SizeList(m_IniItems, 10);
    InsertIniGap(m_IniItems, 4);
    CheckedAt(m_IniItems, 4).SetInt("DD_VideoStretch", 0);
  }
  if (below(568)) {
    SizeList(m_IniItems, 10);
    InsertIniGap(m_IniItems, 4);
    CheckedAt(m_IniItems, 4).SetInt("D3D_FontCache", 0);
    InsertIniGap(m_IniItems, 5);
    CheckedAt(m_IniItems, 5).SetInt("DD_FontCache", 1);
  }
  if (below(587)) {
    SizeList(m_StatusItems, 5);
    for (int item : {STATUSITEM_HP, STATUSITEM_SP}) {
      CheckedAt(m_StatusItems, item).m_nThreshold = 33;
      CheckedAt(m_StatusItems, item).m_bPercent = 1;
    }
  }
  if (below(637)) m_bRuleBlockSpawn637 = nVersion <= 616 ? 1 : 0;
  if (below(669)) m_bRuleKeySeq669 = 1;
  if (below(670)) {
    m_nDepthD3D = 0;
    m_nDepthDD = 2;
  }
  if (below(672)) {
    SizeList(m_IniItems, 10);
    CheckedAt(m_IniItems, 9).SetInt("English", 0);
  }
  if (below(677)) m_bRuleLanding677 = 1;
  if (below(695)) m_bRuleMoveTime695 = 1;
  if (below(696)) m_bRule696 = 1;
  if (below(697)) m_bRuleSetStage697 = 1;
  if (below(721)) m_bRuleWarp721 = 1;
  if (below(728)) m_bRuleCharge728 = 1;
  if (below(733)) m_bRuleDistance733 = 1;
  if (below(744)) m_bRuleTrigger744 = 1;
  if (below(749)) m_bRule749 = 1;
  if (below(752)) m_bRuleCode752 = 1;
  if (below(756)) {
    // The give-up item of the pause menu.
    SizeList(m_Texts, 29);
    InsertTextGap(m_Texts, 22);
    CheckedAt(m_Texts, 22) = "マップへ戻る";
  }
  if (below(757)) m_bGiveUpClearedStory = 0;
  if (below(763)) {
    m_bRuleHitGroups763a = 1;
    m_bRuleHitGroups763b = 1;
  }
  if (below(768)) m_bRulePlaceChara768 = 1;
  if (below(773)) m_bRuleMoveStraight773 = 1;
  if (below(781)) m_bRuleBlockAbove781 = 1;
  if (below(782)) m_bRuleDistanceCond782 = 1;
  if (below(783)) m_bRuleMoveStraight783 = 1;
  if (below(793)) m_bRuleGroundStick793 = 1;
  if (below(805)) m_bRuleGroundTurn805 = 1;
  if (below(808)) m_bRuleSolidChara808 = 1;
}
