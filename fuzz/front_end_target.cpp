// Fuzz target: the front end played from the title. The input (fuzz/play_harness.h)
// holds the script of the player's input and four files: System.dat, the world map, story
// slot 1 and the challenge file. System.dat and the world map are loaded as start-up
// loads them, the saves where the title and the map menu read them, and the game runs
// from its title for a few hundred frames: the menus, the map, and the stages chosen.
#include <string>

#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/play_harness.h"
#include "shell/game_mgr.h"

namespace {

constexpr const char* kFrontSystemPath = "data\\System.dat";
// Enough for the title, a menu or two and the map's walk to a stage.
constexpr int kFrontFrames = 300;

std::string g_strFrontSlotPath;

}  // namespace

void FuzzSetUp() {
  fuzz::StartDemoGame();
  char path[MAX_PATH];
  GetStoryFileName(path, 0);
  g_strFrontSlotPath = path;
  for (const char* file : {kFrontSystemPath, kWorldMapPath, g_strFrontSlotPath.c_str(), kChallengeFilePath})
    fuzz::KeepGameFile(file);
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  const fuzz::cPlayInput input = fuzz::SplitPlayInput(data, size, 4);
  fuzz::ResetPlay(input.strScript);
  fuzz::PutGameFile(kFrontSystemPath, input.vParts[0]);
  fuzz::PutGameFile(kWorldMapPath, input.vParts[1]);
  fuzz::PutGameFile(g_strFrontSlotPath.c_str(), input.vParts[2]);
  fuzz::PutGameFile(kChallengeFilePath, input.vParts[3]);
  if (!input.vParts[0].empty()) {
    g_SystemData = cSystemData();
    if (!g_SystemData.LoadFromFile(kFrontSystemPath)) {
      fuzz::CheckFailureReported(kFrontSystemPath);
      return;
    }
  }
  if (!input.vParts[1].empty()) {
    g_WorldMap = cWorldMap();
    if (!g_WorldMap.LoadFromFile(kWorldMapPath)) {
      fuzz::CheckFailureReported(kWorldMapPath);
      return;
    }
  }
  g_GameMgr.m_nScene = SCENE_TITLE;
  fuzz::RunFrames(kFrontFrames);
}
