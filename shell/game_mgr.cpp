#include "shell/game_mgr.h"

#include <cstring>
#include <new>
#include <string>

#include "app/frame_timing.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/report_log.h"
#include "data/stage/stage_data.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_state.h"
#include "media/draw/font.h"
#include "media/input/key_config.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/fps_display.h"
#include "shell/frame_pacing.h"
#include "shell/game_requests.h"
#include "shell/scene_factory.h"

cGameMgr g_GameMgr;
cScene* g_lpSceneGame = nullptr;
int g_bCopyPresent = 0;
cRestoreGroups g_RestoreGroups;

namespace {


// Scenes are deleted in this order when another one becomes current.
constexpr int kDeleteOrder[kSceneTypeCount] = {SCENE_TITLE,     SCENE_MAPMENU, SCENE_WORLDMAP,
                                               SCENE_CHALLENGE, SCENE_GAME,    SCENE_OPTION};

bool IsSceneType(int type) { return type >= 0 && type < kSceneTypeCount; }

// A surface made blank rather than from a file: after a loss its owner draws it again.
bool IsBlankSurface(const DDSURFACEDATA& sd) { return sd.szFile[0] == '\0' || std::strcmp(sd.szFile, "E") == 0; }

cSoftDDSurface* DirectDrawSurfaceOf(const DDSURFACEDATA& sd) {
  return sd.lpDDData != nullptr ? sd.lpDDData->lpDDS : nullptr;
}

// A scene switch that fails by a thrown text ends the program in order. The text goes to
// the report log as well: the error-check log is off in the player, and the program
// would otherwise close without a word of why.
void SceneSwitchFailed(const char* text) {
  WriteReport("%s", text != nullptr ? text : "");
  WriteECFatal(g_hWnd, "%s", text != nullptr ? text : "");
}

// The windowed DirectDraw primary stands for the window's client area itself, so the copy
// covers all of it.
void CopyBackBufferToPrimary() {
  cSoftDDSurface* primary = DirectDrawSurfaceOf(g_PrimarySD);
  cSoftDDSurface* back = DirectDrawSurfaceOf(g_BackBuffer);
  if (primary == nullptr || back == nullptr) return;
  // Same sizes: a straight row copy, not the stretching blit.
  const RECT all{0, 0, back->pixels.nWidth, back->pixels.nHeight};
  const HRESULT copied = primary->pixels.nWidth == back->pixels.nWidth && primary->pixels.nHeight == back->pixels.nHeight
                             ? primary->BltFast(0, 0, back, &all, 0)
                             : primary->Blt(nullptr, back, nullptr, DDBLT_WAIT);
  if (copied == DD_OK) DDShowPrimary();
}

}  // namespace

cGameMgr::cGameMgr() { ConnectFramePacing(); }

cGameMgr::~cGameMgr() { DeleteAllScenes(); }

std::int32_t cGameMgr::Frame() {
  WaitFrame();
  StartFrameTime();
  if (lpDDCon != nullptr && !RestoreAll()) return 0;
  UpdateInput(g_Input);
  try {
    ChangeScene(m_nScene);
  } catch (const char* text) {
    SceneSwitchFailed(text);
  } catch (const std::string& text) {
    SceneSwitchFailed(text.c_str());
  } catch (const std::bad_alloc&) {
    // A scene whose own construction runs out of memory is a scene that cannot be made.
    MemErrMesBox();
  }
  if (IsSceneType(m_nScene) && m_apScene[m_nScene] != nullptr) m_apScene[m_nScene]->Run();

  g_FpsDisplay.dwFps = CountFps(1);
  g_FpsDisplay.dwFrameTime = GetFrameTime(1);
  if (const int showFps = GetShowFps(); showFps != 0) {
    StoreFrameTime(g_FpsDisplay, g_FpsDisplay.dwFrameTime);
    DrawFpsText(showFps, static_cast<int>(g_FpsDisplay.dwFps), static_cast<int>(g_FpsDisplay.nAverage));
  }
  Present();
  return 1;
}

void cGameMgr::ChangeScene(int type) {
  for (int t : kDeleteOrder) {
    if (t == type || m_apScene[t] == nullptr) continue;
    delete m_apScene[t];
    m_apScene[t] = nullptr;
    if (t == SCENE_GAME) g_lpSceneGame = nullptr;
  }
  if (!IsSceneType(type) || m_apScene[type] != nullptr) return;
  // The factory makes scenes with the non-throwing new: null for a known type means that
  // memory ran out.
  cScene* scene = CreateScene(type);
  if (scene == nullptr) {
    MemErrMesBox();
    return;
  }
  m_apScene[type] = scene;
  if (type == SCENE_GAME) g_lpSceneGame = scene;
}

void cGameMgr::DeleteAllScenes() {
  for (int t : kDeleteOrder) {
    delete m_apScene[t];
    m_apScene[t] = nullptr;
  }
  g_lpSceneGame = nullptr;
}

cScene* cGameMgr::Scene(int type) const { return IsSceneType(type) ? m_apScene[type] : nullptr; }

std::int32_t cGameMgr::RestoreAll() {
  // Direct3D devices come back through WM_GAME_RESTORE on the main thread.
  if (lpDTCon != nullptr || lpDDCon == nullptr) return 1;
  cSoftDDSurface* primary = DirectDrawSurfaceOf(g_PrimarySD);
  if (primary == nullptr || primary->IsLost() != DDERR_SURFACELOST) return 1;
  if (!DDRestore()) return 0;

  cRestoreGroups& g = g_RestoreGroups;
  if (g.lpStageBitmaps != nullptr && !RestoreSurface(*g.lpStageBitmaps)) return 0;
  if (g.lpEffectBitmaps != nullptr && !RestoreSurface(*g.lpEffectBitmaps)) return 0;
  if (g.lpSwordBitmaps != nullptr && !RestoreSurface(*g.lpSwordBitmaps)) return 0;
  if (g.lpPictures != nullptr && !RestoreSurface(*g.lpPictures)) return 0;
  if (g.lpMenuWork != nullptr && !RestoreSurface(*g.lpMenuWork)) return 0;
  if (g.lpMessageWindows != nullptr && !RestoreSurface(*g.lpMessageWindows)) return 0;
  if (!RestoreFontSurface(g_FontDigitSurface, kSystemFontCount)) return 0;
  if (g.lpMessageWindows != nullptr && !g.lpMessageWindows->empty())
    WriteECf("if ( !RestoreSurface(Off_Msg) ) Off_Msg[0].bLost = %d", g.lpMessageWindows->front().bLost);
  return 1;
}

void cGameMgr::UpdateInput(std::vector<cInput>& inputs) {
  if (inputs.empty()) return;
  if (g_KeyConfig.m_bUse)
    inputs[0].PollKeyConfig(60);
  else
    inputs[0].Poll(0, cInput::kPollJoystick | cInput::kPollKeyboard, 60);
}

void cGameMgr::Present() {
  if (lpDTCon != nullptr) {
    // A device lost in a window is brought back on the main thread before the next frame;
    // full screen, the activation of the window does it.
    if (!DDPresent(m_nFps) && g_bWindow) SendMessageA(g_hWnd, WM_GAME_RESTORE, 0, 0);
    return;
  }
  if (lpDDCon == nullptr) return;
  const bool fastStage = g_lpSceneGame != nullptr && g_StageData.m_nStageFps > 60;
  // There is no vertical blank to wait for here: WaitFrame holds the frame rate, and with
  // vertical sync the hand-over to the window waits until the frame has been shown.
  if (g_bWindow || g_bCopyPresent || fastStage)
    CopyBackBufferToPrimary();
  else
    DDFlip();
}

bool cGameMgr::RestoreFontSurface(DDSURFACEDATA* lpSurfaces, int nCount) {
  if (lpSurfaces == nullptr) return true;
  for (int i = 0; i < nCount && i < kSystemFontCount; ++i) {
    DDSURFACEDATA& sd = lpSurfaces[i];
    cSoftDDSurface* surface = DirectDrawSurfaceOf(sd);
    if (surface == nullptr || surface->IsLost() != DDERR_SURFACELOST) continue;
    surface->Restore();
    if (sd.nDDMemType != 0) continue;
    DrawDigitStrip(&sd, &g_Font[i]);
  }
  return true;
}

void WaitFrame() {
  if (lpDDCon == nullptr) return;
  while (!FrameLimitDD(g_GameMgr.m_nFps)) Sleep(1);
}

bool RestoreSurface(DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return true;
  cSoftDDSurface* surface = DirectDrawSurfaceOf(*lpSD);
  if (surface == nullptr || surface->IsLost() != DDERR_SURFACELOST) return true;
  surface->Restore();
  if (lpSD->nDDMemType != 0) return true;
  lpSD->bLost = 1;
  // A blank surface has no file to read again; its owner redraws it, as after a loss of
  // the fixed blank surfaces. Reading "E" as a file would fail and close the program.
  if (IsBlankSurface(*lpSD)) return true;
  return DDReloadSurface(lpSD, g_nBpp);
}

bool RestoreSurface(std::vector<DDSURFACEDATA>& surfaces) {
  for (DDSURFACEDATA& sd : surfaces)
    if (!RestoreSurface(&sd)) return false;
  return true;
}

bool RestoreSurface(std::list<DDSURFACEDATA>& surfaces) {
  for (DDSURFACEDATA& sd : surfaces)
    if (!RestoreSurface(&sd)) return false;
  return true;
}

