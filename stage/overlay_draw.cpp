// The frame's messages, effects and pictures: each draws itself and reports its end, and
// the scene then erases it (a picture with its surface).
#include <iterator>

#include "media/draw/dd_surface.h"
#include "stage/scene_game.h"
#include "stage/stage_overlays.h"

void cSceneGame::DrawMessages(DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  for (auto it = m_lstMessage.begin(); it != m_lstMessage.end();) {
    if (it->Draw(lpDst, bPaused) != 0) {
      it = m_lstMessage.erase(it);
    } else {
      ++it;
    }
  }
}

void cSceneGame::DrawEffects(DDSURFACEDATA* lpDst, std::int32_t bPaused) {
  for (auto it = m_lstEffect.begin(); it != m_lstEffect.end();) {
    if (it->Draw(lpDst, bPaused) != 0) {
      it = m_lstEffect.erase(it);
    } else {
      ++it;
    }
  }
}

void cSceneGame::DrawPictures(DDSURFACEDATA* lpDst, std::int32_t nLayer, std::int32_t bPaused) {
  auto surface = m_lstPictureSurface.begin();
  auto def = m_lstPictureDef.begin();
  for (auto it = m_lstPicture.begin(); it != m_lstPicture.end();) {
    // The lists move in step; a picture without a surface record (never made) draws nothing.
    const bool bHasSurface = surface != m_lstPictureSurface.end();
    // Any layer but 0 (behind the blocks) is in front, so no picture is left undrawn.
    const std::int32_t nOwnLayer = it->m_nLayer != 0 ? 1 : 0;
    if (nOwnLayer != nLayer) {
      ++it;
      if (bHasSurface) ++surface;
      if (def != m_lstPictureDef.end()) ++def;
      continue;
    }
    if (it->Draw(lpDst, bHasSurface ? &*surface : nullptr, bPaused) == 0) {
      ++it;
      if (bHasSurface) ++surface;
      if (def != m_lstPictureDef.end()) ++def;
      continue;
    }
    it = m_lstPicture.erase(it);
    if (bHasSurface) {
      DDReleaseSurface(&*surface);
      surface = m_lstPictureSurface.erase(surface);
    }
    if (def != m_lstPictureDef.end()) def = m_lstPictureDef.erase(def);
  }
}
