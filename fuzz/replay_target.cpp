// Fuzz target: a replay file, loaded as the main window's open request loads one (the
// stage body, the replay's own records and the progress record). A refused file must say
// why, with a box or a report line, and change nothing; a loaded replay saves, loads back
// and saves again to the same bytes.
#include <vector>

#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/seed_game.h"
#include "stage/replay.h"
#include "stage/replay_files.h"

namespace {

constexpr const char* kPath = "user_data\\fuzz.rpl4_811";
constexpr const char* kSaved = "user_data\\saved.rpl4_811";

// Loads `path` into fresh records and saves them to kSaved; the saved bytes, or nothing
// when the file was refused.
std::vector<std::uint8_t> LoadAndSave(const char* path, bool& bLoaded) {
  cReplay replay;
  cStageData stage;
  cStageData pristine;
  cProgress progress;
  bLoaded = LoadReplay(replay, path, stage, pristine, progress) != 0;
  if (!bLoaded) return {};
  if (SaveReplay(replay, kSaved, stage, pristine, progress) == 0) fuzz::Fail("a loaded replay saves", path);
  return fuzz::ReadFile(kSaved);
}

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  bool bLoaded = false;
  const std::vector<std::uint8_t> first = LoadAndSave(kPath, bLoaded);
  if (!bLoaded) {
    fuzz::CheckFailureReportedOrShown(kPath);
    return;
  }
  fuzz::WriteFile(kPath, first.data(), first.size());
  const std::vector<std::uint8_t> second = LoadAndSave(kPath, bLoaded);
  if (!bLoaded) fuzz::Fail("a saved replay loads again", kPath);
  fuzz::CheckSameBytes(first, second, kPath);
}
