#pragma once
// Threads of the program. A thread is never killed: suspending and ending are
// cooperative. A suspended thread stops at its next call into the layer (a sleep, a peek
// or wait on its queue, a send, a present, an input poll) until it is resumed; a thread
// asked to end unwinds from its next call into the layer by the exception cThreadKilled,
// which its starter's wrapper takes. Threads are joined.
#include "platform/message_queue.h"
#include "platform/win_types.h"

// The routine of a thread, as _beginthreadex takes it.
using THREADROUTINE = unsigned (*)(void* arg);

class cThreadObject;
using HTHREAD = cThreadObject*;

// Thrown out of a layer call of a thread asked to end. Deliberately not derived from
// std::exception. Code that catches everything must rethrow it; the flag behind it stays
// set, so the next layer call throws it again even if it was swallowed.
struct cThreadKilled {};

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
// The exit code of a thread that unwound by cThreadKilled.
constexpr unsigned kKilledThreadExitCode = 0xDEADu;

// Starts a thread running routine(arg). Its message queue exists before the routine
// runs. The id goes to *threadId (when given). Null when the thread could not be made.
HTHREAD BeginThread(THREADROUTINE routine, void* arg, DWORD* threadId);
// WAIT_OBJECT_0 once the thread's routine has returned, WAIT_TIMEOUT after `ms`
// milliseconds (0: just ask), WAIT_FAILED for a null handle.
DWORD WaitForThread(HTHREAD thread, DWORD ms);
// Joins the thread (call it once the thread has ended) and frees the handle.
BOOL CloseThreadHandle(HTHREAD thread);
// The thread's routine result, once it has ended. 0 while it runs or for a null handle.
BOOL GetExitCodeThread(HTHREAD thread, DWORD* exitCode);
// The suspend count before the call, or (DWORD)-1 for a null handle. A suspended thread
// stops at its next call into the layer.
DWORD SuspendThread(HTHREAD thread);
DWORD ResumeThread(HTHREAD thread);
// Asks the thread to unwind at its next call into the layer; wakes it where it waits.
void RequestThreadKill(HTHREAD thread);

// Waits until the thread with this id has ended (WAIT_OBJECT_0) or the calling thread's
// queue holds a message (WAIT_OBJECT_0 + 1; on the main thread a sent message counts),
// at most `ms` milliseconds (WAIT_TIMEOUT). A thread that is unknown has ended.
DWORD MsgWaitForThreadEnd(DWORD threadId, DWORD ms);

// The point where a suspended thread stops and an ended one unwinds. Every blocking call
// of the layer passes it; the display and input layers call it too.
void PassThreadGate();
