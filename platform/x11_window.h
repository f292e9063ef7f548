#pragma once
// The display window's side of the X server: the class a desktop names and groups the
// window by. Does nothing where SDL does not run on X11 (the dummy driver, Wayland).
#include <string>

struct SDL_Window;

// Sets the window's X11 class (WM_CLASS, both the instance and the class name) to
// `className` (UTF-8). Call before the window is shown.
void SetX11WindowClass(SDL_Window* window, const std::string& className);
