// Fuzz target: data\CommonPalette.cplt4, the palette every stage shares. It is read into
// g_CommonPalette, as at start-up: its repairs read the lists of that palette.
#include "data/palette/palette.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

constexpr const char* kFirst = "data\\first.cplt4";
constexpr const char* kSecond = "data\\second.cplt4";

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kCommonPalettePath, data, size);
  g_CommonPalette = cPalette();
  if (!g_CommonPalette.LoadFromFile(kCommonPalettePath)) {
    fuzz::CheckFailureReported(kCommonPalettePath);
    return;
  }
  if (!g_CommonPalette.SaveToFile(kFirst)) fuzz::Fail("a loaded palette saves", kFirst);
  g_CommonPalette = cPalette();
  if (!g_CommonPalette.LoadFromFile(kFirst)) fuzz::Fail("a saved palette loads back", kFirst);
  if (!g_CommonPalette.SaveToFile(kSecond)) fuzz::Fail("a loaded palette saves", kSecond);
  fuzz::CheckSameBytes(fuzz::ReadFile(kFirst), fuzz::ReadFile(kSecond), kCommonPalettePath);
}
