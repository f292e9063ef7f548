#include "media/draw/display_state.h"

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "platform/message_box.h"

int g_bDDReady = 0;
int g_bWindow = 1;

namespace {

int g_nDialogModeEntries = 0;
int g_nDialogModeExits = 0;

// The provider boxes went to before the display took them over; DDMesBox hands its box
// on to it, never back to MessageBoxA, which would route the box here again.
cMessageBoxProvider* g_pBoxesBeforeDisplay = nullptr;

int ShowOverDisplay(const MessageBoxRecord& box) {
  if (!DDSetDialogMode(1)) {
    WriteECf("DDMesBox 失敗! %s, %s", box.text.c_str(), box.caption.c_str());
    return 0;
  }
  ShowMessageBoxWith(g_pBoxesBeforeDisplay, box);
  DDSetDialogMode(0);
  return 1;
}

class cFullScreenBoxes : public cMessageBoxProvider {
 public:
  int Show(const MessageBoxRecord& box) override { return ShowOverDisplay(box); }
};

cFullScreenBoxes g_FullScreenBoxes;
bool g_bRouted = false;

}  // namespace

int DDSetDialogMode(int bOn) {
  if (bOn)
    ++g_nDialogModeEntries;
  else
    ++g_nDialogModeExits;
  return 1;
}

int DDDialogModeEntries() { return g_nDialogModeEntries; }
int DDDialogModeExits() { return g_nDialogModeExits; }

int DDMesBox(const char* text, const char* caption, UINT type) {
  return ShowOverDisplay(MessageBoxRecord{g_hWnd, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
}

void DDRouteMessageBoxes(int bOn) {
  if (bOn && !g_bRouted) {
    g_pBoxesBeforeDisplay = SetMessageBoxProvider(&g_FullScreenBoxes);
    g_bRouted = true;
  } else if (!bOn && g_bRouted) {
    SetMessageBoxProvider(g_pBoxesBeforeDisplay);
    g_pBoxesBeforeDisplay = nullptr;
    g_bRouted = false;
  }
}
