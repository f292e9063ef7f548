#pragma once
// The game that the fuzz targets' seeds come from, and that stands around the fuzzed file
// while a target runs: the small game of the test writers, with a second stage whose
// characters carry flows of commands.
#include "tests/support/game_writer.h"

cGameContent SeedGame();

// Writes the seed game into the current folder and loads its databases and common
// palette into the globals, whose lists the readers repair references against; aborts
// when it cannot.
void WriteAndLoadSeedGame();
