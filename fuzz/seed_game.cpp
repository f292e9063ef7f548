#include "fuzz/seed_game.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/stage_builder.h"

namespace {

// A story game some way in: lives, score, a cleared stage with its best value, variables
// and carried values that differ from a new game's.
cProgress SeedProgress() {
  cProgress progress;
  progress.m_nMapX = 1;
  progress.m_nLives = 3;
  progress.m_nScore = 1234;
  progress.m_nStage = 1;
  progress.m_nSubStage = 1;
  progress.m_strStageName = "stage1.";
  progress.m_strRankKey = "stage1.";
  progress.UpdateStageScore("stage1.", "stage1.", 0, 0, 0, 500);
  progress.m_ClearFlags.at(1) = 1;
  progress.m_Vars.at(7) = -42;
  progress.m_CarriedFlags.at(2) = 1;
  progress.m_ChallengeState.resize(1);
  progress.m_ChallengeState[0].m_bCleared = 1;
  progress.m_ChallengeState[0].m_nHigh = 900;
  return progress;
}

}  // namespace

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

  cOptionData& options = game.Options.emplace();
  options.m_nPaletteVariant = 3;
  options.m_nSeLevel = 5;
  options.m_nRankRegMode = RANKREG_AUTO_FIXED_NAME;
  options.m_strRankName = "bob";
  game.StorySlots.push_back({0, SeedProgress()});
  game.Challenge = SeedProgress();
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
  if (!g_SystemData.LoadFromFile("data\\System.dat")) SeedFailed("its system data does not load");
  if (!g_Database.Load()) SeedFailed("its databases do not load");
  if (!LoadCommonPalette()) SeedFailed("its common palette does not load");
  if (!g_WorldMap.LoadFromFile(kWorldMapPath)) SeedFailed("its world map does not load");
}
