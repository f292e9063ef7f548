#pragma once
// The range display: the reach of each distance condition of the characters on screen,
// drawn for the author as two lines or a circle in the condition's colour, blinking.
#include <cstdint>

struct DDSURFACEDATA;
class cCharaBase;
class cCond;

// Every distance condition of the characters in the scene's groups: participation
// conditions in one batch, flow conditions in a second. Advances the blink counter.
void DrawDistanceCondRanges(DDSURFACEDATA* pDst);
// The blink counter (0..31) the last display used.
std::int32_t RangeBlinkCounter();
// One condition of one character, by its display setting.
void DrawDistanceCondRange(DDSURFACEDATA* pDst, cCharaBase& chara, const cCond& cond, std::int32_t nCounter);
