// The warp command moves its subject at once by a direction and distance, or to
// coordinates, and takes the move back when the place is solid; an empty target slot
// changes nothing but the fixed-screen flags.
#include <gtest/gtest.h>

#include "data/flow/flow_command.h"
#include "data/flow/movement_block.h"
#include "objects/player.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

class WarpCmdTest : public StageSceneTest {
 protected:
  static cFlowCmd Warp(std::int8_t mode, std::int8_t coordKind, std::int16_t bx, std::int16_t by, std::int16_t dx = 0,
                       std::int16_t dy = 0) {
    cFlowCmd cmd;
    CreateEdMove(cmd.m_pMove);
    cEdMove& m = *cmd.m_pMove;
    m.m_nMode = mode;
    m.m_nCoordKind = coordKind;
    m.m_nTargetXbl = bx;
    m.m_nTargetYbl = by;
    m.m_nTargetXdot = dx;
    m.m_nTargetYdot = dy;
    m.m_bMirrorX = 1;
    return cmd;
  }
};

TEST_F(WarpCmdTest, MovesWhereThereIsRoomAndNowhereElse) {
  AddFloor();
  ASSERT_EQ(m_pScene->SetStage(0, 0), SETSTAGE_READY);
  cPlayer& hero = g_vPlayer.front();
  for (cCharaBase*& slot : hero.m_vTarget) slot = nullptr;
  const double x0 = hero.m_dX;
  const double y0 = hero.m_dY;
  struct {
    const char* name;
    cFlowCmd cmd;
    std::int32_t facing;
    double dx, dy;
  } cases[] = {
      {"two blocks right", Warp(5, 0, 2, 0), 0, 64, 0},
      {"mirrored when facing right", Warp(5, 0, 2, 0), 1, -64, 0},
      {"dots as well", Warp(5, 0, 0, -1, 5, -3), 0, 5, -35},
      {"into the floor: refused", Warp(5, 0, 0, 1), 0, 0, 0},
      {"an empty target slot", Warp(1, 0, 2, 0), 0, 0, 0},
  };
  for (auto& c : cases) {
    hero.m_dX = x0;
    hero.m_dY = y0;
    hero.ConstrainX();
    hero.ConstrainY();
    hero.m_nFacing = c.facing;
    hero.m_dVy = 2;
    hero.m_bFixScreenX = hero.m_bFixScreenY = 1;
    hero.CmdWarp(c.cmd);
    EXPECT_DOUBLE_EQ(hero.m_dX, x0 + c.dx) << c.name;
    EXPECT_DOUBLE_EQ(hero.m_dY, y0 + c.dy) << c.name;
    EXPECT_EQ(hero.m_bFixScreenX, 0) << c.name;
    EXPECT_EQ(hero.m_bFixScreenY, 0) << c.name;
    const bool bMoved = c.dx != 0 || c.dy != 0;
    EXPECT_EQ(hero.m_dVy, bMoved ? 0 : 2) << c.name;
  }
  // Screen coordinates fix the drawing where the warp put it.
  cFlowCmd screen = Warp(5, 2, 5, 5);
  hero.m_nFacing = 0;
  hero.CmdWarp(screen);
  EXPECT_EQ(hero.m_bFixScreenX, 1);
  EXPECT_EQ(hero.m_nFixScreenX, hero.m_rcScreen.left);
  EXPECT_EQ(hero.m_nFixScreenY, hero.m_rcScreen.top);
}

}  // namespace
