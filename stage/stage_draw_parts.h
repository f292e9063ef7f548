#pragma once
// The pieces of the stage frame that cSceneGame::Draw puts together: the tiling of a
// background picture, one block cell, and the drawing of each kind of object and overlay.
#include <cstdint>

#include "media/draw/dd_surface.h"

class cBlockCell;
class cCharaBase;
class cChara;
class cItem;
class cPlayer;
class cSceneGame;
class cScroll;
class cStageBack;

constexpr int kBlockViewRows = 16;     // block rows visited under the view (y 0 .. 480)
constexpr int kBlockViewColumns = 21;  // block columns visited (x 0 .. 640)
constexpr int kTileLimit = 1000;       // columns per row and rows of one background

// Background picture row nRow exists (was loaded with a size).
bool BackgroundSurfaceExists(int nRow);
// The picture of `back` from fixed row nRow repeated over the 640x480 frame from its
// scroll-dependent origin; bOpaque draws without the colour key.
void DrawBackgroundTiles(DDSURFACEDATA* lpDst, const cStageBack& back, int nRow, const cScroll& sx,
                         const cScroll& sy, bool bOpaque);
// The x or y of a background's first tile (before the wrap into the picture).
int BackgroundOrigin(std::int32_t bAuto, double dOffset, double dFactor, const cScroll& axis, bool bRoundView);
// One block cell at screen (x, y): its picture, then its mark.
void DrawPaletteBlock(DDSURFACEDATA* lpDst, int x, int y, const cBlockCell& cell);

// Objects (the character drawing gives them their pictures, animations and effects).
void DrawItemSprite(cItem& item, std::int32_t bPaused);
void DrawPlayerSprite(cPlayer& player, std::int32_t bPaused);
void DrawCharaSprite(cChara& chara, std::int32_t bPaused);
// 1 when the defeat animation has ended.
std::int32_t DrawCharaDying(cCharaBase& chara, std::int32_t bPaused);
// A character not drawn this frame: its animation and effect advance anyway.
void StepCharaUnseen(cCharaBase& chara);
void DrawCharaGauges(cCharaBase& chara);

// Overlays of the stage.
void DrawStagePictures(cSceneGame& scene, DDSURFACEDATA* lpDst, int nLayer, std::int32_t bPaused);
void DrawStageRanges(DDSURFACEDATA* lpDst);
void DrawStageEffects(cSceneGame& scene, DDSURFACEDATA* lpDst, std::int32_t bPaused);
void DrawStageMessages(cSceneGame& scene, DDSURFACEDATA* lpDst, std::int32_t bPaused);
void RunStageScreenEffect(cSceneGame& scene, std::int32_t bPaused);
