#include "frontend/front_scene_steps.h"

#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "data/system/system_data.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_fade.h"
#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/scripted_input.h"

void FilterMenuInput(WORD buttonMask) {
  if (g_Input.empty()) return;
  cInput& input = g_Input[0];
  if (ScriptedInputActive()) ApplyScriptedInput(input);
  input.ApplyRepeat();
  input.TriggerOnce(buttonMask);
}

void RequestSceneBgm(int slot) {
  const std::int32_t id = CheckedAt(g_SystemData.m_SceneBgm, slot);
  if (id != 0 && id == g_GameMgr.m_nBgm) return;
  g_GameMgr.m_nBgm = id;
  SendMessageA(g_hWnd, WM_GAME_PLAYBGM, static_cast<WPARAM>(slot), 0);
}

bool LoadFrontSurfaces(const int* rows, int nCount) {
  if (DDLoadSurfaces(g_FixedSurface, rows, nCount)) return true;
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  return false;
}

void ReleaseFrontSurfaces(const int* rows, int nCount) {
  for (int i = 0; i < nCount; ++i) DDReleaseSurface(&g_FixedSurface[rows[i]]);
}

bool FrontFadeInStep() {
  return DDFadeIn(g_DispPalette, 0, 255, 0, 0, 0, g_GameMgr.m_nFadeSpeed, g_Palette, 0);
}

bool FrontFadeOutStep() {
  return DDFadeOut(g_DispPalette, 0, 255, 0, 0, 0, g_GameMgr.m_nFadeSpeed, g_Palette, 0);
}

void EnterFrontScene(cScene& scene, int nFirstState) {
  if (scene.m_nState != -1) return;
  try {
    scene.Init();
  } catch (const char* text) {
    WriteECFatal(g_hWnd, "%s", text != nullptr ? text : "");
  } catch (const std::string& text) {
    WriteECFatal(g_hWnd, "%s", text.c_str());
  }
  scene.m_nState = nFirstState;
}
