// The hero under the usual walk and jump flows, frame by frame through the player's
// trace: walls stop the walk with the wall snap, a held jump rises to its full height, a
// jump let go early is cut to 0.3 of its speed, and a ceiling stops the rise with the
// ceiling snap, at collision levels of one, two, five and ten sub-steps per frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "data/stage/stage_data.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr int kWalkTraceTestCell = 32;
constexpr int kWalkTraceTestMargin = 10;
constexpr int kWalkTraceTestHeroW = 16;
constexpr int kWalkTraceTestHeroH = 24;
constexpr int kWalkTraceTestStatePlay = 2;
constexpr std::int16_t kWalkSpeed = 30;  // tenths of a dot per frame
constexpr std::int8_t kJumpHeight = 6;   // half-blocks
constexpr int kLevels[] = {1, 2, 15, 10};
constexpr int kWallColumn = 5;

int WalkTraceTestWorldDot(int cell) { return (cell + kWalkTraceTestMargin) * kWalkTraceTestCell; }

// A 20 x 15 room with a floor at row 14, the hero on (2, 13), walking and jumping.
cStagePlan WalkTraceTestRoom(int level) {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(20, '.'));
  plan.vMap.back() = std::string(20, '#');
  for (std::string& row : plan.vMap) row.front() = row.back() = '#';
  plan.vMap[13][2] = 'P';
  plan.nCollisionLevel = level;
  GiveWalkAndJump(plan.Hero, kWalkSpeed, kJumpHeight);
  return plan;
}

void CheckRan(const cPlayResult& run) {
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;
  ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
  ASSERT_GE(run.FirstPlayIndex(), 0) << run.strOutput;
}

class WalkTraceTest : public cTempDirTest {};

// Walking into a wall: the box's edge never enters the wall's cell; on contact the
// right edge snaps to the wall's last free dot (x -= (trunc(right) & 31) + 1), the left
// edge to the first dot after the wall (x += 32 - (trunc(x) & 31)). The walk turns the
// hero toward where it goes.
TEST_F(WalkTraceTest, WallsStopTheWalkAtTheirEdge) {
  for (const int level : kLevels) {
    for (const std::uint16_t dir : {kDirRight, kDirLeft}) {
      SCOPED_TRACE("level " + std::to_string(level) + (dir == kDirRight ? ", right" : ", left"));
      cStagePlan plan = WalkTraceTestRoom(level);
      // Near enough for the slowest walk: at ten sub-steps the one-step move runs once
      // a frame, a tenth of the speed.
      for (int y = 9; y <= 13; ++y) plan.vMap[static_cast<std::size_t>(y)][kWallColumn] = '#';
      const cPlayResult run = PlayPlan(plan, 400, {{400, dir, 0}});
      CheckRan(run);
      bool bTouched = false;
      for (std::size_t i = static_cast<std::size_t>(run.FirstPlayIndex()); i < run.vFrames.size(); ++i) {
        const cTraceObject& hero = run.vFrames[i].Player();
        const int left = static_cast<int>(hero.dX);
        const int right = static_cast<int>(hero.dX + kWalkTraceTestHeroW - 1);
        if (dir == kDirRight) {
          ASSERT_LT(right, WalkTraceTestWorldDot(kWallColumn)) << run.vFrames[i].strLine;
          bTouched = bTouched || right == WalkTraceTestWorldDot(kWallColumn) - 1;
        } else {
          ASSERT_GE(left, WalkTraceTestWorldDot(1)) << run.vFrames[i].strLine;
          bTouched = bTouched || left == WalkTraceTestWorldDot(1);
        }
      }
      EXPECT_TRUE(bTouched) << "the hero never reached the wall";
      const cTraceObject& last = run.vFrames.back().Player();
      EXPECT_EQ(last.nFacing, dir == kDirRight ? 1 : 0);
      if (dir == kDirRight)
        EXPECT_EQ(static_cast<int>(last.dX + kWalkTraceTestHeroW - 1), WalkTraceTestWorldDot(kWallColumn) - 1);
      else
        EXPECT_EQ(static_cast<int>(last.dX), WalkTraceTestWorldDot(1));
    }
  }
}

// A jumping hero in one of the ways the program may run it: the sub-step of the pressing
// frame in which the jump starts (the hero must stand on the floor in that sub-step), and
// whether the speed limit holds the stored speed or only each step.
struct cJumpModel {
  double dY = 0, dVy = 0;
  int nStartSubStep = 1;
  bool bStoredClamp = false;
  bool bStarted = false, bCut = false;
  bool bLive = true;

  // Constants of the stage.
  int nSubSteps = 1;
  double dGravityStep = 0, dLimit = 0, dJumpSpeed = 0;
  int nFloorRow = 0, nCeilingRow = -1;  // world rows; -1 no ceiling

  bool Solid(int row) const { return row >= nFloorRow || row == nCeilingRow; }

  // One frame; `bPressFrame` is the frame the button went down, `bReleaseFrame` the first
  // frame without it.
  void Frame(bool bPressFrame, bool bReleaseFrame) {
    for (int k = 1; k <= nSubSteps; ++k) {
      if (bPressFrame && k == nStartSubStep) {
        dVy = dJumpSpeed;
        bStarted = true;
      }
      // Letting go while rising, within the hold time, cuts the rise once.
      if (bReleaseFrame && k == 1 && bStarted && !bCut && dVy < 0) {
        dVy *= 0.3;
        bCut = true;
      }
      dVy += dGravityStep;
      const double step = std::clamp(dVy, -dLimit, dLimit);
      if (bStoredClamp) dVy = step;
      dY += step;
      const auto top = [&] {
        const int dot = static_cast<int>(dY);
        if (!Solid(dot >> 5)) return;
        dY += 32 - (dot & 31);
        dVy = 0;
      };
      const auto bottom = [&] {
        if (dVy < 0) return;  // a rising walker does not land
        const int dot = static_cast<int>(dY + kWalkTraceTestHeroH - 1);
        if (!Solid(dot >> 5)) return;
        dY -= (dot & 31) + 1;
        dVy = 0;
      };
      if (dVy > 0) {
        bottom();
        top();
      } else {
        top();
        bottom();
      }
    }
  }
};

// v = (-g - sqrt(g (g + 8h))) / 2 for a jump of h dots with g the gravity per sub-step,
// times 0.99 - 0.025 G for the hero (G the stage's gravity per frame).
double HeroJumpSpeed(const cStageData& stage, int nHeightHbl) {
  const double g = stage.m_dGravityStep;
  const double h = nHeightHbl * 16;
  const double v = (-g - std::sqrt(g * (g + 8 * h))) / 2;
  return v * (0.99 - 0.025 * stage.m_dGravity);
}

TEST_F(WalkTraceTest, JumpsRiseByTheHeldButtonAndStopAtCeilings) {
  struct Case {
    const char* name;
    int nHoldFrames;
    int nCeilingRow;  // stage row, -1 none
  };
  const Case cases[] = {
      {"held", 90, -1},
      {"let go after 3 frames", 3, -1},
      {"under a ceiling", 90, 10},
  };
  constexpr int kSettleFrames = 40;
  for (const int level : kLevels) {
    for (const Case& c : cases) {
      SCOPED_TRACE("level " + std::to_string(level) + ", " + c.name);
      cStagePlan plan = WalkTraceTestRoom(level);
      if (c.nCeilingRow >= 0) plan.vMap[static_cast<std::size_t>(c.nCeilingRow)] = std::string(20, '#');
      const cPlayResult run =
          PlayPlan(plan, kSettleFrames + 240, {{kSettleFrames, 0, 0}, {c.nHoldFrames, 0, kButton1}});
      CheckRan(run);
      ASSERT_GT(run.vFrames.size(), static_cast<std::size_t>(kSettleFrames + 200));
      ASSERT_GT(kSettleFrames, run.FirstPlayIndex() + 5) << "play begins too late for the input";

      cStageData stage;
      stage.m_dGravity = plan.dGravity;
      stage.SetCollisionLevel(level);
      std::vector<cJumpModel> models;
      for (int s = 1; s <= stage.m_nSubSteps; ++s) {
        for (const bool bStored : {false, true}) {
          cJumpModel model;
          model.nStartSubStep = s;
          model.bStoredClamp = bStored;
          model.nSubSteps = stage.m_nSubSteps;
          model.dGravityStep = stage.m_dGravityStep;
          model.dLimit = stage.m_dSpeedLimitStep;
          model.dJumpSpeed = HeroJumpSpeed(stage, kJumpHeight);
          model.nFloorRow = WalkTraceTestWorldDot(14) >> 5;
          model.nCeilingRow = c.nCeilingRow >= 0 ? WalkTraceTestWorldDot(c.nCeilingRow) >> 5 : -1;
          const cTraceObject& before = run.vFrames[kSettleFrames - 1].Player();
          model.dY = before.dY;
          model.dVy = before.dVy;
          models.push_back(model);
        }
      }
      // Every frame from the press until well after the landing must be one of the ways.
      double highest = run.vFrames[kSettleFrames - 1].Player().dY;
      for (int f = kSettleFrames; f < kSettleFrames + 200; ++f) {
        const cTraceFrame& frame = run.vFrames[static_cast<std::size_t>(f)];
        ASSERT_EQ(frame.nState, kWalkTraceTestStatePlay) << frame.strLine;
        bool bAny = false;
        for (cJumpModel& model : models) {
          if (!model.bLive) continue;
          model.Frame(f == kSettleFrames, f == kSettleFrames + c.nHoldFrames);
          model.bLive = model.dY == frame.Player().dY;
          bAny = bAny || model.bLive;
        }
        ASSERT_TRUE(bAny) << "frame " << f - kSettleFrames << " after the press: " << frame.strLine;
        highest = std::min(highest, frame.Player().dY);
      }
      const double rise = run.vFrames[kSettleFrames - 1].Player().dY - highest;
      if (c.nCeilingRow >= 0) {
        // The head snapped to the first dot below the ceiling.
        EXPECT_GE(highest, WalkTraceTestWorldDot(c.nCeilingRow + 1));
      } else if (c.nHoldFrames > 10) {
        // The hero's jump is a little lower than asked; where the speed limit holds the
        // start speed back (one sub-step a frame), lower still.
        if (-models.front().dJumpSpeed <= models.front().dLimit) {
          EXPECT_GT(rise, kJumpHeight * 16 * 0.85);
        }
      } else {
        EXPECT_LT(rise, kJumpHeight * 16 * 0.5);
      }
      // Back on the floor.
      EXPECT_EQ(static_cast<int>(run.vFrames.back().Player().dY + kWalkTraceTestHeroH - 1), WalkTraceTestWorldDot(14) - 1);
    }
  }
}

}  // namespace
