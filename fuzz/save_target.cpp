// Fuzz target: a save file, loaded as the game loads it: a story slot
// (user_data\story\Story01.dat) or, with FUZZ_CHALLENGE, the challenge file. The saves
// fit themselves to the seed game's world map and system data around them.
#include <string>

#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"

namespace {

std::string g_strPath;

#ifdef FUZZ_CHALLENGE
int Load(cProgress& progress) { return progress.LoadChallenge(); }
#else
int Load(cProgress& progress) { return progress.LoadSlot(0); }
#endif

}  // namespace

void FuzzSetUp() {
  WriteAndLoadSeedGame();
#ifdef FUZZ_CHALLENGE
  g_strPath = kChallengeFilePath;
#else
  char path[MAX_PATH];
  GetStoryFileName(path, 0);
  g_strPath = path;
#endif
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  const char* path = g_strPath.c_str();
  fuzz::BeginInput();
  fuzz::WriteFile(path, data, size);
  cProgress progress;
  if (!Load(progress)) {
    fuzz::CheckFailureReported(path);
    return;
  }
  // Saved as a slot is, without taking a new save time.
  fuzz::CheckRoundTrip(progress, [&] { progress = cProgress(); }, path);
}
