#include "media/draw/unread_bitmap_report.h"

#include "app/report_log.h"
#include "data/record/data_file.h"

void ReportUnreadBitmap(const char* file, const cBitmapFailure& why, eMissingBitmap missing) {
  if (file == nullptr || *file == '\0') return;
  if (why.refused != HOSTFILE_NONE)
    WriteReport("%s : %s", file, NotAFileText(why.refused));
  else if (why.bOpened)
    WriteReport("%s : ビットマップとして読み込めません", file);
  else if (missing == eMissingBitmap::kReport)
    WriteReport("%s : ファイルが見つかりません", file);
}
