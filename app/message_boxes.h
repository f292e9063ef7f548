#pragma once
// Message boxes of the program; captions and texts are CP932.
#include "platform/win_types.h"

int MesBox(const char* text, const char* caption, UINT type);
int ErrMesBox(const char* text);
int ErrMesBoxf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int DebugMesBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
void MemErrMesBox();
