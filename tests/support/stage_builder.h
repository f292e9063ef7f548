#pragma once
// Builds stages of a chosen size in memory, for tests and benchmarks: a block in every
// cell, character placements that inherit their flows from one character definition,
// and a few items.
#include <cstdint>
#include <vector>

#include "data/stage/stage_data.h"

struct cStageShape {
  std::int32_t nWidth = 1000;       // blocks
  std::int32_t nHeight = 100;       // blocks
  bool bFillBlocks = true;          // one block placement in every cell
  std::int32_t nCharaPlacements = 500;
  std::int32_t nItemPlacements = 10;
  std::int32_t nFlowsPerChara = 10;     // flows of character definition 1
  std::int32_t nCommandsPerFlow = 10;
  // Placements name character definition 1 and inherit its flows when read; with this
  // set they also hold copies of the flows themselves, as a resolved entry does.
  bool bPlacementsHoldFlows = false;
};

// Makes `stage` a new stage of the given shape (not yet normalised). Definition 1 of each
// list is a block, character or item with a graphic; character placement 0 is the hero
// (player-controlled), the others are computer-controlled.
void BuildStage(cStageData& stage, const cStageShape& shape);

// The whole file of such a stage: the version word, then the stage body. The stage is
// built in g_StageData, whose definitions the placements' references name, and stays
// there.
std::vector<std::uint8_t> BuildStageFile(const cStageShape& shape);
