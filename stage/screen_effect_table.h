#pragma once
// The handlers of the screen-effect kinds (SCREFFECT, effect_records.h), indexed by kind.
#include <cstdint>

#include "stage/effect_records.h"

class cSceneGame;

// Distorts the frame and steps the scene's screen effect: 1 when it has ended.
using ScrEffectHandler = std::int32_t (*)(cSceneGame& scene, std::int32_t bPaused);
extern const ScrEffectHandler g_ScrEffectDrawTable[SCREFFECT_KIND_COUNT];
