#pragma once
// Sizes of the screen as the window code asks for them. Windows have no frame of their
// own here (SDL sizes the client area), so the full-screen client size is the display's
// usable area.
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;

// SM_CXFULLSCREEN / SM_CYFULLSCREEN: width / height of the usable area of the first
// display (640 x 480 when no display can be asked); 0 for any other index.
int GetSystemMetrics(int index);
// Test seam: the usable area as GetSystemMetrics reports it (0, 0: the real one).
void OverrideScreenMetrics(int width, int height);
