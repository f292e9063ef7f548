#pragma once
// The report line of a picture that was not read, so that the user finds in the report log
// which file it was and why (the error-check log, where the callers write as well, is off
// in the player).
#include "platform/bitmap_file.h"

// Whether a missing file gets a line of its own. The pictures of the surface table leave
// a missing file to their callers (a quiet row, a stage background slot without a
// picture); a picture the caller cannot do without says that it is missing.
enum class eMissingBitmap { kQuiet, kReport };

// Writes "<file> : <why>": what stood in place of a regular file, a file that is no bitmap
// this player reads, or (when asked) a missing file. A blank name is no file and writes
// nothing.
void ReportUnreadBitmap(const char* file, const cBitmapFailure& why, eMissingBitmap missing);
