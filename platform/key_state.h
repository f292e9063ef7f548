#pragma once
// The keyboard and mouse-button state that the main thread publishes for every thread.
#include "platform/win_types.h"

// Most significant bit set while the key (a Windows virtual-key code) is held.
SHORT GetAsyncKeyState(int virtualKey);
// Publishes the held state of one key (the event pump, and tests).
void SetKeyHeld(int virtualKey, bool held);
