#pragma once
// The display window's side of the X server: the class a desktop names and groups the
// window by, and the end of the program when its connection to the server is lost. Does
// nothing where SDL does not run on X11 (the dummy driver, Wayland).
#include <string>

struct SDL_Window;

// Sets the window's X11 class (WM_CLASS, both the instance and the class name) to
// `className` (UTF-8). Call before the window is shown.
void SetX11WindowClass(SDL_Window* window, const std::string& className);

// A lost connection to the X server ends the program at once, without running the global
// destructors: the game thread may still be drawing and the server cannot come back, so
// no close sequence can run. Files are written whole or not at all (each save goes to a
// new file that replaces the old one), so nothing is left half-written. `report` (may
// be null) runs first, on the thread that met the loss, to log it. Installs the handler
// over the X library's own, which would end the program through exit() while other
// threads still use what the global destructors free.
void EndProgramOnDisplayLoss(void (*report)());
// Installs the handler again, with the report given last (after SDL's video start-up,
// which may install its own).
void WatchDisplayConnection();

// The exit code of a program ended by the loss of its display.
constexpr int kDisplayLostExitCode = 3;
