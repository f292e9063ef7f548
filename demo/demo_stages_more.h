#pragma once
// The demo game's opening stage: a short walk over a meadow to a goal flag. Taking the
// flag clears the stage, so the story goes on to its ranking and back to the world map,
// where the next stage opens.
#include "writers/stage_writer.h"

// The plan of data\stg4\meadow.stg4_811.
cStagePlan DemoMeadowStage();

// The goal flag, the map letter 'G': an item that clears the stage when the hero takes
// it, sending the story back to the world map.
constexpr char kDemoGoalLetter = 'G';
cPaletteItem DemoGoalFlag();
