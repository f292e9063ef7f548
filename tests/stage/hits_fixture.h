#pragma once
// A running stage for the hit, item and death tests: the hero (group 0) on the small
// stage of StageSceneTest and the characters a test places, set up by SetStage. The
// tests put hit rectangles and boxes where they want them; nothing moves unless a test
// runs the play step.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

class HitsTest : public StageSceneTest {
 protected:
  // A computer character of `side` on cell (x, 5), HP 10.
  static cPaletteChara Enemy(int side, int x = 8) {
    cPaletteChara c = Chara(CHARACTRL_COMPUTER, x, 5);
    c.m_nSide = static_cast<std::int8_t>(side);
    c.m_nMaxHp = 10;
    return c;
  }

  // The hero is group 0.
  void Start() {
    g_StageData.m_vCharaPlace.front().m_nSide = 0;
    AddFloor();
    ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
    m_pScene->m_nState = GAMESTATE_PLAY;
    m_pScene->m_nSubStep = 1;
  }

  cPlayer& Hero() { return g_vPlayer.front(); }
  cChara& CharaAt(int n) { return *std::next(g_listChara.begin(), n); }

  // Both hit areas of a character on one rectangle.
  static void PutAt(cCharaBase& c, double left, double top, double size = 16) {
    c.m_HitChara.m_rc = cDoubleRect{left, top, left + size - 1, top + size - 1};
    c.m_HitShot.m_rc = c.m_HitChara.m_rc;
  }

  // A flying shot of `side` over the rectangle at (left, top), in the scene's lists.
  cShot& AddTestShot(int side, double left, double top, std::int32_t power) {
    cShot shot;
    shot.m_nLayer = side;
    shot.m_nObjId = ++m_nShotIds;
    shot.m_bFlying = 1;
    shot.m_bOnScreen = 1;
    shot.m_EdShot.m_nPower = power;
    shot.m_dX = left;
    shot.m_dY = top;
    shot.m_dRight = left + 15;
    shot.m_dBottom = top + 15;
    shot.m_HitArea.m_rc = cDoubleRect{left, top, left + 15, top + 15};
    m_pScene->m_lstShot.push_back(shot);
    cShot& added = m_pScene->m_lstShot.back();
    m_pScene->m_vGroupShotList[static_cast<std::size_t>(side)].push_back(&added);
    return added;
  }

  // An item command; the change-flow command (mode 0) adds one flow to the player, which
  // the tests count to see how often an item's commands ran.
  static cFlowCmd ItemCommand(int kind) {
    cFlowCmd cmd;
    cmd.m_bItemCmd = 1;
    cmd.m_nKind = static_cast<std::int8_t>(kind);
    if (kind == ITEMCMD_CHANGE_FLOW) {
      cmd.m_vParam = {0, 0};
      cmd.m_vFlow.resize(1);
    }
    return cmd;
  }

  std::int32_t m_nShotIds = 1000;
};
