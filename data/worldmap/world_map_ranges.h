#pragma once
// The ranges of the world map's numbers that the world-map scene computes with (see
// member_ranges.h).
#include <string>

#include "data/worldmap/world_map.h"

// Brings every such number into its range, one report line per repair naming `file`
// (none when it is empty). The ends beyond the map are the map's own rule (Normalize):
// a start cell is pulled back inside, a world is dropped.
void ClampWorldMapRanges(cWorldMap& map, const std::string& file);
