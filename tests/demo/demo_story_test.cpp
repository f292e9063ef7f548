// The demo game's story as its files give it: the title has its item pictures, the map
// starts the meadow on the start cell and opens the hills once the meadow is cleared,
// the meadow's flag clears it, and every picture has ink in the cells the scenes take.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/checked_access.h"
#include "data/flow/flow_command_kinds.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_art.h"
#include "demo/demo_game.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

class DemoStoryTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(WriteDemoGame(), 1);
  }
};

const cWorldStage* EntryAt(const cWorldMap& map, int x, int y) {
  const cWorld* world = map.GetWorldAt(x, y);
  return world != nullptr && !world->m_vStage.empty() ? &world->m_vStage.front() : nullptr;
}

TEST_F(DemoStoryTest, TheMapStartsTheMeadowAndOpensTheHillsAfterIt) {
  cWorldMap map;
  ASSERT_EQ(map.LoadFromFile(kWorldMapPath), 1);
  const cWorldStage* meadow = EntryAt(map, map.m_nStartX, map.m_nStartY);
  ASSERT_NE(meadow, nullptr) << "no stage on the start cell";
  EXPECT_EQ(meadow->m_nStageNo, 1);
  EXPECT_EQ(meadow->m_bManualEntry, 0);  // a new story starts it at once
  EXPECT_EQ(meadow->m_nReqSwitch, 0);
  ASSERT_EQ(map.m_vWorld.size(), 2u);
  const cWorldStage& hills = CheckedAt(map.m_vWorld, 1).m_vStage.front();
  EXPECT_EQ(hills.m_nReqSwitch, meadow->m_nStageNo);
  EXPECT_NE(hills.m_nStageNo, meadow->m_nStageNo);
  // The cursor can walk from one to the other: every cell between them is passable.
  const cWorld& hillsWorld = CheckedAt(map.m_vWorld, 1);
  ASSERT_EQ(hillsWorld.m_nWorldY, map.m_nStartY);
  for (int x = map.m_nStartX; x <= hillsWorld.m_nWorldX; ++x) {
    const std::int32_t chip = CheckedAt(map.m_vCell, (map.m_nStartY << map.m_nPitchShift) + x);
    EXPECT_EQ(CheckedAt(map.m_vChip, chip).m_bBlocked, 0) << "cell " << x;
  }
  // Both entries name stage files that are there and load.
  for (const cWorldStage* entry : {meadow, &hills}) {
    cStageData stage;
    EXPECT_EQ(stage.LoadFromFile(("data\\stg4\\" + entry->m_strStageFile).c_str()), 1) << entry->m_strStageFile;
  }
}

TEST_F(DemoStoryTest, TheMeadowsFlagClearsTheStage) {
  cStageData stage;
  ASSERT_EQ(stage.LoadFromFile(GameStagePath("meadow").c_str()), 1);
  ASSERT_EQ(stage.HasHero(), 1);
  const auto clears = [](const cPaletteItem& item) {
    return std::any_of(item.m_vItemCmd.begin(), item.m_vItemCmd.end(), [](const cFlowCmd& cmd) {
      return cmd.m_bItemCmd != 0 && cmd.m_nKind == ITEMCMD_STAGE_CLEAR;
    });
  };
  EXPECT_EQ(std::count_if(stage.m_vItemPlace.begin(), stage.m_vItemPlace.end(), clears), 1);
}

TEST_F(DemoStoryTest, TheStorysSystemSettings) {
  ASSERT_EQ(g_SystemData.LoadFromFile("data\\System.dat"), 1);
  EXPECT_EQ(g_SystemData.m_bTitlePictures, 1);
  EXPECT_EQ(CheckedAt(g_SystemData.m_ModeRanking, 0).m_bRankingOn, 1);
  EXPECT_EQ(CheckedAt(g_SystemData.m_bInfiniteLives, 0), 0);
  EXPECT_GT(CheckedAt(g_SystemData.m_Lives, 0), 1);
}

// Each cell a scene takes from a picture lies inside it and is drawn on (a cell of only
// the colour key would show nothing: a menu without items, a clear without its banner).
TEST(DemoPicturesTest, TheCellsTheScenesTakeHoldInk) {
  struct Cell {
    const char* path;
    int x, y, w, h;
  } const cells[] = {
      {"bmp\\GameMode.bmp", 0, 0 * 32, 192, 32},  // new game
      {"bmp\\GameMode.bmp", 0, 1 * 32, 192, 32},  // continue
      {"bmp\\GameMode.bmp", 0, 6 * 32, 192, 32},  // exit, the last title item
      {"bmp\\Word.bmp", 0, 0, 128, 32},           // stage banner
      {"bmp\\Word.bmp", 160, 0, 80, 32},          // start banner
      {"bmp\\Word.bmp", 0, 32, 128, 32},          // replay banner
      {"bmp\\Word.bmp", 0, 64, 128, 32},          // clear banner
      {"bmp\\Word.bmp", 0, 96, 144, 32},          // game over banner
      {"bmp\\Word.bmp", 9 * 32, 128, 32, 32},     // the last digit
      {"bmp\\Accessory.bmp", 0, 0, 32, 32},       // title cursor
      {"bmp\\Accessory.bmp", 64, 0, 16, 16},      // menu cursor
      {"bmp\\Accessory.bmp", 80, 0, 16, 16},      // list cursor behind a prompt
      {"bmp\\Accessory.bmp", 0, 48, 16, 16},      // lives icon
      {"bmp\\Accessory.bmp", 16, 48, 16, 16},     // ranking highlight
      {"bmp\\Accessory.bmp", 96, 96, 32, 32},     // map cursor, the last of its frames
      {"bmp\\WorldMapChip.bmp", 4 * 32, 32, 32, 32},  // chip picture 9
      {"bmp\\Window.bmp", 0, 0, 640, 480},        // a box as large as the screen
  };
  const std::vector<cDemoPicture> pictures = DrawDemoPictures();
  for (const Cell& c : cells) {
    SCOPED_TRACE(std::string(c.path) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
    const auto found = std::find_if(pictures.begin(), pictures.end(),
                                    [&c](const cDemoPicture& p) { return std::string(p.lpPath) == c.path; });
    ASSERT_NE(found, pictures.end());
    const cCanvas& canvas = found->Canvas;
    ASSERT_LE(c.x + c.w, canvas.Width());
    ASSERT_LE(c.y + c.h, canvas.Height());
    int ink = 0;
    for (int y = c.y; y < c.y + c.h; ++y)
      for (int x = c.x; x < c.x + c.w; ++x) ink += canvas.At(x, y) != 0 ? 1 : 0;
    EXPECT_GT(ink, 0);
  }
}

}  // namespace
