#pragma once
// The main window's queue of posted messages. It exists from process start: a message
// posted before the window exists (early code posts to a null handle) waits in it until
// the main loop takes it. Any thread may post.
#include "platform/win_types.h"

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Posts to the main window. A null handle or the main window's handle both reach the
// main window's queue; other handles are refused (0).
BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The handle the main window is known by once it exists.
void SetMainWindowHandle(HWND hWnd);
HWND GetMainWindowHandle();

// Takes the oldest posted message, if any. 1 when one was taken. Its hwnd is the main
// window's handle as it is now (null while there is no window), whatever handle it was
// posted to, so that a message posted before the window existed reaches the window.
BOOL TakePostedMessage(MSG* out);
// Counts the posted messages of one kind still waiting (diagnostics and tests).
int CountPostedMessages(UINT message);
// Drops every posted message (tests).
void ClearPostedMessages();
