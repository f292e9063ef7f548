#include "shell/screen_mode.h"

cScreenMode ChooseScreenMode(const cScreenModeRequest& r) {
  cScreenMode mode;
  const bool direct3D = r.nDirect3D != 0;
  const bool window = r.nWindowMode != 0;
  mode.bWindow = window ? 1 : 0;
  mode.nVSync = r.nVSync;
  if (direct3D) {
    if (r.nVSync >= 2) mode.nVSync = 1;
  } else if (window) {
    // A DirectDraw window copies its frames to the desktop, which paces nothing.
    mode.nVSync = 0;
  } else if (r.nVSync >= 2) {
    mode.nVSync = r.bVistaOrLater ? 0 : 1;
  }

  // Palette graphics at 8 bits only where the display itself has a palette.
  const bool paletteScreen = !window && !direct3D && r.bFullColor == 0;
  if (r.nBpp != 0) {
    mode.nDepth = r.nBpp;
  } else if (window) {
    mode.nDepth = r.nDesktopBpp;
  } else if (direct3D) {
    mode.nDepth = r.nDepthD3D == 1 ? 16 : 32;
  } else {
    mode.nDepth = r.nDepthDD == 1 ? 16 : (r.nDepthDD == 2 && paletteScreen ? 8 : 32);
  }

  const bool trueColour = mode.nDepth == 16 || mode.nDepth == 32;
  const bool allowed = trueColour || (mode.nDepth == 8 && paletteScreen);
  if (window && trueColour && mode.nDepth != r.nDesktopBpp)
    mode.fault = eScreenModeFault::kWindowDepth;
  else if (!allowed)
    mode.fault = eScreenModeFault::kInvalid;

  mode.bThickFrame = mode.fault == eScreenModeFault::kNone && window && direct3D && r.nWindowMode == 2;
  mode.bNoVideoStretch = mode.nDepth == 8;
  return mode;
}

const char* ScreenModeFaultText(eScreenModeFault fault) {
  switch (fault) {
    case eScreenModeFault::kWindowDepth:
      return "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
    case eScreenModeFault::kInvalid:
      return "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";
    case eScreenModeFault::kNone:
      break;
  }
  return nullptr;
}
