#pragma once
// The input snapshot. Once a frame, after pumping SDL's events, the main thread turns
// SDL's keyboard, mouse and joystick state into the key table that GetAsyncKeyState reads
// (key_state.h) and the joystick table that joyGetPosEx reads (joystick_state.h); any
// thread reads them. Tests script the snapshot frame by frame instead.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/joystick_state.h"

// Publishes the keyboard from key states indexed by SDL scancode (`count` entries,
// nonzero = down) and SDL's mouse-button mask (bit 0 left, 1 middle, 2 right, 3 and 4 the
// side buttons). Every virtual-key code is written, so a code that no held key stands for
// reads as up.
void PublishKeyboardState(const std::uint8_t* scancodeDown, int count, std::uint32_t mouseButtons);

// Reads SDL's keyboard, mouse and joysticks and publishes them; main thread, after the
// event pump. Joystick id n is SDL's joystick at device index n: opened when it appears,
// closed when it is unplugged (ids move up as SDL's indices do). Axis 0 is X, axis 1 Y.
// Without SDL's joystick subsystem every id reads unplugged.
void PublishInputFromSdl();
// Closes the joysticks PublishInputFromSdl opened and unplugs every id; before SDL_Quit.
void CloseInputDevices();

// One frame of a scripted snapshot: the keys held (virtual-key codes) and the joysticks
// present, by id.
struct cInputFrame {
  std::vector<int> vHeldKeys;
  std::vector<std::pair<int, JoystickSnapshot>> vJoysticks;
};
// Replaces the whole snapshot by the frame: keys not listed are up, ids not listed
// unplugged.
void PublishInputFrame(const cInputFrame& frame);
