#pragma once
// Hands the shell what its main window asks of the front end and of stage play: the
// ranking-name dialog, the free start of a stage file and the replay files, and what
// start-up asks of them (the effect tables of stage play, the start of a stage). The
// program's entry calls it once, before the game thread starts.
void InstallFrontEndServices();
