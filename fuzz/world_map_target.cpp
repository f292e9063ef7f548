// Fuzz target: data\WorldMap.dat, the world map of a story game.
#include "data/worldmap/world_map.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"


void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kWorldMapPath, data, size);
  g_WorldMap = cWorldMap();
  if (!g_WorldMap.LoadFromFile(kWorldMapPath)) {
    fuzz::CheckFailureReported(kWorldMapPath);
    return;
  }
  fuzz::CheckRoundTrip(g_WorldMap, [] { g_WorldMap = cWorldMap(); }, kWorldMapPath);
}
