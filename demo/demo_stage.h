#pragma once
// The demo game's first stage: a short walk with steps to climb, gaps to jump and a low
// ceiling, played with the arrow keys and the decision button (jump).
#include "writers/stage_writer.h"

// The plan of data\stg4\stage1.stg4_811.
cStagePlan DemoFirstStage();
