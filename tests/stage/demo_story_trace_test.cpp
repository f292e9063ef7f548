// The demo game's story from start to end, headless, driven by one input script: the
// title's new game, the world map starting the meadow, the walk to the goal flag, the
// clear and its ranking, the map menu's save into slot 01, back to the title, continue
// from that slot, and on the map the hills stage that the saved clear opened. The play
// scene's frames are in the trace; the other scenes show in the files they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/checked_access.h"
#include "data/option/option_data.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_game.h"
#include "platform/host_files.h"
#include "stage/ranking.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::uint16_t kDecide = kButton1;
constexpr std::uint16_t kCancel = kButton2;
constexpr const char* kRankName = "DEMO";

// The script, step by step, with room for each scene's fades.
class cStoryScript {
 public:
  void Wait(int frames) { m_vSpan.push_back({frames, 0, 0}); }
  // One frame of a key, then one without, so that the next press is a new press.
  void Press(std::uint16_t dir, std::uint16_t button, int thenWait) {
    m_vSpan.push_back({1, dir, button});
    Wait(1 + thenWait);
  }
  void Hold(int frames, std::uint16_t dir, std::uint16_t button) { m_vSpan.push_back({frames, dir, button}); }
  [[nodiscard]] int Frames() const {
    int n = 0;
    for (const cInputSpan& span : m_vSpan) n += span.nCount;
    return n;
  }
  std::vector<cInputSpan> m_vSpan;
};

std::vector<cInputSpan> WholeStory(int& frames) {
  cStoryScript s;
  s.Wait(60);
  s.Press(0, kDecide, 120);  // title: new game; the map starts the meadow at once
  // The meadow: right all the way, jumping every 40 frames up the steps and out of the ditch,
  // to the flag against the far wall.
  for (int i = 0; i < 10; ++i) {
    s.Hold(20, kDirRight, kDecide);
    s.Hold(20, kDirRight, 0);
  }
  // The clear banner, then the ranking, each left with the decision button.
  for (int i = 0; i < 12; ++i) s.Press(0, kDecide, 8);
  s.Wait(60);
  s.Press(0, kCancel, 60);     // the map: its menu
  s.Press(0, kDecide, 20);     // "save"
  s.Press(0, kDecide, 10);     // slot 01
  s.Press(kDirUp, 0, 5);       // the prompt opens on "no"
  s.Press(0, kDecide, 20);     // saved; the slot list stays
  s.Press(0, kCancel, 10);     // back to the menu
  for (int i = 0; i < 3; ++i) s.Press(kDirDown, 0, 5);
  s.Press(0, kDecide, 10);     // "to the title"
  s.Press(kDirUp, 0, 5);
  s.Press(0, kDecide, 90);     // yes
  s.Press(kDirDown, 0, 5);     // the title's cursor stands on new game: continue
  s.Press(0, kDecide, 20);
  s.Press(0, kDecide, 90);     // slot 01: the map with the saved progress
  for (int i = 0; i < 5; ++i) s.Press(kDirRight, 0, 8);  // along the path to the hills
  s.Wait(10);
  s.Press(kDirUp, 0, 5);       // the prompt opens on "stop"
  s.Press(0, kDecide, 200);    // into the hills
  frames = s.Frames();
  return s.m_vSpan;
}

// The plays of a run: the trace's frames split where a play scene starts again (state 0,
// the fade-in, after any other state).
std::vector<std::vector<const cTraceFrame*>> Plays(const cPlayResult& run) {
  std::vector<std::vector<const cTraceFrame*>> plays;
  int previous = -1;
  for (const cTraceFrame& frame : run.vFrames) {
    if (plays.empty() || (frame.nState == 0 && previous != 0)) plays.emplace_back();
    plays.back().push_back(&frame);
    previous = frame.nState;
  }
  return plays;
}

bool Reaches(const std::vector<const cTraceFrame*>& play, int state) {
  return std::any_of(play.begin(), play.end(), [state](const cTraceFrame* f) { return f->nState == state; });
}

bool Holds(const std::vector<const cTraceFrame*>& play, const char* kind) {
  return std::any_of(play.begin(), play.end(), [kind](const cTraceFrame* f) { return f->Find(kind) != nullptr; });
}

// The ranking files the run wrote, as host paths.
std::vector<std::string> RankingFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("user_data", error))
    if (entry.is_regular_file() && entry.path().extension() == ".rkg") {
      std::string path = entry.path().string();
      std::replace(path.begin(), path.end(), '/', '\\');  // a program path
      files.push_back(path);
    }
  return files;
}

class DemoStoryTraceTest : public cTempDirTest {};

TEST_F(DemoStoryTraceTest, TitleMapClearRankingSaveAndContinue) {
  ASSERT_EQ(WriteDemoGame(), 1);
  // The player asked in the options for results to be ranked at the clear under a fixed
  // name: no name dialog to answer.
  ASSERT_TRUE(MakeDirectory("user_data"));
  cOptionData options;
  options.m_nRankRegMode = RANKREG_AUTO_FIXED_NAME;
  options.m_strRankName = kRankName;
  ASSERT_TRUE(options.SaveToFile(kOptionFilePath));

  cPlayRequest request;
  request.strStagePath = "";  // the title
  request.vInput = WholeStory(request.nFrames);
  const cPlayResult run = RunPlayer(request);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  EXPECT_EQ(run.nExitCode, 0) << run.strOutput;

  // Two plays: the meadow, cleared and left; after the continue, the hills.
  const auto plays = Plays(run);
  ASSERT_EQ(plays.size(), 2u) << run.strOutput;
  const auto& meadow = plays[0];
  EXPECT_TRUE(Holds(meadow, "item")) << "the meadow's goal flag";
  EXPECT_FALSE(Holds(meadow, "chara"));
  ASSERT_TRUE(Reaches(meadow, 4)) << "the meadow was never cleared";
  EXPECT_FALSE(Reaches(meadow, 5)) << "the hero fell on the way";
  const auto cleared = std::find_if(meadow.begin(), meadow.end(), [](const cTraceFrame* f) { return f->nState == 4; });
  EXPECT_TRUE(std::any_of(cleared, meadow.end(), [](const cTraceFrame* f) { return f->nState == 7; }))
      << "the clear was not left through the fade-out";
  const auto& hills = plays[1];
  EXPECT_TRUE(Holds(hills, "chara")) << "the hills' characters";
  EXPECT_TRUE(Reaches(hills, 2)) << "the hills were never played";

  // The ranking of the meadow holds the result under the option's name.
  const std::vector<std::string> rankings = RankingFiles();
  ASSERT_EQ(rankings.size(), 1u);
  cRankingSet ranking;
  ASSERT_EQ(ranking.LoadFromFile(rankings.front().c_str()), 1) << rankings.front();
  const cRankEntry& first = CheckedAt(CheckedAt(ranking.m_vRanking, 0).m_vEntry, 0);
  EXPECT_EQ(first.m_bUsed, 1);
  EXPECT_EQ(first.m_strName, kRankName);

  // Slot 01 holds the story as saved on the map: the meadow (stage 1) cleared, the
  // cursor on it, the slot remembered.
  char slotFile[MAX_PATH];
  GetStoryFileName(slotFile, 0);
  cProgress saved;
  ASSERT_EQ(saved.LoadFromFile(slotFile), 1) << slotFile;
  EXPECT_EQ(CheckedAt(saved.m_ClearFlags, 1), 1);
  EXPECT_EQ(CheckedAt(saved.m_ClearFlags, 2), 0);
  EXPECT_EQ(saved.m_nSaveSlot, 0);
  cWorldMap map;
  ASSERT_EQ(map.LoadFromFile(kWorldMapPath), 1);
  EXPECT_EQ(saved.m_nMapX, map.m_nStartX);
  EXPECT_EQ(saved.m_nMapY, map.m_nStartY);
}

}  // namespace
