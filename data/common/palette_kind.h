#pragma once
// Palette references: which palette an entry names (kind) and where in it (index).
// Index 0 of every palette list is the fixed template entry, so a reference with
// index 0 names nothing.
#include <cstdint>

enum PALETTE : std::int8_t {
  PALETTE_NONE = 0,
  PALETTE_COMMON = 1,  // the common palette g_CommonPalette
  PALETTE_STAGE = 2,   // the definition lists of the stage held in g_StageData
};

// Which list of a palette a reference points into.
enum PALETTE_CLASS {
  PALETTE_CLASS_BLOCK = 0,
  PALETTE_CLASS_CHARA = 1,
  PALETTE_CLASS_ITEM = 2,
};

// Graphic kinds: the picture sheet a part is drawn from.
enum PARTGRAPHIC : std::int8_t {
  PARTGRAPHIC_BLOCK = 0,
  PARTGRAPHIC_CHARA = 1,
  PARTGRAPHIC_ITEM = 2,
  PARTGRAPHIC_SHOT = 3,
  PARTGRAPHIC_CHARA_EXC = 4,  // an entry of the Bmp_CharaExc database
};

// Shot sheets of files before version 219 were numbered one lower; the largest shot
// graphic number.
constexpr std::int16_t kMaxShotGraphic = 119;
