#pragma once
// The main window's handle; null until the window exists.
#include "platform/win_types.h"

extern HWND g_hWnd;
