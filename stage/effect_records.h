#pragma once
// The screen-effect runtime (the character effect's is in objects/chara_effect.h): an
// entry of the ScrEffect database, prepared once per direction at start-up, runs a value
// from a start to an end over a time (once forward, once reversed, or there and back,
// optionally repeating), and the scene's handler of its kind distorts the finished frame
// by that value (screen_effects.cpp).
#include <cstdint>

#include "objects/chara_effect.h"

class cScrEffectData;

enum SCREFFECT : std::int32_t {
  SCREFFECT_NONE = 0,
  SCREFFECT_MOVE = 1,
  SCREFFECT_SHAKEX = 2,
  SCREFFECT_SHAKEY = 3,
  SCREFFECT_SPLITX = 4,
  SCREFFECT_SPLITY = 5,
  SCREFFECT_WAVEX = 6,
  SCREFFECT_WAVEY = 7,
  SCREFFECT_BLINK = 8,
  SCREFFECT_ROTATE = 9,
  SCREFFECT_CIRCLE = 10,
  SCREFFECT_ZOOM = 11,
  SCREFFECT_LENS = 12,
  SCREFFECT_MOSAIC = 13,
  SCREFFECT_KIND_COUNT = 14,
};

class cScrEffect {
 public:
  // Copies the prepared record of entry nId for the direction of nMode (reverse for mode
  // 1), then keeps the id, the mode and the repeat flag; the counter starts at 0.
  void Start(std::int32_t nId, std::int32_t nMode, std::int32_t bRepeat);
  // Back and forth flips the direction; the prepared record of the current direction is
  // copied again.
  void Restart();
  // One frame of progress from nStart to nEnd by dStep (by time in time mode): 1 when
  // the effect has ended.
  std::int32_t Step(std::int32_t nStart, std::int32_t nEnd, double dStep);
  // Takes the per-entry values of a prepared record; the run state stays.
  void Load(const cScrEffect& prepared);

  // Parameter p0..p4 of the entry as prepared (start and end swapped for the reverse
  // direction); 0 outside.
  [[nodiscard]] std::int32_t Param(int nIndex) const;

  std::int32_t m_nId = 0;                   // entry of the ScrEffect database; 0 none
  const cScrEffectData* m_pData = nullptr;  // the entry in g_Database.m_ScrEffectWork
  std::int32_t m_nRunMode = 0;
  std::int32_t m_bRepeat = 0;
  std::int32_t m_bReverse = 0;              // the current pass runs reversed
  std::int32_t m_nCounter = 0;
  double m_dValue = 0;
  double m_dShake = 0;                      // shakes: the current offset
  double m_dStep = 0;                       // per frame
  std::int32_t m_nWork1 = 0;                // move: x offset; waves: phase; blink: counter; shakes: direction
  std::int32_t m_nWork2 = 0;                // move: y offset; blink: the stage is shown
  std::int32_t m_bTimeMode = 0;             // runs by time at a constant value
  double m_dTimeCount = 0;
  std::int32_t m_nTime = 0;                 // tenths of a second
  std::int32_t m_nKind = 0;
  std::int32_t m_nParam[5] = {0, 0, 0, 0, 0};
  // Parameters that would divide by zero or draw negative bands: the effect shows its end
  // value for one frame and ends.
  std::int32_t m_bDegenerate = 0;
};

// Fills `record` from entry nIndex of the working list, for direction 0 (forward) or 1
// (reverse). (PrepareCharaEffect: objects/chara_effect.h.)
void PrepareScrEffect(cScrEffect& record, int nIndex, int nDirection);
