// Set-up of stage characters, items and the player's flying state from their entries and
// the stage's size settings.
#include <gtest/gtest.h>

#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "tests/stage/object_world.h"

namespace {

class ObjectSetupTest : public ObjectWorldTest {
 protected:
  void SetUp() override {
    ObjectWorldTest::SetUp();
    cStageData& sd = g_StageData;
    sd.m_nCharaWalkW = 16;
    sd.m_nCharaWalkH = 30;
    sd.m_bCharaWalkBottom = 1;
    sd.m_nCharaFlyW = 20;
    sd.m_nCharaFlyH = 20;
    sd.m_nCharaHitWalkW = 12;
    sd.m_nCharaHitWalkH = 20;
    sd.m_bCharaHitWalkBottom = 1;
    sd.m_nCharaHitKind1W = 10;
    sd.m_nCharaHitKind1H = 14;
    sd.m_nCharaHitKind2W = 8;
    sd.m_nCharaHitKind2H = 8;
    sd.m_nItemW = 20;
    sd.m_nItemH = 20;
  }
};

TEST_F(ObjectSetupTest, CharacterBoxAndHitAreasFollowTheEntry) {
  const struct {
    int block;
    int flying;
    int hitBox;
    int boxOffY, boxW, boxH;
    int aOffX, aOffY, aW, aH;
    int bOffX, bOffY, bW, bH;
  } cases[] = {
      // walking, bottom-aligned 16 x 30 box at (8, 2); area A bottom-aligned 12 x 20
      {0, 0, 0, 2, 16, 30, 2, 10, 12, 20, 3, 7, 10, 14},
      {0, 0, 1, 2, 16, 30, 3, 7, 10, 14, 3, 7, 10, 14},
      {0, 0, 2, 2, 16, 30, 4, 10, 8, 8, 3, 7, 10, 14},
      {0, 0, 3, 2, 16, 30, -8, -2, 32, 32, 3, 7, 10, 14},
      // flying: centred 20 x 20 box at (6, 6)
      {0, 2, 3, 6, 20, 20, -6, -6, 32, 32, 5, 3, 10, 14},
      // a block character is the whole cell and hits only through area B
      {1, 0, 0, 0, 32, 32, 0, 0, 0, 0, 0, 0, 32, 32},
  };
  for (const auto& c : cases) {
    cPaletteChara def;
    def.m_bBlockChara = static_cast<std::int8_t>(c.block);
    def.m_nFlying = static_cast<std::int8_t>(c.flying);
    def.m_nHitBox = static_cast<std::int8_t>(c.hitBox);
    cChara chara;
    chara.Init(4, def, nullptr, 0, 0, 0);
    SCOPED_TRACE(testing::Message() << c.block << " " << c.flying << " " << c.hitBox);
    EXPECT_EQ(chara.m_nBoxOffY, c.boxOffY);
    EXPECT_EQ(chara.m_nBoxW, c.boxW);
    EXPECT_EQ(chara.m_nBoxH, c.boxH);
    EXPECT_EQ(chara.m_HitChara.m_nOffX, c.aOffX);
    EXPECT_EQ(chara.m_HitChara.m_nOffY, c.aOffY);
    EXPECT_EQ(chara.m_HitChara.m_nW, c.aW);
    EXPECT_EQ(chara.m_HitChara.m_nH, c.aH);
    EXPECT_EQ(chara.m_HitShot.m_nOffX, c.bOffX);
    EXPECT_EQ(chara.m_HitShot.m_nOffY, c.bOffY);
    EXPECT_EQ(chara.m_HitShot.m_nW, c.bW);
    EXPECT_EQ(chara.m_HitShot.m_nH, c.bH);
    EXPECT_EQ(chara.m_nObjId, 4);
    EXPECT_EQ(chara.m_nLife, 2147483647);
  }
}

TEST_F(ObjectSetupTest, CharacterScaleRangeAndCarriedItem) {
  cPaletteChara def;
  def.m_nSize = 0;
  def.m_nScreenRange = 2;
  cItem carried;
  carried.m_bCarried = 1;
  carried.m_nGraphic = 7;
  cChara chara;
  chara.Init(1, def, &carried, 0, 0, 0);
  EXPECT_EQ(def.m_nSize, 1);  // repaired in the entry itself
  EXPECT_EQ(chara.m_bRangeIgnoreX, 1);
  EXPECT_EQ(chara.m_bRangeIgnoreY, 0);
  EXPECT_EQ(chara.m_Item.m_nGraphic, 7);
  EXPECT_EQ(chara.GetCarriedItem(), &chara.m_Item);

  def.m_nSize = 3;
  cChara giant;
  giant.Init(2, def, nullptr, 0, 0, 0);
  EXPECT_EQ(giant.m_nBoxW, 48);
  EXPECT_EQ(giant.m_HitChara.m_nW, 36);
  EXPECT_EQ(giant.m_Item.m_nGraphic, 0);
}

TEST_F(ObjectSetupTest, ItemsScaleOnTheStageOnlyAndKeepTheirFeet) {
  cPaletteItem entry;
  entry.m_nSize = 0;
  cItem item;
  item.Init(3, entry, 0);
  EXPECT_EQ(entry.m_nSize, 1);
  EXPECT_EQ(item.m_nBoxOffX, 6);
  EXPECT_EQ(item.m_bNoGravity, 1);
  EXPECT_EQ(item.m_nBlockHit, 0);
  EXPECT_EQ(item.m_bActive, 0);

  entry.m_nSize = 2;
  cItem carried;
  carried.Init(4, entry, 1);
  EXPECT_EQ(carried.m_nBoxW, 20);
  EXPECT_EQ(carried.m_bActive, 1);

  cItem big;
  big.Init(5, entry, 0);
  EXPECT_EQ(big.m_nBoxW, 40);
  big.m_nBoxW = big.m_nBaseBoxW;  // place at scale 1 geometry, then grow again
  big.m_nBoxH = big.m_nBaseBoxH;
  big.PlaceAtBlock(5, 5);
  // x: block 15 + offset 6 + 0.5, then the centre kept: - (2 - 1) x 10
  EXPECT_EQ(big.m_dX, 15 * 32 + 6 + 0.5 - 10);
  // y: the bottom of the sprite cell kept: - (2 - 1) x (20 + 6)
  EXPECT_EQ(big.m_dY, 15 * 32 + 6 - 26);
}

TEST_F(ObjectSetupTest, PlayerFlyingChangeGivesGraceAndStopsOnLanding) {
  g_StageData.m_nPlayerWalkW = 16;
  g_StageData.m_nPlayerWalkH = 24;
  g_StageData.m_nPlayerFlyW = 16;
  g_StageData.m_nPlayerFlyH = 16;
  g_vPlayer.resize(1);
  cPlayer& hero = g_vPlayer[0];
  cPaletteChara def;
  hero.Init(0, def, 0, 0);
  EXPECT_EQ(hero.m_nContactGrace, 0);
  hero.SetFlying(2, 0);
  EXPECT_EQ(hero.m_nContactGrace, 2);
  EXPECT_EQ(hero.m_nBoxH, 16);
  EXPECT_EQ(hero.m_Def.m_nFlying, 2);
  hero.m_nContactGrace = 0;
  hero.m_dVx = hero.m_dVy = hero.m_dCmdVx = hero.m_dCmdVy = 1;
  hero.SetFlying(1, 0);  // still flying: no grace, the speeds stay
  EXPECT_EQ(hero.m_nContactGrace, 0);
  EXPECT_EQ(hero.m_dVx, 1);
  hero.SetFlying(0, 0);
  EXPECT_EQ(hero.m_nContactGrace, 2);
  EXPECT_EQ(hero.m_dVx, 0);
  EXPECT_EQ(hero.m_dCmdVy, 0);
  EXPECT_EQ(hero.m_nBoxH, 24);
  hero.m_Def.m_nSize = 2;
  hero.SetFlying(0, 1);
  EXPECT_EQ(hero.m_nBoxH, 48);
  EXPECT_EQ(hero.m_nCellW, 64);
}

}  // namespace
