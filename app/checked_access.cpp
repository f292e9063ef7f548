#include "app/checked_access.h"

#include <string>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "platform/message_queue.h"

void ReportCheckedAccessFailure(char kind, int index, std::size_t count, std::size_t elementSize) {
  std::string text;
  if (kind == 'L')
    StrPrintf(text, "err L[%d] ( %d , %d )", index, static_cast<int>(count), static_cast<int>(elementSize));
  else
    StrPrintf(text, "err V[%d] ( %d , %d )", index, static_cast<int>(count), static_cast<int>(elementSize));
  WriteEC(text.c_str());
  WriteReportText(text.c_str());
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}
