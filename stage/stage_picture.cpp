// Pictures of the picture command: see stage_picture.h.
#include "stage/stage_picture.h"

#include "app/sat_int.h"
#include "media/draw/dd_blit.h"
#include "objects/trunc.h"
#include "stage/message_window.h"
#include "stage/scene_game.h"

namespace {

constexpr DWORD kStagePictureColorKey = 1;
constexpr std::int32_t kStagePictureNaturalSize = 100;

}  // namespace

void cPicture::Set(std::int16_t nId, double x, double y, std::int32_t w, std::int32_t h, std::int32_t bScreenFixed,
                   std::int32_t nLayer, std::int32_t nSizePercent, std::int32_t nDispMode, std::int32_t nFrames,
                   std::int32_t bCountWhilePaused, std::int32_t nValue1, std::int32_t nValue2) {
  m_nId = nId;
  m_dX = x;
  m_dY = y;
  m_nWidth = w;
  m_nHeight = h;
  m_bScreenFixed = bScreenFixed;
  m_nLayer = nLayer;
  m_bScaled = nSizePercent != kStagePictureNaturalSize ? 1 : 0;
  m_nDispMode = nDispMode;
  m_nFramesLeft = nFrames;
  m_bCountWhilePaused = bCountWhilePaused;
  m_bHasId = nValue1;
  m_nPictureId = nValue2;
  m_bPosStored = 0;
  const cSceneGame* scene = GameScene();
  if (m_bScreenFixed != 0 && scene != nullptr) {
    m_bPosStored = 1;
    m_nStoredX = SatSub(TruncToInt(x), TruncToInt(scene->m_ScrollX.m_dPos));
    m_nStoredY = SatSub(TruncToInt(y), TruncToInt(scene->m_ScrollY.m_dPos));
  }
}

std::int32_t cPicture::Draw(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSurface, std::int32_t bPaused) {
  if (m_nDispMode == MSGDISP_TIME) {
    if (bPaused == 0 || m_bCountWhilePaused != 0) --m_nFramesLeft;
    if (m_nFramesLeft < 0) return 1;
  }
  const cSceneGame* scene = GameScene();
  if (scene == nullptr || lpSurface == nullptr) return 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (m_bScreenFixed != 0 && m_bPosStored != 0) {
    x = m_nStoredX;
    y = m_nStoredY;
  } else {
    // A scroll position made NaN by a damaged stage truncates to INT32_MIN: the difference
    // saturates, and the drawing clips the picture away.
    x = SatSub(TruncToInt(m_dX), TruncToInt(scene->m_ScrollX.m_dPos));
    y = SatSub(TruncToInt(m_dY), TruncToInt(scene->m_ScrollY.m_dPos));
  }
  if (m_bScaled != 0) {
    DDStretchBlt(lpDst, x, y, m_nWidth, m_nHeight, lpSurface, 0, 0, lpSurface->nWidth, lpSurface->nHeight,
                 kStagePictureColorKey);
  } else {
    DDBlt(lpDst, x, y, m_nWidth, m_nHeight, lpSurface, 0, 0, kStagePictureColorKey);
  }
  return 0;
}
