#pragma once
// The game that the fuzz targets' seeds come from, and that stands around the fuzzed file
// while a target runs: the small game of the test writers, with a second stage whose
// characters carry flows of commands, and the player's own files: options, a story slot
// and the challenge file.
#include "tests/support/game_writer.h"

cGameContent SeedGame();

// Writes the seed game into the current folder and loads its system data, databases,
// common palette and world map into the globals, as start-up does (the readers repair
// references against them, and a save fits itself to the map); aborts when it cannot.
void WriteAndLoadSeedGame();
