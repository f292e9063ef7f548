#pragma once
// What the second normalisation pass of commands needs to know of the palettes: the
// number of block, character and item entries of the common palette and of the stage.
// The common palette and the stage data fill this table when they are read; until then
// every list is empty.
#include "data/palette/palette_kind.h"

// The lists of a palette, by their PALETTE_CLASS values.
constexpr int PALETTE_BLOCKS = PALETTE_CLASS_BLOCK;
constexpr int PALETTE_CHARAS = PALETTE_CLASS_CHARA;
constexpr int PALETTE_ITEMS = PALETTE_CLASS_ITEM;
constexpr int kPaletteListCount = 3;
// Rows by PALETTE value: PALETTE_NONE (always empty), PALETTE_COMMON, PALETTE_STAGE.
constexpr int kPaletteRowCount = 3;

struct cPaletteSizes {
  int anSize[kPaletteRowCount][kPaletteListCount] = {};
};
extern cPaletteSizes g_PaletteSizes;

// Number of entries of list nList (a PALETTE_CLASS value) of palette nPalette
// (PALETTE_COMMON or PALETTE_STAGE); 0 for anything else.
int GetPaletteListSize(int nPalette, int nList);
