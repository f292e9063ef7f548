#pragma once
// The game-wide settings of data\System.dat: the game title, the front-end menus and
// texts, the status bar, the lives and ranking rules per play mode, carry-over between
// stages, front-end music, system sounds, colour formats, the System.ini key table and
// the rule switches that keep games made with older versions behaving as they did.
//
// A rule switch (m_bRule*) holds 1 for a game made before the data version in its name
// and 0 for newer games; the code that reads it keeps the earlier behaviour while it is 1.
//
// Play-mode index of the per-mode lists: 0 story, 1 challenge, 2 free (a stage file, also
// test play), 3 replay.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/system/cmd_item.h"
#include "data/system/ini_item.h"
#include "data/system/mode_ranking.h"
#include "data/system/sys_status_item.h"

// The system sounds of a game (m_SystemSounds): the first entries of the sound-effect
// table, before the sounds of the Sound database.
constexpr int kSystemSoundCount = 17;
// Challenge stages a game can have: the challenge list and the progress's challenge
// records never grow past this, also when a damaged System data asks for more.
constexpr int kMaxChallengeStages = 999;

// File body at 811: 61 members (58 int32 and 3 bytes, 235 bytes), 1 text (the title),
// then 15 counted lists in the order of the list members below.
class cSystemData : public cDataRecord {
 public:
  cSystemData();
  // The values of a new record (system_defaults.cpp).
  void Reset();

  // The whole body of the file's version, then the conversions of old files, then the
  // clamps. Damaged data leaves the record as it was (the load then fails).
  void Read(cDataReader& in) override;
  // Clamps, then the whole body at the current version.
  void Write(cDataWriter& out) override;

  // Every scene music index not below the length of the Bgm database of g_Database
  // (compared unsigned; the "none" entry 0 included) becomes 0.
  void ClampSceneBgm();
  // 1 when `value` is at or below the threshold of status item `nItem`.
  int IsStatusReached(int nItem, int value, int maximum) const;

  // Scalar members, in file order; "from" is the first data version that stores one.
  std::int32_t m_bExtraLife = 0;               // from 185: score awards extra lives
  std::int32_t m_nExtraLifeScore = 0;          // score per extra life
  std::int32_t m_bPauseHidesStage = 0;         // the pause menu shows only backgrounds
  std::int32_t m_bFontFlag = 0;                // icon switch of system font 1
  std::int32_t m_nFontFace = 0;                // from 205: index into SystemFontNames
  std::int32_t m_nFontMode = 0;                // from 170: centring switch of system font 1
  std::int32_t m_bKeepTestFlows = 0;           // from 113: test flows stay outside test play
  std::int32_t m_bRecordReplay = 0;            // from 184: stage play records replays
  std::int32_t m_bTitlePictures = 0;           // from 157: the title menu shows pictures
  std::int32_t m_bCarryLives = 0;              // story stages keep the lives left
  std::int32_t m_bRetryMenu = 0;               // from 191: a lost story life offers a retry
  std::int32_t m_bMapLivesBox = 0;             // from 191: the world map shows the lives
  std::int32_t m_nChallengeCount = 0;          // number of challenge stages
  std::int32_t m_bFixedChallengeCount = 0;     // the challenge list always shows them all
  std::int32_t m_bMapBestScore = 0;            // from 167
  std::int32_t m_bMapMenuTotalScore = 0;       // from 167
  std::int32_t m_bRestoreVarsStory = 0;        // from 188: a retry restores the variables
  std::int32_t m_bRetryClearedStory = 0;       // from 224: retry only once cleared
  std::int32_t m_bChallengeHighScore = 0;      // from 167
  std::int32_t m_bChallengeTotalScore = 0;     // from 167
  std::int32_t m_bRestoreVarsChallenge = 0;    // from 188
  std::int32_t m_bRetryClearedChallenge = 0;   // from 224
  std::int32_t m_bRestoreVarsFree = 0;         // from 188
  std::int32_t m_bRestoreVarsDirect = 0;       // from 192: started on System.ini's FreeStage
  std::int32_t m_bFullColor = 0;               // from 187: 0 256 colours, 1 24-bit pictures
  std::uint8_t m_byKeyRed = 0;                 // from 187: transparent colour of 24-bit pictures
  std::uint8_t m_byKeyGreen = 0;               // from 187
  std::uint8_t m_byKeyBlue = 0;                // from 187
  std::int32_t m_bRuleScrollSync = 0;          // from 214 (files 221 to 259 store one more int32 after it)
  std::int32_t m_bRuleChara261 = 0;            // from 261
  std::int32_t m_bRuleDefeat272 = 0;           // from 272: read after each defeat test
  std::int32_t m_bPaletteSwap = 0;             // from 287: Direct3D palette-swap graphics
  std::int32_t m_nColorAnimeSpeed = 0;         // from 515: Direct3D colour animation step
  std::int32_t m_bPaletteAnime = 0;            // from 289: 8-bit palette animation
  std::int32_t m_bGiveUpClearedStory = 0;      // from 757: give up only once cleared
  std::int32_t m_bRuleTrigger525 = 0;          // from 525
  std::int32_t m_bRuleShot555 = 0;             // from 555
  std::int32_t m_bRuleBlockSpawn637 = 0;       // from 637 (1 only for games up to 616)
  std::int32_t m_bRuleKeySeq669 = 0;           // from 669
  std::int32_t m_bRuleLanding677 = 0;          // from 677
  std::int32_t m_bRuleMoveTime695 = 0;         // from 695
  std::int32_t m_bRule696 = 0;                 // from 696: stored only
  std::int32_t m_bRuleSetStage697 = 0;         // from 697
  std::int32_t m_bRuleWarp721 = 0;             // from 721
  std::int32_t m_bRuleCharge728 = 0;           // from 728
  std::int32_t m_bRuleDistance733 = 0;         // from 733
  std::int32_t m_bRuleTrigger744 = 0;          // from 744
  std::int32_t m_bRule749 = 0;                 // from 749
  std::int32_t m_bRuleCode752 = 0;             // from 752
  std::int32_t m_bRuleHitGroups763a = 0;       // from 763
  std::int32_t m_bRuleHitGroups763b = 0;       // from 763
  std::int32_t m_bRulePlaceChara768 = 0;       // from 768
  std::int32_t m_bRuleMoveStraight773 = 0;     // from 773
  std::int32_t m_bRuleBlockAbove781 = 0;       // from 781
  std::int32_t m_bRuleDistanceCond782 = 0;     // from 782
  std::int32_t m_bRuleMoveStraight783 = 0;     // from 783
  std::int32_t m_bRuleGroundStick793 = 0;      // from 793
  std::int32_t m_bRuleGroundTurn805 = 0;       // from 805
  std::int32_t m_bRuleSolidChara808 = 0;       // from 808
  std::int32_t m_nDepthD3D = 0;                // from 670: full screen, 0 32 bits, 1 16 bits
  std::int32_t m_nDepthDD = 0;                 // from 670: 0 32 bits, 1 16 bits, 2 8 bits

  std::string m_strTitle;  // the game title

  // Lists, in file order. Readers reach their elements through CheckedAt: a file may
  // hold other counts than a new record.
  std::vector<std::uint8_t> m_CarrySwitch;    // 25: which values carry over between stages
  std::vector<std::uint8_t> m_ResetSwitch;    // 25 (files from 501): values forgotten on defeat
  std::vector<cSysStatusItem> m_StatusItems;  // STATUSITEM order
  std::vector<std::int32_t> m_Lives;          // per play mode: lives at the start
  std::vector<std::int32_t> m_bInfiniteLives; // per play mode (files from 191)
  std::vector<cModeRanking> m_ModeRanking;    // per play mode (files from 186)
  std::vector<std::string> m_Texts;           // SCREENTEXT order
  std::vector<std::string> m_SystemSounds;    // kSystemSoundCount file names of the system sounds
  std::vector<std::int32_t> m_SceneBgm;       // Bgm index: title, world map, challenge, options
  std::vector<std::uint8_t> m_SceneBgmLoop;   // loop flags of those (files from 202)
  std::vector<cCmdItem> m_TitleMenu;          // new game, continue, challenge, free, replay, options, exit
  std::vector<cCmdItem> m_MapMenu;            // save, auto save, back, to title
  std::vector<cCmdItem> m_OptionMenu;         // colour variant, BGM, SE, ranking mode, ranking name, back
  std::vector<std::string> m_RankRegLabels;   // 4 ranking registration modes (files from 674)
  std::vector<cIniItem> m_IniItems;           // INIKEY order

 protected:
  void RegisterMembers(int version) override;

 private:
  void ReadBody(cDataReader& in);
  void ReadLists(cDataReader& in);
  // The conversions of files older than 811 (system_conversions.cpp).
  void ConvertOldFile(unsigned nVersion);
  void Normalize();
};

// The one system record of the program.
extern cSystemData g_SystemData;
