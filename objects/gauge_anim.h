#pragma once
// The animated HP or SP bar of a character: started after a change, counted down and drawn
// by the character drawing.
#include <cstdint>

class cGaugeAnim {
 public:
  std::int32_t m_nFrames = 0;    // frames left to show the change (120 after a change)
  double m_dSegment = 0;         // changed part in pixels: change x 50 / maximum (signed)
  double m_dShrink = 0;          // shrink per frame: a sixtieth of the segment
  std::int32_t m_nLength = 0;    // bar length in pixels: value x 50 / maximum (0..50)
};
