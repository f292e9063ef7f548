// Fuzz target: a stage loaded for play (the integrity check, the read on the load thread,
// the hero test and the pristine copy), which is also how a replay's stage is loaded. A
// failed load must say why, with a box or a report line; a loaded stage is recorded as a
// replay, which must load for play again and record to the same bytes.
#include <vector>

#include "data/save/progress.h"
#include "data/stage/stage_load.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/replay_body.h"
#include "fuzz/seed_game.h"

namespace {

constexpr const char* kPath = "data\\stg4\\fuzz.stg4_811";
constexpr const char* kReplay = "user_data\\fuzz.rpl4_811";

std::vector<std::uint8_t> LoadAndRecord(const char* path) {
  g_StageData = cStageData();
  g_StageDataOrg = cStageData();
  if (!LoadStageForPlay(path, 0, &g_StageDataOrg)) return {};
  cProgress progress;
  return ReplayBytes(g_StageData, g_StageDataOrg, progress);
}

}  // namespace

void FuzzSetUp() { WriteAndLoadSeedGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kPath, data, size);
  const std::vector<std::uint8_t> first = LoadAndRecord(kPath);
  if (first.empty()) {
    fuzz::CheckFailureReportedOrShown(kPath);
    return;
  }
  fuzz::WriteFile(kReplay, first.data(), first.size());
  const std::vector<std::uint8_t> second = LoadAndRecord(kReplay);
  if (second.empty()) fuzz::Fail("a recorded replay loads for play", kReplay);
  fuzz::CheckSameBytes(first, second, kPath);
}
