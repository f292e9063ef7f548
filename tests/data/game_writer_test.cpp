// A game written by the test game writer loads back whole through the loaders of
// start-up, also from a copy whose folder and file names differ in letter case.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "data/database/database.h"
#include "data/option/option_data.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/worldmap/world_map.h"
#include "data/palette/palette.h"
#include "data/record/data_record.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "tests/support/game_writer.h"
#include "tests/support/stage_builder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The default game with a few values of its own in every file, and a second, prepared
// stage whose character placements inherit their flows from the stage's definition 1.
cGameContent MakeContent() {
  cGameContent game;
  game.System.m_strTitle = "Writer Game";
  game.System.m_nExtraLifeScore = 250;
  game.Database.m_Sound.resize(3);
  game.Database.m_Sound[2].m_strName = "jump";
  game.Palette.m_vChara[1].m_nMaxHp = 44;
  game.Stages[0].nWidth = 30;
  game.Stages[0].Charas.push_back({5, 13});

  cStageShape shape;
  shape.nWidth = 40;
  shape.nHeight = 16;
  shape.nCharaPlacements = 3;
  shape.nItemPlacements = 2;
  shape.nFlowsPerChara = 2;
  shape.nCommandsPerFlow = 3;
  cGameStage& boss = game.Stages.emplace_back();
  boss.strName = "boss";
  BuildStage(boss.Prepared.emplace(), shape);
  return game;
}

// Every letter in the other case: "Anime.dat" -> "aNIME.DAT".
std::string OtherCase(std::string name) {
  for (char& c : name) {
    const auto u = static_cast<unsigned char>(c);
    c = static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
  }
  return name;
}

std::string SameCase(std::string name) { return name; }

// Copies a folder tree, each name passed through `rename`.
void CopyTree(const fs::path& from, const fs::path& to, std::string (*rename)(std::string)) {
  fs::create_directory(to);
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    const fs::path target = to / rename(entry.path().filename().string());
    if (entry.is_directory())
      CopyTree(entry.path(), target, rename);
    else
      fs::copy_file(entry.path(), target);
  }
}

void ResetGlobals() {
  g_Database.Reset();
  g_SystemData = cSystemData();
  g_CommonPalette = cPalette();
  g_StageData = cStageData();
  g_WorldMap = cWorldMap();
  g_OptionData = cOptionData();
  g_Progress = cProgress();
}

class GameWriterTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    g_bStripCR = 1;
    ResetGlobals();
  }
  void TearDown() override {
    ResetGlobals();
    cTempDirTest::TearDown();
  }
};

TEST_F(GameWriterTest, WrittenGameLoadsBackThroughTheStartUpLoaders) {
  struct Case {
    const char* what;
    std::string (*rename)(std::string);
  } const cases[] = {
      {"as written", SameCase},
      {"copied with names in the other letter case", OtherCase},
  };
  const cGameContent game = MakeContent();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::current_path(Dir());
    fs::remove_all("game");
    fs::remove_all("copy");
    ForgetDirectoryListings();
    ASSERT_EQ(WriteGame(game, "game"), 1);
    // The writer leaves the globals as it found them.
    EXPECT_EQ(g_Database.m_Sound.size(), 2u);
    EXPECT_EQ(g_CommonPalette.m_vChara.size(), 1u);
    EXPECT_EQ(g_StageData.m_nWidth, 0);

    CopyTree(fs::path(Dir()) / "game", fs::path(Dir()) / "copy", c.rename);
    fs::current_path(fs::path(Dir()) / "copy");
    ForgetDirectoryListings();
    cRecordingMessageBoxes boxes;

    ASSERT_EQ(g_Database.Load(), 1);
    ASSERT_EQ(g_Database.m_Sound.size(), 3u);
    EXPECT_EQ(g_Database.m_Sound[2].m_strName, "jump");
    EXPECT_EQ(g_Database.m_AnimeSet.size(), 2u);
    EXPECT_EQ(g_Database.m_AnimeSet[1].m_strName, "AnimeSet 1");
    EXPECT_EQ(g_Database.m_Bgm[1].m_strName, "Bgm 1");

    ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
    EXPECT_EQ(g_SystemData.m_strTitle, "Writer Game");
    EXPECT_EQ(g_SystemData.m_nExtraLifeScore, 250);

    ASSERT_EQ(LoadCommonPalette(), 1);
    ASSERT_EQ(g_CommonPalette.m_vChara.size(), 3u);
    EXPECT_EQ(g_CommonPalette.m_vChara[1].m_strName, "hero");
    EXPECT_EQ(g_CommonPalette.m_vChara[1].m_nMaxHp, 44);
    EXPECT_EQ(g_CommonPalette.m_vChara[1].m_nController, CHARACTRL_PLAYER);
    EXPECT_EQ(g_CommonPalette.m_vBlock[1].m_strName, "ground");
    EXPECT_EQ(g_CommonPalette.m_vItem[1].m_strName, "coin");

    ASSERT_EQ(g_StageData.LoadFromFile(GameStagePath("stage1").c_str()), 1);
    EXPECT_EQ(g_StageData.m_nWidth, 30);
    EXPECT_EQ(g_StageData.m_nHeight, 15);
    EXPECT_EQ(g_StageData.m_vBlockPlace.size(), 30u);  // the floor
    ASSERT_EQ(g_StageData.m_vCharaPlace.size(), 2u);
    EXPECT_EQ(g_StageData.m_vCharaPlace[1].m_nCellX, 5);
    EXPECT_EQ(g_StageData.m_vCharaPlace[0].m_nController, CHARACTRL_PLAYER);
    EXPECT_EQ(g_StageData.m_vCharaPlace[1].m_nController, CHARACTRL_COMPUTER);
    EXPECT_EQ(g_StageData.m_vItemPlace.size(), 1u);
    EXPECT_EQ(g_StageData.m_vCharaDef[1].m_strName, "stage chara");

    ASSERT_EQ(g_StageData.LoadFromFile(GameStagePath("boss").c_str()), 1);
    EXPECT_EQ(g_StageData.m_nWidth, 40);
    EXPECT_EQ(g_StageData.m_vBlockPlace.size(), 40u * 16u);
    ASSERT_EQ(g_StageData.m_vCharaPlace.size(), 3u);
    EXPECT_EQ(g_StageData.m_vCharaPlace[2].m_vFlow.size(), 2u);  // inherited on reading
    EXPECT_TRUE(boxes.shown.empty());
    ResetGlobals();
  }
}

TEST_F(GameWriterTest, WorldMapAndUserFilesLoadBack) {
  cGameContent game = MakeContent();
  game.System.m_nChallengeCount = 2;
  game.WorldMap.m_vWorld[0].m_vStage[0].m_strStageFile = "stage1-1.stg4_811";
  cWorld& second = game.WorldMap.m_vWorld.emplace_back();
  second.m_nWorldX = 12;
  second.m_nWorldY = 3;
  second.m_vStage[0].m_strStageFile = "boss.stg4_811";
  second.m_vStage[0].m_bRankSuffix = 1;
  second.m_vStage[0].m_nRankSuffixA = 2;

  cOptionData& options = game.Options.emplace();
  options.m_nSeLevel = 10;
  options.m_strRankName = "ＺＺ";
  cGameSlot& slot = game.StorySlots.emplace_back();
  slot.nSlot = 2;
  slot.Progress.m_nMapX = 12;
  slot.Progress.m_nMapY = 3;
  slot.Progress.m_nLives = 2;
  slot.Progress.UpdateStageScore("boss.", "boss_c002_0.", 1, 2, 0, 900);
  cProgress& challenge = game.Challenge.emplace();
  challenge.m_nChallengeOpen = 2;
  game.System.m_bInfiniteLives = {0, 0, 0, 0};

  fs::current_path(Dir());
  ASSERT_EQ(WriteGame(game, "game"), 1);
  EXPECT_EQ(g_WorldMap.m_vWorld.size(), 0u);  // the globals are put back
  fs::current_path(fs::path(Dir()) / "game");
  ForgetDirectoryListings();

  ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  ASSERT_EQ(g_WorldMap.LoadFromFile(kWorldMapPath), 1);
  ASSERT_EQ(g_WorldMap.m_vWorld.size(), 2u);
  EXPECT_EQ(g_WorldMap.m_vWorld[0].m_strWorldName, "World 1");
  const cWorld* start = g_WorldMap.GetWorldAt(g_WorldMap.m_nStartX, g_WorldMap.m_nStartY);
  ASSERT_NE(start, nullptr);
  // The start world's entry names a stage file of the game.
  const std::string entryFile = start->m_vStage[0].m_strStageFile;
  EXPECT_TRUE(fs::exists("data/stg4/stage1.stg4_811"));
  EXPECT_EQ(WorldStageFileKey(entryFile), "stage1.");
  EXPECT_EQ(g_WorldMap.HasStage("boss.", 1, 2, 0), 1);

  ASSERT_EQ(g_OptionData.LoadFromFile(kOptionFilePath), 1);
  EXPECT_EQ(g_OptionData.m_nSeLevel, 10);
  EXPECT_EQ(g_OptionData.m_strRankName, "ＺＺ");

  ASSERT_EQ(g_Progress.LoadSlot(2), 1);
  EXPECT_EQ(g_Progress.m_nMapX, 12);
  EXPECT_EQ(g_Progress.m_nLives, 2);
  g_Progress.RecalcTotal();
  EXPECT_EQ(g_Progress.m_nTotalBest, 900);
  EXPECT_EQ(g_Progress.m_ChallengeState.size(), 2u);
  EXPECT_EQ(g_Progress.LoadSlot(0), 0);

  cProgress loaded;
  ASSERT_EQ(loaded.LoadChallenge(), 1);
  EXPECT_EQ(loaded.m_nChallengeOpen, 2);

  // A game without user files has no user_data folder.
  fs::current_path(Dir());
  ASSERT_EQ(WriteGame(cGameContent(), "plain"), 1);
  EXPECT_TRUE(fs::exists(fs::path(Dir()) / "plain" / "data" / "WorldMap.dat"));
  EXPECT_FALSE(fs::exists(fs::path(Dir()) / "plain" / "user_data"));
}

TEST_F(GameWriterTest, FolderThatCannotBeMadeFails) {
  MakeFile("taken/data");  // a file where the folder data\ belongs
  EXPECT_EQ(WriteGame(cGameContent(), "taken"), 0);
}

}  // namespace
