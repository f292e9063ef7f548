#pragma once
// 1 when the authoring tool started this player for a test play; 0 otherwise. Start-up
// sets it from the show command the process was given.
extern int g_bTestPlay;
