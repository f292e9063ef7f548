#pragma once
// The display's state as the rest of the program sees it, and boxes shown over a running
// display.
#include "platform/win_types.h"

// 1 once the display is initialised.
extern int g_bDDReady;
// 1 in the windowed modes, 0 full screen.
extern int g_bWindow;

// Lets a dialog show over a full-screen display (1) and returns to the game (0). 1 on
// success.
int DDSetDialogMode(int bOn);
// How many times dialog mode has been entered and left since start: what a box over the
// display can be checked against.
int DDDialogModeEntries();
int DDDialogModeExits();

// Shows a box over the full-screen display: dialog mode on, the box, dialog mode off.
// 1 when the box was shown (its answer is not returned), 0 when dialog mode could not be
// entered.
int DDMesBox(const char* text, const char* caption, UINT type);

// While the display runs full screen, every message box of the program goes through
// DDMesBox: the display installs this routing when it starts full screen (1) and removes
// it when it ends (0).
void DDRouteMessageBoxes(int bOn);

// Lets the file boxes see the display (full screen, the 8-bit palette); the display
// installs it when it starts.
void DDInstallFileBoxHooks();
