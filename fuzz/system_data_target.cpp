// Fuzz target: data\System.dat, the game-wide settings.
#include "data/system/system_data.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

constexpr const char* kPath = "data\\System.dat";
constexpr const char* kFirst = "data\\first.dat";
constexpr const char* kSecond = "data\\second.dat";

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
  if (!system.SaveToFile(kFirst)) fuzz::Fail("loaded system data saves", kFirst);
  cSystemData again;
  if (!again.LoadFromFile(kFirst)) fuzz::Fail("saved system data loads back", kFirst);
  if (!again.SaveToFile(kSecond)) fuzz::Fail("loaded system data saves", kSecond);
  fuzz::CheckSameBytes(fuzz::ReadFile(kFirst), fuzz::ReadFile(kSecond), kPath);
}
