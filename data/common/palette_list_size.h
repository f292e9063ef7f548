#pragma once
// Lengths of the palette lists that references name: `kind` a PALETTE value (1 common,
// 2 stage), `list` a PALETTE_CLASS value (0 blocks, 1 characters, 2 items). 0 for any
// other kind or list.
int PaletteListSize(int kind, int list);
