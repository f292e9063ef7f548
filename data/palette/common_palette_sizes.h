#pragma once
// Tells the second normalisation pass of commands (through g_PaletteSizes) how many
// entries each list of the common palette holds.
class cPalette;

void PublishCommonPaletteSizes(const cPalette& palette);
