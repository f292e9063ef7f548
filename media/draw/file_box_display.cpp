// What the file boxes need of the display: whether they open over a full-screen frame, and
// at 8 bits the first palette colour black while a box is open (the box's own drawing
// takes that entry), put back from the display palette afterwards.
#include "app/ui/file_boxes.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_device.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_state.h"

namespace {

int IsFullScreenActive() { return (lpDTCon != nullptr || lpDDCon != nullptr) && !g_bWindow ? 1 : 0; }

int BlackenPaletteEntry0() {
  if (lpDDCon == nullptr || g_nBpp != 8 || lpDDPalette == nullptr) return 0;
  const PALETTEENTRY black{};
  lpDDPalette->SetEntries(0, 1, &black);
  return 1;
}

void RestorePaletteEntry0() {
  if (lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 1, &g_DispPalette[0]);
}

}  // namespace

void DDInstallFileBoxHooks() {
  FileBoxDisplayHooks hooks;
  hooks.isFullScreenActive = &IsFullScreenActive;
  hooks.blackenPaletteEntry0 = &BlackenPaletteEntry0;
  hooks.restorePaletteEntry0 = &RestorePaletteEntry0;
  SetFileBoxDisplayHooks(hooks);
}
