// WorldMap.dat's cells and the numbers of its stage entries are read into their ranges:
// a value below the map or outside the save data's flags and variables is clamped to the
// nearer end with one report line naming the file, the member and the value found. Beyond
// the map the map's own rule holds, silently: the start is pulled inside, a world dropped.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/worldmap/world_map.h"
#include "tests/data/range_report_support.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace range_test;

constexpr const char* kWorldMapRangesFile = "data\\WorldMap.dat";

class WorldMapRangesTest : public cTempDirTest {
 protected:
  void TearDown() override {
    g_nFileVersion = g_nDataVersion;
    cTempDirTest::TearDown();
  }
};

// A 20 x 15 map with two worlds of two entries each.
cWorldMap MapWithWorlds() {
  cWorldMap map;
  map.m_vWorld.resize(2);
  for (cWorld& world : map.m_vWorld) world.m_vStage.resize(2);
  map.m_vWorld[1].m_nWorldX = 3;
  map.m_vWorld[1].m_nWorldY = 4;
  return map;
}

TEST_F(WorldMapRangesTest, CellsAndEntryNumbersOutsideTheirRangesAreClampedWithOneLineEach) {
  using Member = std::int32_t& (*)(cWorldMap&);
  const struct {
    Member member;
    std::int32_t nIn, nOut;
    const char* lpLine;  // after "<file> : "; null when nothing is reported
  } cases[] = {
      {[](cWorldMap& m) -> std::int32_t& { return m.m_nStartX; }, INT32_MIN, 0,
       "m_nStartX の値 -2147483648 は範囲 0 ～ 2147483647 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_nStartY; }, -1, 0,
       "m_nStartY の値 -1 は範囲 0 ～ 2147483647 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_nStartX; }, 19, 19, nullptr},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[1].m_nWorldX; }, INT32_MIN, 0,
       "m_vWorld[1].m_nWorldX の値 -2147483648 は範囲 0 ～ 2147483647 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[0].m_nWorldY; }, INT32_MIN, 0,
       "m_vWorld[0].m_nWorldY の値 -2147483648 は範囲 0 ～ 2147483647 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[1].m_vStage[1].m_nStageNo; }, 5000, 999,
       "m_vWorld[1].m_vStage[1].m_nStageNo の値 5000 は範囲 0 ～ 999 の外のため 999 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[0].m_vStage[1].m_nStageNo; }, 999, 999, nullptr},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[0].m_vStage[0].m_nReqSwitch; }, INT32_MIN, 0,
       "m_vWorld[0].m_vStage[0].m_nReqSwitch の値 -2147483648 は範囲 0 ～ 999 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[0].m_vStage[1].m_nReqVar; }, -1, 0,
       "m_vWorld[0].m_vStage[1].m_nReqVar の値 -1 は範囲 0 ～ 1000 の外のため 0 にしました"},
      {[](cWorldMap& m) -> std::int32_t& { return m.m_vWorld[0].m_vStage[1].m_nReqVar; }, 1000, 1000, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.lpLine ? c.lpLine : "in range") << " " << c.nIn);
    cWorldMap made = MapWithWorlds();
    c.member(made) = c.nIn;
    cWorldMap map;
    const std::vector<std::string> lines = ReadReporting(map, WrittenBody(made), kWorldMapRangesFile);
    ASSERT_EQ(map.m_vWorld.size(), 2u);
    EXPECT_EQ(c.member(map), c.nOut);
    if (c.lpLine == nullptr)
      EXPECT_TRUE(lines.empty()) << lines.front();
    else
      EXPECT_EQ(lines, std::vector<std::string>{FileLine(kWorldMapRangesFile, c.lpLine)});
  }
}

// The writer pulls the start inside the map; a file of another writer may not have.
TEST_F(WorldMapRangesTest, AStartBeyondTheMapIsPulledInsideSilently) {
  cWorldMap made = MapWithWorlds();
  std::vector<std::uint8_t> body = WrittenBody(made);
  const std::int32_t startY = INT32_MAX;
  std::memcpy(body.data() + 4 + 5 * 4, &startY, sizeof startY);  // after the count and five members
  cWorldMap map;
  EXPECT_TRUE(ReadReporting(map, body, kWorldMapRangesFile).empty());
  EXPECT_EQ(map.m_nStartY, 14);
}

}  // namespace
