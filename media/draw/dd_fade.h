#pragma once
// The screen fades. A fade runs over successive frames, one call per frame, from its start
// angle to its end; the call that reports the end puts the angle back for the next fade.
// Under Direct3D the frame is darkened by a black quad; under DirectDraw an 8-bit display
// blends its palette towards the colour and the other depths mix the frame the fade
// started from with the colour.
#include "media/draw/dd_colour.h"

// One step of the fade to the colour. lpPalette receives the blended palette (8-bit
// DirectDraw), made from lpSrcPalette over entries nFirst to nLast. bReset jumps to the
// end at once. True when the fade has finished.
bool DDFadeOut(PALETTEENTRY* lpPalette, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, int nStep,
               const PALETTEENTRY* lpSrcPalette, int bReset);
// One step of the fade from the colour back to the picture; the same parameters.
bool DDFadeIn(PALETTEENTRY* lpPalette, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, int nStep,
              const PALETTEENTRY* lpSrcPalette, int bReset);

// DirectDraw at 16 and 32 bits: every pixel of lpDst becomes
// (colour × (256 − nAmount) + lpSrc's pixel × nAmount) >> 8 per channel, nAmount 0 to 256
// (values outside are taken as the nearest end). Only the part both surfaces cover is
// mixed. 1, or 0 when a surface cannot be locked; 8 and 24 bits leave the picture as it is.
int DDFade_UnPal(DDSURFACEDATA* lpDst, int nAmount, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, DDSURFACEDATA* lpSrc);

// Puts both fades of both back ends back to their start angles (a new run, and tests).
void DDResetFades();
