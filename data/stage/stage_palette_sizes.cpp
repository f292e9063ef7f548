#include "data/stage/stage_palette_sizes.h"

#include <algorithm>
#include <climits>

#include "data/flow/palette_sizes.h"

namespace {

int AsCount(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, INT_MAX)); }

}  // namespace

void PublishStagePaletteSizes(std::size_t nBlocks, std::size_t nCharas, std::size_t nItems) {
  int* row = g_PaletteSizes.anSize[PALETTE_STAGE];
  row[PALETTE_BLOCKS] = AsCount(nBlocks);
  row[PALETTE_CHARAS] = AsCount(nCharas);
  row[PALETTE_ITEMS] = AsCount(nItems);
}
