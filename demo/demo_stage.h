#pragma once
// The demo game's first stage: a short walk with steps to climb, gaps to jump and a low
// ceiling, played with the arrow keys and the decision button (jump), with characters
// that patrol, hop and dash at the hero when it comes near.
#include "writers/stage_writer.h"

// The plan of data\stg4\stage1.stg4_811.
cStagePlan DemoFirstStage();

// The stage's characters by their map letters, each driven by its own flows:
// 'W' walks back and forth, 'H' hops in place, 'R' turns to the hero and dashes at it
// while the hero is within kDemoReactRange half-blocks.
constexpr std::int32_t kDemoReactRange = 8;
cPaletteChara DemoWalker();
cPaletteChara DemoHopper();
cPaletteChara DemoReactor();
