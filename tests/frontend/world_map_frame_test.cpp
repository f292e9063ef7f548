// One frame of the world map drawn on a display, over the demo game's pictures: the map
// from the cursor's view, the world icons, the cursor sprite on the cursor cell and the
// lives box.
#include "frontend/world_map_scene.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_art.h"
#include "demo/demo_game.h"
#include "frontend/world_map_rules.h"
#include "media/draw/dd_fade.h"
#include "media/draw/dd_pixels.h"
#include "media/input/input.h"
#include "platform/host_files.h"
#include "shell/game_mgr.h"
#include "tests/media/draw_test_util.h"

namespace {

class WorldMapFrame : public cDisplayTest {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    m_SavedSystem = g_SystemData;
    m_SavedMap = g_WorldMap;
    m_SavedProgress = g_Progress;
  }
  void TearDown() override {
    g_SystemData = m_SavedSystem;
    g_WorldMap = m_SavedMap;
    g_Progress = m_SavedProgress;
    DDResetFades();
    cDisplayTest::TearDown();
  }

 private:
  cSystemData m_SavedSystem;
  cWorldMap m_SavedMap;
  cProgress m_SavedProgress;
};

std::uint32_t PixelAt(const cPixelBuffer& pixels, int x, int y) {
  return PixelToArgb(pixels.format, pixels.Get(x, y)) & 0xFFFFFF;
}

TEST_F(WorldMapFrame, TheMapIsDrawnAroundTheCursor) {
  ASSERT_TRUE(Bring(kAllConfigs[0]));
  ASSERT_EQ(WriteDemoGame(), 1);
  ForgetDirectoryListings();
  ASSERT_TRUE(g_SystemData.LoadFromFile("data\\System.dat"));
  ASSERT_TRUE(g_WorldMap.LoadFromFile(kWorldMapPath));
  ASSERT_FALSE(g_WorldMap.m_vWorld.empty());
  // The demo's first stage waits for the decision key here, so the walk is drawn.
  cWorld& world = g_WorldMap.m_vWorld[0];
  world.m_vStage[0].m_bManualEntry = 1;
  g_SystemData.m_bMapLivesBox = 1;
  g_Progress = cProgress();
  g_Progress.m_nMapX = world.m_nWorldX;
  g_Progress.m_nMapY = world.m_nWorldY;
  g_Progress.m_nLives = 3;
  g_GameMgr.m_nFadeSpeed = 90;
  g_GameMgr.m_nPrevScene = SCENE_TITLE;
  DDResetFades();
  g_Input.assign(1, cInput());

  cSceneWorldMap scene;
  for (int i = 0; i < 4 && scene.m_nState != cSceneWorldMap::STATE_WALK; ++i) scene.Run();
  ASSERT_EQ(scene.m_nState, cSceneWorldMap::STATE_WALK);
  scene.Run();
  const cPixelBuffer& frame = Pixels(&g_BackBuffer);
  ASSERT_EQ(frame.nWidth, 640);
  const std::string file = DumpPixels("world_map_walk", frame);
  SCOPED_TRACE(file);

  const std::vector<std::uint32_t> palette = DemoPalette();
  // The cursor sprite (facing down: Accessory cell 8) stands on the cursor cell, over
  // the world's icon whose disc shows around it.
  EXPECT_EQ(PixelAt(frame, 288 + 6, 224 + 6), palette[CubeColour(5, 2, 0)]);
  EXPECT_EQ(PixelAt(frame, 288 + 16, 224 + 16), palette[CubeColour(5, 0, 0)]);
  // The cell left of the cursor shows its chip's picture: picture n is cell (n mod 5,
  // n div 5) of the chip sheet, whose cells the demo fills in four colours in turn.
  const int kinds[4] = {CubeColour(1, 4, 1), CubeColour(0, 1, 4), CubeColour(4, 4, 2), CubeColour(2, 2, 2)};
  const int chip = g_WorldMap.m_vCell[GetMapCellIndex(g_WorldMap, world.m_nWorldX - 1, world.m_nWorldY)];
  const int n = g_WorldMap.m_vChip[chip].m_nChipGraphic;
  EXPECT_EQ(PixelAt(frame, 256 + 2, 224 + 2), palette[kinds[((n / 5) * 8 + n % 5) % 4]]);
}

}  // namespace
