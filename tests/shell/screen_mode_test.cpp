// The screen mode start-up asks for: window or full screen, vertical sync, colour depth,
// and the modes that cannot run.
#include "shell/screen_mode.h"

#include <gtest/gtest.h>

namespace {

using F = eScreenModeFault;

TEST(ScreenModeTest, SettingsAndDesktopGiveTheMode) {
  struct Case {
    const char* name;
    int direct3D, windowMode, bpp, vsync, desktop;
    bool vista;
    int depthD3D, depthDD, fullColor;
    // expected
    int window, vsyncAfter, depth;
    bool thickFrame, noStretch;
    F fault;
  } const cases[] = {
      // Windowed, automatic depth: always the desktop's, so never a fault.
      {"D3D window, automatic depth on a 32-bit desktop", 1, 1, 0, 2, 32, true, 1, 1, 0, 1, 1, 32, false, false, F::kNone},
      {"D3D window, automatic depth on a 16-bit desktop", 1, 1, 0, 0, 16, true, 0, 0, 0, 1, 0, 16, false, false, F::kNone},
      {"DD window, automatic depth on a 16-bit desktop", 0, 1, 0, 1, 16, true, 0, 0, 0, 1, 0, 16, false, false, F::kNone},
      {"resizable D3D window gets the thick frame", 1, 2, 0, 1, 32, true, 0, 0, 0, 1, 1, 32, true, false, F::kNone},
      {"resizable DirectDraw window has none", 0, 2, 0, 1, 32, true, 0, 0, 0, 1, 0, 32, false, false, F::kNone},
      {"window mode 2 with a fault has no frame", 1, 2, 16, 1, 32, true, 0, 0, 0, 1, 1, 16, false, false,
       F::kWindowDepth},
      // A windowed depth that is not the desktop's.
      {"Bpp 32 in a window on a 16-bit desktop", 1, 1, 32, 1, 16, true, 0, 0, 0, 1, 1, 32, false, false,
       F::kWindowDepth},
      {"Bpp 16 in a DD window on a 32-bit desktop", 0, 1, 16, 1, 32, true, 0, 0, 0, 1, 0, 16, false, false,
       F::kWindowDepth},
      {"Bpp 8 in a window", 0, 1, 8, 0, 32, true, 0, 0, 0, 1, 0, 8, false, true, F::kInvalid},
      {"Bpp 24 in a window", 1, 1, 24, 0, 32, true, 0, 0, 0, 1, 0, 24, false, false, F::kInvalid},
      // Full screen, automatic depth from the game's colour settings.
      {"D3D full screen, 32 bits", 1, 0, 0, 0, 16, true, 0, 1, 0, 0, 0, 32, false, false, F::kNone},
      {"D3D full screen, game asks 16", 1, 0, 0, 0, 32, true, 1, 0, 0, 0, 0, 16, false, false, F::kNone},
      {"D3D full screen, the DD 8-bit setting is not read", 1, 0, 0, 0, 32, true, 0, 2, 0, 0, 0, 32, false, false,
       F::kNone},
      {"DD full screen, game asks 16", 0, 0, 0, 0, 32, true, 0, 1, 0, 0, 0, 16, false, false, F::kNone},
      {"DD full screen, game asks 8 with palette graphics", 0, 0, 0, 0, 32, true, 0, 2, 0, 0, 0, 8, false, true,
       F::kNone},
      {"DD full screen, 8 asked by a full-colour game gives 32", 0, 0, 0, 0, 32, true, 0, 2, 1, 0, 0, 32, false, false,
       F::kNone},
      // Depth 8 only full screen with DirectDraw and palette graphics.
      {"Bpp 8 full screen DD", 0, 0, 8, 0, 32, true, 0, 0, 0, 0, 0, 8, false, true, F::kNone},
      {"Bpp 8 full screen DD, full colour", 0, 0, 8, 0, 32, true, 0, 0, 1, 0, 0, 8, false, true, F::kInvalid},
      {"Bpp 8 full screen D3D", 1, 0, 8, 0, 32, true, 0, 0, 0, 0, 0, 8, false, true, F::kInvalid},
      {"Bpp 15 full screen", 0, 0, 15, 0, 32, true, 0, 0, 0, 0, 0, 15, false, false, F::kInvalid},
      {"full screen needs no desktop match", 0, 0, 16, 0, 32, true, 0, 0, 0, 0, 0, 16, false, false, F::kNone},
      // Vertical sync.
      {"D3D full screen, automatic sync on", 1, 0, 32, 2, 32, true, 0, 0, 0, 0, 1, 32, false, false, F::kNone},
      {"D3D full screen, sync 0 stays", 1, 0, 32, 0, 32, false, 0, 0, 0, 0, 0, 32, false, false, F::kNone},
      {"DD window, sync always off", 0, 1, 0, 1, 32, false, 0, 0, 0, 1, 0, 32, false, false, F::kNone},
      {"DD full screen, automatic sync off from Vista", 0, 0, 32, 2, 32, true, 0, 0, 0, 0, 0, 32, false, false,
       F::kNone},
      {"DD full screen, automatic sync on before Vista", 0, 0, 32, 2, 32, false, 0, 0, 0, 0, 1, 32, false, false,
       F::kNone},
      {"DD full screen, sync 1 stays", 0, 0, 32, 1, 32, true, 0, 0, 0, 0, 1, 32, false, false, F::kNone},
      {"Direct3D other than 1 counts as Direct3D", 5, 1, 0, 3, 32, true, 0, 0, 0, 1, 1, 32, false, false, F::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cScreenModeRequest r;
    r.nDirect3D = c.direct3D;
    r.nWindowMode = c.windowMode;
    r.nBpp = c.bpp;
    r.nVSync = c.vsync;
    r.nDesktopBpp = c.desktop;
    r.bVistaOrLater = c.vista;
    r.nDepthD3D = c.depthD3D;
    r.nDepthDD = c.depthDD;
    r.bFullColor = c.fullColor;
    const cScreenMode mode = ChooseScreenMode(r);
    EXPECT_EQ(mode.bWindow, c.window);
    EXPECT_EQ(mode.nVSync, c.vsyncAfter);
    EXPECT_EQ(mode.nDepth, c.depth);
    EXPECT_EQ(mode.bThickFrame, c.thickFrame);
    EXPECT_EQ(mode.bNoVideoStretch, c.noStretch);
    EXPECT_EQ(mode.fault, c.fault);
  }
}

}  // namespace
