#include "demo/demo_stage.h"

namespace {

// Walking speed in tenths of a dot per frame, and the jump height in half-blocks (three
// blocks: a step at a time; under the low ceiling the head bumps).
constexpr std::int16_t kWalkSpeed = 30;
constexpr std::int8_t kJumpHeight = 6;
// One physics sub-step per frame at the full speed limit: the walk's one-step move then
// lasts the whole frame, so the hero stops as soon as the key is let go.
constexpr std::int32_t kCollisionLevel = 11;

}  // namespace

cStagePlan DemoFirstStage() {
  cStagePlan plan;
  plan.strName = "stage1";
  plan.vMap = {
      "#######################################################",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.....................................................#",
      "#.........................##########..................#",
      "#..........###............##########..........####....#",
      "#........#####..............................######....#",
      "#..P...#######............................########....#",
      "#######################...########################...##",
      "#######################...########################...##",
  };
  plan.nCollisionLevel = kCollisionLevel;
  plan.bStartBanner = true;
  plan.bClearBanner = true;
  plan.bGameOverBanner = true;
  GiveWalkAndJump(plan.Hero, kWalkSpeed, kJumpHeight);
  return plan;
}
