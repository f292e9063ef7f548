#pragma once
// Writes a whole game folder for tests (and the demo game) through the records' own
// writers: data\System.dat, the ten data\database\*.dat, data\CommonPalette.cplt4,
// data\WorldMap.dat and the stage files data\stg4\<name>.stg4_811; and, when the content
// holds them, the player's own files: user_data\Option.dat, story slots
// user_data\story\StoryNN.dat and user_data\challenge\Challenge.dat. A new cGameContent is
// a small, complete game without user files; a test changes what it needs in the records
// it holds.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/option/option_data.h"
#include "data/palette/palette.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"

// A cell of the stage map, in blocks.
struct cGameCell {
  std::int16_t nX = 0;
  std::int16_t nY = 0;
};

// One stage of the game. Unless `Prepared` is set, the stage is built from the numbers
// below: its palette holds definition 1 of each list (a block, a character and an item,
// each with graphic 1), and every placement is a copy of that definition in its cell.
struct cGameStage {
  std::string strName = "stage1";  // the file is data\stg4\<strName>.stg4_811
  std::int32_t nWidth = 20;        // blocks
  std::int32_t nHeight = 15;
  bool bFloor = true;              // a block in every cell of the bottom row
  std::vector<cGameCell> Blocks;   // further blocks
  std::vector<cGameCell> Charas = {{2, 13}};  // the first is the hero (player-controlled)
  std::vector<cGameCell> Items = {{10, 13}};
  // A stage made by the test, written as it is (its placements may name its own
  // definitions: it is written from g_StageData, as the authoring tool would).
  std::optional<cStageData> Prepared;
};

// A saved story game in slot `nSlot` (0 is Story01.dat).
struct cGameSlot {
  int nSlot = 0;
  cProgress Progress;
};

// A game: a new system record titled kGameTitle; every database with entry 1 named
// "<file name> 1" (for instance "Sound 1") after its entry 0; a common palette with
// block 1 "ground", characters 1 "hero" (player-controlled) and 2 "enemy", item 1
// "coin"; one stage "stage1"; a world map with one world "World 1" on the start cell
// whose one entry is the stage "stage1". No user files.
struct cGameContent {
  static constexpr const char* kGameTitle = "Test Game";

  cGameContent();

  cSystemData System;
  cDatabase Database;
  cPalette Palette;
  cWorldMap WorldMap;
  std::vector<cGameStage> Stages;

  // The player's own files, written when present.
  std::optional<cOptionData> Options;
  std::vector<cGameSlot> StorySlots;
  std::optional<cProgress> Challenge;
};

// The program path of stage file `name` inside a game folder: data\stg4\<name>.stg4_811.
std::string GameStagePath(const std::string& name);

// Makes the folders of a game in `folder` (a program path whose parent exists; empty:
// the current folder) and writes every file of `game` there. The records are written with
// the game's own databases, common palette and stage in the globals (g_Database,
// g_CommonPalette, g_StageData), whose references the writers repair against, as the
// authoring tool has them; those globals are restored afterwards. 1 when every file was
// written.
int WriteGame(const cGameContent& game, const std::string& folder = "");
