#include "tests/frontend/map_scene_fixture.h"

#include "data/database/database.h"
#include "data/stage/stage_data.h"
#include "media/draw/dd_fade.h"
#include "platform/host_files.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/menu_cursor.h"
#include "tests/support/game_writer.h"

namespace {

constexpr int kPassableChip = 5;

cWorldStage StageEntry(const char* file, int number, int manual) {
  cWorldStage stage;
  stage.m_nStageNo = number;
  stage.m_bManualEntry = manual;
  stage.m_strStageName = file;
  stage.m_strStageFile = std::string(file) + ".stg4_811";
  return stage;
}

cWorld& AddWorld(cWorldMap& map, int x, int y, const cWorldStage& stage) {
  cWorld& world = map.m_vWorld.emplace_back();
  world.m_nWorldX = x;
  world.m_nWorldY = y;
  world.m_vStage = {stage};
  return world;
}

}  // namespace

void cMapSceneTest::SetUp() {
  cTempDirTest::SetUp();
  m_SavedSystem = g_SystemData;
  m_SavedMap = g_WorldMap;
  m_SavedProgress = g_Progress;
  m_SavedSlots = g_SlotList;
  m_nSavedFade = g_GameMgr.m_nFadeSpeed;

  cGameContent game;
  game.Stages.resize(2);
  game.Stages[1].strName = "stage2";
  cWorldMap& map = game.WorldMap;
  map.m_vWorld.clear();
  for (std::int32_t& cell : map.m_vCell) cell = kPassableChip;
  map.m_vCell[kBlockedX + (kBlockedY << map.m_nPitchShift)] = 0;
  map.m_nStartX = kStartX;
  map.m_nStartY = kStartY;
  AddWorld(map, kAutoStageX, kStartY, StageEntry("stage1", 1, 0));
  AddWorld(map, kManualStageX, kStartY, StageEntry("stage2", 2, 1));
  cWorldStage wall;
  wall.m_nKind = WORLDSTAGE_WALL;
  AddWorld(map, kStartX, kWallY, wall);
  ASSERT_EQ(WriteGame(game), 1);
  ASSERT_EQ(g_Database.Load(), 1);
  for (const char* folder : {"user_data", "user_data\\story"}) MakeDirectory(folder);

  g_WorldMap = map;
  g_SystemData = game.System;
  g_SystemData.m_Lives = {3, 4, 5, 6};
  g_SystemData.m_bInfiniteLives = {0, 0, 0, 0};
  g_SlotList.assign(kStorySlotCount, cSlotInfo());
  g_Progress = cProgress();
  g_Progress.m_nMapX = kStartX;
  g_Progress.m_nMapY = kStartY;
  g_Progress.m_nLives = 2;
  g_GameMgr.m_nFadeSpeed = 90;
  g_GameMgr.m_nPrevScene = SCENE_TITLE;
  g_GameMgr.m_nPlayMode = 0;
  g_GameMgr.m_bRanking = 0;
  DDResetFades();
  g_MenuCursor.Reset();
  g_Input.assign(1, cInput());
}

void cMapSceneTest::TearDown() {
  g_SystemData = m_SavedSystem;
  g_WorldMap = m_SavedMap;
  g_Progress = m_SavedProgress;
  g_SlotList = m_SavedSlots;
  g_GameMgr.m_nFadeSpeed = m_nSavedFade;
  g_StageData = cStageData();
  g_StageDataOrg = cStageData();
  g_Database.Reset();
  DDResetFades();
  g_MenuCursor.Reset();
  cTempDirTest::TearDown();
}

void cMapSceneTest::Frame(cScene& scene, WORD dir, WORD button) {
  g_Input[0].m_wDir = dir;
  g_Input[0].m_wButton = button;
  scene.Run();
}

void cMapSceneTest::Press(cScene& scene, WORD dir, WORD button) {
  Frame(scene, dir, button);
  Frame(scene);
}

bool cMapSceneTest::RunUntilState(cScene& scene, int state, int limit) {
  for (int i = 0; i < limit && scene.m_nState != state; ++i) Frame(scene);
  return scene.m_nState == state;
}

std::vector<std::string> cMapSceneTest::BoxesSaying(const char* part) const {
  std::vector<std::string> out;
  for (const MessageBoxRecord& box : boxes.shown)
    if (box.text.find(part) != std::string::npos) out.push_back(box.text);
  return out;
}
