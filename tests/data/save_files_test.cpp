// The player's own files: story slots, the challenge file and the options, written and
// read back through the files; saves that fail on a full disk; files that are missing,
// newer than the player or damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "data/option/option_data.h"
#include "data/record/data_file.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "platform/host_files.h"
#include "platform/simulated_disk.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const Bytes kVersion811 = {0x2B, 0x03, 0x00, 0x00};

// A game in progress with something in every list.
cProgress PlayedGame(std::int32_t score) {
  cProgress p;
  p.m_nScore = score;
  p.m_nLives = 3;
  p.m_nLivesAtStart = 4;
  p.m_nMapX = 2;
  p.m_strStageName = "stage1.";
  p.m_ClearFlags[1] = 1;
  p.m_Vars[1000] = score;
  p.m_CarriedFlags[CARRY_MAX_HP] = 1;
  p.m_CarryOver[0].m_Chara.m_nMaxHp = 50;
  p.UpdateStageScore("stage1.", "stage1.", 0, 0, 0, score);
  return p;
}

class SaveFilesTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_SavedSystem = g_SystemData;
    m_SavedMap = g_WorldMap;
    m_SavedSlots = g_SlotList;
    m_SavedOptions = g_OptionData;
    g_SystemData = cSystemData();
    g_SystemData.m_nChallengeCount = 3;
    g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
    g_WorldMap = cWorldMap();
    g_SlotList.assign(kStorySlotCount, cSlotInfo());
    g_nFileVersion = g_nDataVersion;
    for (const char* folder : {"user_data", "user_data\\story", "user_data\\challenge"})
      ASSERT_EQ(MakeDirectory(folder), 1);
  }
  void TearDown() override {
    EndDiskSpaceSimulation();
    g_SystemData = m_SavedSystem;
    g_WorldMap = m_SavedMap;
    g_SlotList = m_SavedSlots;
    g_OptionData = m_SavedOptions;
    cTempDirTest::TearDown();
  }

 private:
  cSystemData m_SavedSystem;
  cWorldMap m_SavedMap;
  std::vector<cSlotInfo> m_SavedSlots;
  cOptionData m_SavedOptions;
};

TEST_F(SaveFilesTest, StorySlotsRoundTripUnderTheirFileNames) {
  struct Case {
    int slot;
    const char* file;
  } const cases[] = {{0, "user_data/story/Story01.dat"}, {9, "user_data/story/Story10.dat"},
                     {98, "user_data/story/Story99.dat"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    cProgress saved = PlayedGame(100 + c.slot);
    ASSERT_EQ(saved.SaveSlot(c.slot), 1);
    EXPECT_NE(saved.m_SaveTime.wYear, 0);
    EXPECT_EQ(g_SlotList[static_cast<std::size_t>(c.slot)].m_bUsed, 1);
    EXPECT_EQ(std::memcmp(&g_SlotList[static_cast<std::size_t>(c.slot)].m_SaveTime, &saved.m_SaveTime,
                          sizeof(SYSTEMTIME)),
              0);
    const Bytes file = ReadTestFile(Dir() + "/" + c.file);
    ASSERT_GT(file.size(), 4u);
    EXPECT_EQ(FirstBytes(file, 4), kVersion811);
    EXPECT_EQ(Bytes(file.begin() + 4, file.end()), WrittenCopy(saved));

    cProgress loaded;
    ASSERT_EQ(loaded.LoadSlot(c.slot), 1);
    EXPECT_EQ(WrittenCopy(loaded), WrittenCopy(saved));
    EXPECT_EQ(loaded.m_Vars[1000], 100 + c.slot);
    EXPECT_EQ(loaded.GetStageScore("stage1."), 100 + c.slot);
  }
  EXPECT_EQ(g_SlotList[1].m_bUsed, 0);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(SaveFilesTest, SlotThatCannotBeLoadedReportsFailureAndLeavesTheRecord) {
  cProgress good = PlayedGame(5);
  ASSERT_EQ(good.SaveSlot(0), 1);
  const Bytes file = ReadTestFile(Dir() + "/user_data/story/Story01.dat");
  Bytes newer = file;
  newer[0] = 0x2C;  // version 812
  Bytes negative = file;
  std::memset(negative.data(), 0xFF, 4);
  struct Case {
    const char* what;
    std::optional<Bytes> bytes;  // none: no file
  } const cases[] = {
      {"missing", std::nullopt},
      {"newer than the player", newer},
      {"version word negative", negative},
      {"empty", Bytes{}},
      {"version word only", kVersion811},
      {"cut in its members", FirstBytes(file, 60)},
      {"cut in its variables", FirstBytes(file, file.size() - 1)},
  };
  g_SystemData.m_bInfiniteLives = {1, 1, 1, 1};  // a load would set the lives
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Dir() + "/user_data/story/Story02.dat");
    if (c.bytes) WriteTestFile(Dir() + "/user_data/story/Story02.dat", *c.bytes);
    ForgetDirectoryListings();
    cProgress progress = PlayedGame(77);
    const Bytes before = WrittenCopy(progress);
    EXPECT_EQ(progress.LoadSlot(1), 0);
    EXPECT_EQ(WrittenCopy(progress), before);
    EXPECT_EQ(progress.m_nLives, 3);
  }
}

TEST_F(SaveFilesTest, LoadingAppliesTheLivesRuleOfItsPlayMode) {
  struct Case {
    const char* what;
    bool challenge;
    std::int32_t infinite;  // of the play mode
    std::int32_t modeLives;
    std::int32_t savedLives;
    std::int32_t wantLives, wantAtStart;
  } const cases[] = {
      {"story, infinite lives", false, 1, 5, 3, 999999, 999999},
      {"story, finite, saved infinite", false, 0, 5, 999999, 5, 4},
      {"story, finite, saved finite", false, 0, 5, 3, 3, 4},
      {"challenge, infinite lives", true, 1, 7, 2, 999999, 999999},
      {"challenge, finite, saved infinite", true, 0, 7, 999999, 7, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int mode = c.challenge ? 1 : 0;
    g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
    g_SystemData.m_Lives = {1, 1, 1, 1};
    g_SystemData.m_bInfiniteLives[static_cast<std::size_t>(mode)] = c.infinite;
    g_SystemData.m_Lives[static_cast<std::size_t>(mode)] = c.modeLives;
    cProgress saved = PlayedGame(1);
    saved.m_nLives = c.savedLives;
    cProgress loaded;
    if (c.challenge) {
      ASSERT_EQ(saved.SaveToFile(kChallengeFilePath), 1);
      ASSERT_EQ(loaded.LoadChallenge(), 1);
    } else {
      ASSERT_EQ(saved.SaveSlot(3), 1);
      ASSERT_EQ(loaded.LoadSlot(3), 1);
    }
    EXPECT_EQ(loaded.m_nLives, c.wantLives);
    EXPECT_EQ(loaded.m_nLivesAtStart, c.wantAtStart);
  }
}

TEST_F(SaveFilesTest, ChallengeFileRoundTrips) {
  cProgress fresh;
  EXPECT_EQ(fresh.LoadChallenge(), 0);  // none yet: the caller starts a new challenge game

  cProgress saved = PlayedGame(9);
  saved.m_nChallengeOpen = 3;
  saved.m_ChallengeState.resize(3);
  saved.m_ChallengeState[2].m_bCleared = 1;
  saved.m_ChallengeState[2].m_nHigh = 4500;
  ASSERT_EQ(saved.SaveToFile(kChallengeFilePath), 1);
  EXPECT_TRUE(Exists(Dir() + "/user_data/challenge/Challenge.dat"));
  cProgress loaded;
  ASSERT_EQ(loaded.LoadChallenge(), 1);
  EXPECT_EQ(WrittenCopy(loaded), WrittenCopy(saved));
  EXPECT_EQ(loaded.m_ChallengeState[2].m_nHigh, 4500);
  EXPECT_EQ(loaded.m_nChallengeOpen, 3);
}

TEST_F(SaveFilesTest, SaveThatFailsOnAFullDiskKeepsTheOldSlot) {
  cProgress old = PlayedGame(1000);
  ASSERT_EQ(old.SaveSlot(0), 1);
  const std::string slotFile = Dir() + "/user_data/story/Story01.dat";
  const Bytes oldFile = ReadTestFile(slotFile);
  const cSlotInfo oldEntry = g_SlotList[0];

  cProgress newer = PlayedGame(2000);
  const std::size_t newSize = 4 + WrittenCopy(newer).size();
  const long long freeBytes[] = {0, 1, 4, 100, static_cast<long long>(newSize / 2),
                                 static_cast<long long>(newSize - 1)};
  for (long long free : freeBytes) {
    SCOPED_TRACE(free);
    newer.m_SaveTime.wYear = 1999;
    SimulateDiskSpace(free);
    EXPECT_EQ(newer.SaveSlot(0), 0);
    EndDiskSpaceSimulation();
    // The failure is the caller's to see; the slot list and the save time are as before.
    EXPECT_EQ(newer.m_SaveTime.wYear, 1999);
    EXPECT_EQ(std::memcmp(&g_SlotList[0].m_SaveTime, &oldEntry.m_SaveTime, sizeof(SYSTEMTIME)), 0);
    // The old slot is whole and loads.
    EXPECT_EQ(ReadTestFile(slotFile), oldFile);
    EXPECT_FALSE(Exists(slotFile + ".tmp"));
    cProgress loaded;
    ASSERT_EQ(loaded.LoadSlot(0), 1);
    EXPECT_EQ(loaded.m_nScore, 1000);
    EXPECT_EQ(WrittenCopy(loaded), WrittenCopy(old));
  }

  // With exactly room enough the save goes through.
  SimulateDiskSpace(static_cast<long long>(newSize));
  EXPECT_EQ(newer.SaveSlot(0), 1);
  EndDiskSpaceSimulation();
  cProgress loaded;
  ASSERT_EQ(loaded.LoadSlot(0), 1);
  EXPECT_EQ(loaded.m_nScore, 2000);
}

TEST_F(SaveFilesTest, FailedFirstSaveLeavesTheSlotEmpty) {
  cProgress progress = PlayedGame(1);
  SimulateDiskSpace(10);
  EXPECT_EQ(progress.SaveSlot(4), 0);
  EndDiskSpaceSimulation();
  EXPECT_EQ(g_SlotList[4].m_bUsed, 0);
  EXPECT_FALSE(Exists(Dir() + "/user_data/story/Story05.dat"));
  EXPECT_FALSE(Exists(Dir() + "/user_data/story/Story05.dat.tmp"));
  EXPECT_EQ(progress.LoadSlot(4), 0);

  // Slots outside the list are reported (the program closes in order) and no file is
  // written or read.
  for (int slot : {-1, 99}) {
    SCOPED_TRACE(slot);
    ClearPostedMessages();
    EXPECT_EQ(progress.SaveSlot(slot), 0);
    EXPECT_EQ(progress.LoadSlot(slot), 0);
    EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
  }
  EXPECT_FALSE(Exists(Dir() + "/user_data/story/Story00.dat"));
  EXPECT_FALSE(Exists(Dir() + "/user_data/story/Story100.dat"));
  EXPECT_EQ(g_SlotList[0].m_bUsed, 0);

  // Without its folder a slot cannot be saved either.
  std::filesystem::remove_all(Dir() + "/user_data/story");
  ForgetDirectoryListings();
  EXPECT_EQ(progress.SaveSlot(4), 0);
  EXPECT_EQ(g_SlotList[4].m_bUsed, 0);
}

TEST_F(SaveFilesTest, OptionsRoundTripAndBadFilesLeaveTheDefaults) {
  cOptionData options;
  EXPECT_EQ(options.m_nPaletteVariant, 0);
  EXPECT_EQ(options.m_bBgm, 1);
  EXPECT_EQ(options.m_nSeLevel, 7);
  EXPECT_EQ(options.m_nRankRegMode, 0);
  EXPECT_EQ(options.m_strRankName, "aaa");
  ASSERT_EQ(options.SaveToFile(kOptionFilePath), 1);
  const Bytes newFile = {0x2B, 0x03, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 7, 0,
                         0,    0,    0, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 'a', 'a', 'a', 0};
  EXPECT_EQ(ReadTestFile(Dir() + "/user_data/Option.dat"), newFile);

  struct Case {
    std::int32_t variant, bgm, se, mode;
    const char* name;
  } const saved[] = {{23, 0, 10, 3, "ＡＢＣ"}, {5, 1, 0, 1, ""}};
  for (const Case& c : saved) {
    SCOPED_TRACE(c.name);
    cOptionData out;
    out.m_nPaletteVariant = c.variant;
    out.m_bBgm = c.bgm;
    out.m_nSeLevel = c.se;
    out.m_nRankRegMode = c.mode;
    out.m_strRankName = c.name;
    ASSERT_EQ(out.SaveToFile(kOptionFilePath), 1);
    cOptionData in;
    ASSERT_EQ(in.LoadFromFile(kOptionFilePath), 1);
    EXPECT_EQ(in.m_nPaletteVariant, c.variant);
    EXPECT_EQ(in.m_bBgm, c.bgm);
    EXPECT_EQ(in.m_nSeLevel, c.se);
    EXPECT_EQ(in.m_nRankRegMode, c.mode);
    EXPECT_EQ(in.m_strRankName, c.name);
  }
  // The empty name is stored as the length word 1 alone.
  const Bytes emptyName = ReadTestFile(Dir() + "/user_data/Option.dat");
  EXPECT_EQ(emptyName.size(), 32u);
  EXPECT_EQ(Bytes(emptyName.end() - 4, emptyName.end()), (Bytes{1, 0, 0, 0}));

  Bytes newer = newFile;
  newer[0] = 0x2C;
  Bytes longName = newFile;
  longName[28] = 0x40;  // a name longer than the file
  Bytes negativeCount = newFile;
  std::memset(negativeCount.data() + 24, 0xFF, 4);
  struct Bad {
    const char* what;
    Bytes bytes;
  } const bad[] = {
      {"newer", newer},
      {"name longer than the file", longName},
      {"negative text count", negativeCount},
      {"cut in the members", FirstBytes(newFile, 14)},
      {"cut in the name", FirstBytes(newFile, 34)},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.what);
    WriteTestFile(Dir() + "/user_data/Option.dat", b.bytes);
    cOptionData in;
    in.m_nSeLevel = 3;  // as the player had it
    EXPECT_EQ(in.LoadFromFile(kOptionFilePath), 0);
    EXPECT_EQ(WrittenCopy(in), [] {
      cOptionData expected;
      expected.m_nSeLevel = 3;
      return WrittenCopy(expected);
    }());
  }
  std::filesystem::remove(Dir() + "/user_data/Option.dat");
  ForgetDirectoryListings();
  EXPECT_EQ(g_OptionData.LoadFromFile(kOptionFilePath), 0);
  EXPECT_EQ(g_OptionData.m_nSeLevel, 7);
}

}  // namespace
