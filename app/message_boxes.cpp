#include "app/message_boxes.h"

#include "app/bounded_format.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"

// While the display runs full screen it stands in front of the boxes and shows each one in
// its dialog mode over the game, so this does not need to know about the display.
int MesBox(const char* text, const char* caption, UINT type) {
  return MessageBoxA(GetActiveWindow(), text, caption, type);
}

int ErrMesBox(const char* text) { return MesBox(text, "エラー", MB_OK); }

int ErrMesBoxf(const char* format, ...) {
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return ErrMesBox(text);
}

int DebugMesBox(const char* format, ...) {
  if (!IsECLogEnabled()) return 0;
  char text[kLogTextMax + 1];
  FORMAT_BOUNDED_ARGS(text, format);
  return ErrMesBox(text);
}

void MemErrMesBox() {
  ErrMesBox("メモリが不足しています！");
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}
