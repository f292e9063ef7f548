#pragma once
// Stages drawn as text, for tests and the demo game: a block map as rows of letters, the
// hero and its flows, characters placed without flows and the stage's play settings,
// written as a whole game folder through the game writer.
//
// Map letters (rows top first; a row shorter than the longest is empty to its end):
//   '.' or ' '  empty cell
//   '#'         solid block
//   'P'         the hero's cell (empty)
//   'C'         a computer character (the plan's Chara), on an empty cell
//   'X'         a block deadly to the hero (solid for computer characters)
//   'L'         a block the hero's side passes through (solid for every other side)
//   'J'         a jump pad: the hero standing on it jumps kJumpPadHeight half-blocks
//   'N'         a block on which the hero's jump key does nothing
//   'F'         a speed block (kSpeedBlockPercent % of the walking speed)
//   '<' / '>'   blocks that move the hero left / right (kMoverSpeed)
// Further letters can be given their own block in cStagePlan::BlockKinds, their own
// character in cStagePlan::CharaKinds or their own item in cStagePlan::ItemKinds.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/flow/flow.h"
#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/stage/screen_out_range.h"
#include "data/stage/stage_data.h"
#include "writers/game_writer.h"

// Parameters of the special blocks the map letters name.
constexpr int kJumpPadHeight = 6;        // half-blocks
constexpr int kSpeedBlockPercent = 50;   // of the command speed
constexpr int kMoverSpeed = 30;          // tenths of a dot per frame

// One scroll axis of a plan: the view's range in cells and automatic scrolling.
struct cScrollPlan {
  bool bLimitStart = false;  // the view stays after cell nStart
  bool bLimitEnd = false;    // the view stays before the end of cell nEnd
  std::int32_t nStart = 0;
  std::int32_t nEnd = 0;     // -1: the last cell of the map
  bool bAuto = false;
  std::int32_t nAutoSpeed = 0;  // tenths of a dot per frame
};

// A stage to write. A new plan is a 20 x 15 box of solid walls with the hero standing on
// the floor, no banners, no time limit and the stage's default physics.
struct cStagePlan {
  cStagePlan();

  std::string strName = "stage1";  // written as data\stg4\<strName>.stg4_811
  std::vector<std::string> vMap;
  // Blocks by map letter; the plan starts with the letters listed above.
  std::map<char, cPaletteBlock> BlockKinds;

  // The hero: player-controlled, side 0, facing right, free to turn, no flows.
  cPaletteChara Hero;
  // What 'C' places: a computer character of side 1 without flows.
  cPaletteChara Chara;
  // Further characters by map letter (a letter here wins over a block kind of the same
  // letter); each becomes a definition of the stage, after the hero and Chara.
  std::map<char, cPaletteChara> CharaKinds;
  // Items by map letter, on an empty cell; each becomes a definition of the stage.
  std::map<char, cPaletteItem> ItemKinds;

  std::int32_t nCollisionLevel = kDefaultCollisionLevel;
  double dGravity;                     // the stage default unless changed
  std::int32_t nHitChecksPerFrame = 0;
  std::int32_t nFps = 60;
  cScrollPlan ScrollX;
  cScrollPlan ScrollY;
  bool bTimeLimit = false;
  std::int32_t nTimeLimit = 0;  // seconds
  bool bStageBanner = false;    // the stage-number banner
  bool bStartBanner = false;    // the alternative start banner
  bool bClearBanner = false;
  bool bGameOverBanner = false;
  bool bClearAutoAdvance = false;
  std::array<cScreenOutRange, OUTRANGE_COUNT> OutRange{};
};

// The map's size in cells: the longest row and the number of rows.
std::int32_t PlanWidth(const cStagePlan& plan);
std::int32_t PlanHeight(const cStagePlan& plan);

// The stage of a plan, as the authoring tool would hold it before saving. Every letter
// that is neither a block kind, 'P', 'C', '.' nor ' ' is left empty.
cStageData BuildPlannedStage(const cStagePlan& plan);

// A whole game (the game writer's new game, every rule switch at its built-in default)
// whose stages are the plans' stages; its world map still names "stage1".
cGameContent PlannedGame(const std::vector<cStagePlan>& plans);

// Writes PlannedGame into `folder` (see WriteGame). 1 when every file was written.
int WritePlannedGame(const std::vector<cStagePlan>& plans, const std::string& folder = "");

// Key condition slots (cKeyCond::m_vKey) of the input's buttons: button 1 is bit 0 of the
// button word.
constexpr int kKeySlotAnyDirection = 9;
constexpr int kKeySlotButton1 = 11;

// The usual walk: a flow that runs while any direction is held (hold mode) and moves the
// character in the held direction at `nSpeed` tenths of a dot per frame for `nTime`
// tenths of a second (0: one sub-step per start).
cFlow MakeWalkFlow(std::int16_t nSpeed, std::int16_t nTime = 0);
// The usual jump: a flow that starts when button `nButton` (1 to 8) is pressed and jumps
// `nHeight` half-blocks; with `bKeyHeight` the height follows how long the button stays
// held, otherwise it is fixed.
cFlow MakeJumpFlow(int nButton, std::int8_t nHeight, bool bKeyHeight = true);
// A flow that starts once per press of button `nButton` (1 to 8) and runs `vCmd`.
cFlow MakeButtonFlow(int nButton, const std::vector<cFlowCmd>& vCmd);
// Gives `hero` the walk and the jump on button 1.
void GiveWalkAndJump(cPaletteChara& hero, std::int16_t nSpeed, std::int8_t nHeight, std::int16_t nWalkTime = 0);

// Commands for computer characters' flows. A straight move in direction `nDir` (a MOVEDIR
// code) at `nSpeed` tenths of a dot per frame for `nTime` tenths of a second.
cFlowCmd MakeStraightMove(std::int8_t nDir, std::int16_t nSpeed, std::int16_t nTime);
// A jump of a fixed `nHeight` half-blocks.
cFlowCmd MakeJumpCmd(std::int8_t nHeight);
// Doing nothing for `nTime` tenths of a second.
cFlowCmd MakeWaitCmd(std::int16_t nTime);
// A turn by the turn command's choice (0 left, 1 right, 2 toward target 1, ...) held for
// `nTime` tenths of a second; it acts only on characters with fixed facing.
cFlowCmd MakeTurnCmd(std::int32_t nChoice, std::int16_t nTime = 0);
// An always-flow of the given commands, run again whenever it ends.
cFlow MakeLoopingFlow(const std::vector<cFlowCmd>& vCmd);

// Where a message, picture or effect stands: by the commands' place codes (0 the screen
// centre, 1 the character that runs the command, 2 the hero, 3 screen blocks, 4 stage
// blocks), then moved by the offset in dots.
struct cOverlayPlace {
  std::int32_t nMode = 0;
  std::int32_t nBlockX = 0;
  std::int32_t nBlockY = 0;
  std::int32_t nOffsetX = 0;
  std::int32_t nOffsetY = 0;
};
// A framed text window of `text` shown for `nTenths` tenths of a second (0: until the
// advance key); with `bWait` the game is held while it shows.
cFlowCmd MakeMessageCmd(const std::string& text, const cOverlayPlace& place, std::int16_t nTenths, bool bWait);
// Picture database entry `nEntry` at its own size, shown for `nTenths` tenths of a second
// (0: until the advance key) over the characters; with `bWait` the game is held meanwhile.
cFlowCmd MakePictureCmd(std::int32_t nEntry, const cOverlayPlace& place, std::int16_t nTenths, bool bWait);
// Effect database entry `nEntry` played once at its own size; with `bWait` the game is
// held until it has played.
cFlowCmd MakeEffectCmd(std::int32_t nEntry, const cOverlayPlace& place, bool bWait);
