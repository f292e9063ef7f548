#pragma once
// One scroll axis of the running stage: the camera position along the axis and the
// geometry of the block grid on that axis (margin, cells, row stride and shift).
#include <cstdint>

class cScroll {
 public:
  // position < min: min; position + view >= max: max - view (min when that is below
  // min); m_bAtLimit tells whether a limit held the position.
  void Clamp();
  // One sub-step of the automatic scroll: position += speed, then Clamp.
  void Step();
  // off: speed 0; on: value (tenths of a dot per frame) x 0.1 / sub-steps per frame.
  void SetSpeed(std::int32_t bOn, std::int32_t nValue);
  // The scroll range from the stage's start and end cells of this axis.
  void SetRange(std::int32_t nStartCell, std::int32_t nEndCell, std::int32_t bUseStart, std::int32_t bUseEnd);

  double m_dPos = 0;              // world dot of the view's left or top edge
  std::int32_t m_bAtLimit = 0;    // the last Clamp moved the position onto a limit
  std::int32_t m_nAxis = 0;       // 0 horizontal, 1 vertical
  std::int32_t m_nView = 0;       // 640 or 480
  std::int32_t m_nMin = 0;        // lowest position
  std::int32_t m_nMax = 0;        // end of the scroll range (exclusive)
  std::int32_t m_nOrigin = 0;     // first dot inside the margin (320)
  std::int32_t m_nExtent = 0;     // (cells - margin) x 32: the far end of the stage area
  std::int32_t m_nMargin = 0;     // margin cells on each side (10)
  std::int32_t m_nFarLimit = 0;   // the stage's far limit of this axis + 640
  std::int32_t m_nCells = 0;      // cells along the axis, margins included
  std::int32_t m_nStride = 0;     // horizontal: 1 << shift; vertical: cells
  std::int32_t m_nShift = 0;      // horizontal: bit count of (width + 19); vertical: 0
  double m_dSpeed = 0;            // automatic scroll, dots per sub-step
  std::int32_t m_bAuto = 0;       // automatic scroll on
};
