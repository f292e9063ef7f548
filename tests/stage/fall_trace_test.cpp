// Stage play without input, frame by frame through the player's trace: the hero falls,
// lands with the landing snap, the camera follows within its limits, blocks let the
// hero's side through or kill it, a lost life sets the stage up again, and the start
// banners last their frames. Expected values come from the rules of motion, computed
// here step by step in the program's own operation order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "data/stage/stage_data.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kCell = 32;
constexpr int kMargin = 10;  // cells of world around the stage on every side
constexpr int kHeroW = 16;   // the hero's walking box (the stage's default sizes)
constexpr int kHeroH = 24;
constexpr int kStateStart = 1;
constexpr int kFallTraceTestStatePlay = 2;

// World dot of the first dot of stage cell column or row `cell`.
int WorldDot(int cell) { return (cell + kMargin) * kCell; }

// Where set-up puts the hero placed on stage cell (bx, by): its box centred in the cell
// horizontally (plus half a dot), its feet on the cell's bottom dot row.
double HeroStartX(int bx) { return WorldDot(bx) + (kCell - kHeroW) / 2 + 0.5; }
double HeroStartY(int by) { return WorldDot(by) + (kCell - kHeroH); }

// Rows of `width` empty cells, `height` rows, with a solid floor row at the bottom.
std::vector<std::string> OpenMap(int width, int height) {
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  rows.back() = std::string(static_cast<std::size_t>(width), '#');
  return rows;
}

void Put(std::vector<std::string>& map, int x, int y, char letter) {
  map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = letter;
}

// The vertical motion of a walking object with nothing but gravity and the blocks under
// it: per sub-step gravity, the speed limit on the step, the move, and on a solid row
// under the bottom edge the landing snap y -= (trunc(bottom) & 31) + 1.
struct cFallModel {
  cFallModel(const cStagePlan& plan, double dY, int nBoxH, std::function<bool(int)> solidRow)
      : m_dY(dY), m_nBoxH(nBoxH), m_SolidRow(std::move(solidRow)) {
    cStageData stage;
    stage.m_dGravity = plan.dGravity;
    stage.SetCollisionLevel(plan.nCollisionLevel);
    m_nSubSteps = stage.m_nSubSteps;
    m_dGravityStep = stage.m_dGravityStep;
    m_dLimit = stage.m_dSpeedLimitStep;
  }

  // One sub-step; false when the bottom edge has left the stage (`stageEnd`, the dot
  // after its last row): the walking hero dies there and moves no more.
  bool SubStep(int stageEnd) {
    m_dVy += m_dGravityStep;
    m_dY += std::clamp(m_dVy, -m_dLimit, m_dLimit);
    const double bottom = m_dY + m_nBoxH - 1;
    if (bottom >= stageEnd) return false;
    const int dot = static_cast<int>(bottom);
    if (m_SolidRow(dot >> 5)) {
      m_dY -= (dot & 31) + 1;
      m_dVy = 0;
      ++m_nLandings;
    }
    return true;
  }
  bool Frame(int stageEnd) {
    for (int k = 0; k < m_nSubSteps; ++k)
      if (!SubStep(stageEnd)) return false;
    return true;
  }

  double m_dY;
  double m_dVy = 0;
  int m_nBoxH;
  std::function<bool(int)> m_SolidRow;  // world row -> solid under the object
  int m_nSubSteps = 1;
  double m_dGravityStep = 0;
  double m_dLimit = 0;
  int m_nLandings = 0;
};

// The camera's position on one axis as the hero's follow leaves it: the hero's box
// centred in the view (`halfView` and `halfBox` are half the view's and the box's
// length), kept inside the axis's range [lo, hi - view].
double Follow(double pos, int halfView, int halfBox, int lo, int hi) {
  const double scroll = pos - (halfView - halfBox);
  if (scroll < lo) return lo;
  if (scroll > hi - 2 * halfView) return hi - 2 * halfView;
  return scroll;
}

// The range of an axis in world dots: {min, max} as set-up computes them.
std::pair<int, int> AxisRange(const cScrollPlan& axis, int cells) {
  const int origin = kMargin * kCell;
  const int lo = axis.bLimitStart ? axis.nStart * kCell + origin : origin;
  if (!axis.bLimitEnd) return {lo, (cells + kMargin) * kCell};
  return {lo, std::max(lo, (axis.nEnd + 1) * kCell + origin)};
}

class FallTraceTest : public cTempDirTest {};

TEST_F(FallTraceTest, TheHeroFallsAndLandsWithTheSnapAtEveryCollisionLevel) {
  for (const int level : {1, 2, 10, 15}) {
    SCOPED_TRACE("collision level " + std::to_string(level));
    cStagePlan plan;
    plan.vMap = OpenMap(20, 40);
    Put(plan.vMap, 5, 1, 'P');
    plan.nCollisionLevel = level;
    const int floorRow = WorldDot(39) >> 5;
    cFallModel model(plan, HeroStartY(1), kHeroH, [&](int row) { return row >= floorRow; });

    const cPlayResult run = PlayPlan(plan, 420);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0) << run.strOutput;
    const cTraceFrame& start = run.vFrames[static_cast<std::size_t>(first)];
    EXPECT_EQ(start.Player().dX, HeroStartX(5));
    EXPECT_EQ(start.Player().dY, HeroStartY(1));

    int framesChecked = 0;
    for (std::size_t i = static_cast<std::size_t>(first) + 1; i < run.vFrames.size(); ++i) {
      const cTraceFrame& frame = run.vFrames[i];
      ASSERT_EQ(frame.nState, kFallTraceTestStatePlay) << frame.strLine;
      ASSERT_TRUE(model.Frame(WorldDot(40)));
      const cTraceObject& hero = frame.Player();
      ASSERT_EQ(hero.dY, model.m_dY) << "play frame " << framesChecked + 1 << ": " << frame.strLine;
      EXPECT_EQ(hero.dX, HeroStartX(5));
      // Whether the limit holds the stored speed or only the step is the program's
      // choice: below the limit the speed is exact, above it at least the limit.
      if (std::abs(model.m_dVy) < model.m_dLimit)
        EXPECT_EQ(hero.dVy, model.m_dVy) << frame.strLine;
      else
        EXPECT_GE(hero.dVy, model.m_dLimit) << frame.strLine;
      ++framesChecked;
    }
    EXPECT_GT(model.m_nLandings, 1) << "the hero must land and stand on the floor";
    // Standing: the bottom edge stays on the last dot row above the floor.
    const cTraceObject& last = run.vFrames.back().Player();
    EXPECT_EQ(static_cast<int>(last.dY + kHeroH - 1), WorldDot(39) - 1);
  }
}

TEST_F(FallTraceTest, TheCameraFollowsTheHeroWithinTheScrollRange) {
  struct Case {
    const char* name;
    int width, height, heroX;
    cScrollPlan scrollX, scrollY;
  };
  cScrollPlan limitedX, limitedY;
  limitedX.bLimitStart = limitedX.bLimitEnd = true;
  limitedX.nStart = 5;
  limitedX.nEnd = 40;
  limitedY.bLimitStart = limitedY.bLimitEnd = true;
  limitedY.nStart = 3;
  limitedY.nEnd = 30;
  const Case cases[] = {
      {"in the middle", 60, 40, 30, {}, {}},
      {"at the left end", 60, 40, 2, {}, {}},
      {"at the right end", 60, 40, 57, {}, {}},
      {"range limited at both ends", 60, 40, 2, limitedX, limitedY},
      {"range limited, hero past the end", 60, 40, 50, limitedX, limitedY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cStagePlan plan;
    plan.vMap = OpenMap(c.width, c.height);
    Put(plan.vMap, c.heroX, 1, 'P');
    plan.nCollisionLevel = 11;  // one sub-step: a fast fall through the whole height
    plan.ScrollX = c.scrollX;
    plan.ScrollY = c.scrollY;
    const auto [loX, hiX] = AxisRange(c.scrollX, c.width);
    const auto [loY, hiY] = AxisRange(c.scrollY, c.height);

    const cPlayResult run = PlayPlan(plan, 240);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0) << run.strOutput;
    double lowest = 1e9, highest = -1e9;
    for (std::size_t i = static_cast<std::size_t>(first); i < run.vFrames.size(); ++i) {
      const cTraceFrame& frame = run.vFrames[i];
      const cTraceObject& hero = frame.Player();
      ASSERT_EQ(frame.dScrollX, Follow(hero.dX, 320, kHeroW / 2, loX, hiX)) << frame.strLine;
      ASSERT_EQ(frame.dScrollY, Follow(hero.dY, 240, kHeroH / 2, loY, hiY)) << frame.strLine;
      lowest = std::min(lowest, frame.dScrollY);
      highest = std::max(highest, frame.dScrollY);
    }
    // The fall from the top to the floor takes the camera from one end of the range to
    // the other.
    EXPECT_EQ(lowest, loY);
    EXPECT_EQ(highest, hiY - 480);
  }
}

// A block whose pass side is the hero's lets the hero through and stops everyone else; a
// block deadly to the hero kills it on landing and carries computer characters.
TEST_F(FallTraceTest, PassAndDeadlyBlocksActByTheFallersSide) {
  const cStageData defaults;
  const int charaH = defaults.m_nCharaWalkH;
  const int charaOffY = defaults.m_bCharaWalkBottom ? kCell - charaH : (kCell - charaH) >> 1;
  struct Case {
    char letter;
    bool bHeroDies;
  };
  for (const Case& c : {Case{'L', false}, Case{'X', true}}) {
    SCOPED_TRACE(std::string("block ") + c.letter);
    cStagePlan plan;
    plan.vMap = OpenMap(20, 25);
    Put(plan.vMap, 3, 1, 'P');
    // The characters stand still while the hero dies: this one starts low enough to land
    // first.
    Put(plan.vMap, 12, 6, 'C');
    for (int x = 0; x < 20; ++x) Put(plan.vMap, x, 10, c.letter);
    plan.nCollisionLevel = 11;

    const cPlayResult run = PlayPlan(plan, 200);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0) << run.strOutput;

    // The computer character lands on the row in both cases and never sinks into it.
    bool bCharaLanded = false;
    for (const cTraceFrame& frame : run.vFrames) {
      const cTraceObject* chara = frame.Find("chara");
      ASSERT_NE(chara, nullptr) << frame.strLine;
      const int bottom = static_cast<int>(chara->dY + charaH - 1);
      ASSERT_LT(bottom, WorldDot(10)) << frame.strLine;
      bCharaLanded = bCharaLanded || bottom == WorldDot(10) - 1;
    }
    EXPECT_TRUE(bCharaLanded);
    EXPECT_EQ(run.vFrames.front().Find("chara")->dY, WorldDot(6) + charaOffY);

    if (!c.bHeroDies) {
      // Through the pass row onto the floor.
      const cTraceObject& hero = run.vFrames.back().Player();
      EXPECT_EQ(static_cast<int>(hero.dY + kHeroH - 1), WorldDot(24) - 1) << run.vFrames.back().strLine;
      continue;
    }
    // The hero stops inside the deadly row (no snap) and stays there while dying; then
    // the stage is set up again with the hero at its start.
    std::size_t frozen = 0;
    for (std::size_t i = static_cast<std::size_t>(first) + 1; i < run.vFrames.size() && frozen == 0; ++i)
      if (run.vFrames[i].nState == kFallTraceTestStatePlay && run.vFrames[i].Player().dY == run.vFrames[i - 1].Player().dY)
        frozen = i - 1;
    ASSERT_NE(frozen, 0u) << "the hero never stopped";
    const double deadY = run.vFrames[frozen].Player().dY;
    EXPECT_EQ(static_cast<int>(deadY + kHeroH - 1) >> 5, WorldDot(10) >> 5);
  }
}

// Falling out of the bottom of the stage costs the life; a stage started from the
// command line counts no lives, so it is set up again and played from the start.
TEST_F(FallTraceTest, ALostLifeSetsTheStageUpAgain) {
  cStagePlan plan;
  plan.vMap = OpenMap(20, 15);
  Put(plan.vMap, 5, 3, 'P');
  for (int x = 4; x <= 6; ++x) Put(plan.vMap, x, 14, '.');
  plan.nCollisionLevel = 11;
  const int stageEnd = WorldDot(15);
  cFallModel model(plan, HeroStartY(3), kHeroH, [](int) { return false; });

  const cPlayResult run = PlayPlan(plan, 900);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  const int first = run.FirstPlayIndex();
  ASSERT_GE(first, 0) << run.strOutput;
  std::size_t i = static_cast<std::size_t>(first) + 1;
  // Falling until the bottom edge reaches the stage's end: the hero dies in that sub-step
  // and does not move again.
  for (; i < run.vFrames.size(); ++i) {
    if (!model.Frame(stageEnd)) break;
    ASSERT_EQ(run.vFrames[i].Player().dY, model.m_dY) << run.vFrames[i].strLine;
  }
  ASSERT_LT(i, run.vFrames.size()) << "the hero never fell out";
  // The follow's stage clamp puts the box back on the stage's last rows.
  const double deadY = stageEnd - kHeroH;
  // Then the start state with the stage set up again, and play from the start.
  for (; i < run.vFrames.size() && run.vFrames[i].nState == kFallTraceTestStatePlay; ++i)
    ASSERT_EQ(run.vFrames[i].Player().dY, deadY) << run.vFrames[i].strLine;
  ASSERT_LT(i, run.vFrames.size()) << "no new start after the lost life";
  EXPECT_EQ(run.vFrames[i].nState, kStateStart) << run.vFrames[i].strLine;
  EXPECT_EQ(run.vFrames[i].Player().dY, HeroStartY(3));
  EXPECT_EQ(run.vFrames[i].Player().dX, HeroStartX(5));
  for (; i < run.vFrames.size() && run.vFrames[i].nState == kStateStart; ++i) {
  }
  ASSERT_LT(i, run.vFrames.size());
  EXPECT_EQ(run.vFrames[i].nState, kFallTraceTestStatePlay);
}

// The stage-number banner and the alternative start banner each hold the start state for
// 79 frames, one after the other; the fade-in's last frame enters the state.
TEST_F(FallTraceTest, StartBannersLast79FramesEach) {
  struct Case {
    const char* name;
    bool bStage, bStart;
    int nStartLines;
  };
  const Case cases[] = {
      {"no banner", false, false, 1},
      {"stage number", true, false, 80},
      {"alternative", false, true, 80},
      {"both in turn", true, true, 159},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cStagePlan plan;
    plan.bStageBanner = c.bStage;
    plan.bStartBanner = c.bStart;
    const cPlayResult run = PlayPlan(plan, 260);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    int startLines = 0;
    for (const cTraceFrame& frame : run.vFrames) startLines += frame.nState == kStateStart ? 1 : 0;
    EXPECT_EQ(startLines, c.nStartLines);
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0);
    EXPECT_EQ(run.vFrames[static_cast<std::size_t>(first - 1)].nState, kStateStart);
    // Nothing moves before play.
    for (int i = 0; i <= first; ++i) EXPECT_EQ(run.vFrames[static_cast<std::size_t>(i)].Player().dY, HeroStartY(13));
  }
}

// A stage started from the command line plays without its time limit, whatever the
// stage's frame rate: the hero keeps standing (its feet settle anew each frame) long
// after the limit would have run out.
TEST_F(FallTraceTest, ACommandLineStageRunsWithoutItsTimeLimit) {
  for (const int fps : {30, 60, 120}) {
    SCOPED_TRACE("fps " + std::to_string(fps));
    cStagePlan plan;
    plan.nCollisionLevel = 11;
    plan.nFps = fps;
    plan.bTimeLimit = true;
    plan.nTimeLimit = 1;
    const cPlayResult run = PlayPlan(plan, 200);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0);
    ASSERT_GT(run.vFrames.size(), static_cast<std::size_t>(first) + 130);
    for (std::size_t i = static_cast<std::size_t>(first) + 1; i < run.vFrames.size(); ++i) {
      ASSERT_EQ(run.vFrames[i].nState, kFallTraceTestStatePlay) << run.vFrames[i].strLine;
      ASSERT_NE(run.vFrames[i].Player().dY, run.vFrames[i - 1].Player().dY)
          << "the hero stopped moving at " << run.vFrames[i].strLine;
    }
  }
}

}  // namespace
