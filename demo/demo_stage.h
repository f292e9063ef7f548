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
// The hero's shot: button 2 fires one straight ahead; where it hits, the sparkle effect
// plays.
cFlow DemoHeroShotFlow();

// Entries of the game's effect and picture databases the stage shows (demo_game).
constexpr std::int32_t kDemoSparkleEffect = 1;
constexpr std::int32_t kDemoHillsSignPicture = 1;
// What the hills show as play begins: the name board at the top for three seconds, a
// text window with the controls for four, and the sparkle on the hero.
constexpr std::int16_t kDemoSignTenths = 30;
constexpr std::int16_t kDemoHintTenths = 40;
// Two short lines: the message font gives every letter a whole cell.
constexpr const char* kDemoHint = "X shoots, Z jumps.\nTake the flag at the far end!";
cFlow DemoGreetingFlow();
