// The effect, screen-effect and picture commands: an animated effect or a picture placed
// on the screen, on the stage or over a character, which may hold the game until it has
// played or is dismissed, and the start of a screen effect.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <list>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/thread.h"
#include "data/database/database.h"
#include "data/flow/flow_command.h"
#include "data/flow/overlay_cmd_params.h"
#include "flow/overlay_position.h"
#include "flow/percent_of_rounded.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_report.h"
#include "objects/chara_base.h"
#include "objects/player.h"
#include "platform/message_queue.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"
#include "stage/sub_loops.h"

namespace {

constexpr std::int64_t kOverlayCmdsFramesPerTenth = 6;
constexpr std::int32_t kNaturalSize = 100;
constexpr DWORD kLowVideoMemoryPercent = 20;

std::int32_t OverlayCmdsParam(const cFlowCmd& cmd, int i) { return CheckedAt(cmd.m_vParam, i); }

std::int32_t OverlayCmdsClampToInt(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

// DirectDraw keeps a picture in system memory when it is stretched without video-memory
// stretching, or when less than a fifth of the video memory is free.
int PictureMemoryType(bool bScaled) {
  if (lpDDCon == nullptr) return 0;
  if (bScaled && g_SystemIni.m_nDDVideoStretch == 0) return 1;
  DWORD total = 0;
  DWORD free = 0;
  GetVideoMemory(&total, &free);
  return free * 100 < total * kLowVideoMemoryPercent ? 1 : 0;
}

}  // namespace

void CalcEffectPos(double* x, double* y, int w, int h, cCharaBase* subject, int mode, int bx, int by, int dx,
                   int dy) {
  const cSceneGame* scene = GameScene();
  if (scene == nullptr) return;
  const double sx = scene->m_ScrollX.m_dPos;
  const double sy = scene->m_ScrollY.m_dPos;
  const cCharaBase* centred = nullptr;
  switch (mode) {
    case EFFECTPOS_CENTRE:
      *x = sx + 320 - (w >> 1) + dx;
      *y = sy + 240 - (h >> 1) + dy;
      return;
    case EFFECTPOS_SUBJECT:
      centred = subject;
      break;
    case EFFECTPOS_HERO:
      centred = &CheckedAt(g_vPlayer, 0);
      break;
    case EFFECTPOS_SCREEN:
      *x = sx + static_cast<double>(bx) * 32 + dx;
      *y = sy + static_cast<double>(by) * 32 + dy;
      return;
    case EFFECTPOS_STAGE:
      *x = (static_cast<double>(bx) + scene->m_ScrollX.m_nMargin) * 32 + dx;
      *y = (static_cast<double>(by) + scene->m_ScrollY.m_nMargin) * 32 + dy;
      return;
    default:
      return;
  }
  if (centred == nullptr) return;
  *x = centred->m_rcScreen.left + (centred->m_nCellW >> 1) + sx - (w >> 1) + dx;
  *y = centred->m_rcScreen.top + (centred->m_nCellH >> 1) + sy - (h >> 1) + dy;
}

void RemovePictureAt(cSceneGame& scene, int nIndex) {
  if (nIndex < 0) return;
  const auto n = static_cast<std::size_t>(nIndex);
  if (n < scene.m_lstPicture.size()) scene.m_lstPicture.erase(std::next(scene.m_lstPicture.begin(), nIndex));
  if (n < scene.m_lstPictureSurface.size()) {
    auto surface = std::next(scene.m_lstPictureSurface.begin(), nIndex);
    DDReleaseSurface(&*surface);
    scene.m_lstPictureSurface.erase(surface);
  }
  if (n < scene.m_lstPictureDef.size()) scene.m_lstPictureDef.erase(std::next(scene.m_lstPictureDef.begin(), nIndex));
}

std::int32_t cCharaBase::CmdEffect(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr || scene->m_bQuit != 0) return 0;
  const auto nId = static_cast<std::int16_t>(OverlayCmdsParam(cmd, EFP_ENTRY));
  if (nId == 0) {
    scene->m_lstEffect.clear();
    return 0;
  }
  const cEffectData& entry = EffectEntry(nId);
  const std::int32_t w = PercentOfRounded(entry.m_nWidth, OverlayCmdsParam(cmd, EFP_SCALE));
  const std::int32_t h = PercentOfRounded(entry.m_nHeight, OverlayCmdsParam(cmd, EFP_SCALE));
  double x = 0;
  double y = 0;
  CalcEffectPos(&x, &y, w, h, this, OverlayCmdsParam(cmd, EFP_POSITION), OverlayCmdsParam(cmd, EFP_BLOCK_X), OverlayCmdsParam(cmd, EFP_BLOCK_Y),
                OverlayCmdsParam(cmd, EFP_OFFSET_X), OverlayCmdsParam(cmd, EFP_OFFSET_Y));
  const std::int32_t bWait = OverlayCmdsParam(cmd, EFP_WAIT);
  scene->m_lstEffect.emplace_back(nId, x, y, w, h, bWait);
  if (bWait == 0) return 0;
  std::int64_t total = 0;
  for (const cEffectFrame& frame : entry.m_vFrame) total += std::int64_t{frame.m_nTime} * kOverlayCmdsFramesPerTenth;
  scene->m_WaitReq.Set(WAIT_EFFECT, 0, OverlayCmdsClampToInt(total), 0);
  RunModalLoop(thPause, PauseLoop, scene, false);
  return 0;
}

std::int32_t cCharaBase::CmdScreenEffect(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return 0;
  scene->m_ScrEffect.Start(static_cast<std::int16_t>(OverlayCmdsParam(cmd, 0)), OverlayCmdsParam(cmd, 1), OverlayCmdsParam(cmd, 2));
  // Entry 0 also cancels the redirected drawing of an effect that was running.
  if (scene->m_ScrEffect.m_nId == 0 && lpDTCon != nullptr && lpDTCon->bVirtual) DDSetVirtualBackBuffer(0);
  return 0;
}

std::int32_t cCharaBase::CmdPicture(cFlowCmd& cmd) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr || scene->m_bQuit != 0) return 0;
  const auto nId = static_cast<std::int16_t>(OverlayCmdsParam(cmd, PICP_ENTRY));
  const bool bHasId = OverlayCmdsParam(cmd, PICP_HAS_ID) != 0;
  if (nId == 0 && !bHasId) {
    scene->ClearPictures();
    return 0;
  }
  int nAt = -1;  // the list position of a picture replaced by id
  if (bHasId) {
    int i = 0;
    for (const cPicture& picture : scene->m_lstPicture) {
      if (picture.m_bHasId != 0 && picture.m_nPictureId == OverlayCmdsParam(cmd, PICP_ID)) {
        nAt = i;
        break;
      }
      ++i;
    }
    if (nAt >= 0) RemovePictureAt(*scene, nAt);
    if (nId == 0) return 0;
  }
  std::list<DDSURFACEDATA>& surfaces = scene->m_lstPictureSurface;
  std::list<DDSURFACEDEF>& defs = scene->m_lstPictureDef;
  std::list<cPicture>& pictures = scene->m_lstPicture;
  // The three lists are in step; a position past their end appends.
  if (nAt > static_cast<int>(pictures.size())) nAt = -1;
  const int nPos = nAt >= 0 ? nAt : static_cast<int>(pictures.size());

  const cPictureData& entry = CheckedAt(g_Database.m_Picture, nId);
  const bool bScaled = OverlayCmdsParam(cmd, PICP_SCALE) != kNaturalSize;
  DDSURFACEDEF def;
  def.Set(entry.m_strFile.c_str(), 1, PictureMemoryType(bScaled), 1, 0, 0, 0, 0, 0, 0, 0);
  auto surface = surfaces.emplace(std::next(surfaces.begin(), std::min<int>(nPos, static_cast<int>(surfaces.size()))));
  defs.insert(std::next(defs.begin(), std::min<int>(nPos, static_cast<int>(defs.size()))), def);
  const int result = DDCreateSurfaceFromFile(&*surface, def.szFile, 1, g_nBpp, def.nDDMemType, def.nDTMemType, 0, 0,
                                             0, 0, 0);
  if (!DDCheckSurfaceResult(result)) {
    // The surface record goes again, so that the three lists stay in step for the frames
    // the program still draws before it closes.
    DDRemoveSurfaceFromList(&surfaces, &defs, &*surface);
    ErrMesBoxf("%s 読み込み失敗！", entry.m_strFile.c_str());
    WriteECf("%s 読み込み失敗！", entry.m_strFile.c_str());
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return 0;
  }
  const std::int32_t w = PercentOfRounded(surface->nWidth, OverlayCmdsParam(cmd, PICP_SCALE));
  const std::int32_t h = PercentOfRounded(surface->nHeight, OverlayCmdsParam(cmd, PICP_SCALE));
  double x = 0;
  double y = 0;
  CalcEffectPos(&x, &y, w, h, this, OverlayCmdsParam(cmd, PICP_POSITION), OverlayCmdsParam(cmd, PICP_BLOCK_X), OverlayCmdsParam(cmd, PICP_BLOCK_Y),
                OverlayCmdsParam(cmd, PICP_OFFSET_X), OverlayCmdsParam(cmd, PICP_OFFSET_Y));
  const std::int32_t nFrames =
      OverlayCmdsParam(cmd, PICP_ONE_FRAME) != 0 ? 1 : OverlayCmdsClampToInt(OverlayCmdsParam(cmd, PICP_TIME) * kOverlayCmdsFramesPerTenth);
  auto picture = pictures.emplace(std::next(pictures.begin(), nPos));
  picture->Set(nId, x, y, w, h, OverlayCmdsParam(cmd, PICP_SCREEN_FIXED), OverlayCmdsParam(cmd, PICP_LAYER), OverlayCmdsParam(cmd, PICP_SCALE),
               OverlayCmdsParam(cmd, PICP_DISPLAY), nFrames, OverlayCmdsParam(cmd, PICP_WAIT), OverlayCmdsParam(cmd, PICP_HAS_ID), OverlayCmdsParam(cmd, PICP_ID));

  if (OverlayCmdsParam(cmd, PICP_WAIT) == 0) return 0;
  const cPicture* shown = &*picture;
  if (OverlayCmdsParam(cmd, PICP_DISPLAY) == MSGDISP_TIME) {
    scene->m_WaitReq.Set(WAIT_PICTURE, 0, nFrames, 0);
  } else {
    // Until the key, and also until the end of the stage, which cannot come while the
    // game is held: that wait too ends on the key.
    scene->m_WaitReq.Set(WAIT_PICTURE, 1, 0, 0);
  }
  RunModalLoop(thPause, PauseLoop, scene, false);
  // The picture goes with the wait; its own time may already have ended it.
  int i = 0;
  for (const cPicture& p : pictures) {
    if (&p == shown) {
      RemovePictureAt(*scene, i);
      break;
    }
    ++i;
  }
  return 0;
}
