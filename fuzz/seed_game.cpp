#include "fuzz/seed_game.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/stage_builder.h"

cGameContent SeedGame() {
  cGameContent game;
  cStageShape shape;
  shape.nWidth = 24;
  shape.nHeight = 12;
  shape.nCharaPlacements = 3;
  shape.nItemPlacements = 2;
  shape.nFlowsPerChara = 2;
  shape.nCommandsPerFlow = 4;
  cGameStage& stage = game.Stages.emplace_back();
  stage.strName = "flows";
  BuildStage(stage.Prepared.emplace(), shape);
  return game;
}

namespace {

[[noreturn]] void SeedFailed(const char* what) {
  std::fprintf(stderr, "seed game: %s\n", what);
  std::abort();
}

}  // namespace

void WriteAndLoadSeedGame() {
  if (!WriteGame(SeedGame())) SeedFailed("cannot be written");
  if (!g_Database.Load()) SeedFailed("its databases do not load");
  if (!LoadCommonPalette()) SeedFailed("its common palette does not load");
}
