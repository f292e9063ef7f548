#pragma once
// The frame of the targets that play: the demo game started as the player starts it
// (start-up on a hidden main window, SDL's dummy drivers, silent sound, box glyphs for
// the fonts), then for each input frames of the game manager run one after another, as the
// game thread runs them, with input record 0 from a script the input chose.
//
// The inputs: fuzz/play_input.h.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/play_input.h"

namespace fuzz {

// Writes the demo game into the current folder and starts it up to its title; aborts when
// it cannot. The system data, world map and story state it loaded are kept as the state
// every input starts from.
void StartDemoGame();

// Puts back the state StartDemoGame left: no scene, the start-up's system data and world
// map, a new game's progress, no stage; installs the input's script.
void ResetPlay(const std::string& script);

// A file of the game an input may replace: StartDemoGame's bytes of it are kept (or that
// it was missing), and PutGameFile writes the input's part in its place, or, for an empty
// part, puts the kept file back.
void KeepGameFile(const char* programPath);
void PutGameFile(const char* programPath, const std::vector<std::uint8_t>& part);

// Runs up to nFrames game-manager frames from the scene set in g_GameMgr (fewer when the
// game asks to close), then deletes the scenes.
void RunFrames(int nFrames);

}  // namespace fuzz
