#pragma once
// The play trace: with TOVREL_TRACE set, one JSON line per frame of the play scene,
// written after the frame's step and drawing, into the file it names:
//   {"frame": f, "state": s, "scroll": [x, y], "objects": [...]}
// f counts from 0 at the play scene's first frame, s is the play state, and the objects
// are the players, the characters, the items and the shots, in that order, each
// {"kind", "id", "x", "y", "vx", "vy", "cvx", "cvy", "hp", "facing", "active"}. Doubles
// are written with 17 significant digits so that they read back to the same bits.
// Checks outside the code read this format: fields are only ever added at the end of an
// object, never renamed.
#include <cstdio>
#include <string>

class cSceneGame;

// Opens the file named by TOVREL_TRACE, when it is set. False with a message when it
// cannot be created.
bool OpenPlayTraceFromEnv(std::string& error);
// Writes the current frame's line (nothing without a trace file).
void WritePlayTraceFrame(const cSceneGame& scene);
// Writes one frame's line to `file` for frame number nFrame.
void WritePlayTraceLine(std::FILE* file, int nFrame, const cSceneGame& scene);
