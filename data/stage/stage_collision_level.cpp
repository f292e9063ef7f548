// The physics values a stage derives from its collision level.
#include "data/stage/stage_data.h"

namespace {

// Levels 11 to 19 give level - 10 sub-steps with the full speed limit; levels 1 to 10
// give that many sub-steps with a limit of 6 pixels per frame per sub-step.
constexpr int kFullSpeedLevelBase = 10;
constexpr double kFullSpeedLimit = 60.0;
constexpr double kSpeedLimitPerSubStep = 6.0;

}  // namespace

void cStageData::SetCollisionLevel(int level) {
  // The authoring tool stores 1 to 19; any other level would give no sub-step (and
  // divisions by zero) or an unbounded number of them.
  if (level < kMinCollisionLevel || level > kMaxCollisionLevel) level = kDefaultCollisionLevel;
  m_nCollisionLevel = level;

  const bool bFullSpeed = level > kFullSpeedLevelBase;
  const int n = bFullSpeed ? level - kFullSpeedLevelBase : level;
  m_nSubSteps = n;
  m_dSubSteps = n;
  m_nSubSteps6 = 6 * n;
  m_dSubStepsSq = static_cast<double>(n * n);
  m_dSpeedLimit = bFullSpeed ? kFullSpeedLimit : kSpeedLimitPerSubStep * n;
  m_dSpeedLimitStep = m_dSpeedLimit / n;
  m_nSubSteps8 = 8 * n;
  m_dGravityStep = m_dGravity / static_cast<double>(n * n);
}
