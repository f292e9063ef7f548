// Reading System.dat files of older data versions: every conversion, the rule switches
// and the member layouts of the versions in between.
#include <gtest/gtest.h>

#include <functional>

#include "data/common/database_list_sizes.h"
#include "data/system/system_data.h"
#include "platform/message_queue.h"
#include "tests/data/system_file_image.h"
#include "tests/support/database_sizes_fixture.h"

namespace {

using sysimage::cSysFileImage;
using Texts = std::vector<std::string>;
using Flags = std::vector<std::uint8_t>;

class SystemConversionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDatabaseSize(DBKIND_BGM, 10);
    ClearPostedMessages();
    // A record whose every scalar member is 9 and whose lists that conversions replace
    // hold values no conversion writes, so that every value a conversion sets shows.
    cSysFileImage poison;
    poison.nFill = 9;
    poison.ResetSw.assign(25, 9);
    poison.InfiniteLives = {9, 9, 9, 9};
    poison.SceneBgmLoop = {9, 9, 9, 9};
    poison.ModeRanking[0].Result = {1, 1, 1};
    ASSERT_TRUE(ReadAt(m_Rec, 811, poison));
  }
  void TearDown() override {
    RestoreDatabaseAndPalettes();
    g_nFileVersion = g_nDataVersion;
  }
  static bool ReadAt(cSystemData& rec, int version, cSysFileImage image) {
    image.nVersion = version;
    g_nFileVersion = version;
    cDataReader in(image.Body());
    rec.Read(in);
    return !in.Damaged();
  }
  // Reads a file of `version` (its scalar members 5 unless edited) into the poisoned record.
  const cSystemData& ReadOld(int version, const std::function<void(cSysFileImage&)>& edit = {}) {
    cSysFileImage image;
    if (edit) edit(image);
    EXPECT_TRUE(ReadAt(m_Rec, version, image));
    return m_Rec;
  }

  cSystemData m_Rec;
};

Flags CarryOf(std::initializer_list<int> values) {
  Flags flags;
  for (int v : values) flags.push_back(static_cast<std::uint8_t>(v < 0 ? 100 + (-v - 1) : v));
  return flags;
}
// s(i): carry switch i of the file (the image holds 100 + i).
constexpr int s(int i) { return -(i + 1); }

TEST_F(SystemConversionTest, ScalarMembersMissingFromOldFilesTakeTheirConvertedValues) {
  const struct {
    const char* name;
    std::int32_t cSystemData::*member;
    int nFrom;
    std::int32_t nBelow;
  } cases[] = {
      {"KeepTestFlows", &cSystemData::m_bKeepTestFlows, 113, 0},
      {"TitlePictures", &cSystemData::m_bTitlePictures, 157, 0},
      {"MapBestScore", &cSystemData::m_bMapBestScore, 167, 1},
      {"MapMenuTotalScore", &cSystemData::m_bMapMenuTotalScore, 167, 1},
      {"ChallengeHighScore", &cSystemData::m_bChallengeHighScore, 167, 1},
      {"ChallengeTotalScore", &cSystemData::m_bChallengeTotalScore, 167, 1},
      {"FontMode", &cSystemData::m_nFontMode, 170, 0},
      {"RecordReplay", &cSystemData::m_bRecordReplay, 184, 1},
      {"ExtraLife", &cSystemData::m_bExtraLife, 185, 1},
      {"FullColor", &cSystemData::m_bFullColor, 187, 0},
      {"RestoreVarsStory", &cSystemData::m_bRestoreVarsStory, 188, 1},
      {"RestoreVarsChallenge", &cSystemData::m_bRestoreVarsChallenge, 188, 1},
      {"RestoreVarsFree", &cSystemData::m_bRestoreVarsFree, 188, 1},
      {"RetryMenu", &cSystemData::m_bRetryMenu, 191, 0},
      {"MapLivesBox", &cSystemData::m_bMapLivesBox, 191, 0},
      {"RestoreVarsDirect", &cSystemData::m_bRestoreVarsDirect, 192, 1},
      {"FontFace", &cSystemData::m_nFontFace, 205, 60},
      {"RetryClearedStory", &cSystemData::m_bRetryClearedStory, 224, 0},
      {"RetryClearedChallenge", &cSystemData::m_bRetryClearedChallenge, 224, 0},
      {"Defeat272", &cSystemData::m_bRuleDefeat272, 272, 0},
      {"PaletteSwap", &cSystemData::m_bPaletteSwap, 287, 0},
      {"ColorAnimeSpeed", &cSystemData::m_nColorAnimeSpeed, 515, 16},
      {"DepthD3D", &cSystemData::m_nDepthD3D, 670, 0},
      {"DepthDD", &cSystemData::m_nDepthDD, 670, 2},
      {"GiveUpClearedStory", &cSystemData::m_bGiveUpClearedStory, 757, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadOld(c.nFrom - 1).*c.member, c.nBelow);
    EXPECT_EQ(ReadOld(c.nFrom).*c.member, 5);
  }
}

TEST_F(SystemConversionTest, RuleSwitchesHoldOneForGamesMadeBeforeTheirRule) {
  const struct {
    const char* name;
    std::int32_t cSystemData::*member;
    int nVersion;
  } cases[] = {
      {"ScrollSync", &cSystemData::m_bRuleScrollSync, 214},
      {"Chara261", &cSystemData::m_bRuleChara261, 261},
      {"Trigger525", &cSystemData::m_bRuleTrigger525, 525},
      {"Shot555", &cSystemData::m_bRuleShot555, 555},
      {"KeySeq669", &cSystemData::m_bRuleKeySeq669, 669},
      {"Landing677", &cSystemData::m_bRuleLanding677, 677},
      {"MoveTime695", &cSystemData::m_bRuleMoveTime695, 695},
      {"Rule696", &cSystemData::m_bRule696, 696},
      {"SetStage697", &cSystemData::m_bRuleSetStage697, 697},
      {"Warp721", &cSystemData::m_bRuleWarp721, 721},
      {"Charge728", &cSystemData::m_bRuleCharge728, 728},
      {"Distance733", &cSystemData::m_bRuleDistance733, 733},
      {"Trigger744", &cSystemData::m_bRuleTrigger744, 744},
      {"Rule749", &cSystemData::m_bRule749, 749},
      {"Code752", &cSystemData::m_bRuleCode752, 752},
      {"HitGroups763a", &cSystemData::m_bRuleHitGroups763a, 763},
      {"HitGroups763b", &cSystemData::m_bRuleHitGroups763b, 763},
      {"PlaceChara768", &cSystemData::m_bRulePlaceChara768, 768},
      {"MoveStraight773", &cSystemData::m_bRuleMoveStraight773, 773},
      {"BlockAbove781", &cSystemData::m_bRuleBlockAbove781, 781},
      {"DistanceCond782", &cSystemData::m_bRuleDistanceCond782, 782},
      {"MoveStraight783", &cSystemData::m_bRuleMoveStraight783, 783},
      {"GroundStick793", &cSystemData::m_bRuleGroundStick793, 793},
      {"GroundTurn805", &cSystemData::m_bRuleGroundTurn805, 805},
      {"SolidChara808", &cSystemData::m_bRuleSolidChara808, 808},
  };
  const auto newGame = [](cSysFileImage& f) { f.nFill = 0; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadOld(c.nVersion - 1).*c.member, 1);
    EXPECT_EQ(ReadOld(c.nVersion, newGame).*c.member, 0);
  }
  // Placing blocks during play changed twice: only games up to 616 keep the oldest way.
  EXPECT_EQ(ReadOld(616).m_bRuleBlockSpawn637, 1);
  EXPECT_EQ(ReadOld(617).m_bRuleBlockSpawn637, 0);
  EXPECT_EQ(ReadOld(636).m_bRuleBlockSpawn637, 0);
  EXPECT_EQ(ReadOld(637, newGame).m_bRuleBlockSpawn637, 0);
}

TEST_F(SystemConversionTest, ListsOfOldFilesAreConvertedInOrder) {
  const struct {
    const char* what;
    int nVersion;
    std::function<void(cSysFileImage&)> edit;
    std::function<void(const cSystemData&)> check;
  } cases[] = {
      {"carry switches of 209", 209, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_CarrySwitch, CarryOf({s(0), s(1), s(2), s(3), s(4), s(5), s(6), s(7), s(8), 0, s(9), s(10),
                                             s(11), s(12), s(13), s(14), s(15), s(16), s(17), s(18), s(19), s(20),
                                             s(21), s(22), s(23)}));
       }},
      {"carry switches of 200", 200, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_CarrySwitch, CarryOf({s(0), s(1), s(2), s(3), s(4), s(5), s(6), s(7), s(8), 0, s(9), s(10),
                                             s(11), s(12), s(13), 0, s(14), s(15), s(16), s(17), s(18), s(19),
                                             s(20), s(21), s(22)}));
       }},
      {"carry switches of 167, from a short list", 167, [](cSysFileImage& f) { f.Carry.resize(22); },
       [](const cSystemData& r) {
         EXPECT_EQ(r.m_CarrySwitch, CarryOf({s(0), s(1), s(2), s(3), s(4), s(5), s(6), s(7), s(8), 0, s(9), s(10),
                                             s(11), s(12), s(13), 0, s(14), s(15), 1, s(16), s(17), s(18), s(19),
                                             s(20), s(21)}));
       }},
      {"carry switches of 210", 210, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_CarrySwitch, cSysFileImage().Carry);
       }},
      {"world-map menu and auto-save texts of 168", 168,
       [](cSysFileImage& f) { f.MapMenu = {{1, "save"}, {0, "back"}, {1, "title"}, {1, "x"}}; },
       [](const cSystemData& r) {
         ASSERT_EQ(r.m_MapMenu.size(), 4u);
         const char* const labels[] = {"save", "オートセーブ", "back", "title"};
         const int enabled[] = {1, 1, 0, 1};
         for (std::size_t i = 0; i < 4; ++i) {
           EXPECT_EQ(r.m_MapMenu[i].m_strLabel, labels[i]);
           EXPECT_EQ(r.m_MapMenu[i].m_bEnabled, enabled[i]);
         }
         EXPECT_EQ(Texts(r.m_Texts.begin() + 14, r.m_Texts.begin() + 17),
                   (Texts{"オートセーブＯＮ", "オートセーブＯＦＦ", "保存先が不明です！一度は「セーブ」して下さい！"}));
       }},
      {"world-map menu of 169", 169, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_MapMenu[1].m_strLabel, "map1");
       }},
      {"result kinds and texts of 180", 180, {}, [](const cSystemData& r) {
         ASSERT_EQ(r.m_ModeRanking.size(), 4u);
         EXPECT_EQ(r.m_ModeRanking[0].m_ResultOn, (Flags{1, 1, 1, 0, 0}));
         EXPECT_EQ(r.m_ModeRanking[1].m_ResultOn, (Flags{0, 1, 0, 0, 0}));
         EXPECT_EQ(r.m_ModeRanking[2].m_ResultOn, (Flags{1, 1, 0, 0, 0}));
         EXPECT_EQ(r.m_ModeRanking[3].m_ResultOn, (Flags{0, 0, 1, 0, 0}));
         EXPECT_EQ(r.m_Texts, (Texts{"t0",  "t1",  "t2",  "t3",  "t4",     "t5",     "t6",     "t7",
                                     "残りHP", "残りSP", "t8",  "t9",  "t10",    "t11",    "t12",    "t13",
                                     "t14", "t15", "t16", "t17", "t18",    "t19",    "マップへ戻る", "リトライ",
                                     "マップへ戻る", "t20", "t21", "t22", "t23"}));
       }},
      {"texts of 192", 192, {}, [](const cSystemData& r) {
         Texts expected = sysimage::Numbered("t", 22);
         for (const char* t : {"マップへ戻る", "リトライ", "マップへ戻る", "t22", "t23", "t24", "t25"}) expected.push_back(t);
         EXPECT_EQ(r.m_Texts, expected);
       }},
      {"texts of 755", 755, {}, [](const cSystemData& r) {
         Texts expected = sysimage::Numbered("t", 22);
         for (const char* t : {"マップへ戻る", "t22", "t23", "t24", "t25", "t26", "t27"}) expected.push_back(t);
         EXPECT_EQ(r.m_Texts, expected);
       }},
      {"texts of 756", 756, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_Texts, sysimage::Numbered("t", 29)); }},
      {"infinite lives of 190", 190, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_bInfiniteLives, (std::vector<std::int32_t>{0, 0, 0, 1}));
       }},
      {"infinite lives of 191", 191, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_bInfiniteLives, (std::vector<std::int32_t>{0, 1, 0, 1}));
       }},
      {"music loops of 201", 201, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_SceneBgmLoop, (Flags{1, 1, 1, 1})); }},
      {"music loops of 202", 202, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_SceneBgmLoop, (Flags{0, 1, 0, 1})); }},
      {"key colour of 186", 186, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_byKeyRed, 0);
         EXPECT_EQ(r.m_byKeyGreen, 177);
         EXPECT_EQ(r.m_byKeyBlue, 0);
         EXPECT_EQ(r.m_bPaletteAnime, 1);
       }},
      {"key colour of 187", 187, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_byKeyRed, 5);
         EXPECT_EQ(r.m_byKeyGreen, 5);
         EXPECT_EQ(r.m_byKeyBlue, 5);
       }},
      {"palette animation of a full-colour 288", 288, [](cSysFileImage& f) { f.Values[25] = 1; },
       [](const cSystemData& r) { EXPECT_EQ(r.m_bPaletteAnime, 0); }},
      {"palette animation of a 256-colour 288", 288, [](cSysFileImage& f) { f.Values[25] = 0; },
       [](const cSystemData& r) { EXPECT_EQ(r.m_bPaletteAnime, 1); }},
      {"palette animation of 289", 289, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_bPaletteAnime, 5); }},
      {"System.ini keys of 285", 285,
       [](cSysFileImage& f) {
         f.Ini = {{0, 1, "WindowMode", ""}, {0, 16, "Bpp", ""}, {0, 3, "VSync", ""}, {0, 0, "ShowFps", ""},
                  {1, 0, "FreeStage", "a.stg4_811"}, {0, 50, "x5", ""}, {0, 51, "x6", ""}};
       },
       [](const cSystemData& r) {
         ASSERT_EQ(r.m_IniItems.size(), 10u);
         const char* const keys[] = {"Direct3D", "WindowMode", "Bpp", "VSync", "D3D_FontCache",
                                     "DD_FontCache", "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
         const int values[] = {1, 1, 16, 2, 0, 1, 0, 0, 0, 0};
         for (std::size_t i = 0; i < 10; ++i) {
           SCOPED_TRACE(keys[i]);
           EXPECT_EQ(r.m_IniItems[i].m_strKey, keys[i]);
           EXPECT_EQ(r.m_IniItems[i].m_nValue, values[i]);
           EXPECT_EQ(r.m_IniItems[i].m_nKind, i == 8 ? 1 : 0);
         }
         EXPECT_EQ(r.m_IniItems[8].m_strValue, "a.stg4_811");
       }},
      {"System.ini VSync of 286", 286, [](cSysFileImage& f) { f.Ini[3].nValue = 3; },
       [](const cSystemData& r) { EXPECT_EQ(r.m_IniItems[3].m_nValue, 3); }},
      {"System.ini keys of 566", 566, {}, [](const cSystemData& r) {
         const char* const keys[] = {"k0", "k1", "k2", "k3", "D3D_FontCache", "DD_FontCache", "DD_VideoStretch", "k4", "k5", "English"};
         for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(r.m_IniItems[i].m_strKey, keys[i]);
         EXPECT_EQ(r.m_IniItems[5].m_nValue, 1);
       }},
      {"System.ini keys of 567", 567, {}, [](const cSystemData& r) {
         const char* const keys[] = {"k0", "k1", "k2", "k3", "D3D_FontCache", "DD_FontCache", "k4", "k5", "k6", "English"};
         for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(r.m_IniItems[i].m_strKey, keys[i]);
       }},
      {"System.ini key 9 of 671", 671, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_IniItems[9].m_strKey, "English");
         EXPECT_EQ(r.m_IniItems[9].m_nValue, 0);
         EXPECT_EQ(r.m_IniItems[4].m_strKey, "k4");
       }},
      {"System.ini key 9 of 672", 672, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_IniItems[9].m_strKey, "k9");
         EXPECT_EQ(r.m_IniItems[9].m_nValue, 19);
       }},
      {"reset switches of 500", 500, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_ResetSwitch, Flags(25, 0)); }},
      {"reset switches of 501", 501, {}, [](const cSystemData& r) { EXPECT_EQ(r.m_ResetSwitch, Flags(25, 7)); }},
      {"status gauges of 586, from three items", 586, [](cSysFileImage& f) { f.Status.resize(3); },
       [](const cSystemData& r) {
         ASSERT_EQ(r.m_StatusItems.size(), 5u);
         const int thresholds[] = {0, 0, 33, 33, 0};
         for (std::size_t i = 0; i < 5; ++i) {
           SCOPED_TRACE(i);
           EXPECT_EQ(r.m_StatusItems[i].m_nThreshold, thresholds[i]);
           EXPECT_EQ(r.m_StatusItems[i].m_bPercent, thresholds[i] ? 1 : 0);
         }
         EXPECT_EQ(r.m_StatusItems[2].m_strLabel, "c");
       }},
      {"status gauges of 587", 587, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_StatusItems[2].m_nThreshold, 12);
         EXPECT_EQ(r.m_StatusItems[3].m_bPercent, 1);
       }},
      {"gauge numbers of 203", 203, {}, [](const cSystemData& r) {
         for (const cSysStatusItem& item : r.m_StatusItems) EXPECT_EQ(item.m_bShowNumber, 1);
         EXPECT_EQ(r.m_StatusItems[0].m_nDigits, 6);
       }},
      {"gauge numbers of 204", 204, {}, [](const cSystemData& r) {
         EXPECT_EQ(r.m_StatusItems[0].m_bShowNumber, 0);
         EXPECT_EQ(r.m_StatusItems[1].m_bShowNumber, 1);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.check(ReadOld(c.nVersion, c.edit));
  }
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(SystemConversionTest, VersionsBetween221And259HoldOneDroppedValue) {
  for (int version : {220, 221, 230, 259, 260}) {
    SCOPED_TRACE(version);
    const cSystemData& r = ReadOld(version, [](cSysFileImage& f) {
      f.Values[29] = 29;
      f.Title = "after";
    });
    EXPECT_EQ(r.m_bExtraLife, 5);
    EXPECT_EQ(r.m_bRuleScrollSync, 29);
    EXPECT_EQ(r.m_bRuleChara261, 1);
    EXPECT_EQ(r.m_strTitle, "after");
    EXPECT_EQ(r.m_Texts[0], "t0");
  }
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(SystemConversionTest, AnUpgradedRecordWritesTheCurrentLayout) {
  cSystemData rec;
  ASSERT_TRUE(ReadAt(rec, 150, cSysFileImage()));
  cDataWriter out;
  rec.Write(out);
  cSystemData back;
  g_nFileVersion = 811;
  cDataReader in(out.Bytes());
  back.Read(in);
  ASSERT_FALSE(in.Damaged());
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(back.m_bRuleSolidChara808, 1);
  EXPECT_EQ(back.m_nFontFace, 60);
  EXPECT_EQ(back.m_Texts, rec.m_Texts);
  EXPECT_EQ(back.m_IniItems[0].m_strKey, "Direct3D");
}

}  // namespace
