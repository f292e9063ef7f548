#pragma once
// The working record of one firing copy: what a formation needs to place its objects and
// what a shot or sword takes over when it is set up from one of those places.
#include <cstdint>

struct FORMATIONSLOT {
  std::int16_t m_nCopyIndex = 0;  // the copy's number, 0 first
  double m_dSpeed = 0;            // dots per frame
  std::int32_t m_nAngle = 0;      // the copy's angle offset, degrees
  std::int32_t m_nRange = 0;      // flight range, half-blocks
  std::int32_t m_nLife = 0;       // timed life, tenths of a second
  double m_dVx = 0;               // velocity of the object being placed, dots per frame
  double m_dVy = 0;
  std::int32_t m_nX = 0;          // top-left of the object being placed
  std::int32_t m_nY = 0;
  std::int32_t m_nStartX = 0;     // first place the layout computed
  std::int32_t m_nStartY = 0;
  std::int32_t m_nStepX = 0;      // from one object of the formation to the next
  std::int32_t m_nStepY = 0;
  std::int32_t m_nStep2X = 0;     // lightning columns: from one column to the next
  std::int32_t m_nStep2Y = 0;
  std::int32_t m_nCellW = 0;      // size of the objects of this copy
  std::int32_t m_nCellH = 0;
  std::int32_t m_nOffsetX = 0;    // the copy's launch offset
  std::int32_t m_nOffsetY = 0;
  std::int32_t m_nDir = 0;        // resolved direction (2-11)
};
