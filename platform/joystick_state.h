#pragma once
// The joysticks that the main thread publishes for every thread, read the way the game
// reads them on Windows: joyGetPosEx with X and Y from 0 to 65535 (centre 32768) and
// button n+1 as bit n of dwButtons. Joystick ids 0 to kJoystickIdCount-1 stand for the
// host's joysticks in the order the host lists them.
#include "platform/win_types.h"

using MMRESULT = UINT;

constexpr MMRESULT JOYERR_NOERROR = 0;
constexpr MMRESULT JOYERR_PARMS = 165;      // bad id, record or record size
constexpr MMRESULT JOYERR_UNPLUGGED = 167;  // nothing at this id

constexpr DWORD JOY_RETURNX = 0x01;
constexpr DWORD JOY_RETURNY = 0x02;
constexpr DWORD JOY_RETURNBUTTONS = 0x80;

// The query record (52 bytes). Only X, Y, the buttons and the number of buttons down are
// filled, each when its flag asks for it; the other fields are left as the caller set them.
struct JOYINFOEX {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwXpos;
  DWORD dwYpos;
  DWORD dwZpos;
  DWORD dwRpos;
  DWORD dwUpos;
  DWORD dwVpos;
  DWORD dwButtons;
  DWORD dwButtonNumber;
  DWORD dwPOV;
  DWORD dwReserved1;
  DWORD dwReserved2;
};
static_assert(sizeof(JOYINFOEX) == 52);

// How many joysticks the layer offers; ids at or above it are refused (JOYERR_PARMS).
constexpr int kJoystickIdCount = 16;

// JOYERR_NOERROR with the joystick's state; JOYERR_UNPLUGGED when no joystick is at the
// id; JOYERR_PARMS for an id out of range, a null record or a dwSize other than 52.
// Safe from any thread.
MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info);

// One joystick as published: X and Y 0..65535, up to 32 buttons as bits.
struct JoystickSnapshot {
  bool bPresent = false;
  DWORD dwX = 32768;
  DWORD dwY = 32768;
  DWORD dwButtons = 0;
};

// Publishes the state of one id (the main thread's snapshot, and tests). Ids out of range
// are ignored. X and Y above 65535 are taken as 65535.
void SetJoystickState(int joystickId, const JoystickSnapshot& state);
JoystickSnapshot GetJoystickState(int joystickId);
// Every id unplugged.
void ClearJoystickStates();
