#pragma once
// The 8-bit display's blend tables of the demo game, one for each palette variant the
// options offer ("bmp\hbt\hbt00.dat" to "hbt23.dat"): entry a x 256 + b is the palette
// number whose colour is nearest the average of colours a and b in that variant's
// palette; never 0, the transparent number. The player reads the table of the chosen
// variant when it runs DirectDraw at 8 bits, where half-transparent drawing looks it up.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kDemoPaletteVariants = 24;

struct cDemoBlendTable {
  std::string strPath;  // program path inside the game folder
  std::vector<std::uint8_t> Bytes;  // 65536
};

// The demo palette as variant n (0-23) shows it: from 0 to 11 the 192 entries from 16 on
// rotated down by n x 16 places; from 12 on, those entries twelve copies of the 16 from
// (n - 11) x 16. 0x00RRGGBB.
std::vector<std::uint32_t> DemoVariantPalette(int n);
// Every variant's table, made once a process.
const std::vector<cDemoBlendTable>& DemoBlendTables();
