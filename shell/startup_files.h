#pragma once
// The files of a game folder without which start-up fails: the ten databases, the system
// data, the world map, the common palette, and every picture of the fixed surface table
// whose failure is not quiet (the palette picture first). System.ini, sounds, music and
// the optional pictures (character sheets 2-8, backgrounds) only change what is shown
// or heard.
#include <string>
#include <vector>

// Program paths, each once, in the order start-up needs them.
std::vector<std::string> MandatoryGameFiles();
