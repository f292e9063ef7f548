#pragma once
// The display window's SDL objects, for the modal host that draws over the last frame.
// Internal to the platform layer; null while the display window is closed.
#include <SDL.h>

SDL_Window* DisplaySdlWindow();
SDL_Renderer* DisplaySdlRenderer();
// Holds the last frame shown (null before the first).
SDL_Texture* DisplaySdlTexture();
