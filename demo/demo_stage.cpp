#include "demo/demo_stage.h"

#include "demo/demo_stages_more.h"

#include <cstdint>

#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "flow/status_values.h"
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

// What every enemy does to the hero on touch, and what the hero's shots do to it.
constexpr std::int32_t kEnemyBodyPower = 2;
constexpr std::int32_t kEnemyShotPower = 2;
constexpr std::int32_t kHeroShotPower = 5;  // two shots for an enemy's 10 HP
constexpr std::int16_t kShotGraphic = 1;
// The status command's parameter places: target kind, variable kind and index, subject,
// field, operation, operand source and constant; 18 values in all.
constexpr std::size_t kStatusParamCount = 18;

cPaletteChara DemoCharacter(const char* lpName, bool bFixedFacing) {
  cPaletteChara chara = cStagePlan().Chara;
  chara.m_strName = lpName;
  chara.m_nDirection = 0;  // facing left, toward where the hero comes from
  chara.m_bFixedFacing = bFixedFacing ? 1 : 0;
  chara.m_nBodyPower = kEnemyBodyPower;
  chara.m_nScore = kDemoEnemyScore;
  return chara;
}

// One straight shot of `nPower` at `nSpeed` tenths of a dot per frame, flying at most
// `nRange` half-blocks; aimed at target 1 (for an enemy, the hero) or straight ahead.
cFlowCmd ShotCmd(std::int16_t nSpeed, std::int32_t nPower, std::int16_t nRange, bool bAimed,
                 std::int16_t nHitEffect = 0) {
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_STRAIGHT_A;
  block.m_nCount = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_bAimTarget = bAimed ? 1 : 0;
  block.m_nAimSlot = 0;
  block.m_nSpeed = nSpeed;
  block.m_nPower = nPower;
  block.m_nGraphic = kShotGraphic;
  block.m_bRangeLimit = 1;
  block.m_nRange = nRange;
  block.m_nEffect = nHitEffect;
  shot.Normalize();
  return shot;
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

cPaletteChara DemoShooter() {
  cPaletteChara shooter = DemoCharacter("shooter", true);
  shooter.m_vFlow = std::vector<cFlow>{
      MakeLoopingFlow({MakeWaitCmd(20), MakeTurnCmd(kTurnTowardTarget1), ShotCmd(20, kEnemyShotPower, 40, true)})};
  return shooter;
}

cPaletteChara DemoPlatform() {
  cPaletteChara platform = DemoCharacter("platform", false);
  platform.m_bBlockChara = 1;
  platform.m_nFlying = 1;  // glides over the gap, through the walls beside it
  platform.m_nBodyPower = 0;
  platform.m_nScore = 0;
  // Two seconds each way at half a dot a frame: two blocks.
  platform.m_vFlow = std::vector<cFlow>{
      MakeLoopingFlow({MakeStraightMove(MOVEDIR_RIGHT, 5, 20), MakeStraightMove(MOVEDIR_LEFT, 5, 20)})};
  return platform;
}

cPaletteItem DemoCoin() {
  cPaletteItem coin;
  coin.m_strName = "coin";
  coin.m_nGraphic = 1;
  coin.m_nSound = 1;  // the demo's "Coin" sound
  cFlowCmd score;
  score.m_bItemCmd = 1;
  score.m_nKind = ITEMCMD_STATUS;
  score.m_vParam.assign(kStatusParamCount, 0);
  score.m_vParam[3] = SUBJ_SYSTEM;
  score.m_vParam[4] = kSystemScore;
  score.m_vParam[5] = VAROP_ADD;
  score.m_vParam[7] = kDemoCoinScore;
  coin.m_vItemCmd = std::vector<cFlowCmd>{score};
  return coin;
}

cFlow DemoHeroShotFlow() {
  return MakeButtonFlow(2, {ShotCmd(60, kHeroShotPower, 24, false, kDemoSparkleEffect)});
}

cFlow DemoGreetingFlow() {
  // The board stands at the top of the screen, the window a little above the centre, clear
  // of the hero on the floor; the flow then waits as long as a wait can (about an hour), so
  // the greeting shows once a play of the stage.
  constexpr std::int32_t kScreenCentre = 0;
  constexpr std::int32_t kHero = 2;
  const cOverlayPlace board{kScreenCentre, 0, 0, 0, -170};
  const cOverlayPlace hint{kScreenCentre, 0, 0, 0, -80};
  const cOverlayPlace onHero{kHero, 0, 0, 0, 0};
  return MakeLoopingFlow({MakePictureCmd(kDemoHillsSignPicture, board, kDemoSignTenths, false),
                          MakeMessageCmd(kDemoHint, hint, kDemoHintTenths, false),
                          MakeEffectCmd(kDemoSparkleEffect, onHero, false), MakeWaitCmd(INT16_MAX)});
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
      "#.............................S.......................#",
      "#...........H.............##########............I.....#",
      "#..........###...I........##########..........####....#",
      "#........#####..............................######....#",
      "#..P...#######W....R..........I...........########...G#",
      "#######################M..########################...##",
      "#######################...########################...##",
  };
  plan.nCollisionLevel = kCollisionLevel;
  plan.bStartBanner = true;
  plan.bClearBanner = true;
  plan.bGameOverBanner = true;
  GiveWalkAndJump(plan.Hero, kWalkSpeed, kJumpHeight);
  plan.Hero.m_vFlow.push_back(DemoHeroShotFlow());
  plan.Hero.m_vFlow.push_back(DemoGreetingFlow());
  plan.CharaKinds = {{'W', DemoWalker()},  {'H', DemoHopper()},  {'R', DemoReactor()},
                     {'S', DemoShooter()}, {'M', DemoPlatform()}};
  plan.ItemKinds = {{'I', DemoCoin()}, {kDemoGoalLetter, DemoGoalFlag()}};
  return plan;
}
