#pragma once
// Pictures of chosen play frames: with TOVREL_SCREENS set to frame numbers of the play
// scene, counted as the trace counts them ("30,120,400"), the finished back buffer of
// each of those frames is written after the frame's step and drawing, when its trace line
// is written, as "screen_<frame>.ppm" (binary PPM, 8 bits a channel; an 8-bit display
// through its palette) into the current folder. The golden-frame checks compare them;
// a person can look at them with any picture viewer.
#include <string>

// Reads TOVREL_SCREENS, when it is set. False with a message when it is not a list of
// frame numbers from 0 up, separated by commas.
bool ReadPlayScreensFromEnv(std::string& error);
// Counts a frame of the play scene and writes its picture when the list names it.
void WritePlayScreenIfListed();
