#pragma once
// The screen mode start-up asks the display for: window or full screen, vertical sync and
// colour depth, from System.ini's settings, the desktop and the game's colour settings,
// and whether that combination can run at all.

// What the decision reads.
struct cScreenModeRequest {
  int nDirect3D = 0;    // 0 DirectDraw, anything else Direct3D
  int nWindowMode = 0;  // 0 full screen, 1 window, 2 resizable window (Direct3D)
  int nBpp = 0;         // 0: automatic
  int nVSync = 0;       // 0 off, 1 on, 2 or more automatic
  int nDesktopBpp = 32;
  bool bVistaOrLater = true;  // the system is version 6.0 or later
  int nDepthD3D = 0;          // game's full-screen colour setting for Direct3D: 1 is 16 bits
  int nDepthDD = 0;           // the same for DirectDraw: 1 is 16 bits, 2 is 8 bits
  int bFullColor = 0;         // 0: 256-colour palette graphics
};

enum class eScreenModeFault {
  kNone,
  kWindowDepth,  // a windowed 16 or 32 that is not the desktop's depth
  kInvalid,      // any other depth the mode cannot run at
};

struct cScreenMode {
  int bWindow = 0;
  int nVSync = 0;  // VSync as start-up keeps it: automatic settled to 0 or 1
  int nDepth = 0;  // what Bpp becomes
  // The windowed Direct3D mode with a frame the user can drag.
  bool bThickFrame = false;
  // Depth 8: DirectDraw's stretching from video memory is turned off.
  bool bNoVideoStretch = false;
  eScreenModeFault fault = eScreenModeFault::kNone;
};

cScreenMode ChooseScreenMode(const cScreenModeRequest& request);

// The box text of a fault; null for kNone.
const char* ScreenModeFaultText(eScreenModeFault fault);
