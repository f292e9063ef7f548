// A stage character driven by its own flow in real play, frame by frame through the
// player's trace: an always-flow of two timed straight moves walks it right for one
// second and back left for one second, again and again, at every collision level.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/movement_block.h"
#include "objects/move_support.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/stage_writer.h"

namespace {

constexpr std::int16_t kFlowPatrolTraceTestSpeed = 10;  // tenths of a dot per frame: one dot a frame
constexpr std::int16_t kTime = 10;   // tenths of a second: 60 frames each way
constexpr int kLegFrames = 60;

cFlowCmd Walk(std::int8_t dir) {
  cFlowCmd cmd;
  cmd.m_nKind = FLOWCMD_MOVE_STRAIGHT;
  cmd.m_nTime = kTime;
  CreateEdMove(cmd.m_pMove);
  cmd.m_pMove->m_nDir = dir;
  cmd.m_pMove->m_nSpeed = kFlowPatrolTraceTestSpeed;
  return cmd;
}

cStagePlan PatrolRoom(int level) {
  cStagePlan plan;
  plan.vMap.assign(15, std::string(20, '.'));
  plan.vMap.back() = std::string(20, '#');
  for (std::string& row : plan.vMap) row.front() = row.back() = '#';
  plan.vMap[13][2] = 'P';
  plan.vMap[13][8] = 'C';
  plan.nCollisionLevel = level;
  plan.Chara.m_bFixedFacing = 0;
  cFlow patrol;
  patrol.m_nTrigger = FLOWTRIG_ALWAYS;
  patrol.m_vCmd = {Walk(MOVEDIR_RIGHT), Walk(MOVEDIR_LEFT)};
  plan.Chara.m_vFlow = std::vector<cFlow>{patrol};
  return plan;
}

class FlowPatrolTraceTest : public cTempDirTest {};

TEST_F(FlowPatrolTraceTest, TimedMovesWalkACharacterBackAndForth) {
  for (const int level : {1, 2, 10}) {
    SCOPED_TRACE("level " + std::to_string(level));
    const cPlayResult run = PlayPlan(PatrolRoom(level), 320);
    ASSERT_FALSE(run.bTimedOut) << run.strOutput;
    ASSERT_TRUE(run.strTraceError.empty()) << run.strTraceError;
    const int first = run.FirstPlayIndex();
    ASSERT_GE(first, 0) << run.strOutput;
    const cTraceObject* start = run.vFrames[static_cast<std::size_t>(first)].Find("chara");
    ASSERT_NE(start, nullptr);
    const double x0 = start->dX;
    // Frame k of play has run k + 1 play steps: the first leg moves right for frames
    // 0-59, the second back left for frames 60-119, and so on.
    ASSERT_GE(static_cast<int>(run.vFrames.size()), first + 4 * kLegFrames + 1);
    for (int k = 0; k < 4 * kLegFrames; ++k) {
      const cTraceFrame& frame = run.vFrames[static_cast<std::size_t>(first + k + 1)];
      const cTraceObject* chara = frame.Find("chara");
      ASSERT_NE(chara, nullptr) << frame.strLine;
      const int steps = k + 1;
      const int leg = (steps - 1) / kLegFrames;
      const int into = steps - leg * kLegFrames;
      const double expected = x0 + (leg % 2 == 0 ? into : kLegFrames - into);
      ASSERT_NEAR(chara->dX, expected, 1e-6) << frame.strLine;
      ASSERT_EQ(chara->nFacing, leg % 2 == 0 ? 1 : 0) << frame.strLine;
    }
  }
}

}  // namespace
