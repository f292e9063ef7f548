#pragma once
// Pictures of the picture command: a Picture database bitmap shown behind or in front of
// the blocks until a key, the end of the stage or a time. The scene keeps them in
// m_lstPicture, with their surfaces at the same positions in m_lstPictureSurface and
// m_lstPictureDef.
#include <cstdint>

#include "media/draw/dd_surface.h"

class cPicture {
 public:
  // With bScreenFixed the screen position at this moment is kept and used from then on.
  void Set(std::int16_t nId, double x, double y, std::int32_t w, std::int32_t h, std::int32_t bScreenFixed,
           std::int32_t nLayer, std::int32_t nSizePercent, std::int32_t nDispMode, std::int32_t nFrames,
           std::int32_t bCountWhilePaused, std::int32_t nValue1, std::int32_t nValue2);
  // One frame from its surface: 1 when its time is over (the caller removes it).
  std::int32_t Draw(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSurface, std::int32_t bPaused);

  std::int16_t m_nId = 0;
  double m_dX = 0;  // world top-left
  double m_dY = 0;
  std::int32_t m_nWidth = 0;
  std::int32_t m_nHeight = 0;
  std::int32_t m_bScaled = 0;
  std::int32_t m_nLayer = 0;  // 0 behind the blocks, 1 in front
  std::int32_t m_nDispMode = 0;
  std::int32_t m_nFramesLeft = 0;
  std::int32_t m_bCountWhilePaused = 0;
  std::int32_t m_bScreenFixed = 0;
  std::int32_t m_bPosStored = 0;
  std::int32_t m_nStoredX = 0;
  std::int32_t m_nStoredY = 0;
  std::int32_t m_bHasId = 0;  // the command's id flag and id
  std::int32_t m_nPictureId = 0;
};
