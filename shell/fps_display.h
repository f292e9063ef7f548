#pragma once
// The frame-rate display: a ring of the last 16 frame times and its average, shown with
// the measured rate as "FPS<rate>(<average>)" over the finished frame (the fonts draw it).
#include <cstdint>

#include "platform/win_types.h"

constexpr int kFpsRingSize = 16;

// Frame-rate display state of the running frame loop (one loop runs frames at a time).
struct cFpsDisplay {
  DWORD dwFps = 0;        // frames of the last full second
  DWORD dwFrameTime = 0;  // milliseconds of the last frame's work
  DWORD adwRing[kFpsRingSize] = {};
  int nRingIndex = 0;
  unsigned nAverage = 0;  // of the ring, renewed each time the ring has been filled
};
extern cFpsDisplay g_FpsDisplay;

// Stores a frame time into the ring; when the ring is full the average is taken anew.
void StoreFrameTime(cFpsDisplay& state, DWORD frameTime);
// What ShowFps of System.ini asks for: 0 off, 2 the small font at the bottom right,
// any other value the large font in a box. Set by start-up; 0 until then.
void SetShowFps(int nShowFps);
int GetShowFps();

