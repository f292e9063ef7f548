#pragma once
// The frame-rate display: a ring of the last 16 frame times, its average, and the text
// "FPS<measured>(<average>)" drawn over the finished frame. The text goes to the screen
// through one drawer, so that the manager needs nothing of the fonts.
#include <cstdint>
#include <string>

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
// "FPS%2d(%2d)" of the measured rate and the average.
std::string FpsText(const cFpsDisplay& state);

// What ShowFps of System.ini asks for: 0 off, 2 the small font at the bottom right,
// any other value the large font in a box. Set by start-up; 0 until then.
void SetShowFps(int nShowFps);
int GetShowFps();

// Draws the text into the back buffer: ShowFps 2 as plain text at (549, 469) with the first
// system font, other values in a text box at (495, 463) with the second. The fonts install
// it once they are up; until then nothing is drawn.
using FpsTextDrawer = void (*)(int nShowFps, const char* lpText);
void SetFpsTextDrawer(FpsTextDrawer drawer);
void DrawFpsText(int nShowFps, const char* lpText);
