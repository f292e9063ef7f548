#pragma once
// Steps that the front-end scenes share: the input filter of their frames, the request of
// their music slot on entry, the loading of their fixed pictures, and the screen fades.
#include "platform/win_types.h"

// Buttons made one-shot by the menu scenes: decision and cancel, or all four.
constexpr WORD kMenuButtons = 3;
constexpr WORD kAllMenuButtons = 15;

// Input device 0 as a front-end scene reads it this frame: a script's words in a headless
// run, the directions auto-repeated, the buttons of `buttonMask` reported once a press.
void FilterMenuInput(WORD buttonMask);

// Asks the main window for the music of scene slot `slot` (0 title, 1 world map and its
// menu, 2 challenge select, 3 options) unless that music is already requested; a slot
// without music always asks, which stops the music.
void RequestSceneBgm(int slot);

// Loads fixed surfaces `rows`; false (after asking the main window to close) on failure.
bool LoadFrontSurfaces(const int* rows, int nCount);
void ReleaseFrontSurfaces(const int* rows, int nCount);

// One step of the screen fade in / out at the game manager's speed; true when it ended.
bool FrontFadeInStep();
bool FrontFadeOutStep();
