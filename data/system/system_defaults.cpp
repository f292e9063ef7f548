// The values of a new system record. They are also what every member and list keeps
// when an older System.dat lacks it.
#include <initializer_list>
#include <string>
#include <vector>

#include "data/system/font_faces.h"
#include "data/system/screen_texts.h"
#include "data/system/system_data.h"
#include "data/system/system_ini_keys.h"

namespace {

void SetCmdItems(std::vector<cCmdItem>& items, std::initializer_list<const char*> labels) {
  items.assign(labels.size(), cCmdItem());
  std::size_t i = 0;
  for (const char* label : labels) items[i++].m_strLabel = label;
}

}  // namespace

void cSystemData::Reset() {
  cDataRecord::Reset();

  m_nExtraLifeScore = 100;
  m_bPauseHidesStage = 1;
  m_bFontFlag = 0;
  m_nFontFace = kDefaultFontFace;
  m_bRecordReplay = 1;
  m_bTitlePictures = 1;
  m_bCarryLives = 1;
  m_bRetryMenu = 1;
  m_bMapLivesBox = 1;
  m_nChallengeCount = 40;
  m_bFixedChallengeCount = 1;
  m_bMapBestScore = 1;
  m_bMapMenuTotalScore = 1;
  m_bChallengeHighScore = 1;
  m_bChallengeTotalScore = 1;
  m_bRestoreVarsStory = 1;
  m_bRestoreVarsChallenge = 1;
  m_bRestoreVarsFree = 1;
  m_bRetryClearedStory = 1;
  m_bGiveUpClearedStory = 1;
  m_bRetryClearedChallenge = 1;
  m_nColorAnimeSpeed = 16;
  m_nDepthD3D = 0;  // 32 bits
  m_nDepthDD = 2;   // 8 bits

  m_CarrySwitch.assign(25, 0);
  for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) m_CarrySwitch[static_cast<std::size_t>(i)] = 1;
  m_ResetSwitch.assign(25, 0);
  m_ResetSwitch[11] = 1;
  m_ResetSwitch[12] = 1;

  struct StatusDefault {
    int nDigits;
    const char* lpLabel;
  };
  static const StatusDefault kStatus[STATUSITEM_COUNT] = {
      {4, "スコア"}, {3, "スコア"}, {0, "HP"}, {0, "SP"}, {2, "人"}};
  m_StatusItems.assign(STATUSITEM_COUNT, cSysStatusItem());
  for (int i = 0; i < STATUSITEM_COUNT; ++i) {
    cSysStatusItem& item = m_StatusItems[static_cast<std::size_t>(i)];
    item.m_bShow = 1;
    item.m_bIcon = 1;
    item.m_nDigits = kStatus[i].nDigits;
    item.m_strLabel = kStatus[i].lpLabel;
  }

  // Story, challenge and free play are ranked with every result kind; replays are not.
  m_ModeRanking.assign(4, cModeRanking());
  for (std::size_t i = 0; i < 3; ++i) {
    m_ModeRanking[i].m_bRankingOn = 1;
    m_ModeRanking[i].m_ResultOn.assign(RANKRESULT_COUNT, 1);
  }

  SetCmdItems(m_TitleMenu, {"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"});
  SetCmdItems(m_MapMenu, {"セーブ", "オートセーブ", "もどる", "タイトルへ"});
  SetCmdItems(m_OptionMenu, {"", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"});

  m_RankRegLabels = {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）",
                     "自動登録（登録名固定）"};

  m_Lives = {5, 5, 5, 99};
  m_bInfiniteLives = {1, 1, 1, 1};

  m_Texts.assign(DefaultScreenTexts, DefaultScreenTexts + SCREENTEXT_COUNT);
  m_SystemSounds.assign(kSystemSoundCount, std::string());

  m_SceneBgm.assign(4, 0);
  m_SceneBgmLoop.assign(4, 1);

  SetDefaultIniItems(m_IniItems);
}
