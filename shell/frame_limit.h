#pragma once
// The bound on the frames of a run without a person (TOVREL_FRAMES): every frame the player
// runs counts, the game loop's and those of the modal loops of stage play (pause, ranking,
// waits for a key), so a run ends after its frames whatever its script answers. The frame
// that reaches the bound asks the main window to close, so that the program ends through
// its normal close sequence; no frame runs after it.

// After this many frames the game asks the main window to close; 0: no limit.
void SetFrameLimit(int nFrames);
// The frames run since the count started.
int FramesRun();
// True when a bound is set and the frames run have reached it: a loop runs no further
// frame (it waits for the close sequence instead).
bool FrameLimitReached();
// Counts a frame that has run; the one that reaches the bound posts WM_CLOSE to the main
// window.
void CountFrameRun();
// Starts the count again from 0 (the game thread's start), keeping the bound.
void RestartFrameCount();
