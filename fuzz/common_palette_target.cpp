// Fuzz target: data\CommonPalette.cplt4, the palette every stage shares. It is read into
// g_CommonPalette, as at start-up: its repairs read the lists of that palette.
#include "data/palette/palette.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"


void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kCommonPalettePath, data, size);
  g_CommonPalette = cPalette();
  if (!g_CommonPalette.LoadFromFile(kCommonPalettePath)) {
    fuzz::CheckFailureReported(kCommonPalettePath);
    return;
  }
  fuzz::CheckRoundTrip(g_CommonPalette, [] { g_CommonPalette = cPalette(); }, kCommonPalettePath);
}
