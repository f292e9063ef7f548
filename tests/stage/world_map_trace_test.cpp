// A new story in the built player: the title's first item leads to the world map, which
// starts the stage standing on the start cell at once, or, for a stage that waits for the
// decision key, after the cursor has walked onto it and the prompt's first line was
// chosen. The stage is then played with its own placements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

class WorldMapTraceTest : public cTempDirTest {};

TEST_F(WorldMapTraceTest, ANewStoryReachesItsFirstStageOverTheWorldMap) {
  struct Case {
    const char* what;
    bool bManual;  // the stage one cell right of the start, entered with the decision key
    std::vector<cInputSpan> onMap;
  } const cases[] = {
      {"the stage on the start cell starts at once", false, {}},
      {"walked onto and confirmed",
       true,
       {{1, kDirRight, 0}, {1, 0, 0}, {1, 0, kButton1}, {2, 0, 0}, {1, kDirUp, 0}, {1, 0, 0}, {1, 0, kButton1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(WriteDemoGame(), 1);
    cGameContent game;
    game.System.m_bTitlePictures = 0;
    cWorld& world = game.WorldMap.m_vWorld[0];
    if (c.bManual) {
      for (std::int32_t& cell : game.WorldMap.m_vCell) cell = 5;  // passable
      world.m_nWorldX = game.WorldMap.m_nStartX + 1;
      world.m_vStage[0].m_bManualEntry = 1;
    }
    ASSERT_EQ(WriteGame(game), 1);

    cPlayRequest request;
    request.strStagePath = "";  // the title
    request.nFrames = 400;
    std::vector<cInputSpan> input = {
        {60, 0, 0},        // the title fades in
        {1, 0, kButton1},  // its first item: a new story
        {90, 0, 0},        // out of the title, into the world map
    };
    input.insert(input.end(), c.onMap.begin(), c.onMap.end());
    request.vInput = input;
    const cPlayResult run = RunPlayer(request);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    ASSERT_GE(run.FirstPlayIndex(), 0) << "stage play never started\n" << run.strOutput;

    const cTraceFrame& first = run.vFrames[static_cast<std::size_t>(run.FirstPlayIndex())];
    EXPECT_EQ((static_cast<int>(first.Player().dX) >> 5) - 10, 2) << first.strLine;
    EXPECT_NE(first.Find("item"), nullptr) << first.strLine;
  }
}

}  // namespace
