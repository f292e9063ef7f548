// The world map: its file layout, old entry layouts, the grid and its re-laying, the
// repairs made on reading, the stage look-up, and maps that are damaged.
#include "data/worldmap/world_map.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "data/record/data_file.h"
#include "tests/data/record_test_support.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// The body of a world-map entry of version 811.
struct cStageImage {
  std::int32_t values[14] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  std::string name;
  std::string file;

  void Put(cByteBuilder& b) const {
    b.I32(14);
    for (std::int32_t v : values) b.I32(v);
    b.I32(2).Text(name).Text(file);
  }
};

struct cWorldImage {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::string name;
  std::vector<cStageImage> stages = {cStageImage()};

  void Put(cByteBuilder& b) const {
    b.I32(2).I32(x).I32(y).I32(1).Text(name).Count(static_cast<std::int32_t>(stages.size()));
    for (const cStageImage& s : stages) s.Put(b);
  }
};

// A whole map body as the file stores it; a new map unless changed.
struct cMapImage {
  std::int32_t members[8] = {20, 15, 32, 5, 9, 7, 16, 0};
  std::string name = "ワールド";
  std::string picture;
  std::int32_t chips = 10;
  std::vector<std::int32_t> cells = std::vector<std::int32_t>(480, 0);
  std::vector<cWorldImage> worlds;
  std::vector<cWorldImage> extra = {cWorldImage{0, 0, "デフォルト", {cStageImage()}}};
  // Counts written in place of the true ones (damaged files).
  std::optional<std::int32_t> chipCount;
  std::optional<std::int32_t> cellCount;

  Bytes Body() const {
    cByteBuilder b;
    b.I32(8);
    for (std::int32_t v : members) b.I32(v);
    b.I32(2).Text(name).Text(picture);
    b.Count(chipCount.value_or(chips));
    for (std::int32_t i = 0; i < chips; ++i)
      b.I32(3).I32(0).I32(i < 5 ? 1 : 0).I32(i).I32(2).Text("").Text(i < 5 ? "通行不可" : "通行可");
    b.Count(cellCount.value_or(static_cast<std::int32_t>(cells.size())));
    for (std::int32_t c : cells) b.I32(c);
    b.Count(static_cast<std::int32_t>(worlds.size()));
    for (const cWorldImage& w : worlds) w.Put(b);
    b.Count(static_cast<std::int32_t>(extra.size()));
    for (const cWorldImage& w : extra) w.Put(b);
    return b.Get();
  }
};

cWorldStage Entrance(const std::string& file, int kind = WORLDSTAGE_STAGE, int suffix = 0, int a = 1, int b = 0) {
  cWorldStage s;
  s.m_nKind = kind;
  s.m_strStageFile = file;
  s.m_bRankSuffix = suffix;
  s.m_nRankSuffixA = a;
  s.m_nRankSuffixB = b;
  return s;
}

class WorldMapTest : public cRecordReadTest {};

TEST_F(WorldMapTest, NewMapWritesItsDefaultsInFileLayout) {
  cWorldMap map;
  EXPECT_EQ(map.m_nMapW, 20);
  EXPECT_EQ(map.m_nMapH, 15);
  EXPECT_EQ(map.m_nPitch, 32);
  EXPECT_EQ(map.m_nPitchShift, 5);
  EXPECT_EQ(map.m_vCell.size(), 480u);
  EXPECT_TRUE(map.m_vWorld.empty());
  ASSERT_EQ(map.m_vExtraWorld.size(), 1u);
  ASSERT_EQ(map.m_vExtraWorld[0].m_vStage.size(), 1u);
  EXPECT_EQ(Written(map), cMapImage().Body());
}

TEST_F(WorldMapTest, FileOfEveryFieldReadsAndWritesBackTheSameBytes) {
  cMapImage image;
  std::copy_n(std::begin({12, 3, 16, 4, 11, 2, 200, 1}), 8, image.members);
  image.name = "島";
  image.picture = "map.bmp";
  image.chips = 2;
  image.cells.assign(3 * 16, 0);
  for (std::size_t i = 0; i < image.cells.size(); ++i) image.cells[i] = static_cast<std::int32_t>(i % 2);
  cStageImage entry;
  std::copy_n(std::begin({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}), 14, entry.values);
  entry.name = "橋";
  entry.file = "bridge-1.stg4_811";
  image.worlds = {cWorldImage{3, 1, "A", {entry, cStageImage()}}, cWorldImage{11, 2, "B", {}}};
  image.extra = {};
  const Bytes body = image.Body();

  cWorldMap map;
  ReadAt(map, 811, body);
  ASSERT_FALSE(m_bDamaged);
  EXPECT_EQ(m_nLeft, 0u);
  EXPECT_EQ(map.m_nMapW, 12);
  EXPECT_EQ(map.m_nBackColour, 200);
  EXPECT_EQ(map.m_strMapPicture, "map.bmp");
  ASSERT_EQ(map.m_vChip.size(), 2u);
  EXPECT_EQ(map.m_vChip[1].m_strChipName, "通行不可");
  ASSERT_EQ(map.m_vWorld.size(), 2u);
  ASSERT_EQ(map.m_vWorld[0].m_vStage.size(), 2u);
  const cWorldStage& s = map.m_vWorld[0].m_vStage[0];
  EXPECT_EQ(s.m_nStageNo, 3);
  EXPECT_EQ(s.m_nReqOp, 10);
  EXPECT_EQ(s.m_nReqScore, 11);
  EXPECT_EQ(s.m_nRankSuffixB, 14);
  EXPECT_EQ(s.m_strStageFile, "bridge-1.stg4_811");
  EXPECT_TRUE(map.m_vWorld[1].m_vStage.empty());
  EXPECT_TRUE(map.m_vExtraWorld.empty());
  EXPECT_EQ(Written(map), body);
}

TEST_F(WorldMapTest, OldEntryLayoutsLackTheScoreAndTheSuffix) {
  struct Case {
    int version;
    int members;  // stored by that version
    std::int32_t reqScore;
    std::int32_t suffixA;
  } const cases[] = {
      {208, 10, 0, 1},    // no score requirement, suffix of a new entry
      {209, 11, 11, 1},
      {757, 11, 11, 1},
      {758, 14, 11, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cByteBuilder b;
    b.I32(c.members);
    for (int i = 1; i <= c.members; ++i) b.I32(i);
    b.I32(2).Text("").Text("s.stg4");
    cWorldStage entry;
    entry.m_nReqScore = 77;  // a reader below 209 clears it
    ReadAt(entry, c.version, b.Get());
    EXPECT_FALSE(m_bDamaged);
    EXPECT_EQ(m_nLeft, 0u);
    EXPECT_EQ(entry.m_nReqOp, 10);
    EXPECT_EQ(entry.m_nReqScore, c.reqScore);
    EXPECT_EQ(entry.m_nRankSuffixA, c.suffixA);
    EXPECT_EQ(entry.m_strStageFile, "s.stg4");
    EXPECT_EQ(entry.RegisteredVersion(), g_nDataVersion);
  }
}

TEST_F(WorldMapTest, SetSizeLaysThePitchByTheWidth) {
  struct Case {
    int width;
    std::int32_t pitch;
    std::int32_t shift;
  } const cases[] = {{20, 32, 5}, {32, 32, 5}, {33, 64, 6}, {1, 1, 0}, {2, 2, 1}, {40, 64, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    cWorldMap map;
    ASSERT_EQ(map.SetSize(c.width, 3), 1);
    EXPECT_EQ(map.m_nPitch, c.pitch);
    EXPECT_EQ(map.m_nPitchShift, c.shift);
    EXPECT_EQ(map.m_vCell.size(), static_cast<std::size_t>(3 * c.pitch));
  }
}

TEST_F(WorldMapTest, SetSizeKeepsTheCellsInsideBothSizes) {
  cWorldMap map;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) map.m_vCell[static_cast<std::size_t>(y * 32 + x)] = y * 100 + x;
  ASSERT_EQ(map.SetSize(40, 10), 1);
  EXPECT_EQ(map.m_nPitch, 64);
  EXPECT_EQ(map.m_nPitchShift, 6);
  ASSERT_EQ(map.m_vCell.size(), 640u);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::int32_t want = x < 20 ? y * 100 + x : 0;
      ASSERT_EQ(map.m_vCell[static_cast<std::size_t>(y * 64 + x)], want) << x << "," << y;
    }
  }
  // Shrinking keeps the top-left corner.
  ASSERT_EQ(map.SetSize(3, 2), 1);
  EXPECT_EQ(map.m_vCell, (std::vector<std::int32_t>{0, 1, 2, 0, 100, 101, 102, 0}));
}

TEST_F(WorldMapTest, SetSizeRefusesSizesBelowOne) {
  const std::pair<int, int> sizes[] = {{0, 5}, {5, 0}, {-1, 5}, {5, -3}, {(1 << 30) + 1, 1}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    cWorldMap map;
    map.m_vCell[7] = 3;
    EXPECT_EQ(map.SetSize(w, h), 0);
    EXPECT_EQ(map.m_nMapW, 20);
    EXPECT_EQ(map.m_nMapH, 15);
    EXPECT_EQ(map.m_vCell.size(), 480u);
    EXPECT_EQ(map.m_vCell[7], 3);
  }
}

TEST_F(WorldMapTest, ReadingPullsTheStartInsideAndDropsWorldsOutside) {
  cMapImage image;
  image.members[4] = 25;  // start column beyond the width
  image.members[5] = 15;  // start row at the height
  image.worlds = {cWorldImage{25, 0, "off right", {}}, cWorldImage{1, 1, "kept 1", {}},
                  cWorldImage{0, 15, "off bottom", {}}, cWorldImage{19, 14, "kept 2", {}},
                  cWorldImage{-1, 0, "left of the map", {}}};
  cWorldMap map;
  ReadAt(map, 811, image.Body());
  ASSERT_FALSE(m_bDamaged);
  EXPECT_EQ(map.m_nStartX, 19);
  EXPECT_EQ(map.m_nStartY, 14);
  ASSERT_EQ(map.m_vWorld.size(), 3u);  // no lower bound: a negative column stays
  EXPECT_EQ(map.m_vWorld[0].m_strWorldName, "kept 1");
  EXPECT_EQ(map.m_vWorld[1].m_strWorldName, "kept 2");
  EXPECT_EQ(map.m_vWorld[2].m_strWorldName, "left of the map");
}

TEST_F(WorldMapTest, WorldLookUpFindsTheFirstWorldOnACell) {
  cWorldMap map;
  map.m_vWorld.resize(3);
  map.m_vWorld[0].m_nWorldX = 4;
  map.m_vWorld[0].m_nWorldY = 2;
  map.m_vWorld[1].m_nWorldX = 5;
  map.m_vWorld[1].m_nWorldY = 6;
  map.m_vWorld[2].m_nWorldX = 5;
  map.m_vWorld[2].m_nWorldY = 6;
  EXPECT_EQ(map.GetWorldAt(4, 2), &map.m_vWorld[0]);
  EXPECT_EQ(map.GetWorldAtPos({5, 6}), &map.m_vWorld[1]);
  EXPECT_EQ(map.GetWorldAt(2, 4), nullptr);
  EXPECT_EQ(map.GetWorldAtPos({6, 5}), nullptr);
}

TEST_F(WorldMapTest, EntryFilesStandForStageNames) {
  struct Case {
    const char* file;
    const char* key;
  } const cases[] = {
      {"stage05-1.stg4_811", "stage05."},
      {"castle.stg4_811", "castle."},
      {"a-1-1.stg4", "a-1."},       // only the last "-1" counts
      {"a-12.stg4", "a."},          // "-1" followed by more digits
      {"noext", "noext."},
      {"x-1", "x."},
      {"", "."},
      {"城-1.stg4_811", "城."},
  };
  for (const Case& c : cases) EXPECT_EQ(WorldStageFileKey(c.file), c.key) << c.file;
}

TEST_F(WorldMapTest, HasStageCountsStageEntrancesWithTheirSuffix) {
  cWorldMap map;
  map.m_vWorld.resize(2);
  map.m_vWorld[0].m_vStage = {Entrance("road.stg4", WORLDSTAGE_ROAD), Entrance("wall.stg4", WORLDSTAGE_WALL),
                              Entrance("plain-1.stg4_811")};
  map.m_vWorld[1].m_vStage = {Entrance("preset.stg4_811", WORLDSTAGE_STAGE, 1, 7, 12)};
  struct Case {
    const char* name;
    int suffix, a, b;
    int want;
  } const cases[] = {
      {"plain.", 0, 0, 0, 1},
      {"plain.", 1, 1, 0, 0},     // the entry has no suffix
      {"plain", 0, 0, 0, 0},      // the whole name, dot included
      {"Plain.", 0, 0, 0, 0},     // letter case counts
      {"preset.", 1, 7, 12, 1},
      {"preset.", 1, 7, 11, 0},
      {"preset.", 1, 8, 12, 0},
      {"preset.", 0, 7, 12, 0},   // an entry with a suffix needs one
      {"road.", 0, 0, 0, 0},      // roads and walls are no entrances
      {"wall.", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " " << c.suffix << " " << c.a << " " << c.b);
    EXPECT_EQ(map.HasStage(c.name, c.suffix, c.a, c.b), c.want);
  }
}

TEST_F(WorldMapTest, DamagedMapLeavesTheRecordAsItWas) {
  const auto changed = [](const std::function<void(cMapImage&)>& change) {
    cMapImage image;
    change(image);
    return image.Body();
  };
  struct Case {
    const char* what;
    Bytes body;
  } const cases[] = {
      {"pitch not the width's", changed([](cMapImage& m) { m.members[2] = 16; })},
      {"shift not the pitch's", changed([](cMapImage& m) { m.members[3] = 4; })},
      {"huge shift", changed([](cMapImage& m) { m.members[3] = 40; })},
      {"width beyond any pitch", changed([](cMapImage& m) { m.members[0] = 0x7FFFFFFF, m.members[2] = 0, m.members[3] = 31; })},
      {"zero width", changed([](cMapImage& m) { m.members[0] = 0, m.members[2] = 1, m.members[3] = 0; })},
      {"negative height", changed([](cMapImage& m) { m.members[1] = -15; })},
      {"cell list shorter than the grid", changed([](cMapImage& m) { m.cells.resize(479); })},
      {"cell count beyond the data", changed([](cMapImage& m) { m.cellCount = 0x7FFFFFF0; })},
      {"negative cell count", changed([](cMapImage& m) { m.cellCount = -1; })},
      {"chip count beyond the data", changed([](cMapImage& m) { m.chipCount = 0x10000000; })},
      {"negative chip count", changed([](cMapImage& m) { m.chipCount = -1; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cWorldMap map;
    map.m_strMapName = "before";
    map.m_vWorld.resize(1);
    const Bytes before = WrittenCopy(map);
    ReadAt(map, 811, c.body);
    EXPECT_TRUE(m_bDamaged);
    EXPECT_EQ(WrittenCopy(map), before);
  }
}

TEST_F(WorldMapTest, MapCutAnywhereLeavesTheRecordAsItWas) {
  cMapImage image;
  image.worlds = {cWorldImage{1, 1, "w", {cStageImage(), cStageImage()}}};
  const Bytes body = image.Body();
  cWorldMap map;
  const Bytes before = WrittenCopy(map);
  ReadEveryPrefix(body, [&](const Bytes& cut) {
    ReadAt(map, 811, cut);
    EXPECT_TRUE(m_bDamaged);
    EXPECT_EQ(WrittenCopy(map), before);
  });
}

class WorldMapFileTest : public cTempDirTest {};

TEST_F(WorldMapFileTest, SavedMapLoadsBackAndANewerOneIsRefused) {
  cWorldMap saved;
  ASSERT_EQ(saved.SetSize(33, 4), 1);
  saved.m_vCell[64 + 32] = 6;
  saved.m_vWorld.resize(1);
  saved.m_vWorld[0].m_nWorldX = 32;
  saved.m_vWorld[0].m_vStage[0].m_strStageFile = "far.stg4_811";
  ASSERT_EQ(saved.SaveToFile("WorldMap.dat"), 1);
  const Bytes file = ReadTestFile(Dir() + "/WorldMap.dat");
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(FirstBytes(file, 4), (Bytes{0x2B, 0x03, 0x00, 0x00}));

  cWorldMap loaded;
  ASSERT_EQ(loaded.LoadFromFile("WorldMap.dat"), 1);
  EXPECT_EQ(WrittenCopy(loaded), WrittenCopy(saved));
  EXPECT_EQ(loaded.m_vCell[64 + 32], 6);

  Bytes newer = file;
  newer[0] = 0x2C;  // 812
  WriteTestFile(Dir() + "/Newer.dat", newer);
  cWorldMap untouched;
  EXPECT_EQ(untouched.LoadFromFile("Newer.dat"), 0);
  EXPECT_EQ(g_bFileTooNew, 1);
  EXPECT_EQ(WrittenCopy(untouched), WrittenCopy(cWorldMap()));
}

}  // namespace
