#pragma once
// The demo game's first stage: a short walk with steps to climb, gaps to jump and a low
// ceiling, played with the arrow keys, Z (jump) and X (shoot), with enemies that patrol,
// hop, dash at the hero and shoot, a moving platform and coins.
#include "writers/stage_writer.h"

// The plan of data\stg4\stage1.stg4_811.
cStagePlan DemoFirstStage();

// The stage's characters by their map letters, each driven by its own flows:
// 'W' walks back and forth, 'H' hops in place, 'R' turns to the hero and dashes at it
// while the hero is within kDemoReactRange half-blocks, 'S' fires at the hero every two
// seconds, 'M' is a platform (a block character) that glides to and fro over a gap.
// Every enemy hurts the hero by touch, takes two of the hero's shots (X) and scores
// kDemoEnemyScore. 'I' is a coin that adds kDemoCoinScore to the score.
constexpr std::int32_t kDemoReactRange = 8;
constexpr std::int32_t kDemoEnemyScore = 100;
constexpr std::int32_t kDemoCoinScore = 50;
cPaletteChara DemoWalker();
cPaletteChara DemoHopper();
cPaletteChara DemoReactor();
cPaletteChara DemoShooter();
cPaletteChara DemoPlatform();
cPaletteItem DemoCoin();
// The hero's shot: button 2 fires one straight ahead.
cFlow DemoHeroShotFlow();
