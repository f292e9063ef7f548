#pragma once
// Window classes. The program registers the class of its main window before it makes the
// window, as the system asks. Nothing here draws a class's icon, cursor or background:
// SDL owns the window's look. What stays is the registration itself (a class needs a name
// and a procedure) and the name, which the single-instance guard of the program keeps in
// its own way and the desktop knows the main window by (its X11 class).
#include <string>

#include "platform/win_types.h"
#include "platform/win_window.h"

using ATOM = WORD;
struct HICON__;
using HICON = HICON__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr int LTGRAY_BRUSH = 1;

struct WNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;  // CP932
  HICON hIconSm;
};

// Handles of the program's icon resource, the system's arrow cursor and a stock brush;
// they only fill the class record.
HICON LoadIconA(HINSTANCE instance, int resourceId);
HCURSOR LoadArrowCursor();
HBRUSH GetStockBrush(int brush);

// Registers a class; its atom, or 0 when the record lacks a name or a procedure or has a
// wrong size. Registering a name again replaces the class (the old one has no windows
// left to serve: the program registers before it makes its only main window).
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// The procedure of a registered class; null when no class has that name.
WNDPROC ClassWindowProc(const char* className);
// The name of the class registered with procedure `proc` (the one registered last when
// several share it); empty when none was. The main window is made with its class's
// procedure, which names the class it belongs to.
std::string ClassNameOfWindowProc(WNDPROC proc);
