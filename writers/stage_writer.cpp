#include "writers/stage_writer.h"

#include <algorithm>
#include <utility>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/key_condition.h"
#include "data/flow/movement_block.h"
#include "data/flow/overlay_cmd_params.h"
#include "stage/message_window.h"

namespace {

// Block record values as the authoring tool stores them.
constexpr std::int8_t kHitSolid = 1;
constexpr std::int8_t kHitHeroDies = 2;
constexpr std::int8_t kFootJump = 1;
constexpr std::int8_t kFootNoJump = 2;
constexpr std::int8_t kFootSpeed = 3;
constexpr std::int8_t kFootMoveLeft = 4;
constexpr std::int8_t kFootMoveRight = 5;

// Movement block: by direction, in the direction held on the input.
constexpr std::int8_t kMoveByDirection = 0;
constexpr std::int8_t kMoveDirKey = 12;
// Jump command parameters: 0 the height mode, 2 the height in half-blocks.
constexpr int kJumpParamMode = 0;
constexpr int kJumpParamHeight = 2;
constexpr std::int32_t kJumpFixedHeight = 0;
constexpr std::int32_t kJumpKeyHeight = 1;

// The message command's places for the screen centre, the character that runs it, the
// hero (centred on each), screen blocks and stage blocks, by the place codes the picture
// and effect commands share.
constexpr std::int32_t kMessagePlaceOf[] = {MSGPOS_CENTRE, MSGPOS_SELF_CENTRE, MSGPOS_HERO_CENTRE, MSGPOS_SCREEN,
                                            MSGPOS_STAGE};
constexpr std::int32_t kNaturalSize = 100;
constexpr std::int32_t kOverCharacters = 1;  // picture layer: over the characters

// The three commands keep the place code, the blocks and the offsets in five parameters
// in a row, from nFirst.
void PutPlace(std::vector<std::int32_t>& p, int nFirst, std::int32_t nMode, const cOverlayPlace& place) {
  const std::int32_t values[] = {nMode, place.nBlockX, place.nBlockY, place.nOffsetX, place.nOffsetY};
  for (int i = 0; i < 5; ++i) p.at(static_cast<std::size_t>(nFirst + i)) = values[i];
}
static_assert(MSGP_OFFSET_Y == MSGP_POSITION + 4 && PICP_OFFSET_Y == PICP_POSITION + 4 &&
              EFP_OFFSET_Y == EFP_POSITION + 4);

constexpr std::int8_t kHeroSide = 0;
constexpr std::int8_t kCharaSide = 1;
constexpr std::int8_t kFacingRight = 1;

cPaletteBlock MakeBlock(const char* name, std::int8_t nHit) {
  cPaletteBlock block;
  block.m_strName = name;
  block.m_nGraphic = 1;
  block.m_nHit = nHit;
  return block;
}

cPaletteBlock MakeFootBlock(const char* name, std::int8_t nKind, std::int32_t nParam) {
  cPaletteBlock block = MakeBlock(name, kHitSolid);
  block.m_nFootKind = nKind;
  block.m_nFootParam = nParam;
  return block;
}

std::map<char, cPaletteBlock> DefaultBlockKinds() {
  std::map<char, cPaletteBlock> kinds;
  kinds['#'] = MakeBlock("wall", kHitSolid);
  kinds['X'] = MakeBlock("deadly", kHitHeroDies);
  // The pass side is the hero's side, set when the stage is built (the plan's hero may
  // change side).
  kinds['L'] = MakeBlock("pass", kHitSolid);
  kinds['J'] = MakeFootBlock("jump pad", kFootJump, kJumpPadHeight);
  kinds['N'] = MakeFootBlock("no jump", kFootNoJump, 0);
  kinds['F'] = MakeFootBlock("speed", kFootSpeed, kSpeedBlockPercent);
  kinds['<'] = MakeFootBlock("mover left", kFootMoveLeft, kMoverSpeed);
  kinds['>'] = MakeFootBlock("mover right", kFootMoveRight, kMoverSpeed);
  return kinds;
}

cPaletteChara MakeHero() {
  cPaletteChara hero;
  hero.m_strName = "hero";
  hero.m_nGraphic = 1;
  hero.m_nController = CHARACTRL_PLAYER;
  hero.m_nSide = kHeroSide;
  hero.m_nDirection = kFacingRight;
  hero.m_bFixedFacing = 0;
  hero.m_nCarryItem = -1;
  return hero;
}

cPaletteChara MakeChara() {
  cPaletteChara chara;
  chara.m_strName = "chara";
  chara.m_nGraphic = 1;
  chara.m_nController = CHARACTRL_COMPUTER;
  chara.m_nSide = kCharaSide;
  chara.m_nCarryItem = -1;
  return chara;
}

std::vector<std::string> BoxMap() {
  std::vector<std::string> rows;
  rows.emplace_back(20, '#');
  // Rows made whole rather than joined: GCC 12 takes the joined temporaries' moves for
  // reads past their end.
  std::string inner(20, '.');
  inner.front() = inner.back() = '#';
  for (int y = 1; y < 14; ++y) rows.push_back(inner);
  rows.emplace_back(20, '#');
  rows[13][2] = 'P';
  return rows;
}

void ApplyScroll(const cScrollPlan& axis, std::int32_t nCells, std::int32_t& bLimitStart, std::int32_t& bLimitEnd,
                 std::int32_t& nStart, std::int32_t& nEnd, std::int32_t& nMode, std::int32_t& nAuto) {
  bLimitStart = axis.bLimitStart ? 1 : 0;
  bLimitEnd = axis.bLimitEnd ? 1 : 0;
  nStart = axis.nStart;
  nEnd = axis.nEnd < 0 ? nCells - 1 : axis.nEnd;
  nMode = axis.bAuto ? 1 : 0;
  nAuto = axis.nAutoSpeed;
}

template <typename T>
void PlaceAt(std::vector<T>& placements, const T& definition, std::int32_t x, std::int32_t y) {
  T& entry = placements.emplace_back(definition);
  entry.m_nCellX = static_cast<std::int16_t>(x);
  entry.m_nCellY = static_cast<std::int16_t>(y);
}

cKeyCond KeyPressed(int nSlot) {
  cKeyCond key;
  key.m_bAnyHold = 1;
  key.m_nKeyMatch = KEYMATCH_ALL;
  key.m_vKey.at(static_cast<std::size_t>(nSlot)) = KEYSLOT_PRESSED;
  return key;
}

}  // namespace

cStagePlan::cStagePlan()
    : vMap(BoxMap()), BlockKinds(DefaultBlockKinds()), Hero(MakeHero()), Chara(MakeChara()),
      dGravity(cStageData().m_dGravity) {}

std::int32_t PlanWidth(const cStagePlan& plan) {
  std::size_t width = 0;
  for (const std::string& row : plan.vMap) width = std::max(width, row.size());
  return static_cast<std::int32_t>(width);
}

std::int32_t PlanHeight(const cStagePlan& plan) { return static_cast<std::int32_t>(plan.vMap.size()); }

cStageData BuildPlannedStage(const cStagePlan& plan) {
  cStageData stage;
  stage.m_vText.clear();
  const std::int32_t width = PlanWidth(plan);
  const std::int32_t height = PlanHeight(plan);
  stage.m_nWidth = width;
  stage.m_nHeight = height;
  stage.m_nPixelWidth = width * 32;
  stage.m_nPixelHeight = height * 32;
  ApplyScroll(plan.ScrollX, width, stage.m_bLimitLeft, stage.m_bLimitRight, stage.m_nLimitLeft, stage.m_nLimitRight,
              stage.m_nScrollModeX, stage.m_nAutoScrollX);
  ApplyScroll(plan.ScrollY, height, stage.m_bLimitTop, stage.m_bLimitBottom, stage.m_nLimitTop, stage.m_nLimitBottom,
              stage.m_nScrollModeY, stage.m_nAutoScrollY);
  stage.m_dGravity = plan.dGravity;
  stage.m_nCollisionLevel = plan.nCollisionLevel;
  stage.m_nHitChecksPerFrame = plan.nHitChecksPerFrame;
  stage.m_nStageFps = plan.nFps;
  stage.m_bTimeLimit = plan.bTimeLimit ? 1 : 0;
  stage.m_nTimeLimit = plan.nTimeLimit;
  stage.m_bStageBanner = plan.bStageBanner ? 1 : 0;
  stage.m_bStartBanner = plan.bStartBanner ? 1 : 0;
  stage.m_bClearBanner = plan.bClearBanner ? 1 : 0;
  stage.m_bGameOverBanner = plan.bGameOverBanner ? 1 : 0;
  stage.m_bClearAutoAdvance = plan.bClearAutoAdvance ? 1 : 0;
  stage.m_OutRange = plan.OutRange;

  // Each block kind the map uses becomes a stage definition; the placements are copies
  // of it, as the authoring tool stores them.
  std::map<char, cPaletteBlock> kinds = plan.BlockKinds;
  if (auto pass = kinds.find('L'); pass != kinds.end()) pass->second.m_nPassSide = plan.Hero.m_nSide;
  std::map<char, bool> defined;
  for (std::int32_t y = 0; y < height; ++y) {
    const std::string& row = plan.vMap[static_cast<std::size_t>(y)];
    for (std::int32_t x = 0; x < static_cast<std::int32_t>(row.size()); ++x) {
      const char letter = row[static_cast<std::size_t>(x)];
      if (letter == 'P') {
        PlaceAt(stage.m_vCharaPlace, plan.Hero, x, y);
      } else if (letter == 'C') {
        PlaceAt(stage.m_vCharaPlace, plan.Chara, x, y);
      } else if (auto chara = plan.CharaKinds.find(letter); chara != plan.CharaKinds.end()) {
        PlaceAt(stage.m_vCharaPlace, chara->second, x, y);
      } else if (auto item = plan.ItemKinds.find(letter); item != plan.ItemKinds.end()) {
        PlaceAt(stage.m_vItemPlace, item->second, x, y);
      } else if (auto kind = kinds.find(letter); kind != kinds.end()) {
        if (!defined[letter]) {
          stage.m_vBlockDef.push_back(kind->second);
          defined[letter] = true;
        }
        PlaceAt(stage.m_vBlockPlace, kind->second, x, y);
      }
    }
  }
  // The hero comes first among the characters, wherever its row is: the placements keep
  // the map's order otherwise.
  std::stable_partition(stage.m_vCharaPlace.begin(), stage.m_vCharaPlace.end(),
                        [](const cPaletteChara& chara) { return chara.m_nController == CHARACTRL_PLAYER; });
  stage.m_vCharaDef.push_back(plan.Hero);
  stage.m_vCharaDef.push_back(plan.Chara);
  for (const auto& [letter, chara] : plan.CharaKinds) stage.m_vCharaDef.push_back(chara);
  for (const auto& [letter, item] : plan.ItemKinds) stage.m_vItemDef.push_back(item);
  stage.SetCollisionLevel(plan.nCollisionLevel);
  return stage;
}

cGameContent PlannedGame(const std::vector<cStagePlan>& plans) {
  cGameContent game;
  game.Stages.clear();
  for (const cStagePlan& plan : plans) {
    cGameStage& stage = game.Stages.emplace_back();
    stage.strName = plan.strName;
    stage.Prepared = BuildPlannedStage(plan);
  }
  return game;
}

int WritePlannedGame(const std::vector<cStagePlan>& plans, const std::string& folder) {
  return WriteGame(PlannedGame(plans), folder);
}

cFlow MakeWalkFlow(std::int16_t nSpeed, std::int16_t nTime) {
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  // Hold mode: the walk starts again whenever it is idle while a direction stays held.
  flow.m_bKeyRepeat = 1;
  flow.m_vKeyCond.push_back(KeyPressed(kKeySlotAnyDirection));
  flow.m_vCmd.push_back(MakeStraightMove(kMoveDirKey, nSpeed, nTime));
  return flow;
}

cFlow MakeButtonFlow(int nButton, const std::vector<cFlowCmd>& vCmd) {
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  // Edge mode: one start per press; a button kept down does not start it again.
  flow.m_bKeyRepeat = 0;
  flow.m_vKeyCond.push_back(KeyPressed(kKeySlotButton1 + std::clamp(nButton, 1, 8) - 1));
  flow.m_vCmd = vCmd;
  return flow;
}

cFlow MakeJumpFlow(int nButton, std::int8_t nHeight, bool bKeyHeight) {
  cFlowCmd jump = MakeJumpCmd(nHeight);
  jump.m_vParam.at(kJumpParamMode) = bKeyHeight ? kJumpKeyHeight : kJumpFixedHeight;
  return MakeButtonFlow(nButton, {jump});
}

void GiveWalkAndJump(cPaletteChara& hero, std::int16_t nSpeed, std::int8_t nHeight, std::int16_t nWalkTime) {
  hero.m_vFlow.push_back(MakeWalkFlow(nSpeed, nWalkTime));
  hero.m_vFlow.push_back(MakeJumpFlow(1, nHeight));
}

cFlowCmd MakeStraightMove(std::int8_t nDir, std::int16_t nSpeed, std::int16_t nTime) {
  cFlowCmd move;
  move.m_nKind = FLOWCMD_MOVE_STRAIGHT;
  move.m_nTime = nTime;
  CreateEdMove(move.m_pMove);
  move.m_pMove->m_nMode = kMoveByDirection;
  move.m_pMove->m_nDir = nDir;
  move.m_pMove->m_nSpeed = nSpeed;
  move.Normalize();
  return move;
}

cFlowCmd MakeJumpCmd(std::int8_t nHeight) {
  cFlowCmd jump;
  jump.m_nKind = FLOWCMD_JUMP;
  jump.Normalize();  // sizes the parameter list for the kind
  jump.m_vParam.at(kJumpParamMode) = kJumpFixedHeight;
  jump.m_vParam.at(kJumpParamHeight) = nHeight;
  return jump;
}

cFlowCmd MakeWaitCmd(std::int16_t nTime) {
  cFlowCmd wait;
  wait.m_nKind = FLOWCMD_WAIT;
  wait.m_nTime = nTime;
  wait.Normalize();
  return wait;
}

cFlowCmd MakeTurnCmd(std::int32_t nChoice, std::int16_t nTime) {
  cFlowCmd turn;
  turn.m_nKind = FLOWCMD_TURN;
  turn.m_nTime = nTime;
  turn.Normalize();
  turn.m_vParam.at(0) = nChoice;
  return turn;
}

cFlow MakeLoopingFlow(const std::vector<cFlowCmd>& vCmd) {
  cFlow flow;
  flow.m_nTrigger = FLOWTRIG_ALWAYS;
  flow.m_vCmd = vCmd;
  return flow;
}

cFlowCmd MakeMessageCmd(const std::string& text, const cOverlayPlace& place, std::int16_t nTenths, bool bWait) {
  cFlowCmd message;
  message.m_nKind = FLOWCMD_MESSAGE;
  message.Normalize();
  message.m_sText = text;
  std::vector<std::int32_t>& p = message.m_vParam;
  PutPlace(p, MSGP_POSITION, kMessagePlaceOf[std::clamp(place.nMode, 0, 4)], place);
  p.at(MSGP_DISPLAY) = nTenths > 0 ? MSGDISP_TIME : MSGDISP_KEY;
  p.at(MSGP_TIME) = nTenths;
  p.at(MSGP_WAIT) = bWait ? 1 : 0;
  p.at(MSGP_FRAMED) = 1;
  return message;
}

cFlowCmd MakePictureCmd(std::int32_t nEntry, const cOverlayPlace& place, std::int16_t nTenths, bool bWait) {
  cFlowCmd picture;
  picture.m_nKind = FLOWCMD_PICTURE;
  picture.Normalize();
  std::vector<std::int32_t>& p = picture.m_vParam;
  p.at(PICP_ENTRY) = nEntry;
  PutPlace(p, PICP_POSITION, place.nMode, place);
  p.at(PICP_LAYER) = kOverCharacters;
  p.at(PICP_SCALE) = kNaturalSize;
  p.at(PICP_DISPLAY) = nTenths > 0 ? MSGDISP_TIME : MSGDISP_KEY;
  p.at(PICP_TIME) = nTenths;
  p.at(PICP_WAIT) = bWait ? 1 : 0;
  return picture;
}

cFlowCmd MakeEffectCmd(std::int32_t nEntry, const cOverlayPlace& place, bool bWait) {
  cFlowCmd effect;
  effect.m_nKind = FLOWCMD_EFFECT;
  effect.Normalize();
  std::vector<std::int32_t>& p = effect.m_vParam;
  p.at(EFP_ENTRY) = nEntry;
  PutPlace(p, EFP_POSITION, place.nMode, place);
  p.at(EFP_SCALE) = kNaturalSize;
  p.at(EFP_WAIT) = bWait ? 1 : 0;
  return effect;
}
