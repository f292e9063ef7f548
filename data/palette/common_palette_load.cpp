#include "app/report_log.h"
#include "data/palette/palette.h"

int LoadCommonPalette() {
  if (g_CommonPalette.LoadFromFile(kCommonPalettePath)) return 1;
  // A damaged file may have been read in part: leave the template entries only.
  g_CommonPalette = cPalette();
  WriteReportBox("%s のロードに失敗！", kCommonPalettePath);
  return 0;
}
