#pragma once
// The display part of the system report, and the display facts other code asks for.
#include "platform/win_types.h"

// Appends the screen mode and depth, video memory and refresh rate (DirectDraw) or the
// device dump (Direct3D) to the report log. 1 written, 0 when the log cannot be opened.
int WriteDisplayReport(int detailed);
// The device dump of the Direct3D back end; 0 without it.
int WriteDxDiagReport(int detailed);
// Video memory in whole megabytes; both 0 without DirectDraw.
void GetVideoMemory(DWORD* lpTotal, DWORD* lpFree);
// The display driver's interface version: the software devices provide what version 9
// asks for.
int GetDDIVersion();
