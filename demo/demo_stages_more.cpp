#include "demo/demo_stages_more.h"

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"

namespace {

// As in the first stage: a walk of three dots a frame, a jump of three blocks, one
// physics sub-step per frame.
constexpr std::int16_t kDemoStagesMoreWalkSpeed = 30;
constexpr std::int8_t kDemoStagesMoreJumpHeight = 6;
constexpr std::int32_t kDemoStagesMoreCollisionLevel = 11;

// The stage-clear command's first parameter: 3 ends the world's stage, so the story
// returns to the world map rather than looking for a numbered next stage.
constexpr std::int32_t kClearBackToMap = 3;
// Item picture 2 of the item sheet: the green coin, which the flag stands out as.
constexpr std::int16_t kFlagGraphic = 2;

}  // namespace

cPaletteItem DemoGoalFlag() {
  cPaletteItem flag;
  flag.m_strName = "goal";
  flag.m_nGraphic = kFlagGraphic;
  cFlowCmd clear;
  clear.m_bItemCmd = 1;
  clear.m_nKind = ITEMCMD_STAGE_CLEAR;
  clear.m_vParam = {kClearBackToMap};
  clear.Normalize();
  flag.m_vItemCmd = std::vector<cFlowCmd>{clear};
  return flag;
}

cStagePlan DemoMeadowStage() {
  cStagePlan plan;
  plan.strName = "meadow";
  // Two steps to climb and a ditch to jump out of on the way to the flag: nothing to fall
  // to a loss in, so the opening stage is won by walking right and jumping now and then.
  plan.vMap = {
      "##############################",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#............................#",
      "#..........##................#",
      "#..P......###...............G#",
      "##################..##########",
      "##############################",
  };
  plan.nCollisionLevel = kDemoStagesMoreCollisionLevel;
  plan.bStartBanner = true;
  plan.bClearBanner = true;
  plan.bGameOverBanner = true;
  GiveWalkAndJump(plan.Hero, kDemoStagesMoreWalkSpeed, kDemoStagesMoreJumpHeight);
  plan.ItemKinds = {{kDemoGoalLetter, DemoGoalFlag()}};
  return plan;
}
