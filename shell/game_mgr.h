#pragma once
// The frame driver of the game thread. One frame: wait for the frame's time (DirectDraw),
// bring back lost DirectDraw surfaces, read the input, switch to the current scene (made
// afresh whenever the scene changes), run it, measure and optionally show the frame rate,
// and present the back buffer. The pause and ranking loops reuse WaitFrame, RestoreAll,
// UpdateInput and Present in their own frame loops while the game thread waits for them.
#include <cstdint>
#include <list>
#include <vector>

#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "shell/scene.h"

enum TITLEITEM : int {
  TITLEITEM_NEWGAME = 0,
  TITLEITEM_CONTINUE = 1,
  TITLEITEM_CHALLENGE = 2,
  TITLEITEM_FREE = 3,
  TITLEITEM_REPLAY = 4,
  TITLEITEM_OPTION = 5,
  TITLEITEM_EXIT = 6,
};

class cGameMgr {
 public:
  cGameMgr();
  ~cGameMgr();
  cGameMgr(const cGameMgr&) = delete;
  cGameMgr& operator=(const cGameMgr&) = delete;

  // One frame; 1 to go on, 0 when the display cannot be brought back (the game loop then
  // asks the main window to close).
  std::int32_t Frame();
  // Makes `type` the live scene: every other scene is deleted, the scene of `type` is made
  // when missing. A type outside the six deletes all of them.
  void ChangeScene(int type);
  void DeleteAllScenes();
  // 1 when nothing was lost or everything was brought back, 0 when the display cannot be.
  std::int32_t RestoreAll();
  // Polls input device 0 of `inputs`, by the key configuration when it is in use.
  void UpdateInput(std::vector<cInput>& inputs);
  // Shows the back buffer the way the running back end does.
  void Present();
  // Restores the digit strips of the system fonts (strip i drawn with g_Font[i]); always
  // true.
  bool RestoreFontSurface(DDSURFACEDATA* lpSurfaces, int nCount);

  // The live scene of `type` (null while it does not exist or for an unknown type).
  cScene* Scene(int type) const;

  std::int32_t m_nScene = SCENE_TITLE;      // switched to and run by every frame
  std::int32_t m_nNextScene = SCENE_TITLE;  // where the current scene's fade-out goes
  std::int32_t m_nPrevScene = SCENE_TITLE;  // the scene that ran before
  std::int32_t m_nTitleSel = TITLEITEM_NEWGAME;
  std::int32_t m_nPlayMode = 0;
  std::int32_t m_nChallengeSel = 0;
  std::int32_t m_nChallengeTop = 0;
  std::int32_t m_bRanking = 0;
  std::int32_t m_nFps = 0;        // target frames per second
  std::int32_t m_nFadeSpeed = 0;  // fade step per frame of the scenes' fades
  std::int32_t m_nBgm = 0;        // the music requested last

 private:
  cScene* m_apScene[kSceneTypeCount] = {};  // by scene type
};

extern cGameMgr g_GameMgr;
// The stage-play scene while it exists; game objects, flows and drawing reach it here.
extern cScene* g_lpSceneGame;

// 1 when the full-screen DirectDraw present copies the back buffer instead of flipping
// (set by start-up).
extern int g_bCopyPresent;

// Blocks until the DirectDraw frame limiter lets the next frame start; nothing under
// Direct3D, whose present paces itself.
void WaitFrame();

// Restores lost DirectDraw surfaces: a video-memory surface loaded from a file is read
// again; a blank one is marked lost for its owner to redraw. False at the first failure.
bool RestoreSurface(DDSURFACEDATA* lpSD);
bool RestoreSurface(std::vector<DDSURFACEDATA>& surfaces);
bool RestoreSurface(std::list<DDSURFACEDATA>& surfaces);

// The surface groups of stage play and the front end that RestoreAll brings back, in this
// order, before the digit strips of the system fonts. Their owners set them; an unset
// group has nothing to restore.
struct cRestoreGroups {
  std::vector<DDSURFACEDATA>* lpStageBitmaps = nullptr;
  std::vector<DDSURFACEDATA>* lpEffectBitmaps = nullptr;
  std::vector<DDSURFACEDATA>* lpSwordBitmaps = nullptr;
  std::list<DDSURFACEDATA>* lpPictures = nullptr;
  std::vector<DDSURFACEDATA>* lpMenuWork = nullptr;
  std::list<DDSURFACEDATA>* lpMessageWindows = nullptr;
};
extern cRestoreGroups g_RestoreGroups;
