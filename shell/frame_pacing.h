#pragma once
// Connects the display's present to the frame limiters of the frame timing: without
// vertical sync (or where the display's rate is not 60 Hz, which turns vertical sync off),
// the Direct3D present waits for the next frame's due time, so the game holds its frame
// rate instead of running as fast as it can draw.
void ConnectFramePacing();
