// Characters against the block grid: which cell a probe records, who dies on what, the
// rising walker, characters that leave the grid, the foot blocks and the place test.
#include <gtest/gtest.h>

#include <cstdint>

#include "data/palette/palette_item.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "platform/message_queue.h"
#include "stage/block_grid.h"
#include "tests/stage/object_world.h"

namespace {

constexpr int kWalking = 0;
constexpr int kPassBlocks = 1;
constexpr int kDieOnBlock = 3;
constexpr int kHero = 0;
constexpr int kComputer = 1;

class BlockCollisionTest : public ObjectWorldTest {
 protected:
  // A character of kind `kind` whose w x h box (scale 1; `size` times that when giant) has
  // its top-left dot at (x, y).
  template <typename T>
  static T Make(int kind, double x, double y, int w, int h, int flying = kWalking, int size = 1) {
    T chara;
    chara.cGameObj::Init(1, kind, 0, 0, 1, nullptr, 0, 0, 0, w * size, h * size, 32, 32, 0, flying, 0, nullptr);
    chara.m_Def.m_nSize = static_cast<std::int8_t>(size);
    chara.m_nBaseBoxW = w;
    chara.m_nBaseBoxH = h;
    chara.m_dX = x;
    chara.m_dY = y;
    chara.ClampX(3);
    chara.ClampY(3);
    return chara;
  }

  static cBlockCell& Cell(int column, int row) {
    return g_vBlockMap[static_cast<std::size_t>(column + (row << kShift))];
  }
  static void SetHit(int column, int row, std::int8_t hit) {
    Cell(column, row).m_nGraphic = 1;
    Cell(column, row).m_nHit = hit;
  }
};

// A walker stands on two equally solid cells, columns 10 and 11 of row 20 (dots 320-351
// and 352-383), with its 16-dot box from x = 346: the hero's middle point (354) lies on
// column 11, the computer character's two corners (346, 361) are 7 and 8 dots from the
// centre 353, so it records column 10.
TEST_F(BlockCollisionTest, TheHeroRecordsTheCellUnderItsMiddleAComputerCharacterTheNearerCorner) {
  SetHit(10, 20, 1);
  SetHit(11, 20, 1);
  struct Case {
    int kind;
    int column;
  } const cases[] = {{kHero, 11}, {kComputer, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    cChara chara = Make<cChara>(c.kind, 346, 640 - 24 + 2, 16, 24);
    chara.m_dVy = 1;
    EXPECT_EQ(Scene().HitBlockY(chara), 0);
    EXPECT_EQ(chara.m_pFootCell, &Cell(c.column, 20));
    EXPECT_EQ(chara.m_pLastFootCell, &Cell(c.column, 20));
    EXPECT_EQ(chara.m_bHitBottom, 1);
    EXPECT_EQ(chara.m_dBottom, 639);  // snapped onto the row
  }
}

// A giant of factor 3 with a 32 x 32 box at scale 1 probes its left edge at y, y + 31,
// y + 62 and y + 93: with y = 322 the points lie in rows 10, 11, 12 and 12, and its bottom
// dot (y + 95) in row 13, which no probe reaches.
TEST_F(BlockCollisionTest, AGiantsProbesSpanItsScaledBoxLessOneDotPerFactor) {
  struct Case {
    int solidRow;
    int foundRow;  // the row of the cell the probe returns
  } const cases[] = {{10, 10}, {11, 11}, {12, 12}, {13, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.solidRow);
    for (cBlockCell& cell : g_vBlockMap) cell.m_nHit = 0;
    SetHit(12, c.solidRow, 1);
    cChara giant = Make<cChara>(kComputer, 12 * 32 + 5, 322, 32, 32, kWalking, 3);
    const int x = 12 * 32 + 5;
    EXPECT_EQ(Scene().ProbeBlocks(giant, x, 322, x, 322 + 95), 12 + (c.foundRow << kShift));
  }
}

// Who dies on what: the hero on a deadly cell from every side, the computer character
// that stands on it, the character that dies on any block, and the one that passes them.
TEST_F(BlockCollisionTest, DeadlyCellsAndFlyingModesDecideWhoDiesAndWhoCollides) {
  enum Edge { kLeft, kRight, kUp, kDown };
  struct Case {
    const char* what;
    int kind;
    int flying;
    std::int8_t hit;
    Edge edge;
    int result;
    bool contact;  // the edge's contact flag is set
  } const cases[] = {
      {"hero, deadly cell on the left", kHero, kWalking, 2, kLeft, 2, false},
      {"hero, deadly cell on the right", kHero, kWalking, 2, kRight, 2, false},
      {"hero, deadly cell above", kHero, kWalking, 2, kUp, 2, false},
      {"hero, deadly cell below", kHero, kWalking, 2, kDown, 2, false},
      {"computer character on a deadly cell", kComputer, kWalking, 2, kDown, 0, true},
      {"computer character beside a deadly cell", kComputer, kWalking, 2, kLeft, 0, true},
      {"dies on a block: below", kComputer, kDieOnBlock, 1, kDown, 2, false},
      {"dies on a block: right", kComputer, kDieOnBlock, 1, kRight, 2, false},
      {"passes blocks", kHero, kPassBlocks, 2, kDown, 0, false},
      {"passes blocks, left", kComputer, kPassBlocks, 1, kLeft, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (cBlockCell& cell : g_vBlockMap) cell.m_nHit = 0;
    // The box (16 x 24, at 400, 500 unless the side says otherwise) reaches into the
    // cell on the tested side.
    int column = 12;
    int row = 15;
    double x = 400;
    double y = 500;
    switch (c.edge) {
      case kLeft: column = 11; x = 11 * 32 + 20; break;  // left edge 372 in column 11
      case kRight: column = 13; x = 405; break;         // right edge 420 in column 13
      case kUp: row = 14; y = 475; break;               // top edge in row 14
      case kDown: row = 16; y = 490; break;             // bottom edge 513 in row 16
    }
    SetHit(column, row, c.hit);
    cChara chara = Make<cChara>(c.kind, x, y, 16, 24, c.flying);
    chara.m_dVy = c.edge == kUp ? -1 : 1;
    int result = 0;
    int flag = 0;
    switch (c.edge) {
      case kLeft: result = Scene().HitBlockLeft(chara); flag = chara.m_bHitLeft; break;
      case kRight: result = Scene().HitBlockRight(chara); flag = chara.m_bHitRight; break;
      case kUp: result = Scene().HitBlockUp(chara); flag = chara.m_bHitTop; break;
      case kDown: result = Scene().HitBlockDown(chara); flag = chara.m_bHitBottom; break;
    }
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(flag != 0, c.contact);
  }
}

TEST_F(BlockCollisionTest, AWalkerRisingThroughALedgeLandsOnlyWhereTheOldRuleSaysSo) {
  SetHit(12, 16, 1);
  struct Case {
    int bLandWhileRising;
    double vy;
    bool landed;
  } const cases[] = {{0, -2, false}, {0, 2, true}, {1, -2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bLandWhileRising);
    g_SystemData.m_bRuleLanding677 = c.bLandWhileRising;
    cChara chara = Make<cChara>(kComputer, 400, 490, 16, 24);
    chara.m_dVy = c.vy;
    EXPECT_EQ(Scene().HitBlockDown(chara), 0);
    EXPECT_EQ(chara.m_bHitBottom != 0, c.landed);
    EXPECT_EQ(chara.m_dY, c.landed ? 512 - 24 : 490);
    // After a push, a walker that may not land stops there: the row above is not tested.
    SetHit(12, 15, 1);
    cChara pushed = Make<cChara>(kComputer, 400, 490, 16, 24);
    pushed.m_dVy = c.vy;
    EXPECT_EQ(Scene().HitBlockYAfterPush(pushed), 0);
    EXPECT_EQ(pushed.m_bHitTop != 0, c.landed);
    Cell(12, 15).m_nHit = 0;
  }
}

// A character 400 dots tall reaches above the grid's first row and below its last; its
// probes read those cells as empty, and nothing asks the program to close.
TEST_F(BlockCollisionTest, ACharacterThatLeavesTheGridReadsEmptyCellsThere) {
  ClearPostedMessages();
  struct Case {
    const char* what;
    double y;
  } const cases[] = {{"above the grid", -100}, {"below the grid", 30 * 32 - 200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cChara tall = Make<cChara>(kComputer, 12 * 32 + 4, c.y, 16, 400);
    tall.m_dVy = 1;
    EXPECT_EQ(Scene().HitBlockY(tall), 0);
    EXPECT_EQ(Scene().HitBlockX(tall), 0);
    EXPECT_EQ(tall.m_pFootCell, nullptr);
    EXPECT_EQ(Scene().IsPlaceBlocked(tall), 0);
    tall.m_dVy = 0;
    tall.m_bAirborne = 0;
    Scene().StickToGround(tall);
    EXPECT_EQ(tall.m_dVy, 0);
  }
  EXPECT_EQ(Scene().ProbeCorners(-1, -1, 64, 40, 0), -1);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(BlockCollisionTest, ThePlaceTestFindsSolidCornersUnlessTheCharacterPassesBlocks) {
  SetHit(12, 15, 1);
  struct Case {
    int flying;
    std::int8_t hit;
    int blocked;
  } const cases[] = {{kWalking, 1, 1}, {kWalking, 0, 0}, {kPassBlocks, 1, 0}, {kDieOnBlock, 2, 1}};
  for (const Case& c : cases) {
    Cell(12, 15).m_nHit = c.hit;
    cChara chara = Make<cChara>(kComputer, 12 * 32 + 20, 15 * 32 + 20, 16, 24, c.flying);
    EXPECT_EQ(Scene().IsPlaceBlocked(chara), c.blocked) << c.flying << " " << int{c.hit};
  }
}

// A move-right block with X = 30 at two sub-steps per frame adds 1.5 dots to the velocity
// in every sub-step, and arms itself again at the start of every frame.
TEST_F(BlockCollisionTest, AMoveRightBlockAddsItsSpeedEverySubStepAndRearmsEachFrame) {
  SetLevel(2);
  SetHit(12, 16, 1);
  Cell(12, 16).m_nFootKind = 5;
  Cell(12, 16).m_nFootParam = 30;
  cPlayer player = Make<cPlayer>(kHero, 400, 512 - 24, 16, 24);
  player.m_pFootCell = &Cell(12, 16);
  player.m_bAirborne = 0;
  player.m_dCmdVx = -2;
  const double step = 30 * 0.1 / 2;
  double vx = 0;
  for (int subStep = 0; subStep < 6; ++subStep) {
    SCOPED_TRACE(subStep);
    Scene().FootBlockEffect(player);
    vx += step;
    EXPECT_DOUBLE_EQ(player.m_dVx, vx);
    EXPECT_EQ(player.m_nFootFxSteps, subStep % 2 == 0 ? 1 : 0);
    EXPECT_EQ(player.m_dCmdVx, 0);  // a command velocity against the block is dropped
  }
}

// A speed block's X is a percentage: X = 150 makes the velocity the sub-step starts with
// half as large again, and the horizontal step pushes the command velocity along its own
// direction by 4 / n dots a second, times (1.5 - 1), while the effect still runs after the
// block's own count (the first sub-step of each frame at two sub-steps a frame): 1/120
// dot. A slow block (X = 50) takes as much off; a command velocity the push would turn
// around stops instead.
TEST_F(BlockCollisionTest, ASpeedBlockScalesTheVelocityAndPushesTheCommandVelocityEachSubStep) {
  SetLevel(2);
  struct Case {
    const char* what;
    std::int32_t x;
    double base, cmd, push;  // push: the change of the command velocity's size per sub-step
  } const cases[] = {
      {"fast block, walking right", 150, 2, 1, 1.0 / 120},
      {"slow block, walking left", 50, -2, -1, -1.0 / 120},
      {"stopping block, a slow walk stops", 0, 2, 0.01, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetHit(12, 16, 1);
    Cell(12, 16).m_nFootKind = 3;
    Cell(12, 16).m_nFootParam = c.x;
    cPlayer player = Make<cPlayer>(kHero, 400, 512 - 24, 16, 24);
    player.m_dBoostAccel = 4.0 / 2;  // as set up for a life at two sub-steps a frame
    player.m_pFootCell = &Cell(12, 16);
    player.m_bAirborne = 0;
    player.m_bFrictionX = 0;
    player.m_dCmdVx = c.cmd;
    const double factor = c.x * 0.01;
    double cmd = c.cmd;
    for (int subStep = 0; subStep < 4; ++subStep) {
      SCOPED_TRACE(subStep);
      player.m_dVx = c.base;  // the velocity the sub-step's flows leave
      Scene().FootBlockEffect(player);
      EXPECT_EQ(player.m_dVx, c.base * factor);
      const bool runs = player.m_nFootFxSteps != 0;
      EXPECT_EQ(runs, subStep % 2 == 0);
      player.StepX();
      if (runs) cmd = c.push != 0 ? cmd + (cmd > 0 ? c.push : -c.push) : 0;
      EXPECT_EQ(player.m_dCmdVx, cmd);
      EXPECT_EQ(player.m_dVx, c.base * factor + cmd);
    }
  }
}

TEST_F(BlockCollisionTest, AnItemBlockGivesOnceThenRestsSixtyFramesAndAnotherItemBlockGivesAtOnce) {
  SetLevel(1);
  cPaletteItem item;
  item.m_nGraphic = 1;
  g_StageData.m_vItemDef.resize(1);
  g_StageData.m_vItemDef.push_back(item);
  for (int column : {12, 13}) {
    SetHit(column, 16, 1);
    Cell(column, 16).m_nItemPaletteKind = 2;
    Cell(column, 16).m_nItemIndex = 1;
  }
  g_vPlayer.assign(1, Make<cPlayer>(kHero, 400, 512 - 24, 16, 24));
  cPlayer& player = g_vPlayer.front();
  player.m_nHp = 1;  // a player without HP would be defeated by the item it is given
  player.m_bAirborne = 0;
  player.m_pFootCell = player.m_pLastFootCell = player.m_pPrevFootCell = &Cell(12, 16);
  // Given: the rest starts at 60 frames and this sub-step already counts.
  EXPECT_EQ(Scene().FootBlockItem(player), 0);
  EXPECT_EQ(player.m_nFootItemRest, 59);
  for (int frame = 1; frame < 60; ++frame) Scene().FootBlockItem(player);
  EXPECT_EQ(player.m_nFootItemRest, 0);
  // Sixty frames later the block gives again.
  Scene().FootBlockItem(player);
  EXPECT_EQ(player.m_nFootItemRest, 59);
  // Landing on the other item block ends the rest, and the next sub-step gives its item.
  player.m_pPrevFootCell = player.m_pLastFootCell;
  player.m_pFootCell = player.m_pLastFootCell = &Cell(13, 16);
  Scene().FootBlockItem(player);
  EXPECT_EQ(player.m_nFootItemRest, 0);
  player.m_pPrevFootCell = player.m_pLastFootCell;
  Scene().FootBlockItem(player);
  EXPECT_EQ(player.m_nFootItemRest, 59);
  // In the air the rest is dropped.
  player.m_bAirborne = 1;
  Scene().FootBlockItem(player);
  EXPECT_EQ(player.m_nFootItemRest, 0);
}

TEST_F(BlockCollisionTest, FallingOffTheBottomOfAnAutoScrollingScreenKillsAWalkingPlayer) {
  Scene().m_ScrollY.m_bAuto = 1;
  struct Case {
    int flying;
    int result;
  } const cases[] = {{kWalking, 2}, {2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flying);
    cPlayer player = Make<cPlayer>(kHero, 400, 320 + 480 - 10, 16, 24, c.flying);
    EXPECT_EQ(Scene().ClampScreenY(player), c.result);
    EXPECT_EQ(player.m_bHitBottom, 1);
    EXPECT_LT(player.m_dY, 320 + 480 - 10);  // held inside the screen (and the stage)
  }
}

// The player squeezed between two walls (columns 11 and 13) dies, from the position it
// had when the sub-step began, unless its contact grace (a flying-mode change or a block
// summoned into it) is still running; the flow step of the sub-step lowers the grace.
TEST_F(BlockCollisionTest, ThePlayerSqueezedBetweenWallsDiesUnlessItsContactGraceRuns) {
  for (int column = 10; column <= 14; ++column) SetHit(column, 16, 1);
  SetHit(11, 15, 1);
  SetHit(13, 15, 1);
  struct Case {
    int grace;
    bool dies;
  } const cases[] = {{0, true}, {1, true}, {2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grace);
    g_vPlayer.assign(1, Make<cPlayer>(kHero, 380, 512 - 24, 48, 24));
    cPlayer& player = g_vPlayer.front();
    player.m_bAirborne = 0;
    player.m_nContactGrace = c.grace;
    player.m_nHp = 10;
    player.SavePosition();
    const std::int32_t result = Scene().StepPlayer(player);
    EXPECT_EQ(result != 0, c.dies);
    EXPECT_EQ(player.m_bHitLeft, 1);
    EXPECT_EQ(player.m_bHitRight, 1);
    if (c.dies) {
      EXPECT_EQ(player.m_dX, 380);  // where the sub-step began
    } else {
      EXPECT_NE(player.m_dX, 380);
    }
  }
}

}  // namespace
