// The world map's rules: which entry of a world is open, cleared and manual entries, the
// cells the cursor may enter and where an entry's stage file is looked for.
#include "frontend/world_map_rules.h"

#include <gtest/gtest.h>

#include <climits>

#include "data/save/progress.h"
#include "data/worldmap/world_map.h"

namespace {

TEST(WorldMapRules, VariableTestsCompareSignedAndDivideIn64Bits) {
  struct Case {
    int op;
    std::int32_t v, c;
    bool open;
  } const cases[] = {
      {0, 5, 5, true},         {0, 5, 6, false},        {1, 5, 6, true},          {1, 5, 5, false},
      {2, -1, -1, true},       {2, -2, -1, false},      {3, -2, -1, true},        {3, 0, -1, false},
      {4, 1, 0, true},         {4, 0, 0, false},        {5, -1, 0, true},         {5, 0, 0, false},
      // A constant of 0 divides every value.
      {6, 17, 0, true},        {7, 17, 0, false},
      {6, -12, 4, true},       {6, -13, 4, false},      {7, -13, 4, true},        {7, 12, -4, false},
      // |INT_MIN| does not fit in 32 bits, and INT_MIN mod -1 traps there.
      {6, INT_MIN, -1, true},  {7, INT_MIN, -1, false}, {6, INT_MIN, 2, true},    {7, INT_MIN, 3, true},
      {6, INT_MAX, INT_MIN, false}, {6, INT_MIN, INT_MIN, true},
      // Operators past 7 close the entry.
      {8, 0, 0, false},        {-1, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "op " << c.op << " v " << c.v << " c " << c.c);
    EXPECT_EQ(TestWorldStageVar(c.op, c.v, c.c), c.open);
  }
}

TEST(WorldMapRules, TheFirstEntryWhoseRequirementsHoldIsOpen) {
  cProgress progress;
  progress.m_ClearFlags[3] = 1;
  progress.m_Vars[7] = 10;
  progress.m_nTotalBest = 500;

  cWorld world;
  world.m_vStage.resize(4);
  world.m_vStage[0].m_nReqSwitch = 4;  // stage 4 not cleared
  world.m_vStage[1].m_nReqVar = 7;     // variable 7 = 11
  world.m_vStage[1].m_nReqValue = 11;
  world.m_vStage[2].m_nReqScore = 501;  // more than the total
  world.m_vStage[3].m_nReqSwitch = 3;
  world.m_vStage[3].m_nReqVar = 7;
  world.m_vStage[3].m_nReqOp = 2;  // >= 10
  world.m_vStage[3].m_nReqValue = 10;
  world.m_vStage[3].m_nReqScore = 500;
  EXPECT_EQ(GetOpenStage(&world, progress), &world.m_vStage[3]);

  progress.m_Vars[7] = 11;
  EXPECT_EQ(GetOpenStage(&world, progress), &world.m_vStage[1]);

  progress.m_Vars[7] = 9;
  progress.m_nTotalBest = 0;
  EXPECT_EQ(GetOpenStage(&world, progress), nullptr);
  EXPECT_EQ(GetOpenStage(nullptr, progress), nullptr);
}

TEST(WorldMapRules, ClearedAndManualEntries) {
  cProgress progress;  // a new game: flag 0 set
  cWorldStage stage;
  struct Case {
    const char* what;
    int stageNo, manual, cleared;
    bool isCleared, isManual;
  } const cases[] = {
      {"stage 0 counts as cleared after a new game", 0, 0, 0, true, true},
      {"an uncleared automatic stage", 5, 0, 0, false, false},
      {"an uncleared stage that asks for the decision key", 5, 1, 0, false, true},
      {"a cleared stage waits for the key", 5, 0, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    stage.m_nStageNo = c.stageNo;
    stage.m_bManualEntry = c.manual;
    progress.m_ClearFlags[5] = c.cleared;
    EXPECT_EQ(IsStageCleared(&stage, progress), c.isCleared);
    EXPECT_EQ(IsManualEntry(&stage, progress), c.isManual);
  }
  EXPECT_FALSE(IsStageCleared(nullptr, progress));
  EXPECT_FALSE(IsManualEntry(nullptr, progress));
}

TEST(WorldMapRules, CellsAreClampedIntoTheMapAndEnteredByChipOrOpenEntry) {
  cWorldMap map;  // 20 x 15, pitch 32; chip 0 blocked, chip 5 passable
  EXPECT_EQ(GetMapCellIndex(map, 3, 2), 3 + 2 * 32);
  EXPECT_EQ(GetMapCellIndex(map, -5, 20), 0 + 14 * 32);
  EXPECT_EQ(GetMapCellIndex(map, 25, -1), 19);

  map.m_vCell[GetMapCellIndex(map, 1, 1)] = 5;
  cWorld& road = map.m_vWorld.emplace_back();
  road.m_nWorldX = 2;
  road.m_nWorldY = 1;
  road.m_vStage[0].m_nKind = WORLDSTAGE_ROAD;
  cWorld& wall = map.m_vWorld.emplace_back();
  wall.m_nWorldX = 3;
  wall.m_nWorldY = 1;
  wall.m_vStage[0].m_nKind = WORLDSTAGE_WALL;
  map.m_vCell[GetMapCellIndex(map, 3, 1)] = 5;
  cWorld& shut = map.m_vWorld.emplace_back();  // no entry open: the chip decides
  shut.m_nWorldX = 4;
  shut.m_nWorldY = 1;
  shut.m_vStage[0].m_nReqScore = 1;
  map.m_vCell[GetMapCellIndex(map, 4, 1)] = 5;

  cProgress progress;
  struct Case {
    int x, y;
    bool enterable;
  } const cases[] = {
      {0, 1, false},  // a blocked chip
      {1, 1, true},   // a passable chip
      {2, 1, true},   // an open entry on a blocked chip
      {3, 1, false},  // a wall on a passable chip
      {4, 1, true},   // a world whose entries are all shut is walked over like its chip
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.x << "," << c.y);
    EXPECT_EQ(IsCellEnterable(map, c.x, c.y, progress), c.enterable);
  }
}

TEST(WorldMapRules, StageFilesAreLookedForInTheStageFolderUnlessTheyNameAFolder) {
  cWorldStage stage;
  stage.m_strStageFile = "castle-1.stg4_811";
  EXPECT_EQ(WorldStageFilePath(stage), "data\\stg4\\castle-1.stg4_811");
  // The progress names the stage as the world map names the entry, so that its best
  // value counts toward the total.
  EXPECT_EQ(WorldStageNameOfPath(stage, "data\\stg4\\castle-1.stg4_811"), "castle-1.stg4_811");
  EXPECT_EQ(WorldStageFileKey(WorldStageNameOfPath(stage, "data\\stg4\\castle-1.stg4_811")), "castle.");

  stage.m_strStageFile = "extra\\castle.stg4_811";
  EXPECT_EQ(WorldStageFilePath(stage), "extra\\castle.stg4_811");
  EXPECT_EQ(WorldStageNameOfPath(stage, "extra\\castle.stg4_811"), "extra\\castle.stg4_811");
}

}  // namespace
