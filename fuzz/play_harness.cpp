#include "fuzz/play_harness.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "app/frame_timing.h"
#include "app/report_log.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_game.h"
#include "frontend/play_services_install.h"
#include "frontend/scene_install.h"
#include "fuzz/fuzz_driver.h"
#include "media/draw/glyph_ink.h"
#include "platform/audio_device.h"
#include "platform/host_files.h"
#include "platform/message_queue.h"
#include "platform/win_window.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "stage/scripted_input.h"
#include "tests/support/box_glyph_source.h"

namespace fuzz {
namespace {

constexpr const char* kPlayScriptFile = "fuzz_input.txt";

// What start-up loaded, put back before every input.
cSystemData g_StartSystemData;
cWorldMap g_StartWorldMap;
cBoxGlyphSource g_PlayGlyphs;
// The game's own bytes of the files inputs replace; none for a file the game lacks.
std::map<std::string, std::optional<std::vector<std::uint8_t>>> g_KeptGameFiles;

// Music and the other requests of stage play to the main window are left unanswered: the
// targets look at play, and a song thread started before the fuzzer's fork server forks
// would be missing in every child.
LRESULT PlayQuietWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

void StartDemoGame() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("TOVREL_INPUT", kPlayScriptFile, 1);
  UseNullAudioOutput(true);
  SetFontGlyphSource(&g_PlayGlyphs);
  SetFramesUnpaced(true);
  if (WriteDemoGame() != 1) Fail("the demo game can be written", ".");
  // The fixed seed of a scripted run: an input plays the same way every time.
  setenv("TOVREL_SEED", "1", 1);
  std::string error;
  if (!LoadScriptedSeedFromEnv(error)) Fail("the seed is taken", error.c_str());
  g_MainWnd.SetFrame(640, 480, 640, 480, 640, 480, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0,
                     0, 0, 0, 0);
  if (!g_MainWnd.Create("", 100, 100, PlayQuietWindowProc)) Fail("the main window can be made", ".");
  InstallScenes();
  InstallFrontEndServices();
  if (!GameInit("", 1)) Fail("the demo game starts", "Report_Game.txt");
  g_StartSystemData = g_SystemData;
  g_StartWorldMap = g_WorldMap;
}

void ResetPlay(const std::string& script) {
  g_GameMgr.DeleteAllScenes();
  g_SystemData = g_StartSystemData;
  g_WorldMap = g_StartWorldMap;
  g_Progress.NewGame();
  g_StageData = cStageData();
  g_StageDataOrg = cStageData();
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene = g_GameMgr.m_nPrevScene = SCENE_TITLE;
  g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
  g_GameMgr.m_nPlayMode = 0;
  g_GameMgr.m_bRanking = 0;
  g_GameMgr.m_nFps = 60;
  g_bStartStage = 0;
  ClearPostedMessages();
  FILE* file = std::fopen(kPlayScriptFile, "wb");
  if (file == nullptr || std::fwrite(script.data(), 1, script.size(), file) != script.size() || std::fclose(file) != 0)
    Fail("the script can be written", kPlayScriptFile);
  std::string error;
  if (!LoadScriptedInputFromEnv(error)) Fail("the script is read", error.c_str());
}

void KeepGameFile(const char* programPath) {
  auto& kept = g_KeptGameFiles[programPath];
  kept.reset();
  if (GetFileAttributesA(programPath) != INVALID_FILE_ATTRIBUTES) kept = ReadFile(programPath);
}

void PutGameFile(const char* programPath, const std::vector<std::uint8_t>& part) {
  if (!part.empty()) {
    WriteFile(programPath, part.data(), part.size());
    return;
  }
  const auto& kept = g_KeptGameFiles.at(programPath);
  if (kept.has_value()) {
    WriteFile(programPath, kept->data(), kept->size());
  } else {
    // Behind the platform layer's back, as the writes are: its listing of the folder is
    // read again.
    if (std::remove(HostPath(programPath).c_str()) == 0) ForgetDirectoryListings();
  }
}

void RunFrames(int nFrames) {
  bool bClosing = false;
  for (int frame = 0; frame < nFrames && !bClosing; ++frame) {
    if (!g_GameMgr.Frame()) break;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == WM_CLOSE || msg.message == WM_QUIT) bClosing = true;
  }
  // The scenes go with the input, before the surfaces they hold are released at exit.
  g_GameMgr.DeleteAllScenes();
}

}  // namespace fuzz
