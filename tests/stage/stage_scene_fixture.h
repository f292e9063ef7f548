#pragma once
// A stage-play scene over a small stage held in g_StageData: a 20 x 15 stage with the
// hero on cell (3, 10), collision level 2, no replay recording, and the game manager in
// free play. Tests add placements and call SetStage themselves.
#include <gtest/gtest.h>

#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/scene_game.h"

class StageSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedSystem = g_SystemData;
    m_SavedStage = g_StageData;
    g_SystemData.m_bRecordReplay = 0;
    g_Input.assign(1, cInput());
    g_Progress.NewGame();
    g_Progress.m_Vars.assign(1001, 0);
    m_nSavedTitleSel = g_GameMgr.m_nTitleSel;
    m_nSavedPlayMode = g_GameMgr.m_nPlayMode;
    g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
    g_GameMgr.m_nPlayMode = 2;
    cStageData& stage = g_StageData;
    stage = cStageData();
    stage.m_nWidth = 20;
    stage.m_nHeight = 15;
    stage.m_nPixelWidth = 20 * 32;
    stage.m_nPixelHeight = 15 * 32;
    stage.m_nCollisionLevel = 2;
    stage.m_dGravity = 0.4;
    stage.m_nStageFps = 60;
    stage.m_vCharaPlace.push_back(Chara(CHARACTRL_PLAYER, 3, 10));
    m_SavedStageOrg = g_StageDataOrg;
    g_StageDataOrg = stage;
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    ClearPostedMessages();
  }

  void TearDown() override {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    g_SystemData = m_SavedSystem;
    g_StageData = m_SavedStage;
    g_StageDataOrg = m_SavedStageOrg;
    g_GameMgr.m_nTitleSel = m_nSavedTitleSel;
    g_GameMgr.m_nPlayMode = m_nSavedPlayMode;
    ClearPostedMessages();
  }

  static cPaletteChara Chara(std::int8_t controller, int x, int y) {
    cPaletteChara c;
    c.m_nController = controller;
    c.m_nGraphic = 1;
    c.m_nCellX = static_cast<std::int16_t>(x);
    c.m_nCellY = static_cast<std::int16_t>(y);
    c.m_nCarryItem = -1;
    return c;
  }

  // A solid block row under the hero's cell, across the stage.
  static void AddFloor(int row = 11) {
    for (int x = 0; x < g_StageData.m_nWidth; ++x) {
      cPaletteBlock block;
      block.m_nGraphic = 1;
      block.m_nHit = 1;
      block.m_nCellX = static_cast<std::int16_t>(x);
      block.m_nCellY = static_cast<std::int16_t>(row);
      g_StageData.m_vBlockPlace.push_back(block);
    }
  }

  static cPaletteItem Item(int x, int y) {
    cPaletteItem item;
    item.m_nGraphic = 1;
    item.m_nCellX = static_cast<std::int16_t>(x);
    item.m_nCellY = static_cast<std::int16_t>(y);
    return item;
  }

  cSceneGame* m_pScene = nullptr;
  cSystemData m_SavedSystem;
  cStageData m_SavedStage;
  cStageData m_SavedStageOrg;
  int m_nSavedTitleSel = 0;
  int m_nSavedPlayMode = 0;
};

