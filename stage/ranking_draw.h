#pragma once
// The stage result window of the clear screen: one row per result kind that the stage
// and the play mode show, with the highlight icon on each result that reached a ranking.
#include <cstdint>
#include <vector>

struct DDSURFACEDATA;

// `places` holds the place each result kind reached (-1: none), by kind.
void DrawResultWindow(DDSURFACEDATA* lpDst, int x, int y, const std::vector<std::int32_t>& places);
