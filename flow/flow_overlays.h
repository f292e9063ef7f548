#pragma once
// The animation overlays a flow started, addressed by the flow's key: removed when the
// flow ends, stopped while it is paused, resumed with it.
#include <cstdint>

class cCharaBase;

// Erases every overlay of the key.
void RemoveFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey);
// Erases an overlay of the key that has nothing left to show (frames left + command frames
// - 1 < 0, always so for the anime command's overlays), marks the others stopped.
void StopFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey);
// Clears the stopped mark of the key's overlays.
void ResumeFlowAnimeOverlays(cCharaBase& chara, std::int32_t nFlowKey);
