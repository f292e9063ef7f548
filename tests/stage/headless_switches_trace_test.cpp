// The switches of a run without a person, through the built player: a seed, a list of
// frames or a pacing value it cannot use ends it before the game starts (code 2, with a
// message), one it can use lets it play; a seed makes a stage that draws random numbers
// play the same way each time, and another seed another way; the listed frames are
// written as pictures of the screen's size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/stage/scatter_room.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kHeadlessSwitchesTraceTestFrames = 40;

class HeadlessSwitchesTest : public cTempDirTest {
 protected:
  cPlayResult Play(const std::vector<std::pair<std::string, std::string>>& env) {
    const cStagePlan plan = ScatterRoom();
    const cGameContent game = PlannedGame({plan});
    // The planned game is written once; later runs play it again.
    if (!m_bWritten) {
      const cPlayResult first = PlayGame(game, plan.strName, 1);
      EXPECT_EQ(first.nExitCode, 0) << first.strOutput;
      m_bWritten = true;
    }
    cPlayRequest request;
    request.strStagePath = GameStagePath(plan.strName);
    request.nFrames = kHeadlessSwitchesTraceTestFrames;
    request.vEnv = env;
    return RunPlayer(request);
  }
  // The trace lines of the run, without their frame numbers.
  static std::vector<std::string> Lines(const cPlayResult& run) {
    std::vector<std::string> lines;
    for (const cTraceFrame& frame : run.vFrames) lines.push_back(frame.strLine.substr(frame.strLine.find(',')));
    return lines;
  }
  bool m_bWritten = false;
};

TEST_F(HeadlessSwitchesTest, ValuesThatCannotBeUsedEndTheRunBeforeTheGame) {
  struct Case {
    const char* lpName;
    const char* lpValue;
    bool bRefused;
  };
  std::string many;
  for (int i = 0; i < 257; ++i) many += (i == 0 ? "" : ",") + std::to_string(i);
  const Case cases[] = {
      {"TOVREL_SEED", "4294967295", false}, {"TOVREL_SEED", "0", false},
      {"TOVREL_SEED", "4294967296", true},  {"TOVREL_SEED", "-1", true},
      {"TOVREL_SEED", "12x", true},         {"TOVREL_SEED", "99999999999999999999999", true},
      {"TOVREL_SCREENS", "0,5", false},     {"TOVREL_SCREENS", "5,", true},
      {"TOVREL_SCREENS", "1,,2", true},     {"TOVREL_SCREENS", "a", true},
      {"TOVREL_SCREENS", "3000000000", true}, {"TOVREL_SCREENS", many.c_str(), true},
      {"TOVREL_UNPACED", "0", false},       {"TOVREL_UNPACED", "yes", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lpName) + "=" + std::string(c.lpValue).substr(0, 40));
    const cPlayResult run = Play({{c.lpName, c.lpValue}});
    ASSERT_FALSE(run.bTimedOut);
    if (c.bRefused) {
      EXPECT_EQ(run.nExitCode, 2);
      EXPECT_NE(run.strOutput.find(c.lpName), std::string::npos) << run.strOutput;
      EXPECT_TRUE(run.vFrames.empty());
    } else {
      EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
      EXPECT_EQ(static_cast<int>(run.vFrames.size()), kHeadlessSwitchesTraceTestFrames);
    }
  }
}

TEST_F(HeadlessSwitchesTest, ASeedRepeatsTheRandomScatterAndAnotherChangesIt) {
  const cPlayResult first = Play({{"TOVREL_SEED", "11"}, {"TOVREL_SCREENS", "0,39"}});
  const cPlayResult again = Play({{"TOVREL_SEED", "11"}});
  const cPlayResult other = Play({{"TOVREL_SEED", "12"}});
  for (const cPlayResult* run : {&first, &again, &other}) ASSERT_EQ(run->nExitCode, 0) << run->strOutput;
  const std::vector<std::string> a = Lines(first), b = Lines(again), c = Lines(other);
  ASSERT_EQ(a.size(), static_cast<std::size_t>(kHeadlessSwitchesTraceTestFrames));
  ASSERT_NE(a.back().find("\"shot\""), std::string::npos) << a.back();
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  // The listed frames, and only those, are pictures of the whole 640 x 480 screen.
  for (const char* name : {"screen_0.ppm", "screen_39.ppm"}) {
    const std::string bytes = ReadBytes(Dir() + "/" + name);
    EXPECT_EQ(bytes.rfind("P6\n640 480\n255\n", 0), 0U) << name;
    EXPECT_EQ(bytes.size(), 15 + 640U * 480 * 3) << name;
  }
  EXPECT_TRUE(ReadBytes(Dir() + "/screen_1.ppm").empty());
}

}  // namespace
