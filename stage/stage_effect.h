#pragma once
// Animated effects of stage play (the Effect database): those of the effect command and
// the hit effects of damaging hits. They live in the scene's m_lstEffect and end when
// their animation reaches its end mark.
#include <cstdint>

#include "media/draw/anime_seq.h"
#include "media/draw/dd_surface.h"

class cDoubleRect;
class cEffectData;

class cEffect {
 public:
  cEffect() = default;
  // An effect of the effect command: entry nId at world (x, y), drawn w x h (scaled when
  // that differs from the entry's frame width).
  cEffect(std::int16_t nId, double x, double y, std::int32_t w, std::int32_t h, std::int32_t bAnimateWhilePaused);
  // A hit effect centred on the overlap of the two hit rectangles, jittered by up to 4
  // dots (times the scale of a scalable entry).
  cEffect(std::int16_t nId, const cDoubleRect& attacker, const cDoubleRect& target, std::int32_t nScale);

  // The animation player gets the entry's one animation and starts it.
  void Start(std::int16_t nId);
  // One frame: 1 when the effect has played (the caller erases it).
  std::int32_t Draw(DDSURFACEDATA* lpDst, std::int32_t bPaused);

  std::int16_t m_nId = 0;
  double m_dX = 0;  // world top-left
  double m_dY = 0;
  std::int32_t m_nWidth = 0;
  std::int32_t m_nHeight = 0;
  std::int32_t m_bScaled = 0;
  cAnimeSeq m_Anime;
  std::int32_t m_bAnimateWhilePaused = 0;
};

// Entry nId of the Effect database (guarded: an id outside the list reports itself and
// gives entry 0).
const cEffectData& EffectEntry(std::int32_t nId);
