#include "data/flow/palette_sizes.h"

cPaletteSizes g_PaletteSizes;

int GetPaletteListSize(int nPalette, int nList) {
  if (nPalette != PALETTE_COMMON && nPalette != PALETTE_STAGE) return 0;
  if (nList < 0 || nList >= kPaletteListCount) return 0;
  return g_PaletteSizes.anSize[nPalette][nList];
}
