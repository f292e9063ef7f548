#pragma once
// The main thread's side of the main window between messages: SDL's events become the
// main window's messages, the keyboard and joysticks are published for the game thread,
// and the newest frame handed over is shown. The message loop waits here, on SDL's events
// and its own queue together: a message posted or sent from another thread wakes it at
// once, as does a frame handed over. Main thread only.
//
// What becomes of SDL's events (the display window's, handed to the main window's
// procedure at once, as the system sends them):
//   the close request (and SDL_QUIT, from an interrupt)  WM_CLOSE
//   the window moved                                     WM_MOVE (client origin)
//   its size changed                                     WM_SIZE (client size)
//   uncovered                                            WM_PAINT
//   Esc pressed                                          WM_KEYDOWN VK_ESCAPE
// and WM_ACTIVATEAPP 1 or 0 whenever the application becomes active or inactive: active
// while the window is shown, not minimised and has the keyboard focus. Under a driver
// that shows nothing (SDL's dummy and offscreen drivers) nobody gives a focus, and a
// shown window counts as active.

// Starts the loop's services: the joystick subsystem (so joysticks can be read) and the
// wake of a waiting loop by messages queued from other threads.
void BeginMainLoop();
// Stops the wake; the joystick handles are closed.
void EndMainLoop();

// One turn. With waitMs > 0 and no SDL event waiting, first blocks until one arrives, a
// message is queued or sent to the main thread from another thread, or waitMs milliseconds
// have passed. Then hands every waiting SDL event on as above, publishes the input
// snapshot and shows the newest frame handed over.
void PumpMainWindowEvents(int waitMs);
