#pragma once
// Plays a stage in this process with replay recording on, and opens a saved replay for
// playback as the title's replay choice does: the fixture of the tests that record a play
// and compare its playback frame by frame through the trace line of each frame.
#include <cstdio>
#include <string>

#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "stage/play_trace.h"
#include "stage/replay.h"
#include "stage/replay_files.h"
#include "stage/scene_game.h"
#include "tests/support/temp_dir.h"

// The trace line of the scene's current frame, without its frame number (a playback's
// frames are numbered on from its own start).
inline std::string SceneTraceLine(const cSceneGame& scene) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return std::string();
  WritePlayTraceLine(file, 0, scene);
  std::string line;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) line.push_back(static_cast<char>(c));
  std::fclose(file);
  const std::size_t comma = line.find(',');
  return comma == std::string::npos ? line : line.substr(comma);
}

class cReplaySceneTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_SavedSystem = g_SystemData;
    m_nSavedTitleSel = g_GameMgr.m_nTitleSel;
    m_nSavedPlayMode = g_GameMgr.m_nPlayMode;
    g_SystemData = cSystemData();
    g_SystemData.m_bRecordReplay = 1;
    g_Input.assign(1, cInput());
    g_Progress.NewGame();
    g_Progress.m_Vars.assign(1001, 0);
    g_GameMgr.m_nPlayMode = 2;
  }
  void TearDown() override {
    EndScene();
    g_SystemData = m_SavedSystem;
    g_GameMgr.m_nTitleSel = m_nSavedTitleSel;
    g_GameMgr.m_nPlayMode = m_nSavedPlayMode;
    ClearPostedMessages();
    cTempDirTest::TearDown();
  }

  // A free play of `stage`, recorded.
  void StartRecording(const cStageData& stage) {
    g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
    g_StageData = stage;
    g_StageDataOrg = g_StageData;
  }
  // The replay at `path` opened for playback in place of the stage; false when it
  // cannot be read.
  bool StartPlayback(const char* path) {
    g_Replay.Reset();
    g_StageData = cStageData();
    g_StageDataOrg = cStageData();
    g_GameMgr.m_nTitleSel = TITLEITEM_REPLAY;
    if (!LoadReplay(path)) return false;
    g_StageData.m_strPath = path;
    return true;
  }
  // A new scene set up on the stage held in g_StageData and g_StageDataOrg, in play.
  cSceneGame& NewScene() {
    EndScene();
    m_pScene = new cSceneGame();
    g_lpSceneGame = m_pScene;
    m_pScene->SetStage(1, 1);
    m_pScene->m_nState = GAMESTATE_PLAY;
    return *m_pScene;
  }
  void EndScene() {
    g_lpSceneGame = nullptr;
    delete m_pScene;
    m_pScene = nullptr;
  }

  cSceneGame* m_pScene = nullptr;
  cSystemData m_SavedSystem;
  int m_nSavedTitleSel = 0;
  int m_nSavedPlayMode = 0;
};
