#pragma once
// The notices that tell the authoring tool that a test play has started or ended; sent
// only while g_bTestPlay is set. Each carries the player's window as it is held at that
// moment (null, 0, once the window is destroyed).
#include "platform/win_types.h"

// After the main window exists, before start-up: dwData 1, value 1.
void NotifyTestPlayStart(HWND hWnd);
// On WM_DESTROY (result 1) or after a failed start-up (result 0): dwData 0, value result.
void NotifyTestPlayEnd(HWND hWnd, int result);
