// Fuzz target: user_data\Option.dat, the player's own settings.
#include "data/option/option_data.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kOptionFilePath, data, size);
  g_OptionData = cOptionData();
  if (!g_OptionData.LoadFromFile(kOptionFilePath)) {
    fuzz::CheckFailureReported(kOptionFilePath);
    return;
  }
  fuzz::CheckRoundTrip(g_OptionData, [] { g_OptionData = cOptionData(); }, kOptionFilePath);
}
