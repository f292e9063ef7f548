// A game written by the test game writer loads back whole through the loaders of
// start-up, also from a copy whose folder and file names differ in letter case.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "data/database/database.h"
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

TEST_F(GameWriterTest, FolderThatCannotBeMadeFails) {
  MakeFile("taken/data");  // a file where the folder data\ belongs
  EXPECT_EQ(WriteGame(cGameContent(), "taken"), 0);
}

}  // namespace
