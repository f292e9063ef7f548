#pragma once
// Requests that other threads send to the main window, whose handler runs them on the main
// thread while the sender waits: the modal dialogs, the sound effects, the music and the
// restore of a lost Direct3D device.
#include "data/system/system_data.h"  // kSystemSoundCount
#include "platform/win_types.h"

constexpr UINT WM_GAME_NAMEENTRY = WM_USER + 1;
constexpr UINT WM_GAME_OPENSTAGE = WM_USER + 2;
constexpr UINT WM_GAME_OPENREPLAY = WM_USER + 3;
constexpr UINT WM_GAME_SAVEREPLAY = WM_USER + 4;
constexpr UINT WM_GAME_PLAYSE = WM_USER + 5;
constexpr UINT WM_GAME_PLAYBGM = WM_USER + 6;
constexpr UINT WM_GAME_RESTORE = WM_USER + 100;

// Entries 0 to 16 of the sound table are the system sounds (kSystemSoundCount of them);
// Sound database entry n is entry n + 16.

// Plays sound-table entry n on the main thread; returns once it has been started (or at
// once when shutdown has begun).
void PlaySE(int n);
// Plays Sound database entry n (a 16-bit number); nothing for 0.
void PlayUserSE(int n);

// The main window's handling of WM_GAME_PLAYSE: plays the entry; an entry past the table
// writes its report line, asks the window to close and plays entry 0.
void OnPlaySE(WPARAM wParam);
// The main window's handling of WM_GAME_PLAYBGM: slots 0 to 3 play the scene music of the
// system data, slot 4 the stage's music lParam; other slots do nothing.
void OnPlayBgm(WPARAM wParam, LPARAM lParam);
