#include "demo/demo_stage.h"

#include "data/flow/flow_enumerations.h"
#include "objects/move_support.h"

namespace {

// Walking speed in tenths of a dot per frame, and the jump height in half-blocks (three
// blocks: a step at a time; under the low ceiling the head bumps).
constexpr std::int16_t kWalkSpeed = 30;
constexpr std::int8_t kJumpHeight = 6;
// One physics sub-step per frame at the full speed limit: the walk's one-step move then
// lasts the whole frame, so the hero stops as soon as the key is let go.
constexpr std::int32_t kCollisionLevel = 11;

// The turn command's choice "toward target 1"; a computer character's target 1 is the
// hero from set-up on.
constexpr std::int32_t kTurnTowardTarget1 = 2;
constexpr std::int8_t kDistanceCircle = 6;

cPaletteChara DemoCharacter(const char* lpName, bool bFixedFacing) {
  cPaletteChara chara = cStagePlan().Chara;
  chara.m_strName = lpName;
  chara.m_nDirection = 0;  // facing left, toward where the hero comes from
  chara.m_bFixedFacing = bFixedFacing ? 1 : 0;
  return chara;
}

}  // namespace

cPaletteChara DemoWalker() {
  cPaletteChara walker = DemoCharacter("walker", false);
  // Two seconds each way at one dot a frame: 120 dots, under four blocks.
  walker.m_vFlow = std::vector<cFlow>{
      MakeLoopingFlow({MakeStraightMove(MOVEDIR_RIGHT, 10, 20), MakeStraightMove(MOVEDIR_LEFT, 10, 20)})};
  return walker;
}

cPaletteChara DemoHopper() {
  cPaletteChara hopper = DemoCharacter("hopper", false);
  hopper.m_vFlow = std::vector<cFlow>{MakeLoopingFlow({MakeWaitCmd(10), MakeJumpCmd(6)})};
  return hopper;
}

cPaletteChara DemoReactor() {
  cPaletteChara reactor = DemoCharacter("reactor", true);
  // While the hero is near: face it, dash half a second at three dots a frame, rest.
  cFlow react = MakeLoopingFlow({MakeTurnCmd(kTurnTowardTarget1), MakeStraightMove(MOVEDIR_FORWARD, 30, 5),
                                 MakeWaitCmd(10)});
  cCond near;
  near.m_nKind = COND_DISTANCE;
  near.m_nSubject = CONDSUBJ_TARGET1;
  near.m_nShape = kDistanceCircle;
  near.m_nValue = kDemoReactRange;
  react.m_vCond = {near};
  reactor.m_vFlow = std::vector<cFlow>{react};
  return reactor;
}

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
      "#...........H.............##########..................#",
      "#..........###............##########..........####....#",
      "#........#####..............................######....#",
      "#..P...#######W....R......................########....#",
      "#######################...########################...##",
      "#######################...########################...##",
  };
  plan.nCollisionLevel = kCollisionLevel;
  plan.bStartBanner = true;
  plan.bClearBanner = true;
  plan.bGameOverBanner = true;
  GiveWalkAndJump(plan.Hero, kWalkSpeed, kJumpHeight);
  plan.CharaKinds = {{'W', DemoWalker()}, {'H', DemoHopper()}, {'R', DemoReactor()}};
  return plan;
}
