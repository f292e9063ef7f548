#pragma once
// Message queues, one per thread. The main thread's queue is the main window's: it exists
// from process start, and a message posted before the window exists (early code posts to
// a null handle) waits in it until the main loop takes it. A thread started by the layer
// has its queue before its routine runs, so the first post to it succeeds; any other
// thread gets one on its first call. Any thread may post to any queue.
//
// Messages sent to the main window with SendMessageA are served by the main thread before
// its posted messages at every peek, get and wait; the sender blocks until the window
// procedure has returned, and gives up (result 0) once shutdown has begun.
//
// Every call that may block (and every peek) is a point where a suspended thread stops
// until it is resumed, and where a thread asked to end unwinds (see threads.h).
#include "platform/win_types.h"

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

using WNDPROC = LRESULT (*)(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Posts to the main window. A null handle or the main window's handle both reach the
// main window's queue; other handles are refused (0).
BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Posts to the queue of a thread (hwnd null). 0 when no running thread has that id.
BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Posts WM_QUIT (wParam = exitCode) to the calling thread's own queue.
void PostQuitMessage(int exitCode);

// The handle the main window is known by once it exists.
void SetMainWindowHandle(HWND hWnd);
HWND GetMainWindowHandle();
// The procedure that receives the main window's sent and dispatched messages.
void SetMainWindowProc(WNDPROC proc);
// Called after a message is queued for the main thread from elsewhere, so that a main
// loop blocked in its own event wait wakes up. Null: none.
void SetMainQueueWakeHook(void (*wake)());

// The main thread is the thread that started the process until another marks itself.
void MarkMainThread();
bool IsMainThread();
DWORD GetCurrentThreadId();

// Takes (PM_REMOVE) or looks at (PM_NOREMOVE) the oldest message of the calling thread's
// queue whose number lies in [filterMin, filterMax] (both 0: any). 1 when there was one.
// A message posted to the main window carries the window's handle as it is now.
BOOL PeekMessageA(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for and takes the next message as PeekMessageA does; 0 when it is WM_QUIT.
BOOL GetMessageA(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax);
// Waits until the calling thread's queue holds a posted message.
BOOL WaitMessage();
// Nothing to translate here (keys arrive as they are); kept so that loops read as usual.
BOOL TranslateMessage(const MSG* msg);
// Hands a message of the main window to its procedure; 0 for thread messages.
LRESULT DispatchMessageA(const MSG* msg);
// Sends to the main window and returns the procedure's result. On the main thread the
// procedure is called at once. 0 for any other handle, and when shutdown has begun.
LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Where messages to windows other than the main one go (dialogs and their controls,
// main thread only). Null: they are refused.
void SetOtherWindowRouter(LRESULT (*send)(HWND, UINT, WPARAM, LPARAM), BOOL (*post)(HWND, UINT, WPARAM, LPARAM));

// Runs task(context) on the main thread and returns once it has run: at once on the main
// thread; from another thread as a message sent to the main window, served wherever the
// main thread serves sent messages. 0 when the task did not run (no main window, or
// shutdown has begun).
BOOL RunOnMainThread(void (*task)(void*), void* context);

// From here on blocked and future senders give up. Set before the close sequence ends
// any thread, so that a thread blocked in a send is released.
void BeginShutdown();
bool IsShutdownBegun();
// Clears the shutdown state (tests).
void ResetShutdown();

// Takes the oldest message of the main thread's queue, if any, from whatever thread
// calls. 1 when one was taken. A message posted to the main window gets the window's
// handle as it is now (null while there is no window), whatever handle it was posted
// to, so that a message posted before the window existed reaches the window.
BOOL TakePostedMessage(MSG* out);
// Counts the messages of one kind waiting in the main thread's queue (diagnostics, tests).
int CountPostedMessages(UINT message);
// Drops every message of the main thread's queue (tests).
void ClearPostedMessages();
