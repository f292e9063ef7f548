// The save data record: its file layout, the layouts of older files and their
// conversions, stage names and ranking keys, best values, snapshots, carry-over between
// stages, the repairs against the world map and the system data, and damaged saves.
#include "data/save/progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "data/save/play_mode.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"

namespace {

// The version from which each member of the 35 is stored (1-based, as the members are
// numbered in the file); 0: every version.
constexpr std::array<unsigned, 36> kMemberFrom = {0,   0,   0,   0,   0,   0,   758, 758, 758, 0,   0,   0,
                                                  0,   0,   0,   0,   0,   0,   182, 182, 0,   0,   166, 194,
                                                  190, 191, 191, 0,   0,   169, 0,   0,   678, 678, 678, 679};

// One stage score body of version 811 (and its older form below 759).
struct cScoreImage {
  std::int32_t suffix = 0, a = 0, b = 0, best = 0;
  std::string name, key;
  void Put(cByteBuilder& out, unsigned version) const {
    if (version >= 759) {
      out.I32(4).I32(suffix).I32(a).I32(b).I32(best).I32(2).Text(name).Text(key);
    } else {
      out.I32(1).I32(best).I32(1).Text(name);
    }
  }
};

// A progress body as the file stores it; a new game unless changed.
struct cProgressImage {
  std::array<std::int32_t, 36> m{};  // members 1 to 35
  std::string stageName, rankKey, rankName = "aaa";
  std::array<std::uint16_t, 8> saveTime{};
  std::vector<std::int32_t> carried = std::vector<std::int32_t>(25, 0);
  std::array<std::int32_t, 5> carryValues{};
  cPaletteChara chara;
  std::vector<cScoreImage> scores;
  std::vector<std::pair<std::int32_t, std::int32_t>> challenges;
  std::vector<std::int32_t> clearFlags = std::vector<std::int32_t>(1000, 0);
  std::vector<std::int32_t> vars = std::vector<std::int32_t>(1001, 0);
  std::optional<std::int32_t> varCount;  // written in place of the true count

  cProgressImage() {
    m[27] = 1;   // one challenge stage open
    m[28] = -1;  // no save slot
    clearFlags[0] = 1;
  }

  Bytes Body(unsigned version = 811) const {
    cByteBuilder b;
    int members = 0;
    for (int i = 1; i <= 35; ++i) members += version >= kMemberFrom[static_cast<std::size_t>(i)] ? 1 : 0;
    b.I32(members);
    for (int i = 1; i <= 35; ++i)
      if (version >= kMemberFrom[static_cast<std::size_t>(i)]) b.I32(m[static_cast<std::size_t>(i)]);
    b.I32(version >= 724 ? 3 : 2).Text(stageName);
    if (version >= 724) b.Text(rankKey);
    b.Text(rankName);
    for (std::uint16_t v : saveTime) b.I16(static_cast<std::int16_t>(v));
    if (version >= 501) {
      b.Count(static_cast<std::int32_t>(carried.size()));
      for (std::int32_t v : carried) b.I32(v);
    }
    // The character record's own layouts of older versions are its own concern: older
    // images hold no carry-over record.
    if (version == 811) {
      b.Count(1).I32(5);
      for (std::int32_t v : carryValues) b.I32(v);
      cPaletteChara c(chara);
      b.I32(0).Bytes(Written(c));
    } else {
      b.Count(0);
    }
    b.Count(static_cast<std::int32_t>(scores.size()));
    for (const cScoreImage& s : scores) s.Put(b, version);
    b.Count(static_cast<std::int32_t>(challenges.size()));
    for (const auto& [cleared, high] : challenges) b.I32(2).I32(cleared).I32(high).I32(0);
    b.Count(static_cast<std::int32_t>(clearFlags.size()));
    for (std::int32_t v : clearFlags) b.I32(v);
    b.Count(varCount.value_or(static_cast<std::int32_t>(vars.size())));
    for (std::int32_t v : vars) b.I32(v);
    return b.Get();
  }
};

// A small world map and system data for the repairs, put back afterwards.
class ProgressTest : public cRecordReadTest {
 protected:
  void SetUp() override {
    cRecordReadTest::SetUp();
    m_SavedSystem = g_SystemData;
    m_SavedMap = g_WorldMap;
    g_SystemData = cSystemData();
    g_SystemData.m_nChallengeCount = 2;
    g_WorldMap = cWorldMap();
  }
  void TearDown() override {
    g_SystemData = m_SavedSystem;
    g_WorldMap = m_SavedMap;
    cRecordReadTest::TearDown();
  }

 private:
  cSystemData m_SavedSystem;
  cWorldMap m_SavedMap;
};

TEST_F(ProgressTest, NewGameWritesItsDefaultsInFileLayout) {
  cProgress progress;
  EXPECT_EQ(progress.m_Vars.size(), 1001u);
  EXPECT_EQ(progress.m_ClearFlags.size(), 1000u);
  EXPECT_EQ(progress.m_CarryOver.size(), 1u);
  EXPECT_TRUE(progress.m_StageScores.empty());
  cProgressImage image;
  image.challenges = {{0, 0}, {0, 0}};  // sized to the game's challenge count on writing
  const Bytes body = Written(progress);
  EXPECT_EQ(body, image.Body());
  EXPECT_EQ(body[0], 35);
}

TEST_F(ProgressTest, FileOfEveryFieldReadsAndWritesBackTheSameBytes) {
  cProgressImage image;
  for (int i = 1; i <= 35; ++i) image.m[static_cast<std::size_t>(i)] = i * 3;
  image.m[2] = 4;  // a cursor inside the map
  image.m[3] = 5;
  image.m[4] = 0;  // the world-stage slot is always stored as 0
  image.m[27] = 2;
  image.stageName = "abc.";
  image.rankKey = "abc_c007_12.";
  image.rankName = "ＡＢ";
  image.saveTime = {2026, 12, 4, 10, 17, 5, 59, 999};
  for (std::size_t i = 0; i < 25; ++i) image.carried[i] = static_cast<std::int32_t>(i % 2);
  image.carryValues = {11, 12, 13, 14, 15};
  image.chara.m_nMaxHp = 321;
  image.chara.m_strName = "hero";
  image.scores = {{1, 7, 12, 500, "abc.", "abc_c007_12."}, {0, 0, 0, 40, "x.", "x."}};
  image.challenges = {{1, 9000}, {0, 0}};
  image.clearFlags = {1, 0, 1};
  image.vars = {5, -6, 7, 8};
  const Bytes body = image.Body();

  cProgress progress;
  ReadAt(progress, 811, body);
  ASSERT_FALSE(m_bDamaged);
  EXPECT_EQ(m_nLeft, 0u);
  EXPECT_EQ(progress.m_nMapX, 4);
  EXPECT_EQ(progress.m_nRankSuffixB, 24);
  EXPECT_EQ(progress.m_nStartDir, 105);
  EXPECT_EQ(progress.m_strRankName, "ＡＢ");
  EXPECT_EQ(progress.m_SaveTime.wYear, 2026);
  EXPECT_EQ(progress.m_SaveTime.wMilliseconds, 999);
  EXPECT_EQ(progress.m_CarriedFlags[1], 1);
  ASSERT_EQ(progress.m_CarryOver.size(), 1u);
  EXPECT_EQ(progress.m_CarryOver[0].m_nBgmCarry, 15);
  EXPECT_EQ(progress.m_CarryOver[0].m_Chara.m_nMaxHp, 321);
  ASSERT_EQ(progress.m_StageScores.size(), 2u);
  EXPECT_EQ(progress.m_StageScores[0].m_strRankKey, "abc_c007_12.");
  EXPECT_EQ(progress.m_ChallengeState[0].m_nHigh, 9000);
  EXPECT_EQ(progress.m_Vars, (std::vector<std::int32_t>{5, -6, 7, 8}));
  EXPECT_EQ(Written(progress), body);
}

TEST_F(ProgressTest, WorldStageSlotIsWrittenAsZero) {
  cProgressImage image;
  image.m[4] = 0x12345678;
  image.challenges = {{0, 0}, {0, 0}};
  cProgress progress;
  ReadAt(progress, 811, image.Body());
  ASSERT_FALSE(m_bDamaged);
  const cWorldStage entry;
  progress.m_pWorldStage = &entry;
  image.m[4] = 0;
  EXPECT_EQ(Written(progress), image.Body());
  EXPECT_EQ(progress.m_pWorldStage, &entry);
}

TEST_F(ProgressTest, OlderFilesAreReadInTheirLayoutAndConverted) {
  // The record held these before the load: members an old file lacks keep them unless a
  // conversion sets them.
  const auto prepared = [] {
    cProgress p;
    p.m_bRankSuffix = 1;
    p.m_nRankSuffixA = 5;
    p.m_nRankSuffixB = 6;
    p.m_strRankKey = "held.";
    p.m_bStageBgmLoop = 0;
    p.m_bAutoSave = 1;
    p.m_nHpLeftSum = p.m_nSpLeftSum = 9;
    p.m_bMapStay = 1;
    p.m_nMapStayX = p.m_nMapStayY = 9;
    p.m_bMapPosSet = 1;
    p.m_nStartX = 44;
    p.m_nStartDir = 1;
    return p;
  };
  struct Case {
    unsigned version;
    std::function<void(cProgressImage&)> stored;
    std::function<void(const cProgress&)> expect;
  } const cases[] = {
      {165,
       [](cProgressImage&) {},
       [](const cProgress& p) {
         EXPECT_EQ(p.m_bStageBgmLoop, 1);
         EXPECT_EQ(p.m_bAutoSave, 0);
         EXPECT_EQ(p.m_nHpLeftSum, 0);
         EXPECT_EQ(p.m_nSpLeftSum, 0);
         EXPECT_EQ(p.m_bMapStay, 0);
         EXPECT_EQ(p.m_nMapStayX, 0);
         EXPECT_EQ(p.m_bMapPosSet, 0);
         EXPECT_EQ(p.m_nStartX, 44);  // unchanged
         EXPECT_EQ(p.m_nRankSuffixA, 5);
         EXPECT_EQ(p.m_strRankKey, "held.");
       }},
      {500,
       [](cProgressImage& i) { i.carried.assign(3, 0); },  // not stored by version 500
       [](const cProgress& p) {
         EXPECT_EQ(p.m_CarriedFlags, std::vector<std::int32_t>(25, 1));
         EXPECT_EQ(p.m_bStageBgmLoop, 0);  // stored since 166
       }},
      {501,
       [](cProgressImage& i) { i.carried = {0, 1, 0}; },
       [](const cProgress& p) { EXPECT_EQ(p.m_CarriedFlags, (std::vector<std::int32_t>{0, 1, 0})); }},
      {678,
       [](cProgressImage& i) { i.m[33] = 7; },
       [](const cProgress& p) {
         EXPECT_EQ(p.m_nStartX, 7);
         EXPECT_EQ(p.m_nStartDir, 1);  // stored from 679
       }},
      {723,
       [](cProgressImage& i) { i.scores = {{0, 0, 0, 30, "old.", ""}}; },
       [](const cProgress& p) {
         EXPECT_EQ(p.m_strRankKey, "held.");
         ASSERT_EQ(p.m_StageScores.size(), 1u);
         EXPECT_EQ(p.m_StageScores[0].m_strRankKey, "old.");  // a score's key is its name
         EXPECT_EQ(p.m_StageScores[0].m_nBest, 30);
       }},
      {753,
       [](cProgressImage& i) { i.vars.assign(1000, 3); },
       [](const cProgress& p) {
         // Variables 1 to 1000 stay addressable: the list takes a new game's length.
         ASSERT_EQ(p.m_Vars.size(), 1001u);
         EXPECT_EQ(p.m_Vars[999], 3);
         EXPECT_EQ(p.m_Vars[1000], 0);
         EXPECT_EQ(p.m_VarsAtStart, std::vector<std::int32_t>(1001, 0));
       }},
      {757,
       [](cProgressImage& i) { i.stageName = "s."; },
       [](const cProgress& p) {
         EXPECT_EQ(p.m_bRankSuffix, 1);
         EXPECT_EQ(p.m_nRankSuffixB, 6);
         EXPECT_EQ(p.m_strStageName, "s.");
         EXPECT_EQ(p.m_Vars.size(), 1001u);
       }},
      {803,
       [](cProgressImage& i) { i.clearFlags = {0, 1}; },
       [](const cProgress& p) { EXPECT_EQ(p.m_ClearFlags, (std::vector<std::int32_t>{1, 1})); }},
      {804,
       [](cProgressImage& i) { i.clearFlags = {0, 1}; },
       [](const cProgress& p) { EXPECT_EQ(p.m_ClearFlags, (std::vector<std::int32_t>{0, 1})); }},
      {803,
       [](cProgressImage& i) { i.clearFlags = {}; },
       [](const cProgress& p) { EXPECT_TRUE(p.m_ClearFlags.empty()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cProgressImage image;
    c.stored(image);
    cProgress progress = prepared();
    ClearPostedMessages();
    ReadAt(progress, static_cast<int>(c.version), image.Body(c.version));
    ASSERT_FALSE(m_bDamaged);
    EXPECT_EQ(m_nLeft, 0u);
    EXPECT_EQ(progress.RegisteredVersion(), g_nDataVersion);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
    c.expect(progress);
  }
}

TEST_F(ProgressTest, ReadingRepairsTheCursorAndTheChallengeCounts) {
  struct Case {
    const char* what;
    std::int32_t mapX, mapY, open;
    std::int32_t challengeCount;
    std::size_t stored;  // challenge states in the file
    std::int32_t wantX, wantY, wantOpen;
  } const cases[] = {
      {"inside", 19, 14, 2, 2, 2, 19, 14, 2},
      {"column at the width", 20, 3, 1, 2, 2, 9, 3, 1},
      {"row beyond the height", 0, 99, 1, 2, 2, 0, 7, 1},
      {"negative cursor stays", -4, -1, 1, 2, 2, -4, -1, 1},
      {"more open than stages", 1, 1, 7, 3, 1, 1, 1, 3},
      {"list longer than the stages", 1, 1, 1, 1, 4, 1, 1, 1},
      {"no challenge stages", 1, 1, 1, 0, 2, 1, 1, 0},
      {"negative count in the system data opens nothing", 1, 1, 1, -5, 2, 1, 1, 0},
      // A damaged count far past what a game can have sizes the list at that limit, not
      // at gigabytes.
      {"count past the limit of a game", 1, 1, 5000, INT32_MAX, 2, 1, 1, kMaxChallengeStages},
      {"count one past the limit", 1, 1, 3, kMaxChallengeStages + 1, 2, 1, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_SystemData.m_nChallengeCount = c.challengeCount;
    cProgressImage image;
    image.m[2] = c.mapX;
    image.m[3] = c.mapY;
    image.m[27] = c.open;
    image.challenges.assign(c.stored, {1, 50});
    cProgress progress;
    ReadAt(progress, 811, image.Body());
    ASSERT_FALSE(m_bDamaged);
    EXPECT_EQ(progress.m_nMapX, c.wantX);
    EXPECT_EQ(progress.m_nMapY, c.wantY);
    EXPECT_EQ(progress.m_nChallengeOpen, c.wantOpen);
    const std::size_t want = static_cast<std::size_t>(std::clamp(c.challengeCount, 0, kMaxChallengeStages));
    ASSERT_EQ(progress.m_ChallengeState.size(), want);
    for (std::size_t i = 0; i < want; ++i) {
      EXPECT_EQ(progress.m_ChallengeState[i].m_nHigh, i < c.stored ? 50 : 0);
      EXPECT_EQ(progress.m_ChallengeState[i].m_bCleared, i < c.stored ? 1 : 0);
    }
  }
}

TEST_F(ProgressTest, DamagedSaveLeavesTheRecordAsItWas) {
  const auto changed = [](const std::function<void(cProgressImage&)>& change) {
    cProgressImage image;
    change(image);
    return image.Body();
  };
  struct Case {
    const char* what;
    Bytes body;
  } const cases[] = {
      {"variable count beyond the data", changed([](cProgressImage& i) { i.varCount = 0x40000000; })},
      {"negative variable count", changed([](cProgressImage& i) { i.varCount = -2; })},
      {"text length beyond the data", [] {
         Bytes b = cProgressImage().Body();
         b[4 + 35 * 4 + 4] = 0xFF;  // the length of the stage name
         return b;
       }()},
  };
  cProgress progress;
  progress.m_nScore = 1234;
  progress.m_Vars[10] = 77;
  progress.m_StageScores.resize(1);
  const Bytes before = WrittenCopy(progress);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadAt(progress, 811, c.body);
    EXPECT_TRUE(m_bDamaged);
    EXPECT_EQ(WrittenCopy(progress), before);
  }
  ReadEveryPrefix(cProgressImage().Body(), [&](const Bytes& cut) {
    ReadAt(progress, 811, cut);
    EXPECT_TRUE(m_bDamaged);
    EXPECT_EQ(WrittenCopy(progress), before);
  });
}

TEST_F(ProgressTest, StageNamesAndRankingKeys) {
  struct Case {
    const char* file;
    int suffix, a, b;
    const char* name;
    const char* key;
    int series;
  } const cases[] = {
      {"abc-1.stg4_811", 0, 0, 0, "abc.", "abc.", 1},
      {"abc-1.stg4_811", 1, 7, 12, "abc.", "abc_c007_12.", 1},
      {"abc.stg4_811", 0, 0, 0, "abc.", "abc.", 0},
      {"x.y-1", 0, 0, 0, "x.y.", "x.y.", 1},     // the "-1" pair wins over the last "."
      {"a-12.b", 0, 0, 0, "a.", "a.", 1},
      {"plain", 0, 0, 0, "", "", 0},             // no "." and no "-1"
      {"plain", 1, 3, 4, "", "_c003_4", 0},
      {"", 0, 0, 0, "", "", 0},
      {"s.stg4", 1, 1234, -5, "s.", "s_c1234_-5.", 0},
      {"城-1.stg4_811", 0, 0, 0, "城.", "城.", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.suffix);
    cProgress progress;
    progress.m_bSeries = 1 - c.series;
    progress.MakeStageName(c.file, c.suffix, c.a, c.b);
    EXPECT_EQ(progress.m_strStageName, c.name);
    EXPECT_EQ(progress.m_strRankKey, c.key);
    EXPECT_EQ(progress.m_bSeries, c.series);
    EXPECT_EQ(progress.m_bRankSuffix, c.suffix);
    EXPECT_EQ(progress.m_nRankSuffixA, c.a);
    EXPECT_EQ(progress.m_nRankSuffixB, c.b);
  }
  std::string text = "rank.";
  AppendVarSuffix(text, 0, 7, 12);
  EXPECT_EQ(text, "rank.");
}

TEST_F(ProgressTest, BestValuesPerStageAndTheirTotal) {
  cProgress progress;
  struct Step {
    const char* key;
    int value;
    int best;   // of that key afterwards
    int total;
  } const steps[] = {{"a.", 50, 50, 50}, {"a.", 40, 50, 50}, {"a.", 70, 70, 70}, {"b.", 5, 5, 75}, {"a.", 70, 70, 75}};
  for (const Step& s : steps) {
    progress.UpdateStageScore("name", s.key, 0, 0, 0, s.value);
    EXPECT_EQ(progress.GetStageScore(s.key), s.best);
    EXPECT_EQ(progress.m_nTotalBest, s.total);
  }
  EXPECT_EQ(progress.m_StageScores.size(), 2u);
  EXPECT_EQ(progress.GetStageScore("c."), 0);

  // Scores read from a damaged save cannot overflow the total.
  progress.m_StageScores[0].m_nBest = -2147483647;
  progress.UpdateStageScore("name", "a.", 0, 0, 0, 2147483647);
  EXPECT_EQ(progress.m_nTotalBest, 2147483647);
}

TEST_F(ProgressTest, TotalCountsOnlyStagesWithAnEntranceOnTheMap) {
  g_WorldMap.m_vWorld.resize(1);
  cWorldStage plain;
  plain.m_strStageFile = "plain-1.stg4_811";
  cWorldStage preset;
  preset.m_strStageFile = "preset.stg4_811";
  preset.m_bRankSuffix = 1;
  preset.m_nRankSuffixA = 2;
  preset.m_nRankSuffixB = 3;
  g_WorldMap.m_vWorld[0].m_vStage = {plain, preset};

  cProgress progress;
  progress.UpdateStageScore("plain.", "plain.", 0, 0, 0, 10);
  progress.UpdateStageScore("preset.", "preset_c002_3.", 1, 2, 3, 200);
  progress.UpdateStageScore("preset.", "preset_c002_4.", 1, 2, 4, 3000);  // no such entrance
  progress.UpdateStageScore("gone.", "gone.", 0, 0, 0, 40000);
  EXPECT_EQ(progress.m_nTotalBest, 43210);
  progress.RecalcTotal();
  EXPECT_EQ(progress.m_nTotalBest, 210);
}

TEST_F(ProgressTest, SnapshotRestoresByTheSwitchOfThePlayMode) {
  g_SystemData.m_bRestoreVarsStory = 1;
  g_SystemData.m_bRestoreVarsChallenge = 0;
  g_SystemData.m_bRestoreVarsFree = 1;
  g_SystemData.m_bRestoreVarsDirect = 0;
  struct Case {
    const char* what;
    int force, mode, direct;
    bool vars, lives;
  } const cases[] = {
      {"forced", 1, PLAYMODE_CHALLENGE, 0, true, true},
      {"story, switch on", 0, PLAYMODE_STORY, 0, true, false},
      {"challenge, switch off: only the score", 0, PLAYMODE_CHALLENGE, 0, false, false},
      {"free, switch on", 0, PLAYMODE_FREE, 0, true, false},
      {"direct start, its own switch off", 0, PLAYMODE_FREE, 1, false, false},
      {"replay always", 0, PLAYMODE_REPLAY, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cProgress progress;
    progress.m_Vars[3] = 30;
    progress.m_nLives = 4;
    progress.m_nScore = 100;
    progress.TakeSnapshot();
    progress.m_Vars[3] = 31;
    progress.m_nLives = 2;
    progress.m_nScore = 900;
    progress.RestoreSnapshot(c.force, c.mode, c.direct);
    EXPECT_EQ(progress.m_Vars[3], c.vars ? 30 : 31);
    EXPECT_EQ(progress.m_nLives, c.lives ? 4 : 2);
    EXPECT_EQ(progress.m_nScore, 100);
  }
}

TEST_F(ProgressTest, CarryOverMovesTheSwitchedValuesToTheNextStage) {
  g_SystemData.m_CarrySwitch.assign(25, 1);
  g_SystemData.m_CarrySwitch[CARRY_Z] = 0;  // not carried
  cPaletteChara hero;
  hero.m_nGraphic = 0;
  hero.m_nPattern = 5;
  hero.m_nZ = 6;
  hero.m_nMaxHp = 99;
  hero.m_nStopEase = 3;
  hero.m_vFlow.resize(2);

  cProgress progress;
  progress.StoreCarryOver(0, hero, 40, 41, 7, 2, 0, 120, 3, 9);
  EXPECT_EQ(progress.m_bCarried, 1);
  std::vector<std::int32_t> flags(25, 1);
  flags[CARRY_Z] = 0;
  EXPECT_EQ(progress.m_CarriedFlags, flags);

  cPaletteChara next;  // the next stage's hero
  next.m_nZ = 1;
  cStageData stage;
  stage.m_nTimeLimit = 300;
  stage.m_nBgm = 1;
  progress.m_nLives = 8;
  progress.ApplyCarryOver(0, next, stage);
  EXPECT_EQ(next.m_nGraphic, 1);  // graphic 0 comes back as 1
  EXPECT_EQ(next.m_nPattern, 5);
  EXPECT_EQ(next.m_nZ, 1);
  EXPECT_EQ(next.m_nMaxHp, 99);
  EXPECT_EQ(next.m_nStopEase, 3);
  EXPECT_EQ(next.m_vFlow.size(), 2u);
  EXPECT_EQ(next.m_nStartEffect, 7);
  EXPECT_EQ(next.m_nStartEffectMode, 2);
  EXPECT_EQ(next.m_nStartEffectRepeat, 0);
  EXPECT_EQ(stage.m_nTimeLimit, 120);
  EXPECT_EQ(stage.m_nBgm, 9);
  EXPECT_EQ(progress.m_nLives, 3);
  int hp = 0, sp = 0;
  progress.ApplyCarryOverExtra(0, hp, sp);
  EXPECT_EQ(hp, 40);
  EXPECT_EQ(sp, 41);

  // Values forgotten by the reset switches are no longer applied.
  g_SystemData.m_ResetSwitch.assign(25, 0);
  g_SystemData.m_ResetSwitch[CARRY_MAX_HP] = g_SystemData.m_ResetSwitch[CARRY_EXTRA1] = 1;
  progress.ClearVars();
  EXPECT_EQ(progress.m_CarriedFlags[CARRY_MAX_HP], 0);
  EXPECT_EQ(progress.m_CarriedFlags[CARRY_EXTRA1], 0);
  EXPECT_EQ(progress.m_CarriedFlags[CARRY_MAX_SP], 1);
  cPaletteChara again;
  hp = sp = 0;
  progress.ApplyCarryOver(0, again, stage);
  progress.ApplyCarryOverExtra(0, hp, sp);
  EXPECT_EQ(again.m_nMaxHp, cPaletteChara().m_nMaxHp);
  EXPECT_EQ(hp, 0);
  EXPECT_EQ(sp, 41);

  // Nothing is applied before anything was stored.
  cProgress fresh;
  fresh.m_CarriedFlags.assign(25, 1);
  cPaletteChara untouched;
  fresh.ApplyCarryOver(0, untouched, stage);
  hp = sp = 5;
  fresh.ApplyCarryOverExtra(0, hp, sp);
  EXPECT_EQ(untouched.m_nGraphic, cPaletteChara().m_nGraphic);
  EXPECT_EQ(hp, 5);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(ProgressTest, RestartAndResets) {
  cProgress progress;
  progress.m_ClearFlags[5] = 1;
  progress.m_nMapX = 3;
  progress.m_nScore = progress.m_nTimeLeftSum = progress.m_nClearTimeSum = 5;
  progress.m_nHpLeftSum = progress.m_nSpLeftSum = progress.m_nLives = 5;
  progress.RestartStory();
  EXPECT_EQ(progress.m_nRound, 1);
  EXPECT_EQ(progress.m_ClearFlags[5], 0);
  EXPECT_EQ(progress.m_ClearFlags[0], 1);
  EXPECT_EQ(progress.m_nMapX, g_WorldMap.m_nStartX);
  EXPECT_EQ(progress.m_nMapY, g_WorldMap.m_nStartY);
  progress.ResetStageValues();
  EXPECT_EQ(progress.m_nScore + progress.m_nTimeLeftSum + progress.m_nClearTimeSum + progress.m_nHpLeftSum +
                progress.m_nSpLeftSum,
            0);
  EXPECT_EQ(progress.m_nLives, 5);

  // A new game keeps nothing of the old one but the first carry-over record.
  progress.m_StageScores.resize(3);
  progress.m_CarryOver.resize(4);
  progress.m_CarryOver[0].m_nExtra1 = 8;
  progress.m_strRankName = "zzz";
  progress.NewGame();
  EXPECT_EQ(progress.m_nRound, 0);
  EXPECT_TRUE(progress.m_StageScores.empty());
  ASSERT_EQ(progress.m_CarryOver.size(), 1u);
  EXPECT_EQ(progress.m_CarryOver[0].m_nExtra1, 8);
  EXPECT_EQ(progress.m_strRankName, "aaa");
  EXPECT_EQ(progress.m_nSaveSlot, -1);
}

}  // namespace
