#pragma once
// The display's state as the rest of the program sees it, and boxes shown over a running
// display.
#include "platform/win_types.h"

// 1 once the display is initialised.
extern int g_bDDReady;
// 1 in the windowed modes, 0 full screen.
extern int g_bWindow;

// Shows a box over the display: in full screen the display switches to dialog mode around
// it. 1 when the box was shown (its answer is not returned).
int DDMesBox(const char* text, const char* caption, UINT type);
