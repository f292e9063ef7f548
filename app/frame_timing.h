#pragma once
// Frame timing on the millisecond clock (timeGetTime): a stopwatch for the frame's work,
// an every-n-th-frame counter, a frames-per-second counter over 1000 ms windows and the
// two frame limiters. Used by whichever thread runs frames (never two at once). Times
// are compared by their signed difference, so the wrap of the 32-bit clock after 49.7
// days does not stall the limiters.
#include <cstdint>

#include "platform/win_types.h"

void StartFrameTime();
// measure != 0: the time since StartFrameTime, kept and returned; 0: the kept value.
DWORD GetFrameTime(int measure);
// mode 0: reset, 0; mode 2: 1 when the counter is 0 (n ignored); else count one and
// return 1 (resetting) when n is reached.
std::int32_t CountEvery(int mode, int n);
// Frames of the last full 1000 ms window; count != 0 counts this call.
DWORD CountFps(int count);
// True when the next frame may start (DirectDraw pacing: 1000 / fps ms after the last
// frame allowed). fps 0 never holds a frame.
bool FrameLimitDD(int fps);
// True when the next frame may be presented (Direct3D pacing: frame k of each second at
// k * 1000.0 / fps ms; each second starts one second after the last, or at the present
// time after a stall longer than a frame). True without a Direct3D display or for fps 0.
bool FrameLimitD3D(int fps);

// Runs without a person may take their frames as fast as they are made: while unpaced,
// both limiters let every frame through at once. The frames are the same ones (play
// counts frames, never the clock); only the waits between them go.
void SetFramesUnpaced(bool bUnpaced);
bool FramesUnpaced();

// The display tells the limiter whether the Direct3D back end runs. Null: it does not.
void SetFrameTimingDirect3DQuery(bool (*isDirect3D)());
// Forgets every timing state, as at process start, paced (tests).
void ResetFrameTiming();
