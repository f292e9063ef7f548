#include "app/main_window_handle.h"

HWND g_hWnd = nullptr;
