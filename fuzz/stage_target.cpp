// Fuzz target: a stage file, read into the stage that stage play builds from.
#include "data/stage/stage_data.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

constexpr const char* kPath = "data\\stg4\\fuzz.stg4_811";

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  g_StageData = cStageData();
  if (!g_StageData.LoadFromFile(kPath)) {
    fuzz::CheckFailureReported(kPath);
    return;
  }
  fuzz::CheckRoundTrip(g_StageData, [] { g_StageData = cStageData(); }, kPath);
}
