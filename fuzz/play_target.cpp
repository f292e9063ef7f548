// Fuzz target: a stage played. The input (fuzz/play_harness.h) holds the script of the
// player's input, System.dat and the stage file; the stage is loaded as a stage named on
// the command line is and played for a few hundred frames, drawn as the player draws it.
// A failed load must say why, with a box or a report line; play must stay within what the
// sanitizers allow whatever numbers the files hold.
#include "data/save/progress.h"
#include "data/system/system_data.h"
#include "frontend/free_stage.h"
#include "fuzz/fuzz_driver.h"
#include "fuzz/play_harness.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "data/save/play_mode.h"

namespace {

constexpr const char* kPlayStagePath = "data\\stg4\\fuzz.stg4_811";
constexpr const char* kPlayDemoStagePath = "data\\stg4\\stage1.stg4_811";
constexpr const char* kPlaySystemPath = "data\\System.dat";
// Enough for the fade-in, the start banner and some seconds of play.
constexpr int kPlayFrames = 200;

}  // namespace

void FuzzSetUp() { fuzz::StartDemoGame(); }

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  const fuzz::cPlayInput input = fuzz::SplitPlayInput(data, size, 2);
  fuzz::ResetPlay(input.strScript);
  const std::vector<std::uint8_t>& system = input.vParts[0];
  if (!system.empty()) {
    fuzz::WriteFile(kPlaySystemPath, system.data(), system.size());
    g_SystemData = cSystemData();
    if (!g_SystemData.LoadFromFile(kPlaySystemPath)) {
      fuzz::CheckFailureReported(kPlaySystemPath);
      return;
    }
  }
  const std::vector<std::uint8_t>& stage = input.vParts[1];
  const char* path = kPlayDemoStagePath;
  if (!stage.empty()) {
    fuzz::WriteFile(kPlayStagePath, stage.data(), stage.size());
    path = kPlayStagePath;
  }
  // As a stage named on the command line starts.
  g_bStartStage = 1;
  if (!StartFreeStage(path, 0)) {
    fuzz::CheckFailureReportedOrShown(path);
    return;
  }
  g_Progress.m_bSeries = 0;
  g_GameMgr.m_bRanking = 1;
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nPlayMode = PLAYMODE_FREE;
  g_GameMgr.m_nScene = SCENE_GAME;
  fuzz::RunFrames(kPlayFrames);
}
