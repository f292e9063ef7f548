// Fuzz target: data\System.dat, the game-wide settings.
#include "data/system/system_data.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

constexpr const char* kPath = "data\\System.dat";

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  cSystemData system;
  if (!system.LoadFromFile(kPath)) {
    fuzz::CheckFailureReported(kPath);
    return;
  }
  fuzz::CheckRoundTrip(system, [&] { system = cSystemData(); }, kPath);
}
