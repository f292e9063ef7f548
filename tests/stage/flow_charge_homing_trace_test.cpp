// Stage characters that charge at and home on the hero in real play, frame by frame
// through the player's trace: the charge dashes at one dot a frame toward the side the
// hero stood on when it began; the homing walker stops with its centre on a point some
// blocks beside the hero and stays there.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/movement_block.h"
#include "media/input/input.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr std::int16_t kSpeed = 10;  // tenths of a dot per frame: one dot a frame

cStagePlan Room(int heroColumn, int charaColumn, const cFlowCmd& move) {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(20, '.'));
  plan.vMap.back() = std::string(20, '#');
  for (std::string& row : plan.vMap) row.front() = row.back() = '#';
  plan.vMap[13][static_cast<std::size_t>(heroColumn)] = 'P';
  plan.vMap[13][static_cast<std::size_t>(charaColumn)] = 'C';
  plan.Chara.m_bFixedFacing = 0;
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCmd = {move};
  plan.Chara.m_vFlow = std::vector<cFlow>{flow};
  return plan;
}

cFlowCmd Move(int kind, std::int16_t time) {
  cFlowCmd cmd;
  cmd.m_nKind = static_cast<std::int8_t>(kind);
  cmd.m_nTime = time;
  CreateEdMove(cmd.m_pMove);
  cmd.m_pMove->m_nSpeed = kSpeed;
  cmd.m_pMove->m_bMirrorX = 0;  // the offset is not mirrored by the definition's facing
  return cmd;
}

// The character's x at each play frame from the first one after the start banner.
std::vector<double> CharaXs(const cPlayResult& run, int frames) {
  std::vector<double> xs;
  const int first = run.FirstPlayIndex();
  EXPECT_GE(first, 0) << run.strOutput;
  if (first < 0) return xs;
  for (int k = 0; k <= frames && first + k < static_cast<int>(run.vFrames.size()); ++k) {
    const cTraceObject* chara = run.vFrames[static_cast<std::size_t>(first + k)].Find("chara");
    EXPECT_NE(chara, nullptr);
    if (chara == nullptr) break;
    xs.push_back(chara->dX);
  }
  return xs;
}

class FlowChargeHomingTraceTest : public cTempDirTest {};

TEST_F(FlowChargeHomingTraceTest, ChargeDashesTowardTheSideTheHeroStoodOn) {
  struct Case {
    const char* name;
    int heroColumn, charaColumn;
    double step;
    int facing;
  };
  for (const Case& c : {Case{"hero on the left", 2, 12, -1.0, 0}, Case{"hero on the right", 12, 2, 1.0, 1}}) {
    SCOPED_TRACE(c.name);
    const cStagePlan plan = Room(c.heroColumn, c.charaColumn, Move(FLOWCMD_MOVE_CHARGE, 10));
    const cPlayResult run = PlayPlan(plan, 140);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    const std::vector<double> xs = CharaXs(run, 120);
    ASSERT_EQ(xs.size(), 121u);
    // Frame k of play has run k play steps: two runs of the charge, one dot a frame.
    for (std::size_t k = 1; k < xs.size(); ++k) ASSERT_NEAR(xs[k], xs[0] + c.step * static_cast<double>(k), 1e-6) << k;
    const int first = run.FirstPlayIndex();
    const cTraceObject* chara = run.vFrames[static_cast<std::size_t>(first + 60)].Find("chara");
    ASSERT_NE(chara, nullptr);
    EXPECT_EQ(chara->nFacing, c.facing);
    EXPECT_NEAR(chara->dVx, c.step / plan.nCollisionLevel, 1e-9) << "per sub-step";
  }
}

TEST_F(FlowChargeHomingTraceTest, HomingWalkerStopsOnItsPointBesideTheHero) {
  // The same walk toward three and five blocks right of the hero's centre: each closes in
  // at one dot a frame, then stands still on its point.
  std::vector<double> stops;
  for (const std::int16_t blocks : {3, 5}) {
    SCOPED_TRACE("offset " + std::to_string(blocks));
    cFlowCmd homing = Move(FLOWCMD_MOVE_HOMING, 50);
    homing.m_pMove->m_nTargetXbl = blocks;
    homing.m_pMove->m_bStopAtTarget = 1;
    const cPlayResult run = PlayPlan(Room(2, 12, homing), 300);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    const std::vector<double> xs = CharaXs(run, 280);
    ASSERT_EQ(xs.size(), 281u);
    // From the end back to where it stopped, then one dot a frame before that.
    std::size_t stop = xs.size() - 1;
    while (stop > 0 && xs[stop - 1] == xs.back()) --stop;
    ASSERT_GT(stop, 100u);
    ASSERT_LT(stop, xs.size() - 20) << "the walker stopped";
    for (std::size_t k = 1; k + 1 < stop; ++k) ASSERT_NEAR(xs[k], xs[k - 1] - 1.0, 1e-6) << k;
    EXPECT_LE(xs[stop - 1] - xs[stop], 1.0);
    stops.push_back(xs.back());
  }
  ASSERT_EQ(stops.size(), 2u);
  EXPECT_NEAR(stops[1] - stops[0], 64.0, 1e-6);
}

TEST_F(FlowChargeHomingTraceTest, FlyerChargesAlongItsFirstAimAndHomesAlongAnAimThatFollowsTheHero) {
  // The hero walks right under a flyer that starts up and to its right; every speed is
  // one dot a frame in any direction.
  struct Case {
    const char* name;
    int kind;
    bool aimFollows;
  };
  for (const Case& c : {Case{"charge", FLOWCMD_MOVE_CHARGE, false}, Case{"homing", FLOWCMD_MOVE_HOMING, true}}) {
    SCOPED_TRACE(c.name);
    cStagePlan plan = Room(2, 17, Move(c.kind, 10));
    plan.vMap[13][17] = '.';
    plan.vMap[4][17] = 'C';
    plan.Chara.m_nFlying = 1;
    GiveWalkAndJump(plan.Hero, 20, 4);
    const double n = plan.nCollisionLevel;
    const cPlayResult run = PlayPlan(plan, 120, {{400, kDirRight, 0}});
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0) << run.strOutput;
    ASSERT_GE(static_cast<int>(run.vFrames.size()), first + 60);
    const cTraceObject* start = run.vFrames[static_cast<std::size_t>(first)].Find("chara");
    const cTraceObject* aim = run.vFrames[static_cast<std::size_t>(first + 1)].Find("chara");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(aim, nullptr);
    EXPECT_LT(aim->dVx, 0.0);
    EXPECT_GT(aim->dVy, 0.0);
    bool changed = false;
    for (int k = 1; k < 60; ++k) {
      const cTraceObject* chara = run.vFrames[static_cast<std::size_t>(first + k)].Find("chara");
      ASSERT_NE(chara, nullptr);
      ASSERT_NEAR(std::hypot(chara->dVx, chara->dVy) * n, 1.0, 1e-9) << k;
      if (std::abs(chara->dVx - aim->dVx) > 1e-6) changed = true;
      if (!c.aimFollows) {
        ASSERT_NEAR(chara->dX, start->dX + k * n * aim->dVx, 1e-6) << k;
        ASSERT_NEAR(chara->dY, start->dY + k * n * aim->dVy, 1e-6) << k;
      }
    }
    EXPECT_EQ(changed, c.aimFollows);
  }
}

}  // namespace
