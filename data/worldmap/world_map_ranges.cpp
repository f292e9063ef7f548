#include "data/worldmap/world_map_ranges.h"

#include <climits>
#include <cstdint>

#include "data/record/member_ranges.h"
#include "data/save/progress.h"

namespace {

// Cells are counted from 0; the map's width and height bound them from above.
constexpr cIntRange<cWorldMap> kWorldMapIntRanges[] = {
    {"m_nStartX", &cWorldMap::m_nStartX, 0, INT32_MAX},
    {"m_nStartY", &cWorldMap::m_nStartY, 0, INT32_MAX},
};

constexpr cIntRange<cWorld> kWorldIntRanges[] = {
    {"m_nWorldX", &cWorld::m_nWorldX, 0, INT32_MAX},
    {"m_nWorldY", &cWorld::m_nWorldY, 0, INT32_MAX},
};

// Numbers of the save data's clear flags and variables: 0 names none (clear flag 0 is
// always set), and a game has 1000 clear flags and 1001 variables.
constexpr auto kWorldMapLastFlag = static_cast<std::int32_t>(kNewGameClearFlags - 1);
constexpr auto kWorldMapLastVar = static_cast<std::int32_t>(kNewGameVars - 1);
constexpr cIntRange<cWorldStage> kWorldStageIntRanges[] = {
    {"m_nStageNo", &cWorldStage::m_nStageNo, 0, kWorldMapLastFlag},
    {"m_nReqSwitch", &cWorldStage::m_nReqSwitch, 0, kWorldMapLastFlag},
    {"m_nReqVar", &cWorldStage::m_nReqVar, 0, kWorldMapLastVar},
};

}  // namespace

void ClampWorldMapRanges(cWorldMap& map, const std::string& file) {
  const cRangeSource source{file.c_str()};
  ClampIntoRanges<cWorldMap>(map, kWorldMapIntRanges, source);
  for (std::size_t i = 0; i < map.m_vWorld.size(); ++i) {
    cWorld& world = map.m_vWorld[i];
    const cRangeSource worldSource = source.Element("m_vWorld", i);
    ClampIntoRanges<cWorld>(world, kWorldIntRanges, worldSource);
    for (std::size_t j = 0; j < world.m_vStage.size(); ++j)
      ClampIntoRanges<cWorldStage>(world.m_vStage[j], kWorldStageIntRanges, worldSource.Element("m_vStage", j));
  }
}
