#pragma once
// The ranges of the system record's numbers that the game computes with (see
// member_ranges.h).
#include <string>

#include "data/system/system_data.h"

// Brings every such number into its range, one report line per repair naming `file`
// (none when it is empty).
void ClampSystemRanges(cSystemData& system, const std::string& file);
