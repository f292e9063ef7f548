#pragma once
// The draw handlers of the character effects, one per CharaEffect kind: each draws the
// character's sprite through its effect blit and, unless paused, steps the effect. With
// bDraw 0 a handler only steps (blinks still count, waves still turn).
#include <cstdint>

struct DDSURFACEDATA;
class cCharaBase;
class cPartGraphic;

// 1 when the effect has ended.
using CharaEffectDrawHandler = std::int32_t (*)(cCharaBase& chara, DDSURFACEDATA* pDst, cPartGraphic& part,
                                                std::int32_t bPaused, std::int32_t bDraw);

constexpr int kCharaEffectKindCount = 17;
extern const CharaEffectDrawHandler g_CharaEffectDrawTable[kCharaEffectKindCount];

// The handler of nKind. A kind outside the table (a damaged entry) draws the sprite
// plainly and ends at once, so the character is neither lost nor stuck in it.
std::int32_t DrawCharaEffectKind(std::int32_t nKind, cCharaBase& chara, DDSURFACEDATA* pDst, cPartGraphic& part,
                                 std::int32_t bPaused, std::int32_t bDraw);

// The sprite needs scaling: a custom cell drawn at another size than its own, or any
// other cell drawn larger than one block.
bool CharaSpriteScaled(const cCharaBase& chara, const cPartGraphic& part);
