#include "media/draw/display_state.h"

#include "platform/message_box.h"

int g_bDDReady = 0;
int g_bWindow = 1;

// Until the display's dialog mode exists, the box is a plain one without owner.
int DDMesBox(const char* text, const char* caption, UINT type) {
  MessageBoxA(nullptr, text, caption, type);
  return 1;
}
