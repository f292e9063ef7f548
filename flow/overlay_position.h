#pragma once
// Where the effect and picture commands put what they show, and the removal of a picture
// with its surface.
#include <cstdint>

class cCharaBase;
class cSceneGame;

// Position modes of the effect and picture commands.
enum EFFECTPOS : int {
  EFFECTPOS_CENTRE = 0,   // the screen centre
  EFFECTPOS_SUBJECT = 1,  // centred on the character that ran the command
  EFFECTPOS_HERO = 2,     // centred on player 1
  EFFECTPOS_SCREEN = 3,   // screen blocks
  EFFECTPOS_STAGE = 4,    // stage blocks
};

// The world top-left of a w x h effect or picture for position mode `mode`, block (bx,
// by) and offset (dx, dy); another mode leaves x and y as they are.
void CalcEffectPos(double* x, double* y, int w, int h, cCharaBase* subject, int mode, int bx, int by, int dx,
                   int dy);
// Removes picture nIndex of the scene with its surface and definition (nothing past the
// lists' end).
void RemovePictureAt(cSceneGame& scene, int nIndex);
