#pragma once
// The ranges of the stage's numbers that play computes with (see member_ranges.h).
#include <string>

#include "data/stage/stage_data.h"

// Brings every such number of the settings, the out-of-screen ranges and the backgrounds
// into its range, one report line per repair naming `file` (none when it is empty).
void ClampStageRanges(cStageData& stage, const std::string& file);
