#pragma once
// A small running stage for the object tests: a stage-play scene with its two scroll axes,
// a block grid of empty cells and the physics values of a collision level. Stage of 20 x 10
// blocks; with the margin of 10 blocks the world is 40 x 30 cells (1280 x 960 dots), the
// stage runs from dot 320 to 960 horizontally and from 320 to 640 vertically.
#include <gtest/gtest.h>

#include <memory>

#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "shell/game_mgr.h"
#include "stage/block_cell.h"
#include "stage/scene_game.h"
#include "stage/scroll.h"
#include "stage/stage_world.h"

class ObjectWorldTest : public ::testing::Test {
 protected:
  static constexpr int kStageW = 20;
  static constexpr int kStageH = 10;
  static constexpr int kShift = 6;  // rows of 64 cells hold the 40 columns

  void SetUp() override {
    g_StageData = cStageData();
    g_StageData.m_dGravity = 0.4;
    g_StageData.SetCollisionLevel(1);
    g_SystemData = cSystemData();
    g_Input.assign(2, cInput());
    m_pScene = std::make_unique<cSceneGame>();
    g_lpSceneGame = m_pScene.get();
    SetAxis(Scene().m_ScrollX, 640, kStageW + 20, kShift);
    SetAxis(Scene().m_ScrollY, 480, kStageH + 20, 0);
    g_vBlockMap.assign(static_cast<std::size_t>(kStageH + 20) << kShift, cBlockCell());
    for (cBlockCell& cell : g_vBlockMap) cell.m_nHit = 0;
  }

  void TearDown() override {
    g_listChara.clear();
    g_listItem.clear();
    g_vPlayer.clear();
    g_lpSceneGame = nullptr;
    m_pScene.reset();
    g_vBlockMap.clear();
    g_StageData = cStageData();
    g_SystemData = cSystemData();
    g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
  }

  static void SetAxis(cScroll& axis, int view, int cells, int shift) {
    axis.m_nView = view;
    axis.m_nMargin = 10;
    axis.m_nCells = cells;
    axis.m_nShift = shift;
    axis.m_nStride = shift != 0 ? 1 << shift : cells;
    axis.m_nOrigin = 320;
    axis.m_nExtent = (cells - 10) * 32;
    axis.m_nMin = axis.m_nOrigin;
    axis.m_nMax = axis.m_nExtent;
    axis.m_nFarLimit = axis.m_nExtent;
    axis.m_dPos = axis.m_nOrigin;
  }

  void SetLevel(int level) { g_StageData.SetCollisionLevel(level); }

  static void SetSolid(int column, int row) {
    cBlockCell& cell = g_vBlockMap[static_cast<std::size_t>(column + (row << kShift))];
    cell.m_nGraphic = 1;
    cell.m_nHit = 1;
  }

  cSceneGame& Scene() { return *m_pScene; }

  std::unique_ptr<cSceneGame> m_pScene;
};
