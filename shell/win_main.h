#pragma once
// The process's entry and its end: the report log and the system report, the single
// running instance, the main window, the start-up, the game thread, the message loop and
// the release of everything in a fixed order.
#include "platform/win_types.h"
#include "platform/win_window.h"
#include "shell/frame_limit.h"

extern HINSTANCE g_hInstance;

// The show command an authoring tool starts a test play with (SW_SHOW).
constexpr int kTestPlayShowCommand = 5;

// Runs the player; the process's exit code: 0 on every early exit, else the wParam of the
// WM_QUIT that ended the message loop. hPrevInstance is not used.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char* lpCmdLine, int nCmdShow);

// The game thread's routine: a frame of the game manager whenever the application is
// active and no message waits; WM_QUIT ends it. Returns 1.
unsigned GameLoop(void* arg);

// Releases, in order, what the start-up made and what still exists: sound effects, music,
// the scenes, the system fonts and their digit strips, the display, the keyboard hook.
void GameEnd();

// Starts thGame on GameLoop and proves its queue with a probe message. False when the
// thread could not be started.
bool StartGameThread();

// Dispatches the main thread's messages, waiting on the window's events and the queue
// together, until WM_QUIT; returns its wParam.
int RunMessageLoop();

// SetFrameLimit and FramesRun (TOVREL_FRAMES) are in shell/frame_limit.h.
