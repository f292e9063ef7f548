#pragma once
// The window the frames are shown in, its renderer and streaming texture, and the hand-over
// of finished frames from the drawing thread. SDL video runs on the main thread only: the
// thread that opens the window. A frame handed over from another thread waits in a mailbox
// until the main thread shows it; with vertical sync the handing thread waits until it has
// been shown, so the game runs at the display's rate. No lock is held while a frame is drawn
// or converted.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display_frame.h"
#include "platform/win_types.h"

struct DisplayWindowOptions {
  int nWidth = 640;   // the logical screen; the window's client area in a window
  int nHeight = 480;
  bool bFullScreen = false;  // full-screen desktop, the logical screen scaled into it
  bool bVSync = false;
  const char* title = "";    // UTF-8; empty: the main window's title
};

// Main thread. Initialises SDL video when needed, makes the window (or reuses the open one
// with the new options), the renderer and the texture. 1 on success; on failure the reason
// is in DisplayWindowError().
int OpenDisplayWindow(const DisplayWindowOptions& options);
// The window on the desktop is the main window's: its title is the main window's text and
// its X11 class (WM_CLASS) the main window's class, so that a desktop names and groups it.
// A new title reaches the open window when set on the main thread (SDL video runs there
// only); elsewhere the next open takes it.
void SetDisplayWindowTitle(const std::string& utf8);
// The window's title as the desktop shows it (UTF-8); empty while no window is open.
std::string DisplayWindowTitle();

// Main thread. Destroys renderer and window; frames handed over afterwards are dropped.
void CloseDisplayWindow();
int IsDisplayWindowOpen();
const std::string& DisplayWindowError();

// Main thread: shows the newest frame handed over. 1 when there was one.
int ShowNewestFrame();
// Main thread: shows the last frame shown again (the window was uncovered). 1 when there
// was one.
int ShowLastFrameAgain();

// Any thread: hands a finished frame over. `frame`'s buffers are swapped with the mailbox's,
// so the caller gets a spare frame of earlier size back to fill next time. On the main
// thread the frame is shown at once; elsewhere, with vertical sync on and the window open,
// returns when the main thread has shown it (or has not within a quarter of a second, so
// a main thread held up by a dialog cannot stall the game for good).
void HandOverFrame(cDisplayFrame& frame);
// The serial of the newest frame shown (0 before the first).
std::uint64_t ShownFrameSerial();

// Main thread: the pixels the renderer holds now, as 0xAARRGGBB, at the window's output
// size (tests and screenshots). 1 on success.
int ReadWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height);

// Facts of the video system for the reports (valid after the window opened; otherwise
// empty or 0): SDL's video driver, the renderer's name, the desktop's refresh rate in Hz
// (60 when the display does not tell),
// the desktop's depth (32 for 24- and 32-bit formats, 16 for 15- and 16-bit ones; 32 when
// it cannot be found out) and SDL's version as "major.minor.patch".
std::string DisplayVideoDriver();
std::string DisplayRendererName();
int DisplayRefreshRate();
// Test seam: the desktop's refresh rate as DisplayRefreshRate reports it (0: the real one).
void OverrideDisplayRefreshRate(int hz);
// 1 when the display tells its refresh rate (or a test set one); 0 when DisplayRefreshRate
// only assumes 60, as on virtual displays, where vertical sync paces nothing.
int DisplayRefreshRateKnown();
int DesktopBitsPerPixel();
std::string VideoLibraryVersion();

// The mouse cursor's display counter: show adds one, hide takes one away; the cursor is
// visible while the counter is not negative. Returns the new counter.
int ShowCursor(BOOL show);
