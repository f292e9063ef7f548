#pragma once
// The demo game: a complete small game of the project's own, written by the program
// through the records' writers. System.dat, the ten databases, the world map, the common
// palette and two stages; System.ini for a windowed Direct3D start; every picture the
// player needs at start, drawn here, and the 8-bit display's blend tables; sound effects
// and a title song made here.
#include <string>
#include <vector>

#include "writers/game_writer.h"

constexpr const char* kDemoGameTitle = "Tovrel Demo";

// The demo game's content as WriteDemoGame writes it, for tests that play it with changes.
cGameContent DemoGameContent();
// Writes the demo game into the current folder. 1 when every file was written.
int WriteDemoGame();
// The files WriteDemoGame writes, as program paths.
std::vector<std::string> DemoGameFiles();
