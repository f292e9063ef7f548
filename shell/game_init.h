#pragma once
// Start-up: brings the player from an empty, hidden main window to the first frame
// (folders and default data, the databases, the system data, System.ini and the start-up
// dialog, the screen mode and the display, fonts, input, options, music and sound effects,
// the world map and the common palette, and the stage named on the command line). Main
// thread only, before the game thread exists, with the main window made (hidden) and the
// report log open. What it needs of the flows, stage play and the front end is installed
// first (startup_services.h).

// True when the game is ready to run. False ends the start-up; the reason has been shown
// or written to the report log.
bool GameInit(const char* cmdLine, int cmdShow);

// 1 when the program was started on a stage file (the command line or System.ini's
// FreeStage); stage play reads it.
extern int g_bStartStage;
